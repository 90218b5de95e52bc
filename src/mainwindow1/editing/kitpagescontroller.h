#ifndef ZT_MAINWINDOW1_EDITING_KITPAGESCONTROLLER_H
#define ZT_MAINWINDOW1_EDITING_KITPAGESCONTROLLER_H

// The kit settings, pad settings and global settings pages: effects, links, hi-hat slots and the values they commit.

#include <QObject>

class KitPagesController : public QObject
{
    Q_OBJECT

public:
    explicit KitPagesController(QObject *parent = nullptr);
};

#endif
