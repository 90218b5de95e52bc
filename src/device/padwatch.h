#ifndef ZT_DEVICE_PADWATCH_H
#define ZT_DEVICE_PADWATCH_H

// Whether the pad still answers, asked off the GUI thread, and work on the
// pad that the GUI thread waits on no longer than a limit.

#include "platform/timedlook.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

// Once a second, while it watches, the pad's root is looked at (a stat
// through the drive layer, ztplatform::driveAnswers) on a thread of its own. A look that has not returned in
// ANSWER_LIMIT_MS, or work given to run() that has not, makes the pad not
// answering until a look returns again.
class PadWatch : public QObject
{
    Q_OBJECT

public:
    static constexpr int ANSWER_LIMIT_MS = 2000;
    static constexpr int LOOK_INTERVAL_MS = 1000;

    explicit PadWatch(QObject *parent = nullptr);

    // Watches the folder from now on; an empty name stops and counts the
    // pad as answering again.
    void watch(const QString &root);
    const QString &root() const { return m_root; }
    bool answering() const { return m_answering; }

    // `work` on a thread of its own, waited on at most `limitMs`: its
    // result, or nothing when it has not returned by then (the pad then does
    // not answer). Nothing is run while the pad does not answer. `work`
    // captures copies or shared pointers only: it may outlive the caller.
    template <typename T>
    std::optional<T> run(std::function<T()> work, int limitMs = ANSWER_LIMIT_MS)
    {
        if (!judgeLook())
            return std::nullopt;
        const std::optional<T> result = ztplatform::TimedLook<T>(std::move(work)).waitFor(limitMs);
        if (!result)
            stopAnswering();
        return result;
    }

signals:
    void stoppedAnswering();

private:
    void look();
    // False, and the pad not answering, when the look under way is overdue.
    bool judgeLook();
    // Work did not return: only a look started from now on tells otherwise.
    void stopAnswering();
    void setAnswering(bool answering);

    QString m_root;
    QTimer m_timer;
    ztplatform::TimedLook<bool> m_look; // the look under way, or the last one
    QElapsedTimer m_lookAge;
    bool m_answering = true;
};

#endif
