#ifndef ZT_DEVICE_DRIVEPROBE_H
#define ZT_DEVICE_DRIVEPROBE_H

// The removable drives and whether each holds the pad's folders, looked at
// off the GUI thread: whoever asks never waits on a drive.

#include "platform/removabledrives.h"
#include "platform/timedlook.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QVector>

#include <memory>

class DriveProbe : public QObject
{
    Q_OBJECT

public:
    // A drive whose root has not answered by then is told as not answering.
    static constexpr int ANSWER_LIMIT_MS = ztplatform::kSilentLimitMs;

    enum class Answer {
        Waiting,      // looked at, not answered yet
        Answered,     // its root answered
        NotAnswering, // no answer in ANSWER_LIMIT_MS; may still come
    };
    struct Drive
    {
        QString root;
        Answer answer = Answer::Waiting;
        // The entries of the model folder when it is the root's only visible
        // entry (padtree::modelFolderEntryNames), once answered.
        QStringList modelFolderNames;
    };

    // `drives` outlives the probe; looks still running let go of it with the probe.
    explicit DriveProbe(const DriveSource &drives, QObject *parent = nullptr);
    ~DriveProbe() override;

    // Reads the drive list again (DriveSource::drives(): the mount table,
    // never a drive) and starts a look at each removable drive not looked at
    // yet, each on its own thread. Returns the whole list.
    QVector<DriveEntry> refresh();
    // The removable drives of the last list, in its order.
    const QVector<Drive> &removableDrives() const { return m_drives; }

signals:
    // A drive answered, stopped answering, came or went.
    void changed();

private:
    struct Look
    {
        ztplatform::TimedLook<QStringList> look;
        QElapsedTimer age;
    };
    // Takes the answers that came and the looks that ran out of time.
    bool collect();
    void pollLooks();

    const std::shared_ptr<DriveAsk> m_source;
    QVector<Drive> m_drives;
    QHash<QString, Look> m_looks; // by root, for the drives listed
    QTimer m_poll;
};

#endif
