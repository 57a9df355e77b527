#pragma once

#include <QString>

class LinkHistory;

// The history as comma-separated text: a header row "time_s" and one column per
// series, then one row per interval, oldest first; lines end in CR LF, numbers use '.'
// whatever the locale, and a figure the interval did not measure is an empty field.
QString LinkHistoryCsv(const LinkHistory& history);
