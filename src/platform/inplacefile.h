#ifndef ZT_PLATFORM_INPLACEFILE_H
#define ZT_PLATFORM_INPLACEFILE_H

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace ztplatform {
class Disk;
class OpenFolder;
}

// An existing file opened for checked in-place changes under an exclusive
// lock. A link at the file's name is never followed. The file is never
// created, truncated or extended: only bytes inside its current size can be
// changed.
class InPlaceFile
{
public:
    InPlaceFile() = default;
    ~InPlaceFile();

    InPlaceFile(const InPlaceFile &) = delete;
    InPlaceFile &operator=(const InPlaceFile &) = delete;

    // Opens an existing regular file for reading and writing and takes an
    // exclusive lock on it; fails when the file is missing, a link, not
    // accessible or locked. It changes through `disk`.
    bool open(ztplatform::Disk &disk, const QString &path);
    // The same for the entry `name` of an open folder, through its disk.
    bool open(const ztplatform::OpenFolder &folder, const QString &name);
    // Up to n bytes from `offset`; fewer when the file ends before.
    QByteArray readAt(qint64 offset, qint64 n);
    // Writes `bytes` at `offset`, inside the current size, and forces them to
    // the disk. When a write or the sync fails, the result is false and the
    // bytes held before are written back and synced; when that fails too, or
    // any sync failed, restoreFailed() is true and the range may hold old and
    // new bytes mixed.
    bool writeAt(qint64 offset, const QByteArray &bytes);
    // The last failed writeAt could not put the old bytes back.
    bool restoreFailed() const { return m_restoreFailed; }
    // Unlocks and closes.
    void close();

    bool isOpen() const { return m_fd >= 0; }
    qint64 size() const { return m_size; }
    QString errorString() const { return m_error; }

private:
    bool take(int fd);

    ztplatform::Disk *m_disk = nullptr;
    int m_fd = -1;
    bool m_restoreFailed = false;
    qint64 m_size = 0;
    QString m_error;
};

#endif
