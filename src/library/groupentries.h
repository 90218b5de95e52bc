#pragma once

// What tells a group row's sound apart from every other: the SHA-256 of its
// bytes, with the stored name and length of the kit-file entry it named. A
// group row that names a sound stored in a kit file ("K002.INI:U00001")
// carries them, so that a file written anew since is never taken to hold
// that sound at that place; the row follows its bytes instead.

#include "model/mainwindow1records.h"
#include "model/soundfilexml.h"
#include "platform/fileidentity.h"

#include <QHash>
#include <QString>
#include <QVector>

#include "platform/waiter.h"

#include <functional>
#include <memory>

namespace ztplatform {
class FolderFence;
class SilentFiles;
}

namespace groupentries {

using Records = MainWindow1Records;

struct Identity
{
    QString name;
    qint64 length = -1; // -1: not known
    QString digest;     // SHA-256 in hex; empty: not known
    QString seen;       // the stamp of the file the digest was read from (stampText)
    bool known() const { return length >= 0; }
    // The same name and length, and the same bytes where both know them.
    bool operator==(const Identity &o) const
    {
        return length == o.length && name == o.name && (digest.isEmpty() || o.digest.isEmpty() || digest == o.digest);
    }
    bool operator!=(const Identity &o) const { return !(*this == o); }
};

Identity ofEntry(const percussionpadfile::P_SOUND_INDEX &entry);
// A group sound's, as the sound-list file keeps it.
Identity ofItem(const soundfilexml::strSoundItem &item);
void setItem(soundfilexml::strSoundItem &item, const Identity &id);
// True when a row carrying `row` may be taken for a sound that is `entry`:
// it carries none (written before rows carried one), or that one.
inline bool fits(const Identity &row, const Identity &entry)
{
    return !row.known() || row == entry;
}

// A file's stamp (device, inode, size, modification and change time) as a
// row keeps it, hashed short: while the file stamps so, the bytes a digest
// was read from are where they were.
QString stampText(const ztplatform::FileStamp &stamp);
// The SHA-256 (hex) of `length` bytes at `offset` of `file`, read as they are
// now; empty when they cannot all be read, or when `stamp` (when given) gets
// the stamp of the file as opened and `expected` refuses it.
// `read` (when given) hears each block read. Nothing below the folder `fence`
// fenced is read (there and below).
QString digestAt(const QString &file, quint64 offset, quint64 length,
                 const std::function<bool(const ztplatform::FileStamp &)> &expected = {},
                 ztplatform::FileStamp *stamp = nullptr, const std::function<void()> &read = {},
                 const std::shared_ptr<ztplatform::FolderFence> &fence = nullptr);
// The same for a whole file (*stamp: its size is the bytes read).
QString digestOfFile(const QString &file, ztplatform::FileStamp *stamp = nullptr,
                     const std::function<void()> &read = {},
                     const std::shared_ptr<ztplatform::FolderFence> &fence = nullptr);

// The kit file at kitFile read as it is now, its sounds with the sources a
// load gives them; false when it does not read as a kit file.
bool readStoredSounds(const QString &kitFile, Records::READ_KIT_FILE &rec,
                      const std::shared_ptr<ztplatform::FolderFence> &fence = nullptr);

// The rows of `groups` whose sources `to` names (old -> new) move there, as
// SoundLibrary::repointGroupSounds tells; `moved` (when given) hears each row
// moved (group, row, new source). True when one moved.
bool repoint(QVector<soundfilexml::strSoundGroup> &groups, const QHash<QString, QString> &to,
             const QHash<QString, Identity> &was, const QHash<QString, Identity> &now,
             const std::function<void(int group, int row, const QString &file)> &moved = {});

// A group row whose kit file no longer holds the sound it named, or that
// now takes it from the kept sounds.
struct Unmatched
{
    QString group;
    QString name;
    QString source;
};
struct Checked
{
    QVector<Unmatched> unmatched; // found nowhere: marked lost
    QVector<Unmatched> fromKept;  // now taken from the kept sounds (source: the copy)
};
// The rows of `groups` that carry an entry, checked against their files as
// they are on the disk (each file read once; the bytes read only where the
// file changed since the row's digest was read): a row whose file still
// holds its bytes at its place stays; one whose bytes moved within the file
// (the entry with its digest, else the one entry of its name and length)
// names them there now; one whose bytes are a copy in `keptFolder` names
// that copy; any other is marked lost and returned. Rows whose file is
// missing or does not read are left as they are.
// The check runs row by row on a thread of its own, waited on through `wait`. Each
// row that answers gives the next the whole `limitMs`; a row whose drive
// does not answer in time is given up on (its file stays silent until its
// look returns), and it and the rows after it stay as read, like rows whose
// file does not read. Rows whose file is silent (in `silent`) already are not
// looked at. *unanswered (when given) gets the count of rows left so.
Checked checkGroupsWithin(QVector<soundfilexml::strSoundGroup> &groups, const QString &keptFolder, int limitMs,
                          const ztplatform::Waiter &wait, const std::shared_ptr<ztplatform::SilentFiles> &silent,
                          int *unanswered = nullptr, const std::shared_ptr<ztplatform::FolderFence> &fence = nullptr);

} // namespace groupentries
