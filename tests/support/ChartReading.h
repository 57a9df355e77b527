#pragma once

#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QLineSeries>
#include <QWidget>

// What the link charts window draws, read back from its chart views by their names.

inline QList<QLineSeries*> LinesOf(const QWidget& window, const QString& chartName)
{
    QList<QLineSeries*> lines;
    if (const auto* view = window.findChild<QChartView*>(chartName))
        for (QAbstractSeries* series : view->chart()->series())
            if (auto* line = qobject_cast<QLineSeries*>(series))
                lines << line;
    return lines;
}

// The bars of the retry distribution chart, failed last.
inline QList<qreal> RetryBarValues(const QWidget& window)
{
    QList<qreal> values;
    const auto* view = window.findChild<QChartView*>(QStringLiteral("chartRetries"));
    for (QAbstractSeries* series : view ? view->chart()->series() : QList<QAbstractSeries*>())
        if (auto* bars = qobject_cast<QBarSeries*>(series))
            for (const QBarSet* set : bars->barSets())
                for (int i = 0; i < set->count(); ++i)
                    values << set->at(i);
    return values;
}
