#ifndef ZT_SETUP_KITFILEFORGET_H
#define ZT_SETUP_KITFILEFORGET_H

// The sounds of a loaded kit file taken out of the document and the sound
// library, so that the file can be read again or forgotten; a sound that
// another loaded kit file holds too stays, taken from that file.

#include "document/kitdocument.h"
#include "library/soundlibrary.h"
#include "kitfile/kitfiles.h"

#include "platform/waiter.h"

#include <QHash>

namespace setupjob {

// Every source of `moved` takes its value: in the working list, the kits, the
// pad lists and the source column of the total and hi-hat lists' rows.
void moveSharedSounds(KitDocument &doc, SoundLibrary &library, const QHash<QString, QString> &moved);

// The sounds of kit file `path` leave the kits, the pad lists, the working
// list and the total list's rows (whose numbers and locks follow the list
// again); those another loaded kit file holds too are handed over to it
// first. Returns the sources handed over (old -> new).
QHash<QString, QString> removeSoundFile(KitDocument &doc, SoundLibrary &library, const QString &path);

// Each sound the list holds once whose loaded kit file is gone or no longer
// as loaded is taken from another loaded kit file holding it. Returns the
// sources handed over (old -> new). `wait` (when given) waits on a look at a
// drive (it lets the window paint); a file whose drive does not answer is
// one no longer as loaded.
QHash<QString, QString> handOverFromChangedFiles(KitDocument &doc, SoundLibrary &library,
                                                 const ztplatform::Waiter &wait = {});

} // namespace setupjob

#endif
