#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

// How one numeric entry box applies the entry rule.
struct NumericEntryParameters {
    qint32 minimum = 0;
    qint32 maximum = 0;
    int maxChars = 0;           // most characters the keyboard may enter; 0 = any
    bool marksPending = false;  // an accepted change shows the pending colour
};

// One numeric entry box of the main window, with its spin buttons if it has any.
struct NumericBoxSpec {
    const char* boxName = "";
    int storedBits = 0;  // 16 or 32: the width of the value behind the box
    NumericEntryParameters entry;
    const char* spinName = "";  // empty: the box has no spin buttons
    qint32 spinStep = 0;

    bool isValid() const { return boxName[0] != '\0'; }
    bool hasSpinButtons() const { return spinName[0] != '\0'; }
};

// Every numeric entry box, in page order: IDs, RF settings, RF data, test settings.
extern const std::array<NumericBoxSpec, 16> kNumericBoxSpecs;

// The row of the box with this object name; an invalid spec for an unknown name.
NumericBoxSpec NumericBoxSpecFor(const QString& boxName);
