#include "device/padwatch.h"

#include "platform/removabledrives.h"

#include <QCoreApplication>
#include <QDebug>
#include <QThread>

namespace {

qint64 steadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
}

} // namespace

PadPace::PadPace()
    : m_state(std::make_shared<State>())
{
    beat();
}

void PadPace::beat() const
{
    m_state->lastBeat = steadyMs();
}

qint64 PadPace::sinceBeat() const
{
    return steadyMs() - m_state->lastBeat;
}

bool PadPace::goOn() const
{
    if (abandoned())
        return false;
    beat();
    return true;
}

ztplatform::FolderAnchor PadPace::paced(ztplatform::FolderAnchor root) const
{
    const PadPace pace = *this;
    root.setGoing([pace]() { return pace.goOn(); });
    return root;
}

PadWatch::PadWatch(const DriveSource &drives, QObject *parent)
    : QObject(parent)
    , m_drives(std::make_shared<DriveAsk>(drives))
{
    m_timer.setInterval(LOOK_INTERVAL_MS);
    connect(&m_timer, &QTimer::timeout, this, &PadWatch::look);
}

PadWatch::~PadWatch()
{
    m_drives->letGo();
}

void PadWatch::watch(const QString &root)
{
    m_root = root;
    m_look = ztplatform::TimedLook<bool>();
    m_lookBeforeSilence = false;
    if (root.isEmpty()) {
        m_timer.stop();
        m_answering = true; // nothing to answer for
        return;
    }
    m_timer.start();
}

bool PadWatch::judgeLook()
{
    if (m_look.isStarted() && m_look.done()) {
        if (!m_lookBeforeSilence)
            setAnswering(true); // the last look returned
    } else if (m_look.isStarted() && m_lookAge.elapsed() >= ANSWER_LIMIT_MS) {
        setAnswering(false);
    }
    return m_answering;
}

void PadWatch::stopAnswering()
{
    // A look begun before the work that did not return tells nothing of
    // the pad now.
    if (m_look.done())
        m_look = ztplatform::TimedLook<bool>();
    else if (m_look.isStarted())
        m_lookBeforeSilence = true;
    setAnswering(false);
}

bool PadWatch::beginTurns()
{
    const QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread() || m_turning)
        return false;
    m_turning = true;
    return true;
}

void PadWatch::endTurns(bool turning)
{
    if (turning)
        m_turning = false;
}

void PadWatch::look()
{
    if (m_look.isStarted() && !m_look.done()) {
        judgeLook(); // a look that does not return stays the only one
        return;
    }
    if (m_look.isStarted() && !m_lookBeforeSilence)
        setAnswering(true); // the last look returned
    m_lookBeforeSilence = false;
    const QString root = m_root;
    const std::shared_ptr<const DriveAsk> drives = m_drives;
    m_look = ztplatform::TimedLook<bool>([root, drives]() { return drives->answers(root); });
    m_lookAge.start();
}

void PadWatch::setAnswering(bool answering)
{
    if (m_answering == answering)
        return;
    m_answering = answering;
    qWarning().noquote() << "the pad at" << m_root << (answering ? "answers again" : "does not answer");
    if (!answering)
        emit stoppedAnswering();
}
