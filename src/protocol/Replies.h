#pragma once

#include "protocol/Frame.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

// What each reply of the module carries, decoded from its frame. A frame too short to
// hold what its type carries decodes to nothing, so no byte beyond it is ever read.

// IDs (131): three two-byte IDs, low byte first.
struct ModuleIds {
    qint32 transceiverId = 0;
    qint32 networkId = 0;
    qint32 systemId = 0;
};
std::optional<ModuleIds> DecodeIds(const Frame& frame);

// IDs and Settings Status (132): 0 means the module lacks that part of its configuration.
struct SettingsStatus {
    bool hasIds = true;
    bool hasSettings = true;
};
std::optional<SettingsStatus> DecodeSettingsStatus(const Frame& frame);

// The seven programmable settings, one byte each, in their order on the wire, as Set
// Programmable Settings sends them and Programmable Settings (137) reports them. The
// defaults are the module's factory settings.
struct ProgrammableSettingsRecord {
    quint8 hopTable = 0;         // 0 .. 15
    quint8 acknowledgements = 1; // 1 on, 0 off
    quint8 rfRetries = 3;        // 0 .. 20
    quint8 paLevel = 0;          // attenuator step 0 .. 2
    quint8 rfMode = 1;           // 1 hopping, 0 single channel
    quint8 singleChannel = 25;   // 0 .. 49
    quint8 receiveAll = 0;       // 1 pass every RF message heard to the host
};
std::optional<ProgrammableSettingsRecord> DecodeProgrammableSettings(const Frame& frame);

// Send RF Data Ack (129): the module's delivery report for one RF data message.
struct DeliveryReport {
    int packetId = 0;
    int status = 0;  // 1: delivered
    int retries = 0;
};
std::optional<DeliveryReport> DecodeDeliveryReport(const Frame& frame);

// Received RF Data (148): the data bytes are frame positions 9 .. LEN-2; a frame too
// short for any carries none.
QByteArray ReceivedRfDataBytes(const Frame& frame);

// Firmware Version (149), as the three texts the window shows.
struct FirmwareVersionTexts {
    QString version;    // "1.3"
    QString date;       // "7/15/2004"
    QString copyright;  // Latin-1, one character per byte
};
// Major, minor, two date numbers, year - 2000, N, then N copyright characters. A copyright
// shorter than N shows the characters present.
std::optional<FirmwareVersionTexts> DecodeFirmwareVersion(const Frame& frame);

// RF Statistics (143): total/unique packets sent, total/unique acks sent, total/unique
// packets received, total/unique acks received; each two bytes, low byte first.
using RFStatistics = std::array<quint16, 8>;
std::optional<RFStatistics> DecodeRfStatistics(const Frame& frame);
