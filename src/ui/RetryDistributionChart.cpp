#include "ui/RetryDistributionChart.h"

#include "ui/ChartLook.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QLegend>
#include <QValueAxis>

#include <algorithm>

namespace {

constexpr double kFewestMessagesShown = 5.0;

}  // namespace

// setChart() would leave a default chart behind: the chart comes with the view.
RetryDistributionChart::RetryDistributionChart(QWidget* parent) : QChartView(new QChart, parent)
{
    setRenderHint(QPainter::Antialiasing);
    QChart* chart = this->chart();
    ChartLook::Style(chart, QStringLiteral("Retry Distribution"));
    chart->legend()->hide();  // the axis names the bars

    m_messages = new QBarSet(QStringLiteral("Messages"));
    m_messages->setColor(ChartLook::kBlue);
    m_messages->setBorderColor(ChartLook::kBlue.darker(120));
    // The failed bar is the set's one selected bar: it keeps its own colour.
    m_messages->setSelectedColor(ChartLook::kRed);
    auto* series = new QBarSeries(chart);
    series->append(m_messages);
    series->setBarWidth(0.7);
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    series->setLabelsFormat(QStringLiteral("@value"));
    chart->addSeries(series);

    m_retriesAxis = new QBarCategoryAxis(chart);
    ChartLook::StyleAxisTitle(m_retriesAxis, QStringLiteral("Retries needed"));
    chart->addAxis(m_retriesAxis, Qt::AlignBottom);
    series->attachAxis(m_retriesAxis);
    m_countAxis = ChartLook::AddValueAxis(chart, Qt::AlignLeft, QStringLiteral("Messages"),
                                          QStringLiteral("%.0f"));
    series->attachAxis(m_countAxis);
    series->setLabelsPrecision(12);
    m_messages->setLabelColor(Qt::black);
    ShowBars({0, 0});
}

void RetryDistributionChart::ShowBars(const QList<qint64>& bars)
{
    QStringList categories;
    for (qsizetype i = 0; i + 1 < bars.size(); ++i)
        categories << QString::number(i);
    categories << QStringLiteral("Failed");
    if (m_retriesAxis->categories() != categories) {
        m_retriesAxis->clear();
        m_retriesAxis->append(categories);
    }
    QList<qreal> values;
    qint64 highest = 0;
    for (const qint64 count : bars) {
        values << static_cast<qreal>(count);
        highest = std::max(highest, count);
    }
    m_messages->remove(0, m_messages->count());
    m_messages->append(values);
    m_messages->deselectAllBars();
    m_messages->selectBar(static_cast<int>(values.size()) - 1);
    ChartLook::FollowValues(m_countAxis, static_cast<double>(highest) * 1.1, kFewestMessagesShown);
}
