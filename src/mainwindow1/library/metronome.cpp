// The five metronome sounds.
#include "mainwindow1/windowtexts.h"

#include "mainwindow1/library/soundlistscontroller.h"
#include "model/namerules.h"
#include "widgets/dialogs/uiprompter.h"
#include "device/padsession.h"
#include "library/soundlibrary.h"
#include "platform/pathcase.h"
#include "platform/regularfile.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The file dialog's filters, each named for what it picks.
QString clickFilter()
{
    return WindowTexts::tr("Lossless sound files") + QStringLiteral(" (*.wav *.WAV *.ape *.APE *.flac *.FLAC);;")
            + WindowTexts::tr("Compressed sound files")
            + QStringLiteral(" (*.mp3 *.MP3 *.wma *.WMA *.aac *.AAC *.aa3 *.AA3 *.ogg *.OGG)");
}

} // namespace

void SoundListsController::importClickSounds()
{
    editstep::Place global;
    global.page = editstep::Place::Global;
    const editstep::Recorder::Scope step(m_lib.recorder(), WindowTexts::tr("metronome sounds added"), QString(),
                                         global);
    QWidget *const w = m_parent;
    if (m_lib.clickList().size() >= 5) {
        m_prompter.warning(
                w, WindowTexts::tr("Warning"),
                WindowTexts::tr("The list is full. Please delete some metronome sounds before importing more."),
                QMessageBox::Ok);
        return;
    }

    QStringList candidates;
    QVector<MainWindow1Records::SOUND_INDEX> deviceRecords;
    // The pad's files as its load read them, without another look at the pad.
    const auto sizeOf = [this](const QString &path) {
        const qint64 read = m_pad.clickFileSize(path);
        return read >= 0 ? read : qMax<qint64>(0, ztplatform::sizeAtPath(ztplatform::diskOf(m_lib.fence()), path));
    };
    if (m_lib.clickDeviceFlag()) {
        candidates = m_pad.clickFiles();
        for (int i = 0; i < candidates.size(); ++i) {
            const QFileInfo fi(candidates.at(i));
            MainWindow1Records::SOUND_INDEX record;
            percussionpadfile::str2CharArray(namerules::clickSoundName(fi.fileName()), record.wave_name,
                                       SOUND_NAME_LENGTH_MAX);
            record.wave_No = quint16(i);
            record.wave_lock = 1;
            record.start_cluster = 0;
            record.wave_length = quint32(sizeOf(candidates.at(i)));
            record.wave_start = 0;
            record.wave_end = record.wave_length;
            deviceRecords.append(record);
        }
        if (!candidates.isEmpty())
            m_lib.padClickFolderRead();
    } else if (m_userFlag) {
        candidates = m_lib.defaultClickFiles();
        m_userFlag = false;
    } else {
        const QStringList picked =
                m_prompter.getOpenFileNames(w, WindowTexts::tr("Obtain click sound files"), QString(), clickFilter());
        for (const QString &p : picked)
            candidates.append(QDir::toNativeSeparators(p));
    }

    const int total = m_lib.clickList().size() + candidates.size();
    if (total > 5) {
        m_prompter.warning(w, WindowTexts::tr("Waring"),
                           WindowTexts::tr("Only supports importing up to 5 metronome sounds."), QMessageBox::Ok);
        return;
    }
    if (total < 5) {
        m_prompter.warning(
                w, WindowTexts::tr("Warning"),
                WindowTexts::tr("The list capacity is 5. Please import metronome sounds  up to the maximum capacity "
                                "based on the list's limit."),
                QMessageBox::Ok);
        return;
    }
    // Every candidate must be large enough before any is listed.
    bool tooSmall = false;
    for (const QString &path : qAsConst(candidates)) {
        const QFileInfo fi(path);
        if (sizeOf(path) <= 4096) {
            m_prompter.warning(
                    w, WindowTexts::tr("Warning"),
                    fi.fileName() + WindowTexts::tr("The sound length is less than 4KB and does not support import."),
                    QMessageBox::Ok);
            tooSmall = true;
        }
    }
    if (tooSmall)
        return;

    QVector<MainWindow1Records::SOUND_LIST_INFO> added;
    quint32 offset = 0;
    QVector<namerules::NameChange> renamed;
    for (const QString &path : qAsConst(candidates)) {
        const QFileInfo fi(path);
        MainWindow1Records::SOUND_LIST_INFO info;
        info.name = namerules::clickSoundName(fi.fileName());
        if (info.name != fi.fileName())
            renamed.append({fi.fileName(), info.name});
        info.file = path;
        info.offset = offset;
        info.size = quint32(sizeOf(path));
        offset += info.size;
        added.append(info);
    }
    m_lib.takeClickSounds(added, deviceRecords);
    m_clickFlag = m_lib.clickList().size() == 5;
    emit clickSoundsImported(m_lib.clickList().size());
    tellRenamedSounds(renamed);
}
