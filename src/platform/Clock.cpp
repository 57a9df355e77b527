#include "platform/Clock.h"

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

quint32 RandomSeed()
{
    return static_cast<quint32>(QDateTime::currentMSecsSinceEpoch());
}

void SetNowForTesting(std::function<QDateTime()> now)
{
    NowOverride() = std::move(now);
}

}  // namespace Clock
