#pragma once

#include <QLineEdit>

class QAction;
class QMenu;

// Line edit with a "Kit Copy" menu that it never opens; nothing uses it yet.
class CustomLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit CustomLineEdit(QWidget *parent = nullptr);

    // Does nothing; the line edit's own context menu stays in use.
    void contextMenuEvent();

protected:
    using QLineEdit::contextMenuEvent;

private:
    QMenu *kit_menu = nullptr;
    QAction *kit_copy = nullptr;
};
