// The configuration pages in the real main window: what the controls show and store,
// which frames their buttons write, and how start-up fills them.
#include "config/SpinButtons.h"
#include "config_ui/ConfigWindow.h"
#include "link/SerialLink.h"
#include "platform/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QString kDefaultSettingsFrame = QStringLiteral("01 0C 08 00 01 03 00 01 19 00 33 04");

}  // namespace

class TestConfigPages : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearSettingsStore(); }

    void idBoxes_applyTheEntryRule_data();
    void idBoxes_applyTheEntryRule();
    void setIds_sendsTheStoredValues_data();
    void setIds_sendsTheStoredValues();
    void getButtons_sendTheirQueries_data();
    void getButtons_sendTheirQueries();
    void setProgrammableSettings_sendsTheRecord_data();
    void setProgrammableSettings_sendsTheRecord();
    void optionButtons_onlyTheClickedOneTurnsPending();
    void setBaudrate_sendsTheSelectedRateIndex();
    void sleep_thenGetVersion_wakesTheModuleOnce();
    void startUp_fillsThePagesFromTheStore_data();
    void startUp_fillsThePagesFromTheStore();
};

void TestConfigPages::idBoxes_applyTheEntryRule_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<qint32>("stored");
    QTest::newRow("emptied: the previous value comes back")
        << "txtTransceiverID2" << "" << "1" << 1;
    QTest::newRow("70000 shows 65535") << "txtNetworkID2" << "70000" << "65535" << 65535;
    QTest::newRow("2.5 stays as typed, stores 2") << "txtSystemID2" << "2.5" << "2.5" << 2;
    QTest::newRow("3.5 stores 4") << "txtSystemID2" << "3.5" << "3.5" << 4;
}

void TestConfigPages::idBoxes_applyTheEntryRule()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(qint32, stored);
    WindowHarness w;
    ShowTab(w, "IDs");
    auto* edit = w.find<QLineEdit>(box);
    TypeInto(edit, typed);
    QCOMPARE(edit->text(), shown);
    const ConfigSettings& config = w.window->config();
    const qint32 actual = box == "txtTransceiverID2" ? config.lTransceiverID
                          : box == "txtNetworkID2"   ? config.lNetworkID
                                                     : config.lSystemID;
    QCOMPARE(actual, stored);
    QCOMPARE(ColourOf(edit), QStringLiteral("pending"));
}

void TestConfigPages::setIds_sendsTheStoredValues_data()
{
    QTest::addColumn<QStringList>("typed");  // transceiver, network, system
    QTest::addColumn<QString>("frame");
    QTest::newRow("1, 1, 1") << QStringList{"1", "1", "1"} << "01 0B 02 01 00 01 00 01 00 11 04";
    QTest::newRow("300, 65535, 0 low byte first")
        << QStringList{"300", "65535", "0"} << "01 0B 02 2C 01 FF FF 00 00 39 04";
    QTest::newRow("2.5 shown, 2 sent") << QStringList{"2.5", "1", "1"}
                                       << "01 0B 02 02 00 01 00 01 00 12 04";
}

void TestConfigPages::setIds_sendsTheStoredValues()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, frame);
    auto w = WindowWithOpenPort();
    ShowTab(*w, "IDs");
    TypeInto(w->find<QLineEdit>("txtTransceiverID2"), typed[0]);
    TypeInto(w->find<QLineEdit>("txtNetworkID2"), typed[1]);
    TypeInto(w->find<QLineEdit>("txtSystemID2"), typed[2]);
    Click(w->find<QPushButton>("cmdSetIDs"));
    QCOMPARE(WrittenFrames(*w->port), QStringList{frame});
}

void TestConfigPages::getButtons_sendTheirQueries_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("frame");
    QTest::newRow("Get IDs") << "cmdGetIDs" << "01 05 03 09 04";
    QTest::newRow("Get Programmable Settings") << "cmdGetProgrammableSettings" << "01 05 09 0F 04";
    QTest::newRow("Get Version") << "cmdGetFirmwareVersion" << "01 05 15 1B 04";
    QTest::newRow("Get Power Amp Level") << "cmdGetMaxPowerAmplifierLevel" << "01 05 21 27 04";
    QTest::newRow("Set Power  Amp Level does nothing") << "cmdSetMaxPowerAmplifierLevel" << "";
}

void TestConfigPages::getButtons_sendTheirQueries()
{
    QFETCH(QString, button);
    QFETCH(QString, frame);
    auto w = WindowWithOpenPort();
    Click(w->find<QPushButton>(button));
    QCOMPARE(WrittenFrames(*w->port), frame.isEmpty() ? QStringList() : QStringList{frame});
}

void TestConfigPages::setProgrammableSettings_sendsTheRecord_data()
{
    QTest::addColumn<QString>("edits");
    QTest::addColumn<QString>("frame");
    QTest::newRow("defaults") << "" << kDefaultSettingsFrame;
    QTest::newRow("single channel 7") << "single 7" << "01 0C 08 00 01 03 00 00 07 00 20 04";
    QTest::newRow("20dB attenuator") << "pa 2" << "01 0C 08 00 01 03 02 01 19 00 35 04";
    QTest::newRow("no acks, receive all, hop table 15 by spin buttons, 20 retries")
        << "switches" << "01 0C 08 0F 00 14 00 01 19 01 53 04";
}

void TestConfigPages::setProgrammableSettings_sendsTheRecord()
{
    QFETCH(QString, edits);
    QFETCH(QString, frame);
    auto w = WindowWithOpenPort();
    ShowTab(*w, "RF Settings");
    if (edits == "single 7") {
        Click(w->find<QRadioButton>("optSingleChannelMode"));
        TypeInto(w->find<QLineEdit>("txtRFSingleChannel2"), "7");
    } else if (edits == "pa 2") {
        w->find<QComboBox>("comboInternalPALevel")->setCurrentIndex(2);
    } else if (edits == "switches") {
        Click(w->find<QCheckBox>("chkAcks"));
        Click(w->find<QCheckBox>("chkReceiveAll"));
        auto* spin = w->find<SpinButtons>("UpDownSetHopTable2");
        QVERIFY(spin);
        for (int i = 0; i < 16; ++i)
            spin->stepUp();
        TypeInto(w->find<QLineEdit>("txtSetRFRetries2"), "20");
    }
    Click(w->find<QPushButton>("cmdSetProgrammableSettings"));
    QCOMPARE(WrittenFrames(*w->port), QStringList{frame});
}

void TestConfigPages::optionButtons_onlyTheClickedOneTurnsPending()
{
    WindowHarness w;
    auto* hopping = w.find<QRadioButton>("optHoppingMode");
    auto* single = w.find<QRadioButton>("optSingleChannelMode");
    QCOMPARE(ColourOf(hopping), QStringLiteral("pending"));  // selected at start-up
    QCOMPARE(ColourOf(single), QStringLiteral("ordinary"));
    Click(single);
    QCOMPARE(w.window->config().iRFMode, qint16(0));
    QCOMPARE(ColourOf(single), QStringLiteral("pending"));
    Click(hopping);
    QCOMPARE(w.window->config().iRFMode, qint16(1));
    QCOMPARE(ColourOf(hopping), QStringLiteral("pending"));
    QCOMPARE(ColourOf(single), QStringLiteral("pending"));
}

void TestConfigPages::setBaudrate_sendsTheSelectedRateIndex()
{
    auto w = WindowWithOpenPort();
    Click(w->find<QRadioButton>("optTransceiverBaudrate2"));
    Click(w->find<QPushButton>("cmdSetTransceiverBaudrate"));
    QCOMPARE(WrittenFrames(*w->port), QStringList{"01 06 19 02 22 04"});
    QCOMPARE(w->window->link().state().iBaudRateIndex, qint16(2));
    QCOMPARE(w->port->parameters(), QStringLiteral("19200,N,8,1"));  // not before the ack
}

void TestConfigPages::sleep_thenGetVersion_wakesTheModuleOnce()
{
    auto w = WindowWithOpenPort();
    Click(w->find<QPushButton>("cmdSleep2"));
    QVERIFY(w->window->link().state().bWakeupNeeded);
    w->port->feedReceived(Hex("01 05 96 9C 04"));  // Set Sleep Mode Ack
    Click(w->find<QPushButton>("cmdGetFirmwareVersion"));
    w->port->feedReceived(Hex("01 0B 95 01 03 07 0F 04 00 BF 04"));
    Click(w->find<QPushButton>("cmdGetFirmwareVersion"));
    QCOMPARE(WrittenFrames(*w->port), (QStringList{"01 05 16 1C 04", "00", "01 05 15 1B 04",
                                                   "01 05 15 1B 04"}));
    const QList<FakeSerialPort::Write>& writes = w->port->writes();
    QVERIFY2(writes[2].atMs - writes[1].atMs >= 45,
             qPrintable(QStringLiteral("pause after the wake-up byte: %1 ms")
                            .arg(writes[2].atMs - writes[1].atMs)));
    QVERIFY(!w->window->link().state().bWakeupNeeded);
}

void TestConfigPages::startUp_fillsThePagesFromTheStore_data()
{
    QTest::addColumn<QStringList>("stored");  // "key=value" in section "Settings"
    QTest::addColumn<QStringList>("boxes");   // IDs, hop table, retries, channel
    QTest::addColumn<QString>("switches");    // acks, hopping, receive all: 1 or 0
    QTest::addColumn<int>("paSelection");
    QTest::addColumn<int>("iPALevel");
    QTest::addColumn<QString>("paColour");
    QTest::addColumn<QString>("frame");  // what "Set Programmable Settings" then sends
    QTest::newRow("empty store: defaults")
        << QStringList{} << QStringList{"1", "1", "1", "0", "3", "25"} << "110" << 0 << 0
        << "pending" << kDefaultSettingsFrame;
    QTest::newRow("saved values, PA Level 5 and Hop Table 20")
        << QStringList{"Transceiver ID=300", "Network ID=65535", "System ID=0", "Hop Table=20",
                       "Acknowledgements=0", "Retries=7", "PA Level=5", "RF Mode=0",
                       "Single Channel=7", "RF Receive All=1"}
        << QStringList{"300", "65535", "0", "15", "7", "7"} << "001" << -1 << 5 << "ordinary"
        << "01 0C 08 0F 00 07 05 00 07 01 38 04";
    QTest::newRow("RF Mode 2 selects single channel, PA Level 2")
        << QStringList{"RF Mode=2", "PA Level=2"} << QStringList{"1", "1", "1", "0", "3", "25"}
        << "100" << 2 << 2 << "pending" << "01 0C 08 00 01 03 02 00 19 00 34 04";
}

void TestConfigPages::startUp_fillsThePagesFromTheStore()
{
    QFETCH(QStringList, stored);
    QFETCH(QStringList, boxes);
    QFETCH(QString, switches);
    QFETCH(int, paSelection);
    QFETCH(int, iPALevel);
    QFETCH(QString, paColour);
    QFETCH(QString, frame);
    for (const QString& entry : stored)
        SettingsStore::WriteText("Settings", entry.section('=', 0, 0), entry.section('=', 1));
    auto w = WindowWithOpenPort();

    const char* boxNames[] = {"txtTransceiverID2", "txtNetworkID2",    "txtSystemID2",
                              "txtSetHopTable2",   "txtSetRFRetries2", "txtRFSingleChannel2"};
    for (int i = 0; i < 6; ++i) {
        auto* box = w->find<QLineEdit>(boxNames[i]);
        QCOMPARE(box->text(), boxes[i]);
        QCOMPARE(ColourOf(box), QStringLiteral("pending"));
    }
    const QString shownSwitches =
        QString::number(w->find<QCheckBox>("chkAcks")->isChecked())
        + QString::number(w->find<QRadioButton>("optHoppingMode")->isChecked())
        + QString::number(w->find<QCheckBox>("chkReceiveAll")->isChecked());
    QCOMPARE(shownSwitches, switches);
    QVERIFY(w->find<QRadioButton>("optHoppingMode")->isChecked()
            != w->find<QRadioButton>("optSingleChannelMode")->isChecked());
    auto* pa = w->find<QComboBox>("comboInternalPALevel");
    QCOMPARE(pa->count(), 3);
    QCOMPARE(pa->currentIndex(), paSelection);
    QCOMPARE(w->window->config().iPALevel, qint16(iPALevel));
    QCOMPARE(ColourOf(pa), paColour);
    // The Comm page shows the rate in use; no module was found, which leaves 57600.
    QVERIFY(w->find<QRadioButton>("optTransceiverBaudrate3")->isChecked());

    Click(w->find<QPushButton>("cmdSetProgrammableSettings"));
    QCOMPARE(WrittenFrames(*w->port), QStringList{frame});
}

QTEST_MAIN(TestConfigPages)
#include "tst_configpages.moc"
