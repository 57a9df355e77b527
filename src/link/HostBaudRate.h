#pragma once

#include <QObject>
#include <QString>

class LinkSession;
class StatusPanels;

// After a baud-rate change the host waits one character time at the new rate plus
// two seconds before it talks again: 2010, 2005, 2002 or 2001 ms.
int BaudRateChangeWaitMs(int rate);

// The module has acknowledged Set Baudrate at the old rate and switches now: the host
// stores the new rate when it changed, reopens its port at it and holds the link while
// the module follows; then it shows port and rate in the status bar.
class BaudRateSwitch : public QObject {
    Q_OBJECT
public:
    BaudRateSwitch(LinkSession& link, StatusPanels& status, QObject* parent = nullptr);

    // FollowModuleToBaudRate: rateIndex 0 = 9600 .. 3 = 57600.
    void start(int rateIndex);

signals:
    void finished();

private:
    void OnPauseOver();

    LinkSession& m_link;
    StatusPanels& m_status;
    bool m_running = false;
    int m_rateIndex = 0;
    bool m_reopened = false;
    QString m_openFailure;
};

// Panels 1 to 3 for a link in use: "Comm Port: n", "Baud Rate: r", "Status:".
void ReportLinkInUse(const LinkSession& link, StatusPanels& status);
