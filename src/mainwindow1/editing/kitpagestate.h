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
    int curkitNumber = 1;
    int oldKitNumber = 1;
    quint8 currentKitNum = EMPTY_KIT_NUM;
    int curPadNumber = 0;
    int curPadIndex = 0;
    int curLayer = 0;
    int copySourceKit = 1; // the kit the kit copy dialogs were last given (1-based)
    int dot = 0;
    int original_link_group = 0;
    int original_layer1 = 100, original_layer2 = 80, original_layer3 = 40;
    quint16 oldEffect1Ctrl1 = 999, oldEffect1Ctrl2 = 999, oldEffect1Ctrl3 = 999;
    quint16 oldEffect2Ctrl1 = 999, oldEffect2Ctrl2 = 999, oldEffect2Ctrl3 = 999;
    quint16 oldEffect3Ctrl1 = 999, oldEffect3Ctrl2 = 999, oldEffect3Ctrl3 = 999;
    quint16 oldEffect4Ctrl1 = 999, oldEffect4Ctrl2 = 999, oldEffect4Ctrl3 = 999;
    bool kitNameEditing = false;   // a kit name is being checked (its messages move the focus)
    int kitNameFieldKit = 0;       // the kit (0-based) whose name the name field shows, -1 none
    QString kitNameDrawn;          // the kit's name as the main pad page last drew it
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
