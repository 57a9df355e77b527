#pragma once

#include <QAbstractListModel>
#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>

#include <vector>

// The lines of the communications log, row 0 on top, as text only. lines() is the
// log as it stands; views learn of its changes in batches, at most one batch every
// kPublishIntervalMs. A peer at the full line rate adds a line every few
// milliseconds, and every change a view sees costs it a layout and a repaint of all
// its rows, while a screen shows at most some 60 pictures a second.
class CommunicationsLogModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int kPublishIntervalMs = 12;

    explicit CommunicationsLogModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    void insertTopLine(const QString& text);
    void removeLine(int row);
    void removeAllLines();
    const QStringList& lines() const { return m_lines; }

private:
    struct Change {
        enum class Kind { InsertTop, Remove, Clear };
        Kind kind;
        int row = 0;
        QString text;
    };

    void record(Change change);
    void publish();
    void apply(const Change& change);

    QStringList m_lines;  // the log now
    QStringList m_shown;  // what the views have been told
    std::vector<Change> m_pending;
    QTimer m_publishTimer;
    QElapsedTimer m_sincePublish;
};
