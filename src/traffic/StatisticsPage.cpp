#include "traffic/StatisticsPage.h"

#include "config/ConfigSettings.h"
#include "link/LinkSession.h"
#include "protocol/Replies.h"
#include "traffic/RfDataFrame.h"
#include "ui/widgets/ValueLabel.h"
#include "traffic/TrafficCounters.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include "platform/ProtocolTimer.h"

#include <QTimer>


namespace {

constexpr int kRowHeight = 18;
constexpr int kColumnWidth = 102;
constexpr int kFirstColumn = 66;

int ColumnLeft(int column)
{
    return kFirstColumn + column * kColumnWidth;
}

// Column captions across the top of a grid, row captions down its left side.
void AddGridCaptions(QWidget* frame, const QStringList& columns, const QStringList& rows)
{
    for (int c = 0; c < columns.size(); ++c)
        AddLabel(frame, "", columns[c], QRect(ColumnLeft(c), 22, kColumnWidth, kRowHeight),
              Qt::AlignCenter);
    for (int r = 0; r < rows.size(); ++r)
        AddLabel(frame, "", rows[r], QRect(10, 42 + r * 20, 54, kRowHeight));
}

QRect GridCell(int row, int column)
{
    return QRect(ColumnLeft(column) + 4, 42 + row * 20, kColumnWidth - 8, kRowHeight);
}

}  // namespace

StatisticsPage::StatisticsPage(LinkSession& link, TrafficCounters& counters,
                               const ConfigSettings& config, ProtocolTimer& throughputTimer,
                               QWidget* parent)
    : QWidget(parent),
      m_link(link),
      m_counters(counters),
      m_config(config),
      tmrThroughput(throughputTimer)
{
    setObjectName(QStringLiteral("StatisticsPage"));
    buildTransceiverFrame();
    buildEvaluationFrame();
    cmdClearTestStats = AddButton(this, "cmdClearTestStats", QStringLiteral("Clear All Statistics"),
                               QRect(173, 344, 150, 26));

    connect(cmdGetStatistics, &QPushButton::clicked, this, &StatisticsPage::cmdGetStatistics_Click);
    connect(cmdClearTestStats, &QPushButton::clicked, this,
            &StatisticsPage::cmdClearTestStats_Click);
    connect(&tmrThroughput, &ProtocolTimer::timeout, this, &StatisticsPage::tmrThroughput_Timer);
    connect(&m_link.transmit(), &TransmitPath::rfDataFrameWritten, this,
            &StatisticsPage::CountPacketSent);
}

// The module's counters: rows Total and Unique, four columns.
void StatisticsPage::buildTransceiverFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Transceiver"), this);
    frame->setObjectName(QStringLiteral("frameTransceiverStatistics"));
    frame->setGeometry(8, 4, 481, 120);
    AddGridCaptions(frame, {"Packets Sent", "Acks Sent", "Packets Received", "Acks Received"},
                    {"Total", "Unique"});
    static const char* const kNames[8] = {
        "lblTotalPacketsSent",     "lblUniquePacketsSent",     "lblTotalAcksSent",
        "lblUniqueAcksSent",       "lblTotalPacketsReceived",  "lblUniquePacketsReceived",
        "lblTotalAcksReceived",    "lblUniqueAcksReceived",
    };
    // The module reports them column by column: total, then unique.
    for (int i = 0; i < 8; ++i)
        m_transceiverLabels[static_cast<size_t>(i)] =
            AddValueLabel(frame, kNames[i], GridCell(i % 2, i / 2));
    cmdGetStatistics = AddButton(frame, "cmdGetStatistics", QStringLiteral("Get Statistics"),
                              QRect(344, 86, 128, 26));
}

void StatisticsPage::buildEvaluationFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Evaluation Program"), this);
    frame->setObjectName(QStringLiteral("frameEvaluationStatistics"));
    frame->setGeometry(8, 130, 481, 206);
    AddGridCaptions(frame, {"Packets Sent", "Packets Received", "Acks Received"}, {"Total"});
    lblTestPktsSent = AddValueLabel(frame, "lblTestPktsSent", GridCell(0, 0));
    lblTestPktsRcvd = AddValueLabel(frame, "lblTestPktsRcvd", GridCell(0, 1));
    lblTestAcksRcvd = AddValueLabel(frame, "lblTestAcksRcvd", GridCell(0, 2));

    AddLabel(frame, "", QStringLiteral("Throughput"), QRect(10, 70, 240, kRowHeight));
    lblThroughput = AddValueLabel(frame, "lblThroughput", QRect(10, 88, 240, kRowHeight));
    AddLabel(frame, "", QStringLiteral("Pkt Success Rate (Retries Included)"),
          QRect(10, 112, 245, kRowHeight));
    lblPktSuccessWithAcks =
        AddValueLabel(frame, "lblPktSuccessWithAcks", QRect(10, 130, 240, kRowHeight));
    AddLabel(frame, "", QStringLiteral("Pkt Success Rate (Retries Not Included)"),
          QRect(10, 154, 245, kRowHeight));
    lblOverallPktSuccess =
        AddValueLabel(frame, "lblOverallPktSuccess", QRect(10, 172, 240, kRowHeight));

    AddLabel(frame, "", QStringLiteral("Retry Distribution"), QRect(262, 70, 208, kRowHeight));
    lstRetryDistribution = new QListWidget(frame);
    lstRetryDistribution->setObjectName(QStringLiteral("lstRetryDistribution"));
    lstRetryDistribution->setGeometry(262, 88, 208, 108);
}

TransceiverCaptions StatisticsPage::transceiverCaptions() const
{
    TransceiverCaptions captions;
    for (size_t i = 0; i < captions.size(); ++i)
        captions[i] = m_transceiverLabels[i]->text();
    return captions;
}

void StatisticsPage::CountPacketSent()
{
    ++m_counters.lPacketsSent;
    lblTestPktsSent->setText(QString::number(m_counters.lPacketsSent));
}

void StatisticsPage::ShowPacketsReceived()
{
    lblTestPktsRcvd->setText(QString::number(m_counters.lPacketsReceived));
}

// Response 129. A report too short to hold packet ID, status and retries is ignored.
void StatisticsPage::ProcessSendRFDataMessageAck(const Frame& frame)
{
    const std::optional<DeliveryReport> report = DecodeDeliveryReport(frame);
    if (!report)
        return;
    ApplySendRfDataAck(m_counters, report->status, report->retries, m_config.iRFRetries);
    ShowRetryDistribution();
    lblTestAcksRcvd->setText(QString::number(m_counters.lAcksReceived));
    ComputeSuccessRates(m_counters);
    ShowSuccessRates();
    emit deliveryReported();
}

// Response 143. A reply too short to hold all eight counters leaves the labels alone.
void StatisticsPage::ProcessRespondWithRFStatistics(const Frame& frame)
{
    const std::optional<RFStatistics> statistics = DecodeRfStatistics(frame);
    if (!statistics)
        return;
    for (size_t i = 0; i < statistics->size(); ++i)
        m_transceiverLabels[i]->setText(QString::number((*statistics)[i]));
}

void StatisticsPage::ProcessClearStatisticsAck()
{
    for (QLabel* label : m_transceiverLabels)
        label->setText(QStringLiteral("-"));
}

// Shows the host's totals and the rates as last computed, then asks the module.
void StatisticsPage::cmdGetStatistics_Click()
{
    lblTestPktsSent->setText(QString::number(m_counters.lPacketsSent));
    lblTestPktsRcvd->setText(QString::number(m_counters.lPacketsReceived));
    lblTestAcksRcvd->setText(QString::number(m_counters.lAcksReceived));
    ShowSuccessRates();
    m_link.SendMessageToTransceiver(BuildQueryRfStatisticsFrame(), false);
}

void StatisticsPage::cmdClearTestStats_Click()
{
    for (QLabel* label : {lblTestPktsSent, lblTestPktsRcvd, lblTestAcksRcvd,
                          lblPktSuccessWithAcks, lblOverallPktSuccess})
        label->setText(QStringLiteral("-"));
    m_counters.clear();
    emit countersCleared();
    lblThroughput->setText(QStringLiteral("-"));
    ShowRetryDistribution();
    m_link.SendMessageToTransceiver(BuildClearStatisticsFrame(), false);
}

void StatisticsPage::tmrThroughput_Timer()
{
    const ThroughputFigures figures = AdvanceThroughput(m_counters, tmrThroughput.interval());
    lblThroughput->setText(ThroughputText(figures));
    emit throughputTicked(figures.currentKbps, figures.averageKbps);
}

void StatisticsPage::ShowRetryDistribution()
{
    lstRetryDistribution->clear();
    lstRetryDistribution->addItems(RetryDistributionRows(m_counters, m_config.iRFRetries));
}

void StatisticsPage::ShowSuccessRates()
{
    lblPktSuccessWithAcks->setText(PercentText(m_counters.dPktSuccessWithAcks));
    lblOverallPktSuccess->setText(PercentText(m_counters.dOverallPktSuccess));
}
