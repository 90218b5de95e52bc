#ifndef ZT_PLATFORM_DESCRIPTOR_H
#define ZT_PLATFORM_DESCRIPTOR_H

#include <QIODevice>

class QFile;

namespace ztplatform {

// An open file descriptor with one owner: closed when the owner goes, moved
// and never copied. -1 holds none.
class Descriptor
{
public:
    Descriptor() noexcept = default;
    explicit Descriptor(int fd) noexcept
        : m_fd(fd)
    {
    }
    ~Descriptor();
    Descriptor(Descriptor &&other) noexcept
        : m_fd(other.release())
    {
    }
    Descriptor &operator=(Descriptor &&other) noexcept;
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }
    // Gives the descriptor up unclosed to a new owner.
    int release() noexcept
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    // Closes the one held and holds `fd`.
    void reset(int fd = -1) noexcept;
    // Closes it now: 0, or -1 with errno (a write the system could not make
    // may show here). It holds none after, either way.
    int close() noexcept;

    // A second descriptor of the open file `fd` (close-on-exec); none when
    // `fd` is not open or the system refuses, errno telling why.
    static Descriptor duplicate(int fd) noexcept;

private:
    int m_fd = -1;
};

// `file` opened on `fd` with `mode`, and closing it when it goes; `fd` is
// closed when the file refuses it.
bool openFile(QFile &file, Descriptor fd, QIODevice::OpenMode mode);

} // namespace ztplatform

#endif
