#ifndef MAPPEDFILE_H
#define MAPPEDFILE_H

#include <QtGlobal>
#include <QString>

// Read-write memory mapping of an existing file, held under an exclusive lock.
// The file is never created, truncated or extended: only bytes inside its
// current size can be changed.
class MappedFile
{
public:
    MappedFile() = default;
    ~MappedFile();

    MappedFile(const MappedFile &) = delete;
    MappedFile &operator=(const MappedFile &) = delete;

    // Opens an existing file for reading and writing and takes an exclusive
    // lock on it; fails when the file is missing, not accessible or locked.
    bool open(const QString &path);
    // Maps the whole file read-write; fails for an empty file.
    char *map();
    // Writes the mapped bytes back to the file.
    bool flush();
    // Releases the mapping (flushing it first).
    void unmap();
    // Unmaps, unlocks and closes.
    void close();

    bool isOpen() const { return m_fd >= 0; }
    char *data() const { return m_data; }
    qint64 size() const { return m_size; }
    QString errorString() const { return m_error; }

private:
    int m_fd = -1;
    char *m_data = nullptr;
    qint64 m_size = 0;
    QString m_error;
};

#endif // MAPPEDFILE_H
