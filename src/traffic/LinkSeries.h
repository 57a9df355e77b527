#pragma once

#include <QString>

#include <array>
#include <cmath>
#include <limits>

// The figures the link charts follow over time, one value of each per interval.
enum class LinkSeries {
    IntervalKbps,            // the throughput tick's interval rate
    AverageKbps,             // the throughput tick's average since the last clear
    SuccessRetriesIncluded,  // acknowledged / reported in the interval, in %
    SuccessRetriesNotIncluded,  // acknowledged / radio transmissions in the interval, in %
    FailedPerInterval,       // delivery reports that were not acknowledged
    ReceivedPerInterval,     // RF data messages received (response 148)
};
constexpr int kLinkSeriesCount = 6;

constexpr int SeriesIndex(LinkSeries series)
{
    return static_cast<int>(series);
}

// The end of one interval. A figure the interval did not measure is NaN: throughput
// outside a repetition, success rates in an interval without delivery reports.
struct LinkSample {
    double timeS = 0.0;  // since the history's first point
    std::array<double, kLinkSeriesCount> values{};

    double value(LinkSeries series) const { return values[static_cast<size_t>(series)]; }
    bool has(LinkSeries series) const { return !std::isnan(value(series)); }
};

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// Column name of the series in exported text ("throughput_kbps", ...).
QString SeriesColumnName(LinkSeries series);

// Decimals written for the series: rates with fractions, counts as whole numbers.
int SeriesDecimals(LinkSeries series);
