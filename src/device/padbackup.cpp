#include "device/padbackup.h"

#include "device/padkits.h"
#include "device/padpaths.h"
#include "device/waveprm.h"
#include "kitfile/kitslots.h"
#include "platform/disk.h"
#include "platform/descriptor.h"
#include "platform/durablefile.h"
#include "platform/errortext.h"
#include "platform/job.h"
#include "platform/regularfile.h"
#include "platform/replacefile.h"
#include "platform/sysio.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <limits>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace padbackup {

namespace {

constexpr qint64 kLargest = 1 << 20; // no file the pad's tree holds here is larger

// A name a folder may carry: letters, digits, "-", "_" and "." only.
QString folderSafe(const QString &text)
{
    QString out;
    for (const QChar c : text.trimmed()) {
        const bool plain = c.unicode() < 128 && (c.isLetterOrNumber() || c == '-' || c == '_' || c == '.');
        out += plain ? c : QChar('_');
    }
    return out.startsWith('.') ? QStringLiteral("_") + out : out;
}

// The bytes of entry `name` of the open folder: a regular file read whole,
// opened without following a link or waiting on a pipe; false when it is not.
bool readEntry(const ztplatform::OpenFolder &folder, const QString &name, QByteArray *bytes)
{
    return folder.isOpen()
            && ztplatform::readRegularFileAt(folder.disk(), folder.fd(), name, kLargest, *bytes)
                       == ztplatform::FileRead::Read;
}

// The regular files of `folder` below the pad's root that `wanted` takes,
// as `prefix` + "/" + name.
void readFolder(const ztplatform::FolderAnchor &root, const QString &folder, const QString &prefix,
                const std::function<bool(const QString &)> &wanted, QVector<File> &out)
{
    if (folder.isEmpty())
        return;
    const ztplatform::OpenFolder open = root.isValid() ? root.openFolder(folder) : ztplatform::OpenFolder();
    if (!open.isOpen())
        return;
    for (const padtree::FolderEntry &entry : padtree::listEntriesAndLinks(open, folder)) {
        if (!entry.isFile() && !entry.isDir())
            continue;
        const QString &name = entry.name;
        File file{prefix + QLatin1Char('/') + name, {}};
        if (wanted(name) && readEntry(open, name, &file.bytes))
            out.append(file);
    }
}

} // namespace

QString tr(const char *text)
{
    return QCoreApplication::translate("padbackup", text);
}

QString backupsRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/zt350editor/pad-backups");
}

QString padFolderName(const PadIdentity &identity)
{
    if (!identity.volume.uuid.trimmed().isEmpty())
        return folderSafe(identity.volume.uuid);
    if (!identity.volume.usbSerial.trimmed().isEmpty())
        return QStringLiteral("usb-") + folderSafe(identity.volume.usbSerial);
    const QByteArray digest = QCryptographicHash::hash(identity.fingerprint, QCryptographicHash::Sha256).toHex();
    return QStringLiteral("pad-") + QString::fromLatin1(digest.left(16));
}

namespace {

const QString kSamePads = QStringLiteral(".same-pads"); // "<name> <folder>" a line
constexpr int kSamePadsKept = 1000;                     // lines, the newest
constexpr qint64 kSamePadsLargest = kSamePadsKept * 42;  // "pad-" 16 digits, a blank, again, a line end

// "pad-" and 16 lower-case hex digits, as padFolderName gives.
bool digestName(const QString &name)
{
    const QString prefix = QStringLiteral("pad-");
    if (name.size() != prefix.size() + 16 || !name.startsWith(prefix))
        return false;
    return std::all_of(name.begin() + prefix.size(), name.end(), [](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
    });
}

// The names handed another pad's folder, in the order they were handed. The
// list is read, not trusted: a link, a pipe or anything but a regular file at
// its name, or a file larger than the list is ever written, gives none; a
// last line cut short and lines that are not two digest names are left out.
// The data folder is opened first, so a drive that does not answer is found
// whatever the pad's name.
QVector<QPair<QString, QString>> samePads(const QString &root, bool read)
{
    QVector<QPair<QString, QString>> out;
    const ztplatform::Descriptor folder(ztplatform::sysio::open(root, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.isOpen() || !read)
        return out;
    QByteArray bytes;
    const ztplatform::FileRead found =
            ztplatform::readRegularFileAt(folder.get(), kSamePads, kSamePadsLargest, bytes);
    if (found == ztplatform::FileRead::Missing)
        return out;
    if (found != ztplatform::FileRead::Read) {
        qWarning() << "the list of pads' backup folders is not read:" << root + QLatin1Char('/') + kSamePads;
        return out;
    }
    bytes.truncate(bytes.lastIndexOf('\n') + 1); // a line cut short is no line
    for (const QByteArray &line : bytes.split('\n')) {
        const QList<QByteArray> names = line.trimmed().split(' ');
        if (names.size() == 2 && digestName(QString::fromLatin1(names.at(0)))
            && digestName(QString::fromLatin1(names.at(1))))
            out.append({QString::fromLatin1(names.at(0)), QString::fromLatin1(names.at(1))});
    }
    return out;
}

} // namespace

QString padFolder(const PadIdentity &identity, const QString &root)
{
    const QString name = padFolderName(identity);
    QString folder = name;
    for (const QPair<QString, QString> &same : samePads(root, digestName(name))) {
        if (same.first == name)
            folder = same.second;
    }
    return root + QLatin1Char('/') + folder;
}

bool keepFolderFor(const PadIdentity &loaded, const QByteArray &global, const QString &padFolder, QString *why,
                   const std::shared_ptr<ztplatform::Leftovers> &leftovers)
{
    PadIdentity next = loaded;
    next.fingerprint = fingerprintWith(loaded, global);
    const QString name = padFolderName(next);
    const QFileInfo folder(padFolder);
    const QString root = folder.path();
    if (!digestName(name) || !digestName(folder.fileName()) || name == folder.fileName())
        return true;
    QVector<QPair<QString, QString>> same = samePads(root, true);
    same.erase(std::remove_if(same.begin(), same.end(), [&name](const QPair<QString, QString> &s) {
        return s.first == name;
    }), same.end());
    same.append({name, folder.fileName()});
    QByteArray bytes;
    for (int i = qMax(0, same.size() - kSamePadsKept); i < same.size(); ++i)
        bytes += same.at(i).first.toLatin1() + ' ' + same.at(i).second.toLatin1() + '\n';
    ztplatform::ReplaceFile file(root + QLatin1Char('/') + kSamePads, leftovers);
    const bool ok = ztplatform::makePath(root) && file.open() && file.write(bytes)
                    && file.readBack([&bytes](const QString &path) {
                           ztplatform::Disk &disk = ztplatform::sysio::disk();
                           const ztplatform::Descriptor fd(
                                   disk.openAt(AT_FDCWD, QFile::encodeName(path), O_RDONLY | O_CLOEXEC));
                           QByteArray back;
                           return fd.isOpen() && ztplatform::readStart(disk, fd.get(), bytes.size() + 1, &back)
                                  && back == bytes;
                       })
                    && file.commit();
    if (!ok && why)
        *why = file.errorString().isEmpty() ? ztplatform::errorText(errno) : file.errorString();
    return ok;
}

QVector<File> readSettings(const ztplatform::FolderAnchor &root, const PadTreePaths &tree)
{
    QVector<File> out;
    readFolder(root, tree.kitPath, QFileInfo(tree.kitPath).fileName(),
               [](const QString &name) { return padKitSlot(name) >= 0; }, out);
    readFolder(root, tree.sysPath, QFileInfo(tree.sysPath).fileName(), [](const QString &name) {
        return name.compare(QLatin1String("global.ini"), Qt::CaseInsensitive) == 0
               || name.compare(QLatin1String("alter.ini"), Qt::CaseInsensitive) == 0;
    }, out);
    return out;
}

QVector<File> readPrmRecords(const ztplatform::FolderAnchor &root, const PadTreePaths &tree)
{
    QVector<File> out;
    const QString base = QFileInfo(tree.prmPath).fileName();
    for (const QString &folder : tree.wavePrmList) {
        readFolder(root, folder, base + QLatin1Char('/') + QFileInfo(folder).fileName(), [](const QString &name) {
            return name.endsWith(QLatin1String(".prm"), Qt::CaseInsensitive);
        }, out);
    }
    return out;
}

namespace {

// Up to `most` bytes from the start of the file at `path`, read through `disk`.
bool readFileStart(ztplatform::Disk &disk, const QString &path, qint64 most, QByteArray *bytes)
{
    const ztplatform::Descriptor fd(disk.openAt(AT_FDCWD, QFile::encodeName(path), O_RDONLY | O_CLOEXEC));
    return fd.isOpen() && ztplatform::readStart(disk, fd.get(), most, bytes);
}

// The names the .prm records below `prmFolder` (WAV_PRM/001/001.prm ...)
// give their wave numbers, and the records; links are left out.
void takeSoundNames(ztplatform::Disk &disk, const QString &prmFolder, Contents *c, const std::function<void()> &beat)
{
    for (const padtree::FolderEntry &folder : padtree::listEntries(disk, prmFolder, true)) {
        if (beat)
            beat();
        for (const padtree::FolderEntry &f : padtree::listEntries(disk, folder.path, false)) {
            QByteArray record;
            if (!f.isFile() || !f.name.endsWith(QLatin1String(".prm"), Qt::CaseInsensitive)
                || !readFileStart(disk, f.path, waveprm::PRM_RECORD_SIZE, &record))
                continue;
            const waveprm::PrmRecord rec = waveprm::parseRecord(record);
            if (rec.waveNo <= 0)
                continue;
            c->soundNames.insert(rec.waveNo, percussionpadfile::charArray2String(rec.nameField.constData(),
                                                                                  SOUND_NAME_LENGTH_MAX));
            c->soundRecords.insert(rec.waveNo, record);
        }
    }
}

} // namespace

Contents read(const QString &backupFolder, bool soundNames, const std::function<void()> &beat)
{
    ztplatform::Disk &disk = ztplatform::sysio::disk();
    const QDir backup(backupFolder);
    if (beat)
        beat();
    Contents c;
    c.kitRecords.resize(KIT_MAX_COUNT);
    const padtree::FolderEntries entries = padtree::listEntries(disk, backupFolder, false);
    auto sub = [&backup, &entries](const QString &name) {
        for (const padtree::FolderEntry &entry : entries) {
            if (entry.name.compare(name, Qt::CaseInsensitive) == 0)
                return backup.filePath(entry.name);
        }
        return QString();
    };
    c.kitFolder = sub(QStringLiteral("KIT"));
    if (c.kitFolder.isEmpty()) {
        c.why = tr("The backup holds no kits.");
        return c;
    }
    for (const padtree::FolderEntry &f : padtree::listEntries(disk, c.kitFolder, false)) {
        const int slot = padKitSlot(f.name);
        if (f.isFile() && slot >= 0)
            readFileStart(disk, f.path, kLargest, &c.kitRecords[slot]);
    }
    const QString sys = sub(QStringLiteral("SYS"));
    for (const padtree::FolderEntry &f : padtree::listEntries(disk, sys, false)) {
        if (f.isFile() && f.name.compare(QLatin1String("global.ini"), Qt::CaseInsensitive) == 0)
            c.globalFile = QDir(sys).absoluteFilePath(f.name);
    }
    const QString prm = sub(QStringLiteral("WAV_PRM"));
    if (soundNames && !prm.isEmpty())
        takeSoundNames(disk, prm, &c, beat);
    c.ok = true;
    return c;
}

bool sameSound(const QByteArray &record, const Held &now)
{
    if (record.isEmpty())
        return true;
    const waveprm::PrmRecord was = waveprm::parseRecord(record);
    return was.wave_length == now.length && was.wave_start == now.start && was.wave_end == now.end
           && (now.name.isEmpty() || was.nameField == now.name);
}

QVector<Missing> emptyMissingSlots(QVector<MainWindow1Records::soundKit> &kits, const QHash<quint16, Held> &present,
                                   const QHash<int, QString> &names, const QHash<int, QByteArray> &records)
{
    QVector<Missing> missing;
    QHash<quint16, bool> judged; // wave number -> gone, each judged once
    auto gone = [&](quint16 no) {
        if (no == NO_WAVE)
            return false;
        const auto seen = judged.constFind(no);
        if (seen != judged.constEnd())
            return *seen;
        const auto now = present.constFind(no);
        const auto was = records.constFind(no + 1);
        // A backup that holds records knew no sound under a number it has none for.
        const bool out = now == present.constEnd() || (was == records.constEnd() ? !records.isEmpty()
                                                                                 : !sameSound(*was, *now));
        judged.insert(no, out);
        return out;
    };
    for (int k = 0; k < kits.size(); ++k) {
        MainWindow1Records::soundKit &kit = kits[k];
        const auto drop = [&](auto s, int pad, int slot) {
            if (!gone(s.no))
                return false;
            missing.append({k + 1, pad, slot, s.no + 1, names.value(s.no + 1)});
            s.no = NO_WAVE;
            s.name.clear();
            s.file.clear();
            s.cluster = s.length = s.start = s.end = 0;
            return true;
        };
        for (int p = 0; p < PAD_NUM_MAX; ++p) {
            MainWindow1Records::KIT_PAD_SETTING &d = kit.kpadChunk[p];
            int layer = 0;
            setupfiles::forEachLayer(d, [&](auto s) {
                if (drop(s, p + 1, layer))
                    (layer ? d.soundIndex1 : d.soundIndex0).clear();
                ++layer;
            });
        }
        int i = 0;
        setupfiles::forEachHiHatSlot(kit, [&](auto s) { drop(s, 0, ++i); });
    }
    return missing;
}

} // namespace padbackup

namespace {
constexpr unsigned long kEndLimitMs = 2000; // a backup stopped at the end that does not end by then is left
} // namespace

PadBackupWriter::PadBackupWriter(ztplatform::Disk *disk, QObject *parent)
    : QObject(parent)
    , m_disk(disk)
{
}

// Nothing was written to the pad while its backup runs: one cut short here
// is taken again at the pad's next load.
PadBackupWriter::~PadBackupWriter()
{
    m_state->stop = true;
    if (m_job)
        m_job->waitFor(int(kEndLimitMs));
}

void PadBackupWriter::start(const QString &padFolder, const QDateTime &when,
                            const QVector<padbackup::File> &settings, const QVector<padbackup::File> &prm)
{
    wait();
    m_state = std::make_shared<State>();
    m_result = padbackup::Written();
    const int total = settings.size() + prm.size();
    m_total = total;
    ztplatform::Disk *disk = m_disk;
    const std::shared_ptr<State> state = m_state;
    auto *job = new ztplatform::Job(
            [state, padFolder, when, settings, prm, disk, total](const ztplatform::Job::Report &report) {
                // Below the load and the window: the backup takes what they leave.
                ::setpriority(PRIO_PROCESS, ::gettid(), 19);
                state->result = padbackup::write(padFolder, when, settings, prm, padbackup::KEEP, disk,
                                                 [state, report, total](int done) {
                                                     state->done = done;
                                                     report(done, total);
                                                 },
                                                 &state->stop);
            },
            this);
    m_job = job;
    connect(job, &ztplatform::Job::finished, this, [this, job] {
        if (m_job == job)
            ended(); // else told by wait(), or abandoned
    });
    job->start();
}

void PadBackupWriter::ended()
{
    m_job->deleteLater();
    m_job = nullptr;
    m_result = m_state->result; // the work has ended: its result is whole
    emit finished(m_result.ok, m_result.why);
}

void PadBackupWriter::abandon()
{
    if (!m_job)
        return;
    m_state->stop = true;
    m_job->deleteLater(); // its thread ends on its own
    m_job = nullptr;
}

void PadBackupWriter::wait()
{
    if (!m_job)
        return;
    m_job->waitFor(std::numeric_limits<int>::max());
    ended();
}
