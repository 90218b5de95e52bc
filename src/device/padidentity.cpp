#include "device/padidentity.h"

#include "model/percussionpadfile1.h"

#include <QCryptographicHash>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 GLOBAL_READ_MAX = 64 * 1024; // far above any global.ini of the pad

// The file's bytes when it is a regular file; a pipe or a device put in its
// place is not waited on.
QByteArray regularFileBytes(const QString &path)
{
    if (path.isEmpty())
        return QByteArray();
    int fd;
    do {
        fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return QByteArray();
    QByteArray bytes;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0 || bytes.size() + n > GLOBAL_READ_MAX)
                break;
            bytes.append(buffer, int(n));
        }
    }
    ::close(fd);
    return bytes;
}

void appendTimes(QByteArray &out, const QString &path)
{
    struct stat st;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0) {
        out.append('-');
        return;
    }
    const qint64 times[] = {qint64(st.st_mode & S_IFMT), qint64(st.st_mtim.tv_sec), qint64(st.st_mtim.tv_nsec),
                            qint64(st.st_ctim.tv_sec), qint64(st.st_ctim.tv_nsec)};
    out.append(reinterpret_cast<const char *>(times), int(sizeof times));
}

} // namespace

PadIdentity readPadIdentity(const PadPlaces &places)
{
    PadIdentity id;
    id.volume = ztplatform::volumeIdentitySource()->identity(places.root);
    QByteArray global = regularFileBytes(places.globalFile);
    if (global.size() > KIT_CHAIN_BLOCK_OFFSET)
        global.remove(KIT_CHAIN_BLOCK_OFFSET, KIT_CHAIN_BLOCK_SIZE); // the one part the editor writes
    id.fingerprint = QCryptographicHash::hash(global, QCryptographicHash::Sha1);
    appendTimes(id.fingerprint, places.clickPath);
    return id;
}

bool samePad(const PadIdentity &loaded, const PadIdentity &now)
{
    return loaded.volume == now.volume && loaded.fingerprint == now.fingerprint;
}

DeviceMessage anotherPadMessage()
{
    return DeviceMessage{DeviceText::tr("Error"),
                         DeviceText::tr("The sampler pad at the drive is not the one that was loaded: nothing was "
                                        "written to it or deleted from it. Korvanta goes on without the sampler pad "
                                        "and keeps your edits.")};
}
