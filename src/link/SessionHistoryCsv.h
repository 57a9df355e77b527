#pragma once

#include <QDateTime>
#include <QString>

class QIODevice;
class SessionHistory;

// The session history as comma-separated values (RFC 4180, UTF-8, CRLF line ends): a
// header row, then one row per line, oldest first: time, direction, message name,
// frame bytes in hex, and the line as the log shows it.
// False when the device refused a write.
bool WriteSessionHistoryCsv(const SessionHistory& history, QIODevice& out);

// A field as it stands in a row: quoted when it holds a comma, a quote, CR or LF, with
// its quotes doubled.
QString CsvField(const QString& text);

// ISO 8601 with milliseconds and the clock's offset: 2026-12-07T14:03:22.125+01:00
QString IsoTimeWithOffset(const QDateTime& time);
