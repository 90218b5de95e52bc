#include "device/savefolder.h"

#include "platform/anchoredfolder.h"
#include "platform/descriptor.h"
#include "platform/disk.h"
#include "platform/timedlook.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>

namespace savefolder {

Holds look(ztplatform::Disk &disk, const QString &folder)
{
    const QByteArray path = QFile::encodeName(folder);
    const ztplatform::Descriptor fd(disk.openAt(AT_FDCWD, path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.isOpen())
        return Holds::Nothing;
    for (const ztplatform::ListedEntry &entry : ztplatform::listFolder(disk, fd.get())) {
        if (entry.name.startsWith('.'))
            continue; // hidden
        bool folder = entry.type == S_IFDIR;
        if (entry.type == S_IFLNK || entry.type == 0) {
            struct stat st;
            folder = disk.statAt(fd.get(), entry.name, &st, 0) == 0 && S_ISDIR(st.st_mode);
        }
        if (folder)
            return Holds::SomeFolders;
    }
    return Holds::OnlyFiles;
}

std::optional<Holds> lookWithin(ztplatform::Disk &disk, const QString &folder, int limitMs,
                                const ztplatform::Waiter &wait)
{
    return ztplatform::lookWithin<Holds>(limitMs, [folder, disk = &disk]() { return look(*disk, folder); }, wait);
}

} // namespace savefolder
