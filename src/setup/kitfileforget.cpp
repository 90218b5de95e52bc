#include "setup/kitfileforget.h"

#include "kitfile/soundsource.h"
#include "kitfile/storedsounds.h"

#include <QDir>

namespace setupjob {

void moveSharedSounds(KitDocument &doc, SoundLibrary &library, const QHash<QString, QString> &moved)
{
    if (moved.isEmpty())
        return;
    library.moveSounds(moved);
    doc.moveSharedSounds(moved);
}

QHash<QString, QString> removeSoundFile(KitDocument &doc, SoundLibrary &library, const QString &path)
{
    const setupfiles::StoredIn storedIn(ztplatform::diskOf(library.fence()), QDir::toNativeSeparators(path));
    const QHash<QString, QString> moved = library.handOverSharedSounds(storedIn);
    moveSharedSounds(doc, library, moved);
    doc.forgetKitFileSounds(storedIn);
    library.forgetKitFileSounds(storedIn);
    return moved;
}

QHash<QString, QString> handOverFromChangedFiles(KitDocument &doc, SoundLibrary &library,
                                                 const ztplatform::Waiter &wait)
{
    if (library.sharedSounds().twins().isEmpty())
        return {};
    setupfiles::StoredSoundLocator files(library.loadedKitFiles(), library.silentFiles(), wait, library.fence());
    const QHash<QString, QString> moved = library.handOverSharedSoundsWhere([&files](const QString &source) {
        const setupfiles::StoredRef ref = setupfiles::parseStoredSource(source);
        const int r = ref.isStored() ? files.recordOf(ref.kitFile) : -1;
        const int e = r < 0 ? -1 : files.entryOf(r, source);
        return e < 0 || files.verify(r, e) != setupfiles::CollectError::None;
    });
    moveSharedSounds(doc, library, moved);
    return moved;
}

} // namespace setupjob
