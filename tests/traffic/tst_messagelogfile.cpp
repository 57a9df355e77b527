#include "platform/Clock.h"
#include "support/HangGuard.h"
#include "traffic/MessageLogFile.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace {
const QDateTime kWhen(QDate(2005, 8, 29), QTime(14, 3, 22));

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Acknowledgements after the given retry counts and `failures` failures, counted while
// the module was set to 20 retries.
TrafficCounters Replies(const QList<int>& ackRetries, int failures)
{
    TrafficCounters counters;
    for (int retries : ackRetries)
        ApplySendRfDataAck(counters, 1, retries, 20);
    for (int i = 0; i < failures; ++i)
        ApplySendRfDataAck(counters, 0, 0, 20);
    return counters;
}

void WriteRaw(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

#ifdef Q_OS_UNIX
// Swaps the names of the file at `path` and a reader-less FIFO, again and again until
// destroyed: what a check by name sees may be gone when the file is opened.
class FifoSwapper {
public:
    explicit FifoSwapper(const QString& path)
        : m_path(QFile::encodeName(path)), m_fifo(m_path + ".fifo")
    {
        ::mkfifo(m_fifo.constData(), 0600);
        m_thread = std::thread([this] {
            while (!m_stop) {
                ::renameat2(AT_FDCWD, m_path.constData(), AT_FDCWD, m_fifo.constData(),
                            RENAME_EXCHANGE);
                ++m_swaps;
                std::this_thread::sleep_for(std::chrono::microseconds(50));
            }
        });
    }
    ~FifoSwapper()
    {
        m_stop = true;
        m_thread.join();
    }

    int swaps() const { return m_swaps; }

private:
    const QByteArray m_path;
    const QByteArray m_fifo;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_swaps{0};
    std::thread m_thread;
};
#endif

using LogFileOperation = std::function<LogFileResult(const QString& path)>;
}  // namespace
Q_DECLARE_METATYPE(LogFileOperation)

class MessageLogFileTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    const QString m_stamp = LogTimeStamp(kWhen);

private slots:
    void cleanup()
    {
        QLocale::setDefault(QLocale::system());
        Clock::SetNowForTesting({});
    }

    void wholeFile_crLfLatin1Lines()
    {
        const QString path = m_dir.filePath("run.olf");
        QVERIFY(CreateLogFile(path, "run.olf"));
        QVERIFY(WriteLogStart(path, kWhen));
        QVERIFY(AppendToLogFile(path, QString::fromLatin1("PID=1: 41 \xE9")));
        QVERIFY(WriteLogEnd(path, {"", "end"}));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), "QV Orvalis Message Log\r\nrun.olf\r\n\r\nLog Started: "
                                     + m_stamp.toLatin1()
                                     + "\r\n\r\nPID=1: 41 \xE9\r\n\r\nend\r\n");
    }

    void closingBlock_threeRetriesRun()
    {
        const TransceiverCaptions captions = {"10", "9", "8", "7", "6", "5", "4", "3"};
        const QStringList expected = {
            "", "Transceiver Statistics", "----------------------",
            "Total Packets Sent      = 10", "Unique Packets Sent     = 9",
            "Total Acks Sent         = 8", "Unique Acks Sent        = 7",
            "Total Packets Received  = 6", "Unique Packets Received = 5",
            "Total Acks Received     = 4", "Unique Acks Received    = 3",
            "", "Evaluation Program Statistics", "-----------------------------",
            "Packets Sent     = 6", "Packets Received = 2", "Acks Received    = 5",
            "Packet Success Rate Without Acks = 83.33%",  // 5 of T = 6 replies
            "Packet Success Rate With Acks = 45.45%",     // 5 of W = 4 + 3 + 4 transmissions
            "0 Retries - 4", "1 Retries - 0", "2 Retries - 1", "3 Retries - 0", "   Failed - 1",
            "", "Log Ended: " + m_stamp, "", "", "", ""};
        TrafficCounters counters;  // 3 retries: 4 acks without retry, 1 after 2 retries, 1 failure
        counters.lPacketsSent = 6;
        counters.lPacketsReceived = 2;
        for (int retries : {0, 0, 0, 0, 2})
            ApplySendRfDataAck(counters, 1, retries, 3);
        ApplySendRfDataAck(counters, 0, 0, 3);
        QCOMPARE(ClosingBlockLines(captions, counters, 3, kWhen), expected);
    }

    // Rows printed follow the setting at closing time, but the rates count every reply,
    // so lowering "Retries" after replies that needed more cannot push a rate past 100 %.
    void closingBlock_ratesCountEveryReply_data()
    {
        QTest::addColumn<QList<int>>("ackRetries");
        QTest::addColumn<int>("failures");
        QTest::addColumn<int>("iRFRetries");
        QTest::addColumn<QStringList>("rates");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("no replies: no rates")
            << QList<int>{} << 0 << 0
            << QStringList{"Packet Success Rate Without Acks = -", "Packet Success Rate With Acks = -"}
            << QStringList{"0 Retries - 0", "   Failed - 0"};
        QTest::newRow("retries lowered to 0 after acks with 2 retries")
            << QList<int>{0, 2, 2, 2, 2} << 0 << 0
            << QStringList{"Packet Success Rate Without Acks = 100.00%",  // T = 5
                           "Packet Success Rate With Acks = 38.46%"}      // W = 1 + 4 * 3
            << QStringList{"0 Retries - 1", "   Failed - 0"};
        QTest::newRow("retries lowered to 1, acks after 20 retries and a failure")
            << QList<int>{20, 1, 0} << 1 << 1
            << QStringList{"Packet Success Rate Without Acks = 75.00%",  // T = 3 + 1
                           "Packet Success Rate With Acks = 11.54%"}     // W = 21 + 2 + 1 + 2
            << QStringList{"0 Retries - 1", "1 Retries - 1", "   Failed - 1"};
        QTest::newRow("an ack after more than 20 retries still counts as a reply")
            << QList<int>{0, 25} << 0 << 3
            << QStringList{"Packet Success Rate Without Acks = 100.00%",  // T = 2
                           "Packet Success Rate With Acks = 08.70%"}      // W = 1 + at least 22
            << QStringList{"0 Retries - 1", "1 Retries - 0", "2 Retries - 0", "3 Retries - 0",
                           "   Failed - 0"};
    }
    void closingBlock_ratesCountEveryReply()
    {
        QFETCH(QList<int>, ackRetries);
        QFETCH(int, failures);
        QFETCH(int, iRFRetries);
        QFETCH(QStringList, rates);
        QFETCH(QStringList, rows);
        const TransceiverCaptions captions = {"-", "-", "-", "-", "-", "-", "-", "-"};
        const QStringList lines =
            ClosingBlockLines(captions, Replies(ackRetries, failures), iRFRetries, kWhen);
        QCOMPARE(lines.mid(17, 2), rates);
        QCOMPARE(lines.mid(19, rows.size()), rows);
        QCOMPARE(lines.at(19 + rows.size()), QString());
    }

    // The start and end lines carry the locale's own time with seconds and its short date;
    // where Latin-1 cannot carry the locale's texts, an unambiguous numeric form instead.
    void logStartLine_followsLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("C") << "C" << QByteArray("Log Started: 14:03:22 29 Aug 2005");
        QTest::newRow("en_US") << "en_US" << QByteArray("Log Started: 2:03:22 PM 8/29/05");
        QTest::newRow("fi_FI") << "fi_FI" << QByteArray("Log Started: 14.03.22 29.8.2005");
        QTest::newRow("ko_KR") << "ko_KR" << QByteArray("Log Started: 2005-08-29 14:03:22");
    }
    void logStartLine_followsLocale()
    {
        QFETCH(QString, locale);
        QFETCH(QByteArray, line);
        QLocale::setDefault(QLocale(locale));
        Clock::SetNowForTesting([] { return kWhen; });
        const QString path = m_dir.filePath("stamp-" + locale + ".olf");
        QVERIFY(CreateLogFile(path, "x") && WriteLogStart(path));
        QCOMPARE(FileBytes(path).mid(29), line + "\r\n\r\n");  // after the header lines
        QCOMPARE(ClosingBlockLines({}, TrafficCounters{}, 0, kWhen).at(22),
                 "Log Ended: " + QString::fromLatin1(line.mid(13)));
    }

    void isMessageLogFile_data()
    {
        QTest::addColumn<QByteArray>("content");  // null: no file at all
        QTest::addColumn<bool>("isLog");
        QTest::newRow("log") << QByteArray("QV Orvalis Message Log\r\nx.olf\r\n\r\n") << true;
        QTest::newRow("header with more text") << QByteArray("QV Orvalis Message Log 2\r\n") << false;
        QTest::newRow("empty") << QByteArray("") << false;
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("header only, no line end") << QByteArray("QV Orvalis Message Log") << true;
        QTest::newRow("header, then a long line without end")
            << QByteArray("QV Orvalis Message Log") + QByteArray(1 << 20, 'x') << false;
    }
    void isMessageLogFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, isLog);
        const QString path = m_dir.filePath(QString("check-%1.olf").arg(QTest::currentDataTag()));
        if (!content.isNull())
            WriteRaw(path, content);
        QCOMPARE(IsMessageLogFile(path), isLog);
        QCOMPARE(FileExists(path), !content.isNull());
    }

#ifdef Q_OS_UNIX
    // The log file can be replaced by a FIFO after it was chosen; with no reader, opening it
    // would wait for ever. Every access refuses it at once, as any file that is not regular.
    void fileSwappedForFifo_isRefusedWithoutBlocking_data()
    {
        QTest::addColumn<LogFileOperation>("operation");
        QTest::newRow("create") << LogFileOperation([](const QString& path) {
            return CreateLogFile(path, "x");
        });
        QTest::newRow("append") << LogFileOperation([](const QString& path) {
            return AppendToLogFile(path, "x");
        });
        QTest::newRow("header check") << LogFileOperation([](const QString& path) {
            return IsMessageLogFile(path) ? LogFileResult{}
                                          : LogFileResult{false, "Not a regular file"};
        });
    }
    void fileSwappedForFifo_isRefusedWithoutBlocking()
    {
        QFETCH(LogFileOperation, operation);
        const QString path = m_dir.filePath(QString("swapped-%1.olf").arg(QTest::currentDataTag()));
        WriteRaw(path, "QV Orvalis Message Log\r\n");
        int written = 0;
        int refused = 0;
        {
            const FifoSwapper swapper(path);
            const HangGuard guard("a log file access while a FIFO is swapped in");
            while (swapper.swaps() < 1000) {
                const LogFileResult result = operation(path);
                QCOMPARE(result.error, result.ok ? QString() : "Not a regular file");
                ++(result.ok ? written : refused);
            }
        }
        QVERIFY2(written > 0 && refused > 0,  // both kinds of file were met
                 qPrintable(QString("%1 written, %2 refused").arg(written).arg(refused)));
    }
#endif

    void unwritableFile_reportsSystemError()
    {
        // A regular file as the parent folder fails for every user, root included.
        WriteRaw(m_dir.filePath("plain-file"), "x");
        const QString path = m_dir.filePath("plain-file/log.olf");
        for (const LogFileResult& result : {CreateLogFile(path, "x"), AppendToLogFile(path, "x"),
                                            WriteLogStart(path), WriteLogEnd(path, {"x"})})
            QVERIFY2(!result.ok && !result.error.isEmpty(), qPrintable(result.error));
    }
};

QTEST_GUILESS_MAIN(MessageLogFileTest)
#include "tst_messagelogfile.moc"
