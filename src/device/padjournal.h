#ifndef ZT_DEVICE_PADJOURNAL_H
#define ZT_DEVICE_PADJOURNAL_H

// The pad's one journal: every change of several files on the pad is a
// transaction whose record lies in SYS, written and forced to the disk before
// the first change and removed after the last one is on the disk. The record
// names each file by its place below the model folder, what it expects to
// find (size and digest) and, for bytes written in place, the old and new
// bytes. Running a record forward and recovering it after a stop are one and
// the same walk: each file is looked for at its old, hidden and new name and
// known by its mark, so the walk may stop at any call and run again to the
// same end.

#include "device/devicemessage.h"
#include "device/padtree.h"
#include "platform/anchoredfolder.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

namespace padjournal {

// The record's name in SYS and the name a record replacing it is written
// under first. Neither is a temporary name any sweep removes; both are legal
// on FAT.
extern const QLatin1String RECORD_NAME;
extern const QLatin1String STAGING_NAME;
// The visible name an unreadable record is kept aside under (a number added).
extern const QLatin1String UNREADABLE_NAME;

// The folders a step's file may lie in, below the model folder.
enum class Area : quint8 { Kit = 1, Sys = 2, Data = 3, Prm = 4 };

// A file's size and the SHA-256 of its size and bytes: of every byte up to
// 192 KiB; of a larger file, of its first, middle and last 64 KiB only.
// Read from a larger file, the mark also holds its modification time, which
// isSameFile() compares. size -1: nothing readable there.
struct Mark {
    qint64 size = -1;
    QByteArray digest;
    qint64 modified = 0; // ns since the epoch; 0 when not read from a larger file
    // Size and digest: a file whose bytes differ only between the samples compares equal.
    bool operator==(const Mark &o) const { return size == o.size && digest == o.digest; }
    bool operator!=(const Mark &o) const { return !(*this == o); }
    bool isValid() const { return size >= 0 && !digest.isEmpty(); }
};
Mark markOfBytes(const QByteArray &bytes);
// `now` is the file `recorded` was read from, as far as the marks tell: the
// same size and digest and, where `recorded` holds one, the same
// modification time (a file rewritten between the samples has another).
bool isSameFile(const Mark &recorded, const Mark &now);

// How a regular file stood when its mark was read: the same file, not
// written to since, still stands so.
struct Stamp {
    quint64 device = 0, inode = 0;
    qint64 size = -1;
    qint64 modified = 0, changed = 0; // ns since the epoch
    bool operator==(const Stamp &o) const
    {
        return size >= 0 && device == o.device && inode == o.inode && size == o.size && modified == o.modified
                && changed == o.changed;
    }
    bool isValid() const { return size >= 0; }
};

// The regular file open at `fd`, read from where it is; invalid otherwise.
// How it stood goes to *stamp.
Mark markOfFile(ztplatform::Disk &disk, int fd, Stamp *stamp = nullptr);
// The regular file at the entry (a link is never followed); invalid otherwise.
Mark markOfEntry(const ztplatform::OpenFolder &folder, const QString &name);

enum class Kind : quint8 {
    MakeFolder = 1, // a numbered folder the moves need
    Create = 2,     // a new file: written under `hidden`, then takes `to`;
                    // without a mark while it is being written (only
                    // taken back then)
    Move = 3,       // `from` -> `hidden` -> `to` (in `toFolder`), then, when
                    // patchAfter is set, patched at patchAt
    Remove = 4,     // `from` removed where it stands, only while isSameFile() of `mark`
    Patch = 5,      // bytes at `offset` of `from`: `before` -> `after`
    Put = 6,        // the file `from` replaced whole by `after` (through `hidden`);
                    // `mark` and `before` the file it replaces (no mark: none stood there)
};

struct Step {
    Kind kind = Kind::Patch;
    Area area = Area::Sys;
    quint16 number = 0; // the sound (1 ... 9999) or the kit (1 ... 100) it serves; 0 for none
    QString folder;     // "001" ... "100" in Data and Prm, empty in Kit and Sys
    QString from, hidden;
    QString toFolder, to;
    Mark mark;          // the file created, moved or removed
    qint64 offset = 0;  // Patch, and a Move's patch
    QByteArray before, after;
    Mark patched;       // a Move's file once patched
};

enum class Purpose : quint8 { AddSounds = 1, DeleteSounds = 2, Renumbering = 3, WriteBack = 4 };

struct Record {
    Purpose purpose = Purpose::WriteBack;
    QVector<Step> steps;
};

QByteArray encode(const Record &record);
// False for bytes cut short, with a digest that does not hold, or naming
// anything but entries of the pad's own folders: every name one entry (no
// "/", no ".."), every numbered folder 001 ... 100, every number in range.
bool decode(const QByteArray &bytes, Record *record);
// True when every step is one the editor writes for the record's purpose,
// where it writes it (sound files only in the wave folders, kit records and
// the kit-chain block only patched within their size, only global.ini and
// alter.ini put whole, by a close), no file is named by two steps, and there
// is a step.
bool isEditorsRecord(const Record &record);

// What one run of a record did, by sound and by kit.
struct Outcome {
    bool found = false;     // a record was there (readable or not)
    bool unreadable = false; // it could not be read: to be kept aside, nothing moved
    QString asideFrom;       // the name it stands at
    QString keptAs;          // the name it is kept aside under, once told
    bool asideFull = false;  // every name it could be kept aside under was taken
    bool finished = false;   // every change of the record is on the pad
    bool undone = false;     // the record's changes were taken back
    bool refused = false;    // the pad refused a write: the record stays
    bool away = false;       // of those, the pad was no longer at its place (pulled, or another there)
    bool pending = false;    // and the next load finishes it (as far as the walk forced it to the disk)
    bool recordStays = false; // every change is on the pad, but the record could not be removed
    bool notSynced = false;  // the record was removed, but SYS could not be forced to the disk after it
    bool alreadyDone = false; // every change was on the pad before the walk: it changed nothing
    bool changed = false;    // something on the pad was written, moved or removed
    Purpose purpose = Purpose::WriteBack;
    QVector<quint16> sounds;                   // every sound the record serves
    QVector<int> kits;                         // every kit whose record it rewrites
    QVector<quint16> soundsDone, soundsUndone; // those finished, those whose files were taken back
    QVector<QPair<quint16, quint16>> renumbered; // old -> new numbers that hold now
    QVector<int> kitsWritten;  // kit records written from the record's bytes
    QVector<int> kitsRepaired; // of those, found torn
    bool chainsWritten = false, chainsRepaired = false;
    bool alterWritten = false;
    bool globalWritten = false; // global.ini replaced whole
    QStringList putFailed; // whole files not written for what stands at their name
    QString putWhy;
    QStringList missing; // a line for each file found at none of its names
    // A line for each file that holds other bytes than the record's (changed
    // on the pad since): left as it stands.
    QStringList kept;
    QVector<int> kitsKept;
    bool chainsKept = false, globalKept = false, alterKept = false;
    // A line for each sound file a power cut left at two names that may
    // share their place on the medium: neither was removed.
    QStringList twins;
    QVector<int> kitsMissing; // kit records not written: the file missing or short
    bool chainsMissing = false;
    // A file at a name the record removes that holds other bytes than the
    // record names: left there.
    struct Left {
        quint16 number = 0;
        Area area = Area::Data;
        QString name; // "fff/name"
        bool gone = false; // gone from its name since the change read it, not by the change
    };
    QVector<Left> left;
    int error = 0;       // errno of a refusal
};

// The pad's folders a record's places resolve to, each reached from the root
// one folder at a time without following a link.
class Pad
{
public:
    Pad(ztplatform::FolderAnchor root, const PadTreePaths &tree);
    ~Pad();
    Pad(const Pad &) = delete;
    Pad &operator=(const Pad &) = delete;

    // The folder, reached anew from the root at each call (the root's check
    // judges the pad each time); not open when it is not there.
    ztplatform::OpenFolder folder(Area area, const QString &fff = QString()) const;
    // The base folder (KIT, SYS, WAV_DATA, WAV_PRM).
    ztplatform::OpenFolder base(Area area) const { return folder(area, QString()); }

    // The folder as reached at its first look since the last forget(), kept
    // open, for looking only; reached again while it is not there.
    const ztplatform::OpenFolder &kept(Area area, const QString &fff = QString());
    // The kept folder for a change, right before it: used only while the
    // root at its place passes its check and the folder is still the one at
    // its path (one look at each); else reached anew as folder() does.
    const ztplatform::OpenFolder &forChange(Area area, const QString &fff = QString());
    // Every kept folder closed; the references given out end with them.
    void forget();

private:
    struct Impl;
    Impl *d;
};

// True when SYS holds a record (or anything at its name).
bool recordPresent(Pad &pad);

// Writes the record (at its name, forced to the disk, SYS forced to the
// disk) and runs it forward. `create` writes the
// bytes of a Create step into the open file (every Create step's bytes must
// match its mark). When a step fails, what was done is taken back; when that
// fails too, the record stays for the next load. With `begun`, the record
// begin() wrote stands on the pad and is replaced by `record`, the same
// change now known in full (none of its steps but its Create steps' files
// written under their hidden names); when it cannot be replaced, the change
// is taken back.
// `seen`, when given, holds for each step the stamp of its file when the
// caller read its mark: a file still standing so at its old name is known
// without being read again.
Outcome run(Pad &pad, const Record &record, const std::function<bool(const Step &, int fd)> &create = {},
            bool begun = false, const QVector<Stamp> &seen = {});

// Writes the record of a change whose new files are written before their
// marks are known (a batch converting its sounds): its Create steps have no
// mark, so a stop before run() takes them back. False, errno set, when the
// pad does not take it; nothing is changed then.
bool begin(Pad &pad, const Record &record);
// Takes back what a begun change wrote and removes its record.
Outcome abandon(Pad &pad, const Record &record);

// The load: a record found is read, checked and finished or undone by what
// it and the files show; one found unreadable, not the editor's (or no
// regular file) stays and nothing is moved: setAside() keeps it aside once
// the load has told it. A stray staging record is removed (nothing followed
// it). Of a record turned back and one written after it, the first is ended
// and removed alone: a second call ends the other.
Outcome recover(Pad &pad);
// Moves the record at `from` (one of the journal's names) aside to `as`, or
// the next free name, and forces SYS to the disk.
bool setAside(Pad &pad, const QString &from, const QString &as);

// The lines the load's box gives for `outcome` (empty when nothing to tell).
QStringList describe(const Outcome &outcome);
// The line for `folders` whose repairs were not forced to the disk (`error`
// the system's words): a power cut may undo them.
QString notSyncedLine(const QString &folders, const QString &error);
// The line for sound `number`, whose file a power cut left at a second name
// that may share its place on the medium, kept as `copy`.
QString twinLine(int number, const QString &copy);
// The same for the file `name` of SYS.
QString sysTwinLine(const QString &name, const QString &copy);
// Its line for a write the pad refused while at its place; empty otherwise.
QString refusalLine(const Outcome &outcome);

} // namespace padjournal

#endif
