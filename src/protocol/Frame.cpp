#include "protocol/Frame.h"

quint8 FrameChecksum(const QByteArray& bytesBeforeChecksum)
{
    unsigned sum = 0;
    for (char c : bytesBeforeChecksum)
        sum += static_cast<quint8>(c);
    return static_cast<quint8>(sum & 0xFFu);
}

Frame::Frame(QByteArray bytes) : m_bytes(std::move(bytes))
{
    const int n = length();
    m_checksumOk = n >= 3 && FrameChecksum(m_bytes.left(n - 2)) == static_cast<quint8>(m_bytes.at(n - 2));
}

int Frame::byteAt(int k) const
{
    return k >= 1 && k <= length() ? static_cast<quint8>(m_bytes.at(k - 1)) : 0;
}

QByteArray Frame::payload() const
{
    return m_bytes.mid(FrameLayout::kHeaderLength, length() - FrameLayout::kOverhead);
}

QByteArray BuildFrame(quint8 code, const QByteArray& payload)
{
    QByteArray frame;
    frame.reserve(payload.size() + FrameLayout::kOverhead);
    frame.append(static_cast<char>(FrameLayout::kStartByte));
    frame.append(static_cast<char>(payload.size() + FrameLayout::kOverhead));
    frame.append(static_cast<char>(code));
    frame.append(payload);
    frame.append(static_cast<char>(FrameChecksum(frame)));
    frame.append(static_cast<char>(FrameLayout::kEndByte));
    return frame;
}

void AppendHexByte(QString& text, quint8 byte)
{
    static const char digits[] = "0123456789ABCDEF";
    text.append(QLatin1Char(digits[byte >> 4]));
    text.append(QLatin1Char(digits[byte & 0x0F]));
    text.append(QLatin1Char(' '));
}

QString HexText(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size() * 3);
    for (char c : bytes)
        AppendHexByte(text, static_cast<quint8>(c));
    return text;
}

QByteArray BytesFromHexText(const QString& text, bool* ok)
{
    QString digits = text;
    digits.remove(QLatin1Char(' '));
    const QByteArray bytes = QByteArray::fromHex(digits.toLatin1());
    const bool valid = digits.size() % 2 == 0 && bytes.size() * 2 == digits.size()
                       && QString::fromLatin1(bytes.toHex()).compare(digits, Qt::CaseInsensitive) == 0;
    if (ok)
        *ok = valid;
    return valid ? bytes : QByteArray();
}
