// The sounds gathered for a save, and their order.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/library/soundlistscontroller.h"

#include "mainwindow1/setupfiles/flowsteps.h"
#include "setup/savesteps.h"
#include "kitfile/waveorder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QStandardItem>

#include <memory>

namespace {

// How long the window may go without handling its events during long work.
constexpr int kEventInterval = 50; // ms

// A gathering run for the window; its boxes are shown by finish().
struct Gathering
{
    setupflow::BoxQuestions questions;
    savejob::Run run;
    savejob::Gathered got;

    Gathering(MainWindow1 *w, setupfiles::ProgressFn progress)
        : questions(w),
          run{w->doc(), w->library(), questions, [progress](int value, int) { progress(value); },
              setupflow::saveHooks(w), {}}
    {
    }
    // Keeps the gathered waves when nothing failed; tells the user otherwise.
    bool finish(MainWindow1 *w, bool gathered)
    {
        setupflow::showNotices(w, run.result.notices);
        if (!gathered)
            return false;
        w->waveList = got.waveList;
        w->soundLists().takeWaveAttrList(got.waveAttrList);
        return true;
    }
};

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
    Gathering g(this, setupProgress(dialog));
    const bool gathered = savejob::gatherWholeSetup(g.run, TempDirName, g.got);
    if (!g.got.clickWaveList.isEmpty()) // the metronome's were gathered
        clickWaveList = g.got.clickWaveList;
    return g.finish(this, gathered);
}

bool MainWindow1::getKitIniWaveList(QString TempDirName, int kitIndex, QProgressDialog *)
{
    Gathering g(this, setupProgress(nullptr));
    return g.finish(this, savejob::gatherKit(g.run, TempDirName, kitIndex, g.got));
}

void MainWindow1::waveKitOrder()
{
    const setupfiles::WaveOrder order = setupfiles::kitWaveOrder(doc().kitAttrList(), library().waveLoadKitAttrList(),
                                                                 soundLists().waveAttrList());
    totalFileList = order.totalFileList;
    totalList = order.totalList;
    remainingList = order.remainingList;
    kitOrderList = order.kitOrderList;
}
