#include "platform/silentfiles.h"

#include <QDir>
#include <QHash>

#include <mutex>

namespace ztplatform {

namespace {

struct Silent
{
    std::mutex lock;
    QHash<QString, int> looks; // given-up looks still waiting, by file
};

Silent &silent()
{
    static Silent s;
    return s;
}

QString keyOf(const QString &path)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(path));
}

} // namespace

SilentLook::SilentLook(const QString &path)
    : m_key(keyOf(path))
{
}

void SilentLook::givenUp()
{
    Silent &s = silent();
    std::lock_guard<std::mutex> hold(s.lock);
    if (m_returned || m_givenUp)
        return;
    m_givenUp = true;
    ++s.looks[m_key];
}

void SilentLook::returned()
{
    Silent &s = silent();
    std::lock_guard<std::mutex> hold(s.lock);
    if (m_returned)
        return;
    m_returned = true;
    if (m_givenUp && --s.looks[m_key] <= 0)
        s.looks.remove(m_key);
}

bool isSilentFile(const QString &path)
{
    Silent &s = silent();
    std::lock_guard<std::mutex> hold(s.lock);
    return s.looks.contains(keyOf(path));
}

} // namespace ztplatform
