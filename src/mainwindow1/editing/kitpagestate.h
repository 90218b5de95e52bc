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
    MainWindow1Records::KIT_EFFECT k_effect[4];
    MainWindow1Records::LINK_GROUP linkGroup[5];
    MainWindow1Records::KIT_CHAIN kitChian;  // the chain page's work record: on/off and chain number
    int curStepNum = 0;
    QStandardItemModel *kitChainListItemModel = nullptr;
    bool kitListFilling = false; // the kit list is being filled: its cell changes are no renames
    // The kit names the kit list shows: the kits' own, but for the renames
    // typed there (kitListRenames, 0-based kits), which reach the kits at OK.
    QVector<QString> kitChainNameList;
    QSet<int> kitListRenames;
    int curPadNumber = 0;
    int curPadIndex = 0;
    int curLayer = 0;
    int original_link_group = 0;
    int original_layer1 = 100, original_layer2 = 80, original_layer3 = 40;
    quint16 oldEffect1Ctrl1 = 999, oldEffect1Ctrl2 = 999, oldEffect1Ctrl3 = 999;
    quint16 oldEffect2Ctrl1 = 999, oldEffect2Ctrl2 = 999, oldEffect2Ctrl3 = 999;
    quint16 oldEffect3Ctrl1 = 999, oldEffect3Ctrl2 = 999, oldEffect3Ctrl3 = 999;
    quint16 oldEffect4Ctrl1 = 999, oldEffect4Ctrl2 = 999, oldEffect4Ctrl3 = 999;
    bool kitPageFilling = false;   // the kit settings page is being filled from a kit record
    PageShownAs<kitediting::KitPageShown> kitPageShown; // what the kit settings page showed when it was filled
    PageShown padPageShown;        // what the pad settings page showed when it was filled
    QElapsedTimer kitFileEvents;   // last event processing of updateKitFile

    // The global settings page.
    QVector<QString> vecEffect;
    QMap<QString, int> mapClickPan;
    QMap<QString, int> mapMasterEffect[13]; // master effect control label -> value, value v in map v / 8
    QString globalPath;
};

#endif
