#include "setup/kitfiles.h"

#include "setup/kitslots.h"
#include "setup/soundsource.h"

#include <QDir>
#include <QMap>

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

bool isStoredIn(const QString &source, const QString &kitFile)
{
    const StoredRef ref = parseStoredSource(source);
    return ref.isStored() && ref.kitFile == QDir::fromNativeSeparators(kitFile);
}

namespace {

// Empties the slot when its sound is stored in kitFile.
struct ClearStored
{
    const QString &kitFile;
    template <class Slot>
    void operator()(Slot s) const
    {
        if (!s.file.isEmpty() && isStoredIn(s.file, kitFile)) {
            s.file.clear();
            s.name.clear();
            s.no = NO_WAVE;
        }
    }
};

} // namespace

void clearKitFileSlots(QVector<Records::soundKit> &kits, const QString &kitFile)
{
    for (Records::soundKit &kit : kits)
        forEachSoundSlot(kit, ClearStored{kitFile});
}

void clearKitFileLayers(QVector<Records::KIT_PAD_SETTING> &pads, const QString &kitFile)
{
    for (Records::KIT_PAD_SETTING &pad : pads)
        forEachLayer(pad, ClearStored{kitFile});
}

int removeKitFileSounds(QVector<Records::SOUND_INDEX> &library, const QString &kitFile)
{
    const auto gone = std::remove_if(library.begin(), library.end(),
                                     [&kitFile](const Records::SOUND_INDEX &s) { return isStoredIn(s.file, kitFile); });
    const int count = int(library.end() - gone);
    library.erase(gone, library.end());
    return count;
}

QHash<QString, int> movedSounds(const QVector<Records::SOUND_INDEX> &waves, const QString &kitFile)
{
    QHash<QString, int> moved;
    for (int i = 0; i < waves.size(); ++i) {
        if (isStoredIn(waves.at(i).file, kitFile))
            moved.insert(waves.at(i).file, i);
    }
    return moved;
}

QVector<MovedSlot> movedSlots(const QVector<Records::soundKit> &kits, const QHash<QString, QHash<QString, int>> &moved,
                              const QSet<int> &skip)
{
    QVector<MovedSlot> moves;
    if (moved.isEmpty())
        return moves;
    for (int k = 0; k < kits.size(); ++k) {
        if (skip.contains(k))
            continue;
        int place = 0;
        forEachSoundSlot(kits.at(k), [&](auto s) {
            const StoredRef ref = s.file.isEmpty() ? StoredRef() : parseStoredSource(s.file);
            const auto file = ref.isStored() ? moved.constFind(ref.kitFile) : moved.constEnd();
            if (file != moved.constEnd() && file->contains(s.file))
                moves.append({k, place, file.key(), file->value(s.file)});
            ++place;
        });
    }
    return moves;
}

QSet<int> repointSlots(QVector<Records::soundKit> &kits, const QVector<MovedSlot> &moves,
                       const QVector<Records::SOUND_INDEX> &library)
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
        const QString source = storedSource(m.kitFile, m.entry);
        const int i = byFile.value(source, -1);
        int place = 0;
        forEachSoundSlot(kits[m.kit], [&](auto s) {
            // Only a slot the read-back emptied: one it did not reach keeps its sound.
            if (place++ != m.slot || i < 0 || !s.file.isEmpty())
                return;
            const Records::SOUND_INDEX &sound = library.at(i);
            s.file = source;
            s.name = Records::charArray2String(sound.wave_name, SOUND_NAME_LENGTH_MAX);
            s.no = sound.wave_No;
            changed.insert(m.kit);
        });
    }
    return changed;
}

} // namespace setupfiles
