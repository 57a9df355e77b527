#include "traffic/TrafficCounters.h"

namespace {

// A non-negative number is written after a blank that stands where its sign would be.
QString SignedNumberText(qint64 n)
{
    const QString digits = QString::number(n);
    return n < 0 ? digits : QLatin1Char(' ') + digits;
}

QString KbpsText(double kbps)
{
    return QString::number(kbps, 'f', 1) + QLatin1String(" kbps");
}

int ShownRetryRows(int iRFRetries)
{
    return qBound(0, iRFRetries, TrafficCounters::kRetrySlots - 1);
}

}  // namespace

void TrafficCounters::clear()
{
    *this = TrafficCounters{};
}

void ApplySendRfDataAck(TrafficCounters& counters, int status, int retries, int iRFRetries)
{
    if (status != 1) {
        ++counters.lPacketsFailed;
        counters.lTotalTransmissions += iRFRetries + 1;
        return;
    }
    ++counters.lAcksReceived;
    if (retries >= 0 && retries < TrafficCounters::kRetrySlots) {
        ++counters.lRetryDistribution[static_cast<size_t>(retries)];
        counters.lTotalTransmissions += retries + 1;
    }
}

void CountDataBytesHandedOut(TrafficCounters& counters, int byteCount)
{
    counters.lIntervalBytes += byteCount;
    counters.lTotalBytesSent += byteCount;
}

void ComputeSuccessRates(TrafficCounters& counters)
{
    counters.dPktSuccessWithAcks = 0.0;
    counters.dOverallPktSuccess = 0.0;
    if (counters.lPacketsSent == 0)
        return;
    const double acks = counters.lAcksReceived;
    counters.dPktSuccessWithAcks = acks / counters.lPacketsSent * 100.0;
    if (counters.lTotalTransmissions != 0)
        counters.dOverallPktSuccess = acks / counters.lTotalTransmissions * 100.0;
}

QStringList RetryDistributionRows(const TrafficCounters& counters, int iRFRetries)
{
    QStringList rows;
    rows << QLatin1String(" 0 retries    ") + SignedNumberText(counters.lRetryDistribution[0]);
    for (int i = 1; i <= ShownRetryRows(iRFRetries); ++i) {
        rows << SignedNumberText(i) + QLatin1String(" retries    ")
                    + SignedNumberText(counters.lRetryDistribution[static_cast<size_t>(i)]);
    }
    rows << QLatin1String(" Failed        ") + SignedNumberText(counters.lPacketsFailed);
    return rows;
}

QString PercentText(double percent)
{
    return QString::asprintf("%05.2f%%", percent);
}

ThroughputFigures AdvanceThroughput(TrafficCounters& counters, int intervalMs)
{
    ++counters.lThroughputTicks;
    const double seconds = intervalMs / 1000.0;
    ThroughputFigures figures;
    figures.currentKbps = counters.lIntervalBytes * 8.0 / seconds / 1000.0;
    counters.lIntervalBytes = 0;
    figures.averageKbps =
        counters.lTotalBytesSent * 8.0 / (counters.lThroughputTicks * seconds) / 1000.0;
    return figures;
}

QString ThroughputText(const ThroughputFigures& figures)
{
    return KbpsText(figures.currentKbps) + QLatin1String("   (") + KbpsText(figures.averageKbps)
           + QLatin1Char(')');
}

QString ThroughputTick(TrafficCounters& counters, int intervalMs)
{
    return ThroughputText(AdvanceThroughput(counters, intervalMs));
}
