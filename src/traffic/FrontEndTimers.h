#pragma once

#include <tuple>

class ProtocolTimer;
class QObject;

// The timers a front end owns beside its link session, made the same way by the window and
// the command line: the throughput tick (1 s), the repetition's, and the short single-shot
// pause (50 ms) that re-provisioning waits on. Owned by `owner`.
std::tuple<ProtocolTimer*, ProtocolTimer*, ProtocolTimer*> MakeFrontEndTimers(QObject* owner);
