#include "ui/widgets/PageControls.h"

#include "ui/widgets/SpinButtons.h"

SpinButtons* AddSpinButtonsFor(QLineEdit* box, const QRect& geometry)
{
    const NumericBoxSpec spec = NumericBoxSpecFor(box->objectName());
    auto* spin = new SpinButtons(box->parentWidget());
    spin->setObjectName(QLatin1String(spec.spinName));
    spin->bindTo(box, spec.entry.minimum, spec.entry.maximum, spec.spinStep);
    spin->setGeometry(geometry);
    return spin;
}
