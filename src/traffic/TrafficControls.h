#pragma once

#include <QRect>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Small builders for the traffic tester's controls: each is placed at a fixed position
// and carries the name the rest of the program (and the tests) know it by.
namespace TrafficControls {

QLabel* Label(QWidget* parent, const char* name, const QString& caption, const QRect& geometry,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

// A label that shows a figure: "-" until the figure is known.
QLabel* ValueLabel(QWidget* parent, const char* name, const QRect& geometry);

QPushButton* Button(QWidget* parent, const char* name, const QString& caption,
                    const QRect& geometry);

QLineEdit* Box(QWidget* parent, const char* name, const QRect& geometry);

}  // namespace TrafficControls
