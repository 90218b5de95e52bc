// Selection and presses in the total list and the group tree: source checks,
// the sound information line, the preview sound and the drag payloads.
#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "library/draghook.h"
#include "library/dragpayload.h"
#include "library/soundsource.h"
#include "library/totaltreeview.h"
#include "library/waveprobe.h"
#include "library/wavetreeview1.h"
#include "widgets/dialogs/uiprompter.h"

#include <QAction>
#include <QDir>
#include <QDrag>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QMimeData>

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
    if (clearingOtherList)
        return; // the group tree is being cleared for a selection of its own
    UiPrompter *prompter = UiPrompter::instance();
    clearingOtherList = true;
    ui->waveGroupTreeView->clearSelection();
    clearingOtherList = false;
    ui->kitNameLineEdit->setStyleSheet(QStringLiteral("border:0px;"));
    if (index2 % 2)
        on_stopBtn2_clicked();
    if (ui->playBtn2->styleSheet() == QLatin1String(kPlayingStyle))
        player2->stop();
    const QModelIndexList selected = orderedSelection(ui->totalWaveTreeView->selectionModel());
    ui->kitNumber->clearFocus();
    ui->kitNameLineEdit->clearFocus();
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
        deleteAction->setEnabled(isUDiskFlag);
        return;
    }
    dropToPadOrRight = false;
    const QString name = selected.at(1).data().toString();
    QString path = selected.at(2).data().toString();

    bool locked = false;
    for (const SOUND_INDEX &s : qAsConst(waveLoadKitAttrList)) {
        if (s.file == path && s.wave_lock == 0) {
            locked = true;
            break;
        }
    }
    exportAction->setEnabled(!locked);
    deleteAction->setEnabled(!locked && isUDiskFlag);

    const QString checkPath = path.contains(QLatin1String(":U")) ? path.left(path.size() - 7) : path;
    if (name.isEmpty() || path.isEmpty() || !QFile::exists(checkPath)) {
        on_stopBtn2_clicked();
        ui->playBtn2->setEnabled(false);
        ui->playBtn2->setStyleSheet(QString::fromLatin1(kPlayStyle));
        ui->stopBtn2->setEnabled(false);
        ui->playBtn2->repaint();
        ui->waveInfoShow->clear();
        prompter->warning(this, tr("Error"),
                          tr("Please check path:") + name + tr(" does not exist.") + QStringLiteral("\r\n") + checkPath,
                          QMessageBox::Ok);
        return;
    }

    ui->playBtn2->setStyleSheet(QString::fromLatin1(kPlayStyle));
    ui->songLabel2->setText(name);
    if (player2->state() == QMediaPlayer::StoppedState) {
        ui->playBtn2->setEnabled(true);
        ui->playBtn2->repaint();
    } else {
        on_stopBtn2_clicked();
    }
    path = QDir::toNativeSeparators(path);
    const QString notWave = press ? tr("This sound is not in wave format.") : tr("This sound is not in wave format");

    if (path.contains(QLatin1String(":U"))) {
        const quint16 n = quint16(path.right(5).toInt() & 0x7FFF);
        const QString kitPath = QDir::fromNativeSeparators(path.left(path.size() - 7));
        const READ_KIT_FILE *kit = nullptr;
        for (const READ_KIT_FILE &k : qAsConst(loadedKitFiles)) {
            if (k.file == kitPath) {
                kit = &k;
                break;
            }
        }
        const bool whole = path.contains(QLatin1String(".bin:U"), Qt::CaseInsensitive);
        const int dataEntry = whole ? n + clickSetList.size() : n;
        const int tableSize = kit ? int(kit->info.sound.size()) : 0;
        if (!kit || n >= tableSize || dataEntry >= tableSize) {
            prompter->information(this, tr("Error"), tr("File error!"), QMessageBox::Ok);
            return;
        }
        if (quint64(QFileInfo(kitPath).size()) != kit->fileTotalLength) {
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
        int kind = -1;
        if (kit->file.contains(QLatin1String(".ini"), Qt::CaseInsensitive))
            kind = 1;
        else if (kit->file.contains(QLatin1String(".bin"), Qt::CaseInsensitive))
            kind = 0;
        const quint16 count = kind < 0 ? 0 : percussionpadfile::judgeWaveTotalNumber(&file, kind);
        const QString loadedName = charArray2String(kit->info.sound[size_t(n)].wave_name, SOUND_NAME_LENGTH);
        const QString fileName = kind < 0 ? QString() : percussionpadfile::judgeWaveName(&file, n, kind);
        file.close();
        if (count != kit->waveCount || loadedName != fileName) {
            prompter->warning(this, tr("Error"),
                              tr("Please check path:") + name + tr(" does not exist.") + QStringLiteral("\r\n")
                                      + kitPath,
                              QMessageBox::Ok);
            return;
        }
        quint32 offset = 0;
        if (whole || path.contains(QLatin1String(".ini:U"), Qt::CaseInsensitive))
            offset = kit->info.sound[size_t(dataEntry)].wave_start;
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

    if (press) {
        auto *mime = new QMimeData;
        mime->setData(MIME_FORMAT, dragpayload::encode({{name, path}}, !isUDiskFlag).toUtf8());
        mime->setText(name);
        if (isRight) {
            delete mime;
        } else {
            if (!isUDiskFlag)
                dragLeftOrRight = 1;
            auto *drag = new QDrag(this);
            drag->setMimeData(mime);
            draghook::run(drag, Qt::MoveAction);
            drag->deleteLater();
        }
    }
    playFileNameNew2 = path;
}

void MainWindow1::groupTreeSelection(const QModelIndex &index, bool press)
{
    if (clearingOtherList)
        return; // the total list is being cleared for a selection of its own
    clearingOtherList = true;
    ui->totalWaveTreeView->clearSelection();
    clearingOtherList = false;
    ui->kitNameLineEdit->setStyleSheet(QStringLiteral("border:0px;"));
    if (index2 % 2)
        on_stopBtn2_clicked();
    if (ui->playBtn2->styleSheet() == QLatin1String(kPlayingStyle))
        player2->stop();
    const QModelIndexList selected = orderedSelection(ui->waveGroupTreeView->selectionModel());
    ui->kitNumber->clearFocus();
    ui->kitNameLineEdit->clearFocus();
    if (!index.parent().isValid() || selected.size() < 2)
        return;
    dropToPadOrRight = selected.size() > 3;

    // Runs one drag, unless the press was a right press.
    auto drag = [this](const QString &payload, const QString &text) {
        auto *mime = new QMimeData;
        mime->setData(MIME_FORMAT, payload.toUtf8());
        if (!text.isNull())
            mime->setText(text);
        auto *dragObject = new QDrag(this);
        if (isLeftWave) {
            delete mime;
            dragObject->deleteLater();
            return;
        }
        dragObject->setMimeData(mime);
        draghook::run(dragObject, Qt::MoveAction);
        dragObject->deleteLater();
    };

    QVector<dragpayload::Record> records;
    for (int k = 0; k + 1 < selected.size(); k += 2) {
        const QString name = selected.at(k).data().toString();
        const QString path = selected.at(k + 1).data().toString();
        if (path.isEmpty())
            continue;
        if (!QFile::exists(path)) {
            UiPrompter::instance()->warning(this, tr("Error"),
                                            name + tr(" does not exist.") + QStringLiteral("\r\n")
                                                    + tr("Please check path:") + path,
                                            QMessageBox::Ok);
            return;
        }
        if (name.isEmpty()) {
            on_stopBtn2_clicked();
            ui->playBtn2->setEnabled(false);
            ui->playBtn2->setStyleSheet(QString::fromLatin1(kPlayStyle));
            ui->playBtn2->repaint();
            ui->stopBtn2->setEnabled(false);
            ui->playBtn2->repaint();
            return;
        }
        ui->playBtn2->setStyleSheet(QString::fromLatin1(kPlayStyle));
        if (!dropToPadOrRight)
            ui->songLabel2->setText(name);
        if (player2->state() == QMediaPlayer::StoppedState) {
            ui->playBtn2->setEnabled(true);
            ui->playBtn2->repaint();
        } else {
            on_stopBtn2_clicked();
        }
        if (!isUDiskFlag) {
            records.append({name, path});
            dragLeftOrRight = 0;
        } else if (press) {
            drag(dragpayload::record(name, path), name);
        }
        playFileNameNew2 = path;
    }
    if (press && !isUDiskFlag)
        drag(dragpayload::encode(records, true), QString());
}
