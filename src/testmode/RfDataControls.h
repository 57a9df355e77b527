#pragma once

class QWidget;

// The RF data message controls of the main window, which test mode takes away from the
// user. They are found by name inside `window` at each call, and one that is missing is
// skipped. The four send buttons are not switched one by one: they follow the "RF Data"
// frame, so that the buttons a running repetition has disabled stay disabled when user
// mode returns, and only its "Stop Repeat" becomes usable again.
void EnableRfDataControls(QWidget& window);
void DisableRfDataControls(QWidget& window);
