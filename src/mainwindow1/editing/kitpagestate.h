#ifndef ZT_MAINWINDOW1_KITPAGESTATE_H
#define ZT_MAINWINDOW1_KITPAGESTATE_H

#include "model/kitediting.h"
#include "model/mainwindow1records.h"
#include "model/pageshown.h"

#include <QElapsedTimer>
#include <QMap>
#include <QSet>
#include <QString>
#include <QVector>

class QStandardItemModel;

// What the kit, pad, chain and global pages are filled from and show now.
struct KitPageState
{
    int curkitNumber = 1;
    int oldKitNumber = 1;
    quint8 currentKitNum = EMPTY_KIT_NUM;
    int copySourceKit = 1; // the kit the kit copy dialogs were last given (1-based)
    int dot = 0;
    bool kitNameEditing = false;   // a kit name is being checked (its messages move the focus)
    int kitNameFieldKit = 0;       // the kit (0-based) whose name the name field shows, -1 none
    QString kitNameDrawn;          // the kit's name as the main pad page last drew it
};

#endif
