#include "device/usbupdate.h"

#include "device/padpaths.h"
#include "device/pairfiles.h"
#include "device/waveprm.h"
#include "model/audioconverter.h"
#include "model/mainwindow1records.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <cstring>

namespace {

// Why a pair stays when the walk to one of its folders ended at `reach`; -1
// when the folder was reached, or is not on the pad (nothing to remove there).
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

// One file of a pair on its way out: its folder, its name and the hidden
// name it takes first.
struct Leaving {
    ztplatform::OpenFolder folder;
    QString name, hidden;
    bool moved = false;

    bool hide()
    {
        moved = name.isEmpty() || pairfiles::moveEntry(folder, name, folder, hidden);
        return moved;
    }
    void putBack() const
    {
        if (!name.isEmpty() && moved)
            pairfiles::moveEntry(folder, hidden, folder, name);
    }
    bool remove() const { return name.isEmpty() || folder.remove(hidden); }
};

// Both files renamed to hidden names back to back and forced to the disk,
// then removed and forced again: a stop leaves the pair whole, hidden (put
// back by the next load) or gone. -1 when the pair is gone, else why it stays
// (errno in *error).
int removeBoth(Leaving &wav, Leaving &prm, int *error)
{
    auto stays = [&](bool backToo) {
        *error = errno;
        if (backToo)
            prm.putBack();
        wav.putBack();
        wav.folder.sync();
        prm.folder.sync();
        return int(UsbUpdate::NotRemovable);
    };
    if (!wav.hide())
        return stays(false);
    if (!prm.hide() || !wav.folder.sync() || !prm.folder.sync())
        return stays(true);
    if (!wav.remove())
        return stays(true);
    // The .wav is gone: the pair is too, whatever the record's removal says
    // (a hidden record left is removed by the next load).
    if (!prm.remove() || !wav.folder.sync() || !prm.folder.sync())
        qWarning() << "the removed pair's record or folders did not reach the disk:" << std::strerror(errno);
    return -1;
}

// Deletes the .wav at `path` and its record. -1 when the pair is gone
// afterwards, else why it stays. Both folders and both files are reached
// before either file is touched, so a pair leaves whole or stays whole.
int deletePair(const QString &path, const QString &dataPath, const QString &prmPath,
               const ztplatform::FolderAnchor &root, int *error)
{
    *error = 0;
    const padtree::WavePair pair = padtree::findWavePair(path, dataPath, prmPath);
    if (!root.isValid())
        return UsbUpdate::PadGone;
    if (!pair.onPad) {
        qDebug() << "not a wave of the pad:" << path;
        return UsbUpdate::LinkedFolder;
    }
    ztplatform::Reach reach = ztplatform::Reach::Missing, prmReach = ztplatform::Reach::Missing;
    Leaving wav{root.openFolder(dataPath + QLatin1Char('/') + pair.folder, &reach), {}, {}};
    int why = stayReason(reach, root, dataPath);
    Leaving prm{root.openFolder(prmPath + QLatin1Char('/') + pair.folder, &prmReach), {}, {}};
    if (why < 0)
        why = stayReason(prmReach, root, dataPath);
    if (why >= 0)
        return why;
    const QString wavName = QFileInfo(QDir::fromNativeSeparators(path)).fileName();
    wav.name = pairfiles::findEntry(wav.folder, wavName);
    prm.name = pairfiles::findEntry(prm.folder, pair.stem + QStringLiteral(".prm"));
    if (wav.folder.isLink(wav.name) || prm.folder.isLink(prm.name)) {
        qDebug() << "a file of the pair is a link:" << path;
        return UsbUpdate::LinkedFolder;
    }
    if (wav.name.isEmpty() && prm.name.isEmpty())
        return -1; // already gone
    wav.hidden = pairfiles::freeHiddenName(wav.folder, wav.name);
    prm.hidden = pairfiles::freeHiddenName(prm.folder, prm.name);
    const int stays = removeBoth(wav, prm, error);
    if (stays >= 0)
        qWarning() << "cannot remove" << path << ":" << std::strerror(*error);
    return stays;
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
        int refusal = 0;
        if (!stopped)
            result = waveprm::writeDeviceWave(conv, waveNo, files.at(i), names.value(i), outpath, prmFilePath,
                                              m_padRoot, &refusal);
        // A write the pad refused stops the batch: the rest are not tried.
        if (result == waveprm::WaveWrite::Stopped)
            stopped = true;
        if (result != waveprm::WaveWrite::Written)
            emit sendWaveFailed(waveNo, files.at(i), refusal);
        emit sendProgress(1);
    }
    emit sendFinished(threadId, !stopped);
    endThread();
    return !stopped;
}

bool UsbUpdate::singleDelWaveFile(QVector<QString> pathList, QString dataPath, QString prmPath, int threadId)
{
    for (const QString &path : qAsConst(pathList)) {
        int error = 0;
        const int why = deletePair(path, dataPath, prmPath, m_padRoot, &error);
        if (why >= 0)
            emit sendDeleteFailed(path, why, error);
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
