#include "platform/processio.h"

#include <QByteArray>
#include <QFile>
#include <QList>

namespace ztplatform {

qint64 processIoBytes(qint64 pid)
{
    if (pid <= 0)
        return -1;
    QFile io(QStringLiteral("/proc/%1/io").arg(pid));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    // "rchar: N" and "wchar: N" lines.
    qint64 total = 0;
    int found = 0;
    for (const QByteArray &line : io.readAll().split('\n')) {
        if (!line.startsWith("rchar:") && !line.startsWith("wchar:"))
            continue;
        bool ok = false;
        const qint64 n = line.mid(6).trimmed().toLongLong(&ok);
        if (!ok)
            return -1;
        total += n;
        ++found;
    }
    return found == 2 ? total : -1;
}

} // namespace ztplatform
