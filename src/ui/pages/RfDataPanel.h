#pragma once

#include <QList>
#include <QWidget>

class QBoxLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class RfDataController;
class ScreenRefresh;
class SpinButtons;

// The "RF Data" panel: the data box, its entry mode, the destination, packet ID and
// repeat delay, and the four send buttons, over the RF data controller.
class RfDataPanel : public QWidget {
    Q_OBJECT
public:
    // Received data reaches the box at the screen's refresh.
    RfDataPanel(RfDataController& controller, ScreenRefresh& refresh, QWidget* parent = nullptr);

    // Start-up.
    void LimitRfDataEntry();
    void SelectAsciiEntry();
    // Destination from the settings, repeat delay 100, packet ID 1, no repetition.
    void ShowLoadedSettings();

    // Test mode takes the data box, the numbers and their labels away from the user. The
    // send buttons are not switched here: they follow the "RF Data" frame, so the buttons
    // a running repetition has disabled stay so when user mode returns.
    void SetEntryControlsEnabled(bool enabled);

private:
    // Each row of the panel, top to bottom.
    QBoxLayout* buildDataRow();
    QBoxLayout* buildNumberRow();
    QBoxLayout* buildButtons();
    void setReadingTabOrder();

    void txtRFData_Change();
    void ShowRfDataText(const QString& text);
    void KeepReceivedRfData(const QString& text);
    void ShowReceivedRfData();
    // A repetition started or ended: every send button but `keep` usable or not.
    void ShowRepetition(QPushButton* keep, const QString& idleCaption, bool running);

    RfDataController& m_controller;
    ScreenRefresh& m_refresh;
    QString m_receivedText;  // the newest received data, not shown yet
    bool m_receivedPending = false;
    QList<QWidget*> m_entryControls;  // in the order test mode switches them
    QLineEdit* txtRFData = nullptr;
    QRadioButton* optAscii = nullptr;
    QRadioButton* optHex = nullptr;
    QLineEdit* txtDestinationID = nullptr;
    QLineEdit* txtPacketID = nullptr;
    QLineEdit* txtRepeatDelay = nullptr;
    SpinButtons* updownRepeatDelay = nullptr;
    QPushButton* cmdSendSingleMsg = nullptr;
    QPushButton* cmdSendRandomMsg = nullptr;
    QPushButton* cmdSendSingleRepeatedMsg = nullptr;
    QPushButton* cmdSendRandomRepeatedMsg = nullptr;
};
