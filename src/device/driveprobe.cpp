#include "device/driveprobe.h"

#include "device/padpaths.h"
#include "platform/disk.h"

namespace {
constexpr int POLL_MS = 25;       // while a drive may still answer in time
constexpr int LATE_POLL_MS = 500; // while only drives that did not answer in time may
}

DriveProbe::DriveProbe(const DriveSource &drives, QObject *parent)
    : QObject(parent)
    , m_source(std::make_shared<DriveAsk>(drives))
{
    connect(&m_poll, &QTimer::timeout, this, &DriveProbe::pollLooks);
}

DriveProbe::~DriveProbe()
{
    m_source->letGo();
}

QVector<DriveEntry> DriveProbe::refresh()
{
    const QVector<DriveEntry> all = m_source->drives();
    QVector<Drive> drives;
    QHash<QString, Look> looks;
    for (const DriveEntry &entry : all) {
        if (!entry.removable)
            continue;
        Drive drive;
        drive.root = entry.root;
        for (const Drive &known : qAsConst(m_drives)) {
            if (known.root == entry.root)
                drive = known;
        }
        if (m_looks.contains(entry.root)) {
            looks.insert(entry.root, m_looks.value(entry.root));
        } else {
            // The look runs on after a drive goes; what it finds is dropped.
            Look look;
            const QString root = entry.root;
            const std::shared_ptr<const DriveAsk> source = m_source;
            look.look = ztplatform::TimedLook<QStringList>([source, root]() {
                return source->answers(root) ? padtree::modelFolderEntryNames(ztplatform::systemDisk(), root) : QStringList();
            });
            look.age.start();
            looks.insert(entry.root, look);
        }
        drives << drive;
    }
    const bool listChanged = [&] {
        if (drives.size() != m_drives.size())
            return true;
        for (int i = 0; i < drives.size(); ++i) {
            if (drives.at(i).root != m_drives.at(i).root)
                return true;
        }
        return false;
    }();
    m_drives = drives;
    m_looks = looks;
    const bool answers = collect();
    if (listChanged || answers)
        emit changed();
    return all;
}

bool DriveProbe::collect()
{
    bool any = false;
    bool waiting = false;
    bool late = true;
    for (Drive &d : m_drives) {
        if (d.answer == Answer::Answered)
            continue;
        const Look look = m_looks.value(d.root);
        if (const std::optional<QStringList> names = look.look.waitFor(0)) {
            d.answer = Answer::Answered;
            d.modelFolderNames = *names;
            any = true;
            continue;
        }
        if (!look.look.isStarted() || look.age.elapsed() >= ANSWER_LIMIT_MS) {
            any = any || d.answer != Answer::NotAnswering;
            d.answer = Answer::NotAnswering;
        } else {
            late = false;
        }
        waiting = waiting || look.look.isStarted();
    }
    // Polled only while some drive may still answer.
    if (waiting)
        m_poll.start(late ? LATE_POLL_MS : POLL_MS);
    else
        m_poll.stop();
    return any;
}

void DriveProbe::pollLooks()
{
    if (collect())
        emit changed();
}
