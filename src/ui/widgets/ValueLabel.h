#pragma once

#include "ui/widgets/NamedControls.h"

class QLabel;
class QWidget;

// A label that shows a figure: "-" until the figure is known.
QLabel* AddValueLabel(QWidget* parent, const char* name, const QRect& geometry);
