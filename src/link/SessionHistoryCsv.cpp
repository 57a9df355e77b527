#include "link/SessionHistoryCsv.h"

#include "link/SessionHistory.h"
#include "protocol/Frame.h"

#include <QIODevice>

#include <algorithm>
#include <cstdlib>

namespace {

// Rows are handed to the device in blocks of about this size.
constexpr qsizetype kBlockBytes = 64 * 1024;

QStringList Fields(const HistoryLine& entry)
{
    const LogLine& line = entry.line;
    return {IsoTimeWithOffset(entry.arrived), DirectionName(line.direction), line.name,
            HexText(line.bytes).trimmed(), LogLineText(line)};
}

}  // namespace

QString CsvField(const QString& text)
{
    static const QString kNeedQuotes = QStringLiteral(",\"\r\n");
    if (std::none_of(text.cbegin(), text.cend(),
                     [](QChar c) { return kNeedQuotes.contains(c); }))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString CsvRow(const QStringList& fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& field : fields)
        quoted << CsvField(field);
    return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

QString IsoTimeWithOffset(const QDateTime& time)
{
    const int offsetSeconds = time.offsetFromUtc();
    const int minutes = std::abs(offsetSeconds) / 60;
    return time.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz"))
           + QLatin1Char(offsetSeconds < 0 ? '-' : '+')
           + QString::asprintf("%02d:%02d", minutes / 60, minutes % 60);
}

bool WriteSessionHistoryCsv(const SessionHistory& history, QIODevice& out)
{
    QByteArray block =
        CsvRow({QStringLiteral("Time"), QStringLiteral("Direction"), QStringLiteral("Message"),
                QStringLiteral("Bytes"), QStringLiteral("Line")})
            .toUtf8();
    for (int i = 0; i < history.size(); ++i) {
        block += CsvRow(Fields(history.at(i))).toUtf8();
        if (block.size() >= kBlockBytes || i + 1 == history.size()) {
            if (out.write(block) != block.size())
                return false;
            block.clear();
        }
    }
    return block.isEmpty() || out.write(block) == block.size();
}
