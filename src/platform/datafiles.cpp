#include "platform/datafiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace ztplatform {

QString dataPath(const QString &name)
{
    const QDir exe(QCoreApplication::applicationDirPath());
    const QString beside = exe.filePath(name);
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = QDir::cleanPath(exe.filePath(QString::fromUtf8(ZT_DATA_FROM_BIN) + QLatin1Char('/') + name));
    return QFileInfo::exists(installed) ? installed : beside;
}

} // namespace ztplatform
