#pragma once

#include "ui/widgets/NamedControls.h"

class QLabel;
class QLineEdit;
class QWidget;

// A label that shows a figure: "-" until the figure is known. The layout it is added
// to places it. A screen reader reads `accessibleName` as what the figure is (no
// single caption stands beside it) and the label's text as its value.
QLabel* NamedValueLabel(QWidget* parent, const char* name, const QString& accessibleName);

// A number box as wide as `characters` digits in its own font, whatever that font is.
void FitToNumbers(QLineEdit* box, int characters);
