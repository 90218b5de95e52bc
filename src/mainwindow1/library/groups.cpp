// Sound groups: the group tree, its working copies and "soundlist.xml".
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/library/librarypane.h"
#include "ui_mainwindow1.h"

#include "model/soundfilexml.h"
#include "widgets/dialogs/uiprompter.h"

#include <QDebug>
#include <QDir>
#include <QStandardItemModel>

void librarypane::importSoundList(MainWindow1 *w, QVector<soundfilexml::strSoundGroup> &groups,
                                  QStandardItemModel *model, QString fileName)
{
    groups += w->library().readSoundList(fileName);
    librarypane::soundListToItemModel(w, groups, model);
}

void librarypane::soundListToItemModel(MainWindow1 *w, QVector<soundfilexml::strSoundGroup> groups,
                                       QStandardItemModel *model)
{
    if (!model)
        return;
    model->setHorizontalHeaderLabels({MainWindow1::tr("Name"), MainWindow1::tr("File")});
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
    const int base = w->library().leftGroupList.size();
    for (int g = groups.size() - 1, k = base; g >= 0; --g, ++k) {
        w->library().leftGroupList.append(groups[g].name);
        for (const soundfilexml::strSoundItem &s : qAsConst(groups[g].soundList))
            w->library().leftSoundList[k].append(s.name);
    }
    w->ui->waveGroupTreeView->expandAll();
}

bool librarypane::saveSoundListAtClose(MainWindow1 *w)
{
    if (!w->writeSoundListOnClose)
        return true;
    const SoundLibrary::SoundListSave save =
            w->library().saveSoundList(w->library().soundListFileName, w->library().soundListItemModel);
    UiPrompter *prompter = UiPrompter::instance();
    const QString file = QDir::toNativeSeparators(w->library().soundListFileName);
    if (!save.keptAs.isEmpty())
        prompter->information(
                w, MainWindow1::tr("Information"),
                MainWindow1::tr("Some entries of \"%1\" could not be read and are not in the sound groups. The "
                                "file as it was read is kept as \"%2\".")
                        .arg(file, QDir::toNativeSeparators(save.keptAs)));
    if (save.written)
        return true;
    return prompter->question(
                   w, MainWindow1::tr("Error"),
                   MainWindow1::tr("The sound groups could not be saved to \"%1\": %2.\n\nQuit anyway? Choose No to "
                                   "keep the window open, free some space or make the file writable, and close the "
                                   "window again to save them.")
                           .arg(file, save.reason),
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            == QMessageBox::Yes;
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
    const int rows = library().soundListItemModel->rowCount();
    if (rows == 0)
        return;
    for (int g = 0; g < rows; ++g) {
        const QStandardItem *group = library().soundListItemModel->item(g, 0);
        if (group && group->text().simplified() == name) {
            UiPrompter::instance()->information(
                    this, tr("Tip"), tr("The category already exists, please recreate a new category."),
                    QMessageBox::Ok);
            return;
        }
    }
    // The new top row takes the last name slot, which belongs to row 0.
    library().leftGroupList.append(name);
    library().leftSoundList[library().leftGroupList.size() - 1].clear();
    library().soundListItemModel->insertRow(0, new QStandardItem(name));
    ui->waveGroupTreeView->setCurrentIndex(library().soundListItemModel->index(0, 0));
    library().updateSoundGroupList(library().soundListItemModel, library().soundGroupList);
}
