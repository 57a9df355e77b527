#include "platform/Clock.h"

#include <QLocale>

namespace Clock {
namespace {
std::function<QDateTime()>& NowOverride()
{
    static std::function<QDateTime()> now;
    return now;
}
}  // namespace

QDateTime Now()
{
    return NowOverride() ? NowOverride()() : QDateTime::currentDateTime();
}

QString ShortTimeText(const QDateTime& when)
{
    QString format = QLocale::system().timeFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1Char('s')))
        format.replace(QLatin1String("mm"), QLatin1String("mm:ss"));
    return QLocale::system().toString(when.time(), format);
}

QString ShortDateText(const QDateTime& when)
{
    return QLocale::system().toString(when.date(), QLocale::ShortFormat);
}

quint32 RandomSeed()
{
    return static_cast<quint32>(QDateTime::currentMSecsSinceEpoch());
}

void SetNowForTesting(std::function<QDateTime()> now)
{
    NowOverride() = std::move(now);
}

}  // namespace Clock
