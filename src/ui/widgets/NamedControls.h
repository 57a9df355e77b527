#pragma once

#include <QRect>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// Builders for the pages' controls: each is placed at a fixed position and carries the
// name the rest of the program (and the tests) know it by. An empty name leaves a
// static caption unnamed.
QLabel* AddLabel(QWidget* parent, const char* name, const QString& caption, const QRect& geometry,
                 Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
QPushButton* AddButton(QWidget* parent, const char* name, const QString& caption,
                       const QRect& geometry);
QLineEdit* AddBox(QWidget* parent, const char* name, const QRect& geometry,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
QCheckBox* AddCheckBox(QWidget* parent, const char* name, const QString& caption,
                       const QRect& geometry);
QRadioButton* AddOption(QWidget* parent, const char* name, const QString& caption,
                        const QRect& geometry);
