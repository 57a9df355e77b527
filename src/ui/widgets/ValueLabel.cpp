#include "ui/widgets/ValueLabel.h"

#include <QLabel>

QLabel* AddValueLabel(QWidget* parent, const char* name, const QRect& geometry)
{
    QLabel* label = AddLabel(parent, name, QStringLiteral("-"), geometry, Qt::AlignCenter);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}
