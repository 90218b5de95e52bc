#pragma once

#include <QSet>
#include <QString>

class QStandardItemModel;

// The texts of cell `column` of every second-level row of a model (the sounds
// under the groups, or under a list's root) as they stand, for lookups of
// paths: a file name may end in a blank.
QSet<QString> childPaths(const QStandardItemModel *model, int column);

// `name` when cell column 0 (getDisplayName) or 1 (getDisplayName2) of no
// second-level row holds it (trimmed), else the first free fallback name of at
// most maxLen characters built from it or defaultPrefix.
QString getDisplayName(QString name, QStandardItemModel *model, QString defaultPrefix, quint8 maxLen);
QString getDisplayName2(QString name, QStandardItemModel *model, QString defaultPrefix, quint8 maxLen);
