#include "link/LinkSession.h"
#include "platform/SettingsStore.h"
#include "ui/widgets/UserPrompts.h"
#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"
#include "support/ModuleResponder.h"
#include "support/PortDescriptions.h"
#include "support/WindowHarness.h"
#include "ui/CommunicationsLogView.h"
#include "ui/frmQVOrvalisETAbout.h"
#include "ui/frmQVOrvalisETProperties.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct DialogHarness : WindowHarness {
    std::unique_ptr<frmQVOrvalisETProperties> dialog;

    explicit DialogHarness(const std::function<void(FakeSerialPort&)>& prepare)
        : WindowHarness(prepare)
    {
        dialog = std::make_unique<frmQVOrvalisETProperties>(window->link(), window->discovery(),
                                                            window.get());
    }
    QRadioButton* option(const QString& name) const { return dialog->findChild<QRadioButton*>(name); }
    QLabel* label(const QString& name) const { return dialog->findChild<QLabel*>(name); }
};

}  // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void properties_disablesPortsThatDoNotOpen_andShowsDevices();
    void properties_okWithUnchangedChoice_stillProbes();
    void properties_okWithSilentModule_saysNoTransceivedDetected();
    void properties_portThatCannotBeSelected_showsTheReason();
    void properties_controlCharactersInADevicePath_areShownEscaped();
    void properties_closingByFrame_actsAsCancel();
    void properties_autoDetectDuringARepetition_stopsItFirst();
    void properties_newRate_commPageSelectionFollows();
    void properties_storedPortOrRateOutOfRange_takesTheDefault_data();
    void properties_storedPortOrRateOutOfRange_takesTheDefault();
    void about_escapeCloses();
    void about_systemInfoWithoutAProgram_saysUnavailable();

private:
    QStringList m_messages;
};

void TestDialogs::init()
{
    ClearSettingsStore();
    m_messages.clear();
    UserPrompts::SetAnswersForTesting(
        {[this](const QString& title, const QString& text) { m_messages << title + "|" + text; },
         {}, {}});
}

void TestDialogs::cleanup()
{
    UserPrompts::SetAnswersForTesting({});
}

void TestDialogs::properties_disablesPortsThatDoNotOpen_andShowsDevices()
{
    DialogHarness d([](FakeSerialPort& port) { port.setOnlyPortsAvailable({2, 5}); });
    for (int i = 0; i < 8; ++i) {
        QRadioButton* option = d.option(QStringLiteral("optCommPort%1").arg(i));
        QCOMPARE(option->isEnabled(), i == 1 || i == 4);
        QVERIFY(option->toolTip().contains(QStringLiteral("/dev/fake%1").arg(i + 1)));
    }
    QVERIFY(d.label("lblPortAdvice")->isHidden());  // no port refused for permission
    QVERIFY(d.option("optBaudRate1")->isChecked());  // "19200" when nothing is stored
    QVERIFY(!d.port->isOpen());
}

// OK with the stored choice probes again (wake-up byte, then Query IDs at the rate).
void TestDialogs::properties_okWithUnchangedChoice_stillProbes()
{
    SettingsStore::WriteText("Properties", "COMPort", "2");
    SettingsStore::WriteText("Properties", "BaudRate", "38400");
    DialogHarness d([](FakeSerialPort& port) {
        port.setOnlyPortsAvailable({2});
        port.setResponder(ModuleAnsweringIds(2, "38400", kIdsReply));
    });
    QVERIFY(d.option("optCommPort1")->isChecked());
    QVERIFY(d.option("optBaudRate2")->isChecked());
    d.port->clearRecords();
    d.window->SetStatusPanel(3, "before");
    QTest::mouseClick(d.dialog->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!d.window->discovery().isRunning(), 3000);  // the probe runs on
    QVERIFY(d.port->writes().size() >= 2);
    QCOMPARE(d.port->writes()[0].bytes, QByteArray(1, '\0'));
    QCOMPARE(d.port->writes()[1].parameters, QStringLiteral("38400,N,8,1"));
    QCOMPARE(d.window->statusPanelText(3), QStringLiteral("Status:"));
    QVERIFY(d.port->isOpen());
    QVERIFY(d.window->messageList().lineCount() == 0);  // the probe is not logged
}

void TestDialogs::properties_okWithSilentModule_saysNoTransceivedDetected()
{
    DialogHarness d([](FakeSerialPort& port) { port.setOnlyPortsAvailable({3}); });
    d.option("optCommPort2")->setChecked(true);
    QTest::mouseClick(d.dialog->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!d.window->discovery().isRunning(), 3000);  // the probe runs on
    QCOMPARE(d.window->statusPanelText(1), QStringLiteral("Comm Port: None"));
    QCOMPARE(d.window->statusPanelText(2), QStringLiteral("Baud Rate: "));
    QCOMPARE(d.window->statusPanelText(3), QStringLiteral("Status: No transceived detected"));
    QVERIFY(d.port->isOpen());  // the chosen port stays open
    QCOMPARE(SettingsStore::ReadText("Properties", "COMPort", ""), QStringLiteral("3"));
}

void TestDialogs::properties_portThatCannotBeSelected_showsTheReason()
{
    SettingsStore::WriteText("Properties", "COMPort", "2");
    DialogHarness d([](FakeSerialPort& port) { port.setOnlyPortsAvailable({2, 6}); });
    d.port->setPortSelectable(6, false);
    d.option("optCommPort5")->setChecked(true);
    QTest::mouseClick(d.dialog->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!d.window->discovery().isRunning(), 3000);  // the probe runs on
    QCOMPARE(m_messages, QStringList{"QV Orvalis Evaluation Tool|Invalid port number"});
    QCOMPARE(d.window->link().state().iCommPort, qint16(2));
    QCOMPARE(d.port->selectedPort(), 2);
}

void TestDialogs::properties_controlCharactersInADevicePath_areShownEscaped()
{
    DialogHarness d([](FakeSerialPort& port) {
        port.setPortDescription(3, Device("/dev/tty\nUSB\x1b[2J"));
    });
    const QString shown = "/dev/tty\\nUSB\\x1b[2J";
    QCOMPARE(d.label("lblCommPortDevice2")->text(), shown + " — not found");
    for (const QString& tip :
         {d.label("lblCommPortDevice2")->toolTip(), d.option("optCommPort2")->toolTip()})
        QVERIFY2(tip.contains(shown) && !tip.contains('\x1b'), qPrintable(tip));
}

// No RF data may go to a port the search probes, at a probe's rate: the repetition ends
// as "Stop Repeat" ends it before the first probe.
void TestDialogs::properties_autoDetectDuringARepetition_stopsItFirst()
{
    WindowHarness w([](FakeSerialPort& port) {
        port.setOnlyPortsAvailable({1});
        port.setResponder(ModuleAnsweringIds(1, "19200", kIdsReply));
    });
    auto* repeat = w.find<QPushButton>("cmdSendRandomRepeatedMsg");
    repeat->click();
    QTRY_VERIFY_WITH_TIMEOUT(w.port->writes().size() >= 5, 5000);  // RF data goes out
    frmQVOrvalisETProperties dialog(w.window->link(), w.window->discovery(), w.window.get());
    w.port->clearRecords();
    dialog.findChild<QPushButton*>("cmdAutoDetect")->click();
    QTRY_VERIFY_WITH_TIMEOUT(dialog.isHidden(), 5000);
    QTest::qWait(300);  // three repeat delays
    for (const FakeSerialPort::Write& write : w.port->writes())
        QVERIFY2(write.bytes.size() < 3 || write.bytes.at(2) != MessageCode::SendRfData,
                 qPrintable(write.parameters + ": " + HexText(write.bytes)));
    QCOMPARE(repeat->text(), QStringLiteral("Send Random Repeated Msg"));
    QCOMPARE(w.window->statusPanelText(1), QStringLiteral("Comm Port: 1"));
}

void TestDialogs::properties_newRate_commPageSelectionFollows()
{
    SettingsStore::WriteText("Properties", "COMPort", "2");
    DialogHarness d([](FakeSerialPort& port) {
        port.setOnlyPortsAvailable({2});
        port.setResponder(ModuleAnsweringIds(2, "19200", kIdsReply));
    });
    const auto commOption = [&d](int i) {
        return d.window->findChild<QRadioButton*>(QStringLiteral("optTransceiverBaudrate%1").arg(i));
    };
    QVERIFY(commOption(1)->isChecked());
    d.port->setResponder(ModuleAnsweringIds(2, "38400", kIdsReply));  // switched by other means
    d.option("optBaudRate2")->setChecked(true);
    QTest::mouseClick(d.dialog->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!d.window->discovery().isRunning(), 3000);  // the probe runs on
    QCOMPARE(d.window->statusPanelText(2), QStringLiteral("Baud Rate: 38400"));
    QVERIFY(commOption(2)->isChecked());
    d.port->clearRecords();
    d.window->findChild<QPushButton*>("cmdSetTransceiverBaudrate")->click();
    QCOMPARE(d.port->writtenData().toHex(' '), QByteArray("01 06 19 02 22 04"));
}

void TestDialogs::properties_storedPortOrRateOutOfRange_takesTheDefault_data()
{
    QTest::addColumn<QString>("storedPort");
    QTest::addColumn<QString>("storedRate");
    QTest::newRow("port 12") << "12" << "19200";
    QTest::newRow("port 9") << "9" << "9600";
    QTest::newRow("port -1") << "-1" << "38400";
    QTest::newRow("rate 115200") << "0" << "115200";
    QTest::newRow("rate text") << "3" << "fast";
}

void TestDialogs::properties_storedPortOrRateOutOfRange_takesTheDefault()
{
    QFETCH(QString, storedPort);
    QFETCH(QString, storedRate);
    SettingsStore::WriteText("Properties", "COMPort", storedPort);
    SettingsStore::WriteText("Properties", "BaudRate", storedRate);
    DialogHarness d([](FakeSerialPort& port) { port.setOnlyPortsAvailable({}); });
    const qint16 port = storedPort.toShort();
    const qint16 expectedPort = port >= 0 && port <= 8 ? port : 0;
    QCOMPARE(d.window->link().state().iCommPort, expectedPort);
    for (int i = 0; i < 8; ++i)
        QCOMPARE(d.option(QStringLiteral("optCommPort%1").arg(i))->isChecked(), i + 1 == expectedPort);
    const int rateIndex = HostBaudRates().indexOf(storedRate);
    QVERIFY(d.option(QStringLiteral("optBaudRate%1").arg(rateIndex < 0 ? 1 : rateIndex))->isChecked());
}

void TestDialogs::properties_closingByFrame_actsAsCancel()
{
    SettingsStore::WriteText("Properties", "COMPort", "2");
    SettingsStore::WriteText("Properties", "BaudRate", "9600");
    DialogHarness d([](FakeSerialPort& port) {
        port.setOnlyPortsAvailable({2});
        port.setResponder(ModuleAnsweringIds(2, "9600", kIdsReply));
    });
    QVERIFY(!d.port->isOpen());
    d.option("optBaudRate3")->setChecked(true);
    d.dialog->show();
    d.dialog->close();
    QVERIFY(d.port->isOpen());
    QCOMPARE(d.port->selectedPort(), 2);
    QCOMPARE(d.port->parameters(), QStringLiteral("9600,N,8,1"));
    QCOMPARE(SettingsStore::ReadText("Properties", "BaudRate", ""), QStringLiteral("9600"));
}

void TestDialogs::about_escapeCloses()
{
    WindowHarness w;
    frmQVOrvalisETAbout about(w.window.get());
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QTest::keyClick(&about, Qt::Key_Escape);
    QVERIFY(about.isHidden());
}

void TestDialogs::about_systemInfoWithoutAProgram_saysUnavailable()
{
    QTemporaryDir emptyPath;
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", emptyPath.path().toLocal8Bit());
    WindowHarness w;
    frmQVOrvalisETAbout about(w.window.get());
    QTest::mouseClick(about.findChild<QPushButton*>("cmdSystemInfo"), Qt::LeftButton);
    qputenv("PATH", oldPath);
    QCOMPARE(m_messages, QStringList{"QV Orvalis Evaluation Tool|System Information Is Unavailable At This Time"});
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
