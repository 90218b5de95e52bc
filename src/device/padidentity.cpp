#include "device/padidentity.h"

#include "model/percussionpadfile1.h"
#include "platform/regularfile.h"

#include <QCryptographicHash>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 FILE_READ_MAX = 64 * 1024; // far above any global.ini or kit file of the pad

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

int openFolder(const QString &path)
{
    int fd;
    do {
        fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

} // namespace

QByteArray kitDigest(const QByteArray &record)
{
    return QCryptographicHash::hash(record, QCryptographicHash::Sha1);
}

PadIdentity readPadIdentity(const PadPlaces &places, bool withKits)
{
    PadIdentity id;
    id.volume = ztplatform::volumeIdentitySource()->identity(places.root);
    // A pipe or a device put in its place is not waited on.
    QByteArray global;
    id.present = id.volume.valid
            && ztplatform::readRegularFile(places.globalFile, FILE_READ_MAX, global) == ztplatform::FileRead::Read;
    if (global.size() > KIT_CHAIN_BLOCK_OFFSET)
        global.remove(KIT_CHAIN_BLOCK_OFFSET, KIT_CHAIN_BLOCK_SIZE); // the one part the editor writes
    id.fingerprint = QCryptographicHash::hash(global, QCryptographicHash::Sha1);
    appendTimes(id.fingerprint, places.clickPath);
    if (withKits && id.present) {
        id.kits.resize(KIT_MAX_COUNT);
        for (int slot = 0; slot < KIT_MAX_COUNT; ++slot) {
            QByteArray file;
            const QString path = places.kitFiles.value(slot);
            if (!path.isEmpty()
                && ztplatform::readRegularFile(path, FILE_READ_MAX, file) == ztplatform::FileRead::Read)
                id.kits[slot] = kitDigest(file.left(KIT_RECORD_SIZE));
        }
    }
    return id;
}

PadMatch matchPad(const PadIdentity &loaded, const PadIdentity &now)
{
    if (!now.present)
        return PadMatch{PadMatch::Gone, {}};
    if (loaded.volume != now.volume)
        return PadMatch{PadMatch::OtherVolume, {}};
    if (loaded.fingerprint != now.fingerprint)
        return PadMatch{PadMatch::OtherSettings, {}};
    PadMatch match;
    for (int slot = 0; slot < now.kits.size() && slot < loaded.kits.size(); ++slot) {
        if (now.kits.at(slot) != loaded.kits.at(slot))
            match.kits << slot + 1;
    }
    if (!match.kits.isEmpty())
        match.verdict = PadMatch::OtherKits;
    return match;
}

PadGuard::PadGuard(const PadPlaces &places, const PadIdentity &loaded)
    : m_places(places)
    , m_loaded(loaded)
{
    const int fd = openFolder(places.root);
    m_mount = ztplatform::volumeIdentitySource()->mountStamp(fd);
    if (fd >= 0)
        ::close(fd);
}

ztplatform::Reach PadGuard::admit(int rootFd)
{
    const PadMatch match = judge(rootFd, false);
    if (match.same())
        return ztplatform::Reach::Inside;
    return match.verdict == PadMatch::Gone ? ztplatform::Reach::Missing : ztplatform::Reach::Replaced;
}

PadMatch PadGuard::check(bool settingsToo)
{
    const int fd = openFolder(m_places.root);
    const PadMatch match = judge(fd, settingsToo);
    if (fd >= 0)
        ::close(fd);
    return match;
}

PadMatch PadGuard::judge(int rootFd, bool settingsToo)
{
    const ztplatform::MountStamp stamp = ztplatform::volumeIdentitySource()->mountStamp(rootFd);
    QMutexLocker hold(&m_lock);
    if (m_lost.another())
        return m_lost;
    if (!stamp.valid)
        return PadMatch{PadMatch::Gone, {}};
    // A table changed since the last look may have given the mount's id to
    // another mount; an id that is never given again needs no such doubt.
    const bool tableChanged = m_table.changed();
    const bool newMount = m_doubt || !(stamp == m_mount) || (!stamp.unique && tableChanged);
    if (!newMount && !settingsToo)
        return PadMatch();
    const PadMatch match = matchPad(m_loaded, readPadIdentity(m_places, newMount));
    m_doubt = !match.same();
    if (match.same())
        m_mount = stamp;
    else if (match.another())
        m_lost = match;
    return match;
}

void PadGuard::kitWritten(int slot, const QByteArray &record)
{
    QMutexLocker hold(&m_lock);
    if (slot >= 0 && slot < m_loaded.kits.size())
        m_loaded.kits[slot] = kitDigest(record);
}

PadMatch PadGuard::lost() const
{
    QMutexLocker hold(&m_lock);
    return m_lost;
}

DeviceMessage anotherPadMessage(const PadMatch &match, const QStringList &more)
{
    QStringList lines{DeviceText::tr("The sampler pad at the drive is not the one that was loaded: nothing was "
                                     "written to it or deleted from it. Korvanta goes on without the sampler pad "
                                     "and keeps your edits.")};
    if (match.verdict == PadMatch::OtherVolume)
        lines << DeviceText::tr("It is another volume: its volume serial number or its USB serial number differs.");
    if (match.verdict == PadMatch::OtherSettings)
        lines << DeviceText::tr("It has the volume serial number of the loaded pad, but its global.ini or its "
                                "metronome folder differs.");
    if (match.verdict == PadMatch::OtherKits)
        lines << namerules::joinNumbersMessage(DeviceText::tr("It is a copy of the loaded pad with other kits: Kit "),
                                               match.kits, DeviceText::tr("differs."), DeviceText::tr("differ."));
    lines << more;
    return DeviceMessage{DeviceText::tr("Error"), lines.join(QStringLiteral("\r\n"))};
}
