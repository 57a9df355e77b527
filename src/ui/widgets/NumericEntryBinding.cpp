#include "ui/widgets/NumericEntryBinding.h"

#include "config/NumericEntryRule.h"

#include <QLineEdit>

#include <limits>

namespace {

// The rule of one box, kept with the box so that the end of an edit can run it again.
class NumericEntryGuard : public QObject {
public:
    NumericEntryGuard(QLineEdit* box, std::function<qint32()> storedValue,
                      std::function<void(qint32)> setStoredValue,
                      const NumericEntryParameters& parameters)
        : QObject(box),
          m_box(box),
          m_storedValue(std::move(storedValue)),
          m_setStoredValue(std::move(setStoredValue)),
          m_parameters(parameters)
    {
        setObjectName(QLatin1String(kName));
    }

    static constexpr const char* kName = "numericEntryGuard";

    // isModified() holds only for the user's own edits: setText clears it.
    void textChanged(const QString& text)
    {
        const NumericEntryOutcome outcome = Validate(
            text, m_box->isModified() ? NumericEntrySource::UserTyping : NumericEntrySource::Other);
        if (outcome.action == NumericEntryOutcome::Action::ReplaceText) {
            m_box->setText(outcome.replacementText);  // the nested change colours and stores
            return;
        }
        if (m_parameters.marksPending)
            MarkPending(m_box);
        m_setStoredValue(outcome.storedValue);
    }

    // A number the user left below the minimum while typing takes the minimum now.
    void editFinished()
    {
        const NumericEntryOutcome outcome = Validate(m_box->text(), NumericEntrySource::Other);
        if (outcome.action == NumericEntryOutcome::Action::ReplaceText)
            m_box->setText(outcome.replacementText);
    }

private:
    NumericEntryOutcome Validate(const QString& text, NumericEntrySource source) const
    {
        return ValidateNumericEntry(text, m_parameters.minimum, m_parameters.maximum,
                                    m_storedValue(), source);
    }

    QLineEdit* m_box;
    std::function<qint32()> m_storedValue;
    std::function<void(qint32)> m_setStoredValue;
    NumericEntryParameters m_parameters;
};

}  // namespace

void BindNumericEntry(QLineEdit* box, std::function<qint32()> storedValue,
                      std::function<void(qint32)> setStoredValue,
                      const NumericEntryParameters& parameters)
{
    if (parameters.maxChars > 0)
        box->setMaxLength(parameters.maxChars);
    auto* guard =
        new NumericEntryGuard(box, std::move(storedValue), std::move(setStoredValue), parameters);
    QObject::connect(box, &QLineEdit::textChanged, guard, &NumericEntryGuard::textChanged);
    QObject::connect(box, &QLineEdit::editingFinished, guard, &NumericEntryGuard::editFinished);
}

void FinishNumericEntry(QLineEdit* box)
{
    auto* guard = box->findChild<QObject*>(QLatin1String(NumericEntryGuard::kName),
                                           Qt::FindDirectChildrenOnly);
    if (guard)
        static_cast<NumericEntryGuard*>(guard)->editFinished();
}

void BindNumericEntry(QLineEdit* box, qint16& storedValue, const NumericEntryParameters& parameters)
{
    Q_ASSERT(parameters.minimum >= std::numeric_limits<qint16>::min()
             && parameters.maximum <= std::numeric_limits<qint16>::max());
    qint16* stored = &storedValue;
    BindNumericEntry(
        box, [stored] { return qint32(*stored); },
        [stored](qint32 value) { *stored = static_cast<qint16>(value); }, parameters);
}

void BindNumericEntry(QLineEdit* box, qint32& storedValue, const NumericEntryParameters& parameters)
{
    qint32* stored = &storedValue;
    BindNumericEntry(
        box, [stored] { return *stored; }, [stored](qint32 value) { *stored = value; }, parameters);
}

void WriteNumericText(QLineEdit* box, const QString& text)
{
    // The rule's replacement of an out-of-range text is a number within the bounds,
    // which always fits the limit that is put back afterwards.
    const int limit = box->maxLength();
    box->setMaxLength(std::numeric_limits<qint16>::max());
    box->setText(text);
    box->setMaxLength(limit);
}
