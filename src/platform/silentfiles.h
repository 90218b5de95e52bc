#ifndef ZT_PLATFORM_SILENTFILES_H
#define ZT_PLATFORM_SILENTFILES_H

// Files whose drive kept a look that was given up on: no other look at one
// starts until that look has returned, so a file that does not answer holds
// one thread at most, however often it is asked for.

#include <QHash>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace ztplatform {

// The looks given up on that have not returned, by file. One for the editor,
// shared by everything that looks at files on a thread of its own and by
// every such thread; its state holds on every thread.
class SilentFiles
{
public:
    SilentFiles() = default;
    SilentFiles(const SilentFiles &) = delete;
    SilentFiles &operator=(const SilentFiles &) = delete;

    // True while a look at `path` that was given up on has not returned.
    bool isSilent(const QString &path);
    // For each of `paths`, whether it is silent; one look at the registry for all.
    std::vector<bool> silent(const QStringList &paths);

private:
    friend class SilentLook;
    std::mutex m_lock;
    QHash<QString, int> m_looks; // given-up looks still waiting, by file
};

// One look at `path`, shared by its caller and the thread that looks. A look
// without a registry is never silent to any other.
class SilentLook
{
public:
    SilentLook(std::shared_ptr<SilentFiles> files, const QString &path);
    SilentLook(const SilentLook &) = delete;
    SilentLook &operator=(const SilentLook &) = delete;

    // The caller stops waiting: unless it has returned, the file is silent until it does.
    void givenUp();
    // The look has returned.
    void returned();

private:
    enum State { Looking, Returned, GivenUp };
    const std::shared_ptr<SilentFiles> m_files;
    const QString m_path;
    std::atomic<int> m_state{Looking}; // moves to GivenUp only under the registry's lock
};

// `files`, or a new registry when none is given (one for a caller's own looks).
std::shared_ptr<SilentFiles> orNewSilentFiles(std::shared_ptr<SilentFiles> files);
// files->isSilent(path); false without a registry.
bool isSilentFile(const std::shared_ptr<SilentFiles> &files, const QString &path);
// files->silent(paths); none silent without a registry.
std::vector<bool> silentFiles(const std::shared_ptr<SilentFiles> &files, const QStringList &paths);

} // namespace ztplatform

#endif
