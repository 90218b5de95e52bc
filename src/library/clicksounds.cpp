#include "library/clicksounds.h"
#include "platform/datafiles.h"

#include <QCoreApplication>
#include <QDir>

namespace clicksounds {
namespace {
QString &overrideFolder()
{
    static QString folder;
    return folder;
}
} // namespace

QString defaultFolder()
{
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    return ztplatform::dataPath(QStringLiteral("metronome_sound"));
}

void setDefaultFolder(const QString &path)
{
    overrideFolder() = path;
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
