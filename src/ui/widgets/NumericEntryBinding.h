#pragma once

#include "config/NumericBoxSpec.h"
#include "ui/widgets/ValueColours.h"

#include <QtGlobal>

#include <functional>

class QLineEdit;
class QString;

// Makes box apply the numeric entry rule on every change of its text: typed, pasted,
// or written by the program with setText. When the user's edit ends (Enter, focus
// leaves, FinishNumericEntry) the text is checked once more as the program's would be. Text that is not a number or lies out of
// bounds is replaced at once (the replacement is itself a change and runs the rule
// again); an accepted text turns the box pending, if it marks pending, and then sets
// the value behind the box.
//
// maxChars becomes the box's maxLength, which limits what the keyboard and pasting may
// enter. Text the program writes must go through WriteNumericText, so that an
// out-of-range value from the module or the settings clamps to the bound instead of
// being cut into some other number ("123" in a two-character box is 49, not 12).
//
// The stored value must outlive the box.
void BindNumericEntry(QLineEdit* box, std::function<qint32()> storedValue,
                      std::function<void(qint32)> setStoredValue,
                      const NumericEntryParameters& parameters);
void BindNumericEntry(QLineEdit* box, qint16& storedValue, const NumericEntryParameters& parameters);
void BindNumericEntry(QLineEdit* box, qint32& storedValue, const NumericEntryParameters& parameters);

// Ends the user's edit of a bound box as Enter or leaving the box does: a number typed
// below the box's minimum is replaced by the minimum.
void FinishNumericEntry(QLineEdit* box);

// Writes text into a numeric box as the program does: the whole text reaches the entry
// rule, whatever the box's character limit.
void WriteNumericText(QLineEdit* box, const QString& text);
