#include "ui/StatusBarPresenter.h"

#include "link/Discovery.h"
#include "link/HostBaudRate.h"
#include "link/LinkSession.h"
#include "testmode/TestModeCommands.h"
#include "ui/StatusPanels.h"

namespace {
enum Panel { kPortPanel = 1, kRatePanel = 2, kStatusPanel = 3 };
}  // namespace

StatusBarPresenter::StatusBarPresenter(const LinkSession& link, StatusPanels& panels,
                                       QObject* parent)
    : QObject(parent), m_link(link), m_panels(panels)
{
    connect(&link, &LinkSession::portLost, this,
            [this] { ShowNoModule(QStringLiteral("Status: Port closed")); });
    connect(&link, &LinkSession::portReopened, this, &StatusBarPresenter::ShowLinkInUse);
    connect(&link, &LinkSession::sendRefused, this, [this] {
        m_panels.ShowNotice(QStringLiteral("No port open: choose Settings > Communications..."));
    });
}

void StatusBarPresenter::follow(const TransceiverDiscovery& discovery)
{
    connect(&discovery, &TransceiverDiscovery::searchingPort, this,
            &StatusBarPresenter::ShowSearching);
    connect(&discovery, &TransceiverDiscovery::probingRate, this,
            &StatusBarPresenter::ShowProbedRate);
    connect(&discovery, &TransceiverDiscovery::moduleFound, this,
            &StatusBarPresenter::ShowLinkInUse);
    connect(&discovery, &TransceiverDiscovery::noModule, this, &StatusBarPresenter::ShowNoModule);
}

void StatusBarPresenter::follow(const BaudRateSwitch& rateSwitch)
{
    // A failed reopen is a port fault, and a port lost during the pause has been reported
    // as one already: only a port still open is "in use".
    connect(&rateSwitch, &BaudRateSwitch::finished, this, [this](bool portInUse) {
        if (portInUse)
            ShowLinkInUse();
    });
}

void StatusBarPresenter::follow(const TestModeCommands& testMode)
{
    connect(&testMode, &TestModeCommands::modeChanged, this, &StatusBarPresenter::ShowMode);
}

void StatusBarPresenter::ShowLinkInUse()
{
    const LinkState& s = m_link.state();
    m_panels.SetStatusPanel(kPortPanel, QStringLiteral("Comm Port: %1").arg(s.iCommPort));
    m_panels.SetStatusPanel(kRatePanel, QStringLiteral("Baud Rate: ") + s.sBaudRate);
    m_panels.SetStatusPanel(kStatusPanel, QStringLiteral("Status:"));
}

void StatusBarPresenter::ShowNoModule(const QString& status)
{
    m_panels.SetStatusPanel(kPortPanel, QStringLiteral("Comm Port: None"));
    m_panels.SetStatusPanel(kRatePanel, QStringLiteral("Baud Rate: "));
    m_panels.SetStatusPanel(kStatusPanel, status);
}

void StatusBarPresenter::ShowSearching(int port)
{
    m_panels.SetStatusPanel(kStatusPanel,
                            QStringLiteral("Status: Searching for transceiver on Com Port %1").arg(port));
}

void StatusBarPresenter::ShowProbedRate(const QString& baudRate)
{
    m_panels.SetStatusPanel(kRatePanel, QStringLiteral("Baud Rate: ") + baudRate);
}

void StatusBarPresenter::ShowMode(bool testMode)
{
    m_panels.SetStatusPanel(kStatusPanel, testMode ? QStringLiteral("Status:  Test Mode")
                                                   : QStringLiteral("Status:  User Mode"));
}
