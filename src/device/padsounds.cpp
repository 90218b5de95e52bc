#include "device/padsounds.h"

#include "device/devicemessage.h"
#include "device/padpaths.h"
#include "device/waveprm.h"
#include "model/namerules.h"
#include "platform/regularfile.h"
#include "kitfile/soundbytes.h"
#include "kitfile/soundsin.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

using SOUND_INDEX = MainWindow1Records::SOUND_INDEX;

// The number of a listed entry: its name before the last dot; 0 when that
// is no number.
int entryNumber(const QFileInfo &fi)
{
    return fi.completeBaseName().toInt();
}

void pumpEvents(const EventPump &pump)
{
    if (pump)
        pump();
}

// A sound whose .wav or .prm is a link is left out whole.
void leaveOutLinkedNumbers(const QStringList &links, QFileInfoList &prm, QFileInfoList &audio)
{
    QSet<int> linked;
    for (const QString &link : links)
        linked.insert(entryNumber(QFileInfo(link)));
    for (QFileInfoList *list : {&prm, &audio}) {
        list->erase(std::remove_if(list->begin(), list->end(),
                                   [&linked](const QFileInfo &fi) { return linked.contains(entryNumber(fi)); }),
                    list->end());
    }
}

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

// The first audio entry of each number, as native paths.
QHash<int, QString> audioByNumber(const QFileInfoList &audioEntries)
{
    QHash<int, QString> audio;
    for (const QFileInfo &fi : audioEntries) {
        const int r = entryNumber(fi);
        if (!audio.contains(r))
            audio.insert(r, QDir::toNativeSeparators(fi.absoluteFilePath()));
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
QString leftOutLine(int folder, const QFileInfo &entry, const char *why)
{
    const QString path = QDir::toNativeSeparators(entry.absoluteFilePath());
    bool numbered = false;
    const int r = entry.completeBaseName().toInt(&numbered);
    if (!numbered)
        return DeviceText::tr("%1: not named as a sound.").arg(path);
    return DeviceText::tr(why).arg(padtree::waveNumberFromLocation(folder, r)).arg(path);
}

// Reads the records of one WAV_PRM folder and pairs each with its audio file
// (each audio file taken once, over all folders) into result.waveAttrList.
// A file without its partner, or a partner that is no regular file, is left
// out and named in result.leftOut. False when the read ends: result then
// holds the failure.
bool readFolder(const QString &prmFolder, const QString &audioFolder, QSet<QString> &pairedAudio,
                PadSounds &result, const EventPump &pump)
{
    const int folder = QFileInfo(prmFolder.isEmpty() ? audioFolder : prmFolder).fileName().toInt();
    QStringList links;
    QFileInfoList prmEntries =
            prmFolder.isEmpty() ? QFileInfoList() : padtree::listEntries(prmFolder, false, &links, true);
    QFileInfoList audioEntries =
            audioFolder.isEmpty() ? QFileInfoList() : padtree::listEntries(audioFolder, false, &links, true);
    if (!links.isEmpty())
        leaveOutLinkedNumbers(links, prmEntries, audioEntries);
    result.linksLeftOut << links;
    const QHash<int, QString> audioFiles = audioByNumber(audioEntries);
    QSet<QString> named;
    const QString prmBelowModel = QFileInfo(QFileInfo(prmFolder).absolutePath()).fileName() + QLatin1Char('/')
                                  + QFileInfo(prmFolder).fileName() + QLatin1Char('/');

    for (const QFileInfo &entry : prmEntries) {
        pumpEvents(pump);
        const QString audio = audioFiles.value(entryNumber(entry));
        if (audio.isEmpty() || !entry.isFile()) {
            result.leftOut << leftOutLine(folder, entry, audio.isEmpty() ? NO_WAV : PRM_NOT_A_FILE);
            continue;
        }
        QFile f;
        if (!ztplatform::openRegularFile(entry.absoluteFilePath(), f)) {
            fail(result, DeviceText::tr("Warning"), DeviceText::tr("Read wave prm file failed, import failed."));
            return false;
        }
        const QByteArray bytes = f.read(qBound<qint64>(waveprm::PRM_RECORD_SIZE, f.size(), 1 << 20));
        f.close();
        result.prmRecords.append({prmBelowModel + entry.fileName(), bytes});
        const waveprm::PrmRecord rec = waveprm::parseRecord(bytes.left(waveprm::PRM_RECORD_SIZE));
        if (rec.waveNo > WAVE_MAX_COUNT) {
            fail(result, DeviceText::tr("Error"), DeviceText::tr("The number of sound can not exceed 9999."));
            return false;
        }
        if (rec.waveNo == 0) {
            qDebug() << "record without a wave number skipped:" << entry.absoluteFilePath();
            named << audio;
            continue;
        }
        bool counted = false;
        const QString name = adjustPadSoundName(
                MainWindow1Records::charArray2String(rec.nameField.constData(), SOUND_NAME_LENGTH_MAX), rec.waveNo,
                &counted);
        if (counted)
            result.renamedNumbers << rec.waveNo;

        if (!ztplatform::isRegularFile(audio)) {
            const QFileInfo at(audio);
            named << QDir::toNativeSeparators(at.absoluteFilePath());
            result.leftOut << leftOutLine(folder, at, at.isDir() ? WAV_A_FOLDER : WAV_NOT_A_FILE);
            continue;
        }
        if (pairedAudio.contains(audio)) {
            qDebug() << "audio file already taken by another record:" << entry.absoluteFilePath();
            continue;
        }
        pairedAudio.insert(audio);
        result.waveAttrList.append(setupfiles::soundRecord(name, audio, quint16(rec.waveNo - 1), rec.wave_lock,
                                                           rec.start_cluster, rec.wave_length, rec.wave_start,
                                                           rec.wave_end));
    }
    // Audio files no record was paired with.
    for (const QFileInfo &entry : qAsConst(audioEntries)) {
        const QString audio = QDir::toNativeSeparators(entry.absoluteFilePath());
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
void makeNamesUnique(PadSounds &result)
{
    namerules::NamesInUse inUse;
    setupfiles::SoundBytes bytes;
    QHash<QString, QString> renamed; // file -> its unique name
    for (SOUND_INDEX &s : result.waveLoadKitAttrList) {
        const QString name = MainWindow1Records::charArray2String(s.wave_name, SOUND_NAME_LENGTH_MAX);
        const QString unique = namerules::uniqueSoundName(
                name, s.file, inUse, [&](const QString &holder) { return bytes.same(holder, s.file); });
        inUse.add(unique, s.file);
        if (unique == name)
            continue;
        MainWindow1Records::str2CharArray(unique, s.wave_name, SOUND_NAME_LENGTH_MAX);
        renamed.insert(s.file, unique);
        result.madeUnique.append({name, unique, true});
    }
    if (renamed.isEmpty())
        return;
    for (SOUND_INDEX &s : result.waveAttrList) {
        const auto it = renamed.constFind(s.file);
        if (it != renamed.constEnd())
            MainWindow1Records::str2CharArray(it.value(), s.wave_name, SOUND_NAME_LENGTH_MAX);
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

PadSounds readPadSounds(const QVector<QString> &waveDataList, const QVector<QString> &wavePrmList,
                        const EventPump &pump)
{
    PadSounds result;
    // Audio folders are paired with parameter folders by name.
    QHash<QString, QString> audioFolders;
    for (const QString &folder : waveDataList)
        audioFolders.insert(QFileInfo(folder).fileName(), folder);

    QSet<QString> pairedAudio;
    for (const QString &prmFolder : wavePrmList) {
        pumpEvents(pump);
        if (!readFolder(prmFolder, audioFolders.take(QFileInfo(prmFolder).fileName()), pairedAudio, result, pump))
            return result;
    }
    // Audio folders without a parameter folder of their name hold no pair.
    for (const QString &folder : waveDataList) {
        if (audioFolders.contains(QFileInfo(folder).fileName()))
            readFolder(QString(), folder, pairedAudio, result, pump);
    }
    fillWorkingList(result);
    makeNamesUnique(result);
    addWarnings(result);
    result.ok = !result.waveLoadKitAttrList.isEmpty();
    return result;
}
