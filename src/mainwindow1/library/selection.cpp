// Selection and presses in the total list and the group tree: source checks,
// the sound information line, the preview sound and the drag payloads.
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"

#include "library/draghook.h"
#include "library/dragpayload.h"
#include "library/soundsource.h"
#include "library/waveprobe.h"
#include "platform/regularfile.h"
#include "widgets/dialogs/uiprompter.h"
#include "widgets/totaltreeview.h"
#include "widgets/wavetreeview1.h"
#include "device/padsession.h"
#include "library/soundlibrary.h"

#include <QAction>
#include <QDir>
#include <QDrag>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMimeData>
#include <QScopeGuard>
#include <QScopedValueRollback>

namespace {

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

// The steps both sound lists take first: clear the other list's selection,
// stop the preview, take the own selection. False while the other list is
// being cleared for a selection of its own (nothing is done then).
bool SoundListsController::beginSelection(QTreeView *own, QTreeView *other, QModelIndexList *selected)
{
    if (m_clearingOtherList)
        return false;
    {
        const QScopedValueRollback<bool> clearing(m_clearingOtherList, true);
        other->clearSelection();
    }
    emit selectionStarting();
    if (m_preview.index2() % 2)
        m_preview.stop();
    if (m_preview.playingShown())
        m_preview.stopPlayer();
    *selected = orderedSelection(own->selectionModel());
    emit selectionTaken();
    return true;
}

// Runs one internal drag of `payload`, unless the press was a right press.
void SoundListsController::dragPayload(const QString &payload, const QString &text, bool rightPress)
{
    auto *mime = new QMimeData;
    mime->setData(dragpayload::MIME_FORMAT, payload.toUtf8());
    if (!text.isNull())
        mime->setText(text);
    auto *drag = new QDrag(m_parent);
    if (!rightPress) {
        drag->setMimeData(mime);
        draghook::run(drag, Qt::MoveAction);
    } else {
        delete mime;
    }
    drag->deleteLater();
}

// Export and delete follow the row's sound: a locked sound of a loaded kit
// file is neither exported nor deleted, and only offline is one deleted.
void SoundListsController::enableSoundActions(const QString &path)
{
    bool locked = false;
    for (const MainWindow1Records::SOUND_INDEX &s : qAsConst(m_lib.waveLoadKitAttrList())) {
        if (s.file == path && s.wave_lock == 0) {
            locked = true;
            break;
        }
    }
    TotalTreeView::exportSoundAction()->setEnabled(!locked);
    TotalTreeView::deleteSoundAction()->setEnabled(!locked && m_pad.isUDiskFlag());
}

// The information line of a sound stored in a loaded kit file, once the file
// is checked to hold it as loaded. False, after the box that says why, when
// it is refused, and without a box when it is no wave.
bool SoundListsController::showStoredSoundInfo(const QString &path, const soundsource::Stored &src,
                                               const QString &name, const QString &notWave)
{
    QWidget *const w = m_parent;
    UiPrompter *prompter = UiPrompter::instance();
    const QString &kitPath = src.kitFile;
    const MainWindow1Records::READ_KIT_FILE *kit = nullptr;
    // The sound is checked and read where Play and the export read it.
    const int entry = m_lib.storedSoundEntry(path, &kit);
    if (entry < 0) {
        prompter->information(w, WindowTexts::tr("Error"), WindowTexts::tr("File error!"), QMessageBox::Ok);
        return false;
    }
    if (!setupfiles::matchesLoad(*kit, ztplatform::fileStamp(kitPath))) {
        prompter->warning(w, WindowTexts::tr("Error"),
                          WindowTexts::tr("Please check path:")
                                  + WindowTexts::tr("The file has been modified. The target sound was not found.")
                                  + QStringLiteral("\r\n") + kitPath,
                          QMessageBox::Ok);
        return false;
    }
    QFile file(kitPath);
    if (!file.open(QIODevice::ReadOnly)) {
        prompter->warning(w, WindowTexts::tr("Error"), WindowTexts::tr("Open file error."), QMessageBox::Ok);
        return false;
    }
    const int kind = src.form == soundsource::Form::SingleKit ? 1 : 0;
    const quint16 count = percussionpadfile::judgeWaveTotalNumber(&file, kind);
    const QString loadedName
            = MainWindow1Records::charArray2String(kit->info.sound[size_t(entry)].wave_name, SOUND_NAME_LENGTH);
    const QString fileName = percussionpadfile::judgeWaveName(&file, entry, kind);
    file.close();
    if (count != kit->waveCount || loadedName != fileName) {
        prompter->warning(w, WindowTexts::tr("Error"),
                          WindowTexts::tr("Please check path:") + name + WindowTexts::tr(" does not exist.")
                                  + QStringLiteral("\r\n") + kitPath,
                          QMessageBox::Ok);
        return false;
    }
    const quint32 offset = kit->info.sound[size_t(entry)].wave_start;
    QFile data(kitPath);
    if (!data.open(QIODevice::ReadOnly)) {
        prompter->warning(w, WindowTexts::tr("Error"), WindowTexts::tr("Open sound file error."), QMessageBox::Ok);
        return false;
    }
    const waveprobe::Format format = waveprobe::probeStored(data, offset);
    if (!format.riff) {
        m_view.waveInfoShow->setText(notWave);
        return false; // a stored sound in another format is neither dragged nor previewed
    }
    m_view.waveInfoShow->setText(waveprobe::infoLine(format));
    return true;
}

// The information line of a sound in a file of its own (the pad's sounds are
// all of one format); false, after its box, when the file does not open.
bool SoundListsController::showFileSoundInfo(const QString &path, const QString &notWave)
{
    if (path.contains(QLatin1String("WAV_DATA")) || path.contains(QLatin1String("wav_data"))) {
        waveprobe::Format padFormat; // the pad holds every sound so
        padFormat.hasFmt = true;
        padFormat.channels = 2;
        padFormat.sampleRate = 48000;
        padFormat.bits = 16;
        m_view.waveInfoShow->setText(waveprobe::infoLine(padFormat));
        return true;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        UiPrompter::instance()->warning(m_parent, WindowTexts::tr("Error"), WindowTexts::tr("Open sound file error."),
                                        QMessageBox::Ok);
        return false;
    }
    const waveprobe::Format format = waveprobe::probePlain(file);
    m_view.waveInfoShow->setText(format.riff ? waveprobe::infoLine(format) : notWave);
    return true;
}

void SoundListsController::totalListSelection(const QModelIndex &index, bool press)
{
    QWidget *const w = m_parent;
    QModelIndexList selected;
    if (!beginSelection(m_view.totalWaveTreeView, m_view.waveGroupTreeView, &selected))
        return;
    if (!index.parent().isValid()) {
        m_view.totalWaveTreeView->setColumnHidden(2, true);
        return;
    }
    if (selected.size() < 3)
        return;
    if (selected.size() > 5) {
        dragSeveralSounds(true);
        TotalTreeView::exportSoundAction()->setEnabled(true);
        TotalTreeView::deleteSoundAction()->setEnabled(m_pad.isUDiskFlag());
        return;
    }
    dragSeveralSounds(false);
    const QString name = selected.at(1).data().toString();
    QString path = selected.at(2).data().toString();
    if (soundsource::isStored(path)) {
        // A sound kit files share whose file is gone is taken from another.
        m_soundFiles.handOverFromChangedFiles();
        path = selected.at(2).data().toString();
    }

    enableSoundActions(path);

    const soundsource::Stored src = soundsource::parse(path);
    const bool stored = src.form != soundsource::Form::Plain;
    const QString checkPath = stored ? path.left(path.size() - 7) : path;
    // Whatever refuses the row leaves the bar without a sound to play.
    bool previewable = false;
    const auto refused = qScopeGuard([&]() {
        if (!previewable)
            m_preview.disablePreview();
    });
    // A file on a pad that stopped answering is not there.
    const std::optional<qint64> size =
            name.isEmpty() || path.isEmpty() ? std::optional<qint64>(-1) : PreviewController::soundFileSize(checkPath);
    if (!size || *size < 0) {
        m_preview.disablePreview(); // before the box: nothing plays while it shows
        m_view.waveInfoShow->clear();
        UiPrompter::instance()->warning(w, WindowTexts::tr("Error"),
                                        WindowTexts::tr("Please check path:") + name
                                                + WindowTexts::tr(" does not exist.") + QStringLiteral("\r\n")
                                                + checkPath,
                                        QMessageBox::Ok);
        return;
    }

    m_preview.showSoundName(name);
    m_preview.readyToPlay();
    path = QDir::toNativeSeparators(path);
    const QString notWave = press ? WindowTexts::tr("This sound is not in wave format.")
                                  : WindowTexts::tr("This sound is not in wave format");

    if (!(stored ? showStoredSoundInfo(path, src, name, notWave) : showFileSoundInfo(path, notWave)))
        return;
    previewable = true;
    if (press) {
        const bool rightPress = m_view.totalWaveTreeView->isRight();
        if (!rightPress && !m_pad.isUDiskFlag())
            dragFromPadList();
        dragPayload(dragpayload::encode({{name, path}}, !m_pad.isUDiskFlag()), name, rightPress);
    }
    m_preview.choosePreviewSound(path);
}

void SoundListsController::groupTreeSelection(const QModelIndex &index, bool press)
{
    QWidget *const w = m_parent;
    QModelIndexList selected;
    if (!beginSelection(m_view.waveGroupTreeView, m_view.totalWaveTreeView, &selected))
        return;
    if (!index.parent().isValid() || selected.size() < 2)
        return;
    dragSeveralSounds(selected.size() > 3);

    QVector<dragpayload::Record> records;
    for (int k = 0; k + 1 < selected.size(); k += 2) {
        const QString name = selected.at(k).data().toString();
        const QString path = selected.at(k + 1).data().toString();
        if (path.isEmpty())
            continue;
        const QString lost = m_lib.groupSoundLost(selected.at(k).parent().row(), selected.at(k).row());
        if (!lost.isEmpty()) {
            m_preview.disablePreview();
            if (!press || m_lostTold != selected.at(k))
                UiPrompter::instance()->warning(w, WindowTexts::tr("Tip"), name + QStringLiteral("\r\n") + lost,
                                                QMessageBox::Ok);
            m_lostTold = press ? QModelIndex() : selected.at(k);
            return;
        }
        // A sound stored in a kit file is there when its kit file is.
        const soundsource::Stored stored = soundsource::parse(path);
        if (!ztplatform::isRegularFile(stored.form == soundsource::Form::Plain ? path : stored.kitFile)) {
            m_preview.disablePreview();
            UiPrompter::instance()->warning(w, WindowTexts::tr("Error"),
                                            name + WindowTexts::tr(" does not exist.") + QStringLiteral("\r\n")
                                                    + WindowTexts::tr("Please check path:") + path,
                                            QMessageBox::Ok);
            return;
        }
        if (name.isEmpty()) {
            m_preview.disablePreview();
            return;
        }
        if (!dropToPadOrRight())
            m_preview.showSoundName(name);
        m_preview.readyToPlay();
        if (!m_pad.isUDiskFlag()) {
            records.append({name, path});
            dragFromGroups();
        } else if (press) {
            dragPayload(dragpayload::record(name, path), name, m_view.waveGroupTreeView->isLeftWave());
        }
        m_preview.choosePreviewSound(path);
    }
    if (press && !m_pad.isUDiskFlag())
        dragPayload(dragpayload::encode(records, true), QString(), m_view.waveGroupTreeView->isLeftWave());
}
