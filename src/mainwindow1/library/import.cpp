// Sound import into a group of the group tree or into the total list.
#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/library/soundlistscontroller.h"

#include "library/modeltexts.h"
#include "library/soundnames.h"
#include "widgets/dialogs/uiprompter.h"
#include "device/padsession.h"
#include "library/soundlibrary.h"

#include <QDebug>
#include <QDir>
#include <QSet>
#include <QStandardItemModel>

namespace {

using strSoundItem = MainWindow1Records::strSoundItem;
using strSoundGroup = MainWindow1Records::strSoundGroup;

// The file dialog's filters, each named for what it picks; the last one
// reaches any file (the import still takes audio only).
QString soundFilter()
{
    return WindowTexts::tr("Lossless sound files") + QStringLiteral(" (*.wav *.WAV *.ape *.APE *.flac *.FLAC);;")
           + WindowTexts::tr("Compressed sound files") + QStringLiteral(" (*.mp3 *.MP3 *.wma *.WMA *.aac *.AAC *.aa3 *.AA3 *.ac3 *.AC3 *.ogg *.OGG);;")
           + WindowTexts::tr("All files (*)");
}

QStringList nativePaths(const QStringList &paths)
{
    QStringList out;
    out.reserve(paths.size());
    for (const QString &p : paths)
        out.append(QDir::toNativeSeparators(p));
    return out;
}

} // namespace

void SoundFilesController::addFilesToGroup()
{
    const std::optional<QString> group = m_soundLists.groupToFill();
    if (!group) {
        m_prompter.information(m_parent, WindowTexts::tr("The selected sound category is not valid."),
                               WindowTexts::tr("Choose a category to add sounds."), QMessageBox::Ok);
        return;
    }
    const QString target = *group;

    const QStringList picked = nativePaths(
            m_prompter.getOpenFileNames(m_parent, WindowTexts::tr("Select file to add"), QString(), soundFilter()));
    if (picked.isEmpty()) {
        m_prompter.warning(m_parent, WindowTexts::tr("Warning"), WindowTexts::tr("Choose no file!"), QMessageBox::Yes);
        return;
    }
    const QSet<QString> listed = childPaths(m_library.soundListItemModel(), 1);
    QStringList paths;
    bool anyListed = false;
    for (const QString &p : picked)
        anyListed = anyListed || listed.contains(p);
    if (anyListed) {
        const QMessageBox::StandardButton answer =
                m_prompter.question(m_parent, WindowTexts::tr("Information"),
                                    WindowTexts::tr("Some files already exist. Do you want to add duplicate files?"),
                                    QMessageBox::Ok | QMessageBox::No, QMessageBox::No);
        for (const QString &p : picked) {
            if (answer == QMessageBox::Ok || !listed.contains(p))
                paths.append(p);
        }
    } else {
        paths = picked;
    }
    QVector<strSoundItem> items;
    for (const QString &p : qAsConst(paths)) {
        const int dot = p.lastIndexOf(QLatin1Char('.'));
        if ((dot < 0 ? p : p.mid(dot + 1)).trimmed() == QLatin1String("pkit"))
            continue;
        strSoundItem item;
        item.file = p;
        items.append(item);
    }
    if (items.isEmpty())
        return;
    strSoundGroup request;
    request.name = target;
    request.itemList = &items;
    addFileToGroupList(&request, m_library.soundListItemModel(), 3);
}

void SoundFilesController::addFilesToTotalList()
{
    if (m_library.waveLoadKitAttrList().size() >= WAVE_MAX_COUNT) {
        m_prompter.warning(m_parent, WindowTexts::tr("Warning"),
                           WindowTexts::tr("The number of sound can not exceed 9999."), QMessageBox::Ok);
        return;
    }
    const QString target = m_library.totalListItemModel()->rootIndex().data().toString();
    const QStringList chosen = nativePaths(
            m_prompter.getOpenFileNames(m_parent, WindowTexts::tr("Select file to add"), QString(), soundFilter()));
    if (chosen.isEmpty())
        return;
    emit listImportStarting();

    const QSet<QString> listed = childPaths(m_library.totalListItemModel(), 2);
    QVector<strSoundItem> items;
    bool anyListed = false;
    for (const QString &p : chosen) {
        if (listed.contains(p)) {
            anyListed = true;
            continue;
        }
        strSoundItem item;
        item.file = p;
        items.append(item);
    }
    if (anyListed)
        m_prompter.question(m_parent, WindowTexts::tr("Information"),
                            WindowTexts::tr("Some files already exist. Don't support to add duplicate files!"),
                            QMessageBox::Ok);
    if (items.isEmpty())
        return;
    strSoundGroup request;
    request.name = target;
    request.itemList = &items;
    addFileToGroupList(&request, m_library.totalListItemModel(), 4);
}

// The items of the group whose files hold audio, in order; the others are
// named in one warning.
QVector<strSoundItem> SoundFilesController::audioItemsOf(const strSoundGroup &group,
                                                        QHash<QString, groupentries::Identity> *bytes, bool *canceled)
{
    QStringList files;
    for (const strSoundItem &item : qAsConst(*group.itemList))
        files.append(item.file);
    files = audioFilesOf(files, bytes, canceled);
    const QSet<QString> audio(files.begin(), files.end());
    QVector<strSoundItem> items;
    for (const strSoundItem &item : qAsConst(*group.itemList)) {
        if (audio.contains(item.file))
            items.append(item);
    }
    return items;
}

// The items as sounds of the group of their name (made at the bottom when
// there is none); how many were added.
int SoundFilesController::addToGroupTree(const strSoundGroup *group, QStandardItemModel *model,
                                          const QVector<strSoundItem> &items,
                                          const QHash<QString, groupentries::Identity> &bytes)
{
    soundnames::IncomingNames names(m_library);
    int g = m_library.getGroupIndexFromModel(group->name);
    if (g >= m_library.soundGroupList().size())
        g = m_library.appendGroup(group->name);
    QVector<SoundLibrary::GroupSound> sounds;
    for (const strSoundItem &item : qAsConst(items)) {
        if (item.file.trimmed().isEmpty())
            continue;
        sounds.append({names.take(item.name.trimmed().isEmpty() ? namerules::nameFromFile(item.file) : item.name,
                                  item.file),
                       item.file, bytes.value(item.file)});
    }
    m_library.addSoundsToGroup(g, sounds);
    m_soundLists.expandGroup(model->index(g, 0));
    m_soundLists.getRightSoundList();
    m_soundLists.tellRenamedSounds(names.changes());
    return sounds.size();
}

// The items as new sounds of the total list; on the pad they are queued for
// the writer. A file of the pad's sound folder, a file listed already and
// sounds past the last number are left out. How many were added.
int SoundFilesController::addToTotalList(QStandardItemModel *model, const QVector<strSoundItem> &items)
{
    const bool deviceMode = !m_pad.isUDiskFlag();
    if (deviceMode)
        m_pad.clearAddQueue();
    const QString padFolder = QDir::fromNativeSeparators(m_pad.currentDirPath()) + QStringLiteral("zt350/wav_data");
    QSet<QString> listedPaths = childPaths(model, 2);
    soundnames::IncomingNames names(m_library);
    int queued = 0;
    int added = 0;
    for (const strSoundItem &item : qAsConst(items)) {
        const QString path = item.file;
        const QString given = item.name.trimmed().isEmpty() ? namerules::nameFromFile(path) : item.name;
        if (deviceMode && QDir::fromNativeSeparators(path).contains(padFolder, Qt::CaseInsensitive)) {
            m_prompter.warning(m_parent, WindowTexts::tr("Error"),
                               WindowTexts::tr("Adding the sound of a sampler pad is not supported. File location: ")
                                       + QStringLiteral("\r\n") + path,
                               QMessageBox::Ok);
            continue;
        }
        if (listedPaths.contains(path)) {
            qDebug() << __FILE__ << __LINE__ << Q_FUNC_INFO << "不支持重复添加音色";
            continue;
        }
        m_soundLists.noteLastWaveNumber(m_library.lastWaveNumber());
        if (m_soundLists.total_index() >= WAVE_MAX_COUNT) {
            m_prompter.warning(m_parent, WindowTexts::tr("Warning"),
                               WindowTexts::tr("The number of sound can not exceed 9999."), QMessageBox::Ok);
            break;
        }
        const quint16 number = quint16(m_soundLists.total_index() + 1);
        const QString name = names.take(given, path);
        if (deviceMode) {
            m_pad.queueAdd(path, number);
            ++queued;
        }
        listedPaths.insert(path);
        m_library.addSound(name, path, number, !deviceMode);
        ++added;
    }
    m_soundLists.tellRenamedSounds(names.changes());
    if (deviceMode && queued > 0)
        emit padAddsQueued();
    return added;
}

void SoundFilesController::addFileToGroupList(strSoundGroup *group, QStandardItemModel *model, quint8 mode)
{
    if (!group || !group->itemList || group->itemList->isEmpty() || group->name.trimmed().isEmpty() || !model)
        return;
    // Files that are not audio never reach the lists or the pad's queue; a
    // group row keeps what tells its file's bytes apart.
    QHash<QString, groupentries::Identity> bytes;
    bool canceled = false;
    const QVector<strSoundItem> items = audioItemsOf(*group, mode == 3 ? &bytes : nullptr, &canceled);
    int added = 0;
    if (!items.isEmpty() && mode == 3) {
        const editstep::Recorder::Scope step(m_library.recorder(), QString());
        added = addToGroupTree(group, model, items, bytes);
    } else if (!items.isEmpty() && mode == 4) {
        // Sounds added on the pad are written to it: no step brings them back.
        const editstep::Recorder::Scope step(m_library.recorder(), WindowTexts::tr("sounds added to the list"));
        const editstep::Recorder::Paused onThePad(m_pad.isUDiskFlag() ? nullptr : m_library.recorder());
        added = addToTotalList(model, items);
        m_soundLists.getRightSoundList();
    }
    if (canceled)
        tellCanceledImport(added);
}
