#pragma once

#include "config/ValueState.h"

#include <QtGlobal>

#include <functional>

class QLineEdit;
class QRect;
class QWidget;

// A centred numeric box that applies its own entry rule and hands every value it accepts
// to setValue; value is the value behind the box. Its colour is left to ShowValueState.
QLineEdit* AddBoundNumericBox(QWidget* parent, const char* name, const QRect& geometry,
                              std::function<qint32()> value, std::function<void(qint32)> setValue);

// Shows a configuration value's state as its control's text colour.
void ShowValueState(QWidget* control, ValueState state);
