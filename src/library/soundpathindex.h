#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

class QModelIndex;
class QStandardItem;
class QStandardItemModel;

// Rows of a sound list by source path: the first child row of a root item
// whose text in one column, in native separators, equals a path exactly.
// The index follows the model: rows appended at the end are taken in as they
// arrive; any other change of the rows or of that column is read again at
// the next lookup.
class SoundPathIndex : public QObject
{
    Q_OBJECT
public:
    explicit SoundPathIndex(int column, QObject *parent = nullptr);

    // Row of `path` under `root`, a top-level item of `model`; -1 when none.
    int row(QStandardItemModel *model, QStandardItem *root, const QString &path);

private:
    void watch(QStandardItemModel *model, QStandardItem *root);
    void rowsInserted(const QModelIndex &parent, int first, int last);
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight);
    void invalidate() { m_valid = false; }
    void take(int row);

    const int m_column;
    QPointer<QStandardItemModel> m_model;
    QStandardItem *m_root = nullptr;
    QHash<QString, int> m_rows;
    int m_count = 0; // rows taken in
    bool m_valid = false;
};
