#pragma once

#include "RfStatisticsCounters.h"
#include "SimOptions.h"
#include "protocol/FrameAssembler.h"

#include <QByteArray>
#include <QList>

class SimRandom;

// A frame the module sends to the host.
struct ModuleFrame {
    QByteArray bytes;
    int delayMs = 0;     // how long after the moment it was made it goes out
    int rate = 0;        // the module's own rate while it goes out
    bool answer = true;  // false for frames the module sends on its own
};

// A frame from the host, or a 0x00 byte outside a frame, as the module heard it.
struct HeardFromHost {
    QByteArray bytes;
    int hostRate = 0;
    bool ignored = false;  // wrong rate, bad checksum, asleep, unknown or malformed
};

struct ModuleReaction {
    QList<HeardFromHost> heard;
    QList<ModuleFrame> frames;
};

// The module's behaviour, without any device: bytes from the host go in, the frames
// it answers with come out. Time and the host's rate are given by the caller.
class SimulatedModule {
public:
    static constexpr int kInterByteGapMs = 100;  // a partial frame older than this is dropped
    static constexpr quint8 kMaxPowerAmplifierLevel = 100;

    SimulatedModule(const SimOptions& options, SimRandom& random);

    // Bytes the host wrote while its port ran at hostRate.
    ModuleReaction receive(const QByteArray& bytes, int hostRate, qint64 nowMs);

    // Unsolicited frames. Each counts in the radio statistics.
    ModuleFrame receivedRfData(quint8 packetId, const QByteArray& data);
    ModuleFrame rfDataForAnotherTransceiver(quint8 packetId, const QByteArray& data);
    ModuleFrame nextPeerMessage();  // counting packet ID, 1..36 random data bytes
    ModuleFrame statusReport(quint8 idsStatus, quint8 settingsStatus);

    int rate() const { return m_rate; }
    bool asleep() const { return m_asleep; }
    bool testMode() const { return m_testMode; }
    const RfStatisticsCounters& statistics() const { return m_statistics; }

    static constexpr int kSettingsLength = 7;
    static constexpr int kTestModeBlockLength = 13;
    static constexpr quint8 kDefaultSettings[kSettingsLength] = {0, 1, 3, 0, 1, 25, 0};
    static constexpr quint8 kDefaultTestModeBlock[kTestModeBlockLength] = {
        0x22, 0x18, 0x5C, 0x01, 0x32, 0x0D, 0x45, 0x34, 0x45, 0x00, 0x30, 0x04, 0x00};

private:
    void receiveByte(quint8 byte, int hostRate, ModuleReaction& reaction);
    void handleFrame(int hostRate, ModuleReaction& reaction);
    // Acts on a command whose checksum is right; false when it is unknown or malformed.
    bool obey(int code, const QByteArray& payload, ModuleReaction& reaction);

    bool sendRfData(const QByteArray& payload, ModuleReaction& reaction);
    QByteArray answerPayload(int code) const;
    void apply(int code, const QByteArray& payload);
    QByteArray idsPayload() const;
    QByteArray firmwarePayload() const;

    ModuleFrame answer(int command, const QByteArray& payload, int delayMs = 0) const;
    ModuleFrame unsolicited(int code, const QByteArray& payload) const;

    SimRandom& m_random;
    int m_rate;
    quint16 m_ids[3];
    SimFirmware m_firmware;
    double m_nackProbability;
    int m_maxRetries;
    quint8 m_idsStatus = 1;
    quint8 m_settingsStatus = 1;
    QByteArray m_settings;
    QByteArray m_testModeBlock;
    bool m_testMode = false;
    bool m_asleep = false;
    quint8 m_peerPacketId = 0;
    RfStatisticsCounters m_statistics;

    FrameAssembler m_rx{0, 127};
    bool m_frameAtWrongRate = false;
    qint64 m_lastByteMs = 0;
};
