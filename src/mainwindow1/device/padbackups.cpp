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

#include <QDir>
#include <QLocale>

#include <memory>

void PadSyncController::keepPadAsLoaded(const PadIdentity &loaded, const QVector<padbackup::File> &settings)
{
    if (!m_backupWriter) {
        m_backupWriter = new PadBackupWriter(this);
        connect(m_backupWriter, &PadBackupWriter::finished, this, &PadSyncController::backupEnded);
    }
    m_backupWriter->wait();
    m_backupTaken = false;
    m_backupFolder = padbackup::backupsRoot() + QLatin1Char('/') + padbackup::padFolderName(loaded);
    m_backupWhen = QDateTime::currentDateTime();
    m_backupSettings = settings;
}

void PadSyncController::backUpPad(const QVector<padbackup::File> &prm)
{
    if (!m_backupWriter || m_backupWriter->started() || m_backupTaken)
        return;
    m_backupWriter->start(m_backupFolder, m_backupWhen, m_backupSettings, prm);
    m_backupSettings.clear();
}

void PadSyncController::backupTaken(const padbackup::Written &written)
{
    m_backupTaken = true;
    m_backupSettings.clear();
    backupEnded(written.ok, written.why);
}

void PadSyncController::waitForBackup()
{
    if (m_backupWriter)
        m_backupWriter->wait();
}

void PadSyncController::backupEnded(bool ok, const QString &why)
{
    if (ok)
        return;
    UiPrompter::instance()->warning(
            m_parent, WindowTexts::tr("Warning"),
            WindowTexts::tr("The sampler pad could not be backed up into %1: %2.")
                            .arg(QDir::toNativeSeparators(m_backupFolder), why)
                    + QStringLiteral("\r\n") + WindowTexts::tr("The pad is used all the same."));
}

bool PadSyncController::readBackupKits(const QString &folder, PadKits *kits, padbackup::Contents *contents,
                                       QString *why) const
{
    *contents = padbackup::read(folder);
    if (!contents->ok) {
        *why = contents->why;
        return false;
    }
    setupfiles::KitTables images;
    *kits = readPadKits(contents->kitFolder, m_soundLists.waveAttrList(), m_doc.curKitAttr(),
                        KitRecordStorage{images.base.data(), images.pedal.data(), images.pad.get()});
    if (!kits->ok) {
        QStringList texts;
        for (const DeviceMessage &m : qAsConst(kits->messages))
            texts << m.text;
        *why = texts.join(QStringLiteral("\r\n"));
        return false;
    }
    return true;
}

namespace {

QString whenText(const QDateTime &when)
{
    return QLocale().toString(when, QLocale::ShortFormat);
}

// The kits of a backup that differ from the kits now.
int kitsDiffering(const QVector<MainWindow1Records::soundKit> &backup, const KitDocument &doc)
{
    int n = 0;
    for (int k = 0; k < backup.size() && k < KIT_MAX_COUNT; ++k) {
        if (EditBaseline::kitSnapshot(backup.at(k)) != EditBaseline::kitSnapshot(doc.kit(k)))
            ++n;
    }
    return n;
}

QString missingText(const QVector<padbackup::Missing> &missing)
{
    QStringList lines;
    for (const padbackup::Missing &m : missing) {
        const QString slot = m.pad > 0 ? WindowTexts::tr("Kit %1, pad %2 %3").arg(m.kit).arg(m.pad).arg(m.slot ? "B" : "A")
                                       : WindowTexts::tr("Kit %1, hi-hat slot %2").arg(m.kit).arg(m.slot);
        lines << WindowTexts::tr("%1: %2 (sound %3)").arg(slot, m.name.isEmpty() ? QStringLiteral("?") : m.name).arg(m.wave);
    }
    return WindowTexts::tr("These sounds of the backup are no longer on the sampler pad; their slots are left empty:")
           + QStringLiteral("\r\n") + lines.join(QStringLiteral("\r\n"));
}

} // namespace

void PadSyncController::restoreFromBackup()
{
    UiPrompter *prompter = UiPrompter::instance();
    if (m_pad.isUDiskFlag())
        return;
    waitForBackup(); // the backup of this load is one of them
    const QVector<padbackup::Backup> backups = padbackup::list(m_backupFolder);
    QStringList items;
    QVector<PadKits> read;
    for (const padbackup::Backup &b : backups) {
        PadKits kits;
        padbackup::Contents contents;
        QString why;
        const bool ok = readBackupKits(b.folder, &kits, &contents, &why);
        items << (ok ? WindowTexts::tr("%1: kits differing from now: %2").arg(whenText(b.when)).arg(kitsDiffering(kits.kits, m_doc))
                     : WindowTexts::tr("%1: cannot be read").arg(whenText(b.when)));
    }
    if (items.isEmpty()) {
        prompter->information(m_parent, WindowTexts::tr("Information"),
                              WindowTexts::tr("There is no backup of this sampler pad in %1 yet.")
                                      .arg(QDir::toNativeSeparators(m_backupFolder)));
        return;
    }
    const int chosen = prompter->getItem(m_parent, WindowTexts::tr("Restore the pad from a backup"),
                                         WindowTexts::tr("Backups of this sampler pad, newest first:"), items);
    if (chosen < 0)
        return;
    PadKits kits;
    padbackup::Contents contents;
    QString why;
    if (!readBackupKits(backups.at(chosen).folder, &kits, &contents, &why)) {
        prompter->warning(m_parent, WindowTexts::tr("Error"),
                          WindowTexts::tr("The backup cannot be restored:") + QStringLiteral("\r\n") + why);
        return;
    }
    // Only the sounds on the pad now: the restore adds and removes none.
    QSet<quint16> present;
    for (const MainWindow1Records::SOUND_INDEX &s : m_soundLists.waveAttrList())
        present.insert(s.wave_No);
    const QVector<padbackup::Missing> missing = padbackup::emptyMissingSlots(kits.kits, present, contents.soundNames);

    editstep::Place shown;
    shown.page = editstep::Place::Pads;
    {
        const editstep::Recorder::Scope step(
                m_doc.recorder(),
                WindowTexts::tr("restore of the pad from the backup of %1").arg(whenText(backups.at(chosen).when)),
                QString(), shown);
        m_kitPages.keepGlobalPage();
        m_doc.restorePadKits(kits.kits, kits.kitIndex);
        auto model = std::make_unique<percussionpadfile>();
        if (!contents.globalFile.isEmpty() && readPadGlobal(contents.globalFile, *model).ok)
            m_kitPages.showVerAndGlobal1(model.get(), false);
    }
    emit restoredFromBackup(shown);
    if (!missing.isEmpty())
        prompter->warning(m_parent, WindowTexts::tr("Warning"), missingText(missing));
}
