// What the save jobs are given by the window, and their boxes shown.
#include "mainwindow1/setupfiles/setupfilescontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"

#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/library/rawfile.h"
#include "mainwindow1/setupfiles/flowsteps.h"
#include "document/kitdocument.h"
#include "library/soundlibrary.h"
#include "widgets/jobdialog.h"

#include <QGroupBox>

// What the save jobs need of the window: the conversion, the save progress
// dialog (openSaveProgress) and the names of the pages' slots.
savejob::Hooks SetupFilesController::saveHooks()
{
    savejob::Hooks hooks;
    hooks.rawFile = [this](const QString &source, const QString &target) {
        return m_rawFiles.getRawFile(source, target, nullptr);
    };
    hooks.rawPlan = [this](const QVector<QPair<QString, QString>> &jobs) { return m_rawFiles.planConversions(jobs); };
    hooks.rawFailureTold = [this] { return m_rawFiles.rawFailureTold(); };
    hooks.jobConversion = [this] { return m_rawFiles.jobConversion(); };
    hooks.slotName = [this](int slot) {
        // A hi-hat slot by its group's title, a pad layer by the pad's name and A or B.
        const int layer = slot - HH_NUM_MAX;
        return layer < 0 ? m_kitPages.hhSlotTitle(qMax(slot, 0))
                         : m_kitPages.padName(layer / 2) + QLatin1String(layer % 2 ? " B" : " A");
    };
    hooks.openProgress = [this](const QString &label, int value) { openSaveProgress(label, value); };
    hooks.hideProgress = [this] { hideProgress(m_preview.dialog()); };
    hooks.soundsMoved = [this](const QHash<QString, QString> &moved) { soundFileRemoved(moved); };
    hooks.wait = JobDialog::waiter();
    hooks.runJob = [this](ztplatform::Job &job, const std::function<bool()> &giveUp) {
        if (auto *box = qobject_cast<JobDialog *>(m_preview.dialog()))
            box->follow(job);
        JobDialog::Limits limits;
        limits.giveUp = giveUp;
        return JobDialog::wait(m_parent, QString(), job, limits);
    };
    return hooks;
}

// Moves the window's box (its range too); it paints at the next wait.
setupjob::Progress SetupFilesController::saveProgress()
{
    return [this](int value, int maximum) {
        if (auto *box = qobject_cast<JobDialog *>(m_preview.dialog()))
            box->move(value, maximum);
    };
}
