#ifndef ZT_MAINWINDOW1_EDITING_KITCHAINSCONTROLLER_H
#define ZT_MAINWINDOW1_EDITING_KITCHAINSCONTROLLER_H

// The kit-chain page: its kit list with the renames waiting for OK, the steps and the chain switch.

#include <QObject>

class KitChainsController : public QObject
{
    Q_OBJECT

public:
    explicit KitChainsController(QObject *parent = nullptr);
};

#endif
