#include "device/syncbatch.h"

#include "device/pairbatch.h"
#include "device/usbupdate.h"

#include <QCoreApplication>
#include <QEvent>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>

SyncBatch::SyncBatch(QObject *parent)
    : QObject(parent)
{
    // The path list of a deletion is a queued argument.
    qRegisterMetaType<QVector<QString>>("QVector<QString>");
}

SyncBatch::~SyncBatch()
{
    for (int slot = 0; slot < 2; ++slot)
        releaseWorker(slot);
}

UsbUpdate *SyncBatch::startWorker(int slot)
{
    Slot &s = m_slots[slot];
    auto *worker = new UsbUpdate(nullptr);
    auto *thread = new QThread(nullptr);
    worker->moveToThread(thread);
    worker->setConverterProgram(m_program);
    worker->setPad(m_batchRoot, m_tree, m_fence, m_silent);
    worker->setPace(m_pace);
    connectWorker(worker);
    // Deleted in its own thread as that thread ends, after its call returned.
    connect(thread, &QThread::finished, worker, &QObject::deleteLater);
    s.worker = worker;
    s.thread = thread;
    s.running = true;
    return worker;
}

void SyncBatch::connectWorker(UsbUpdate *worker)
{
    connect(worker, &UsbUpdate::sendProgress, this, &SyncBatch::progress);
    connect(worker, &UsbUpdate::sendDelProgress, this, &SyncBatch::progress);
    connect(worker, &UsbUpdate::sendWaveFailed, this, &SyncBatch::waveFailed);
    connect(worker, &UsbUpdate::sendWaveWritten, this, &SyncBatch::waveWritten);
    connect(worker, &UsbUpdate::sendDeleteFailed, this, &SyncBatch::deleteFailed);
    connect(worker, &UsbUpdate::sendFinished, this, &SyncBatch::workerFinished);
}

void SyncBatch::runPooled(int slot, const std::shared_ptr<pairbatch::Shared> &shared, const QVector<QString> &paths)
{
    Slot &s = m_slots[slot];
    auto *worker = new UsbUpdate(nullptr);
    worker->setPad(m_batchRoot, m_tree, m_fence, m_silent);
    worker->setPace(m_pace);
    worker->setBatch(shared);
    worker->leaveThreadRunning();
    connectWorker(worker); // its reports reach the GUI thread queued
    auto returned = std::make_shared<QSemaphore>(0);
    s.worker = worker;
    s.returned = returned;
    s.running = true;
    const QString dataPath = m_tree.dataPath, prmPath = m_tree.prmPath;
    QThreadPool::globalInstance()->start([worker, paths, dataPath, prmPath, slot, returned] {
        worker->singleDelWaveFile(paths, dataPath, prmPath, slot + 1);
        returned->release();
    });
}

void SyncBatch::beginPace()
{
    m_pace = PadPace();
    m_batchRoot = m_pace.paced(m_padRoot);
}

bool SyncBatch::startAdd(const QVector<Sound> &sounds)
{
    if (isRunning() || sounds.isEmpty())
        return false;
    m_kind = Adding;
    m_workerCount = 2;
    beginPace();
    auto shared = std::make_shared<pairbatch::Shared>();
    shared->add = std::make_unique<pairbatch::AddBatch>(m_batchRoot, m_tree, m_fence);
    shared->add->setPace(m_pace);
    QVector<int> numbers;
    for (const Sound &s : sounds)
        numbers << s.waveNo;
    shared->add->plan(numbers);
    shared->sharesLeft = m_workerCount;
    const int half = sounds.size() / 2;
    for (int slot = 0; slot < 2; ++slot) {
        const int from = slot == 0 ? 0 : half;
        const int to = slot == 0 ? half : sounds.size();
        QVector<int> numbers;
        QVector<QString> files, names;
        for (int i = from; i < to; ++i) {
            numbers << sounds.at(i).waveNo;
            files << sounds.at(i).source;
            names << sounds.at(i).name;
        }
        UsbUpdate *worker = startWorker(slot);
        worker->setBatch(shared);
        worker->getSoundList(numbers, files, names, m_tree.dataPath, m_tree.prmPath, slot + 1);
        QMetaObject::invokeMethod(worker, "generateStandardWave", Qt::QueuedConnection, Q_ARG(int, slot + 1));
        m_slots[slot].thread->start(QThread::InheritPriority);
    }
    return true;
}

bool SyncBatch::startDelete(const QVector<QString> &paths, const QSet<QString> &halfPairs)
{
    if (isRunning() || paths.isEmpty())
        return false;
    m_kind = Deleting;
    beginPace();
    m_workerCount = paths.size() <= DELETE_ONE_WORKER_MAX ? 1 : 2;
    const int half = m_workerCount == 1 ? paths.size() : paths.size() / 2;
    auto shared = std::make_shared<pairbatch::Shared>();
    shared->remove = std::make_unique<pairbatch::DeleteBatch>(m_batchRoot, m_tree);
    shared->remove->takeHalfPairs(halfPairs);
    shared->sharesLeft = m_workerCount;
    for (int slot = 0; slot < m_workerCount; ++slot)
        runPooled(slot, shared, slot == 0 ? paths.mid(0, half) : paths.mid(half));
    return true;
}

void SyncBatch::releaseWorker(int slot)
{
    Slot &s = m_slots[slot];
    if (s.returned) {
        s.returned->acquire();
        s.returned.reset();
        delete s.worker.data();
    }
    if (s.thread) {
        s.thread->wait();
        delete s.thread;
        s.thread = nullptr;
    }
    s.running = false;
}

void SyncBatch::workerFinished(int threadId, bool)
{
    const int slot = threadId - 1;
    if (slot < 0 || slot > 1 || !m_slots[slot].running)
        return;
    releaseWorker(slot);
    if (m_kind == Idle || m_slots[0].running || m_slots[1].running)
        return;
    m_kind = Idle;
    emit finished();
}

void SyncBatch::waitForFinished()
{
    for (Slot &s : m_slots) {
        if (s.running && s.returned) {
            s.returned->acquire();
            s.returned->release();
        } else if (s.running && s.thread) {
            s.thread->wait();
        }
    }
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}
