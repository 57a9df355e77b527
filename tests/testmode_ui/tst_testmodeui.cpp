#include "config/SpinButtons.h"
#include "link/SerialLink.h"
#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"
#include "support/WindowHarness.h"
#include "testmode/TestModeCodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

using Edits = QList<QPair<QString, QString>>;  // control name, index or text
Q_DECLARE_METATYPE(Edits)
Q_DECLARE_METATYPE(TestModeSettings)

namespace {

int TypeOf(const QByteArray& frame)
{
    return frame.size() > 2 ? quint8(frame[2]) : -1;
}

const QStringList kRegisterControls = {
    "frameRegisterA", "lblMainADividerCoefficient0", "txtMainADividerCoefficient0",
    "UpDownMainADividerCoefficient0", "lblPA0", "comboPA0", "lblTxRx0", "comboTxRx0", "lblPI",
    "comboPI", "lblCPAcc", "comboCPAcc", "lblBND", "comboBND", "frameRegisterB",
    "txtMainBDividerCoefficient1", "UpDownMainBDividerCoefficient1", "comboPA1", "comboTxRx1",
    "comboFSKOOK", "comboPARXED", "lblDetectThreshold", "comboDetectThreshold", "comboDetectEnable",
    "lblRegisterC", "txtReferenceDividerCoefficient", "UpDownReferenceDividerCoefficient",
    "frameRegisterD", "comboRXS", "lblXtalTune", "comboXTALTune", "comboPFDReset", "txtDemTune",
    "comboOOKXS", "frameRegisterE", "comboBRA", "comboBRB", "comboBRC", "comboRXM", "comboTXM",
    "comboTWO", "lblTCOUNT", "txtTCOUNT", "UpDownTCOUNT", "comboPAI", "frameOpMode", "optMode0",
    "optMode1", "frameTransmit", "comboTransmit", "cmdSetRegisters"};
const QStringList kAlwaysUsable = {"cmdGetRegisters", "FrameTestMode", "optTestModeEnabled",
                                   "optTestModeDisabled", "frameRegisterC", "frameStandby",
                                   "checkStandby"};
const QStringList kRfDataControls = {
    "frameRfData", "lblRfData", "txtRFData", "lblDestID", "txtDestinationID", "lblPktID",
    "txtPacketID", "lblRepeatDelay", "txtRepeatDelay", "updownRepeatDelay",
    "cmdSendRandomRepeatedMsg", "cmdSendSingleRepeatedMsg", "cmdSendRandomMsg", "cmdSendSingleMsg"};
const QString kInitialSetFrame = "01 12 12 22 18 5C 01 32 0D 45 34 45 00 30 04 00 ED 04";

// A window whose start-up found port 1 (but no module there).
std::unique_ptr<WindowHarness> WindowWithPort()
{
    return std::make_unique<WindowHarness>([](FakeSerialPort& p) { p.setOnlyPortsAvailable({1}); });
}

// The same with port 1 open and nothing recorded yet.
std::unique_ptr<WindowHarness> OpenWindow()
{
    auto w = WindowWithPort();
    w->port->selectPort(1);
    w->port->open();
    w->port->clearRecords();
    return w;
}

QStringList Unexpected(const WindowHarness& w, const QStringList& names, bool enabled)
{
    QStringList wrong;
    for (const QString& name : names) {
        QWidget* control = w.find<QWidget>(name);
        if (!control || control->isEnabled() != enabled)
            wrong << name;
    }
    return wrong;
}
#define VERIFY_ENABLED(w, names, enabled)                                                        \
    QVERIFY2(Unexpected(w, names, enabled).isEmpty(),                                            \
             qPrintable(QString(enabled ? "not usable: " : "usable: ")                          \
                        + Unexpected(w, names, enabled).join(' ')))

#define COMPARE_FRAME(actual, expectedHex)                                                       \
    QVERIFY2((actual) == BytesFromHexText(expectedHex),                                          \
             qPrintable(QString("expected %1, actual %2").arg(expectedHex, HexText(actual))))

// A list's index or a box's text, as a user would set it.
void Apply(WindowHarness& w, const Edits& edits)
{
    for (const auto& [name, value] : edits) {
        if (auto* combo = w.find<QComboBox>(name))
            combo->setCurrentIndex(value.toInt());
        else if (auto* box = w.find<QLineEdit>(name))
            box->setText(value);
        else if (auto* option = w.find<QAbstractButton>(name))
            option->setChecked(value == "1");
        else
            QFAIL(qPrintable("no control " + name));
    }
}

void EnterTestMode(WindowHarness& w)
{
    w.find<QRadioButton>("optTestModeEnabled")->setChecked(true);
    w.window->link().transmit().StopMsgTimeoutTimer();
    w.port->clearRecords();
}

TestModeSettings Initial(std::initializer_list<std::pair<TestModeField, int>> changes)
{
    TestModeSettings settings = InitialTestModeSettings();
    for (const auto& [id, value] : changes)
        FieldValue(settings, id) = qint16(value);
    return settings;
}

QByteArray Reply(const QByteArray& block)
{
    return BuildFrame(MessageCode::TestModeSettings, block);
}

// What each control shows equals the record, and the record equals `expected`.
void CompareShown(WindowHarness& w, const TestModeSettings& expected)
{
    QCOMPARE(HexText(EncodeTestModeSettings(w.window->testModeSettings())),
             HexText(EncodeTestModeSettings(expected)));
    for (const TestModeFieldSpec& field : TestModeFieldTable()) {
        const int value = FieldValue(expected, field.id);
        if (auto* combo = w.find<QComboBox>("combo" + field.name))
            QVERIFY2(combo->currentIndex() == value, qPrintable(field.name));
        if (auto* box = w.find<QLineEdit>("txt" + field.name))
            QCOMPARE(box->text(), QString::number(value));
    }
    QCOMPARE(w.find<QRadioButton>("optMode1")->isChecked(), expected.Mode == 1);
    QCOMPARE(w.find<QRadioButton>("optMode0")->isChecked(), expected.Mode == 0);
    QCOMPARE(w.find<QCheckBox>("checkStandby")->isChecked(), expected.Standby == 1);
}

}  // namespace

class TestTestModeUi : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearSettingsStore(); }
    void startUp_initialValues_userMode_nothingSent();
    void boxEdit_appliesRangeRule_data();
    void boxEdit_appliesRangeRule();
    void upDown_stepsItsOwnBox_data();
    void upDown_stepsItsOwnBox();
    void transmit_couplesTxm_onlyWhenChosen();
    void reply_showsModuleValues_evenInUserMode_data();
    void reply_showsModuleValues_evenInUserMode();
    void shortReply_changesNothing();
    void enabledAndDisabled_switchInTheirOrder();
    void setRegisters_sendsControlsState_data();
    void setRegisters_sendsControlsState();
    void setRegisters_afterUnlistedCode_sendsPreviousSelection();
    void getRegisters_worksInBothModes();
    void repetition_goesOnInTestMode_andKeepsItsButtons();
    void page_fitsItsArea();
};

void TestTestModeUi::startUp_initialValues_userMode_nothingSent()
{
    auto w = WindowWithPort();
    for (const FakeSerialPort::Write& write : w->port->writes())
        QVERIFY2(TypeOf(write.bytes) != MessageCode::EnableDisableTestMode,
                 qPrintable(HexText(write.bytes)));
    QCOMPARE(w->find<QLineEdit>("txtMainADividerCoefficient0")->text(), QString("26"));
    QCOMPARE(w->find<QLineEdit>("txtMainBDividerCoefficient0")->text(), QString("69"));
    QCOMPARE(w->find<QComboBox>("comboBND")->currentText(), QString("868-915MHz"));
    QCOMPARE(w->find<QComboBox>("comboXTALTune")->currentText(), QString("17.90pF"));
    QCOMPARE(w->find<QComboBox>("comboRXM")->currentText(), QString("Self Train"));
    QCOMPARE(w->find<QComboBox>("comboTransmit")->currentText(), QString("Low"));
    CompareShown(*w, InitialTestModeSettings());
    QVERIFY(w->find<QRadioButton>("optTestModeDisabled")->isChecked());
    QVERIFY(!w->find<QRadioButton>("optTestModeEnabled")->isChecked());
    VERIFY_ENABLED(*w, kRegisterControls, false);
    VERIFY_ENABLED(*w, kAlwaysUsable, true);
    QCOMPARE(w->window->statusPanelText(3), QString("Status:  User Mode"));
}

void TestTestModeUi::boxEdit_appliesRangeRule_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("keys");  // typed over the whole text; empty: the text deleted
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("stored");
    QTest::newRow("40 in 0..31") << "txtMainADividerCoefficient0" << "5" << "40" << "31" << 31;
    QTest::newRow("-3") << "txtTCOUNT" << "5" << "-3" << "0" << 0;
    QTest::newRow("a letter") << "txtMainBDividerCoefficient1" << "12" << "x" << "12" << 12;
    QTest::newRow("emptied") << "txtReferenceDividerCoefficient" << "12" << "" << "12" << 12;
    QTest::newRow("2.5") << "txtDemTune" << "0" << "2.5" << "2.5" << 2;
    QTest::newRow("6.5") << "txtDemTune" << "0" << "6.5" << "6.5" << 6;
    QTest::newRow("6.6") << "txtDemTune" << "0" << "6.6" << "6.6" << 7;
    QTest::newRow("511 is the maximum") << "txtMainBDividerCoefficient0" << "0" << "511" << "511"
                                        << 511;
}

void TestTestModeUi::boxEdit_appliesRangeRule()
{
    QFETCH(QString, box);
    QFETCH(QString, before);
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(int, stored);
    WindowHarness w;
    EnterTestMode(w);
    QLineEdit* edit = w.find<QLineEdit>(box);
    edit->setText(before);
    edit->selectAll();
    if (keys.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        edit->insert(keys);  // as pasted: the whole text arrives in one change
    QCOMPARE(edit->text(), shown);
    const TestModeFieldSpec* field = nullptr;
    for (const TestModeFieldSpec& f : TestModeFieldTable())
        if ("txt" + f.name == box)
            field = &f;
    QCOMPARE(int(FieldValue(w.window->testModeSettings(), field->id)), stored);
}

void TestTestModeUi::upDown_stepsItsOwnBox_data()
{
    QTest::addColumn<QString>("field");
    for (const char* field : {"MainADividerCoefficient0", "MainBDividerCoefficient0",
                              "MainADividerCoefficient1", "MainBDividerCoefficient1",
                              "ReferenceDividerCoefficient", "DemTune", "TCOUNT"})
        QTest::newRow(field) << field;
}

void TestTestModeUi::upDown_stepsItsOwnBox()
{
    QFETCH(QString, field);
    WindowHarness w;
    EnterTestMode(w);
    w.find<QLineEdit>("txt" + field)->setText("3");
    w.find<SpinButtons>("UpDown" + field)->upButton()->click();
    QCOMPARE(w.find<QLineEdit>("txt" + field)->text(), QString("4"));
}

void TestTestModeUi::transmit_couplesTxm_onlyWhenChosen()
{
    WindowHarness w;
    EnterTestMode(w);
    auto* transmit = w.find<QComboBox>("comboTransmit");
    auto* txm = w.find<QComboBox>("comboTXM");
    transmit->setCurrentText("Pattern");
    QCOMPARE(txm->currentText(), QString("Sync"));
    QCOMPARE(w.window->testModeSettings().TXM, qint16(1));
    txm->setCurrentText("Async");  // the user may still change TXM
    QCOMPARE(transmit->currentText(), QString("Pattern"));
    transmit->setCurrentText("Mod");
    QCOMPARE(txm->currentText(), QString("Sync"));
    transmit->setCurrentText("High");
    QCOMPARE(txm->currentText(), QString("Async"));
    QCOMPARE(w.window->testModeSettings().TXM, qint16(0));
}

void TestTestModeUi::reply_showsModuleValues_evenInUserMode_data()
{
    using F = TestModeField;
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<TestModeSettings>("shown");
    const TestModeSettings other = Initial(
        {{F::MainADividerCoefficient0, 3}, {F::MainBDividerCoefficient0, 300}, {F::PA0, 2},
         {F::TxRx0, 0}, {F::PI, 1}, {F::CPAcc, 2}, {F::BND, 0}, {F::MainADividerCoefficient1, 31},
         {F::MainBDividerCoefficient1, 1}, {F::PA1, 1}, {F::TxRx1, 1}, {F::FSKOOK, 0},
         {F::PARXED, 0}, {F::DetectThreshold, 3}, {F::DetectEnable, 1},
         {F::ReferenceDividerCoefficient, 255}, {F::RXS, 0},
        {F::XTALTune, 7}, {F::PFDReset, 0}, {F::DemTune, 1}, {F::OOKXS, 1}, {F::TCOUNT, 17}});
    QTest::newRow("every A to D field") << EncodeTestModeSettings(other) << other;
    // E word 0xF5FB: Standby, Pattern, Mode 1, BRA 1, BRB 3, BRC 1, RXM 3, TXM 1, TWO 0, PAI 3.
    const QByteArray standby = QByteArray::fromHex("22185C01FBF545344500300400");
    QTest::newRow("Standby and the other E fields") << standby
        << Initial({{F::Standby, 1}, {F::Transmit, 3}, {F::Mode, 1}, {F::BRA, 1}, {F::BRB, 3},
                    {F::BRC, 1},
                    {F::RXM, 3}, {F::TXM, 1}, {F::TWO, 0}, {F::PAI, 3}});
    QTest::newRow("TCOUNT 200 and Main A 127 clamp")
        << QByteArray::fromHex("22185C01320D45FE450030C800")
        << Initial({{F::TCOUNT, 31}, {F::MainADividerCoefficient0, 31}});
    QTest::newRow("Mod with TXM 0 keeps Async")
        << QByteArray::fromHex("22185C01324D45344500300400")
        << Initial({{F::Transmit, 2}, {F::TXM, 0}});
    QTest::newRow("PA0 3 and CPAcc 3 have no entry")
        << QByteArray::fromHex("EE185C01320D45344500300400") << Initial({{F::PI, 0}, {F::BND, 2}});
}

void TestTestModeUi::reply_showsModuleValues_evenInUserMode()
{
    QFETCH(QByteArray, block);
    QFETCH(TestModeSettings, shown);
    auto w = OpenWindow();
    w->port->feedReceived(Reply(block));
    CompareShown(*w, shown);
    VERIFY_ENABLED(*w, kRegisterControls, false);
    QCOMPARE(w->window->statusPanelText(3), QString("Status:  User Mode"));
}

void TestTestModeUi::shortReply_changesNothing()
{
    auto w = OpenWindow();
    const TestModeSettings before = Initial({{TestModeField::TCOUNT, 9}, {TestModeField::PA0, 1}});
    w->port->feedReceived(Reply(EncodeTestModeSettings(before)));
    w->port->feedReceived(Reply(QByteArray(12, '\x11')));
    CompareShown(*w, before);
}

void TestTestModeUi::enabledAndDisabled_switchInTheirOrder()
{
    auto w = OpenWindow();
    QStringList atWrite;  // the screen as the command goes out
    w->port->setResponder([&](FakeSerialPort&, const QByteArray& written) {
        atWrite << QString("%1 rf=%2 set=%3 %4")
                       .arg(HexText(written))
                       .arg(int(w->find<QWidget>("frameRfData")->isEnabled()))
                       .arg(int(w->find<QWidget>("cmdSetRegisters")->isEnabled()))
                       .arg(w->window->statusPanelText(3));
    });
    w->find<QRadioButton>("optTestModeEnabled")->setChecked(true);
    VERIFY_ENABLED(*w, kRegisterControls + kAlwaysUsable, true);
    VERIFY_ENABLED(*w, kRfDataControls, false);
    QCOMPARE(w->window->statusPanelText(3), QString("Status:  Test Mode"));
    w->window->link().transmit().StopMsgTimeoutTimer();
    w->find<QRadioButton>("optTestModeDisabled")->setChecked(true);
    VERIFY_ENABLED(*w, kRegisterControls, false);
    VERIFY_ENABLED(*w, kRfDataControls + kAlwaysUsable, true);
    QCOMPARE(w->window->statusPanelText(3), QString("Status:  User Mode"));
    QCOMPARE(atWrite, (QStringList{"01 06 11 01 19 04  rf=0 set=0 Status:  User Mode",
                                   "01 06 11 00 18 04  rf=1 set=0 Status:  Test Mode"}));
}

void TestTestModeUi::setRegisters_sendsControlsState_data()
{
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<QString>("frame");
    QTest::newRow("after start-up") << Edits{} << kInitialSetFrame;
    QTest::newRow("Mode 1, Standby, Pattern")
        << Edits{{"optMode1", "1"}, {"checkStandby", "1"}, {"comboTransmit", "3"}}
        << "01 12 12 22 18 5C 01 3A FD 45 34 45 00 30 04 00 E5 04";
    QTest::newRow("numbers at their maxima")
        << Edits{{"txtMainADividerCoefficient0", "31"}, {"txtMainBDividerCoefficient0", "511"},
                 {"txtReferenceDividerCoefficient", "300"}, {"txtTCOUNT", "31"}}
        << "01 12 12 22 18 5C 01 32 0D FF 3F 45 00 FF 1F 00 9C 04";
}

void TestTestModeUi::setRegisters_sendsControlsState()
{
    QFETCH(Edits, edits);
    QFETCH(QString, frame);
    auto w = OpenWindow();
    EnterTestMode(*w);
    Apply(*w, edits);
    w->find<QPushButton>("cmdSetRegisters")->click();
    QCOMPARE(w->port->writes().size(), 1);
    COMPARE_FRAME(w->port->writes().at(0).bytes, frame);
}

void TestTestModeUi::setRegisters_afterUnlistedCode_sendsPreviousSelection()
{
    auto w = OpenWindow();
    EnterTestMode(*w);
    w->find<QComboBox>("comboPA0")->setCurrentText("20 dB");
    w->port->feedReceived(Reply(QByteArray::fromHex("E2185C01320D45344500300400")));  // PA0 3
    QCOMPARE(w->find<QComboBox>("comboPA0")->currentText(), QString("20 dB"));
    w->find<QPushButton>("cmdSetRegisters")->click();
    COMPARE_FRAME(w->port->writtenData(),
                  QString("01 12 12 A2 18 5C 01 32 0D 45 34 45 00 30 04 00 6D 04"));
}

void TestTestModeUi::getRegisters_worksInBothModes()
{
    auto w = OpenWindow();
    for (bool testMode : {false, true}) {
        if (testMode)
            EnterTestMode(*w);
        w->find<QPushButton>("cmdGetRegisters")->click();
        COMPARE_FRAME(w->port->writtenData(), QString("01 05 13 19 04"));
        w->window->link().transmit().StopMsgTimeoutTimer();
        w->port->clearRecords();
    }
}

// Entering test mode does not stop a repetition; its "Stop Repeat" is out of reach
// until user mode returns, and the buttons the repetition disabled stay disabled.
void TestTestModeUi::repetition_goesOnInTestMode_andKeepsItsButtons()
{
    auto w = OpenWindow();
    if (!w->find<QPushButton>("cmdSendSingleRepeatedMsg"))
        QSKIP("the RF data panel is not built");
    w->find<QLineEdit>("txtRFData")->setText("AB");
    w->find<QPushButton>("cmdSendSingleRepeatedMsg")->click();
    w->find<QRadioButton>("optTestModeEnabled")->setChecked(true);
    const int enableAt = int(w->port->writes().size());
    w->port->feedReceived(BuildFrame(MessageCode::EnableDisableTestModeAck, QByteArray(1, '\0')));
    auto rfFramesAfterEnable = [&] {
        int count = 0;
        for (int i = enableAt; i < w->port->writes().size(); ++i)
            count += TypeOf(w->port->writes().at(i).bytes) == MessageCode::SendRfData;
        return count;
    };
    QTRY_VERIFY_WITH_TIMEOUT(rfFramesAfterEnable() >= 2, 5000);
    QVERIFY(!w->find<QPushButton>("cmdSendSingleRepeatedMsg")->isEnabled());
    w->find<QRadioButton>("optTestModeDisabled")->setChecked(true);
    auto* stop = w->find<QPushButton>("cmdSendSingleRepeatedMsg");
    QVERIFY(stop->isEnabled());
    const QStringList others = {"cmdSendRandomRepeatedMsg", "cmdSendRandomMsg", "cmdSendSingleMsg"};
    VERIFY_ENABLED(*w, others, false);
    stop->click();
    VERIFY_ENABLED(*w, kRfDataControls, true);
}

void TestTestModeUi::page_fitsItsArea()
{
    WindowHarness w;
    w.window->show();
    QWidget* page = w.window->page(4);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    for (QWidget* control : page->findChildren<QWidget*>()) {
        if (control->objectName().isEmpty() || !control->isVisible())
            continue;
        const QRect area(control->mapTo(page, QPoint(0, 0)), control->size());
        QVERIFY2(page->rect().contains(area), qPrintable(control->objectName()));
        const bool showsText = qobject_cast<QLabel*>(control) || qobject_cast<QComboBox*>(control)
                               || qobject_cast<QGroupBox*>(control)
                               || (qobject_cast<QAbstractButton*>(control)
                                   && !qobject_cast<QToolButton*>(control));  // arrows
        if (showsText)  // its text is not cut
            QVERIFY2(control->width() >= control->minimumSizeHint().width(),
                     qPrintable(control->objectName()));
    }
}

QTEST_MAIN(TestTestModeUi)
#include "tst_testmodeui.moc"
