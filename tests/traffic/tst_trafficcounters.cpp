#include "protocol/Frame.h"
#include "traffic/TrafficCounters.h"

#include <QTest>

#include <limits>

using Replies = QList<QPair<int, int>>;  // (status, retries) of each Ack/Nack reply

class TrafficCountersTest : public QObject {
    Q_OBJECT

private slots:
    void ackNackReplies_data()
    {
        QTest::addColumn<Replies>("replies");
        QTest::addColumn<int>("iRFRetries");
        QTest::addColumn<int>("packetsSent");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("transmissions");
        QTest::addColumn<QStringList>("rates");  // with acks, overall

        QTest::newRow("retries 3: ack 0, ack 2, nack")
            << Replies{{1, 0}, {1, 2}, {0, 0}} << 3 << 3
            << QStringList{" 0 retries     1", " 1 retries     0", " 2 retries     1",
                           " 3 retries     0", " Failed         1"}
            << 8 << QStringList{"66.67%", "25.00%"};
        QTest::newRow("ack after 25 retries counts only as ack")
            << Replies{{1, 25}} << 1 << 1
            << QStringList{" 0 retries     0", " 1 retries     0", " Failed         0"} << 0
            << QStringList{"100.00%", "00.00%"};
        QTest::newRow("status 2 fails; nothing sent gives 0") << Replies{{1, 0}, {2, 0}} << 0 << 0
            << QStringList{" 0 retries     1", " Failed         1"} << 2
            << QStringList{"00.00%", "00.00%"};
    }
    void ackNackReplies()
    {
        QFETCH(Replies, replies);
        QFETCH(int, iRFRetries);
        QFETCH(int, packetsSent);
        QFETCH(QStringList, rows);
        QFETCH(int, transmissions);
        QFETCH(QStringList, rates);
        TrafficCounters counters;
        counters.lPacketsSent = packetsSent;
        for (const auto& reply : replies)
            ApplySendRfDataAck(counters, reply.first, reply.second, iRFRetries);
        ComputeSuccessRates(counters);
        QCOMPARE(RetryDistributionRows(counters, iRFRetries), rows);
        QCOMPARE(counters.lTotalTransmissions, transmissions);
        QCOMPARE(QStringList({PercentText(counters.dPktSuccessWithAcks),
                              PercentText(counters.dOverallPktSuccess)}),
                 rates);
    }

    void percentText()
    {
        QCOMPARE(PercentText(5.5), QStringLiteral("05.50%"));
        QCOMPARE(PercentText(99.999), QStringLiteral("100.00%"));
        QCOMPARE(PercentText(150.0), QStringLiteral("150.00%"));  // late replies after a clear
    }

    void throughput_currentAndAverage()
    {
        TrafficCounters counters;
        CountDataBytesHandedOut(counters, 200);  // 20 bytes every 100 ms
        QCOMPARE(ThroughputTick(counters, 1000), QStringLiteral("1.6 kbps   (1.6 kbps)"));
        QCOMPARE(ThroughputTick(counters, 1000), QStringLiteral("0.0 kbps   (0.8 kbps)"));
        CountDataBytesHandedOut(counters, 700);  // the interval in seconds divides both
        QCOMPARE(ThroughputTick(counters, 500), QStringLiteral("11.2 kbps   (4.8 kbps)"));
    }

    void longRun_countersPastTwoToThe31_stayPositive()
    {
        // About 69 days of 36-byte messages every 100 ms, one tick a second.
        TrafficCounters counters;
        counters.lTotalBytesSent = std::numeric_limits<qint32>::max() - 10;
        counters.lThroughputTicks = 5965232;
        counters.lPacketsSent = std::numeric_limits<qint32>::max();
        counters.lAcksReceived = std::numeric_limits<qint32>::max();
        CountDataBytesHandedOut(counters, 360);
        ++counters.lPacketsSent;
        QCOMPARE(counters.lTotalBytesSent, qint64(std::numeric_limits<qint32>::max()) + 350);
        QCOMPARE(ThroughputTick(counters, 1000), QStringLiteral("2.9 kbps   (2.9 kbps)"));
        ComputeSuccessRates(counters);
        QVERIFY(counters.dPktSuccessWithAcks > 99.9 && counters.dPktSuccessWithAcks <= 100.0);
    }
};

QTEST_GUILESS_MAIN(TrafficCountersTest)
#include "tst_trafficcounters.moc"
