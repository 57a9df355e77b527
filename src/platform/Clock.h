#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

// The clock and the random source sit behind these functions so tests can pin them.
namespace Clock {

QDateTime Now();
// The time now, as a fixed offset from UTC: the same wall-clock time as Now(), but the
// time zone's rules are looked up at most once a second, not for every frame logged.
QDateTime NowAtLocalOffset();
quint32 RandomSeed();

// Replaces the clock for tests; an empty function restores the system clock.
void SetNowForTesting(std::function<QDateTime()> now);
// Replaces the random seed for tests; an empty function restores the clock's.
void SetRandomSeedForTesting(std::function<quint32()> seed);

}  // namespace Clock
