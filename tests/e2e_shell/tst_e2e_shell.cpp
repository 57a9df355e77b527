#include "link/SerialLink.h"
#include "platform/SettingsStore.h"
#include "support/SimulatorProcess.h"
#include "support/WindowHarness.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {

// Every port number but `simulated` names a device that does not exist, so the search
// does not wander over the machine's real serial ports.
void PointOtherPortsNowhere(int simulated)
{
    for (int p = 1; p <= 8; ++p)
        if (p != simulated)
            PointPortAt(p, QStringLiteral("/nonexistent/orvalis-com%1").arg(p));
}

}  // namespace

class TestE2eShell : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearSettingsStore(); }
    void startUp_findsTheModuleOnPort3At38400();
    void sigterm_closesLikeExit_andSavesSettings();
};

void TestE2eShell::startUp_findsTheModuleOnPort3At38400()
{
    SimulatorProcess sim(3);
    QVERIFY2(sim.start({"--baud", "38400"}), qPrintable(sim.failure()));
    PointPortAt(3, sim.linkPath());
    PointOtherPortsNowhere(3);

    frmQVOrvalisETMain window;
    QCOMPARE(window.statusPanelText(1), QStringLiteral("Comm Port: 3"));
    QCOMPARE(window.statusPanelText(2), QStringLiteral("Baud Rate: 38400"));
    QCOMPARE(SettingsStore::ReadText("Properties", "COMPort", ""), QStringLiteral("3"));
    QCOMPARE(SettingsStore::ReadText("Properties", "BaudRate", ""), QStringLiteral("38400"));
    QVERIFY(window.link().port().isOpen());
    // The module answered only at its own rate: every probe before 38400 was ignored.
    const QStringList trace = sim.traceLines().filter(QStringLiteral("H>M"));
    QVERIFY(!trace.filter(QRegularExpression(QStringLiteral(" 9600 01 05 03 09 04 ignored"))).isEmpty());
    QVERIFY(!trace.filter(QRegularExpression(QStringLiteral(" 38400 01 05 03 09 04 ?$"))).isEmpty());
}

void TestE2eShell::sigterm_closesLikeExit_andSavesSettings()
{
    QTemporaryDir home;
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", home.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    tool.setProcessEnvironment(env);
    // No module anywhere: the search ends quickly.
    {
        QSettings store(home.path() + "/QV Orvalis Evaluation Tool.conf", QSettings::IniFormat);
        for (int p = 1; p <= 8; ++p)
            store.setValue(QStringLiteral("Ports/COM%1").arg(p), "/nonexistent/port");
    }
    tool.start(QStringLiteral(ORVALIS_ET), {});
    QVERIFY(tool.waitForStarted());
    QTest::qWait(2000);  // let start-up finish and the event loop run
    ::kill(static_cast<pid_t>(tool.processId()), SIGTERM);
    QVERIFY(tool.waitForFinished(10000));
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tool.exitCode(), 0);
    QSettings saved(home.path() + "/QV Orvalis Evaluation Tool.conf", QSettings::IniFormat);
    QCOMPARE(saved.value("Settings/Transceiver ID").toString(), QStringLiteral("1"));
    QCOMPARE(saved.value("Settings/File Path").toString(), QStringLiteral("c:\\QVOrvalis\\Log\\"));
}

QTEST_MAIN(TestE2eShell)
#include "tst_e2e_shell.moc"
