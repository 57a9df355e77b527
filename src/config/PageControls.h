#pragma once

#include "config/NumericBoxSpec.h"
#include "config/NumericEntryBinding.h"

#include <QRect>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class SpinButtons;

// Small builders for the configuration pages' controls, each placed at a fixed
// position and named as the rest of the program (and the tests) know it.

QLabel* AddLabel(QWidget* parent, const char* name, const QString& caption, const QRect& geometry);
QPushButton* AddButton(QWidget* parent, const char* name, const QString& caption,
                       const QRect& geometry);
QLineEdit* AddCentredBox(QWidget* parent, const char* name, const QRect& geometry);

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
