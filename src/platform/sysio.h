#ifndef ZT_PLATFORM_SYSIO_H
#define ZT_PLATFORM_SYSIO_H

#include "platform/descriptor.h"
#include "platform/disk.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <fcntl.h>
#include <sys/types.h>

namespace ztplatform::sysio {

// A file whose writes and reads go through `disk` (the system's when null),
// opened unbuffered so that each write reaches the disk when it is made; a
// read is made at the descriptor's position, as Qt's own. error() stays Qt's
// own for writes; failure() is the errno of the last write the disk refused
// before it reached the system, or of the last read that failed (its text
// the file's errorString()).
class SeamFile : public QFile
{
public:
    explicit SeamFile(Disk *disk = nullptr)
        : m_disk(disk)
    {
    }
    explicit SeamFile(const QString &name, Disk *disk = nullptr)
        : QFile(name)
        , m_disk(disk)
    {
    }
    Disk &disk() const { return m_disk ? *m_disk : systemDisk(); }
    bool openDescriptor(int fd, OpenMode mode, FileHandleFlags handleFlags);
    // Takes `fd` over (closed when the open fails).
    bool openDescriptor(Descriptor fd, OpenMode mode);
    int failure() const { return m_failure; }
    // Asked before each write: 0 lets it go on, an errno fails it with that error.
    void setBeforeWrite(std::function<int()> beforeWrite) { m_beforeWrite = std::move(beforeWrite); }
    // Up to `size` bytes of `from` at `offset` written at the position by
    // the disk itself (Disk::copyRange), asked before as a write is: the
    // count, -1 with errno when nothing was copied. It sets no error of the
    // file: the caller writes what is left itself, and that write tells.
    qint64 copyFrom(int from, qint64 offset, qint64 size);

protected:
    qint64 writeData(const char *data, qint64 len) override;
    qint64 readData(char *data, qint64 len) override;
    qint64 readLineData(char *data, qint64 maxlen) override;

private:
    Disk *m_disk = nullptr;
    int m_failure = 0;
    std::function<int()> m_beforeWrite;
    bool m_copies = true; // the disk copied, or has not been asked yet
};

} // namespace ztplatform::sysio

#endif
