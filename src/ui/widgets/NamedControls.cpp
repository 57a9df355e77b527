#include "ui/widgets/NamedControls.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

template <typename Control>
Control* Named(Control* control, const char* name)
{
    if (name[0] != '\0')
        control->setObjectName(QLatin1String(name));
    return control;
}

template <typename Control>
Control* Placed(Control* control, const char* name, const QRect& geometry)
{
    Named(control, name)->setGeometry(geometry);
    return control;
}

}  // namespace

QLabel* AddLabel(QWidget* parent, const char* name, const QString& caption, const QRect& geometry,
                 Qt::Alignment alignment)
{
    QLabel* label = NamedLabel(parent, name, caption, alignment);
    label->setGeometry(geometry);
    return label;
}

QPushButton* AddButton(QWidget* parent, const char* name, const QString& caption,
                       const QRect& geometry)
{
    return Placed(new QPushButton(caption, parent), name, geometry);
}

QLineEdit* AddBox(QWidget* parent, const char* name, const QRect& geometry, Qt::Alignment alignment)
{
    QLineEdit* box = NamedBox(parent, name, alignment);
    box->setGeometry(geometry);
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

QLabel* NamedLabel(QWidget* parent, const char* name, const QString& caption,
                   Qt::Alignment alignment)
{
    auto* label = Named(new QLabel(caption, parent), name);
    label->setAlignment(alignment);
    // Labels show what the module reports or a file holds: never interpreted as markup.
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton* NamedButton(QWidget* parent, const char* name, const QString& caption)
{
    return Named(new QPushButton(caption, parent), name);
}

QLineEdit* NamedBox(QWidget* parent, const char* name, Qt::Alignment alignment)
{
    auto* box = Named(new QLineEdit(parent), name);
    box->setAlignment(alignment);
    return box;
}

QCheckBox* NamedCheckBox(QWidget* parent, const char* name, const QString& caption)
{
    return Named(new QCheckBox(caption, parent), name);
}

QRadioButton* NamedOption(QWidget* parent, const char* name, const QString& caption)
{
    return Named(new QRadioButton(caption, parent), name);
}
