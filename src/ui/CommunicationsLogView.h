#pragma once

#include "link/MessageList.h"

#include <QListWidget>

// The on-screen list of the communications log (lstSerialMessages). Its horizontal
// scroll range follows the widest line ever added, not the lines it holds now.
class CommunicationsLogView : public QListWidget, public MessageList {
    Q_OBJECT
public:
    explicit CommunicationsLogView(QWidget* parent = nullptr);

    int lineCount() const override;
    void insertTopLine(const QString& text) override;
    void removeLine(int index) override;
    void removeAllLines() override;
    int measureLine(const QString& text) const override;
    void setHorizontalExtent(int pixels) override;
    QString tag() const override;
    void setTag(const QString& tag) override;

    int horizontalExtent() const { return m_extent; }

protected:
    void updateGeometries() override;

private:
    int m_extent = 0;
    QString m_tag;
};
