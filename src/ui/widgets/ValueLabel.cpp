#include "ui/widgets/ValueLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QLineEdit>

namespace {

// A figure reads as what it is (its name) and what it shows now (its value), as an
// entry box reads as its caption and its text.
class FigureLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
};

class AccessibleFigure : public QAccessibleWidget {
public:
    explicit AccessibleFigure(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return static_cast<const QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* FigureAccessibility(const QString& className, QObject* object)
{
    if (className == QLatin1String("FigureLabel"))
        return new AccessibleFigure(static_cast<QLabel*>(object));
    return nullptr;
}

}  // namespace

QLabel* NamedValueLabel(QWidget* parent, const char* name, const QString& accessibleName)
{
    QAccessible::installFactory(FigureAccessibility);  // once: a second install is ignored
    auto* label = new FigureLabel(QStringLiteral("-"), parent);
    if (name[0] != '\0')
        label->setObjectName(QLatin1String(name));
    // Figures come from the module: never interpreted as markup.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAccessibleName(accessibleName);
    return label;
}

void FitToNumbers(QLineEdit* box, int characters)
{
    // A line edit's own width hint is seventeen x's plus its frame and margins.
    const QFontMetrics metrics = box->fontMetrics();
    const int hintText = metrics.horizontalAdvance(QLatin1Char('x')) * 17;
    const int ownText = metrics.horizontalAdvance(QString(characters, QLatin1Char('0')));
    box->setFixedWidth(box->sizeHint().width() - hintText + ownText);
}

#include "ValueLabel.moc"
