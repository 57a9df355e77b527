#include "platform/SettingsStore.h"
#include "support/SimulatorProcess.h"
#include "support/WindowHarness.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {

// The tool as a user starts it, with a settings folder of its own in which no port
// number names a device.
struct ToolProcess {
    QTemporaryDir home;
    QProcess process;

    ToolProcess()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", home.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        process.setProcessEnvironment(env);
        QSettings store(settingsPath(), QSettings::IniFormat);
        for (int p = 1; p <= 8; ++p)
            store.setValue(QStringLiteral("Ports/COM%1").arg(p), "/nonexistent/port");
    }
    QString settingsPath() const { return home.path() + "/QV Orvalis Evaluation Tool.conf"; }
    void start(const QStringList& arguments) { process.start(QStringLiteral(ORVALIS_ET), arguments); }
};

}  // namespace

// As a user starts it, with a device and a rate on the command line: the search looks
// there only, and SIGTERM closes the window as "E&xit" does, saving the settings.
class TestE2eShell : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearSettingsStore(); }
    void commandLine_portDeviceAndRate_searchOnlyThere_sigtermSavesSettings()
    {
        SimulatorProcess sim;
        QVERIFY2(sim.start({"--baud", "38400"}), qPrintable(sim.failure()));
        ToolProcess run;  // the settings name no port: the device comes from the command line
        run.start({"--port", sim.linkPath(), "--baud", "38400"});
        QVERIFY(run.process.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(!sim.traceLines().filter("M>H").isEmpty(), 10000);
        ::kill(static_cast<pid_t>(run.process.processId()), SIGTERM);
        QVERIFY(run.process.waitForFinished(10000));
        QCOMPARE(run.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.process.exitCode(), 0);
        // One probe, at the rate asked for, answered; the rate found is not remembered.
        const QStringList probes = sim.traceLines().filter("H>M").filter("01 05 03 09 04");
        QCOMPARE(probes.size(), 1);
        QVERIFY2(probes.constFirst().contains(" 38400 "), qPrintable(probes.constFirst()));
        QSettings saved(run.settingsPath(), QSettings::IniFormat);
        QVERIFY(!saved.contains("Properties/BaudRate"));
        QCOMPARE(saved.value("Settings/Transceiver ID").toString(), QStringLiteral("1"));
        // First run: message logs go to the user's documents folder.
        QCOMPARE(saved.value("Settings/File Path").toString(), QDir::homePath() + "/Documents/");
    }
};

QTEST_MAIN(TestE2eShell)
#include "tst_e2e_shell.moc"
