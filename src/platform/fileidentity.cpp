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
