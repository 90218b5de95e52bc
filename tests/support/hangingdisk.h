#ifndef TESTS_SUPPORT_HANGINGDISK_H
#define TESTS_SUPPORT_HANGINGDISK_H

// The editor's disk while it lives (or the disk put in `on`, the one the test
// handed to what it built): an open (and, when asked, a stat or a
// link's resolution) of a name that ends as told waits, as on a drive that
// stopped answering, until the test releases it; the first `answered` such
// looks still go through, as before the drive stopped answering. Asked for
// renames or writes instead, a rename onto such a name, or a write into a
// file open at one, waits, opens go through, and once released the call is
// made. Asked for opens and removes, both wait; asked for syncs, a sync of
// a file or folder open at such a name waits; asked for listings, a listing
// of a folder open at such a name waits; asked for reads, a read of a file
// open at such a name waits. Every other call goes to the system.

#include "passdisk.h"
#include "switchdisk.h"

#include "platform/sysio.h"
#include "platform/waiter.h"

#include <QCoreApplication>
#include <QTimer>

#include <unistd.h>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class HangingOpens
{
public:
    // What waits: opens only, stats too, removes too, renames only, writes
    // only, syncs only, listings of a folder only or reads only.
    enum class Looks { Opens, OpensAndStats, OpensAndRemoves, Renames, Writes, Syncs, Lists, Reads };

    explicit HangingOpens(const QByteArray &nameEnd, int answered = 0, Looks looks = Looks::Opens)
        : m_gate(new Gate(nameEnd, answered, looks))
        , m_before(ztplatform::sysio::setDisk(m_gate))
    {
    }
    HangingOpens(SwitchDisk &on, const QByteArray &nameEnd, int answered = 0, Looks looks = Looks::Opens)
        : m_gate(new Gate(nameEnd, answered, looks))
        , m_on(&on)
        , m_before(on.use(m_gate))
    {
    }
    // Looks still waiting return before it goes. A look given up on may
    // still hold the disk and call it later: it lives on, passing each call.
    ~HangingOpens()
    {
        m_gate->release();
        m_gate->waitUntilNoneWaits();
        if (m_on)
            m_on->use(m_before);
        else
            ztplatform::sysio::setDisk(m_before);
        static std::mutex lock;
        static auto *kept = new std::vector<std::unique_ptr<Gate>>; // never freed
        std::lock_guard<std::mutex> hold(lock);
        kept->emplace_back(m_gate);
    }
    HangingOpens(const HangingOpens &) = delete;
    HangingOpens &operator=(const HangingOpens &) = delete;

    void release() { m_gate->release(); }
    // Lets the look waiting now go on; the next one waits again.
    void releaseOne() { m_gate->releaseOne(); }
    // Looks that waited or wait now.
    int hung() const { return m_gate->hung(); }
    // Looks waiting now.
    int waiting() const { return m_gate->waiting(); }

private:
    class Gate : public PassDisk
    {
    public:
        Gate(const QByteArray &nameEnd, int answered, Looks looks)
            : m_nameEnd(nameEnd)
            , m_answered(answered)
            , m_looks(looks)
        {
        }

        int openAt(int dir, const QByteArray &name, int flags, mode_t mode = 0) override
        {
            if (m_looks == Looks::Opens || m_looks == Looks::OpensAndStats || m_looks == Looks::OpensAndRemoves)
                hangOn(name);
            return PassDisk::openAt(dir, name, flags, mode);
        }
        int unlinkAt(int dir, const QByteArray &name, int flags = 0) override
        {
            if (m_looks == Looks::OpensAndRemoves)
                hangOn(name);
            return PassDisk::unlinkAt(dir, name, flags);
        }
        int statAt(int dir, const QByteArray &name, struct stat *st, int flags = 0) override
        {
            if (m_looks == Looks::OpensAndStats)
                hangOn(name);
            return PassDisk::statAt(dir, name, st, flags);
        }
        int statxAt(int dir, const QByteArray &name, int flags, unsigned mask, struct statx *sx) override
        {
            if (m_looks == Looks::OpensAndStats)
                hangOn(name);
            return PassDisk::statxAt(dir, name, flags, mask, sx);
        }

        int realPath(const QByteArray &name, QByteArray *resolved) override
        {
            if (m_looks == Looks::OpensAndStats)
                hangOn(name);
            return PassDisk::realPath(name, resolved);
        }
        int readLinkAt(int dir, const QByteArray &name, QByteArray *target) override
        {
            if (m_looks == Looks::OpensAndStats)
                hangOn(name);
            return PassDisk::readLinkAt(dir, name, target);
        }

        int renameAt(int fromDir, const QByteArray &from, int toDir, const QByteArray &to,
                     bool noReplace = false) override
        {
            if (m_looks == Looks::Renames)
                hangOn(to);
            return PassDisk::renameAt(fromDir, from, toDir, to, noReplace);
        }

        bool write(int fd, const char *data, qint64 size, qint64 offset = -1) override
        {
            if (m_looks == Looks::Writes)
                hangOn(pathOf(fd));
            return PassDisk::write(fd, data, size, offset);
        }
        qint64 writeWith(int fd, const char *data, qint64 size, const std::function<qint64()> &perform) override
        {
            if (m_looks == Looks::Writes)
                hangOn(pathOf(fd));
            return PassDisk::writeWith(fd, data, size, perform);
        }

        qint64 read(int fd, char *data, qint64 size, qint64 offset = -1) override
        {
            if (m_looks == Looks::Reads)
                hangOn(pathOf(fd));
            return PassDisk::read(fd, data, size, offset);
        }

        int sync(int fd, bool dataOnly = false) override
        {
            if (m_looks == Looks::Syncs)
                hangOn(pathOf(fd));
            return PassDisk::sync(fd, dataOnly);
        }

        int list(int dir, QVector<ztplatform::ListedEntry> *entries) override
        {
            if (m_looks == Looks::Lists)
                hangOn(pathOf(dir));
            return PassDisk::list(dir, entries);
        }

        void release()
        {
            std::lock_guard<std::mutex> hold(m_lock);
            m_released = true;
            m_changed.notify_all();
        }
        void releaseOne()
        {
            std::lock_guard<std::mutex> hold(m_lock);
            ++m_passes;
            m_changed.notify_all();
        }
        void waitUntilNoneWaits()
        {
            std::unique_lock<std::mutex> hold(m_lock);
            m_changed.wait(hold, [this] { return m_inside == 0; });
        }
        int hung() const
        {
            std::lock_guard<std::mutex> hold(m_lock);
            return m_hung;
        }
        int waiting() const
        {
            std::lock_guard<std::mutex> hold(m_lock);
            return m_inside;
        }

    private:
        static QByteArray pathOf(int fd)
        {
            char path[4096];
            const ssize_t n = ::readlink(QByteArray("/proc/self/fd/" + QByteArray::number(fd)).constData(), path,
                                         sizeof path);
            return n > 0 ? QByteArray(path, int(n)) : QByteArray();
        }

        void hangOn(const QByteArray &name)
        {
            std::unique_lock<std::mutex> hold(m_lock);
            if (m_released || !name.endsWith(m_nameEnd) || m_answered-- > 0)
                return;
            ++m_inside;
            ++m_hung;
            m_changed.notify_all();
            m_changed.wait(hold, [this] { return m_released || m_passes > 0; });
            if (!m_released)
                --m_passes;
            --m_inside;
            m_changed.notify_all();
        }

        const QByteArray m_nameEnd;
        int m_answered;
        const Looks m_looks;
        mutable std::mutex m_lock;
        std::condition_variable m_changed;
        bool m_released = false;
        int m_passes = 0; // looks let go on one by one
        int m_inside = 0;
        int m_hung = 0;
    };

    Gate *m_gate;
    SwitchDisk *m_on = nullptr;
    ztplatform::Disk *m_before;
};

// Turns of the event loop (a timer every `everyMs`, as the window would paint)
// taken while `during` holds, say while a drive is held and the window has not
// yet given up on it: one shows the window answered meanwhile, without a look
// at the clock.
class TurnsWhile
{
public:
    explicit TurnsWhile(std::function<bool()> during, int everyMs = 20)
        : m_during(std::move(during))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (m_during())
                ++m_turns;
        });
        m_timer.start(everyMs);
    }
    int turns() const { return m_turns; }

private:
    std::function<bool()> m_during;
    QTimer m_timer;
    int m_turns = 0;
};

// Waits as the window does: the event loop runs meanwhile.
inline ztplatform::Waiter eventsWhileWaiting()
{
    return [](const std::function<bool(int)> &ended) {
        while (!ended(20))
            QCoreApplication::processEvents();
    };
}

#endif
