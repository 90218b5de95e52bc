#include "device/padloadreads.h"

#include "device/padpaths.h"
#include "platform/pathcase.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>

ChosenDrive lookAtChosenDrive(const QString &root, const PadPace &pace, ztplatform::Disk &by)
{
    ChosenDrive drive;
    // The root may hold nothing but the model folder.
    const padtree::FolderEntries rootEntries = padtree::listEntries(by, root, false);
    pace.beat();
    for (const padtree::FolderEntry &e : rootEntries) {
        if (e.isFile()) {
            drive.rootHoldsFile = true;
            return drive;
        }
    }
    // A linked model folder would lead out of the drive.
    const QString modelFolder = padtree::findModelFolder(by, root);
    pace.beat();
    struct stat st;
    if (modelFolder.isEmpty()
        || by.statAt(AT_FDCWD, QFile::encodeName(modelFolder), &st, AT_SYMLINK_NOFOLLOW) != 0
        || !S_ISDIR(st.st_mode))
        return drive;
    drive.modelFolder = ztplatform::canonicalPathOf(by, modelFolder);
    pace.beat();
    drive.root = ztplatform::FolderAnchor::record(root, &by);
    pace.beat();
    return drive;
}

PadTreeRead readPadTree(const ztplatform::FolderAnchor &root, const QString &modelFolder, const PadPace &pace)
{
    PadTreeRead read;
    DeviceMessage warning;
    const bool rootOk = padtree::getRootDirPath(root, modelFolder, read.tree, &warning);
    pace.beat();
    if (!rootOk)
        read.warnings << warning;
    const QStringList links = read.tree.linksLeftOut;
    PadTreeRead files = relistPadTree(root, read.tree, pace);
    files.tree.linksLeftOut = links + files.tree.linksLeftOut;
    files.warnings = read.warnings + files.warnings;
    files.ok = rootOk && files.ok;
    return files;
}

PadTreeRead relistPadTree(const ztplatform::FolderAnchor &root, PadTreePaths tree, const PadPace &pace)
{
    PadTreeRead read;
    tree.linksLeftOut.clear();
    tree.waveDataList.clear();
    tree.wavePrmList.clear();
    DeviceMessage warning;
    read.ok = padtree::judgeFourFile(root, tree, &warning);
    pace.beat();
    if (!read.ok)
        read.warnings << warning;
    read.tree = tree;
    return read;
}
