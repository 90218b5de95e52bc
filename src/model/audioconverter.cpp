#include "model/audioconverter.h"

#include "platform/errortext.h"
#include "platform/descriptor.h"
#include "platform/durablefile.h"
#include "platform/fileidentity.h"
#include "platform/heldsource.h"
#include "platform/pathcase.h"
#include "platform/processio.h"
#include "platform/replacefile.h"
#include "platform/runfolders.h"
#include "platform/sysio.h"
#include "platform/timedlook.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <iterator>
#include <limits>
#include <memory>
#include <vector>
#include <unistd.h>

using ztplatform::kSilentLimitMs;

namespace {

#ifdef Q_OS_WIN
const char kExeSuffix[] = ".exe";
#else
const char kExeSuffix[] = "";
#endif

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// What ffmpeg prints when it cannot read or convert its input, in the order
// failureKind numbers them.
const char *const kFailurePhrases[] = {
    "Invalid data found when processing input", "Error splitting the argument list",
    "Option not found", "Invalid argument", "Conversion failed",
};

// One frame of the pad's form: two channels of 16 bits.
constexpr qint64 kFrameBytes = 4;

// Largest data size whose RIFF size (len + 36) still fits the 32-bit field.
constexpr qint64 kMaxDataSize = qint64(0xFFFFFFFFu) - 36;

// How often a running ffmpeg is looked at.
constexpr int kWatchStepMs = 50;

constexpr qint64 kLimitBaseMs = 2 * 60 * 1000;
constexpr qint64 kLimitMsPerMiB = 1000;

// The file at `path` (not through a link) cut to 0 bytes.
void emptyFile(const QString &path)
{
    const ztplatform::Descriptor fd(ztplatform::sysio::open(path, O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!fd.isOpen() || ztplatform::sysio::truncate(fd.get(), 0) != 0)
        qWarning() << "cannot empty" << path << ":" << std::strerror(errno);
}

// ffmpeg's arguments for a conversion of the first audio stream of `in` (the
// one the import probe judges) to 48 kHz in two channels, as `format` into `out`.
QStringList conversionArgs(const QString &in, const QString &format, const QString &out)
{
    return {QStringLiteral("-i"), in, QStringLiteral("-map"), QStringLiteral("0:a:0"),
            QStringLiteral("-ar"), QStringLiteral("48000"), QStringLiteral("-ac"), QStringLiteral("2"),
            QStringLiteral("-f"), format, QStringLiteral("-y"), out};
}

// The folder ffmpeg writes its raw samples into, as the user knows it.
QString temporaryFolder()
{
    return QDir::toNativeSeparators(QDir::tempPath());
}

// The system's reason when ffmpeg's text says that it could not write `out`
// (ffmpeg may still end with 0 then, its output cut); empty otherwise.
QString outputFailure(const QString &mesg, const QString &out)
{
    const QString named = out + QStringLiteral(": ");
    const QString frame = QStringLiteral("av_interleaved_write_frame(): ");
    for (const QString &line : mesg.split(QRegularExpression(QStringLiteral("[\\r\\n]")), Qt::SkipEmptyParts)) {
        int at = line.indexOf(named);
        int skip = named.size();
        if (at < 0) {
            at = line.indexOf(frame);
            skip = frame.size();
        }
        if (at >= 0 && !line.mid(at + skip).trimmed().isEmpty())
            return line.mid(at + skip).trimmed();
    }
    return QString();
}

// The 44-byte header for `size` bytes of samples, then the samples of tmp.
// A failed write of `out` leaves its reason in *writeError.
bool writeWave(QFile &tmp, QFileDevice &out, qint64 size, QString *writeError, const std::function<void()> &progressed)
{
    audioconverter::WAVE_PARA para;
    para.audioFormat = 1;
    para.SampleRate = 48000;
    para.Channels = 2;
    para.bits = 16;

    QByteArray buffer(audioconverter::COPY_BUFFER_SIZE, Qt::Uninitialized);
    audioconverter::getWaveHead(buffer.data(), para, quint32(size));
    if (out.write(buffer.constData(), audioconverter::WAVE_HEAD_SIZE) != audioconverter::WAVE_HEAD_SIZE) {
        qWarning() << "write failed:" << out.fileName() << out.errorString();
        *writeError = ztplatform::writeFailure(out);
        return false;
    }
    qint64 copied = 0;
    for (;;) {
        const qint64 n = tmp.read(buffer.data(), audioconverter::COPY_BUFFER_SIZE);
        if (n == 0)
            break;
        if (n < 0 || out.write(buffer.constData(), n) != n) {
            qWarning() << "copy failed:" << out.fileName() << out.errorString() << tmp.errorString();
            if (n >= 0)
                *writeError = ztplatform::writeFailure(out);
            return false;
        }
        copied += n;
        if (progressed)
            progressed();
    }
    if (copied != size) {
        qWarning() << "copy incomplete:" << copied << "of" << size << "bytes";
        return false;
    }
    return true;
}

} // namespace

audioconverter::audioconverter() = default;

audioconverter::audioconverter(const Limits &limits, ztplatform::Disk &disk)
    : m_limits(limits)
    , m_disk(&disk)
{
}

audioconverter::audioconverter(const Limits &limits)
    : m_limits(limits)
{
}

audioconverter::~audioconverter() = default;

void audioconverter::dropScratch()
{
    m_scratch.reset();
}

const ztplatform::RunFolder *audioconverter::scratch(QString &error)
{
    if (!m_scratch)
        m_scratch = std::make_unique<ztplatform::RunFolder>(QStringLiteral("zt350conv-"));
    if (m_scratch->isValid())
        return m_scratch.get();
    error = m_scratch->errorString();
    m_scratch.reset();
    return nullptr;
}

QString audioconverter::runProgram()
{
    if (!m_program.isEmpty())
        return m_program;
    if (m_found.isEmpty())
        m_found = defaultProgram({}, nullptr, m_silent);
    return m_found;
}

void audioconverter::setProgram(const QString &program)
{
    m_program = program;
}

void audioconverter::setTimeout(int msecs)
{
    m_timeout = msecs;
}

QString audioconverter::stallText()
{
    return QCoreApplication::translate("MainWindow1", "ffmpeg made no progress for too long and was stopped.");
}

int audioconverter::timeLimitFor(qint64 bytes)
{
    const qint64 limit = kLimitBaseMs + qMax<qint64>(0, bytes) / (1024 * 1024) * kLimitMsPerMiB;
    return int(qMin<qint64>(limit, std::numeric_limits<int>::max()));
}

QString audioconverter::tooLongText()
{
    return QCoreApplication::translate("MainWindow1", "The conversion took too long and was stopped.");
}

QString audioconverter::notRegularText()
{
    return QCoreApplication::translate("MainWindow1",
                                       "This is not a regular file (a pipe, a device or a folder); it was not converted.");
}

int audioconverter::limitFor(qint64 bytes) const
{
    if (m_limits.timeMs >= 0)
        return m_limits.timeMs;
    return m_timeout >= 0 ? m_timeout : timeLimitFor(bytes);
}

void audioconverter::setStopFlag(const std::atomic_bool *stop)
{
    m_stop = stop;
}

namespace {

QString exeName()
{
    return QStringLiteral("ffmpeg") + QLatin1String(kExeSuffix);
}

// The program when `path` is an executable file, else empty.
QString executableAt(const QString &path, ztplatform::Disk &disk)
{
    struct stat st;
    const QByteArray name = QFile::encodeName(path);
    if (disk.statAt(AT_FDCWD, name, &st) != 0 || !S_ISREG(st.st_mode) || disk.accessAt(AT_FDCWD, name, X_OK) != 0)
        return QString();
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// What is run when no ffmpeg is found: a start that fails.
QString notFound(const QString &appDir)
{
    return appDir.isEmpty() ? exeName() : QDir(appDir).filePath(exeName());
}

} // namespace

QString audioconverter::defaultProgram(const ztplatform::Waiter &wait, ztplatform::Disk *disk,
                                      const std::shared_ptr<ztplatform::SilentFiles> &silent)
{
    QString appDir;
    if (QCoreApplication::instance())
        appDir = QCoreApplication::applicationDirPath();
    // Looked for on a thread of its own: a folder of PATH on a drive that
    // does not answer finds no ffmpeg, and holds no further look.
    const std::optional<QString> found = ztplatform::lookAtFileWithin<QString>(
            silent, notFound(appDir), kSilentLimitMs, [appDir, disk]() { return findProgram(appDir, disk); },
            wait);
    if (!found)
        qWarning() << "a folder where ffmpeg is looked for does not answer: ffmpeg is not found";
    return found.value_or(notFound(appDir));
}

QString audioconverter::findProgram(const QString &appDir, ztplatform::Disk *given)
{
    ztplatform::Disk &disk = given ? *given : ztplatform::sysio::disk();
    if (!appDir.isEmpty()) {
        const QString beside = executableAt(QDir(appDir).filePath(exeName()), disk);
        if (!beside.isEmpty())
            return beside;
    }
    const QStringList folders = qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    for (const QString &folder : folders) {
        const QString onPath = executableAt(QDir(folder).filePath(exeName()), disk);
        if (!onPath.isEmpty())
            return onPath;
    }
    // Not found anywhere: the start fails and the caller sees an empty message.
    return notFound(appDir);
}

// Paths handed to ffmpeg are made absolute so that a name starting with "-"
// or holding a ":" is never taken for an option or a protocol.
QString audioconverter::argPath(const QString &path)
{
    if (path.isEmpty() || !QDir::isRelativePath(path))
        return QDir::toNativeSeparators(path);
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

audioconverter::RunEnd audioconverter::watchRun(QProcess &proc, QByteArray &text, int limit) const
{
    const int stall = m_limits.stallMs;
    const qint64 pid = proc.processId();
    qint64 io = ztplatform::processIoBytes(pid);
    QElapsedTimer clock, quiet;
    clock.start();
    quiet.start();
    for (;;) {
        if (proc.waitForFinished(kWatchStepMs))
            return RunEnd::Finished;
        if (proc.state() == QProcess::NotRunning)
            return RunEnd::Ended;
        // Any text or any byte read or written is progress.
        const QByteArray more = proc.readAllStandardError();
        const qint64 ioNow = ztplatform::processIoBytes(pid);
        if (!more.isEmpty() || ioNow != io) {
            text += more;
            io = ioNow;
            quiet.restart();
            if (m_progressed)
                m_progressed();
        }
        if (m_stop && *m_stop)
            return RunEnd::Stopped;
        if (limit >= 0 && clock.elapsed() >= limit)
            return RunEnd::TimedOut;
        if (stall >= 0 && quiet.elapsed() >= stall)
            return RunEnd::Stalled;
    }
}

bool audioconverter::runProcess(const QStringList &args, const QVector<Input> &inputs, QString &mesg, bool *started)
{
    ztplatform::SourceProcess proc;
    qint64 bytes = 0;
    for (const Input &in : inputs) {
        proc.hand(*in.source);
        bytes += in.source->size();
    }
    const int limit = limitFor(bytes);
    const int stall = m_limits.stallMs;
    proc.setProgram(QDir::toNativeSeparators(runProgram()));
    proc.setArguments(args);
    proc.setStandardOutputFile(QProcess::nullDevice());
    proc.start(QIODevice::ReadWrite);

    RunEnd end = RunEnd::Ended;
    QByteArray text;
    // A start that does not come is no progress either.
    const bool didStart = proc.waitForStarted(stall >= 0 && stall < limit ? stall : limit);
    if (started)
        *started = didStart;
    if (didStart) {
        if (m_progressed)
            m_progressed();
        proc.closeWriteChannel();
        end = watchRun(proc, text, limit);
        if (end == RunEnd::Stopped)
            qDebug() << "ffmpeg stopped; killed";
        else if (end == RunEnd::TimedOut)
            qWarning() << "ffmpeg did not finish in" << limit << "ms; killed";
        else if (end == RunEnd::Stalled)
            qWarning() << "ffmpeg made no progress in" << stall << "ms; killed";
        if (end != RunEnd::Finished && proc.state() != QProcess::NotRunning) {
            proc.kill();
            proc.waitForFinished(5000);
        }
    } else {
        qDebug() << "ffmpeg could not be started:" << proc.program() << proc.errorString();
        if (proc.state() != QProcess::NotRunning) {
            proc.kill();
            proc.waitForFinished(5000);
        }
    }

    text += proc.readAllStandardError();
    mesg = QString::fromUtf8(text);
    for (const Input &in : inputs) {
        if (in.named != in.shown)
            mesg.replace(in.named, in.shown);
    }
    m_tooLong = end == RunEnd::Stalled || end == RunEnd::TimedOut;
    if (m_tooLong) {
        // Never empty: an empty text means ffmpeg could not run at all.
        if (!mesg.isEmpty() && !mesg.endsWith(QLatin1Char('\n')))
            mesg += QLatin1Char('\n');
        mesg += (end == RunEnd::Stalled ? stallText() : tooLongText()) + QLatin1Char('\n');
    }
    const bool finished = end == RunEnd::Finished;
    const bool ok = finished && proc.exitStatus() == QProcess::NormalExit && proc.exitCode() == 0;
    if (finished && !ok)
        qDebug() << "ffmpeg failed, exit code" << proc.exitCode()
                 << (proc.exitStatus() == QProcess::CrashExit ? "(crashed)" : "");
    proc.close();
    return ok;
}

bool audioconverter::writeFault(const QString &path, const QString &reason)
{
    if (m_faultReason.isEmpty()) {
        m_faultPath = path;
        m_faultReason = reason.isEmpty() ? QCoreApplication::translate("MainWindow1", "Unknown error") : reason;
    }
    return false;
}

namespace {

// A source opened for ffmpeg and the name it is handed under.
struct OpenedSource
{
    std::shared_ptr<const ztplatform::HeldSource> source;
    QString name;
};

// `path` opened and named on a thread of its own: nothing, with `mesg` set,
// when its drive does not answer within the limit or still holds a look given
// up on (`silentSource` names it), or when it is not a regular file.
std::optional<OpenedSource> openSourceWithin(const std::shared_ptr<ztplatform::SilentFiles> &silent,
                                             ztplatform::Disk &disk, const QString &path, const QString &folder,
                                             const QString &stem, QString &silentSource, QString &mesg)
{
    const std::optional<OpenedSource> opened = ztplatform::lookAtFileWithin<OpenedSource>(
            silent, path, kSilentLimitMs,
            [path, folder, stem, disk = &disk]() {
                auto source = std::make_shared<const ztplatform::HeldSource>(*disk, path);
                const QString name = source->nameFor(folder, stem);
                return OpenedSource{source, name};
            },
            ztplatform::Waiter());
    if (!opened) {
        qWarning().noquote() << "the drive of" << path << "does not answer: ffmpeg is not run on it";
        silentSource = path;
        mesg = QStringLiteral("The drive does not answer: ") + path + QLatin1Char('\n');
        return std::nullopt;
    }
    if (!opened->source->isOpen()) {
        qWarning() << "not run, not a regular file:" << path << opened->source->type() << opened->source->error();
        mesg = audioconverter::notRegularText() + QLatin1Char('\n');
        return std::nullopt;
    }
    return opened;
}

// What one run made in the scratch folder, removed when it ends: the raw
// samples, and the link to the source with its folder.
struct RunEntries
{
    QString raw;
    QString link;
    ~RunEntries()
    {
        remove(raw, 0);
        if (!link.isEmpty() && remove(link, 0))
            remove(QFileInfo(link).path(), AT_REMOVEDIR);
    }
    static bool remove(const QString &path, int flags)
    {
        if (path.isEmpty() || ztplatform::sysio::disk().unlinkAt(AT_FDCWD, QFile::encodeName(path), flags) == 0)
            return true;
        if (errno != ENOENT)
            qDebug() << "cannot remove" << path << ":" << std::strerror(errno);
        return false;
    }
};

} // namespace

bool audioconverter::convertInto(const QString &inFile, QFileDevice *out, const QString &where,
                                 const QString &openError, QString &mesg, qint64 &size)
{
    size = 0;
    m_silentSource.clear();
    QString folderError;
    const ztplatform::RunFolder *tmpDir = scratch(folderError);
    if (!tmpDir) {
        qWarning() << "cannot create a temporary folder:" << folderError;
        mesg = QStringLiteral("Cannot create a temporary folder: ") + folderError;
        return writeFault(temporaryFolder(), folderError);
    }
    RunEntries entries;
    entries.raw = QDir::toNativeSeparators(tmpDir->filePath(randomQString(7)));
    const QString &tmpPath = entries.raw;
    const QString stem = QStringLiteral("source") + QString::number(++m_runs);

    // ffmpeg reads the file checked here: a pipe would hold it for ever, and
    // so would a drive that does not answer.
    const std::optional<OpenedSource> opened = openSourceWithin(m_silent, m_disk ? *m_disk : ztplatform::sysio::disk(),
                                                                inFile, tmpDir->path(), stem, m_silentSource, mesg);
    if (!opened)
        return false;
    if (opened->name != inFile)
        entries.link = opened->name;
    const ztplatform::HeldSource &source = *opened->source;
    const QString input = argPath(opened->name);
    bool ranOk = runProcess(conversionArgs(input, QStringLiteral("s16le"), tmpPath), {{&source, input, argPath(inFile)}},
                            mesg);
    const QString unwritten = outputFailure(mesg, tmpPath);
    if (!unwritten.isEmpty())
        ranOk = writeFault(temporaryFolder(), unwritten);
    if (!out) {
        qDebug().noquote() << QStringLiteral("以只写模式打开失败");
        return writeFault(where, openError);
    }
    if (!ranOk)
        return false;

    ztplatform::Disk &disk = m_disk ? *m_disk : ztplatform::sysio::disk();
    ztplatform::sysio::SeamFile tmp(tmpPath, &disk);
    const QByteArray name = QFile::encodeName(tmpPath);
    if (!ztplatform::openFile(tmp, ztplatform::Descriptor(disk.openAt(AT_FDCWD, name, O_RDONLY | O_CLOEXEC)),
                              QIODevice::ReadOnly)) {
        qDebug().noquote() << QStringLiteral("以只读模式打开失败") + QFileInfo(inFile).completeBaseName();
        return false;
    }
    size = tmp.size();
    if (size > kMaxDataSize) {
        qWarning() << "converted sound too large for a WAV file:" << size << "bytes";
        return false;
    }
    QString writeError;
    const bool written = writeWave(tmp, *out, size, &writeError, m_progressed);
    return written || (!writeError.isEmpty() && writeFault(where, writeError));
}

bool audioconverter::audioConverterRun(const QString &inFile, QFileDevice &out, QString &mesg)
{
    m_faultPath.clear();
    m_faultReason.clear();
    m_tooLong = false;
    qint64 size = 0;
    const bool converted = convertInto(inFile, &out, out.fileName(), QString(), mesg, size);
    if (m_stop && *m_stop)
        dropScratch();
    return converted && size >= kFrameBytes;
}

bool audioconverter::audioConverterRun(QString inFile, QString outFile, QString &mesg)
{
    m_faultPath.clear();
    m_faultReason.clear();
    m_tooLong = false;
    // An outFile that holds bytes is replaced only by a complete result.
    const qint64 earlier = ztplatform::sizeAtPath(ztplatform::sysio::disk(), outFile);
    if (earlier > 0 || (earlier >= 0 && ztplatform::sameFile(inFile, outFile))) {
        ztplatform::ReplaceFile replacement(outFile, m_leftovers);
        const bool opened = replacement.open();
        qint64 size = 0;
        const bool converted = convertInto(inFile, opened ? &replacement.file() : nullptr, outFile,
                                           replacement.errorString(), mesg, size)
                               && size >= kFrameBytes;
        if (m_stop && *m_stop)
            dropScratch();
        if (!converted)
            qWarning() << "conversion failed; file left as it was:" << outFile;
        return converted && (replacement.commit() || writeFault(outFile, replacement.errorString()));
    }
    // Otherwise it is made new, or emptied, and left empty unless the conversion completes.
    ztplatform::Descriptor fd(ztplatform::sysio::open(outFile, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    const QString openError = ztplatform::errorText(fd.isOpen() ? EBADF : errno);
    ztplatform::sysio::SeamFile out(outFile);
    const bool opened = out.openDescriptor(std::move(fd), QIODevice::WriteOnly);
    qint64 size = 0;
    bool converted = convertInto(inFile, opened ? &out : nullptr, outFile, openError, mesg, size);
    if (m_stop && *m_stop)
        dropScratch();
    if (opened) {
        out.close();
        if (converted && out.error() != QFileDevice::NoError) {
            qWarning() << "closing failed:" << outFile << out.errorString();
            converted = writeFault(outFile, out.errorString());
        }
        if (!converted)
            emptyFile(outFile); // a header without samples stays: it tells what ffmpeg gave
    }
    return converted && size >= kFrameBytes;
}

bool audioconverter::audioConverterWaveRun(QString inFile, QString outFile, QString &mesg)
{
    m_faultPath.clear();
    m_faultReason.clear();
    m_tooLong = false;
    m_silentSource.clear();
    // The link to the source lives in a folder of its own.
    const ztplatform::RunFolder links(QStringLiteral("zt350conv-"));
    const std::optional<OpenedSource> opened =
            openSourceWithin(m_silent, m_disk ? *m_disk : ztplatform::sysio::disk(), inFile,
                             links.isValid() ? links.path() : QString(), QStringLiteral("source"), m_silentSource,
                             mesg);
    if (!opened)
        return false;
    const ztplatform::HeldSource &source = *opened->source;
    const QString input = argPath(opened->name);
    const QStringList args = conversionArgs(input, QStringLiteral("wav"), argPath(outFile));
    const bool isSource = ztplatform::sameFile(inFile, outFile);
    bool started = false;
    bool ranOk = runProcess(args, {{&source, input, argPath(inFile)}}, mesg, &started);
    const QString unwritten = outputFailure(mesg, argPath(outFile));
    if (!unwritten.isEmpty())
        ranOk = writeFault(outFile, unwritten);
    // A failed run must not leave a file that passes the callers' size test,
    // but the source itself is never emptied.
    if (started && !ranOk && !isSource && ztplatform::sizeAtPath(ztplatform::sysio::disk(), outFile) >= 0)
        emptyFile(outFile);
    return ranOk;
}

bool audioconverter::audioProbeRun(const QStringList &inFiles, QString &mesg, QVector<bool> *each)
{
    mesg.clear();
    m_tooLong = false;
    m_silentSource.clear();
    if (each)
        each->clear();
    if (inFiles.isEmpty())
        return false;
    ztplatform::RunFolder tmpDir(QStringLiteral("zt350probe-"));
    if (!tmpDir.isValid()) {
        qWarning() << "cannot create a temporary folder:" << tmpDir.errorString();
        return false;
    }
    QStringList args = {QStringLiteral("-v"), QStringLiteral("error")};
    std::vector<std::shared_ptr<const ztplatform::HeldSource>> sources;
    QVector<Input> inputs;
    for (int i = 0; i < inFiles.size(); ++i) {
        const QString folder = tmpDir.path();
        const QString stem = QStringLiteral("in") + QString::number(i);
        const std::optional<OpenedSource> opened =
                openSourceWithin(m_silent, m_disk ? *m_disk : ztplatform::sysio::disk(), inFiles.at(i), folder, stem,
                                 m_silentSource, mesg);
        if (!opened)
            return false;
        sources.push_back(opened->source);
        const QString input = argPath(opened->name);
        inputs.append({opened->source.get(), input, argPath(inFiles.at(i))});
        args << QStringLiteral("-i") << input;
    }
    // One raw output per file: its samples tell whether that file decodes.
    QStringList outs;
    for (int i = 0; i < inFiles.size(); ++i) {
        outs << tmpDir.filePath(QString::number(i));
        args << QStringLiteral("-map") << QStringLiteral("%1:a:0").arg(i) << QStringLiteral("-t")
             << QStringLiteral("0.1") << QStringLiteral("-ar") << QStringLiteral("48000") << QStringLiteral("-ac")
             << QStringLiteral("2") << QStringLiteral("-f") << QStringLiteral("s16le")
             << QDir::toNativeSeparators(outs.last());
    }
    if (!runProcess(args, inputs, mesg))
        return false;
    bool all = true;
    for (const QString &out : qAsConst(outs)) {
        const bool samples = ztplatform::sizeAtPath(ztplatform::sysio::disk(), out) > 0;
        all = all && samples;
        if (each)
            each->append(samples);
    }
    return all;
}

void audioconverter::removeEarlierOutput(const QString &inFile, const QString &outFile)
{
    if (ztplatform::typeAtPath(ztplatform::sysio::disk(), outFile) == S_IFREG && !ztplatform::sameFile(inFile, outFile)
        && ztplatform::sysio::unlinkAt(AT_FDCWD, QFile::encodeName(outFile)) != 0)
        qDebug() << "cannot remove" << outFile << ":" << std::strerror(errno);
}

int audioconverter::failureKind(const QString &mesg)
{
    for (int i = 0; i < int(std::size(kFailurePhrases)); ++i) {
        if (mesg.contains(QLatin1String(kFailurePhrases[i])))
            return i + 1;
    }
    return 0;
}

void audioconverter::getWaveHead(char *head, WAVE_PARA para, quint32 len)
{
    const quint16 blockAlign = quint16(para.Channels * para.bits / 8);
    const quint32 bytesPerSecond = quint32(para.SampleRate) * para.Channels * para.bits / 8;

    writeFlag(head, QStringLiteral("RIFF"));
    write32bit(head + 4, len + 36);
    writeFlag(head + 8, QStringLiteral("WAVEfmt "));
    write32bit(head + 16, 16);
    write16bit(head + 20, para.audioFormat);
    write16bit(head + 22, para.Channels);
    write32bit(head + 24, para.SampleRate);
    write32bit(head + 28, bytesPerSecond);
    write16bit(head + 32, blockAlign);
    write16bit(head + 34, quint16(para.bits));
    writeFlag(head + 36, QStringLiteral("data"));
    write32bit(head + 40, len);
}

void audioconverter::write16bit(char *arr, quint16 data)
{
    arr[0] = char(data & 0xFF);
    arr[1] = char((data >> 8) & 0xFF);
}

void audioconverter::write32bit(char *arr, quint32 data)
{
    arr[0] = char(data & 0xFF);
    arr[1] = char((data >> 8) & 0xFF);
    arr[2] = char((data >> 16) & 0xFF);
    arr[3] = char((data >> 24) & 0xFF);
}

void audioconverter::writeFlag(char *arr, QString flag)
{
    const QByteArray bytes = flag.toLatin1();
    std::memcpy(arr, bytes.constData(), size_t(bytes.size()));
}

QString audioconverter::randomQString(int length)
{
    QString result;
    if (length <= 0)
        return result;
    const int count = int(sizeof(kAlphabet)) - 1;
    result.reserve(length);
    QRandomGenerator *rng = QRandomGenerator::global();
    for (int i = 0; i < length; ++i)
        result.append(QLatin1Char(kAlphabet[rng->bounded(count)]));
    return result;
}
