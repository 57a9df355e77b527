#include "testmode/RfDataControls.h"

#include <QWidget>

namespace {

// In the order they are switched; the frame comes first.
constexpr const char* kRfDataControls[] = {
    "frameRfData",    "lblRfData",      "txtRFData",      "lblDestID",         "txtDestinationID",
    "lblPktID",       "txtPacketID",    "lblRepeatDelay", "txtRepeatDelay",    "updownRepeatDelay",
};

void SetRfDataControlsEnabled(QWidget& window, bool enabled)
{
    for (const char* name : kRfDataControls) {
        if (auto* control = window.findChild<QWidget*>(QLatin1String(name)))
            control->setEnabled(enabled);
    }
}

}  // namespace

void EnableRfDataControls(QWidget& window)
{
    SetRfDataControlsEnabled(window, true);
}

void DisableRfDataControls(QWidget& window)
{
    SetRfDataControlsEnabled(window, false);
}
