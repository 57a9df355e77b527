#include "link/CommunicationsLog.h"

#include "link/MessageList.h"
#include "protocol/MessageCatalogue.h"

#include <algorithm>

CommunicationsLog::CommunicationsLog(MessageList& list) : m_list(list) {}

void CommunicationsLog::LogTransmittedMessage(const QString& sTxMsgName, const QString& hexText,
                                              bool bRFDataMsg, int packetId)
{
    MakeRoomInMessageList(2);
    AddToMessageList(QString());
    QString line = QStringLiteral("Host->TXCVR (") + sTxMsgName + QStringLiteral("): ") + hexText;
    if (bRFDataMsg)
        line.prepend(QStringLiteral("PID=%1:").arg(packetId));
    AddToMessageList(line);
}

void CommunicationsLog::LogReceivedMessage(int iRxMsgType, const QString& sRxMsgName,
                                           const QString& sRxHex, int packetId)
{
    MakeRoomInMessageList(1);
    QString line = QStringLiteral("TXCVR->Host (") + sRxMsgName + QStringLiteral("): ") + sRxHex;
    if (iRxMsgType == MessageCode::ReceivedRfData)
        line.prepend(QStringLiteral("PID=%1:").arg(packetId));
    AddToMessageList(line);
}

void CommunicationsLog::LogMessageTimeout(const QString& name)
{
    MakeRoomInMessageList(1);
    AddToMessageList(name + QStringLiteral(" Timeout!"));
}

void CommunicationsLog::LogStatusMessage(const QString& text)
{
    MakeRoomInMessageList(3);
    AddToMessageList(QString());
    AddToMessageList(text);
    AddToMessageList(QString());
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
    const int width = m_list.measureLine(text);
    if (width > m_list.tag().toInt()) {
        m_list.setHorizontalExtent(width);
        m_list.setTag(QString::number(width));
    }
    m_list.insertTopLine(text);
    if (m_lineAdded)
        m_lineAdded(text);
}

void CommunicationsLog::cmdClear_Click()
{
    m_list.removeAllLines();  // the widest width and the scroll extent stay
}

void CommunicationsLog::setLineAddedHook(std::function<void(const QString&)> hook)
{
    m_lineAdded = std::move(hook);
}
