#pragma once

#include "library/groupentries.h"
#include "library/groupnames.h"
#include "library/soundlistmodel.h"
#include "library/soundnameindex.h"
#include "library/soundpathindex.h"
#include "library/soundsource.h"
#include "model/editstep.h"
#include "model/mainwindow1records.h"
#include "model/namerules.h"
#include "model/soundfilexml.h"
#include "platform/filelock.h"
#include "platform/fileidentity.h"
#include "platform/leftovers.h"
#include "platform/regularfile.h"
#include "platform/silentfiles.h"
#include "kitfile/sharedsounds.h"
#include "kitfile/soundbytes.h"
#include "kitfile/wavecollect.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QModelIndex;
struct GroupChange;
namespace soundorder {
struct Row;
}
namespace setupfiles {
class StoredIn;
}

// The editor's sounds: the sound list and its sources, the groups and their
// file, the metronome list and the kit files loaded with the sounds they
// hold. It shows them through item models of its own, which it keeps for its
// whole life; the views are given them, and only the library changes their
// rows. It changes only through its methods, each named for what a user, a
// load or a save does; each edit of the sounds, the groups or the metronome
// list tells it once by soundsChanged(), groupsChanged() or
// clickSoundsChanged(). The loaded kit files' bookkeeping shows nowhere and
// tells nothing.
class SoundLibrary : public QObject
{
    Q_OBJECT
public:
    // The records' own names.
    using SOUND_INDEX = MainWindow1Records::SOUND_INDEX;
    using SOUND_LIST_INFO = MainWindow1Records::SOUND_LIST_INFO;
    using READ_KIT_FILE = MainWindow1Records::READ_KIT_FILE;
    using soundKit = MainWindow1Records::soundKit;

    // An empty library: its lists show no sound; one per window. Its default
    // metronome sounds are those in `clickFolder` (empty: the installed ones).
    // The files it replaces sweep their folders through `leftovers` (none: no
    // sweep); the files it reads by name are read past `fence` (none: nothing fenced).
    // A file given up on stays silent in `silent` (none: in one of its own)
    // until its look returns.
    explicit SoundLibrary(const QString &clickFolder = QString(),
                          std::shared_ptr<ztplatform::Leftovers> leftovers = nullptr,
                          std::shared_ptr<ztplatform::FolderFence> fence = nullptr,
                          std::shared_ptr<ztplatform::SilentFiles> silent = nullptr, QObject *parent = nullptr);
    ~SoundLibrary() override;
    // The sweep of the editor's left-over temporaries, for each file it replaces.
    const std::shared_ptr<ztplatform::Leftovers> &leftovers() const { return m_leftovers; }
    // The pad's folder fenced or watched, for each file it reads by name.
    const std::shared_ptr<ztplatform::FolderFence> &fence() const { return m_fence; }
    // The files whose looks were given up on, for each file it looks at.
    const std::shared_ptr<ztplatform::SilentFiles> &silentFiles() const { return m_silent; }

    // ---- steps ------------------------------------------------------------------------
    // The user's edits become steps of `recorder` (none: no step is kept).
    // Within a step every edit adds what it changes, as it was: the rows of
    // the sound list it appends, takes out or changes (or, for an edit that
    // tells nothing, the stretch it changed), the groups or group rows it puts
    // in or takes out and the names it changes, the metronome list, the
    // loaded kit files. A part of the library changed outside the steps since (a
    // save, the pad) refuses the steps that keep it.
    void useRecorder(editstep::Recorder *recorder) { m_recorder = recorder; }
    editstep::Recorder *recorder() const { return m_recorder; }
    // A view's editor changed `cell` of the sound list from `before`: the
    // step being made keeps the cell as it was.
    void rowEdited(const QModelIndex &cell, const QString &before);
    // Of `sources`, the sounds that are gone: a file no longer a regular
    // file, a kit file's sound whose file is not as a load read it, a wave of
    // the pad the list no longer holds (the pad is not read for it). The
    // files are looked at on a thread of their own, waited on through the
    // look waiter;
    // those whose drive does not answer in time go to `unanswered`, not gone.
    QStringList goneSounds(const QStringList &sources, QStringList *unanswered = nullptr) const;
    // How goneSounds() and the list's looks wait on a drive (the window paints).
    void useLookWaiter(ztplatform::Waiter wait) { m_lookWait = std::move(wait); }
    // While one lives, goneSounds() looks at each file once (the parts of a
    // step ask about the same sounds); the first to live holds it.
    class LookOnce
    {
    public:
        explicit LookOnce(const SoundLibrary &library);
        ~LookOnce();
        LookOnce(const LookOnce &) = delete;
        LookOnce &operator=(const LookOnce &) = delete;

    private:
        const SoundLibrary *m_library;
    };

    // ---- the rows the views show --------------------------------------------------
    // The total list (number, name, source under the root "waveList").
    SoundListModel *totalListItemModel() { return m_total; }
    const SoundListModel *totalListItemModel() const { return m_total; }
    // The hi-hat list: name and source of the total list's rows, row for row.
    SoundListModel *hhSoundItemModel() { return m_mirror; }
    const SoundListModel *hhSoundItemModel() const { return m_mirror; }
    // The group tree: the groups, then name and source of each sound.
    SoundListModel *soundListItemModel() { return m_groups; }
    const SoundListModel *soundListItemModel() const { return m_groups; }
    // The metronome list: index, name and source under its group.
    SoundListModel *clickListItemModel() { return m_clicks; }
    const SoundListModel *clickListItemModel() const { return m_clicks; }
    // The sound and lock icons of the rows, in the dark or the light look.
    void useDarkIcons(bool dark);

    // ---- the sound list ---------------------------------------------------------
    // The working list: one entry per sound of the setup, its source in `file`.
    const QVector<SOUND_INDEX> &waveLoadKitAttrList() const { return m_waveLoadKitAttrList; }
    // The total list's names in row order, as a refused rename puts them back.
    const QStringList &soundList() const { return m_soundList; }
    // The total list's root text.
    const QString &currentOldGroupName() const { return m_currentOldGroupName; }
    // The working list as a load gives it, or as the pad gave records back;
    // the rows stay as they are.
    void takeSoundRecords(const QVector<SOUND_INDEX> &records);
    // The pad's sounds loaded: the working list, and their rows appended.
    void loadPadSounds(const QVector<SOUND_INDEX> &sounds);
    // The total list's rows that hold a sound: name and source, in row order.
    QVector<setupfiles::TotalRow> totalRows() const;
    // Row of the total list whose source is `path` exactly, -1 when none; indexed, no scan per call.
    int soundRowOf(const QString &path) const;
    // The last wave number of the working list, 0 when it is empty.
    int lastWaveNumber() const;
    // A new sound's working-list entry; with showRow also its name and its total and hi-hat list rows.
    void addSound(const QString &name, const QString &path, quint16 waveNo, bool showRow);
    // The files of the working list that some kit of `kits` uses, each once.
    QVector<QString> getSoundFileList(const QVector<soundKit> &kits) const;
    // Every source of a sound of the library, a group or the metronome.
    QStringList librarySources() const;
    // The names of the working list's sounds (unless !withList) and of the
    // groups' sounds, each with its source: what a new sound's name must not repeat.
    namerules::NamesInUse soundNamesInUse(bool withList = true) const;
    // The same with the working list, kept between calls: valid until the
    // list or the groups change.
    const namerules::NamesInUse &soundNameIndex() const;
    // Compares the bytes of sounds, stored sounds read in their loaded kit
    // files, each file looked at off this thread (through the look waiter);
    // `apart`: as loaded now, for a thread that may outlive changes.
    setupfiles::SoundBytes soundBytes(bool apart = false) const;

    // ---- the total list's and the hi-hat list's rows ----------------------------
    // The total list shows no sound (the hi-hat list stays as it is).
    void clearSoundRows();
    // The hi-hat list shows no sound.
    void clearMirrorRows();
    // The hi-hat list made anew from the total list, row for row.
    void mirrorSoundRows();
    // The total list shows `rows` in their order (a number cell and a name
    // cell an editor may change when told so), the hi-hat list follows and
    // the names are noted.
    void showSounds(const QVector<soundorder::Row> &rows, bool numbersEditable, bool namesEditable);
    // The names of the total list's rows, in row order, as the renames put them back.
    void noteRowNames();
    // A refused name edit in one of the lists: the cell shows `name` again.
    void putBackName(const QModelIndex &cell, const QString &name);
    // The name of row `row` was edited to `name`: a later refused edit puts
    // it back; the working-list entries of its source take it.
    void renameSound(int row, const QString &name);
    // The hi-hat rows of `file` take `name`; true when there was one.
    bool nameMirrorRowsOf(const QString &file, const QString &name);
    // Every total-list row of `file` and its hi-hat row take `name`, as a
    // user's edit of those rows would (the total list's edit handling runs).
    // True when there was one.
    bool nameSoundRowsOf(const QString &file, const QString &name);
    // The name of row `row` can no longer be edited (on the pad it is set once).
    void settleSoundName(int row);
    // The sounds of total-list rows `rows` are locked or unlocked (by their numbers).
    void lockSounds(const QVector<int> &rows, bool lock);
    // Rows `rows` (descending) leave the total list, the hi-hat list and the
    // names; the entries marked in `records` leave the working list and are
    // returned with their places.
    QVector<QPair<int, SOUND_INDEX>> removeSounds(const QVector<int> &rows, const QVector<bool> &records);
    // The entry `record` (or none when -1) is a sound written to the pad now:
    // its row is appended to the total and hi-hat lists.
    void soundWrittenToPad(int record, quint16 number, const QString &name, const QString &device);
    // The working list's entries `records` (ascending) leave it.
    void removeSoundRecords(const QVector<int> &records);
    // Every working-list number from 1 in list order; the numbers before are returned.
    QVector<int> renumberSounds();
    // The numbers a renumbering gave back (`numbers`, the first entries').
    void restoreSoundNumbers(const QVector<int> &numbers);
    // Each entry (first) is now the pad's file (second); its total-list row
    // follows. The files before are returned, in order.
    QVector<QString> moveSoundFiles(const QVector<QPair<int, QString>> &moves);
    // The sources `to` names move there: in the working list and the rows.
    void moveSounds(const QHash<QString, QString> &to);
    // The sounds of the kit file `storedIn` names leave the working list and
    // the rows; the rows' numbers are shown anew from the list.
    void forgetKitFileSounds(const setupfiles::StoredIn &storedIn);
    // Sources that `to` moves onto a source the working list holds already:
    // their entries and rows go (returned: source -> the number it takes).
    QHash<QString, quint16> mergeSources(const QHash<QString, QString> &to);

    // ---- the metronome list's rows ---------------------------------------------
    // The files of the default metronome sounds, sorted by name.
    QStringList defaultClickFiles() const;
    // The metronome list shows no sound.
    void clearClickRows();
    // A pad was loaded: the metronome list is empty and the next metronome
    // import reads the pad's metronome folder.
    void expectPadClickSounds();
    // The next metronome import does not read the pad's folder (it was read).
    void padClickFolderRead();
    // The metronome sounds `added` (and their pad records) follow those
    // listed; the rows show them all under the group "Metronome Sound Group".
    void takeClickSounds(const QVector<SOUND_LIST_INFO> &added, const QVector<SOUND_INDEX> &padRecords);
    // The metronome sound of row `sound` leaves the list; the rows are numbered anew.
    void removeClickSound(const QModelIndex &sound);
    // The metronome sounds whose sources `to` names move there.
    void repointClickSounds(const QHash<QString, QString> &to);

    // ---- stored sounds of loaded kit files -------------------------------------
    // The finder of stored sounds in the loaded kit files, kept for many sounds
    // in a row; `wait` waits on a drive (StoredEntries).
    soundsource::StoredEntries storedEntries(const ztplatform::Waiter &wait = {}) const;
    // A stored sound's table entry in its loaded kit file *kit; -1: file not loaded (*kit null) or beyond its table.
    int storedSoundEntry(const QString &source, const READ_KIT_FILE **kit, const ztplatform::Waiter &wait = {}) const;

    // ---- the groups ---------------------------------------------------------------
    // Why sound `row` of group `group` can be neither previewed, dragged nor
    // saved: its bytes were found nowhere at the start; empty when it can.
    QString groupSoundLost(int group, int row) const;
    // The groups in the group tree's order, with their sounds: what the
    // groups' file is written from.
    const QVector<soundfilexml::strSoundGroup> &soundGroupList() const { return m_soundGroupList; }
    // The group names, last group first, and each group's sound names in the same order.
    QVector<QString> leftGroupList() const;
    GroupNameLists leftSoundList() const;
    // The first group whose name, trimmed, is `name`; the number of groups when there is none.
    int getGroupIndexFromModel(const QString &name) const;
    // The user's new group, at the top.
    void addGroup(const QString &name);
    // A new group at the bottom, for sounds added to a group of that name
    // when there is none; its row.
    int appendGroup(const QString &name);
    // A sound of a group: its name and source.
    struct GroupSound
    {
        GroupSound() = default;
        GroupSound(QString n, QString f, groupentries::Identity b = {})
            : name(std::move(n)), file(std::move(f)), bytes(std::move(b))
        {
        }
        QString name;
        QString file;
        groupentries::Identity bytes; // of the file as it was read, when it was
    };
    // The sounds join group `group`, in order, below its sounds.
    void addSoundsToGroup(int group, const QVector<GroupSound> &sounds);
    // Group `group` is named `name` (as its row shows it).
    void renameGroup(int group, const QString &name);
    // Sound `row` of group `group` is named `name`.
    void renameGroupSound(int group, int row, const QString &name);
    // The user's delete: the sounds `sounds` (group row, its sound rows)
    // leave their groups; the groups `groups` go, and so does a group all of
    // whose sounds went; the group "Default" stays.
    void deleteFromGroups(QVector<int> groups, QVector<QPair<int, QVector<int>>> sounds);
    // The group sounds whose sources `to` names (old -> new) move there. A
    // sound that carries another entry than the one its source reached
    // (`was`) names a sound no longer there: it stays as it is. A sound moved
    // takes the entry of its new source (`now`; none for a file of its own).
    // True when one moved.
    bool repointGroupSounds(const QHash<QString, QString> &to,
                            const QHash<QString, groupentries::Identity> &was = {},
                            const QHash<QString, groupentries::Identity> &now = {});

    // ---- the groups' file ----------------------------------------------------------
    // What the start found at the groups' file.
    struct SoundListStart
    {
        QString unreadable; // why the file could not be read whole; empty when it was (or is missing)
        bool partly = false; // it was read, but some of its entries could not be
        bool lacking = false; // some sound rows are kept without a part of theirs that could not be read
        QString keptAs;      // where the file as it stood was kept
        QString notKept;     // why it could not be kept: nothing is written over it
        bool inUse = false;  // another editor holds the groups, or they cannot be locked: nothing is written
        QString lockReason;  // why the lock could not be taken; empty when another editor holds it
        QVector<groupentries::Unmatched> unmatched; // rows whose bytes are nowhere: marked lost
        QVector<groupentries::Unmatched> fromKept;  // rows now taken from the kept sounds
        bool silent = false; // its drive did not answer in time: nothing read, nothing is written over it
    };
    // The groups of the file join the groups, and the file is taken for this
    // editor; with no group at all, a group "Default" is made. A link at the
    // name is read and later written through when it names a regular file. A
    // file that does not read whole (or that a link names that is not
    // followed) is kept beside it first, as soundfilexml::keepCopyBeside /
    // moveAside name it; while another editor holds the groups nothing is
    // moved or kept. The file is read, locked and kept aside off this
    // thread: one whose drive does not answer in 2 s is not read (`silent`),
    // never taken for an empty list, and nothing is written over it.
    SoundListStart openSoundList(const QString &fileName);
    // The groups' file opened at the start ("soundlist.xml").
    const QString &soundListFileName() const { return m_soundListFileName; }
    // What a write of the sound-list file did.
    struct SoundListSave
    {
        bool written = false;
        QString reason;        // why it was not, in the system's words or the editor's
        bool inUse = false;    // another editor holds the groups, or they cannot be locked, or othersFile
        bool othersFile = false; // inUse: this editor holds the lock now, but another wrote the file since it read it
        bool declined = false; // the file is read-only and the user kept it so
        QString lockReason;    // inUse: why the lock could not be taken; empty when another editor holds it
        QString besideAs;      // inUse at the close: the groups written beside the file, which stays as it is
        QString keptAs;        // another program's version of the file, kept beside it before the write
        QString notKept;       // what the replaced file had that the new one lacks
        bool silent = false;   // the drive did not answer in time: nothing was written
        bool inDoubt = false;  // it stopped answering while the file was put in place: old or new, whole
        bool notAFile = false; // a folder, a pipe or the like stands at its name: nothing was written
    };
    // Asked before a read-only file is replaced, with the file's path; true for Yes.
    using ReadOnlyQuestion = std::function<bool(const QString &file)>;
    // The text of that question.
    static QString readOnlyQuestion(const QString &file);
    // What a save tells when another program's version of the file was kept as `keptAs`.
    static QString otherVersionKept(const QString &keptAs);
    // Writes the groups to the groups' file, whole or not at all (through a
    // link opened at the start, to the file it named), when they differ from
    // what the file held as read or last written (`atClose`), or from what it
    // holds now. Without the lock it is tried again first. An editor that did
    // not hold the lock when it read the file never writes over one another
    // editor wrote since: nor while another holds it (`inUse`); its close
    // keeps its groups beside the file instead (`besideAs`). A read-only file
    // is replaced only once `ask` said Yes this session (the close asks again
    // when a save was told No). Sounds of loaded kit files that are as loaded
    // take their entries along. The file is looked at and replaced off this
    // thread: a drive that does not answer in 2 s writes nothing (`silent`),
    // or leaves the old file or the new one in place (`inDoubt`).
    SoundListSave saveSoundList(const ReadOnlyQuestion &ask = ReadOnlyQuestion(), bool atClose = false);
    // The same for the groups as `change` makes them from these (the rows as
    // a save is about to make them), which stay as they are here.
    SoundListSave saveSoundListAs(const std::function<void(QVector<soundfilexml::strSoundGroup> &)> &change,
                                  const ReadOnlyQuestion &ask = ReadOnlyQuestion());

    // ---- the metronome list's sounds ---------------------------------------------------
    // The metronome sounds (at most five): name and source.
    const QVector<SOUND_LIST_INFO> &clickList() const { return m_clickList; }
    // Their wave records, as loaded, read from the pad or gathered by a save.
    const QVector<SOUND_INDEX> &clickSetList() const { return m_clickSetList; }
    // The next metronome import reads the pad's metronome folder.
    bool clickDeviceFlag() const { return m_clickDeviceFlag; }
    // The metronome sounds are dropped: a whole setup being read brings its own.
    void dropClickSounds();
    // The metronome sounds' records as a save gathered them for its file
    // (or as they were, when the save wrote nothing); no step of the user's.
    void takeClickRecords(const QVector<SOUND_INDEX> &records);

    // ---- loaded kit files -------------------------------------------------------------
    // Kit files loaded in this run, each with its sounds' table as read.
    const QVector<READ_KIT_FILE> &loadedKitFiles() const { return m_loadedKitFiles; }
    // Kit-file sounds the sound list holds once.
    const setupfiles::SharedSounds &sharedSounds() const { return m_sharedSounds; }
    // The loaded whole setup holds the five metronome sounds first in its table.
    bool loadClickFlag() const { return m_loadClickFlag; }
    // The whole setup last loaded (or being loaded).
    const QString &binFilePath() const { return m_binFilePath; }
    // The global settings file and the kit files picked at the last import.
    const QString &globalFilePath() const { return m_globalFilePath; }
    const QStringList &kitFileList() const { return m_kitFileList; }
    // The kit files loaded, each once, and the kit number each holds.
    const QStringList &recordKitFileList() const { return m_recordKitFileList; }
    const QVector<int> &recordKitIndexList() const { return m_recordKitIndexList; }

    // A whole setup is read: the sound list, its loaded files and its
    // metronome records start empty.
    void beginSetupLoad();
    // Whether the setup read holds the five metronome sounds first.
    void noteSetupClicks(bool clicksFirst);
    // The sounds of a whole setup read: its waves join the working list
    // (each numbered one up), its metronome sounds become the metronome list
    // and its records, shown as new rows.
    void takeSetupSounds(const QVector<SOUND_INDEX> &waves, const QVector<SOUND_INDEX> &clicks,
                         const QVector<SOUND_LIST_INFO> &clickList);
    // The whole setup at `path` is being read (or was read).
    void noteSetupFile(const QString &path);
    // A kit file read, kept with its sounds' table; returned as kept.
    const READ_KIT_FILE &addLoadedKitFile(READ_KIT_FILE file);
    // The read whole setup at `path`, kept as the setup last loaded.
    void takeLoadedSetup(READ_KIT_FILE file, const QString &path);
    // Loaded kit file `index` is forgotten (it is read again).
    void forgetLoadedKitFile(int index);
    // The sounds of kit file `file` read: those the list holds already (same
    // name, same stored bytes) are noted as twins of those, the others join
    // the working list, their names in `sounds` made unique among the list's
    // and the groups' sounds. Returned: position in `sounds` -> the list
    // source it stands for.
    QHash<int, QString> takeKitFileSounds(const QString &file, QVector<SOUND_INDEX> &sounds,
                                          const ztplatform::Waiter &wait = {});
    // Before the sounds stored in a kit file leave the list: each of them
    // another kit file's sound stands for hands over to it (list source
    // leaving -> its twin). The kit file's twins are then forgotten.
    QHash<QString, QString> handOverSharedSounds(const setupfiles::StoredIn &leaving);
    // The same for each list source `leaving` names.
    QHash<QString, QString> handOverSharedSoundsWhere(const std::function<bool(const QString &)> &leaving);
    // Kit files the editor no longer knows as loaded (a save replaced them).
    void forgetKitFiles(const QStringList &files);
    // The picks of an import: none yet, the global settings file, a kit file.
    void clearImportPicks();
    void clearKitFilePicks();
    void pickGlobalFile(const QString &path);
    void pickKitFile(const QString &path);
    // The picked global settings file was taken.
    void globalFileTaken();
    // Kit file `path` holds kit `kit`: recorded once, after those recorded.
    void recordKitFile(const QString &path, int kit);
    // Recorded kit file `index` now names `path`, holding kit `kit`.
    void replaceRecordedKitFile(int index, const QString &path, int kit);
    // Recorded kit file `index` is no longer recorded.
    void dropRecordedKitFile(int index);

signals:
    // The working list, the total list's or the hi-hat list's rows changed.
    void soundsChanged();
    // The groups or their sounds changed.
    void groupsChanged();
    // The metronome list changed.
    void clickSoundsChanged();

private:
    const std::shared_ptr<ztplatform::Leftovers> m_leftovers;
    const std::shared_ptr<ztplatform::FolderFence> m_fence;
    const std::shared_ptr<ztplatform::SilentFiles> m_silent;
    // One edit of the library: what it changed is told once, when the
    // outermost edit ends (an edit may make others).
    enum Change { Sounds = 1, Groups = 2, Clicks = 4 };
    class Edit
    {
    public:
        // `told`: the edit tells the step what of the sound list it changes (tellSounds).
        Edit(SoundLibrary *lib, int changes, bool told = false);
        ~Edit();
        Edit(const Edit &) = delete;
        Edit &operator=(const Edit &) = delete;

    private:
        SoundLibrary *m_lib;
        bool m_sounds;
    };
    int m_editDepth = 0;
    int m_soundsDepth = 0;
    int m_changes = 0;

    class SoundsPart;
    // What one edit changes of the working list, the names, the total list's
    // and the hi-hat list's rows: each from `tail` on (rows appended), or
    // the positions `changed` in place, or those `removed` (ascending).
    struct ListPlan
    {
        enum Sequence { Entries, Names, Total, Mirror };
        int tail[4] = {-1, -1, -1, -1};
        QVector<int> changed[4];
        QVector<int> removed[4];
    };
    SoundsPart *m_openSounds = nullptr; // the step being made keeps the sound list's edits here
    // The outermost told edit changes what `plan` names, and nothing else of the sound list.
    void tellSounds(const ListPlan &plan);
    // The outermost edit of the sound list begins, or ends.
    void soundsEditBegins(bool told);
    void soundsEditEnds();
    class GroupsPart;
    class ClicksPart;
    class FilesPart;
    struct ClicksState;
    struct FilesState;
    editstep::Recorder *m_recorder = nullptr;
    quint64 m_outside[4] = {}; // edits outside the steps: sounds, groups, metronome list, loaded files
    QSet<const FilesState *> m_heldFiles; // the loaded files the steps keep
    // Before an edit of `changes` (Change): the step being made keeps them as they are.
    void touch(int changes);
    void touchFiles();
    // A step of the user's named `name`, shown on the sound list or the groups.
    editstep::Recorder::Scope userStep(const QString &name, bool groups);
    // The kit file at `kitFile`, found with `stamp`, is as a load (now, or
    // one a step keeps) read it.
    bool kitFileAsLoaded(const QString &kitFile, const ztplatform::FileStamp &stamp) const;
    ztplatform::Waiter m_lookWait;
    // What a look found at a sound's file or kit file.
    struct FoundAt
    {
        bool kitFile = false;
        bool answered = false;
        bool regular = false;
        ztplatform::FileStamp stamp;
    };
    // What goneSounds() found at each file, while a LookOnce lives.
    struct LookedAt
    {
        QHash<QString, int> places;
        QStringList files;
        std::vector<FoundAt> found;
    };
    mutable std::unique_ptr<LookedAt> m_lookedAt;
    // Looks at the files from place `from` on.
    void lookAtSoundFiles(int from) const;

    // Rows appended for sounds of the pad: number and name fixed.
    void showPadSounds(const QVector<SOUND_INDEX> &sounds);
    // The metronome sounds of a loaded whole setup, as new rows of a new group.
    void showLoadedClickSounds();

    QVector<SOUND_INDEX> m_waveLoadKitAttrList;
    QStringList m_soundList;
    QString m_currentOldGroupName;
    QVector<SOUND_LIST_INFO> m_clickList;
    QVector<SOUND_INDEX> m_clickSetList;
    QString m_clickFolder; // of the default metronome sounds
    bool m_clickDeviceFlag = false;
    QVector<READ_KIT_FILE> m_loadedKitFiles;
    setupfiles::SharedSounds m_sharedSounds;
    bool m_loadClickFlag = false;
    QString m_binFilePath;
    QString m_globalFilePath;
    QStringList m_kitFileList;
    QStringList m_recordKitFileList;
    QVector<int> m_recordKitIndexList;
    SoundListModel *m_total;
    SoundListModel *m_mirror;
    SoundListModel *m_groups;
    SoundListModel *m_clicks;
    mutable SoundPathIndex m_totalPathIndex{2}; // rows of the total list by source path
    mutable SoundNameIndex m_nameIndex;
    // Edits of the working list begun; m_listEdits when the name index last
    // read it outside an edit (it may then lack only entries appended since).
    quint64 m_listEdits = 1;
    mutable quint64 m_namesSeen = 0;
    QVector<soundfilexml::strSoundGroup> m_soundGroupList;
    // The groups' file as opened at the start.
    QString m_soundListFileName;
    enum class ReadOnlyAnswer { Unasked, Yes, No };
    ReadOnlyAnswer m_soundListReadOnly = ReadOnlyAnswer::Unasked;
    QString m_listTarget;  // the file written: the name, or the file a link at it names
    bool m_listLinked = false;
    QString m_listBlocked; // why nothing may be written over what stands at the name
    ztplatform::FileStamp m_listStamp; // the file as this editor last read or wrote it
    QByteArray m_listBytes;            // its bytes then
    QByteArray m_listInDoubt;          // bytes of a write whose drive stopped answering as it put them in place
    QByteArray m_listBaseline;         // the groups as the file holds them then
    QVector<soundfilexml::strSoundGroup> m_listBaselineGroups; // the same before they are made bytes
    ztplatform::FileLock m_listLock;
    bool m_listOwn = false; // m_listStamp and m_listBytes were read or written holding the lock
    // The groups of the file read in and taken for this editor.
    SoundListStart takeSoundList(const QString &fileName);
    // Group sounds naming sounds of loaded kit files, as loaded, take their entries.
    void noteEntries();
    // saveSoundList's write of `bytes` (noted entries taken).
    SoundListSave writeGroups(const QByteArray &bytes, const ReadOnlyQuestion &ask, bool atClose);
    // A write the file is not this editor's for (not held, or another
    // editor's since it was read): told in `save`; at the close `bytes` are
    // kept beside the file, which stays as it is.
    void notOurs(const QByteArray &bytes, bool held, bool atClose, SoundListSave &save);
    // The file replaced by `bytes` off this thread, another program's version
    // (`other`, when given) kept beside it first.
    void replaceGroups(const QByteArray &bytes, const std::optional<QByteArray> &other, SoundListSave &save);
    // soundfilexml::moveAside (no `bytes`) or keepCopyBeside off this thread:
    // where the file was kept, or empty with the reason (its drive's silence too).
    QString keepAsideWithin(const QString &target, const std::optional<QByteArray> &bytes, QString *reason) const;
    // Every change of the groups and the group tree is made here, and kept
    // by the step being made (its part of the groups, when it has one).
    GroupsPart *m_openGroups = nullptr;
    std::unique_ptr<editstep::Part> groupsPart();
    void changeGroups(GroupChange &&change);
    // Exchanges what `change` keeps with the groups and the tree.
    void exchangeGroups(GroupChange &change);
    // A new group of no sound at `at`, its row editable or not.
    void insertGroup(int at, const QString &name, bool editable);
    // The group tree's rows showing `sounds`, made anew.
    static QVector<QList<QStandardItem *>> groupRows(const QVector<soundfilexml::strSoundItem> &sounds);
    // The groups read from the file join the groups and the tree, after those there.
    void soundListToItemModel(const QVector<soundfilexml::strSoundGroup> &groups);
};
