#include "platform/Clock.h"
#include "support/HangGuard.h"
#include "traffic/MessageLogFile.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>

namespace {
const QDateTime kWhen(QDate(2005, 8, 29), QTime(14, 3, 22));

void WriteRaw(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

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
        // Rows and a failure's transmissions follow "Retries" at closing; rates count every reply.
        QCOMPARE(ClosingBlockLines(captions, counters, 0, kWhen).mid(17, 5),
                 QStringList({expected[17], "Packet Success Rate With Acks = 62.50%",  // W = 4 + 3 + 1
                              "0 Retries - 4", "   Failed - 1", ""}));
    }

    // The start and end lines carry the locale's own time with seconds and its short date;
    // where Latin-1 cannot carry the locale's texts, an unambiguous numeric form instead.
    void logStartLine_followsLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("C") << "C" << QByteArray("Log Started: 14:03:22 29 Aug 2005");
        QTest::newRow("en_US") << "en_US" << QByteArray("Log Started: 2:03:22 PM 8/29/05");
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
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().mid(29), line + "\r\n\r\n");  // after the header lines
        const QStringList block = ClosingBlockLines({}, TrafficCounters{}, 0, kWhen);
        QCOMPARE(block.at(22), "Log Ended: " + QString::fromLatin1(line.mid(13)));
        QCOMPARE(block.at(17), QStringLiteral("Packet Success Rate Without Acks = -"));  // no replies
    }

    void isMessageLogFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("isLog");
        QTest::newRow("log") << QByteArray("QV Orvalis Message Log\r\nx.olf\r\n\r\n") << true;
        QTest::newRow("header with more text") << QByteArray("QV Orvalis Message Log 2\r\n") << false;
        QTest::newRow("header only, no line end") << QByteArray("QV Orvalis Message Log") << true;
        QTest::newRow("header, then a long line without end")
            << QByteArray("QV Orvalis Message Log") + QByteArray(1 << 20, 'x') << false;
    }
    void isMessageLogFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, isLog);
        const QString path = m_dir.filePath(QString("check-%1.olf").arg(QTest::currentDataTag()));
        WriteRaw(path, content);
        QCOMPARE(IsMessageLogFile(path), isLog);
    }

    // The file may be swapped for a FIFO between a check by name and the open; with no
    // reader, opening it would wait for ever. Every access refuses it at once.
    void fileSwappedForFifo_isRefusedWithoutBlocking()
    {
        const QString path = m_dir.filePath("swapped.olf");
        WriteRaw(path, "QV Orvalis Message Log\r\n");
        const QByteArray name = QFile::encodeName(path), fifo = name + ".fifo";
        ::mkfifo(fifo.constData(), 0600);
        std::atomic<int> swaps{0};
        std::thread swapper([&] {
            for (; swaps < 1000; ++swaps) {
                ::renameat2(AT_FDCWD, name.constData(), AT_FDCWD, fifo.constData(), RENAME_EXCHANGE);
                std::this_thread::sleep_for(std::chrono::microseconds(50));
            }
        });
        int written = 0, refused = 0, unexpected = 0;  // no test macro while the thread runs
        {
            const HangGuard guard("a log file access while a FIFO is swapped in");
            while (swaps < 1000) {
                const LogFileResult result = AppendToLogFile(path, "x");
                unexpected += !result.ok && result.error != QStringLiteral("Not a regular file");
                IsMessageLogFile(path);
                ++(result.ok ? written : refused);
            }
        }
        swapper.join();
        QVERIFY2(written > 0 && refused > 0 && unexpected == 0,
                 qPrintable(QString("%1 written, %2 refused, %3 other").arg(written).arg(refused).arg(unexpected)));
    }
};

QTEST_GUILESS_MAIN(MessageLogFileTest)
#include "tst_messagelogfile.moc"
