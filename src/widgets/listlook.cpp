#include "widgets/listlook.h"

#include <QTreeView>

void listlook::dragOnly(QTreeView *view)
{
    view->setDragEnabled(true);
    view->setDragDropMode(QAbstractItemView::DragOnly);
    view->setDefaultDropAction(Qt::CopyAction);
    view->setToolTipDuration(500);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}
