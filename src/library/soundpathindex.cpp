#include "library/soundpathindex.h"

#include <QDir>
#include <QStandardItemModel>

SoundPathIndex::SoundPathIndex(int column, QObject *parent)
    : QObject(parent)
    , m_column(column)
{
}

int SoundPathIndex::row(QStandardItemModel *model, QStandardItem *root, const QString &path)
{
    if (!model || !root)
        return -1;
    if (model != m_model || root != m_root)
        watch(model, root);
    if (!m_valid) {
        m_rows.clear();
        m_count = 0;
        const int rows = root->rowCount();
        m_rows.reserve(rows);
        for (int r = 0; r < rows; ++r)
            take(r);
        m_valid = true;
    }
    return m_rows.value(path, -1);
}

void SoundPathIndex::watch(QStandardItemModel *model, QStandardItem *root)
{
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    m_root = root;
    m_valid = false;
    connect(model, &QAbstractItemModel::rowsInserted, this, &SoundPathIndex::rowsInserted);
    connect(model, &QAbstractItemModel::dataChanged, this, &SoundPathIndex::dataChanged);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &SoundPathIndex::invalidate);
    connect(model, &QAbstractItemModel::rowsMoved, this, &SoundPathIndex::invalidate);
    connect(model, &QAbstractItemModel::columnsInserted, this, &SoundPathIndex::invalidate);
    connect(model, &QAbstractItemModel::columnsRemoved, this, &SoundPathIndex::invalidate);
    connect(model, &QAbstractItemModel::columnsMoved, this, &SoundPathIndex::invalidate);
    connect(model, &QAbstractItemModel::layoutChanged, this, &SoundPathIndex::invalidate);
    connect(model, &QAbstractItemModel::modelReset, this, &SoundPathIndex::invalidate);
}

void SoundPathIndex::rowsInserted(const QModelIndex &parent, int first, int last)
{
    if (!m_valid || parent != m_root->index())
        return;
    if (first != m_count) {
        invalidate(); // rows in the middle move the ones after them
        return;
    }
    for (int r = first; r <= last; ++r)
        take(r);
}

void SoundPathIndex::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight)
{
    if (m_valid && topLeft.parent() == m_root->index() && topLeft.column() <= m_column
        && bottomRight.column() >= m_column)
        invalidate();
}

void SoundPathIndex::take(int row)
{
    const QStandardItem *cell = m_root->child(row, m_column);
    const QString path = cell ? QDir::toNativeSeparators(cell->text()) : QString();
    if (!m_rows.contains(path))
        m_rows.insert(path, row);
    m_count = row + 1;
}
