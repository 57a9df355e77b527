#include "link/SessionHistoryCsv.h"

#include "link/SessionHistory.h"
#include "platform/ExportFile.h"
#include "protocol/Frame.h"

#include <QIODevice>

#include <cstdlib>

namespace {

// Rows are handed to the device in blocks of about this many characters. A full
// history is some 100,000 rows: each is appended to the block in place, with no lists
// of fields or other temporaries to build and throw away.
constexpr qsizetype kBlockChars = 32 * 1024;

bool NeedsQuotes(const QString& text)
{
    return text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"'))
           || text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

void AppendField(QString& row, const QString& text)
{
    if (!NeedsQuotes(text)) {
        row += text;
        return;
    }
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QLatin1String("\"\""));
    row += QLatin1Char('"') + doubled + QLatin1Char('"');
}

void AppendRow(QString& out, const QString& time, const QString& direction, const QString& name,
               const QString& bytes, const QString& line)
{
    AppendField(out, time);
    out += QLatin1Char(',');
    AppendField(out, direction);
    out += QLatin1Char(',');
    AppendField(out, name);
    out += QLatin1Char(',');
    AppendField(out, bytes);
    out += QLatin1Char(',');
    AppendField(out, line);
    out += QLatin1String("\r\n");
}

void AppendRow(QString& out, const HistoryLine& entry)
{
    const LogLine& line = entry.line;
    AppendRow(out, IsoTimeWithOffset(entry.arrived), DirectionName(line.direction), line.name,
              HexText(line.bytes).trimmed(), LogLineText(line));
}

// `value` in `width` decimal digits, then `after` unless it is '\0'. A full history's
// export formats some 100,000 times: digit by digit is several times quicker than a
// format string.
void AppendDigits(QString& out, int value, int width, char after)
{
    QChar digits[4];
    for (int i = width - 1; i >= 0; --i, value /= 10)
        digits[i] = QLatin1Char(static_cast<char>('0' + value % 10));
    out.append(digits, width);
    if (after != '\0')
        out += QLatin1Char(after);
}

bool WriteBlock(QIODevice& out, QString& block)
{
    const QByteArray utf8 = block.toUtf8();
    block.clear();
    return WriteWhole(out, utf8);
}

}  // namespace

QString CsvField(const QString& text)
{
    QString field;
    AppendField(field, text);
    return field;
}

QString IsoTimeWithOffset(const QDateTime& time)
{
    const QDate date = time.date();
    const QTime clock = time.time();
    const int offsetSeconds = time.offsetFromUtc();
    const int offsetMinutes = std::abs(offsetSeconds) / 60;
    QString iso;
    iso.reserve(29);
    AppendDigits(iso, date.year(), 4, '-');
    AppendDigits(iso, date.month(), 2, '-');
    AppendDigits(iso, date.day(), 2, 'T');
    AppendDigits(iso, clock.hour(), 2, ':');
    AppendDigits(iso, clock.minute(), 2, ':');
    AppendDigits(iso, clock.second(), 2, '.');
    AppendDigits(iso, clock.msec(), 3, offsetSeconds < 0 ? '-' : '+');
    AppendDigits(iso, offsetMinutes / 60, 2, ':');
    AppendDigits(iso, offsetMinutes % 60, 2, '\0');
    return iso;
}

bool WriteSessionHistoryCsv(const SessionHistory& history, QIODevice& out)
{
    QString block;
    block.reserve(kBlockChars + 1024);
    AppendRow(block, QStringLiteral("Time"), QStringLiteral("Direction"), QStringLiteral("Message"),
              QStringLiteral("Bytes"), QStringLiteral("Line"));
    for (int i = 0; i < history.size(); ++i) {
        AppendRow(block, history.at(i));
        if (block.size() >= kBlockChars && !WriteBlock(out, block))
            return false;
    }
    return WriteBlock(out, block);
}
