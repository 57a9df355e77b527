#include "ui/CommunicationsLogView.h"

#include "ui/CommunicationsLogModel.h"
#include "ui/LogLineDelegate.h"

#include <QEvent>
#include <QFontMetrics>
#include <QStyle>

CommunicationsLogView::CommunicationsLogView(QWidget* parent)
    : QListView(parent),
      m_model(new CommunicationsLogModel(this)),
      m_delegate(new LogLineDelegate(this))
{
    setObjectName(QStringLiteral("lstSerialMessages"));
    setModel(m_model);
    setItemDelegate(m_delegate);
    setUniformItemSizes(true);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Long lines are scrolled to, never shortened with an ellipsis.
    setTextElideMode(Qt::ElideNone);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

int CommunicationsLogView::lineCount() const
{
    return static_cast<int>(m_model->lines().size());
}

void CommunicationsLogView::insertTopLine(const QString& text, const QDateTime&)
{
    m_model->insertTopLine(text);
}

void CommunicationsLogView::removeLine(int index)
{
    m_model->removeLine(index);
}

void CommunicationsLogView::removeAllLines()
{
    m_model->removeAllLines();
}

int CommunicationsLogView::measureLine(const QString& text) const
{
    return QFontMetrics(font()).horizontalAdvance(text)
           + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

void CommunicationsLogView::setHorizontalExtent(int pixels)
{
    m_extent = pixels;
    m_delegate->setRowWidth(pixels);
    scheduleDelayedItemsLayout();
}

QString CommunicationsLogView::tag() const
{
    return m_tag;
}

void CommunicationsLogView::setTag(const QString& tag)
{
    m_tag = tag;
}

QString CommunicationsLogView::line(int index) const
{
    return m_model->lines().value(index);
}

const QStringList& CommunicationsLogView::lines() const
{
    return m_model->lines();
}

void CommunicationsLogView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_delegate->forgetRowHeight();
        scheduleDelayedItemsLayout();
    }
    QListView::changeEvent(event);
}
