#pragma once

#include <QString>

// The main window's three status bar panels (1 = port, 2 = baud rate, 3 = status)
// as the presenter writes them.
class StatusPanels {
public:
    virtual ~StatusPanels() = default;
    virtual void SetStatusPanel(int panel, const QString& text) = 0;
    // A short-lived notice shown beside the panels, which keep their texts. Panels with no
    // room for one let it pass.
    virtual void ShowNotice(const QString& text) { static_cast<void>(text); }
};
