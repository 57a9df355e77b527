#pragma once

#include <QPointer>
#include <QWidget>

class QLineEdit;
class QToolButton;

// An up/down button pair. Bound to an entry box, each step takes the box's number
// (rounded), adds or subtracts the step within the bounds, and writes the result as
// the box's new text, which runs the box's own change handling. Unbound, it only
// steps a value of its own. Screen readers read the arrows as "Increase <box>" and
// "Decrease <box>", after the bound box's accessible name or the name given.
class SpinButtons : public QWidget {
    Q_OBJECT
public:
    explicit SpinButtons(QWidget* parent = nullptr);

    void bindTo(QLineEdit* box, qint32 minimum, qint32 maximum, qint32 step);
    void nameAfter(const QString& boxName);
    void setRange(qint32 minimum, qint32 maximum);
    void setStep(qint32 step);

    // The value of the last step (the lower bound before the first).
    qint32 value() const { return m_value; }

    void stepUp();
    void stepDown();

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

    // As narrow as an arrow needs and as high as the bound box (about a line of text
    // when unbound), so that the pair stands beside its box in a layout.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void nameAfterBox();
    void stepBy(qint32 delta);
    qint32 startingValue() const;

    QPointer<QLineEdit> m_box;
    qint32 m_minimum = 0;
    qint32 m_maximum = 100;
    qint32 m_step = 1;
    qint32 m_value = 0;
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
};
