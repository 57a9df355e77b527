#include "link/LinkSession.h"
#include "platform/SettingsStore.h"
#include "support/ModuleResponder.h"
#include "support/WindowHarness.h"
#include "ui/CommunicationsLogView.h"
#include "ui/Twips.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
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
    void tabs_data();
    void tabs();
    void resizeRule_logGrowsWithWindow_neverBelowDesignSize();
    void settings_roundTripThroughANewWindow();
    void nonNumericStoredValue_takesItsDefault();
    void clearButton_emptiesTheLog();
    void startUp_windowOnScreen_searchShown_sendingControlsWaitForIt();
    void startUp_closedDuringSearch_endsSearchAndStoresNothingFound();
};

void TestMainWindow::tabs_data()
{
    QTest::addColumn<QString>("factoryCalibration");  // stored; null: nothing stored
    QTest::addColumn<QStringList>("captions");
    const QStringList five{"IDs", "RF Settings", "Statistics", "Test Settings", "Comm"};
    QTest::newRow("first start") << QString() << five;
    QTest::newRow("1") << "1" << five + QStringList{"Factory Calibration"};
    QTest::newRow("0") << "0" << five;
    QTest::newRow("not a number") << "yes" << five;
}

// Each tab shows one page of its own; the first is selected at start.
void TestMainWindow::tabs()
{
    QFETCH(QString, factoryCalibration);
    QFETCH(QStringList, captions);
    if (!factoryCalibration.isNull())
        SettingsStore::WriteText("Properties", "FactoryCalibration", factoryCalibration);
    WindowHarness w;
    auto* bar = w.find<QTabBar>("TabStrip1");
    QCOMPARE(TabCaptions(bar), captions);
    QCOMPARE(w.window->sCurrentTabCaption(), captions[0]);
    QSet<int> pages{VisiblePage(*w.window)};
    for (int i = bar->count() - 1; i >= 0; --i) {
        bar->setCurrentIndex(i);
        QCOMPARE(w.window->sCurrentTabCaption(), captions[i]);
        QVERIFY(VisiblePage(*w.window) >= 0);
        pages << VisiblePage(*w.window);
    }
    QCOMPARE(pages.size(), captions.size());
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

    w.window->resize(design + QSize(Twips(1000), Twips(1500)));
    QTRY_COMPARE(list->size(), listSize + QSize(Twips(1000), Twips(1500)));
    QCOMPARE(clear->width(), clearWidth + Twips(1000));

    w.window->resize(design - QSize(100, 100));
    QTRY_COMPARE(w.window->size(), design);
    QCOMPARE(list->size(), listSize);
    QCOMPARE(clear->width(), clearWidth);
}

void TestMainWindow::settings_roundTripThroughANewWindow()
{
    {
        WindowHarness w;
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
    WindowHarness w;
    QCOMPARE(w.window->config().lTransceiverID, 12);
    QCOMPARE(w.window->config().iHopTable, qint16(0));
    QCOMPARE(w.window->config().iRFRetries, qint16(3));
}

void TestMainWindow::clearButton_emptiesTheLog()
{
    WindowHarness w;
    w.window->link().log().AddToMessageList("line");
    QTest::mouseClick(w.find<QWidget>("cmdClear"), Qt::LeftButton);
    QCOMPARE(w.window->messageList().lineCount(), 0);
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

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
