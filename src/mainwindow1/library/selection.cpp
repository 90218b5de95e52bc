// Selection and presses in the total list and the group tree: source checks,
// the sound information line, the preview sound and the drag payloads.
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/library/rawfile.h"
#include "mainwindow1/library/soundlistscontroller.h"

#include "library/dragpayload.h"
#include "library/soundsource.h"
#include "library/waveprobe.h"
#include "platform/descriptor.h"
#include "platform/fileidentity.h"
#include "platform/regularfile.h"
#include "platform/silentfiles.h"
#include "platform/sysio.h"
#include "platform/timedlook.h"
#include "widgets/dialogs/uiprompter.h"
#include "widgets/totaltreeview.h"
#include "widgets/wavetreeview1.h"
#include "device/padsession.h"
#include "library/soundlibrary.h"
#include "widgets/jobdialog.h"

#include <QAction>
#include <QDir>
#include <QDrag>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMimeData>
#include <QScopeGuard>
#include <QScopedValueRollback>

#include <fcntl.h>

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

// The box for a file whose drive still holds an earlier look given up on:
// it is not looked at again until that look returns.
void tellSilent(UiPrompter &prompter, QWidget *parent, const QString &path)
{
    qWarning().noquote() << "the drive of" << path << "still does not answer: the sound is not taken";
    prompter.warning(parent, WindowTexts::tr("Error"), RawFiles::silentText(path), QMessageBox::Ok);
}

// True when a regular file (also through a link) stands at `path`, past
// `fence`, and opens.
bool fileOpens(const std::shared_ptr<ztplatform::FolderFence> &fence, const QString &path)
{
    if (!ztplatform::isRegularFile(fence, path))
        return false;
    return ztplatform::Descriptor(ztplatform::openRegularFile(ztplatform::diskOf(fence), path, O_RDONLY, false))
            .isOpen();
}

// What a look at `files` in order found: the first that is not there
// (files.size() when all are), or the one whose drive stayed silent for the
// limit (silent: it held an earlier look given up on, and was not looked at).
// Looked at on a thread of its own, the window painting meanwhile; each file
// that answers gives the next one the whole limit. The file given up on is
// silent until its look returns.
struct FilesLook
{
    int first = 0;
    bool answered = true;
    bool silent = false;
};

FilesLook firstFileMissing(QStringList files, const std::shared_ptr<ztplatform::FolderFence> &fence,
                           const std::shared_ptr<ztplatform::SilentFiles> &silent)
{
    int silentAt = -1;
    for (int i = 0; i < files.size() && silentAt < 0; ++i) {
        if (ztplatform::isSilentFile(silent, files.at(i)))
            silentAt = i;
    }
    if (silentAt >= 0)
        files = files.mid(0, silentAt);
    auto seen = std::make_shared<QHash<QString, bool>>(); // used by the look's thread only
    const ztplatform::FilesInTurn look = ztplatform::lookAtFilesInTurn(
            silent, files, ztplatform::kSilentLimitMs,
            [files, seen, fence](int i) {
                auto it = seen->constFind(files.at(i));
                if (it == seen->constEnd())
                    it = seen->insert(files.at(i), fileOpens(fence, files.at(i)));
                return !it.value();
            },
            JobDialog::waiter());
    if (look.answered && look.at == files.size() && silentAt >= 0)
        return {silentAt, false, true};
    return {look.at, look.answered, false};
}

// A stored sound's kit file as the selection reads it.
struct StoredSoundLook
{
    enum Result { Read, Changed, OpenFailed, Gone } result = Read;
    waveprobe::Format format;
};

// What the selection needs of the loaded kit file and the sound's entry.
struct StoredSoundLoad
{
    QString kitFile;
    quint64 length = 0;
    ztplatform::FileStamp stamp;
    quint16 waveCount = 0;
    int entry = 0;
    int kind = 0;
    QString name;
    quint32 offset = 0;
};

// The kit file as opened: still the one loaded, holding the entry as loaded,
// and the format of the sound there.
StoredSoundLook lookAtStoredSound(const StoredSoundLoad &load, const std::shared_ptr<ztplatform::FolderFence> &fence)
{
    StoredSoundLook look;
    ztplatform::Disk &disk = ztplatform::diskOf(fence);
    ztplatform::sysio::SeamFile file(&disk);
    if (ztplatform::isRegularFile(fence, load.kitFile))
        ztplatform::openRegularFile(disk, load.kitFile, file, false);
    const ztplatform::FileStamp now =
            file.isOpen() ? ztplatform::fileStamp(disk, file.handle()) : ztplatform::fileStamp(disk, load.kitFile);
    if (!setupfiles::matchesLoad(load.length, load.stamp, now)) {
        look.result = StoredSoundLook::Changed;
        return look;
    }
    if (!file.isOpen()) {
        look.result = StoredSoundLook::OpenFailed;
        return look;
    }
    const quint16 count = percussionpadfile::judgeWaveTotalNumber(&file, load.kind);
    const QString fileName = percussionpadfile::judgeWaveName(&file, load.entry, load.kind);
    if (count != load.waveCount || load.name != fileName) {
        look.result = StoredSoundLook::Gone;
        return look;
    }
    look.format = waveprobe::probeStored(file, load.offset);
    return look;
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
        m_preview.stop(soundRowCurrent());
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
        m_prompter.runDrag(drag, Qt::MoveAction);
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
    m_view.totalWaveTreeView->exportSoundAction()->setEnabled(!locked);
    m_view.totalWaveTreeView->deleteSoundAction()->setEnabled(!locked && m_pad.isUDiskFlag());
}

// The information line of a sound stored in a loaded kit file, once the file
// is checked to hold it as loaded. False, after the box that says why, when
// it is refused, and without a box when it is no wave.
bool SoundListsController::showStoredSoundInfo(const QString &path, const soundsource::Stored &src,
                                               const QString &name, const QString &notWave)
{
    QWidget *const w = m_parent;
    const QString &kitPath = src.kitFile;
    const MainWindow1Records::READ_KIT_FILE *kit = nullptr;
    // The sound is checked and read where Play and the export read it.
    if (ztplatform::isSilentFile(m_pad.silentFiles(), kitPath)) {
        tellSilent(m_prompter, w, kitPath);
        return false;
    }
    const int entry = m_lib.storedSoundEntry(path, &kit, JobDialog::waiter());
    if (entry < 0) {
        m_prompter.information(w, WindowTexts::tr("Error"), WindowTexts::tr("File error!"), QMessageBox::Ok);
        return false;
    }
    StoredSoundLoad load;
    load.kitFile = kitPath;
    load.length = kit->fileTotalLength;
    load.stamp = kit->stamp;
    load.waveCount = kit->waveCount;
    load.entry = entry;
    load.kind = src.form == soundsource::Form::SingleKit ? 1 : 0;
    load.name = percussionpadfile::charArray2String(kit->info.sound[size_t(entry)].wave_name, SOUND_NAME_LENGTH);
    load.offset = kit->info.sound[size_t(entry)].wave_start;
    const std::optional<StoredSoundLook> look = ztplatform::lookAtFileWithin<StoredSoundLook>(
            m_pad.silentFiles(), kitPath, ztplatform::kSilentLimitMs,
            [load, fence = m_pad.fence()]() { return lookAtStoredSound(load, fence); },
            JobDialog::waiter());
    if (!look)
        qWarning().noquote() << "the drive of" << kitPath << "does not answer: the sound is not taken";
    const QString gone = WindowTexts::tr("Please check path:") + name + WindowTexts::tr(" does not exist.")
                         + QStringLiteral("\r\n") + kitPath;
    if (!look || look->result == StoredSoundLook::Gone) {
        if (!look)
            m_view.waveInfoShow->clear();
        m_prompter.warning(w, WindowTexts::tr("Error"), gone, QMessageBox::Ok);
        return false;
    }
    if (look->result == StoredSoundLook::Changed) {
        m_prompter.warning(w, WindowTexts::tr("Error"),
                           WindowTexts::tr("Please check path:")
                                   + WindowTexts::tr("The file has been modified. The target sound was not found.")
                                   + QStringLiteral("\r\n") + kitPath,
                           QMessageBox::Ok);
        return false;
    }
    if (look->result == StoredSoundLook::OpenFailed) {
        m_prompter.warning(w, WindowTexts::tr("Error"), WindowTexts::tr("Open file error."), QMessageBox::Ok);
        return false;
    }
    const waveprobe::Format &format = look->format;
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
    // Opened and read on a thread of its own: a file whose drive did not
    // answer in time is one that does not open.
    if (ztplatform::isSilentFile(m_pad.silentFiles(), path)) {
        tellSilent(m_prompter, m_parent, path);
        return false;
    }
    const std::optional<std::optional<waveprobe::Format>> look = ztplatform::lookAtFileWithin<std::optional<waveprobe::Format>>(
            m_pad.silentFiles(), path, ztplatform::kSilentLimitMs,
            [path, fence = m_pad.fence()]() -> std::optional<waveprobe::Format> {
                ztplatform::sysio::SeamFile file(&ztplatform::diskOf(fence));
                if (!ztplatform::openRegularFile(path, file, false))
                    return std::nullopt;
                return waveprobe::probePlain(file);
            },
            JobDialog::waiter());
    if (!look)
        qWarning().noquote() << "the drive of" << path << "does not answer: the sound is not taken";
    if (!look || !*look) {
        m_prompter.warning(m_parent, WindowTexts::tr("Error"), WindowTexts::tr("Open sound file error."),
                           QMessageBox::Ok);
        return false;
    }
    const waveprobe::Format &format = **look;
    m_view.waveInfoShow->setText(format.riff ? waveprobe::infoLine(format) : notWave);
    return true;
}

void SoundListsController::pressCurrentSound(bool again)
{
    if (again)
        totalListSelection(m_view.totalWaveTreeView->currentIndex(), true);
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
        m_view.totalWaveTreeView->exportSoundAction()->setEnabled(true);
        m_view.totalWaveTreeView->deleteSoundAction()->setEnabled(m_pad.isUDiskFlag());
        return;
    }
    dragSeveralSounds(false);
    const QString name = selected.at(1).data().toString();
    QString path = selected.at(2).data().toString();
    if (soundsource::isStored(path)) {
        // A sound kit files share whose file is gone is taken from another.
        m_preview.handOverFromChangedFiles();
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
            m_preview.disablePreview(soundRowCurrent());
    });
    // A file on a pad that stopped answering is not there; one that still
    // holds such a look is not looked at again, and the box says why.
    if (!name.isEmpty() && !path.isEmpty() && ztplatform::isSilentFile(m_pad.silentFiles(), checkPath)) {
        m_preview.disablePreview(soundRowCurrent());
        m_view.waveInfoShow->clear();
        tellSilent(m_prompter, w, checkPath);
        return;
    }
    const std::optional<qint64> size =
            name.isEmpty() || path.isEmpty()
                    ? std::optional<qint64>(-1)
                    : PreviewController::soundFileSize(m_pad.fence(), m_pad.silentFiles(), checkPath);
    if (!size || *size < 0) {
        m_preview.disablePreview(soundRowCurrent()); // before the box: nothing plays while it shows
        m_view.waveInfoShow->clear();
        m_prompter.warning(w, WindowTexts::tr("Error"),
                           WindowTexts::tr("Please check path:") + name + WindowTexts::tr(" does not exist.")
                                   + QStringLiteral("\r\n") + checkPath,
                           QMessageBox::Ok);
        return;
    }

    m_preview.showSoundName(name);
    m_preview.readyToPlay(soundRowCurrent());
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

    // The rows' files are looked at together, up to the first lost row: a
    // sound stored in a kit file is there when its kit file is.
    QStringList files;
    for (int k = 0; k + 1 < selected.size(); k += 2) {
        const QString path = selected.at(k + 1).data().toString();
        if (path.isEmpty())
            continue;
        if (!m_lib.groupSoundLost(selected.at(k).parent().row(), selected.at(k).row()).isEmpty())
            break;
        const soundsource::Stored stored = soundsource::parse(path);
        files.append(stored.form == soundsource::Form::Plain ? path : stored.kitFile);
    }
    const FilesLook there = firstFileMissing(files, m_pad.fence(), m_pad.silentFiles());
    if (!there.answered && !there.silent)
        qWarning().noquote() << "the drive of" << files.at(there.first) << "does not answer: the sound is not taken";

    QVector<dragpayload::Record> records;
    int file = 0;
    for (int k = 0; k + 1 < selected.size(); k += 2) {
        const QString name = selected.at(k).data().toString();
        const QString path = selected.at(k + 1).data().toString();
        if (path.isEmpty())
            continue;
        const QString lost = m_lib.groupSoundLost(selected.at(k).parent().row(), selected.at(k).row());
        if (!lost.isEmpty()) {
            m_preview.disablePreview(soundRowCurrent());
            if (!press || m_lostTold != selected.at(k))
                m_prompter.warning(w, WindowTexts::tr("Tip"), name + QStringLiteral("\r\n") + lost, QMessageBox::Ok);
            m_lostTold = press ? QModelIndex() : selected.at(k);
            return;
        }
        if (file++ == there.first) {
            m_preview.disablePreview(soundRowCurrent());
            if (there.silent) {
                tellSilent(m_prompter, w, files.at(there.first));
                return;
            }
            m_prompter.warning(w, WindowTexts::tr("Error"),
                               name + WindowTexts::tr(" does not exist.") + QStringLiteral("\r\n")
                                       + WindowTexts::tr("Please check path:") + path,
                               QMessageBox::Ok);
            return;
        }
        if (name.isEmpty()) {
            m_preview.disablePreview(soundRowCurrent());
            return;
        }
        if (!dropToPadOrRight())
            m_preview.showSoundName(name);
        m_preview.readyToPlay(soundRowCurrent());
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
