#include "traffic/RfDataController.h"

#include "link/LinkSession.h"
#include "platform/Clock.h"
#include "platform/ProtocolTimer.h"
#include "protocol/Replies.h"
#include "traffic/RfDataFrame.h"
#include "traffic/TrafficCounters.h"
#include "traffic/TrafficSettings.h"

RfDataController::RfDataController(LinkSession& link, TrafficSettings& settings,
                                   TrafficCounters& counters, ProtocolTimer& repeatTimer,
                                   ProtocolTimer& throughputTimer, QObject* parent)
    : QObject(parent),
      m_link(link),
      m_settings(settings),
      m_counters(counters),
      tmrRepeat(repeatTimer),
      tmrThroughput(throughputTimer)
{
    connect(&tmrRepeat, &ProtocolTimer::timeout, this, &RfDataController::tmrRepeat_Timer);
    // No RF data goes to a probed port, nor to none.
    connect(&m_link, &LinkSession::portLost, this, &RfDataController::StopRepetition);
    connect(&m_link, &LinkSession::searchStarted, this, &RfDataController::StopRepetition);
}

QString RfDataController::txtRFData_Change(const QString& text)
{
    m_sRFData = (m_bRandomMsgActive || !m_bHexEntry) ? text : RemoveNonHexDigits(text);
    return m_sRFData;
}

void RfDataController::SetRfDataText(const QString& text)
{
    m_sRFData = text;
    emit rfDataTextChanged(text);
}

void RfDataController::optAscii_Click()
{
    m_bHexEntry = false;
    SetRfDataText(QString());
}

void RfDataController::optHex_Click()
{
    m_bHexEntry = true;
    SetRfDataText(QString());
}

qint32 RfDataController::lDestinationID() const
{
    return m_settings.lDestinationID;
}

void RfDataController::SetDestinationID(qint32 id)
{
    m_settings.lDestinationID = id;
}

void RfDataController::ClearRandomMessageFlag()
{
    m_bRandomMsgActive = false;
}

void RfDataController::ResetForStartUp()
{
    m_iRepeatDelay = 100;
    m_bSingleRepeat = false;
    m_bRandomRepeat = false;
    m_iPacketID = 1;
}

void RfDataController::cmdSendSingleMsg_Click()
{
    const QString text = m_sRFData;
    if (text.isEmpty()) {
        if (m_bSingleRepeat)
            StopSingleRepeat();
        return;
    }
    QByteArray data;
    if (m_bHexEntry) {
        // Only the random-message note can be here: it is not data in this mode.
        if (!IsHexText(text)) {
            SetRfDataText(QString());
            return;
        }
        const QString padded = PadOddHexText(text);
        if (padded != text)
            SetRfDataText(padded);
        data = HexTextToBytes(padded);
    } else {
        data = AsciiTextToBytes(text);
    }
    SendRfData(data);
}

void RfDataController::cmdSendRandomMsg_Click()
{
    m_bRandomMsgActive = true;
    m_random.seed(Clock::RandomSeed());
    const QByteArray data = RandomMessage(m_random);
    m_iRandomMsgLength = static_cast<qint16>(data.size());
    SetRfDataText(RandomMessageNote(m_iRandomMsgLength));
    AdvancePacketId();
    SendRfData(data);
    m_bRandomMsgActive = false;
}

void RfDataController::cmdSendSingleRepeatedMsg_Click()
{
    if (m_bSingleRepeat)
        StopSingleRepeat();
    else if (!m_sRFData.isEmpty())
        StartSingleRepeat();
}

void RfDataController::cmdSendRandomRepeatedMsg_Click()
{
    if (m_bRandomRepeat)
        StopRandomRepeat();
    else
        StartRandomRepeat();
}

void RfDataController::tmrRepeat_Timer()
{
    if (m_bSingleRepeat) {
        AdvancePacketId();
        cmdSendSingleMsg_Click();
    } else if (m_bRandomRepeat) {
        cmdSendRandomMsg_Click();
    }
}

void RfDataController::StopRepetition()
{
    if (m_bSingleRepeat)
        StopSingleRepeat();
    if (m_bRandomRepeat)
        StopRandomRepeat();
}

void RfDataController::StartSingleRepeat()
{
    m_counters.lIntervalBytes = 0;
    tmrThroughput.start();
    m_bSingleRepeat = true;
    emit singleRepeatChanged(true);
    cmdSendSingleMsg_Click();
    // The first frame may have ended the repetition already.
    if (m_bSingleRepeat)
        StartRepeatTimer();
}

void RfDataController::StopSingleRepeat()
{
    tmrThroughput.stop();
    m_bSingleRepeat = false;
    emit singleRepeatChanged(false);
    tmrRepeat.stop();
}

void RfDataController::StartRandomRepeat()
{
    m_bRandomRepeat = true;
    m_counters.lIntervalBytes = 0;
    tmrThroughput.start();
    emit randomRepeatChanged(true);
    cmdSendRandomMsg_Click();
    if (m_bRandomRepeat)
        StartRepeatTimer();
}

void RfDataController::StopRandomRepeat()
{
    m_bRandomRepeat = false;
    tmrThroughput.stop();
    emit randomRepeatChanged(false);
    tmrRepeat.stop();
}

void RfDataController::StartRepeatTimer()
{
    tmrRepeat.setInterval(m_iRepeatDelay);
    tmrRepeat.start();
}

void RfDataController::AdvancePacketId()
{
    m_iPacketID = static_cast<qint16>(NextPacketId(m_iPacketID));
    emit packetIdChanged(m_iPacketID);
}

// The bytes count as handed out even if the link then drops the frame.
void RfDataController::SendRfData(const QByteArray& data)
{
    CountDataBytesHandedOut(m_counters, static_cast<int>(data.size()));
    m_link.SendMessageToTransceiver(
        BuildRfDataFrame(data, m_iPacketID, m_settings.lDestinationID), true);
}

void RfDataController::DisplayReceivedRFData(const Frame& frame)
{
    m_sRFData = ReceivedRfDataText(ReceivedRfDataBytes(frame), m_bHexEntry);
    emit rfDataReceived(m_sRFData);
}

void RfDataController::ProcessReceivedRFDataMessage()
{
    ++m_counters.lPacketsReceived;
    emit packetReceived();
}

// Frames for another transceiver are only logged.
void RfDataController::ProcessReceivedRFDataMessageNotAddresedToUs() {}
