#include "traffic/TrafficCounters.h"

#include <QTest>

#include <limits>

class TrafficCountersTest : public QObject {
    Q_OBJECT

private slots:
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
        counters.lAcksReceived = std::numeric_limits<qint32>::max();
        counters.lPacketsSent = counters.lAcksReceived + 1;
        CountDataBytesHandedOut(counters, 360);
        QCOMPARE(counters.lTotalBytesSent, qint64(std::numeric_limits<qint32>::max()) + 350);
        QCOMPARE(ThroughputTick(counters, 1000), QStringLiteral("2.9 kbps   (2.9 kbps)"));
        ComputeSuccessRates(counters);
        QVERIFY(counters.dPktSuccessWithAcks > 99.9 && counters.dPktSuccessWithAcks <= 100.0);
    }
};

QTEST_GUILESS_MAIN(TrafficCountersTest)
#include "tst_trafficcounters.moc"
