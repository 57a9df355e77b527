#pragma once

#include <QObject>
#include <QString>

#include <random>

class Frame;
class LinkSession;
class ProtocolTimer;
struct TrafficCounters;
struct TrafficSettings;

// RF data messages: the data typed or drawn at random, sent once or repeated at a fixed
// delay with advancing packet IDs, and the data of RF data messages from other
// transceivers. Whoever shows the data box follows the signals; the data, the entry mode
// and the numbers are set through the setters and the click handlers.
class RfDataController : public QObject {
    Q_OBJECT
public:
    // tmrRepeat paces the repetitions; tmrThroughput runs while one does (its ticks
    // belong to the statistics).
    RfDataController(LinkSession& link, TrafficSettings& settings, TrafficCounters& counters,
                     ProtocolTimer& tmrRepeat, ProtocolTimer& tmrThroughput,
                     QObject* parent = nullptr);

    // The data as typed. In HEX mode anything that is not a hex digit goes at once (not
    // while the random-message note is written); returns the text that stays.
    QString txtRFData_Change(const QString& text);
    QString sRFData() const { return m_sRFData; }
    // Either mode starts with an empty data box.
    void optAscii_Click();
    void optHex_Click();
    bool bHexEntry() const { return m_bHexEntry; }

    qint32 lDestinationID() const;
    void SetDestinationID(qint32 id);
    qint16 iPacketID() const { return m_iPacketID; }
    void SetPacketID(qint32 id) { m_iPacketID = static_cast<qint16>(id); }
    qint16 iRepeatDelay() const { return m_iRepeatDelay; }
    // Read only when a repetition starts: a change during one counts from the next.
    void SetRepeatDelay(qint32 ms) { m_iRepeatDelay = static_cast<qint16>(ms); }

    // Start-up: no random message being written, repeat delay 100, packet ID 1, no
    // repetition.
    void ClearRandomMessageFlag();
    void ResetForStartUp();

    void cmdSendSingleMsg_Click();
    void cmdSendRandomMsg_Click();
    void cmdSendSingleRepeatedMsg_Click();
    void cmdSendRandomRepeatedMsg_Click();
    void tmrRepeat_Timer();
    // With the port gone, or taken by a search, a repetition ends as "Stop Repeat" ends it.
    void StopRepetition();

    bool bSingleRepeat() const { return m_bSingleRepeat; }
    bool bRandomRepeat() const { return m_bRandomRepeat; }

    // Called for every complete frame of type 148 before it is dispatched.
    void DisplayReceivedRFData(const Frame& frame);
    void ProcessReceivedRFDataMessage();
    void ProcessReceivedRFDataMessageNotAddresedToUs();

signals:
    // The program wrote the data box: padding, the random-message note, or an empty box.
    void rfDataTextChanged(const QString& text);
    // The data of a Received RF Data Message is the data box's text now.
    void rfDataReceived(const QString& text);
    void packetIdChanged(qint16 id);
    // A repetition started or ended; while one runs, the other send buttons are not usable.
    void singleRepeatChanged(bool running);
    void randomRepeatChanged(bool running);
    // lPacketsReceived went up.
    void packetReceived();

private:
    void SetRfDataText(const QString& text);
    void StartSingleRepeat();
    void StopSingleRepeat();
    void StartRandomRepeat();
    void StopRandomRepeat();
    void StartRepeatTimer();
    void AdvancePacketId();
    void SendRfData(const QByteArray& data);

    LinkSession& m_link;
    TrafficSettings& m_settings;
    TrafficCounters& m_counters;
    ProtocolTimer& tmrRepeat;
    ProtocolTimer& tmrThroughput;

    QString m_sRFData;
    bool m_bHexEntry = false;
    qint16 m_iPacketID = 1;
    qint16 m_iRepeatDelay = 100;
    bool m_bSingleRepeat = false;
    bool m_bRandomRepeat = false;
    bool m_bRandomMsgActive = false;  // the random-message note is not filtered
    qint16 m_iRandomMsgLength = 0;
    std::mt19937 m_random;
};
