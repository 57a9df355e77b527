#include "platform/Clock.h"

#include <cstdlib>

namespace Clock {
namespace {
std::function<QDateTime()>& NowOverride()
{
    static std::function<QDateTime()> now;
    return now;
}
std::function<quint32()>& SeedOverride()
{
    static std::function<quint32()> seed;
    return seed;
}
}  // namespace

QDateTime Now()
{
    return NowOverride() ? NowOverride()() : QDateTime::currentDateTime();
}

QDateTime NowAtLocalOffset()
{
    if (NowOverride())
        return NowOverride()();
    // Offsets change only on whole seconds, so one lookup per second is exact; a new TZ
    // counts at once.
    thread_local qint64 lookedUpSecond = -1;
    thread_local QByteArray lookedUpZone;
    thread_local int offsetSeconds = 0;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const qint64 second = now / 1000;
    const char* zone = std::getenv("TZ");
    if (second != lookedUpSecond || lookedUpZone != zone) {
        offsetSeconds = QDateTime::fromMSecsSinceEpoch(now, Qt::LocalTime).offsetFromUtc();
        lookedUpSecond = second;
        lookedUpZone = zone;
    }
    return QDateTime::fromMSecsSinceEpoch(now, Qt::OffsetFromUTC, offsetSeconds);
}

quint32 RandomSeed()
{
    if (SeedOverride())
        return SeedOverride()();
    return static_cast<quint32>(QDateTime::currentMSecsSinceEpoch());
}

void SetNowForTesting(std::function<QDateTime()> now)
{
    NowOverride() = std::move(now);
}

void SetRandomSeedForTesting(std::function<quint32()> seed)
{
    SeedOverride() = std::move(seed);
}

}  // namespace Clock
