#include "traffic/MessageLogFile.h"

#include "platform/RegularFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

LogFileResult Failure(const QFile& file)
{
    return {false, file.errorString()};
}

// Opens the file, writes every line with its CR LF and closes it again.
LogFileResult WriteLines(const QString& path, const QStringList& lines, QIODevice::OpenMode mode)
{
    QFile file(path);
    QString error;
    if (!OpenRegularFile(file, mode, &error))
        return {false, error};
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + kLineEnd;
    if (file.write(bytes) != bytes.size() || !file.flush())
        return Failure(file);
    file.close();
    if (file.error() != QFileDevice::NoError)
        return Failure(file);
    return {};
}

// A file that has gone since it was chosen is not recreated here: a new file needs its
// header first, which is the caller's decision.
LogFileResult AppendLines(const QString& path, const QStringList& lines)
{
    LogFileResult result =
        WriteLines(path, lines, QIODevice::WriteOnly | QIODevice::Append | QIODevice::ExistingOnly);
    if (!result)
        result.fileMissing = !QFileInfo::exists(path);
    return result;
}

// The locale's long time format: with seconds, but also naming the time zone, which the
// log's lines have never carried.
QString TimeFormatWithSeconds(const QLocale& locale)
{
    QString format;
    bool quoted = false;
    for (const QChar c : locale.timeFormat(QLocale::LongFormat)) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (quoted || c != QLatin1Char('t'))
            format += c;
    }
    return format.remove(QLatin1String("()")).remove(QLatin1String("[]")).trimmed();
}

bool FitsLatin1(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0xFF; });
}

QString TimeStampLine(const QString& prefix, const QDateTime& when)
{
    return prefix + LogTimeStamp(when);
}

QStringList TransceiverLines(const TransceiverCaptions& captions)
{
    static const std::array<const char*, 8> kNames = {
        "Total Packets Sent      = ", "Unique Packets Sent     = ",
        "Total Acks Sent         = ", "Unique Acks Sent        = ",
        "Total Packets Received  = ", "Unique Packets Received = ",
        "Total Acks Received     = ", "Unique Acks Received    = ",
    };
    QStringList lines = {QString(), QStringLiteral("Transceiver Statistics"),
                         QStringLiteral("----------------------")};
    for (size_t i = 0; i < kNames.size(); ++i)
        lines << QLatin1String(kNames[i]) + captions[i];
    return lines;
}

QString RateLine(const QString& name, qint64 acks, qint64 divisor)
{
    const QString text = divisor == 0 ? QStringLiteral("-")
                                      : PercentText(static_cast<double>(acks) / divisor * 100.0);
    return name + QLatin1String(" = ") + text;
}

// T and W of the rates count every reply, whatever the retries setting is now: rows
// beyond it still hold the acknowledgements that needed more retries, so neither rate can
// exceed 100 %. Failures count at the setting's transmissions, as the formula has it.
struct ReplyTotals {
    qint64 replies = 0;        // T
    qint64 transmissions = 0;  // W
};

ReplyTotals CountReplies(const TrafficCounters& counters, int iRFRetries)
{
    ReplyTotals totals;
    qint64 acksInRows = 0;
    for (int i = 0; i < TrafficCounters::kRetrySlots; ++i) {
        const qint64 count = counters.lRetryDistribution[static_cast<size_t>(i)];
        acksInRows += count;
        totals.transmissions += qint64(i + 1) * count;
    }
    // An acknowledgement after more than 20 retries sits in no row; it took at least
    // 22 transmissions.
    const qint64 acksBeyondRows = qMax<qint64>(0, counters.lAcksReceived - acksInRows);
    const qint64 failed = counters.lPacketsFailed;
    totals.replies = acksInRows + acksBeyondRows + failed;
    totals.transmissions += qint64(TrafficCounters::kRetrySlots + 1) * acksBeyondRows
                            + qint64(iRFRetries + 1) * failed;
    return totals;
}

QStringList ProgramLines(const TrafficCounters& counters, int iRFRetries)
{
    const int rows = qBound(0, iRFRetries, TrafficCounters::kRetrySlots - 1);
    const ReplyTotals totals = CountReplies(counters, rows);
    QStringList lines = {QString(), QStringLiteral("Evaluation Program Statistics"),
                         QStringLiteral("-----------------------------"),
                         QLatin1String("Packets Sent     = ") + QString::number(counters.lPacketsSent),
                         QLatin1String("Packets Received = ") + QString::number(counters.lPacketsReceived),
                         QLatin1String("Acks Received    = ") + QString::number(counters.lAcksReceived),
                         RateLine(QStringLiteral("Packet Success Rate Without Acks"),
                                  counters.lAcksReceived, totals.replies),
                         RateLine(QStringLiteral("Packet Success Rate With Acks"),
                                  counters.lAcksReceived, totals.transmissions)};
    for (int i = 0; i <= rows; ++i)
        lines << QString::number(i) + QLatin1String(" Retries - ")
                     + QString::number(counters.lRetryDistribution[static_cast<size_t>(i)]);
    lines << QLatin1String("   Failed - ") + QString::number(counters.lPacketsFailed);
    return lines;
}

}  // namespace

LogFileResult CreateLogFile(const QString& path, const QString& fileName)
{
    return WriteLines(path, {kMessageLogHeader, fileName, QString()},
                      QIODevice::WriteOnly | QIODevice::Truncate);
}

LogFileResult AppendToLogFile(const QString& path, const QString& line)
{
    return AppendLines(path, {line});
}

LogFileResult AppendToLogFile(const QString& path, const QStringList& lines)
{
    return AppendLines(path, lines);
}

LogFileResult WriteLogStart(const QString& path, const QDateTime& now)
{
    return AppendLines(path, {TimeStampLine(QStringLiteral("Log Started: "), now), QString()});
}

QStringList ClosingBlockLines(const TransceiverCaptions& captions, const TrafficCounters& counters,
                              int iRFRetries, const QDateTime& end)
{
    QStringList lines = TransceiverLines(captions);
    lines << ProgramLines(counters, iRFRetries);
    lines << QString() << TimeStampLine(QStringLiteral("Log Ended: "), end);
    lines << QString() << QString() << QString() << QString();
    return lines;
}

LogFileResult WriteLogEnd(const QString& path, const QStringList& lines)
{
    return AppendLines(path, lines);
}

bool IsMessageLogFile(const QString& path)
{
    QFile file(path);
    QString error;
    if (!OpenRegularFile(file, QIODevice::ReadOnly, &error))
        return false;
    QByteArray line = file.readLine(kMessageLogHeader.size() + kLineEnd.size());
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return QString::fromLatin1(line) == kMessageLogHeader;
}

bool FileExists(const QString& path)
{
    return QFileInfo(path).isFile();
}

bool IsSpecialFile(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isFile();
}

QString LogTimeStamp(const QDateTime& when, const QLocale& locale)
{
    const QString stamp = locale.toString(when.time(), TimeFormatWithSeconds(locale))
                          + QLatin1Char(' ') + locale.toString(when.date(), QLocale::ShortFormat);
    if (FitsLatin1(stamp))
        return stamp;
    return QLocale::c().toString(when, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

LogFileLocation SplitLogFilePath(const QString& fullPath)
{
    const int separator = qMax(fullPath.lastIndexOf(QLatin1Char('/')),
                               fullPath.lastIndexOf(QLatin1Char('\\')));
    return {fullPath.left(separator + 1), fullPath.mid(separator + 1)};
}

