#pragma once

#include "config/NumericBoxSpec.h"
#include "config/ValueColours.h"

#include <QtGlobal>

#include <functional>

class QLineEdit;

// Makes box apply the numeric entry rule on every change of its text: typed, pasted,
// or written by the program with setText. Text that is not a number or lies out of
// bounds is replaced at once (the replacement is itself a change and runs the rule
// again); an accepted text turns the box pending, if it marks pending, and then sets
// the value behind the box.
//
// maxChars limits what the keyboard and pasting may enter; text the program writes is
// never cut short, so an out-of-range reply still clamps to the bound instead of
// being truncated into some other number.
//
// The stored value must outlive the box.
void BindNumericEntry(QLineEdit* box, std::function<qint32()> storedValue,
                      std::function<void(qint32)> setStoredValue,
                      const NumericEntryParameters& parameters);
void BindNumericEntry(QLineEdit* box, qint16& storedValue, const NumericEntryParameters& parameters);
void BindNumericEntry(QLineEdit* box, qint32& storedValue, const NumericEntryParameters& parameters);
