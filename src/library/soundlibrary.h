#pragma once

#include "library/groupnames.h"
#include "library/soundpathindex.h"
#include "library/soundsource.h"
#include "model/mainwindow1records.h"
#include "model/soundfilexml.h"
#include "setup/sharedsounds.h"
#include "setup/wavecollect.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

class QStandardItem;
class QStandardItemModel;

// The editor's sounds: the sound list and its sources, the groups and their
// file, the metronome list and the kit files loaded with the sounds they
// hold. The item models are the views' (their parents); the library fills
// and reads their rows.
class SoundLibrary
{
public:
    // The records' own names.
    using SOUND_INDEX = MainWindow1Records::SOUND_INDEX;
    using SOUND_LIST_INFO = MainWindow1Records::SOUND_LIST_INFO;
    using READ_KIT_FILE = MainWindow1Records::READ_KIT_FILE;
    using soundKit = MainWindow1Records::soundKit;

    // An empty library with no models; one per window, never copied.
    SoundLibrary() = default;
    SoundLibrary(const SoundLibrary &) = delete;
    SoundLibrary &operator=(const SoundLibrary &) = delete;

    // ---- the sound list ---------------------------------------------------------
    // The total list's rows that hold a sound: name and source, in row order.
    QVector<setupfiles::TotalRow> totalRows() const;
    // Row of the total list whose source is `path` exactly, -1 when none; indexed, no scan per call.
    int soundRowOf(const QString &path);
    // The last wave number of the working list, 0 when it is empty.
    int lastWaveNumber() const;
    // A new sound's working-list entry; with addRows also its name and its total and hi-hat list rows.
    void registerNewSound(const QString &name, const QString &path, quint16 waveNo, bool addRows);
    // The files of the working list that some kit of `kits` uses, each once.
    QVector<QString> getSoundFileList(const QVector<soundKit> &kits) const;
    // Every source of a sound of the library, a group or the metronome.
    QStringList librarySources() const;

    // ---- stored sounds of loaded kit files -------------------------------------
    // The finder of stored sounds in the loaded kit files, kept for many sounds in a row.
    soundsource::StoredEntries storedEntries() const;
    // A stored sound's table entry in its loaded kit file *kit; -1: file not loaded (*kit null) or beyond its table.
    int storedSoundEntry(const QString &source, const READ_KIT_FILE **kit) const;

    // ---- the groups' file ----------------------------------------------------------
    // What a write of the sound-list file did.
    struct SoundListSave
    {
        bool written = false;
        QString reason; // why it was not, in the system's words
        QString keptAs; // where the file as read was kept first, when it was
    };
    // The groups of the file (none when missing or unreadable); notes what the next write must keep of it.
    QVector<soundfilexml::strSoundGroup> readSoundList(const QString &fileName);
    // Writes the groups of `model` to the file, whole or not at all, keeping first what was not read of it.
    SoundListSave saveSoundList(const QString &fileName, QStandardItemModel *model);
    // The groups and sounds of a group tree model as the file keeps them.
    static void updateSoundGroupList(QStandardItemModel *model, QVector<soundfilexml::strSoundGroup> &groups);

    // ---- the sound list's data (the total list on the right) -----------------
    QVector<SOUND_INDEX> waveLoadKitAttrList; // the working list: one entry per sound, its source in `file`
    QStringList soundList;                    // the total list's names in row order
    QString currentOldGroupName;              // the total list's root text
    QStandardItemModel *totalListItemModel = nullptr; // the total list: number, name, source (kit layout: layer first)
    QStandardItem *totalGroup = nullptr;      // the total list's root row; none in the kit layout
    QStandardItemModel *hhSoundItemModel = nullptr;   // the hi-hat list's rows: name, source
    QStandardItem *hhGroup = nullptr;         // the hi-hat list's root row, mirroring the total list

    // ---- the groups and their file -------------------------------------------
    QVector<soundfilexml::strSoundGroup> soundGroupList; // the groups as read from and written to the file
    QVector<QString> leftGroupList;           // group names, last tree row first
    GroupNameLists leftSoundList;             // sound names per group, same order
    QStandardItemModel *soundListItemModel = nullptr; // the group tree: groups, then name and source of each sound
    QString soundListFileName;                        // the groups' file
    bool soundListUnreadable = false; // the file could not be read at start
    QByteArray soundListAsRead;       // the file as read, while entries it held are not in the groups

    // ---- the metronome list ----------------------------------------------------
    QVector<SOUND_LIST_INFO> clickList;               // the metronome sounds (at most five): name and source
    QVector<SOUND_INDEX> clickSetList;                // their wave records, as loaded or read from the pad
    QStandardItemModel *clickListItemModel = nullptr; // the metronome list's rows: index, name, source
    bool clickDeviceFlag = false; // the next metronome import reads the pad's metronome folder

    // ---- loaded kit files --------------------------------------------------------
    QVector<READ_KIT_FILE> loadedKitFiles;  // kit files loaded in this run
    setupfiles::SharedSounds sharedSounds;  // kit-file sounds the sound list holds once
    bool loadClickFlag = false;             // the loaded whole setup holds the five metronome sounds first
    QString binFilePath;                    // the whole setup last loaded
    QString globalFilePath;                 // the global settings file picked at the last import
    QStringList kitFileList;                // the kit files picked at the last import
    QStringList recordKitFileList;          // the kit files loaded, each once
    QVector<int> recordKitIndexList;        // the kit number each of them holds

private:
    SoundPathIndex totalPathIndex{2}; // rows of the total list by source path
};
