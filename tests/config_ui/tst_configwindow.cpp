// The configuration pages in the main window over a fake port.
#include "config/ConfigFrames.h"
#include "config/Reprovisioning.h"
#include "ui/widgets/ValueColours.h"
#include "link/LinkSession.h"
#include "platform/SettingsStore.h"
#include "protocol/Frame.h"
#include "support/Hex.h"
#include "support/WindowHarness.h"
#include "ui/CommunicationsLogView.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

namespace {

const QStringList kIdBoxes{"txtTransceiverID2", "txtNetworkID2", "txtSystemID2"};
const QStringList kSettingsBoxes{"txtSetHopTable2", "txtSetRFRetries2", "txtRFSingleChannel2"};
const QStringList kRecordControls = kSettingsBoxes + QStringList{
    "chkAcks", "comboInternalPALevel", "optHoppingMode", "optSingleChannelMode", "chkReceiveAll"};

// A module that acknowledges Set IDs and Set Programmable Settings a moment later.
void AcknowledgeSets(FakeSerialPort& port, const QByteArray& written)
{
    if (written.startsWith(Hex("01 0B 02")))
        port.feedReceivedLater(Hex("01 05 82 88 04"), 5);
    else if (written.startsWith(Hex("01 0C 08")))
        port.feedReceivedLater(Hex("01 05 88 8E 04"), 5);
}

}  // namespace

class TestConfigWindow : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        ClearSettingsStore();
        openWindow();
    }
    void cleanup() { w.reset(); }
    void idsReply_data();
    void idsReply();
    void setIdsAck_confirmsTheBoxesAsShown();
    void settingsReply_data();
    void settingsReply();
    void statusReport_reprovisions_data();
    void statusReport_reprovisions();
    void baudrateAck_usesTheOptionSelectedAtAck();
    void requestDuringTheRatePause_isHeldBack();
    void baudrateAck_reopenAtTheNewRateFails_reportsPortClosed();
    void firmwareCopyright_withMarkup_isShownAsPlainText();
    void startUp_fillsThePagesFromTheStore();
    void startUp_storedValuesOutOfRange_takeTheirDefaults_data();
    void startUp_storedValuesOutOfRange_takeTheirDefaults();
    void startUp_statusReportDuringSearch_reprovisionsWithStoredIds();

private:
    // The window with its fake port open on port 1 at 19200 and nothing written yet.
    void openWindow()
    {
        w = std::make_unique<WindowHarness>();
        w->port->setOnlyPortsAvailable({1});
        w->port->selectPort(1);
        w->port->setParameters(QStringLiteral("19200,N,8,1"));
        w->port->open();
        w->port->clearRecords();
    }

    void click(const QString& button) { w->find<QAbstractButton>(button)->click(); }

    // Every write as hex text, so a failing comparison prints both sides.
    QStringList written() const
    {
        QStringList frames;
        for (const FakeSerialPort::Write& write : w->port->writes())
            frames << HexText(write.bytes).trimmed();
        return frames;
    }

    // A property of each control as text; "checked" gives "true" or "false".
    QStringList values(const QStringList& names, const char* property = "text") const
    {
        QStringList values;
        for (const QString& name : names)
            values << w->find<QWidget>(name)->property(property).toString();
        return values;
    }

    // The controls whose text is not in this colour.
    QStringList notIn(const QColor& colour, const QStringList& names) const
    {
        QStringList others;
        for (const QString& name : names)
            if (TextColour(w->find<QWidget>(name)) != colour)
                others << name;
        return others;
    }

    std::unique_ptr<WindowHarness> w;
};

void TestConfigWindow::idsReply_data()
{
    QTest::addColumn<bool>("searching");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("during the search: nothing changes")
        << true << QStringList{"1", "1", "1"} << PendingColour();
    QTest::newRow("after Get IDs: shown and confirmed")
        << false << QStringList{"300", "65535", "0"} << ConfirmedColour();
}

void TestConfigWindow::idsReply()
{
    QFETCH(bool, searching);
    QFETCH(QStringList, texts);
    QFETCH(QColor, colour);
    LinkState& state = w->window->link().state();
    state.bSearching = searching;
    if (!searching)
        click("cmdGetIDs");
    w->port->feedReceived(Hex("01 0B 83 2C 01 FF FF 00 00 BA 04"));
    state.bSearching = false;
    QCOMPARE(written(), searching ? QStringList() : QStringList{"01 05 03 09 04"});
    const ConfigSettings& c = w->window->config();
    QCOMPARE(values(kIdBoxes), texts);
    QCOMPARE((QStringList{QString::number(c.lTransceiverID), QString::number(c.lNetworkID),
                          QString::number(c.lSystemID)}),
             texts);
    QCOMPARE(notIn(colour, kIdBoxes), QStringList());
}

// The ack confirms the IDs as shown when it comes, edits made after sending included.
void TestConfigWindow::setIdsAck_confirmsTheBoxesAsShown()
{
    click("cmdSetIDs");
    QCOMPARE(written(), QStringList{"01 0B 02 01 00 01 00 01 00 11 04"});
    w->find<QLineEdit>("txtNetworkID2")->setText("5");
    QCOMPARE(notIn(PendingColour(), kIdBoxes), QStringList());
    w->port->feedReceived(Hex("01 05 82 88 04"));
    QCOMPARE(notIn(ConfirmedColour(), kIdBoxes), QStringList());
    QCOMPARE(values(kIdBoxes), (QStringList{"1", "5", "1"}));
    QCOMPARE(notIn(PendingColour(), kSettingsBoxes), QStringList());  // another page's boxes
}

void TestConfigWindow::settingsReply_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QStringList>("texts");  // hop table, retries, channel
    QTest::addColumn<QString>("checked");    // acks, hopping, single channel, receive all
    QTest::addColumn<QString>("nextSet");    // what "Set Programmable Settings" then sends
    QTest::newRow("acks 5 is on, hop table 20 shows 15, PA level 3 keeps the selection")
        << Hex("01 0C 89 14 05 03 03 01 07 01 BE 04") << QStringList{"15", "3", "7"}
        << "true true false true" << "01 0C 08 0F 01 03 03 01 07 01 34 04";
    QTest::newRow("all zero: single channel, everything off")
        << Hex("01 0C 89 00 00 00 00 00 00 00 96 04") << QStringList{"0", "0", "0"}
        << "false false true false" << "01 0C 08 00 00 00 00 00 00 00 15 04";
}

void TestConfigWindow::settingsReply()
{
    QFETCH(QByteArray, reply);
    QFETCH(QStringList, texts);
    QFETCH(QString, checked);
    QFETCH(QString, nextSet);
    click("cmdGetProgrammableSettings");
    w->port->feedReceived(reply);
    QCOMPARE(values(kSettingsBoxes), texts);
    const QStringList names{"chkAcks", "optHoppingMode", "optSingleChannelMode", "chkReceiveAll"};
    QCOMPARE(values(names, "checked"), checked.split(' '));
    QCOMPARE(w->find<QComboBox>("comboInternalPALevel")->currentIndex(), 0);
    QCOMPARE(notIn(ConfirmedColour(), kRecordControls), QStringList());
    click("cmdSetProgrammableSettings");
    QCOMPARE(written(), (QStringList{"01 05 09 0F 04", nextSet}));
}

void TestConfigWindow::statusReport_reprovisions_data()
{
    QTest::addColumn<QByteArray>("report");
    QTest::addColumn<bool>("moduleAnswers");
    QTest::addColumn<QStringList>("frames");
    const QString setIds = QStringLiteral("01 0B 02 01 00 01 00 01 00 11 04");
    const QStringList both{setIds, "01 0C 08 00 01 03 00 01 19 00 33 04"};
    QTest::newRow("01 01: nothing") << Hex("01 07 84 01 01 8E 04") << true << QStringList();
    QTest::newRow("01 00") << Hex("01 07 84 01 00 8D 04") << true << both;
    QTest::newRow("00 00") << Hex("01 07 84 00 00 8C 04") << true << both;
    QTest::newRow("00 00, Set IDs unanswered: settings dropped")
        << Hex("01 07 84 00 00 8C 04") << false << QStringList{setIds};
}

void TestConfigWindow::statusReport_reprovisions()
{
    QFETCH(QByteArray, report);
    QFETCH(bool, moduleAnswers);
    QFETCH(QStringList, frames);
    w->port->setResponder(moduleAnswers ? AcknowledgeSets : FakeSerialPort::Responder());
    w->port->feedReceived(report);
    auto* reprovisioning = w->window->findChild<Reprovisioning*>();
    QTRY_VERIFY_WITH_TIMEOUT(!reprovisioning->bSendSettingsPending(), 3000);
    QTRY_VERIFY_WITH_TIMEOUT(!w->window->link().transmit().isAwaitingResponse(), 3000);
    QCOMPARE(written(), frames);
    if (frames.size() == 2)  // both acknowledged
        QCOMPARE(notIn(ConfirmedColour(), kIdBoxes + kRecordControls), QStringList());
}

void TestConfigWindow::baudrateAck_usesTheOptionSelectedAtAck()
{
    click("optTransceiverBaudrate2");
    click("cmdSetTransceiverBaudrate");
    QCOMPARE(written(), QStringList{"01 06 19 02 22 04"});
    QCOMPARE(w->port->parameters(), QStringLiteral("19200,N,8,1"));  // not before the ack
    click("optTransceiverBaudrate3");
    // The ack's pause for the module to switch still handles a reply that arrives in it.
    w->port->feedReceivedLater(Hex("01 0B 83 01 00 02 00 03 00 95 04"), 300);
    w->port->feedReceived(Hex("01 05 99 9F 04"));
    QCOMPARE(w->port->parameters(), QStringLiteral("57600,N,8,1"));
    QCOMPARE(SettingsStore::ReadText("Properties", "BaudRate", ""), QStringLiteral("57600"));
    QTRY_COMPARE_WITH_TIMEOUT(w->window->statusPanelText(2), QStringLiteral("Baud Rate: 57600"), 5000);
    QCOMPARE(w->window->config().lSystemID, 3);
}

// The module needs the pause to follow the host to its new rate: a request clicked in it
// is dropped, as one clicked while a reply is outstanding, not written at the new rate.
void TestConfigWindow::requestDuringTheRatePause_isHeldBack()
{
    click("optTransceiverBaudrate2");
    click("cmdSetTransceiverBaudrate");
    QTimer::singleShot(300, w->window.get(), [this] { click("cmdGetIDs"); });
    w->port->feedReceived(Hex("01 05 99 9F 04"));
    QTRY_COMPARE_WITH_TIMEOUT(w->window->statusPanelText(2), QStringLiteral("Baud Rate: 38400"), 5000);
    QCOMPARE(written(), QStringList{"01 06 19 02 22 04"});
    click("cmdGetIDs");
    QCOMPARE(written().last(), QStringLiteral("01 05 03 09 04"));
}

// Reopening at the new rate fails: one fault line, the port closed, the option kept.
void TestConfigWindow::baudrateAck_reopenAtTheNewRateFails_reportsPortClosed()
{
    click("optTransceiverBaudrate2");
    click("cmdSetTransceiverBaudrate");
    w->port->setOnlyPortsAvailable({});
    w->port->feedReceived(Hex("01 05 99 9F 04"));
    QTRY_COMPARE_WITH_TIMEOUT(w->window->statusPanelText(3), QStringLiteral("Status: Port closed"), 5000);
    QVERIFY(!w->port->isOpen());
    const QStringList lines = w->window->messageList().lines();
    QCOMPARE(lines.filter("Serial Port Error"),
             QStringList{"Serial Port Error: No such file or directory"});
    QVERIFY(w->find<QAbstractButton>("optTransceiverBaudrate2")->isChecked());
}

void TestConfigWindow::firmwareCopyright_withMarkup_isShownAsPlainText()
{
    const QByteArray copyright = "<b>QV</b> &amp; Co";
    click("cmdGetFirmwareVersion");
    w->port->feedReceived(BuildFrame(0x95, Hex("01 03 07 0F 04") + char(copyright.size()) + copyright));
    auto* label = w->find<QLabel>("lblCopyright");
    QCOMPARE(label->text(), QString::fromLatin1(copyright));
    // Drawn as markup it would show "QV & Co", far narrower than the text itself.
    QVERIFY(label->sizeHint().width() >= label->fontMetrics().horizontalAdvance(label->text()));
}

void TestConfigWindow::startUp_fillsThePagesFromTheStore()
{
    w.reset();
    for (const char* entry : {"Transceiver ID=300", "Network ID=65535", "System ID=0",
                              "Hop Table=12", "Acknowledgements=0", "Retries=7", "PA Level=2",
                              "RF Mode=0", "Single Channel=7", "RF Receive All=1"})
        SettingsStore::WriteText("Settings", QString(entry).section('=', 0, 0),
                                 QString(entry).section('=', 1));
    openWindow();
    QCOMPARE(values(kIdBoxes + kSettingsBoxes), (QStringList{"300", "65535", "0", "12", "7", "7"}));
    QCOMPARE(notIn(PendingColour(), kIdBoxes + kSettingsBoxes), QStringList());
    QCOMPARE(values({"chkAcks", "optHoppingMode", "chkReceiveAll"}, "checked"),
             (QStringList{"false", "false", "true"}));
    QCOMPARE(w->find<QComboBox>("comboInternalPALevel")->currentIndex(), 2);
    click("cmdSetProgrammableSettings");
    QCOMPARE(written(), QStringList{"01 0C 08 0C 00 07 02 00 07 01 32 04"});
}

void TestConfigWindow::startUp_storedValuesOutOfRange_takeTheirDefaults_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Hop Table above 15") << "Hop Table" << "20" << "txtSetHopTable2" << "0";
    QTest::newRow("Retries below 0") << "Retries" << "-3" << "txtSetRFRetries2" << "3";
    QTest::newRow("Single Channel above 49") << "Single Channel" << "50" << "txtRFSingleChannel2" << "25";
    QTest::newRow("Transceiver ID above 65535") << "Transceiver ID" << "70000" << "txtTransceiverID2" << "1";
    QTest::newRow("Destination ID below 0") << "Destination ID" << "-1" << "txtDestinationID" << "2";
    QTest::newRow("PA Level past the list") << "PA Level" << "5" << "comboInternalPALevel" << "0";
    QTest::newRow("PA Level below the list") << "PA Level" << "-1" << "comboInternalPALevel" << "0";
}

void TestConfigWindow::startUp_storedValuesOutOfRange_takeTheirDefaults()
{
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(QString, control);
    QFETCH(QString, shown);
    w.reset();
    SettingsStore::WriteText("Settings", key, stored);
    openWindow();
    if (auto* combo = w->find<QComboBox>(control))
        QCOMPARE(QString::number(combo->currentIndex()), shown);
    else
        QCOMPARE(values({control}), QStringList{shown});
}

void TestConfigWindow::startUp_statusReportDuringSearch_reprovisionsWithStoredIds()
{
    w.reset();
    SettingsStore::WriteText("Settings", "Transceiver ID", "300");
    SettingsStore::WriteText("Settings", "Network ID", "7");
    SettingsStore::WriteText("Settings", "System ID", "9");
    w = std::make_unique<WindowHarness>([](FakeSerialPort& port) {
        port.setOnlyPortsAvailable({1});
        port.setResponder([](FakeSerialPort& p, const QByteArray& written) {
            if (p.parameters() != QStringLiteral("19200,N,8,1"))
                return;
            if (written == Hex("01 05 03 09 04")) {  // the probe: "lost my settings", then IDs
                p.feedReceivedLater(Hex("01 07 84 00 00 8C 04"), 2);
                p.feedReceivedLater(Hex("01 0B 83 2C 01 01 00 01 00 BE 04"), 20);
            }
            AcknowledgeSets(p, written);
        });
    });
    const QString storedIds = HexText(BuildSetIDsFrame(300, 7, 9)).trimmed();
    QTRY_VERIFY_WITH_TIMEOUT(written().contains(storedIds), 3000);
    QCOMPARE(written().filter(QRegularExpression("^01 0B 02 ")), QStringList{storedIds});
}

QTEST_MAIN(TestConfigWindow)
#include "tst_configwindow.moc"
