#include "library/rowselection.h"

#include <QPair>
#include <QSet>

QModelIndexList selectedRowStarts(const QItemSelectionModel *selection)
{
    QModelIndexList rows;
    if (!selection)
        return rows;
    QSet<QPair<QModelIndex, int>> seen;
    for (const QModelIndex &index : selection->selectedIndexes()) {
        const QPair<QModelIndex, int> key(index.parent(), index.row());
        if (seen.contains(key))
            continue;
        seen.insert(key);
        rows.append(index.sibling(index.row(), 0));
    }
    return rows;
}
