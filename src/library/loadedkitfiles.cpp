// The kit files loaded in this run, the picks of an import and the sounds
// the list holds once for several kit files.
#include "library/soundlibrary.h"

#include "kitfile/kitfiles.h"

#include <QDir>

void SoundLibrary::beginSetupLoad()
{
    touchFiles();
    const Edit edit(this, Sounds | Clicks);
    m_recordKitFileList.clear();
    m_recordKitIndexList.clear();
    m_loadedKitFiles.clear();
    m_sharedSounds.clear();
    m_clickSetList.clear();
    m_loadClickFlag = false;
    m_clickDeviceFlag = false;
    m_waveLoadKitAttrList.clear();
}

void SoundLibrary::noteSetupClicks(bool clicksFirst)
{
    touchFiles();
    m_loadClickFlag = clicksFirst;
}

void SoundLibrary::takeSetupSounds(const QVector<SOUND_INDEX> &waves, const QVector<SOUND_INDEX> &clicks,
                                   const QVector<SOUND_LIST_INFO> &clickList)
{
    const Edit edit(this, Sounds | Clicks);
    m_waveLoadKitAttrList.reserve(m_waveLoadKitAttrList.size() + waves.size());
    for (SOUND_INDEX s : waves) {
        ++s.wave_No;
        m_waveLoadKitAttrList.append(s);
    }
    m_clickSetList += clicks;
    m_clickList = clickList;
    showLoadedClickSounds();
}

void SoundLibrary::noteSetupFile(const QString &path)
{
    touchFiles();
    m_binFilePath = path;
}

const SoundLibrary::READ_KIT_FILE &SoundLibrary::addLoadedKitFile(READ_KIT_FILE file)
{
    touchFiles();
    m_loadedKitFiles.append(std::move(file));
    return m_loadedKitFiles.constLast();
}

void SoundLibrary::takeLoadedSetup(READ_KIT_FILE file, const QString &path)
{
    touchFiles();
    m_loadedKitFiles.append(std::move(file));
    m_binFilePath = path;
}

void SoundLibrary::forgetLoadedKitFile(int index)
{
    touchFiles();
    if (index >= 0 && index < m_loadedKitFiles.size())
        m_loadedKitFiles.remove(index);
}

QHash<int, QString> SoundLibrary::takeKitFileSounds(const QString &file, QVector<SOUND_INDEX> &sounds,
                                                    const ztplatform::Waiter &wait)
{
    touchFiles();
    const Edit edit(this, Sounds);
    const QHash<int, QString> same =
            m_sharedSounds.match(file, sounds, m_waveLoadKitAttrList, m_loadedKitFiles, m_silent, wait, m_fence);
    namerules::NamesInUse inUse = soundNamesInUse();
    setupfiles::SoundBytes bytes = soundBytes();
    for (int i = 0; i < sounds.size(); ++i) {
        SOUND_INDEX &s = sounds[i];
        if (same.contains(i)) {
            m_sharedSounds.addTwin(s.file, same.value(i));
            continue;
        }
        const QString name = percussionpadfile::charArray2String(s.wave_name, SOUND_NAME_LENGTH_MAX);
        const setupfiles::SoundBytes::Place place{file, s.wave_start, s.wave_length};
        const QString unique = namerules::uniqueSoundName(name, s.file, inUse, [&](const QString &holder) {
            return bytes.same(holder, place);
        });
        inUse.add(unique, s.file);
        if (unique != name)
            percussionpadfile::str2CharArray(unique, s.wave_name, SOUND_NAME_LENGTH_MAX);
        m_waveLoadKitAttrList.append(s);
    }
    return same;
}

QHash<QString, QString> SoundLibrary::handOverSharedSounds(const setupfiles::StoredIn &leaving)
{
    touchFiles();
    const QHash<QString, QString> moved = m_sharedSounds.handOverWhere(leaving);
    m_sharedSounds.forget(leaving);
    return moved;
}

QHash<QString, QString> SoundLibrary::handOverSharedSoundsWhere(const std::function<bool(const QString &)> &leaving)
{
    // Handed over on a copy first: a look that moves nothing changes nothing the steps keep.
    setupfiles::SharedSounds after = m_sharedSounds;
    const QHash<QString, QString> moved = after.handOverWhere(leaving);
    if (moved.isEmpty())
        return moved;
    touchFiles();
    m_sharedSounds = after;
    return moved;
}

void SoundLibrary::forgetKitFiles(const QStringList &files)
{
    touchFiles();
    for (const QString &file : files)
        m_sharedSounds.forget(setupfiles::StoredIn(QDir::toNativeSeparators(file)));
    for (int i = m_loadedKitFiles.size() - 1; i >= 0; --i) {
        if (files.contains(QDir::fromNativeSeparators(m_loadedKitFiles.at(i).file)))
            m_loadedKitFiles.remove(i);
    }
    for (int i = m_recordKitFileList.size() - 1; i >= 0; --i) {
        if (files.contains(QDir::fromNativeSeparators(m_recordKitFileList.at(i))))
            dropRecordedKitFile(i);
    }
    if (files.contains(QDir::fromNativeSeparators(m_binFilePath)))
        m_binFilePath.clear();
}

void SoundLibrary::clearImportPicks()
{
    touchFiles();
    m_globalFilePath.clear();
    m_kitFileList.clear();
}

void SoundLibrary::clearKitFilePicks()
{
    touchFiles();
    m_kitFileList.clear();
}

void SoundLibrary::pickGlobalFile(const QString &path)
{
    touchFiles();
    m_globalFilePath = path;
}

void SoundLibrary::pickKitFile(const QString &path)
{
    touchFiles();
    m_kitFileList.append(path);
}

void SoundLibrary::globalFileTaken()
{
    touchFiles();
    m_globalFilePath.clear();
}

void SoundLibrary::recordKitFile(const QString &path, int kit)
{
    touchFiles();
    m_recordKitFileList.append(path);
    m_recordKitIndexList.append(kit);
}

void SoundLibrary::replaceRecordedKitFile(int index, const QString &path, int kit)
{
    touchFiles();
    if (index < 0 || index >= m_recordKitFileList.size())
        return;
    m_recordKitFileList[index] = path;
    if (index < m_recordKitIndexList.size())
        m_recordKitIndexList[index] = kit;
}

void SoundLibrary::dropRecordedKitFile(int index)
{
    touchFiles();
    if (index < 0 || index >= m_recordKitFileList.size())
        return;
    m_recordKitFileList.removeAt(index);
    if (index < m_recordKitIndexList.size())
        m_recordKitIndexList.remove(index);
}
