#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

// The clock and the random source sit behind these functions so tests can pin them.
namespace Clock {

QDateTime Now();
QString ShortTimeText(const QDateTime& when);  // the system locale's time, with seconds
QString ShortDateText(const QDateTime& when);  // the system locale's short date
quint32 RandomSeed();

// Replaces the clock for tests; an empty function restores the system clock.
void SetNowForTesting(std::function<QDateTime()> now);

}  // namespace Clock
