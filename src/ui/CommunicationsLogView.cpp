#include "ui/CommunicationsLogView.h"

#include "ui/CommunicationsLogModel.h"
#include "ui/LogLineDelegate.h"
#include "ui/ScreenRefresh.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <tuple>
#include <utility>

namespace {

QString RowsAsText(const QAbstractItemModel& model, QList<int> rows)
{
    std::sort(rows.begin(), rows.end());  // top to bottom, whatever order they were picked in
    QStringList lines;
    for (int row : rows)
        lines << model.index(row, 0).data().toString();
    return lines.join(QLatin1Char('\n'));
}

// What a scroll bar shows, and where.
struct ScrollBarLook {
    int minimum, maximum, value, pageStep;
    bool visible, enabled;
    QRect place;  // in the list's coordinates

    ScrollBarLook(const QScrollBar& bar, const QWidget& list)
        : minimum(bar.minimum()), maximum(bar.maximum()), value(bar.value()),
          pageStep(bar.pageStep()), visible(bar.isVisible()), enabled(bar.isEnabled()),
          place(bar.mapTo(&list, QPoint()), bar.size())
    {
    }
    bool operator==(const ScrollBarLook& o) const
    {
        return std::tie(minimum, maximum, value, pageStep, visible, enabled, place)
               == std::tie(o.minimum, o.maximum, o.value, o.pageStep, o.visible, o.enabled,
                           o.place);
    }
};

// Holds a scroll bar's repaints while the list lays itself out, then repaints it only if
// what it shows changed. Each layout sets the bar's steps and raises its container above
// the other's, and both repaint the bar even when nothing it shows changed.
class ScrollBarRepaintHold {
public:
    ScrollBarRepaintHold(QScrollBar& bar, const QWidget& list)
        : m_bar(bar), m_area(bar.parentWidget() != &list ? *bar.parentWidget() : bar),
          m_list(list), m_before(bar, list), m_wasHeld(m_area.testAttribute(Qt::WA_UpdatesDisabled))
    {
        if (!m_wasHeld)
            Hold(true);
    }
    ~ScrollBarRepaintHold()
    {
        if (m_wasHeld)
            return;  // whoever held it first lets go and compares
        Hold(false);
        if (!(ScrollBarLook(m_bar, m_list) == m_before))
            m_area.update();
    }
    ScrollBarRepaintHold(const ScrollBarRepaintHold&) = delete;
    ScrollBarRepaintHold& operator=(const ScrollBarRepaintHold&) = delete;

private:
    void Hold(bool held)
    {
        m_area.setAttribute(Qt::WA_UpdatesDisabled, held);
        m_bar.setAttribute(Qt::WA_UpdatesDisabled, held);
    }

    QScrollBar& m_bar;
    QWidget& m_area;  // the bar's container, which the layout raises
    const QWidget& m_list;
    const ScrollBarLook m_before;
    const bool m_wasHeld;
};

}  // namespace

CommunicationsLogView::CommunicationsLogView(QWidget* parent)
    : CommunicationsLogView(nullptr, parent)
{
}

CommunicationsLogView::CommunicationsLogView(ScreenRefresh& refresh, QWidget* parent)
    : CommunicationsLogView(&refresh, parent)
{
}

CommunicationsLogView::CommunicationsLogView(ScreenRefresh* shared, QWidget* parent)
    : QListView(parent),
      m_ownRefresh(shared ? nullptr : std::make_unique<ScreenRefresh>()),
      m_model(new CommunicationsLogModel(shared ? *shared : *m_ownRefresh, this)),
      m_delegate(new LogLineDelegate(this)),
      m_scrollBarExtent(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this))
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

CommunicationsLogView::~CommunicationsLogView() = default;

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
    return m_delegate->lineWidth(text, font()) + m_scrollBarExtent;
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
    m_rowsToMoveDown = -1;  // every row is drawn to the new width
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

void CommunicationsLogView::rowsInserted(const QModelIndex& parent, int start, int end)
{
    if (start == 0 && !parent.isValid() && m_rowsToMoveDown >= 0)
        m_rowsToMoveDown += end - start + 1;
    else
        m_rowsToMoveDown = -1;
    QListView::rowsInserted(parent, start, end);
}

// Lines fall off the bottom of a full list: below the screen they change nothing on it.
void CommunicationsLogView::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end)
{
    if (rowIsOnScreen(start))
        m_rowsToMoveDown = -1;
    QListView::rowsAboutToBeRemoved(parent, start, end);
}

void CommunicationsLogView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                        const QList<int>& roles)
{
    m_rowsToMoveDown = -1;
    QListView::dataChanged(topLeft, bottomRight, roles);
}

void CommunicationsLogView::reset()
{
    m_rowsToMoveDown = -1;
    QListView::reset();
}

// The first row on screen is the one the vertical scroll bar stands at, whatever was
// inserted above it.
bool CommunicationsLogView::rowIsOnScreen(int row) const
{
    const int rowHeight = std::max(1, sizeHintForRow(0));
    const int scrolled = verticalScrollBar()->value();
    const int first = verticalScrollMode() == ScrollPerItem ? scrolled : scrolled / rowHeight;
    return (row - first) * rowHeight < viewport()->height();
}

// The list's own layout draws every row again; when the only change is rows inserted at
// the top, the rows on screen move down as they are and only the new rows are drawn.
void CommunicationsLogView::doItemsLayout()
{
    const ScrollBarRepaintHold vertical(*verticalScrollBar(), *this);
    const ScrollBarRepaintHold horizontal(*horizontalScrollBar(), *this);
    const int rowsToMoveDown = std::exchange(m_rowsToMoveDown, 0);
    const QPoint scrolledTo(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const QSize size = viewport()->size();
    if (rowsToMoveDown <= 0 || !viewport()->isVisible()) {
        QListView::doItemsLayout();
        return;
    }
    viewport()->setAttribute(Qt::WA_UpdatesDisabled);
    QListView::doItemsLayout();
    viewport()->setAttribute(Qt::WA_UpdatesDisabled, false);
    if (scrolledTo != QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value())
        || size != viewport()->size())
        viewport()->update();
    else
        viewport()->scroll(0, rowsToMoveDown * sizeHintForRow(0));
}

void CommunicationsLogView::updateGeometries()
{
    const ScrollBarRepaintHold vertical(*verticalScrollBar(), *this);
    const ScrollBarRepaintHold horizontal(*horizontalScrollBar(), *this);
    QListView::updateGeometries();
}

void CommunicationsLogView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_scrollBarExtent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        m_delegate->forgetRowHeight();
        updateRowWidth();
    }
    QListView::changeEvent(event);
}
