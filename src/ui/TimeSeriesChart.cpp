#include "ui/TimeSeriesChart.h"

#include "traffic/LinkHistory.h"
#include "traffic/SeriesDecimation.h"
#include "ui/ChartLook.h"

#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>

namespace {

constexpr int kFewestBuckets = 100;

double Highest(const QList<QPointF>& points)
{
    double highest = 0.0;
    for (const QPointF& point : points)
        highest = std::max(highest, point.y());
    return highest;
}

}  // namespace

TimeSeriesChart::TimeSeriesChart(const QString& title, const ValueAxisSpec& left,
                                 const std::optional<ValueAxisSpec>& right,
                                 const QList<TimeLine>& lines, QWidget* parent)
    : QChartView(new QChart, parent),  // setChart() would leave a default chart behind
      m_leftSpec(left),
      m_rightSpec(right.value_or(ValueAxisSpec{}))
{
    setRenderHint(QPainter::Antialiasing);
    QChart* chart = this->chart();
    ChartLook::Style(chart, title);
    m_timeAxis = ChartLook::AddValueAxis(chart, Qt::AlignBottom, QStringLiteral("Time (s)"),
                                         QStringLiteral("%.0f"));
    m_leftAxis = ChartLook::AddValueAxis(chart, Qt::AlignLeft, left.title, left.labelFormat);
    if (right)
        m_rightAxis =
            ChartLook::AddValueAxis(chart, Qt::AlignRight, right->title, right->labelFormat);
    for (const TimeLine& line : lines) {
        auto* series = new QLineSeries(chart);
        series->setName(line.name);
        chart->addSeries(series);
        QPen pen(line.colour, 2.0, line.style);
        series->setPen(pen);
        series->attachAxis(m_timeAxis);
        series->attachAxis(line.onRightAxis && m_rightAxis ? m_rightAxis : m_leftAxis);
        m_lines.append({line, series});
    }
    ShowHistory(LinkHistory{});
}

void TimeSeriesChart::ShowHistory(const LinkHistory& history)
{
    const int buckets = std::max(kFewestBuckets, static_cast<int>(chart()->plotArea().width()));
    double highestLeft = 0.0;
    double highestRight = 0.0;
    for (const Drawn& drawn : std::as_const(m_lines)) {
        const QList<QPointF> points = history.points(drawn.line.series);
        double& highest = drawn.line.onRightAxis ? highestRight : highestLeft;
        highest = std::max(highest, Highest(points));
        drawn.series->replace(DecimateMinMax(points, buckets));
    }
    const auto& samples = history.samples();
    ChartLook::FollowTime(m_timeAxis, samples.empty() ? 0.0 : samples.front().timeS,
                          samples.empty() ? 0.0 : samples.back().timeS);
    ChartLook::FollowValues(m_leftAxis, highestLeft, m_leftSpec.minimumTop);
    if (m_rightAxis)
        ChartLook::FollowValues(m_rightAxis, highestRight, m_rightSpec.minimumTop);
}
