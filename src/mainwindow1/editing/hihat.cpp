// The hi-hat block of the kit settings page: the hi-hat sound list (preview
// and drag), clearing the five hi-hat waves, and the velocity layer rules.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/editing/kitpage.h"
#include "ui_mainwindow1.h"

#include "library/draghook.h"
#include "library/dragpayload.h"
#include "model/kitediting.h"
#include "platform/regularfile.h"
#include "widgets/dialogs/uiprompter.h"

#include <QDrag>
#include <QItemSelectionModel>
#include <QMediaPlayer>
#include <QMimeData>
#include <QStandardItemModel>

namespace {
const QString kPlayIcon = QStringLiteral("border-image:url(:/images/play.png)");
const QString kPlaying = QStringLiteral("border-image: url(:/images/suspend.png);");

// A sound of the hi-hat list was selected (or pressed, which also drags it).
void hhSoundChosen(MainWindow1 *w, const QModelIndex &index, bool drag)
{
    Ui::MainWindow1 *ui = w->ui;
    if (w->index2 % 2)
        w->on_stopBtn2_clicked();
    if (ui->playBtn2->styleSheet() == kPlaying && w->player2)
        w->player2->stop();

    QItemSelectionModel *selection = ui->soundListTreeView->selectionModel();
    const QModelIndexList selected = selection ? selection->selectedIndexes() : QModelIndexList();

    // Spin boxes that lose the focus finish their edit (a layer rule may run).
    const QList<QWidget *> focused = {
            ui->kitNumber,          ui->kitNameLineEdit,    ui->hhLayer1SpinBox,    ui->hhLayer2SpinBox,
            ui->hhLayer3SpinBox,    ui->hhLayer4SpinBox,    ui->hhLayer5SpinBox,    ui->midiChannelComboBox,
            ui->velocity,           ui->waveAVolumeSpinBox, ui->waveBVolumeSpinBox, ui->waveAPitch,
            ui->waveBPitch,         ui->kitVolumeSpinBox,   ui->kitTempoSpinBox,    ui->effect1_ctrl1,
            ui->effect1_ctrl2,      ui->effect1_ctrl3,      ui->effect2_ctrl1,      ui->effect2_ctrl2,
            ui->effect2_ctrl3,      ui->effect3_ctrl1,      ui->effect3_ctrl2,      ui->effect3_ctrl3,
            ui->effect4_ctrl1,      ui->effect4_ctrl2,      ui->effect4_ctrl3};
    for (QWidget *widget : focused)
        widget->clearFocus();

    const QModelIndex parent = index.parent();
    if (parent.isValid() && parent.row() == 0 && selected.size() >= 2) {
        const QString name = index.sibling(index.row(), 0).data().toString().trimmed();
        const QString source = index.sibling(index.row(), 1).data().toString().trimmed();
        const QString path = percussionpadfile::soundSourceFile(source);
        if (name.isEmpty() || source.isEmpty() || !ztplatform::isRegularFile(path)) {
            ui->songLabel2->clear();
            w->on_stopBtn2_clicked();
            ui->playBtn2->setEnabled(false);
            ui->playBtn2->setStyleSheet(kPlayIcon);
            ui->playBtn2->repaint();
            ui->stopBtn2->setEnabled(false);
            UiPrompter::instance()->warning(w, MainWindow1::tr("Error"),
                                            name + MainWindow1::tr(" does not exist.") + QStringLiteral("\r\n")
                                                    + MainWindow1::tr("Please check path:") + path);
            return;
        }
        ui->playBtn2->setStyleSheet(kPlayIcon);
        ui->songLabel2->setText(name);
        if (!w->player2 || w->player2->state() == QMediaPlayer::StoppedState) {
            ui->playBtn2->setEnabled(true);
            ui->playBtn2->repaint();
        } else {
            w->on_stopBtn2_clicked();
        }
        if (drag) {
            auto *mime = new QMimeData;
            mime->setData(w->shell().MIME_FORMAT(), dragpayload::record(name, source).toUtf8());
            mime->setText(name);
            auto *d = new QDrag(w);
            d->setMimeData(mime);
            draghook::run(d, Qt::MoveAction);
            d->deleteLater();
        }
        w->playFileNameNew2 = source;
    } else if (!parent.isValid()) {
        ui->soundListTreeView->setColumnHidden(1, true);
    }
}
} // namespace

void MainWindow1::leftHHSelectItemChanged(const QModelIndex &index)
{
    hhSoundChosen(this, index, false);
}

void MainWindow1::on_soundListTreeView_pressed(const QModelIndex &index)
{
    hhSoundChosen(this, index, true);
}

void MainWindow1::on_btnClearHHWave_clicked()
{
    currentKitNum = quint8(ui->kitNoSpinBox->value() - 1);
    if (currentKitNum >= doc().kitAttrList().size())
        return;
    doc().clearHiHat(currentKitNum); // the slots show it
}

namespace {
// Layer `layer` (1..3) keeps its value when the rules allow it, else goes back
// to the last value accepted. With `pendingOnly` an accepted value is left alone.
void checkLayer(MainWindow1 *w, int layer, bool pendingOnly = false)
{
    Ui::MainWindow1 *ui = w->ui;
    QSpinBox *const boxes[3] = {ui->hhLayer1SpinBox, ui->hhLayer2SpinBox, ui->hhLayer3SpinBox};
    QLabel *const below[3] = {ui->labLayer2, ui->labLayer3, ui->labLayer4};
    int *const accepted[3] = {&w->original_layer1, &w->original_layer2, &w->original_layer3};
    QSpinBox *box = boxes[layer - 1];
    if (pendingOnly && box->value() == *accepted[layer - 1])
        return;
    if (kitediting::hhLayerAccepted(layer, ui->hhLayer1SpinBox->value(), ui->hhLayer2SpinBox->value(),
                                    ui->hhLayer3SpinBox->value())) {
        below[layer - 1]->setText(QString::number(box->value() - 1));
        *accepted[layer - 1] = box->value();
    } else {
        box->setValue(*accepted[layer - 1]);
    }
}
} // namespace

void MainWindow1::on_hhLayer1SpinBox_editingFinished()
{
    checkLayer(this, 1);
}

void MainWindow1::on_hhLayer2SpinBox_editingFinished()
{
    checkLayer(this, 2);
}

void MainWindow1::on_hhLayer3SpinBox_editingFinished()
{
    checkLayer(this, 3);
}

void kitpage::settleHHLayers(MainWindow1 *w)
{
    // A value typed without Enter has not met its rule yet.
    for (int layer = 1; layer <= 3; ++layer)
        checkLayer(w, layer, true);
}
