#include "kitfile/sharedsounds.h"

#include "kitfile/kitfiles.h"
#include "kitfile/kitslots.h"
#include "kitfile/soundsource.h"
#include "kitfile/storedsounds.h"

#include <QCryptographicHash>
#include <QFile>

#include <map>
#include <memory>

namespace setupfiles {

namespace {

QByteArray nameOf(const Records::SOUND_INDEX &s)
{
    return QByteArray(s.wave_name, SOUND_NAME_LENGTH_MAX);
}

// Reads the stored bytes of list sounds from their loaded kit files, each
// file opened once.
class LibraryReader
{
public:
    explicit LibraryReader(const QVector<Records::READ_KIT_FILE> &loaded) : m_locator(loaded) {}

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
        std::unique_ptr<QFile> &file = m_files[r];
        if (!file) {
            file.reset(new QFile(m_locator.record(r).file));
            if (!file->open(QIODevice::ReadOnly))
                return QByteArray();
        }
        const percussionpadfile::P_SOUND_INDEX &entry = m_locator.entry(r, e);
        const QByteArray d = storedDigest(*file, entry.wave_start, entry.wave_length);
        if (!d.isEmpty())
            known.insert(source, d);
        return d;
    }

private:
    StoredSoundLocator m_locator;
    std::map<int, std::unique_ptr<QFile>> m_files;
};

} // namespace

QByteArray storedDigest(QFile &file, quint32 start, quint32 length)
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
    }
    return hash.result();
}

QHash<int, QString> SharedSounds::match(const QString &kitFile, const QVector<Records::SOUND_INDEX> &taken,
                                        const QVector<Records::SOUND_INDEX> &library,
                                        const QVector<Records::READ_KIT_FILE> &loaded)
{
    QHash<int, QString> same;
    QFile file(kitFile);
    if (taken.isEmpty() || !file.open(QIODevice::ReadOnly))
        return same;
    // The list's stored sounds that bear a name of the file, by name and
    // digest; each list sound is looked at once.
    QHash<QByteArray, QString> byKey;
    QHash<QByteArray, bool> names;
    for (const Records::SOUND_INDEX &s : taken)
        names.insert(nameOf(s), true);
    LibraryReader reader(loaded);
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
        const QByteArray digest = storedDigest(file, s.wave_start, s.wave_length);
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

QHash<QString, QString> SharedSounds::handOver(const StoredIn &leaving)
{
    return handOverWhere([&leaving](const QString &source) { return leaving(source); });
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

namespace {

struct MoveSource
{
    const QHash<QString, QString> &moved;
    template <class Slot>
    void operator()(Slot s) const
    {
        const auto to = s.file.isEmpty() ? moved.constEnd() : moved.constFind(s.file);
        if (to != moved.constEnd())
            s.file = to.value();
    }
};

} // namespace

void moveSlots(QVector<Records::soundKit> &kits, const QHash<QString, QString> &moved)
{
    if (moved.isEmpty())
        return;
    for (Records::soundKit &kit : kits)
        forEachSoundSlot(kit, MoveSource{moved});
}

void moveLayers(QVector<Records::KIT_PAD_SETTING> &pads, const QHash<QString, QString> &moved)
{
    if (moved.isEmpty())
        return;
    for (Records::KIT_PAD_SETTING &pad : pads)
        forEachLayer(pad, MoveSource{moved});
}

} // namespace setupfiles
