#include "device/padsession.h"

#include "device/padpaths.h"
#include "device/padtree.h"
#include "device/usbupdate.h"
#include "device/waveslots.h"
#include "platform/regularfile.h"
#include "platform/volumeidentity.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

bool PadSession::getRootDirPath(const QString &modelFolder, DeviceMessage *warning)
{
    linksLeftOut.clear();
    const bool ok = padtree::getRootDirPath(modelFolder, *this, warning);
    padLinksLeftOut << linksLeftOut;
    return ok;
}

bool PadSession::judgeFourFile(DeviceMessage *warning)
{
    linksLeftOut.clear();
    const bool ok = padtree::judgeFourFile(*this, warning);
    padLinksLeftOut << linksLeftOut;
    return ok;
}

bool PadSession::padFoldersReady() const
{
    // Workers only ever write below the pad's own wave folders.
    return !isUDiskFlag && padtree::isUsableFolder(dataPath) && padtree::isUsableFolder(prmPath)
            && QFileInfo(dataPath).isDir() && QFileInfo(prmPath).isDir();
}

bool PadSession::drivePresent() const
{
    return writeback::padDrivePresent(currentDirPath, kitPath);
}

PadPlaces PadSession::padPlaces() const
{
    return PadPlaces{currentDirPath, sys_click_path, usbGlobalIniFile, padKitFiles};
}

PadIdentity PadSession::currentPadIdentity() const
{
    return readPadIdentity(padPlaces());
}

void PadSession::guardPad(PadIdentity loaded)
{
    loaded.kits.fill(QByteArray(), KIT_MAX_COUNT);
    for (int slot = 0; slot < KIT_MAX_COUNT && slot < padKitRecords.size(); ++slot) {
        if (!padKitFiles.value(slot).isEmpty())
            loaded.kits[slot] = kitDigest(padKitRecords.at(slot));
    }
    padGuard = std::make_shared<PadGuard>(padPlaces(), loaded);
    padRoot.setCheck(padGuard);
}

PadMatch PadSession::padCheck(bool settingsToo)
{
    return padGuard ? padGuard->check(settingsToo) : PadMatch();
}

void PadSession::padLost()
{
    qWarning() << "the pad at" << currentDirPath << "is not the one loaded";
    // Its sounds are not taken for the loaded pad's, by any later read.
    ztplatform::fenceFolder(padRoot.path());
    isUDiskFlag = true;
}

writeback::PadStop PadSession::batchStop(PadMatch *lost)
{
    using writeback::PadStop;
    // Judged again when a worker found no pad at the place.
    const bool noPad = padGuard && padGuard->check(false).verdict == PadMatch::Gone;
    *lost = padGuard ? padGuard->lost() : PadMatch();
    if (lost->another())
        return PadStop::AnotherPad;
    if (ztplatform::isReadOnlyVolume(padRoot.path()))
        return PadStop::ReadOnly;
    if (noPad || !drivePresent())
        return PadStop::Gone;
    // Back now, but not there when the batch began or while it ran.
    if (padBatchRefused || (padGuard && padGuard->takeAway()))
        return PadStop::WasAway;
    return PadStop::None;
}

writeback::WriteBackJob PadSession::writeBackJob(const KitLists &lists, bool soundsReordered,
                                                 const SoundRows &rows) const
{
    writeback::WriteBackJob job;
    job.kits = lists.kits;
    job.originalKits = lists.originalKits;
    job.chains = lists.chains;
    job.originalChains = lists.originalChains;
    job.kitFlags = lists.kitFlags;
    job.nameAdjusted = lists.nameAdjusted;
    job.kitChangedFlag = lists.kitChangedFlag;
    job.globalFlag = lists.globalFlag;
    job.wavesChanged = !addUsbWaveNumList.isEmpty() || !delUsbWaveNumList.isEmpty() || soundsReordered;
    job.kitPath = kitPath;
    job.kitFiles = padKitFiles;
    job.kitRecords = padKitRecords;
    job.globalFile = usbGlobalIniFile;
    job.chainBlock = padChainBlock;
    job.padRoot = padRoot;
    job.padGuard = padGuard; // also judges the pad before the first write
    job.driveRoot = currentDirPath;
    job.sysPath = sysPath;
    if (rows)
        job.waves = rows(writeback::soundFilesToLookUp(job));
    return job;
}

PadSession::AddPlan PadSession::beginAddBatch(const QVector<SOUND_INDEX> &records, bool ready)
{
    waveNumList.clear();
    addSoundList.clear();
    waveNameList.clear();
    failedWaveList.clear();
    // Numbers go on from the last sound before the batch (0 when there is
    // none) with the next free one: pairs the load left out keep theirs.
    const int before = records.size() - addUsbWaveList.size();
    AddPlan plan;
    plan.lastNumber = before > 0 ? records.at(before - 1).wave_No : 0;
    QSet<int> listed;
    QHash<QString, int> firstOfFile;
    for (int i = 0; i < records.size(); ++i) {
        if (i < before)
            listed.insert(records.at(i).wave_No);
        if (!firstOfFile.contains(records.at(i).file))
            firstOfFile.insert(records.at(i).file, i);
    }
    WaveSlots freeSlots(ready ? dataPath : QString(), ready ? prmPath : QString(), listed);
    for (const QString &path : qAsConst(addUsbWaveList)) {
        const int r = firstOfFile.value(path, -1);
        if (r < 0)
            continue;
        plan.lastNumber = freeSlots.nextFree(plan.lastNumber);
        const QString name = MainWindow1Records::charArray2String(records.at(r).wave_name, SOUND_NAME_LENGTH_MAX);
        waveNumList << plan.lastNumber;
        addSoundList << path;
        waveNameList << name;
        plan.sounds << SyncBatch::Sound{plan.lastNumber, path, name};
    }
    padBatchKind = SyncBatch::Adding;
    beginBatchWatch(ready);
    if (!ready) {
        for (const SyncBatch::Sound &s : qAsConst(plan.sounds))
            failedWaveList << s.waveNo;
    }
    return plan;
}

QVector<PadSession::AddedSound> PadSession::finishAddBatch()
{
    padBatchKind = SyncBatch::Idle;
    const QSet<int> failed(failedWaveList.cbegin(), failedWaveList.cend());
    QVector<AddedSound> sounds;
    int failures = 0;
    for (int i = 0; i < waveNumList.size(); ++i) {
        AddedSound s;
        s.number = waveNumList.at(i);
        s.source = addSoundList.at(i);
        s.name = waveNameList.at(i);
        s.reached = !failed.contains(s.number);
        if (s.reached) {
            s.device = dataPath + QLatin1Char('/') + padtree::waveDataRelativePath(s.number);
            s.length = quint32(QFileInfo(s.device).size());
        } else {
            ++failures;
        }
        sounds << s;
    }
    // The change file counts only the sounds that reached the pad.
    for (int extra = addUsbWaveList.size() - (waveNumList.size() - failures);
         extra > 0 && !addUsbWaveNumList.isEmpty(); --extra)
        addUsbWaveNumList.removeLast();
    failedWaveList.clear();
    return sounds;
}

void PadSession::beginDeleteBatch(bool ready)
{
    delBatchList = delUsbWaveList.toVector();
    delNotRemoved.clear();
    padBatchKind = SyncBatch::Deleting;
    beginBatchWatch(ready);
    if (!ready) {
        for (const QString &path : qAsConst(delBatchList))
            pairNotRemoved(path, UsbUpdate::PadGone);
    }
}

void PadSession::beginBatchWatch(bool ready)
{
    padBatchRefused = !ready;
    if (padGuard)
        padGuard->takeAway(); // only an absence during this batch counts
}

void PadSession::pairNotRemoved(const QString &path, int why)
{
    delNotRemoved.insert(QDir::toNativeSeparators(path), why);
}

PadSession::DeleteOutcome PadSession::finishDeleteBatch()
{
    padBatchKind = SyncBatch::Idle;
    // Only the pairs gone from the pad count as deleted; the others stay,
    // with their records.
    DeleteOutcome outcome;
    for (const QString &p : qAsConst(delBatchList)) {
        const QString native = QDir::toNativeSeparators(p);
        if (!delNotRemoved.contains(native))
            outcome.removed.insert(native);
    }
    outcome.kept = delNotRemoved;
    return outcome;
}

void PadSession::keepDeletedNumber(quint16 number)
{
    const int i = delUsbWaveNumList.lastIndexOf(number);
    if (i >= 0)
        delUsbWaveNumList.removeAt(i);
}

void PadSession::restoreDeletedRecords(QVector<SOUND_INDEX> &records)
{
    int gone = 0; // records before the one at hand that stay out
    for (const QPair<int, SOUND_INDEX> &taken : qAsConst(delBatchRecords)) {
        if (!delNotRemoved.contains(QDir::toNativeSeparators(taken.second.file))) {
            ++gone;
            continue;
        }
        const int at = qBound(0, taken.first - gone, records.size());
        records.insert(at, taken.second);
    }
    delBatchRecords.clear();
    delNotRemoved.clear();
}
