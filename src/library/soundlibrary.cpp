#include "library/soundlibrary.h"

#include "library/kitusage.h"

#include <QStandardItemModel>

QVector<setupfiles::TotalRow> SoundLibrary::totalRows() const
{
    QVector<setupfiles::TotalRow> rows;
    if (!totalGroup)
        return rows;
    rows.reserve(totalGroup->rowCount());
    for (int r = 0; r < totalGroup->rowCount(); ++r) {
        const QStandardItem *name = totalGroup->child(r, 1);
        const QStandardItem *path = totalGroup->child(r, 2);
        if (!path || path->text().isEmpty())
            continue;
        rows.append({name ? name->text() : QString(), path->text()});
    }
    return rows;
}

int SoundLibrary::soundRowOf(const QString &path)
{
    return totalPathIndex.row(totalListItemModel, totalGroup, path);
}

int SoundLibrary::lastWaveNumber() const
{
    return waveLoadKitAttrList.isEmpty() ? 0 : waveLoadKitAttrList.constLast().wave_No;
}

void SoundLibrary::registerNewSound(const QString &name, const QString &path, quint16 waveNo, bool addRows)
{
    if (addRows && totalGroup) {
        soundList.append(name);
        // Whole rows at once: one insertion each, no cell-by-cell changes.
        const int row = totalGroup->rowCount();
        auto *number = new QStandardItem(QString::number(waveNo));
        number->setEditable(false);
        totalGroup->appendRow({number, new QStandardItem(name), new QStandardItem(path)});
        if (hhGroup) {
            // The hi-hat list mirrors the total list row for row.
            if (hhGroup->rowCount() <= row) {
                hhGroup->setRowCount(row);
                hhGroup->appendRow({new QStandardItem(name), new QStandardItem(path)});
            } else {
                hhGroup->setChild(row, 0, new QStandardItem(name));
                hhGroup->setChild(row, 1, new QStandardItem(path));
            }
        }
    }
    SOUND_INDEX entry;
    MainWindow1Records::str2CharArray(name, entry.wave_name, SOUND_NAME_LENGTH_MAX);
    entry.file = path;
    entry.wave_No = waveNo;
    entry.wave_lock = 1;
    waveLoadKitAttrList.append(entry);
}

QVector<QString> SoundLibrary::getSoundFileList(const QVector<soundKit> &kits) const
{
    return kitusage::usedSoundFiles(waveLoadKitAttrList, kits);
}

QStringList SoundLibrary::librarySources() const
{
    QStringList out;
    for (const SOUND_INDEX &s : waveLoadKitAttrList)
        out.append(s.file);
    for (const soundfilexml::strSoundGroup &g : soundGroupList) {
        for (const soundfilexml::strSoundItem &item : g.soundList)
            out.append(item.file);
    }
    for (const SOUND_LIST_INFO &click : clickList)
        out.append(click.file);
    return out;
}

soundsource::StoredEntries SoundLibrary::storedEntries() const
{
    // The five metronome sounds stand first in a whole setup that holds them.
    return soundsource::StoredEntries(loadedKitFiles, loadClickFlag && !clickDeviceFlag);
}

int SoundLibrary::storedSoundEntry(const QString &source, const READ_KIT_FILE **kit) const
{
    return storedEntries().find(source, kit);
}
