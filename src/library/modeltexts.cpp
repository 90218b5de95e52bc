#include "library/modeltexts.h"

#include "model/namerules.h"

#include <QStandardItemModel>

namespace {

QSet<QString> cellTexts(const QStandardItemModel *model, int column, bool trim)
{
    QSet<QString> out;
    if (!model)
        return out;
    for (int g = 0; g < model->rowCount(); ++g) {
        const QStandardItem *group = model->item(g, 0);
        for (int r = 0; group && r < group->rowCount(); ++r) {
            if (const QStandardItem *cell = group->child(r, column))
                out.insert(trim ? cell->text().trimmed() : cell->text());
        }
    }
    return out;
}

// The texts of the column are gathered once for a search of many candidates.
QString uniqueName(const QString &name, QStandardItemModel *model, int column, const QString &prefix, int maxLen)
{
    const QSet<QString> taken = cellTexts(model, column, true);
    return namerules::fallbackName(name, [&](const QString &c) { return taken.contains(c); }, prefix, maxLen);
}

} // namespace

QSet<QString> childPaths(const QStandardItemModel *model, int column)
{
    return cellTexts(model, column, false);
}

QString getDisplayName(QString name, QStandardItemModel *model, QString defaultPrefix, quint8 maxLen)
{
    return uniqueName(name, model, 0, defaultPrefix, maxLen);
}

QString getDisplayName2(QString name, QStandardItemModel *model, QString defaultPrefix, quint8 maxLen)
{
    return uniqueName(name, model, 1, defaultPrefix, maxLen);
}
