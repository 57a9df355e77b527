#include "traffic/RfDataFrame.h"

#include "protocol/Frame.h"
#include "protocol/MessageCatalogue.h"

#include <algorithm>

namespace {

// Value of a hex digit, or -1 for any other character.
int HexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

bool IsHexDigit(QChar c)
{
    return HexDigitValue(c) >= 0;
}

// r uniform in [0, 1), as the message lengths and byte values are defined from it.
double UniformUnit(std::mt19937& generator)
{
    return std::uniform_real_distribution<double>(0.0, 1.0)(generator);
}


}  // namespace

QByteArray BuildRfDataFrame(const QByteArray& data, int packetId, qint32 destinationId)
{
    QByteArray payload;
    payload.append(static_cast<char>(packetId & 0xFF));
    payload.append(static_cast<char>(destinationId & 0xFF));
    payload.append(static_cast<char>((destinationId >> 8) & 0xFF));
    payload.append(data.left(kMaxRfDataBytes));
    return BuildFrame(MessageCode::SendRfData, payload);
}

QByteArray HexTextToBytes(const QString& text)
{
    const QString digits = text.left(kMaxHexDataDigits);
    QByteArray bytes;
    bytes.reserve(digits.size() / 2);
    for (int i = 0; i + 1 < digits.size(); i += 2) {
        const int high = HexDigitValue(digits.at(i));
        const int low = HexDigitValue(digits.at(i + 1));
        if (high < 0 || low < 0)
            return {};
        bytes.append(static_cast<char>(high * 16 + low));
    }
    return bytes;
}

bool IsHexText(const QString& text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), IsHexDigit);
}

QString RemoveNonHexDigits(const QString& text)
{
    QString digits;
    digits.reserve(text.size());
    for (QChar c : text) {
        if (IsHexDigit(c))
            digits.append(c);
    }
    return digits;
}

QString PadOddHexText(const QString& text)
{
    return text.size() % 2 == 0 ? text : text + QLatin1Char('0');
}

QByteArray AsciiTextToBytes(const QString& text)
{
    return text.left(kMaxRfDataBytes).toLatin1();
}


QString ReceivedRfDataText(const QByteArray& dataBytes, bool hex)
{
    if (hex)
        return QString::fromLatin1(dataBytes.toHex().toUpper());
    return QString::fromLatin1(dataBytes);
}

int NextPacketId(int id)
{
    return id + 1 > kMaxPacketId ? 0 : id + 1;
}

QByteArray RandomMessage(std::mt19937& generator)
{
    const int length = static_cast<int>(UniformUnit(generator) * kMaxRfDataBytes + 1);
    QByteArray bytes;
    bytes.reserve(length);
    for (int i = 0; i < length; ++i)
        bytes.append(static_cast<char>(static_cast<int>(UniformUnit(generator) * 256)));
    return bytes;
}

QString RandomMessageNote(int length)
{
    return QStringLiteral("Random message of length: %1").arg(length);
}

QByteArray BuildQueryRfStatisticsFrame()
{
    return BuildFrame(MessageCode::QueryRfStatistics);
}

QByteArray BuildClearStatisticsFrame()
{
    return BuildFrame(MessageCode::ClearStatistics);
}
