#ifndef ZT_SETUP_SAVEKITSJOB_H
#define ZT_SETUP_SAVEKITSJOB_H

// Saving chosen kits as single-kit files into a folder: each written beside
// its target, read back and synced, then put in place once every one of them
// is written; loaded files they replace are read back by the window after.

#include "platform/job.h"
#include "platform/replacefile.h"
#include "kitfile/filewrite.h"
#include "kitfile/kitfiles.h"
#include "setup/savesteps.h"
#include "setup/setupjob.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class KitDocument;
class SoundLibrary;

namespace savejob {
struct FileWrite;
}

class SaveKitsJob
{
public:
    struct Input
    {
        QString folder;    // the folder the user chose
        QVector<int> kits; // 1..100, in the order chosen
        QString tempDir;   // where sounds are converted to raw waves
    };
    // The loaded kit files the save replaced, to read back: by replaced
    // file, where its sounds went in the new file, and the kit slots the
    // read-back fills.
    struct Reload
    {
        QStringList files;
        QHash<QString, QHash<QString, int>> moved;
        QSet<int> reread;
    };
    struct Outcome
    {
        // KeptAs for each sound kept on the way, then per kit file: Written
        // (in place, its folder synced or the warning given), Declined (the
        // user kept the file), Refused (reason, keptAs the new file when it
        // could not take the old one's place). The boxes to show are
        // result.notices, in order.
        setupjob::Result result;
        // The first `shownLocked` notices are shown while the window is still
        // held, the others once it is free again.
        int shownLocked = 0;
        Reload reload;
    };

    SaveKitsJob(KitDocument &doc, SoundLibrary &lib, setupjob::Questions &questions, setupjob::Progress progress,
                savejob::Hooks hooks = {});
    Outcome run(const Input &in);

    // The read-back of `reload.files`: before it, the kit slots that take
    // their sounds from the new files again; after it, those slots
    // repointed (the groups' sounds followed when the files were put in
    // place). True when a kit changed (its pads to redraw).
    static QVector<setupfiles::MovedSlot> slotsToRepoint(const KitDocument &doc, const Reload &reload);
    static bool repointAfterReload(KitDocument &doc, SoundLibrary &lib, const QVector<setupfiles::MovedSlot> &moves);

private:
    savejob::Run m_run;
    Input m_in;
    QVector<QString> m_names; // the kits' names the files are named after
    QVector<setupfiles::KitTarget> m_plan;
    std::vector<std::shared_ptr<savejob::FileWrite>> m_files; // by plan entry; null when not written
    QHash<QString, QStringList> m_replacing; // target -> the loaded or recorded files it replaces
    QHash<int, QStringList> m_replacedBy;          // plan entry -> the loaded or recorded files it replaces
    QVector<savejob::LoadedFiles::CutOff> m_cut;   // the loaded files the renames cut off
    savejob::Gathered m_got;                      // the sounds of the last kit written
    QHash<int, QString> m_refused;                // plan entry -> why its file is not in place
    QHash<int, QString> m_keptAs;                 // plan entry -> where its new file is kept instead
    QSet<int> m_givenUp; // plan entries whose file a thread given up on still holds
    QSet<int> m_inDoubt; // plan entries whose rename may or may not have taken
    Reload m_reload;
    int m_shown = 0; // where the job's reports moved the bar

    bool plan();
    bool targetsAnswer();
    bool noSoundFileReplaced();
    bool loadedFilesAnswer();
    std::optional<QVector<setupfiles::TargetLook>> lookAtTargets();
    // The kit files written beside their targets in one job (savekitswrite.cpp).
    struct Work;
    std::shared_ptr<Work> workFor(const savejob::JobConversion &conversion);
    static bool fileStep(Work &w, int n, bool write, const std::function<void()> &step);
    static void workOn(Work &w, const ztplatform::Job::Report &report);
    static bool workOnKit(Work &w, int n);
    void runWork(const std::shared_ptr<Work> &w, const savejob::JobConversion &conversion);
    bool takeKit(Work &w, int n, QStringList &sources);
    ztplatform::ReplaceFile *fileOf(int i) const;
    bool writeBeside();
    bool refuseAll(const QString &text);
    bool fail(const QString &text);
    bool putInPlace();
    bool placeKit(int i, bool rename);
    void syncFolders(bool &replacedAll);
    void report(bool replacedAll);
    QString kitsNotSaved() const;
    QString kitsKept() const;
    void results();
    void dropFiles();
};

#endif
