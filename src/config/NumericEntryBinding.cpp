#include "config/NumericEntryBinding.h"

#include "config/NumericEntryRule.h"

#include <QLineEdit>
#include <QValidator>

#include <limits>

namespace {

// Refuses user edits that make the text longer than the limit. QLineEdit's own
// maxLength would also cut the program's setText short.
class TypedLengthLimit : public QValidator {
public:
    TypedLengthLimit(int maxChars, QObject* parent) : QValidator(parent), m_maxChars(maxChars) {}

    State validate(QString& input, int& /*pos*/) const override
    {
        return input.size() <= m_maxChars ? Acceptable : Invalid;
    }

private:
    int m_maxChars;
};

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
        box->setValidator(new TypedLengthLimit(parameters.maxChars, box));
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
