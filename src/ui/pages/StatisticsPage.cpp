#include "ui/pages/StatisticsPage.h"

#include "traffic/StatisticsController.h"
#include "traffic/TrafficCounters.h"
#include "ui/ScreenRefresh.h"
#include "ui/widgets/ValueLabel.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace {

// Both frames' grids: row captions, then columns of figures.
const QStringList kTransceiverColumns = {QStringLiteral("Packets Sent"), QStringLiteral("Acks Sent"),
                                         QStringLiteral("Packets Received"),
                                         QStringLiteral("Acks Received")};
const QStringList kEvaluationColumns = {QStringLiteral("Packets Sent"),
                                        QStringLiteral("Packets Received"),
                                        QStringLiteral("Acks Received")};
const QStringList kTransceiverRows = {QStringLiteral("Total"), QStringLiteral("Unique")};
constexpr int kFigureColumns = 4;

// Column captions across the top of a grid, row captions down its left side. Each
// column is at least as wide as its widest caption in either frame and the figure
// columns share spare width equally, so the two frames' columns stay under each other.
QGridLayout* GridWithCaptions(QGroupBox* frame, const QStringList& columns, const QStringList& rows)
{
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(10, grid->contentsMargins().top(), 7, grid->contentsMargins().bottom());
    grid->setHorizontalSpacing(8);
    const QFontMetrics metrics = frame->fontMetrics();
    int widestRow = 0;
    for (const QString& caption : kTransceiverRows)
        widestRow = std::max(widestRow, metrics.horizontalAdvance(caption));
    grid->setColumnMinimumWidth(0, widestRow + grid->horizontalSpacing());
    for (int c = 1; c <= kFigureColumns; ++c) {
        const int i = c - 1;
        int widest = metrics.horizontalAdvance(kTransceiverColumns[i]);
        if (i < kEvaluationColumns.size())
            widest = std::max(widest, metrics.horizontalAdvance(kEvaluationColumns[i]));
        grid->setColumnMinimumWidth(c, widest);
        grid->setColumnStretch(c, 1);
    }
    for (int c = 0; c < columns.size(); ++c)
        grid->addWidget(NamedLabel(frame, "", columns[c], Qt::AlignCenter), 0, c + 1);
    for (int r = 0; r < rows.size(); ++r)
        grid->addWidget(NamedLabel(frame, "", rows[r]), r + 1, 0);
    return grid;
}

// A button with room around its caption, as the page's buttons have always had.
QPushButton* RoomyButton(QWidget* parent, const char* name, const QString& caption)
{
    QPushButton* button = NamedButton(parent, name, caption);
    button->setMinimumWidth(button->sizeHint().width() + 6 * button->fontMetrics().averageCharWidth());
    return button;
}

QString FigureName(const QString& row, const QString& column)
{
    return row + QLatin1Char(' ') + column;
}

}  // namespace

StatisticsPage::StatisticsPage(StatisticsController& controller, ScreenRefresh& refresh,
                               QWidget* parent)
    : QWidget(parent), m_controller(controller), m_refresh(refresh)
{
    setObjectName(QStringLiteral("StatisticsPage"));
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(8, 4, 8, 7);
    page->addWidget(buildTransceiverFrame());
    page->addWidget(buildEvaluationFrame(), 1);
    cmdClearTestStats =
        RoomyButton(this, "cmdClearTestStats", QStringLiteral("Clear All Statistics"));
    page->addWidget(cmdClearTestStats, 0, Qt::AlignHCenter);
    QWidget::setTabOrder(cmdGetStatistics, lstRetryDistribution);
    QWidget::setTabOrder(lstRetryDistribution, cmdClearTestStats);

    connect(cmdGetStatistics, &QPushButton::clicked, &m_controller,
            &StatisticsController::cmdGetStatistics_Click);
    connect(cmdClearTestStats, &QPushButton::clicked, &m_controller,
            &StatisticsController::cmdClearTestStats_Click);
    connect(&m_controller, &StatisticsController::packetSent, this, [this] {
        m_pending.packetsSent = true;
        m_refresh.request();
    });
    connect(&m_controller, &StatisticsController::deliveryReported, this, [this] {
        m_pending.delivery = true;
        m_refresh.request();
    });
    connect(&m_controller, &StatisticsController::transceiverStatisticsChanged, this,
            &StatisticsPage::ShowTransceiverStatistics);
    connect(&m_controller, &StatisticsController::figuresRequested, this,
            &StatisticsPage::ShowFigures);
    connect(&m_controller, &StatisticsController::countersCleared, this,
            &StatisticsPage::ShowCleared);
    connect(&m_controller, &StatisticsController::throughputTicked, this,
            [this](double currentKbps, double averageKbps) {
                m_throughput = {currentKbps, averageKbps};
                m_pending.throughput = true;
                m_refresh.request();
            });
    connect(&m_refresh, &ScreenRefresh::refreshed, this, &StatisticsPage::ShowPending);
}

// The module's counters: rows Total and Unique, four columns.
QGroupBox* StatisticsPage::buildTransceiverFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Transceiver"), this);
    frame->setObjectName(QStringLiteral("frameTransceiverStatistics"));
    QGridLayout* grid = GridWithCaptions(frame, kTransceiverColumns, kTransceiverRows);
    static const char* const kNames[8] = {
        "lblTotalPacketsSent",     "lblUniquePacketsSent",     "lblTotalAcksSent",
        "lblUniqueAcksSent",       "lblTotalPacketsReceived",  "lblUniquePacketsReceived",
        "lblTotalAcksReceived",    "lblUniqueAcksReceived",
    };
    // The module reports them column by column: total, then unique.
    for (int i = 0; i < 8; ++i) {
        const int row = i % 2;
        const int column = i / 2;
        QLabel* label = NamedValueLabel(frame, kNames[i],
                                        FigureName(kTransceiverRows[row], kTransceiverColumns[column]));
        m_transceiverLabels[static_cast<size_t>(i)] = label;
        grid->addWidget(label, row + 1, column + 1);
    }
    cmdGetStatistics = RoomyButton(frame, "cmdGetStatistics", QStringLiteral("Get Statistics"));
    grid->addWidget(cmdGetStatistics, 3, kFigureColumns - 1, 1, 2, Qt::AlignRight);
    return frame;
}

// The host's own figures: totals across the top, rates on the left, retries on the right.
QGroupBox* StatisticsPage::buildEvaluationFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Evaluation Program"), this);
    frame->setObjectName(QStringLiteral("frameEvaluationStatistics"));
    const QString total = kTransceiverRows[0];
    QGridLayout* grid = GridWithCaptions(frame, kEvaluationColumns, {total});
    lblTestPktsSent = NamedValueLabel(frame, "lblTestPktsSent", FigureName(total, kEvaluationColumns[0]));
    lblTestPktsRcvd = NamedValueLabel(frame, "lblTestPktsRcvd", FigureName(total, kEvaluationColumns[1]));
    lblTestAcksRcvd = NamedValueLabel(frame, "lblTestAcksRcvd", FigureName(total, kEvaluationColumns[2]));
    grid->addWidget(lblTestPktsSent, 1, 1);
    grid->addWidget(lblTestPktsRcvd, 1, 2);
    grid->addWidget(lblTestAcksRcvd, 1, 3);

    // Each rate's caption right above its figure, a gap before the next caption.
    auto* rates = new QVBoxLayout;
    rates->setSpacing(0);
    const int gap = frame->fontMetrics().height() / 2;
    const auto addFigure = [frame, rates](const char* name, const QString& caption) {
        QLabel* value = NamedValueLabel(frame, name, caption);
        rates->addWidget(NamedLabel(frame, "", caption));
        rates->addWidget(value);
        return value;
    };
    lblThroughput = addFigure("lblThroughput", QStringLiteral("Throughput"));
    rates->addSpacing(gap);
    lblPktSuccessWithAcks =
        addFigure("lblPktSuccessWithAcks", QStringLiteral("Pkt Success Rate (Retries Included)"));
    rates->addSpacing(gap);
    lblOverallPktSuccess = addFigure("lblOverallPktSuccess",
                                     QStringLiteral("Pkt Success Rate (Retries Not Included)"));
    rates->addStretch();

    const QString retries = QStringLiteral("Retry Distribution");
    lstRetryDistribution = new QListWidget(frame);
    lstRetryDistribution->setObjectName(QStringLiteral("lstRetryDistribution"));
    lstRetryDistribution->setAccessibleName(retries);
    // Room for six rows and the widest row; more rows scroll, a larger page shows more.
    const QFontMetrics metrics = lstRetryDistribution->fontMetrics();
    lstRetryDistribution->setMinimumSize(
        metrics.horizontalAdvance(QStringLiteral(" Failed         00000")),
        6 * metrics.lineSpacing() + 2 * lstRetryDistribution->frameWidth());
    lstRetryDistribution->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    QLabel* retriesCaption = NamedLabel(frame, "", retries);
    retriesCaption->setBuddy(lstRetryDistribution);
    auto* distribution = new QVBoxLayout;
    distribution->setSpacing(0);
    distribution->addWidget(retriesCaption);
    distribution->addWidget(lstRetryDistribution, 1);

    auto* below = new QHBoxLayout;
    below->addLayout(rates, 8);
    below->addSpacing(gap);
    below->addLayout(distribution, 7);
    grid->addLayout(below, 2, 0, 1, kFigureColumns + 1);
    grid->setRowStretch(2, 1);
    return frame;
}

void StatisticsPage::ShowPacketsReceived()
{
    m_pending.packetsReceived = true;
    m_refresh.request();
}

void StatisticsPage::ShowPending()
{
    const TrafficCounters& counters = m_controller.counters();
    if (m_pending.packetsSent)
        lblTestPktsSent->setText(QString::number(counters.lPacketsSent));
    if (m_pending.packetsReceived)
        lblTestPktsRcvd->setText(QString::number(counters.lPacketsReceived));
    if (m_pending.delivery)
        ShowDelivery();
    if (m_pending.throughput)
        lblThroughput->setText(ThroughputText(m_throughput));
    m_pending = {};
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
    m_pending = {};  // older figures never show over the cleared ones
    for (QLabel* label : {lblTestPktsSent, lblTestPktsRcvd, lblTestAcksRcvd,
                          lblPktSuccessWithAcks, lblOverallPktSuccess, lblThroughput})
        label->setText(QStringLiteral("-"));
    ShowRetryDistribution();
}

void StatisticsPage::ShowRetryDistribution()
{
    const QStringList rows = m_controller.RetryDistributionRows();
    bool same = lstRetryDistribution->count() == rows.size();
    for (int row = 0; same && row < rows.size(); ++row)
        same = lstRetryDistribution->item(row)->text() == rows[row];
    if (same)
        return;
    lstRetryDistribution->clear();
    lstRetryDistribution->addItems(rows);
}

void StatisticsPage::ShowSuccessRates()
{
    lblPktSuccessWithAcks->setText(m_controller.PktSuccessWithAcksText());
    lblOverallPktSuccess->setText(m_controller.OverallPktSuccessText());
}
