// The "Test Settings" page bound to the test mode commands, in the real window.
#include "link/LinkSession.h"
#include "protocol/MessageCatalogue.h"
#include "support/Hex.h"
#include "support/WindowHarness.h"
#include "testmode/TestModeCodec.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

namespace {

const QStringList kRfData = {"frameRfData", "txtRFData", "cmdSendSingleMsg"};
const QStringList kEditor = {"txtMainADividerCoefficient0", "comboDetectEnable",
                             "txtReferenceDividerCoefficient", "comboOOKXS", "txtTCOUNT",
                             "optMode0", "comboTransmit", "cmdSetRegisters"};
const QStringList kAlways = {"optTestModeEnabled", "cmdGetRegisters", "checkStandby"};

// From empty settings, start-up finds port 1 but no module there; the port is then opened so
// that commands go out.
struct Window {
    VirtualClock clock;  // first: the window's timers run on it
    WindowHarness h{[](FakeSerialPort& p) { ClearSettingsStore(), p.setOnlyPortsAvailable({1}); }};
    Window() { h.port->selectPort(1), h.port->open(); }

    QComboBox* list(const QString& name) const { return h.find<QComboBox>(name); }
    QLineEdit* box(const QString& name) const { return h.find<QLineEdit>(name); }
    QAbstractButton* button(const QString& name) const { return h.find<QAbstractButton>(name); }
    void click(const char* name) const
    {
        button(name)->click();
        h.window->link().transmit().StopMsgTimeoutTimer();  // no module answers
    }
    // Those of the named controls the user can reach.
    QStringList usable(QStringList names = kEditor + kRfData + kAlways) const
    {
        names.removeIf([this](const QString& name) { return !h.find<QWidget>(name)->isEnabled(); });
        return names;
    }
    QString record() const { return HexText(EncodeTestModeSettings(h.window->testModeSettings())); }
    // What the controls show, as a block.
    QString shown() const
    {
        TestModeSettings shown;
        for (const TestModeFieldSpec& f : TestModeFieldTable())
            if (QComboBox* combo = list("combo" + f.name))
                FieldValue(shown, f.id) = qint16(combo->currentIndex());
            else if (QLineEdit* edit = box("txt" + f.name))
                FieldValue(shown, f.id) = qint16(edit->text().toInt());
        shown.Standby = button("checkStandby")->isChecked();
        shown.Mode = button("optMode1")->isChecked();
        return HexText(EncodeTestModeSettings(shown));
    }
};

}  // namespace

class TestTestModeUi : public QObject {
    Q_OBJECT
private slots:
    // The controls show the record, in user mode too; each kind of control writes into the
    // record that Set Registers sends; the mode panel follows each switch's command.
    void editor_boundToRecord()
    {
        Window w;
        QStringList atWrite;
        w.h.port->setResponder([&](FakeSerialPort&, const QByteArray& written) {
            atWrite << HexText(written) + w.h.window->statusPanelText(3);
        });
        QCOMPARE(w.shown(), w.record());
        QCOMPARE(w.usable(), kRfData + kAlways);
        w.click("optTestModeEnabled");
        QCOMPARE(w.usable(), kEditor + kAlways);
        w.box("txtMainADividerCoefficient0")->setText("40");  // held to 31
        w.list("comboPA0")->setCurrentText("20 dB");
        w.list("comboTransmit")->setCurrentText("Pattern");  // TXM Sync
        w.click("optMode1");
        w.click("checkStandby");
        w.click("cmdSetRegisters");
        w.click("optTestModeDisabled");
        QCOMPARE(w.usable(), kRfData + kAlways);
        // PA0 3 has no entry, TCOUNT 200 shows as 31; Transmit Low keeps the reported TXM Sync.
        w.h.port->feedReceived(BuildFrame(MessageCode::TestModeSettings,
                                          Hex("E2 18 FC 01 3A 8D 2C 35 45 00 30 C8 00")));
        QCOMPARE(w.shown(), w.record());
        QCOMPARE(w.record(), QString("A2 18 FC 01 3A 8D 2C 35 45 00 30 1F 00 "));
        QCOMPARE(atWrite, (QStringList{
            "01 06 11 01 19 04 Status: No transceiver detected",  // the port opened behind the search
            "01 12 12 A2 18 5C 01 3A FD 45 3E 45 00 30 04 00 6F 04 Status:  Test Mode",
            "01 06 11 00 18 04 Status:  Test Mode"}));
    }

    // Test mode only takes the RF data controls away: a repetition goes on, its stop out
    // of reach until user mode.
    void repetition_goesOnInTestMode()
    {
        Window w;
        w.box("txtRFData")->setText("AB");
        w.button("cmdSendSingleRepeatedMsg")->click();
        w.button("optTestModeEnabled")->click();
        w.h.port->clearRecords();
        w.clock.advance(3000);
        QVERIFY(w.h.port->writes().size() >= 2);
        QCOMPARE(int(w.h.port->writes().last().bytes.at(2)), MessageCode::SendRfData);
        QCOMPARE(w.usable({"cmdSendSingleRepeatedMsg"}), QStringList());
        w.click("optTestModeDisabled");
        QCOMPARE(w.usable({"cmdSendSingleRepeatedMsg", "cmdSendRandomRepeatedMsg"}),
                 QStringList{"cmdSendSingleRepeatedMsg"});  // "Stop Repeat" only
    }
};

QTEST_MAIN(TestTestModeUi)
#include "tst_testmodeui.moc"
