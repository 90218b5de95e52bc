#include "setup/lostsounds.h"

#include "setup/kitfiles.h"
#include "setup/kitslots.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace setupfiles {

namespace {

struct Repoint
{
    const QHash<QString, QString> &to;
    template <class Slot>
    void operator()(Slot s) const
    {
        const auto it = s.file.isEmpty() ? to.constEnd() : to.constFind(s.file);
        if (it != to.constEnd())
            s.file = it.value();
    }
};

} // namespace

QString keptSoundsFolder(const QString &soundListFile)
{
    return QFileInfo(soundListFile).absoluteDir().filePath(QStringLiteral("Kept sounds"));
}

QVector<LostSound> lostSounds(const QString &kitFile, const QHash<QString, int> &held,
                              const QVector<Records::SOUND_INDEX> &library, const QVector<Records::soundKit> &kits,
                              const QVector<LostSound> &others)
{
    QVector<LostSound> lost;
    QSet<QString> seen;
    auto take = [&](const QString &source, const QString &name) {
        if (source.isEmpty() || held.contains(source) || seen.contains(source) || !isStoredIn(source, kitFile))
            return;
        seen.insert(source);
        lost.append({source, name});
    };
    for (const Records::SOUND_INDEX &s : library)
        take(s.file, Records::charArray2String(s.wave_name, SOUND_NAME_LENGTH_MAX));
    for (const Records::soundKit &kit : kits)
        forEachSoundSlot(kit, [&take](auto s) { take(s.file, s.name); });
    for (const LostSound &s : others)
        take(s.source, s.name);
    return lost;
}

void repointSources(QVector<Records::soundKit> &kits, const QHash<QString, QString> &to)
{
    for (Records::soundKit &kit : kits)
        forEachSoundSlot(kit, Repoint{to});
}

void repointSources(QVector<Records::KIT_PAD_SETTING> &pads, const QHash<QString, QString> &to)
{
    for (Records::KIT_PAD_SETTING &pad : pads)
        forEachLayer(pad, Repoint{to});
}

void repointSources(QVector<Records::SOUND_INDEX> &library, const QHash<QString, QString> &to)
{
    for (Records::SOUND_INDEX &s : library)
        s.file = to.value(s.file, s.file);
}

} // namespace setupfiles
