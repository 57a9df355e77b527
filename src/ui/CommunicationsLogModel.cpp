#include "ui/CommunicationsLogModel.h"

int CommunicationsLogModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_lines.size());
}

QVariant CommunicationsLogModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role == Qt::DisplayRole)
        return m_lines.at(index.row());
    return {};
}

void CommunicationsLogModel::insertTopLine(const QString& text)
{
    beginInsertRows({}, 0, 0);
    m_lines.prepend(text);
    endInsertRows();
}

void CommunicationsLogModel::removeLine(int row)
{
    if (row < 0 || row >= m_lines.size())
        return;
    beginRemoveRows({}, row, row);
    m_lines.removeAt(row);
    endRemoveRows();
}

void CommunicationsLogModel::removeAllLines()
{
    if (m_lines.isEmpty())
        return;
    beginResetModel();
    m_lines.clear();
    endResetModel();
}
