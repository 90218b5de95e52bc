#ifndef ZT_MAINWINDOW1_SETUPFILESSTATE_H
#define ZT_MAINWINDOW1_SETUPFILESSTATE_H

#include "model/mainwindow1records.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The window's side of the setup files: the sounds a save gathered and the
// picks of the last import dialog.
struct SetupFilesState
{
    QVector<MainWindow1Records::SOUND_LIST_INFO> waveList;      // where each saved wave's bytes come from
    QVector<MainWindow1Records::SOUND_INDEX> waveTempList;
    QVector<MainWindow1Records::SOUND_LIST_INFO> clickWaveList; // the metronome sounds' bytes
    QVector<quint16> kitOrderList;                              // positions of waveAttrList in kit order
    QStringList totalList, totalFileList, remainingList;
    int soundAddCount = 0;
    QStringList importFileList; // the picks of the last import dialog
    QString pickedBinFile;      // the whole setup they name, when it was picked alone
    QString lastSaveFolder;     // the folder the last save of this run went to
};

#endif
