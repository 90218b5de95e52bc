// The kit records of a read kit file into the editor's kits.
#include "mainwindow1/editing/kitheadercontroller.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"

#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"

#include "setup/importkitsjob.h"
#include "setup/importsetupjob.h"
#include "kitfile/kitsin.h"
#include "document/kitdocument.h"
#include "library/soundlibrary.h"
#include "widgets/jobdialog.h"

void SetupFilesController::showKit1(percussionpadfile *pf)
{
    ImportSetupJob job(m_doc, m_library);
    int shown = 0;
    if (job.takeKits(pf, m_soundLists.waveAttrList(),
                     [this](int k, const setupfiles::LoadedKit &lk) { takingKit(k, lk); }))
        drawSetupKits(job.result(), shown);
}

// After a whole setup's kits became the document's: the pads, the boxes of
// `result` from `shown` on (advanced) and kit 1 shown.
void SetupFilesController::drawSetupKits(const setupjob::Result &result, int &shown)
{
    shown = showNotices(result, shown);

    m_kitHeader.setNumberText(QStringLiteral("1"));
    m_mainPadPage.typeKitNumber(QStringLiteral("1"));
    m_kitPages.setPadNoFlag(true);
    m_kitPages.updateKitNo(1);
    m_kitPages.setLoadKitNoFlag(false);
    if (m_soundLists.kitOrderChecked())
        m_soundLists.showKitUseOrder();
}

// Before a kit read from a file is stored as kit `k`: its name to the
// window's lists and its effects and links to the page's scratch values.
void SetupFilesController::takingKit(int k, const setupfiles::LoadedKit &lk)
{
    emit kitNameRead(lk.kit.kit_name, k);
    m_kitPages.takeLoadedKit(lk.effects, lk.links);
}

void SetupFilesController::showKit2(percussionpadfile *pf, int kitIdx, const QString &file)
{
    ImportKitFilesJob job(m_doc, m_library);
    job.setWaiter(JobDialog::waiter());
    job.takeKit(pf, kitIdx, file, [this](int k, const setupfiles::LoadedKit &lk) { takingKit(k, lk); });
}
