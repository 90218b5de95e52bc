#ifndef ZT_PLATFORM_STORAGEEXTENTS_H
#define ZT_PLATFORM_STORAGEEXTENTS_H

#include <QPair>
#include <QVector>
#include <QtGlobal>

namespace ztplatform {

class Disk;

// A run of bytes on the medium: [first, end).
using Extent = QPair<quint64, quint64>;

// True when some extent of `a` overlaps some extent of `b`.
bool extentsOverlap(QVector<Extent> a, QVector<Extent> b);

// Whether the two open regular files may lie, in part, in the same place on
// their medium. Only a FAT volume lets two entries name one cluster chain (a
// rename cut short by a power cut); there the answer is true unless the
// system tells both files' extents and they lie apart. False elsewhere.
// The file system and the extents are read through `disk`.
bool mayShareStorage(Disk &disk, int fdA, int fdB);

} // namespace ztplatform

#endif
