#pragma once

#include <QByteArray>
#include <QString>

#include <random>

// Frames and texts of the traffic tester: the Send RF Data Message frame, the
// conversions between the data box and data bytes, packet IDs, random messages and
// the two fixed statistics commands.

constexpr int kMaxRfDataBytes = 36;
constexpr int kMaxHexDataDigits = 2 * kMaxRfDataBytes;
constexpr int kMaxPacketId = 255;

// 01, LEN, 01, packet ID, destination low byte, destination high byte, data, CHK, 04.
// The module carries 1 .. 36 data bytes; bytes beyond the 36th are not sent.
QByteArray BuildRfDataFrame(const QByteArray& data, int packetId, qint32 destinationId);

// Pairs of hex digits, the first digit of each pair the high nibble; at most 72 digits
// are converted and an unpaired last digit is ignored. Empty when the converted part
// holds a character that is not a hex digit.
QByteArray HexTextToBytes(const QString& text);

// True when the text is not empty and holds only hex digits (either case).
bool IsHexText(const QString& text);

// The data box filter in HEX mode: every other character is dropped, order kept.
QString RemoveNonHexDigits(const QString& text);

// An odd count of hex digits gets a trailing 0, so the last digit is a high nibble.
QString PadOddHexText(const QString& text);

// The Latin-1 code of each character (at most 36); characters outside Latin-1 become '?'.
QByteArray AsciiTextToBytes(const QString& text);

// How received data is shown: two upper-case hex digits per byte without separators,
// or the Latin-1 characters with those codes.
QString ReceivedRfDataText(const QByteArray& dataBytes, bool hex);

// The packet ID after id: +1, and 0 after 255.
int NextPacketId(int id);

// 1 .. 36 bytes of 0 .. 255, each drawn from generator.
QByteArray RandomMessage(std::mt19937& generator);

// "Random message of length: 17", what the data box shows instead of random data.
QString RandomMessageNote(int length);

QByteArray BuildQueryRfStatisticsFrame();
QByteArray BuildClearStatisticsFrame();
