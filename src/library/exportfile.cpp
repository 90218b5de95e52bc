#include "library/exportfile.h"

#include "library/soundsource.h"
#include "model/audioconverter.h"
#include "platform/durablefile.h"
#include "platform/errortext.h"
#include "platform/pathcase.h"
#include "platform/regularfile.h"
#include "platform/replacefile.h"
#include "platform/sysio.h"

#include <cerrno>
#include <chrono>

namespace exportfile {
namespace {

Outcome unwritable(QString *why, const QString &reason)
{
    if (why)
        *why = reason;
    return Outcome::Unwritable;
}

void moved(Watch *watch)
{
    if (watch)
        watch->moved();
}

void moved(Watch *watch, Watch::Step step)
{
    if (watch)
        watch->moved(step);
}

// The temporary as a stored sound's copy writes it: the watch is at the
// target while a block is written, so a write that does not move on is
// never taken for a read of the kit file.
class WatchedWrites : public QIODevice
{
public:
    WatchedWrites(QIODevice &out, Watch *watch)
        : m_out(out)
        , m_watch(watch)
    {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        moved(m_watch, Watch::Step::Target);
        const qint64 put = m_out.write(data, size);
        moved(m_watch, Watch::Step::Source);
        return put;
    }

private:
    QIODevice &m_out;
    Watch *m_watch;
};

// Puts the finished temporary in place: synced, given the mode of the file
// it replaces and renamed over the target.
Outcome putInPlace(ztplatform::ReplaceFile &part, QString *why, QString *notKept, Watch *watch)
{
    moved(watch, Watch::Step::Place);
    if (!part.finish())
        return unwritable(why, part.errorString());
    moved(watch);
    if (watch && !watch->mayPlace())
        return unwritable(why, ztplatform::errorText(ETIMEDOUT));
    if (!part.rename())
        return unwritable(why, part.errorString());
    if (notKept)
        *notKept = part.notKept();
    return Outcome::Written;
}

} // namespace

Watch::Watch()
{
    moved();
}

void Watch::moved()
{
    m_lastMove = ztplatform::nowMs();
}

void Watch::moved(Step step)
{
    m_step = step;
    moved();
}

qint64 Watch::sinceMovedMs() const
{
    return ztplatform::nowMs() - m_lastMove;
}

bool Watch::giveUp()
{
    m_stop = true;
    int running = Running;
    return m_state.compare_exchange_strong(running, GivenUp) || running == GivenUp;
}

bool Watch::mayPlace()
{
    int running = Running;
    return m_state.compare_exchange_strong(running, Placing) || running == Placing;
}

Outcome convert(const QString &source, const QString &target, QString &err, QString *why, QString *notKept,
                Watch *watch, bool createOnly, const audioconverter::Limits &limits,
                const std::shared_ptr<ztplatform::Leftovers> &leftovers,
                const std::shared_ptr<ztplatform::SilentFiles> &silent, ztplatform::Disk *disk)
{
    ztplatform::ReplaceFile part(target, leftovers, disk);
    part.setCreateOnly(createOnly);
    if (!part.open())
        return unwritable(why, part.errorString());
    audioconverter converter(limits, disk ? *disk : ztplatform::diskOf(nullptr));
    converter.setSilentFiles(silent);
    if (watch)
        converter.setStopFlag(watch->stopFlag());
    moved(watch, Watch::Step::Program);
    // Written through the temporary's own descriptor, never opened again by its name.
    const bool converted = converter.audioConverterRun(source, part.file(), err);
    moved(watch, Watch::Step::Target);
    if (err.isEmpty())
        return Outcome::NotRun;
    if (!converted && !converter.writeFaultReason().isEmpty()) {
        const QString at = converter.writeFaultPath();
        return unwritable(why, at.isEmpty() ? converter.writeFaultReason()
                                            : at + QStringLiteral(": ") + converter.writeFaultReason());
    }
    return converted ? putInPlace(part, why, notKept, watch) : Outcome::Failed;
}

Outcome copyStored(const QString &kitFile, quint32 offset, quint32 length, const QString &target,
                   const soundsource::LoadCheck &asLoaded, QString *why, Watch *watch, bool createOnly,
                   const std::shared_ptr<ztplatform::Leftovers> &leftovers,
                   const std::shared_ptr<ztplatform::FolderFence> &fence)
{
    StoredCopy copy(target, createOnly, leftovers, &ztplatform::diskOf(fence));
    const Outcome written = copy.write(kitFile, offset, length, asLoaded, why, watch, fence);
    return written == Outcome::Written ? copy.place(why, watch) : written;
}

StoredCopy::StoredCopy(const QString &target, bool createOnly,
                       const std::shared_ptr<ztplatform::Leftovers> &leftovers, ztplatform::Disk *disk)
    : m_part(std::make_unique<ztplatform::ReplaceFile>(target, leftovers, disk))
{
    m_part->setCreateOnly(createOnly);
}

StoredCopy::~StoredCopy() = default;

Outcome StoredCopy::write(const QString &kitFile, quint32 offset, quint32 length,
                          const soundsource::LoadCheck &asLoaded, QString *why, Watch *watch,
                          const std::shared_ptr<ztplatform::FolderFence> &fence)
{
    ztplatform::ReplaceFile &part = *m_part;
    if (!part.open())
        return unwritable(why, part.errorString());
    moved(watch, Watch::Step::Source);
    soundsource::CopyFault fault = soundsource::CopyFault::None;
    WatchedWrites out(part.file(), watch);
    const quint64 copied = soundsource::copyStoredWave(kitFile, offset, length, out,
                                                       watch ? watch->stopFlag() : nullptr, &fault, asLoaded,
                                                       [watch]() { moved(watch); }, fence);
    if (copied == length && fault == soundsource::CopyFault::None) {
        moved(watch, Watch::Step::Target);
        part.startWriteBack();
        moved(watch);
        return Outcome::Written;
    }
    switch (fault) {
    case soundsource::CopyFault::Read:
        return Outcome::Unreadable;
    case soundsource::CopyFault::Changed:
        return Outcome::Changed;
    default:
        return unwritable(why, ztplatform::writeFailure(part.file()));
    }
}

Outcome StoredCopy::place(QString *why, Watch *watch)
{
    return putInPlace(*m_part, why, nullptr, watch);
}

SourceFiles::SourceFiles(const QStringList &sources, ztplatform::Disk *disk)
    : m_sources(sources)
    , m_disk(disk)
{
}

bool SourceFiles::contains(const QString &path)
{
    ztplatform::Disk &disk = *m_disk;
    const QString file = ztplatform::canonicalPathOf(disk, path);
    if (file.isEmpty())
        return false; // nothing there to replace
    if (!m_made) {
        m_made = true;
        QSet<QString> seen;
        for (const QString &s : qAsConst(m_sources)) {
            const soundsource::Stored stored = soundsource::parse(s);
            const QString own = stored.form == soundsource::Form::Plain ? s : stored.kitFile;
            if (!seen.contains(own)) {
                seen.insert(own);
                const QString canonical = ztplatform::canonicalPathOf(disk, own);
                if (!canonical.isEmpty())
                    m_files.insert(canonical);
            }
        }
        m_sources.clear();
    }
    return m_files.contains(file);
}

} // namespace exportfile
