#pragma once

#include <QString>

// The main window's three status bar panels (1 = port, 2 = baud rate, 3 = status)
// as the presenter writes them.
class StatusPanels {
public:
    virtual ~StatusPanels() = default;
    virtual void SetStatusPanel(int panel, const QString& text) = 0;
};
