#pragma once

#include <QSet>
#include <QString>

class QStandardItemModel;

// The trimmed texts of cell `column` of every second-level row of a model
// (the sounds under the groups, or under a list's root), for lookups of
// names and paths.
QSet<QString> childTexts(const QStandardItemModel *model, int column);
