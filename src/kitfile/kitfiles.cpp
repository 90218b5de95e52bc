#include "kitfile/kitfiles.h"

#include "kitfile/kitslots.h"
#include "kitfile/soundsource.h"

#include <QMap>
#include <QPair>

#include <algorithm>

namespace setupfiles {

QVector<int> kitLoadOrder(const QVector<quint8> &numbers)
{
    QMap<int, QVector<int>> byNumber;
    for (int i = 0; i < numbers.size(); ++i)
        byNumber[numbers.at(i)].append(i);
    QVector<int> order;
    for (const QVector<int> &files : qAsConst(byNumber)) {
        for (int repeat = 0; repeat < files.size(); ++repeat)
            order += files;
    }
    return order;
}

StoredIn::StoredIn(ztplatform::Disk &disk, const QString &kitFile)
    : m_file(disk, kitFile)
{
}

bool StoredIn::operator()(const QString &source) const
{
    const StoredRef ref = parseStoredSource(source);
    return ref.isStored() && m_file(ref.kitFile);
}

namespace {

// Empties the slot when its sound is stored in the kit file.
struct ClearStored
{
    const StoredIn &storedIn;
    template <class Slot>
    void operator()(Slot s) const
    {
        if (!s.file.isEmpty() && storedIn(s.file)) {
            s.file.clear();
            s.name.clear();
            s.no = NO_WAVE;
        }
    }
};

} // namespace

void clearKitFileSlots(QVector<Records::soundKit> &kits, const StoredIn &storedIn)
{
    for (Records::soundKit &kit : kits)
        forEachSoundSlot(kit, ClearStored{storedIn});
}

void clearKitFileLayers(QVector<Records::KIT_PAD_SETTING> &pads, const StoredIn &storedIn)
{
    for (Records::KIT_PAD_SETTING &pad : pads)
        forEachLayer(pad, ClearStored{storedIn});
}

int removeKitFileSounds(QVector<Records::SOUND_INDEX> &library, const StoredIn &storedIn)
{
    const auto gone = std::remove_if(library.begin(), library.end(),
                                     [&storedIn](const Records::SOUND_INDEX &s) { return storedIn(s.file); });
    const int count = int(library.end() - gone);
    library.erase(gone, library.end());
    return count;
}

QHash<QString, int> movedSounds(ztplatform::Disk &disk, const QVector<Records::SOUND_INDEX> &waves,
                                const QString &kitFile)
{
    QHash<QString, int> moved;
    const StoredIn storedIn(disk, kitFile);
    for (int i = 0; i < waves.size(); ++i) {
        if (storedIn(waves.at(i).file))
            moved.insert(waves.at(i).file, i);
    }
    return moved;
}

QVector<MovedSlot> movedSlots(const QVector<Records::soundKit> &kits, const QHash<QString, QHash<QString, int>> &moved,
                              const QSet<int> &skip)
{
    QVector<MovedSlot> moves;
    // By source, whatever path text it names its kit file by.
    QHash<QString, QPair<QString, int>> bySource;
    for (auto file = moved.cbegin(); file != moved.cend(); ++file) {
        for (auto s = file->cbegin(); s != file->cend(); ++s)
            bySource.insert(s.key(), {file.key(), s.value()});
    }
    if (bySource.isEmpty())
        return moves;
    for (int k = 0; k < kits.size(); ++k) {
        if (skip.contains(k))
            continue;
        int place = 0;
        forEachSoundSlot(kits.at(k), [&](auto s) {
            const auto it = s.file.isEmpty() ? bySource.constEnd() : bySource.constFind(s.file);
            if (it != bySource.constEnd())
                moves.append({k, place, it->first, it->second});
            ++place;
        });
    }
    return moves;
}

QSet<int> repointSlots(QVector<Records::soundKit> &kits, const QVector<MovedSlot> &moves,
                       const QVector<Records::SOUND_INDEX> &library, const QHash<QString, QString> &twins)
{
    QSet<int> changed;
    if (moves.isEmpty())
        return changed;
    QHash<QString, int> byFile;
    for (int i = library.size() - 1; i >= 0; --i)
        byFile.insert(library.at(i).file, i);
    for (const MovedSlot &m : moves) {
        if (m.kit < 0 || m.kit >= kits.size())
            continue;
        const QString entrySource = storedSource(m.kitFile, m.entry);
        const QString source = twins.value(entrySource, entrySource);
        const int i = byFile.value(source, -1);
        int place = 0;
        forEachSoundSlot(kits[m.kit], [&](auto s) {
            // Only a slot the read-back emptied: one it did not reach keeps its sound.
            if (place++ != m.slot || i < 0 || !s.file.isEmpty())
                return;
            const Records::SOUND_INDEX &sound = library.at(i);
            s.file = source;
            s.name = percussionpadfile::charArray2String(sound.wave_name, SOUND_NAME_LENGTH_MAX);
            s.no = sound.wave_No;
            changed.insert(m.kit);
        });
    }
    return changed;
}

} // namespace setupfiles
