#pragma once

#include <QString>

#include <optional>

// The rule every numeric entry box applies each time its text changes: the box may
// only hold a number within its bounds, the number goes straight into the value
// behind the box, and text that is not a number is undone.

// The value of a box's text, or nothing when the text is not a number. A number is,
// apart from surrounding blanks: an optional sign, digits with at most one decimal
// point ('.', whatever the user's locale), and an optional exponent (E or e, an
// optional sign, digits). Numbers too large for a double come back as infinity.
std::optional<double> ParseNumericText(const QString& text);

// x rounded to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
// x must lie within the range of qint32.
qint32 RoundHalfToEven(double x);

// What a box must do with its new text.
struct NumericEntryOutcome {
    enum class Action {
        Accept,       // keep the text; storedValue is the new value behind the box
        ReplaceText,  // show replacementText instead; that change runs the rule again
    };

    Action action = Action::Accept;
    QString replacementText;
    qint32 storedValue = 0;
};

// Who changed a box's text: the user typing, or anyone else (the program, spin buttons,
// the end of the user's edit).
enum class NumericEntrySource { Other, UserTyping };

// Decides the fate of a box's new text, given the box's inclusive bounds and the value
// now behind it. Not a number: the stored value again (kept within the bounds); above
// the maximum: the maximum; below the minimum: the minimum. A number within the bounds
// is accepted exactly as typed, fraction included, and stored rounded half to even.
// While the user types into a box whose minimum is above 0, a number below the minimum
// is accepted with the minimum as its stored value, so that "150" can be typed into a box
// with minimum 100 digit by digit; the bound is applied when the edit ends.
NumericEntryOutcome ValidateNumericEntry(const QString& text, qint32 minimum, qint32 maximum,
                                         qint32 storedValue,
                                         NumericEntrySource source = NumericEntrySource::Other);
