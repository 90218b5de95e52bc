// Renaming sounds in the total list, the groups and the hi-hat mirror, and
// groups in the group tree. A new sound name reaches the kits.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/library/librarypane.h"
#include "ui_mainwindow1.h"

#include "widgets/dialogs/uiprompter.h"
#include "model/namerules.h"
#include "library/modeltexts.h"

#include <QDir>
#include <QStandardItemModel>

namespace {

const char kListSymbols[] = "\r\n- _ .' ~";
const char kMirrorSymbols[] = "\r\n- _ . '~";
const char kDefaultPrefix[] = "SOUND";

} // namespace

bool librarypane::refuseSoundName(MainWindow1 *w, const QString &name, const QString &symbols)
{
    QString text;
    if (name.isEmpty())
        text = MainWindow1::tr("Sound name can't be blank!");
    else if (!namerules::checkDisplayKitName(name))
        text = MainWindow1::tr("The sound name must begin and end with an alphanumeric character and can be "
                               "interspersed with an "
                               "alphanumeric character, a space, and the following symbols:")
                + symbols;
    else if (name.size() > SOUND_NAME_LENGTH_MAX)
        text = MainWindow1::tr("The maximum number of sound name's character can't exceed 16!");
    else
        return false;
    UiPrompter::instance()->information(w, MainWindow1::tr("Error"), text, QMessageBox::Ok);
    return true;
}

void MainWindow1::totalListItemModelChanged(QStandardItem *item)
{
    if (!item || !item->isEditable() || !item->parent() || item->hasChildren() || item->column() != 1)
        return;
    const int row = item->row();
    if (!pad().isUDiskFlag())
        library().settleSoundName(row); // on the pad a name is set once; the nested call returns at once
    const QString text = item->text();
    if (librarypane::refuseSoundName(this, text, QString::fromLatin1(kListSymbols))) {
        library().putBackName(item->index(),
                              row < library().soundList().size()
                                      ? library().soundList().at(row)
                                      : getDisplayName2(text, library().totalListItemModel(),
                                                        QString::fromLatin1(kDefaultPrefix), SOUND_NAME_LENGTH_MAX));
        return;
    }
    const QStandardItem *fileCell = item->parent()->child(row, 2);
    const QString file = fileCell ? fileCell->text() : QString();
    // A later refused edit puts back this name, not the one before it.
    library().renameSound(row, text);
    if (file.isEmpty())
        return;
    librarypane::replaceNameToPadSetting(this, 1, file, text); // the pages show the kits renamed
}

void MainWindow1::soundListItemModelChanged(QStandardItem *item)
{
    if (!item || !item->isEditable())
        return;
    const QVector<soundfilexml::strSoundGroup> &groups = library().soundGroupList();
    if (!item->parent()) {
        // A group row: trimmed, one blank between words, unique.
        const int row = item->row();
        const QString old = row < groups.size() ? groups.at(row).name : QString();
        const QString name = item->text().simplified();
        QString refusal;
        if (name.isEmpty()) {
            refusal = tr("Group name can't be blank!");
        } else {
            for (int g = 0; g < groups.size() && refusal.isEmpty(); ++g) {
                if (g != row && groups.at(g).name.simplified() == name)
                    refusal = tr("Creating duplicate group name is not supported.");
            }
        }
        if (!refusal.isEmpty()) {
            UiPrompter::instance()->question(this, tr("Warning"), refusal, QMessageBox::Ok);
            library().putBackName(item->index(), old);
            return;
        }
        // A later refused edit puts back this name, not the one before it.
        library().renameGroup(row, name);
        return;
    }
    if (item->column() == 1)
        return;
    const QString text = item->text();
    const int g = item->parent()->row();
    const int row = item->row();
    if (g >= groups.size() || row >= groups.at(g).soundList.size())
        return;
    if (librarypane::refuseSoundName(this, text, QString::fromLatin1(kListSymbols))) {
        library().putBackName(item->index(), groups.at(g).soundList.at(row).name);
        return;
    }
    const QString file = groups.at(g).soundList.at(row).file;
    library().renameGroupSound(g, row, text);
    if (file.isEmpty())
        return;
    librarypane::replaceNameToPadSetting(this, 0, file, text); // the pages show the kits renamed
}

void MainWindow1::hhListItemModelChanged(QStandardItem *item)
{
    if (!item || !item->isEditable() || item->hasChildren() || item->column() == 1)
        return;
    const QString text = item->text();
    if (librarypane::refuseSoundName(this, text, QString::fromLatin1(kMirrorSymbols)))
        library().putBackName(item->index(),
                              getDisplayName(text, library().hhSoundItemModel(), QString::fromLatin1(kDefaultPrefix),
                                             SOUND_NAME_LENGTH_MAX));
}

bool librarypane::replaceNameToPadSetting(MainWindow1 *w, quint8 mode, QString file, QString name)
{
    name = name.trimmed();
    file = QDir::toNativeSeparators(file.trimmed());
    bool changed = w->doc().renameSound(file, name);
    if (mode == 0) // the total list's edit handling carries the name on
        changed = w->library().nameSoundRowsOf(file, name) || changed;
    else if (mode == 1)
        changed = w->library().nameMirrorRowsOf(file, name) || changed;
    return changed;
}
