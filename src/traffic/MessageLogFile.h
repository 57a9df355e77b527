#pragma once

#include "platform/Clock.h"
#include "traffic/TrafficCounters.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <array>

// The message log file: a Latin-1 text file of CR LF lines that copies the
// communications log between a "Log Started: " line and a closing statistics block.
// Every write opens the file, writes and closes it; no handle is kept between writes.

inline const QString kMessageLogHeader = QStringLiteral("QV Orvalis Message Log");

// Outcome of a write; error holds the system's description of a failure. Appending
// never creates the file: fileMissing tells that it no longer exists.
struct LogFileResult {
    bool ok = true;
    QString error;
    bool fileMissing = false;

    explicit operator bool() const { return ok; }
};

// Devices, FIFOs and folders are never used as log files: every function here opens the
// name once without waiting and refuses a handle that is not a regular file, since reading
// /dev/zero never ends and opening a FIFO waits for a peer that may never come.

// Creates the file, or empties an existing one, and writes the three header lines:
// the header, the file name, an empty line.
LogFileResult CreateLogFile(const QString& path, const QString& fileName);

LogFileResult AppendToLogFile(const QString& path, const QString& line);
// All the lines in one write.
LogFileResult AppendToLogFile(const QString& path, const QStringList& lines);

// "Log Started: " with LogTimeStamp(now), then an empty line.
LogFileResult WriteLogStart(const QString& path, const QDateTime& now = Clock::Now());

// The captions of the eight transceiver statistics labels, in the order the module
// reports the counters ("-" where never queried).
using TransceiverCaptions = std::array<QString, 8>;

// The closing block of a logging period, line by line: transceiver figures, the host's
// figures with success rates over the replies (rate A) and over the transmissions they
// imply (rate B), the retry rows, "Log Ended: " and four empty lines.
QStringList ClosingBlockLines(const TransceiverCaptions& captions, const TrafficCounters& counters,
                              int iRFRetries, const QDateTime& end);

LogFileResult WriteLogEnd(const QString& path, const QStringList& lines);

// True only when the path names a regular file whose first line reads exactly as the
// header; a missing, empty, unreadable or special file is not a log. Reads no more than
// a header's length.
bool IsMessageLogFile(const QString& path);

// True when a regular file of that name exists.
bool FileExists(const QString& path);

// True when the path names something that exists but is not a regular file.
bool IsSpecialFile(const QString& path);

// The time and date of the start and end lines: the locale's time with seconds, a blank
// and its short date. A locale whose texts Latin-1 cannot carry gets "yyyy-MM-dd HH:mm:ss".
QString LogTimeStamp(const QDateTime& when, const QLocale& locale = QLocale());

// A full path split into its folder, which keeps the trailing separator, and its name.
struct LogFileLocation {
    QString folder;
    QString fileName;
};
LogFileLocation SplitLogFilePath(const QString& fullPath);
