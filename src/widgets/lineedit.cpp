#include "widgets/lineedit.h"

#include "widgets/copykitfunc.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>

LineEdit::LineEdit(QWidget *parent)
    : QLineEdit(parent)
{
    kit_menu = new QMenu(this);
    kit_copy = new QAction(tr("Kit Copy"), kit_menu);
    kit_menu->addAction(kit_copy);

    // Becomes a dialog of the field's window when first shown; the field
    // deletes it unless that window has.
    copy_kit = new CopyKitFunc;

    connect(kit_copy, &QAction::triggered, this, [this] { emit sendClickRight(1); });
    connect(copy_kit, &CopyKitFunc::sendDstKit, this, &LineEdit::sendMainDstKit);
}

LineEdit::~LineEdit()
{
    delete copy_kit;
}

void LineEdit::recvSrcKit(int kit)
{
    if (copy_kit)
        copy_kit->recvSrcKit1(kit);
}

void LineEdit::mousePressEvent(QMouseEvent *event)
{
    // Select the whole name; the cursor is never placed by a press.
    setFocus(Qt::MouseFocusReason);
    selectAll();
    setStyleSheet(QStringLiteral("border:1px solid blue;"));
    event->accept();
}

void LineEdit::mouseMoveEvent(QMouseEvent *event)
{
    setStyleSheet(QStringLiteral("border:0px;"));
    clearFocus();
    event->accept();
}

void LineEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QAction *chosen = kit_menu->exec(QCursor::pos());
    if (chosen == kit_copy) {
        // What holds the field's window (a window-modal wait) holds the dialog too.
        QWidget *top = window();
        if (top != this && copy_kit->parentWidget() != top)
            copy_kit->setParent(top, copy_kit->windowFlags());
        copy_kit->show();
    }
    event->accept();
}
