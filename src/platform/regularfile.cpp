#include "platform/regularfile.h"

#include <QFileInfo>

namespace ztplatform {

bool isRegularFile(const QString &path)
{
    // QFileInfo::isFile() holds for regular files only, never for a pipe,
    // a device or a folder.
    return !path.isEmpty() && QFileInfo(path).isFile();
}

} // namespace ztplatform
