#pragma once

#include <QString>

// Where the files the program loads at run time are found (help pages,
// metronome sounds): beside the executable, as the build leaves them, or in
// the data folder of an installed program (share/zt350editor, reached from
// the executable's folder).
namespace ztplatform {

// The path of `name`: beside the executable when it is there, else in the
// installed data folder when it is there, else beside the executable.
QString dataPath(const QString &name);

} // namespace ztplatform
