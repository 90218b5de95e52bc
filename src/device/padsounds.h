#ifndef ZT_DEVICE_PADSOUNDS_H
#define ZT_DEVICE_PADSOUNDS_H

// Reading the pad's sounds: every .prm record of the numbered WAV_PRM
// folders paired with its .wav in the WAV_DATA folder of the same name.

#include "device/devicemessage.h"
#include "model/mainwindow1records.h"
#include "model/namerules.h"
#include "platform/anchoredfolder.h"
#include "platform/regularfile.h"

#include <QPair>
#include <QVector>

#include <functional>

// Lets pending events run during long walks (the window passes one that
// processes its events; tests and benchmarks pass none).
using EventPump = std::function<void()>;

struct PadSounds {
    // True when at least one sound was read.
    bool ok = false;
    // Reading order, wave_No = the record's number - 1, positions filled.
    QVector<MainWindow1Records::SOUND_INDEX> waveAttrList;
    // Ascending numbers 1 ... 9999 (equal numbers in reading order): name,
    // native .wav path, wave_No, wave_lock; one total-list row each.
    QVector<MainWindow1Records::SOUND_INDEX> waveLoadKitAttrList;
    // Each .prm record read, as its path below the model folder and its bytes
    // (what a backup of the pad keeps).
    QVector<QPair<QString, QByteArray>> prmRecords;
    // Numbers whose names were adjusted, in reading order.
    QVector<int> renamedNumbers;
    // Names another sound of the pad held first (in ascending numbers), and
    // the unique names they took.
    QVector<namerules::NameChange> madeUnique;
    // Numbers that more than one record carries, ascending.
    QVector<int> duplicateNumbers;
    // Symbolic links among the sound files, left out with their partners.
    QStringList linksLeftOut;
    // A line for each other file left out: a half pair, or a partner that is
    // a folder or no regular file; the sound's number and the file named.
    QStringList leftOut;
    // The folders read were not the loaded pad's to the end: another pad, a
    // link or other folders stood at their paths, or no pad. Nothing read is
    // kept then; the box says which.
    bool padChanged = false;
    // Warning boxes in the order to show them: on failure the reader's
    // error; otherwise the files left out, the rename, the unique names and
    // the duplicate warnings, if any.
    DeviceMessages messages;
};

// Every folder and file is reached below `root` (its check admits the pad),
// each numbered folder opened once and read through that descriptor: no link
// is followed, no pipe waited on, and the folders must still stand at their
// paths when the read ends.
// The bytes of two sounds are compared past `fence`; a file whose read is
// given up on stays silent in `silent` (none: in a registry of the read's own).
PadSounds readPadSounds(const ztplatform::FolderAnchor &root, const QVector<QString> &waveDataList,
                        const QVector<QString> &wavePrmList, const EventPump &pump = EventPump(),
                        const std::shared_ptr<ztplatform::FolderFence> &fence = nullptr,
                        const std::shared_ptr<ztplatform::SilentFiles> &silent = nullptr);

// What the read gives when the pad changed under it (`away`: no pad is at
// its place): nothing read, and the box that says so.
PadSounds padChangedWhileRead(bool away);

// The name a sound read from the pad takes: without a leading "/" and from
// ".wav" on, then the sound-name rule (namerules::asciiSoundName), or
// "SOUND~" and the wave number when nothing is left; `counted` is set when
// the rule changed it.
QString adjustPadSoundName(QString name, int waveNo, bool *counted);

#endif
