#include "platform/fileidentity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace ztplatform {

namespace {

QString absoluteText(const QString &path)
{
    return QDir::cleanPath(QFileInfo(QDir::fromNativeSeparators(path)).absoluteFilePath());
}

bool sameWithout(const QString &a, const FileIdentity &ia, const QString &b, const FileIdentity &ib)
{
    if (ia.valid && ib.valid)
        return ia == ib;
    return absoluteText(a) == absoluteText(b);
}

} // namespace

FileIdentity fileIdentity(const QString &path)
{
    FileIdentity id;
    struct stat st;
    const QByteArray name = QFile::encodeName(QDir::fromNativeSeparators(path));
    if (name.isEmpty() || ::stat(name.constData(), &st) != 0)
        return id;
    id.device = quint64(st.st_dev);
    id.inode = quint64(st.st_ino);
    id.valid = true;
    return id;
}

bool sameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return a.isEmpty() && b.isEmpty();
    if (QDir::fromNativeSeparators(a) == QDir::fromNativeSeparators(b))
        return true;
    return sameWithout(a, fileIdentity(a), b, fileIdentity(b));
}

QString writeThroughTarget(const QString &path)
{
    const QFileInfo info(QDir::fromNativeSeparators(path));
    const QString end = info.isSymLink() && info.isFile() ? info.canonicalFilePath() : QString();
    return end.isEmpty() ? path : end;
}

bool replacesEntryOf(const QString &target, const QString &loaded)
{
    const QFileInfo t(QDir::fromNativeSeparators(target));
    const QString folder = t.absoluteDir().canonicalPath();
    const QString reached = loaded.isEmpty() ? QString()
                                             : QFileInfo(QDir::fromNativeSeparators(loaded)).canonicalFilePath();
    if (folder.isEmpty() || reached.isEmpty() || t.fileName().isEmpty())
        return false;
    const QString entry = QDir(folder).filePath(t.fileName());
    if (entry == reached)
        return true;
    const QFileInfo r(reached);
    return r.fileName().compare(t.fileName(), Qt::CaseInsensitive) == 0
           && fileIdentity(r.absolutePath()) == fileIdentity(folder) && fileIdentity(entry) == fileIdentity(reached);
}

SameFileAs::SameFileAs(const QString &target)
    : m_target(QDir::fromNativeSeparators(target))
{
}

bool SameFileAs::operator()(const QString &path) const
{
    if (path.isEmpty() || m_target.isEmpty())
        return path.isEmpty() && m_target.isEmpty();
    const QString text = QDir::fromNativeSeparators(path);
    if (text == m_target)
        return true;
    const auto seen = m_seen.constFind(text);
    if (seen != m_seen.constEnd())
        return seen.value();
    if (!m_known) {
        m_identity = fileIdentity(m_target);
        m_known = true;
    }
    const bool same = sameWithout(m_target, m_identity, text, fileIdentity(text));
    m_seen.insert(text, same);
    return same;
}

} // namespace ztplatform
