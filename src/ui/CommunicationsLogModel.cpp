#include "ui/CommunicationsLogModel.h"

#include <algorithm>

CommunicationsLogModel::CommunicationsLogModel(QObject* parent) : QAbstractListModel(parent)
{
    m_publishTimer.setSingleShot(true);
    connect(&m_publishTimer, &QTimer::timeout, this, &CommunicationsLogModel::publish);
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
    if (m_publishTimer.isActive())
        return;
    // Right away after a quiet spell (still after the caller's other changes), else
    // one interval after the last batch.
    const qint64 sinceLast = m_sincePublish.isValid() ? m_sincePublish.elapsed() : kPublishIntervalMs;
    m_publishTimer.start(static_cast<int>(std::max<qint64>(0, kPublishIntervalMs - sinceLast)));
}

void CommunicationsLogModel::publish()
{
    for (const Change& change : m_pending)
        apply(change);
    m_pending.clear();
    m_sincePublish.start();
}

// Each change is replayed as it was made, so its row is right for m_shown.
void CommunicationsLogModel::apply(const Change& change)
{
    switch (change.kind) {
    case Change::Kind::InsertTop:
        beginInsertRows({}, 0, 0);
        m_shown.prepend({change.text, change.arrived, shownText(change.text, change.arrived)});
        endInsertRows();
        break;
    case Change::Kind::Remove:
        beginRemoveRows({}, change.row, change.row);
        m_shown.removeAt(change.row);
        endRemoveRows();
        break;
    case Change::Kind::Clear:
        beginResetModel();
        m_shown.clear();
        endResetModel();
        break;
    }
}
