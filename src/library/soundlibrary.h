#pragma once

#include "library/groupentries.h"
#include "library/groupnames.h"
#include "library/soundpathindex.h"
#include "library/soundsource.h"
#include "model/mainwindow1records.h"
#include "model/soundfilexml.h"
#include "platform/filelock.h"
#include "kitfile/sharedsounds.h"
#include "kitfile/wavecollect.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

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
    // What the start found at the groups' file.
    struct SoundListStart
    {
        QString unreadable; // why the file could not be read whole; empty when it was (or is missing)
        bool partly = false; // it was read, but some of its entries could not be
        QString keptAs;      // where the file as it stood was kept
        QString notKept;     // why it could not be kept: nothing is written over it
        bool inUse = false;  // another editor holds the groups: nothing is written
        QVector<groupentries::Unmatched> unmatched; // rows whose kit file no longer holds their sound
    };
    // Reads the groups of the file into `groups` (appended) and takes the
    // file for this editor. A link at the name is read and later written
    // through when it names a regular file. A file that does not read whole
    // (or that a link names that is not followed) is kept beside it first, as
    // soundfilexml::keepCopyBeside / moveAside name it; while another editor
    // holds the groups nothing is moved or kept.
    SoundListStart openSoundList(const QString &fileName, QVector<soundfilexml::strSoundGroup> &groups);
    // The groups of the file, as openSoundList reads them.
    QVector<soundfilexml::strSoundGroup> readSoundList(const QString &fileName);
    // What a write of the sound-list file did.
    struct SoundListSave
    {
        bool written = false;
        QString reason;        // why it was not, in the system's words or the editor's
        bool inUse = false;    // another editor holds the groups
        bool declined = false; // the file is read-only and the user kept it so
    };
    // Asked before a read-only file is replaced, with the file's path; true for Yes.
    using ReadOnlyQuestion = std::function<bool(const QString &file)>;
    // The text of that question.
    static QString readOnlyQuestion(const QString &file);
    // Writes the groups of `model` to the file, whole or not at all (through
    // a link opened at the start, to the file it named). A read-only file is
    // replaced only once `ask` said Yes this session. Rows naming sounds of
    // loaded kit files that are as loaded take their entries along.
    SoundListSave saveSoundList(const QString &fileName, QStandardItemModel *model,
                                const ReadOnlyQuestion &ask = ReadOnlyQuestion());
    // The groups and sounds of a group tree model as the file keeps them.
    static void updateSoundGroupList(QStandardItemModel *model, QVector<soundfilexml::strSoundGroup> &groups);
    // The sound-list file's state this session.
    enum class ReadOnlyAnswer { Unasked, Yes, No };
    ReadOnlyAnswer soundListReadOnly = ReadOnlyAnswer::Unasked;
    bool soundListInUse() const { return m_listLock.state() == ztplatform::FileLock::HeldElsewhere; }

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
    // The groups' file as opened at the start.
    bool m_listOpened = false;
    QString m_listTarget;  // the file written: the name, or the file a link at it names
    bool m_listLinked = false;
    QString m_listBlocked; // why nothing may be written over what stands at the name
    ztplatform::FileLock m_listLock;
    // Rows naming sounds of loaded kit files, as loaded, take their entries.
    void noteEntries(QStandardItemModel *model);
};
