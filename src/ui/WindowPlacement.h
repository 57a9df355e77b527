#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

// Where a window opens: at the size it asks for, or smaller where the screen has less room,
// centred, with its title bar on the screen. `frame` is what the window manager adds
// around the window; the result is the window's own (inner) geometry.
QRect FitWindowToScreen(const QSize& wanted, const QMargins& frame, const QRect& available);

// Opens `window` on its screen (or the primary one) at `wanted` as FitWindowToScreen says.
void PlaceOnScreen(QWidget& window, const QSize& wanted);

// After restoring a stored geometry: the window keeps it where it fits the screen it is on
// now (another, smaller screen may have replaced the one it was stored on).
void KeepOnScreen(QWidget& window);
