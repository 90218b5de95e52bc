#include "library/groupentries.h"

#include "kitfile/fileread.h"
#include "kitfile/soundsource.h"
#include "kitfile/storedsounds.h"

#include <QDebug>
#include <QDir>

#include <map>
#include <memory>

namespace groupentries {

namespace {

// One kit file as it is on the disk, with its entries by identity.
struct KitOnDisk
{
    QVector<Records::READ_KIT_FILE> read = QVector<Records::READ_KIT_FILE>(1);
    bool ok = false;
    std::unique_ptr<setupfiles::StoredSoundLocator> locator;
    QHash<QString, int> byIdentity; // name + length -> entry, -1 when several
    bool indexed = false;

    static QString key(const Identity &id) { return QString::number(id.length) + QLatin1Char('/') + id.name; }

    // The one entry that is `id`, else -1.
    int onlyEntry(const Identity &id)
    {
        const percussionpadfile::FILE_SOUND_CHUNK &chunk = read[0].info.soundChunk;
        if (!indexed) {
            for (int e = 0; chunk.soundIndex && e < chunk.soundCount; ++e) {
                const QString k = key(ofEntry(chunk.soundIndex[e]));
                byIdentity.insert(k, byIdentity.contains(k) ? -1 : e);
            }
            indexed = true;
        }
        return byIdentity.value(key(id), -1);
    }
};

} // namespace

Identity ofEntry(const percussionpadfile::P_SOUND_INDEX &entry)
{
    return {Records::charArray2String(entry.wave_name, SOUND_NAME_LENGTH), qint64(entry.wave_length)};
}

Identity ofItem(const soundfilexml::strSoundItem &item)
{
    bool number = false;
    const qint64 length = item.entryLength.toLongLong(&number);
    if (!number || length < 0)
        return {};
    return {item.entryName, length};
}

void setItem(soundfilexml::strSoundItem &item, const Identity &id)
{
    item.entryName = id.known() ? id.name : QString();
    item.entryLength = id.known() ? QString::number(id.length) : QString();
}

bool readStoredSounds(const QString &kitFile, Records::READ_KIT_FILE &rec)
{
    setupfiles::KitTables tables;
    const bool whole = setupfiles::isWholeSetupPath(kitFile);
    const setupfiles::LoadError err = whole ? setupfiles::readWholeSetupFile(kitFile, rec, tables)
                                            : setupfiles::readKitFile(kitFile, rec, tables);
    if (err != setupfiles::LoadError::None)
        return false;
    rec.info.kitChunk = percussionpadfile::FILE_KIT_CHUNK(); // the tables go here
    for (int i = 0; !whole && i < rec.info.soundChunk.soundCount; ++i)
        rec.info.soundChunk.soundIndex[i].fileName = setupfiles::storedSource(kitFile, i);
    return true;
}

QVector<Unmatched> checkGroups(QVector<soundfilexml::strSoundGroup> &groups)
{
    QVector<Unmatched> out;
    std::map<QString, KitOnDisk> files;
    for (soundfilexml::strSoundGroup &g : groups) {
        for (soundfilexml::strSoundItem &s : g.soundList) {
            const Identity id = ofItem(s);
            const setupfiles::StoredRef ref = setupfiles::parseStoredSource(s.file);
            if (!id.known() || !ref.isStored())
                continue;
            auto [it, first] = files.try_emplace(ref.kitFile);
            KitOnDisk &kit = it->second;
            if (first) {
                kit.ok = readStoredSounds(ref.kitFile, kit.read[0]);
                kit.locator = std::make_unique<setupfiles::StoredSoundLocator>(kit.read);
            }
            if (!kit.ok)
                continue;
            const int e = kit.locator->entryOf(0, s.file);
            if (e >= 0 && ofEntry(kit.locator->entry(0, e)) == id)
                continue;
            const int moved = kit.onlyEntry(id);
            const QString there = moved >= 0 ? kit.locator->entry(0, moved).fileName : QString();
            if (!there.isEmpty()) {
                qDebug() << "the group sound" << s.name << "moved in its kit file to" << there;
                s.file = QDir::toNativeSeparators(there);
                continue;
            }
            out.append({g.name, s.name, s.file});
        }
    }
    return out;
}

} // namespace groupentries
