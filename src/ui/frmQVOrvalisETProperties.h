#pragma once

#include "link/SerialPort.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class LinkSession;
class TransceiverDiscovery;

// "Communication Settings": the port and host rate chosen by hand and probed, or a
// full search. The port stays closed while the dialog is open; every way out (OK,
// Cancel, Auto Detect, the window frame) leaves it as the choice says.
class frmQVOrvalisETProperties : public QDialog {
    Q_OBJECT
public:
    frmQVOrvalisETProperties(LinkSession& link, TransceiverDiscovery& discovery,
                             QWidget* parent = nullptr);

    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdAutoDetect_Click();

protected:
    // Escape and the window frame's close button act as "Cancel".
    void reject() override;

private:
    void buildControls();
    void Form_Load();
    PortOpenFailure TryOpenPort(int portNumber);
    void ShowPortDevice(int portNumber, const PortDescription& device, PortOpenFailure failure);
    int SelectedBaudRateIndex() const;

    LinkSession& m_link;
    TransceiverDiscovery& m_discovery;
    bool m_closing = false;

    QGroupBox* fraSettings = nullptr;
    QRadioButton* optCommPort[8] = {};
    QLabel* lblCommPortDevice[8] = {};
    QLabel* lblPortAdvice = nullptr;
    QRadioButton* optBaudRate[4] = {};
    QPushButton* cmdAutoDetect = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};
