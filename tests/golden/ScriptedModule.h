#pragma once

#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"
#include "support/FakeSerialPort.h"
#include "support/ModuleResponder.h"

#include <QSet>

// A module for the fake port that answers every command the window sends, a few
// milliseconds later and only at its own port and rate, as a real one would. It follows
// its own Set Baudrate, reports RF data deliveries by a fixed pattern (every third one
// failed, retries cycling 0 .. 3), and can be told to stay silent to some commands.
class ScriptedModule {
public:
    static constexpr int kReplyDelayMs = 5;

    ScriptedModule(int portNumber, const QString& baudRate) : m_port(portNumber), m_rate(baudRate) {}

    void silenceCommand(int code) { m_silent.insert(code); }
    int rfDataFramesHeard() const { return m_rfData; }

    FakeSerialPort::Responder responder()
    {
        return [this](FakeSerialPort& port, const QByteArray& written) { hear(port, written); };
    }

private:
    void hear(FakeSerialPort& port, const QByteArray& written)
    {
        if (port.selectedPort() != m_port || port.parameters() != m_rate + QStringLiteral(",N,8,1"))
            return;
        if (written.size() < FrameLayout::kMinLength || m_silent.contains(quint8(written.at(2))))
            return;
        const int code = quint8(written.at(2));
        const QByteArray reply = replyTo(code, written);
        if (!reply.isEmpty())
            port.feedReceivedLater(reply, kReplyDelayMs);
        if (code == MessageCode::SetBaudrate)  // switches once its ack is on the wire
            m_rate = HostRates().value(quint8(written.at(3)), m_rate);
    }

    QByteArray replyTo(int code, const QByteArray& written)
    {
        using namespace MessageCode;
        switch (code) {
        case QueryIds:
            return kIdsReply;
        case QueryFirmwareVersion:
            return BuildFrame(FirmwareVersion, QByteArray::fromHex("0103070F0402") + "AB");
        case QueryTestModeSettings:
            return BuildFrame(TestModeSettings, QByteArray::fromHex("22185C01320D453445003004") + '\0');
        case QueryRfStatistics:
            return BuildFrame(RfStatistics, QByteArray(16, '\x02'));
        case SendRfData:
            return deliveryReport(quint8(written.at(3)));
        default:
            return BuildFrame(quint8(code + ResponseOffset), code == EnableDisableTestMode
                                                                 ? QByteArray(1, '\0')
                                                                 : QByteArray());
        }
    }

    QByteArray deliveryReport(quint8 packetId)
    {
        const int n = m_rfData++;
        const char status = n % 3 == 2 ? 0 : 1;
        const char retries = static_cast<char>(n % 4);
        return BuildFrame(MessageCode::SendRfDataAck, QByteArray() + char(packetId) + status + retries);
    }

    static QStringList HostRates() { return {"9600", "19200", "38400", "57600"}; }

    int m_port;
    QString m_rate;
    QSet<int> m_silent;
    int m_rfData = 0;
};
