// Backups of the pad: taken at each load before anything is written to it,
// and restored into the editor from the File menu as one step, which the
// close then writes to the pad as it writes any edit.
#include "mainwindow1/device/padsynccontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/windowtexts.h"

#include "document/kitdocument.h"
#include "kitfile/kitsin.h"
#include "model/editbaseline.h"
#include "widgets/dialogs/uiprompter.h"
#include "widgets/jobdialog.h"
#include "platform/timedlook.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>

#include <functional>
#include <memory>
#include <optional>

using ztplatform::kSilentLimitMs;

namespace {

constexpr int kDataStallMs = 5000;     // nor a reading of backups that moves on no further in that long
constexpr int kBackupStallMs = 10000;  // a backup that lays out no file in that long is asked about

// `work` as a job, waited on while it reports: nothing once it has not for
// kDataStallMs. A data folder that stopped answering keeps that job's thread
// and what `work` captured (copies), never the window.
template <typename T>
std::optional<T> readAside(QWidget *parent, const QString &label,
                           const std::function<T(const std::function<void()> &beat)> &work)
{
    const auto out = std::make_shared<std::optional<T>>();
    ztplatform::Job job([work, out](const ztplatform::Job::Report &report) {
        *out = work([report] { report(0, 0); });
    });
    JobDialog::Limits limits;
    limits.stallMs = kDataStallMs;
    if (!JobDialog::wait(parent, label, job, limits))
        return std::nullopt;
    return *out;
}

QString notBackedUpText(const QString &folder, const QString &why)
{
    return WindowTexts::tr("The sampler pad could not be backed up into %1: %2.")
                   .arg(QDir::toNativeSeparators(folder), why)
           + QStringLiteral("\r\n") + WindowTexts::tr("The pad is used all the same.");
}

QString dataFolderSilentText()
{
    return WindowTexts::tr("the folder does not answer");
}

QString backupStalledText(const QString &folder)
{
    return WindowTexts::tr("The backup of the sampler pad into %1 has not moved on for %2 seconds: the folder may not "
                           "answer.")
                   .arg(QDir::toNativeSeparators(folder))
                   .arg(kBackupStallMs / 1000)
           + QStringLiteral("\r\n")
           + WindowTexts::tr("Go on without the backup? With No, nothing is written to the sampler pad now.");
}

// A backup read for the restore: its kits taken as the pad's load takes them.
struct BackupRead
{
    bool ok = false;
    QString why;
    PadKits kits;
    padbackup::Contents contents;
    std::shared_ptr<percussionpadfile> global; // its global settings, when asked for and read
    QByteArray globalFile;                     // the file they were read from
    QString globalLeft;                        // why they are not put back, as the user is told
};

BackupRead readBackupKits(ztplatform::Disk &disk, const QString &folder,
                          const QVector<MainWindow1Records::SOUND_INDEX> &waves,
                          const QVector<MainWindow1Records::soundKit> &scratch, bool withGlobal = false,
                          const std::function<void()> &beat = {})
{
    BackupRead r;
    r.contents = padbackup::read(disk, folder, true, beat);
    if (!r.contents.ok) {
        r.why = r.contents.why;
        return r;
    }
    setupfiles::KitTables images;
    r.kits = readPadKits(r.contents.kitFolder, waves, scratch.constData(),
                         KitRecordStorage{images.base.data(), images.pedal.data(), images.pad.get()});
    if (!r.kits.ok) {
        QStringList texts;
        for (const DeviceMessage &m : qAsConst(r.kits.messages))
            texts << m.text;
        r.why = texts.join(QStringLiteral("\r\n"));
        return r;
    }
    if (withGlobal && r.contents.globalFile.isEmpty()) {
        r.globalLeft = WindowTexts::tr("its global.ini is missing");
    } else if (withGlobal) {
        auto model = std::make_shared<percussionpadfile>();
        const PadGlobal global = readPadGlobal(r.contents.globalFile, *model);
        // Only the layout the pad reads: an older one is neither shown nor written.
        if (!global.ok || global.globalSize <= 0) {
            r.globalLeft = WindowTexts::tr("its global.ini cannot be read");
        } else if (!global.currentLayout) {
            r.globalLeft = WindowTexts::tr("its global.ini is in an older layout, which Korvanta does not write to the "
                                           "sampler pad");
        } else {
            r.global = model;
            r.globalFile = global.fileBytes;
        }
    }
    r.ok = true;
    return r;
}

} // namespace

void PadSyncController::keepPadAsLoaded(const PadIdentity &loaded, const QVector<padbackup::File> &settings)
{
    if (!m_backupWriter) {
        m_backupWriter = new PadBackupWriter(&m_pad.backupDisk(), this);
        connect(m_backupWriter, &PadBackupWriter::finished, this, &PadSyncController::backupEnded);
    }
    // The backup of an earlier load: the pad has not been written since (or
    // the user went on without it), so one that stopped moving on is left.
    if (!waitWhileBackupMoves()) {
        qWarning().noquote() << "the backup of the earlier load into" << m_backupFolder << "is left unfinished";
        m_backupWriter->abandon();
    }
    m_backupTaken = false;
    m_backupStarted = false;
    m_backupIdentity = loaded;
    m_backupIdentity.table.reset();
    m_backupWhen = QDateTime::currentDateTime();
    m_backupSettings = settings;
    const std::optional<QString> folder = lookUpBackupFolder(m_backupIdentity);
    m_backupFolder = folder.value_or(QString());
    if (folder)
        return;
    // No backup this load: the pad is used all the same.
    m_backupSettings.clear();
    tellDuringLoad({DeviceMessage{WindowTexts::tr("Warning"),
                                  notBackedUpText(padbackup::backupsRoot(), dataFolderSilentText())}});
}

std::optional<QString> PadSyncController::lookUpBackupFolder(const PadIdentity &loaded)
{
    const QString root = padbackup::backupsRoot();
    const std::optional<QString> folder = ztplatform::lookAtFileWithin<QString>(
            m_pad.silentFiles(), root, kSilentLimitMs, [loaded, root, disk = &m_pad.backupDisk()] { return padbackup::padFolder(*disk, loaded, root); },
            JobDialog::waiter());
    if (!folder)
        qWarning().noquote() << "the folder of the pad's backups does not answer:" << root;
    return folder;
}

void PadSyncController::backUpPad(const QVector<padbackup::File> &prm)
{
    if (!m_backupWriter || m_backupStarted || m_backupTaken || m_backupsSkipped || m_backupFolder.isEmpty())
        return;
    m_backupStarted = true;
    m_backupWriter->start(m_backupFolder, m_backupWhen, m_backupSettings, prm);
    m_backupSettings.clear();
}

void PadSyncController::backupTaken(const padbackup::Written &written)
{
    m_backupTaken = true;
    m_backupSettings.clear();
    backupEnded(written.ok, written.why);
}

bool PadSyncController::waitWhileBackupMoves()
{
    if (!m_backupWriter || !m_backupWriter->job())
        return true;
    JobDialog::Limits limits;
    limits.stallMs = kBackupStallMs;
    if (!JobDialog::wait(m_parent, WindowTexts::tr("Keeping a backup of the sampler pad…"), *m_backupWriter->job(),
                         limits))
        return false;
    m_backupWriter->wait(); // ended: told now
    return true;
}

bool PadSyncController::waitForBackup()
{
    if (waitWhileBackupMoves())
        return true;
    const QMessageBox::StandardButton answer =
            m_prompter.question(m_parent, WindowTexts::tr("Warning"), backupStalledText(m_backupFolder),
                                QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return false; // the backup goes on; the next write waits for it again
    qWarning().noquote() << "the pad is written without its backup into" << m_backupFolder;
    m_backupWriter->abandon();
    return true;
}

void PadSyncController::backupEnded(bool ok, const QString &why)
{
    if (ok)
        return;
    m_prompter.warning(m_parent, WindowTexts::tr("Warning"), notBackedUpText(m_backupFolder, why));
}

namespace {

// The locale's short date and time, with the seconds: backups taken a minute
// apart are told apart.
QString whenText(const QDateTime &when)
{
    const QLocale locale;
    QString time = locale.timeFormat(QLocale::ShortFormat);
    if (!time.contains(QLatin1Char('s')))
        time.replace(QLatin1String("mm"), QLatin1String("mm:ss"));
    return locale.toString(when, locale.dateFormat(QLocale::ShortFormat) + QLatin1Char(' ') + time);
}

// The kits a restore of the backup would change: each as the restore puts it
// back (a slot whose sound is gone, or another at its number, left empty)
// against the kit now.
int kitsChanging(const BackupRead &r, const QHash<quint16, padbackup::Held> &present, const KitDocument &doc)
{
    QVector<MainWindow1Records::soundKit> restored = r.kits.kits;
    padbackup::emptyMissingSlots(restored, present, r.contents.soundNames, r.contents.soundRecords);
    int n = 0;
    for (int k = 0; k < restored.size() && k < KIT_MAX_COUNT; ++k) {
        if (EditBaseline::kitSnapshot(restored.at(k)) != EditBaseline::kitSnapshot(doc.kit(k)))
            ++n;
    }
    return n;
}

// The pad's sounds now, by number, with the names their .prm records hold.
QHash<quint16, padbackup::Held> soundsHeld(const QVector<MainWindow1Records::SOUND_INDEX> &waves,
                                           const QHash<quint16, QByteArray> &names)
{
    QHash<quint16, padbackup::Held> held;
    held.reserve(waves.size());
    for (const MainWindow1Records::SOUND_INDEX &s : waves)
        held.insert(s.wave_No, {s.wave_length, s.wave_start, s.wave_end, names.value(s.wave_No)});
    return held;
}

// The slots left empty, one a line: the first `shown` of them, then how many
// more.
QString missingText(const QVector<padbackup::Missing> &missing, int shown)
{
    QStringList lines;
    for (const padbackup::Missing &m : missing) {
        if (lines.size() == shown) {
            lines << QCoreApplication::translate("MainWindow1", "and %1 more").arg(missing.size() - shown);
            break;
        }
        const QString slot = m.pad > 0 ? WindowTexts::tr("Kit %1, pad %2 %3").arg(m.kit).arg(m.pad).arg(m.slot ? "B" : "A")
                                       : WindowTexts::tr("Kit %1, hi-hat slot %2").arg(m.kit).arg(m.slot);
        lines << WindowTexts::tr("%1: %2 (sound %3)").arg(slot, m.name.isEmpty() ? QStringLiteral("?") : m.name).arg(m.wave);
    }
    return WindowTexts::tr("These sounds of the backup are no longer on the sampler pad; their slots are left empty:")
           + QStringLiteral("\r\n") + lines.join(QStringLiteral("\r\n"));
}

QString globalNotTakenText(const QString &why)
{
    return WindowTexts::tr("The global settings and kit chains of this backup cannot be put back: %1. They stay as "
                           "they are now.")
            .arg(why);
}

// What a restore could not put back, in one box the screen holds; every
// slot behind its details.
void tellRestored(UiPrompter &prompter, QWidget *parent, const QString &globalLeft,
                  const QVector<padbackup::Missing> &missing)
{
    constexpr int shownSlots = 25;
    const QString crlf = QStringLiteral("\r\n");
    QStringList told;
    if (!globalLeft.isEmpty())
        told << globalNotTakenText(globalLeft);
    QStringList whole = told;
    if (!missing.isEmpty()) {
        told << missingText(missing, shownSlots);
        whole << missingText(missing, missing.size());
    }
    if (!told.isEmpty())
        prompter.detailedBox(UiPrompter::Warning, parent, WindowTexts::tr("Warning"), told.join(crlf),
                             missing.size() > shownSlots ? whole.join(crlf) : QString());
}

// The restore's list: each backup's date and time, and how many kits a restore of it would change.
QStringList backupItems(const QVector<padbackup::Backup> &backups, const QVector<BackupRead> &reads,
                        const QHash<quint16, padbackup::Held> &present, const KitDocument &doc)
{
    QStringList items;
    for (int i = 0; i < backups.size(); ++i) {
        const BackupRead &r = reads.at(i);
        items << (r.ok ? WindowTexts::tr("%1: kits differing from now: %2")
                                 .arg(whenText(backups.at(i).when))
                                 .arg(kitsChanging(r, present, doc))
                       : WindowTexts::tr("%1: cannot be read").arg(whenText(backups.at(i).when)));
    }
    return items;
}

} // namespace

void PadSyncController::restoreFromBackup()
{
    if (m_pad.isUDiskFlag())
        return;
    // The backup of this load is one of them once written; the restore writes
    // nothing to the pad, so one that stopped moving on is not asked about.
    waitWhileBackupMoves();
    const QString silent = WindowTexts::tr("The backups of the sampler pad cannot be read: %1 does not answer.")
                                   .arg(QDir::toNativeSeparators(padbackup::backupsRoot()));
    if (m_backupFolder.isEmpty()) { // the data folder did not answer at the load
        const std::optional<QString> found = lookUpBackupFolder(m_backupIdentity);
        if (!found) {
            m_prompter.warning(m_parent, WindowTexts::tr("Warning"), silent);
            return;
        }
        m_backupFolder = *found;
    }
    const QString folder = m_backupFolder;
    const QVector<MainWindow1Records::SOUND_INDEX> waves = m_soundLists.waveAttrList();
    const QVector<MainWindow1Records::soundKit> scratch(m_doc.curKitAttr(), m_doc.curKitAttr() + KIT_MAX_COUNT);
    const QString reading = WindowTexts::tr("Reading the backups of the sampler pad…");
    using Listed = QPair<QVector<padbackup::Backup>, QVector<BackupRead>>;
    const std::optional<Listed> listed = readAside<Listed>(
            m_parent, reading, [folder, waves, scratch, disk = &m_pad.backupDisk()](const std::function<void()> &beat) {
                Listed out;
                out.first = padbackup::list(*disk, folder);
                beat();
                for (const padbackup::Backup &b : qAsConst(out.first))
                    out.second.append(readBackupKits(*disk, b.folder, waves, scratch, false, beat));
                return out;
            });
    if (!listed) {
        m_prompter.warning(m_parent, WindowTexts::tr("Warning"), silent);
        return;
    }
    const QVector<padbackup::Backup> &backups = listed->first;
    // Only the sounds on the pad now: the restore adds and removes none.
    const QHash<quint16, padbackup::Held> present = soundsHeld(waves, m_padSoundNames);
    const QStringList items = backupItems(backups, listed->second, present, m_doc);
    if (items.isEmpty()) {
        m_prompter.information(m_parent, WindowTexts::tr("Information"),
                               WindowTexts::tr("There is no backup of this sampler pad in %1 yet.")
                                       .arg(QDir::toNativeSeparators(folder)));
        return;
    }
    const int chosen = m_prompter.getItem(m_parent, WindowTexts::tr("Restore the pad from a backup"),
                                          WindowTexts::tr("Backups of this sampler pad, newest first:"), items);
    if (chosen < 0)
        return;
    const QString chosenFolder = backups.at(chosen).folder;
    const std::optional<BackupRead> readNow = readAside<BackupRead>(
            m_parent, reading, [chosenFolder, waves, scratch, disk = &m_pad.backupDisk()](const std::function<void()> &beat) {
                return readBackupKits(*disk, chosenFolder, waves, scratch, true, beat);
            });
    if (!readNow) {
        m_prompter.warning(m_parent, WindowTexts::tr("Warning"), silent);
        return;
    }
    BackupRead read = *readNow;
    if (!read.ok) {
        m_prompter.warning(m_parent, WindowTexts::tr("Error"),
                           WindowTexts::tr("The backup cannot be restored:") + QStringLiteral("\r\n") + read.why);
        return;
    }
    // Global settings the pad and the page both take in the current layout
    // only; the backup's may be in it while the pad's own file is not.
    if (read.global && !writeback::isCurrentGlobalFile(m_pad.loadedGlobalFile()))
        read.globalLeft = WindowTexts::tr("the sampler pad's own global.ini is not in the layout Korvanta writes (it "
                                          "is an older file's), so Korvanta does not write over it; the backup's "
                                          "global.ini is fine");
    else if (read.global && !m_doc.currentGlobalLayout())
        read.globalLeft = WindowTexts::tr("the global settings in the editor are in an older layout than the sampler "
                                          "pad's global.ini");
    if (!read.globalLeft.isEmpty())
        read.global.reset();
    PadKits &kits = read.kits;
    const padbackup::Contents &contents = read.contents;
    const QVector<padbackup::Missing> missing =
            padbackup::emptyMissingSlots(kits.kits, present, contents.soundNames, contents.soundRecords);

    editstep::Place shown;
    shown.page = editstep::Place::Pads;
    {
        const editstep::Recorder::Scope step(
                m_doc.recorder(),
                WindowTexts::tr("restore of the pad from the backup of %1").arg(whenText(backups.at(chosen).when)),
                QString(), shown);
        m_kitPages.keepGlobalPage();
        m_doc.restorePadKits(kits.kits, kits.kitIndex);
        if (read.global) {
            m_kitPages.showVerAndGlobal1(read.global.get(), false);
            m_doc.takeRestoredGlobalFile(read.globalFile); // the close writes it to the pad
        }
    }
    emit restoredFromBackup(shown);
    tellRestored(m_prompter, m_parent, read.globalLeft, missing);
}
