#pragma once

#include "link/MessageList.h"

#include <QStringList>

// A message list without a window: lines as strings, index 0 on top; every character
// measures 7 pixels and the scroll bar 17, so wider text measures wider.
class RecordingMessageList : public MessageList {
public:
    QStringList lines;
    int extent = 0;
    QString tagText;

    int lineCount() const override { return static_cast<int>(lines.size()); }
    void insertTopLine(const QString& text, const QDateTime&) override { lines.prepend(text); }
    void removeLine(int index) override { lines.removeAt(index); }
    void removeAllLines() override { lines.clear(); }
    int measureLine(const QString& text) const override
    {
        return 7 * static_cast<int>(text.size()) + 17;
    }
    void setHorizontalExtent(int pixels) override { extent = pixels; }
    QString tag() const override { return tagText; }
    void setTag(const QString& tag) override { tagText = tag; }
};
