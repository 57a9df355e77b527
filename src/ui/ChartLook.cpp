#include "ui/ChartLook.h"

#include <QChart>
#include <QFont>
#include <QLegend>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace ChartLook {
namespace {

constexpr double kShortestTimeSpanS = 10.0;
constexpr int kTimeTicks = 6;
constexpr int kValueSteps = 5;

// 1, 2 or 5 times a power of ten, so that about `ticks` steps cover `span`.
double RoundStep(double span, int ticks)
{
    const double rough = span / ticks;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0})
        if (rough <= factor * power)
            return factor * power;
    return 10.0 * power;
}

}  // namespace

void Style(QChart* chart, const QString& title)
{
    chart->setTheme(QChart::ChartThemeLight);
    chart->setTitle(title);
    QFont titleFont = chart->titleFont();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.15);
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(6, 4, 6, 4));
    chart->setBackgroundRoundness(4);
    chart->setAnimationOptions(QChart::NoAnimation);
}

void StyleAxisTitle(QAbstractAxis* axis, const QString& title)
{
    axis->setTitleText(title);
    QFont font = axis->titleFont();
    font.setBold(false);
    axis->setTitleFont(font);
}

QValueAxis* AddValueAxis(QChart* chart, Qt::Alignment alignment, const QString& title,
                         const QString& labelFormat)
{
    auto* axis = new QValueAxis(chart);
    StyleAxisTitle(axis, title);
    axis->setLabelFormat(labelFormat);
    axis->setMinorTickCount(0);
    chart->addAxis(axis, alignment);
    return axis;
}

void FollowTime(QValueAxis* axis, double firstS, double lastS)
{
    const double last = std::max(lastS, firstS + kShortestTimeSpanS);
    axis->setRange(firstS, last);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0.0);
    axis->setTickInterval(RoundStep(last - firstS, kTimeTicks));
}

void FollowValues(QValueAxis* axis, double highest, double minimumTop)
{
    const double top = highest <= minimumTop ? minimumTop : highest * 1.05;
    const double step = RoundStep(top, kValueSteps);
    const int steps = static_cast<int>(std::ceil(top / step - 1e-9));
    axis->setRange(0.0, steps * step);
    axis->setTickCount(steps + 1);
}

}  // namespace ChartLook
