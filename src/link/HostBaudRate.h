#pragma once

#include <QObject>
#include <QString>

class LinkSession;

// After a baud-rate change the host waits one character time at the new rate plus
// two seconds before it talks again: 2010, 2005, 2002 or 2001 ms.
int BaudRateChangeWaitMs(int rate);

// The module has acknowledged Set Baudrate at the old rate and switches now: the host
// stores the new rate when it changed, reopens its port at it and holds the link while
// the module follows.
class BaudRateSwitch : public QObject {
    Q_OBJECT
public:
    explicit BaudRateSwitch(LinkSession& link, QObject* parent = nullptr);

    // FollowModuleToBaudRate: rateIndex 0 = 9600 .. 3 = 57600.
    void start(int rateIndex);
    // Whether the new rate is stored for the next start-up (the command line may not).
    void setRemembersRate(bool remembers) { m_remembersRate = remembers; }

signals:
    // portInUse: the port reopened at the new rate and is still open. A failed reopen is
    // a port fault, and a port lost during the pause has been reported as one already.
    void finished(bool portInUse);

private:
    void OnPauseOver();

    LinkSession& m_link;
    bool m_remembersRate = true;
    bool m_running = false;
    int m_rateIndex = 0;
    bool m_reopened = false;
    QString m_openFailure;
};
