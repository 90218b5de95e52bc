// Sound import into a group of the group tree or into the total list.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/library/librarypane.h"
#include "ui_mainwindow1.h"

#include "library/modeltexts.h"
#include "library/soundnames.h"
#include "widgets/dialogs/uiprompter.h"

#include <QDebug>
#include <QDir>
#include <QItemSelectionModel>
#include <QSet>
#include <QStandardItemModel>

namespace {

// The file dialog's filters, each named for what it picks; the last one
// reaches any file (the import still takes audio only).
QString soundFilter()
{
    return MainWindow1::tr("Lossless sound files") + QStringLiteral(" (*.wav *.WAV *.ape *.APE *.flac *.FLAC);;")
           + MainWindow1::tr("Compressed sound files") + QStringLiteral(" (*.mp3 *.MP3 *.wma *.WMA *.aac *.AAC *.aa3 *.AA3 *.ac3 *.AC3 *.ogg *.OGG);;")
           + MainWindow1::tr("All files (*)");
}

QStringList nativePaths(const QStringList &paths)
{
    QStringList out;
    out.reserve(paths.size());
    for (const QString &p : paths)
        out.append(QDir::toNativeSeparators(p));
    return out;
}

} // namespace

void MainWindow1::on_addWaveFile_clicked()
{
    QTreeView *view = ui->waveGroupTreeView;
    const QModelIndex current = view->currentIndex();
    const QModelIndexList selected = view->selectionModel()->selectedIndexes();
    if (selected.size() < 2) {
        UiPrompter::instance()->information(this, tr("The selected sound category is not valid."),
                                            tr("Choose a category to add sounds."), QMessageBox::Ok);
        return;
    }
    QString target;
    if (selected.size() == 2 && !current.isValid())
        target = QStringLiteral("Default");
    else if (current.parent().isValid() && !current.parent().data().toString().isEmpty())
        target = current.parent().data().toString();
    else
        target = current.sibling(current.row(), 0).data().toString();

    const QStringList picked = nativePaths(UiPrompter::instance()->getOpenFileNames(
            this, tr("Select file to add"), QString(), soundFilter()));
    if (picked.isEmpty()) {
        UiPrompter::instance()->warning(this, tr("Warning"), tr("Choose no file!"), QMessageBox::Yes);
        return;
    }
    const QSet<QString> listed = childTexts(library().soundListItemModel(), 1);
    QStringList paths;
    bool anyListed = false;
    for (const QString &p : picked)
        anyListed = anyListed || listed.contains(p);
    if (anyListed) {
        const QMessageBox::StandardButton answer = UiPrompter::instance()->question(
                this, tr("Information"), tr("Some files already exist. Do you want to add duplicate files?"),
                QMessageBox::Ok | QMessageBox::No, QMessageBox::No);
        for (const QString &p : picked) {
            if (answer == QMessageBox::Ok || !listed.contains(p))
                paths.append(p);
        }
    } else {
        paths = picked;
    }
    QVector<strSoundItem> items;
    for (const QString &p : qAsConst(paths)) {
        const int dot = p.lastIndexOf(QLatin1Char('.'));
        if ((dot < 0 ? p : p.mid(dot + 1)).trimmed() == QLatin1String("pkit"))
            continue;
        strSoundItem item;
        item.file = p;
        items.append(item);
    }
    if (items.isEmpty())
        return;
    strSoundGroup request;
    request.name = target;
    request.itemList = &items;
    librarypane::addFileToGroupList(this, 0, &request, library().soundListItemModel(), 3);
}

void MainWindow1::on_tbtAddWave_clicked()
{
    if (library().waveLoadKitAttrList().size() >= WAVE_MAX_COUNT) {
        UiPrompter::instance()->warning(this, tr("Warning"), tr("The number of sound can not exceed 9999."),
                                        QMessageBox::Ok);
        return;
    }
    const QString target = library().totalListItemModel()->rootIndex().data().toString();
    const QStringList chosen = nativePaths(UiPrompter::instance()->getOpenFileNames(
            this, tr("Select file to add"), QString(), soundFilter()));
    if (chosen.isEmpty())
        return;
    currentKitNum = quint8(ui->kitNumber->text().toInt() - 1);

    const QSet<QString> listed = childTexts(library().totalListItemModel(), 2);
    QVector<strSoundItem> items;
    bool anyListed = false;
    for (const QString &p : chosen) {
        if (listed.contains(p)) {
            anyListed = true;
            continue;
        }
        strSoundItem item;
        item.file = p;
        items.append(item);
    }
    if (anyListed)
        UiPrompter::instance()->question(this, tr("Information"),
                                         tr("Some files already exist. Don't support to add duplicate files!"),
                                         QMessageBox::Ok);
    if (items.isEmpty())
        return;
    strSoundGroup request;
    request.name = target;
    request.itemList = &items;
    librarypane::addFileToGroupList(this, 0, &request, library().totalListItemModel(), 4);
}

namespace {

// The items of the group whose files hold audio, in order; the others are
// named in one warning.
QVector<MainWindow1::strSoundItem> audioItemsOf(MainWindow1 *w, const MainWindow1::strSoundGroup &group)
{
    QStringList files;
    for (const MainWindow1::strSoundItem &item : qAsConst(*group.itemList))
        files.append(item.file);
    files = librarypane::audioFilesOf(w, files);
    const QSet<QString> audio(files.begin(), files.end());
    QVector<MainWindow1::strSoundItem> items;
    for (const MainWindow1::strSoundItem &item : qAsConst(*group.itemList)) {
        if (audio.contains(item.file))
            items.append(item);
    }
    return items;
}

// The items as sounds of the group of their name (made at the bottom when
// there is none).
void addToGroupTree(MainWindow1 *w, const MainWindow1::strSoundGroup *group, QStandardItemModel *model,
                    const QVector<MainWindow1::strSoundItem> &items)
{
    soundnames::IncomingNames names([&] { return childTexts(model, 0); });
    SoundLibrary &lib = w->library();
    int g = lib.getGroupIndexFromModel(group->name);
    if (g >= lib.soundGroupList().size())
        g = lib.appendGroup(group->name);
    QVector<SoundLibrary::GroupSound> sounds;
    for (const MainWindow1::strSoundItem &item : qAsConst(items)) {
        if (item.file.trimmed().isEmpty())
            continue;
        sounds.append({names.take(item.name.trimmed().isEmpty() ? soundnames::nameFromFile(item.file) : item.name),
                       item.file});
    }
    lib.addSoundsToGroup(g, sounds);
    w->ui->waveGroupTreeView->expand(model->index(g, 0));
    w->getRightSoundList();
    librarypane::tellRenamedSounds(w, names.changes());
}

// The items as new sounds of the total list; on the pad they are queued for
// the writer. A file of the pad's sound folder, a file listed already and
// sounds past the last number are left out.
void addToTotalList(MainWindow1 *w, QStandardItemModel *model, const QVector<MainWindow1::strSoundItem> &items)
{
    UiPrompter *prompter = UiPrompter::instance();
    const bool deviceMode = !w->pad().isUDiskFlag();
    if (deviceMode)
        w->pad().clearAddQueue();
    const QString padFolder = QDir::fromNativeSeparators(w->pad().currentDirPath()) + QStringLiteral("zt350/wav_data");
    QSet<QString> listedPaths = childTexts(model, 2);
    soundnames::IncomingNames names([&] { return childTexts(model, 1); });
    int queued = 0;
    for (const MainWindow1::strSoundItem &item : qAsConst(items)) {
        const QString path = item.file;
        const QString given = item.name.trimmed().isEmpty() ? soundnames::nameFromFile(path) : item.name;
        if (deviceMode && QDir::fromNativeSeparators(path).contains(padFolder, Qt::CaseInsensitive)) {
            prompter->warning(w, MainWindow1::tr("Error"),
                              MainWindow1::tr("Adding the sound of a sampler pad is not supported. File location: ")
                                      + QStringLiteral("\r\n") + path,
                              QMessageBox::Ok);
            continue;
        }
        if (listedPaths.contains(path.trimmed())) {
            qDebug() << __FILE__ << __LINE__ << Q_FUNC_INFO << "不支持重复添加音色";
            continue;
        }
        w->soundLists().noteLastWaveNumber(w->library().lastWaveNumber());
        if (w->soundLists().total_index() >= WAVE_MAX_COUNT) {
            prompter->warning(w, MainWindow1::tr("Warning"),
                              MainWindow1::tr("The number of sound can not exceed 9999."), QMessageBox::Ok);
            break;
        }
        const quint16 number = quint16(w->soundLists().total_index() + 1);
        const QString name = names.take(given);
        if (deviceMode) {
            w->pad().queueAdd(path, number);
            ++queued;
        }
        listedPaths.insert(path.trimmed());
        w->library().addSound(name, path, number, !deviceMode);
    }
    librarypane::tellRenamedSounds(w, names.changes());
    if (deviceMode && queued > 0)
        emit w->sendUpdate(1, 0);
}

} // namespace

void librarypane::tellRenamedSounds(MainWindow1 *w, const QVector<namerules::NameChange> &changes)
{
    if (changes.isEmpty())
        return;
    UiPrompter::instance()->warning(
            w, MainWindow1::tr("Warning"),
            namerules::nameChangesText(
                    MainWindow1::tr("These sound names were changed to names the sampler pad can hold:"), changes),
            QMessageBox::Ok);
}

void librarypane::addFileToGroupList(MainWindow1 *w, quint8, MainWindow1::strSoundGroup *group,
                                     QStandardItemModel *model, quint8 mode)
{
    if (!group || !group->itemList || group->itemList->isEmpty() || group->name.trimmed().isEmpty() || !model)
        return;
    // Files that are not audio never reach the lists or the pad's queue.
    const QVector<MainWindow1::strSoundItem> items = audioItemsOf(w, *group);
    if (items.isEmpty())
        return;

    if (mode == 3) {
        addToGroupTree(w, group, model, items);
    } else if (mode == 4) {
        addToTotalList(w, model, items);
        w->getRightSoundList();
    }
}
