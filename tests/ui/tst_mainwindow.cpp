#include "link/PortReconnector.h"
#include "link/LinkSession.h"
#include "platform/SettingsStore.h"
#include "support/ModuleResponder.h"
#include "support/WindowHarness.h"
#include "ui/CommunicationsLogView.h"
#include "ui/frmQVOrvalisETProperties.h"
#include "ui/Twips.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <QtTest>

namespace {

QStringList TabCaptions(QTabBar* bar)
{
    QStringList captions;
    for (int i = 0; i < bar->count(); ++i)
        captions << bar->tabText(i);
    return captions;
}

int VisiblePage(const frmQVOrvalisETMain& window)
{
    int visible = -1;
    for (int i = 0; i < frmQVOrvalisETMain::kPageCount; ++i)
        if (window.page(i) && !window.page(i)->isHidden())
            visible = visible == -1 ? i : -2;  // -2: more than one
    return visible;
}

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
const char* const kSendingControls[] = {"cmdGetIDs", "cmdSetIDs", "cmdSendSingleMsg",
                                        "cmdSendRandomRepeatedMsg", "cmdSleep2",
                                        "cmdGetFirmwareVersion", "optTestModeEnabled",
                                        "cmdSetTransceiverBaudrate"};

QStringList UsableSendingControls(const QWidget& window)
{
    QStringList usable;
    for (const char* name : kSendingControls) {
        const auto* control = window.findChild<QWidget*>(QLatin1String(name));
        if (!control || control->isEnabled())
            usable << QLatin1String(name);
    }
    const auto* commPort = window.findChild<QAction*>(QStringLiteral("mnuCommPort"));
    if (!commPort || commPort->isEnabled())
        usable << QStringLiteral("mnuCommPort");
    return usable;
}

// What a user sees each time the search writes to a port.
struct SearchWatch {
    QStringList panel3;   // each new text, in order
    QStringList faults;   // anything seen that must not be
    int writes = 0;

    void look()
    {
        ++writes;
        const QWidget* window = MainWindowBeingBuilt();
        if (!window || !window->isVisible()) {
            faults << QStringLiteral("window not on screen");
            return;
        }
        const auto* panel = window->findChild<QLabel*>(QStringLiteral("StatusBar1Panel3"));
        if (panel && (panel3.isEmpty() || panel3.constLast() != panel->text()))
            panel3 << panel->text();
        const QStringList usable = UsableSendingControls(*window);
        if (!usable.isEmpty())
            faults << QStringLiteral("usable during the search: ") + usable.join(' ');
    }
};

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearSettingsStore(); }
    void firstStart_showsFiveTabs_IDsPage_andSearchOutcome();
    void factoryCalibration_addsItsTabLast_data();
    void factoryCalibration_addsItsTabLast();
    void tabSwitching_byCaption();
    void resizeRule_logGrowsWithWindow_neverBelowDesignSize();
    void settings_roundTripThroughANewWindow();
    void nonNumericStoredValue_takesItsDefault();
    void clear_emptiesLog_butKeepsWidestExtent();
    void startUp_windowOnScreen_searchShown_sendingControlsWaitForIt();
    void startUp_closedDuringSearch_endsSearchAndStoresNothingFound();
    void startUp_portRefusedForPermission_staysInTheStatusBar();
};

void TestMainWindow::firstStart_showsFiveTabs_IDsPage_andSearchOutcome()
{
    WindowHarness w;
    QCOMPARE(w.window->windowTitle(), QStringLiteral("QV Orvalis Evaluation Tool (900MHz)"));
    QCOMPARE(TabCaptions(w.find<QTabBar>("TabStrip1")),
             (QStringList{"IDs", "RF Settings", "Statistics", "Test Settings", "Comm"}));
    QCOMPARE(w.window->sCurrentTabCaption(), QStringLiteral("IDs"));
    QCOMPARE(w.window->iCurrentTabFrame(), 7);
    QCOMPARE(VisiblePage(*w.window), 7);
    QCOMPARE(w.window->statusPanelText(1), QStringLiteral("Comm Port: None"));
    QCOMPARE(w.window->statusPanelText(2), QStringLiteral("Baud Rate: "));
    QCOMPARE(w.window->size(), QSize(Twips(13575), Twips(11255)));
    for (const char* timer : {"tmrSerial", "tmrMsgTimeout", "tmrWakeup", "tmrGeneric", "tmrRepeat",
                              "tmrThroughput"})
        QVERIFY2(w.find<QTimer>(timer) && !w.find<QTimer>(timer)->isActive(), timer);
    QCOMPARE(w.find<QAction>("mnuFileClose")->text(), QStringLiteral("E&xit"));
    QCOMPARE(w.find<QAction>("mnuCommPort")->text(), QStringLiteral("&Communications..."));
    QCOMPARE(w.find<QAction>("mnuHelpAbout")->text(),
             QStringLiteral("&About QV Orvalis Evaluation Tool..."));
}

void TestMainWindow::factoryCalibration_addsItsTabLast_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("shown");
    QTest::newRow("1") << "1" << true;
    QTest::newRow("0") << "0" << false;
    QTest::newRow("not a number") << "yes" << false;
}

void TestMainWindow::factoryCalibration_addsItsTabLast()
{
    QFETCH(QString, stored);
    QFETCH(bool, shown);
    SettingsStore::WriteText("Properties", "FactoryCalibration", stored);
    WindowHarness w;
    const QStringList tabs = TabCaptions(w.find<QTabBar>("TabStrip1"));
    QCOMPARE(tabs.size(), shown ? 6 : 5);
    QCOMPARE(tabs.last() == QLatin1String("Factory Calibration"), shown);
    QVERIFY(!tabs.contains("RF Power"));
}

void TestMainWindow::tabSwitching_byCaption()
{
    WindowHarness w;
    auto* bar = w.find<QTabBar>("TabStrip1");
    const QMap<QString, int> pages{{"IDs", 7}, {"RF Settings", 8}, {"Statistics", 3},
                                   {"Test Settings", 4}, {"Comm", 5}};
    for (int i : {2, 4, 3, 1, 0}) {
        bar->setCurrentIndex(i);
        QCOMPARE(w.window->sCurrentTabCaption(), bar->tabText(i));
        QCOMPARE(w.window->iCurrentTabFrame(), pages[bar->tabText(i)]);
        QCOMPARE(VisiblePage(*w.window), pages[bar->tabText(i)]);
    }
    // The tab already selected: nothing changes.
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
    QCOMPARE(w.window->iCurrentTabFrame(), 7);
    QCOMPARE(VisiblePage(*w.window), 7);
}

void TestMainWindow::resizeRule_logGrowsWithWindow_neverBelowDesignSize()
{
    WindowHarness w;
    w.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    auto* list = w.find<QWidget>("lstSerialMessages");
    auto* clear = w.find<QWidget>("cmdClear");
    const QSize listSize = list->size();
    const int clearWidth = clear->width();
    const QSize design = w.window->size();

    w.window->resize(design.width() + Twips(1000), design.height() + Twips(1500));
    QTRY_COMPARE(list->width(), listSize.width() + Twips(1000));
    QCOMPARE(clear->width(), clearWidth + Twips(1000));
    QCOMPARE(list->height(), listSize.height() + Twips(1500));

    w.window->resize(design.width() - 100, design.height() - 100);
    QTRY_COMPARE(w.window->size(), design);
    QCOMPARE(list->size(), listSize);
    QCOMPARE(clear->width(), clearWidth);
}

void TestMainWindow::settings_roundTripThroughANewWindow()
{
    {
        WindowHarness w;
        QCOMPARE(w.window->config().lTransceiverID, 1);
        QCOMPARE(w.window->trafficSettings().lDestinationID, 2);
        w.window->config().lTransceiverID = 300;
        w.window->config().iRFRetries = 7;
        w.window->config().iAcknowledgements = 0;
        w.window->trafficSettings().lDestinationID = 65535;
        w.window->trafficSettings().sLogFilePath = "/tmp/logs/";
        w.window->close();
    }
    WindowHarness again;
    QCOMPARE(again.window->config().lTransceiverID, 300);
    QCOMPARE(again.window->config().iRFRetries, qint16(7));
    QCOMPARE(again.window->config().iAcknowledgements, qint16(0));
    QCOMPARE(again.window->config().iSingleChannel, qint16(25));
    QCOMPARE(again.window->trafficSettings().lDestinationID, 65535);
    QCOMPARE(again.window->trafficSettings().sLogFilePath, QStringLiteral("/tmp/logs/"));
}

void TestMainWindow::nonNumericStoredValue_takesItsDefault()
{
    SettingsStore::WriteText("Settings", "Transceiver ID", "12");
    SettingsStore::WriteText("Settings", "Hop Table", "seven");
    SettingsStore::WriteText("Settings", "Retries", "99999999999");
    SettingsStore::WriteText("Settings", "Single Channel", "40");
    WindowHarness w;
    QCOMPARE(w.window->config().lTransceiverID, 12);
    QCOMPARE(w.window->config().iHopTable, qint16(0));
    QCOMPARE(w.window->config().iRFRetries, qint16(3));
    QCOMPARE(w.window->config().iSingleChannel, qint16(40));
}

void TestMainWindow::clear_emptiesLog_butKeepsWidestExtent()
{
    WindowHarness w;
    auto& log = w.window->link().log();
    log.AddToMessageList("short");
    const int shortExtent = w.window->messageList().horizontalExtent();
    log.AddToMessageList("a considerably longer line than the one before it, to widen the list");
    const int wideExtent = w.window->messageList().horizontalExtent();
    QVERIFY(wideExtent > shortExtent);
    log.AddToMessageList("short");  // a short top line must not narrow the long one below it
    CommunicationsLogView& list = w.window->messageList();
    QTRY_VERIFY(list.visualRect(list.model()->index(1, 0)).width()
                >= list.fontMetrics().horizontalAdvance(list.line(1)));
    QTest::mouseClick(w.find<QPushButton>("cmdClear"), Qt::LeftButton);
    QCOMPARE(w.window->messageList().lineCount(), 0);
    QCOMPARE(w.window->messageList().horizontalExtent(), wideExtent);
    log.AddToMessageList("short");
    QCOMPARE(w.window->messageList().horizontalExtent(), wideExtent);
}

void TestMainWindow::startUp_windowOnScreen_searchShown_sendingControlsWaitForIt()
{
    auto watch = std::make_shared<SearchWatch>();
    WindowHarness w([watch](FakeSerialPort& port) {
        port.setOnlyPortsAvailable({1, 2, 3});
        const auto module = ModuleAnsweringIds(3, "38400", kIdsReply);
        port.setResponder([watch, module](FakeSerialPort& p, const QByteArray& written) {
            watch->look();
            module(p, written);
        });
    });
    QVERIFY(watch->writes > 0);
    QCOMPARE(watch->faults, QStringList());
    QCOMPARE(watch->panel3, (QStringList{"Status: Searching for transceiver on Com Port 1",
                                         "Status: Searching for transceiver on Com Port 2",
                                         "Status: Searching for transceiver on Com Port 3"}));
    QCOMPARE(w.window->statusPanelText(1), QStringLiteral("Comm Port: 3"));
    QCOMPARE(w.window->statusPanelText(2), QStringLiteral("Baud Rate: 38400"));
    QCOMPARE(w.window->statusPanelText(3), QStringLiteral("Status:  User Mode"));
    QCOMPARE(UsableSendingControls(*w.window).size(), std::size(kSendingControls) + 1);
}

void TestMainWindow::startUp_closedDuringSearch_endsSearchAndStoresNothingFound()
{
    auto writesAfterClose = std::make_shared<int>(-1);
    WindowHarness w([writesAfterClose](FakeSerialPort& port) {
        port.setOnlyPortsAvailable({1, 2, 3});
        port.setResponder([writesAfterClose](FakeSerialPort& p, const QByteArray&) {
            if (*writesAfterClose >= 0) {
                ++*writesAfterClose;
            } else if (p.selectedPort() == 2) {
                *writesAfterClose = 0;
                QWidget* window = MainWindowBeingBuilt();
                QTimer::singleShot(0, window, [window] { window->close(); });
            }
        });
    });
    QVERIFY(!w.window->isVisible());
    // At most the probe already under way when the window closed.
    QVERIFY2(*writesAfterClose <= 1, qPrintable(QString::number(*writesAfterClose)));
    QVERIFY(!w.port->isOpen());
    QVERIFY(!w.window->link().state().bSearching);
    QCOMPARE(SettingsStore::ReadText("Properties", "COMPort", "none"), QStringLiteral("none"));
    // Shut-down ran while the search was under way.
    QCOMPARE(SettingsStore::ReadText("Settings", "Transceiver ID", "none"), QStringLiteral("1"));
}

void TestMainWindow::startUp_portRefusedForPermission_staysInTheStatusBar()
{
    WindowHarness w([](FakeSerialPort& port) {
        port.setOnlyPortsAvailable({2});
        port.setOpenFailure(2, PortOpenFailure::PermissionDenied);
    });
    const QString status = w.window->statusPanelText(3);
    QVERIFY2(status.startsWith("Status: No transceiver detected") && status.contains("/dev/fake2")
                 && status.contains("permission denied") && status.contains("dialout"),
             qPrintable(status));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
