#include "protocol/Frame.h"
#include "traffic/TrafficCounters.h"

#include <QTest>

namespace {
using Replies = QList<QPair<int, int>>;  // (status, retries) of each Ack/Nack reply
constexpr int kAck = 1;
constexpr int kNack = 0;

TrafficCounters AfterReplies(const Replies& replies, int iRFRetries, qint32 packetsSent)
{
    TrafficCounters counters;
    counters.lPacketsSent = packetsSent;
    for (const auto& reply : replies)
        ApplySendRfDataAck(counters, reply.first, reply.second, iRFRetries);
    ComputeSuccessRates(counters);
    return counters;
}
}  // namespace

class TrafficCountersTest : public QObject {
    Q_OBJECT

private slots:
    void ackNackReplies_data()
    {
        QTest::addColumn<Replies>("replies");
        QTest::addColumn<int>("iRFRetries");
        QTest::addColumn<int>("packetsSent");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("totalTransmissions");
        QTest::addColumn<int>("acks");
        QTest::addColumn<QString>("withAcks");
        QTest::addColumn<QString>("overall");

        QTest::newRow("retries 3: ack 0, ack 2, nack")
            << Replies{{kAck, 0}, {kAck, 2}, {kNack, 0}} << 3 << 3
            << QStringList{" 0 retries     1", " 1 retries     0", " 2 retries     1",
                           " 3 retries     0", " Failed         1"}
            << 8 << 2 << "66.67%" << "25.00%";
        QTest::newRow("any status but 1 fails") << Replies{{2, 5}, {0xFF, 0}} << 0 << 2
                                                << QStringList{" 0 retries     0", " Failed         2"}
                                                << 2 << 0 << "00.00%" << "00.00%";
        QTest::newRow("ack after 25 retries counts only as ack")
            << Replies{{kAck, 25}} << 2 << 1
            << QStringList{" 0 retries     0", " 1 retries     0", " 2 retries     0",
                           " Failed         0"}
            << 0 << 1 << "100.00%" << "00.00%";
        QTest::newRow("two-digit rows, rows beyond the setting hidden")
            << Replies{{kAck, 10}, {kAck, 11}} << 10 << 2
            << QStringList{" 0 retries     0", " 1 retries     0", " 2 retries     0",
                           " 3 retries     0", " 4 retries     0", " 5 retries     0",
                           " 6 retries     0", " 7 retries     0", " 8 retries     0",
                           " 9 retries     0", " 10 retries     1", " Failed         0"}
            << 23 << 2 << "100.00%" << "08.70%";
        QTest::newRow("nothing sent yet") << Replies{{kAck, 0}} << 0 << 0
                                          << QStringList{" 0 retries     1", " Failed         0"}
                                          << 1 << 1 << "00.00%" << "00.00%";
    }
    void ackNackReplies()
    {
        QFETCH(Replies, replies);
        QFETCH(int, iRFRetries);
        QFETCH(int, packetsSent);
        QFETCH(QStringList, rows);
        QFETCH(int, totalTransmissions);
        QFETCH(int, acks);
        QFETCH(QString, withAcks);
        QFETCH(QString, overall);

        const TrafficCounters counters = AfterReplies(replies, iRFRetries, packetsSent);
        QCOMPARE(RetryDistributionRows(counters, iRFRetries), rows);
        QCOMPARE(counters.lTotalTransmissions, totalTransmissions);
        QCOMPARE(counters.lAcksReceived, acks);
        QCOMPARE(PercentText(counters.dPktSuccessWithAcks), withAcks);
        QCOMPARE(PercentText(counters.dOverallPktSuccess), overall);
    }

    void percentText_data()
    {
        QTest::addColumn<double>("percent");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0.0 << "00.00%";
        QTest::newRow("5.5") << 5.5 << "05.50%";
        QTest::newRow("66.666") << 66.666 << "66.67%";
        QTest::newRow("100") << 100.0 << "100.00%";
        QTest::newRow("rounds up to 100") << 99.999 << "100.00%";
        QTest::newRow("above 100") << 150.0 << "150.00%";
    }
    void percentText()
    {
        QFETCH(double, percent);
        QFETCH(QString, text);
        QCOMPARE(PercentText(percent), text);
    }

    void clear_resetsEveryCounter()
    {
        TrafficCounters counters = AfterReplies({{kAck, 0}, {kAck, 20}, {kNack, 0}}, 20, 3);
        counters.lPacketsReceived = 4;
        CountDataBytesHandedOut(counters, 30);
        ThroughputTick(counters, 1000);

        counters.clear();
        ComputeSuccessRates(counters);
        QCOMPARE(counters.lPacketsSent, 0);
        QCOMPARE(counters.lPacketsReceived, 0);
        QCOMPARE(counters.lAcksReceived, 0);
        QCOMPARE(counters.lPacketsFailed, 0);
        QCOMPARE(counters.lTotalTransmissions, 0);
        QCOMPARE(counters.lTotalBytesSent, 0);
        QCOMPARE(counters.lThroughputTicks, 0);
        QCOMPARE(counters.lRetryDistribution[20], 0);
        QCOMPARE(PercentText(counters.dPktSuccessWithAcks), QStringLiteral("00.00%"));
        QCOMPARE(PercentText(counters.dOverallPktSuccess), QStringLiteral("00.00%"));
    }

    void throughput_data()
    {
        QTest::addColumn<QList<int>>("bytesPerTick");
        QTest::addColumn<int>("intervalMs");
        QTest::addColumn<QString>("lastLabel");
        QTest::newRow("20 bytes every 100 ms") << QList<int>{200, 200, 200} << 1000
                                               << "1.6 kbps   (1.6 kbps)";
        QTest::newRow("average spans every tick") << QList<int>{1500, 0} << 1000
                                                  << "0.0 kbps   (6.0 kbps)";
        QTest::newRow("one decimal") << QList<int>{1538} << 1000 << "12.3 kbps   (12.3 kbps)";
        QTest::newRow("interval in seconds") << QList<int>{100, 300} << 500
                                             << "4.8 kbps   (3.2 kbps)";
    }
    void throughput()
    {
        QFETCH(QList<int>, bytesPerTick);
        QFETCH(int, intervalMs);
        QFETCH(QString, lastLabel);
        TrafficCounters counters;
        QString label;
        for (int bytes : bytesPerTick) {
            CountDataBytesHandedOut(counters, bytes);
            label = ThroughputTick(counters, intervalMs);
            QCOMPARE(counters.lIntervalBytes, 0);
        }
        QCOMPARE(label, lastLabel);
        QCOMPARE(counters.lThroughputTicks, bytesPerTick.size());
    }

    void decodeRfStatistics_data()
    {
        QTest::addColumn<QString>("payload");
        QTest::addColumn<QList<int>>("expected");  // empty: the reply is ignored
        QTest::newRow("34 12 gives 4660")
            << "34 12 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
            << QList<int>{4660, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("order and low byte first")
            << "01 00 02 00 03 00 04 00 05 00 06 00 00 01 FF FF"
            << QList<int>{1, 2, 3, 4, 5, 6, 256, 65535};
        QTest::newRow("too short") << "01 00 02 00 03 00 04 00 05 00 06 00 00 01 FF"
                                   << QList<int>{};
    }
    void decodeRfStatistics()
    {
        QFETCH(QString, payload);
        QFETCH(QList<int>, expected);
        const auto statistics = DecodeRfStatistics(BytesFromHexText(payload));
        QCOMPARE(statistics.has_value(), !expected.isEmpty());
        if (statistics)
            QCOMPARE(QList<int>(statistics->begin(), statistics->end()), expected);
    }
};

QTEST_GUILESS_MAIN(TrafficCountersTest)
#include "tst_trafficcounters.moc"
