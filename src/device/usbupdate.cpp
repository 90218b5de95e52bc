#include "device/usbupdate.h"

#include "device/pairbatch.h"
#include "device/waveprm.h"
#include "model/audioconverter.h"
#include "model/mainwindow1records.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

UsbUpdate::UsbUpdate(QObject *parent)
    : QObject(parent)
{
}

UsbUpdate::~UsbUpdate() = default;

void UsbUpdate::getSoundList(QVector<int> numList, QVector<QString> waveList, QVector<QString> nameList,
                             QString dataFile, QString prmFile, int threadId)
{
    outpath = dataFile;
    prmFilePath = prmFile;
    if (threadId == 2) {
        soundList2 = waveList;
        addNum2 = numList;
        addName2 = nameList;
    } else if (threadId == 1) {
        soundList1 = waveList;
        addNum1 = numList;
        addName1 = nameList;
    }
}

std::shared_ptr<pairbatch::Shared> UsbUpdate::batch(bool adding, const QString &dataPath, const QString &prmPath)
{
    if (m_shared)
        return m_shared;
    // A worker on its own commits its share itself.
    auto own = std::make_shared<pairbatch::Shared>();
    own->sharesLeft = 1;
    PadTreePaths tree = m_tree;
    tree.dataPath = dataPath;
    tree.prmPath = prmPath;
    if (adding)
        own->add = std::make_unique<pairbatch::AddBatch>(m_padRoot, tree, m_fence);
    else
        own->remove = std::make_unique<pairbatch::DeleteBatch>(m_padRoot, tree);
    return own;
}

bool UsbUpdate::generateStandardWave(int threadId)
{
    const bool second = threadId == 2;
    const QVector<QString> files = second ? soundList2 : (threadId == 1 ? soundList1 : QVector<QString>());
    const QVector<int> &numbers = second ? addNum2 : addNum1;
    const QVector<QString> &names = second ? addName2 : addName1;

    const std::shared_ptr<pairbatch::Shared> shared = batch(true, outpath, prmFilePath);
    if (shared->add)
        shared->add->plan(numbers);
    audioconverter conv;
    conv.setSilentFiles(m_silent);
    if (!m_program.isEmpty())
        conv.setProgram(m_program);
    const PadPace pace = m_pace;
    conv.setProgressed([pace] { pace.beat(); });
    conv.setStopFlag(pace.abandonedFlag());
    bool stopped = false;
    for (int i = 0; i < files.size(); ++i) {
        const int waveNo = numbers.value(i);
        waveprm::WaveWrite result = waveprm::WaveWrite::Stopped;
        int refusal = 0;
        stopped = stopped || pace.abandoned();
        if (!stopped && shared->add)
            result = shared->add->stage(conv, waveNo, files.at(i), names.value(i), &refusal);
        // A write the pad refused stops the share: the rest are not tried.
        if (result == waveprm::WaveWrite::Stopped)
            stopped = true;
        if (result != waveprm::WaveWrite::Written)
            emit sendWaveFailed(waveNo, files.at(i), refusal);
        pace.beat();
        emit sendProgress(1);
    }
    // The last share to end gives every staged pair its names.
    if (shared->lastShare() && shared->add) {
        QHash<int, qint64> written;
        for (const pairbatch::Failure &f : shared->add->commit(&written)) {
            stopped = stopped || f.stopped;
            emit sendWaveFailed(f.waveNo, f.source, f.error);
        }
        for (auto it = written.cbegin(); it != written.cend(); ++it)
            emit sendWaveWritten(it.key(), it.value());
    }
    emit sendFinished(threadId, !stopped);
    endThread();
    return !stopped;
}

bool UsbUpdate::singleDelWaveFile(QVector<QString> pathList, QString dataPath, QString prmPath, int threadId)
{
    const std::shared_ptr<pairbatch::Shared> shared = batch(false, dataPath, prmPath);
    // Staging takes microseconds a path: the paths handled go out together,
    // at most one signal in DEL_PROGRESS_MS.
    QElapsedTimer since;
    since.start();
    int handled = 0;
    for (const QString &path : qAsConst(pathList)) {
        int error = 0;
        const int why = shared->remove ? shared->remove->stage(path, &error) : int(PadGone);
        if (why >= 0)
            emit sendDeleteFailed(path, why, error);
        m_pace.beat();
        ++handled;
        if (since.elapsed() >= DEL_PROGRESS_MS) {
            emit sendDelProgress(handled);
            handled = 0;
            since.restart();
        }
    }
    if (handled > 0)
        emit sendDelProgress(handled);
    if (shared->lastShare() && shared->remove) {
        for (const pairbatch::Failure &f : shared->remove->commit())
            emit sendDeleteFailed(f.source, f.why, f.error);
    }
    emit sendFinished(threadId, true);
    endThread();
    return true;
}

void UsbUpdate::endThread()
{
    // The thread ends once the work call has returned; a worker called on
    // the application's own thread leaves that thread alone.
    QThread *t = QThread::currentThread();
    if (!m_leavesThread && QCoreApplication::instance() && t != QCoreApplication::instance()->thread())
        t->quit();
}
