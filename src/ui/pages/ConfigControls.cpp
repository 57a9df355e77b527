#include "ui/pages/ConfigControls.h"

#include "config/NumericBoxSpec.h"
#include "ui/widgets/PageControls.h"
#include "ui/widgets/ValueColours.h"

QLineEdit* AddBoundNumericBox(QWidget* parent, const char* name, const QRect& geometry,
                              std::function<qint32()> value, std::function<void(qint32)> setValue)
{
    QLineEdit* box = AddCentredBox(parent, name, geometry);
    NumericEntryParameters entry = NumericBoxSpecFor(QLatin1String(name)).entry;
    entry.marksPending = false;  // the controller tells the state
    BindNumericEntry(box, std::move(value), std::move(setValue), entry);
    return box;
}

void ShowValueState(QWidget* control, ValueState state)
{
    if (state == ValueState::Pending)
        MarkPending(control);
    else if (state == ValueState::Confirmed)
        MarkConfirmed(control);
}
