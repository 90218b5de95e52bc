#ifndef ZT_DEVICE_USBUPDATE_H
#define ZT_DEVICE_USBUPDATE_H

#include "device/padtree.h"
#include "device/padwatch.h"
#include "platform/anchoredfolder.h"
#include "platform/regularfile.h"

#include <QObject>
#include <QString>
#include <QVector>

#include <memory>

namespace pairbatch {
struct Shared;
}

// Writes added sounds to the pad as .wav/.prm pairs, or deletes pairs, on a
// thread of its own, as its share of a batch (pairbatch): it stages its
// share, and the last worker of the batch to end its share commits the whole
// batch. It touches only its own copies of the lists and the pad's files.
// Every sound or path handed to it is reported once as a progress step when
// its share has it staged; a sound or pair the batch leaves as it was is told
// before the worker reports that it is done and ends its thread.
class UsbUpdate : public QObject {
    Q_OBJECT

public:
    static constexpr int SOUND_NAME_LENGTH_1 = 20;
    // Why a pair handed to a deletion stays on the pad.
    enum NotRemoved {
        RefusedPad, // another pad stands at the pad's place
        PadGone, // the pad's wave folders are not there
        LinkedFolder, // its folder is a link or leads out of the pad
        NotRemovable, // the file system refused (read-only, immutable, ...): the pair was put back
        WavAlreadyGone, // the .wav was gone already: its .prm stays until the user says so
        PrmAlreadyGone, // the .prm was gone already: its .wav stays until the user says so
        RemovedAtNextLoad, // not a pair that stays: cut off past the point of no return, its
                           // files are removed by the next load of the pad
        EarlierChange, // the pad holds the record of a change its next load ends first or names
        WavNotAFile, // a link, folder or other non-file stands at its .wav's name: the pair stays;
        PrmNotAFile, // the same at its .prm's name. The error says which: ELOOP, EISDIR or EINVAL
        WavChanged, // its .wav holds other bytes (or is no file) since the deletion read it: the pair stays
        PrmChanged, // the same for its .prm
    };
    // The refusal of a sound not added for the same reason (no errno).
    static constexpr int EARLIER_CHANGE_REFUSAL = -1;
    // The least time between two progress signals of a deletion.
    static constexpr int DEL_PROGRESS_MS = 20;

    explicit UsbUpdate(QObject *parent = nullptr);
    ~UsbUpdate() override;

    // Called on the GUI thread before the worker's thread starts: the share
    // of list set threadId (1 or 2) and the pad's WAV_DATA and WAV_PRM folders.
    void getSoundList(QVector<int> numList, QVector<QString> waveList, QVector<QString> nameList, QString dataFile,
                      QString prmFile, int threadId);

    // The ffmpeg to run; the converter's default when empty.
    void setConverterProgram(const QString &program) { m_program = program; }
    // The pad's root as loaded and its tree: every file is written and
    // removed below the root; without one nothing is written or removed.
    // A sound's source is read past `fence` (none: nothing fenced), and not
    // while an earlier look given up on waits on it (`silent`).
    void setPad(const ztplatform::FolderAnchor &root, const PadTreePaths &tree,
                std::shared_ptr<ztplatform::FolderFence> fence = nullptr,
                std::shared_ptr<ztplatform::SilentFiles> silent = nullptr)
    {
        m_padRoot = root;
        m_tree = tree;
        m_fence = std::move(fence);
        m_silent = std::move(silent);
    }
    // The batch this worker stages its share into; without one it commits
    // its share itself.
    void setBatch(std::shared_ptr<pairbatch::Shared> batch) { m_shared = std::move(batch); }
    // The batch's pace: beaten as each sound converts and each step ends;
    // once abandoned, the share stops at its next step.
    void setPace(const PadPace &pace) { m_pace = pace; }
    // Called on a thread it does not own (a pool's): that thread goes on
    // once the call has returned.
    void leaveThreadRunning() { m_leavesThread = true; }

    QVector<QString> soundList1, soundList2;
    QVector<int> addNum1, addNum2;
    QVector<QString> addName1, addName2;
    QString outpath;
    QString prmFilePath;

public slots:
    // Writes list set threadId in order. True when every sound was handled
    // without a stop; after a stop the rest are reported as not written.
    bool generateStandardWave(int threadId);
    // Deletes the pairs of the .wav paths (below dataPath) in pathList; a
    // pair counts as removed once its .wav is gone. Both files go or both stay.
    bool singleDelWaveFile(QVector<QString> pathList, QString dataPath, QString prmPath, int threadId);

signals:
    // One per sound handled, value 1.
    void sendProgress(int value);
    // A sound that is not on the pad; `refusal` is the errno of a write the
    // pad refused (0 for none).
    void sendWaveFailed(int waveNo, QString source, int refusal);
    // A sound now on the pad and the size of the .wav written for it.
    void sendWaveWritten(int waveNo, qint64 bytes);
    // A path whose pair stays on the pad, why (NotRemoved) and the errno of
    // the refusal (0 for none).
    void sendDeleteFailed(QString path, int why, int error);
    // The paths handled since the last one (at most one in DEL_PROGRESS_MS).
    void sendDelProgress(int value);
    // Last signal of the work call; completed is false after a stop.
    void sendFinished(int threadId, bool completed);

private:
    std::shared_ptr<pairbatch::Shared> batch(bool adding, const QString &dataPath, const QString &prmPath);
    void endThread();

    QString m_program;
    ztplatform::FolderAnchor m_padRoot;
    std::shared_ptr<ztplatform::FolderFence> m_fence;
    std::shared_ptr<ztplatform::SilentFiles> m_silent;
    PadTreePaths m_tree;
    std::shared_ptr<pairbatch::Shared> m_shared;
    PadPace m_pace;
    bool m_leavesThread = false;
};

#endif
