#include "device/usbupdate.h"

#include "device/padpaths.h"
#include "device/waveprm.h"
#include "model/audioconverter.h"
#include "model/mainwindow1records.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace {

// Why a file stays when the walk to its folder ended at `reach`; -1 when the
// folder was reached, or is not on the pad (nothing to remove there).
int stayReason(ztplatform::Reach reach, const ztplatform::FolderAnchor &root, const QString &dataPath)
{
    if (reach == ztplatform::Reach::Inside)
        return -1;
    if (reach == ztplatform::Reach::Replaced)
        return UsbUpdate::RefusedPad;
    if (reach == ztplatform::Reach::Outside)
        return UsbUpdate::LinkedFolder;
    // No pad at the place: the root's check refuses this walk as well.
    ztplatform::Reach data = ztplatform::Reach::Missing;
    root.openFolder(dataPath, &data);
    return data == ztplatform::Reach::Inside ? -1 : UsbUpdate::PadGone;
}

// Deletes the .wav at `path` and its record. -1 when the .wav is gone
// afterwards, else why it stays. Both folders are reached before either file
// goes, so a pair leaves whole or stays whole.
int deletePair(const QString &path, const QString &dataPath, const QString &prmPath,
               const ztplatform::FolderAnchor &padRoot)
{
    const padtree::WavePair pair = padtree::findWavePair(path, dataPath, prmPath);
    if (!pair.onPad || !padtree::isLinkFree(QDir::fromNativeSeparators(path))) {
        qDebug() << "not a wave of the pad:" << path;
        return UsbUpdate::LinkedFolder;
    }
    const ztplatform::FolderAnchor root =
            padRoot.isValid() ? padRoot : ztplatform::FolderAnchor::record(QFileInfo(dataPath).absolutePath());
    QString name, prmName;
    ztplatform::Reach reach = ztplatform::Reach::Missing;
    const ztplatform::OpenFolder folder =
            root.openFolderOf(pair.wav.isEmpty() ? QDir::fromNativeSeparators(path) : pair.wav, &name, &reach);
    int why = stayReason(reach, root, dataPath);
    ztplatform::OpenFolder prmFolder;
    if (why < 0 && folder.isOpen() && !pair.prm.isEmpty()) {
        ztplatform::Reach prmReach = ztplatform::Reach::Missing;
        prmFolder = root.openFolderOf(pair.prm, &prmName, &prmReach);
        why = stayReason(prmReach, root, dataPath);
    }
    if (why >= 0)
        return why;
    if (!folder.isOpen())
        return -1; // its folder is not on the pad
    if (!folder.remove(name)) {
        qDebug() << "cannot remove" << path;
        return UsbUpdate::NotRemovable;
    }
    if (prmFolder.isOpen() && !prmFolder.remove(prmName))
        qDebug() << "cannot remove" << pair.prm;
    return -1;
}

} // namespace

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

void UsbUpdate::str2CharArray(QString str, char *field, quint8 n)
{
    MainWindow1Records::str2CharArray(str, field, n);
}

QString UsbUpdate::convertPathCaseInsensitivity(const QString &path)
{
    return padtree::convertPathCaseInsensitivity(path);
}

bool UsbUpdate::generateStandardWave(int threadId)
{
    const bool second = threadId == 2;
    const QVector<QString> files = second ? soundList2 : (threadId == 1 ? soundList1 : QVector<QString>());
    const QVector<int> &numbers = second ? addNum2 : addNum1;
    const QVector<QString> &names = second ? addName2 : addName1;

    audioconverter conv;
    if (!m_program.isEmpty())
        conv.setProgram(m_program);
    bool stopped = false;
    for (int i = 0; i < files.size(); ++i) {
        const int waveNo = numbers.value(i);
        waveprm::WaveWrite result = waveprm::WaveWrite::Stopped;
        if (!stopped)
            result = waveprm::writeDeviceWave(conv, waveNo, files.at(i), names.value(i), outpath, prmFilePath,
                                                  m_padRoot);
        if (result == waveprm::WaveWrite::Stopped)
            stopped = true;
        if (result != waveprm::WaveWrite::Written)
            emit sendWaveFailed(waveNo, files.at(i));
        emit sendProgress(1);
    }
    emit sendFinished(threadId, !stopped);
    endThread();
    return !stopped;
}

bool UsbUpdate::singleDelWaveFile(QVector<QString> pathList, QString dataPath, QString prmPath, int threadId)
{
    for (const QString &path : qAsConst(pathList)) {
        const int why = deletePair(path, dataPath, prmPath, m_padRoot);
        if (why >= 0)
            emit sendDeleteFailed(path, why);
        emit sendDelProgress(1);
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
    if (QCoreApplication::instance() && t != QCoreApplication::instance()->thread())
        t->quit();
}
