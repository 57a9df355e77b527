#include "config/PageControls.h"

#include "config/SpinButtons.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QLabel* AddLabel(QWidget* parent, const char* name, const QString& caption, const QRect& geometry)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    return label;
}

QPushButton* AddButton(QWidget* parent, const char* name, const QString& caption,
                       const QRect& geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    return button;
}

QLineEdit* AddCentredBox(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setAlignment(Qt::AlignCenter);
    box->setGeometry(geometry);
    return box;
}

SpinButtons* AddSpinButtonsFor(QLineEdit* box, const QRect& geometry)
{
    const NumericBoxSpec spec = NumericBoxSpecFor(box->objectName());
    auto* spin = new SpinButtons(box->parentWidget());
    spin->setObjectName(QLatin1String(spec.spinName));
    spin->bindTo(box, spec.entry.minimum, spec.entry.maximum, spec.spinStep);
    spin->setGeometry(geometry);
    return spin;
}
