#pragma once

#include "link/HostBaudRate.h"

#include <QWidget>

#include <array>

class QPushButton;
class QRadioButton;
class LinkSession;

// The "Comm" page: the frame "Host Serial Baudrate". "Set Baudrate" asks the module
// to switch rates; the host follows only when the module's acknowledgement arrives,
// at the rate selected at that moment.
class CommPage : public QWidget {
    Q_OBJECT
public:
    explicit CommPage(LinkSession& link, QWidget* parent = nullptr);

    // Selects the option of the rate the link now runs at (iBaudRateIndex).
    void ShowRateInUse();

    void cmdSetTransceiverBaudrate_Click();
    void ProcessSetBaudrateAck();
    BaudRateSwitch& rateSwitch() { return m_rateSwitch; }
    void ProcessSetSleepModeAck();

private:
    // The index of the selected option, or -1 when none is.
    int SelectedRateIndex() const;

    LinkSession& m_link;
    BaudRateSwitch m_rateSwitch;
    std::array<QRadioButton*, 4> optTransceiverBaudrate{};
    QPushButton* cmdSetTransceiverBaudrate = nullptr;
};
