#ifndef ZT_PLATFORM_HELDSOURCE_H
#define ZT_PLATFORM_HELDSOURCE_H

#include <QProcess>
#include <QString>
#include <QVector>
#include <QtGlobal>

namespace ztplatform {

// A file another program is to read, opened first and checked as opened: a
// link at the name is followed, but the open waits on no pipe or device
// (O_NONBLOCK), and only a regular file is kept (fstat of the descriptor).
// Held open while the object lives, so that what the program reads is the
// file checked, whatever stands at the name later.
class Disk;

class HeldSource
{
public:
    // Opened and looked at through `disk`.
    HeldSource(Disk &disk, const QString &path);
    ~HeldSource();
    HeldSource(const HeldSource &) = delete;
    HeldSource &operator=(const HeldSource &) = delete;

    // True when a regular file was opened.
    bool isOpen() const { return m_fd >= 0; }
    // Why not: the type bits of what was opened (a pipe, a device, a folder),
    // or 0 with the open's errno in error().
    unsigned type() const { return m_type; }
    int error() const { return m_error; }
    qint64 size() const { return m_size; }
    int descriptor() const { return m_fd; }
    // The name to hand a SourceProcess that was handed this source. Where the
    // system names a process's own descriptors (/proc/self/fd), a link made
    // as `folder`/`stem`/<the source's file name> that leads to the
    // descriptor the process inherits (the name tells a converter the form
    // and shows in its messages); else, or when no link can be made there,
    // the path itself.
    QString nameFor(const QString &folder, const QString &stem) const;

private:
    Disk &m_disk;
    QString m_path;
    int m_fd = -1;
    unsigned m_type = 0;
    int m_error = 0;
    qint64 m_size = -1;
    quint64 m_device = 0; // of the file opened
    quint64 m_inode = 0;
};

// A process that inherits the descriptors of the sources handed to it (and
// no other of this process's).
class SourceProcess : public QProcess
{
public:
    void hand(const HeldSource &source);

protected:
    void setupChildProcess() override;

private:
    QVector<int> m_fds;
};

} // namespace ztplatform

#endif
