#include "platform/Clock.h"

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
