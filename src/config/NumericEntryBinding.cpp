#include "config/NumericEntryBinding.h"

#include "config/NumericEntryRule.h"

#include <QLineEdit>

#include <limits>

namespace {

void ApplyRule(QLineEdit* box, const QString& text, const std::function<qint32()>& storedValue,
               const std::function<void(qint32)>& setStoredValue,
               const NumericEntryParameters& parameters)
{
    const NumericEntryOutcome outcome =
        ValidateNumericEntry(text, parameters.minimum, parameters.maximum, storedValue());
    if (outcome.action == NumericEntryOutcome::Action::ReplaceText) {
        box->setText(outcome.replacementText);  // the nested change colours and stores
        return;
    }
    if (parameters.marksPending)
        MarkPending(box);
    setStoredValue(outcome.storedValue);
}

}  // namespace

void BindNumericEntry(QLineEdit* box, std::function<qint32()> storedValue,
                      std::function<void(qint32)> setStoredValue,
                      const NumericEntryParameters& parameters)
{
    if (parameters.maxChars > 0)
        box->setMaxLength(parameters.maxChars);
    QObject::connect(box, &QLineEdit::textChanged, box,
                     [box, storedValue = std::move(storedValue),
                      setStoredValue = std::move(setStoredValue), parameters](const QString& text) {
                         ApplyRule(box, text, storedValue, setStoredValue, parameters);
                     });
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
