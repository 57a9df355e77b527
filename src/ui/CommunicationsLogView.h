#pragma once

#include "link/MessageList.h"

#include <QListView>

class CommunicationsLogModel;
class LogLineDelegate;

// The on-screen list of the communications log (lstSerialMessages). Every row is as
// wide as the horizontal extent, the widest line ever added, so the list's own
// layout gives the scroll range and long lines are scrolled to, never shortened.
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

    int horizontalExtent() const { return m_extent; }
    // The log's line at `index` (0 = top), and all its lines from the top. The rows on
    // screen follow within CommunicationsLogModel::kPublishIntervalMs.
    QString line(int index) const;
    const QStringList& lines() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    CommunicationsLogModel* m_model;
    LogLineDelegate* m_delegate;
    int m_extent = 0;
    QString m_tag;
};
