#pragma once

#include "link/LogLine.h"
#include "link/SessionHistory.h"

#include <QByteArray>
#include <QString>

#include <functional>

class MessageList;

// The communications log: every frame in either direction, every time-out and every
// port notice becomes a line at the top of the list, which keeps the newest 100. The
// session history keeps every line with its time, direction, name and bytes.
class CommunicationsLog {
public:
    static constexpr int kCapacity = 100;

    explicit CommunicationsLog(MessageList& list,
                               int historyCapacity = SessionHistory::kDefaultCapacity);

    // An empty line, then "Host->TXCVR (name): hex" (with "PID=n:" before it for RF
    // data messages; n is the packet ID byte of the frame).
    void LogTransmittedMessage(const QString& sTxMsgName, const QByteArray& frame,
                               bool bRFDataMsg, int packetId);
    // "TXCVR->Host (name): hex" (with "PID=n:" before it for type 148).
    void LogReceivedMessage(int iRxMsgType, const QString& sRxMsgName, const QByteArray& frame,
                            int packetId);
    void LogMessageTimeout(const QString& name);
    // An empty line, the text, an empty line.
    void LogStatusMessage(const QString& text);

    void MakeRoomInMessageList(int n);
    // A line of its own, kept in the history as a status line (a separator when empty).
    void AddToMessageList(const QString& text);
    void cmdClear_Click();

    // Called with every line added, in the order added (the message log file's copy).
    void setLineAddedHook(std::function<void(const QString&)> hook);

    // Every line added this session, also those the list no longer shows or that
    // "Clear" took off the screen.
    const SessionHistory& history() const { return m_history; }

private:
    void AddToMessageList(const LogLine& line);

    MessageList& m_list;
    SessionHistory m_history;
    std::function<void(const QString&)> m_lineAdded;
};
