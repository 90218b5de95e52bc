#include "device/padidentity.h"

#include "device/padreasons.h"
#include "model/percussionpadfile1.h"
#include "platform/descriptor.h"
#include "platform/disk.h"
#include "platform/pathcase.h"
#include "platform/regularfile.h"
#include "platform/sysio.h"

#include <QCryptographicHash>
#include <QStringList>

#include <fcntl.h>
#include <sys/stat.h>

#include <utility>

namespace {

constexpr qint64 FILE_READ_MAX = 64 * 1024; // far above any global.ini or kit file of the pad

const ztplatform::VolumeIdentitySource &volumesOf(const PadPlaces &places)
{
    return places.volumes ? *places.volumes : ztplatform::systemVolumeIdentitySource();
}

// The drive root as given and as its canonical path: the pad's paths start
// with one of them.
QStringList rootSpellings(const QString &root)
{
    return {root, ztplatform::canonicalPathOf(ztplatform::sysio::disk(), root)};
}

// `path` relative to the drive root; null when it is not below it.
QString relativeTo(const QStringList &root, const QString &path)
{
    for (const QString &r : root) {
        const QString prefix = r.endsWith(QLatin1Char('/')) ? r : r + QLatin1Char('/');
        if (!r.isEmpty() && path.startsWith(prefix))
            return path.mid(prefix.size());
    }
    return QString();
}

// The folder of `path` below the open root, and the file's own name.
ztplatform::OpenFolder folderOf(int rootFd, const QStringList &root, const QString &path, QString *name,
                                ztplatform::Reach *reach, ztplatform::Disk *disk)
{
    const QString relative = relativeTo(root, path);
    const int slash = relative.lastIndexOf(QLatin1Char('/'));
    *name = relative.mid(slash + 1);
    *reach = ztplatform::Reach::Missing;
    if (relative.isEmpty())
        return ztplatform::OpenFolder();
    return ztplatform::openFolderBelow(rootFd, slash < 0 ? QString() : relative.left(slash), reach, disk);
}

// The file at `path` below the open root, never through a link, never waited
// on; `why` gets what stands there when it is not read though something does.
ztplatform::FileRead readBelow(int rootFd, ztplatform::Disk *disk, const QStringList &root, const QString &path,
                               QByteArray &bytes, QString *why = nullptr, bool *behindLink = nullptr)
{
    QString name;
    ztplatform::Reach reach;
    const ztplatform::OpenFolder folder = folderOf(rootFd, root, path, &name, &reach, disk);
    if (behindLink)
        *behindLink = reach == ztplatform::Reach::Outside;
    if (!folder.isOpen()) {
        if (why && reach == ztplatform::Reach::Outside)
            *why = DeviceText::tr("Its folder is a link or leads out of the sampler pad.");
        return reach == ztplatform::Reach::Outside ? ztplatform::FileRead::NotRegular : ztplatform::FileRead::Missing;
    }
    const ztplatform::FileRead read =
            ztplatform::readRegularFileAt(folder.disk(), folder.fd(), name, FILE_READ_MAX, bytes);
    if (why && read == ztplatform::FileRead::NotRegular)
        *why = padreason::why(ztplatform::entryType(folder.fd(), name), 0);
    if (why && read == ztplatform::FileRead::TooLarge)
        *why = padreason::why(S_IFREG, 0);
    return read;
}

void appendTimes(QByteArray &out, int rootFd, ztplatform::Disk *disk, const QStringList &root, const QString &path)
{
    const QString relative = path.isEmpty() ? QString() : relativeTo(root, path);
    const ztplatform::OpenFolder folder =
            relative.isEmpty() ? ztplatform::OpenFolder() : ztplatform::openFolderBelow(rootFd, relative, nullptr, disk);
    struct stat st;
    if (!folder.isOpen() || folder.disk().stat(folder.fd(), &st) != 0) {
        out.append('-');
        return;
    }
    const qint64 times[] = {qint64(st.st_mode & S_IFMT), qint64(st.st_mtim.tv_sec), qint64(st.st_mtim.tv_nsec),
                            qint64(st.st_ctim.tv_sec), qint64(st.st_ctim.tv_nsec)};
    out.append(reinterpret_cast<const char *>(times), int(sizeof times));
}

int openRoot(const PadPlaces &places)
{
    ztplatform::Disk &disk = places.disk ? *places.disk : ztplatform::sysio::disk();
    return places.root.isEmpty()
            ? -1
            : disk.openAt(AT_FDCWD, QFile::encodeName(places.root), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

} // namespace

QByteArray kitDigest(const QByteArray &record)
{
    return QCryptographicHash::hash(record, QCryptographicHash::Sha1);
}

namespace {

QByteArray settingsFingerprint(QByteArray global)
{
    if (global.size() > KIT_CHAIN_BLOCK_OFFSET)
        global.remove(KIT_CHAIN_BLOCK_OFFSET, KIT_CHAIN_BLOCK_SIZE); // the part the editor writes most
    return QCryptographicHash::hash(global, QCryptographicHash::Sha1);
}

} // namespace

QByteArray fingerprintWith(const PadIdentity &id, const QByteArray &global)
{
    const int settings = QCryptographicHash::hashLength(QCryptographicHash::Sha1);
    return settingsFingerprint(global) + id.fingerprint.mid(settings);
}

PadIdentity readPadIdentity(const PadPlaces &places, bool withKits)
{
    // Watched from before the root is opened: a mount made after this is told.
    auto table = std::make_shared<ztplatform::MountTableWatch>();
    const ztplatform::Descriptor fd(openRoot(places));
    PadIdentity id = readPadIdentityAt(fd.get(), places, withKits);
    id.table = std::move(table);
    return id;
}

PadIdentity readPadIdentityAt(int rootFd, const PadPlaces &places, bool withKits)
{
    PadIdentity id;
    const QStringList root = rootSpellings(places.root);
    const ztplatform::VolumeIdentitySource &volumes = volumesOf(places);
    id.mount = volumes.mountStamp(rootFd);
    id.volume = volumes.identityAt(rootFd);
    QByteArray global;
    const ztplatform::FileRead read =
            id.volume.valid
            ? readBelow(rootFd, places.disk, root, places.globalFile, global, &id.settingsWhy, &id.settingsBehindLink)
            : ztplatform::FileRead::Missing;
    id.present = read == ztplatform::FileRead::Read;
    id.fingerprint = settingsFingerprint(global);
    appendTimes(id.fingerprint, rootFd, places.disk, root, places.clickPath);
    if (withKits && id.present) {
        id.kits.resize(KIT_MAX_COUNT);
        for (int slot = 0; slot < KIT_MAX_COUNT; ++slot) {
            QByteArray file;
            const QString path = places.kitFiles.value(slot);
            if (!path.isEmpty() && readBelow(rootFd, places.disk, root, path, file) == ztplatform::FileRead::Read)
                id.kits[slot] = kitDigest(file.left(KIT_RECORD_SIZE));
        }
    }
    return id;
}

PadMatch matchPad(const PadIdentity &loaded, const PadIdentity &now)
{
    if (!now.present && now.settingsWhy.isEmpty())
        return PadMatch{PadMatch::Gone, {}};
    if (loaded.volume != now.volume)
        return PadMatch{PadMatch::OtherVolume, {}};
    if (!now.present)
        return PadMatch{PadMatch::SettingsNotAFile, {}, now.settingsWhy};
    if (loaded.fingerprint != now.fingerprint) {
        PadMatch other{PadMatch::OtherSettings, {}};
        auto known = [](const QString &a, const QString &b) { return !a.isEmpty() && !b.isEmpty(); };
        const ztplatform::VolumeIdentity &a = loaded.volume, &b = now.volume;
        if (known(a.uuid, b.uuid))
            other.serials = PadMatch::SameVolumeSerial;
        else if (known(a.usbSerial, b.usbSerial))
            other.serials = PadMatch::SameUsbSerial;
        else if (!(a.uuid + a.usbSerial + b.uuid + b.usbSerial).isEmpty())
            other.serials = PadMatch::OneSideOnly;
        return other;
    }
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
    , m_mount(loaded.mount)
    , m_table(loaded.table ? loaded.table : std::make_shared<ztplatform::MountTableWatch>())
{
    m_loaded.table.reset();
}

ztplatform::Reach PadGuard::admit(int rootFd)
{
    const PadMatch match = judge(rootFd, false);
    if (match.same())
        return ztplatform::Reach::Inside;
    return match.verdict == PadMatch::Gone ? ztplatform::Reach::Missing : ztplatform::Reach::Replaced;
}

bool PadGuard::admitsMount(const ztplatform::MountStamp &mount)
{
    QMutexLocker hold(&m_lock);
    if (m_lost.another() || m_doubt || !mount.valid || !m_mount.valid || mount.id != m_mount.id
        || mount.unique != m_mount.unique)
        return false;
    // A change of the table is kept for the judge that follows.
    if (!mount.unique && m_table->changed()) {
        m_doubt = true;
        return false;
    }
    return true;
}

PadMatch PadGuard::check(bool settingsToo)
{
    const ztplatform::Descriptor fd(openRoot(m_places));
    return judge(fd.get(), settingsToo);
}

PadMatch PadGuard::judge(int rootFd, bool settingsToo)
{
    const ztplatform::MountStamp stamp = volumesOf(m_places).mountStamp(rootFd);
    QMutexLocker hold(&m_lock);
    if (m_lost.another())
        return m_lost;
    if (!stamp.valid) {
        m_away = true;
        return PadMatch{PadMatch::Gone, {}};
    }
    // A table changed since the last look may have given the mount's id to
    // another mount; an id that is never given again needs no such doubt, and
    // the table is not asked then (a change it keeps is told to a later look).
    const bool newMount = m_doubt || !(stamp == m_mount) || (!stamp.unique && m_table->changed());
    if (!newMount && !settingsToo)
        return PadMatch();
    const PadIdentity now = readPadIdentityAt(rootFd, m_places, newMount);
    // On the mount loaded, a folder swapped for a link is refused by each
    // write through it, and named there.
    if (!m_writtenFingerprint.isEmpty() && now.fingerprint == m_writtenFingerprint)
        m_loaded.fingerprint = m_writtenFingerprint;
    PadMatch match = !newMount && now.settingsBehindLink ? PadMatch() : matchPad(m_loaded, now);
    if (match.verdict == PadMatch::SettingsNotAFile)
        match.file = m_places.globalFile;
    m_doubt = !match.same();
    m_away = m_away || match.verdict == PadMatch::Gone;
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

void PadGuard::globalWriting(const QByteArray &bytes)
{
    QMutexLocker hold(&m_lock);
    m_writtenFingerprint = fingerprintWith(m_loaded, bytes);
}

PadMatch PadGuard::lost() const
{
    QMutexLocker hold(&m_lock);
    return m_lost;
}

bool PadGuard::takeAway()
{
    QMutexLocker hold(&m_lock);
    return std::exchange(m_away, false);
}

DeviceMessage anotherPadMessage(const PadMatch &match, const QStringList &more)
{
    QStringList lines{DeviceText::tr("The sampler pad at the drive is not the one that was loaded: nothing was "
                                     "written to it or deleted from it. Korvanta goes on without the sampler pad "
                                     "and keeps your edits.")};
    if (match.verdict == PadMatch::OtherVolume)
        lines << DeviceText::tr("It is another volume: its volume serial number or its USB serial number differs.");
    if (match.verdict == PadMatch::OtherSettings && match.serials == PadMatch::SameVolumeSerial)
        lines << DeviceText::tr("It has the volume serial number of the loaded pad, but its global.ini or its "
                                "metronome folder differs.");
    else if (match.verdict == PadMatch::OtherSettings && match.serials == PadMatch::SameUsbSerial)
        lines << DeviceText::tr("It has the USB serial number of the loaded pad, but its global.ini or its "
                                "metronome folder differs.");
    else if (match.verdict == PadMatch::OtherSettings && match.serials == PadMatch::OneSideOnly)
        lines << DeviceText::tr("Its global.ini or its metronome folder differs from the loaded pad's; only one of "
                                "the two volumes has a serial number, so none could be compared.");
    else if (match.verdict == PadMatch::OtherSettings)
        lines << DeviceText::tr("Its global.ini or its metronome folder differs from the loaded pad's; neither "
                                "volume has a serial number to compare.");
    if (match.verdict == PadMatch::SettingsNotAFile)
        lines << padreason::withFile(DeviceText::tr("Its global.ini is no longer the file that was loaded:"),
                                     match.file, match.why);
    if (match.verdict == PadMatch::OtherKits)
        lines << namerules::joinRangesMessage(DeviceText::tr("It is a copy of the loaded pad with other kits: Kit "),
                                               match.kits, DeviceText::tr("differs."), DeviceText::tr("differ."));
    lines << more;
    return DeviceMessage{DeviceText::tr("Error"), lines.join(QStringLiteral("\r\n"))};
}
