#ifndef ZT_DEVICE_PAIRFILES_H
#define ZT_DEVICE_PAIRFILES_H

// The entries of the pad's numbered wave folders as the pair writers see
// them: names found ignoring case, hidden names of files on their way in or
// out, renames that never replace, and the test that a .wav and a .prm make
// a whole pair.

#include "platform/anchoredfolder.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace pairfiles {

// Every entry of the open folder, hidden ones too, without "." and "..".
QStringList entryNames(const ztplatform::OpenFolder &folder);
// The entry named `name` ignoring case, spelled as in the folder; empty when
// there is none. `names` is the folder's listing when the caller has it.
QString findEntry(const ztplatform::OpenFolder &folder, const QString &name, const QStringList *names = nullptr);

// A hidden name beside `name` that nothing in the folder holds yet.
QString freeHiddenName(const ztplatform::OpenFolder &folder, const QString &name);
// The name a hidden name stands for ("003.wav" for ".003.wav.2.zt-part");
// empty for a name that is no hidden name.
QString hiddenTarget(const QString &hidden);

// Renames entry `from` of `source` to `to` in `target`; nothing standing at
// `to` is replaced. False with errno on failure.
bool moveEntry(const ztplatform::OpenFolder &source, const QString &from, const ztplatform::OpenFolder &target,
               const QString &to);

// Entry `name` of `folder`, a second name a rename cut by a power cut left
// on the file that stands at `kept` of `keptFolder`: removed, unless the two
// may share their place on the medium (FAT), where removing either frees the
// other's bytes. Then it takes a free name of its own beside it, `copy` (a
// number added when taken) and `suffix`: a rename to a free name frees
// nothing. *copyName is that name, empty when removed. False, errno set,
// when neither was done.
bool dropSecondName(const ztplatform::OpenFolder &folder, const QString &name,
                    const ztplatform::OpenFolder &keptFolder, const QString &kept, const QString &copy,
                    const QString &suffix, QString *copyName);

// The size of the regular file at the entry, -1 for anything else.
qint64 regularSize(const ztplatform::OpenFolder &folder, const QString &name);
// Up to `max` bytes of the regular file at the entry; empty for anything else.
QByteArray readRegular(const ztplatform::OpenFolder &folder, const QString &name, qint64 max);

// True when `record` is a whole 64-byte record of a sound numbered 1 ... 9999
// whose size field names a .wav of `wavSize` bytes (a header at least).
bool isWholePair(const QByteArray &record, qint64 wavSize);

} // namespace pairfiles

#endif
