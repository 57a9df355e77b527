// The same repetition (fixed simulator seed, not-acknowledged messages, retries) run
// from the window and from orvalis-cli gives the same figures and the same message log.
#include "e2e_cli/CliProcess.h"
#include "support/SimulatorProcess.h"
#include "support/Waiting.h"
#include "support/WindowHarness.h"
#include "ui/widgets/UserPrompts.h"

#include <QCheckBox>
#include <QFile>
#include <QJsonArray>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

namespace {

const QStringList kModule{"--nack", "0.3", "--max-retries", "3", "--seed", "21"};
constexpr int kCount = 10;

// The log file's lines with the times of its start and end taken out.
QStringList LogLinesWithoutTimes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {"cannot read " + path};
    QStringList lines = QString::fromLatin1(file.readAll()).split("\r\n");
    lines.replaceInStrings(QRegularExpression("^(Log Started|Log Ended): .*"), "\\1:");
    return lines;
}

bool StartModule(SimulatorProcess& sim)
{
    ClearSettingsStore();
    if (!sim.start(kModule))
        return false;
    PointPortAt(1, sim.linkPath());
    for (int p = 2; p <= 8; ++p)
        PointPortAt(p, QStringLiteral("/nonexistent/orvalis-com%1").arg(p));
    return true;
}

}  // namespace

class TestCliMatchesWindow : public QObject {
    Q_OBJECT
private slots:
    void repetition_sameFiguresAndLog()
    {
        QTemporaryDir windowDir, cliDir;
        TrafficCounters shown;
        {
            SimulatorProcess sim(1);
            QVERIFY2(StartModule(sim), qPrintable(sim.failure()));
            UserPrompts::SetAnswersForTesting({{}, {}, [&](const UserPrompts::FileDialogRequest&) {
                                                   return windowDir.filePath("run.olf");
                                               }});
            frmQVOrvalisETMain window;
            QVERIFY(StartUpEnded(window));
            window.findChild<QCheckBox*>("chkSaveLogToFile")->click();
            QTest::keyClicks(window.findChild<QLineEdit*>("txtRFData"), "HELLO");
            auto* repeat = window.findChild<QPushButton*>("cmdSendSingleRepeatedMsg");
            repeat->click();
            const TrafficCounters& host = window.counters();
            QVERIFY(WaitWhileProcessingEvents([&] { return host.lPacketsSent == kCount; }, 10000));
            repeat->click();  // "Stop Repeat" before the next 100 ms tick
            QVERIFY(WaitWhileProcessingEvents([&] { return host.lAcksReceived + host.lPacketsFailed == kCount; }, 5000));
            shown = host;
            window.close();  // the log file's closing block
        }
        SimulatorProcess sim(1);
        QVERIFY2(StartModule(sim), qPrintable(sim.failure()));
        const CliResult run = RunCli({"test", "--count", QString::number(kCount), "--data", "HELLO", "--delay", "100",
                                      "--log", cliDir.filePath("run.olf"), "--json"});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        const QJsonObject cli = run.json();

        QCOMPARE(cli["packets_sent"].toInt(), int(shown.lPacketsSent));
        QCOMPARE(cli["acks_received"].toInt(), int(shown.lAcksReceived));
        QCOMPARE(cli["packets_failed"].toInt(), int(shown.lPacketsFailed));
        QVERIFY2(shown.lPacketsFailed > 0 && shown.lRetryDistribution[2] + shown.lRetryDistribution[3] > 0,
                 "the seed gives failures and retries");
        const QJsonArray rows = cli["retry_distribution"].toArray();
        QCOMPARE(rows.size(), 4);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(rows[i].toInt(), int(shown.lRetryDistribution[size_t(i)]));
        QCOMPARE(cli["success_rate_with_retries"].toDouble(), shown.dPktSuccessWithAcks);
        QCOMPARE(cli["success_rate_overall"].toDouble(), shown.dOverallPktSuccess);
        QCOMPARE(LogLinesWithoutTimes(cliDir.filePath("run.olf")), LogLinesWithoutTimes(windowDir.filePath("run.olf")));
    }
};

QTEST_MAIN(TestCliMatchesWindow)
#include "tst_cli_matches_window.moc"
