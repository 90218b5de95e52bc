#pragma once

#include <QItemSelectionModel>
#include <QModelIndexList>

// The rows of a selection of whole rows, each once, as column-0 indexes in
// the order the selection model gives them.
QModelIndexList selectedRowStarts(const QItemSelectionModel *selection);
