// The configuration pages of the real program (QSerialPort) against the module simulator.
#include "ui/widgets/ValueColours.h"
#include "link/LinkSession.h"
#include "support/Waiting.h"
#include "support/LayoutLoopGuard.h"
#include "support/SimulatorProcess.h"
#include "support/WindowHarness.h"
#include "ui/CommunicationsLogView.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTabBar>
#include <QtTest>

namespace {

const QStringList kBoxes{"txtTransceiverID2", "txtNetworkID2",    "txtSystemID2",
                         "txtSetHopTable2",   "txtSetRFRetries2", "txtRFSingleChannel2"};

// Clicks the button, then waits until its request is answered or has timed out.
bool ClickAndSettle(frmQVOrvalisETMain& window, const char* button)
{
    window.findChild<QAbstractButton*>(button)->click();
    return LinkSettles(window.link());
}

// Each box's text while it shows the confirmed colour, else "unconfirmed".
QStringList ConfirmedTexts(frmQVOrvalisETMain& window)
{
    QStringList texts;
    for (const QString& name : kBoxes) {
        const auto* box = window.findChild<QLineEdit*>(name);
        texts << (TextColour(box) == ConfirmedColour() ? box->text() : QString("unconfirmed"));
    }
    return texts;
}

// Port 1 leads to the module; the other ports lead nowhere, so the search is short.
void PointPortsAtModule(const SimulatorProcess& module)
{
    PointPortAt(1, module.linkPath());
    for (int p = 2; p <= 8; ++p)
        PointPortAt(p, QStringLiteral("/nonexistent/COM%1").arg(p));
}

}  // namespace

class TestE2eConfig : public QObject {
    Q_OBJECT
private slots:
    void unconfiguredModule_isProvisionedOnOpen_thenSetAndGetRoundTrip();
    void setBaudrate57600_hostFollows_andIsStillAnswered();
    void sleepThenGetVersion_wakesTheModule_andTheWindowStaysResponsive();
};

// A module that reports neither IDs nor settings gets both, IDs first, from the page
// values; after that, what is set comes back from it over local edits never sent.
void TestE2eConfig::unconfiguredModule_isProvisionedOnOpen_thenSetAndGetRoundTrip()
{
    ClearSettingsStore();
    SettingsStore::WriteText("Settings", "Transceiver ID", "300");
    SettingsStore::WriteText("Settings", "Single Channel", "7");
    SimulatorProcess module;
    QVERIFY2(module.start({"--status", "0,0"}), qPrintable(module.failure()));
    PointPortsAtModule(module);
    frmQVOrvalisETMain window;
    QVERIFY(StartUpEnded(window));
    QTRY_COMPARE_WITH_TIMEOUT(ConfirmedTexts(window),
                              (QStringList{"300", "1", "1", "0", "3", "7"}), 5000);
    const QString trace = module.traceLines().join('\n');
    const auto setIds = trace.indexOf("H>M 19200 01 0B 02 2C 01 01 00 01 00 3D 04");
    const auto setSettings = trace.indexOf("H>M 19200 01 0C 08 00 01 03 00 01 07 00 21 04");
    QVERIFY2(setIds >= 0 && setIds < setSettings, qPrintable(trace));

    const QStringList set{"65535", "2", "7", "5", "10", "33"};
    for (int i = 0; i < kBoxes.size(); ++i)
        window.findChild<QLineEdit*>(kBoxes[i])->setText(set[i]);
    QVERIFY(ClickAndSettle(window, "cmdSetIDs"));
    QVERIFY(ClickAndSettle(window, "cmdSetProgrammableSettings"));
    for (const QString& name : kBoxes)
        window.findChild<QLineEdit*>(name)->setText("1");  // never sent
    QVERIFY(ClickAndSettle(window, "cmdGetIDs"));
    QVERIFY(ClickAndSettle(window, "cmdGetProgrammableSettings"));
    QCOMPARE(ConfirmedTexts(window), set);
}

void TestE2eConfig::setBaudrate57600_hostFollows_andIsStillAnswered()
{
    ClearSettingsStore();
    SimulatorProcess module;
    QVERIFY2(module.start(), qPrintable(module.failure()));
    PointPortsAtModule(module);
    frmQVOrvalisETMain window;
    QVERIFY(StartUpEnded(window));
    QCOMPARE(window.statusPanelText(2), QStringLiteral("Baud Rate: 19200"));
    window.findChild<QAbstractButton*>("optTransceiverBaudrate3")->setChecked(true);
    window.findChild<QAbstractButton*>("cmdSetTransceiverBaudrate")->click();
    QTRY_COMPARE_WITH_TIMEOUT(window.statusPanelText(2), QStringLiteral("Baud Rate: 57600"), 8000);
    QCOMPARE(SettingsStore::ReadText("Properties", "BaudRate", ""), QStringLiteral("57600"));
    window.findChild<QLineEdit*>("txtNetworkID2")->setText("9");
    QVERIFY(ClickAndSettle(window, "cmdGetIDs"));
    QCOMPARE(window.findChild<QLineEdit*>("txtNetworkID2")->text(), QStringLiteral("1"));
    QVERIFY(!module.traceLines().filter(QRegularExpression("H>M 57600 01 05 03 09 04$")).isEmpty());
}

// Waking the module logs lines wider than the list: the window on screen must lay the
// list out once and go on serving events.
void TestE2eConfig::sleepThenGetVersion_wakesTheModule_andTheWindowStaysResponsive()
{
    ClearSettingsStore();
    SimulatorProcess module;
    QVERIFY2(module.start(), qPrintable(module.failure()));
    PointPortsAtModule(module);
    frmQVOrvalisETMain window;
    QVERIFY(StartUpEnded(window));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.statusPanelText(2), QStringLiteral("Baud Rate: 19200"));
    CommunicationsLogView& list = window.messageList();
    LayoutLoopGuard guard(list);

    window.findChild<QTabBar*>("TabStrip1")->setCurrentIndex(1);  // "RF Settings"
    QVERIFY(ClickAndSettle(window, "cmdSleep2"));
    QVERIFY(list.lines().first().startsWith("TXCVR->Host (Set Sleep Mode Ack): "));
    QVERIFY(ClickAndSettle(window, "cmdGetFirmwareVersion"));
    QVERIFY2(list.lines().first().startsWith("TXCVR->Host (Received Firmware Version): "),
             qPrintable(list.lines().first()));
    QVERIFY(!guard.tripped());
    QVERIFY(guard.settle());
    QVERIFY(list.horizontalScrollBar()->maximum() > 0);  // the reply is wider than the list
}

QTEST_MAIN(TestE2eConfig)
#include "tst_e2e_config.moc"
