// Sound groups: the group tree, its working copies and "soundlist.xml".
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/library/soundlistscontroller.h"

#include "library/groupentries.h"
#include "model/soundfilexml.h"
#include "widgets/dialogs/uiprompter.h"
#include "widgets/wavetreeview1.h"
#include "library/soundlibrary.h"

#include <QDir>

namespace {

// What the start found at the groups' file, in one box.
void tellSoundListStart(UiPrompter &prompter, QWidget *w, const QString &fileName,
                        const SoundLibrary::SoundListStart &start)
{
    const QString file = QDir::toNativeSeparators(fileName);
    const QString crlf = QStringLiteral("\r\n");
    QStringList parts;
    if (start.silent)
        parts << WindowTexts::tr("The drive of the sound groups file \"%1\" does not answer: its groups are not read, "
                                 "and nothing is saved over it in this session.")
                         .arg(file);
    else if (!start.unreadable.isEmpty())
        parts << WindowTexts::tr("The sound groups file \"%1\" could not be read whole: %2.")
                         .arg(file, start.unreadable);
    if (start.partly)
        parts << WindowTexts::tr("Some entries of \"%1\" could not be read and are not in the sound groups.").arg(file);
    if (start.lacking)
        parts << WindowTexts::tr("Some sounds of \"%1\" had a part that could not be read; they are kept in the sound "
                                 "groups without it.")
                         .arg(file);
    if (!start.keptAs.isEmpty())
        parts << WindowTexts::tr("The file as it was is kept as \"%1\".").arg(QDir::toNativeSeparators(start.keptAs));
    else if (!start.notKept.isEmpty())
        parts << WindowTexts::tr("It could not be kept beside it (%1), so the sound groups are not saved over it.")
                         .arg(start.notKept);
    if (start.inUse && start.lockReason.isEmpty())
        parts << WindowTexts::tr("The sound groups in \"%1\" are in use by another editor. Changes to the groups in "
                                 "this window are saved into it only if that editor has ended by this window's close "
                                 "and left the file as this window read it; otherwise the close saves them beside it, "
                                 "under a name it gives.")
                         .arg(file);
    else if (start.inUse)
        parts << WindowTexts::tr("The sound groups in \"%1\" cannot be locked for this editor (%2). Changes to the "
                                 "groups in this window are saved into it only if this editor can lock it by its "
                                 "close and finds it as it read it; otherwise the close saves them beside it, under a "
                                 "name it gives.")
                         .arg(file, start.lockReason);
    auto rowsOf = [&crlf](QString heading, const QVector<groupentries::Unmatched> &rows) {
        for (const groupentries::Unmatched &u : rows)
            heading += crlf + u.group + QStringLiteral(": ") + u.name + QStringLiteral(" (") + u.source + QLatin1Char(')');
        return heading;
    };
    if (!start.unmatched.isEmpty())
        parts << rowsOf(WindowTexts::tr("These sounds of the sound groups are no longer in the files they name, which "
                                        "were written anew since, nor in \"Kept sounds\"; they are not taken for other "
                                        "sounds and cannot be previewed, dragged or saved:"),
                        start.unmatched);
    if (!start.fromKept.isEmpty())
        parts << rowsOf(WindowTexts::tr("These sounds of the sound groups are now taken from \"Kept sounds\":"),
                        start.fromKept);
    if (!parts.isEmpty())
        prompter.warning(w, WindowTexts::tr("Warning"), parts.join(crlf + crlf), QMessageBox::Ok);
}

// Where the close kept the groups of this window, and why not in the file.
QString besideText(const QString &file, const SoundLibrary::SoundListSave &save)
{
    const QString beside = QDir::toNativeSeparators(save.besideAs);
    if (save.othersFile)
        return WindowTexts::tr("Another editor saved the sound groups in \"%1\" since this window read them: they "
                               "stay as they are, and the groups of this window are saved beside them as \"%2\".")
                .arg(file, beside);
    if (!save.lockReason.isEmpty())
        return WindowTexts::tr("The sound groups in \"%1\" cannot be locked for this editor (%2): the groups of this "
                               "window are saved beside it as \"%3\".")
                .arg(file, save.lockReason, beside);
    return WindowTexts::tr("The sound groups in \"%1\" are in use by another editor: the groups of this window are "
                           "saved beside it as \"%2\".")
            .arg(file, beside);
}

} // namespace

void SoundListsController::importSoundList(const QString &fileName)
{
    const SoundLibrary::SoundListStart start = m_lib.openSoundList(fileName);
    m_view.waveGroupTreeView->expandAll();
    tellSoundListStart(m_prompter, m_parent, fileName, start);
}

bool SoundListsController::saveSoundListAtClose()
{
    if (!m_writeSoundListOnClose)
        return true;
    SoundLibrary &lib = m_lib;
    QWidget *w = m_parent;
    // The close asks again about a read-only file a save was told to keep.
    const SoundLibrary::SoundListSave save = lib.saveSoundList(
            [this, w](const QString &target) {
                return m_prompter.question(w, WindowTexts::tr("Warning"), SoundLibrary::readOnlyQuestion(target),
                                           QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
                        == QMessageBox::Yes;
            },
            true);
    const QString file = QDir::toNativeSeparators(lib.soundListFileName());
    if (!save.keptAs.isEmpty())
        m_prompter.information(w, WindowTexts::tr("Information"), SoundLibrary::otherVersionKept(save.keptAs));
    if (!save.notKept.isEmpty())
        m_prompter.information(w, WindowTexts::tr("Information"),
                               WindowTexts::tr("The sound groups are saved to \"%1\", but the new file lacks what the "
                                               "old one had:")
                                               .arg(file)
                                       + QStringLiteral("\r\n") + save.notKept);
    if (!save.besideAs.isEmpty())
        m_prompter.information(w, WindowTexts::tr("Information"), besideText(file, save));
    if (save.written || save.declined || !save.besideAs.isEmpty())
        return true;
    if (save.inDoubt)
        return m_prompter.question(
                       w, WindowTexts::tr("Error"),
                       WindowTexts::tr("The folder of \"%1\" stopped answering while the sound groups were being "
                                       "saved to it: the file is either still the old one, whole, or the new one, "
                                       "whole.\n\nQuit anyway? Choose No to keep the window open, and close the "
                                       "window again once the drive answers to save them.")
                               .arg(file),
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
                == QMessageBox::Yes;
    const QString notSaved =
            save.notAFile ? WindowTexts::tr("The sound groups could not be saved to \"%1\": %2.\n\nQuit anyway? Choose "
                                            "No to keep the window open, move it away, and close the window again to "
                                            "save them.")
                          : WindowTexts::tr("The sound groups could not be saved to \"%1\": %2.\n\nQuit anyway? Choose "
                                            "No to keep the window open, free some space or make the file writable, "
                                            "and close the window again to save them.");
    return m_prompter.question(w, WindowTexts::tr("Error"), notSaved.arg(file, save.reason),
                               QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            == QMessageBox::Yes;
}

void SoundListsController::addGroup()
{
    QWidget *const w = m_parent;
    bool accepted = false;
    const QString answer =
            m_prompter.getText(w, WindowTexts::tr("Create a new category"),
                               WindowTexts::tr("Please enter name for the category."), QString(), &accepted);
    const QString name = accepted ? answer.simplified() : QString();
    if (name.isEmpty()) {
        m_prompter.information(w, WindowTexts::tr("Error"), WindowTexts::tr("New category name can't be blank."),
                               QMessageBox::Ok);
        return;
    }
    const int rows = m_lib.soundGroupList().size();
    if (rows == 0)
        return;
    for (const soundfilexml::strSoundGroup &group : m_lib.soundGroupList()) {
        if (group.name.simplified() == name) {
            m_prompter.information(w, WindowTexts::tr("Tip"),
                                   WindowTexts::tr("The category already exists, please recreate a new category."),
                                   QMessageBox::Ok);
            return;
        }
    }
    m_lib.addGroup(name);
    m_view.waveGroupTreeView->setCurrentIndex(m_lib.soundListItemModel()->index(0, 0));
}

void SoundListsController::settleSoundListAtExit()
{
    if (m_writeSoundListOnClose && !m_soundListSettled)
        m_lib.saveSoundList();
}
