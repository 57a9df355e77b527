#include "traffic/StatisticsController.h"

#include "config/ConfigSettings.h"
#include "link/LinkSession.h"
#include "platform/ProtocolTimer.h"
#include "protocol/Replies.h"
#include "traffic/RfDataFrame.h"
#include "traffic/TrafficCounters.h"

StatisticsController::StatisticsController(LinkSession& link, TrafficCounters& counters,
                                           const ConfigSettings& config,
                                           ProtocolTimer& throughputTimer, QObject* parent)
    : QObject(parent),
      m_link(link),
      m_counters(counters),
      m_config(config),
      tmrThroughput(throughputTimer)
{
    m_transceiverCaptions.fill(QStringLiteral("-"));
    connect(&tmrThroughput, &ProtocolTimer::timeout, this,
            &StatisticsController::tmrThroughput_Timer);
    connect(&m_link.transmit(), &TransmitPath::rfDataFrameWritten, this,
            &StatisticsController::CountPacketSent);
}

QStringList StatisticsController::RetryDistributionRows() const
{
    return ::RetryDistributionRows(m_counters, m_config.iRFRetries);
}

QString StatisticsController::PktSuccessWithAcksText() const
{
    return PercentText(m_counters.dPktSuccessWithAcks);
}

QString StatisticsController::OverallPktSuccessText() const
{
    return PercentText(m_counters.dOverallPktSuccess);
}

void StatisticsController::CountPacketSent()
{
    ++m_counters.lPacketsSent;
    emit packetSent();
}

// Response 129. A report too short to hold packet ID, status and retries is ignored.
void StatisticsController::ProcessSendRFDataMessageAck(const Frame& frame)
{
    const std::optional<DeliveryReport> report = DecodeDeliveryReport(frame);
    if (!report)
        return;
    ApplySendRfDataAck(m_counters, report->status, report->retries, m_config.iRFRetries);
    ComputeSuccessRates(m_counters);
    emit deliveryReported();
}

// Response 143. A reply too short to hold all eight counters leaves them as they were.
void StatisticsController::ProcessRespondWithRFStatistics(const Frame& frame)
{
    const std::optional<RFStatistics> statistics = DecodeRfStatistics(frame);
    if (!statistics)
        return;
    for (size_t i = 0; i < statistics->size(); ++i)
        m_transceiverCaptions[i] = QString::number((*statistics)[i]);
    emit transceiverStatisticsChanged();
}

void StatisticsController::ProcessClearStatisticsAck()
{
    m_transceiverCaptions.fill(QStringLiteral("-"));
    emit transceiverStatisticsChanged();
}

// Shows the host's totals and the rates as last computed, then asks the module.
void StatisticsController::cmdGetStatistics_Click()
{
    emit figuresRequested();
    m_link.SendMessageToTransceiver(BuildQueryRfStatisticsFrame(), false);
}

// The module's counters stay as shown until it acknowledges the clear.
void StatisticsController::cmdClearTestStats_Click()
{
    m_counters.clear();
    emit countersCleared();
    m_link.SendMessageToTransceiver(BuildClearStatisticsFrame(), false);
}

void StatisticsController::tmrThroughput_Timer()
{
    const ThroughputFigures figures = AdvanceThroughput(m_counters, tmrThroughput.interval());
    emit throughputTicked(figures.currentKbps, figures.averageKbps);
}
