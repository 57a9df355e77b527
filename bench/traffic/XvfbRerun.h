#pragma once

#include <QStringList>

// Runs this program again with `arguments` on a private X server (xvfb-run, the xcb
// platform), its output going to ours, and waits for it. Offscreen, Qt draws little
// or nothing, so what the window costs to draw shows only on a display.
// Returns its exit status; -1 when xvfb-run is not installed or did not start.
int RerunUnderXvfb(const QStringList& arguments);
