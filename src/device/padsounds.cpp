#include "device/padsounds.h"

#include "device/devicemessage.h"
#include "device/padpaths.h"
#include "device/waveprm.h"
#include "model/namerules.h"
#include "kitfile/soundbytes.h"
#include "kitfile/soundsin.h"
#include "platform/descriptor.h"
#include "platform/disk.h"
#include "platform/silentfiles.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <map>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

using SOUND_INDEX = MainWindow1Records::SOUND_INDEX;
using padtree::FolderEntries;
using padtree::FolderEntry;

// The number of a listed entry: its name before the last dot; 0 when that
// is no number.
int entryNumber(const QString &name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return (dot < 0 ? name : name.left(dot)).toInt();
}

void pumpEvents(const EventPump &pump)
{
    if (pump)
        pump();
}

// A sound whose .wav or .prm is a link is left out whole.
void leaveOutLinkedNumbers(const QStringList &links, FolderEntries &prm, FolderEntries &audio)
{
    QSet<int> linked;
    for (const QString &link : links)
        linked.insert(entryNumber(link.mid(link.lastIndexOf(QLatin1Char('/')) + 1)));
    for (FolderEntries *list : {&prm, &audio}) {
        list->erase(std::remove_if(list->begin(), list->end(),
                                   [&linked](const FolderEntry &e) { return linked.contains(entryNumber(e.name)); }),
                    list->end());
    }
}

// The entries of a listing but its links, which are appended to `links`.
FolderEntries withoutLinks(FolderEntries entries, QStringList &links)
{
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [&links](const FolderEntry &e) {
                                     if (e.isLink())
                                         links << e.path;
                                     return e.isLink();
                                 }),
                  entries.end());
    return entries;
}

// Where a folder stands: its device and inode.
struct FolderId {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FolderId &o) const { return device == o.device && inode == o.inode; }
};

FolderId idOf(const ztplatform::OpenFolder &folder)
{
    struct stat st;
    return folder.isOpen() && folder.disk().stat(folder.fd(), &st) == 0 ? FolderId{st.st_dev, st.st_ino} : FolderId();
}

// The numbered wave folders, each opened below the folder that holds it
// (WAV_DATA or WAV_PRM), which is reached once from the pad's admitted root.
// What was opened is known by its identity, so that the end of the read can
// tell whether the same folders still stand at their paths.
class WaveFolders
{
public:
    explicit WaveFolders(const ztplatform::FolderAnchor &root)
        : m_root(root)
    {
    }

    // The numbered folder at `path`; not open when the folder listed no
    // longer stands there (another pad, a link, another volume, or nothing).
    ztplatform::OpenFolder open(const QString &path)
    {
        const int slash = path.lastIndexOf(QLatin1Char('/'));
        const QString holder = path.left(slash), name = path.mid(slash + 1);
        auto it = m_holders.find(holder);
        if (it == m_holders.end()) {
            ztplatform::OpenFolder opened = m_root.openFolder(holder);
            if (!opened.isOpen())
                return ztplatform::OpenFolder();
            it = m_holders.emplace(holder, std::move(opened)).first;
        }
        ztplatform::OpenFolder folder = ztplatform::openFolderBelow(it->second.fd(), name, nullptr, &it->second.disk());
        if (folder.isOpen())
            m_read.append({holder, name, idOf(folder)});
        return folder;
    }

    // True when the pad's root is still admitted and every folder read still
    // stands at its path.
    bool stillAtTheirPaths() const
    {
        std::map<QString, ztplatform::OpenFolder> now;
        for (const auto &held : m_holders) {
            ztplatform::OpenFolder again = m_root.openFolder(held.first);
            if (!again.isOpen() || !(idOf(again) == idOf(held.second)))
                return false;
            now.emplace(held.first, std::move(again));
        }
        for (const Read &read : m_read) {
            struct stat st;
            const QByteArray name = QFile::encodeName(read.name);
            const ztplatform::OpenFolder &holder = now.at(read.holder);
            if (holder.disk().statAt(holder.fd(), name, &st, AT_SYMLINK_NOFOLLOW) != 0
                || !(FolderId{st.st_dev, st.st_ino} == read.id))
                return false;
        }
        return true;
    }

private:
    struct Read {
        QString holder, name;
        FolderId id;
    };
    ztplatform::FolderAnchor m_root;
    std::map<QString, ztplatform::OpenFolder> m_holders; // by path
    QVector<Read> m_read;
};

void fail(PadSounds &result, const QString &title, const QString &text)
{
    result.ok = false;
    result.waveLoadKitAttrList.clear();
    result.messages = {DeviceMessage{title, text}};
}

} // namespace

QString adjustPadSoundName(QString name, int waveNo, bool *counted)
{
    if (name.startsWith(QLatin1Char('/')))
        name.remove(0, 1);
    if (name.contains(QLatin1String(".wav")))
        name.truncate(name.lastIndexOf(QLatin1Char('.')));
    QString fit = namerules::asciiSoundName(name);
    if (fit.isEmpty()) // the pad's numbers are its own: no other sound takes this one
        fit = QStringLiteral("SOUND~%1").arg(waveNo, 5, 10, QLatin1Char('0'));
    *counted = fit != name;
    return fit;
}

namespace {

// The first audio entry of each number.
QHash<int, FolderEntry> audioByNumber(const FolderEntries &audioEntries)
{
    QHash<int, FolderEntry> audio;
    for (const FolderEntry &e : audioEntries) {
        const int r = entryNumber(e.name);
        if (!audio.contains(r))
            audio.insert(r, e);
    }
    return audio;
}

// Why a file of the pad's sound folders is left out.
const char *const NO_WAV = QT_TRANSLATE_NOOP("MainWindow1", "Sound %1 (%2): it has no .wav file.");
const char *const NO_PRM = QT_TRANSLATE_NOOP("MainWindow1", "Sound %1 (%2): it has no .prm file.");
const char *const PRM_NOT_A_FILE =
        QT_TRANSLATE_NOOP("MainWindow1", "Sound %1 (%2): its .prm file is not a regular file.");
const char *const WAV_A_FOLDER = QT_TRANSLATE_NOOP("MainWindow1", "Sound %1 (%2): a folder stands at its name.");
const char *const WAV_NOT_A_FILE = QT_TRANSLATE_NOOP("MainWindow1", "Sound %1 (%2): it is not a regular file.");

// A line naming a file of the pad's sound folders left out of the list.
QString leftOutLine(int folder, const FolderEntry &entry, const char *why)
{
    const QString path = QDir::toNativeSeparators(entry.path);
    bool numbered = false;
    const int r = QFileInfo(entry.name).completeBaseName().toInt(&numbered);
    if (!numbered)
        return DeviceText::tr("%1: not named as a sound.").arg(path);
    return DeviceText::tr(why).arg(padtree::waveNumberFromLocation(folder, r)).arg(path);
}

enum class PrmRead { Read, NotRegular, Failed };

// The first bytes of the record at `name`, opened through its folder without
// following a link or waiting on a pipe, and read only when the open file is
// a regular one.
PrmRead readPrm(const ztplatform::OpenFolder &folder, const QString &name, QByteArray &bytes)
{
    ztplatform::Descriptor fd(folder.openEntry(name, O_RDONLY | O_NONBLOCK));
    if (!fd.isOpen())
        return errno == ELOOP ? PrmRead::NotRegular : PrmRead::Failed;
    struct stat st;
    if (folder.disk().stat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return PrmRead::NotRegular;
    const qint64 wanted = qBound<qint64>(waveprm::PRM_RECORD_SIZE, qint64(st.st_size), 1 << 20);
    return ztplatform::readStart(folder.disk(), fd.get(), wanted, &bytes) ? PrmRead::Read : PrmRead::Failed;
}

// The entries of the numbered folder at `path` (none for an empty path), its
// links appended to `links`; false when the folder listed no longer stands
// there.
bool listFolder(WaveFolders &folders, const QString &path, ztplatform::OpenFolder &folder, FolderEntries &entries,
                QStringList &links)
{
    if (path.isEmpty())
        return true;
    folder = folders.open(path);
    if (!folder.isOpen())
        return false;
    entries = withoutLinks(padtree::listEntriesAndLinks(folder, path), links);
    return true;
}

// Reads the records of one WAV_PRM folder and pairs each with its audio file
// (each audio file taken once, over all folders) into result.waveAttrList.
// A file without its partner, or a partner that is no regular file, is left
// out and named in result.leftOut. False when the read ends: result then
// holds the failure, or padChanged is set.
bool readFolder(WaveFolders &folders, const QString &prmFolder, const QString &audioFolder,
                QSet<QString> &pairedAudio, PadSounds &result, const EventPump &pump)
{
    const int folder = QFileInfo(prmFolder.isEmpty() ? audioFolder : prmFolder).fileName().toInt();
    QStringList links;
    ztplatform::OpenFolder prm, data;
    FolderEntries prmEntries, audioEntries;
    if (!listFolder(folders, prmFolder, prm, prmEntries, links)
        || !listFolder(folders, audioFolder, data, audioEntries, links)) {
        result.padChanged = true;
        return false;
    }
    if (!links.isEmpty())
        leaveOutLinkedNumbers(links, prmEntries, audioEntries);
    result.linksLeftOut << links;
    const QHash<int, FolderEntry> audioFiles = audioByNumber(audioEntries);
    QSet<QString> named;
    const QString prmBelowModel = QFileInfo(QFileInfo(prmFolder).absolutePath()).fileName() + QLatin1Char('/')
                                  + QFileInfo(prmFolder).fileName() + QLatin1Char('/');

    for (const FolderEntry &entry : qAsConst(prmEntries)) {
        pumpEvents(pump);
        const auto at = audioFiles.constFind(entryNumber(entry.name));
        QByteArray bytes;
        const PrmRead read = at == audioFiles.constEnd() || !entry.isFile() ? PrmRead::NotRegular
                                                                            : readPrm(prm, entry.name, bytes);
        if (read == PrmRead::Failed) {
            fail(result, DeviceText::tr("Warning"), DeviceText::tr("Read wave prm file failed, import failed."));
            return false;
        }
        if (read == PrmRead::NotRegular) {
            const bool noAudio = at == audioFiles.constEnd();
            if (!noAudio)
                named << QDir::toNativeSeparators(at->path); // left out with its record, named once
            result.leftOut << leftOutLine(folder, entry, noAudio ? NO_WAV : PRM_NOT_A_FILE);
            continue;
        }
        const QString audio = QDir::toNativeSeparators(at->path);
        result.prmRecords.append({prmBelowModel + entry.name, bytes});
        const waveprm::PrmRecord rec = waveprm::parseRecord(bytes.left(waveprm::PRM_RECORD_SIZE));
        if (rec.waveNo > WAVE_MAX_COUNT) {
            fail(result, DeviceText::tr("Error"), DeviceText::tr("The number of sound can not exceed 9999."));
            return false;
        }
        if (rec.waveNo == 0) {
            qDebug() << "record without a wave number skipped:" << entry.path;
            named << audio;
            continue;
        }
        bool counted = false;
        const QString name = adjustPadSoundName(
                percussionpadfile::charArray2String(rec.nameField.constData(), SOUND_NAME_LENGTH_MAX), rec.waveNo,
                &counted);
        if (counted)
            result.renamedNumbers << rec.waveNo;

        if (!at->isFile()) {
            named << audio;
            result.leftOut << leftOutLine(folder, *at, at->isDir() ? WAV_A_FOLDER : WAV_NOT_A_FILE);
            continue;
        }
        if (pairedAudio.contains(audio)) {
            qDebug() << "audio file already taken by another record:" << entry.path;
            continue;
        }
        pairedAudio.insert(audio);
        result.waveAttrList.append(setupfiles::soundRecord(name, audio, quint16(rec.waveNo - 1), rec.wave_lock,
                                                           rec.start_cluster, rec.wave_length, rec.wave_start,
                                                           rec.wave_end));
    }
    // Audio files no record was paired with.
    for (const FolderEntry &entry : qAsConst(audioEntries)) {
        const QString audio = QDir::toNativeSeparators(entry.path);
        if (!pairedAudio.contains(audio) && !named.contains(audio))
            result.leftOut << leftOutLine(folder, entry, NO_PRM);
    }
    return true;
}

// The working list in ascending numbers; records sharing a number keep
// their own paths and reading order, and their number is noted once.
void fillWorkingList(PadSounds &result)
{
    QVector<int> order(result.waveAttrList.size());
    for (int i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&result](int a, int b) {
        return result.waveAttrList.at(a).wave_No < result.waveAttrList.at(b).wave_No;
    });
    result.waveLoadKitAttrList.reserve(order.size());
    for (int i : qAsConst(order)) {
        const SOUND_INDEX &read = result.waveAttrList.at(i);
        SOUND_INDEX s;
        std::copy(read.wave_name, read.wave_name + SOUND_NAME_LENGTH_MAX, s.wave_name);
        s.file = read.file;
        s.wave_No = quint16(read.wave_No + 1);
        s.wave_lock = read.wave_lock;
        const int n = s.wave_No;
        if (!result.waveLoadKitAttrList.isEmpty() && result.waveLoadKitAttrList.last().wave_No == n
            && (result.duplicateNumbers.isEmpty() || result.duplicateNumbers.last() != n))
            result.duplicateNumbers << n;
        result.waveLoadKitAttrList.append(s);
    }
}

// A sound whose name a sound of a lower number holds takes a unique one, in
// both lists.
void makeNamesUnique(PadSounds &result, const std::shared_ptr<ztplatform::FolderFence> &fence,
                     const std::shared_ptr<ztplatform::SilentFiles> &silent)
{
    namerules::NamesInUse inUse;
    setupfiles::SoundBytes bytes(ztplatform::orNewSilentFiles(silent), setupfiles::SoundBytes::Locate(),
                                 ztplatform::Waiter(), fence);
    QHash<QString, QString> renamed; // file -> its unique name
    for (SOUND_INDEX &s : result.waveLoadKitAttrList) {
        const QString name = percussionpadfile::charArray2String(s.wave_name, SOUND_NAME_LENGTH_MAX);
        const QString unique = namerules::uniqueSoundName(
                name, s.file, inUse, [&](const QString &holder) { return bytes.same(holder, s.file); });
        inUse.add(unique, s.file);
        if (unique == name)
            continue;
        percussionpadfile::str2CharArray(unique, s.wave_name, SOUND_NAME_LENGTH_MAX);
        renamed.insert(s.file, unique);
        result.madeUnique.append({name, unique, true});
    }
    if (renamed.isEmpty())
        return;
    for (SOUND_INDEX &s : result.waveAttrList) {
        const auto it = renamed.constFind(s.file);
        if (it != renamed.constEnd())
            percussionpadfile::str2CharArray(it.value(), s.wave_name, SOUND_NAME_LENGTH_MAX);
    }
}

// The files left out, the rename, the unique names and the duplicate
// warnings, in that order.
void addWarnings(PadSounds &result)
{
    if (!result.leftOut.isEmpty()) {
        constexpr int shown = 30;
        QStringList lines = result.leftOut.mid(0, shown);
        if (result.leftOut.size() > shown)
            lines << QStringLiteral("...");
        lines.prepend(
                DeviceText::tr("These sounds of the sampler pad were left out; the other sounds were loaded:"));
        result.messages << DeviceMessage{DeviceText::tr("Warning"), lines.join(QStringLiteral("\r\n"))};
    }
    if (!result.renamedNumbers.isEmpty())
        result.messages << numbersWarning(
                DeviceText::tr("The "), result.renamedNumbers,
                DeviceText::tr("item is automatically renamed, as it exceeds 16 characters or ends with special symbol."),
                DeviceText::tr("item are automatically renamed, as they exceed 16 characters or end with special "
                               "symbol."));
    if (!result.madeUnique.isEmpty()) {
        DeviceMessage unique{DeviceText::tr("Warning"), QString()};
        unique.text = namerules::nameChangesText(
                QString(),
                DeviceText::tr("These sounds of the sampler pad had the name of another of its sounds and were "
                               "given a number:"),
                result.madeUnique, 25, &unique.details);
        result.messages << unique;
    }
    if (!result.duplicateNumbers.isEmpty()) {
        QStringList lines;
        for (int n : qAsConst(result.duplicateNumbers)) {
            qWarning() << "wave number" << n << "is stored by more than one record";
            lines << DeviceText::tr("The sound of number ") + QString::number(n)
                            + DeviceText::tr(" is stored more than once on the sampler pad.");
        }
        result.messages << DeviceMessage{DeviceText::tr("Warning"), lines.join(QStringLiteral("\r\n"))};
    }
}

} // namespace

PadSounds padChangedWhileRead(bool away)
{
    PadSounds result;
    result.padChanged = true;
    fail(result, DeviceText::tr("Error"),
         away ? DeviceText::tr("The 350 device was disconnected.")
              : DeviceText::tr("The sampler pad at the drive changed while it was read: another pad or "
                               "other folders stand at its place. Nothing was taken from it."));
    return result;
}

PadSounds readPadSounds(const ztplatform::FolderAnchor &root, const QVector<QString> &waveDataList,
                        const QVector<QString> &wavePrmList, const EventPump &pump,
                        const std::shared_ptr<ztplatform::FolderFence> &fence,
                        const std::shared_ptr<ztplatform::SilentFiles> &silent)
{
    PadSounds result;
    // Audio folders are paired with parameter folders by name.
    QHash<QString, QString> audioFolders;
    for (const QString &folder : waveDataList)
        audioFolders.insert(QFileInfo(folder).fileName(), folder);

    WaveFolders folders(root);
    QSet<QString> pairedAudio;
    bool read = true;
    for (int i = 0; read && i < wavePrmList.size(); ++i) {
        pumpEvents(pump);
        const QString &prmFolder = wavePrmList.at(i);
        read = readFolder(folders, prmFolder, audioFolders.take(QFileInfo(prmFolder).fileName()), pairedAudio,
                          result, pump);
    }
    // Audio folders without a parameter folder of their name hold no pair.
    for (int i = 0; read && i < waveDataList.size(); ++i) {
        if (audioFolders.contains(QFileInfo(waveDataList.at(i)).fileName()))
            read = readFolder(folders, QString(), waveDataList.at(i), pairedAudio, result, pump);
    }
    // What was read is the loaded pad's only when the same folders still
    // stand at the paths the sounds are known by.
    if (!result.padChanged && !folders.stillAtTheirPaths())
        result.padChanged = true;
    if (result.padChanged)
        return padChangedWhileRead(padtree::padAway(root));
    if (!read)
        return result;
    fillWorkingList(result);
    makeNamesUnique(result, fence, silent);
    addWarnings(result);
    result.ok = !result.waveLoadKitAttrList.isEmpty();
    return result;
}
