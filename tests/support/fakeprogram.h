#ifndef TESTS_SUPPORT_FAKEPROGRAM_H
#define TESTS_SUPPORT_FAKEPROGRAM_H

// A shell script found first on PATH under a program's name while it lives.

#include <QFile>
#include <QTemporaryDir>

class FakeProgram
{
public:
    // `script` runs under /bin/sh as `name`.
    FakeProgram(const QString &name, const QByteArray &script)
        : m_path(qgetenv("PATH"))
    {
        QFile file(m_dir.filePath(name));
        m_ready = m_dir.isValid() && file.open(QIODevice::WriteOnly) && file.write("#!/bin/sh\n" + script) > 0
                  && file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        file.close();
        qputenv("PATH", QFile::encodeName(m_dir.path()) + ":" + m_path);
    }
    ~FakeProgram() { qputenv("PATH", m_path); }
    FakeProgram(const FakeProgram &) = delete;
    FakeProgram &operator=(const FakeProgram &) = delete;

    bool ready() const { return m_ready; }

private:
    QTemporaryDir m_dir;
    QByteArray m_path;
    bool m_ready = false;
};

// A script that reports progress on stderr as ffmpeg does, so no stall
// ends it, and after a minute or more ends on its own, leaving the file
// `mark`: one killed before leaves none. `before` runs first.
inline QByteArray reportsUntilKilled(const QString &mark, const QByteArray &before = QByteArray())
{
    return before + "i=0\nwhile [ $i -lt 600 ]; do echo 'size= 1kB' >&2; /bin/sleep 0.1; i=$((i+1)); done\n: > '"
           + QFile::encodeName(mark) + "'\n";
}

#endif
