#include "ui/pages/StatisticsPage.h"

#include "traffic/StatisticsController.h"
#include "traffic/TrafficCounters.h"
#include "ui/widgets/ValueLabel.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

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

StatisticsPage::StatisticsPage(StatisticsController& controller, QWidget* parent)
    : QWidget(parent), m_controller(controller)
{
    setObjectName(QStringLiteral("StatisticsPage"));
    buildTransceiverFrame();
    buildEvaluationFrame();
    cmdClearTestStats = AddButton(this, "cmdClearTestStats", QStringLiteral("Clear All Statistics"),
                               QRect(173, 344, 150, 26));

    connect(cmdGetStatistics, &QPushButton::clicked, &m_controller,
            &StatisticsController::cmdGetStatistics_Click);
    connect(cmdClearTestStats, &QPushButton::clicked, &m_controller,
            &StatisticsController::cmdClearTestStats_Click);
    connect(&m_controller, &StatisticsController::packetSent, this, [this] {
        lblTestPktsSent->setText(QString::number(m_controller.counters().lPacketsSent));
    });
    connect(&m_controller, &StatisticsController::deliveryReported, this,
            &StatisticsPage::ShowDelivery);
    connect(&m_controller, &StatisticsController::transceiverStatisticsChanged, this,
            &StatisticsPage::ShowTransceiverStatistics);
    connect(&m_controller, &StatisticsController::figuresRequested, this,
            &StatisticsPage::ShowFigures);
    connect(&m_controller, &StatisticsController::countersCleared, this,
            &StatisticsPage::ShowCleared);
    connect(&m_controller, &StatisticsController::throughputTicked, this,
            [this](double currentKbps, double averageKbps) {
                lblThroughput->setText(ThroughputText({currentKbps, averageKbps}));
            });
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

void StatisticsPage::ShowPacketsReceived()
{
    lblTestPktsRcvd->setText(QString::number(m_controller.counters().lPacketsReceived));
}

void StatisticsPage::tmrThroughput_Timer()
{
    m_controller.tmrThroughput_Timer();
}

void StatisticsPage::ShowDelivery()
{
    ShowRetryDistribution();
    lblTestAcksRcvd->setText(QString::number(m_controller.counters().lAcksReceived));
    ShowSuccessRates();
}

void StatisticsPage::ShowTransceiverStatistics()
{
    for (size_t i = 0; i < m_transceiverLabels.size(); ++i)
        m_transceiverLabels[i]->setText(m_controller.transceiverCaptions()[i]);
}

void StatisticsPage::ShowFigures()
{
    const TrafficCounters& counters = m_controller.counters();
    lblTestPktsSent->setText(QString::number(counters.lPacketsSent));
    lblTestPktsRcvd->setText(QString::number(counters.lPacketsReceived));
    lblTestAcksRcvd->setText(QString::number(counters.lAcksReceived));
    ShowSuccessRates();
}

void StatisticsPage::ShowCleared()
{
    for (QLabel* label : {lblTestPktsSent, lblTestPktsRcvd, lblTestAcksRcvd,
                          lblPktSuccessWithAcks, lblOverallPktSuccess, lblThroughput})
        label->setText(QStringLiteral("-"));
    ShowRetryDistribution();
}

void StatisticsPage::ShowRetryDistribution()
{
    lstRetryDistribution->clear();
    lstRetryDistribution->addItems(m_controller.RetryDistributionRows());
}

void StatisticsPage::ShowSuccessRates()
{
    lblPktSuccessWithAcks->setText(m_controller.PktSuccessWithAcksText());
    lblOverallPktSuccess->setText(m_controller.OverallPktSuccessText());
}
