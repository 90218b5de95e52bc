#include "library/groupentries.h"

#include "library/soundsource.h"
#include "kitfile/fileread.h"
#include "kitfile/soundsource.h"
#include "kitfile/storedsounds.h"
#include "platform/timedlook.h"
#include "platform/pathcase.h"
#include "platform/regularfile.h"
#include "platform/sysio.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QIODevice>

#include <atomic>
#include <map>
#include <memory>
#include <vector>
#include <fcntl.h>
#include <sys/stat.h>

namespace groupentries {

namespace {

// A device that hashes what is written to it.
class HashSink : public QIODevice
{
public:
    explicit HashSink(std::function<void()> written = {})
        : m_hash(QCryptographicHash::Sha256)
        , m_written(std::move(written))
    {
        open(QIODevice::WriteOnly);
    }
    QString hex() const { return QString::fromLatin1(m_hash.result().toHex()); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 len) override
    {
        m_hash.addData(data, int(len));
        if (m_written)
            m_written();
        return len;
    }

private:
    QCryptographicHash m_hash;
    std::function<void()> m_written;
};

// One kit file as it is on the disk, with its entries by identity and the
// digests of those read.
struct KitOnDisk
{
    QVector<Records::READ_KIT_FILE> read = QVector<Records::READ_KIT_FILE>(1);
    bool ok = false;
    QString stamp;
    std::unique_ptr<setupfiles::StoredSoundLocator> locator;
    QHash<QString, int> byIdentity; // name + length -> entry, -1 when several
    QHash<quint32, QVector<int>> byLength;
    QHash<int, QString> digests;
    bool indexed = false;
    std::shared_ptr<ztplatform::FolderFence> fence; // past which its bytes are read

    static QString key(const Identity &id) { return QString::number(id.length) + QLatin1Char('/') + id.name; }

    const percussionpadfile::P_SOUND_INDEX &entry(int e) const { return read[0].info.soundChunk.soundIndex[e]; }
    int count() const { return read[0].info.soundChunk.soundIndex ? read[0].info.soundChunk.soundCount : 0; }

    void index()
    {
        if (indexed)
            return;
        for (int e = 0; e < count(); ++e) {
            const QString k = key(ofEntry(entry(e)));
            byIdentity.insert(k, byIdentity.contains(k) ? -1 : e);
            byLength[entry(e).wave_length].append(e);
        }
        indexed = true;
    }
    QString digest(int e)
    {
        auto it = digests.find(e);
        if (it == digests.end())
            it = digests.insert(e, digestAt(read[0].file, entry(e).wave_start, entry(e).wave_length, {}, nullptr, {},
                                            fence));
        return *it;
    }
    // The entry whose bytes are `id`'s: by digest when the row has one, else
    // the one entry of its name and length; -1 when none.
    int find(const Identity &id)
    {
        index();
        if (id.digest.isEmpty())
            return byIdentity.value(key(id), -1);
        for (int e : byLength.value(quint32(id.length))) {
            if (digest(e) == id.digest)
                return e;
        }
        return -1;
    }
};

// The copies in the kept sounds folder, looked at only when a row needs them.
struct KeptCopies
{
    QString folder;
    bool listed = false;
    QHash<qint64, QStringList> bySize;
    QHash<QString, QString> digests;
    std::shared_ptr<ztplatform::FolderFence> fence;

    QString find(const Identity &id)
    {
        if (!listed) {
            const QDir dir(folder);
            for (const ztplatform::FolderFile &f : ztplatform::filesOfFolder(ztplatform::sysio::disk(), folder, true, true))
                bySize[f.size].append(dir.absoluteFilePath(f.name));
            listed = true;
        }
        for (const QString &copy : bySize.value(id.length)) {
            auto it = digests.find(copy);
            if (it == digests.end())
                it = digests.insert(copy, digestOfFile(copy, nullptr, {}, fence));
            if (*it == id.digest)
                return QDir::toNativeSeparators(copy);
        }
        return QString();
    }
};

// A row whose bytes are elsewhere: checked against its file, then the kept copies.
struct Checker
{
    std::map<QString, KitOnDisk> files;
    KeptCopies kept;
    Checked out;
    std::shared_ptr<ztplatform::FolderFence> fence; // past which every file is read
    std::shared_ptr<ztplatform::SilentFiles> silent; // the files whose looks were given up on

    KitOnDisk &kit(const QString &path)
    {
        auto [it, first] = files.try_emplace(path);
        KitOnDisk &k = it->second;
        if (first) {
            k.fence = fence;
            ztplatform::FileStamp stamp = ztplatform::fileStamp(path);
            k.ok = readStoredSounds(path, k.read[0], fence);
            // Stamped before the read: a change while it reads shows at the next start.
            k.stamp = k.ok ? stampText(stamp) : QString();
            k.locator = std::make_unique<setupfiles::StoredSoundLocator>(k.read, silent, ztplatform::Waiter(), fence);
        }
        return k;
    }

    // A plain file's bytes and its stamp as read, each file read once.
    QHash<QString, QPair<QString, QString>> plainFiles;

    void row(const QString &group, soundfilexml::strSoundItem &s);
    void plainRow(const QString &group, soundfilexml::strSoundItem &s, Identity id);
    bool fromKept(const QString &group, soundfilexml::strSoundItem &s, const Identity &id);
};

bool Checker::fromKept(const QString &group, soundfilexml::strSoundItem &s, const Identity &id)
{
    if (id.digest.isEmpty())
        return false;
    const QString copy = kept.find(id);
    if (copy.isEmpty())
        return false;
    qDebug() << "the group sound" << s.name << "is taken from the kept copy" << copy;
    out.fromKept.append({group, s.name, copy});
    s.file = copy;
    Identity now = id;
    now.seen = stampText(ztplatform::fileStamp(copy));
    setItem(s, now);
    return true;
}

// A plain file: its bytes are read only when its stamp changed since the row's
// digest was taken. Other bytes at its path are not the row's sound: it takes
// a kept copy of them, else it is lost; a file that is gone (on a drive not
// plugged in, say) leaves the row as it is, unless a kept copy holds its bytes.
void Checker::plainRow(const QString &group, soundfilexml::strSoundItem &s, Identity id)
{
    if (id.digest.isEmpty())
        return;
    auto it = plainFiles.find(s.file);
    if (it == plainFiles.end()) {
        const QString stamp = stampText(ztplatform::fileStamp(s.file));
        if (stamp == id.seen)
            return; // untouched since: nothing is read
        ztplatform::FileStamp read;
        const QString digest = stamp.isEmpty() ? QString() : digestOfFile(s.file, &read, {}, fence);
        it = plainFiles.insert(s.file, {digest, digest.isEmpty() ? stamp : stampText(read)});
    }
    if (it->first == id.digest) {
        if (id.seen != it->second) {
            id.seen = it->second;
            setItem(s, id);
        }
        return;
    }
    if (fromKept(group, s, id) || !ztplatform::entryExists(s.file))
        return;
    s.lost = true;
    out.unmatched.append({group, s.name, s.file});
}

void Checker::row(const QString &group, soundfilexml::strSoundItem &s)
{
    Identity id = ofItem(s);
    const setupfiles::StoredRef ref = setupfiles::parseStoredSource(s.file);
    if (!id.known())
        return;
    if (!ref.isStored()) {
        plainRow(group, s, id);
        return;
    }
    KitOnDisk &k = kit(ref.kitFile);
    if (!k.ok) {
        if (!ztplatform::entryExists(ref.kitFile))
            fromKept(group, s, id);
        return;
    }
    const int e = k.locator->entryOf(0, s.file);
    if (e >= 0 && ofEntry(k.entry(e)) == id
        && (id.digest.isEmpty() || id.seen == k.stamp || k.digest(e) == id.digest)) {
        if (!id.digest.isEmpty() && id.seen != k.stamp) {
            id.seen = k.stamp;
            setItem(s, id);
        }
        return;
    }
    const int moved = k.find(id);
    const QString there = moved >= 0 ? k.entry(moved).fileName : QString();
    if (!there.isEmpty()) {
        qDebug() << "the group sound" << s.name << "moved in its kit file to" << there;
        s.file = QDir::toNativeSeparators(there);
        Identity now = ofEntry(k.entry(moved));
        now.digest = id.digest;
        now.seen = id.digest.isEmpty() ? QString() : k.stamp;
        setItem(s, now);
        return;
    }
    if (fromKept(group, s, id))
        return;
    s.lost = true;
    out.unmatched.append({group, s.name, s.file});
}

} // namespace

Identity ofEntry(const percussionpadfile::P_SOUND_INDEX &entry)
{
    return {percussionpadfile::charArray2String(entry.wave_name, SOUND_NAME_LENGTH), qint64(entry.wave_length), {}, {}};
}

Identity ofItem(const soundfilexml::strSoundItem &item)
{
    bool number = false;
    const qint64 length = item.entryLength.toLongLong(&number);
    if (!number || length < 0)
        return {};
    return {item.entryName, length, item.entryDigest, item.entrySeen};
}

void setItem(soundfilexml::strSoundItem &item, const Identity &id)
{
    item.entryName = id.known() ? id.name : QString();
    item.entryLength = id.known() ? QString::number(id.length) : QString();
    item.entryDigest = id.known() ? id.digest : QString();
    item.entrySeen = id.known() && !id.digest.isEmpty() ? id.seen : QString();
}

QString stampText(const ztplatform::FileStamp &s)
{
    if (!s.identity.valid)
        return QString();
    const QByteArray full = QStringLiteral("%1:%2:%3:%4.%5:%6.%7")
                                    .arg(s.identity.device)
                                    .arg(s.identity.inode)
                                    .arg(s.size)
                                    .arg(s.modifiedSeconds)
                                    .arg(s.modifiedNanoseconds)
                                    .arg(s.changedSeconds)
                                    .arg(s.changedNanoseconds)
                                    .toLatin1();
    // Short, as every row keeps it: a stamp that differs reads the bytes again.
    return QString::fromLatin1(QCryptographicHash::hash(full, QCryptographicHash::Sha256).toHex().left(12));
}

QString digestAt(const QString &file, quint64 offset, quint64 length,
                 const std::function<bool(const ztplatform::FileStamp &)> &expected, ztplatform::FileStamp *stamp,
                 const std::function<void()> &read, const std::shared_ptr<ztplatform::FolderFence> &fence)
{
    if (offset > 0xFFFFFFFFu || length > 0xFFFFFFFFu)
        return QString();
    HashSink sink(read);
    soundsource::CopyFault fault = soundsource::CopyFault::None;
    auto check = [&expected, stamp](const ztplatform::FileStamp &opened) {
        if (stamp)
            *stamp = opened;
        return !expected || expected(opened);
    };
    const quint64 copied = soundsource::copyStoredWave(file, quint32(offset), quint32(length), sink, nullptr, &fault,
                                                       check, {}, fence);
    return copied == length && fault == soundsource::CopyFault::None ? sink.hex() : QString();
}

QString digestOfFile(const QString &file, ztplatform::FileStamp *stamp, const std::function<void()> &read,
                     const std::shared_ptr<ztplatform::FolderFence> &fence)
{
    struct stat st;
    if (file.isEmpty() || ztplatform::diskOf(fence).statAt(AT_FDCWD, QFile::encodeName(file), &st) != 0
        || !S_ISREG(st.st_mode))
        return QString();
    const quint64 size = quint64(st.st_size);
    // The file as opened holds as many bytes as were asked for.
    auto whole = [size](const ztplatform::FileStamp &opened) { return opened.size == size; };
    return digestAt(file, 0, size, whole, stamp, read, fence);
}

bool readStoredSounds(const QString &kitFile, Records::READ_KIT_FILE &rec,
                      const std::shared_ptr<ztplatform::FolderFence> &fence)
{
    setupfiles::KitTables tables;
    const bool whole = setupfiles::isWholeSetupPath(kitFile);
    const setupfiles::LoadError err = whole ? setupfiles::readWholeSetupFile(kitFile, rec, tables, nullptr, nullptr, {}, fence)
                                            : setupfiles::readKitFile(kitFile, rec, tables, fence);
    if (err != setupfiles::LoadError::None)
        return false;
    rec.info.kitChunk = percussionpadfile::FILE_KIT_CHUNK(); // the tables go here
    for (int i = 0; !whole && i < rec.info.soundChunk.soundCount; ++i)
        rec.info.soundChunk.soundIndex[i].fileName = setupfiles::storedSource(kitFile, i);
    return true;
}

bool repoint(QVector<soundfilexml::strSoundGroup> &groups, const QHash<QString, QString> &to,
             const QHash<QString, Identity> &was, const QHash<QString, Identity> &now,
             const std::function<void(int group, int row, const QString &file)> &moved)
{
    bool any = false;
    for (int g = 0; g < groups.size(); ++g) {
        QVector<soundfilexml::strSoundItem> &sounds = groups[g].soundList;
        for (int r = 0; r < sounds.size(); ++r) {
            soundfilexml::strSoundItem &s = sounds[r];
            const auto it = to.constFind(s.file);
            if (it == to.constEnd() || s.lost)
                continue;
            const Identity had = ofItem(s);
            if (was.contains(it.key()) && !fits(had, was.value(it.key()))) {
                qWarning() << "the group sound" << it.key() << "names another sound than the one stored there";
                continue;
            }
            // The bytes are the same where they go: the row keeps their digest.
            Identity id = now.value(it.value());
            if (id.digest.isEmpty() && (!id.known() || id.length == had.length)) {
                id.digest = had.digest;
                id.seen.clear();
            }
            if (!id.known() && !had.digest.isEmpty())
                id = {QString(), had.length, had.digest, QString()};
            setItem(s, id);
            s.file = it.value();
            if (moved)
                moved(g, r, it.value());
            any = true;
        }
    }
    return any;
}

namespace {

// The file a row's check reads first: its own, or its kit file.
QString fileOfRow(const soundfilexml::strSoundItem &s)
{
    const setupfiles::StoredRef ref = setupfiles::parseStoredSource(s.file);
    return QDir::fromNativeSeparators(ref.isStored() ? ref.kitFile : s.file);
}

// A check run by a thread that may outlive its caller: it holds copies only.
struct RowsCheck
{
    struct Row
    {
        int group = 0;
        int row = 0;
        QString groupName;
        soundfilexml::strSoundItem item; // the thread's copy, checked
        Checked out;
    };
    Checker checker;
    std::vector<Row> rows; // sized before the thread starts; row i written by look i only
    std::atomic_bool stop{false};
};

} // namespace

Checked checkGroupsWithin(QVector<soundfilexml::strSoundGroup> &groups, const QString &keptFolder, int limitMs,
                          const ztplatform::Waiter &wait, const std::shared_ptr<ztplatform::SilentFiles> &silent,
                          int *unanswered, const std::shared_ptr<ztplatform::FolderFence> &fence)
{
    auto run = std::make_shared<RowsCheck>();
    run->checker.kept.folder = keptFolder;
    run->checker.kept.fence = fence;
    run->checker.fence = fence;
    run->checker.silent = silent;
    QStringList paths;
    int left = 0;
    for (int g = 0; g < groups.size(); ++g) {
        for (int r = 0; r < groups.at(g).soundList.size(); ++r) {
            const soundfilexml::strSoundItem &s = groups.at(g).soundList.at(r);
            if (!ofItem(s).known())
                continue; // nothing to check
            const QString path = fileOfRow(s);
            if (ztplatform::isSilentFile(silent, path)) {
                ++left;
                continue;
            }
            run->rows.push_back({g, r, groups.at(g).name, s, {}});
            paths.append(path);
        }
    }
    const ztplatform::FilesInTurn look = ztplatform::lookAtFilesInTurn(
            silent, paths, limitMs,
            [run](int i) {
                if (run->stop)
                    return true; // given up on: what comes after is not looked at
                RowsCheck::Row &row = run->rows.at(size_t(i));
                run->checker.out = Checked();
                run->checker.row(row.groupName, row.item);
                row.out = std::move(run->checker.out);
                return false;
            },
            wait);
    const int answered = look.answered ? int(run->rows.size()) : look.at;
    if (!look.answered) {
        run->stop = true;
        left += int(run->rows.size()) - answered;
        if (look.started)
            qWarning().noquote() << "the drive of" << paths.at(look.at)
                                 << "does not answer: its group sound and those after it are left as read";
        else
            qWarning() << "the group sounds are left as read: no thread could look at them";
    }
    Checked out;
    for (int i = 0; i < answered; ++i) {
        const RowsCheck::Row &row = run->rows.at(size_t(i));
        groups[row.group].soundList[row.row] = row.item;
        out.unmatched += row.out.unmatched;
        out.fromKept += row.out.fromKept;
    }
    if (unanswered)
        *unanswered = left;
    return out;
}

} // namespace groupentries
