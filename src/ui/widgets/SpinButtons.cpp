#include "ui/widgets/SpinButtons.h"

#include "config/NumericEntryRule.h"

#include <QAccessible>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QToolButton* CreateArrowButton(Qt::ArrowType arrow, const QString& name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    // The pair shares whatever size it is given.
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    return button;
}

}  // namespace

SpinButtons::SpinButtons(QWidget* parent)
    : QWidget(parent),
      m_up(CreateArrowButton(Qt::UpArrow, QStringLiteral("stepUpButton"), this)),
      m_down(CreateArrowButton(Qt::DownArrow, QStringLiteral("stepDownButton"), this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    connect(m_up, &QToolButton::clicked, this, &SpinButtons::stepUp);
    connect(m_down, &QToolButton::clicked, this, &SpinButtons::stepDown);
}

void SpinButtons::bindTo(QLineEdit* box, qint32 minimum, qint32 maximum, qint32 step)
{
    m_box = box;
    setRange(minimum, maximum);
    setStep(step);
    nameAfterBox();
}

void SpinButtons::nameAfter(const QString& boxName)
{
    m_up->setAccessibleName(QStringLiteral("Increase %1").arg(boxName));
    m_down->setAccessibleName(QStringLiteral("Decrease %1").arg(boxName));
}

// The box's name as a screen reader hears it: its own accessible name, else its label's.
void SpinButtons::nameAfterBox()
{
    QAccessibleInterface* box = m_box ? QAccessible::queryAccessibleInterface(m_box) : nullptr;
    const QString name = box ? box->text(QAccessible::Name) : QString();
    if (!name.isEmpty())
        nameAfter(name);
}

// A label may be given to the box after binding; by the time the pair shows it has one.
void SpinButtons::showEvent(QShowEvent* event)
{
    nameAfterBox();
    QWidget::showEvent(event);
}

QSize SpinButtons::sizeHint() const
{
    const int height = m_box ? m_box->sizeHint().height() : fontMetrics().height() + 8;
    return {std::max(18, fontMetrics().height()), height};
}

void SpinButtons::setRange(qint32 minimum, qint32 maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    m_value = std::clamp(m_value, minimum, maximum);
}

void SpinButtons::setStep(qint32 step)
{
    m_step = step;
}

void SpinButtons::stepUp()
{
    stepBy(m_step);
}

void SpinButtons::stepDown()
{
    stepBy(-m_step);
}

void SpinButtons::stepBy(qint32 delta)
{
    const qint64 next = qint64(startingValue()) + delta;
    m_value = qint32(std::clamp<qint64>(next, m_minimum, m_maximum));
    if (m_box)
        m_box->setText(QString::number(m_value));
}

// The box's number when it holds one, else the last value stepped to.
qint32 SpinButtons::startingValue() const
{
    const std::optional<double> number = m_box ? ParseNumericText(m_box->text()) : std::nullopt;
    if (!number)
        return m_value;
    return RoundHalfToEven(std::clamp(*number, double(m_minimum), double(m_maximum)));
}
