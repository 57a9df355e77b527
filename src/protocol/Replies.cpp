#include "protocol/Replies.h"

namespace {

// Two bytes, low byte first, starting at payload byte `first`.
qint32 TwoByteValue(const Frame& frame, int first)
{
    return frame.payloadByte(first + 1) * 256 + frame.payloadByte(first);
}

bool HoldsPayload(const Frame& frame, int payloadBytes)
{
    return frame.length() >= FrameLayout::kOverhead + payloadBytes;
}

constexpr int kReceivedDataPosition = 9;  // 1-based frame position of the first data byte

}  // namespace

std::optional<ModuleIds> DecodeIds(const Frame& frame)
{
    if (!HoldsPayload(frame, 6))
        return std::nullopt;
    return ModuleIds{TwoByteValue(frame, 1), TwoByteValue(frame, 3), TwoByteValue(frame, 5)};
}

std::optional<SettingsStatus> DecodeSettingsStatus(const Frame& frame)
{
    if (!HoldsPayload(frame, 2))
        return std::nullopt;
    return SettingsStatus{frame.payloadByte(1) != 0, frame.payloadByte(2) != 0};
}

std::optional<ProgrammableSettingsRecord> DecodeProgrammableSettings(const Frame& frame)
{
    if (!HoldsPayload(frame, 7))
        return std::nullopt;
    ProgrammableSettingsRecord r;
    quint8* fields[] = {&r.hopTable, &r.acknowledgements, &r.rfRetries, &r.paLevel,
                        &r.rfMode,   &r.singleChannel,    &r.receiveAll};
    for (int i = 0; i < 7; ++i)
        *fields[i] = static_cast<quint8>(frame.payloadByte(i + 1));
    return r;
}

std::optional<DeliveryReport> DecodeDeliveryReport(const Frame& frame)
{
    if (!HoldsPayload(frame, 3))
        return std::nullopt;
    return DeliveryReport{frame.payloadByte(1), frame.payloadByte(2), frame.payloadByte(3)};
}

QByteArray ReceivedRfDataBytes(const Frame& frame)
{
    const int dataLength = frame.length() - kReceivedDataPosition - 1;  // CHK and end byte follow
    return dataLength > 0 ? frame.bytes().mid(kReceivedDataPosition - 1, dataLength) : QByteArray();
}

std::optional<FirmwareVersionTexts> DecodeFirmwareVersion(const Frame& frame)
{
    constexpr int kFixedBytes = 6;
    if (!HoldsPayload(frame, kFixedBytes))
        return std::nullopt;
    const auto byte = [&](int i) { return frame.payloadByte(i); };
    FirmwareVersionTexts texts;
    texts.version = QStringLiteral("%1.%2").arg(byte(1)).arg(byte(2));
    texts.date = QStringLiteral("%1/%2/%3").arg(byte(3)).arg(byte(4)).arg(2000 + byte(5));
    texts.copyright = QString::fromLatin1(frame.payload().mid(kFixedBytes, byte(6)));
    return texts;
}

std::optional<RFStatistics> DecodeRfStatistics(const Frame& frame)
{
    RFStatistics statistics{};
    if (!HoldsPayload(frame, static_cast<int>(statistics.size()) * 2))
        return std::nullopt;
    for (size_t i = 0; i < statistics.size(); ++i)
        statistics[i] = static_cast<quint16>(TwoByteValue(frame, static_cast<int>(2 * i + 1)));
    return statistics;
}
