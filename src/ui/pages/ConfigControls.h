#pragma once

#include "config/ValueState.h"

#include <QtGlobal>

#include <functional>

class QLineEdit;
class QWidget;

// A centred numeric box, at least minimumWidth by minimumHeight, that applies its own entry rule and
// hands every value it accepts to setValue; value is the value behind the box. Its colour
// is left to ShowValueState. A layout gives it its place.
QLineEdit* BoundNumericBox(QWidget* parent, const char* name, int minimumWidth, int minimumHeight,
                           std::function<qint32()> value, std::function<void(qint32)> setValue);

// Shows a configuration value's state as its control's text colour and in words.
void ShowValueState(QWidget* control, ValueState state);
