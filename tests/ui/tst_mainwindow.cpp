#include "link/LinkSession.h"
#include "platform/SettingsStore.h"
#include "support/ModuleResponder.h"
#include "support/WindowHarness.h"
#include "ui/CommunicationsLogView.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <QtTest>

namespace {

// The main window while its constructor is still running start-up: only reachable as a
// top-level widget.
QWidget* MainWindowBeingBuilt()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String("frmQVOrvalisETMain"))
            return widget;
    return nullptr;
}

// Controls that send a frame or reopen the port; none may be used during the search.
const QStringList kSendingControls{"cmdGetIDs", "cmdSetIDs", "cmdSendSingleMsg", "cmdSendRandomRepeatedMsg",
                                   "cmdSleep2", "cmdGetFirmwareVersion", "optTestModeEnabled",
                                   "cmdSetTransceiverBaudrate", "mnuCommPort"};

QStringList UsableSendingControls(const QWidget& window)
{
    QStringList usable;
    for (const QString& name : kSendingControls) {
        const QObject* control = window.findChild<QObject*>(name);
        if (!control || control->property("enabled").toBool())
            usable << name;
    }
    return usable;
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearSettingsStore(); }

    // Selecting each tab shows its caption; "Factory Calibration" only when stored as 1.
    void tabs()
    {
        const QStringList five{"IDs", "RF Settings", "Statistics", "Test Settings", "Comm"};
        for (const QStringList& captions : {five, five + QStringList{"Factory Calibration"}}) {
            if (captions.size() == 6)
                SettingsStore::WriteText("Properties", "FactoryCalibration", "1");
            WindowHarness w;
            auto* bar = w.find<QTabBar>("TabStrip1");
            QStringList shown;
            for (int i = 0; i < bar->count(); ++i) {
                bar->setCurrentIndex(i);
                shown << w.window->sCurrentTabCaption();
            }
            QCOMPARE(shown, captions);
        }
    }

    // A value that is not a number, or out of its range, takes its default; the others load.
    void storedValues_loadOrTakeTheirDefault()
    {
        SettingsStore::WriteText("Settings", "Transceiver ID", "300");
        SettingsStore::WriteText("Settings", "Hop Table", "seven");
        SettingsStore::WriteText("Settings", "Retries", "99999999999");
        SettingsStore::WriteText("Settings", "Acknowledgements", "0");
        SettingsStore::WriteText("Properties", "COMPort", "9");  // neither indexes an array unchecked
        SettingsStore::WriteText("Properties", "BaudRate", "fast");
        WindowHarness w;
        QCOMPARE(w.window->link().state().iCommPort, qint16(0));
        QCOMPARE(w.window->config().lTransceiverID, 300);
        QCOMPARE(w.window->config().iHopTable, qint16(0));
        QCOMPARE(w.window->config().iRFRetries, qint16(3));
        QCOMPARE(w.window->config().iAcknowledgements, qint16(0));
        w.window->link().log().AddToMessageList("line");
        QTest::mouseClick(w.find<QWidget>("cmdClear"), Qt::LeftButton);
        QCOMPARE(w.window->messageList().lineCount(), 0);
    }

    // The window is on screen while the search runs, shows which port it looks at, and
    // keeps every sending control disabled until the search ends.
    void startUp_windowOnScreen_searchShown_sendingControlsWaitForIt()
    {
        VirtualClock clock;
        QStringList panel3, faults;
        WindowHarness w([&](FakeSerialPort& port) {
            port.setOnlyPortsAvailable({1, 2, 3});
            const auto module = ModuleAnsweringIds(3, "38400", kIdsReply);
            port.setResponder([&, module](FakeSerialPort& p, const QByteArray& written) {
                const QWidget* window = MainWindowBeingBuilt();
                if (!window || !window->isVisible())
                    faults << "window not on screen";
                else if (!UsableSendingControls(*window).isEmpty())
                    faults << "usable during the search: " + UsableSendingControls(*window).join(' ');
                const QString text = window ? window->findChild<QLabel*>("StatusBar1Panel3")->text() : "";
                if (panel3.isEmpty() || panel3.constLast() != text)
                    panel3 << text;
                module(p, written);
            });
        });
        QCOMPARE(faults, QStringList());
        QCOMPARE(panel3, (QStringList{"Status: Searching for transceiver on Com Port 1",
                                      "Status: Searching for transceiver on Com Port 2",
                                      "Status: Searching for transceiver on Com Port 3"}));
        QCOMPARE(UsableSendingControls(*w.window), kSendingControls);
    }

    void startUpOutcome_staysInPanel3_sendWithoutPortSaysSo_data()
    {
        QTest::addColumn<bool>("moduleThere");
        QTest::addColumn<QString>("panel3");
        QTest::addColumn<QString>("notice");  // beside the panels once Get IDs is clicked
        QTest::newRow("nothing found") << false << "Status: No transceiver detected"
                                       << "No port open: choose Settings > Communications...";
        QTest::newRow("module found") << true << "Status:  User Mode" << "";
    }
    // A frame with no port to go to is dropped, and the user is told where to choose one;
    // the panels, the log and the wire stay as they were.
    void startUpOutcome_staysInPanel3_sendWithoutPortSaysSo()
    {
        QFETCH(bool, moduleThere);
        QFETCH(QString, panel3);
        QFETCH(QString, notice);
        VirtualClock clock;
        WindowHarness w([&](FakeSerialPort& port) {
            if (moduleThere) {
                port.setOnlyPortsAvailable({3});
                port.setResponder(ModuleAnsweringIds(3, "38400", kIdsReply));
            }
        });
        const auto panels = [&] { return QStringList{w.window->statusPanelText(1), w.window->statusPanelText(2),
                                                     w.window->statusPanelText(3)}; };
        const QStringList before = panels();
        QCOMPARE(before.constLast(), panel3);
        w.port->clearRecords();
        const int lines = w.window->messageList().lineCount();
        w.find<QPushButton>("cmdGetIDs")->click();
        const auto* shown = w.find<QLabel>("lblStatusNotice");
        QCOMPARE(shown->isVisible() ? shown->text() : QString(), notice);
        QCOMPARE(panels(), before);
        QCOMPARE(w.port->writes().isEmpty(), !moduleThere);
        QCOMPARE(w.window->messageList().lineCount() == lines, !moduleThere);
    }

    void startUp_closedDuringSearch_endsSearchAndStoresNothingFound()
    {
        VirtualClock clock;
        int writesAfterClose = -1;
        WindowHarness w([&](FakeSerialPort& port) {
            port.setOnlyPortsAvailable({1, 2, 3});
            port.setResponder([&](FakeSerialPort& p, const QByteArray&) {
                if (writesAfterClose >= 0) {
                    ++writesAfterClose;
                } else if (p.selectedPort() == 2) {
                    writesAfterClose = 0;
                    QWidget* window = MainWindowBeingBuilt();
                    QTimer::singleShot(0, window, [window] { window->close(); });
                }
            });
        });
        QVERIFY(!w.window->isVisible());
        QVERIFY2(writesAfterClose <= 1, qPrintable(QString::number(writesAfterClose)));  // the probe under way
        QVERIFY(!w.port->isOpen());
        QVERIFY(!w.window->link().state().bSearching);
        QCOMPARE(SettingsStore::ReadText("Properties", "COMPort", "none"), QStringLiteral("none"));
        // Shut-down ran while the search was under way.
        QCOMPARE(SettingsStore::ReadText("Settings", "Transceiver ID", "none"), QStringLiteral("1"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
