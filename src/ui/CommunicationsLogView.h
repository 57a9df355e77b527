#pragma once

#include "link/MessageList.h"

#include <QListView>

class CommunicationsLogModel;
class LogLineDelegate;
class QAction;

// The on-screen list of the communications log (lstSerialMessages). Every row is as
// wide as the horizontal extent, the widest line ever added (and the time before it
// when timestamps are shown), so the list's own layout gives the scroll range and
// long lines are scrolled to, never shortened. Lines can be selected and copied
// as shown: Ctrl+C, or "Copy" and "Copy All" in its context menu.
class CommunicationsLogView : public QListView, public MessageList {
    Q_OBJECT
public:
    explicit CommunicationsLogView(QWidget* parent = nullptr);

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
    // times. The rows on screen follow within CommunicationsLogModel::kPublishIntervalMs.
    QString line(int index) const;
    const QStringList& lines() const;

    // Each row shows its line's time of arrival before it ("hh:mm:ss.zzz ").
    void setShowTimestamps(bool show);
    bool showsTimestamps() const;

    // The selected rows, or all rows, as shown, top to bottom, one per line.
    void copySelectedLines() const;
    void copyAllLines() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void addCopyActions();
    int timestampWidth() const;
    void updateRowWidth();

    CommunicationsLogModel* m_model;
    LogLineDelegate* m_delegate;
    int m_extent = 0;
    QString m_tag;
};
