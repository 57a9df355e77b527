#pragma once

#include <QList>
#include <QWidget>

#include <random>

class Frame;
class QLineEdit;
class QPushButton;
class QRadioButton;
class ProtocolTimer;
class LinkSession;
class SpinButtons;
struct TrafficCounters;
struct TrafficSettings;

// The "RF Data" panel: typed or random RF data messages, sent once or repeated at a
// fixed delay, and the data of RF data messages that arrive from other transceivers.
class RfDataPanel : public QWidget {
    Q_OBJECT
public:
    // tmrRepeat paces the repetitions; tmrThroughput runs while one does (its ticks
    // belong to the statistics).
    RfDataPanel(LinkSession& link, TrafficSettings& settings, TrafficCounters& counters,
                ProtocolTimer& tmrRepeat, ProtocolTimer& tmrThroughput, QWidget* parent = nullptr);

    // Start-up.
    void LimitRfDataEntry();
    void SelectAsciiEntry();
    void ClearRandomMessageFlag();
    // Destination from the settings, repeat delay 100, packet ID 1, no repetition.
    void ShowLoadedSettings();

    void cmdSendSingleMsg_Click();
    void cmdSendRandomMsg_Click();
    void cmdSendSingleRepeatedMsg_Click();
    void cmdSendRandomRepeatedMsg_Click();
    void tmrRepeat_Timer();

    // Called for every complete frame of type 148 before it is dispatched.
    void DisplayReceivedRFData(const Frame& frame);
    void ProcessReceivedRFDataMessage();
    void ProcessReceivedRFDataMessageNotAddresedToUs();

    // Test mode takes the data box, the numbers and their labels away from the user. The
    // send buttons are not switched here: they follow the "RF Data" frame, so the buttons
    // a running repetition has disabled stay so when user mode returns.
    void SetEntryControlsEnabled(bool enabled);

    qint16 iPacketID() const { return m_iPacketID; }
    qint16 iRepeatDelay() const { return m_iRepeatDelay; }
    bool bSingleRepeat() const { return m_bSingleRepeat; }
    bool bRandomRepeat() const { return m_bRandomRepeat; }

signals:
    // lPacketsReceived went up.
    void packetReceived();

private:
    void buildDataRow();
    void buildNumberRow();
    void buildButtons();

    void optAscii_Click();
    void optHex_Click();
    void txtRFData_Change();

    void StartSingleRepeat();
    void StopRepetition();
    void StopSingleRepeat();
    void StartRandomRepeat();
    void StopRandomRepeat();
    // Every send button but `keep` usable or not.
    void setOtherSendButtonsEnabled(const QPushButton* keep, bool enabled);
    void StartRepeatTimer();

    void AdvancePacketId();
    void SendRfData(const QByteArray& data);

    LinkSession& m_link;
    TrafficSettings& m_settings;
    TrafficCounters& m_counters;
    ProtocolTimer& tmrRepeat;
    ProtocolTimer& tmrThroughput;

    qint16 m_iPacketID = 1;
    qint16 m_iRepeatDelay = 100;
    bool m_bSingleRepeat = false;
    bool m_bRandomRepeat = false;
    bool m_bRandomMsgActive = false;  // the random-message note is not filtered
    qint16 m_iRandomMsgLength = 0;
    std::mt19937 m_random;

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
