#pragma once

#include "link/MessageList.h"

#include <QStringList>

#include <functional>

// The communications log's list without a screen: it keeps the lines the log keeps and
// hands every new line, with its time, to whoever prints them (monitor).
class HeadlessMessageList : public MessageList {
public:
    using LineShown = std::function<void(const QString& text, const QDateTime& arrived)>;

    void setLineShown(LineShown shown) { m_shown = std::move(shown); }

    int lineCount() const override { return static_cast<int>(m_lines.size()); }
    void insertTopLine(const QString& text, const QDateTime& arrived) override;
    void removeLine(int index) override;
    void removeAllLines() override { m_lines.clear(); }
    // A terminal measures in characters.
    int measureLine(const QString& text) const override { return static_cast<int>(text.size()); }
    void setHorizontalExtent(int) override {}
    QString tag() const override { return m_tag; }
    void setTag(const QString& tag) override { m_tag = tag; }

private:
    QStringList m_lines;
    QString m_tag;
    LineShown m_shown;
};
