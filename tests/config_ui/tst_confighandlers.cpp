// The configuration response handlers, driven through the receive path with the bytes
// a module would send.
#include "config/Reprovisioning.h"
#include "config_ui/ConfigWindow.h"
#include "link/SerialLink.h"
#include "platform/SettingsStore.h"
#include "ui/CommunicationsLogView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QString kSetIdsDefaults = QStringLiteral("01 0B 02 01 00 01 00 01 00 11 04");
const QString kSetSettingsDefaults = QStringLiteral("01 0C 08 00 01 03 00 01 19 00 33 04");
const QByteArray kSetIdsAck = Hex("01 05 82 88 04");
const QByteArray kSetSettingsAck = Hex("01 05 88 8E 04");

const QStringList kIdBoxes{"txtTransceiverID2", "txtNetworkID2", "txtSystemID2"};
const QStringList kRecordControls{
    "txtSetHopTable2", "chkAcks",        "txtSetRFRetries2",    "comboInternalPALevel",
    "optHoppingMode",  "optSingleChannelMode", "txtRFSingleChannel2", "chkReceiveAll"};

QStringList Texts(const WindowHarness& w, const QStringList& names)
{
    QStringList texts;
    for (const QString& name : names)
        texts << w.find<QWidget>(name)->property("text").toString();
    return texts;
}

// The controls whose text colour is not `colour`, by name.
QStringList NotIn(const WindowHarness& w, const QString& colour, const QStringList& names)
{
    QStringList others;
    for (const QString& name : names)
        if (ColourOf(w.find<QWidget>(name)) != colour)
            others << name + "=" + ColourOf(w.find<QWidget>(name));
    return others;
}

QList<qint32> StoredIds(frmQVOrvalisETMain& window)
{
    const ConfigSettings& c = window.config();
    return {c.lTransceiverID, c.lNetworkID, c.lSystemID};
}

// A module that acknowledges Set IDs and Set Programmable Settings a moment later.
void AcknowledgeSets(FakeSerialPort& port, const QByteArray& written)
{
    if (written.startsWith(Hex("01 0B 02")))
        port.feedReceivedLater(kSetIdsAck, 5);
    else if (written.startsWith(Hex("01 0C 08")))
        port.feedReceivedLater(kSetSettingsAck, 5);
}

QStringList LogLines(frmQVOrvalisETMain& window)
{
    QStringList lines;
    const CommunicationsLogView& log = window.messageList();
    for (int i = log.count() - 1; i >= 0; --i)
        if (!log.item(i)->text().isEmpty())
            lines << log.item(i)->text();
    return lines;  // oldest first
}

}  // namespace

class TestConfigHandlers : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearSettingsStore(); }

    void idsReply_duringSearch_changesNothing();
    void idsReply_storesAndConfirmsAllThree_data();
    void idsReply_storesAndConfirmsAllThree();
    void setIdsAck_confirmsBoxesEditedAfterSending();
    void settingsReply_appliedThroughTheControls_data();
    void settingsReply_appliedThroughTheControls();
    void setSettingsAck_confirmsAllEight_inOrderOfTheRecord();
    void shortReplies_areIgnored_data();
    void shortReplies_areIgnored();
    void statusReport_reprovisions_data();
    void statusReport_reprovisions();
    void statusReport_waitsForTheLineToBeFree();
    void firmwareReply_showsVersionDateCopyright_data();
    void firmwareReply_showsVersionDateCopyright();
    void baudrateAck_switchesToTheOptionSelectedAtAck_data();
    void baudrateAck_switchesToTheOptionSelectedAtAck();
};

void TestConfigHandlers::idsReply_duringSearch_changesNothing()
{
    auto w = WindowWithOpenPort();
    LinkState& state = w->window->link().state();
    state.bSearching = true;
    state.bTransceiverFound = false;
    w->port->feedReceived(Hex("01 0B 83 2C 01 FF FF 00 00 BA 04"));
    state.bSearching = false;
    QVERIFY(state.bTransceiverFound);
    QCOMPARE(Texts(*w, kIdBoxes), (QStringList{"1", "1", "1"}));
    QCOMPARE(StoredIds(*w->window), (QList<qint32>{1, 1, 1}));
    QCOMPARE(NotIn(*w, "pending", kIdBoxes), QStringList());
}

void TestConfigHandlers::idsReply_storesAndConfirmsAllThree_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<qint32>>("stored");
    QTest::newRow("300, 65535, 0") << "01 0B 83 2C 01 FF FF 00 00 BA 04"
                                   << QStringList{"300", "65535", "0"}
                                   << QList<qint32>{300, 65535, 0};
    QTest::newRow("the values already shown") << "01 0B 83 01 00 01 00 01 00 92 04"
                                              << QStringList{"1", "1", "1"}
                                              << QList<qint32>{1, 1, 1};
    QTest::newRow("each ID in its own box") << "01 0B 83 01 00 02 00 03 00 95 04"
                                            << QStringList{"1", "2", "3"}
                                            << QList<qint32>{1, 2, 3};
}

void TestConfigHandlers::idsReply_storesAndConfirmsAllThree()
{
    QFETCH(QString, reply);
    QFETCH(QStringList, texts);
    QFETCH(QList<qint32>, stored);
    auto w = WindowWithOpenPort();
    Click(w->find<QPushButton>("cmdGetIDs"));
    w->port->feedReceived(Hex(reply));
    QCOMPARE(Texts(*w, kIdBoxes), texts);
    QCOMPARE(StoredIds(*w->window), stored);
    QCOMPARE(NotIn(*w, "confirmed", kIdBoxes), QStringList());
    QVERIFY(!w->window->link().transmit().isAwaitingResponse());
}

void TestConfigHandlers::setIdsAck_confirmsBoxesEditedAfterSending()
{
    auto w = WindowWithOpenPort();
    ShowTab(*w, "IDs");
    Click(w->find<QPushButton>("cmdSetIDs"));
    TypeInto(w->find<QLineEdit>("txtNetworkID2"), "5");
    QCOMPARE(ColourOf(w->find<QLineEdit>("txtNetworkID2")), QStringLiteral("pending"));
    w->port->feedReceived(kSetIdsAck);
    QCOMPARE(NotIn(*w, "confirmed", kIdBoxes), QStringList());
    QCOMPARE(Texts(*w, kIdBoxes), (QStringList{"1", "5", "1"}));
    QCOMPARE(w->window->config().lNetworkID, 5);
}

void TestConfigHandlers::settingsReply_appliedThroughTheControls_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QStringList>("texts");  // hop table, retries, channel
    QTest::addColumn<QString>("switches");   // acks, hopping, single channel, receive all
    QTest::addColumn<int>("paSelection");
    QTest::addColumn<int>("iPALevel");
    QTest::addColumn<QString>("nextSet");  // what "Set Programmable Settings" then sends
    QTest::newRow("acks 5 is on, hop table 20 shows 15, PA level 3 keeps the selection")
        << "01 0C 89 14 05 03 03 01 07 01 BE 04" << QStringList{"15", "3", "7"} << "1101" << 0
        << 3 << "01 0C 08 0F 01 03 03 01 07 01 34 04";
    QTest::newRow("all zero: single channel, everything off")
        << "01 0C 89 00 00 00 00 00 00 00 96 04" << QStringList{"0", "0", "0"} << "0010" << 0
        << 0 << "01 0C 08 00 00 00 00 00 00 00 15 04";
    QTest::newRow("retries 21 and channel 60 clamp, PA level 2")
        << "01 0C 89 02 01 15 02 01 3C 00 ED 04" << QStringList{"2", "20", "49"} << "1100" << 2
        << 2 << "01 0C 08 02 01 14 02 01 31 00 60 04";
}

void TestConfigHandlers::settingsReply_appliedThroughTheControls()
{
    QFETCH(QString, reply);
    QFETCH(QStringList, texts);
    QFETCH(QString, switches);
    QFETCH(int, paSelection);
    QFETCH(int, iPALevel);
    QFETCH(QString, nextSet);
    auto w = WindowWithOpenPort();
    w->port->feedReceived(Hex(reply));

    QCOMPARE(Texts(*w, {"txtSetHopTable2", "txtSetRFRetries2", "txtRFSingleChannel2"}), texts);
    const ConfigSettings& c = w->window->config();
    QCOMPARE((QStringList{QString::number(c.iHopTable), QString::number(c.iRFRetries),
                          QString::number(c.iSingleChannel)}),
             texts);
    QString shown;
    for (const char* name : {"chkAcks", "optHoppingMode", "optSingleChannelMode", "chkReceiveAll"})
        shown += QString::number(w->find<QAbstractButton>(name)->isChecked());
    QCOMPARE(shown, switches);
    QCOMPARE(w->find<QComboBox>("comboInternalPALevel")->currentIndex(), paSelection);
    QCOMPARE(c.iPALevel, qint16(iPALevel));
    QCOMPARE(NotIn(*w, "confirmed", kRecordControls), QStringList());

    w->port->clearRecords();
    Click(w->find<QPushButton>("cmdSetProgrammableSettings"));
    QCOMPARE(WrittenFrames(*w->port), QStringList{nextSet});
}

void TestConfigHandlers::setSettingsAck_confirmsAllEight_inOrderOfTheRecord()
{
    auto w = WindowWithOpenPort();
    ShowTab(*w, "RF Settings");
    Click(w->find<QPushButton>("cmdSetProgrammableSettings"));
    TypeInto(w->find<QLineEdit>("txtSetHopTable2"), "9");
    Click(w->find<QRadioButton>("optSingleChannelMode"));
    QCOMPARE(ColourOf(w->find<QLineEdit>("txtSetHopTable2")), QStringLiteral("pending"));
    w->port->feedReceived(kSetSettingsAck);
    QCOMPARE(NotIn(*w, "confirmed", kRecordControls), QStringList());
    QCOMPARE(w->find<QLineEdit>("txtSetHopTable2")->text(), QStringLiteral("9"));
    QCOMPARE(NotIn(*w, "pending", kIdBoxes), QStringList());  // another page's ack
}

void TestConfigHandlers::shortReplies_areIgnored_data()
{
    QTest::addColumn<QString>("reply");
    QTest::newRow("IDs with two bytes") << "01 07 83 05 00 90 04";
    QTest::newRow("Programmable Settings with two bytes") << "01 07 89 01 02 94 04";
    QTest::newRow("status report with one byte") << "01 06 84 00 8B 04";
}

// A reply too short for its record must not be completed from older frames' bytes.
void TestConfigHandlers::shortReplies_areIgnored()
{
    QFETCH(QString, reply);
    auto w = WindowWithOpenPort();
    w->port->feedReceived(Hex("01 0C 89 14 05 03 03 01 07 01 BE 04"));  // fills the buffer
    const QStringList before = Texts(*w, kIdBoxes + kRecordControls);
    const QList<qint32> idsBefore = StoredIds(*w->window);
    const ConfigSettings config = w->window->config();
    w->port->clearRecords();
    w->port->feedReceived(Hex(reply));
    QTest::qWait(100);  // a status report would start its 50 ms step by now
    QCOMPARE(Texts(*w, kIdBoxes + kRecordControls), before);
    QCOMPARE(StoredIds(*w->window), idsBefore);
    QCOMPARE(w->window->config().iHopTable, config.iHopTable);
    QCOMPARE(NotIn(*w, "pending", kIdBoxes), QStringList());
    QCOMPARE(WrittenFrames(*w->port), QStringList());
}

void TestConfigHandlers::statusReport_reprovisions_data()
{
    QTest::addColumn<QString>("report");
    QTest::addColumn<bool>("moduleAnswers");
    QTest::addColumn<bool>("requestOutstanding");
    QTest::addColumn<QStringList>("frames");
    const QStringList both{kSetIdsDefaults, kSetSettingsDefaults};
    QTest::newRow("01 01: nothing") << "01 07 84 01 01 8E 04" << true << false << QStringList();
    QTest::newRow("00 01") << "01 07 84 00 01 8D 04" << true << false << both;
    QTest::newRow("01 00") << "01 07 84 01 00 8D 04" << true << false << both;
    QTest::newRow("00 00") << "01 07 84 00 00 8C 04" << true << false << both;
    QTest::newRow("00 00, Set IDs unanswered: settings dropped")
        << "01 07 84 00 00 8C 04" << false << false << QStringList{kSetIdsDefaults};
    QTest::newRow("00 00 while Get IDs is outstanding: the report itself ends it")
        << "01 07 84 00 00 8C 04" << true << true
        << QStringList{"01 05 03 09 04", kSetIdsDefaults, kSetSettingsDefaults};
}

void TestConfigHandlers::statusReport_reprovisions()
{
    QFETCH(QString, report);
    QFETCH(bool, moduleAnswers);
    QFETCH(bool, requestOutstanding);
    QFETCH(QStringList, frames);
    auto w = WindowWithOpenPort();
    if (moduleAnswers)
        w->port->setResponder(AcknowledgeSets);
    if (requestOutstanding)
        Click(w->find<QPushButton>("cmdGetIDs"));  // never answered

    w->port->feedReceived(Hex(report));
    auto* reprovisioning = w->window->findChild<Reprovisioning*>();
    QVERIFY(reprovisioning);
    QTRY_VERIFY_WITH_TIMEOUT(!reprovisioning->bSendSettingsPending(), 3000);
    QTRY_VERIFY_WITH_TIMEOUT(!w->window->link().transmit().isAwaitingResponse(), 3000);
    QCOMPARE(WrittenFrames(*w->port), frames);

    const QList<FakeSerialPort::Write>& writes = w->port->writes();
    if (frames.size() >= 2 && frames.last() == kSetSettingsDefaults) {
        const qint64 gap = writes.last().atMs - writes[writes.size() - 2].atMs;
        QVERIFY2(gap >= 45, qPrintable(QStringLiteral("settings %1 ms after Set IDs").arg(gap)));
    }
}

// Every received frame ends the outstanding request, so the handler finds the line busy
// only when a request went out after its report arrived. The report here carries a bad
// checksum, so it stays in the receive buffer without being handled, and the handler is
// called directly while Get IDs waits for its answer.
void TestConfigHandlers::statusReport_waitsForTheLineToBeFree()
{
    auto w = WindowWithOpenPort();
    w->port->setResponder(AcknowledgeSets);
    w->port->feedReceived(Hex("01 07 84 00 00 00 04"));
    QCOMPARE(WrittenFrames(*w->port), QStringList());
    Click(w->find<QPushButton>("cmdGetIDs"));  // never answered
    QVERIFY(w->window->link().transmit().isAwaitingResponse());

    auto* reprovisioning = w->window->findChild<Reprovisioning*>();
    QVERIFY(reprovisioning);
    reprovisioning->ProcessRespondWithIDsAndProgrammableSettingsStatus();
    QTRY_VERIFY_WITH_TIMEOUT(!reprovisioning->bSendSettingsPending(), 3000);

    const QStringList log = LogLines(*w->window);
    const auto at = [&log](const QString& start) {
        for (int i = 0; i < log.size(); ++i)
            if (log[i].startsWith(start))
                return i;
        return -1;
    };
    const int timeout = at("Query IDs Timeout!");
    const int setIds = at("Host->TXCVR (Set IDs)");
    QVERIFY2(timeout >= 0 && setIds > timeout, qPrintable(log.join('\n')));
    QCOMPARE(WrittenFrames(*w->port),
             (QStringList{"01 05 03 09 04", kSetIdsDefaults, kSetSettingsDefaults}));
}

void TestConfigHandlers::firmwareReply_showsVersionDateCopyright_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QStringList>("texts");  // version, date, copyright
    const QByteArray text35 = "(C) 2004 Orvalis Radio Corporation.";
    QCOMPARE(text35.size(), 35);
    QTest::newRow("1.3, 7/15/2004, no copyright")
        << Hex("01 03 07 0F 04 00") << QStringList{"1.3", "7/15/2004", ""};
    QTest::newRow("35 characters, the most a frame holds")
        << Hex("02 00 01 01 17 23") + text35 << QStringList{"2.0", "1/1/2023", QString(text35)};
    QTest::newRow("minor 10 shows 1.10") << Hex("01 0A 0C 1F 09 00")
                                         << QStringList{"1.10", "12/31/2009", ""};
    QTest::newRow("fewer characters than announced") << Hex("01 03 07 0F 04 05") + "AB"
                                                     << QStringList{"1.3", "7/15/2004", "AB"};
    QTest::newRow("one byte, one character") << Hex("01 03 07 0F 04 03") + "\xA9 x"
                                             << QStringList{"1.3", "7/15/2004", "\u00A9 x"};
}

void TestConfigHandlers::firmwareReply_showsVersionDateCopyright()
{
    QFETCH(QByteArray, payload);
    QFETCH(QStringList, texts);
    auto w = WindowWithOpenPort();
    QCOMPARE(Texts(*w, {"lblVersion", "lblFirmwareDate", "lblCopyright"}),
             (QStringList{"", "", ""}));
    w->port->feedReceived(BuildFrame(0x95, payload));
    QCOMPARE(Texts(*w, {"lblVersion", "lblFirmwareDate", "lblCopyright"}), texts);
    QCOMPARE(w->find<QLabel>("lblUser")->text(), QString());
}

void TestConfigHandlers::baudrateAck_switchesToTheOptionSelectedAtAck_data()
{
    QTest::addColumn<int>("atSend");
    QTest::addColumn<int>("atAck");
    QTest::addColumn<QString>("rate");
    QTest::newRow("38,400 sent and kept") << 2 << 2 << "38400";
    QTest::newRow("57,600 chosen before the ack") << 2 << 3 << "57600";
}

void TestConfigHandlers::baudrateAck_switchesToTheOptionSelectedAtAck()
{
    QFETCH(int, atSend);
    QFETCH(int, atAck);
    QFETCH(QString, rate);
    auto w = WindowWithOpenPort();
    LinkState& state = w->window->link().state();
    state.iCommPort = 1;
    state.sBaudRate = "19200";
    Click(w->find<QRadioButton>(QStringLiteral("optTransceiverBaudrate%1").arg(atSend)));
    Click(w->find<QPushButton>("cmdSetTransceiverBaudrate"));
    QCOMPARE(WrittenFrames(*w->port), QStringList{"01 06 19 02 22 04"});
    Click(w->find<QRadioButton>(QStringLiteral("optTransceiverBaudrate%1").arg(atAck)));

    // A reply that arrives during the pause is still handled.
    w->port->feedReceivedLater(Hex("01 0B 83 01 00 02 00 03 00 95 04"), 300);
    QElapsedTimer clock;
    clock.start();
    w->port->feedReceived(Hex("01 05 99 9F 04"));
    QVERIFY2(clock.elapsed() >= 2000, qPrintable(QString::number(clock.elapsed())));

    QCOMPARE(w->port->parameters(), rate + ",N,8,1");
    QVERIFY(w->port->isOpen());
    QCOMPARE(SettingsStore::ReadText("Properties", "BaudRate", ""), rate);
    QCOMPARE(state.sBaudRate, rate);
    QCOMPARE(state.iBaudRateIndex, qint16(atAck));
    QCOMPARE(w->window->statusPanelText(1), QStringLiteral("Comm Port: 1"));
    QCOMPARE(w->window->statusPanelText(2), "Baud Rate: " + rate);
    QCOMPARE(w->window->statusPanelText(3), QStringLiteral("Status:"));
    QCOMPARE(w->window->config().lSystemID, 3);
}

QTEST_MAIN(TestConfigHandlers)
#include "tst_confighandlers.moc"
