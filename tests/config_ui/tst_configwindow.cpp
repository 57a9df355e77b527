// The configuration pages bound to their controllers in the main window, over a fake port
// in virtual time: a click sends, a reply shows, colours follow pending and confirmed.
#include "platform/SettingsStore.h"
#include "protocol/Frame.h"
#include "support/Hex.h"
#include "support/WindowHarness.h"
#include "ui/widgets/ValueColours.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

namespace {

const QStringList kBoxes{"txtTransceiverID2", "txtNetworkID2", "txtSystemID2", "txtSetHopTable2", "txtSetRFRetries2", "txtRFSingleChannel2"};
const QStringList kOthers{"chkAcks", "optHoppingMode", "optSingleChannelMode", "chkReceiveAll", "comboInternalPALevel"};

}  // namespace

class TestConfigWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearSettingsStore(); }
    void cleanup() { w.reset(); }
    void replies_showAndConfirm_editsTurnPending();
    void startUp_showsTheStore_data();
    void startUp_showsTheStore();
    void startUp_statusReportDuringSearch_reprovisionsWithStoredIds();

private:
    void open(const QStringList& stored = {}, const std::function<void(FakeSerialPort&)>& prepare = {})
    {
        for (const QString& entry : stored)
            SettingsStore::WriteText("Settings", entry.section('=', 0, 0), entry.section('=', 1));
        w = std::make_unique<WindowHarness>(prepare);
        if (!prepare)
            w->openPort1();
    }
    void click(const QString& button) { w->find<QAbstractButton>(button)->click(); }
    QString written() const { return HexText(w->port->writtenData()).trimmed(); }
    // Each control's value (text, checked or selected entry), then P, C or - as its colour
    // is pending, confirmed or neither.
    QString shown(const QStringList& names) const
    {
        QStringList shown;
        for (const QString& name : names) {
            const QWidget* c = w->find<QWidget>(name);
            const QColor colour = TextColour(c);
            shown << c->property(qobject_cast<const QAbstractButton*>(c) ? "checked"
                                 : qobject_cast<const QComboBox*>(c) ? "currentIndex" : "text").toString()
                  << (colour == PendingColour() ? "P" : colour == ConfirmedColour() ? "C" : "-");
        }
        return shown.join(' ');
    }

    VirtualClock clock;  // first: the window's timers run on it
    std::unique_ptr<WindowHarness> w;
};

void TestConfigWindow::replies_showAndConfirm_editsTurnPending()
{
    open();
    click("cmdGetMaxPowerAmplifierLevel");
    w->port->feedReceived(Hex("01 0B 83 2C 01 FF FF 00 00 BA 04"));
    click("cmdGetProgrammableSettings");
    w->port->feedReceived(Hex("01 0C 89 14 05 03 03 01 07 01 BE 04"));
    QCOMPARE(shown(kBoxes), "300 C 65535 C 0 C 15 C 3 C 7 C");
    QCOMPARE(shown(kOthers), "true C true C false C true C 0 C");
    w->find<QLineEdit>("txtNetworkID2")->setText("5");
    click("chkAcks");
    QCOMPARE(shown({"txtNetworkID2", "txtSystemID2", "chkAcks"}), "5 P 0 C false P");
    click("cmdSetIDs");
    w->port->feedReceived(Hex("01 05 82 88 04"));
    click("cmdSetProgrammableSettings");
    QCOMPARE(written(), "01 05 21 27 04 01 05 09 0F 04 01 0B 02 2C 01 05 00 00 00 40 04 01 0C 08 0F 00 03 03 01 07 01 33 04");
    const QByteArray copyright = "<b>QV</b> &amp; Co";  // shown as it is, not as markup
    w->port->feedReceived(BuildFrame(0x95, Hex("01 03 07 0F 04 12") + copyright));
    QCOMPARE(shown({"lblVersion", "lblFirmwareDate", "lblCopyright"}), "1.3 - 7/15/2004 - " + copyright + " -");
    const QWidget* label = w->find<QWidget>("lblCopyright");
    QVERIFY(label->sizeHint().width() >= label->fontMetrics().horizontalAdvance(copyright));
}

// Start-up shows the stored values, each box pending; a stored value out of its range
// takes its default. Set Programmable Settings then sends the record as shown.
void TestConfigWindow::startUp_showsTheStore_data()
{
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QString>("shown");  // boxes, switches, attenuator, destination ID
    QTest::addColumn<QString>("record");
    QTest::newRow("in range") << QStringList{"Transceiver ID=300", "Network ID=65535", "System ID=0", "Hop Table=12", "Retries=7",
                                             "Acknowledgements=0", "PA Level=2", "RF Mode=0", "Single Channel=7", "RF Receive All=1"}
                              << "300 P 65535 P 0 P 12 P 7 P 7 P false - false - true P true P 2 P 2 -"
                              << "01 0C 08 0C 00 07 02 00 07 01 32 04";
    QTest::newRow("out of range") << QStringList{"Transceiver ID=70000", "Hop Table=20", "Retries=-3",
                                                 "Single Channel=50", "PA Level=-1", "Destination ID=-1"}
                                  << "1 P 1 P 1 P 0 P 3 P 25 P true P true P false - false - 0 P 2 -"
                                  << "01 0C 08 00 01 03 00 01 19 00 33 04";
}

void TestConfigWindow::startUp_showsTheStore()
{
    QFETCH(QStringList, stored);
    QFETCH(QString, shown);
    QFETCH(QString, record);
    open(stored);
    QCOMPARE(this->shown(kBoxes + kOthers + QStringList{"txtDestinationID"}), shown);
    click("cmdSetProgrammableSettings");
    QCOMPARE(written(), record);
}

void TestConfigWindow::startUp_statusReportDuringSearch_reprovisionsWithStoredIds()
{
    open({"Transceiver ID=300", "Network ID=7", "System ID=9"}, [](FakeSerialPort& port) {
        port.setOnlyPortsAvailable({1});
        port.setResponder([](FakeSerialPort& p, const QByteArray& written) {
            if (written == Hex("01 05 03 09 04") && p.parameters() == QStringLiteral("19200,N,8,1")) {
                p.feedReceivedLater(Hex("01 07 84 00 00 8C 04"), 2);  // "lost my settings", then IDs
                p.feedReceivedLater(Hex("01 0B 83 2C 01 01 00 01 00 BE 04"), 20);
            }
        });
    });
    clock.advance(1000);
    QCOMPARE(written().count("01 0B 02 "), 1);  // Set IDs once, with the stored IDs
    QVERIFY(written().contains("01 0B 02 2C 01 07 00 09 00 4B 04"));
}

QTEST_MAIN(TestConfigWindow)
#include "tst_configwindow.moc"
