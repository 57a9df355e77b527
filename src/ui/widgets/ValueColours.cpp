#include "ui/widgets/ValueColours.h"

#include <QPalette>
#include <QWidget>

namespace {

// Line edits and drop-down lists draw their text with Text, check boxes and option
// buttons with WindowText, some styles use ButtonText: set all three. The disabled
// group keeps the style's greyed-out text.
void SetTextColour(QWidget* control, const QColor& colour)
{
    QPalette palette = control->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
            palette.setColor(group, role, colour);
    }
    control->setPalette(palette);
}

}  // namespace

QColor PendingColour()
{
    return QColor(255, 0, 0);
}

QColor ConfirmedColour()
{
    return QColor(0, 0, 255);
}

void MarkPending(QWidget* control)
{
    SetTextColour(control, PendingColour());
}

void MarkConfirmed(QWidget* control)
{
    SetTextColour(control, ConfirmedColour());
}

QColor TextColour(const QWidget* control)
{
    return control->palette().color(QPalette::Active, QPalette::Text);
}
