#pragma once

#include <QLineEdit>

class QAction;
class QMenu;

// A kit-name line edit that carries its own "Kit Copy" menu, for a form that
// offers the copy on the name field without LineEdit's wiring to the window.
class CustomLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit CustomLineEdit(QWidget *parent = nullptr);

    // Leaves the line edit's own context menu in place of the copy menu.
    void contextMenuEvent();

protected:
    using QLineEdit::contextMenuEvent;

private:
    QMenu *kit_menu = nullptr;
    QAction *kit_copy = nullptr;
};
