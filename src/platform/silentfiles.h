#ifndef ZT_PLATFORM_SILENTFILES_H
#define ZT_PLATFORM_SILENTFILES_H

// Files whose drive kept a look that was given up on: no other look at one
// starts until that look has returned, so a file that does not answer holds
// one thread at most, however often it is asked for.

#include <QString>
#include <QStringList>

#include <atomic>
#include <vector>

namespace ztplatform {

// One look at `path`, shared by its caller and the thread that looks.
class SilentLook
{
public:
    explicit SilentLook(const QString &path);
    SilentLook(const SilentLook &) = delete;
    SilentLook &operator=(const SilentLook &) = delete;

    // The caller stops waiting: unless it has returned, the file is silent until it does.
    void givenUp();
    // The look has returned.
    void returned();

private:
    enum State { Looking, Returned, GivenUp };
    const QString m_path;
    std::atomic<int> m_state{Looking}; // moves to GivenUp only under the registry's lock
};

// True while a look at `path` that was given up on has not returned.
bool isSilentFile(const QString &path);
// For each of `paths`, whether it is silent; one look at the registry for all.
std::vector<bool> silentFiles(const QStringList &paths);

} // namespace ztplatform

#endif
