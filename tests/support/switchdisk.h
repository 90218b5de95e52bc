#ifndef TESTS_SUPPORT_SWITCHDISK_H
#define TESTS_SUPPORT_SWITCHDISK_H

// The disk a test hands to what it builds: every call goes to the disk put in
// it (the editor's own while none is), so that a test can watch, refuse or
// hold the calls of objects built before it knew how.

#include "platform/disk.h"
#include "platform/regularfile.h"

#include <atomic>
#include <memory>

class SwitchDisk final : public ztplatform::Disk
{
public:
    // Puts `disk` in (none: the editor's own) and gives the one before.
    ztplatform::Disk *use(ztplatform::Disk *disk) { return m_to.exchange(disk); }

    int openAt(int dir, const QByteArray &name, int flags, mode_t mode = 0) override
    {
        return to().openAt(dir, name, flags, mode);
    }
    bool write(int fd, const char *data, qint64 size, qint64 offset = -1) override
    {
        return to().write(fd, data, size, offset);
    }
    qint64 writeWith(int fd, const char *data, qint64 size, const std::function<qint64()> &perform) override
    {
        return to().writeWith(fd, data, size, perform);
    }
    qint64 read(int fd, char *data, qint64 size, qint64 offset = -1) override
    {
        return to().read(fd, data, size, offset);
    }
    int sync(int fd, bool dataOnly = false) override { return to().sync(fd, dataOnly); }
    int syncFileSystem(int fd) override { return to().syncFileSystem(fd); }
    int writeBack(int fd, qint64 offset, qint64 length, bool wait) override
    {
        return to().writeBack(fd, offset, length, wait);
    }
    int renameAt(int fromDir, const QByteArray &from, int toDir, const QByteArray &to_, bool noReplace = false) override
    {
        return to().renameAt(fromDir, from, toDir, to_, noReplace);
    }
    int unlinkAt(int dir, const QByteArray &name, int flags = 0) override { return to().unlinkAt(dir, name, flags); }
    int mkdirAt(int dir, const QByteArray &name, mode_t mode = 0755) override { return to().mkdirAt(dir, name, mode); }
    int truncate(int fd, off_t size) override { return to().truncate(fd, size); }
    int chmod(int fd, mode_t mode) override { return to().chmod(fd, mode); }
    int chown(int fd, uid_t owner, gid_t group) override { return to().chown(fd, owner, group); }
    int setXattr(int fd, const char *name, const QByteArray &value) override
    {
        return to().setXattr(fd, name, value);
    }
    int statAt(int dir, const QByteArray &name, struct stat *st, int flags = 0) override
    {
        return to().statAt(dir, name, st, flags);
    }
    int stat(int fd, struct stat *st) override { return to().stat(fd, st); }
    int lock(int fd, int operation) override { return to().lock(fd, operation); }
    int accessAt(int dir, const QByteArray &name, int mode, int flags = 0) override
    {
        return to().accessAt(dir, name, mode, flags);
    }
    int statxAt(int dir, const QByteArray &name, int flags, unsigned mask, struct statx *sx) override
    {
        return to().statxAt(dir, name, flags, mask, sx);
    }
    int realPath(const QByteArray &name, QByteArray *resolved) override { return to().realPath(name, resolved); }
    int readLinkAt(int dir, const QByteArray &name, QByteArray *target) override
    {
        return to().readLinkAt(dir, name, target);
    }
    int symlinkAt(const QByteArray &target, int dir, const QByteArray &name) override
    {
        return to().symlinkAt(target, dir, name);
    }
    int linkAt(int fromDir, const QByteArray &from, int toDir, const QByteArray &to_) override
    {
        return to().linkAt(fromDir, from, toDir, to_);
    }
    int list(int dir, QVector<ztplatform::ListedEntry> *entries) override { return to().list(dir, entries); }
    int attributesAt(const QByteArray &path, QVector<QPair<QByteArray, QByteArray>> *attributes) override
    {
        return to().attributesAt(path, attributes);
    }
    int statFileSystem(int fd, struct statfs *st) override { return to().statFileSystem(fd, st); }
    int readControl(int fd, unsigned long request, void *arg) override { return to().readControl(fd, request, arg); }
    void changed(ztplatform::FileEvent event, int fd, const QByteArray &name) override
    {
        to().changed(event, fd, name);
    }
    bool mayShareStorage(int dirA, const QByteArray &nameA, int dirB, const QByteArray &nameB) override
    {
        return to().mayShareStorage(dirA, nameA, dirB, nameB);
    }

private:
    ztplatform::Disk &to() const
    {
        ztplatform::Disk *d = m_to.load();
        return d ? *d : ztplatform::systemDisk();
    }

    std::atomic<ztplatform::Disk *> m_to{nullptr};
};

// A fence whose reads go through `disk`, for the library or job a test builds.
inline std::shared_ptr<ztplatform::FolderFence> fenceOn(ztplatform::Disk &disk)
{
    return std::make_shared<ztplatform::FolderFence>(disk);
}

#endif
