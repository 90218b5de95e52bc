#ifndef ZT_DEVICE_RENUMBER_H
#define ZT_DEVICE_RENUMBER_H

// Renaming the pad's .wav/.prm pairs after the sound list was renumbered.

#include "device/devicemessage.h"
#include "model/mainwindow1records.h"
#include "platform/anchoredfolder.h"

#include <QString>
#include <QVector>

struct WaveRenumber {
    int index = 0; // the sound's entry in the list
    quint16 oldNo = 0;
    quint16 newNo = 0;
    QString wavFile; // the sound's .wav on the pad
};

// The sounds whose numbers changed: entry i of `sounds` carries its new
// number, oldNumbers[i] the one it had.
QVector<WaveRenumber> renumberedWaves(const QVector<MainWindow1Records::SOUND_INDEX> &sounds,
                                      const QVector<int> &oldNumbers);

struct RenumberResult {
    bool ok = false;
    QVector<QString> newFiles; // native .wav path of each change, in order
    DeviceMessages messages; // the warning when it failed
};

// Moves every pair to the names of its new number in two phases (all to
// temporary names first, so no pair overwrites another) and patches the
// number in each record, reaching each file from padRoot (without one, the
// folder above dataPath) without following a link. Any failure puts back
// what the volume lets be put back.
RenumberResult renumberPadWaves(const QVector<WaveRenumber> &changes, const QString &dataPath, const QString &prmPath,
                                const ztplatform::FolderAnchor &padRoot = ztplatform::FolderAnchor());

#endif
