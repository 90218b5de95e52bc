// Selection and presses in the total list and the group tree: source checks,
// the sound information line, the preview sound and the drag payloads.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/library/librarypane.h"
#include "ui_mainwindow1.h"

#include "library/draghook.h"
#include "library/dragpayload.h"
#include "library/soundsource.h"
#include "library/waveprobe.h"
#include "platform/regularfile.h"
#include "widgets/dialogs/uiprompter.h"
#include "widgets/totaltreeview.h"
#include "widgets/wavetreeview1.h"

#include <QAction>
#include <QDir>
#include <QDrag>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QScopeGuard>
#include <QScopedValueRollback>

namespace {

const char kPlayStyle[] = "border-image:url(:/images/play.png)";
const char kPlayingStyle[] = "border-image: url(:/images/suspend.png);";

// Selected indexes by row, then column.
QModelIndexList orderedSelection(QItemSelectionModel *selection)
{
    QModelIndexList list = selection ? selection->selectedIndexes() : QModelIndexList();
    std::stable_sort(list.begin(), list.end(), [](const QModelIndex &a, const QModelIndex &b) {
        if (a.parent() != b.parent())
            return a.parent().row() < b.parent().row();
        return a.row() != b.row() ? a.row() < b.row() : a.column() < b.column();
    });
    return list;
}

// The steps both sound lists take first: clear the other list's selection,
// stop the preview, take the own selection. False while the other list is
// being cleared for a selection of its own (nothing is done then).
bool beginSelection(MainWindow1 *w, QTreeView *own, QTreeView *other, QModelIndexList *selected)
{
    if (w->clearingOtherList)
        return false;
    {
        const QScopedValueRollback<bool> clearing(w->clearingOtherList, true);
        other->clearSelection();
    }
    w->ui->kitNameLineEdit->setStyleSheet(QStringLiteral("border:0px;"));
    if (w->index2 % 2)
        w->on_stopBtn2_clicked();
    if (w->ui->playBtn2->styleSheet() == QLatin1String(kPlayingStyle))
        w->player2->stop();
    *selected = orderedSelection(own->selectionModel());
    w->ui->kitNumber->clearFocus();
    w->ui->kitNameLineEdit->clearFocus();
    return true;
}

// No sound to preview: the player stops, its buttons are disabled and the
// bar names no sound.
void disablePreview(MainWindow1 *w)
{
    w->ui->songLabel2->clear();
    w->on_stopBtn2_clicked();
    w->ui->playBtn2->setEnabled(false);
    w->ui->playBtn2->setStyleSheet(QString::fromLatin1(kPlayStyle));
    w->ui->stopBtn2->setEnabled(false);
    w->ui->playBtn2->repaint();
}

// Runs one internal drag of `payload`, unless the press was a right press.
void dragPayload(MainWindow1 *w, const QString &payload, const QString &text, bool rightPress)
{
    auto *mime = new QMimeData;
    mime->setData(w->shell().MIME_FORMAT(), payload.toUtf8());
    if (!text.isNull())
        mime->setText(text);
    auto *drag = new QDrag(w);
    if (!rightPress) {
        drag->setMimeData(mime);
        draghook::run(drag, Qt::MoveAction);
    } else {
        delete mime;
    }
    drag->deleteLater();
}

// Ready to play: the Play button shows the play image and is enabled when
// the player is stopped; a player in another state is stopped.
void readyToPlay(MainWindow1 *w)
{
    w->ui->playBtn2->setStyleSheet(QString::fromLatin1(kPlayStyle));
    if (w->player2->state() == QMediaPlayer::StoppedState) {
        w->ui->playBtn2->setEnabled(true);
        w->ui->playBtn2->repaint();
    } else {
        w->on_stopBtn2_clicked();
    }
}

} // namespace

void MainWindow1::selectItemChanged(const QModelIndex &index)
{
    librarypane::totalListSelection(this, index, false);
}

void MainWindow1::on_totalWaveTreeView_pressed(const QModelIndex &index)
{
    librarypane::totalListSelection(this, index, true);
}

void MainWindow1::recvSelectItem(bool flag)
{
    if (flag)
        on_totalWaveTreeView_pressed(ui->totalWaveTreeView->currentIndex());
}

void MainWindow1::leftSelectItemChanged(const QModelIndex &index)
{
    librarypane::groupTreeSelection(this, index, false);
}

void MainWindow1::on_waveGroupTreeView_pressed(const QModelIndex &index)
{
    librarypane::groupTreeSelection(this, index, true);
}

namespace {

// Export and delete follow the row's sound: a locked sound of a loaded kit
// file is neither exported nor deleted, and only offline is one deleted.
void enableSoundActions(MainWindow1 *w, const QString &path)
{
    bool locked = false;
    for (const MainWindow1::SOUND_INDEX &s : qAsConst(w->library().waveLoadKitAttrList())) {
        if (s.file == path && s.wave_lock == 0) {
            locked = true;
            break;
        }
    }
    TotalTreeView::exportSoundAction()->setEnabled(!locked);
    TotalTreeView::deleteSoundAction()->setEnabled(!locked && w->pad().isUDiskFlag());
}

// The information line of a sound stored in a loaded kit file, once the file
// is checked to hold it as loaded. False, after the box that says why, when
// it is refused, and without a box when it is no wave.
bool showStoredSoundInfo(MainWindow1 *w, const QString &path, const soundsource::Stored &src, const QString &name,
                         const QString &notWave)
{
    UiPrompter *prompter = UiPrompter::instance();
    const QString &kitPath = src.kitFile;
    const MainWindow1::READ_KIT_FILE *kit = nullptr;
    // The sound is checked and read where Play and the export read it.
    const int entry = w->library().storedSoundEntry(path, &kit);
    if (entry < 0) {
        prompter->information(w, MainWindow1::tr("Error"), MainWindow1::tr("File error!"), QMessageBox::Ok);
        return false;
    }
    if (!setupfiles::matchesLoad(*kit, ztplatform::fileStamp(kitPath))) {
        prompter->warning(w, MainWindow1::tr("Error"),
                          MainWindow1::tr("Please check path:")
                                  + MainWindow1::tr("The file has been modified. The target sound was not found.")
                                  + QStringLiteral("\r\n") + kitPath,
                          QMessageBox::Ok);
        return false;
    }
    QFile file(kitPath);
    if (!file.open(QIODevice::ReadOnly)) {
        prompter->warning(w, MainWindow1::tr("Error"), MainWindow1::tr("Open file error."), QMessageBox::Ok);
        return false;
    }
    const int kind = src.form == soundsource::Form::SingleKit ? 1 : 0;
    const quint16 count = percussionpadfile::judgeWaveTotalNumber(&file, kind);
    const QString loadedName = w->charArray2String(kit->info.sound[size_t(entry)].wave_name, SOUND_NAME_LENGTH);
    const QString fileName = percussionpadfile::judgeWaveName(&file, entry, kind);
    file.close();
    if (count != kit->waveCount || loadedName != fileName) {
        prompter->warning(w, MainWindow1::tr("Error"),
                          MainWindow1::tr("Please check path:") + name + MainWindow1::tr(" does not exist.")
                                  + QStringLiteral("\r\n") + kitPath,
                          QMessageBox::Ok);
        return false;
    }
    const quint32 offset = kit->info.sound[size_t(entry)].wave_start;
    QFile data(kitPath);
    if (!data.open(QIODevice::ReadOnly)) {
        prompter->warning(w, MainWindow1::tr("Error"), MainWindow1::tr("Open sound file error."), QMessageBox::Ok);
        return false;
    }
    const waveprobe::Format format = waveprobe::probeStored(data, offset);
    if (!format.riff) {
        w->ui->waveInfoShow->setText(notWave);
        return false; // a stored sound in another format is neither dragged nor previewed
    }
    w->ui->waveInfoShow->setText(waveprobe::infoLine(format));
    return true;
}

// The information line of a sound in a file of its own (the pad's sounds are
// all of one format); false, after its box, when the file does not open.
bool showFileSoundInfo(MainWindow1 *w, const QString &path, const QString &notWave)
{
    if (path.contains(QLatin1String("WAV_DATA")) || path.contains(QLatin1String("wav_data"))) {
        w->ui->waveInfoShow->setText(QStringLiteral("16bit/48000Hz/Stereo"));
        return true;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        UiPrompter::instance()->warning(w, MainWindow1::tr("Error"), MainWindow1::tr("Open sound file error."),
                                        QMessageBox::Ok);
        return false;
    }
    const waveprobe::Format format = waveprobe::probePlain(file);
    w->ui->waveInfoShow->setText(format.riff ? waveprobe::infoLine(format) : notWave);
    return true;
}

} // namespace

void librarypane::totalListSelection(MainWindow1 *w, const QModelIndex &index, bool press)
{
    QModelIndexList selected;
    if (!beginSelection(w, w->ui->totalWaveTreeView, w->ui->waveGroupTreeView, &selected))
        return;
    if (!index.parent().isValid()) {
        w->ui->totalWaveTreeView->setColumnHidden(2, true);
        return;
    }
    if (selected.size() < 3)
        return;
    if (selected.size() > 5) {
        w->shell().dragSeveralSounds(true);
        TotalTreeView::exportSoundAction()->setEnabled(true);
        TotalTreeView::deleteSoundAction()->setEnabled(w->pad().isUDiskFlag());
        return;
    }
    w->shell().dragSeveralSounds(false);
    const QString name = selected.at(1).data().toString();
    QString path = selected.at(2).data().toString();
    if (soundsource::isStored(path)) {
        // A sound kit files share whose file is gone is taken from another.
        w->handOverFromChangedFiles();
        path = selected.at(2).data().toString();
    }

    enableSoundActions(w, path);

    const soundsource::Stored src = soundsource::parse(path);
    const bool stored = src.form != soundsource::Form::Plain;
    const QString checkPath = stored ? path.left(path.size() - 7) : path;
    // Whatever refuses the row leaves the bar without a sound to play.
    bool previewable = false;
    const auto refused = qScopeGuard([&]() {
        if (!previewable)
            disablePreview(w);
    });
    if (name.isEmpty() || path.isEmpty() || !ztplatform::isRegularFile(checkPath)) {
        disablePreview(w); // before the box: nothing plays while it shows
        w->ui->waveInfoShow->clear();
        UiPrompter::instance()->warning(w, MainWindow1::tr("Error"),
                                        MainWindow1::tr("Please check path:") + name
                                                + MainWindow1::tr(" does not exist.") + QStringLiteral("\r\n")
                                                + checkPath,
                                        QMessageBox::Ok);
        return;
    }

    w->ui->songLabel2->setText(name);
    readyToPlay(w);
    path = QDir::toNativeSeparators(path);
    const QString notWave = press ? MainWindow1::tr("This sound is not in wave format.")
                                  : MainWindow1::tr("This sound is not in wave format");

    if (!(stored ? showStoredSoundInfo(w, path, src, name, notWave) : showFileSoundInfo(w, path, notWave)))
        return;
    previewable = true;
    if (press) {
        if (!isRight && !w->pad().isUDiskFlag())
            w->shell().dragFromPadList();
        dragPayload(w, dragpayload::encode({{name, path}}, !w->pad().isUDiskFlag()), name, isRight);
    }
    w->playFileNameNew2 = path;
}

void librarypane::groupTreeSelection(MainWindow1 *w, const QModelIndex &index, bool press)
{
    QModelIndexList selected;
    if (!beginSelection(w, w->ui->waveGroupTreeView, w->ui->totalWaveTreeView, &selected))
        return;
    if (!index.parent().isValid() || selected.size() < 2)
        return;
    w->shell().dragSeveralSounds(selected.size() > 3);

    QVector<dragpayload::Record> records;
    for (int k = 0; k + 1 < selected.size(); k += 2) {
        const QString name = selected.at(k).data().toString();
        const QString path = selected.at(k + 1).data().toString();
        if (path.isEmpty())
            continue;
        // A sound stored in a kit file is there when its kit file is.
        const soundsource::Stored stored = soundsource::parse(path);
        if (!ztplatform::isRegularFile(stored.form == soundsource::Form::Plain ? path : stored.kitFile)) {
            disablePreview(w);
            UiPrompter::instance()->warning(w, MainWindow1::tr("Error"),
                                            name + MainWindow1::tr(" does not exist.") + QStringLiteral("\r\n")
                                                    + MainWindow1::tr("Please check path:") + path,
                                            QMessageBox::Ok);
            return;
        }
        if (name.isEmpty()) {
            disablePreview(w);
            return;
        }
        if (!w->shell().dropToPadOrRight())
            w->ui->songLabel2->setText(name);
        readyToPlay(w);
        if (!w->pad().isUDiskFlag()) {
            records.append({name, path});
            w->shell().dragFromGroups();
        } else if (press) {
            dragPayload(w, dragpayload::record(name, path), name, isLeftWave);
        }
        w->playFileNameNew2 = path;
    }
    if (press && !w->pad().isUDiskFlag())
        dragPayload(w, dragpayload::encode(records, true), QString(), isLeftWave);
}
