#include "cli/TestFigures.h"

#include "cli/CliModule.h"
#include "traffic/StatisticsController.h"

#include <QJsonArray>

#include <algorithm>

TestFigures TakeFigures(CliModule& module, double throughputKbps, double elapsedSeconds)
{
    const TrafficCounters& counters = module.counters();
    TestFigures figures;
    figures.sent = counters.lPacketsSent;
    figures.received = counters.lPacketsReceived;
    figures.acknowledged = counters.lAcksReceived;
    figures.failed = counters.lPacketsFailed;
    figures.totalTransmissions = counters.lTotalTransmissions;
    // The rows the page lists: 0 .. the configured retries.
    const int retries = std::clamp<int>(module.config().iRFRetries, 0, TrafficCounters::kRetrySlots - 1);
    for (int i = 0; i <= retries; ++i)
        figures.retryRows << counters.lRetryDistribution[size_t(i)];
    figures.successWithRetries = counters.dPktSuccessWithAcks;
    figures.overallSuccess = counters.dOverallPktSuccess;
    figures.successWithRetriesText = module.statistics().PktSuccessWithAcksText();
    figures.overallSuccessText = module.statistics().OverallPktSuccessText();
    figures.throughputKbps = throughputKbps;
    figures.elapsedSeconds = elapsedSeconds;
    return figures;
}

QJsonObject FiguresJson(const TestFigures& figures)
{
    QJsonArray rows;
    for (qint64 row : figures.retryRows)
        rows.append(row);
    return {{"packets_sent", figures.sent},
            {"packets_received", figures.received},
            {"acks_received", figures.acknowledged},
            {"packets_failed", figures.failed},
            {"total_transmissions", figures.totalTransmissions},
            {"retry_distribution", rows},
            {"success_rate_with_retries", figures.successWithRetries},
            {"success_rate_overall", figures.overallSuccess},
            {"success_rate_with_retries_text", figures.successWithRetriesText},
            {"success_rate_overall_text", figures.overallSuccessText},
            {"throughput_kbps", figures.throughputKbps},
            {"elapsed_s", figures.elapsedSeconds}};
}

QStringList FiguresText(const TestFigures& figures)
{
    QStringList lines{
        QStringLiteral("Packets sent: %1").arg(figures.sent),
        QStringLiteral("Packets received: %1").arg(figures.received),
        QStringLiteral("Acks received: %1").arg(figures.acknowledged),
        QStringLiteral("Packets failed: %1").arg(figures.failed),
    };
    for (int i = 0; i < figures.retryRows.size(); ++i)
        lines << QStringLiteral("Acknowledged after %1 retries: %2").arg(i).arg(figures.retryRows.at(i));
    lines << QStringLiteral("Pkt Success Rate (Retries Included): ") + figures.successWithRetriesText
          << QStringLiteral("Pkt Success Rate (Retries Not Included): ") + figures.overallSuccessText
          << QStringLiteral("Throughput: %1 kbps").arg(figures.throughputKbps, 0, 'f', 1)
          << QStringLiteral("Elapsed: %1 s").arg(figures.elapsedSeconds, 0, 'f', 1);
    return lines;
}
