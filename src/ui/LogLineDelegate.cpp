#include "ui/LogLineDelegate.h"

QSize LogLineDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (m_rowHeight < 0)  // one line of text in the style's item layout
        m_rowHeight = QStyledItemDelegate::sizeHint(option, index).height();
    return {m_rowWidth, m_rowHeight};
}
