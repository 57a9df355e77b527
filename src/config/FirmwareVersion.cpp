#include "config/FirmwareVersion.h"

namespace {

constexpr int kFixedBytes = 6;

int Byte(const QByteArray& payload, int index)
{
    return static_cast<quint8>(payload.at(index));
}

}  // namespace

std::optional<FirmwareVersionTexts> DecodeFirmwareVersion(const QByteArray& payload)
{
    if (payload.size() < kFixedBytes)
        return std::nullopt;
    FirmwareVersionTexts texts;
    texts.version = QStringLiteral("%1.%2").arg(Byte(payload, 0)).arg(Byte(payload, 1));
    texts.date = QStringLiteral("%1/%2/%3")
                     .arg(Byte(payload, 2))
                     .arg(Byte(payload, 3))
                     .arg(2000 + Byte(payload, 4));
    texts.copyright = QString::fromLatin1(payload.mid(kFixedBytes, Byte(payload, 5)));
    return texts;
}
