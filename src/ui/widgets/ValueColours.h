#pragma once

#include <QColor>

class QWidget;

// A configuration control whose value the host changed shows its text in the pending
// colour (red) until the module acknowledges or reports the value, then in the confirmed
// colour (blue). Nothing returns a control to the ordinary text colour. Each colour comes
// in a dark shade for light fields and a light shade for dark fields, so the text keeps at
// least 4.5:1 contrast on either; the control also says its state in its tooltip and
// accessible description.
QColor PendingColour(const QColor& field);
QColor ConfirmedColour(const QColor& field);
// The shades for the fields of the application's palette.
QColor PendingColour();
QColor ConfirmedColour();

// Work for line edits, check boxes, option buttons and drop-down lists alike; the shade
// follows the control's own background.
void MarkPending(QWidget* control);
void MarkConfirmed(QWidget* control);

// The text colour a control shows while enabled.
QColor TextColour(const QWidget* control);
