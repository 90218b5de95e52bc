#ifndef ZT_KITFILE_SOUNDBYTES_H
#define ZT_KITFILE_SOUNDBYTES_H

// Whether two sounds hold the same bytes: a plain file whole, a sound of a kit
// file as the file stores it. Sizes are compared first; each sound's bytes
// are read at most once.

#include <QByteArray>
#include <QHash>
#include <QString>

#include "platform/waiter.h"

#include <functional>
#include <memory>

namespace ztplatform {
class FolderFence;
class SilentFiles;
}

namespace setupfiles {

class SoundBytes
{
public:
    // Where the bytes of a source lie: the file, their start and length.
    struct Place
    {
        QString file;
        qint64 start = 0;
        qint64 length = -1; // -1: not known
    };
    // Places a stored sound (a kit-file source); a plain file's place is the
    // whole file. Unset: every source is a plain file.
    using Locate = std::function<Place(const QString &source)>;

    // Each file is looked at on a thread of its own, waited on through
    // `wait`: one whose drive reads nothing for 2 s is not waited on, and
    // reads as a file that cannot be read.
    // A plain file is looked at past `fence` (none: nothing fenced). A file
    // whose look is given up on stays silent in `silent` until it returns.
    explicit SoundBytes(std::shared_ptr<ztplatform::SilentFiles> silent, Locate locate = Locate(),
                        ztplatform::Waiter wait = {}, std::shared_ptr<ztplatform::FolderFence> fence = nullptr)
        : m_silent(std::move(silent))
        , m_locate(std::move(locate))
        , m_wait(std::move(wait))
        , m_fence(std::move(fence))
    {
    }

    // The fence past which plain files are looked at, with the disk they are read through.
    const std::shared_ptr<ztplatform::FolderFence> &fence() const { return m_fence; }

    // False also when either cannot be read.
    bool same(const QString &source, const QString &other);
    bool same(const QString &source, const Place &other);

private:
    Place placeOf(const QString &source);
    QByteArray digestOf(const Place &place);

    std::shared_ptr<ztplatform::SilentFiles> m_silent;
    Locate m_locate;
    ztplatform::Waiter m_wait;
    std::shared_ptr<ztplatform::FolderFence> m_fence;
    QHash<QString, Place> m_places;
    QHash<QString, QByteArray> m_digests; // by file, start and length
};

} // namespace setupfiles

#endif
