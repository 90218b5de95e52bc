#include "library/soundsource.h"

#include "platform/descriptor.h"
#include "platform/fileidentity.h"
#include "platform/regularfile.h"
#include "platform/sysio.h"
#include "kitfile/soundsource.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace soundsource {

Stored parse(const QString &source)
{
    Stored s;
    const setupfiles::StoredRef ref = setupfiles::parseStoredSource(source);
    if (!ref.isStored())
        return s;
    s.form = setupfiles::isWholeSetupPath(ref.kitFile) ? Form::WholeSetup : Form::SingleKit;
    s.number = quint16(ref.number & 0x7FFF);
    s.kitFile = ref.kitFile;
    return s;
}

int tableEntry(const Stored &s, bool clicksFirst)
{
    constexpr int kFirstClick = 10000;
    constexpr int kClicks = 5;
    switch (s.form) {
    case Form::Plain:
        return -1;
    case Form::SingleKit:
        return s.number;
    case Form::WholeSetup:
        break;
    }
    if (s.number >= kFirstClick)
        return s.number - kFirstClick < kClicks ? s.number - kFirstClick : -1;
    return clicksFirst ? s.number + kClicks : s.number;
}

bool inTable(const Records::READ_KIT_FILE &kit, int entry)
{
    return entry >= 0 && entry < qMin(int(kit.info.soundChunk.soundCount), int(kit.info.sound.size()));
}

StoredEntries::StoredEntries(const QVector<Records::READ_KIT_FILE> &loaded, bool clicksFirst,
                             std::shared_ptr<ztplatform::SilentFiles> silent, ztplatform::Waiter wait,
                             std::shared_ptr<ztplatform::FolderFence> fence)
    : m_locator(loaded, std::move(silent), std::move(wait), std::move(fence))
    , m_clicksFirst(clicksFirst)
{
}

int StoredEntries::find(const QString &source, const Records::READ_KIT_FILE **kit)
{
    const Stored s = parse(source);
    *kit = nullptr;
    if (s.form == Form::Plain)
        return -1;
    const int record = m_locator.recordOf(s.kitFile);
    if (record < 0)
        return -1;
    *kit = &m_locator.record(record);
    auto sources = m_sources.find(record);
    if (sources == m_sources.end()) {
        QHash<QString, int> bySource;
        const int n = qMin(int((*kit)->info.soundChunk.soundCount), int((*kit)->info.sound.size()));
        bySource.reserve(n);
        for (int e = n - 1; e >= 0; --e) {
            const QString &from = (*kit)->info.sound[size_t(e)].fileName;
            if (!from.isEmpty())
                bySource.insert(QDir::fromNativeSeparators(from), e);
        }
        sources = m_sources.insert(record, bySource);
    }
    const int e = sources->value(QDir::fromNativeSeparators(source), -1);
    if (e >= 0)
        return e;
    // Tables read without their sources: by the number.
    const int entry = tableEntry(s, m_clicksFirst);
    return inTable(**kit, entry) ? entry : -1;
}

bool isPadWave(const QString &path)
{
    const QString name = QDir::fromNativeSeparators(path);
    // "350/" has no case: the quick look first.
    return name.contains(QLatin1String("350/")) && name.contains(QLatin1String("zt350/wav_data"), Qt::CaseInsensitive);
}

namespace {

// The kit file, open at `offset`; false, `failed` set, when it cannot be read
// there or, as opened, `asLoaded` refuses it. Stopped while its drive kept
// the first look, it is not looked at again.
bool openKitFile(ztplatform::sysio::SeamFile &in, const QString &kitFile, quint32 offset, const LoadCheck &asLoaded,
                 const std::atomic_bool *stop, CopyFault &failed, const std::shared_ptr<ztplatform::FolderFence> &fence)
{
    failed = CopyFault::Read;
    const bool regular = ztplatform::isRegularFile(fence, kitFile);
    if (stop && *stop)
        return false;
    ztplatform::Disk &disk = ztplatform::diskOf(fence);
    if (!regular || !ztplatform::openRegularFile(disk, kitFile, in, false))
        return false;
    if (asLoaded && !asLoaded(ztplatform::fileStamp(disk, in.handle()))) {
        failed = CopyFault::Changed;
        return false;
    }
    return in.seek(offset);
}

quint64 copyBlocks(QFile &in, QIODevice &out, quint32 length, const std::atomic_bool *stop, CopyFault &failed,
                   const std::function<void()> &moved = {})
{
    constexpr qint64 kBlock = 65536;
    QByteArray buffer(int(kBlock), Qt::Uninitialized);
    quint64 written = 0;
    qint64 remaining = length;
    failed = CopyFault::None;
    while (remaining > 0 && !(stop && *stop)) {
        const qint64 got = in.read(buffer.data(), qMin(remaining, kBlock));
        if (got <= 0) {
            failed = CopyFault::Read;
            break;
        }
        const qint64 put = out.write(buffer.constData(), got);
        if (put > 0)
            written += quint64(put);
        if (put != got) {
            failed = CopyFault::Write;
            break;
        }
        remaining -= got;
        if (moved)
            moved();
    }
    return written;
}

} // namespace

quint64 copyStoredWave(const QString &kitFile, quint32 offset, quint32 length, const QString &target,
                       const std::atomic_bool *stop, CopyFault *fault, const LoadCheck &asLoaded,
                       const std::function<void()> &moved, const std::shared_ptr<ztplatform::FolderFence> &fence)
{
    CopyFault ignored;
    CopyFault &failed = fault ? *fault : ignored;
    ztplatform::sysio::SeamFile in(&ztplatform::diskOf(fence));
    if (!openKitFile(in, kitFile, offset, asLoaded, stop, failed, fence))
        return 0;
    // Stopped while the kit file's drive kept the open: the target is not touched.
    if (stop && *stop)
        return 0;
    if (moved)
        moved();
    failed = CopyFault::Write;
    // Opened first, never through a link, then emptied once it is known to be a file.
    ztplatform::Disk &disk = ztplatform::diskOf(fence);
    ztplatform::Descriptor fd(ztplatform::openRegularFile(disk, target, O_WRONLY | O_CREAT, true));
    ztplatform::sysio::SeamFile out(&disk);
    if (!fd.isOpen() || disk.truncate(fd.get(), 0) != 0
        || !out.openDescriptor(std::move(fd), QIODevice::WriteOnly))
        return 0;
    const quint64 written = copyBlocks(in, out, length, stop, failed, moved);
    out.close();
    if (out.error() != QFileDevice::NoError) {
        failed = CopyFault::Write;
        return 0;
    }
    return written;
}

quint64 copyStoredWave(const QString &kitFile, quint32 offset, quint32 length, QIODevice &out,
                       const std::atomic_bool *stop, CopyFault *fault, const LoadCheck &asLoaded,
                       const std::function<void()> &moved, const std::shared_ptr<ztplatform::FolderFence> &fence)
{
    CopyFault ignored;
    CopyFault &failed = fault ? *fault : ignored;
    ztplatform::sysio::SeamFile in(&ztplatform::diskOf(fence));
    if (!openKitFile(in, kitFile, offset, asLoaded, nullptr, failed, fence))
        return 0;
    if (moved)
        moved();
    return copyBlocks(in, out, length, stop, failed, moved);
}

QString ffmpegFailureSentence(int failure)
{
    switch (failure) {
    case 1:
        return QCoreApplication::translate("MainWindow1", "Invalid data found when processing input.");
    case 2:
        return QCoreApplication::translate("MainWindow1", "Error splitting the argument list.");
    case 3:
        return QCoreApplication::translate("MainWindow1", "Option not found.");
    case 4:
        return QCoreApplication::translate("MainWindow1", "Invalid argument.");
    default:
        return QString();
    }
}

QString logTail(const QString &log, int lines)
{
    constexpr int kMaxChars = 400;
    QStringList last;
    for (const QString &line : log.split(QRegularExpression(QStringLiteral("[\\r\\n]")), Qt::SkipEmptyParts)) {
        if (!line.trimmed().isEmpty())
            last.append(line.trimmed());
    }
    const QString tail = last.mid(qMax(0, last.size() - lines)).join(QStringLiteral("\r\n"));
    return tail.size() > kMaxChars ? QStringLiteral("...") + tail.right(kMaxChars) : tail;
}

QString timeText(qint64 ms, bool shortForm)
{
    if (ms < 0)
        ms = 0;
    const qint64 hours = ms / 3600000;
    const int minutes = int((ms / 60000) % 60);
    const int seconds = int((ms / 1000) % 60);
    const QString mmss = QStringLiteral("%1:%2").arg(minutes, 2, 10, QLatin1Char('0')).arg(seconds, 2, 10, QLatin1Char('0'));
    if (shortForm || ms < 3600000)
        return mmss;
    return QStringLiteral("%1:").arg(hours, 2, 10, QLatin1Char('0')) + mmss;
}

} // namespace soundsource
