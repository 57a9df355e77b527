#pragma once

#include <QAbstractListModel>
#include <QStringList>

// The lines the communications log shows, row 0 on top. It holds text only: how wide
// a row is drawn is the view's business, so adding a line measures nothing here.
class CommunicationsLogModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    void insertTopLine(const QString& text);
    void removeLine(int row);
    void removeAllLines();
    const QStringList& lines() const { return m_lines; }

private:
    QStringList m_lines;
};
