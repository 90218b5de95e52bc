#include "kitfile/sharedsounds.h"

#include "kitfile/kitfiles.h"
#include "kitfile/soundsource.h"
#include "kitfile/storedsounds.h"
#include "platform/regularfile.h"
#include "platform/sysio.h"
#include "platform/timedlook.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QFile>

#include <atomic>
#include <map>
#include <set>
#include <memory>

namespace setupfiles {

namespace {

QByteArray nameOf(const Records::SOUND_INDEX &s)
{
    return QByteArray(s.wave_name, SOUND_NAME_LENGTH_MAX);
}

// One loaded kit file as the reading thread holds it: opened at its first
// read, and when its last block came. A thread given up on keeps it alive.
struct OpenKitFile
{
    explicit OpenKitFile(ztplatform::Disk &by)
        : disk(by)
        , file(&by)
    {
    }
    ztplatform::Disk &disk;
    QString path;
    ztplatform::sysio::SeamFile file;
    std::atomic<qint64> lastRead{0};
};

QByteArray readDigest(OpenKitFile &kit, quint32 start, quint32 length)
{
    if (!kit.file.isOpen() && !ztplatform::openRegularFile(kit.disk, kit.path, kit.file, false))
        return QByteArray();
    kit.lastRead = nowMs();
    return storedDigest(kit.file, start, length, [&kit]() { kit.lastRead = nowMs(); });
}

// `work` reading `kit` on a thread of its own, waited on through `wait`; nothing
// once the file has read nothing for kSilentLimitMs.
template <typename T>
std::optional<T> readWithin(OpenKitFile &kit, const std::function<T()> &work, const ztplatform::Waiter &wait)
{
    kit.lastRead = nowMs();
    return ztplatform::lookUntilStalled<T>(
            work, [&kit]() { return nowMs() - kit.lastRead >= kSilentLimitMs; }, wait);
}

// The digests of `taken` as the file being imported holds them (empty where
// one cannot be read), read on a thread of its own; nothing when the file
// does not open or its drive stops answering.
std::optional<QVector<QByteArray>> takenDigests(const QString &kitFile, const QVector<Records::SOUND_INDEX> &taken,
                                                const ztplatform::Waiter &wait, ztplatform::Disk &disk)
{
    const auto kit = std::make_shared<OpenKitFile>(disk);
    kit->path = kitFile;
    const std::optional<QVector<QByteArray>> digests = readWithin<QVector<QByteArray>>(
            *kit,
            [kit, taken]() {
                QVector<QByteArray> out;
                if (readDigest(*kit, 0, 0).isEmpty()) // does not open
                    return out;
                out.reserve(taken.size());
                for (const Records::SOUND_INDEX &s : taken)
                    out.append(readDigest(*kit, s.wave_start, s.wave_length));
                return out;
            },
            wait);
    if (!digests)
        qWarning().noquote() << "the drive of" << kitFile << "does not answer: its sounds are not compared";
    if (!digests || digests->size() != taken.size())
        return std::nullopt;
    return digests;
}

// Reads the stored bytes of list sounds from their loaded kit files, each
// file opened once, on a thread of its own: a file whose drive reads nothing
// for kSilentLimitMs gives no digest, nor is it read again.
class LibraryReader
{
public:
    LibraryReader(const QVector<Records::READ_KIT_FILE> &loaded, const std::shared_ptr<ztplatform::SilentFiles> &silent,
                  const ztplatform::Waiter &wait, const std::shared_ptr<ztplatform::FolderFence> &fence)
        : m_locator(loaded, silent, wait, fence)
        , m_wait(wait)
        , m_disk(ztplatform::diskOf(fence))
    {
    }

    // The digest of a list sound, empty unless its kit file is still the one
    // loaded; only then is a digest kept in `known` taken, and a new one kept.
    QByteArray digest(const QString &source, QHash<QString, QByteArray> &known)
    {
        const StoredRef ref = parseStoredSource(source);
        const int r = ref.isStored() ? m_locator.recordOf(ref.kitFile) : -1;
        const int e = r < 0 ? -1 : m_locator.entryOf(r, source);
        if (e < 0 || m_locator.verify(r, e) != CollectError::None) {
            known.remove(source);
            return QByteArray();
        }
        const auto kept = known.constFind(source);
        if (kept != known.constEnd())
            return kept.value();
        std::shared_ptr<OpenKitFile> &kit = m_files[r];
        if (!kit) {
            kit = std::make_shared<OpenKitFile>(m_disk);
            kit->path = m_locator.record(r).file;
        } else if (m_silent.count(r)) {
            return QByteArray();
        }
        const percussionpadfile::P_SOUND_INDEX &entry = m_locator.entry(r, e);
        const std::optional<QByteArray> d = read(kit, entry.wave_start, entry.wave_length);
        if (!d) {
            qWarning().noquote() << "the drive of" << kit->path << "does not answer: its sounds are not compared";
            m_silent.insert(r);
            return QByteArray();
        }
        if (!d->isEmpty())
            known.insert(source, *d);
        return *d;
    }

private:
    StoredSoundLocator m_locator;
    ztplatform::Waiter m_wait;
    ztplatform::Disk &m_disk;
    std::map<int, std::shared_ptr<OpenKitFile>> m_files;
    std::set<int> m_silent;

    std::optional<QByteArray> read(const std::shared_ptr<OpenKitFile> &kit, quint32 start, quint32 length) const
    {
        return readWithin<QByteArray>(
                *kit, [kit, start, length]() { return readDigest(*kit, start, length); }, m_wait);
    }
};

} // namespace

QByteArray storedDigest(QFile &file, quint32 start, quint32 length, const std::function<void()> &read)
{
    if (!file.isOpen() || !file.seek(start))
        return QByteArray();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    qint64 left = length;
    while (left > 0) {
        const QByteArray block = file.read(qMin<qint64>(left, 1 << 16));
        if (block.isEmpty())
            return QByteArray();
        hash.addData(block);
        left -= block.size();
        if (read)
            read();
    }
    return hash.result();
}

QHash<int, QString> SharedSounds::match(const QString &kitFile, const QVector<Records::SOUND_INDEX> &taken,
                                        const QVector<Records::SOUND_INDEX> &library,
                                        const QVector<Records::READ_KIT_FILE> &loaded,
                                        const std::shared_ptr<ztplatform::SilentFiles> &silent,
                                        const ztplatform::Waiter &wait,
                                        const std::shared_ptr<ztplatform::FolderFence> &fence)
{
    QHash<int, QString> same;
    const std::optional<QVector<QByteArray>> digests =
            taken.isEmpty() ? std::nullopt : takenDigests(kitFile, taken, wait, ztplatform::diskOf(fence));
    if (!digests)
        return same;
    // The list's stored sounds that bear a name of the file, by name and
    // digest; each list sound is looked at once.
    QHash<QByteArray, QString> byKey;
    QHash<QByteArray, bool> names;
    for (const Records::SOUND_INDEX &s : taken)
        names.insert(nameOf(s), true);
    LibraryReader reader(loaded, silent, wait, fence);
    for (const Records::SOUND_INDEX &s : library) {
        if (!names.contains(nameOf(s)) || !parseStoredSource(s.file).isStored())
            continue;
        const QByteArray digest = reader.digest(s.file, m_digests);
        if (digest.isEmpty())
            continue;
        const QByteArray key = nameOf(s) + digest;
        if (!byKey.contains(key))
            byKey.insert(key, s.file);
    }
    for (int t = 0; t < taken.size(); ++t) {
        const Records::SOUND_INDEX &s = taken.at(t);
        const QByteArray &digest = digests->at(t);
        if (digest.isEmpty())
            continue;
        const QByteArray key = nameOf(s) + digest;
        const auto twin = byKey.constFind(key);
        if (twin != byKey.constEnd()) {
            same.insert(t, twin.value());
        } else {
            byKey.insert(key, s.file);
            m_digests.insert(s.file, digest);
        }
    }
    return same;
}

QHash<QString, QString> SharedSounds::handOverWhere(const std::function<bool(const QString &)> &leaving)
{
    // The twin with the least source takes the place, whatever the hash order.
    QHash<QString, QString> moved;
    QHash<QString, bool> left; // each source asked once
    auto leaves = [&leaving, &left](const QString &source) {
        auto it = left.constFind(source);
        if (it == left.constEnd())
            it = left.insert(source, leaving(source));
        return it.value();
    };
    for (auto it = m_twinOf.cbegin(); it != m_twinOf.cend(); ++it) {
        if (leaves(it.value()) && !leaves(it.key())) {
            const auto to = moved.find(it.value());
            if (to == moved.end())
                moved.insert(it.value(), it.key());
            else if (it.key() < to.value())
                to.value() = it.key();
        }
    }
    for (auto it = m_twinOf.begin(); it != m_twinOf.end();) {
        const auto to = moved.constFind(it.value());
        if (to == moved.cend()) {
            ++it;
        } else if (to.value() == it.key()) {
            it = m_twinOf.erase(it);
        } else {
            it.value() = to.value();
            ++it;
        }
    }
    for (auto it = moved.cbegin(); it != moved.cend(); ++it) {
        const auto digest = m_digests.constFind(it.key());
        if (digest != m_digests.constEnd())
            m_digests.insert(it.value(), digest.value());
    }
    return moved;
}

void SharedSounds::forget(const StoredIn &gone)
{
    for (auto it = m_twinOf.begin(); it != m_twinOf.end();)
        it = gone(it.key()) || gone(it.value()) ? m_twinOf.erase(it) : std::next(it);
    for (auto it = m_digests.begin(); it != m_digests.end();)
        it = gone(it.key()) ? m_digests.erase(it) : std::next(it);
}

void SharedSounds::clear()
{
    m_twinOf.clear();
    m_digests.clear();
}

} // namespace setupfiles
