#include "ui/CommunicationsLogModel.h"

#include "ui/ScreenRefresh.h"

#include <algorithm>

CommunicationsLogModel::CommunicationsLogModel(ScreenRefresh& refresh, QObject* parent)
    : QAbstractListModel(parent), m_refresh(refresh)
{
    connect(&m_refresh, &ScreenRefresh::refreshed, this, &CommunicationsLogModel::publish);
}

int CommunicationsLogModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_shown.size());
}

QVariant CommunicationsLogModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole
        || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    return m_shown.at(index.row()).shown;
}

void CommunicationsLogModel::insertTopLine(const QString& text, const QTime& arrived)
{
    m_lines.prepend(text);
    record({Change::Kind::InsertTop, 0, text, arrived});
}

void CommunicationsLogModel::removeLine(int row)
{
    if (row < 0 || row >= m_lines.size())
        return;
    m_lines.removeAt(row);
    record({Change::Kind::Remove, row, {}, {}});
}

void CommunicationsLogModel::removeAllLines()
{
    m_lines.clear();
    record({Change::Kind::Clear, 0, {}, {}});
}

void CommunicationsLogModel::setShowTimestamps(bool show)
{
    if (show == m_showTimestamps)
        return;
    m_showTimestamps = show;
    for (Row& row : m_shown)
        row.shown = shownText(row.text, row.arrived);
    if (!m_shown.isEmpty())
        emit dataChanged(index(0), index(static_cast<int>(m_shown.size()) - 1), {Qt::DisplayRole});
}

QString CommunicationsLogModel::shownText(const QString& text, const QTime& arrived) const
{
    if (!m_showTimestamps || text.isEmpty())
        return text;
    return arrived.toString(QStringLiteral("hh:mm:ss.zzz ")) + text;
}

void CommunicationsLogModel::record(Change change)
{
    m_pending.push_back(std::move(change));
    m_refresh.request();
}

void CommunicationsLogModel::publish()
{
    auto first = m_pending.cbegin();
    while (first != m_pending.cend()) {
        const auto clear = std::find_if(first, m_pending.cend(), [](const Change& change) {
            return change.kind == Change::Kind::Clear;
        });
        publishRun(first, clear);
        if (clear == m_pending.cend())
            break;
        clearShownRows();
        first = std::next(clear);
    }
    m_pending.clear();
}

// Lines only ever go in at the top, so a removal made before some of them were added
// takes the same line when it is made after all of them, that many rows lower.
void CommunicationsLogModel::publishRun(std::vector<Change>::const_iterator first,
                                        std::vector<Change>::const_iterator last)
{
    const auto inserts = std::count_if(first, last, [](const Change& change) {
        return change.kind == Change::Kind::InsertTop;
    });
    QList<Row> added;
    added.reserve(inserts);
    std::vector<int> removed;
    int insertsAfter = static_cast<int>(inserts);
    for (auto change = first; change != last; ++change) {
        if (change->kind == Change::Kind::InsertTop) {
            added.prepend({change->text, change->arrived, shownText(change->text, change->arrived)});
            --insertsAfter;
        } else {
            removed.push_back(change->row + insertsAfter);
        }
    }
    if (!added.isEmpty()) {
        beginInsertRows({}, 0, static_cast<int>(added.size()) - 1);
        added.append(std::move(m_shown));
        m_shown = std::move(added);
        endInsertRows();
    }
    removeShownRows(removed);
}

// Removals one after the other at the same row, or each one row above the one before,
// take away one block of rows.
void CommunicationsLogModel::removeShownRows(const std::vector<int>& rows)
{
    for (size_t i = 0; i < rows.size();) {
        int top = rows[i];
        int bottom = top;
        for (++i; i < rows.size() && (rows[i] == top || rows[i] == top - 1); ++i) {
            if (rows[i] == top)
                ++bottom;
            else
                --top;
        }
        beginRemoveRows({}, top, bottom);
        m_shown.remove(top, bottom - top + 1);
        endRemoveRows();
    }
}

void CommunicationsLogModel::clearShownRows()
{
    beginResetModel();
    m_shown.clear();
    endResetModel();
}
