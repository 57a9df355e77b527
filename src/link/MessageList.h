#pragma once

#include <QDateTime>
#include <QString>

// What the communications log needs of the list that shows it: a list of lines,
// index 0 at the top, whose horizontal scroll extent can be set, and a way to
// measure a line in the list's own font.
class MessageList {
public:
    virtual ~MessageList() = default;
    virtual int lineCount() const = 0;
    // `arrived`: when the line came, for a list that shows times.
    virtual void insertTopLine(const QString& text, const QDateTime& arrived) = 0;
    virtual void removeLine(int index) = 0;
    virtual void removeAllLines() = 0;
    // Width in pixels of the text on one line in the list's font, plus the width of
    // a vertical scroll bar.
    virtual int measureLine(const QString& text) const = 0;
    virtual void setHorizontalExtent(int pixels) = 0;
    // The widest width remembered with the list ("" = 0).
    virtual QString tag() const = 0;
    virtual void setTag(const QString& tag) = 0;
};
