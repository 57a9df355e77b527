#pragma once

#include "config/NumericBoxSpec.h"
#include "ui/widgets/NumericEntryBinding.h"
#include "ui/widgets/NamedControls.h"

#include <QLineEdit>

class SpinButtons;

// A centred box, as every numeric box of the configuration pages is.
inline QLineEdit* AddCentredBox(QWidget* parent, const char* name, const QRect& geometry)
{
    return AddBox(parent, name, geometry, Qt::AlignCenter);
}

// A centred box that applies the numeric entry rule with its own parameters and keeps
// storedValue in step with its text.
template <typename Stored>
QLineEdit* AddNumericBox(QWidget* parent, const char* name, Stored& storedValue,
                         const QRect& geometry)
{
    QLineEdit* box = AddCentredBox(parent, name, geometry);
    BindNumericEntry(box, storedValue, NumericBoxSpecFor(QLatin1String(name)).entry);
    return box;
}

// The spin buttons that belong to a numeric box, bound to it with its range and step.
SpinButtons* AddSpinButtonsFor(QLineEdit* box, const QRect& geometry);
