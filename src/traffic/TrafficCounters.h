#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The host's own delivery figures for RF data messages. They start at 0, are never
// persisted and return to 0 only through clear(). 64-bit: a repetition left running for
// months must not wrap them into negative rates and throughput.
struct TrafficCounters {
    static constexpr int kRetrySlots = 21;  // acknowledged after 0 .. 20 retries

    qint64 lPacketsSent = 0;
    qint64 lPacketsReceived = 0;
    qint64 lAcksReceived = 0;
    qint64 lPacketsFailed = 0;
    std::array<qint64, kRetrySlots> lRetryDistribution{};
    qint64 lTotalTransmissions = 0;
    double dPktSuccessWithAcks = 0.0;
    double dOverallPktSuccess = 0.0;
    qint64 lIntervalBytes = 0;
    qint64 lTotalBytesSent = 0;
    qint64 lThroughputTicks = 0;

    void clear();
};

// The module's delivery report for one RF data message (status 1 = acknowledged).
// An acknowledgement reporting more than 20 retries counts in lAcksReceived only; a
// failure implies the first transmission plus every configured retry.
void ApplySendRfDataAck(TrafficCounters& counters, int status, int retries, int iRFRetries);

// Data bytes handed out for sending, counted whether or not the frame is written.
void CountDataBytesHandedOut(TrafficCounters& counters, int byteCount);

// dPktSuccessWithAcks over lPacketsSent, dOverallPktSuccess over lTotalTransmissions;
// a percentage whose divisor is 0 is 0.
void ComputeSuccessRates(TrafficCounters& counters);

// The rows of the on-screen retry list: 0 .. iRFRetries retries, then the failures.
// Every number carries one leading blank, where a sign would stand.
QStringList RetryDistributionRows(const TrafficCounters& counters, int iRFRetries);

// At least two integer digits and exactly two decimals, then "%": 5.5 -> "05.50%".
QString PercentText(double percent);

// What one tick of the throughput timer measured: the interval's rate and the average
// over every tick since the last clear.
struct ThroughputFigures {
    double currentKbps = 0.0;
    double averageKbps = 0.0;
};

// One tick of the throughput timer: advances lThroughputTicks and clears lIntervalBytes.
ThroughputFigures AdvanceThroughput(TrafficCounters& counters, int intervalMs);

// The label text "current kbps   (average kbps)", one decimal each.
QString ThroughputText(const ThroughputFigures& figures);

// AdvanceThroughput, then its label text.
QString ThroughputTick(TrafficCounters& counters, int intervalMs);
