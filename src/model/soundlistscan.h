#ifndef ZT_MODEL_SOUNDLISTSCAN_H
#define ZT_MODEL_SOUNDLISTSCAN_H

#include "model/soundfilexml.h"

#include <QByteArray>
#include <QVector>

namespace soundlistscan {

// Appends the groups of a sound-list file written in the plain form this
// editor writes (UTF-8, the groups' elements with their own attributes only,
// white space between them, the five named entities), read in one pass over
// its bytes; names are as the file holds them (an empty one is not derived).
// False, `out` unchanged, for anything else: a file the general XML reader
// reads then, with what it skips counted. What this accepts that reader reads
// to the same groups, with nothing skipped.
bool scan(const QByteArray &bytes, QVector<soundfilexml::strSoundGroup> &out);

} // namespace soundlistscan

#endif
