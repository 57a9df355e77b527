#pragma once

#include <QColor>
#include <QString>

class QAbstractAxis;
class QChart;
class QValueAxis;

// The common look of the link charts, and their axes following the data.
namespace ChartLook {

// Colours that stay apart for most eyes (a colour-blind safe palette), orange and sky darkened
// so that every line stands out 3:1 from the chart's white card.
inline const QColor kBlue{0x00, 0x72, 0xB2};
inline const QColor kOrange{0xB8, 0x7F, 0x00};
inline const QColor kGreen{0x00, 0x9E, 0x73};
inline const QColor kSky{0x1C, 0x91, 0xD4};
inline const QColor kRed{0xD5, 0x5E, 0x00};
inline const QColor kPurple{0xCC, 0x79, 0xA7};

// Title, light theme, legend below, antialiased.
void Style(QChart* chart, const QString& title);

// An axis with a title and a label format; attached to `chart` on `alignment`.
QValueAxis* AddValueAxis(QChart* chart, Qt::Alignment alignment, const QString& title,
                         const QString& labelFormat);
void StyleAxisTitle(QAbstractAxis* axis, const QString& title);

// Seconds from the first to the last point (at least a short span, so a new history
// does not stretch one point across the chart), ticks at round steps.
void FollowTime(QValueAxis* axis, double firstS, double lastS);

// From 0 to a round value a little above `highest`, or to `minimumTop` while nothing
// exceeds it; ticks at round steps.
void FollowValues(QValueAxis* axis, double highest, double minimumTop);

}  // namespace ChartLook
