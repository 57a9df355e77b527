#pragma once

#include "config/ConfigSettings.h"
#include "link/Discovery.h"
#include "ui/StatusPanels.h"
#include "testmode/TestModeSettings.h"
#include "traffic/TrafficCounters.h"
#include "traffic/TrafficSettings.h"

#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <QRect>

#include <memory>

class CommController;
class CommunicationsLogView;
class IdsController;
class LinkChartsWindow;
class LinkHistoryRecorder;
class MessageLogController;
class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QHBoxLayout;
class QPushButton;
class QScrollArea;
class QSplitter;
class QStackedLayout;
class QTabBar;
class QTimer;
class ProtocolTimer;
class RfDataController;
class RfDataPanel;
class RfSettingsController;
class RfSettingsPage;
class ScreenRefresh;
class StatusBarPresenter;
class LinkSession;
class SerialPort;
class StatisticsController;
class StatisticsPage;
class TestModeCommands;
class TestSettingsPage;

// The main window: the frame in which every page and panel stands. It owns the shell's
// own controls (log, status bar, menus, tab strip) and the order of start-up and
// shut-down; each page's controls and handlers belong to the page's own class.
class frmQVOrvalisETMain : public QMainWindow, public StatusPanels {
    Q_OBJECT
public:
    static constexpr int kPageCount = 9;  // FrameTabs0 .. FrameTabs8; 0 .. 2 are never shown
    static constexpr int kStatusNoticeMs = 5000;

    // Each constructor runs start-up: the window is filled in and shown, and the search for
    // the module (narrowed by `startupSearch` when given) starts from the event loop;
    // startUpFinished tells when it has ended.
    // Uses the computer's serial ports.
    explicit frmQVOrvalisETMain(QWidget* parent = nullptr);
    explicit frmQVOrvalisETMain(const SearchScope& startupSearch, QWidget* parent = nullptr);
    // Uses the given port (tests hand in a fake).
    explicit frmQVOrvalisETMain(std::unique_ptr<SerialPort> port, QWidget* parent = nullptr);
    frmQVOrvalisETMain(std::unique_ptr<SerialPort> port, const SearchScope& startupSearch,
                       QWidget* parent = nullptr);
    ~frmQVOrvalisETMain() override;

    void SetStatusPanel(int panel, const QString& text) override;
    void ShowNotice(const QString& text) override;
    QString statusPanelText(int panel) const;

    LinkSession& link() { return *m_link; }
    TransceiverDiscovery& discovery() { return *m_discovery; }
    CommunicationsLogView& messageList() { return *lstSerialMessages; }
    ConfigSettings& config() { return m_config; }
    TrafficSettings& trafficSettings() { return m_traffic; }
    TrafficCounters& counters() { return m_counters; }
    TestModeSettings& testModeSettings() { return m_testMode; }
    QFrame* page(int index) const { return FrameTabs.value(index); }
    int iCurrentTabFrame() const { return m_iCurrentTabFrame; }
    QString sCurrentTabCaption() const { return m_sCurrentTabCaption; }

    // The start-up search has ended and the sending controls are usable.
    bool isStartUpFinished() const { return m_startUpFinished; }

signals:
    void startUpFinished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildPanels();
    QWidget* buildTabStrip();
    QWidget* buildLogArea();
    void buildSplitter(QWidget* central);
    void buildStatusBar();
    void buildMenus();
    void buildPageShortcuts();
    void buildTimers();

    void Form_Load(const SearchScope& startupSearch);
    void RunStartUpSearch(const SearchScope& startupSearch);
    void FinishStartUp(bool found);
    void SetSendingControlsEnabled(bool enabled);
    void Form_Unload();
    void TabStrip1_Click();
    void mnuCommPort_Click();
    void mnuHelpAbout_Click();

    void PlaceWindow();
    void ShareOutSplitter();
    void SaveWindowArrangement();
    void ShowOnlyPage(int index);
    void StepPage(int step);

    // Each subsystem places its pages and panels into the shell, registers its response
    // handlers, and takes its part in start-up and shut-down. Each is defined in the
    // file named after it (MainWindowConfig.cpp, MainWindowTraffic.cpp,
    // MainWindowTestMode.cpp), so the shell itself stays small.
    void installConfigPages();
    void installTrafficPages();
    void installTestModePage();
    void installLinkCharts();            // MainWindowCharts.cpp
    void mnuLinkCharts_Click();
    void installLogDisplay();            // MainWindowLog.cpp: timestamps, CSV export
    void LimitRfDataEntry();             // start-up step 9
    void ClearMessageLogState();         // start-up step 10
    void InitTestModeAtStartUp();        // start-up steps 11 to 13
    void ShowLoadedConfigSettings();     // start-up steps 15, 17 to 19 (configuration pages)
    void ShowLoadedTrafficSettings();    // start-up steps 15, 16 and 20 (RF data panel)
    void WriteLogEndAtShutDown();        // shut-down step 2

    ConfigSettings m_config;
    TrafficSettings m_traffic;
    TrafficCounters m_counters;
    TestModeSettings m_testMode = InitialTestModeSettings();
    TestSettingsPage* m_testSettingsPage = nullptr;   // test mode: the "Test Settings" page
    TestModeCommands* m_testModeCommands = nullptr;   // test mode: its commands and replies
    int m_iFactoryCalibration = 0;
    int m_iCurrentTabFrame = 7;
    QString m_sCurrentTabCaption;
    bool m_unloaded = false;
    bool m_startUpFinished = false;
    // Where the keyboard was when the sending controls were disabled, and where Qt moved it.
    QPointer<QWidget> m_keyboardBeforeDisabling;
    QPointer<QWidget> m_keyboardWhileDisabled;

    QGroupBox* frameRfData = nullptr;
    QGroupBox* frameFirmwareVersion = nullptr;
    QTabBar* TabStrip1 = nullptr;
    QFrame* tabStripBody = nullptr;
    QStackedLayout* m_pages = nullptr;
    QScrollArea* m_controlsScroll = nullptr;
    QSplitter* m_splitter = nullptr;
    QHBoxLayout* m_logHeader = nullptr;
    QRect m_openedGeometry;         // where the window opened, to store only what the user changed
    bool m_arrangementRestored = false;
    bool m_splitterMoved = false;
    QMap<int, QFrame*> FrameTabs;
    // What a flood of frames changes reaches the screen at this one pace.
    ScreenRefresh* m_screenRefresh = nullptr;
    CommunicationsLogView* lstSerialMessages = nullptr;
    QPushButton* cmdClear = nullptr;
    QLabel* lblCommunicationsLog = nullptr;
    QLabel* StatusBarPanels[3] = {nullptr, nullptr, nullptr};
    QLabel* lblStatusNotice = nullptr;  // beside the panels, for a few seconds
    QTimer* tmrStatusNotice = nullptr;
    ProtocolTimer* tmrThroughput = nullptr;
    ProtocolTimer* tmrRepeat = nullptr;
    ProtocolTimer* tmrGeneric = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuFileNew = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuFileBar1 = nullptr;  // the separator before "E&xit"
    QAction* mnuFileClose = nullptr;
    QAction* mnuCommPort = nullptr;
    QMenu* mnuView = nullptr;

    // Configuration controllers and the page that take part in start-up (MainWindowConfig.cpp).
    IdsController* m_ids = nullptr;
    RfSettingsController* m_rfSettings = nullptr;
    RfSettingsPage* m_rfSettingsPage = nullptr;
    CommController* m_comm = nullptr;

    // The traffic tester (MainWindowTraffic.cpp).
    RfDataController* m_rfData = nullptr;
    StatisticsController* m_statistics = nullptr;
    RfDataPanel* m_rfDataPanel = nullptr;
    StatisticsPage* m_statisticsPage = nullptr;
    MessageLogController* m_messageLog = nullptr;

    // The link charts (MainWindowCharts.cpp).
    LinkHistoryRecorder* m_linkHistory = nullptr;
    LinkChartsWindow* m_linkCharts = nullptr;

    std::unique_ptr<LinkSession> m_link;
    std::unique_ptr<TransceiverDiscovery> m_discovery;
    StatusBarPresenter* m_statusBar = nullptr;
};
