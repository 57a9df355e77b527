#pragma once

#include "config/NumericBoxSpec.h"
#include "ui/widgets/NamedControls.h"
#include "ui/widgets/NumericEntryBinding.h"

#include <QLineEdit>

#include <initializer_list>

class SpinButtons;

// Keeps box wide enough for `digits` digits in its current font, and never narrower
// than minimumWidth; it follows later changes of font and style.
void FitBoxToDigits(QLineEdit* box, int digits, int minimumWidth);

// A centred box, as every numeric box of the configuration pages is, sized as
// FitBoxToDigits does; a layout gives it its place.
QLineEdit* NamedCentredBox(QWidget* parent, const char* name, int digits, int minimumWidth);

// A centred box that applies the numeric entry rule with its own parameters and keeps
// storedValue in step with its text; as wide as its most characters need.
template <typename Stored>
QLineEdit* NamedNumericBox(QWidget* parent, const char* name, Stored& storedValue,
                           int minimumWidth)
{
    const NumericEntryParameters entry = NumericBoxSpecFor(QLatin1String(name)).entry;
    QLineEdit* box = NamedCentredBox(parent, name, entry.maxChars, minimumWidth);
    BindNumericEntry(box, storedValue, entry);
    return box;
}

// The spin buttons that belong to a numeric box, bound to it with its range and step,
// and named after it for screen readers; a layout gives them their place, beside it.
SpinButtons* SpinButtonsFor(QLineEdit* box);

// Keeps a control at least the given size, larger when its caption needs more.
template <typename Control>
Control* AtLeast(Control* control, int width, int height = 0)
{
    control->setMinimumSize(width, height);
    return control;
}

// Tab moves through the controls in the order given: the page's reading order, left to
// right, top to bottom.
void ChainTabOrder(std::initializer_list<QWidget*> readingOrder);

// Tab moves through `window` region by region, in the order given; inside a region the order
// its page chained stays. Controls outside every region come last.
void ChainRegions(QWidget* window, const QList<QWidget*>& regions);
