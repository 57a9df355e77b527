#include "ui/pages/ConfigControls.h"

#include "config/NumericBoxSpec.h"
#include "ui/widgets/PageControls.h"
#include "ui/widgets/ValueColours.h"

QLineEdit* BoundNumericBox(QWidget* parent, const char* name, int minimumWidth, int minimumHeight,
                           std::function<qint32()> value, std::function<void(qint32)> setValue)
{
    NumericEntryParameters entry = NumericBoxSpecFor(QLatin1String(name)).entry;
    QLineEdit* box = NamedCentredBox(parent, name, entry.maxChars, minimumWidth);
    box->setMinimumHeight(minimumHeight);
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
