#ifndef ZT_MAINWINDOW1_EDITING_MAINPADPAGECONTROLLER_H
#define ZT_MAINWINDOW1_EDITING_MAINPADPAGECONTROLLER_H

// The main pad page: the kit shown, its pads, the kit number field, paging and the pad menu.

#include <QObject>

class MainPadPageController : public QObject
{
    Q_OBJECT

public:
    explicit MainPadPageController(QObject *parent = nullptr);
};

#endif
