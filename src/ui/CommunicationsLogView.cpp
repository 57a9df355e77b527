#include "ui/CommunicationsLogView.h"

#include "ui/CommunicationsLogModel.h"
#include "ui/LogLineDelegate.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QStyle>

#include <algorithm>

namespace {

QString RowsAsText(const QAbstractItemModel& model, QList<int> rows)
{
    std::sort(rows.begin(), rows.end());  // top to bottom, whatever order they were picked in
    QStringList lines;
    for (int row : rows)
        lines << model.index(row, 0).data().toString();
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

CommunicationsLogView::CommunicationsLogView(QWidget* parent)
    : QListView(parent),
      m_model(new CommunicationsLogModel(this)),
      m_delegate(new LogLineDelegate(this))
{
    setObjectName(QStringLiteral("lstSerialMessages"));
    setAccessibleName(QStringLiteral("Communications Log"));
    setModel(m_model);
    setItemDelegate(m_delegate);
    setUniformItemSizes(true);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Long lines are scrolled to, never shortened with an ellipsis.
    setTextElideMode(Qt::ElideNone);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    addCopyActions();
}

void CommunicationsLogView::addCopyActions()
{
    // Ctrl+C while the list has focus copies the selection, not just the current line.
    auto* copy = new QAction(QStringLiteral("Copy"), this);
    copy->setObjectName(QStringLiteral("mnuLogCopy"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &CommunicationsLogView::copySelectedLines);
    auto* copyAll = new QAction(QStringLiteral("Copy All"), this);
    copyAll->setObjectName(QStringLiteral("mnuLogCopyAll"));
    connect(copyAll, &QAction::triggered, this, &CommunicationsLogView::copyAllLines);
    addAction(copy);
    addAction(copyAll);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

int CommunicationsLogView::lineCount() const
{
    return static_cast<int>(m_model->lines().size());
}

void CommunicationsLogView::insertTopLine(const QString& text, const QDateTime& arrived)
{
    m_model->insertTopLine(text, arrived.time());
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
    updateRowWidth();
}

int CommunicationsLogView::horizontalExtent() const
{
    return m_extent + (showsTimestamps() ? timestampWidth() : 0);
}

// At least as wide as any "hh:mm:ss.zzz " in the list's font, whatever its digits' widths.
int CommunicationsLogView::timestampWidth() const
{
    const QFontMetrics metrics(font());
    int widestDigit = 0;
    for (char digit = '0'; digit <= '9'; ++digit)
        widestDigit = std::max(widestDigit, metrics.horizontalAdvance(QLatin1Char(digit)));
    return 9 * widestDigit + metrics.horizontalAdvance(QStringLiteral("::. "));
}

void CommunicationsLogView::updateRowWidth()
{
    m_delegate->setRowWidth(horizontalExtent());
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

void CommunicationsLogView::setShowTimestamps(bool show)
{
    m_model->setShowTimestamps(show);
    updateRowWidth();
}

bool CommunicationsLogView::showsTimestamps() const
{
    return m_model->showsTimestamps();
}

void CommunicationsLogView::copySelectedLines() const
{
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        rows << index.row();
    if (!rows.isEmpty())
        QGuiApplication::clipboard()->setText(RowsAsText(*m_model, rows));
}

void CommunicationsLogView::copyAllLines() const
{
    QList<int> rows;
    for (int row = 0; row < m_model->rowCount(); ++row)
        rows << row;
    QGuiApplication::clipboard()->setText(RowsAsText(*m_model, rows));
}

void CommunicationsLogView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_delegate->forgetRowHeight();
        updateRowWidth();
    }
    QListView::changeEvent(event);
}
