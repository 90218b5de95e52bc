#ifndef ZT_DEVICE_PADBACKUP_H
#define ZT_DEVICE_PADBACKUP_H

// Backups of the pad taken at each load, before anything is written to it:
// its kit records, SYS/global.ini, SYS/alter.ini and the sounds' .prm
// records (not their audio), byte for byte, as plain read-only files under
// the paths the pad's model folder gives them, in a folder named by the date
// and time below the pad's own folder:
//   <root>/<pad>/<yyyy-MM-dd_HH-mm-ss>/
//     KIT/k001.ini ..., SYS/global.ini, SYS/alter.ini, WAV_PRM/001/001.prm ...
// A file equal to the same one in the newest backup is a link to it; a pad
// whose files are all the newest backup's renames that backup instead. A
// backup is written under a hidden name and takes its own only once all of it is
// synced, so a listed backup is whole. The last KEEP backups of a pad are kept.

#include "device/padidentity.h"
#include "device/padtree.h"
#include "model/mainwindow1records.h"
#include "platform/anchoredfolder.h"
#include "platform/leftovers.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>
#include <QVector>

#include <atomic>
#include <functional>
#include <memory>

namespace ztplatform {
class Job;
}

namespace padbackup {

constexpr int KEEP = 20;

// `text` translated in the backups' context.
QString tr(const char *text);

// One file of a backup: its path below the model folder ("KIT/k001.ini",
// "WAV_PRM/001/001.prm") and its bytes.
struct File
{
    QString path;
    QByteArray bytes;
};

// $XDG_DATA_HOME/zt350editor/pad-backups (the user's data folder).
QString backupsRoot();
// The folder of a pad's backups, named by its identity: the volume's serial,
// else the USB device's, else a digest of its settings.
QString padFolderName(const PadIdentity &identity);
// The folder of a pad's backups below `root`: the one keepFolderFor handed
// its name, else the one its name gives.
QString padFolder(ztplatform::Disk &disk, const PadIdentity &identity, const QString &root = backupsRoot());
// The editor is about to write `global` as the global.ini of the pad loaded
// as `loaded`, whose backups are in `padFolder`. A pad named by a digest of
// its settings gets another name from then on: that name is handed the same
// folder, in a list of names below the folder's root, replaced whole. Nothing
// for a pad named by a serial. False when the list cannot be written, why in
// `why`. The list's folder is swept through `leftovers`.
bool keepFolderFor(ztplatform::Disk &disk, const PadIdentity &loaded, const QByteArray &global,
                   const QString &padFolder, QString *why = nullptr,
                   const std::shared_ptr<ztplatform::Leftovers> &leftovers = nullptr);

// The kit records (KIT), global.ini and alter.ini (SYS) as they stand, read
// below the pad's root: never through a link, never waiting on a pipe.
QVector<File> readSettings(const ztplatform::FolderAnchor &root, const PadTreePaths &tree);
// The .prm records of the numbered WAV_PRM folders, read the same way.
QVector<File> readPrmRecords(const ztplatform::FolderAnchor &root, const PadTreePaths &tree);

struct Written
{
    bool ok = false;
    QString folder; // the backup written
    QString why;    // why it was not, as the user is told
    int linked = 0; // files linked to the backup before
    int copied = 0; // files written anew
    bool reused = false; // the newest backup held the same files: it took the new date and time
    QString padFolder;   // the pad's folder of backups it went into
};
// Told the count of files laid out, now and then, on the writing thread.
using Progress = std::function<void(int done)>;
// Writes a backup of `settings` and `prm` into `padFolder`, taken `when`,
// through `disk` (the system's when null); then only the last `keep` backups
// of the folder stay. When the newest backup holds exactly these files, read
// back and compared, no other is written: it is renamed to `when`. Once `stop` is set it ends between two files, its
// hidden folder left for the next backup to clear.
Written write(const QString &padFolder, const QDateTime &when, const QVector<File> &settings,
              const QVector<File> &prm, int keep = KEEP, ztplatform::Disk *disk = nullptr,
              const Progress &progress = Progress(), const std::atomic_bool *stop = nullptr);

struct Backup
{
    QString folder;
    QDateTime when;
};
// The whole backups of a pad, newest first.
QVector<Backup> list(ztplatform::Disk &disk, const QString &padFolder);

// What a backup holds for a restore.
struct Contents
{
    bool ok = false;
    QString why;
    QString kitFolder;               // the backup's KIT folder, read as the pad's is
    QString globalFile;              // its global.ini, empty when it has none
    QVector<QByteArray> kitRecords;  // kit k's record at k (empty where none)
    QHash<int, QString> soundNames;  // wave number (1-based) -> the name its .prm held
    QHash<int, QByteArray> soundRecords; // wave number (1-based) -> its .prm record
};
// What the backup at `backupFolder` holds; the names and .prm records of its sounds only with `soundNames`. `beat` is called
// now and then while the reading moves on.
Contents read(ztplatform::Disk &disk, const QString &backupFolder, bool soundNames = true,
              const std::function<void()> &beat = {});

// A slot of a restored kit whose sound is no longer on the pad.
struct Missing
{
    int kit = 0;    // 1-based
    int pad = 0;    // 1-based; 0 for a hi-hat slot
    int slot = 0;   // the pad's layer (0 A, 1 B), or the hi-hat slot (1-based)
    int wave = 0;   // 1-based
    QString name;   // as the backup's .prm named it
};
// A sound on the pad now, as its .prm record was read.
struct Held
{
    quint32 length = 0;
    quint32 start = 0;
    quint32 end = 0;
    QByteArray name; // the name field of its .prm record on the pad; empty when not known
};
// Whether `now` is the sound the backup's .prm `record` knew under its
// number. A sound's record keeps the name it was written with (the editor
// renames a sound in its lists and kits, never in its record; a renumbering
// changes only the number), and where the audio lies on the card may move;
// another length, range or name shows another sound. Without a record only
// the number is known; without the name its record holds now, only the
// length and range.
bool sameSound(const QByteArray &record, const Held &now);
// Empties every slot of `kits` whose wave number (0-based, as kit records
// store them) is not in `present`, or holds another sound than the one
// `records` (1-based; none: judged by number only) knew there, and names
// each by `names`.
QVector<Missing> emptyMissingSlots(QVector<MainWindow1Records::soundKit> &kits, const QHash<quint16, Held> &present,
                                   const QHash<int, QString> &names,
                                   const QHash<int, QByteArray> &records = QHash<int, QByteArray>());

} // namespace padbackup

// Writes one backup on a thread of its own, so that the load does not wait
// for the disk; whoever is about to write to the pad waits for it first.
class PadBackupWriter : public QObject
{
    Q_OBJECT

public:
    // Its backups are written through `disk` (the system's when null).
    explicit PadBackupWriter(ztplatform::Disk *disk = nullptr, QObject *parent = nullptr);
    ~PadBackupWriter() override;

    void start(const QString &padFolder, const QDateTime &when, const QVector<padbackup::File> &settings,
               const QVector<padbackup::File> &prm);
    // The files laid out so far, of all.
    int done() const { return m_state->done; }
    int total() const { return m_total; }
    // The backup running as a job (its progress counts files), or null.
    ztplatform::Job *job() const { return m_job; }
    // Until the backup started is written or refused; at once when none is
    // running. Blocks the caller: the window waits through its own loop.
    void wait();
    // The backup running is no longer waited for: it is stopped between two
    // files, its thread left to end on its own (a folder that does not
    // answer keeps it, nothing more), and nothing of it is told.
    void abandon();
    // What the backup came to, once it ended.
    const padbackup::Written &result() const { return m_result; }

signals:
    // The backup ended, told on the thread that started it.
    void finished(bool ok, const QString &why);

private:
    // What the writing thread shares: it outlives the writer when abandoned.
    struct State
    {
        std::atomic_bool stop{false};
        std::atomic<int> done{0};
        padbackup::Written result;
    };
    void ended();

    ztplatform::Disk *m_disk;
    ztplatform::Job *m_job = nullptr;
    std::shared_ptr<State> m_state = std::make_shared<State>();
    padbackup::Written m_result;
    int m_total = 0;
};

#endif
