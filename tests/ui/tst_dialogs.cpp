// The settings dialog and the About box over the real main window, in protocol time.
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

    explicit DialogHarness(const std::function<void(FakeSerialPort&)>& prepare) : WindowHarness(prepare)
    {
        dialog = std::make_unique<frmQVOrvalisETProperties>(window->link(), window->discovery(), window.get());
    }
    QRadioButton* option(const QString& name) const { return dialog->findChild<QRadioButton*>(name); }
    QLabel* label(const QString& name) const { return dialog->findChild<QLabel*>(name); }
    // OK, then protocol time until the probe it starts has ended.
    void ok(VirtualClock& clock) const
    {
        QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        for (int ms = 0; ms < 5000 && window->discovery().isRunning(); ms += 10)
            clock.advance(10);
    }
};

void StorePortAndRate(const QString& port, const QString& rate)
{
    SettingsStore::WriteText("Properties", "COMPort", port);
    SettingsStore::WriteText("Properties", "BaudRate", rate);
}

}  // namespace

class TestDialogs : public QObject {
    Q_OBJECT
    QStringList m_messages;

private slots:
    void init()
    {
        ClearSettingsStore();
        m_messages.clear();
        UserPrompts::SetAnswersForTesting(
            {[this](const QString& title, const QString& text) { m_messages << title + "|" + text; }, {}, {}});
    }
    void cleanup() { UserPrompts::SetAnswersForTesting({}); }

    // OK with the stored choice probes again (wake-up byte, then Query IDs at the rate);
    // the probe is not logged, and a silent module leaves the chosen port open.
    void properties_ok_probesTheChosenPort_data()
    {
        QTest::addColumn<QString>("moduleRate");  // "" for no module
        QTest::addColumn<QStringList>("panels");
        QTest::newRow("answered") << "38400" << QStringList{"Comm Port: 2", "Baud Rate: 38400", "Status:"};
        QTest::newRow("silent")
            << "" << QStringList{"Comm Port: None", "Baud Rate: ", "Status: No transceived detected"};
    }
    void properties_ok_probesTheChosenPort()
    {
        QFETCH(QString, moduleRate);
        QFETCH(QStringList, panels);
        VirtualClock clock;
        StorePortAndRate("2", "38400");
        DialogHarness d([&](FakeSerialPort& port) {
            port.setOnlyPortsAvailable({2});
            port.setResponder(ModuleAnsweringIds(2, moduleRate, kIdsReply));
        });
        QVERIFY(d.option("optCommPort1")->isChecked());
        QVERIFY(d.option("optBaudRate2")->isChecked());
        d.port->clearRecords();
        d.ok(clock);
        QVERIFY(d.port->writes().size() >= 2);
        QCOMPARE(d.port->writes()[0].bytes, QByteArray(1, '\0'));
        QCOMPARE(d.port->writes()[1].parameters, QStringLiteral("38400,N,8,1"));
        QCOMPARE((QStringList{d.window->statusPanelText(1), d.window->statusPanelText(2),
                              d.window->statusPanelText(3)}), panels);
        QVERIFY(d.port->isOpen());
        QCOMPARE(d.window->messageList().lineCount(), 0);
        QCOMPARE(SettingsStore::ReadText("Properties", "COMPort", ""), QStringLiteral("2"));
    }

    void properties_portThatCannotBeSelected_showsTheReason()
    {
        VirtualClock clock;
        SettingsStore::WriteText("Properties", "COMPort", "2");
        DialogHarness d([](FakeSerialPort& port) {
            port.setOnlyPortsAvailable({2, 6});
            port.setPortSelectable(6, false);
        });
        d.option("optCommPort5")->setChecked(true);
        d.ok(clock);
        QCOMPARE(m_messages, QStringList{"QV Orvalis Evaluation Tool|Invalid port number"});
        QCOMPARE(d.window->link().state().iCommPort, qint16(2));
        QCOMPARE(d.port->selectedPort(), 2);
    }

    // Ports that do not open are disabled; each shows its device, control characters escaped.
    void properties_disablesPortsThatDoNotOpen_andShowsDevicesEscaped()
    {
        DialogHarness d([](FakeSerialPort& port) {
            port.setOnlyPortsAvailable({2, 5});
            port.setPortDescription(3, Device("/dev/tty\nUSB\x1b[2J"));
        });
        for (int i : {0, 1, 3, 4, 5, 6, 7}) {
            QRadioButton* option = d.option(QStringLiteral("optCommPort%1").arg(i));
            QCOMPARE(option->isEnabled(), i == 1 || i == 4);
            QVERIFY(option->toolTip().contains(QStringLiteral("/dev/fake%1").arg(i + 1)));
        }
        const QString shown = "/dev/tty\\nUSB\\x1b[2J";
        QCOMPARE(d.label("lblCommPortDevice2")->text(), shown + " — not found");
        for (const QString& tip : {d.label("lblCommPortDevice2")->toolTip(), d.option("optCommPort2")->toolTip()})
            QVERIFY2(tip.contains(shown) && !tip.contains('\x1b'), qPrintable(tip));
        QVERIFY(d.label("lblPortAdvice")->isHidden());  // no port refused for permission
        QVERIFY(d.option("optBaudRate1")->isChecked());  // "19200" when nothing is stored
    }

    // No RF data may go to a port the search probes, at a probe's rate: the repetition ends
    // as "Stop Repeat" ends it before the first probe.
    void properties_autoDetectDuringARepetition_stopsItFirst()
    {
        VirtualClock clock;
        WindowHarness w([](FakeSerialPort& port) {
            port.setOnlyPortsAvailable({1});
            port.setResponder(ModuleAnsweringIds(1, "19200", kIdsReply));
        });
        auto* repeat = w.find<QPushButton>("cmdSendRandomRepeatedMsg");
        repeat->click();
        for (int ms = 0; ms < 5000 && w.port->writes().size() < 5; ms += 10)
            clock.advance(10);
        QVERIFY(w.port->writes().size() >= 5);  // RF data goes out
        frmQVOrvalisETProperties dialog(w.window->link(), w.window->discovery(), w.window.get());
        w.port->clearRecords();
        dialog.findChild<QPushButton*>("cmdAutoDetect")->click();
        for (int ms = 0; ms < 5000 && !dialog.isHidden(); ms += 10)
            clock.advance(10);
        QVERIFY(dialog.isHidden());
        clock.advance(300);  // three repeat delays
        for (const FakeSerialPort::Write& write : w.port->writes())
            QVERIFY2(write.bytes.size() < 3 || write.bytes.at(2) != MessageCode::SendRfData,
                     qPrintable(write.parameters + ": " + HexText(write.bytes)));
        QCOMPARE(repeat->text(), QStringLiteral("Send Random Repeated Msg"));
        QCOMPARE(w.window->statusPanelText(1), QStringLiteral("Comm Port: 1"));
    }

    void properties_closingByFrame_actsAsCancel()
    {
        VirtualClock clock;
        StorePortAndRate("2", "9600");
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

    void about_systemInfoWithoutAProgram_saysUnavailable()
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
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
