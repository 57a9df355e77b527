#include "ui/widgets/ValueColours.h"

#include <QGuiApplication>
#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

double Luminance(const QColor& colour)
{
    const auto linear = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double Contrast(const QColor& a, const QColor& b)
{
    // Not std::minmax: over two temporaries it returns references that outlive them.
    const double first = Luminance(a), second = Luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// Of the two shades of a hue, the one that stands out more from the field.
QColor ShadeFor(const QColor& field, const QColor& forLightFields, const QColor& forDarkFields)
{
    return Contrast(forLightFields, field) >= Contrast(forDarkFields, field) ? forLightFields
                                                                             : forDarkFields;
}

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

QColor FieldOf(const QWidget* control)
{
    return control->palette().color(QPalette::Active, control->backgroundRole());
}

void Mark(QWidget* control, const QColor& colour, const QString& words)
{
    SetTextColour(control, colour);
    control->setToolTip(words);
    control->setAccessibleDescription(words);
}

}  // namespace

QColor PendingColour(const QColor& field)
{
    return ShadeFor(field, QColor(0xC0, 0x00, 0x00), QColor(0xFF, 0x8C, 0x8C));
}

QColor ConfirmedColour(const QColor& field)
{
    return ShadeFor(field, QColor(0x00, 0x00, 0xFF), QColor(0xA6, 0xA6, 0xFF));
}

QColor PendingColour()
{
    return PendingColour(QGuiApplication::palette().color(QPalette::Base));
}

QColor ConfirmedColour()
{
    return ConfirmedColour(QGuiApplication::palette().color(QPalette::Base));
}

void MarkPending(QWidget* control)
{
    Mark(control, PendingColour(FieldOf(control)), QStringLiteral("Not yet confirmed by the module"));
}

void MarkConfirmed(QWidget* control)
{
    Mark(control, ConfirmedColour(FieldOf(control)), QStringLiteral("Confirmed by the module"));
}

QColor TextColour(const QWidget* control)
{
    return control->palette().color(QPalette::Active, QPalette::Text);
}
