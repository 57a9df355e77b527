#include "platform/Clock.h"
#include "traffic/MessageLogFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using LogWrite = std::function<LogFileResult(const QString&)>;
Q_DECLARE_METATYPE(LogWrite)

namespace {
const QDateTime kStart(QDate(2005, 8, 29), QTime(14, 3, 22));
const QDateTime kEnd(QDate(2005, 8, 29), QTime(15, 10, 5));

QString Stamp(const QDateTime& when)
{
    return Clock::ShortTimeText(when) + " " + Clock::ShortDateText(when);
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteRaw(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray CrLfLines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

// 4 acks without retry, 1 ack after 2 retries and 1 failure, with 3 retries configured.
TrafficCounters ThreeRetriesRun()
{
    TrafficCounters counters;
    counters.lPacketsSent = 6;
    counters.lPacketsReceived = 2;
    for (int i = 0; i < 4; ++i)
        ApplySendRfDataAck(counters, 1, 0, 3);
    ApplySendRfDataAck(counters, 1, 2, 3);
    ApplySendRfDataAck(counters, 0, 0, 3);
    return counters;
}

const TransceiverCaptions kNeverQueried = {"-", "-", "-", "-", "-", "-", "-", "-"};
}  // namespace

class MessageLogFileTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString pathOf(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void init() { Clock::SetNowForTesting([] { return kStart; }); }
    void cleanup() { Clock::SetNowForTesting({}); }

    void createThenStart_writesHeaderAndStartLine()
    {
        const QString path = pathOf("run.olf");
        WriteRaw(path, "old content\r\n");
        QVERIFY(CreateLogFile(path, "run.olf"));
        QVERIFY(WriteLogStart(path));
        QVERIFY(AppendToLogFile(path, ""));
        QVERIFY(AppendToLogFile(path, QString::fromLatin1("PID=1:Host->TXCVR (x): 41 \xE9")));
        QCOMPARE(ReadAll(path),
                 QByteArray("QV Orvalis Message Log\r\nrun.olf\r\n\r\nLog Started: ")
                     + Stamp(kStart).toLatin1() + "\r\n\r\n\r\nPID=1:Host->TXCVR (x): 41 \xE9\r\n");
    }

    void closingBlock_threeRetriesRun()
    {
        const TransceiverCaptions captions = {"10", "9", "8", "7", "6", "5", "4", "3"};
        const QStringList expected = {
            "",
            "Transceiver Statistics",
            "----------------------",
            "Total Packets Sent      = 10",
            "Unique Packets Sent     = 9",
            "Total Acks Sent         = 8",
            "Unique Acks Sent        = 7",
            "Total Packets Received  = 6",
            "Unique Packets Received = 5",
            "Total Acks Received     = 4",
            "Unique Acks Received    = 3",
            "",
            "Evaluation Program Statistics",
            "-----------------------------",
            "Packets Sent     = 6",
            "Packets Received = 2",
            "Acks Received    = 5",
            "Packet Success Rate Without Acks = 83.33%",
            "Packet Success Rate With Acks = 45.45%",
            "0 Retries - 4",
            "1 Retries - 0",
            "2 Retries - 1",
            "3 Retries - 0",
            "   Failed - 1",
            "",
            "Log Ended: " + Stamp(kEnd),
            "",
            "",
            "",
            "",
        };
        QCOMPARE(ClosingBlockLines(captions, ThreeRetriesRun(), 3, kEnd), expected);
    }

    void closingBlock_rates_data()
    {
        QTest::addColumn<int>("acks");
        QTest::addColumn<int>("failures");
        QTest::addColumn<QString>("rateA");
        QTest::addColumn<QString>("rateB");
        QTest::newRow("no reply") << 0 << 0 << "Packet Success Rate Without Acks = -"
                                  << "Packet Success Rate With Acks = -";
        QTest::newRow("only failures") << 0 << 2 << "Packet Success Rate Without Acks = 00.00%"
                                       << "Packet Success Rate With Acks = 00.00%";
        QTest::newRow("all acked first time") << 3 << 0
                                              << "Packet Success Rate Without Acks = 100.00%"
                                              << "Packet Success Rate With Acks = 100.00%";
    }
    void closingBlock_rates()
    {
        QFETCH(int, acks);
        QFETCH(int, failures);
        QFETCH(QString, rateA);
        QFETCH(QString, rateB);
        TrafficCounters counters;
        for (int i = 0; i < acks; ++i)
            ApplySendRfDataAck(counters, 1, 0, 1);
        for (int i = 0; i < failures; ++i)
            ApplySendRfDataAck(counters, 0, 0, 1);
        const QStringList lines = ClosingBlockLines(kNeverQueried, counters, 1, kEnd);
        QCOMPARE(lines.at(17), rateA);
        QCOMPARE(lines.at(18), rateB);
        QCOMPARE(lines.at(3), QStringLiteral("Total Packets Sent      = -"));
    }

    void writeLogEnd_appendsBlockWithCrLf()
    {
        const QString path = pathOf("end.olf");
        QVERIFY(CreateLogFile(path, "end.olf"));
        const QStringList block = ClosingBlockLines(kNeverQueried, TrafficCounters{}, 0, kEnd);
        QVERIFY(WriteLogEnd(path, block));
        QCOMPARE(ReadAll(path), CrLfLines(QStringList{kMessageLogHeader, "end.olf", ""} + block));
    }

    void isMessageLogFile_data()
    {
        QTest::addColumn<QByteArray>("content");  // null: no file at all
        QTest::addColumn<bool>("isLog");
        QTest::newRow("log") << QByteArray("QV Orvalis Message Log\r\nx.olf\r\n\r\n") << true;
        QTest::newRow("header only, no line end") << QByteArray("QV Orvalis Message Log") << true;
        QTest::newRow("other text") << QByteArray("Some notes\r\n") << false;
        QTest::newRow("header with more text") << QByteArray("QV Orvalis Message Log 2\r\n") << false;
        QTest::newRow("header not first") << QByteArray("\r\nQV Orvalis Message Log\r\n") << false;
        QTest::newRow("empty") << QByteArray("") << false;
        QTest::newRow("missing") << QByteArray() << false;
    }
    void isMessageLogFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, isLog);
        const QString path = pathOf(QString("check-%1.olf").arg(QTest::currentDataTag()));
        if (!content.isNull())
            WriteRaw(path, content);
        QCOMPARE(IsMessageLogFile(path), isLog);
        QCOMPARE(FileExists(path), !content.isNull());
    }

    void fileExists_isFalseForFolder() { QVERIFY(!FileExists(m_dir.path())); }

    void unwritableFile_reportsSystemError_data()
    {
        using Write = LogWrite;
        QTest::addColumn<Write>("write");
        QTest::newRow("create") << Write([](const QString& p) { return CreateLogFile(p, "x"); });
        QTest::newRow("append") << Write([](const QString& p) { return AppendToLogFile(p, "x"); });
        QTest::newRow("start") << Write([](const QString& p) { return WriteLogStart(p); });
        QTest::newRow("end") << Write([](const QString& p) { return WriteLogEnd(p, {"", "x"}); });
    }
    void unwritableFile_reportsSystemError()
    {
        using Write = LogWrite;
        QFETCH(Write, write);
        // A regular file as the parent folder fails for every user, root included.
        const QString notAFolder = pathOf("plain-file");
        WriteRaw(notAFolder, "x");
        const LogFileResult result = write(notAFolder + "/log.olf");
        QVERIFY(!result.ok);
        QVERIFY2(!result.error.isEmpty(), "the failure carries the system's description");
    }

    void splitLogFilePath_data()
    {
        QTest::addColumn<QString>("fullPath");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("unix") << "/home/eng/logs/run.olf" << "/home/eng/logs/" << "run.olf";
        QTest::newRow("windows") << "c:\\QVOrvalis\\Log\\run.olf" << "c:\\QVOrvalis\\Log\\"
                                 << "run.olf";
        QTest::newRow("no folder") << "run.olf" << "" << "run.olf";
    }
    void splitLogFilePath()
    {
        QFETCH(QString, fullPath);
        QFETCH(QString, folder);
        QFETCH(QString, fileName);
        const LogFileLocation location = SplitLogFilePath(fullPath);
        QCOMPARE(location.folder, folder);
        QCOMPARE(location.fileName, fileName);
    }
};

QTEST_GUILESS_MAIN(MessageLogFileTest)
#include "tst_messagelogfile.moc"
