#pragma once

#include <QStyledItemDelegate>

// Draws the communications log's rows, all of one size: as wide as the widest line
// ever logged and one text line high. The view lays its rows out from this one size,
// so no row's text is measured when lines come and go.
class LogLineDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    void setRowWidth(int pixels) { m_rowWidth = pixels; }
    // After a font or style change the row height is taken again from the style.
    void forgetRowHeight() { m_rowHeight = -1; }

private:
    int m_rowWidth = 0;
    mutable int m_rowHeight = -1;
};
