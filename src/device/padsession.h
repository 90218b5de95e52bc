#ifndef ZT_DEVICE_PADSESSION_H
#define ZT_DEVICE_PADSESSION_H

// The pad the editor works on in device mode: where its tree lies, what the
// load found there, and the batches of sounds added to and deleted from it.

#include "device/padidentity.h"
#include "device/syncbatch.h"
#include "model/mainwindow1records.h"
#include "platform/anchoredfolder.h"

#include <QByteArray>
#include <QHash>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

class PadSession
{
public:
    using SOUND_INDEX = MainWindow1Records::SOUND_INDEX;

    bool isUDiskFlag = true; // true means working without the pad (offline); false in device mode
    bool padClosing = false; // the close in device mode is under way

    // ---- the pad's tree -----------------------------------------------------
    QString currentDirPath; // the drive root the user chose ("/" at the end)
    QString kitPath;        // KIT below the model folder, spelled as on the drive
    QString sysPath;        // SYS
    QString dataPath;       // WAV_DATA
    QString prmPath;        // WAV_PRM
    QString sys_click_path; // SYS/CLICK, the metronome sounds
    QString usbGlobalIniFile;          // SYS/global.ini
    QVector<QString> waveDataList;     // the numbered folders of WAV_DATA
    QVector<QString> wavePrmList;      // and of WAV_PRM
    ztplatform::FolderAnchor padRoot;  // the pad's root at load; the pad's files are written only below it
    std::shared_ptr<PadGuard> padGuard; // tells the pad loaded from another one at its place, before each write
    QStringList padLinksLeftOut;       // symbolic links of the pad's tree the load left out

    // ---- as loaded ----------------------------------------------------------
    QVector<QString> padKitFiles;    // the file each kit was read from at load
    QVector<QByteArray> padKitRecords; // and the record it held then
    QByteArray padChainBlock;        // global.ini's kit-chain block at load

    // ---- sounds added and removed in this run ---------------------------------
    QStringList addUsbWaveList;          // sources of the next add batch
    QStringList delUsbWaveList;          // .wav paths of the next delete batch
    QVector<quint16> addUsbWaveNumList;  // numbers added to the pad, for the change file
    QVector<quint16> delUsbWaveNumList;  // numbers deleted from the pad, for the change file

    // ---- the batch under way --------------------------------------------------
    SyncBatch::Kind padBatchKind = SyncBatch::Idle; // the batch whose completion is due
    QVector<int> waveNumList;        // the running add batch: numbers,
    QVector<QString> addSoundList;   // source files
    QVector<QString> waveNameList;   // and names
    QVector<int> failedWaveList;     // numbers of the add batch that did not reach the pad
    QVector<QString> delBatchList;   // the running delete batch's .wav paths
    QVector<QPair<int, SOUND_INDEX>> delBatchRecords; // their records with their places, taken out by the delete
    QHash<QString, int> delNotRemoved; // .wav paths (native) of the batch that stay on the pad, and why
};

#endif
