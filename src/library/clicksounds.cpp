#include "library/clicksounds.h"
#include "platform/datafiles.h"
#include "platform/pathcase.h"
#include "platform/disk.h"

#include <QDir>

namespace clicksounds {

QString defaultFolder()
{
    return ztplatform::dataPath(QStringLiteral("metronome_sound"));
}

QStringList folderFiles(ztplatform::Disk &disk, const QString &folder)
{
    QStringList names;
    for (const ztplatform::FolderFile &f : ztplatform::filesOfFolder(disk, folder, false, false))
        names << f.name;
    names.sort();
    const QDir dir(folder);
    QStringList out;
    for (const QString &name : qAsConst(names))
        out.append(QDir::toNativeSeparators(dir.absoluteFilePath(name)));
    return out;
}

} // namespace clicksounds
