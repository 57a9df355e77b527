#include "traffic/TrafficControls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace TrafficControls {

QLabel* Label(QWidget* parent, const char* name, const QString& caption, const QRect& geometry,
              Qt::Alignment alignment)
{
    auto* label = new QLabel(caption, parent);
    if (name[0] != '\0')
        label->setObjectName(QLatin1String(name));
    label->setAlignment(alignment);
    label->setGeometry(geometry);
    return label;
}

QLabel* ValueLabel(QWidget* parent, const char* name, const QRect& geometry)
{
    QLabel* label = Label(parent, name, QStringLiteral("-"), geometry, Qt::AlignCenter);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption,
                    const QRect& geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    return button;
}

QLineEdit* Box(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    return box;
}

}  // namespace TrafficControls
