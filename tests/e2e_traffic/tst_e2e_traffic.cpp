// A random repetition against the module simulator while a peer sends: the host agrees
// with the module, and the link charts follow it.
#include "link/LinkSession.h"
#include "support/Waiting.h"
#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"
#include "support/ChartReading.h"
#include "support/SimulatorProcess.h"
#include "support/WindowHarness.h"
#include "ui/LinkChartsWindow.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestE2eTraffic : public QObject {
    Q_OBJECT
private slots:
    void randomRepetition_hostFiguresMatchTheModule()
    {
        ClearSettingsStore();
        SimulatorProcess sim(1);
        QVERIFY2(sim.start({"--nack", "0.2", "--max-retries", "3", "--seed", "1", "--peer-interval", "300"}),
                 qPrintable(sim.failure()));
        PointPortAt(1, sim.linkPath());
        for (int p = 2; p <= 8; ++p)  // the other ports lead nowhere
            PointPortAt(p, QStringLiteral("/nonexistent/orvalis-com%1").arg(p));
        frmQVOrvalisETMain window;
        QVERIFY(StartUpEnded(window));
        QVERIFY(window.link().port().isOpen());
        window.findChild<QAction*>("mnuLinkCharts")->trigger();
        const QWidget& charts = *window.findChild<LinkChartsWindow*>();
        auto* repeat = window.findChild<QPushButton*>("cmdSendRandomRepeatedMsg");
        repeat->click();
        PauseWhileProcessingEvents(3000);
        repeat->click();
        const TrafficCounters& host = window.counters();  // until every message sent has its outcome
        QVERIFY(WaitWhileProcessingEvents([&] { return host.lAcksReceived + host.lPacketsFailed == host.lPacketsSent; }, 5000));

        // Trace lines: "<ms> H>M|M>H <rate> <hex bytes> [ignored]".
        int sent = 0, transmissions = 0;
        QList<int> reports(5);  // acknowledged after 0 .. 3 retries, then failed
        for (const QString& line : sim.traceLines()) {
            const QStringList fields = line.split(' ', Qt::SkipEmptyParts);
            const QByteArray frame = BytesFromHexText(fields.mid(3).join(' '));
            const int type = frame.size() > 5 ? quint8(frame.at(2)) : -1;
            if (fields.value(1) == "H>M" && type == MessageCode::SendRfData)
                sent += line.endsWith("ignored") ? 0 : 1;
            if (fields.value(1) != "M>H" || type != MessageCode::SendRfDataAck)
                continue;
            transmissions += 1 + frame.at(5);
            ++reports[frame.at(4) == 1 ? frame.at(5) : 4];
        }
        const int acks = reports[0] + reports[1] + reports[2] + reports[3];
        QVERIFY2(sent >= 15 && acks > 0 && reports[4] > 0, "--nack 0.2 gives both kinds");
        QCOMPARE(int(host.lPacketsSent), sent);
        QCOMPARE(acks + reports[4], sent);  // one report per message
        QCOMPARE(int(host.lAcksReceived), acks);
        QCOMPARE(int(host.lTotalTransmissions), transmissions);
        for (int i = 0; i <= 3; ++i)  // the retry rows
            QCOMPARE(int(host.lRetryDistribution[size_t(i)]), reports[i]);
        QCOMPARE(int(host.lPacketsFailed), reports[4]);

        window.findChild<QPushButton*>("cmdGetStatistics")->click();
        QStringList shown;  // total/unique packets sent, total/unique acks received
        QVERIFY(WaitWhileProcessingEvents([&] {
            shown.clear();
            for (const char* name : {"lblTotalPacketsSent", "lblUniquePacketsSent", "lblTotalAcksReceived", "lblUniqueAcksReceived"})
                shown << window.findChild<QLabel*>(name)->text();
            return shown.first() != "-";
        }, 5000));
        QCOMPARE(shown, (QStringList{QString::number(transmissions), QString::number(sent),
                                     QString::number(acks), QString::number(acks)}));

        // The peer's messages reach the received count; the charts, open all along, drew the run.
        QVERIFY(host.lPacketsReceived > 0);
        QTRY_COMPARE(window.findChild<QLabel*>("lblTestPktsRcvd")->text().toLongLong(), host.lPacketsReceived);
        const QList<qreal> bars(reports.cbegin(), reports.cend());  // 0 .. 3 retries, failed
        QTRY_COMPARE(RetryBarValues(charts), bars);
    }
};

QTEST_MAIN(TestE2eTraffic)
#include "tst_e2e_traffic.moc"
