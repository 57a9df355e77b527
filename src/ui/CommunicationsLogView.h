#pragma once

#include "link/MessageList.h"

#include <QListView>

#include <memory>

class CommunicationsLogModel;
class LogLineDelegate;
class QAction;
class ScreenRefresh;

// The on-screen list of the communications log (lstSerialMessages). Every row is as
// wide as the horizontal extent, the widest line ever added (and the time before it
// when timestamps are shown), so the list's own layout gives the scroll range and
// long lines are scrolled to, never shortened. Lines can be selected and copied
// as shown: Ctrl+C, or "Copy" and "Copy All" in its context menu.
// New lines come in at the top and move every row down: the rows already drawn are
// moved as pixels and only the new rows are drawn.
class CommunicationsLogView : public QListView, public MessageList {
    Q_OBJECT
public:
    // Rows reach the screen at the window's refresh, or at one of the list's own.
    explicit CommunicationsLogView(QWidget* parent = nullptr);
    explicit CommunicationsLogView(ScreenRefresh& refresh, QWidget* parent = nullptr);
    ~CommunicationsLogView() override;

    int lineCount() const override;
    void insertTopLine(const QString& text, const QDateTime& arrived) override;
    void removeLine(int index) override;
    void removeAllLines() override;
    int measureLine(const QString& text) const override;
    void setHorizontalExtent(int pixels) override;
    QString tag() const override;
    void setTag(const QString& tag) override;

    // The width of every row: the widest line's, plus the time's when shown.
    int horizontalExtent() const;
    // The log's line at `index` (0 = top), and all its lines from the top, without
    // times. The rows on screen follow at the next screen refresh.
    QString line(int index) const;
    const QStringList& lines() const;

    // Each row shows its line's time of arrival before it ("hh:mm:ss.zzz ").
    void setShowTimestamps(bool show);
    bool showsTimestamps() const;

    // The selected rows, or all rows, as shown, top to bottom, one per line.
    void copySelectedLines() const;
    void copyAllLines() const;

    void reset() override;

protected:
    void changeEvent(QEvent* event) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = {}) override;
    void doItemsLayout() override;
    void updateGeometries() override;

private:
    CommunicationsLogView(ScreenRefresh* shared, QWidget* parent);
    void addCopyActions();
    int timestampWidth() const;
    void updateRowWidth();
    bool rowIsOnScreen(int row) const;

    std::unique_ptr<ScreenRefresh> m_ownRefresh;  // when the list has no window's to follow
    CommunicationsLogModel* m_model;
    LogLineDelegate* m_delegate;
    int m_scrollBarExtent = 0;
    int m_extent = 0;
    QString m_tag;
    // Rows inserted at the top since the last layout, whose pixels the layout may move
    // instead of drawing them again; -1: another change needs every row drawn.
    int m_rowsToMoveDown = 0;
};
