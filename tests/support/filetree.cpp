#include "filetree.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace filetree {

namespace {

QByteArray readAll(int dir, const char *name)
{
    QByteArray out;
    const int fd = ::openat(dir, name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return out;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        out.append(buffer, int(n));
    }
    ::close(fd);
    return out;
}

void readBelow(int dir, const QString &prefix, Tree &tree)
{
    const int listed = ::fcntl(dir, F_DUPFD_CLOEXEC, 0);
    DIR *d = listed >= 0 ? ::fdopendir(listed) : nullptr;
    if (!d)
        return;
    ::rewinddir(d);
    while (const dirent *e = ::readdir(d)) {
        const QByteArray name(e->d_name);
        if (name == "." || name == "..")
            continue;
        const QString path = prefix + QFile::decodeName(name);
        struct stat st;
        if (::fstatat(dir, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        Entry entry;
        if (S_ISDIR(st.st_mode)) {
            entry.kind = Entry::Folder;
            tree.insert(path, entry);
            const int sub = ::openat(dir, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (sub >= 0) {
                readBelow(sub, path + QLatin1Char('/'), tree);
                ::close(sub);
            }
        } else if (S_ISLNK(st.st_mode)) {
            entry.kind = Entry::Link;
            QByteArray target(4096, '\0');
            const ssize_t n = ::readlinkat(dir, name.constData(), target.data(), size_t(target.size()));
            entry.bytes = target.left(int(qMax<ssize_t>(n, 0)));
            tree.insert(path, entry);
        } else if (S_ISREG(st.st_mode)) {
            entry.bytes = readAll(dir, name.constData());
            tree.insert(path, entry);
        }
    }
    ::closedir(d);
}

void removeBelow(const QString &path)
{
    QDir dir(path);
    for (const QString &name : dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
        const QString p = path + QLatin1Char('/') + name;
        struct stat st;
        if (::lstat(QFile::encodeName(p).constData(), &st) == 0 && S_ISDIR(st.st_mode)) {
            removeBelow(p);
            ::rmdir(QFile::encodeName(p).constData());
        } else {
            ::unlink(QFile::encodeName(p).constData());
        }
    }
}

void put(const QString &path, const Entry &e)
{
    const QByteArray native = QFile::encodeName(path);
    if (e.kind == Entry::Folder) {
        ::mkdir(native.constData(), 0755);
    } else if (e.kind == Entry::Link) {
        ::symlink(e.bytes.constData(), native.constData());
    } else {
        const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
        qint64 done = 0;
        while (fd >= 0 && done < e.bytes.size()) {
            const ssize_t n = ::write(fd, e.bytes.constData() + done, size_t(e.bytes.size() - done));
            if (n <= 0 && errno != EINTR)
                break;
            done += qMax<ssize_t>(n, 0);
        }
        if (fd >= 0)
            ::close(fd);
    }
}

void drop(const QString &path, const Entry &e)
{
    const QByteArray native = QFile::encodeName(path);
    if (e.kind == Entry::Folder) {
        removeBelow(path);
        ::rmdir(native.constData());
    } else {
        ::unlink(native.constData());
    }
}

} // namespace

Tree read(const QString &root)
{
    Tree tree;
    const int fd = ::open(QFile::encodeName(root).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        readBelow(fd, QString(), tree);
        ::close(fd);
    }
    return tree;
}

void write(const Tree &tree, const QString &root, const Tree *was)
{
    const QString base = root + QLatin1Char('/');
    if (!was) {
        removeBelow(root);
        for (auto e = tree.cbegin(); e != tree.cend(); ++e)
            put(base + e.key(), e.value());
        return;
    }
    // Deepest first, so that a folder is empty when it goes.
    for (auto e = was->cend(); e != was->cbegin();) {
        --e;
        const auto now = tree.constFind(e.key());
        if (now == tree.cend() || now->kind != e->kind || (e->kind == Entry::Link && now->bytes != e->bytes))
            drop(base + e.key(), e.value());
    }
    for (auto e = tree.cbegin(); e != tree.cend(); ++e) {
        const auto then = was->constFind(e.key());
        if (then == was->cend() || then->kind != e->kind || then->bytes != e->bytes)
            put(base + e.key(), e.value());
    }
}

QByteArray digest(const Tree &tree)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (auto e = tree.cbegin(); e != tree.cend(); ++e) {
        const QByteArray path = e.key().toUtf8();
        const qint64 sizes[3] = {path.size(), qint64(e->kind), e->bytes.size()};
        hash.addData(reinterpret_cast<const char *>(sizes), sizeof sizes);
        hash.addData(path);
        hash.addData(e->bytes);
    }
    return hash.result();
}

QString firstDifference(const Tree &a, const Tree &b)
{
    for (auto e = a.cbegin(); e != a.cend(); ++e) {
        const auto other = b.constFind(e.key());
        if (other == b.cend())
            return e.key() + QStringLiteral(" only on the left");
        if (*other != *e)
            return e.key() + QStringLiteral(" differs");
    }
    for (auto e = b.cbegin(); e != b.cend(); ++e) {
        if (!a.contains(e.key()))
            return e.key() + QStringLiteral(" only on the right");
    }
    return QString();
}

} // namespace filetree
