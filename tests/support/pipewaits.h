#ifndef TESTS_SUPPORT_PIPEWAITS_H
#define TESTS_SUPPORT_PIPEWAITS_H

// While it lives, a thread of its own watches the threads of this process:
// one that waits in the open of a pipe, for a partner that never comes, is
// noted, and the pipes named are opened from the other end so that such a
// wait ends. Code that waits on no pipe leaves none noted, however slow the
// machine.

#include <QDir>
#include <QFile>
#include <QStringList>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

class PipeWaits
{
public:
    explicit PipeWaits(const QStringList &pipes)
        : m_thread([this, pipes] {
              while (!m_stop) {
                  if (someoneWaits()) {
                      m_seen = true;
                      for (const QString &pipe : pipes)
                          meet(QFile::encodeName(pipe));
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(5));
              }
          })
    {
    }
    ~PipeWaits()
    {
        m_stop = true;
        m_thread.join();
    }
    PipeWaits(const PipeWaits &) = delete;
    PipeWaits &operator=(const PipeWaits &) = delete;

    // True once a thread was found waiting in the open of a pipe.
    bool any() const { return m_seen; }

private:
    static bool someoneWaits()
    {
        const QStringList tasks = QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString &task : tasks) {
            QFile wchan("/proc/self/task/" + task + "/wchan");
            if (wchan.open(QIODevice::ReadOnly) && wchan.readAll().startsWith("wait_for_partner"))
                return true;
        }
        return false;
    }
    // A reader waiting gets a writer that closes at once, a writer a reader.
    static void meet(const QByteArray &pipe)
    {
        for (const int flags : {O_WRONLY, O_RDONLY}) {
            const int fd = ::open(pipe.constData(), flags | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0)
                ::close(fd);
        }
    }

    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_seen{false};
    std::thread m_thread;
};

#endif
