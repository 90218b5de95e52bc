// The sounds of one kit file taken out of the kits, the sound list and the
// total list, so that the file can be read again or forgotten.
#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "setup/kitfiles.h"
#include "setup/savesteps.h"
#include "setup/soundsource.h"
#include "setup/storedsounds.h"

#include <QDir>
#include <QHash>
#include <QIcon>
#include <QStandardItem>

// A sound of the file that another loaded kit file holds too stays: the list,
// the kits and the rows take it from that file.
void MainWindow1::handOverSharedSounds(const setupfiles::StoredIn &leaving)
{
    moveSharedSounds(library().sharedSounds.handOver(leaving));
}

void MainWindow1::handOverFromChangedFiles()
{
    const QHash<QString, QString> moved = savejob::handOverFromChangedFiles(doc(), library());
    playFileNameNew2 = moved.value(playFileNameNew2, playFileNameNew2);
}

void MainWindow1::moveSharedSounds(const QHash<QString, QString> &moved)
{
    savejob::moveSharedSounds(doc(), library(), moved);
    playFileNameNew2 = moved.value(playFileNameNew2, playFileNameNew2);
}

void MainWindow1::removeSoundFile(QString path, int)
{
    const setupfiles::StoredIn storedIn(QDir::toNativeSeparators(path));
    handOverSharedSounds(storedIn);
    library().sharedSounds.forget(storedIn);
    setupfiles::clearKitFileSlots(doc().kitAttrList, storedIn);
    // The pad lists alike, so that no later commit brings the numbers back.
    for (QVector<KIT_PAD_SETTING> &pads : doc().kitPadList)
        setupfiles::clearKitFileLayers(pads, storedIn);
    if (!library().totalGroup)
        return;

    // The file's rows, removed a run of neighbours at a time from the end.
    bool found = false;
    for (int r = library().totalGroup->rowCount() - 1; r >= 0;) {
        auto ofFile = [this, &storedIn](int row) {
            const QStandardItem *source = library().totalGroup->child(row, 2);
            return source && storedIn(source->text());
        };
        if (!ofFile(r)) {
            --r;
            continue;
        }
        int first = r;
        while (first > 0 && ofFile(first - 1))
            --first;
        library().totalGroup->removeRows(first, r - first + 1);
        found = true;
        r = first - 1;
    }
    if (found)
        setupfiles::removeKitFileSounds(library().waveLoadKitAttrList, storedIn);

    // Numbers and locks of the remaining rows from the sound list.
    QHash<QString, int> firstByFile;
    for (int i = library().waveLoadKitAttrList.size() - 1; i >= 0; --i)
        firstByFile.insert(library().waveLoadKitAttrList.at(i).file, i);
    const QIcon lock(QStringLiteral(":/images/lock.png"));
    for (int r = 0; r < library().totalGroup->rowCount(); ++r) {
        const QStandardItem *source = library().totalGroup->child(r, 2);
        const int i = source ? firstByFile.value(source->text(), -1) : -1;
        QStandardItem *number = new QStandardItem(QStringLiteral("0"));
        if (i >= 0) {
            const SOUND_INDEX &s = library().waveLoadKitAttrList.at(i);
            number->setText(QString::number(s.wave_No));
            if (s.wave_lock == 0)
                number->setIcon(lock);
        }
        number->setEditable(false);
        library().totalGroup->setChild(r, 0, number);
    }
    ui->totalWaveTreeView->viewport()->update();
}
