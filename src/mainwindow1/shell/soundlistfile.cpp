#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardItemModel>

void MainWindow1::initSoundPlay()
{
    // The preview player is made with the sound library's playback.
    soundListFileName = QDir::current().absoluteFilePath(QStringLiteral("soundlist.xml"));

    QVector<soundfilexml::strSoundGroup> groups;
    if (QFileInfo::exists(soundListFileName)
        && !soundfilexml::readSoundFileListXml(soundListFileName, groups)) {
        // Kept aside when the library is written again (see saveSoundList).
        qWarning() << __FILE__ << __LINE__ << Q_FUNC_INFO << "cannot read the sound list" << soundListFileName;
        soundListUnreadable = true;
        groups.clear();
    }

    const QString defaultGroup = QStringLiteral("Default");
    const QIcon songIcon(QStringLiteral(":/images/song16x16_2.png"));
    const Qt::ItemFlags leaf = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled
                               | Qt::ItemNeverHasChildren;
    for (const soundfilexml::strSoundGroup &g : qAsConst(groups)) {
        auto *group = new QStandardItem(g.name);
        if (g.name == defaultGroup)
            group->setEditable(false);
        for (const soundfilexml::strSoundItem &s : g.soundList) {
            auto *name = new QStandardItem(songIcon, s.name);
            name->setFlags(leaf | Qt::ItemIsEditable);
            auto *file = new QStandardItem(s.file);
            file->setFlags(leaf);
            group->appendRow({name, file});
        }
        soundListItemModel->appendRow(group);
    }
    // The name lists run from the last group to the first.
    for (int g = groups.size() - 1, k = 0; g >= 0; --g, ++k) {
        leftGroupList.append(groups[g].name);
        if (k >= KIT_MAX_COUNT)
            continue; // more groups than name slots: only the group is listed
        for (const soundfilexml::strSoundItem &s : qAsConst(groups[g].soundList))
            leftSoundList[k].append(s.name);
    }
    if (soundListItemModel->rowCount() == 0) {
        auto *group = new QStandardItem(defaultGroup);
        group->setEditable(false);
        soundListItemModel->appendRow(group);
        leftGroupList.append(defaultGroup);
    }
    soundGroupList = groups;
    ui->waveGroupTreeView->expandAll();
}

void MainWindow1::updateSoundGroupList(QStandardItemModel *model, QVector<soundfilexml::strSoundGroup> &groups)
{
    groups.clear();
    if (!model)
        return;
    for (int g = 0; g < model->rowCount(); ++g) {
        QStandardItem *group = model->item(g, 0);
        if (!group)
            continue;
        soundfilexml::strSoundGroup out;
        out.name = group->text().simplified(); // trimmed, inner runs made one space
        for (int r = 0; r < group->rowCount(); ++r) {
            soundfilexml::strSoundItem item;
            if (QStandardItem *name = group->child(r, 0))
                item.name = name->text();
            if (QStandardItem *file = group->child(r, 1))
                item.file = file->text();
            out.soundList.append(item);
        }
        groups.append(out);
    }
}

void MainWindow1::saveSoundList(QString fileName, QStandardItemModel *model)
{
    if (fileName.isEmpty() || !model)
        return;
    if (soundListUnreadable && QFileInfo::exists(fileName)) {
        // Keep the library we could not read before writing a new one.
        QString backup = fileName + QStringLiteral(".bak");
        for (int n = 1; QFileInfo::exists(backup); ++n)
            backup = fileName + QStringLiteral(".bak") + QString::number(n);
        if (!QFile::rename(fileName, backup)) {
            qWarning() << __FILE__ << __LINE__ << Q_FUNC_INFO << "cannot keep the unreadable sound list; not overwritten";
            return;
        }
        soundListUnreadable = false;
    }
    QVector<soundfilexml::strSoundGroup> groups;
    updateSoundGroupList(model, groups);
    soundfilexml::writeSoundFileListXml(fileName, groups);
}
