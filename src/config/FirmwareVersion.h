#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The module's answer to Query Firmware Version, as the three texts the window shows.
struct FirmwareVersionTexts {
    QString version;    // "1.3"
    QString date;       // "7/15/2004"
    QString copyright;  // Latin-1, one character per byte
};

// payload: the bytes between the type and the checksum of a Received Firmware Version
// frame: major, minor, two date numbers, year - 2000, N, then N copyright characters.
// A copyright shorter than N shows the characters present. A payload without the six
// fixed bytes decodes to nothing, so the shown texts stay as they were.
std::optional<FirmwareVersionTexts> DecodeFirmwareVersion(const QByteArray& payload);
