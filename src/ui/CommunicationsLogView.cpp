#include "ui/CommunicationsLogView.h"

#include <QFontMetrics>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

CommunicationsLogView::CommunicationsLogView(QWidget* parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("lstSerialMessages"));
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Long lines are scrolled to, never shortened with an ellipsis.
    setTextElideMode(Qt::ElideNone);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

int CommunicationsLogView::lineCount() const
{
    return count();
}

void CommunicationsLogView::insertTopLine(const QString& text)
{
    insertItem(0, text);
}

void CommunicationsLogView::removeLine(int index)
{
    delete takeItem(index);
}

void CommunicationsLogView::removeAllLines()
{
    clear();
}

int CommunicationsLogView::measureLine(const QString& text) const
{
    return QFontMetrics(font()).horizontalAdvance(text)
           + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

void CommunicationsLogView::setHorizontalExtent(int pixels)
{
    m_extent = pixels;
    updateGeometries();
}

QString CommunicationsLogView::tag() const
{
    return m_tag;
}

void CommunicationsLogView::setTag(const QString& tag)
{
    m_tag = tag;
}

void CommunicationsLogView::updateGeometries()
{
    QListWidget::updateGeometries();
    horizontalScrollBar()->setRange(0, std::max(0, m_extent - viewport()->width()));
}
