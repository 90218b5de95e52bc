#ifndef TESTS_SUPPORT_MEMORYTEMP_H
#define TESTS_SUPPORT_MEMORYTEMP_H

// While it lives, the temporary folders made (QTemporaryDir, QDir::tempPath)
// lie in memory where the system has a writable tmpfs with room: tests that
// lay out thousands of trees then wait on no disk. A crash test loses
// nothing by it: what a stop leaves is modelled by the crash disk, not by
// the disk below it.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <sys/vfs.h>
#include <unistd.h>

class TempInMemory
{
public:
    TempInMemory()
        : m_had(qEnvironmentVariableIsSet("TMPDIR"))
        , m_was(qgetenv("TMPDIR"))
    {
        const QString folder = memoryFolder();
        if (!folder.isEmpty())
            qputenv("TMPDIR", QFile::encodeName(folder));
    }
    ~TempInMemory()
    {
        if (m_had)
            qputenv("TMPDIR", m_was);
        else
            qunsetenv("TMPDIR");
    }
    TempInMemory(const TempInMemory &) = delete;
    TempInMemory &operator=(const TempInMemory &) = delete;

    // A writable tmpfs folder with at least 512 MiB free; empty when none.
    static QString memoryFolder()
    {
        constexpr long kTmpfs = 0x01021994;
        const QStringList candidates{qEnvironmentVariable("TMPDIR"), qEnvironmentVariable("XDG_RUNTIME_DIR"),
                                     QStringLiteral("/dev/shm")};
        for (const QString &c : candidates) {
            const QByteArray path = QFile::encodeName(c);
            struct statfs fs;
            if (c.isEmpty() || ::statfs(path.constData(), &fs) != 0 || long(fs.f_type) != kTmpfs
                || ::access(path.constData(), W_OK | X_OK) != 0)
                continue;
            if (quint64(fs.f_bavail) * quint64(fs.f_bsize) >= (quint64(512) << 20))
                return c;
        }
        return QString();
    }

private:
    bool m_had;
    QByteArray m_was;
};

#endif
