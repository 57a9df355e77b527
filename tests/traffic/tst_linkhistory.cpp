// The link history from scripted counter snapshots: the series it keeps, its bound,
// Clear, and its comma-separated text.
#include "traffic/LinkHistory.h"
#include "traffic/LinkHistoryCsv.h"
#include "traffic/SeriesDecimation.h"

#include <QLocale>
#include <QTest>

namespace {

// The counters as the program has them when an interval ends: cumulative since the
// last "Clear All Statistics" (`countersCleared` marks that one came just before).
struct Snapshot {
    qint64 ms = 0;
    qint64 acks = 0;
    qint64 failed = 0;
    qint64 transmissions = 0;
    qint64 received = 0;
    std::optional<ThroughputFigures> throughput;
    bool countersCleared = false;
};
using Snapshots = QList<Snapshot>;

Snapshot At(qint64 ms, qint64 acks, qint64 failed, qint64 transmissions, qint64 received)
{
    Snapshot s;
    s.ms = ms;
    s.acks = acks;
    s.failed = failed;
    s.transmissions = transmissions;
    s.received = received;
    return s;
}

// The snapshot of a throughput tick that measured these figures.
Snapshot Tick(Snapshot s, double currentKbps, double averageKbps)
{
    s.throughput = ThroughputFigures{currentKbps, averageKbps};
    return s;
}

Snapshot AfterPageClear(Snapshot s)
{
    s.countersCleared = true;
    return s;
}

TrafficCounters CountersOf(const Snapshot& s)
{
    TrafficCounters counters;
    counters.lAcksReceived = s.acks;
    counters.lPacketsFailed = s.failed;
    counters.lTotalTransmissions = s.transmissions;
    counters.lPacketsReceived = s.received;
    return counters;
}

QStringList CsvRows(const LinkHistory& history)
{
    QStringList rows = LinkHistoryCsv(history).split(QStringLiteral("\r\n"));
    rows.removeFirst();  // header
    rows.removeLast();   // after the last line end
    return rows;
}

// (status, retries) of Ack/Nack replies; status -1 = "Clear All Statistics",
// status -2 = the charts' Clear.
using Replies = QList<QPair<int, int>>;
constexpr int kPageClear = -1;
constexpr int kChartsClear = -2;

}  // namespace

Q_DECLARE_METATYPE(Snapshot)

class LinkHistoryTest : public QObject {
    Q_OBJECT

private slots:
    // Columns: time_s, throughput, average, success incl., success not incl., failed, received.
    void intervals_fromCounterSnapshots_data()
    {
        QTest::addColumn<Snapshots>("snapshots");
        QTest::addColumn<QStringList>("rows");

        QTest::newRow("two throughput ticks")
            << Snapshots{Tick(At(1000, 8, 2, 14, 0), 1.6, 1.6),
                         Tick(At(2000, 18, 2, 24, 3), 1.2, 1.4)}
            << QStringList{"0.000,1.600,1.600,80.00,57.14,2,0",
                           "1.000,1.200,1.400,100.00,100.00,0,3"};
        QTest::newRow("no reports: no rates; idle: no throughput")
            << Snapshots{At(500, 0, 0, 0, 4), At(1500, 0, 0, 0, 9)}
            << QStringList{"0.000,,,,,0,4", "1.000,,,,,0,5"};
        QTest::newRow("time counts from the first point")
            << Snapshots{At(5000, 1, 0, 1, 0), Tick(At(6250, 1, 1, 5, 0), 0.08, 0.04)}
            << QStringList{"0.000,,,100.00,100.00,0,0", "1.250,0.080,0.040,0.00,0.00,1,0"};
        QTest::newRow("ack after 25 retries: no transmissions counted")
            << Snapshots{At(1000, 1, 0, 0, 0)} << QStringList{"0.000,,,100.00,0.00,0,0"};
        QTest::newRow("Clear All Statistics between two intervals")
            << Snapshots{At(1000, 50, 0, 50, 10), AfterPageClear(At(2000, 3, 1, 8, 2))}
            << QStringList{"0.000,,,100.00,100.00,0,10", "1.000,,,75.00,37.50,1,2"};
    }
    void intervals_fromCounterSnapshots()
    {
        QFETCH(Snapshots, snapshots);
        QFETCH(QStringList, rows);
        LinkHistory history;
        for (const Snapshot& s : snapshots) {
            if (s.countersCleared)
                history.CountersCleared();
            history.EndInterval(s.ms, CountersOf(s), s.throughput);
        }
        QCOMPARE(CsvRows(history), rows);
    }

    void capacity_dropsTheOldestFirst()
    {
        LinkHistory history(3);
        TrafficCounters counters;
        for (int second = 0; second < 5; ++second) {
            counters.lPacketsReceived += second;
            history.EndInterval(1000 * second, counters);
        }
        QCOMPARE(history.samples().size(), size_t(3));
        const QList<QPointF> received = history.points(LinkSeries::ReceivedPerInterval);
        QCOMPARE(received, (QList<QPointF>{{2, 2}, {3, 3}, {4, 4}}));
    }

    void clear_restartsEverySeries()
    {
        LinkHistory history;
        TrafficCounters counters;
        ApplySendRfDataAck(counters, 1, 0, 3);
        history.FollowDeliveryReport(counters);
        counters.lPacketsReceived = 7;
        history.EndInterval(1000, counters, ThroughputFigures{2, 2});
        history.EndInterval(2000, counters, ThroughputFigures{2, 2});
        const quint64 seriesBefore = history.seriesRevision();
        const quint64 retriesBefore = history.retryRevision();

        history.Clear(counters);
        QVERIFY(history.samples().empty());
        QCOMPARE(history.retryBars(3), (QList<qint64>{0, 0, 0, 0, 0}));
        QVERIFY(history.seriesRevision() != seriesBefore);
        QVERIFY(history.retryRevision() != retriesBefore);

        counters.lPacketsReceived = 9;  // only what came after the Clear counts
        history.EndInterval(7000, counters);
        QCOMPARE(CsvRows(history), QStringList{"0.000,,,,,0,2"});
    }

    void csv_ofASmallHistory()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));  // ',' decimal
        LinkHistory history;
        TrafficCounters counters;
        counters.lAcksReceived = 2;
        counters.lPacketsFailed = 1;
        counters.lTotalTransmissions = 6;
        history.EndInterval(100, counters, ThroughputFigures{12.25, 10.5});
        counters.lPacketsReceived = 1234;
        history.EndInterval(1100, counters);
        QCOMPARE(LinkHistoryCsv(history),
                 QStringLiteral("time_s,throughput_kbps,average_throughput_kbps,"
                                "success_retries_included_pct,success_retries_not_included_pct,"
                                "failed_per_interval,received_per_interval\r\n"
                                "0.000,12.250,10.500,66.67,33.33,1,0\r\n"
                                "1.000,,,,,0,1234\r\n"));
        QLocale::setDefault(QLocale::c());
        QCOMPARE(LinkHistoryCsv(LinkHistory{}).count(QStringLiteral("\r\n")), 1);  // header only
    }

};

QTEST_APPLESS_MAIN(LinkHistoryTest)
#include "tst_linkhistory.moc"
