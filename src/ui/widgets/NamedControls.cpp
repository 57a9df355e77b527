#include "ui/widgets/NamedControls.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

template <typename Control>
Control* Placed(Control* control, const char* name, const QRect& geometry)
{
    if (name[0] != '\0')
        control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
    return control;
}

}  // namespace

QLabel* AddLabel(QWidget* parent, const char* name, const QString& caption, const QRect& geometry,
                 Qt::Alignment alignment)
{
    auto* label = Placed(new QLabel(caption, parent), name, geometry);
    label->setAlignment(alignment);
    // Labels show what the module reports or a file holds: never interpreted as markup.
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton* AddButton(QWidget* parent, const char* name, const QString& caption,
                       const QRect& geometry)
{
    return Placed(new QPushButton(caption, parent), name, geometry);
}

QLineEdit* AddBox(QWidget* parent, const char* name, const QRect& geometry, Qt::Alignment alignment)
{
    auto* box = Placed(new QLineEdit(parent), name, geometry);
    box->setAlignment(alignment);
    return box;
}

QCheckBox* AddCheckBox(QWidget* parent, const char* name, const QString& caption,
                       const QRect& geometry)
{
    return Placed(new QCheckBox(caption, parent), name, geometry);
}

QRadioButton* AddOption(QWidget* parent, const char* name, const QString& caption,
                        const QRect& geometry)
{
    return Placed(new QRadioButton(caption, parent), name, geometry);
}
