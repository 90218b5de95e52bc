// The sound table of a read kit file into the sound lists.
#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "mainwindow1/setupfiles/flowsteps.h"
#include "library/soundorder.h"
#include "setup/soundsin.h"

#include <QIcon>
#include <QSet>
#include <QStandardItem>
#include <QStandardItemModel>

#include <algorithm>

namespace {

QStandardItem *fixedItem(const QString &text, const QIcon &icon = QIcon())
{
    auto *item = new QStandardItem(icon, text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

} // namespace

bool MainWindow1::showSound1(QString file, percussionpadfile *pf)
{
    library().clickList.clear();
    clickFlag = false;
    if (!pf)
        return false;
    setupfiles::WholeSetupSounds got;
    const setupfiles::LoadError err = setupfiles::takeWholeSetupSounds(file, *pf, got);
    if (err != setupfiles::LoadError::None) {
        reportLoadError(err, file, true);
        return false;
    }
    doc().cf.soundChunk.soundCount = pf->soundChunk.soundCount;
    waveTempList += got.waves;
    waveAttrList += got.waves;
    library().waveLoadKitAttrList.reserve(library().waveLoadKitAttrList.size() + got.waves.size());
    for (SOUND_INDEX s : qAsConst(got.waves)) {
        ++s.wave_No;
        library().waveLoadKitAttrList.append(s);
    }
    library().clickSetList += got.clicks;
    library().clickList = got.clickList;
    clickFlag = got.clickFlag;

    if (library().clickListItemModel && !library().clickSetList.isEmpty()) {
        auto *group = new QStandardItem(tr("Metronome Sound Group"));
        library().clickListItemModel->appendRow(group);
        ui->clickSoundNoSpinBox->setRange(1, library().clickSetList.size());
        for (int k = 0; k < library().clickSetList.size(); ++k) {
            const SOUND_INDEX &s = library().clickSetList.at(k);
            group->setChild(k, 0, fixedItem(QString::number(k + 1)));
            group->setChild(k, 1, new QStandardItem(charArray2String(s.wave_name, SOUND_NAME_LENGTH_MAX)));
            group->setChild(k, 2, new QStandardItem(s.file));
        }
    }

    // One row per wave in the order of their numbers. Numbers with gaps
    // (sounds deleted on the pad) leave no empty rows between them.
    QVector<soundorder::Row> rows = soundorder::stored(library().waveLoadKitAttrList);
    std::stable_sort(rows.begin(), rows.end(),
                     [](const soundorder::Row &a, const soundorder::Row &b) { return a.number < b.number; });
    if (!rows.isEmpty())
        total_index = rows.last().number - 1;
    showTotalRows(rows, false);

    setupflow::reportRenamedSounds(this, got.renamed);
    if (ui->upRbtn->isChecked())
        on_upRbtn_clicked();
    if (ui->DownRbtn->isChecked())
        on_DownRbtn_clicked();
    return true;
}

bool MainWindow1::showSound2(QString file, percussionpadfile *pf, int, int)
{
    if (!pf)
        return false;
    setupfiles::KitFileSounds got;
    const setupfiles::LoadError err = setupfiles::takeKitFileSounds(file, *pf, library().waveLoadKitAttrList, got);
    if (err != setupfiles::LoadError::None) {
        reportLoadError(err, file, false);
        return false;
    }
    // A sound the list holds already (same name, same stored bytes) is not
    // added again; the file's kit takes the list's sound.
    const QHash<int, QString> same = library().sharedSounds.match(file, got.entries, library().waveLoadKitAttrList,
                                                                  library().loadedKitFiles);
    const QSet<int> renamed(got.renamed.cbegin(), got.renamed.cend());
    for (int i = 0; i < got.entries.size(); ++i) {
        const SOUND_INDEX &s = got.entries.at(i);
        if (same.contains(i)) {
            library().sharedSounds.addTwin(s.file, same.value(i));
            continue;
        }
        library().waveLoadKitAttrList.append(s);
        if (renamed.contains(s.wave_No))
            doc().soundKitMaxList.append(s.wave_No);
    }
    soundAddCount += pf->soundChunk.soundCount;
    return true;
}
