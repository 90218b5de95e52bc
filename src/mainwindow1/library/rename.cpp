// Renaming sounds in the total list, the groups and the hi-hat mirror, and
// groups in the group tree. A new sound name reaches the kits.
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/library/soundlistscontroller.h"

#include "widgets/dialogs/uiprompter.h"
#include "model/namerules.h"
#include "library/modeltexts.h"
#include "document/kitdocument.h"
#include "device/padsession.h"
#include "library/soundlibrary.h"

#include <QDir>
#include <QScopedValueRollback>

namespace {

const char kListSymbols[] = "\r\n- _ .' ~";
const char kMirrorSymbols[] = "\r\n- _ . '~";
const char kDefaultPrefix[] = "SOUND";

} // namespace

bool SoundListsController::refuseSoundName(const QString &name, const QString &symbols)
{
    QString text;
    if (name.isEmpty())
        text = WindowTexts::tr("Sound name can't be blank!");
    else if (!namerules::checkDisplayKitName(name))
        text = WindowTexts::tr("The sound name must begin and end with an alphanumeric character and can be "
                               "interspersed with an "
                               "alphanumeric character, a space, and the following symbols:")
                + symbols;
    else if (name.size() > SOUND_NAME_LENGTH_MAX)
        text = WindowTexts::tr("The maximum number of sound name's character can't exceed 16!");
    else
        return false;
    m_prompter.information(m_parent, WindowTexts::tr("Error"), text, QMessageBox::Ok);
    return true;
}

void SoundListsController::totalListItemModelChanged(QStandardItem *item)
{
    if (!item || !item->isEditable() || !item->parent() || item->hasChildren() || item->column() != 1)
        return;
    const int row = item->row();
    // One step: the list's name, the kits' and the hi-hat list's.
    const editstep::Recorder::Scope step(m_lib.recorder(), QString());
    m_lib.rowEdited(item->index(), row < m_lib.soundList().size() ? m_lib.soundList().at(row) : QString());
    if (!m_pad.isUDiskFlag())
        m_lib.settleSoundName(row); // on the pad a name is set once; the nested call returns at once
    const QString text = item->text();
    if (refuseSoundName(text, QString::fromLatin1(kListSymbols))) {
        m_lib.putBackName(item->index(),
                              row < m_lib.soundList().size()
                                      ? m_lib.soundList().at(row)
                                      : getDisplayName2(text, m_lib.totalListItemModel(),
                                                        QString::fromLatin1(kDefaultPrefix), SOUND_NAME_LENGTH_MAX));
        return;
    }
    const QStandardItem *fileCell = item->parent()->child(row, 2);
    const QString file = fileCell ? fileCell->text() : QString();
    // A later refused edit puts back this name, not the one before it.
    m_lib.renameSound(row, text);
    if (file.isEmpty())
        return;
    replaceNameToPadSetting(1, file, text); // the pages show the kits renamed
}

void SoundListsController::renameGroupRow(QStandardItem *item)
{
    if (!item || !item->isEditable())
        return;
    // One step: the group's name, or the sound's in the group, the list and the kits.
    const editstep::Recorder::Scope step(m_lib.recorder(), QString());
    const QVector<soundfilexml::strSoundGroup> &groups = m_lib.soundGroupList();
    if (!item->parent()) {
        // A group row: trimmed, one blank between words, unique.
        const int row = item->row();
        const QString old = row < groups.size() ? groups.at(row).name : QString();
        const QString name = item->text().simplified();
        QString refusal;
        if (name.isEmpty()) {
            refusal = WindowTexts::tr("Group name can't be blank!");
        } else {
            for (int g = 0; g < groups.size() && refusal.isEmpty(); ++g) {
                if (g != row && groups.at(g).name.simplified() == name)
                    refusal = WindowTexts::tr("Creating duplicate group name is not supported.");
            }
        }
        if (!refusal.isEmpty()) {
            m_prompter.question(m_parent, WindowTexts::tr("Warning"), refusal, QMessageBox::Ok);
            m_lib.putBackName(item->index(), old);
            return;
        }
        // A later refused edit puts back this name, not the one before it.
        m_lib.renameGroup(row, name);
        return;
    }
    if (item->column() == 1)
        return;
    const QString text = item->text();
    const int g = item->parent()->row();
    const int row = item->row();
    if (g >= groups.size() || row >= groups.at(g).soundList.size())
        return;
    if (refuseSoundName(text, QString::fromLatin1(kListSymbols))) {
        m_lib.putBackName(item->index(), groups.at(g).soundList.at(row).name);
        return;
    }
    const QString file = groups.at(g).soundList.at(row).file;
    m_lib.renameGroupSound(g, row, text);
    if (file.isEmpty())
        return;
    replaceNameToPadSetting(0, file, text); // the pages show the kits renamed
}

void SoundListsController::hhListItemModelChanged(QStandardItem *item)
{
    if (!item || !item->isEditable() || item->hasChildren() || item->column() == 1 || m_namingMirrorRow)
        return;
    const QScopedValueRollback<bool> naming(m_namingMirrorRow, true);
    SoundListModel *mirror = m_lib.hhSoundItemModel();
    // Unless renamed here before, the row shows the list's name.
    const QString before =
            mirror->textBefore(item->index(), m_lib.totalListItemModel()->soundText(item->row(), 1));
    const QString text = item->text();
    QString name = text;
    if (refuseSoundName(text, QString::fromLatin1(kMirrorSymbols)))
        name = getDisplayName(text, mirror, QString::fromLatin1(kDefaultPrefix), SOUND_NAME_LENGTH_MAX);
    // The row alone is named: one step, shown on the hi-hat page.
    editstep::Place place;
    place.page = editstep::Place::KitSettings;
    const editstep::Recorder::Scope step(m_lib.recorder(), SoundLibrary::tr("name of sound %1").arg(name), QString(),
                                         place);
    m_lib.rowEdited(item->index(), before);
    if (name != text)
        m_lib.putBackName(item->index(), name);
}

bool SoundListsController::replaceNameToPadSetting(quint8 mode, QString file, QString name)
{
    name = name.trimmed();
    file = QDir::toNativeSeparators(file);
    bool changed = m_doc.renameSound(file, name);
    if (mode == 0) // the total list's edit handling carries the name on
        changed = m_lib.nameSoundRowsOf(file, name) || changed;
    else if (mode == 1)
        changed = m_lib.nameMirrorRowsOf(file, name) || changed;
    return changed;
}

void SoundListsController::tellRenamedSounds(const QVector<namerules::NameChange> &changes)
{
    if (changes.isEmpty())
        return;
    QString details;
    const QString text = namerules::nameChangesText(
            WindowTexts::tr("These sound names were changed to names the sampler pad can hold:"),
            WindowTexts::tr("These names were held by other sounds and were given a number:"), changes, 25, &details);
    m_prompter.detailedBox(UiPrompter::Warning, m_parent, WindowTexts::tr("Warning"), text, details);
}
