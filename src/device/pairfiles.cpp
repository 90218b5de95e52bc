#include "device/pairfiles.h"

#include "model/audioconverter.h"
#include "model/bytepack.h"
#include "model/percussionpadfile1.h"
#include "platform/descriptor.h"
#include "platform/disk.h"
#include "platform/tempnames.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace pairfiles {

namespace {

constexpr int PRM_SIZE = 64;
constexpr int PRM_SIZE_FIELD = 38;
constexpr int HIDDEN_TRIES = 1000;

// The entry opened for reading without following a link or waiting on a
// pipe, with its look; none unless it is a regular file.
ztplatform::Descriptor openRegular(const ztplatform::OpenFolder &folder, const QString &name, struct stat *st)
{
    ztplatform::Descriptor fd(folder.openEntry(name, O_RDONLY | O_NONBLOCK));
    if (fd.isOpen() && (folder.disk().stat(fd.get(), st) != 0 || !S_ISREG(st->st_mode)))
        fd.reset();
    return fd;
}

} // namespace

QStringList entryNames(const ztplatform::OpenFolder &folder)
{
    QStringList names;
    for (const ztplatform::ListedEntry &e : ztplatform::listFolder(folder.disk(), folder.fd()))
        names << QFile::decodeName(e.name);
    return names;
}

QString findEntry(const ztplatform::OpenFolder &folder, const QString &name, const QStringList *names)
{
    if (!names && folder.exists(name))
        return name;
    const QStringList listed = names ? *names : entryNames(folder);
    for (const QString &entry : listed) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return QString();
}

QString freeHiddenName(const ztplatform::OpenFolder &folder, const QString &name)
{
    for (quint32 n = 0; n < HIDDEN_TRIES; ++n) {
        const QString hidden = ztplatform::temporaryName(name, n);
        if (!folder.exists(hidden)) // a link at the name exists too
            return hidden;
    }
    return QString();
}

QString hiddenTarget(const QString &hidden)
{
    if (!ztplatform::isTemporaryName(hidden))
        return QString();
    const int numberDot = hidden.lastIndexOf(QLatin1Char('.'), hidden.size() - int(sizeof ".zt-part"));
    return hidden.mid(1, numberDot - 1);
}

bool moveEntry(const ztplatform::OpenFolder &source, const QString &from, const ztplatform::OpenFolder &target,
               const QString &to)
{
    if (!source.isOpen() || !target.isOpen() || from.isEmpty() || to.isEmpty()) {
        errno = EBADF;
        return false;
    }
    return source.disk().renameAt(source.fd(), QFile::encodeName(from), target.fd(), QFile::encodeName(to), true) == 0;
}

qint64 regularSize(const ztplatform::OpenFolder &folder, const QString &name)
{
    struct stat st;
    return openRegular(folder, name, &st).isOpen() ? qint64(st.st_size) : -1;
}

QByteArray readRegular(const ztplatform::OpenFolder &folder, const QString &name, qint64 max)
{
    struct stat st;
    const ztplatform::Descriptor fd = openRegular(folder, name, &st);
    QByteArray bytes;
    while (fd.isOpen() && bytes.size() < max) {
        const int had = bytes.size();
        bytes.resize(had + int(qMin<qint64>(max - had, 65536)));
        const qint64 n = folder.disk().read(fd.get(), bytes.data() + had, bytes.size() - had);
        bytes.resize(had + int(qMax<qint64>(n, 0)));
        if (n <= 0)
            break;
    }
    return bytes;
}

bool isWholePair(const QByteArray &record, qint64 wavSize)
{
    if (record.size() != PRM_SIZE || wavSize < audioconverter::WAVE_HEAD_SIZE)
        return false;
    const auto *p = reinterpret_cast<const uchar *>(record.constData());
    const int number = bytepack::get16(p);
    return number >= 1 && number <= WAVE_MAX_COUNT && qint64(bytepack::get32(p + PRM_SIZE_FIELD)) == wavSize;
}

} // namespace pairfiles
