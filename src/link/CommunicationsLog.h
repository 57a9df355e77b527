#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class MessageList;

// The communications log: every frame in either direction, every time-out and every
// port notice becomes a line at the top of the list, which keeps the newest 100.
class CommunicationsLog {
public:
    static constexpr int kCapacity = 100;

    explicit CommunicationsLog(MessageList& list);

    // An empty line, then "Host->TXCVR (name): hex" (with "PID=n:" before it for RF
    // data messages; n is the packet ID byte of the frame).
    void LogTransmittedMessage(const QString& sTxMsgName, const QString& hexText,
                               bool bRFDataMsg, int packetId);
    // "TXCVR->Host (name): hex" (with "PID=n:" before it for type 148).
    void LogReceivedMessage(int iRxMsgType, const QString& sRxMsgName, const QString& sRxHex,
                            int packetId);
    void LogMessageTimeout(const QString& name);
    // An empty line, the text, an empty line.
    void LogStatusMessage(const QString& text);

    void MakeRoomInMessageList(int n);
    void AddToMessageList(const QString& text);
    void cmdClear_Click();

    // Called with every line added, in the order added (the message log file's copy).
    void setLineAddedHook(std::function<void(const QString&)> hook);

private:
    MessageList& m_list;
    std::function<void(const QString&)> m_lineAdded;
};
