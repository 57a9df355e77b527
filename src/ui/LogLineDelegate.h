#pragma once

#include <QCache>
#include <QStaticText>
#include <QStyledItemDelegate>

// Draws the communications log's rows, all of one size: as wide as the widest line
// ever logged and one text line high. The view lays its rows out from this one size,
// so no row is measured when lines come and go. Each line's glyphs are laid out once
// and kept while the line is likely still shown: every new line moves all rows
// down, and shaping every row's text again on each repaint is what a flood of
// frames would otherwise cost.
class LogLineDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    void setRowWidth(int pixels) { m_rowWidth = pixels; }
    // After a font or style change the row height is taken again from the style.
    void forgetRowHeight() { m_rowHeight = -1; }

private:
    const QStaticText& laidOut(const QString& line) const;

    int m_rowWidth = 0;
    mutable int m_rowHeight = -1;
    mutable QCache<QString, QStaticText> m_laidOut{256};  // more than a screen of lines
};
