#pragma once

#include <QString>

class LinkHistory;

// One field of comma-separated text: quoted, with inner quotes doubled, only when it
// holds a comma, a quote or a line break.
QString CsvField(const QString& text);

// The history as comma-separated text: a header row "time_s" and one column per
// series, then one row per interval, oldest first; lines end in CR LF, numbers use '.'
// whatever the locale, and a figure the interval did not measure is an empty field.
QString LinkHistoryCsv(const LinkHistory& history);
