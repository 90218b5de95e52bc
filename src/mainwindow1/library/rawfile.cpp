// The wave of a sound source written to a file: stored sounds copied out of
// their kit file, audio files converted by ffmpeg.
#include "mainwindow1/library/rawfile.h"
#include "mainwindow1/windowtexts.h"

#include "device/padreasons.h"
#include "device/padsession.h"
#include "library/kitusage.h"
#include "library/soundsource.h"
#include "library/waveprobe.h"
#include "model/audioconverter.h"
#include "platform/anchoredfolder.h"
#include "platform/errortext.h"
#include "platform/descriptor.h"
#include "platform/regularfile.h"
#include "platform/silentfiles.h"
#include "platform/sysio.h"
#include "platform/timedlook.h"
#include "setup/kitfileforget.h"
#include "widgets/dialogs/uiprompter.h"
#include "document/kitdocument.h"
#include "library/soundlibrary.h"
#include "widgets/jobdialog.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <mutex>
#include <cerrno>
#include <memory>
#include <optional>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Why a conversion gave no sound: its output could not be written (the
// place and the system's reason), or what ffmpeg said about the file.
QString failedConversionText(const QString &faultPath, const QString &faultReason, const QString &source,
                             const QString &err)
{
    const QString crlf = QStringLiteral("\r\n");
    QString text;
    if (!faultReason.isEmpty()) {
        text = WindowTexts::tr("The converted sound could not be written:") + crlf
               + QDir::toNativeSeparators(faultPath) + crlf + faultReason;
    } else {
        const int failure = audioconverter::failureKind(err);
        const QString detail = failure >= 1 && failure <= 4 ? soundsource::ffmpegFailureSentence(failure)
                                                            : soundsource::logTail(err);
        text = WindowTexts::tr("Wrong data in file：") + crlf + WindowTexts::tr("File Location: ") + source
               + (detail.isEmpty() ? QString() : crlf + detail);
    }
    return text;
}

constexpr int kConversionPollMs = 20;
constexpr int kSettleLimitMs = 6000; // a killed ffmpeg is waited on for 5 s

// The box of a sound whose file does not open for reading.
void tellUnreadable(UiPrompter &prompter, QWidget *parent, const QString &path, const QString &reason)
{
    prompter.information(parent, WindowTexts::tr("Error"),
                         WindowTexts::tr("The file cannot be read:") + QStringLiteral("\r\n") + path
                                 + QStringLiteral("\r\n") + reason,
                         QMessageBox::Ok);
}

// A stored sound's copy on a thread of its own, given up when its kit file's
// drive has not moved it on for ztplatform::kSilentLimitMs: the thread may then never
// return, so it holds copies and this shared state only. While it has not,
// no other copy out of that kit file starts.
class StoredCopy
{
public:
    static constexpr int kPollMs = 20;

    struct Done
    {
        quint64 written = 0;
        soundsource::CopyFault fault = soundsource::CopyFault::None;
    };
    struct Shared
    {
        std::atomic_bool stop{false};
        std::atomic<qint64> lastMove{0}; // steady clock, ms
    };
    std::shared_ptr<Shared> shared = std::make_shared<Shared>();

    void moved() const { shared->lastMove = ztplatform::nowMs(); }

    // `job` on a thread of its own, waited on through `wait`; `stop` (when
    // given) is handed on. Nothing when the drive of `kitFile` did not move
    // it on in time, or has not returned an earlier copy given up on.
    static std::optional<Done> run(const std::shared_ptr<ztplatform::SilentFiles> &silent, const QString &kitFile,
                                   const std::function<Done(const StoredCopy &)> &job, const std::atomic_bool *stop,
                                   const ztplatform::Waiter &wait)
    {
        if (ztplatform::isSilentFile(silent, kitFile))
            return std::nullopt;
        const StoredCopy state;
        state.moved();
        const auto mark = std::make_shared<ztplatform::SilentLook>(silent, kitFile);
        const ztplatform::TimedLook<Done> running([job, state, mark]() {
            const Done done = job(state);
            mark->returned();
            return done;
        });
        if (!running.isStarted())
            return job(state);
        std::optional<Done> done;
        ztplatform::timedlook::waitUntil(wait, [&](int ms) {
            if ((done = running.waitFor(qMin(ms, kPollMs))))
                return true;
            if (stop && *stop)
                state.shared->stop = true;
            if (ztplatform::nowMs() - state.shared->lastMove < ztplatform::kSilentLimitMs)
                return false;
            state.shared->stop = true; // it touches the target no more once it returns
            mark->givenUp();
            return true;
        });
        return done;
    }
};

} // namespace

RawFiles::RawFiles(KitDocument &doc, SoundLibrary &library, PadSession &pad, QWidget *parent, UiPrompter &prompter,
                   const audioconverter::Limits &conversion)
    : m_doc(doc)
    , m_library(library)
    , m_pad(pad)
    , m_parent(parent)
    , m_prompter(prompter)
    , m_conversion(conversion)
{
}

QHash<QString, QString> RawFiles::handOverFromChangedFiles()
{
    return setupjob::handOverFromChangedFiles(m_doc, m_library, JobDialog::waiter());
}

QString RawFiles::silentText(const QString &path)
{
    return WindowTexts::tr("The drive of this file does not answer, so the sound is not taken:")
           + QStringLiteral("\r\n") + QDir::toNativeSeparators(path);
}

// `path`'s drive did not answer, now or on an earlier look still waiting. A
// save's box says so, and no box blames the sound.
void RawFiles::tellSilent(const QString &path, bool preview)
{
    qWarning().noquote() << "the drive of" << path << "does not answer: the sound is not taken";
    m_silentFile = path;
    if (preview)
        return;
    m_rawFailureTold = true;
    m_prompter.information(m_parent, WindowTexts::tr("Error"), silentText(path), QMessageBox::Ok);
}

// The one copy step of a stored sound: its bytes copied whole out of its
// loaded kit file into `target`. Its length, or 0: "File error!" when its kit
// file is not loaded or the entry lies outside its table; a short copy leaves
// no target. A preview copies off the GUI thread until its Stop.
quint64 RawFiles::copyStoredSound(const QString &source, const QString &target, PreviewWork *preview)
{
    const MainWindow1Records::READ_KIT_FILE *kit = nullptr;
    const QString named = soundsource::parse(source).kitFile;
    const int e = m_library.storedSoundEntry(source, &kit, JobDialog::waiter());
    if (e < 0 && !kit && ztplatform::isSilentFile(m_library.silentFiles(), named)) {
        tellSilent(named, preview != nullptr);
        return 0;
    }
    if (e < 0) {
        m_prompter.information(m_parent, WindowTexts::tr("Error"), WindowTexts::tr("File error!"), QMessageBox::Ok);
        return 0;
    }
    // Taken before the wait lets events run.
    const QString kitFile = kit->file;
    const quint32 start = kit->info.sound[size_t(e)].wave_start;
    const quint32 length = kit->info.sound[size_t(e)].wave_length;
    const quint64 loadedLength = kit->fileTotalLength;
    const ztplatform::FileStamp loadedStamp = kit->stamp;
    // Checked on the file as opened for the copy: what is read is what was loaded.
    auto asLoaded = [loadedLength, loadedStamp](const ztplatform::FileStamp &opened) {
        return setupfiles::matchesLoad(loadedLength, loadedStamp, opened);
    };
    const std::atomic_bool *stop = preview ? preview->previewStopFlag() : nullptr;
    const auto job = [kitFile, start, length, target, asLoaded, fence = m_pad.fence()](const StoredCopy &state) {
        StoredCopy::Done done;
        done.written = soundsource::copyStoredWave(kitFile, start, length, target, &state.shared->stop, &done.fault,
                                                   asLoaded, [state]() { state.moved(); }, fence);
        return done;
    };
    std::optional<StoredCopy::Done> copied;
    if (preview) {
        preview->runPreviewWork(
                [&]() { copied = StoredCopy::run(m_library.silentFiles(), kitFile, job, stop, ztplatform::Waiter()); },
                88);
    } else {
        copied = StoredCopy::run(m_library.silentFiles(), kitFile, job, nullptr, JobDialog::waiter());
    }
    if (!copied)
        tellSilent(kitFile, preview != nullptr);
    const quint64 written = copied ? copied->written : 0;
    const soundsource::CopyFault fault = copied ? copied->fault : soundsource::CopyFault::Read;
    if (written == length && fault == soundsource::CopyFault::None)
        return written;
    // A short copy is no wave.
    if (ztplatform::diskOf(m_pad.fence()).unlinkAt(AT_FDCWD, QFile::encodeName(target)) != 0 && errno != ENOENT)
        qWarning() << "cannot remove" << target << ":" << std::strerror(errno);
    if (fault == soundsource::CopyFault::Changed)
        m_prompter.warning(m_parent, WindowTexts::tr("Error"),
                           WindowTexts::tr("Please check path:")
                                   + WindowTexts::tr("The file has been modified. The target sound was "
                                                     "not found.")
                                   + QStringLiteral("\r\n") + QDir::toNativeSeparators(kitFile),
                           QMessageBox::Ok);
    return 0;
}

// The box of a sound whose file is gone: the kits that use it, and its row made current.
void RawFiles::tellMissing(const QString &waveFileName)
{
    const QFileInfo source(waveFileName);
    // Name the kits that use the missing file, pads first, then hi-hats.
    QStringList kits;
    for (int kit : kitusage::kitsUsing(m_doc.kitAttrList(), waveFileName))
        kits.append(QString::number(kit));
    m_prompter.information(
            m_parent, WindowTexts::tr("Error"),
            source.fileName() + WindowTexts::tr("sound exists in Kit ") + kits.join(QStringLiteral("、"))
                    + QStringLiteral("\r\n")
                    + WindowTexts::tr("If you want to delete a sound, please find it in the right list and "
                                      "press 'OK' to confirm.")
                    + QStringLiteral("\r\n") + WindowTexts::tr("File not found:") + waveFileName,
            QMessageBox::Ok);
    emit soundMissing(waveFileName);
}

const ztplatform::FolderAnchor &RawFiles::padRoot() const
{
    return m_pad.padRoot();
}

const std::shared_ptr<ztplatform::FolderFence> &RawFiles::fence() const
{
    return m_pad.fence();
}

struct RawFiles::PlainSetting
{
    ztplatform::FolderAnchor root; // the pad's, as loaded
    std::shared_ptr<ztplatform::FolderFence> fence;
    std::shared_ptr<ztplatform::Leftovers> leftovers;
    audioconverter::Limits limits;
    std::shared_ptr<ztplatform::SilentFiles> silent; // sources whose look was given up on
};

// What a plain sound's conversion came to: its size, or what to tell.
struct RawFiles::Plain
{
    enum class Tell { None, Silent, Missing, Unreadable, NoProgram, Failed };
    quint32 size = 0;
    Tell tell = Tell::None;
    QString reason;         // Unreadable: why
    bool askOwner = false;  // the pad's owner judges the pad at the place first
    QString err, faultPath, faultReason; // Failed: what ffmpeg said, or where the output could not be written
};

namespace {

using Waiter = ztplatform::Waiter;

// Waits through `wait`; without one the calling thread blocks.
void waitThrough(const Waiter &wait, const std::function<bool(int ms)> &ended)
{
    if (wait)
        wait(ended);
    else
        while (!ended(kConversionPollMs)) {
        }
}

// Conversions begun at once, as many at a time as there are cores; the end
// of the last holder stops the rest and waits, through `wait`, for them to end.
std::shared_ptr<ConversionJobs> startConversions(const RawFiles::PlainSetting &s,
                                                 const QVector<QPair<QString, QString>> &jobs, const Waiter &wait)
{
    const std::shared_ptr<ConversionJobs> planned(new ConversionJobs(audioconverter::defaultProgram(wait, nullptr, s.silent),
                                                                     0, s.limits, s.leftovers, s.fence, s.silent),
                                                  [wait](ConversionJobs *j) {
                                                      // Nothing writes into the temporary folder after the save.
                                                      if (!j->settle(kSettleLimitMs, wait))
                                                          qWarning() << "a stopped conversion did not end";
                                                      delete j;
                                                  });
    planned->readBelow(s.root);
    for (const QPair<QString, QString> &job : jobs)
        planned->add(job.first, job.second);
    return planned;
}

// The result of a conversion that ran: the target's size once it holds samples.
void judgeConverted(RawFiles::Plain &p, bool converted, ztplatform::Disk &disk, const QString &target)
{
    if (p.err.isEmpty()) {
        p.tell = RawFiles::Plain::Tell::NoProgram;
        return;
    }
    // Judged by ffmpeg's exit and the samples written: a cut file that
    // ffmpeg warns about still gives the samples it holds.
    ztplatform::sysio::SeamFile out(&disk);
    const bool hasSamples = converted && ztplatform::openRegularFile(disk, target, out, false)
                            && waveprobe::dataBytes(out) > 0;
    const qint64 size = out.size();
    out.close();
    if (hasSamples)
        p.size = quint32(size);
    else
        p.tell = RawFiles::Plain::Tell::Failed;
}

} // namespace

const std::shared_ptr<ztplatform::SilentFiles> &RawFiles::silentFiles() const
{
    return m_library.silentFiles();
}

RawFiles::PlainSetting RawFiles::plainSetting() const
{
    return {m_pad.padRoot(), m_pad.fence(), m_library.leftovers(), m_conversion, m_library.silentFiles()};
}

std::shared_ptr<void> RawFiles::planConversions(const QVector<QPair<QString, QString>> &jobs)
{
    const std::shared_ptr<ConversionJobs> planned = startConversions(plainSetting(), jobs, JobDialog::waiter());
    m_planned = planned;
    return planned;
}

savejob::JobConversion RawFiles::jobConversion()
{
    // What the job's functions share; each failure is kept for the boxes.
    struct Shared
    {
        PlainSetting setting;
        std::mutex lock;
        std::weak_ptr<ConversionJobs> planned;
        QVector<QPair<QString, Plain>> failed;
    };
    const auto shared = std::make_shared<Shared>();
    shared->setting = plainSetting();
    savejob::JobConversion c;
    c.plan = [shared](const QVector<QPair<QString, QString>> &jobs) -> std::shared_ptr<void> {
        const std::shared_ptr<ConversionJobs> planned = startConversions(shared->setting, jobs, Waiter());
        const std::lock_guard<std::mutex> hold(shared->lock);
        shared->planned = planned;
        return planned;
    };
    c.rawFile = [shared](const QString &source, const QString &target) -> quint32 {
        if (soundsource::isStored(source)) {
            qWarning() << "a save's job converts no stored sound:" << source;
            return 0;
        }
        std::shared_ptr<ConversionJobs> planned;
        {
            const std::lock_guard<std::mutex> hold(shared->lock);
            planned = shared->planned.lock();
        }
        const Plain done = convertPlain(shared->setting, planned, source, target, Waiter());
        if (done.tell != Plain::Tell::None) {
            const std::lock_guard<std::mutex> hold(shared->lock);
            shared->failed.append({source, done});
        }
        return done.size;
    };
    c.tell = [this, shared] {
        QVector<QPair<QString, Plain>> failed;
        {
            const std::lock_guard<std::mutex> hold(shared->lock);
            failed.swap(shared->failed);
        }
        for (const QPair<QString, Plain> &f : qAsConst(failed)) {
            m_rawFailureTold = false;
            m_silentFile.clear();
            tellPlain(f.first, f.second);
        }
    };
    c.failureTold = [this] { return m_rawFailureTold; };
    return c;
}

// A source off the pad is a regular file that opens for reading; else what to tell.
RawFiles::Plain RawFiles::lookAtSource(const PlainSetting &s, const QString &source, const Waiter &wait)
{
    Plain p;
    const std::optional<bool> regular =
            ztplatform::isRegularFileWithin(s.fence, s.silent, source, ztplatform::kSilentLimitMs, wait);
    if (!regular || !*regular) {
        p.tell = regular ? Plain::Tell::Missing : Plain::Tell::Silent;
        return p;
    }
    const std::optional<int> failure = ztplatform::lookAtFileWithin<int>(
            s.silent, source, ztplatform::kSilentLimitMs,
            [source, fence = s.fence]() {
                const ztplatform::Descriptor fd(ztplatform::diskOf(fence).openAt(
                        AT_FDCWD, QFile::encodeName(source), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
                return fd.isOpen() ? 0 : errno;
            },
            wait);
    if (!failure || *failure != 0) {
        p.tell = failure ? Plain::Tell::Unreadable : Plain::Tell::Silent;
        p.reason = failure ? QString::fromLocal8Bit(std::strerror(*failure)) : QString();
    }
    return p;
}

RawFiles::Plain RawFiles::convertPlain(const PlainSetting &s, const std::shared_ptr<ConversionJobs> &planned,
                                       const QString &source, const QString &target, const Waiter &wait)
{
    // The pad's own files are looked at only below its root, by the save's conversion.
    Plain p = s.root.covers(source) ? Plain() : lookAtSource(s, source, wait);
    if (p.tell != Plain::Tell::None)
        return p;
    std::shared_ptr<ConversionJobs> jobs = planned;
    int job = jobs ? jobs->find(source, target) : -1;
    if (job < 0) {
        jobs = std::make_shared<ConversionJobs>(audioconverter::defaultProgram(wait, nullptr, s.silent), 1,
                                                audioconverter::Limits(), s.leftovers, s.fence, s.silent);
        jobs->readBelow(s.root);
        job = jobs->add(source, target);
    }
    std::optional<ConversionJobs::Done> done;
    waitThrough(wait, [&](int ms) {
        if ((done = jobs->waitFor(job, qMin(ms, kConversionPollMs))))
            return true;
        if (jobs->lookingForMs(job) < ztplatform::kSilentLimitMs)
            return false;
        jobs->giveUp(job);
        return true;
    });
    if (!done || done->silent) {
        p.tell = Plain::Tell::Silent;
        return p;
    }
    if (!done->regular && (done->readType != 0 || (done->readError != 0 && done->readError != ENOENT))) {
        p.tell = Plain::Tell::Unreadable;
        p.reason = padreason::why(done->readType, done->readError);
        return p;
    }
    p.askOwner = done->rootRefused;
    if (!done->regular) {
        p.tell = Plain::Tell::Missing;
        return p;
    }
    p.err = done->mesg;
    p.faultPath = done->faultPath;
    p.faultReason = done->faultReason;
    judgeConverted(p, done->converted, ztplatform::diskOf(s.fence), target);
    return p;
}

void RawFiles::tellPlain(const QString &source, const Plain &done)
{
    if (done.askOwner)
        ztplatform::askFolderOwner(m_pad.fence(), source);
    switch (done.tell) {
    case Plain::Tell::None:
        return;
    case Plain::Tell::Silent:
        tellSilent(source, false);
        return;
    case Plain::Tell::Missing:
        tellMissing(source);
        return;
    case Plain::Tell::Unreadable:
        tellUnreadable(m_prompter, m_parent, source, done.reason);
        return;
    case Plain::Tell::NoProgram:
        m_prompter.information(m_parent, WindowTexts::tr("Error"),
                               WindowTexts::tr("Missing some files for the program!"), QMessageBox::Ok);
        return;
    case Plain::Tell::Failed:
        // A cause that is not the sound's (its output could not be written) is told as such.
        m_rawFailureTold = !done.faultReason.isEmpty();
        m_prompter.information(m_parent, WindowTexts::tr("Error"),
                               failedConversionText(done.faultPath, done.faultReason, source, done.err),
                               QMessageBox::Ok);
        return;
    }
}

quint32 RawFiles::getRawFile(const QString &waveFileName, const QString &outFileName, PreviewWork *previewWork)
{
    m_rawFailureTold = false;
    m_silentFile.clear();
    if (soundsource::isStored(waveFileName))
        return quint32(copyStoredSound(waveFileName, outFileName, previewWork));
    if (!previewWork) {
        const Plain done = convertPlain(plainSetting(), m_planned.lock(), waveFileName, outFileName, JobDialog::waiter());
        tellPlain(waveFileName, done);
        return done.size;
    }
    // A preview's work runs under its wait until Stop.
    Plain p = lookAtSource(plainSetting(), waveFileName, JobDialog::waiter());
    if (p.tell == Plain::Tell::Silent)
        tellSilent(waveFileName, true);
    else if (p.tell != Plain::Tell::None)
        tellPlain(waveFileName, p);
    if (p.tell != Plain::Tell::None)
        return 0;
    bool converted = false;
    audioconverter converter(m_conversion, ztplatform::diskOf(m_pad.fence()));
    converter.setSilentFiles(m_library.silentFiles());
    converter.setStopFlag(previewWork->previewStopFlag());
    previewWork->runPreviewWork([&]() { converted = converter.audioConverterWaveRun(waveFileName, outFileName, p.err); },
                                80);
    p.faultPath = converter.writeFaultPath();
    p.faultReason = converter.writeFaultReason();
    if (!converter.silentSource().isEmpty()) {
        tellSilent(waveFileName, true);
        return 0;
    }
    if (previewWork->previewStopped())
        return 0; // Stop ended the preview: nothing to report
    judgeConverted(p, converted, ztplatform::diskOf(m_pad.fence()), outFileName);
    tellPlain(waveFileName, p);
    return p.size;
}
