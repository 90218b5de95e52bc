#ifndef ZT_KITFILE_STOREDSOUNDS_H
#define ZT_KITFILE_STOREDSOUNDS_H

// Finds stored sounds in the loaded kit files and checks that each file is
// still the one that was loaded. Each file is probed once per use of the
// locator and kept open while it lives.

#include "model/mainwindow1records.h"
#include "kitfile/setuperrors.h"

#include <QHash>

#include "platform/descriptor.h"
#include "platform/fileidentity.h"
#include "platform/waiter.h"

#include <memory>
#include <vector>

namespace ztplatform {
class FolderFence;
class SilentFiles;
}

class QFile;

namespace setupfiles {

using Records = MainWindow1Records;

// True when `now` (the stamp of the loaded file as it is now) is the file the
// load read: its size, and where the load stamped it, the same file with the
// same modification time.
bool matchesLoad(const Records::READ_KIT_FILE &rec, const ztplatform::FileStamp &now);
// The same from what the load recorded: the file's length and its stamp.
bool matchesLoad(quint64 loadedLength, const ztplatform::FileStamp &loaded, const ztplatform::FileStamp &now);

// The kit files the stored sounds among gathered `waves` are copied from
// when they are written, each once, by the path the copy opens.
QStringList storedSourceFiles(const QVector<Records::SOUND_LIST_INFO> &waves);
// The first of those `files` that, looked at by that path, is not the loaded
// file the load read (matchesLoad); empty when there is none. Asked after the
// copy, it tells that what was copied is what was loaded. `silent` and
// `wait` as for StoredSoundLocator. `why` gets Modified, or OpenFailed for a
// file whose drive did not answer within the limit.
QString changedSource(const QStringList &files, const QVector<Records::READ_KIT_FILE> &loaded,
                      const std::shared_ptr<ztplatform::SilentFiles> &silent, const ztplatform::Waiter &wait = {},
                      CollectError::Kind *why = nullptr,
                      const std::shared_ptr<ztplatform::FolderFence> &fence = nullptr);

// A loaded kit file held open as it was checked, for the write that copies
// its sounds: read through the descriptor, never again by the name.
struct HeldKitFile
{
    std::shared_ptr<const ztplatform::Descriptor> fd;
    quint64 length = 0;          // as loaded
    ztplatform::FileStamp stamp; // as loaded
};
// By the path the copy names the file by.
using HeldKitFiles = QHash<QString, HeldKitFile>;
// The first of `held` whose descriptor no longer shows the file loaded
// (matchesLoad); empty when none. Asked after the copy.
QString changedHeld(const HeldKitFiles &held);

class StoredSoundLocator
{
public:
    // `wait` (when given) waits on the calling thread for a look at a
    // drive (it lets the window paint). A file whose look is given up on
    // stays silent in `silent` until that look returns.
    // A kit file is read past `fence` (none: nothing fenced).
    StoredSoundLocator(const QVector<Records::READ_KIT_FILE> &files, std::shared_ptr<ztplatform::SilentFiles> silent,
                       ztplatform::Waiter wait = {}, std::shared_ptr<ztplatform::FolderFence> fence = nullptr);
    ~StoredSoundLocator();

    // The first loaded kit file with this path ('/' separators), else the
    // first that is the same file as it now; -1 when none is.
    int recordOf(const QString &kitFile) const;
    // The entry of the record's model whose source is `source`, or -1; a
    // source may name the record's file by another path.
    int entryOf(int record, const QString &source);
    // None, or Modified / OpenFailed / SoundMissing when the file is not the
    // one loaded (matchesLoad), or its sound count or the entry's name differ
    // from what was loaded.
    CollectError::Kind verify(int record, int entry);
    // The record's file opened and checked once (on the first ask): None, or
    // why it is not the one loaded (as verify()).
    CollectError::Kind check(int record);
    // The record's file as that check opened it; none when it did not open.
    std::shared_ptr<const ztplatform::Descriptor> held(int record) const;
    // The files checked and held, by each path they were asked for by.
    HeldKitFiles heldFiles() const;
    // True while `files` are still the files this locator was made for.
    bool madeFor(const QVector<Records::READ_KIT_FILE> &files) const;
    // How a look at a drive is waited on from now on (none: the calling thread blocks).
    void setWaiter(ztplatform::Waiter wait) { m_wait = std::move(wait); }

    const Records::READ_KIT_FILE &record(int r) const { return m_files.at(r); }
    const percussionpadfile::P_SOUND_INDEX &entry(int r, int e) const
    {
        return m_files.at(r).info.soundChunk.soundIndex[e];
    }

private:
    struct Probe;
    const QVector<Records::READ_KIT_FILE> &m_files;
    QStringList m_paths; // of m_files, as made
    std::shared_ptr<ztplatform::SilentFiles> m_silent;
    ztplatform::Waiter m_wait;
    std::shared_ptr<ztplatform::FolderFence> m_fence;
    QHash<QString, int> m_byPath;
    mutable QHash<QString, int> m_byOtherPath; // texts found by identity
    std::vector<std::unique_ptr<Probe>> m_probes;

    Probe &probe(int record);
};

} // namespace setupfiles

#endif
