// The editor's disk: every call that a signal interrupts is made again, and
// a write's or a read's failure is the disk's own answer.
#include "platform/descriptor.h"
#include "platform/disk.h"
#include "platform/durablefile.h"
#include "platform/storageextents.h"
#include "platform/sysio.h"
#include "support/passdisk.h"

#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <linux/fiemap.h>
#include <linux/fs.h>
#include <linux/magic.h>
#include <sys/vfs.h>
#include <pthread.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

std::atomic<int> g_signals{0};

void onSignal(int)
{
    ++g_signals;
}

// SIGUSR1 interrupts the calls of this thread (no SA_RESTART) while it lives.
struct Interrupting {
    struct sigaction was;
    Interrupting()
    {
        struct sigaction sa = {};
        sa.sa_handler = &onSignal;
        sigemptyset(&sa.sa_mask);
        ::sigaction(SIGUSR1, &sa, &was);
        g_signals = 0;
    }
    ~Interrupting() { ::sigaction(SIGUSR1, &was, nullptr); }
};

} // namespace

class TestDisk : public QObject
{
    Q_OBJECT

private slots:
    // An open of a pipe that waits for its reader, interrupted twice: made
    // again each time, it returns once the reader comes.
    void anInterruptedOpenIsMadeAgain()
    {
        QTemporaryDir dir;
        const QByteArray fifo = QFile::encodeName(dir.filePath("fifo"));
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        Interrupting interrupting;
        const pthread_t self = ::pthread_self();
        int reader = -1;
        std::thread other([&] {
            for (int i = 0; i < 2; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                ::pthread_kill(self, SIGUSR1);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            reader = ::open(fifo.constData(), O_RDONLY | O_CLOEXEC);
        });
        const int fd = ztplatform::systemDisk().openAt(AT_FDCWD, fifo, O_WRONLY | O_CLOEXEC);
        other.join();
        QVERIFY(fd >= 0);
        QCOMPARE(g_signals.load(), 2);
        ::close(fd);
        ::close(reader);
    }

    // A write into a full pipe, interrupted before any byte goes: made again,
    // every byte arrives once the reader drains the pipe.
    void anInterruptedWriteIsMadeAgain()
    {
        int pipe[2];
        QCOMPARE(::pipe2(pipe, O_CLOEXEC), 0);
        ::fcntl(pipe[1], F_SETFL, O_NONBLOCK);
        const QByteArray block(4096, 'x');
        qint64 filled = 0;
        for (ssize_t n; (n = ::write(pipe[1], block.constData(), size_t(block.size()))) > 0;)
            filled += n;
        ::fcntl(pipe[1], F_SETFL, 0);
        Interrupting interrupting;
        const pthread_t self = ::pthread_self();
        qint64 drained = 0;
        std::thread other([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            ::pthread_kill(self, SIGUSR1);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            char buffer[65536];
            while (drained < filled + 100) {
                const ssize_t n = ::read(pipe[0], buffer, sizeof buffer);
                if (n <= 0)
                    break;
                drained += n;
            }
        });
        const bool written = ztplatform::systemDisk().write(pipe[1], QByteArray(100, 'y').constData(), 100);
        other.join();
        QVERIFY(written);
        QCOMPARE(g_signals.load(), 1);
        QCOMPARE(drained, filled + 100);
        ::close(pipe[0]);
        ::close(pipe[1]);
    }

    // A write the disk refuses is told by the disk's reason; nothing of it
    // reaches the file, and no byte is written to learn why.
    void aRefusedWriteGivesTheDisksReason()
    {
        struct Full : PassDisk {
            qint64 writeWith(int, const char *, qint64, const std::function<qint64()> &) override
            {
                errno = ENOSPC;
                return -1;
            }
        } full;
        QTemporaryDir dir;
        ztplatform::sysio::SeamFile file(&full);
        const int fd = ::open(QFile::encodeName(dir.filePath("f")).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        QVERIFY(file.openDescriptor(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
        QCOMPARE(file.write("bytes"), qint64(-1));
        QCOMPARE(ztplatform::writeFailure(file), QString::fromLocal8Bit(std::strerror(ENOSPC)));
        struct stat st;
        QVERIFY(::fstat(fd, &st) == 0 && st.st_size == 0);
    }

    // The system copies another file's bytes in at the position and moves
    // it, asked first as a write is; a disk that cannot copy leaves the file
    // as it was, for the caller to write itself.
    void aCopyLandsAtThePosition()
    {
        QTemporaryDir dir;
        QFile source(dir.filePath("source"));
        QVERIFY(source.open(QIODevice::WriteOnly) && source.write("0123456789") == 10);
        source.close();
        const ztplatform::Descriptor from(::open(QFile::encodeName(source.fileName()).constData(), O_RDONLY | O_CLOEXEC));
        QVERIFY(from.isOpen());
        PassDisk cannot;
        for (ztplatform::Disk *disk : {&ztplatform::systemDisk(), static_cast<ztplatform::Disk *>(&cannot)}) {
            const QString path = dir.filePath(disk == &cannot ? "written" : "copied");
            ztplatform::sysio::SeamFile file(disk);
            const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
            QVERIFY(file.openDescriptor(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
            int asked = 0;
            file.setBeforeWrite([&asked] { return ++asked, 0; });
            QCOMPARE(file.write("ab"), qint64(2));
            const qint64 copied = file.copyFrom(from.get(), 3, 4);
            const int why = errno;
            if (disk == &cannot) {
                QCOMPARE(copied, qint64(-1));
                QCOMPARE(why, ENOSYS);
                QCOMPARE(file.pos(), qint64(2));
            } else {
                QCOMPARE(copied, qint64(4));
                QCOMPARE(asked, 2);
                QCOMPARE(file.pos(), qint64(6));
            }
            QCOMPARE(file.write("z"), qint64(1));
            file.close();
            QFile back(path);
            QVERIFY(back.open(QIODevice::ReadOnly));
            QCOMPARE(back.readAll(), QByteArray(disk == &cannot ? "abz" : "ab3456z"));
        }
    }

    // A file's reads go through its disk at the file's place, buffered or
    // not, seeks and lines included; a read the disk refuses fails with the
    // disk's reason.
    void aFileReadsThroughItsDisk()
    {
        struct Reading : PassDisk {
            int reads = 0;
            int refuse = 0; // errno of every read from now on, 0 none
            qint64 read(int fd, char *data, qint64 size, qint64 offset = -1) override
            {
                ++reads;
                if (refuse) {
                    errno = refuse;
                    return -1;
                }
                return PassDisk::read(fd, data, size, offset);
            }
        } disk;
        QTemporaryDir dir;
        const QByteArray bytes = "first line\nsecond line\n" + QByteArray(70000, 'z');
        {
            QFile f(dir.filePath("f"));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        }
        for (const QIODevice::OpenMode mode : {QIODevice::OpenMode(QIODevice::ReadOnly), QIODevice::ReadOnly | QIODevice::Unbuffered}) {
            disk.reads = 0;
            disk.refuse = 0;
            ztplatform::sysio::SeamFile file(&disk);
            ztplatform::Descriptor fd(::open(QFile::encodeName(dir.filePath("f")).constData(), O_RDONLY | O_CLOEXEC));
            QVERIFY(ztplatform::openFile(file, std::move(fd), mode));
            QCOMPARE(file.readLine(), QByteArray("first line\n"));
            QCOMPARE(file.read(6), QByteArray("second"));
            QVERIFY(file.seek(bytes.size() - 10));
            QCOMPARE(file.readAll(), bytes.right(10));
            QVERIFY(file.seek(3));
            quint8 c = 0;
            QDataStream in(&file);
            in >> c;
            QCOMPARE(char(c), 's');
            QCOMPARE(file.pos(), qint64(4));
            QVERIFY(disk.reads > 0);
            QCOMPARE(file.failure(), 0);
            QVERIFY(file.seek(0));
            disk.refuse = EIO;
            char out[4];
            QCOMPARE(file.read(out, 4), qint64(-1));
            QCOMPARE(file.failure(), EIO);
            QCOMPARE(file.errorString(), QString::fromLocal8Bit(std::strerror(EIO)));
        }
    }

    // Two files share their place only where their extents overlap; off FAT
    // two names never share one file's bytes, and a copy is its own file.
    void filesShareTheirPlaceOnlyWhereTheirExtentsMeet()
    {
        using E = ztplatform::Extent;
        QVERIFY(ztplatform::extentsOverlap({E(4096, 8192), E(0, 512)}, {E(8000, 9000)}));
        QVERIFY(!ztplatform::extentsOverlap({E(0, 4096), E(16384, 20480)}, {E(4096, 16384), E(20480, 30000)}));
        QVERIFY(!ztplatform::extentsOverlap({}, {E(0, 4096)}));
        QTemporaryDir dir;
        for (const char *name : {"a.wav", "b.wav"}) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(QByteArray(70000, 'w')) == 70000);
        }
        const ztplatform::Descriptor folder(
                ::open(QFile::encodeName(dir.path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        QVERIFY(folder.isOpen());
        QVERIFY(!ztplatform::systemDisk().mayShareStorage(folder.get(), "a.wav", folder.get(), "b.wav"));
        // On FAT: true unless both files' extents are told and lie apart.
        struct Fat : PassDisk {
            QVector<QVector<E>> extents; // by file, in the order opened
            QHash<int, int> files;       // descriptor -> file
            int openAt(int dir, const QByteArray &name, int flags, mode_t mode = 0) override
            {
                const int fd = PassDisk::openAt(dir, name, flags, mode);
                files.insert(fd, files.size());
                return fd;
            }
            int statFileSystem(int, struct statfs *st) override
            {
                *st = {};
                st->f_type = MSDOS_SUPER_MAGIC;
                return 0;
            }
            int readControl(int fd, unsigned long request, void *arg) override
            {
                const int file = files.value(fd, -1);
                if (request != FS_IOC_FIEMAP || file < 0 || file >= extents.size()) {
                    errno = EOPNOTSUPP;
                    return -1;
                }
                auto *map = static_cast<struct fiemap *>(arg);
                const QVector<E> &mine = extents.at(file);
                map->fm_mapped_extents = quint32(mine.size());
                for (int i = 0; i < mine.size(); ++i) {
                    map->fm_extents[i] = {};
                    map->fm_extents[i].fe_logical = quint64(i) * 4096;
                    map->fm_extents[i].fe_physical = mine.at(i).first;
                    map->fm_extents[i].fe_length = mine.at(i).second - mine.at(i).first;
                    map->fm_extents[i].fe_flags = i + 1 == mine.size() ? FIEMAP_EXTENT_LAST : 0;
                }
                return 0;
            }
        };
        const auto ask = [&](const QVector<QVector<E>> &extents) {
            Fat fat;
            fat.extents = extents;
            return fat.mayShareStorage(folder.get(), "a.wav", folder.get(), "b.wav");
        };
        QVERIFY(ask({{E(0, 4096)}, {E(0, 4096)}}));
        QVERIFY(!ask({{E(0, 4096), E(8192, 12288)}, {E(4096, 8192)}}));
        QVERIFY(ask({{E(0, 4096)}})); // the second file's extents not told
    }
};

QTEST_GUILESS_MAIN(TestDisk)
#include "test_disk.moc"
