#include "ui/frmQVOrvalisETMain.h"

#include "link/Discovery.h"
#include "link/HostBaudRate.h"
#include "link/QtSerialPortAdapter.h"
#include "link/LinkSession.h"
#include "platform/ProtocolTimer.h"
#include "platform/SettingsStore.h"
#include "protocol/MessageCatalogue.h"
#include "testmode/TestModeCommands.h"
#include "ui/AppIcon.h"
#include "ui/CommunicationsLogView.h"
#include "ui/PersistedSettings.h"
#include "ui/StatusBarPresenter.h"
#include "ui/Twips.h"
#include "ui/frmQVOrvalisETAbout.h"
#include "ui/frmQVOrvalisETProperties.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTextDocument>
#include <QTimer>
#include <QWindow>

namespace {

constexpr int kWindowWidth = 13575;  // twips; also the smallest the window may be
constexpr int kWindowHeight = 11255;
constexpr int kLogWidth = 4930;
constexpr int kLogHeight = 9480;

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
    auto* central = new QWidget(this);
    setCentralWidget(central);
    buildPanels(central);
    buildTabStrip(central);
    buildLogArea(central);
    buildStatusBar();
    buildMenus();
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
    Form_Load(startupSearch);
}

frmQVOrvalisETMain::~frmQVOrvalisETMain() = default;

void frmQVOrvalisETMain::buildPanels(QWidget* central)
{
    frameRfData = new QGroupBox(QStringLiteral("RF Data"), central);
    frameRfData->setObjectName(QStringLiteral("frameRfData"));
    frameRfData->setGeometry(Twips(240), Twips(240), Twips(7932), Twips(1812));

    frameFirmwareVersion = new QGroupBox(QStringLiteral("Firmware Version Information"), central);
    frameFirmwareVersion->setObjectName(QStringLiteral("frameFirmwareVersion"));
    frameFirmwareVersion->setGeometry(Twips(240), Twips(8940), Twips(7935), Twips(1260));
}

void frmQVOrvalisETMain::buildTabStrip(QWidget* central)
{
    TabStrip1 = new QTabBar(central);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    TabStrip1->setExpanding(false);
    TabStrip1->setDrawBase(false);
    TabStrip1->move(Twips(240), Twips(2280));
    TabStrip1->setFixedWidth(Twips(7935));

    tabStripBody = new QFrame(central);
    tabStripBody->setObjectName(QStringLiteral("TabStrip1Body"));
    tabStripBody->setFrameShape(QFrame::StyledPanel);

    // Pages 3 .. 8 carry the tabs' controls; pages 0 .. 2 are never shown and not built.
    for (int index = 3; index < kPageCount; ++index) {
        auto* page = new QFrame(central);
        page->setObjectName(QStringLiteral("FrameTabs%1").arg(index));
        page->hide();
        FrameTabs.insert(index, page);
    }
}

void frmQVOrvalisETMain::buildLogArea(QWidget* central)
{
    lblCommunicationsLog = new QLabel(QStringLiteral("Communications Log:"), central);
    lblCommunicationsLog->setObjectName(QStringLiteral("lblCommunicationsLog"));
    lblCommunicationsLog->move(Twips(8280), Twips(120));

    cmdClear = new QPushButton(QStringLiteral("Clear"), central);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    cmdClear->setGeometry(Twips(8280), Twips(360), Twips(kLogWidth), Twips(330));

    lstSerialMessages = new CommunicationsLogView(central);
    lstSerialMessages->setGeometry(Twips(8280), Twips(720), Twips(kLogWidth), Twips(kLogHeight));
}

void frmQVOrvalisETMain::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(true);
    const QString initial[3] = {QStringLiteral("Comm Port: None"),
                                QStringLiteral("Baudrate: 115,200"),
                                QStringLiteral("Status:  User Mode")};
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(initial[i], bar);
        panel->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i + 1));
        panel->setTextFormat(Qt::PlainText);  // device names come from the settings file
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        if (i < 2)
            panel->setFixedWidth(Twips(2400));
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
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileBar0"));
    mnuFileOpen = AddMenuItem(mnuFile, "mnuFileOpen", QStringLiteral("&Open"));
    mnuFileBar1 = mnuFile->addSeparator();
    mnuFileBar1->setObjectName(QStringLiteral("mnuFileBar1"));
    connect(AddMenuItem(mnuFile, "mnuFileClose", QStringLiteral("E&xit")), &QAction::triggered, this,
            &QWidget::close);

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

void frmQVOrvalisETMain::buildTimers()
{
    // The protocol's own timers (tmrSerial, tmrMsgTimeout, tmrWakeup and the pauses) live
    // with the link session.
    tmrThroughput = new ProtocolTimer("tmrThroughput", this);
    tmrThroughput->setInterval(1000);
    tmrRepeat = new ProtocolTimer("tmrRepeat", this);
    tmrGeneric = new ProtocolTimer("tmrGeneric", this);
    tmrGeneric->setInterval(50);
    tmrGeneric->setSingleShot(true);
}

void frmQVOrvalisETMain::Form_Load(const SearchScope& startupSearch)
{
    // 1-2: caption, size, centred.
    setWindowTitle(SettingsStore::kApplicationTitle + QStringLiteral(" (900MHz)"));
    setMinimumSize(Twips(kWindowWidth), Twips(kWindowHeight));
    resize(Twips(kWindowWidth), Twips(kWindowHeight));
    CentreOnScreen();
    // 3: every page in the same place, inside the tab strip.
    for (QFrame* page : std::as_const(FrameTabs))
        page->setGeometry(Twips(480), Twips(2760), Twips(7455), Twips(5655));
    // 4, 14. The stored settings come first: a module that reports during the search that
    // it lost its configuration is re-provisioned with them, not with the built-in defaults.
    m_iFactoryCalibration = ReadFactoryCalibration();
    LoadSettings(m_config, m_traffic);
    // 6-7: the tabs that are shown, "IDs" first and selected.
    for (const TabPage& tab : kTabs)
        if (tab.page != 6 || m_iFactoryCalibration == 1)
            TabStrip1->addTab(QLatin1String(tab.caption));
    tabStripBody->setGeometry(Twips(240), Twips(2280) + TabStrip1->sizeHint().height() - 1,
                              Twips(7935), Twips(6375) - TabStrip1->sizeHint().height() + 1);
    tabStripBody->lower();
    m_sCurrentTabCaption = QStringLiteral("IDs");
    m_iCurrentTabFrame = 7;
    ShowOnlyPage(7);
    TabStrip1->setCurrentIndex(0);
    connect(TabStrip1, &QTabBar::currentChanged, this, &frmQVOrvalisETMain::TabStrip1_Click);
    // 8-13, 15-20: the window is filled in before it is shown; none of this sends a frame.
    lstSerialMessages->resize(Twips(kLogWidth), Twips(kLogHeight));
    cmdClear->resize(Twips(kLogWidth), cmdClear->height());
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
    frameRfData->setEnabled(enabled);
    frameFirmwareVersion->setEnabled(enabled);
    for (QFrame* page : std::as_const(FrameTabs))
        page->setEnabled(enabled);
    mnuCommPort->setEnabled(enabled);
}

void frmQVOrvalisETMain::CentreOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

void frmQVOrvalisETMain::ShowOnlyPage(int index)
{
    for (auto it = FrameTabs.cbegin(); it != FrameTabs.cend(); ++it)
        it.value()->setVisible(it.key() == index);
}

void frmQVOrvalisETMain::TabStrip1_Click()
{
    const QString caption = TabStrip1->tabText(TabStrip1->currentIndex());
    if (caption == m_sCurrentTabCaption)
        return;
    const int newPage = PageForCaption(caption);
    if (newPage >= 0 && FrameTabs.contains(newPage)) {
        FrameTabs[newPage]->setVisible(true);
        if (FrameTabs.contains(m_iCurrentTabFrame) && m_iCurrentTabFrame != newPage)
            FrameTabs[m_iCurrentTabFrame]->setVisible(false);
        m_iCurrentTabFrame = newPage;
    }
    m_sCurrentTabCaption = caption;
}

void frmQVOrvalisETMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmQVOrvalisETMain::Form_Resize()
{
    if (isMinimized() || !lstSerialMessages)
        return;
    // The log and "Clear" take whatever the window grows by; nothing shrinks below the
    // design size.
    const int widthBeside = Twips(kWindowWidth) - Twips(kLogWidth);
    const int heightAround = Twips(kWindowHeight) - Twips(kLogHeight);
    const int w = width() - widthBeside;
    const int h = height() - heightAround;
    if (w < Twips(kLogWidth) || h < Twips(kLogHeight))
        resize(std::max(width(), Twips(kWindowWidth)), std::max(height(), Twips(kWindowHeight)));
    lstSerialMessages->resize(std::max(w, Twips(kLogWidth)), std::max(h, Twips(kLogHeight)));
    cmdClear->resize(std::max(w, Twips(kLogWidth)), cmdClear->height());
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
    m_link->reconnector().Disarm();
    SaveSettings(m_config, m_traffic);
    WriteLogEndAtShutDown();
    SerialPort& port = m_link->port();
    if (port.isOpen()) {
        port.waitForOutputDrained(1000);
        port.close();
    }
}
