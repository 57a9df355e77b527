#pragma once

#include <QColor>

class QWidget;

// A configuration control whose value the host changed shows its text in the pending
// colour until the module acknowledges or reports the value, then in the confirmed
// colour. Nothing returns a control to the ordinary text colour.
QColor PendingColour();    // pure red
QColor ConfirmedColour();  // pure blue

// Work for line edits, check boxes, option buttons and drop-down lists alike.
void MarkPending(QWidget* control);
void MarkConfirmed(QWidget* control);

// The text colour a control shows while enabled.
QColor TextColour(const QWidget* control);
