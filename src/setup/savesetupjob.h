#ifndef ZT_SETUP_SAVESETUPJOB_H
#define ZT_SETUP_SAVESETUPJOB_H

// Saving the whole setup: every kit, sound, the metronome and the global
// settings as one kit file, written beside the target first when a file is
// there, read back when it replaced the loaded setup.

#include "document/kitdocument.h"
#include "setup/savesteps.h"
#include "setup/setupjob.h"
#include "kitfile/storedsounds.h"

#include "platform/job.h"

#include <functional>
#include <memory>

class QString;
class SoundLibrary;

namespace savejob {
struct FileWrite;
}

class SaveSetupJob
{
public:
    struct Input
    {
        QString target;  // the file the user chose
        QString tempDir; // where sounds are converted to raw waves
        quint16 version = 0;
        bool backup = false; // the file is marked as a backup
        // The global settings page as the file takes it.
        std::function<KitDocument::GlobalPage()> globalPage;
        // Reads the written file back as the loaded setup, after it replaced
        // that setup; may tell the user about the read with boxes of its own.
        std::function<void(const QString &file)> reloadSetup;
    };

    SaveSetupJob(KitDocument &doc, SoundLibrary &lib, setupjob::Questions &questions, setupjob::Progress progress,
                 savejob::Hooks hooks = {});

    // The target Written once the new file took its name (with a success
    // notice, or the warning that its folder did not sync), or Refused with
    // the box's text as its reason (keptAs the new file when it could not
    // take the old one's place); KeptAs for each sound kept on the way. A
    // run that writes nothing leaves the library's metronome records as
    // they were. The boxes to show are result.notices, in order.
    setupjob::Result run(const Input &in);

private:
    struct Loaded;
    struct Work;

    savejob::Run m_run;
    Input m_in;
    bool m_replace = false; // a file stands at the target
    savejob::Gathered m_got;
    QVector<quint16> m_kitOrder;
    QString m_notKept;    // what the new file could not be given of the one it replaces
    QString m_placeError; // why its folder did not sync
    // The loaded files, each opened and checked once and held for the write.
    std::shared_ptr<Loaded> m_loaded;
    QString m_heldChanged; // a held file that changed while the write read it

    bool checkTarget(QString &dest);
    bool checkSources();
    bool checkSourceFile(setupfiles::StoredSoundLocator &loadedFiles, const QString &listed);
    // The sounds gathered, the file laid out and written beside the target
    // in one job (two when shared sounds may move between them); then what it
    // gathered taken here as the document's layout, in the order of the steps.
    bool gatherAndWrite(const QString &dest, std::shared_ptr<savejob::FileWrite> &out, QStringList &sources);
    std::shared_ptr<Work> workFor(const QString &dest, bool clicks, bool waves,
                                  const savejob::JobConversion &conversion);
    static void work(Work &w, const ztplatform::Job::Report &report);
    bool runWork(const std::shared_ptr<Work> &w, const savejob::JobConversion &conversion);
    bool takeClicks(const Work &w);
    bool takeWaves(const Work &w, QStringList &sources);
    bool takeWritten(const Work &w, bool ended);
    void place(const std::shared_ptr<savejob::FileWrite> &out, const QStringList &sources);
    bool putInPlace(const std::shared_ptr<savejob::FileWrite> &out, bool &synced);
    bool placeOffThread(const std::shared_ptr<savejob::FileWrite> &out, bool rename, bool &synced);
    bool stop(const QString &text, const QString &title = QString());
    void refuse(const QString &reason, const QString &keptAs = QString());
};

#endif
