#pragma once

#include <QByteArray>
#include <QString>

// The one frame layout used in both directions:
// 01, LEN, type, payload (LEN - 5 bytes), CHK, 04. Nothing is escaped; frame
// boundaries are found only through LEN.
namespace FrameLayout {
constexpr quint8 kStartByte = 0x01;
constexpr quint8 kEndByte = 0x04;
constexpr int kHeaderLength = 3;   // start, LEN, type
constexpr int kOverhead = 5;       // header + CHK + end
constexpr int kMinLength = 5;      // receiver limits on LEN
constexpr int kMaxLength = 46;
constexpr int kMinResponseType = 129;  // receiver limits on the type byte
constexpr int kMaxResponseType = 175;
constexpr int kMaxPayload = kMaxLength - kOverhead;
}  // namespace FrameLayout

// A complete frame as it came from the module (start byte to end byte), handed to the
// handler of its type. Immutable: a handler reads its own frame, whatever arrives later.
class Frame {
public:
    Frame() = default;
    explicit Frame(QByteArray bytes);

    const QByteArray& bytes() const { return m_bytes; }
    int length() const { return static_cast<int>(m_bytes.size()); }
    int type() const { return byteAt(3); }
    // Frame byte k (1-based), 0 beyond the frame.
    int byteAt(int k) const;
    // Payload byte i (1-based: the first byte after the type), counted within the frame.
    int payloadByte(int i) const { return i >= 1 ? byteAt(3 + i) : 0; }
    // The bytes between the type and the checksum.
    QByteArray payload() const;
    // CHK equals the sum of bytes 1 .. LEN-2 modulo 256.
    bool checksumOk() const { return m_checksumOk; }

private:
    QByteArray m_bytes;
    bool m_checksumOk = false;
};

// Sum of the bytes modulo 256: the CHK of a frame whose bytes 1 .. LEN-2 are given.
quint8 FrameChecksum(const QByteArray& bytesBeforeChecksum);

// Complete frame from a message code and its payload: start, LEN, code, payload, CHK, end.
QByteArray BuildFrame(quint8 code, const QByteArray& payload = {});

// Two upper-case hex digits per byte, each followed by one blank ("01 05 15 1B 04 ").
QString HexText(const QByteArray& bytes);

// Appends the hex text of one byte ("1B ") to text.
void AppendHexByte(QString& text, quint8 byte);

// Reads hex text written by HexText (blanks optional); nullopt-like empty result and ok=false
// when a pair is not hexadecimal.
QByteArray BytesFromHexText(const QString& text, bool* ok = nullptr);
