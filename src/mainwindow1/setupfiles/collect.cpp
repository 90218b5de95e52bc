// The sounds gathered for a save, and their order.
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"

#include "mainwindow1/setupfiles/flowsteps.h"
#include "setup/savesteps.h"
#include "kitfile/waveorder.h"
#include "document/kitdocument.h"
#include "library/soundlibrary.h"
#include "widgets/closehold.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>

#include <memory>

namespace {

// How long the window may go without handling its events during long work.
constexpr int kEventInterval = 50; // ms

} // namespace

setupfiles::ProgressFn SetupFilesController::setupProgress(QProgressDialog *dialog)
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
            closehold::processEvents();
            timer->restart();
        }
    };
}

bool SetupFilesController::keepGathered(const savejob::Run &run, const savejob::Gathered &got, bool gathered)
{
    showNotices(run.result.notices);
    if (!gathered)
        return false;
    m_waveList = got.waveList;
    m_soundLists.takeWaveAttrList(got.waveAttrList);
    return true;
}

bool SetupFilesController::getWaveList(const QString &tempDir, QProgressDialog *dialog)
{
    setupflow::BoxQuestions questions(m_prompter, m_parent);
    const setupfiles::ProgressFn progress = setupProgress(dialog);
    savejob::Run run{m_doc, m_library, questions, [progress](int value, int) { progress(value); }, saveHooks(), {}};
    savejob::Gathered got;
    const bool gathered = savejob::gatherWholeSetup(run, tempDir, got);
    if (!got.clickWaveList.isEmpty()) // the metronome's were gathered
        m_clickWaveList = got.clickWaveList;
    return keepGathered(run, got, gathered);
}

bool SetupFilesController::getKitIniWaveList(const QString &tempDir, int kitIndex)
{
    setupflow::BoxQuestions questions(m_prompter, m_parent);
    const setupfiles::ProgressFn progress = setupProgress(nullptr);
    savejob::Run run{m_doc, m_library, questions, [progress](int value, int) { progress(value); }, saveHooks(), {}};
    savejob::Gathered got;
    return keepGathered(run, got, savejob::gatherKit(run, tempDir, kitIndex, got));
}

void SetupFilesController::waveKitOrder()
{
    const setupfiles::WaveOrder order = setupfiles::kitWaveOrder(m_doc.kitAttrList(), m_library.waveLoadKitAttrList(),
                                                                 m_soundLists.waveAttrList());
    m_kitOrderList = order.kitOrderList;
}
