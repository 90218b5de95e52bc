#include "device/padsession.h"

#include "device/padpaths.h"
#include "device/padtree.h"
#include "device/usbupdate.h"
#include "device/waveslots.h"
#include "platform/disk.h"
#include "platform/sysio.h"
#include "platform/regularfile.h"
#include "platform/volumeidentity.h"

#include <QDebug>
#include <QDir>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

// A folder, or a link the workers refuse in their own words, stands at
// `path` below the root; the link is not followed. Another pad at the root's
// place is left to the identity check that follows, which names it.
bool standsBelow(const ztplatform::FolderAnchor &root, const QString &path)
{
    QString name;
    ztplatform::Reach reach = ztplatform::Reach::Missing;
    const ztplatform::OpenFolder holder = root.openFolderOf(path, &name, &reach);
    if (reach == ztplatform::Reach::Replaced)
        return true;
    struct stat st;
    return holder.isOpen()
            && holder.disk().statAt(holder.fd(), QFile::encodeName(name), &st, AT_SYMLINK_NOFOLLOW) == 0
            && (S_ISDIR(st.st_mode) || S_ISLNK(st.st_mode));
}

} // namespace

PadSession::PadSession(const PadSystem &system, std::shared_ptr<ztplatform::Leftovers> leftovers,
                       std::shared_ptr<ztplatform::FolderFence> fence, std::shared_ptr<ztplatform::SilentFiles> silent,
                       QObject *parent)
    : QObject(parent)
    , m_system(system)
    , m_leftovers(std::move(leftovers))
    , m_fence(fence ? std::move(fence) : std::make_shared<ztplatform::FolderFence>())
    , m_silent(ztplatform::orNewSilentFiles(std::move(silent)))
    , m_drives(std::make_shared<DriveAsk>(system.drives ? *system.drives : ztplatform::systemDriveSource()))
    , m_watch(system.drives ? *system.drives : ztplatform::systemDriveSource())
{
    connect(&m_watch, &PadWatch::stoppedAnswering, this, [this]() {
        if (m_mode == Mode::OnPad)
            emit padNotAnswering();
    });
}

void PadSession::setMode(Mode mode)
{
    if (m_mode == mode)
        return;
    m_mode = mode;
    emit modeChanged(mode);
}

void PadSession::chooseNoPad(const QString &choice)
{
    m_currentDirPath = choice;
    setMode(Mode::Offline);
}

void PadSession::beginLoad(const QString &root)
{
    m_currentDirPath = root;
    m_padLinksLeftOut.clear();
    m_watch.watch(root); // the load's looks end when its root stops answering
    setMode(Mode::Loading);
}

void PadSession::padLoaded(PadIdentity loaded)
{
    loaded.kits.fill(QByteArray(), KIT_MAX_COUNT);
    for (int slot = 0; slot < KIT_MAX_COUNT && slot < m_padKitRecords.size(); ++slot) {
        if (!m_padKitFiles.value(slot).isEmpty())
            loaded.kits[slot] = kitDigest(m_padKitRecords.at(slot));
    }
    m_padGuard = std::make_shared<PadGuard>(padPlaces(), loaded);
    m_padRoot.setCheck(m_padGuard);
    m_watch.watch(m_currentDirPath);
    setMode(Mode::OnPad);
}

void PadSession::leaveDeviceMode()
{
    // The watch goes on: the pad's files stay in the lists.
    // A lost pad stays lost.
    if (m_mode != Mode::Lost)
        setMode(Mode::Offline);
}

bool PadSession::beginClose()
{
    if (m_padClosing)
        return false;
    m_padClosing = true;
    return true;
}

void PadSession::endClose()
{
    m_padClosing = false;
}

bool PadSession::getRootDirPath(const QString &modelFolder, DeviceMessage *warning)
{
    m_tree.linksLeftOut.clear();
    // Below the pad's root once it is anchored, else below the model folder.
    const ztplatform::FolderAnchor root =
            m_padRoot.isValid() ? m_padRoot : ztplatform::FolderAnchor::record(modelFolder, m_system.disk);
    const bool ok = padtree::getRootDirPath(root, modelFolder, m_tree, warning);
    m_padLinksLeftOut << m_tree.linksLeftOut;
    return ok;
}

bool PadSession::judgeFourFile(DeviceMessage *warning)
{
    m_tree.linksLeftOut.clear();
    // Numbered folders may have emptied or filled since the last look.
    m_tree.waveDataList.clear();
    m_tree.wavePrmList.clear();
    const ztplatform::FolderAnchor root =
            m_padRoot.isValid() ? m_padRoot
                                : ztplatform::FolderAnchor::record(QFileInfo(m_tree.sysPath).path(), m_system.disk);
    const bool ok = padtree::judgeFourFile(root, m_tree, warning);
    m_padLinksLeftOut << m_tree.linksLeftOut;
    return ok;
}

void PadSession::noteLinksLeftOut(const QStringList &links)
{
    m_padLinksLeftOut << links;
}

QStringList PadSession::clickFiles()
{
    m_clickSkipped.clear();
    if (!m_clicksRead) {
        // Read again below the pad's root, when it answers.
        const ztplatform::FolderAnchor root = m_padRoot;
        const QString clickPath = m_tree.sys_click_path;
        const padtree::ClickFiles again =
                m_watch.run<padtree::ClickFiles>([root, clickPath]() { return padtree::readClickFiles(root, clickPath); })
                        .value_or(padtree::ClickFiles());
        if (again.padChanged)
            return QStringList();
        takeClickFiles(again);
    }
    const padtree::ClickFiles read = *m_clicksRead;
    m_clicksRead.reset();
    m_padLinksLeftOut << read.links;
    m_clickSkipped = read.skipped;
    return read.files;
}

void PadSession::takeTree(const PadTreePaths &tree)
{
    m_tree = tree;
    m_padLinksLeftOut << tree.linksLeftOut;
}

void PadSession::takeClickFiles(const padtree::ClickFiles &read)
{
    m_clicksRead = read;
    m_clickSizes.clear();
    for (int i = 0; i < read.files.size() && i < read.sizes.size(); ++i)
        m_clickSizes.insert(read.files.at(i), read.sizes.at(i));
}

bool PadSession::padFoldersReady() const
{
    // Workers only ever write below the pad's own wave folders.
    if (isUDiskFlag() || !padtree::isUsableFolder(m_tree.dataPath) || !padtree::isUsableFolder(m_tree.prmPath))
        return false;
    const QString data = m_tree.dataPath, prm = m_tree.prmPath;
    const ztplatform::FolderAnchor root = m_padRoot;
    return m_watch.run<bool>([root, data, prm]() { return standsBelow(root, data) && standsBelow(root, prm); })
            .value_or(false);
}

bool PadSession::drivePresent() const
{
    const QString root = m_currentDirPath, kitPath = m_tree.kitPath;
    const std::shared_ptr<const DriveAsk> source = m_drives;
    ztplatform::Disk *const disk = m_system.disk;
    return m_watch
            .run<bool>([source, root, kitPath, disk]() {
                return writeback::padDrivePresent(*source, root, kitPath, disk ? *disk : ztplatform::sysio::disk());
            })
            .value_or(false);
}

PadSession::~PadSession()
{
    m_drives->letGo();
}

VolumeDismounter &PadSession::dismounter()
{
    return m_system.dismounter ? *m_system.dismounter : m_systemDismounter;
}

PadPlaces PadSession::padPlaces() const
{
    return PadPlaces{m_currentDirPath, m_tree.sys_click_path, m_tree.usbGlobalIniFile, m_padKitFiles,
                     m_system.volumes, m_system.disk};
}

PadMatch PadSession::padCheck(bool settingsToo)
{
    if (!m_padGuard)
        return PadMatch();
    const std::shared_ptr<PadGuard> guard = m_padGuard;
    return m_watch.run<PadMatch>([guard, settingsToo]() { return guard->check(settingsToo); })
            .value_or(PadMatch{PadMatch::Gone});
}

PadMatch PadSession::lostTo() const
{
    return m_padGuard ? m_padGuard->lost() : PadMatch();
}

void PadSession::padLost()
{
    qWarning() << "the pad at" << m_currentDirPath << "is not the one loaded";
    // Its sounds are not taken for the loaded pad's, by any later read.
    m_fence->fenceFolder(m_padRoot.path());
    m_watch.watch(QString());
    setMode(Mode::Lost);
}

writeback::PadStop PadSession::batchStop(PadMatch *lost)
{
    using writeback::PadStop;
    // Judged again when a worker found no pad at the place.
    const bool noPad = m_padGuard && padCheck(false).verdict == PadMatch::Gone;
    *lost = lostTo();
    if (lost->another())
        return PadStop::AnotherPad;
    const ztplatform::FolderAnchor root = m_padRoot;
    if (m_watch.run<bool>([root]() { return ztplatform::isReadOnlyVolume(root.disk(), root.path()); }).value_or(false))
        return PadStop::ReadOnly;
    if (noPad || !drivePresent())
        return PadStop::Gone;
    // Back now, but not there when the batch began or while it ran.
    if (m_padBatchRefused || (m_padGuard && m_padGuard->takeAway()))
        return PadStop::WasAway;
    return PadStop::None;
}

void PadSession::takeLoadedKits(const QVector<QString> &files, const QVector<QByteArray> &records)
{
    m_padKitFiles = files;
    m_padKitRecords = records;
}

void PadSession::takeLoadedChainBlock(const QByteArray &block)
{
    m_padChainBlock = block;
}

void PadSession::kitRecordWritten(int slot, const QByteArray &record)
{
    if (slot < 0 || slot >= m_padKitRecords.size())
        return;
    m_padKitRecords[slot] = record;
    if (m_padGuard)
        m_padGuard->kitWritten(slot, record);
}

writeback::WriteBackJob PadSession::writeBackJob(const KitLists &lists, bool soundsReordered,
                                                 const SoundRows &rows) const
{
    writeback::WriteBackJob job;
    static_cast<KitLists &>(job) = lists;
    job.leftovers = m_leftovers;
    job.wavesChanged = !m_addUsbWaveNumList.isEmpty() || !m_delUsbWaveNumList.isEmpty() || soundsReordered;
    job.kitPath = m_tree.kitPath;
    job.kitFiles = m_padKitFiles;
    job.kitRecords = m_padKitRecords;
    job.globalFile = m_tree.usbGlobalIniFile;
    job.chainBlock = m_padChainBlock;
    job.globalAsLoaded = m_padGlobalFile;
    job.padRoot = m_padRoot;
    job.padGuard = m_padGuard; // also judges the pad before the first write
    job.driveRoot = m_currentDirPath;
    job.drives = m_drives;
    job.sysPath = m_tree.sysPath;
    if (rows)
        job.waves = rows(writeback::soundFilesToLookUp(job));
    return job;
}

void PadSession::clearAddQueue()
{
    m_addUsbWaveList.clear();
}

void PadSession::queueAdd(const QString &path, quint16 number)
{
    m_addUsbWaveList.append(path);
    m_addUsbWaveNumList.append(number);
}

void PadSession::queueDelete(const QString &path, quint16 number)
{
    m_delUsbWaveList.append(path);
    m_delUsbWaveNumList.append(number);
}

void PadSession::keepDeletedRecords(const QVector<QPair<int, SOUND_INDEX>> &records)
{
    // Places in the list as it is now become places in the list before the
    // queued deletes; both runs merge in order of place.
    QVector<QPair<int, SOUND_INDEX>> merged;
    merged.reserve(m_delQueuedRecords.size() + records.size());
    int q = 0;
    for (QPair<int, SOUND_INDEX> taken : records) {
        while (q < m_delQueuedRecords.size() && m_delQueuedRecords.at(q).first <= taken.first + q)
            merged.append(m_delQueuedRecords.at(q++));
        taken.first += q;
        merged.append(taken);
    }
    while (q < m_delQueuedRecords.size())
        merged.append(m_delQueuedRecords.at(q++));
    m_delQueuedRecords = merged;
}

PadSession::AddPlan PadSession::beginAddBatch(const QVector<SOUND_INDEX> &records, bool ready)
{
    m_waveNumList.clear();
    m_addSoundList.clear();
    m_waveNameList.clear();
    m_failedWaveList.clear();
    m_writtenSizes.clear();
    m_batchRefusal = 0;
    // Numbers go on from the last sound before the batch (0 when there is
    // none) with the next free one: pairs the load left out keep theirs.
    const int before = records.size() - m_addUsbWaveList.size();
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
    int count = 0;
    for (const QString &path : qAsConst(m_addUsbWaveList))
        count += firstOfFile.contains(path);
    // The free numbers are looked for on the pad off the GUI thread; without
    // the pad, by the list alone.
    const auto freeNumbers = [listed, count](const ztplatform::FolderAnchor &root, const QString &data,
                                             const QString &prm, int after) {
        WaveSlots freeSlots(root, data, prm, listed);
        QVector<int> numbers;
        for (int i = 0; i < count; ++i)
            numbers << (after = freeSlots.nextFree(after));
        return numbers;
    };
    const QString data = m_tree.dataPath, prm = m_tree.prmPath;
    const int after = plan.lastNumber;
    std::optional<QVector<int>> numbers;
    if (ready)
        numbers = m_watch.run<QVector<int>>([=, root = m_padRoot]() { return freeNumbers(root, data, prm, after); });
    if (!numbers) {
        ready = false;
        numbers = freeNumbers(ztplatform::FolderAnchor(), QString(), QString(), after);
    }
    int next = 0;
    for (const QString &path : qAsConst(m_addUsbWaveList)) {
        const int r = firstOfFile.value(path, -1);
        if (r < 0)
            continue;
        plan.lastNumber = numbers->at(next++);
        const QString name = percussionpadfile::charArray2String(records.at(r).wave_name, SOUND_NAME_LENGTH_MAX);
        m_waveNumList << plan.lastNumber;
        m_addSoundList << path;
        m_waveNameList << name;
        plan.sounds << SyncBatch::Sound{plan.lastNumber, path, name};
    }
    m_padBatchKind = SyncBatch::Adding;
    beginBatchWatch(ready);
    if (!ready) {
        for (const SyncBatch::Sound &s : qAsConst(plan.sounds))
            m_failedWaveList << s.waveNo;
    }
    return plan;
}

void PadSession::soundNotWritten(int waveNo, int refusal)
{
    m_failedWaveList << waveNo;
    if (refusal != 0 && m_batchRefusal == 0)
        m_batchRefusal = refusal;
}

QVector<PadSession::AddedSound> PadSession::finishAddBatch()
{
    m_padBatchKind = SyncBatch::Idle;
    const QSet<int> failed(m_failedWaveList.cbegin(), m_failedWaveList.cend());
    QVector<AddedSound> sounds;
    int failures = 0;
    for (int i = 0; i < m_waveNumList.size(); ++i) {
        AddedSound s;
        s.number = m_waveNumList.at(i);
        s.source = m_addSoundList.at(i);
        s.name = m_waveNameList.at(i);
        s.reached = !failed.contains(s.number);
        if (s.reached) {
            s.device = m_tree.dataPath + QLatin1Char('/') + padtree::waveDataRelativePath(s.number);
            s.length = quint32(m_writtenSizes.value(s.number)); // as written: the pad is not looked at
        } else {
            ++failures;
        }
        sounds << s;
    }
    // The change file counts only the sounds that reached the pad.
    for (int extra = m_addUsbWaveList.size() - (m_waveNumList.size() - failures);
         extra > 0 && !m_addUsbWaveNumList.isEmpty(); --extra)
        m_addUsbWaveNumList.removeLast();
    m_failedWaveList.clear();
    m_writtenSizes.clear();
    return sounds;
}

void PadSession::beginDeleteBatch(bool ready)
{
    m_delBatchList = m_delUsbWaveList.toVector();
    m_delUsbWaveList.clear();
    m_delBatchRecords = m_delQueuedRecords;
    m_delQueuedRecords.clear();
    m_delNotRemoved.clear();
    m_delNextLoad.clear();
    m_delBatchHalfPairs = m_halfPairsConfirmed;
    m_halfPairsConfirmed.clear();
    m_padBatchKind = SyncBatch::Deleting;
    beginBatchWatch(ready);
    if (!ready) {
        for (const QString &path : qAsConst(m_delBatchList))
            pairNotRemoved(path, UsbUpdate::PadGone);
    }
}

void PadSession::beginBatchWatch(bool ready)
{
    m_padBatchRefused = !ready;
    if (m_padGuard)
        m_padGuard->takeAway(); // only an absence during this batch counts
}

void PadSession::pairNotRemoved(const QString &path, int why, int error)
{
    if (why == UsbUpdate::RemovedAtNextLoad)
        m_delNextLoad.insert(QDir::toNativeSeparators(path));
    else
        m_delNotRemoved.insert(QDir::toNativeSeparators(path), Kept{why, error});
}

PadSession::DeleteOutcome PadSession::finishDeleteBatch()
{
    m_padBatchKind = SyncBatch::Idle;
    // Only the pairs gone from the pad count as deleted; the others stay,
    // with their records.
    DeleteOutcome outcome;
    for (const QString &p : qAsConst(m_delBatchList)) {
        const QString native = QDir::toNativeSeparators(p);
        if (!m_delNotRemoved.contains(native))
            outcome.removed.insert(native);
    }
    outcome.kept = m_delNotRemoved;
    outcome.nextLoad = m_delNextLoad;
    return outcome;
}

void PadSession::keepDeletedNumber(quint16 number)
{
    const int i = m_delUsbWaveNumList.lastIndexOf(number);
    if (i >= 0)
        m_delUsbWaveNumList.removeAt(i);
}

void PadSession::restoreDeletedRecords(QVector<SOUND_INDEX> &records, const QSet<QString> &rowsLeft)
{
    int gone = 0; // records before the one at hand that stay out
    for (const QPair<int, SOUND_INDEX> &taken : qAsConst(m_delBatchRecords)) {
        const QString native = QDir::toNativeSeparators(taken.second.file);
        if (!m_delNotRemoved.contains(native) || !rowsLeft.contains(native)) {
            ++gone;
            continue;
        }
        const int at = qBound(0, taken.first - gone, records.size());
        records.insert(at, taken.second);
        for (QPair<int, SOUND_INDEX> &queued : m_delQueuedRecords) {
            if (queued.first >= at)
                ++queued.first;
        }
    }
    m_delBatchRecords.clear();
    m_delNotRemoved.clear();
}
