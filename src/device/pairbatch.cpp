#include "device/pairbatch.h"

#include "device/devicemessage.h"
#include "device/padpaths.h"
#include "device/pairfiles.h"
#include "device/usbupdate.h"
#include "model/audioconverter.h"
#include "platform/disk.h"
#include "platform/regularfile.h"
#include "platform/runfolders.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

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

qint64 fileSize(const QString &path)
{
    const QFileInfo fi(path);
    return fi.isFile() ? fi.size() : 0;
}

// Copies the file `from` into the open `fd` through `disk`; its size goes to *size.
bool copyInto(ztplatform::Disk &disk, const QString &from, int fd, qint64 *size)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    *size = in.size();
    QByteArray buffer(audioconverter::COPY_BUFFER_SIZE, Qt::Uninitialized);
    for (;;) {
        const qint64 n = in.read(buffer.data(), buffer.size());
        if (n == 0)
            return true;
        if (n < 0)
            return false;
        if (!disk.write(fd, buffer.constData(), n))
            return false;
    }
}

// Makes `hidden` in the folder, lets `write` fill the open file and forces
// it to the disk. False with errno on failure.
bool writeHidden(const ztplatform::OpenFolder &folder, const QString &hidden, const std::function<bool(int)> &write)
{
    if (hidden.isEmpty()) {
        errno = EEXIST; // no hidden name was free
        return false;
    }
    const int fd = folder.openEntry(hidden, O_WRONLY | O_CREAT | O_EXCL);
    if (fd < 0)
        return false;
    bool ok = write(fd) && folder.syncFile(fd);
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    errno = error;
    return ok;
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

struct AddBatch::Pair {
    int waveNo = 0;
    QString source;
    const Folder *data = nullptr;
    const Folder *prm = nullptr;
    QString wavName, prmName, hiddenWav, hiddenPrm;
    bool wavNamed = false, prmNamed = false;
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

void AddBatch::drop(const Pair &pair) const
{
    pair.data->folder.remove(pair.hiddenWav);
    pair.prm->folder.remove(pair.hiddenPrm);
}

void AddBatch::takeBack(const Pair &pair) const
{
    if (pair.prmNamed)
        pairfiles::moveEntry(pair.prm->folder, pair.prmName, pair.prm->folder, pair.hiddenPrm);
    if (pair.wavNamed)
        pairfiles::moveEntry(pair.data->folder, pair.wavName, pair.data->folder, pair.hiddenWav);
    drop(pair);
}

WaveWrite AddBatch::stage(audioconverter &conv, int waveNo, const QString &source, const QString &name, int *refusal)
{
    if (refusal)
        *refusal = 0;
    if (!m_root.isValid() || !padtree::isUsableFolder(m_dataPath) || !padtree::isUsableFolder(m_prmPath)) {
        qWarning() << "not the pad's wave folders:" << m_dataPath << m_prmPath;
        return WaveWrite::Stopped;
    }
    if (waveNo < 1 || padtree::waveFolderNumber(waveNo) > waveprm::WAVE_FOLDER_MAX) {
        qDebug() << "Only supports creating 100 folders" << waveNo;
        return WaveWrite::Stopped;
    }
    Pair pair;
    pair.waveNo = waveNo;
    pair.source = source;
    const QString fff = padtree::threeDigits(padtree::waveFolderNumber(waveNo));
    const QString rrr = padtree::threeDigits(padtree::waveFileNumber(waveNo));
    pair.wavName = rrr + QStringLiteral(".wav");
    pair.prmName = rrr + QStringLiteral(".prm");

    // Only a regular file is converted: ffmpeg would wait on a pipe for ever.
    if (!ztplatform::isRegularFile(source)) {
        qWarning() << "not a regular file, not converted:" << source;
        return WaveWrite::ConversionFailed;
    }
    // Converted beside the editor first; the pad's folders are reached and
    // checked only when the result is written into them.
    ztplatform::RunFolder work(QStringLiteral("zt350wave-"));
    const QString converted = work.filePath(pair.wavName);
    QString ffmpegText;
    const bool ran = work.isValid() && conv.audioConverterRun(source, converted, ffmpegText);
    if (ffmpegText.isEmpty()) {
        qDebug().noquote() << DeviceText::tr("Missing some files for the program!");
        return WaveWrite::Stopped;
    }
    if (conversionFailed(ran, fileSize(converted))) {
        qDebug().noquote() << DeviceText::tr("Wrong data in file：") + QStringLiteral("\r\n") + ffmpegText;
        return WaveWrite::ConversionFailed;
    }
    {
        // Both folders are reached before either file is written.
        QMutexLocker hold(&m_lock);
        if (m_folders->check() != ztplatform::Reach::Inside) {
            qWarning() << "not the pad loaded at the pad's place; no more sounds are written";
            return WaveWrite::Stopped;
        }
        pair.data = &m_folders->get(m_dataPath, fff);
        if (const WaveWrite failure = folderFailure(*pair.data, m_dataPath, fff); failure != WaveWrite::Written) {
            if (failure == WaveWrite::Stopped)
                qDebug().noquote() << QStringLiteral("创建文件夹失败");
            return failure;
        }
        pair.prm = &m_folders->get(m_prmPath, fff);
        if (const WaveWrite failure = folderFailure(*pair.prm, m_prmPath, fff); failure != WaveWrite::Written)
            return failure;
        // Whatever stands at a name of the pair (a pair the editor did not
        // list, a link) is never opened, replaced or removed.
        if (!pairfiles::findEntry(pair.data->folder, pair.wavName).isEmpty()
            || !pairfiles::findEntry(pair.prm->folder, pair.prmName).isEmpty()) {
            qWarning() << "an entry stands at the name of wave" << waveNo << ":" << m_dataPath + QLatin1Char('/') + fff;
            return WaveWrite::Blocked;
        }
        pair.hiddenWav = pairfiles::freeHiddenName(pair.data->folder, pair.wavName);
        pair.hiddenPrm = pairfiles::freeHiddenName(pair.prm->folder, pair.prmName);
    }
    qint64 size = 0;
    const ztplatform::OpenFolder &data = pair.data->folder, &prm = pair.prm->folder;
    const bool written =
            writeHidden(data, pair.hiddenWav, [&](int fd) { return copyInto(data.disk(), converted, fd, &size); })
            && writeHidden(prm, pair.hiddenPrm, [&](int fd) {
                   const QByteArray record = waveprm::buildRecord(quint16(waveNo), name, quint32(size));
                   return prm.disk().write(fd, record.constData(), record.size());
               });
    if (!written) {
        const int error = errno;
        drop(pair);
        return refused(error, refusal);
    }
    QMutexLocker hold(&m_lock);
    m_pairs.push_back(pair);
    return WaveWrite::Written;
}

QVector<Failure> AddBatch::commit()
{
    QMutexLocker hold(&m_lock);
    QVector<Failure> failed;
    auto fail = [&](const Pair &p, int error, bool stopped) {
        failed << Failure{p.waveNo, p.source, 0, error, stopped};
    };
    if (m_pairs.empty())
        return failed;
    // Every hidden file's entry on the disk before any pair takes its names.
    if (!m_folders->syncAll()) {
        const int error = errno;
        for (const Pair &p : m_pairs) {
            drop(p);
            fail(p, error, true);
        }
        m_pairs.clear();
        return failed;
    }
    bool stopped = false;
    int stop = 0; // the errno that ended the renames
    std::vector<Pair> named;
    for (Pair &p : m_pairs) {
        if (!stopped && m_folders->check() != ztplatform::Reach::Inside) {
            qWarning() << "not the pad loaded at the pad's place; no more sounds are written";
            stopped = true;
        }
        if (!stopped) {
            p.wavNamed = pairfiles::moveEntry(p.data->folder, p.hiddenWav, p.data->folder, p.wavName);
            p.prmNamed = p.wavNamed && pairfiles::moveEntry(p.prm->folder, p.hiddenPrm, p.prm->folder, p.prmName);
        }
        if (p.prmNamed) {
            named.push_back(p);
            continue;
        }
        int error = stop;
        if (!stopped) {
            // Another entry took a name meanwhile: this sound alone stays out.
            error = errno;
            stopped = refused(error, nullptr) == WaveWrite::Stopped;
            stop = stopped ? error : 0;
        }
        takeBack(p);
        fail(p, error == EEXIST ? 0 : error, stopped);
    }
    // Every name on the disk before the sounds count as written.
    if (!m_folders->syncAll()) {
        const int error = errno;
        for (const Pair &p : named) {
            takeBack(p);
            fail(p, error, true);
        }
        m_folders->syncAll();
    }
    m_pairs.clear();
    return failed;
}

// --- Deleting ---------------------------------------------------------------

namespace {

// The numbered folder ("fff") and the file's stem of a .wav path below
// dataPath, by the text alone: the files are looked for below the root.
// Empty when the path names no file of a numbered folder of dataPath.
QPair<QString, QString> wavePlace(const QString &wavPath, const QString &dataPath)
{
    const QString base = QDir::cleanPath(QDir::fromNativeSeparators(dataPath)) + QLatin1Char('/');
    const QString path = QDir::cleanPath(QDir::fromNativeSeparators(wavPath));
    if (!padtree::isUsableFolder(dataPath) || !path.startsWith(base, Qt::CaseInsensitive))
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
    const Folder *data = nullptr;
    const Folder *prm = nullptr;
    QString wavName, prmName, hiddenWav, hiddenPrm; // a name is empty for a file already gone
};

DeleteBatch::DeleteBatch(const ztplatform::FolderAnchor &root, const PadTreePaths &tree)
    : m_root(root)
    , m_tree(tree)
    , m_dataPath(tree.dataPath)
    , m_prmPath(tree.prmPath)
    , m_folders(std::make_unique<Folders>(root, false))
{
}

DeleteBatch::~DeleteBatch() = default;

void DeleteBatch::putBack(const Pair &pair) const
{
    if (!pair.prmName.isEmpty())
        pairfiles::moveEntry(pair.prm->folder, pair.hiddenPrm, pair.prm->folder, pair.prmName);
    if (!pair.wavName.isEmpty())
        pairfiles::moveEntry(pair.data->folder, pair.hiddenWav, pair.data->folder, pair.wavName);
}

int DeleteBatch::stage(const QString &path, int *error)
{
    *error = 0;
    const QPair<QString, QString> found = wavePlace(path, m_dataPath);
    if (!m_root.isValid())
        return UsbUpdate::PadGone;
    if (found.first.isEmpty() || !padtree::isUsableFolder(m_prmPath)) {
        qDebug() << "not a wave of the pad:" << path;
        return UsbUpdate::LinkedFolder;
    }
    QMutexLocker hold(&m_lock);
    // Both folders and both files are reached before either file is touched,
    // so a pair leaves whole or stays whole.
    Pair pair;
    pair.path = path;
    if (const int gone = stayReason(m_folders->check(), m_root, m_dataPath); gone >= 0)
        return gone;
    pair.data = &m_folders->get(m_dataPath, found.first);
    int why = stayReason(pair.data->reach, m_root, m_dataPath);
    pair.prm = &m_folders->get(m_prmPath, found.first);
    if (why < 0)
        why = stayReason(pair.prm->reach, m_root, m_dataPath);
    if (why >= 0)
        return why;
    if (!pair.data->folder.isOpen() && !pair.prm->folder.isOpen())
        return -1; // neither folder is there: nothing to remove
    const QString wavName = QFileInfo(QDir::fromNativeSeparators(path)).fileName();
    pair.wavName = pairfiles::findEntry(pair.data->folder, wavName);
    pair.prmName = pairfiles::findEntry(pair.prm->folder, found.second + QStringLiteral(".prm"));
    if (pair.data->folder.isLink(pair.wavName) || pair.prm->folder.isLink(pair.prmName)) {
        qDebug() << "a file of the pair is a link:" << path;
        return UsbUpdate::LinkedFolder;
    }
    if (pair.wavName.isEmpty() && pair.prmName.isEmpty())
        return -1; // already gone
    pair.hiddenWav = pairfiles::freeHiddenName(pair.data->folder, pair.wavName);
    pair.hiddenPrm = pairfiles::freeHiddenName(pair.prm->folder, pair.prmName);
    const bool wavHidden =
            pair.wavName.isEmpty() || pairfiles::moveEntry(pair.data->folder, pair.wavName, pair.data->folder, pair.hiddenWav);
    if (!wavHidden || (!pair.prmName.isEmpty()
                       && !pairfiles::moveEntry(pair.prm->folder, pair.prmName, pair.prm->folder, pair.hiddenPrm))) {
        *error = errno;
        if (wavHidden && !pair.wavName.isEmpty())
            pairfiles::moveEntry(pair.data->folder, pair.hiddenWav, pair.data->folder, pair.wavName);
        qWarning() << "cannot remove" << path << ":" << std::strerror(*error);
        return UsbUpdate::NotRemovable;
    }
    m_pairs.push_back(pair);
    return -1;
}

QVector<Failure> DeleteBatch::commit()
{
    QMutexLocker hold(&m_lock);
    QVector<Failure> failed;
    auto fail = [&](const Pair &p, int why, int error) {
        qWarning() << "cannot remove" << p.path << ":" << std::strerror(error);
        failed << Failure{0, p.path, why, error, why != UsbUpdate::NotRemovable};
    };
    if (m_pairs.empty())
        return failed;
    // Every pair under hidden names on the disk before any file goes.
    if (!m_folders->syncAll()) {
        const int error = errno;
        for (const Pair &p : m_pairs) {
            putBack(p);
            fail(p, UsbUpdate::NotRemovable, error);
        }
        m_folders->syncAll();
        m_pairs.clear();
        return failed;
    }
    int gone = -1; // why the pairs from here on stay
    for (const Pair &p : m_pairs) {
        if (gone < 0)
            gone = stayReason(m_folders->check(), m_root, m_dataPath);
        if (gone >= 0) {
            putBack(p);
            fail(p, gone, 0);
            continue;
        }
        if (!p.wavName.isEmpty() && !p.data->folder.remove(p.hiddenWav)) {
            const int error = errno;
            putBack(p);
            fail(p, UsbUpdate::NotRemovable, error);
            continue;
        }
        // The .wav is gone: the pair is too, whatever the record's removal
        // says (a hidden record left is removed by the next load).
        if (!p.prmName.isEmpty() && !p.prm->folder.remove(p.hiddenPrm))
            qWarning() << "the removed pair's record stays hidden:" << std::strerror(errno);
    }
    if (!m_folders->syncAll())
        qWarning() << "the removed pairs' folders did not reach the disk:" << std::strerror(errno);
    m_pairs.clear();
    return failed;
}

} // namespace pairbatch
