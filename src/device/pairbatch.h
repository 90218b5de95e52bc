#ifndef ZT_DEVICE_PAIRBATCH_H
#define ZT_DEVICE_PAIRBATCH_H

// Several sounds' .wav/.prm pairs added to or deleted from the pad as one
// transaction of the pad's journal, each phase over every pair before the
// next begins, so that each folder is forced to the disk once per phase
// however many sounds there are:
//  adding:   the record names the batch's sounds (their files' marks not
//            known yet) and is on the disk before anything else; each pair
//            is written under hidden names (each file synced), every folder
//            synced; the record, now with each file's size and digest,
//            replaces the first; every pair takes its names, every folder
//            synced, the record removed;
//  deleting: the record names each file with its size and digest; the two
//            files of each pair removed one right after the other, every
//            folder synced, the record removed (a load finishes a record
//            that only removes files from wherever it stopped).
// A stop anywhere leaves the record, which the next load finishes or takes
// back. The pairs may be staged from several threads; one commits them all.

#include "device/padjournal.h"
#include "device/padtree.h"
#include "device/padwatch.h"
#include "device/waveprm.h"
#include "platform/anchoredfolder.h"

#include <QAtomicInt>
#include <QMutex>
#include <QString>
#include <QVector>

#include <QHash>
#include <QSet>

#include <memory>
#include <vector>

class audioconverter;

namespace pairbatch {

// The numbered folders a batch works in, each reached from the pad's root
// once and kept open.
class Folders;

// A sound a batch did not put on the pad, or a pair it did not remove.
struct Failure {
    int waveNo = 0;     // an added sound
    QString source;     // its source file, or the .wav path of a deletion
    int why = 0;        // UsbUpdate::NotRemoved for a deletion
    int error = 0;      // the errno of a write the pad refused, 0 for none
    bool stopped = false; // the pad refused or was gone: nothing after it was tried
};

class AddBatch
{
public:
    // Writes below `root`, in the wave folders of `tree`.
    AddBatch(const ztplatform::FolderAnchor &root, const PadTreePaths &tree);
    ~AddBatch();
    AddBatch(const AddBatch &) = delete;
    AddBatch &operator=(const AddBatch &) = delete;

    // The numbers of the sounds the batch will stage, before the first is
    // staged: the record names them all. False once staging has begun.
    bool plan(const QVector<int> &waveNos);
    // Converts `source` and writes wave waveNo's pair under hidden names,
    // both files forced to the disk; the first call writes the record first.
    // Written means staged; Stopped means the pad takes nothing more (the
    // errno of a refused write in *refusal).
    waveprm::WaveWrite stage(audioconverter &conv, int waveNo, const QString &source, const QString &name,
                             int *refusal = nullptr);
    // Gives every staged pair its names (each phase's folders synced once),
    // or takes the batch back when it cannot. The staged sounds that are not
    // on the pad afterwards; those that are go into *written with the size
    // of the .wav written for them.
    QVector<Failure> commit(QHash<int, qint64> *written = nullptr);
    // The pace the batch beats as its bytes reach the pad; once it is
    // abandoned no further byte is written.
    void setPace(const PadPace &pace) { m_pace = pace; }

private:
    struct Pair;
    // A sound of the batch: its names, and whether it may be staged.
    struct Planned {
        int waveNo = 0;
        QString fff, wavName, prmName, hiddenWav, hiddenPrm;
        waveprm::WaveWrite blocked = waveprm::WaveWrite::Written; // Written: it may
    };
    waveprm::WaveWrite begin(int *refusal);
    padjournal::Record planRecord(QVector<padjournal::Step> *makes);
    bool planFiles(Planned &p, QSet<QString> &folders);
    void abandon();

    ztplatform::FolderAnchor m_root;
    PadTreePaths m_tree;
    QString m_dataPath, m_prmPath;
    std::unique_ptr<Folders> m_folders;
    std::unique_ptr<padjournal::Pad> m_pad;
    padjournal::Record m_record; // as on the pad while the batch stages
    mutable QMutex m_lock;
    QHash<int, Planned> m_planned;
    QVector<int> m_order; // the planned numbers as given
    enum class Begun { No, Yes, Refused } m_begun = Begun::No;
    int m_refusal = 0; // errno of the record the pad refused
    std::vector<Pair> m_pairs;
    PadPace m_pace;
};

class DeleteBatch
{
public:
    DeleteBatch(const ztplatform::FolderAnchor &root, const PadTreePaths &tree);
    ~DeleteBatch();
    DeleteBatch(const DeleteBatch &) = delete;
    DeleteBatch &operator=(const DeleteBatch &) = delete;

    // The .wav paths whose pair may be found with one file gone: what is
    // left of them goes too.
    void takeHalfPairs(const QSet<QString> &paths) { m_halfPairs = paths; }
    // Finds the pair of the .wav at `path` and reads both files' marks;
    // nothing is changed. -1 when it is staged or already gone, else why it
    // stays (UsbUpdate::NotRemoved, the errno in *error).
    int stage(const QString &path, int *error);
    // Removes every staged pair (each phase's folders synced once), or none
    // when the pad refuses a step: the pairs that stay on the pad.
    QVector<Failure> commit();

private:
    struct Pair;
    QVector<Failure> leftOnThePad(const padjournal::Outcome &o) const;

    ztplatform::FolderAnchor m_root;
    PadTreePaths m_tree;
    QString m_dataPath, m_prmPath;
    QString m_dataBase; // m_dataPath as the paths handed in begin with it
    std::unique_ptr<Folders> m_folders;
    QSet<QString> m_halfPairs;
    mutable QMutex m_lock;
    std::vector<Pair> m_pairs;
    QSet<QPair<QString, int>> m_staged; // folder and number of each staged pair
};

// A batch the workers of one sync stage their shares into: the last to end
// its share commits it.
struct Shared {
    std::unique_ptr<AddBatch> add;
    std::unique_ptr<DeleteBatch> remove;
    QAtomicInt sharesLeft;
    bool lastShare() { return sharesLeft.fetchAndSubOrdered(1) == 1; }
};

} // namespace pairbatch

#endif
