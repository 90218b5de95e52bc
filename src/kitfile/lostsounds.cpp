#include "kitfile/lostsounds.h"

#include "platform/regularfile.h"
#include "platform/sysio.h"
#include "kitfile/kitfiles.h"
#include "kitfile/kitslots.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace setupfiles {

namespace {

struct Repoint
{
    const QHash<QString, QString> &to;
    const QHash<QString, quint16> &numbers;
    template <class Slot>
    void operator()(Slot s) const
    {
        const auto it = s.file.isEmpty() ? to.constEnd() : to.constFind(s.file);
        if (it == to.constEnd())
            return;
        const auto number = numbers.constFind(s.file);
        if (number != numbers.constEnd())
            s.no = number.value();
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
    const StoredIn storedIn(kitFile);
    auto take = [&](const QString &source, const QString &name) {
        if (source.isEmpty() || held.contains(source) || seen.contains(source) || !storedIn(source))
            return;
        seen.insert(source);
        lost.append({source, name});
    };
    for (const Records::SOUND_INDEX &s : library)
        take(s.file, percussionpadfile::charArray2String(s.wave_name, SOUND_NAME_LENGTH_MAX));
    for (const Records::soundKit &kit : kits)
        forEachSoundSlot(kit, [&take](auto s) { take(s.file, s.name); });
    for (const LostSound &s : others)
        take(s.source, s.name);
    return lost;
}

bool holdsStoredWave(const QString &file, const QString &kitFile, quint32 offset, quint32 length,
                     const std::shared_ptr<ztplatform::FolderFence> &fence)
{
    ztplatform::sysio::SeamFile a(&ztplatform::diskOf(fence)), b(&ztplatform::diskOf(fence));
    if (!ztplatform::openToRead(fence, file, a) || a.size() != qint64(length)
        || !ztplatform::openRegularFile(kitFile, b, false) || !b.seek(offset))
        return false;
    constexpr qint64 kBlock = 65536;
    for (qint64 left = length; left > 0;) {
        const qint64 n = std::min(left, kBlock);
        const QByteArray x = a.read(n);
        if (x.size() != n || b.read(n) != x)
            return false;
        left -= n;
    }
    return true;
}

QHash<QString, quint16> mergedSources(const QVector<Records::SOUND_INDEX> &library, const QHash<QString, QString> &to)
{
    QSet<QString> targets;
    for (const QString &t : to)
        targets.insert(t);
    struct Owner
    {
        QString source; // the source the staying entry had before
        quint16 number;
    };
    QHash<QString, Owner> owners; // new source -> the entry that stays
    for (const Records::SOUND_INDEX &s : library) {
        if (targets.contains(s.file) && !owners.contains(s.file))
            owners.insert(s.file, {s.file, s.wave_No});
    }
    QHash<QString, quint16> merged;
    for (const Records::SOUND_INDEX &s : library) {
        const auto it = to.constFind(s.file);
        if (it == to.constEnd())
            continue;
        const auto owner = owners.constFind(it.value());
        if (owner == owners.constEnd())
            owners.insert(it.value(), {s.file, s.wave_No});
        else if (owner->source != s.file)
            merged.insert(s.file, owner->number);
    }
    return merged;
}

void removeSources(QVector<Records::SOUND_INDEX> &library, const QHash<QString, quint16> &merged)
{
    if (merged.isEmpty())
        return;
    library.erase(std::remove_if(library.begin(), library.end(),
                                 [&merged](const Records::SOUND_INDEX &s) { return merged.contains(s.file); }),
                  library.end());
}

void repointSources(QVector<Records::soundKit> &kits, const QHash<QString, QString> &to,
                    const QHash<QString, quint16> &numbers)
{
    for (Records::soundKit &kit : kits)
        forEachSoundSlot(kit, Repoint{to, numbers});
}

void repointSources(QVector<Records::KIT_PAD_SETTING> &pads, const QHash<QString, QString> &to,
                    const QHash<QString, quint16> &numbers)
{
    for (Records::KIT_PAD_SETTING &pad : pads)
        forEachLayer(pad, Repoint{to, numbers});
}

void repointSources(QVector<Records::SOUND_INDEX> &library, const QHash<QString, QString> &to)
{
    for (Records::SOUND_INDEX &s : library)
        s.file = to.value(s.file, s.file);
}

} // namespace setupfiles
