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
    : m_path(path)
{
}

void SilentLook::givenUp()
{
    Silent &s = silent();
    std::lock_guard<std::mutex> hold(s.lock);
    int looking = Looking;
    if (m_state.compare_exchange_strong(looking, GivenUp))
        ++s.looks[keyOf(m_path)];
}

void SilentLook::returned()
{
    int looking = Looking;
    if (m_state.compare_exchange_strong(looking, Returned) || looking == Returned)
        return; // not given up on: the registry never held it
    Silent &s = silent();
    std::lock_guard<std::mutex> hold(s.lock);
    if (m_state.exchange(Returned) != GivenUp)
        return;
    const QString key = keyOf(m_path);
    if (--s.looks[key] <= 0)
        s.looks.remove(key);
}

bool isSilentFile(const QString &path)
{
    Silent &s = silent();
    std::lock_guard<std::mutex> hold(s.lock);
    return !s.looks.isEmpty() && s.looks.contains(keyOf(path));
}

std::vector<bool> silentFiles(const QStringList &paths)
{
    std::vector<bool> out(size_t(paths.size()), false);
    Silent &s = silent();
    std::lock_guard<std::mutex> hold(s.lock);
    if (s.looks.isEmpty())
        return out;
    for (int i = 0; i < paths.size(); ++i)
        out[size_t(i)] = s.looks.contains(keyOf(paths.at(i)));
    return out;
}

} // namespace ztplatform
