#include "library/clicksounds.h"
#include "platform/datafiles.h"

#include <QDir>

namespace clicksounds {

QString defaultFolder()
{
    return ztplatform::dataPath(QStringLiteral("metronome_sound"));
}

QStringList folderFiles(const QString &folder)
{
    QStringList out;
    const QDir dir(folder);
    const QFileInfoList entries = dir.entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo &fi : entries)
        out.append(QDir::toNativeSeparators(fi.absoluteFilePath()));
    return out;
}

} // namespace clicksounds
