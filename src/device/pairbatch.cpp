#include "device/pairbatch.h"

#include "device/devicemessage.h"
#include "device/padpaths.h"
#include "device/pairfiles.h"
#include "device/usbupdate.h"
#include "model/audioconverter.h"
#include "model/percussionpadfile1.h"
#include "platform/descriptor.h"
#include "platform/disk.h"
#include "platform/durablewrite.h"
#include "platform/regularfile.h"
#include "platform/runfolders.h"
#include "platform/tempnames.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <map>

using waveprm::WaveWrite;

namespace pairbatch {

// One numbered folder below WAV_DATA or WAV_PRM.
struct Folder {
    ztplatform::Reach reach = ztplatform::Reach::Missing; // of the walk to the base folder
    ztplatform::OpenFolder base;
    ztplatform::OpenFolder folder;
    bool created = false; // `folder` was made by this batch
    int refusal = 0; // a deletion's folder: the errno when its entries cannot be removed
};

class Folders
{
public:
    Folders(const ztplatform::FolderAnchor &root, bool make)
        : m_root(root)
        , m_make(make)
    {
    }

    // The folder `fff` below `base`, reached from the root the first time;
    // made when missing for a batch that adds. Its reach is the walk's to
    // `base` for a batch that adds, to the folder itself for one that deletes.
    const Folder &get(const QString &base, const QString &fff)
    {
        const QString key = base + QLatin1Char('/') + fff;
        auto found = m_folders.find(key);
        if (found != m_folders.end())
            return *found->second;
        auto f = std::make_unique<Folder>();
        auto keep = [&]() -> const Folder & {
            // A folder not reached is looked for again next time.
            if (!f->folder.isOpen()) {
                m_missed.push_back(std::move(f));
                return *m_missed.back();
            }
            return *m_folders.emplace(key, std::move(f)).first->second;
        };
        if (!m_make) {
            f->folder = m_root.openFolder(key, &f->reach);
            // Files are removed where they stand: a folder that refuses it is
            // known before the first of a pair goes.
            if (f->folder.isOpen() && f->folder.disk().accessAt(f->folder.fd(), ".", W_OK | X_OK, AT_EACCESS) != 0)
                f->refusal = errno;
        } else {
            f->base = m_root.openFolder(base, &f->reach);
            if (f->reach == ztplatform::Reach::Inside && !f->base.isLink(fff))
                f->folder = f->base.makeFolder(fff, &f->created);
        }
        return keep();
    }

    // Whether the pad's root is still the one the batch writes to, asked
    // right before each pair is changed.
    ztplatform::Reach check() const
    {
        ztplatform::Reach reach = ztplatform::Reach::Missing;
        m_root.openFolder(m_root.path(), &reach);
        return reach;
    }

    // Each base folder in which a folder was made forced to the disk once.
    bool syncMade()
    {
        QSet<QString> bases;
        for (auto &f : m_folders) {
            const QString base = f.first.left(f.first.lastIndexOf(QLatin1Char('/')));
            if (!f.second->created || bases.contains(base))
                continue;
            if (!f.second->base.sync())
                return false;
            bases.insert(base);
        }
        for (auto &f : m_folders) {
            if (bases.contains(f.first.left(f.first.lastIndexOf(QLatin1Char('/')))))
                f.second->created = false;
        }
        return true;
    }

    // Each open folder forced to the disk once, and each base folder in
    // which a folder was made, the first time after.
    bool syncAll()
    {
        bool ok = true;
        QSet<QString> bases;
        for (auto &f : m_folders) {
            if (!f.second->folder.isOpen())
                continue;
            ok = f.second->folder.sync() && ok;
            const QString base = f.first.left(f.first.lastIndexOf(QLatin1Char('/')));
            if (f.second->created && !bases.contains(base)) {
                bases.insert(base);
                ok = f.second->base.sync() && ok;
            }
        }
        // A base synced is marked for every folder made in it.
        for (auto &f : m_folders) {
            if (ok && bases.contains(f.first.left(f.first.lastIndexOf(QLatin1Char('/')))))
                f.second->created = false;
        }
        return ok;
    }

private:
    ztplatform::FolderAnchor m_root;
    bool m_make;
    std::map<QString, std::unique_ptr<Folder>> m_folders;
    std::vector<std::unique_ptr<Folder>> m_missed;
};

namespace {

bool conversionFailed(bool converted, qint64 wavSize)
{
    // Judged by ffmpeg's exit and the samples written, not by its warnings.
    // Shorter than the header, the record's length would wrap.
    return !converted || wavSize <= audioconverter::WAVE_HEAD_SIZE;
}

qint64 fileSize(ztplatform::Disk &disk, const QString &path)
{
    struct stat st;
    return disk.statAt(AT_FDCWD, QFile::encodeName(path), &st) == 0 && S_ISREG(st.st_mode) ? qint64(st.st_size) : 0;
}

// Copies the file `from` into the open `fd` through `disk`; its size goes to
// *size, its mark to *mark. Each buffer is started on its way to the disk and
// the one before it waited for, so the sync that ends the file has little
// left and every returning call is progress of the pace. Work given up on
// writes no further buffer (false, ECANCELED).
bool copyInto(ztplatform::Disk &disk, const QString &from, int fd, qint64 *size, padjournal::Mark *mark,
              const PadPace &pace)
{
    const ztplatform::Descriptor in(disk.openAt(AT_FDCWD, QFile::encodeName(from), O_RDONLY | O_CLOEXEC));
    struct stat st;
    if (!in.isOpen() || disk.stat(in.get(), &st) != 0)
        return false;
    *size = st.st_size;
    QByteArray buffer(audioconverter::COPY_BUFFER_SIZE, Qt::Uninitialized);
    qint64 at = 0, before = 0;
    bool writeBack = true;
    for (;;) {
        const qint64 n = disk.read(in.get(), buffer.data(), buffer.size());
        if (n == 0)
            break;
        if (n < 0)
            return false;
        if (!pace.goOn()) {
            errno = ECANCELED;
            return false;
        }
        if (!disk.write(fd, buffer.constData(), n))
            return false;
        writeBack = writeBack && disk.writeBack(fd, at, n, false) == 0
                && (at == before || disk.writeBack(fd, before, at - before, true) == 0);
        before = at;
        at += n;
    }
    pace.beat();
    *mark = padjournal::markOfFile(disk, in.get());
    return mark->size == *size;
}

// Makes `hidden` in the folder, lets `write` fill the open file and forces
// it to the disk. False with errno on failure, the file made then removed.
bool writeHidden(const ztplatform::OpenFolder &folder, const QString &hidden, const std::function<bool(int)> &write)
{
    if (hidden.isEmpty()) {
        errno = EEXIST; // no hidden name was free
        return false;
    }
    int error = 0;
    {
        ztplatform::DurableWrite file(folder);
        if (file.create(hidden) && file.writeWith(write) && file.finish())
            return file.keep();
        error = file.error();
    }
    errno = error;
    return false;
}

WaveWrite refused(int error, int *refusal)
{
    qWarning() << "the sampler pad refused a write:" << std::strerror(error);
    if (error == EEXIST)
        return WaveWrite::Blocked;
    if (refusal)
        *refusal = error;
    return WaveWrite::Stopped;
}

// Why a wave folder `fff` of `base` that a batch adding could not open takes
// no file; Written when it is open.
WaveWrite folderFailure(const Folder &f, const QString &base, const QString &fff)
{
    if (f.folder.isOpen())
        return WaveWrite::Written;
    const QString path = base + QLatin1Char('/') + fff;
    if (f.reach == ztplatform::Reach::Replaced) {
        qWarning() << "not the pad loaded at the pad's place; no more sounds are written";
        return WaveWrite::Stopped;
    }
    if (f.reach == ztplatform::Reach::Outside || (f.base.isOpen() && f.base.isLink(fff))) {
        qWarning() << "the pad's wave folder leads out of the pad:" << path;
        return WaveWrite::Blocked;
    }
    qDebug().noquote() << DeviceText::tr("Failed to create the folder.") + QStringLiteral("\r\n")
                    + DeviceText::tr("Folder Location: ") + path;
    return WaveWrite::Stopped;
}

} // namespace

// --- Adding -----------------------------------------------------------------

namespace pj = padjournal;

struct AddBatch::Pair {
    int waveNo = 0;
    QString source;
    const Folder *data = nullptr;
    const Folder *prm = nullptr;
    const Planned *names = nullptr;
    pj::Mark wavMark, prmMark;
};

AddBatch::AddBatch(const ztplatform::FolderAnchor &root, const PadTreePaths &tree)
    : m_root(root)
    , m_tree(tree)
    , m_dataPath(tree.dataPath)
    , m_prmPath(tree.prmPath)
    , m_folders(std::make_unique<Folders>(root, true))
{
}

AddBatch::~AddBatch() = default;

int AddBatch::staged() const
{
    QMutexLocker hold(&m_lock);
    return int(m_pairs.size());
}

bool AddBatch::plan(const QVector<int> &waveNos)
{
    QMutexLocker hold(&m_lock);
    for (int n : waveNos) {
        if (m_planned.contains(n))
            continue;
        if (m_begun != Begun::No)
            return false;
        Planned p;
        p.waveNo = n;
        m_planned.insert(n, p);
        m_order << n;
    }
    return true;
}

// The names of one planned sound, looked for without changing anything: a
// folder the pad lacks goes into `folders` ("data/fff", "prm/fff") to be made.
// False when the sound cannot be written (why in p.blocked).
bool AddBatch::planFiles(Planned &p, QSet<QString> &folders)
{
    if (p.waveNo < 1 || p.waveNo > WAVE_MAX_COUNT || padtree::waveFolderNumber(p.waveNo) > waveprm::WAVE_FOLDER_MAX) {
        qDebug() << "Only supports creating 100 folders" << p.waveNo;
        p.blocked = WaveWrite::Stopped;
        return false;
    }
    p.fff = padtree::threeDigits(padtree::waveFolderNumber(p.waveNo));
    const QString rrr = padtree::threeDigits(padtree::waveFileNumber(p.waveNo));
    p.wavName = rrr + QStringLiteral(".wav");
    p.prmName = rrr + QStringLiteral(".prm");
    QSet<QString> missing;
    for (const pj::Area area : {pj::Area::Data, pj::Area::Prm}) {
        const bool data = area == pj::Area::Data;
        const QString &name = data ? p.wavName : p.prmName;
        QString &hidden = data ? p.hiddenWav : p.hiddenPrm;
        const ztplatform::OpenFolder &base = m_pad->kept(area);
        const ztplatform::OpenFolder &folder = m_pad->kept(area, p.fff);
        if (!folder.isOpen()) {
            // A link or a file at the folder's name is never written through.
            if (base.isLink(p.fff) || base.exists(p.fff)) {
                qWarning() << "the pad's wave folder leads out of the pad or is no folder:" << p.fff;
                p.blocked = WaveWrite::Blocked;
                return false;
            }
            missing << (data ? QStringLiteral("data/") : QStringLiteral("prm/")) + p.fff;
            hidden = ztplatform::temporaryName(name, 0);
            continue;
        }
        // Whatever stands at a name of the pair (a pair the editor did not
        // list, a link) is never opened, replaced or removed.
        if (!pairfiles::findEntry(folder, name).isEmpty()) {
            qWarning() << "an entry stands at the name of wave" << p.waveNo << ":" << p.fff << name;
            p.blocked = WaveWrite::Blocked;
            return false;
        }
        hidden = pairfiles::freeHiddenName(folder, name);
        if (hidden.isEmpty()) {
            p.blocked = WaveWrite::Blocked;
            return false;
        }
    }
    folders += missing;
    return true;
}

// The record of every planned pair, after the folders it needs made.
pj::Record AddBatch::planRecord(QVector<pj::Step> *makes)
{
    pj::Record record;
    record.purpose = pj::Purpose::AddSounds;
    QSet<QString> folders;
    for (int n : qAsConst(m_order)) {
        Planned &p = m_planned[n];
        if (!planFiles(p, folders))
            continue;
        for (const pj::Area area : {pj::Area::Data, pj::Area::Prm}) {
            pj::Step c;
            c.kind = pj::Kind::Create;
            c.area = area;
            c.number = quint16(n);
            c.folder = c.toFolder = p.fff;
            c.hidden = area == pj::Area::Data ? p.hiddenWav : p.hiddenPrm;
            c.to = area == pj::Area::Data ? p.wavName : p.prmName;
            record.steps << c;
        }
    }
    QStringList made(folders.cbegin(), folders.cend());
    made.sort();
    for (const QString &f : qAsConst(made)) {
        pj::Step m;
        m.kind = pj::Kind::MakeFolder;
        m.area = f.startsWith(QLatin1String("data/")) ? pj::Area::Data : pj::Area::Prm;
        m.folder = f.section(QLatin1Char('/'), 1);
        m.number = quint16(padtree::waveNumberFromLocation(m.folder.toInt(), 1));
        makes->append(m);
    }
    record.steps = *makes + record.steps;
    return record;
}

// The record naming every sound that may be staged goes to the pad before
// anything else, then the folders it needs are made. Under m_lock.
WaveWrite AddBatch::begin(int *refusal)
{
    if (m_begun != Begun::No) {
        if (m_begun == Begun::Refused && refusal)
            *refusal = m_refusal;
        return m_begun == Begun::Yes ? WaveWrite::Written : WaveWrite::Stopped;
    }
    m_begun = Begun::Refused;
    if (!m_root.isValid() || !padtree::isUsableFolder(m_dataPath) || !padtree::isUsableFolder(m_prmPath)
        || !padtree::isUsableFolder(m_tree.sysPath)) {
        qWarning() << "not the pad's folders:" << m_tree.sysPath << m_dataPath << m_prmPath;
        return WaveWrite::Stopped;
    }
    if (m_folders->check() != ztplatform::Reach::Inside) {
        qWarning() << "not the pad loaded at the pad's place; no more sounds are written";
        return WaveWrite::Stopped;
    }
    // A wave base folder that is a link or leads off the pad takes no sound.
    for (const QString &base : {m_dataPath, m_prmPath}) {
        ztplatform::Reach reach = ztplatform::Reach::Missing;
        m_root.openFolder(base, &reach);
        if (reach == ztplatform::Reach::Outside) {
            qWarning() << "the pad's wave folder leads out of the pad:" << base;
            for (Planned &p : m_planned)
                p.blocked = WaveWrite::Blocked;
            m_begun = Begun::Yes;
            return WaveWrite::Written;
        }
        if (reach != ztplatform::Reach::Inside) {
            qWarning() << "the pad's wave folder is not there:" << base;
            return WaveWrite::Stopped;
        }
    }
    m_pad = std::make_unique<pj::Pad>(m_root, m_tree);
    if (!m_pad->base(pj::Area::Sys).isOpen()) {
        qWarning() << "the pad's SYS folder is not there";
        return WaveWrite::Stopped;
    }
    if (pj::recordPresent(*m_pad)) {
        qWarning() << "the pad holds the record of another change; nothing is added";
        if (refusal)
            *refusal = UsbUpdate::EARLIER_CHANGE_REFUSAL;
        return WaveWrite::Stopped;
    }
    QVector<pj::Step> makes;
    const pj::Record record = planRecord(&makes);
    if (record.steps.isEmpty()) {
        m_begun = Begun::Yes; // nothing may be staged: nothing to record
        return WaveWrite::Written;
    }
    if (!pj::begin(*m_pad, record)) {
        m_refusal = errno;
        return refused(m_refusal, refusal);
    }
    m_record = record;
    m_begun = Begun::Yes;
    // The folders the record names are made, and their bases forced to the disk.
    for (const pj::Step &m : qAsConst(makes)) {
        const QString &base = m.area == pj::Area::Data ? m_dataPath : m_prmPath;
        const Folder &f = m_folders->get(base, m.folder);
        if (const WaveWrite failure = folderFailure(f, base, m.folder); failure != WaveWrite::Written) {
            m_refusal = f.folder.isOpen() ? 0 : (errno ? errno : EIO);
            abandon();
            m_begun = Begun::Refused;
            return refused(m_refusal, refusal);
        }
    }
    if (!m_folders->syncMade()) {
        m_refusal = errno;
        abandon();
        m_begun = Begun::Refused;
        return refused(m_refusal, refusal);
    }
    return WaveWrite::Written;
}

// What the batch wrote is taken back with its record.
void AddBatch::abandon()
{
    if (m_record.steps.isEmpty())
        return;
    const pj::Outcome o = pj::abandon(*m_pad, m_record);
    if (!o.undone)
        qWarning() << "the batch could not be taken back; the next load of the pad does it";
    m_record = pj::Record();
}

WaveWrite AddBatch::stage(audioconverter &conv, int waveNo, const QString &source, const QString &name, int *refusal)
{
    if (refusal)
        *refusal = 0;
    Pair pair;
    pair.waveNo = waveNo;
    pair.source = source;
    {
        QMutexLocker hold(&m_lock);
        if (!m_planned.contains(waveNo) && m_begun == Begun::No) {
            Planned p;
            p.waveNo = waveNo;
            m_planned.insert(waveNo, p);
            m_order << waveNo;
        }
        const WaveWrite begun = begin(refusal);
        if (begun != WaveWrite::Written)
            return begun;
        const auto planned = m_planned.constFind(waveNo);
        if (planned == m_planned.constEnd()) {
            qWarning() << "wave" << waveNo << "is not of the batch begun";
            return WaveWrite::Blocked;
        }
        if (planned->blocked != WaveWrite::Written)
            return planned->blocked;
        pair.names = &*planned;
    }
    const Planned &names = *pair.names;

    // Only a regular file is converted: ffmpeg would wait on a pipe for ever.
    if (!ztplatform::isRegularFile(source)) {
        qWarning() << "not a regular file, not converted:" << source;
        return WaveWrite::ConversionFailed;
    }
    // Converted beside the editor first; the pad's folders are reached and
    // checked only when the result is written into them.
    ztplatform::RunFolder work(QStringLiteral("zt350wave-"));
    const QString converted = work.filePath(names.wavName);
    QString ffmpegText;
    const bool ran = work.isValid() && conv.audioConverterRun(source, converted, ffmpegText);
    conv.dropScratch(); // nothing of the conversion outlives it while the pad is written
    if (ffmpegText.isEmpty()) {
        qDebug().noquote() << DeviceText::tr("Missing some files for the program!");
        return WaveWrite::Stopped;
    }
    if (conversionFailed(ran, fileSize(m_root.disk(), converted))) {
        qDebug().noquote() << DeviceText::tr("Wrong data in file：") + QStringLiteral("\r\n") + ffmpegText;
        return WaveWrite::ConversionFailed;
    }
    if (m_pace.abandoned())
        return WaveWrite::Stopped; // given up on while it converted
    {
        // Both folders are reached before either file is written.
        QMutexLocker hold(&m_lock);
        if (m_folders->check() != ztplatform::Reach::Inside) {
            qWarning() << "not the pad loaded at the pad's place; no more sounds are written";
            return WaveWrite::Stopped;
        }
        pair.data = &m_folders->get(m_dataPath, names.fff);
        if (const WaveWrite failure = folderFailure(*pair.data, m_dataPath, names.fff); failure != WaveWrite::Written)
            return failure;
        pair.prm = &m_folders->get(m_prmPath, names.fff);
        if (const WaveWrite failure = folderFailure(*pair.prm, m_prmPath, names.fff); failure != WaveWrite::Written)
            return failure;
    }
    qint64 size = 0;
    const ztplatform::OpenFolder &data = pair.data->folder, &prm = pair.prm->folder;
    QByteArray record;
    const bool wav = writeHidden(data, names.hiddenWav, [&](int fd) {
        return copyInto(data.disk(), converted, fd, &size, &pair.wavMark, m_pace);
    });
    const bool written = wav && m_pace.goOn() && writeHidden(prm, names.hiddenPrm, [&](int fd) {
        record = waveprm::buildRecord(quint16(waveNo), name, quint32(size));
        return prm.disk().write(fd, record.constData(), record.size());
    });
    if (!written && m_pace.abandoned()) {
        // Given up on: nothing more reaches the pad; the journal ends it.
        qWarning() << "the batch was given up on; wave" << waveNo << "is left to the next load";
        return WaveWrite::Stopped;
    }
    if (!written) {
        // Only what this write made goes: a file found at a hidden name is not ours.
        const int error = errno;
        if (wav)
            data.remove(names.hiddenWav);
        return refused(error, refusal);
    }
    pair.prmMark = pj::markOfBytes(record);
    QMutexLocker hold(&m_lock);
    m_pairs.push_back(pair);
    return WaveWrite::Written;
}

QVector<Failure> AddBatch::commit(QHash<int, qint64> *written)
{
    QMutexLocker hold(&m_lock);
    QVector<Failure> failed;
    auto failAll = [&](int error, bool stopped) {
        for (const Pair &p : m_pairs)
            failed << Failure{p.waveNo, p.source, 0, error, stopped};
        m_pairs.clear();
    };
    if (m_record.steps.isEmpty())
        return failed; // nothing was recorded, so nothing was written
    if (m_pairs.empty()) {
        abandon();
        return failed;
    }
    // Every hidden file's entry on the disk before the record names its bytes.
    if (!m_folders->syncAll()) {
        const int error = errno;
        abandon();
        failAll(error, true);
        return failed;
    }
    // The record as begun, each staged file now with its mark, the others gone.
    std::sort(m_pairs.begin(), m_pairs.end(), [](const Pair &a, const Pair &b) { return a.waveNo < b.waveNo; });
    QHash<int, const Pair *> staged;
    for (const Pair &p : m_pairs)
        staged.insert(p.waveNo, &p);
    pj::Record full;
    full.purpose = m_record.purpose;
    for (pj::Step s : qAsConst(m_record.steps)) {
        if (s.kind == pj::Kind::Create) {
            const Pair *p = staged.value(s.number);
            if (!p)
                continue;
            s.mark = s.area == pj::Area::Data ? p->wavMark : p->prmMark;
        }
        full.steps << s;
    }
    const pj::Outcome o = pj::run(*m_pad, full, {}, true);
    m_record = pj::Record();
    // A record the pad keeps and the next load finishes counts as done.
    if (!o.finished && !o.pending) {
        qWarning() << "the batch's sounds could not take their names:" << std::strerror(o.error);
        failAll(o.error == EEXIST ? 0 : o.error, o.error != EEXIST);
    }
    for (const Pair &p : m_pairs) {
        if (written)
            written->insert(p.waveNo, p.wavMark.size);
    }
    m_pairs.clear();
    return failed;
}

// --- Deleting ---------------------------------------------------------------

namespace {

// The .wav paths handed to a deletion begin with this when they lie below
// dataPath; empty when dataPath is not usable.
QString waveBase(const QString &dataPath)
{
    if (!padtree::isUsableFolder(dataPath))
        return QString();
    return QDir::cleanPath(QDir::fromNativeSeparators(dataPath)) + QLatin1Char('/');
}

// The numbered folder ("fff") and the file's stem of a .wav path below
// the wave base, by the text alone: the files are looked for below the root.
// Empty when the path names no file of a numbered folder there.
QPair<QString, QString> wavePlace(const QString &wavPath, const QString &base)
{
    if (base.isEmpty())
        return {};
    const QString path = QDir::cleanPath(QDir::fromNativeSeparators(wavPath));
    if (!path.startsWith(base, Qt::CaseInsensitive))
        return {};
    const QStringList parts = path.mid(base.size()).split(QLatin1Char('/'));
    if (parts.size() != 2)
        return {};
    const QString stem = parts.at(1).section(QLatin1Char('.'), 0, 0).trimmed();
    return parts.at(0).isEmpty() || stem.isEmpty() ? QPair<QString, QString>() : qMakePair(parts.at(0), stem);
}

// Why a pair stays when the walk to one of its folders ended at `reach`; -1
// when the folder was reached, or is not on the pad (nothing to remove there).
int stayReason(ztplatform::Reach reach, const ztplatform::FolderAnchor &root, const QString &dataPath)
{
    if (reach == ztplatform::Reach::Inside)
        return -1;
    if (reach == ztplatform::Reach::Replaced)
        return UsbUpdate::RefusedPad;
    if (reach == ztplatform::Reach::Outside)
        return UsbUpdate::LinkedFolder;
    // No pad at the place: the root's check refuses this walk as well.
    ztplatform::Reach data = ztplatform::Reach::Missing;
    root.openFolder(dataPath, &data);
    return data == ztplatform::Reach::Inside ? -1 : UsbUpdate::PadGone;
}

} // namespace

struct DeleteBatch::Pair {
    QString path;
    QString fff;
    int number = 0;
    QString wavName, prmName; // a name is empty for a file already gone
    pj::Mark wavMark, prmMark;
    pj::Stamp wavStamp, prmStamp; // how each stood when its mark was read
};

DeleteBatch::DeleteBatch(const ztplatform::FolderAnchor &root, const PadTreePaths &tree)
    : m_root(root)
    , m_tree(tree)
    , m_dataPath(tree.dataPath)
    , m_prmPath(tree.prmPath)
    , m_dataBase(waveBase(tree.dataPath))
    , m_folders(std::make_unique<Folders>(root, false))
{
}

DeleteBatch::~DeleteBatch() = default;

namespace {

// A file of a pair as found in its folder: its name there (empty when
// there is none), what stands there (a link is not followed) or the errno
// of looking at it, and the mark of a regular file.
struct Found {
    QString name;
    struct stat st = {};
    int looked = 0;
    pj::Mark mark;
    pj::Stamp stamp;
    int markError = 0; // why a regular file's mark could not be read
    bool fixed = false; // immutable or append-only: it cannot be removed
    // ELOOP for a link at the name, EISDIR for a folder, EINVAL for anything
    // else that is not a plain file; 0 for a plain file or none.
    int notAFile() const
    {
        if (name.isEmpty() || looked != 0 || S_ISREG(st.st_mode))
            return 0;
        return S_ISLNK(st.st_mode) ? ELOOP : S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    }
};

// Opens the entry (never through a link, never waiting on a pipe) and reads
// the mark of a regular file, or looks at what else stands there. False
// when nothing does.
bool look(const ztplatform::OpenFolder &folder, const QString &entry, Found &f)
{
    const ztplatform::Descriptor fd(folder.openEntry(entry, O_RDONLY | O_NONBLOCK));
    if (fd.isOpen()) {
        f.mark = pj::markOfFile(folder.disk(), fd.get(), &f.stamp);
        const int error = errno;
        int flags = 0;
        f.fixed = f.mark.isValid() && folder.disk().readControl(fd.get(), FS_IOC_GETFLAGS, &flags) == 0
                && (flags & (FS_IMMUTABLE_FL | FS_APPEND_FL)) != 0;
        if (f.mark.isValid())
            f.st.st_mode = S_IFREG;
        else if (folder.disk().stat(fd.get(), &f.st) != 0)
            f.looked = errno;
        else
            f.markError = error ? error : EIO;
        return true;
    }
    const int error = errno;
    if (error == ENOENT)
        return false;
    // A link, or what cannot be opened: looked at without following it.
    if (folder.disk().statAt(folder.fd(), QFile::encodeName(entry), &f.st, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT)
            return false;
        f.looked = errno;
    }
    f.markError = error;
    return true;
}

// The entry `name` of the folder ignoring case.
Found find(const ztplatform::OpenFolder &folder, const QString &name)
{
    Found f;
    if (!folder.isOpen())
        return f;
    if (look(folder, name, f)) {
        f.name = name;
        return f;
    }
    const QStringList listed = pairfiles::entryNames(folder);
    f.name = pairfiles::findEntry(folder, name, &listed);
    if (!f.name.isEmpty() && !look(folder, f.name, f))
        f.looked = ENOENT;
    return f;
}

// The mark and stamp of the regular file found, or why the pair stays: the
// errno for anything else there.
int markOf(const Found &f, pj::Mark *mark, pj::Stamp *stamp)
{
    if (f.name.isEmpty())
        return 0;
    if (f.looked != 0)
        return f.looked;
    if (!S_ISREG(f.st.st_mode))
        return S_ISDIR(f.st.st_mode) ? EISDIR : EINVAL;
    if (f.fixed)
        return EPERM;
    *mark = f.mark;
    *stamp = f.stamp;
    return mark->isValid() ? 0 : f.markError;
}

} // namespace

int DeleteBatch::stage(const QString &path, int *error)
{
    *error = 0;
    const QPair<QString, QString> found = wavePlace(path, m_dataBase);
    if (!m_root.isValid())
        return UsbUpdate::PadGone;
    if (found.first.isEmpty() || !padtree::isUsableFolder(m_prmPath)) {
        qDebug() << "not a wave of the pad:" << path;
        return UsbUpdate::LinkedFolder;
    }
    QMutexLocker hold(&m_lock);
    // Both folders and both files are reached and read before anything is
    // changed, so a pair leaves whole or stays whole.
    Pair pair;
    pair.path = path;
    pair.fff = found.first;
    // The root is judged as each folder is first reached, and again by the
    // commit before anything changes.
    const Folder &data = m_folders->get(m_dataPath, found.first);
    int why = stayReason(data.reach, m_root, m_dataPath);
    const Folder &prm = m_folders->get(m_prmPath, found.first);
    if (why < 0)
        why = stayReason(prm.reach, m_root, m_dataPath);
    if (why >= 0)
        return why;
    if (!data.folder.isOpen() && !prm.folder.isOpen())
        return -1; // neither folder is there: nothing to remove
    const QString wavName = QFileInfo(QDir::fromNativeSeparators(path)).fileName();
    const Found wav = find(data.folder, wavName), record = find(prm.folder, found.second + QStringLiteral(".prm"));
    pair.wavName = wav.name;
    pair.prmName = record.name;
    if ((*error = wav.notAFile()) != 0 || (*error = record.notAFile()) != 0) {
        qDebug() << "a file of the pair is not a plain file:" << path;
        return wav.notAFile() ? UsbUpdate::WavNotAFile : UsbUpdate::PrmNotAFile;
    }
    if (pair.wavName.isEmpty() && pair.prmName.isEmpty())
        return -1; // already gone
    const QString stem = (pair.wavName.isEmpty() ? pair.prmName : pair.wavName).section(QLatin1Char('.'), 0, 0);
    pair.number = padtree::waveNumberFromLocation(pair.fff.toInt(), stem.toInt());
    if (pair.number < 1 || pair.number > WAVE_MAX_COUNT || stem != padtree::threeDigits(stem.toInt())) {
        qDebug() << "not a numbered wave of the pad:" << path;
        return UsbUpdate::LinkedFolder;
    }
    // One file gone (another program removed it): the other goes only once
    // the user has said so.
    if ((pair.wavName.isEmpty() || pair.prmName.isEmpty()) && !m_halfPairs.contains(path))
        return pair.wavName.isEmpty() ? UsbUpdate::WavAlreadyGone : UsbUpdate::PrmAlreadyGone;
    if (m_staged.contains(qMakePair(pair.fff, pair.number)))
        return -1; // named twice: it goes once
    *error = markOf(wav, &pair.wavMark, &pair.wavStamp);
    if (*error == 0)
        *error = markOf(record, &pair.prmMark, &pair.prmStamp);
    if (*error == 0)
        *error = !pair.wavName.isEmpty() && data.refusal ? data.refusal : !pair.prmName.isEmpty() ? prm.refusal : 0;
    if (*error != 0) {
        qWarning() << "cannot remove" << path << ":" << std::strerror(*error);
        // A pad gone or swapped since its folders were reached says so.
        if (const int gone = stayReason(m_folders->check(), m_root, m_dataPath); gone >= 0) {
            *error = 0;
            return gone;
        }
        return UsbUpdate::NotRemovable;
    }
    m_staged.insert(qMakePair(pair.fff, pair.number));
    m_pairs.push_back(pair);
    return -1;
}

// The pairs of which a file changed or went since it was read: the other
// file stays, and so does the row (a pair half gone until the user says so).
QVector<Failure> DeleteBatch::leftOnThePad(const pj::Outcome &o) const
{
    QVector<Failure> failed;
    for (const Pair &p : m_pairs) {
        int why = -1;
        for (const pj::Outcome::Left &l : o.left) {
            if (l.number != p.number || !l.name.startsWith(p.fff + QLatin1Char('/')))
                continue;
            const bool wav = l.area == pj::Area::Data;
            if (!l.gone)
                why = wav ? UsbUpdate::WavChanged : UsbUpdate::PrmChanged;
            else if (why < 0)
                why = wav ? UsbUpdate::WavAlreadyGone : UsbUpdate::PrmAlreadyGone;
        }
        if (why >= 0)
            failed << Failure{0, p.path, why, 0, false};
    }
    return failed;
}

QVector<Failure> DeleteBatch::commit()
{
    QMutexLocker hold(&m_lock);
    QVector<Failure> failed;
    if (m_pairs.empty())
        return failed;
    auto failAll = [&](int why, int error) {
        for (const Pair &p : m_pairs) {
            qWarning() << "cannot remove" << p.path << ":" << std::strerror(error);
            failed << Failure{0, p.path, why, error, why != UsbUpdate::NotRemovable};
        }
        m_pairs.clear();
        m_staged.clear();
    };
    if (const int gone = stayReason(m_folders->check(), m_root, m_dataPath); gone >= 0) {
        failAll(gone, 0);
        return failed;
    }
    pj::Pad pad(m_root, m_tree);
    if (!padtree::isUsableFolder(m_tree.sysPath) || !pad.base(pj::Area::Sys).isOpen()) {
        qWarning() << "the pad's SYS folder is not there";
        failAll(UsbUpdate::NotRemovable, ENOENT);
        return failed;
    }
    if (pj::recordPresent(pad)) {
        qWarning() << "the pad holds the record of another change; nothing is removed";
        failAll(UsbUpdate::EarlierChange, 0);
        return failed;
    }
    pj::Record record;
    record.purpose = pj::Purpose::DeleteSounds;
    QVector<pj::Stamp> seen;
    for (const Pair &p : m_pairs) {
        for (const pj::Area area : {pj::Area::Data, pj::Area::Prm}) {
            const QString &name = area == pj::Area::Data ? p.wavName : p.prmName;
            if (name.isEmpty())
                continue;
            pj::Step r;
            r.kind = pj::Kind::Remove;
            r.area = area;
            r.number = quint16(p.number);
            r.folder = p.fff;
            r.from = name;
            r.mark = area == pj::Area::Data ? p.wavMark : p.prmMark;
            record.steps << r;
            seen << (area == pj::Area::Data ? p.wavStamp : p.prmStamp);
        }
    }
    const pj::Outcome o = pj::run(pad, record, {}, false, seen);
    // A record the pad keeps and the next load finishes: gone from the list,
    // and named.
    if (o.pending) {
        for (const Pair &p : m_pairs)
            failed << Failure{0, p.path, UsbUpdate::RemovedAtNextLoad, 0, true};
    } else if (!o.finished) {
        const int gone = stayReason(m_folders->check(), m_root, m_dataPath);
        failAll(gone >= 0 ? gone : int(UsbUpdate::NotRemovable), o.error ? o.error : EIO);
    } else {
        failed << leftOnThePad(o);
    }
    m_pairs.clear();
    m_staged.clear();
    return failed;
}

} // namespace pairbatch
