#include "SimulatedModule.h"

#include "SimRandom.h"
#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"

#include <initializer_list>

namespace {

constexpr int kRfDataHeader = 3;  // packet ID, destination low and high byte
constexpr int kMaxRfData = 36;
constexpr int kAckBaseDelayMs = 5;
constexpr int kAckDelayPerRetryMs = 10;
constexpr quint8 kWakeupByte = 0x00;

QByteArray Bytes(const quint8* data, int size)
{
    return QByteArray(reinterpret_cast<const char*>(data), size);
}

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int value : values)
        bytes.append(static_cast<char>(value));
    return bytes;
}

void AppendWord(QByteArray& bytes, quint16 value)
{
    bytes.append(static_cast<char>(value & 0xFF));
    bytes.append(static_cast<char>(value >> 8));
}

quint16 WordAt(const QByteArray& bytes, int index)
{
    return static_cast<quint16>(static_cast<quint8>(bytes.at(index))
                                | static_cast<quint8>(bytes.at(index + 1)) << 8);
}

// Payload of a received RF data message: packet ID, four bytes we leave 0, the data.
QByteArray RfDataPayload(quint8 packetId, const QByteArray& data)
{
    return QByteArray(1, static_cast<char>(packetId)) + QByteArray(4, '\0') + data.left(kMaxRfData);
}

// Fixed payload lengths of the commands the module knows (RF data aside).
bool IsWellFormedCommand(int code, const QByteArray& payload)
{
    const int length = static_cast<int>(payload.size());
    switch (code) {
    case MessageCode::SetIds:
        return length == 6;
    case MessageCode::SetProgrammableSettings:
        return length == SimulatedModule::kSettingsLength;
    case MessageCode::EnableDisableTestMode:
        return length == 1;
    case MessageCode::SetTestModeSettings:
        return length == SimulatedModule::kTestModeBlockLength;
    case MessageCode::SetBaudrate:
        return length == 1 && static_cast<quint8>(payload.at(0)) < ModuleBaudRates().size();
    case MessageCode::QueryIds:
    case MessageCode::QueryIdsAndSettingsStatus:
    case MessageCode::QueryProgrammableSettings:
    case MessageCode::QueryRfStatistics:
    case MessageCode::ClearStatistics:
    case MessageCode::QueryTestModeSettings:
    case MessageCode::QueryFirmwareVersion:
    case MessageCode::SetSleepMode:
    case MessageCode::QueryMaxPowerAmplifierLevel:
        return length == 0;
    default:
        return false;
    }
}

bool ChecksumIsRight(const QByteArray& frame)
{
    const int length = static_cast<int>(frame.size());
    return FrameChecksum(frame.left(length - 2)) == static_cast<quint8>(frame.at(length - 2));
}

}  // namespace

SimulatedModule::SimulatedModule(const SimOptions& options, SimRandom& random)
    : m_random(random),
      m_rate(options.baudRate),
      m_ids{options.transceiverId, options.networkId, options.systemId},
      m_firmware(options.firmware),
      m_nackProbability(options.nackProbability),
      m_maxRetries(options.maxRetries),
      m_settings(Bytes(kDefaultSettings, kSettingsLength)),
      m_testModeBlock(Bytes(kDefaultTestModeBlock, kTestModeBlockLength))
{
    if (options.statusReport) {
        m_idsStatus = options.statusReport->idsStatus;
        m_settingsStatus = options.statusReport->settingsStatus;
    }
}

ModuleReaction SimulatedModule::receive(const QByteArray& bytes, int hostRate, qint64 nowMs)
{
    ModuleReaction reaction;
    if (m_rx.iRxState != 0 && nowMs - m_lastByteMs > kInterByteGapMs)
        m_rx.gapExpired();
    m_lastByteMs = nowMs;
    for (char byte : bytes)
        receiveByte(static_cast<quint8>(byte), hostRate, reaction);
    return reaction;
}

void SimulatedModule::receiveByte(quint8 byte, int hostRate, ModuleReaction& reaction)
{
    const bool atOurRate = hostRate == m_rate;
    if (m_rx.iRxState == 0 && byte == kWakeupByte) {
        reaction.heard.append({QByteArray(1, '\0'), hostRate, !atOurRate});
        if (atOurRate)
            m_asleep = false;
        return;
    }
    if (m_rx.iRxState == 0)
        m_frameAtWrongRate = false;  // this byte may start a new frame
    m_frameAtWrongRate = m_frameAtWrongRate || !atOurRate;
    if (m_rx.feed(byte) == FrameAssembler::Step::FrameComplete)
        handleFrame(hostRate, reaction);
}

void SimulatedModule::handleFrame(int hostRate, ModuleReaction& reaction)
{
    const QByteArray frame = m_rx.frame();
    const int payloadLength = static_cast<int>(frame.size()) - FrameLayout::kOverhead;
    const bool acted =
        !m_frameAtWrongRate && !m_asleep && ChecksumIsRight(frame)
        && obey(m_rx.iRxMsgType, frame.mid(FrameLayout::kHeaderLength, payloadLength), reaction);
    reaction.heard.append({frame, hostRate, !acted});
}

bool SimulatedModule::obey(int code, const QByteArray& payload, ModuleReaction& reaction)
{
    if (code == MessageCode::SendRfData)
        return sendRfData(payload, reaction);
    if (!IsWellFormedCommand(code, payload))
        return false;  // a real module stays quiet about what it does not understand
    reaction.frames.append(answer(code, answerPayload(code)));
    apply(code, payload);  // after the answer: a new rate or sleep begins once it is out
    return true;
}

QByteArray SimulatedModule::answerPayload(int code) const
{
    switch (code) {
    case MessageCode::QueryIds:
        return idsPayload();
    case MessageCode::QueryIdsAndSettingsStatus:
        return Bytes({m_idsStatus, m_settingsStatus});
    case MessageCode::QueryProgrammableSettings:
        return m_settings;
    case MessageCode::QueryRfStatistics:
        return m_statistics.payload();
    case MessageCode::QueryTestModeSettings:
        return m_testModeBlock;
    case MessageCode::QueryFirmwareVersion:
        return firmwarePayload();
    case MessageCode::QueryMaxPowerAmplifierLevel:
        return QByteArray(1, static_cast<char>(kMaxPowerAmplifierLevel));
    default:
        return {};  // acknowledgements carry nothing
    }
}

void SimulatedModule::apply(int code, const QByteArray& payload)
{
    switch (code) {
    case MessageCode::SetIds:
        for (int i = 0; i < 3; ++i)
            m_ids[i] = WordAt(payload, 2 * i);
        m_idsStatus = 1;
        break;
    case MessageCode::SetProgrammableSettings:
        m_settings = payload;
        m_settingsStatus = 1;
        break;
    case MessageCode::ClearStatistics:
        m_statistics = {};
        break;
    case MessageCode::EnableDisableTestMode:
        m_testMode = payload.at(0) != 0;
        break;
    case MessageCode::SetTestModeSettings:
        m_testModeBlock = payload;
        m_testModeBlock[kTestModeBlockLength - 1] = '\0';  // the reserved byte is not kept
        break;
    case MessageCode::SetSleepMode:
        m_asleep = true;
        break;
    case MessageCode::SetBaudrate:
        m_rate = ModuleBaudRates().at(static_cast<quint8>(payload.at(0)));
        break;
    default:
        break;
    }
}

bool SimulatedModule::sendRfData(const QByteArray& payload, ModuleReaction& reaction)
{
    const int dataLength = static_cast<int>(payload.size()) - kRfDataHeader;
    if (dataLength < 1 || dataLength > kMaxRfData)
        return false;
    const bool acknowledged = !m_random.chance(m_nackProbability);
    const int retries = acknowledged ? m_random.uniform(0, m_maxRetries) : m_maxRetries;
    m_statistics.countSent(retries, acknowledged);
    const QByteArray report =
        Bytes({static_cast<quint8>(payload.at(0)), acknowledged ? 1 : 0, retries});
    // Each retry is another trip over the air before the module can report.
    reaction.frames.append(
        answer(MessageCode::SendRfData, report, kAckBaseDelayMs + kAckDelayPerRetryMs * retries));
    return true;
}

QByteArray SimulatedModule::idsPayload() const
{
    QByteArray payload;
    for (quint16 id : m_ids)
        AppendWord(payload, id);
    return payload;
}

QByteArray SimulatedModule::firmwarePayload() const
{
    QByteArray payload;
    payload.append(static_cast<char>(m_firmware.major));
    payload.append(static_cast<char>(m_firmware.minor));
    payload.append(static_cast<char>(m_firmware.month));
    payload.append(static_cast<char>(m_firmware.day));
    payload.append(static_cast<char>(m_firmware.year - 2000));
    payload.append(static_cast<char>(m_firmware.copyright.size()));
    payload.append(m_firmware.copyright);
    return payload;
}

ModuleFrame SimulatedModule::receivedRfData(quint8 packetId, const QByteArray& data)
{
    m_statistics.countReceivedForUs();
    return unsolicited(MessageCode::ReceivedRfData, RfDataPayload(packetId, data));
}

ModuleFrame SimulatedModule::rfDataForAnotherTransceiver(quint8 packetId, const QByteArray& data)
{
    m_statistics.countReceivedForOthers();
    return unsolicited(MessageCode::RfDataNotAddressedToUs, RfDataPayload(packetId, data));
}

ModuleFrame SimulatedModule::nextPeerMessage()
{
    QByteArray data(m_random.uniform(1, kMaxRfData), '\0');
    for (char& byte : data)
        byte = static_cast<char>(m_random.uniform(0, 255));
    ++m_peerPacketId;
    return receivedRfData(m_peerPacketId, data);
}

ModuleFrame SimulatedModule::statusReport(quint8 idsStatus, quint8 settingsStatus)
{
    m_idsStatus = idsStatus;
    m_settingsStatus = settingsStatus;
    return unsolicited(MessageCode::IdsAndSettingsStatus, Bytes({idsStatus, settingsStatus}));
}

ModuleFrame SimulatedModule::answer(int command, const QByteArray& payload, int delayMs) const
{
    return {BuildFrame(static_cast<quint8>(command + MessageCode::ResponseOffset), payload),
            delayMs, m_rate, true};
}

ModuleFrame SimulatedModule::unsolicited(int code, const QByteArray& payload) const
{
    return {BuildFrame(static_cast<quint8>(code), payload), 0, m_rate, false};
}
