#ifndef TESTS_SUPPORT_PASSDISK_H
#define TESTS_SUPPORT_PASSDISK_H

// A disk that passes every call to the system: tests override the calls they
// watch or refuse.

#include "platform/disk.h"

#include <QFileInfo>
#include <QString>

#include <functional>

class PassDisk : public ztplatform::Disk
{
public:
    int openAt(int dir, const QByteArray &name, int flags, mode_t mode = 0) override
    {
        return system().openAt(dir, name, flags, mode);
    }
    bool write(int fd, const char *data, qint64 size, qint64 offset = -1) override
    {
        return system().write(fd, data, size, offset);
    }
    qint64 writeWith(int fd, const char *data, qint64 size, const std::function<qint64()> &perform) override
    {
        return system().writeWith(fd, data, size, perform);
    }
    int sync(int fd, bool dataOnly = false) override { return system().sync(fd, dataOnly); }
    int renameAt(int fromDir, const QByteArray &from, int toDir, const QByteArray &to, bool noReplace = false) override
    {
        return system().renameAt(fromDir, from, toDir, to, noReplace);
    }
    int unlinkAt(int dir, const QByteArray &name, int flags = 0) override
    {
        return system().unlinkAt(dir, name, flags);
    }
    int mkdirAt(int dir, const QByteArray &name, mode_t mode = 0755) override
    {
        return system().mkdirAt(dir, name, mode);
    }
    int truncate(int fd, off_t size) override { return system().truncate(fd, size); }
    int chmod(int fd, mode_t mode) override { return system().chmod(fd, mode); }
    int chown(int fd, uid_t owner, gid_t group) override { return system().chown(fd, owner, group); }
    int setXattr(int fd, const char *name, const QByteArray &value) override
    {
        return system().setXattr(fd, name, value);
    }

    // The path of what an open folder changed: the entry `name` of the
    // folder `fd`, or `fd` itself when there is no name.
    static QString changedPath(int fd, const QByteArray &name)
    {
        const QString folder = QFileInfo(QStringLiteral("/proc/self/fd/") + QString::number(fd)).symLinkTarget();
        return name.isEmpty() ? folder : folder + QLatin1Char('/') + QFile::decodeName(name);
    }

protected:
    static ztplatform::Disk &system() { return ztplatform::systemDisk(); }
};

// A disk that tells `watch` of each change an open folder made through it,
// with the path changed, on the thread that made it.
class WatchingChanges : public PassDisk
{
public:
    using Watch = std::function<void(ztplatform::FileEvent event, const QString &path)>;
    explicit WatchingChanges(Watch watch)
        : m_watch(std::move(watch))
    {
    }
    void changed(ztplatform::FileEvent event, int fd, const QByteArray &name) override
    {
        m_watch(event, changedPath(fd, name));
    }

private:
    Watch m_watch;
};

// A disk whose syncs `answer` gives instead of the system.
class AnsweringSyncs : public PassDisk
{
public:
    using Answer = std::function<int(int fd, bool dataOnly)>;
    explicit AnsweringSyncs(Answer answer)
        : m_answer(std::move(answer))
    {
    }
    int sync(int fd, bool dataOnly = false) override { return m_answer(fd, dataOnly); }

private:
    Answer m_answer;
};

#endif
