#include "setup/importsetupjob.h"

#include "setup/loadnotices.h"

#include <QCoreApplication>

using setupfiles::LoadError;

namespace {

constexpr int kSteps = 4;

} // namespace

ImportSetupJob::ImportSetupJob(KitDocument &doc, SoundLibrary &library, setupjob::Questions &questions,
                               setupjob::Progress progress)
    : m_doc(doc), m_library(library), m_questions(questions), m_progress(std::move(progress))
{
}

bool ImportSetupJob::run(const QString &path, const Redraws &redraws)
{
    if (!read(path))
        return false;
    clear();
    if (redraws.cleared)
        redraws.cleared();
    takeTables();
    if (!takeSounds(path, &m_rec.info))
        return false;
    if (redraws.soundsTaken)
        redraws.soundsTaken();
    if (takeKits(&m_rec.info, m_sounds.waves, redraws.kitTaking) && redraws.kitsTaken)
        redraws.kitsTaken();
    if (redraws.modelRead)
        redraws.modelRead(m_rec.info);
    finish();
    return true;
}

void ImportSetupJob::step(int done)
{
    if (m_progress)
        m_progress(done, kSteps);
}

bool ImportSetupJob::read(const QString &path)
{
    m_path = path;
    const LoadError err = setupfiles::readWholeSetupFile(path, m_rec, m_tables, &m_globalSize, &m_clicks);
    if (err != LoadError::None) {
        setupjob::noteNotRead(m_result, err, path, true);
        return false;
    }
    step(1);
    return true;
}

void ImportSetupJob::clear()
{
    m_library.recordKitFileList.clear();
    m_library.recordKitIndexList.clear();
    m_library.loadedKitFiles.clear();
    m_library.sharedSounds.clear();
    m_library.clickSetList.clear();
    m_library.loadClickFlag = false;
    m_library.clickDeviceFlag = false;
    m_library.waveLoadKitAttrList.clear();
    m_doc.kitIndexList.clear();
    for (QVector<KitDocument::KIT_PAD_SETTING> &pads : m_doc.kitPadList)
        pads.clear();
    m_doc.kitAttrList.clear();
}

void ImportSetupJob::takeTables()
{
    m_tables.copyTo(m_doc.base0, m_doc.pedal0, m_doc.pad0);
    m_rec.info.kitChunk.baseChunk = m_doc.base0;
    m_rec.info.kitChunk.pedalChunk = m_doc.pedal0;
    m_rec.info.kitChunk.kpadChunk = m_doc.pad0;
    m_doc.globalSize = m_globalSize;
    m_library.loadClickFlag = m_clicks;
}

bool ImportSetupJob::takeSounds(const QString &file, percussionpadfile *pf)
{
    m_library.clickList.clear();
    m_sounds = setupfiles::WholeSetupSounds();
    if (!pf)
        return false;
    setupfiles::WholeSetupSounds got;
    const LoadError err = setupfiles::takeWholeSetupSounds(file, *pf, got);
    if (err != LoadError::None) {
        setupjob::noteNotRead(m_result, err, file, true);
        return false;
    }
    m_doc.cf.soundChunk.soundCount = pf->soundChunk.soundCount;
    QVector<SOUND_INDEX> &list = m_library.waveLoadKitAttrList;
    list.reserve(list.size() + got.waves.size());
    for (SOUND_INDEX s : qAsConst(got.waves)) {
        ++s.wave_No;
        list.append(s);
    }
    m_library.clickSetList += got.clicks;
    m_library.clickList = got.clickList;
    m_library.showLoadedClickSounds();
    setupjob::noteRenamedSounds(m_result, {{file, got.renamed}});
    m_sounds = std::move(got);
    step(2);
    return true;
}

bool ImportSetupJob::takeKits(percussionpadfile *pf, const QVector<SOUND_INDEX> &waves, const KitTaking &kitTaking)
{
    m_doc.kitMaxList.clear();
    if (!setupfiles::hasKitTables(pf))
        return false;
    const int count = qMin(int(pf->kitChunk.kit_count), KIT_MAX_COUNT);
    const QHash<quint16, int> byNumber = setupfiles::lastByNumber(waves);
    for (int k = 0; k < count; ++k) {
        setupfiles::LoadedKit lk = setupfiles::kitFromFile(*pf, k, pf->kitChunk.baseChunk[k].kit_no + 1, true);
        setupfiles::resolveByNumber(lk.kit, waves, byNumber);
        if (kitTaking)
            kitTaking(k, lk);
        m_doc.takeLoadedKit(k, lk);
    }
    setupjob::noteRenamedKits(m_result, m_doc.kitMaxList);
    step(3);
    return true;
}

void ImportSetupJob::finish()
{
    m_library.loadedKitFiles.append(std::move(m_rec));
    m_library.binFilePath = m_path;
    setupjob::FileResult f;
    f.path = m_path;
    f.outcome = setupjob::FileOutcome::Read;
    m_result.files.append(f);
    step(kSteps);
}
