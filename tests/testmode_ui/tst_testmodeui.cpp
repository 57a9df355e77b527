#include "link/LinkSession.h"
#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"
#include "support/Hex.h"
#include "support/WindowHarness.h"
#include "testmode/TestModeCodec.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

namespace {

using F = TestModeField;
const QByteArray kInitialBlock = Hex("22 18 5C 01 32 0D 45 34 45 00 30 04 00");
const QStringList kRfData = {"frameRfData", "txtRFData", "cmdSendSingleMsg"};
const QStringList kRegisterControls = {
    "txtMainADividerCoefficient0", "comboDetectEnable", "txtReferenceDividerCoefficient",
    "comboOOKXS", "txtTCOUNT", "optMode0", "comboTransmit", "cmdSetRegisters"};

// Those of the named controls the user can reach; a missing one is marked with "?".
QStringList Usable(const WindowHarness& w, const QStringList& names)
{
    QStringList usable;
    for (const QString& name : names)
        if (const QWidget* control = w.find<QWidget>(name); !control || control->isEnabled())
            usable << (control ? name : name + '?');
    return usable;
}

// Start-up finds port 1 but no module there; the port is then opened so that commands go out.
std::unique_ptr<WindowHarness> OpenWindow(bool testMode)
{
    auto w = std::make_unique<WindowHarness>([](auto& p) { p.setOnlyPortsAvailable({1}); });
    w->port->selectPort(1);
    w->port->open();
    if (testMode) {
        w->find<QAbstractButton>("optTestModeEnabled")->setChecked(true);
        w->window->link().transmit().StopMsgTimeoutTimer();  // no module answers
        w->port->clearRecords();
    }
    return w;
}

QByteArray Reply(const QByteArray& block)
{
    return BuildFrame(MessageCode::TestModeSettings, block);
}

}  // namespace

class TestTestModeUi : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearSettingsStore(); }

    void userMode_editorShowsRecord_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QByteArray>("shown");  // as a block
        QTest::addColumn<QString>("xtal");
        // The initial block but PA0 3, XTAL Tune 7, Main B-DC 300, TCOUNT 200 (shown 31), Standby,
        // Mod with TXM 0: PA0 keeps its selection, TXM 0 outlasts Mod's coupling.
        const QByteArray sent = Hex("E2 18 FC 01 32 CD 2C 35 45 00 30 C8 00");
        QTest::newRow("start-up") << QByteArray() << kInitialBlock << "17.90pF";
        QTest::newRow("147 reply") << Reply(sent) << Hex("22 18 FC 01 32 CD 2C 35 45 00 30 1F 00")
                                   << "29.57pF";
        QTest::newRow("short reply") << Reply(sent.left(12)) << kInitialBlock << "17.90pF";
    }

    void userMode_editorShowsRecord()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QByteArray, shown);
        auto w = OpenWindow(false);
        w->port->feedReceived(reply);
        QCOMPARE(HexText(EncodeTestModeSettings(w->window->testModeSettings())), HexText(shown));
        const TestModeSettings expected = *DecodeTestModeSettings(shown);
        for (const TestModeFieldSpec& f : TestModeFieldTable()) {
            if (auto* combo = w->find<QComboBox>("combo" + f.name))
                QVERIFY2(combo->currentIndex() == FieldValue(expected, f.id), qPrintable(f.name));
            if (auto* box = w->find<QLineEdit>("txt" + f.name))
                QCOMPARE(box->text(), QString::number(FieldValue(expected, f.id)));
        }
        QCOMPARE(w->find<QAbstractButton>("checkStandby")->isChecked(), expected.Standby == 1);
        QTEST(w->find<QComboBox>("comboXTALTune")->currentText(), "xtal");
        const QStringList usable = {"cmdGetRegisters", "optTestModeEnabled", "checkStandby"};
        QCOMPARE(Usable(*w, kRegisterControls + usable), usable);
    }

    void boxEdit_appliesRangeRule_data()
    {
        QTest::addColumn<TestModeField>("field");
        QTest::addColumn<QString>("typed");  // pasted over the box's "5"
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("stored");
        QTest::newRow("40 in 0..31") << F::MainADividerCoefficient0 << "40" << "31" << 31;
        QTest::newRow("-3") << F::TCOUNT << "-3" << "0" << 0;
        QTest::newRow("a letter") << F::MainBDividerCoefficient1 << "x" << "5" << 5;
        QTest::newRow("2.5") << F::DemTune << "2.5" << "2.5" << 2;
        QTest::newRow("6.5") << F::DemTune << "6.5" << "6.5" << 6;
        QTest::newRow("6.6") << F::DemTune << "6.6" << "6.6" << 7;
    }

    void boxEdit_appliesRangeRule()
    {
        QFETCH(TestModeField, field);
        QFETCH(QString, typed);
        auto w = OpenWindow(true);
        QLineEdit* box = w->find<QLineEdit>("txt" + TestModeFieldInfo(field).name);
        box->setText("5");
        box->selectAll();
        box->insert(typed);
        QTEST(box->text(), "shown");
        QTEST(int(FieldValue(w->window->testModeSettings(), field)), "stored");
    }

    void transmit_setsTxm()
    {
        auto w = OpenWindow(true);
        w->find<QComboBox>("comboTransmit")->setCurrentText("Pattern");
        QCOMPARE(w->find<QComboBox>("comboTXM")->currentText(), QString("Sync"));
        w->find<QComboBox>("comboTransmit")->setCurrentText("High");
        QCOMPARE(w->find<QComboBox>("comboTXM")->currentText(), QString("Async"));
    }

    void enabledAndDisabled_switchInTheirOrder()
    {
        auto w = OpenWindow(false);
        QStringList atWrite;  // the screen as each command goes out
        w->port->setResponder([&](FakeSerialPort&, const QByteArray& written) {
            atWrite << HexText(written) + w->window->statusPanelText(3);
        });
        w->find<QAbstractButton>("optTestModeEnabled")->setChecked(true);
        QCOMPARE(Usable(*w, kRegisterControls + kRfData), kRegisterControls);
        w->window->link().transmit().StopMsgTimeoutTimer();
        w->find<QAbstractButton>("optTestModeDisabled")->setChecked(true);
        QCOMPARE(Usable(*w, kRegisterControls + kRfData), kRfData);
        QCOMPARE(atWrite, (QStringList{"01 06 11 01 19 04 Status:  User Mode",
                                       "01 06 11 00 18 04 Status:  Test Mode"}));
    }

    void setRegisters_sendsListSelection_notUnlistedCode()
    {
        auto w = OpenWindow(true);
        auto* set = w->find<QAbstractButton>("cmdSetRegisters");
        set->click();
        w->window->link().transmit().StopMsgTimeoutTimer();
        w->find<QComboBox>("comboPA0")->setCurrentText("20 dB");
        w->port->feedReceived(Reply(Hex("E2 18 5C 01 32 0D 45 34 45 00 30 04 00")));  // PA0 3
        set->click();
        QCOMPARE(HexText(w->port->writtenData()),
                 QString("01 12 12 22 18 5C 01 32 0D 45 34 45 00 30 04 00 ED 04 "
                         "01 12 12 A2 18 5C 01 32 0D 45 34 45 00 30 04 00 6D 04 "));
    }

    void repetition_goesOnInTestMode_withStopOutOfReach()
    {
        auto w = OpenWindow(false);
        auto* repeat = w->find<QAbstractButton>("cmdSendSingleRepeatedMsg");
        w->find<QLineEdit>("txtRFData")->setText("AB");
        repeat->click();
        w->find<QAbstractButton>("optTestModeEnabled")->setChecked(true);
        w->port->feedReceived(BuildFrame(MessageCode::EnableDisableTestModeAck, QByteArray(1, 0)));
        w->port->clearRecords();
        QTRY_VERIFY_WITH_TIMEOUT(w->port->writes().size() >= 2, 5000);
        QCOMPARE(int(w->port->writes().last().bytes.at(2)), MessageCode::SendRfData);
        QVERIFY(!repeat->isEnabled());
        w->find<QAbstractButton>("optTestModeDisabled")->setChecked(true);
        QVERIFY(repeat->isEnabled());  // "Stop Repeat" is back in reach, but no second repetition
        QVERIFY(!w->find<QAbstractButton>("cmdSendRandomRepeatedMsg")->isEnabled());
    }
};

QTEST_MAIN(TestTestModeUi)
#include "tst_testmodeui.moc"
