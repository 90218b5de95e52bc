#include "platform/pathcase.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace ztplatform {

QString findEntryIgnoringCase(const QString &dir, const QString &name)
{
    if (name.isEmpty())
        return QString();
    const QDir d(dir);
    if (QFileInfo::exists(d.filePath(name))) {
        // Exact spelling present (or a case-insensitive file system answered):
        // still report the spelling stored on disk when the listing has it.
        const QStringList exact = d.entryList(QStringList(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
        if (exact.contains(name))
            return d.absoluteFilePath(name);
    }
    const QStringList entries = d.entryList(QStringList(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                                            QDir::Name | QDir::IgnoreCase);
    for (const QString &e : entries) {
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return d.absoluteFilePath(e);
    }
    return QString();
}

QString resolvePathCaseInsensitive(const QString &base, const QString &relative)
{
    QString current = QDir(base).absolutePath();
    if (!QFileInfo(current).isDir())
        return QString();
    const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            current = QFileInfo(current).absolutePath();
            continue;
        }
        const QString next = findEntryIgnoringCase(current, part);
        if (next.isEmpty())
            return QString();
        current = next;
    }
    return current;
}

QString resolvePathCaseInsensitive(const QString &path)
{
    if (path.isEmpty())
        return QString();
    const QString abs = QDir::cleanPath(QDir(path).absolutePath());
    if (QFileInfo::exists(abs))
        return abs;
    // Walk up to the longest prefix that exists.
    QString prefix = abs;
    QStringList rest;
    while (!QFileInfo::exists(prefix)) {
        const QFileInfo fi(prefix);
        const QString parent = fi.absolutePath();
        if (parent == prefix)
            return QString();
        rest.prepend(fi.fileName());
        prefix = parent;
    }
    return resolvePathCaseInsensitive(prefix, rest.join(QLatin1Char('/')));
}

} // namespace ztplatform
