#ifndef ZT_DEVICE_PAIRBATCH_H
#define ZT_DEVICE_PAIRBATCH_H

// Several sounds' .wav/.prm pairs added to or deleted from the pad as one
// batch, each phase over every pair before the next begins, so that each
// folder is forced to the disk once per phase however many sounds there are:
//  adding:   each pair written under hidden names (each file synced), every
//            folder synced, every pair given its names, every folder synced;
//  deleting: each pair renamed to hidden names, every folder synced, the
//            hidden files removed, every folder synced.
// A stop anywhere leaves each pair whole, under hidden names (which the next
// load puts in order), or gone. The pairs may be staged from several threads;
// one commits them all.

#include "device/padtree.h"
#include "device/waveprm.h"
#include "platform/anchoredfolder.h"

#include <QAtomicInt>
#include <QMutex>
#include <QString>
#include <QVector>

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

    // Converts `source` and writes wave waveNo's pair under hidden names,
    // both files forced to the disk. Written means staged; Stopped means the
    // pad takes nothing more (the errno of a refused write in *refusal).
    waveprm::WaveWrite stage(audioconverter &conv, int waveNo, const QString &source, const QString &name,
                             int *refusal = nullptr);
    // Gives every staged pair its names (each phase's folders synced once).
    // The staged sounds that are not on the pad afterwards.
    QVector<Failure> commit();
    int staged() const;

private:
    struct Pair;
    void drop(const Pair &pair) const;
    void takeBack(const Pair &pair) const;

    ztplatform::FolderAnchor m_root;
    PadTreePaths m_tree;
    QString m_dataPath, m_prmPath;
    std::unique_ptr<Folders> m_folders;
    mutable QMutex m_lock;
    std::vector<Pair> m_pairs;
};

class DeleteBatch
{
public:
    DeleteBatch(const ztplatform::FolderAnchor &root, const PadTreePaths &tree);
    ~DeleteBatch();
    DeleteBatch(const DeleteBatch &) = delete;
    DeleteBatch &operator=(const DeleteBatch &) = delete;

    // Finds the pair of the .wav at `path` and renames both files to hidden
    // names. -1 when it is staged or already gone, else why it stays
    // (UsbUpdate::NotRemoved, the errno in *error); a pair that stays is whole.
    int stage(const QString &path, int *error);
    // Removes every staged pair (each phase's folders synced once). The pairs
    // that stay on the pad, put back under their names.
    QVector<Failure> commit();

private:
    struct Pair;
    void putBack(const Pair &pair) const;

    ztplatform::FolderAnchor m_root;
    PadTreePaths m_tree;
    QString m_dataPath, m_prmPath;
    std::unique_ptr<Folders> m_folders;
    mutable QMutex m_lock;
    std::vector<Pair> m_pairs;
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
