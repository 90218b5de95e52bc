// The sounds of a read whole setup or kit file into the sound lists.
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"


#include "library/soundorder.h"
#include "setup/importkitsjob.h"
#include "setup/importsetupjob.h"
#include "kitfile/soundsin.h"
#include "document/kitdocument.h"
#include "library/soundlibrary.h"

#include <algorithm>

bool SetupFilesController::showSound1(const QString &file, percussionpadfile *pf)
{
    m_soundLists.noteClickListFull(false);
    ImportSetupJob job(m_doc, m_library);
    int shown = 0;
    const bool taken = job.takeSounds(file, pf);
    if (taken)
        drawSetupSounds(job.sounds(), job.result(), shown);
    showNotices(job.result(), shown);
    return taken;
}

// After a whole setup's sounds joined the library: the window's lists of
// them, the metronome choice, the total list's rows in number order, the
// boxes of `result` from `shown` on (advanced) and the checked sort again.
void SetupFilesController::drawSetupSounds(const setupfiles::WholeSetupSounds &got, const setupjob::Result &result,
                                           int &shown)
{
    m_waveTempList += got.waves;
    m_soundLists.addReadWaves(got.waves);
    m_soundLists.noteClickListFull(got.clickFlag);
    if (m_library.clickListItemModel() && !m_library.clickSetList().isEmpty())
        m_kitPages.setClickRange(m_library.clickSetList().size());

    // One row per wave in the order of their numbers. Numbers with gaps
    // (sounds deleted on the pad) leave no empty rows between them.
    QVector<soundorder::Row> rows = soundorder::stored(m_library.waveLoadKitAttrList());
    std::stable_sort(rows.begin(), rows.end(),
                     [](const soundorder::Row &a, const soundorder::Row &b) { return a.number < b.number; });
    if (!rows.isEmpty())
        m_soundLists.noteLastWaveNumber(rows.last().number - 1);
    m_soundLists.showTotalRows(rows, false);

    shown = showNotices(result, shown);
    m_soundLists.showCheckedNameOrder();
}

bool SetupFilesController::showSound2(const QString &file, percussionpadfile *pf)
{
    ImportKitFilesJob job(m_doc, m_library);
    const bool taken = job.takeKitSounds(file, pf);
    m_soundAddCount += job.soundsAdded();
    showNotices(job.result());
    return taken;
}
