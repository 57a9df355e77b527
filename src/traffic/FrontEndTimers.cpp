#include "traffic/FrontEndTimers.h"

#include "platform/ProtocolTimer.h"

std::tuple<ProtocolTimer*, ProtocolTimer*, ProtocolTimer*> MakeFrontEndTimers(QObject* owner)
{
    auto* tmrThroughput = new ProtocolTimer("tmrThroughput", owner);
    tmrThroughput->setInterval(1000);
    auto* tmrRepeat = new ProtocolTimer("tmrRepeat", owner);
    auto* tmrGeneric = new ProtocolTimer("tmrGeneric", owner);
    tmrGeneric->setInterval(50);
    tmrGeneric->setSingleShot(true);
    return {tmrThroughput, tmrRepeat, tmrGeneric};
}
