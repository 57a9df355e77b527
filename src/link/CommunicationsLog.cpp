#include "link/CommunicationsLog.h"

#include "link/MessageList.h"
#include "platform/Clock.h"
#include "protocol/MessageCatalogue.h"

#include <algorithm>

CommunicationsLog::CommunicationsLog(MessageList& list, int historyCapacity)
    : m_list(list), m_history(historyCapacity)
{
}

void CommunicationsLog::LogTransmittedMessage(const QString& sTxMsgName, const QByteArray& frame,
                                              bool bRFDataMsg, int packetId)
{
    MakeRoomInMessageList(2);
    AddToMessageList(LogLine::Status(QString()));
    AddToMessageList(LogLine::Frame(LineDirection::HostToModule, sTxMsgName, frame,
                                    bRFDataMsg ? packetId : -1));
}

void CommunicationsLog::LogReceivedMessage(int iRxMsgType, const QString& sRxMsgName,
                                           const QByteArray& frame, int packetId)
{
    MakeRoomInMessageList(1);
    const bool rfData = iRxMsgType == MessageCode::ReceivedRfData;
    AddToMessageList(LogLine::Frame(LineDirection::ModuleToHost, sRxMsgName, frame,
                                    rfData ? packetId : -1));
}

void CommunicationsLog::LogMessageTimeout(const QString& name)
{
    MakeRoomInMessageList(1);
    AddToMessageList(LogLine::Timeout(name));
}

void CommunicationsLog::LogStatusMessage(const QString& text)
{
    MakeRoomInMessageList(3);
    AddToMessageList(LogLine::Status(QString()));
    AddToMessageList(LogLine::Status(text));
    AddToMessageList(LogLine::Status(QString()));
}

void CommunicationsLog::MakeRoomInMessageList(int n)
{
    n = std::min(n, kCapacity);
    for (int i = 1; i <= n; ++i)
        if (m_list.lineCount() > kCapacity - i)
            m_list.removeLine(kCapacity - i);
}

void CommunicationsLog::AddToMessageList(const QString& text)
{
    AddToMessageList(LogLine::Status(text));
}

void CommunicationsLog::AddToMessageList(const LogLine& line)
{
    const QString text = LogLineText(line);
    const QDateTime arrived = Clock::NowAtLocalOffset();
    const int width = m_list.measureLine(text);
    if (width > m_list.tag().toInt()) {
        m_list.setHorizontalExtent(width);
        m_list.setTag(QString::number(width));
    }
    m_list.insertTopLine(text, arrived);
    m_history.append(arrived, line);
    if (m_lineAdded)
        m_lineAdded(text);
}

void CommunicationsLog::cmdClear_Click()
{
    m_list.removeAllLines();  // the widest width, the scroll extent and the history stay
}

void CommunicationsLog::setLineAddedHook(std::function<void(const QString&)> hook)
{
    m_lineAdded = std::move(hook);
}
