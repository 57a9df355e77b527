#include "traffic/LinkSeries.h"

QString SeriesColumnName(LinkSeries series)
{
    switch (series) {
    case LinkSeries::IntervalKbps:
        return QStringLiteral("throughput_kbps");
    case LinkSeries::AverageKbps:
        return QStringLiteral("average_throughput_kbps");
    case LinkSeries::SuccessRetriesIncluded:
        return QStringLiteral("success_retries_included_pct");
    case LinkSeries::SuccessRetriesNotIncluded:
        return QStringLiteral("success_retries_not_included_pct");
    case LinkSeries::FailedPerInterval:
        return QStringLiteral("failed_per_interval");
    case LinkSeries::ReceivedPerInterval:
        return QStringLiteral("received_per_interval");
    }
    return {};
}

int SeriesDecimals(LinkSeries series)
{
    switch (series) {
    case LinkSeries::IntervalKbps:
    case LinkSeries::AverageKbps:
        return 3;
    case LinkSeries::SuccessRetriesIncluded:
    case LinkSeries::SuccessRetriesNotIncluded:
        return 2;
    case LinkSeries::FailedPerInterval:
    case LinkSeries::ReceivedPerInterval:
        break;
    }
    return 0;
}
