#pragma once

#include <QCache>
#include <QStaticText>
#include <QStyledItemDelegate>

// Draws the communications log's rows, all of one size: as wide as the widest line
// ever logged and one text line high. The view lays its rows out from this one size,
// so no row is measured when lines come and go. Each line's glyphs are laid out once,
// when the line is measured for the list's width, and kept while the line is likely
// still shown: shaping a line's text is the dearest part of logging a frame.
class LogLineDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // Lays the line out in `font`, keeping the glyphs for its drawing, and returns the
    // width it takes on screen.
    int lineWidth(const QString& line, const QFont& font) const;
    void setRowWidth(int pixels) { m_rowWidth = pixels; }
    // After a font or style change the row height is taken again from the style.
    void forgetRowHeight() { m_rowHeight = -1; }

private:
    QStaticText& laidOut(const QString& line) const;

    int m_rowWidth = 0;
    mutable int m_rowHeight = -1;
    mutable QCache<QString, QStaticText> m_laidOut{256};  // more than a screen of lines
};
