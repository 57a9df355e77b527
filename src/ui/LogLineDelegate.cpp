#include "ui/LogLineDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QtMath>

namespace {

QColor LineColour(const QStyleOptionViewItem& option)
{
    const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (option.state & QStyle::State_Active) ? QPalette::Normal
                                                                                : QPalette::Inactive;
    const QPalette::ColorRole role =
        option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text;
    return option.palette.color(group, role);
}

}  // namespace

QSize LogLineDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (m_rowHeight < 0)  // one line of text in the style's item layout
        m_rowHeight = QStyledItemDelegate::sizeHint(option, index).height();
    return {m_rowWidth, m_rowHeight};
}

void LogLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QString line = item.text;
    item.text.clear();  // the style draws the row's background, selection and focus only
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
    if (line.isEmpty())
        return;

    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, &item, widget) + 1;
    const int top = option.rect.top() + (option.rect.height() - option.fontMetrics.height()) / 2;
    painter->save();
    painter->setPen(LineColour(option));
    painter->setFont(option.font);
    painter->drawStaticText(QPoint(option.rect.left() + margin, top), laidOut(line));
    painter->restore();
}

int LogLineDelegate::lineWidth(const QString& line, const QFont& font) const
{
    QStaticText& glyphs = laidOut(line);
    glyphs.prepare(QTransform(), font);
    return qCeil(glyphs.size().width());
}

QStaticText& LogLineDelegate::laidOut(const QString& line) const
{
    if (QStaticText* glyphs = m_laidOut.object(line))
        return *glyphs;
    auto* glyphs = new QStaticText(line);
    glyphs->setTextFormat(Qt::PlainText);
    m_laidOut.insert(line, glyphs);
    return *glyphs;
}
