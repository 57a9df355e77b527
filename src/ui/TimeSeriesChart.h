#pragma once

#include "traffic/LinkSeries.h"

#include <QChartView>
#include <QColor>
#include <QList>

#include <optional>

class LinkHistory;
class QLineSeries;
class QValueAxis;

// One line of a time chart: the series it draws, its legend name, look and axis.
struct TimeLine {
    LinkSeries series;
    QString name;
    QColor colour;
    Qt::PenStyle style = Qt::SolidLine;
    bool onRightAxis = false;
};

// A value axis of a time chart: its title, label format and the least top it shows.
struct ValueAxisSpec {
    QString title;
    QString labelFormat;
    double minimumTop = 1.0;
};

// Lines of the link history over time, seconds across, one or two value axes up the
// sides; the axes follow the data each time the history is shown.
class TimeSeriesChart : public QChartView {
    Q_OBJECT
public:
    TimeSeriesChart(const QString& title, const ValueAxisSpec& left,
                    const std::optional<ValueAxisSpec>& right, const QList<TimeLine>& lines,
                    QWidget* parent = nullptr);

    void ShowHistory(const LinkHistory& history);

private:
    struct Drawn {
        TimeLine line;
        QLineSeries* series = nullptr;
    };

    QValueAxis* m_timeAxis = nullptr;
    QValueAxis* m_leftAxis = nullptr;
    QValueAxis* m_rightAxis = nullptr;
    ValueAxisSpec m_leftSpec;
    ValueAxisSpec m_rightSpec;
    QList<Drawn> m_lines;
};
