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
};

#endif
