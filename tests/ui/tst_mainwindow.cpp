#include "link/PortReconnector.h"
#include "link/SerialLink.h"
#include "platform/SettingsStore.h"
#include "support/ModuleResponder.h"
#include "support/WindowHarness.h"
#include "ui/CommunicationsLogView.h"
#include "ui/frmQVOrvalisETProperties.h"
#include "ui/Twips.h"

#include <QAction>
#include <QFrame>
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

const QByteArray kIdsReply = QByteArray::fromHex("010B832C0101000100BE04");

QStringList StatusBarTexts(const WindowHarness& w)
{
    return {w.window->statusPanelText(1), w.window->statusPanelText(2), w.window->statusPanelText(3)};
}

int VisiblePage(const frmQVOrvalisETMain& window)
{
    int visible = -1;
    for (int i = 0; i < frmQVOrvalisETMain::kPageCount; ++i)
        if (window.page(i) && !window.page(i)->isHidden())
            visible = visible == -1 ? i : -2;  // -2: more than one
    return visible;
}

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
    void portLostAndBack_statusBarFollows();
    void portLost_thenTakenOnPurpose_isNotReopened_data();
    void portLost_thenTakenOnPurpose_isNotReopened();
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

void TestMainWindow::portLostAndBack_statusBarFollows()
{
    WindowHarness w([](FakeSerialPort& port) {
        port.setOnlyPortsAvailable({2});
        port.setResponder(ModuleAnsweringIds(2, "38400", kIdsReply));
    });
    QCOMPARE(StatusBarTexts(w).mid(0, 2), (QStringList{"Comm Port: 2", "Baud Rate: 38400"}));
    w.find<QPushButton>("cmdGetIDs")->click();
    w.port->setOnlyPortsAvailable({});  // the adapter is pulled out
    w.port->injectFault("Input/output error");
    QCOMPARE(StatusBarTexts(w), (QStringList{"Comm Port: None", "Baud Rate: ", "Status: Port closed"}));
    const QStringList lines = w.window->messageList().lines();
    // The request in flight can no longer be answered: it times out at once, and once.
    QCOMPARE(lines, (QStringList{"Query IDs Timeout!", "", "Serial Port Error: Input/output error",
                                 "", "Host->TXCVR (Query IDs): 01 05 03 09 04 ", ""}));
    QTest::qWait(2 * PortReconnector::kPollIntervalMs + 100);  // still gone: nothing more said
    QCOMPARE(w.window->messageList().lines(), lines);

    w.port->setOnlyPortsAvailable({2});  // and plugged in again
    QTRY_COMPARE_WITH_TIMEOUT(StatusBarTexts(w),
                              (QStringList{"Comm Port: 2", "Baud Rate: 38400", "Status:"}), 5000);
    QCOMPARE(w.window->messageList().lines().mid(0, 2),
             (QStringList{"", "Serial Port Reopened: /dev/fake2"}));
    w.find<QPushButton>("cmdGetIDs")->click();
    QTRY_VERIFY(w.window->messageList().lines().value(0).startsWith("TXCVR->Host (IDs): "));
}

void TestMainWindow::portLost_thenTakenOnPurpose_isNotReopened_data()
{
    QTest::addColumn<bool>("closeWindow");  // else the settings dialog opens
    QTest::newRow("settings dialog") << false;
    QTest::newRow("window closed") << true;
}

void TestMainWindow::portLost_thenTakenOnPurpose_isNotReopened()
{
    QFETCH(bool, closeWindow);
    WindowHarness w;
    w.openPort1();
    w.port->setOnlyPortsAvailable({});
    w.port->injectFault("Input/output error");
    if (closeWindow)
        w.window->close();
    else
        frmQVOrvalisETProperties dialog(w.window->link(), w.window->discovery(), w.window.get());
    QVERIFY(!w.window->link().reconnector().isArmed());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
