#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QStringList>
#include <QTime>

#include <vector>

class ScreenRefresh;

// The lines of the communications log, row 0 on top, as text only. lines() is the
// log as it stands; views learn of its changes at the screen's refresh, all lines
// added since the last one as one insertion at the top and the lines that went as
// few removals as possible: a peer at the full line rate adds a line every few
// milliseconds, and every change a view sees costs it a layout and a repaint.
// With timestamps on, each row shows its line's time of arrival first.
class CommunicationsLogModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit CommunicationsLogModel(ScreenRefresh& refresh, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    void insertTopLine(const QString& text, const QTime& arrived);
    void removeLine(int row);
    void removeAllLines();
    const QStringList& lines() const { return m_lines; }

    // Rows show "hh:mm:ss.zzz " before each line; empty lines stay empty, so they
    // still set exchanges apart. Rows already shown are rendered again.
    void setShowTimestamps(bool show);
    bool showsTimestamps() const { return m_showTimestamps; }

private:
    struct Row {
        QString text;
        QTime arrived;
        QString shown;  // the text, after its time when timestamps are on
    };
    struct Change {
        enum class Kind { InsertTop, Remove, Clear };
        Kind kind;
        int row = 0;
        QString text;
        QTime arrived;
    };

    QString shownText(const QString& text, const QTime& arrived) const;
    void record(Change change);
    void publish();
    // Changes up to the next Clear: the lines added go in first, the removals after them.
    void publishRun(std::vector<Change>::const_iterator first,
                    std::vector<Change>::const_iterator last);
    void removeShownRows(const std::vector<int>& rows);
    void clearShownRows();

    QStringList m_lines;  // the log now
    QList<Row> m_shown;   // what the views have been told
    std::vector<Change> m_pending;
    ScreenRefresh& m_refresh;
    bool m_showTimestamps = false;
};
