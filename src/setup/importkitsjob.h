#ifndef ZT_SETUP_IMPORTKITSJOB_H
#define ZT_SETUP_IMPORTKITSJOB_H

// The import of a set of kit files with or without the global settings file
// (the library's globalFilePath and kitFileList), and the read-back of
// recorded kit files after a save replaced them. Each kit file is read and
// checked in scratch before it replaces an earlier load of the same file and
// takes its kit slot; a refused file is passed over with its box.

#include "document/kitdocument.h"
#include "library/soundlibrary.h"
#include "kitfile/kitsin.h"
#include "setup/loadnotices.h"
#include "setup/setupjob.h"

#include <QHash>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>

class ImportKitFilesJob
{
public:
    using KitTaking = std::function<void(int kit, const setupfiles::LoadedKit &loaded)>;

    // What the window does between the steps; each may be left empty.
    struct Redraws
    {
        // An earlier load of a file was forgotten (setupjob::removeSoundFile):
        // `moved` holds the sources handed over to another loaded kit file.
        std::function<void(const QHash<QString, QString> &moved)> forgotten;
        KitTaking kitTaking; // kit `kit` of a file is about to be stored
        // The picked global settings file was read into `model`.
        std::function<void(percussionpadfile &model)> globalRead;
        std::function<void()> loading; // the kit files are about to be read
        std::function<void()> loaded;  // the load ended and changed the editor
    };

    ImportKitFilesJob(KitDocument &doc, SoundLibrary &library, setupjob::Progress progress = {});
    // How a drive is awaited (the window's waiter lets it paint); without one it blocks.
    void setWaiter(ztplatform::Waiter wait) { m_wait = std::move(wait); }
    // How the read of the kit files, one job, is waited on; without one
    // through the waiter.
    void setRunner(setupjob::JobRunner runner) { m_runner = std::move(runner); }

    // The import of the picks taken: the global settings file read, the kit
    // files checked, then read by kit number into their slots (loading,
    // loaded) and the renames named. The global settings are taken
    // (redraws.globalRead) when a kit file was read or none was picked, else
    // left with a box; a global settings file that cannot be read is named as
    // not applied, and the kit files are read all the same. Every picked file
    // gets one result. False when it ended before the load, or the load ended
    // early without changing the editor; the boxes are in result().
    bool run(const Redraws &redraws);

    // ---- the steps -------------------------------------------------------------------
    // The picks of the import dialog: a whole setup picked alone (wholeSetup()),
    // or one global settings file (known by its content, whatever its name)
    // and the kit files, which the library takes as its globalFilePath and
    // kitFileList, each kit file recorded by its kit number. False (its box)
    // when a pick cannot be taken and the dialog opens again. Nothing picked
    // is taken as nothing to import.
    bool takePicks(const QStringList &picks, const Redraws &redraws = {});
    // The kit files a save just wrote, to be read back: each joins the
    // library's kitFileList and is recorded by the kit number it stores.
    // False at the first that does not open or is of an old layout (its box).
    bool takeSavedFiles(const QStringList &files, const Redraws &redraws = {});
    // Records the kit file `path` with its kit number n (1..255) in place of the
    // recorded file whose kit number is n; recorded files that no longer exist
    // are forgotten with their sounds, those that no longer read as kit files
    // named in a box and forgotten.
    void recordKitFile(const QString &path, int n, const Redraws &redraws = {});
    // The picked global settings file read into globalModel(), not yet
    // taken. False (NotRead, its box) when it is refused.
    bool readGlobalFile();
    // The picked kit files may be read: the sound list has room, none passes
    // 4 GiB and (with `brandedToo`) none carries another maker's mark. False
    // (its box, each picked file NotRead) at the first that may not.
    bool checkKitFiles(bool brandedToo);
    // The recorded kit files that are picked, read by kit number into their kit
    // slots (`reload`: after a save replaced them), all read in one job before
    // the first is taken; each picked file gets its
    // result. False when the load ended early; changed() tells whether it
    // changed the editor all the same.
    bool load(bool reload, const Redraws &redraws = {});
    // Names in boxes the sounds and kits the load renamed.
    void noteRenamed();
    // The kit number the first ordered file stores (0 read as 1): the kit to
    // show after the load; 0xFF for an old layout, -1 when it does not open.
    int firstKitNumber() const;

    // ---- the sound and kit of one read kit file ---------------------------------
    // The sounds of the kit file `file` read into `pf` join the library, a
    // sound the list holds already standing for its twin; false (NotRead, its box) when one is refused.
    bool takeKitSounds(const QString &file, percussionpadfile *pf);
    // Kit slot `kit` takes the kit of `file` read into `pf`, its sounds found in
    // the library; it becomes what the close compares with.
    void takeKit(const percussionpadfile *pf, int kit, const QString &file, const KitTaking &kitTaking = {});

    const setupjob::Result &result() const { return m_result; }
    const QString &wholeSetup() const { return m_wholeSetup; } // the whole setup picked alone
    percussionpadfile &globalModel() { return *m_global; }
    const QStringList &ordered() const { return m_ordered; } // the recorded files by kit number
    bool replaced() const { return m_replaced; } // an earlier load of a file was dropped
    bool changed() const { return m_changed; }   // a file was read in, or an earlier load dropped
    int soundsAdded() const { return m_soundsAdded; } // the sound table entries of the files read

private:
    struct ReadKit;
    using ReadKits = QVector<std::shared_ptr<ReadKit>>;
    enum class Read { Loaded, Skipped, Ended };
    // One job reads the kit number of each recorded file, then the picked
    // ones by kit number, for loadFile; the recorded files are then ordered.
    void readRecorded();
    void orderRecorded(const ReadKits &files);
    // The picked ones among `files` with a kit number, by kit number, each path once.
    static ReadKits picksInKitOrder(const ReadKits &files, const QVector<quint8> &numbers);
    Read loadFile(const QString &path, bool reload, int &count, const Redraws &redraws);
    // The global settings read become the editor's (Read); or are left (NotRead, a box).
    void takeGlobal(const Redraws &redraws);
    void leaveGlobal();
    // Each picked kit file without a result yet is NotRead, `why` its reason.
    void noteUnreached(const QString &why);
    void forget(const QString &file, const Redraws &redraws);
    bool refusePick(const QString &pick, const QString &why);

    KitDocument &m_doc;
    SoundLibrary &m_library;
    setupjob::Progress m_progress;
    ztplatform::Waiter m_wait;
    setupjob::JobRunner m_runner;
    QHash<QString, std::shared_ptr<ReadKit>> m_reads; // read, not yet taken
    setupjob::Result m_result;
    std::unique_ptr<percussionpadfile> m_global;
    QString m_wholeSetup;
    QStringList m_ordered;
    bool m_replaced = false;
    bool m_changed = false;
    int m_soundsAdded = 0;
    QVector<setupjob::RenamedSounds> m_renamedSounds; // by kit file, in the order read
    QHash<int, namerules::NameChange> m_renamedKits;  // kit (1-based) -> its name stored and taken
};

#endif
