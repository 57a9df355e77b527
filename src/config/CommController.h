#pragma once

#include "link/HostBaudRate.h"

#include <QObject>

class LinkSession;

// The module's serial rate. Set Baudrate asks the module to switch to the selected
// rate; the host follows only when the module's acknowledgement arrives, at the rate
// selected at that moment. The selection follows every change of the host's rate
// (settings dialog, Auto Detect, the module).
class CommController : public QObject {
    Q_OBJECT
public:
    explicit CommController(LinkSession& link, QObject* parent = nullptr);

    // The selected rate (iBaudRateIndex: 0 = 9600 .. 3 = 57600), or -1 when none is.
    int selectedRate() const { return m_selectedRate; }
    void selectRate(int rateIndex);

    // Selects the rate the link now runs at.
    void ShowRateInUse();

    // Without a selection it asks for the rate in use.
    void SetBaudrate();
    void ProcessSetBaudrateAck();
    void ProcessSetSleepModeAck();

    BaudRateSwitch& rateSwitch() { return m_rateSwitch; }

signals:
    void rateSelected(int rateIndex);

private:
    LinkSession& m_link;
    BaudRateSwitch m_rateSwitch;
    int m_selectedRate = -1;
};
