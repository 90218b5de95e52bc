#include "widgets/customlineedit.h"

#include <QAction>
#include <QMenu>

CustomLineEdit::CustomLineEdit(QWidget *parent)
    : QLineEdit(parent)
{
    kit_menu = new QMenu(this);
    kit_copy = new QAction(tr("Kit Copy"), kit_menu);
    kit_menu->addAction(kit_copy);
}

void CustomLineEdit::contextMenuEvent()
{
}
