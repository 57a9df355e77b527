#pragma once

#include <QByteArray>
#include <QtGlobal>

// The module's eight radio counters, in the order the RF Statistics answer carries
// them. Each wraps at 65536, as a 16-bit counter in the module does.
struct RfStatisticsCounters {
    quint16 totalPacketsSent = 0;
    quint16 uniquePacketsSent = 0;
    quint16 totalAcksSent = 0;
    quint16 uniqueAcksSent = 0;
    quint16 totalPacketsReceived = 0;
    quint16 uniquePacketsReceived = 0;
    quint16 totalAcksReceived = 0;
    quint16 uniqueAcksReceived = 0;

    // A message sent over the air after `retries` retries, acknowledged or not.
    void countSent(int retries, bool acknowledged);
    // A message for us from a peer, which the module acknowledged.
    void countReceivedForUs();
    // A message for another transceiver, heard but not acknowledged.
    void countReceivedForOthers();

    // Sixteen bytes, each counter low byte first.
    QByteArray payload() const;
};
