#ifndef ZT_SETUP_LOADNOTICES_H
#define ZT_SETUP_LOADNOTICES_H

// The boxes an import shows: a refused file, and the sounds and kits it
// renamed on the way in.

#include "model/namerules.h"
#include "kitfile/setuperrors.h"
#include "setup/setupjob.h"

#include <QPair>

#include <memory>

namespace ztplatform {
class FolderFence;
}

namespace setupjob {

// The box for a file refused with `error` (None gives an empty text);
// `wholeSetup` picks the whole setup's wording where it differs.
Notice loadErrorNotice(setupfiles::LoadError error, const QString &path, bool wholeSetup);

// The sound names the name rule changed in one kit file.
using RenamedSounds = QPair<QString, QVector<namerules::NameChange>>;

// Notes the one box naming each kit file whose sound names were changed on
// the way in, with the name stored and the name it now has; nothing when none was.
void noteRenamedSounds(Result &result, const QVector<RenamedSounds> &files);
// Notes the box naming the kits (1-based) renamed on the way in, each with
// the name stored and the name it took (`names`, by number); nothing when the
// list is empty.
void noteRenamedKits(Result &result, const QVector<int> &numbers, const QHash<int, namerules::NameChange> &names);

// Notes the refusal of `path`: a NotRead file with the box's text as its reason, and the box.
void noteNotRead(Result &result, setupfiles::LoadError error, const QString &path, bool wholeSetup);

// True when the file at `path` carries another maker's brand mark (kind 0
// whole setup, 2 single kit); a file that does not open, or below the folder
// `fence` fenced, has none.
bool isBranded(const std::shared_ptr<ztplatform::FolderFence> &fence, const QString &path, int kind);
// The box refusing such a file.
Notice brandedNotice();

} // namespace setupjob

#endif
