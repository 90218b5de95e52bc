// The pad's files follow a renumbered sound list.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/editing/kitpage.h"

#include "device/renumber.h"

#include <QDir>
#include <QHash>
#include <QSignalBlocker>
#include <QStandardItemModel>

void MainWindow1::updateWavePrmAndData(int count, QVector<int> oldNumbers)
{
    if (pad().isUDiskFlag)
        return;
    const int n = qMin(count, qMin(library().waveLoadKitAttrList.size(), oldNumbers.size()));
    const QVector<WaveRenumber> changes = renumberedWaves(library().waveLoadKitAttrList.mid(0, n),
                                                          oldNumbers.mid(0, n));
    if (changes.isEmpty())
        return;
    // Another pad at the pad's place is not touched; the numbers come back.
    const bool onPad = !pad().padFoldersReady() || padStillLoaded();
    const RenumberResult result =
            onPad ? renumberPadWaves(changes, pad().dataPath, pad().prmPath, pad().padRoot) : RenumberResult();
    if (!result.ok) {
        // Found before the renumbering: padStillLoaded() has told it.
        const PadMatch lost = onPad && pad().padGuard ? pad().padGuard->lost() : PadMatch();
        if (lost.another()) {
            padLost();
            QStringList texts;
            for (const DeviceMessage &m : result.messages)
                texts << m.text;
            showDeviceMessages({anotherPadMessage(lost, texts)});
        } else {
            showDeviceMessages(result.messages);
        }
        for (int i = 0; i < n; ++i)
            library().waveLoadKitAttrList[i].wave_No = quint16(oldNumbers.at(i));
        return;
    }

    // The rows' hidden file column follows; the list is rebuilt by the caller.
    QHash<QString, QStandardItem *> fileCells;
    for (int row = 0; library().totalGroup && row < library().totalGroup->rowCount(); ++row) {
        if (QStandardItem *cell = library().totalGroup->child(row, 2))
            fileCells.insert(QDir::toNativeSeparators(cell->text()), cell);
    }
    QVector<QString> oldFiles;
    for (int i = 0; i < changes.size(); ++i) {
        const WaveRenumber &c = changes.at(i);
        oldFiles << library().waveLoadKitAttrList.at(c.index).file;
        library().waveLoadKitAttrList[c.index].file = result.newFiles.at(i);
        if (QStandardItem *cell = fileCells.value(QDir::toNativeSeparators(oldFiles.last()))) {
            const QSignalBlocker quiet(library().totalListItemModel);
            cell->setText(QDir::fromNativeSeparators(result.newFiles.at(i)));
        }
    }

    // Kits follow file by file. When a later sound's old file is an earlier
    // sound's new one, every file goes through a name of its own first, so
    // that no slot is moved twice.
    QHash<QString, int> changeOfOldFile;
    for (int i = 0; i < oldFiles.size(); ++i)
        changeOfOldFile.insert(oldFiles.at(i), i);
    bool chained = false;
    for (int i = 0; i < changes.size() && !chained; ++i)
        chained = changeOfOldFile.value(result.newFiles.at(i), -1) > i;
    for (int i = 0; i < changes.size(); ++i) {
        const WaveRenumber &c = changes.at(i);
        const QString target = chained ? result.newFiles.at(i) + QChar(0) : result.newFiles.at(i);
        kitpage::updateKitFile(this, c.oldNo, c.newNo, oldFiles.at(i), target);
    }
    for (int i = 0; chained && i < changes.size(); ++i) {
        const WaveRenumber &c = changes.at(i);
        kitpage::updateKitFile(this, c.newNo, c.newNo, result.newFiles.at(i) + QChar(0), result.newFiles.at(i));
    }
    reorderSoundFlag = true;
}
