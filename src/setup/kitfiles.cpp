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

void clearKitFileSlots(QVector<Records::soundKit> &kits, const QString &kitFile)
{
    for (Records::soundKit &kit : kits) {
        forEachSoundSlot(kit, [&kitFile](auto s) {
            if (!s.file.isEmpty() && isStoredIn(s.file, kitFile)) {
                s.file.clear();
                s.name.clear();
                s.no = NO_WAVE;
            }
        });
    }
}

int removeKitFileSounds(QVector<Records::SOUND_INDEX> &library, const QString &kitFile)
{
    const auto gone = std::remove_if(library.begin(), library.end(),
                                     [&kitFile](const Records::SOUND_INDEX &s) { return isStoredIn(s.file, kitFile); });
    const int count = int(library.end() - gone);
    library.erase(gone, library.end());
    return count;
}

} // namespace setupfiles
