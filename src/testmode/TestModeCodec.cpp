#include "testmode/TestModeCodec.h"

namespace {

quint32 LowBitsMask(int width)
{
    return (1u << width) - 1u;
}

// A byte or a word, low byte first.
quint32 ReadPart(const QByteArray& block, const BlockBits& bits)
{
    quint32 value = 0;
    for (int i = 0; i < bits.bytes; ++i)
        value |= quint32(quint8(block[bits.offset + i])) << (8 * i);
    return value;
}

void OrIntoPart(QByteArray& block, const BlockBits& bits, quint32 value)
{
    for (int i = 0; i < bits.bytes; ++i) {
        const quint8 byte = quint8(block[bits.offset + i]) | quint8(value >> (8 * i));
        block[bits.offset + i] = char(byte);
    }
}

}  // namespace

QByteArray EncodeTestModeSettings(const TestModeSettings& settings)
{
    // 32-bit arithmetic: the Register E word uses all 16 bits, Standby being the top one.
    QByteArray block(TestModeBlock::kLength, '\0');
    for (const TestModeFieldSpec& field : TestModeFieldTable()) {
        const quint32 code = quint16(settings.*(field.member)) & LowBitsMask(field.bits.width);
        OrIntoPart(block, field.bits, code << field.bits.shift);
    }
    return block;
}

std::optional<TestModeSettings> DecodeTestModeSettings(const QByteArray& block13)
{
    if (block13.size() < TestModeBlock::kLength)
        return std::nullopt;
    TestModeSettings settings;
    for (const TestModeFieldSpec& field : TestModeFieldTable()) {
        const quint32 part = ReadPart(block13, field.bits) >> field.bits.shift;
        settings.*(field.member) = qint16(part & LowBitsMask(field.bits.width));
    }
    return settings;
}
