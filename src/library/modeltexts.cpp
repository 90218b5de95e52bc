#include "library/modeltexts.h"

#include <QStandardItemModel>

QSet<QString> childTexts(const QStandardItemModel *model, int column)
{
    QSet<QString> out;
    if (!model)
        return out;
    for (int g = 0; g < model->rowCount(); ++g) {
        const QStandardItem *group = model->item(g, 0);
        for (int r = 0; group && r < group->rowCount(); ++r) {
            if (const QStandardItem *cell = group->child(r, column))
                out.insert(cell->text().trimmed());
        }
    }
    return out;
}
