#include "ui/widgets/PageControls.h"

#include "ui/widgets/SpinButtons.h"

#include <QEvent>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace {

// Refits a box's width whenever its font or style changes.
class DigitsWidth : public QObject {
public:
    DigitsWidth(QLineEdit* box, int digits, int minimumWidth)
        : QObject(box), m_box(box), m_digits(digits), m_minimumWidth(minimumWidth)
    {
        box->installEventFilter(this);
        fit();
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
            fit();
        return QObject::eventFilter(watched, event);
    }

private:
    void fit()
    {
        const QFontMetrics metrics(m_box->font());
        // One digit more than the box holds, for the cursor and the frame's padding.
        const QMargins margins = m_box->textMargins();
        const QSize text(metrics.horizontalAdvance(QString(m_digits + 1, QLatin1Char('0'))) +
                             margins.left() + margins.right(),
                         metrics.height());
        QStyleOptionFrame option;
        option.initFrom(m_box);
        option.lineWidth = m_box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, m_box);
        const QSize needed =
            m_box->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, m_box);
        m_box->setFixedWidth(std::max(needed.width(), m_minimumWidth));
    }

    QLineEdit* m_box;
    int m_digits;
    int m_minimumWidth;
};

}  // namespace

void FitBoxToDigits(QLineEdit* box, int digits, int minimumWidth)
{
    new DigitsWidth(box, digits, minimumWidth);
}

QLineEdit* NamedCentredBox(QWidget* parent, const char* name, int digits, int minimumWidth)
{
    QLineEdit* box = NamedBox(parent, name, Qt::AlignCenter);
    FitBoxToDigits(box, digits, minimumWidth);
    return box;
}

SpinButtons* SpinButtonsFor(QLineEdit* box)
{
    const NumericBoxSpec spec = NumericBoxSpecFor(box->objectName());
    auto* spin = new SpinButtons(box->parentWidget());
    spin->setObjectName(QLatin1String(spec.spinName));
    spin->bindTo(box, spec.entry.minimum, spec.entry.maximum, spec.spinStep);
    return spin;
}

void ChainTabOrder(std::initializer_list<QWidget*> readingOrder)
{
    QWidget* previous = nullptr;
    for (QWidget* control : readingOrder) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

void ChainRegions(QWidget* window, const QList<QWidget*>& regions)
{
    const auto regionOf = [&regions](const QWidget* control) {
        for (qsizetype i = 0; i < regions.size(); ++i)
            if (regions[i] == control || regions[i]->isAncestorOf(control))
                return i;
        return regions.size();
    };
    QList<QWidget*> controls;
    for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            controls << w;
    std::stable_sort(controls.begin(), controls.end(), [&](const QWidget* a, const QWidget* b) {
        return regionOf(a) < regionOf(b);
    });
    for (qsizetype i = 1; i < controls.size(); ++i)
        QWidget::setTabOrder(controls[i - 1], controls[i]);
}
