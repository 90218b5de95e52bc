#ifndef TESTS_SUPPORT_CRASHDISK_H
#define TESTS_SUPPORT_CRASHDISK_H

// A disk that passes every call to the system and records those that change
// the folder it watches, so that the states a stop could have left there are
// built afterwards, for a stop before each recorded call:
//  - the process killed: everything the calls before did, as the system
//    holds it;
//  - the power cut: what was synced, the rest lost: bytes written since the
//    file's last sync, names changed since their folder's last sync, of which
//    each in-order prefix may have reached the disk;
//  - a write torn by the power cut: its first sectors (512 bytes each) on the
//    disk, the rest not;
//  - a move between folders cut by the power cut half-way: the file at both
//    its old and its new name, as FAT can leave it.
// It can also refuse every call from a given one on (EIO), as a pad pulled
// out while the editor goes on, and fail the reads of a file or the listing
// of a folder, or hold them as a drive that stopped answering does.

#include "filetree.h"
#include "switchdisk.h"

#include "platform/disk.h"

#include <QHash>
#include <QMutex>
#include <QVector>
#include <QWaitCondition>

#include <sys/stat.h>

class CrashDisk final : public ztplatform::Disk
{
public:
    // Watches `root` from its content now.
    explicit CrashDisk(const QString &root);
    ~CrashDisk() override;
    CrashDisk(const CrashDisk &) = delete;
    CrashDisk &operator=(const CrashDisk &) = delete;

    // The n-th recorded call from the start (1 the first) and every one after
    // fail with EIO, changing nothing; 0 lets every call through.
    void failFrom(int n);
    // True once a call was refused.
    bool refused() const;
    // Reads of a file, and listings of a folder, whose path ends with
    // `pathEnd`: failed with EIO, or held until releaseReads(); Pass lets
    // them through again.
    enum class Reads { Pass, Fail, Hold };
    void setReads(Reads reads, const QByteArray &pathEnd = QByteArray());
    void releaseReads();
    // Reads failed or held so far, and those held now.
    int readsStopped() const;
    int readsHeld() const;
    // Calls that change something, made or refused; a stop "before call k"
    // runs from 1 to calls() + 1.
    int calls() const;
    // Folder syncs and file syncs made so far.
    int folderSyncs() const;
    int fileSyncs() const;

    enum class Stop { Killed, PowerCut, Torn };
    struct State {
        Stop stop = Stop::Killed;
        int before = 0; // the stop came before this call
        int names = 0; // unsynced name changes that reached the disk
        int sectors = 0; // sectors of the torn write that did
        filetree::Tree tree;
        int ways = 0; // every kind of stop that leaves this tree, by 1 << Stop
        bool someNames = false; // a power cut with some but not all unsynced name changes leaves it too
        bool bothNames = false; // a move between folders left at both its names leaves it too
        bool cameBy(Stop kind) const { return ways & (1 << int(kind)); }
        QString describe() const;
    };
    // The folder as the process left it when stopped before call k.
    filetree::Tree killedAt(int k) const;
    // The power cut before call k with the first `names` unsynced name changes.
    filetree::Tree powerCutAt(int k, int names = 0) const;
    // Every state of every stop, each tree once (described by the first way it
    // came, with every way in `ways`).
    QVector<State> states() const;
    // The tree the folder holds now, by the calls recorded.
    filetree::Tree now() const { return killedAt(calls() + 1); }
    // The folder watched.
    QString root() const { return m_root; }

    int openAt(int dir, const QByteArray &name, int flags, mode_t mode = 0) override;
    qint64 read(int fd, char *data, qint64 size, qint64 offset = -1) override;
    int list(int dir, QVector<ztplatform::ListedEntry> *entries) override;
    bool write(int fd, const char *data, qint64 size, qint64 offset = -1) override;
    qint64 writeWith(int fd, const char *data, qint64 size, const std::function<qint64()> &perform) override;
    int sync(int fd, bool dataOnly = false) override;
    int renameAt(int fromDir, const QByteArray &from, int toDir, const QByteArray &to,
                 bool noReplace = false) override;
    int unlinkAt(int dir, const QByteArray &name, int flags = 0) override;
    int mkdirAt(int dir, const QByteArray &name, mode_t mode = 0755) override;
    int truncate(int fd, off_t size) override;
    int chmod(int fd, mode_t mode) override;
    int chown(int fd, uid_t owner, gid_t group) override;
    int setXattr(int fd, const char *name, const QByteArray &value) override;

    struct Op; // a recorded call
    struct Node; // a file or folder of the watched folder
    struct Replay; // the calls played back on the first content

private:
    bool admit();
    bool lookPasses(int fd);
    int nodeOfFd(int fd) const;
    int folderOf(int dir, const QByteArray &name, QByteArray *leaf) const;
    int newNode(int fd, bool folder);
    void record(const Op &op);
    filetree::Tree treeOf(const Replay &r) const;

    QString m_root;
    mutable QMutex m_lock;
    QVector<Node> *m_first; // the content when the watch began, by node
    QVector<Op> *m_ops;
    QHash<QPair<quint64, quint64>, int> m_nodes; // device and inode -> node, as the calls go
    int m_calls = 0;
    int m_failFrom = 0;
    bool m_refused = false;
    int m_folderSyncs = 0, m_fileSyncs = 0;
    Reads m_reads = Reads::Pass;
    QByteArray m_readsEnd;
    int m_readsStopped = 0, m_readsHeld = 0;
    QWaitCondition m_readsReleased;
};

// The editor stopped before the n-th call that changes something (0: never):
// `work` runs, handed a disk, with
// that call and every one after refused (EIO). With `powerCut`, the folder
// `root` is then laid out as a power cut at that moment leaves it: what was
// not synced is lost. True when the stop came; the calls made or refused go
// to *calls.
bool stopBefore(const QString &root, int n, const std::function<void(ztplatform::Disk &)> &work,
                bool powerCut = true, int *calls = nullptr);
// The same, the disk put in `through`, the disk the test handed to what it built.
bool stopBefore(SwitchDisk &through, const QString &root, int n, const std::function<void(ztplatform::Disk &)> &work,
                bool powerCut = true, int *calls = nullptr);

// Puts a disk in `on`, the disk the test handed to what it built, while it lives.
class DiskInPlace
{
public:
    DiskInPlace(SwitchDisk &on, ztplatform::Disk *disk);
    ~DiskInPlace();
    DiskInPlace(const DiskInPlace &) = delete;
    DiskInPlace &operator=(const DiskInPlace &) = delete;

private:
    SwitchDisk *m_on;
    ztplatform::Disk *m_was;
};

#endif
