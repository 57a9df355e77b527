#include "RfStatisticsCounters.h"

void RfStatisticsCounters::countSent(int retries, bool acknowledged)
{
    totalPacketsSent = static_cast<quint16>(totalPacketsSent + 1 + retries);
    ++uniquePacketsSent;
    if (acknowledged) {
        ++totalAcksReceived;
        ++uniqueAcksReceived;
    }
}

void RfStatisticsCounters::countReceivedForUs()
{
    ++totalPacketsReceived;
    ++uniquePacketsReceived;
    ++totalAcksSent;
    ++uniqueAcksSent;
}

void RfStatisticsCounters::countReceivedForOthers()
{
    ++totalPacketsReceived;
}

QByteArray RfStatisticsCounters::payload() const
{
    QByteArray bytes;
    for (quint16 counter :
         {totalPacketsSent, uniquePacketsSent, totalAcksSent, uniqueAcksSent, totalPacketsReceived,
          uniquePacketsReceived, totalAcksReceived, uniqueAcksReceived}) {
        bytes.append(static_cast<char>(counter & 0xFF));
        bytes.append(static_cast<char>(counter >> 8));
    }
    return bytes;
}
