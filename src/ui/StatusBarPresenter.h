#pragma once

#include <QObject>
#include <QString>

class BaudRateSwitch;
class LinkSession;
class StatusPanels;
class TestModeCommands;
class TransceiverDiscovery;

// Writes the status bar's three panels (port, rate, status) from what the link, the
// search, the baud-rate switch and the test mode switch report, and the notice that a
// frame found no port open; nothing below the window writes a text there.
class StatusBarPresenter : public QObject {
    Q_OBJECT
public:
    StatusBarPresenter(const LinkSession& link, StatusPanels& panels, QObject* parent = nullptr);

    void follow(const TransceiverDiscovery& discovery);
    void follow(const BaudRateSwitch& rateSwitch);
    void follow(const TestModeCommands& testMode);

    // "Comm Port: n", "Baud Rate: r", "Status:" for the port and rate in use.
    void ShowLinkInUse();
    // No port and no rate; panel 3 says why.
    void ShowNoModule(const QString& status);

private:
    void ShowSearching(int port);
    void ShowProbedRate(const QString& baudRate);
    void ShowMode(bool testMode);

    const LinkSession& m_link;
    StatusPanels& m_panels;
};
