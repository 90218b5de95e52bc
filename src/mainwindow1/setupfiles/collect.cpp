// The sounds gathered for a save, and their order.
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"

#include "mainwindow1/setupfiles/flowsteps.h"
#include "setup/savesteps.h"
#include "kitfile/waveorder.h"
#include "document/kitdocument.h"
#include "library/soundlibrary.h"

bool SetupFilesController::keepGathered(const savejob::Run &run, const savejob::Gathered &got, bool gathered)
{
    showNotices(run.result.notices);
    if (!gathered)
        return false;
    m_waveList = got.waveList;
    m_soundLists.takeWaveAttrList(got.waveAttrList);
    return true;
}

bool SetupFilesController::getWaveList(const QString &tempDir)
{
    setupflow::BoxQuestions questions(m_prompter, m_parent);
    savejob::Run run{m_doc, m_library, questions, {}, saveHooks(), {}};
    savejob::Gathered got;
    const bool gathered = savejob::gatherWholeSetup(run, tempDir, got);
    if (!got.clickWaveList.isEmpty()) // the metronome's were gathered
        m_clickWaveList = got.clickWaveList;
    return keepGathered(run, got, gathered);
}

bool SetupFilesController::getKitIniWaveList(const QString &tempDir, int kitIndex)
{
    setupflow::BoxQuestions questions(m_prompter, m_parent);
    savejob::Run run{m_doc, m_library, questions, {}, saveHooks(), {}};
    savejob::Gathered got;
    return keepGathered(run, got, savejob::gatherKit(run, tempDir, kitIndex, got));
}

void SetupFilesController::waveKitOrder()
{
    m_kitOrderList = setupfiles::kitWaveOrder(m_doc.kitAttrList(), m_library.waveLoadKitAttrList(),
                                              m_soundLists.waveAttrList());
}
