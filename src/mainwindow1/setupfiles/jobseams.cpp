// What the save jobs are given by the window, and their boxes shown.
#include "mainwindow1/setupfiles/flowsteps.h"

#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "ui_mainwindow1.h"

#include "widgets/dialogs/uiprompter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QProgressDialog>

#include <memory>

namespace setupflow {

namespace {

// How long the window may go without handling its events during long work.
constexpr int kEventInterval = 50; // ms

} // namespace

savejob::Hooks saveHooks(MainWindow1 *w)
{
    savejob::Hooks hooks;
    hooks.rawFile = [w](const QString &source, const QString &target) { return w->getRawFile(source, target, 0); };
    hooks.rawFailureTold = [w] { return w->rawFailureTold; };
    hooks.slotName = [w](int slot) {
        // A hi-hat slot by its group's title, a pad layer by the pad's name and A or B.
        const int layer = slot - HH_NUM_MAX;
        return layer < 0 ? w->shell().hhWidgetGroup()[qMax(slot, 0)].group->title().trimmed()
                         : w->ui->padNoComboBox->itemText(layer / 2) + QLatin1String(layer % 2 ? " B" : " A");
    };
    hooks.openProgress = [w](const QString &label, int value) { openSaveProgress(w, label, value); };
    hooks.hideProgress = [w] { hideProgress(w->dialog); };
    hooks.soundsMoved = [w](const QHash<QString, QString> &moved) {
        w->playFileNameNew2 = moved.value(w->playFileNameNew2, w->playFileNameNew2);
    };
    return hooks;
}

setupjob::Progress saveProgress(MainWindow1 *w)
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [w, timer](int value, int maximum) {
        QProgressDialog *d = w->dialog;
        bool moved = false;
        if (d && value >= 0) {
            if (maximum > 0 && d->maximum() != maximum)
                d->setRange(0, maximum);
            moved = d->value() != value;
            if (moved)
                d->setValue(value);
        }
        if (moved || timer->elapsed() >= kEventInterval) {
            QCoreApplication::processEvents();
            timer->restart();
        }
    };
}

QString refusedTarget(MainWindow1 *w, const QString &target, bool kitFilesToo)
{
    return savejob::refusedTarget(w->doc(), w->library(), target, kitFilesToo);
}

} // namespace setupflow
