#ifndef AUDIOCONVERTER_H
#define AUDIOCONVERTER_H

#include <QString>
#include <QStringList>
#include <QVector>
#include <QtGlobal>

#include <atomic>
#include "platform/waiter.h"

#include <functional>
#include <memory>

class QFileDevice;
class QProcess;
namespace ztplatform {
class Disk;
class HeldSource;
class Leftovers;
class SilentFiles;
class RunFolder;
}

// Converts audio files through an external ffmpeg into the pad's WAV form
// (PCM, 48 kHz, 16-bit, stereo, plain 44-byte header). One object per thread;
// nothing is shared between objects.
class audioconverter
{
public:
    struct WAVE_PARA {
        quint16 audioFormat;
        quint32 SampleRate;
        quint16 Channels;
        quint8 bits;
    };

    static constexpr int WAVE_HEAD_SIZE = 44;
    static constexpr int COPY_BUFFER_SIZE = 0x64000;
    // Unless a caller sets one, a run's upper bound follows the size of its
    // source (timeLimitFor()).
    static constexpr int DEFAULT_TIMEOUT_MS = -1;
    // The bound of a run whose source holds `bytes`: 2 minutes, and 1 s more
    // per MiB (a drive that reads 1 MiB/s). A 10-minute WAV of 8 channels
    // at 192 kHz, 32 bits (3.7 GB) gets over an hour; ffmpeg converts such a
    // file at many times its speed, so only a run that never ends reaches it.
    static int timeLimitFor(qint64 bytes);
    // A run that neither ends nor makes progress (no text from ffmpeg, no
    // bytes read or written) this long is taken for stuck, killed and failed.
    // ffmpeg reports twice a second while it converts.
    static constexpr int STALL_LIMIT_MS = 20 * 1000;

    // The bounds every run of a converter keeps (tests shorten them).
    struct Limits
    {
        // The upper bound of a run whatever its source; -1: each run's own
        // (setTimeout(), else timeLimitFor()). A run killed at its bound ends
        // its mesg with tooLongText().
        int timeMs = -1;
        // The stall limit; a stalled run's mesg ends with stallText().
        int stallMs = STALL_LIMIT_MS;
    };

    audioconverter();
    explicit audioconverter(const Limits &limits);
    // Its sources opened and its scratch files removed through `disk`.
    audioconverter(const Limits &limits, ztplatform::Disk &disk);
    ~audioconverter();
    audioconverter(const audioconverter &) = delete;
    audioconverter &operator=(const audioconverter &) = delete;

    // ffmpeg -> raw samples in a private temporary folder -> header + samples in outFile.
    // The folder serves every run of this object and goes with it (or with
    // dropScratch(), or once a run was stopped).
    // True when ffmpeg exited with 0 and outFile got the header and at least
    // one frame; what ffmpeg printed (warnings about a cut file included) does
    // not count. A new or empty outFile is left with 0 bytes whenever the
    // conversion did not complete (only the header when ffmpeg succeeded
    // without samples); one that held bytes (inFile itself, an earlier file)
    // is replaced only by a complete result and otherwise kept as it was.
    bool audioConverterRun(QString inFile, QString outFile, QString &mesg);
    // The same into `out`, open for writing: the bytes reach the file only
    // through it. What a failed run wrote there is the caller's to drop.
    // writeFaultPath() is out's file name (empty for a descriptor).
    bool audioConverterRun(const QString &inFile, QFileDevice &out, QString &mesg);
    // The private temporary folder of the runs removed now; the next run makes another.
    void dropScratch();
    // ffmpeg writes outFile itself as a 48 kHz stereo WAV (preview playback).
    // True when ffmpeg exited with 0; whether the WAV holds samples is the
    // caller's to read.
    bool audioConverterWaveRun(QString inFile, QString outFile, QString &mesg);
    // When the last run of either failed because its output could not be
    // written: where (outFile, or the temporary folder ffmpeg writes into)
    // and the system's reason. Both empty otherwise. ffmpeg may end with 0
    // after such a failure; the run still counts as failed.
    QString writeFaultPath() const { return m_faultPath; }
    QString writeFaultReason() const { return m_faultReason; }
    // One ffmpeg run converts the start of the first audio stream of every file
    // as audioConverterRun does (48 kHz, 2 channels, 16 bits) into a private
    // temporary folder. True when it ran, exited with 0 and got at least one
    // sample out of each file: each file then holds sound that converts.
    // `each`, when given, gets one verdict per file (samples out of it) when
    // ffmpeg exited with 0, and is left empty when the run failed.
    bool audioProbeRun(const QStringList &inFiles, QString &mesg, QVector<bool> *each = nullptr);
    // Which of the phrases that ffmpeg prints on a failed run its text holds
    // first, for the message that names the failure: 1 "Invalid data found
    // when processing input", 2 "Error splitting the argument list", 3
    // "Option not found", 4 "Invalid argument", 5 "Conversion failed"; 0 for
    // none. A successful run may print them too (a cut file).
    static int failureKind(const QString &mesg);
    // Removes an earlier outFile (never inFile itself), for callers that judge
    // a run by outFile: a failed run then cannot leave old bytes behind.
    void removeEarlierOutput(const QString &inFile, const QString &outFile);

    static void getWaveHead(char *head, WAVE_PARA para, quint32 len);
    static void write16bit(char *arr, quint16 data);
    static void write32bit(char *arr, quint32 data);
    static void writeFlag(char *arr, QString flag);

    QString randomQString(int length);

    // The ffmpeg program to run; by default the one found by defaultProgram().
    void setProgram(const QString &program);
    // Upper bound of one ffmpeg run; a run past it is killed and counts as failed.
    void setTimeout(int msecs);
    const Limits &limits() const { return m_limits; }
    static QString stallText();
    static QString tooLongText();
    // True when the last run was killed because it took too long (its bound
    // passed or it made no progress).
    bool tookTooLong() const { return m_tooLong; }
    // The source whose drive did not answer within the limit when the last
    // run opened it (nothing was run then); empty when none.
    QString silentSource() const { return m_silentSource; }
    // What ffmpeg is never given: a source that is not a regular file (a
    // pipe, a device, a socket, a folder); such a run's mesg.
    static QString notRegularText();
    // A run in progress ends (ffmpeg killed, the run failed) once *stop is
    // true; another thread may set it. The only way to stop a run from
    // outside: the process itself never leaves the running call.
    void setStopFlag(const std::atomic_bool *stop);
    // Called on the converting thread each time a run is seen to make
    // progress (ffmpeg's text, bytes read or written, a buffer copied).
    void setProgressed(std::function<void()> progressed) { m_progressed = std::move(progressed); }
    // An outFile replaced by audioConverterRun sweeps its folder through `leftovers`.
    void setLeftovers(std::shared_ptr<ztplatform::Leftovers> leftovers) { m_leftovers = std::move(leftovers); }
    // A source, and the look for ffmpeg, are not looked at while an earlier
    // look given up on waits on its drive (`silent`).
    void setSilentFiles(std::shared_ptr<ztplatform::SilentFiles> silent) { m_silent = std::move(silent); }

    // "ffmpeg" beside the executable when present, else the one on PATH;
    // looked for at most 2 s, waited on through `wait`, looked at through
    // `disk` (null: the system's); not while an earlier look given up on
    // waits (`silent`).
    static QString defaultProgram(const ztplatform::Waiter &wait = {}, ztplatform::Disk *disk = nullptr,
                                  const std::shared_ptr<ztplatform::SilentFiles> &silent = nullptr);
    static QString findProgram(const QString &appDir, ztplatform::Disk *disk = nullptr);

private:
    enum class RunEnd { Finished, Ended, Stopped, TimedOut, Stalled };

    // A source as ffmpeg gets it: opened and checked, the name it is given,
    // and the name its messages say instead.
    struct Input
    {
        const ztplatform::HeldSource *source;
        QString named;
        QString shown;
    };
    // Runs ffmpeg, which inherits the inputs' descriptors; mesg gets its
    // standard error. True when it ran and exited with 0.
    bool runProcess(const QStringList &args, const QVector<Input> &inputs, QString &mesg, bool *started = nullptr);
    // Waits for the started `proc`, its standard error gathered into `text`,
    // until it ends, a stop comes, `limit` passes or it stalls.
    RunEnd watchRun(QProcess &proc, QByteArray &text, int limit) const;
    // The bound of a run over sources of `bytes`.
    int limitFor(qint64 bytes) const;
    static QString argPath(const QString &path);
    // Notes where and why the output could not be written; false.
    bool writeFault(const QString &path, const QString &reason);
    // ffmpeg's raw samples of inFile, behind the 44-byte header, into `out`
    // (null when it could not be opened: `openError` says why; ffmpeg still
    // runs, for its text). `size` gets the samples' bytes. True when all
    // were written; faults of `out` are noted under `where`.
    bool convertInto(const QString &inFile, QFileDevice *out, const QString &where, const QString &openError,
                     QString &mesg, qint64 &size);
    // The ffmpeg of every run: setProgram()'s, else defaultProgram() looked for once.
    QString runProgram();
    // The runs' private folder, made on first use; null when it cannot be.
    const ztplatform::RunFolder *scratch(QString &error);

    QString m_faultPath;
    QString m_faultReason;

    QString m_program;
    QString m_found; // defaultProgram(), once looked for
    std::unique_ptr<ztplatform::RunFolder> m_scratch;
    quint32 m_runs = 0; // names each run's entries in the folder
    Limits m_limits;
    ztplatform::Disk *m_disk = nullptr; // null: the system's
    ztplatform::Disk &disk() const;
    int m_timeout = DEFAULT_TIMEOUT_MS;
    const std::atomic_bool *m_stop = nullptr;
    std::function<void()> m_progressed;
    std::shared_ptr<ztplatform::Leftovers> m_leftovers;
    std::shared_ptr<ztplatform::SilentFiles> m_silent;
    bool m_tooLong = false;
    QString m_silentSource;
};

#endif // AUDIOCONVERTER_H
