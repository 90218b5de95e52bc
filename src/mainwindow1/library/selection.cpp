// Selection and presses in the total list and the group tree: source checks,
// the sound information line, the preview sound and the drag payloads.
#include "mainwindow1/mainwindow1.h"
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
    mime->setData(w->MIME_FORMAT, payload.toUtf8());
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
    totalListSelection(index, false);
}

void MainWindow1::on_totalWaveTreeView_pressed(const QModelIndex &index)
{
    totalListSelection(index, true);
}

void MainWindow1::recvSelectItem(bool flag)
{
    if (flag)
        on_totalWaveTreeView_pressed(ui->totalWaveTreeView->currentIndex());
}

void MainWindow1::leftSelectItemChanged(const QModelIndex &index)
{
    groupTreeSelection(index, false);
}

void MainWindow1::on_waveGroupTreeView_pressed(const QModelIndex &index)
{
    groupTreeSelection(index, true);
}

void MainWindow1::totalListSelection(const QModelIndex &index, bool press)
{
    QModelIndexList selected;
    if (!beginSelection(this, ui->totalWaveTreeView, ui->waveGroupTreeView, &selected))
        return;
    UiPrompter *prompter = UiPrompter::instance();
    if (!index.parent().isValid()) {
        ui->totalWaveTreeView->setColumnHidden(2, true);
        return;
    }
    if (selected.size() < 3)
        return;
    QAction *exportAction = TotalTreeView::exportSoundAction();
    QAction *deleteAction = TotalTreeView::deleteSoundAction();
    if (selected.size() > 5) {
        dropToPadOrRight = true;
        exportAction->setEnabled(true);
        deleteAction->setEnabled(pad().isUDiskFlag);
        return;
    }
    dropToPadOrRight = false;
    const QString name = selected.at(1).data().toString();
    QString path = selected.at(2).data().toString();
    if (soundsource::isStored(path)) {
        // A sound kit files share whose file is gone is taken from another.
        handOverFromChangedFiles();
        path = selected.at(2).data().toString();
    }

    bool locked = false;
    for (const SOUND_INDEX &s : qAsConst(library().waveLoadKitAttrList)) {
        if (s.file == path && s.wave_lock == 0) {
            locked = true;
            break;
        }
    }
    exportAction->setEnabled(!locked);
    deleteAction->setEnabled(!locked && pad().isUDiskFlag);

    const soundsource::Stored src = soundsource::parse(path);
    const bool stored = src.form != soundsource::Form::Plain;
    const QString checkPath = stored ? path.left(path.size() - 7) : path;
    // Whatever refuses the row leaves the bar without a sound to play.
    bool previewable = false;
    const auto refused = qScopeGuard([&]() {
        if (!previewable)
            disablePreview(this);
    });
    if (name.isEmpty() || path.isEmpty() || !ztplatform::isRegularFile(checkPath)) {
        disablePreview(this); // before the box: nothing plays while it shows
        ui->waveInfoShow->clear();
        prompter->warning(this, tr("Error"),
                          tr("Please check path:") + name + tr(" does not exist.") + QStringLiteral("\r\n") + checkPath,
                          QMessageBox::Ok);
        return;
    }

    ui->songLabel2->setText(name);
    readyToPlay(this);
    path = QDir::toNativeSeparators(path);
    const QString notWave = press ? tr("This sound is not in wave format.") : tr("This sound is not in wave format");

    if (stored) {
        const QString &kitPath = src.kitFile;
        const READ_KIT_FILE *kit = nullptr;
        // The sound is checked and read where Play and the export read it.
        const int entry = library().storedSoundEntry(path, &kit);
        if (entry < 0) {
            prompter->information(this, tr("Error"), tr("File error!"), QMessageBox::Ok);
            return;
        }
        if (!setupfiles::matchesLoad(*kit, ztplatform::fileStamp(kitPath))) {
            prompter->warning(this, tr("Error"),
                              tr("Please check path:")
                                      + tr("The file has been modified. The target sound was not found.")
                                      + QStringLiteral("\r\n") + kitPath,
                              QMessageBox::Ok);
            return;
        }
        QFile file(kitPath);
        if (!file.open(QIODevice::ReadOnly)) {
            prompter->warning(this, tr("Error"), tr("Open file error."), QMessageBox::Ok);
            return;
        }
        const int kind = src.form == soundsource::Form::SingleKit ? 1 : 0;
        const quint16 count = percussionpadfile::judgeWaveTotalNumber(&file, kind);
        const QString loadedName = charArray2String(kit->info.sound[size_t(entry)].wave_name, SOUND_NAME_LENGTH);
        const QString fileName = percussionpadfile::judgeWaveName(&file, entry, kind);
        file.close();
        if (count != kit->waveCount || loadedName != fileName) {
            prompter->warning(this, tr("Error"),
                              tr("Please check path:") + name + tr(" does not exist.") + QStringLiteral("\r\n")
                                      + kitPath,
                              QMessageBox::Ok);
            return;
        }
        const quint32 offset = kit->info.sound[size_t(entry)].wave_start;
        QFile data(kitPath);
        if (!data.open(QIODevice::ReadOnly)) {
            prompter->warning(this, tr("Error"), tr("Open sound file error."), QMessageBox::Ok);
            return;
        }
        const waveprobe::Format format = waveprobe::probeStored(data, offset);
        if (!format.riff) {
            ui->waveInfoShow->setText(notWave);
            return; // a stored sound in another format is neither dragged nor previewed
        }
        ui->waveInfoShow->setText(waveprobe::infoLine(format));
    } else if (path.contains(QLatin1String("WAV_DATA")) || path.contains(QLatin1String("wav_data"))) {
        ui->waveInfoShow->setText(QStringLiteral("16bit/48000Hz/Stereo"));
    } else {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            prompter->warning(this, tr("Error"), tr("Open sound file error."), QMessageBox::Ok);
            return;
        }
        const waveprobe::Format format = waveprobe::probePlain(file);
        ui->waveInfoShow->setText(format.riff ? waveprobe::infoLine(format) : notWave);
    }

    previewable = true;
    if (press) {
        if (!isRight && !pad().isUDiskFlag)
            dragLeftOrRight = 1;
        dragPayload(this, dragpayload::encode({{name, path}}, !pad().isUDiskFlag), name, isRight);
    }
    playFileNameNew2 = path;
}

void MainWindow1::groupTreeSelection(const QModelIndex &index, bool press)
{
    QModelIndexList selected;
    if (!beginSelection(this, ui->waveGroupTreeView, ui->totalWaveTreeView, &selected))
        return;
    if (!index.parent().isValid() || selected.size() < 2)
        return;
    dropToPadOrRight = selected.size() > 3;

    QVector<dragpayload::Record> records;
    for (int k = 0; k + 1 < selected.size(); k += 2) {
        const QString name = selected.at(k).data().toString();
        const QString path = selected.at(k + 1).data().toString();
        if (path.isEmpty())
            continue;
        if (!ztplatform::isRegularFile(path)) {
            disablePreview(this);
            UiPrompter::instance()->warning(this, tr("Error"),
                                            name + tr(" does not exist.") + QStringLiteral("\r\n")
                                                    + tr("Please check path:") + path,
                                            QMessageBox::Ok);
            return;
        }
        if (name.isEmpty()) {
            disablePreview(this);
            return;
        }
        if (!dropToPadOrRight)
            ui->songLabel2->setText(name);
        readyToPlay(this);
        if (!pad().isUDiskFlag) {
            records.append({name, path});
            dragLeftOrRight = 0;
        } else if (press) {
            dragPayload(this, dragpayload::record(name, path), name, isLeftWave);
        }
        playFileNameNew2 = path;
    }
    if (press && !pad().isUDiskFlag)
        dragPayload(this, dragpayload::encode(records, true), QString(), isLeftWave);
}
