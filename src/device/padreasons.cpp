#include "device/padreasons.h"

#include "device/devicemessage.h"
#include "model/percussionpadfile1.h"
#include "platform/errortext.h"

#include <QDir>

#include <cerrno>
#include <sys/stat.h>

namespace padreason {

QString kindText(unsigned type)
{
    switch (type) {
    case S_IFDIR:
        return DeviceText::tr("a folder");
    case S_IFLNK:
        return DeviceText::tr("a symbolic link");
    case S_IFIFO:
        return DeviceText::tr("a named pipe");
    case S_IFCHR:
    case S_IFBLK:
        return DeviceText::tr("a device");
    case S_IFSOCK:
        return DeviceText::tr("a socket");
    default:
        return DeviceText::tr("a file");
    }
}

QString why(unsigned type, int error)
{
    if (type == S_IFLNK)
        return DeviceText::tr("It is a symbolic link, which the editor does not follow.");
    if (type == S_IFREG)
        return DeviceText::tr("It is larger than any file of the sampler pad.");
    if (type != 0)
        return DeviceText::tr("It is %1, not a file.").arg(kindText(type));
    if (error == ENOENT)
        return DeviceText::tr("It does not exist.");
    if (error == 0)
        return DeviceText::tr("It could not be opened.");
    return ztplatform::errorText(error) + QLatin1Char('.');
}

QString shortKitRecord()
{
    return DeviceText::tr("It is shorter than a kit record (%1 bytes).").arg(KIT_RECORD_SIZE);
}

QString withFile(const QString &lead, const QString &path, const QString &reason)
{
    return lead + QStringLiteral("\r\n") + QDir::toNativeSeparators(path) + QStringLiteral("\r\n") + reason;
}

} // namespace padreason
