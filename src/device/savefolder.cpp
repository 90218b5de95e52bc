#include "device/savefolder.h"

#include "platform/sysio.h"
#include "platform/timedlook.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace savefolder {

Holds look(const QString &folder)
{
    const QByteArray path = QFile::encodeName(folder);
    const int fd = ztplatform::sysio::openAt(AT_FDCWD, path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return Holds::Nothing;
    DIR *dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return Holds::Nothing;
    }
    Holds holds = Holds::OnlyFiles;
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue; // ".", ".." and hidden entries
        bool folder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat st;
            folder = ::fstatat(::dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
        }
        if (folder) {
            holds = Holds::SomeFolders;
            break;
        }
    }
    ::closedir(dir);
    return holds;
}

std::optional<Holds> lookWithin(const QString &folder, int limitMs, const ztplatform::Waiter &wait)
{
    return ztplatform::lookWithin<Holds>(limitMs, [folder]() { return look(folder); }, wait);
}

} // namespace savefolder
