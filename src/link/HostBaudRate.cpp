#include "link/HostBaudRate.h"

#include "link/SerialLink.h"
#include "link/StatusPanels.h"
#include "platform/SettingsStore.h"

#include <QPointer>

int BaudRateChangeWaitMs(int rate)
{
    return (rate > 0 ? 100000 / rate : 0) + 2000;
}

void FollowModuleToBaudRate(SerialLink& link, StatusPanels& status, int rateIndex)
{
    LinkState& s = link.state();
    const QString previousRate = s.sBaudRate;
    s.sBaudRate = HostBaudRates().at(rateIndex);
    if (s.sBaudRate != previousRate)
        SettingsStore::WriteText(QStringLiteral("Properties"), QStringLiteral("BaudRate"),
                                 s.sBaudRate);
    SerialPort& port = link.port();
    port.close();
    port.setParameters(PortParameters(s.sBaudRate));
    const bool reopened = port.open();
    const QString openFailure = reopened ? QString() : port.errorDescription();

    const QPointer<SerialLink> alive(&link);
    link.transmit().WaitOnWakeupTimer(BaudRateChangeWaitMs(s.sBaudRate.toInt()));
    if (!alive)
        return;  // the window closed during the pause
    link.SetBaudRateIndex(rateIndex);
    // The panels say "in use" only of a port that is: a failed reopen is a port fault, and
    // a port lost during the pause has been reported as one already.
    if (!reopened)
        link.HandlePortFault(openFailure);
    else if (port.isOpen())
        ReportLinkInUse(link, status);
}

void ReportLinkInUse(const SerialLink& link, StatusPanels& status)
{
    const LinkState& s = link.state();
    status.SetStatusPanel(1, QStringLiteral("Comm Port: %1").arg(s.iCommPort));
    status.SetStatusPanel(2, QStringLiteral("Baud Rate: ") + s.sBaudRate);
    status.SetStatusPanel(3, QStringLiteral("Status:"));
}
