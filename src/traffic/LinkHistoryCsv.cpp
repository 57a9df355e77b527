#include "traffic/LinkHistoryCsv.h"

#include "link/SessionHistoryCsv.h"
#include "traffic/LinkHistory.h"

#include <QStringList>

namespace {

const QLatin1String kLineEnd("\r\n");

QString HeaderRow()
{
    QStringList fields{QStringLiteral("time_s")};
    for (int s = 0; s < kLinkSeriesCount; ++s)
        fields << CsvField(SeriesColumnName(static_cast<LinkSeries>(s)));
    return fields.join(QLatin1Char(','));
}

// QString::number ignores the locale: the decimal point is always '.'.
QString SampleRow(const LinkSample& sample)
{
    QStringList fields{QString::number(sample.timeS, 'f', 3)};
    for (int s = 0; s < kLinkSeriesCount; ++s) {
        const auto series = static_cast<LinkSeries>(s);
        fields << (sample.has(series)
                       ? QString::number(sample.value(series), 'f', SeriesDecimals(series))
                       : QString());
    }
    return fields.join(QLatin1Char(','));
}

}  // namespace

QString LinkHistoryCsv(const LinkHistory& history)
{
    QString text = HeaderRow() + kLineEnd;
    for (const LinkSample& sample : history.samples())
        text += SampleRow(sample) + kLineEnd;
    return text;
}
