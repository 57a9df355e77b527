// The link history from scripted counter snapshots: the series it keeps, its bound,
// Clear, and its comma-separated text.
#include "platform/ProtocolTimer.h"
#include "traffic/LinkHistoryCsv.h"
#include "traffic/LinkHistoryRecorder.h"

#include <QLocale>
#include <QTest>

namespace {

// The counters when an interval ends, cumulative since the last "Clear All Statistics":
// ms, acks, failed, transmissions, received, then optionally the throughput tick's current
// and average kbps; a leading -1 marks a "Clear All Statistics" just before.
using Snapshots = QList<QList<double>>;

QStringList CsvRows(const LinkHistory& history)
{
    QStringList rows = LinkHistoryCsv(history).split(QStringLiteral("\r\n"));
    rows.removeFirst();  // header
    rows.removeLast();   // after the last line end
    return rows;
}

}  // namespace


class LinkHistoryTest : public QObject {
    Q_OBJECT

private slots:
    // Columns: time_s, throughput, average, success incl., success not incl., failed, received.
    void intervals_fromCounterSnapshots_data()
    {
        QTest::addColumn<Snapshots>("snapshots");
        QTest::addColumn<QStringList>("rows");

        QTest::newRow("two throughput ticks")
            << Snapshots{{1000, 8, 2, 14, 0, 1.6, 1.6}, {2000, 18, 2, 24, 3, 1.2, 1.4}}
            << QStringList{"0.000,1.600,1.600,80.00,57.14,2,0",
                           "1.000,1.200,1.400,100.00,100.00,0,3"};
        QTest::newRow("no reports: no rates; idle: no throughput; time from the first point")
            << Snapshots{{500, 0, 0, 0, 4}, {1750, 0, 0, 0, 9}}
            << QStringList{"0.000,,,,,0,4", "1.250,,,,,0,5"};
        QTest::newRow("Clear All Statistics between two intervals")
            << Snapshots{{1000, 50, 0, 50, 10}, {-1, 2000, 3, 1, 8, 2}}
            << QStringList{"0.000,,,100.00,100.00,0,10", "1.000,,,75.00,37.50,1,2"};
    }
    void intervals_fromCounterSnapshots()
    {
        QFETCH(Snapshots, snapshots);
        QFETCH(QStringList, rows);
        LinkHistory history;
        for (QList<double> s : snapshots) {
            if (s.first() < 0) {
                history.CountersCleared();
                s.removeFirst();
            }
            TrafficCounters counters;
            counters.lAcksReceived = qint64(s[1]);
            counters.lPacketsFailed = qint64(s[2]);
            counters.lTotalTransmissions = qint64(s[3]);
            counters.lPacketsReceived = qint64(s[4]);
            std::optional<ThroughputFigures> tick;
            if (s.size() > 5)
                tick = ThroughputFigures{s[5], s[6]};
            history.EndInterval(qint64(s[0]), counters, tick);
        }
        QCOMPARE(CsvRows(history), rows);
    }

    // The history keeps a bounded number of intervals, dropping the oldest; Clear restarts
    // every series, and only what comes after it counts.
    void capacityAndClear()
    {
        LinkHistory history(3);
        TrafficCounters counters;
        ApplySendRfDataAck(counters, 1, 0, 3);
        history.FollowDeliveryReport(counters);
        for (int second = 0; second < 5; ++second)
            history.EndInterval(1000 * second, counters, ThroughputFigures{2, 2});
        QCOMPARE(history.points(LinkSeries::IntervalKbps).first().x(), 2.0);
        history.Clear(counters);
        QVERIFY(history.samples().empty());
        QCOMPARE(history.retryBars(3), (QList<qint64>{0, 0, 0, 0, 0}));
        counters.lPacketsReceived = 9;
        history.EndInterval(7000, counters);
        QCOMPARE(CsvRows(history), QStringList{"0.000,,,,,0,9"});
    }

    // Asleep when idle, the recorder fills the quiet seconds in later as a ticking timer would.
    void sleepingRecorder_keepsTheIntervalsOfATickingOne_data()
    {
        QTest::addColumn<QString>("events");  // ms:what, r received, a/f acked/failed, s/t/e repeat start/tick/end
        QTest::newRow("frames after quiet spells") << "3200:r 3300:a 7900:f";
        QTest::newRow("frames as seconds end") << "2000:r 5000:r 5999:a";
        QTest::newRow("a repetition") << "2300:s 2550:t 2800:t 2900:e 6000:r";
    }
    void sleepingRecorder_keepsTheIntervalsOfATickingOne()
    {
        QFETCH(QString, events);
        VirtualClock clock;
        TrafficCounters counters;
        ProtocolTimer tmrThroughput("tmrThroughput");
        LinkHistoryRecorder ticking(counters, tmrThroughput), sleeping(counters, tmrThroughput);
        ticking.SetChartsShown(true);
        for (const QString& event : events.split(' ', Qt::SkipEmptyParts)) {
            clock.advance(event.chopped(2).toInt() - int(clock.now()));
            const QChar what = event.back();
            if (what == 'a' || what == 'f')
                ApplySendRfDataAck(counters, what == 'a', 1, 3);
            counters.lPacketsReceived += what == 'r';
            what == 's' ? tmrThroughput.start(60000) : what == 'e' ? tmrThroughput.stop() : void();
            for (LinkHistoryRecorder* recorder : {&ticking, &sleeping})
                what == 't' ? recorder->ThroughputTicked(1, 1)
                : what == 'a' || what == 'f' ? recorder->DeliveryReported() : recorder->TrafficSeen();
        }
        clock.advance(9500 - int(clock.now()));
        QVERIFY(ticking.history().samples().size() >= 9);
        QCOMPARE(CsvRows(sleeping.history()), CsvRows(ticking.history()));
    }

    // A header line, then a point per interval, '.' as decimal point whatever the locale.
    void csv_ofASmallHistory()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        LinkHistory history;
        history.EndInterval(100, TrafficCounters{}, ThroughputFigures{12.25, 10.5});
        QCOMPARE(LinkHistoryCsv(history),
                 QStringLiteral("time_s,throughput_kbps,average_throughput_kbps,"
                                "success_retries_included_pct,success_retries_not_included_pct,"
                                "failed_per_interval,received_per_interval\r\n"
                                "0.000,12.250,10.500,,,0,0\r\n"));
        QLocale::setDefault(QLocale::c());
    }
};

QTEST_GUILESS_MAIN(LinkHistoryTest)
#include "tst_linkhistory.moc"
