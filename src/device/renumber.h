#ifndef ZT_DEVICE_RENUMBER_H
#define ZT_DEVICE_RENUMBER_H

// Renaming the pad's .wav/.prm pairs after the sound list was renumbered.

#include "device/devicemessage.h"
#include "model/mainwindow1records.h"
#include "platform/anchoredfolder.h"

#include <QString>
#include <QStringList>
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
    DeviceMessages messages; // the warning when it failed: which sounds are where
};

// Moves every pair to the names of its new number and patches the number in
// each record, reaching each file from padRoot without following a link;
// nothing is touched without a valid padRoot. First a record naming every
// move is written to the SYS folder and forced to the disk; then all pairs
// take hidden names, then their new ones (so no pair overwrites another),
// each phase forced to the disk; the record goes last. Any failure undoes
// what the pad lets be undone; what it does not is left to the next load,
// which undoes it from the record.
RenumberResult renumberPadWaves(const QVector<WaveRenumber> &changes, const QString &dataPath, const QString &prmPath,
                                const QString &sysPath, const ztplatform::FolderAnchor &padRoot);

// True when the SYS folder holds the record of a renumbering cut short
// (read only).
bool renumberingCutShort(const QString &sysPath);

struct RenumberRecovery {
    bool found = false;   // a record was there
    bool changed = false; // files were moved back
    QStringList leftOut;  // a line for each sound that could not be put back
};

// Undoes the renumbering whose record the SYS folder holds: the kit records
// on the pad still name the numbers it started from. The record goes once
// every move is undone or cannot be (a file missing, another at its place);
// it stays while the pad refuses the writes.
RenumberRecovery undoCutShortRenumbering(const QString &sysPath, const QString &dataPath, const QString &prmPath,
                                         const ztplatform::FolderAnchor &padRoot);

#endif
