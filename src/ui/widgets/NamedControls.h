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

// The same controls for a page built with layouts: named, not placed; the layout they
// are added to gives them their place and size.
QLabel* NamedLabel(QWidget* parent, const char* name, const QString& caption,
                   Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
QPushButton* NamedButton(QWidget* parent, const char* name, const QString& caption);
QLineEdit* NamedBox(QWidget* parent, const char* name,
                    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
QCheckBox* NamedCheckBox(QWidget* parent, const char* name, const QString& caption);
QRadioButton* NamedOption(QWidget* parent, const char* name, const QString& caption);
