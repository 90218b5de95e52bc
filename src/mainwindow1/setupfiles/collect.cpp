// The sounds gathered for a save, and their order.
#include "mainwindow1/mainwindow1.h"

#include "setup/waveorder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QStandardItem>

#include <memory>

namespace {

// How long the window may go without handling its events during long work.
constexpr int kEventInterval = 50; // ms

// Raw waves in the pad's wave form, through the sound library's conversion.
setupfiles::RawWaveFn rawWaves(MainWindow1 *w)
{
    return [w](const QString &source, const QString &target) { return w->getRawFile(source, target, 0); };
}

// Keeps the gathered waves when nothing failed; tells the user otherwise.
bool keepWaves(MainWindow1 *w, const setupfiles::CollectError &err, const setupfiles::CollectedWaves &got)
{
    if (err) {
        w->reportCollectError(err);
        return false;
    }
    w->waveList = got.waveList;
    w->waveAttrList = got.waveAttrList;
    return true;
}

} // namespace

setupfiles::ProgressFn MainWindow1::setupProgress(QProgressDialog *dialog)
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    auto last = std::make_shared<int>(dialog ? dialog->value() : -1);
    QPointer<QProgressDialog> shown(dialog);
    return [timer, last, shown](int value) {
        if (value >= 0 && shown && value != *last) {
            *last = value;
            shown->setValue(value);
        }
        if (timer->elapsed() >= kEventInterval) {
            QCoreApplication::processEvents();
            timer->restart();
        }
    };
}

bool MainWindow1::getWaveList(QString TempDirName, QProgressDialog *dialog)
{
    if (!getClickWaveList(TempDirName))
        return false;
    handOverFromChangedFiles();
    setupfiles::CollectedWaves got;
    const setupfiles::CollectError err = setupfiles::collectWholeSetupWaves(
            library().totalRows(), doc().kitAttrList, library().waveLoadKitAttrList, library().loadedKitFiles, TempDirName,
            rawWaves(this), setupProgress(dialog), got);
    return keepWaves(this, err, got);
}

bool MainWindow1::getKitIniWaveList(QString TempDirName, int kitIndex, QProgressDialog *)
{
    if (kitIndex < 0 || kitIndex >= doc().kitAttrList.size())
        return false;
    handOverFromChangedFiles();
    setupfiles::CollectedWaves got;
    // The gathering numbers the slots of a copy: the editor's kit keeps its wave numbers.
    soundKit numbered = doc().kitAttrList.at(kitIndex);
    const setupfiles::CollectError err = setupfiles::collectKitWaves(
            numbered, kitIndex, library().waveLoadKitAttrList, library().loadedKitFiles, TempDirName, rawWaves(this),
            setupProgress(nullptr), got);
    return keepWaves(this, err, got);
}

bool MainWindow1::getClickWaveList(QString TempDirName)
{
    setupfiles::CollectedClicks got;
    const setupfiles::CollectError err = setupfiles::collectClickWaves(library().clickList, library().loadedKitFiles,
                                                                       TempDirName, rawWaves(this), got);
    if (err) {
        reportCollectError(err);
        return false;
    }
    clickWaveList = got.clickWaveList;
    library().clickSetList = got.clickSetList;
    return true;
}

QStringList MainWindow1::getKitFileList()
{
    return setupfiles::kitSourceFiles(doc().kitAttrList);
}

bool MainWindow1::findKitFile(QString fileName, QStringList fileList)
{
    return fileList.contains(fileName, Qt::CaseSensitive);
}

void MainWindow1::waveKitOrder()
{
    const setupfiles::WaveOrder order = setupfiles::kitWaveOrder(doc().kitAttrList, library().waveLoadKitAttrList,
                                                                 waveAttrList);
    totalFileList = order.totalFileList;
    totalList = order.totalList;
    remainingList = order.remainingList;
    kitOrderList = order.kitOrderList;
}
