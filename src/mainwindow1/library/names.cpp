// Sound and kit names: the window's side of the name rules.
#include "mainwindow1/mainwindow1.h"

#include "library/modeltexts.h"
#include "library/soundnames.h"
#include "model/namerules.h"

#include <QDebug>
#include <QSet>
#include <QStandardItemModel>

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
    return soundnames::fallbackName(name, [&](const QString &c) { return taken.contains(c); }, prefix, maxLen);
}

} // namespace

bool MainWindow1::checkDisplayName(QString name)
{
    return namerules::checkDisplayKitName(name);
}

bool MainWindow1::checkDisplayKitName(QString name)
{
    return namerules::checkDisplayKitName(name);
}

bool MainWindow1::findItemFromModel(QString name, QStandardItemModel *model, quint8 column)
{
    return childCellEquals(model, column, name);
}

bool MainWindow1::findKitItemFromModel(QString name, QStandardItemModel *model, quint8 column)
{
    return childCellEquals(model, column, name);
}

QString MainWindow1::getDisplayName(QString name, QStandardItemModel *model, QString defaultPrefix, quint8 maxLen)
{
    return uniqueName(name, model, 0, defaultPrefix, maxLen);
}

QString MainWindow1::getDisplayName2(QString name, QStandardItemModel *model, QString defaultPrefix, quint8 maxLen)
{
    return uniqueName(name, model, 1, defaultPrefix, maxLen);
}

QString MainWindow1::getDisplayKitName(QString name, QStandardItemModel *model, QString defaultPrefix, quint8 maxLen)
{
    if (!namerules::checkDisplayKitName(name.left(qMax(0, maxLen - 6))))
        qDebug() << __FILE__ << __LINE__ << Q_FUNC_INFO << "prefix:" << defaultPrefix;
    return uniqueName(name, model, 1, defaultPrefix, maxLen);
}

QString MainWindow1::getNameFromFile(QString path)
{
    return soundnames::nameFromFile(path);
}

bool MainWindow1::isLastCharAlnum(const QString &s)
{
    return namerules::isLastCharAlnum(s);
}

QString MainWindow1::detectWaveName(QString name, int len)
{
    return namerules::detectWaveName(name, len);
}

bool MainWindow1::isSoundFile(const QString &path)
{
    return soundnames::isSoundFile(path);
}
