#ifndef ZT_DEVICE_RENUMBER_H
#define ZT_DEVICE_RENUMBER_H

// Renaming the pad's .wav/.prm pairs after the sound list was renumbered,
// together with the pad's kit records that name the sounds.

#include "device/devicemessage.h"
#include "device/padtree.h"
#include "model/mainwindow1records.h"
#include "platform/anchoredfolder.h"

#include <QByteArray>
#include <QSet>
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

// The kit records on the pad as they stand now: the file of each kit slot
// (empty where none) and the record it holds.
struct PadKitRecords {
    QVector<QString> files;
    QVector<QByteArray> records;
};

// The record `record` (as the pad stores it) with every sound number moved
// by `changes`; a slot whose number names none of `soundsBefore` (the pad's
// sounds before the renumbering) names no sound.
QByteArray renumberedKitRecord(const QByteArray &record, const QVector<WaveRenumber> &changes,
                               const QSet<quint16> &soundsBefore);

struct RenumberResult {
    bool ok = false;
    QVector<QString> newFiles;        // native .wav path of each change, in order
    QVector<QPair<int, QByteArray>> kitsWritten; // kit slot and the record it holds now
    DeviceMessages messages;          // the warning when it failed: which sounds are where
};

// Moves every pair to the names of its new number, patches the number in
// each record and rewrites every kit record that names a moved sound (or a
// number of no sound), as one transaction of the pad's journal: its record
// is on the disk before the first change and goes once every kit record is
// rewritten. Nothing is touched without a valid padRoot, while a record of
// another change is on the pad, or when a kit record differs from `kits`.
// A failure takes back what was done; what the pad does not let be taken
// back is left to the next load, which ends the transaction one way or the
// other from its record.
RenumberResult renumberPadWaves(const QVector<WaveRenumber> &changes, const PadTreePaths &tree,
                                const ztplatform::FolderAnchor &padRoot, const QSet<quint16> &soundsBefore,
                                const PadKitRecords &kits);

#endif
