#pragma once

#include "ui/StatusPanels.h"

#include <QStringList>

// Status bar panels without a window; remembers every text written, in order.
class RecordingStatusPanels : public StatusPanels {
public:
    QString panel[4];
    QStringList history;  // "3:Status:" ...

    void SetStatusPanel(int index, const QString& text) override
    {
        panel[index] = text;
        history << QStringLiteral("%1:%2").arg(index).arg(text);
    }
};
