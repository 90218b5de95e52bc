// Drops on the panes: audio files from outside onto the group tree, group
// sounds onto the setup's sound list, kits onto kit-chain steps and sounds
// onto the hi-hat slots.
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"

#include "library/dragpayload.h"
#include "widgets/dialogs/uiprompter.h"
#include "library/soundnames.h"
#include "document/kitdocument.h"
#include "device/padsession.h"
#include "library/soundlibrary.h"
#include "platform/pathcase.h"
#include "platform/regularfile.h"

#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QSet>
#include <QUrl>

#include <algorithm>
#include <sys/stat.h>

namespace {
QString payloadOf(QDropEvent *event, const QString &format)
{
    const QMimeData *mime = event->mimeData();
    return mime ? QString::fromUtf8(mime->data(format)) : QString();
}

// The sources of every group's sounds.
QSet<QString> groupFiles(const QVector<soundfilexml::strSoundGroup> &groups)
{
    QSet<QString> files;
    for (const soundfilexml::strSoundGroup &g : groups) {
        for (const soundfilexml::strSoundItem &s : g.soundList)
            files.insert(s.file);
    }
    return files;
}
} // namespace

bool ShellController::answerDragOver(QDropEvent *event, bool wanted)
{
    if (event->type() == QEvent::Drop)
        return false;
    if (wanted)
        event->acceptProposedAction();
    else
        event->ignore();
    return true;
}

// True for a drag of ours (its payload read once per drag).
bool ShellController::isOurDrag(QDropEvent *event)
{
    const QMimeData *mime = event->mimeData();
    if (event->type() == QEvent::DragEnter || mime != m_dragMime) {
        m_dragMime = mime;
        m_dragMimeOurs = mime && mime->hasFormat(dragpayload::MIME_FORMAT);
    }
    return m_dragMimeOurs;
}

// What a drop on a step box or a hi-hat slot does first: the drag over is
// answered; a drop finds the box under it and reads the payload. Returns the
// box, or -1 when the event ends here with the filter's answer in *answer.
template <class BoxAt>
int ShellController::boxDrop(QDropEvent *event, BoxAt boxAt, QString *payload, bool *answer)
{
    *answer = false;
    const bool ours = isOurDrag(event);
    if (answerDragOver(event, ours))
        return -1;
    event->acceptProposedAction();
    const int box = ours ? boxAt(event->pos()) : -1;
    if (box < 0)
        return -1;
    *payload = payloadOf(event, dragpayload::MIME_FORMAT);
    *answer = payload->isEmpty(); // an empty payload is swallowed
    return *answer ? -1 : box;
}

bool ShellController::dropFilesOnGroups(QDropEvent *event)
{
    const QMimeData *mime = event->mimeData();
    if (answerDragOver(event, mime && mime->hasUrls()))
        return false;
    event->acceptProposedAction();
    const int groups = m_library.soundGroupList().size();
    if (!mime || !mime->hasUrls())
        return true;
    if (groups == 0)
        return false;

    // The selected group (or the group of the selected sound), else the last one.
    const int groupRow = m_soundLists.dropGroupRow(groups);
    const QSet<QString> listed = groupFiles(m_library.soundGroupList());
    QStringList files;
    QSet<QString> taken;
    QSet<QString> duplicates;
    for (const QUrl &url : mime->urls()) {
        const QString path = QDir::toNativeSeparators(url.toLocalFile());
        if (path.isEmpty() || taken.contains(path))
            continue;
        taken.insert(path);
        files.append(path);
        if (listed.contains(path))
            duplicates.insert(path);
    }
    if (!duplicates.isEmpty()) {
        const QMessageBox::StandardButton answer =
                m_prompter.question(m_boxParent, WindowTexts::tr("Information"),
                                    WindowTexts::tr("Some files already exist. Do you want to add duplicate files?"),
                                    QMessageBox::Ok | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Ok) {
            files.erase(std::remove_if(files.begin(), files.end(),
                                       [&](const QString &f) { return duplicates.contains(f); }),
                        files.end());
        }
    }

    // Other files are left out, and what is not audio is refused.
    files.erase(std::remove_if(files.begin(), files.end(),
                               [&disk = ztplatform::diskOf(m_library.fence())](const QString &f) {
                                   return ztplatform::typeAtPath(disk, f) != S_IFREG
                                          || !soundnames::isSoundFile(f);
                               }),
                files.end());
    QHash<QString, groupentries::Identity> bytes;
    bool canceled = false;
    files = m_soundFiles.audioFilesOf(files, &bytes, &canceled);

    soundnames::IncomingNames names(m_library);
    QVector<SoundLibrary::GroupSound> sounds;
    for (const QString &path : qAsConst(files))
        sounds.append({names.take(QFileInfo(path).baseName(), path), path, bytes.value(path)}); // up to the first "."
    m_library.addSoundsToGroup(groupRow, sounds);
    m_soundLists.tellRenamedSounds(names.changes());
    if (canceled)
        m_soundFiles.tellCanceledImport(sounds.size());
    return false;
}

bool ShellController::dropOnTotalList(QDropEvent *event)
{
    const bool ours = isOurDrag(event);
    if (answerDragOver(event, ours))
        return false;
    event->acceptProposedAction();
    if (ours && m_mainPadPage.currentKitNum() == EMPTY_KIT_NUM)
        return true;
    if (!m_soundLists.soundListHit(event->pos()))
        return false;
    const QString payload = payloadOf(event, dragpayload::MIME_FORMAT);
    if (payload.isEmpty())
        return true;

    soundnames::IncomingNames names(m_library);
    if (m_pad.isUDiskFlag()) {
        const dragpayload::Record sound = dragpayload::parseRecord(payload);
        const QString path = QDir::toNativeSeparators(sound.path);
        if (m_library.soundRowOf(path) >= 0)
            return false;
        m_soundLists.noteLastWaveNumber(m_library.lastWaveNumber());
        if (m_soundLists.total_index() >= WAVE_MAX_COUNT) {
            m_prompter.warning(m_boxParent, WindowTexts::tr("Warning"),
                               WindowTexts::tr("The number of sound can not exceed 9999."), QMessageBox::Ok);
            return false;
        }
        {
            const editstep::Recorder::Scope step(m_doc.recorder(), WindowTexts::tr("sound %1 added to the list")
                                                                           .arg(sound.name));
            m_library.addSound(names.take(sound.name, path), path, quint16(m_soundLists.total_index() + 1), true);
        }
        m_soundLists.getRightSoundList();
        m_soundLists.tellRenamedSounds(names.changes());
        return false;
    }
    if (m_soundLists.dragLeftOrRight() != 0)
        return false; // sounds of the pad's own list are on it already

    // Group sounds for the pad: queued with consecutive numbers, one start of
    // the writer. Written to the pad: no step brings them back.
    const editstep::Recorder::Paused onThePad(m_doc.recorder());
    m_pad.clearAddQueue();
    const QVector<dragpayload::Record> sounds =
            payload.contains(QLatin1Char('#')) ? dragpayload::decode(payload) : QVector<dragpayload::Record>();
    QSet<QString> queued;
    for (const dragpayload::Record &sound : sounds) {
        const QString path = QDir::toNativeSeparators(sound.path);
        if (m_library.soundRowOf(path) >= 0 || queued.contains(path))
            continue;
        m_soundLists.noteLastWaveNumber(m_library.lastWaveNumber());
        if (m_soundLists.total_index() >= WAVE_MAX_COUNT) {
            m_prompter.warning(m_boxParent, WindowTexts::tr("Warning"),
                               WindowTexts::tr("The number of sound can not exceed 9999."), QMessageBox::Ok);
            m_soundLists.tellRenamedSounds(names.changes());
            if (!queued.isEmpty())
                emit padAddsQueued(); // for the sounds queued before
            return false;
        }
        const quint16 number = quint16(m_soundLists.total_index() + 1);
        m_pad.queueAdd(path, number);
        m_library.addSound(names.take(sound.name, path), path, number, false);
        queued.insert(path);
    }
    m_soundLists.tellRenamedSounds(names.changes());
    emit padAddsQueued();
    return false;
}

bool ShellController::dropOnStep(QDropEvent *event)
{
    QString payload;
    bool answer = false;
    const int step = boxDrop(event, [this](const QPoint &pos) { return m_kitChains.stepAt(pos); }, &payload, &answer);
    if (step < 0)
        return answer;
    const dragpayload::Record kit = dragpayload::parseRecord(payload);
    const int chain = m_kitChains.chainShown();
    if (chain >= m_doc.kitChainList().size())
        return true;
    if (!kit.path.isEmpty())
        m_doc.setChainStep(chain, step, kit.name.toInt());
    m_kitChains.disKit(&m_doc.kitChainList()[chain], step); // a refused drop shows the step as it is
    return true;
}

bool ShellController::dropOnHiHat(QDropEvent *event)
{
    QString payload;
    bool answer = false;
    const int slot = boxDrop(event, [this](const QPoint &pos) { return m_kitPages.hhSlotAt(pos); }, &payload, &answer);
    if (slot < 0)
        return answer;
    const int kit = m_mainPadPage.currentKitNum();
    if (kit >= m_doc.kitAttrList().size())
        return false;
    const dragpayload::Record sound = dragpayload::decode(payload).constFirst();
    soundnames::IncomingNames names(m_library);
    if (!sound.path.isEmpty()) {
        const QString path = QDir::toNativeSeparators(sound.path);
        // On the pad the slot is written back by its number, and only a kit
        // whose numbers changed is written: it takes the sound's number now.
        const int row = m_pad.isUDiskFlag() ? -1 : m_library.soundRowOf(path);
        const QStandardItem *number = row >= 0 ? m_library.totalListItemModel()->soundItem(row, 0) : nullptr;
        m_doc.setHiHatSound(kit, slot, names.take(sound.name, path), path,
                               number ? quint16(number->text().toInt()) : -1);
    }
    m_kitPages.disHHList(&m_doc.kitAttrList()[kit], quint8(kit), quint8(slot)); // a refused drop too
    m_soundLists.tellRenamedSounds(names.changes());
    return false;
}
