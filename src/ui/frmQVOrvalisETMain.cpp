#include "ui/frmQVOrvalisETMain.h"

#include "link/Discovery.h"
#include "link/HostBaudRate.h"
#include "link/LinkSession.h"
#include "link/QtSerialPortAdapter.h"
#include "platform/ProtocolTimer.h"
#include "platform/SettingsStore.h"
#include "protocol/MessageCatalogue.h"
#include "testmode/TestModeCommands.h"
#include "traffic/FrontEndTimers.h"
#include "traffic/PersistedSettings.h"
#include "ui/AppIcon.h"
#include "ui/CommunicationsLogView.h"
#include "ui/frmQVOrvalisETAbout.h"
#include "ui/frmQVOrvalisETProperties.h"
#include "ui/ScreenRefresh.h"
#include "ui/StatusBarPresenter.h"
#include "ui/WindowPlacement.h"
#include "ui/widgets/PageControls.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QSplitter>
#include <QStackedLayout>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The size the window opens at when nothing is stored and the screen has room: the
// controls beside a log as tall as they are.
constexpr QSize kOpeningSize(905, 750);
constexpr int kOpeningLogWidth = 330;

// Tab captions and the page each shows. "RF Power" (page 2) is never shown and not built.
struct TabPage {
    const char* caption;
    int page;
};
constexpr TabPage kTabs[] = {
    {"IDs", 7},  {"RF Settings", 8}, {"Statistics", 3},
    {"Test Settings", 4}, {"Comm", 5}, {"Factory Calibration", 6},
};

int PageForCaption(const QString& caption)
{
    for (const TabPage& tab : kTabs)
        if (caption == QLatin1String(tab.caption))
            return tab.page;
    return -1;
}

QAction* AddMenuItem(QMenu* menu, const char* name, const QString& text)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1String(name));
    return action;
}

QKeySequence StandardOr(QKeySequence::StandardKey key, const QKeySequence& otherwise)
{
    return QKeySequence::keyBindings(key).isEmpty() ? otherwise : QKeySequence(key);
}

QVBoxLayout* Column(QWidget* parent, const QMargins& margins, int spacing)
{
    auto* layout = new QVBoxLayout(parent);
    layout->setContentsMargins(margins);
    layout->setSpacing(spacing);
    return layout;
}

}  // namespace

frmQVOrvalisETMain::frmQVOrvalisETMain(QWidget* parent)
    : frmQVOrvalisETMain(std::make_unique<QtSerialPortAdapter>(), SearchScope{}, parent)
{
}

frmQVOrvalisETMain::frmQVOrvalisETMain(const SearchScope& startupSearch, QWidget* parent)
    : frmQVOrvalisETMain(std::make_unique<QtSerialPortAdapter>(), startupSearch, parent)
{
}

frmQVOrvalisETMain::frmQVOrvalisETMain(std::unique_ptr<SerialPort> port, QWidget* parent)
    : frmQVOrvalisETMain(std::move(port), SearchScope{}, parent)
{
}

frmQVOrvalisETMain::frmQVOrvalisETMain(std::unique_ptr<SerialPort> port,
                                       const SearchScope& startupSearch, QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmQVOrvalisETMain"));
    setWindowIcon(OrvalisIcon());
    m_screenRefresh = new ScreenRefresh(this);
    auto* central = new QWidget(this);
    setCentralWidget(central);
    buildSplitter(central);
    buildStatusBar();
    buildMenus();
    buildPageShortcuts();
    buildTimers();

    m_link = std::make_unique<LinkSession>(std::move(port), *lstSerialMessages, this);
    m_discovery = std::make_unique<TransceiverDiscovery>(*m_link);
    m_statusBar = new StatusBarPresenter(*m_link, *this, this);
    m_statusBar->follow(*m_discovery);
    connect(cmdClear, &QPushButton::clicked, this, [this] { m_link->log().cmdClear_Click(); });
    installConfigPages();
    installTrafficPages();
    installTestModePage();
    installLinkCharts();
    installLogDisplay();
    // Pages are built after the frame: Tab goes down the controls column, then to the log.
    ChainRegions(this, {frameRfData, TabStrip1, tabStripBody, frameFirmwareVersion,
                        findChild<QWidget*>(QStringLiteral("chkSaveLogToFile")), cmdClear,
                        lstSerialMessages});
    Form_Load(startupSearch);
}

frmQVOrvalisETMain::~frmQVOrvalisETMain() = default;

// The controls column: "RF Data" above the tab strip and its pages, the firmware frame
// below; it scrolls where the screen is too small for it.
QWidget* frmQVOrvalisETMain::buildPanels()
{
    auto* column = new QWidget;
    column->setObjectName(QStringLiteral("controlsColumn"));
    QVBoxLayout* layout = Column(column, QMargins(16, 16, 4, 8), 16);

    frameRfData = new QGroupBox(QStringLiteral("RF Data"), column);
    frameRfData->setObjectName(QStringLiteral("frameRfData"));
    frameFirmwareVersion = new QGroupBox(QStringLiteral("Firmware Version Information"), column);
    frameFirmwareVersion->setObjectName(QStringLiteral("frameFirmwareVersion"));

    layout->addWidget(frameRfData);
    layout->addWidget(buildTabStrip(), 1);
    layout->addWidget(frameFirmwareVersion);

    m_controlsScroll = new QScrollArea;
    m_controlsScroll->setObjectName(QStringLiteral("controlsScrollArea"));
    m_controlsScroll->setFrameShape(QFrame::NoFrame);
    m_controlsScroll->setFocusPolicy(Qt::NoFocus);  // the keyboard goes to the controls in it
    m_controlsScroll->setWidgetResizable(true);
    m_controlsScroll->setWidget(column);
    return m_controlsScroll;
}

QWidget* frmQVOrvalisETMain::buildTabStrip()
{
    auto* area = new QWidget;
    area->setObjectName(QStringLiteral("TabStrip1Area"));
    QVBoxLayout* layout = Column(area, QMargins(), 0);

    TabStrip1 = new QTabBar(area);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    TabStrip1->setExpanding(false);
    TabStrip1->setDrawBase(false);
    TabStrip1->setUsesScrollButtons(false);  // every caption stays in view; the column widens

    tabStripBody = new QFrame(area);
    tabStripBody->setObjectName(QStringLiteral("TabStrip1Body"));
    tabStripBody->setFrameShape(QFrame::StyledPanel);
    m_pages = new QStackedLayout(tabStripBody);
    m_pages->setContentsMargins(15, 8, 15, 15);

    // Pages 3 .. 8 carry the tabs' controls; pages 0 .. 2 are never shown and not built.
    // All stand in the same place; the strip is as large as the largest.
    for (int index = 3; index < kPageCount; ++index) {
        auto* page = new QFrame(tabStripBody);
        page->setObjectName(QStringLiteral("FrameTabs%1").arg(index));
        m_pages->addWidget(page);
        FrameTabs.insert(index, page);
    }
    layout->addWidget(TabStrip1);
    layout->addWidget(tabStripBody, 1);
    return area;
}

// "Communications Log:" with "Save Log To File" beside it, "Clear" and the list below:
// the log takes whatever room the controls leave.
QWidget* frmQVOrvalisETMain::buildLogArea()
{
    auto* area = new QWidget;
    area->setObjectName(QStringLiteral("logArea"));
    QVBoxLayout* layout = Column(area, QMargins(4, 8, 16, 8), 2);

    lblCommunicationsLog = new QLabel(QStringLiteral("Communications Log:"), area);
    lblCommunicationsLog->setObjectName(QStringLiteral("lblCommunicationsLog"));
    m_logHeader = new QHBoxLayout;
    m_logHeader->addWidget(lblCommunicationsLog);
    m_logHeader->addStretch(1);

    cmdClear = new QPushButton(QStringLiteral("Clear"), area);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));

    lstSerialMessages = new CommunicationsLogView(*m_screenRefresh, area);
    lblCommunicationsLog->setBuddy(lstSerialMessages);

    layout->addLayout(m_logHeader);
    layout->addWidget(cmdClear);
    layout->addWidget(lstSerialMessages, 1);
    return area;
}

void frmQVOrvalisETMain::buildSplitter(QWidget* central)
{
    m_splitter = new QSplitter(Qt::Horizontal, central);
    m_splitter->setObjectName(QStringLiteral("splitterControlsLog"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(buildPanels());
    m_splitter->addWidget(buildLogArea());
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] { m_splitterMoved = true; });
    Column(central, QMargins(), 0)->addWidget(m_splitter);
}

void frmQVOrvalisETMain::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(true);
    const QString initial[3] = {QStringLiteral("Comm Port: None"),
                                QStringLiteral("Baudrate: 115,200"),
                                QStringLiteral("Status:  User Mode")};
    // Panels 1 and 2 are as wide as each other, with room for a port name and a rate.
    const QFontMetrics metrics = fontMetrics();
    const int fixedWidth = std::max(metrics.horizontalAdvance(QStringLiteral("Baudrate: 115,200")),
                                    metrics.averageCharWidth() * 24)
                           + 12;
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(initial[i], bar);
        panel->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i + 1));
        panel->setTextFormat(Qt::PlainText);  // device names come from the settings file
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        if (i < 2)
            panel->setFixedWidth(fixedWidth);
        bar->addWidget(panel, i < 2 ? 0 : 1);
        StatusBarPanels[i] = panel;
    }
    // A message of the bar's own would hide the panels: the notice has a label of its own.
    lblStatusNotice = new QLabel(bar);
    lblStatusNotice->setObjectName(QStringLiteral("lblStatusNotice"));
    lblStatusNotice->setTextFormat(Qt::PlainText);
    lblStatusNotice->hide();
    bar->addPermanentWidget(lblStatusNotice);
    tmrStatusNotice = new QTimer(this);
    tmrStatusNotice->setSingleShot(true);
    tmrStatusNotice->setInterval(kStatusNoticeMs);
    connect(tmrStatusNotice, &QTimer::timeout, lblStatusNotice, &QWidget::hide);
}

void frmQVOrvalisETMain::buildMenus()
{
    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileNew = AddMenuItem(mnuFile, "mnuFileNew", QStringLiteral("&New"));
    mnuFileNew->setShortcut(QKeySequence::New);
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileBar0"));
    mnuFileOpen = AddMenuItem(mnuFile, "mnuFileOpen", QStringLiteral("&Open"));
    mnuFileOpen->setShortcut(QKeySequence::Open);
    mnuFileBar1 = mnuFile->addSeparator();
    mnuFileBar1->setObjectName(QStringLiteral("mnuFileBar1"));
    mnuFileClose = AddMenuItem(mnuFile, "mnuFileClose", QStringLiteral("E&xit"));
    mnuFileClose->setShortcut(StandardOr(QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)));
    connect(mnuFileClose, &QAction::triggered, this, &QWidget::close);

    // What goes beyond the original window (charts, log display) lives under "View".
    mnuView = menuBar()->addMenu(QStringLiteral("&View"));
    mnuView->setObjectName(QStringLiteral("mnuView"));

    QMenu* settings = menuBar()->addMenu(QStringLiteral("&Settings"));
    settings->setObjectName(QStringLiteral("mnuSettings"));
    mnuCommPort = AddMenuItem(settings, "mnuCommPort", QStringLiteral("&Communications..."));
    connect(mnuCommPort, &QAction::triggered, this, &frmQVOrvalisETMain::mnuCommPort_Click);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    connect(AddMenuItem(help, "mnuHelpAbout", QStringLiteral("&About QV Orvalis Evaluation Tool...")),
            &QAction::triggered, this, &frmQVOrvalisETMain::mnuHelpAbout_Click);
}

// Ctrl+Tab and Ctrl+PgDn go to the next page, Ctrl+Shift+Tab and Ctrl+PgUp to the one
// before, wherever the focus is in the window.
void frmQVOrvalisETMain::buildPageShortcuts()
{
    const std::pair<QKeySequence, int> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
    };
    for (const auto& [key, step] : keys) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] { StepPage(step); });
    }
}

void frmQVOrvalisETMain::StepPage(int step)
{
    const int count = TabStrip1->count();
    if (count > 0)
        TabStrip1->setCurrentIndex((TabStrip1->currentIndex() + step + count) % count);
}

void frmQVOrvalisETMain::buildTimers()
{
    // The protocol's own timers (tmrSerial, tmrMsgTimeout, tmrWakeup and the pauses) live
    // with the link session.
    std::tie(tmrThroughput, tmrRepeat, tmrGeneric) = MakeFrontEndTimers(this);
}

void frmQVOrvalisETMain::Form_Load(const SearchScope& startupSearch)
{
    // 1-3: caption; the window as the user left it, else centred; every page stands in the
    // same place inside the tab strip.
    setWindowTitle(SettingsStore::kApplicationTitle + QStringLiteral(" (900MHz)"));
    // 4, 14. The stored settings come first: a module that reports during the search that
    // it lost its configuration is re-provisioned with them, not with the built-in defaults.
    m_iFactoryCalibration = ReadFactoryCalibration();
    LoadSettings(m_config, m_traffic);
    // 6-7: the tabs that are shown, "IDs" first and selected.
    for (const TabPage& tab : kTabs)
        if (tab.page != 6 || m_iFactoryCalibration == 1)
            TabStrip1->addTab(QLatin1String(tab.caption));
    // A tab bar not yet shown does not tell the layouts around it that it has grown.
    for (QWidget* widget = TabStrip1; widget && widget != this; widget = widget->parentWidget())
        widget->updateGeometry();
    PlaceWindow();
    m_sCurrentTabCaption = QStringLiteral("IDs");
    m_iCurrentTabFrame = 7;
    ShowOnlyPage(7);
    TabStrip1->setCurrentIndex(0);
    connect(TabStrip1, &QTabBar::currentChanged, this, &frmQVOrvalisETMain::TabStrip1_Click);
    // 8-13, 15-20: the window is filled in before it is shown; none of this sends a frame.
    LimitRfDataEntry();
    ClearMessageLogState();
    InitTestModeAtStartUp();
    ShowLoadedConfigSettings();
    ShowLoadedTrafficSettings();
    // 5
    RunStartUpSearch(startupSearch);
}

// The window is on screen before any port is touched, whatever the ports do: the search
// starts from the event loop once the window is shown, and what would send a frame or
// reopen the port waits until it has ended.
void frmQVOrvalisETMain::RunStartUpSearch(const SearchScope& startupSearch)
{
    SetSendingControlsEnabled(false);
    show();
    if (!m_arrangementRestored)
        ShareOutSplitter();
    m_openedGeometry = geometry();
    connect(m_discovery.get(), &TransceiverDiscovery::finished, this,
            &frmQVOrvalisETMain::FinishStartUp, Qt::SingleShotConnection);
    QMetaObject::invokeMethod(
        this,
        [this, startupSearch] {
            if (!m_unloaded)
                m_discovery->FindTransceiver(startupSearch);
        },
        Qt::QueuedConnection);
}

void frmQVOrvalisETMain::FinishStartUp(bool found)
{
    if (m_unloaded)
        return;
    // 13: with a module found, panel 3 shows the mode; without one it keeps saying so.
    if (found)
        m_testModeCommands->ReportMode();
    // 21
    m_link->state().bWakeupNeeded = false;
    SetSendingControlsEnabled(true);
    m_startUpFinished = true;
    emit startUpFinished();
}

void frmQVOrvalisETMain::SetSendingControlsEnabled(bool enabled)
{
    if (!enabled)
        m_keyboardBeforeDisabling = focusWidget();
    frameRfData->setEnabled(enabled);
    frameFirmwareVersion->setEnabled(enabled);
    for (QFrame* page : std::as_const(FrameTabs))
        page->setEnabled(enabled);
    mnuCommPort->setEnabled(enabled);
    if (!enabled)
        m_keyboardWhileDisabled = focusWidget();
    // The keyboard goes back where it was, unless the user took it elsewhere meanwhile.
    else if (m_keyboardBeforeDisabling && focusWidget() == m_keyboardWhileDisabled)
        m_keyboardBeforeDisabling->setFocus();
}

// The window opens as the user left it, kept on the screen it is on now; else at its
// opening size, or all the screen offers where that is less, centred.
void frmQVOrvalisETMain::PlaceWindow()
{
    // Room for every control without scrolling, and a log beside them.
    const QSize controls = m_controlsScroll->widget()->sizeHint();
    const int logWidth = std::max(kOpeningLogWidth, m_splitter->widget(1)->minimumSizeHint().width());
    const QSize opening(controls.width() + m_splitter->handleWidth() + logWidth,
                        controls.height() + menuBar()->sizeHint().height()
                            + statusBar()->sizeHint().height());
    const QByteArray geometry = ReadViewState(QStringLiteral("MainWindowGeometry"));
    const QByteArray splitter = ReadViewState(QStringLiteral("SplitterState"));
    m_arrangementRestored = !geometry.isEmpty() || !splitter.isEmpty();
    if (!geometry.isEmpty() && restoreGeometry(geometry))
        KeepOnScreen(*this);
    else
        PlaceOnScreen(*this, opening.expandedTo(kOpeningSize));
    if (!splitter.isEmpty())
        m_splitter->restoreState(splitter);
}

// Once the window has its size: the controls as wide as they ask (with a scroll bar
// beside them where the screen is too low for them), the log all the rest.
void frmQVOrvalisETMain::ShareOutSplitter()
{
    QWidget* controls = m_controlsScroll->widget();
    int width = controls->sizeHint().width() + 2 * m_controlsScroll->frameWidth();
    if (m_controlsScroll->viewport()->height() < controls->sizeHint().height())
        width += style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_controlsScroll);
    // Polished, the log's header may ask for more than it did before the window was shown.
    const int missing = width + m_splitter->handleWidth()
                        + m_splitter->widget(1)->minimumSizeHint().width() - m_splitter->width();
    if (missing > 0)
        PlaceOnScreen(*this, size() + QSize(missing, 0));
    // The log stretches: it takes what the controls leave.
    m_splitter->setSizes({width, kOpeningLogWidth});
}

// Only what the user changed is stored: a window left as it opened leaves no trace.
void frmQVOrvalisETMain::SaveWindowArrangement()
{
    if (m_arrangementRestored || (!m_openedGeometry.isNull() && geometry() != m_openedGeometry))
        WriteViewState(QStringLiteral("MainWindowGeometry"), saveGeometry());
    if (m_arrangementRestored || m_splitterMoved)
        WriteViewState(QStringLiteral("SplitterState"), m_splitter->saveState());
}

void frmQVOrvalisETMain::ShowOnlyPage(int index)
{
    if (FrameTabs.contains(index))
        m_pages->setCurrentWidget(FrameTabs[index]);
}

void frmQVOrvalisETMain::TabStrip1_Click()
{
    const QString caption = TabStrip1->tabText(TabStrip1->currentIndex());
    if (caption == m_sCurrentTabCaption)
        return;
    const int newPage = PageForCaption(caption);
    if (newPage >= 0 && FrameTabs.contains(newPage)) {
        ShowOnlyPage(newPage);  // the page shown before is hidden with it
        m_iCurrentTabFrame = newPage;
    }
    m_sCurrentTabCaption = caption;
}

void frmQVOrvalisETMain::SetStatusPanel(int panel, const QString& text)
{
    if (panel < 1 || panel > 3)
        return;
    StatusBarPanels[panel - 1]->setText(text);
    // A long status (why no port could be checked) is cut at the window's edge: the
    // tooltip shows all of it, escaped, since device names come from the settings file.
    StatusBarPanels[panel - 1]->setToolTip(Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal));
}

void frmQVOrvalisETMain::ShowNotice(const QString& text)
{
    lblStatusNotice->setText(text);
    lblStatusNotice->show();
    tmrStatusNotice->start();
}

QString frmQVOrvalisETMain::statusPanelText(int panel) const
{
    return panel >= 1 && panel <= 3 ? StatusBarPanels[panel - 1]->text() : QString();
}

void frmQVOrvalisETMain::mnuCommPort_Click()
{
    frmQVOrvalisETProperties dialog(*m_link, *m_discovery, this);
    dialog.exec();
}

void frmQVOrvalisETMain::mnuHelpAbout_Click()
{
    frmQVOrvalisETAbout about(this);
    about.exec();
}

void frmQVOrvalisETMain::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void frmQVOrvalisETMain::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_discovery->AbandonSearch();
    SaveSettings(m_config, m_traffic);
    SaveWindowArrangement();
    WriteLogEndAtShutDown();
    m_link->CloseAtShutDown();
}
