#include "platform/silentfiles.h"

#include <QDir>

namespace ztplatform {

namespace {

QString keyOf(const QString &path)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(path));
}

} // namespace

bool SilentFiles::isSilent(const QString &path)
{
    std::lock_guard<std::mutex> hold(m_lock);
    return !m_looks.isEmpty() && m_looks.contains(keyOf(path));
}

std::vector<bool> SilentFiles::silent(const QStringList &paths)
{
    std::vector<bool> out(size_t(paths.size()), false);
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_looks.isEmpty())
        return out;
    for (int i = 0; i < paths.size(); ++i)
        out[size_t(i)] = m_looks.contains(keyOf(paths.at(i)));
    return out;
}

SilentLook::SilentLook(std::shared_ptr<SilentFiles> files, const QString &path)
    : m_files(std::move(files))
    , m_path(path)
{
}

void SilentLook::givenUp()
{
    if (!m_files)
        return;
    SilentFiles &s = *m_files;
    std::lock_guard<std::mutex> hold(s.m_lock);
    int looking = Looking;
    if (m_state.compare_exchange_strong(looking, GivenUp))
        ++s.m_looks[keyOf(m_path)];
}

void SilentLook::returned()
{
    int looking = Looking;
    if (m_state.compare_exchange_strong(looking, Returned) || looking == Returned || !m_files)
        return; // not given up on: the registry never held it
    SilentFiles &s = *m_files;
    std::lock_guard<std::mutex> hold(s.m_lock);
    if (m_state.exchange(Returned) != GivenUp)
        return;
    const QString key = keyOf(m_path);
    if (--s.m_looks[key] <= 0)
        s.m_looks.remove(key);
}

std::shared_ptr<SilentFiles> orNewSilentFiles(std::shared_ptr<SilentFiles> files)
{
    return files ? std::move(files) : std::make_shared<SilentFiles>();
}

bool isSilentFile(const std::shared_ptr<SilentFiles> &files, const QString &path)
{
    return files && files->isSilent(path);
}

std::vector<bool> silentFiles(const std::shared_ptr<SilentFiles> &files, const QStringList &paths)
{
    return files ? files->silent(paths) : std::vector<bool>(size_t(paths.size()), false);
}

} // namespace ztplatform
