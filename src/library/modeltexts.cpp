#include "library/modeltexts.h"

#include "model/namerules.h"

#include <QDebug>
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

} // namespace

QSet<QString> childTexts(const QStandardItemModel *model, int column)
{
    return cellTexts(model, column, true);
}

QSet<QString> childPaths(const QStandardItemModel *model, int column)
{
    return cellTexts(model, column, false);
}

namespace {

// Visits the cell `column` of every second-level row; stops when visit says so.
template <typename Visit>
void forEachChildCell(QStandardItemModel *model, int column, Visit visit)
{
    if (!model)
        return;
    for (int g = 0; g < model->rowCount(); ++g) {
        const QStandardItem *group = model->item(g, 0);
        if (!group)
            continue;
        for (int r = 0; r < group->rowCount(); ++r) {
            if (const QStandardItem *cell = group->child(r, column)) {
                if (!visit(cell->text().trimmed()))
                    return;
            }
        }
    }
}

bool childCellEquals(QStandardItemModel *model, int column, const QString &name)
{
    bool found = false;
    forEachChildCell(model, column, [&](const QString &text) {
        found = text == name;
        return !found;
    });
    return found;
}

// The texts of the column are gathered once for a search of many candidates.
QString uniqueName(const QString &name, QStandardItemModel *model, int column, const QString &prefix, int maxLen)
{
    const QSet<QString> taken = childTexts(model, column);
    return namerules::fallbackName(name, [&](const QString &c) { return taken.contains(c); }, prefix, maxLen);
}

} // namespace

bool findItemFromModel(QString name, QStandardItemModel *model, quint8 column)
{
    return childCellEquals(model, column, name);
}

QString getDisplayName(QString name, QStandardItemModel *model, QString defaultPrefix, quint8 maxLen)
{
    return uniqueName(name, model, 0, defaultPrefix, maxLen);
}

QString getDisplayName2(QString name, QStandardItemModel *model, QString defaultPrefix, quint8 maxLen)
{
    return uniqueName(name, model, 1, defaultPrefix, maxLen);
}

QString getDisplayKitName(QString name, QStandardItemModel *model, QString defaultPrefix, quint8 maxLen)
{
    if (!namerules::checkDisplayKitName(name.left(qMax(0, maxLen - 6))))
        qDebug() << __FILE__ << __LINE__ << Q_FUNC_INFO << "prefix:" << defaultPrefix;
    return uniqueName(name, model, 1, defaultPrefix, maxLen);
}
