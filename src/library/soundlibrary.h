#pragma once

#include "library/groupnames.h"
#include "model/mainwindow1records.h"
#include "model/soundfilexml.h"
#include "setup/sharedsounds.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

class QStandardItem;
class QStandardItemModel;
class SoundPathIndex;

// The editor's sounds: the sound list and its sources, the groups and their
// file, the metronome list and the kit files loaded with the sounds they
// hold. The item models are the views' (their parents); the library fills
// and reads their rows.
class SoundLibrary
{
public:
    using SOUND_INDEX = MainWindow1Records::SOUND_INDEX;
    using SOUND_LIST_INFO = MainWindow1Records::SOUND_LIST_INFO;
    using READ_KIT_FILE = MainWindow1Records::READ_KIT_FILE;

    SoundLibrary() = default;
    SoundLibrary(const SoundLibrary &) = delete;
    SoundLibrary &operator=(const SoundLibrary &) = delete;

    // ---- the sound list (the total list on the right) ----------------------
    QVector<SOUND_INDEX> waveLoadKitAttrList; // the working list: one entry per sound, its source in `file`
    QStringList soundList;                    // the total list's names in row order
    QString currentOldGroupName;              // the total list's root text
    QStandardItemModel *totalListItemModel = nullptr;
    QStandardItem *totalGroup = nullptr;      // the total list's root row; none in the kit layout
    QStandardItemModel *hhSoundItemModel = nullptr;
    QStandardItem *hhGroup = nullptr;         // the hi-hat list's root row, mirroring the total list
    SoundPathIndex *totalPathIndex = nullptr; // rows of the total list by source path

    // ---- the groups and their file -------------------------------------------
    QVector<soundfilexml::strSoundGroup> soundGroupList; // the groups as read from and written to the file
    QVector<QString> leftGroupList;           // group names, last tree row first
    GroupNameLists leftSoundList;             // sound names per group, same order
    QStandardItemModel *soundListItemModel = nullptr;
    QString soundListFileName;
    bool soundListUnreadable = false; // the file could not be read at start
    QByteArray soundListAsRead;       // the file as read, while entries it held are not in the groups

    // ---- the metronome list ----------------------------------------------------
    QVector<SOUND_LIST_INFO> clickList;
    QVector<SOUND_INDEX> clickSetList;
    QStandardItemModel *clickListItemModel = nullptr;
    bool clickDeviceFlag = false; // the metronome list was read from the pad

    // ---- loaded kit files --------------------------------------------------------
    QVector<READ_KIT_FILE> loadedKitFiles;  // kit files loaded in this run
    setupfiles::SharedSounds sharedSounds;  // kit-file sounds the sound list holds once
    bool loadClickFlag = false;             // the loaded whole setup holds the five metronome sounds first
    QString binFilePath;                    // the whole setup last loaded
    QString globalFilePath;                 // the global settings file picked at the last import
    QStringList kitFileList;                // the kit files picked at the last import
    QStringList recordKitFileList;          // the kit files loaded, each once
    QVector<int> recordKitIndexList;        // the kit number each of them holds
};
