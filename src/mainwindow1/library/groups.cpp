// Sound groups: the group tree, its working copies and "soundlist.xml".
#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "widgets/dialogs/uiprompter.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QStandardItemModel>

void MainWindow1::importSoundList(QVector<soundfilexml::strSoundGroup> &groups, QStandardItemModel *model,
                                  QString fileName)
{
    QVector<soundfilexml::strSoundGroup> read;
    if (QFileInfo::exists(fileName) && !soundfilexml::readSoundFileListXml(fileName, read)) {
        // Kept aside when the library is written again (see saveSoundList).
        qWarning() << __FILE__ << __LINE__ << Q_FUNC_INFO << "cannot read the sound list" << fileName;
        soundListUnreadable = true;
        read.clear();
    }
    groups += read;
    soundListToItemModel(groups, model);
}

void MainWindow1::soundListToItemModel(QVector<soundfilexml::strSoundGroup> groups, QStandardItemModel *model)
{
    if (!model)
        return;
    model->setHorizontalHeaderLabels({tr("Name"), tr("File")});
    const QIcon songIcon(QStringLiteral(":/images/song16x16_2.png"));
    const Qt::ItemFlags leaf = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled
                               | Qt::ItemNeverHasChildren;
    for (const soundfilexml::strSoundGroup &g : qAsConst(groups)) {
        auto *group = new QStandardItem(g.name);
        if (g.name == QLatin1String("Default"))
            group->setEditable(false);
        for (const soundfilexml::strSoundItem &s : g.soundList) {
            auto *name = new QStandardItem(songIcon, s.name);
            name->setFlags(leaf | Qt::ItemIsEditable);
            auto *file = new QStandardItem(s.file);
            file->setFlags(leaf);
            group->appendRow({name, file});
        }
        model->appendRow(group);
    }
    // The name lists run from the last group to the first, after those there.
    const int base = leftGroupList.size();
    for (int g = groups.size() - 1, k = base; g >= 0; --g, ++k) {
        leftGroupList.append(groups[g].name);
        for (const soundfilexml::strSoundItem &s : qAsConst(groups[g].soundList))
            leftSoundList[k].append(s.name);
    }
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

int MainWindow1::getGroupIndexFromModel(QString name, QStandardItemModel *model)
{
    if (!model)
        return 0;
    const int rows = model->rowCount();
    for (int g = 0; g < rows; ++g) {
        const QStandardItem *group = model->item(g, 0);
        if (group && group->text().trimmed() == name)
            return g;
    }
    return rows;
}

void MainWindow1::on_addWaveGroup_clicked()
{
    bool accepted = false;
    const QString answer = UiPrompter::instance()->getText(this, tr("Create a new category"),
                                                           tr("Please enter name for the category."), QString(),
                                                           &accepted);
    const QString name = accepted ? answer.simplified() : QString();
    if (name.isEmpty()) {
        UiPrompter::instance()->information(this, tr("Error"), tr("New category name can't be blank."),
                                            QMessageBox::Ok);
        return;
    }
    const int rows = soundListItemModel->rowCount();
    if (rows == 0)
        return;
    for (int g = 0; g < rows; ++g) {
        const QStandardItem *group = soundListItemModel->item(g, 0);
        if (group && group->text().simplified() == name) {
            UiPrompter::instance()->information(
                    this, tr("Tip"), tr("The category already exists, please recreate a new category."),
                    QMessageBox::Ok);
            return;
        }
    }
    // The new top row takes the last name slot, which belongs to row 0.
    leftGroupList.append(name);
    leftSoundList[leftGroupList.size() - 1].clear();
    soundListItemModel->insertRow(0, new QStandardItem(name));
    ui->waveGroupTreeView->setCurrentIndex(soundListItemModel->index(0, 0));
    updateSoundGroupList(soundListItemModel, soundGroupList);
}
