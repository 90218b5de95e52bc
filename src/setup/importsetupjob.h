#ifndef ZT_SETUP_IMPORTSETUPJOB_H
#define ZT_SETUP_IMPORTSETUPJOB_H

// The import of a whole setup: the file is read and checked in scratch, then
// its kits become the document's and its sounds and metronome sounds the
// library's, replacing every earlier load. Nothing changes when the file is
// refused, at its first read or when its sounds are read again.

#include "document/kitdocument.h"
#include "library/soundlibrary.h"
#include "kitfile/fileread.h"
#include "kitfile/kitsin.h"
#include "setup/setupjob.h"
#include "kitfile/soundsin.h"

#include <functional>

class ImportSetupJob
{
public:
    using SOUND_INDEX = MainWindow1Records::SOUND_INDEX;
    using KitTaking = std::function<void(int kit, const setupfiles::LoadedKit &loaded)>;

    // What the window redraws between the steps; each may be left empty.
    struct Redraws
    {
        std::function<void()> cleared;                    // the earlier load is gone: new empty sound lists
        std::function<void()> soundsTaken;                // the file's sounds are the library's (sounds())
        KitTaking kitTaking;                              // kit `kit` of the file is about to be stored
        std::function<void()> kitsTaken;                  // the file's 100 kits are the document's
        std::function<void(percussionpadfile &)> modelRead; // the global settings from the read model
    };

    ImportSetupJob(KitDocument &doc, SoundLibrary &library, setupjob::Progress progress = {});

    // How a drive is awaited (the window's waiter lets it paint); without one it blocks.
    void setWaiter(ztplatform::Waiter wait) { m_wait = std::move(wait); }
    // How the file's read, one job, is waited on; without one it blocks.
    void setRunner(setupjob::JobRunner runner) { m_runner = std::move(runner); }

    // Every step in order; true when the file became the loaded whole setup.
    // The file and its sounds are read and checked in one job before
    // anything changes; what it read is then taken here.
    bool run(const QString &path, const Redraws &redraws = {});

    // ---- the steps -------------------------------------------------------------------
    // The file and its sounds read and checked in one job (the runner's),
    // held for the sounds' taking; nothing else changes. False (NotRead, its
    // box) when it is refused.
    bool read(const QString &path);
    // Forgets every loaded file with its sounds, the metronome list and the kits.
    void clear();
    // The model reads its kits from the read kit images; the global settings
    // follow the file's layout, and the library notes whether the file begins
    // with the metronome sounds.
    void takeTables();
    // The sounds of the whole setup `file` read into `pf` join the library: the
    // working list, the metronome list and its rows. False (NotRead, its box) when
    // one is refused; the renamed ones are named in a box.
    bool takeSounds(const QString &file, percussionpadfile *pf);
    // The kits of `pf` into the document, their sounds found by number in `waves`
    // (the file's sounds as stored); false when pf holds no kit images. The kits
    // renamed on the way in are named in a box.
    bool takeKits(percussionpadfile *pf, const QVector<SOUND_INDEX> &waves, const KitTaking &kitTaking = {});
    // The read file becomes the loaded whole setup (Read).
    void finish();

    const setupjob::Result &result() const { return m_result; }
    // The sounds the last takeSounds took.
    const setupfiles::WholeSetupSounds &sounds() const { return m_sounds; }
    // The model read, its kit images the job's; until finish() hands it,
    // without them, to the library's loaded files.
    percussionpadfile &model() { return m_rec.info; }

private:
    // The sounds of `file` read into `pf`, compared by `bytes`, held for
    // takeReadSounds; nothing else changes. False (NotRead, its box) as takeSounds.
    bool readSounds(const QString &file, percussionpadfile *pf, const setupfiles::SoundBytes &bytes);
    // The sounds readSounds held join the library.
    void takeReadSounds(const QString &file);
    void step(int done);

    KitDocument &m_doc;
    SoundLibrary &m_library;
    setupjob::Progress m_progress;
    ztplatform::Waiter m_wait;
    setupjob::JobRunner m_runner;
    setupjob::Result m_result;
    QString m_path;
    MainWindow1Records::READ_KIT_FILE m_rec;
    setupfiles::KitTables m_tables;
    int m_globalSize = 0;
    bool m_clicks = false;
    setupfiles::WholeSetupSounds m_sounds;
    setupfiles::WholeSetupSounds m_read; // read, not yet taken
};

#endif
