// The kit settings page: showing a kit (which writes nothing into it), the
// kit switch with its commit of the kit left, the commit into the record and
// the file images (none into the record when nothing was edited since the
// show), and re-pointing kits to a renumbered wave.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/editing/kitpage.h"
#include "ui_mainwindow1.h"

#include "model/kitediting.h"

#include <QCoreApplication>
#include <QDir>
#include <QScopedValueRollback>

namespace {
// Item `value` of a box with `count` items; -1 (no item) for a value it lacks.
int itemOf(int value, int count)
{
    return value >= 0 && value < count ? value : -1;
}

// Effect number boxes show 10 and 255 (no number) as 0.
int effectNoItem(quint8 value)
{
    return value == 10 || value == 255 ? 0 : itemOf(value, 5);
}

// The kit settings page as a commit of kit k reads it; the name is the
// record's (it goes in when it is accepted).
kitediting::KitPage readKitPage(MainWindow1 *w, int k)
{
    Ui::MainWindow1 *ui = w->ui;
    kitediting::KitPage page;
    page.name = w->doc().kit(k).kit_name;
    page.volume = quint8(ui->kitVolumeSpinBox->value());
    page.tempo = quint8(ui->kitTempoSpinBox->value());
    QComboBox *const types[4] = {ui->kitEffect1, ui->kitEffect2, ui->kitEffect3, ui->activeFx};
    QComboBox *const numbers[4] = {ui->effect1_no, ui->effect2_no, ui->effect3_no, ui->effect4_no};
    QSpinBox *const controls[4][3] = {{ui->effect1_ctrl1, ui->effect1_ctrl2, ui->effect1_ctrl3},
                                      {ui->effect2_ctrl1, ui->effect2_ctrl2, ui->effect2_ctrl3},
                                      {ui->effect3_ctrl1, ui->effect3_ctrl2, ui->effect3_ctrl3},
                                      {ui->effect4_ctrl1, ui->effect4_ctrl2, ui->effect4_ctrl3}};
    for (int e = 0; e < 4; ++e) {
        page.effectType[e] = types[e]->currentIndex();
        page.effectNo[e] = numbers[e]->currentIndex();
        for (int c = 0; c < 3; ++c)
            page.control[e][c] = quint16(controls[e][c]->value());
    }
    const int bottom = ui->bottomColorComboBox->currentIndex();
    const int work = ui->workColorComboBox->currentIndex();
    page.bottomColor = bottom >= 0 ? MainWindow1::searchColorIndex(bottom) : -1;
    page.workColor = work >= 0 ? MainWindow1::searchColorIndex(work) : -1;
    page.pedalType = ui->pedalType->currentIndex();
    QSpinBox *const layers[HH_NUM_MAX] = {ui->hhLayer1SpinBox, ui->hhLayer2SpinBox, ui->hhLayer3SpinBox,
                                          ui->hhLayer4SpinBox, ui->hhLayer5SpinBox};
    for (int i = 0; i < HH_NUM_MAX; ++i) {
        page.hhName[i] = w->shell().hhWidgetGroup()[i].lableA->text();
        page.hhLayer[i] = quint8(layers[i]->value());
    }
    page.linkGroup = ui->linkGroupComboBox->currentIndex();
    page.link1 = ui->padLink1ComboBox->currentIndex();
    page.link2 = ui->padLink2ComboBox->currentIndex();
    return page;
}

// Kit k's page as readKitPage reads it, with the kit's link pairs as the
// link boxes show them.
kitediting::KitPageShown shownKitPage(MainWindow1 *w, int k)
{
    kitediting::KitPageShown shown;
    shown.page = readKitPage(w, k);
    const kitediting::KitPage &page = shown.page;
    const QVector<MainWindow1::LINK_GROUP> &links = w->doc().kitLinkList(k);
    const int pads = w->ui->padLink1ComboBox->count();
    for (int g = 0; g < links.size(); ++g) {
        const bool isShown = g == page.linkGroup;
        shown.links << (isShown ? page.link1 : itemOf(links[g].link_pad1, pads))
                    << (isShown ? page.link2 : itemOf(links[g].link_pad2, pads));
    }
    return shown;
}
} // namespace

void kitpage::showKitPage(MainWindow1 *w, int kitNo, bool kitSwitch, int pad)
{
    const int k = kitNo - 1;
    if (k < 0 || k >= w->doc().kitAttrList().size())
        return;
    const QScopedValueRollback<bool> filling(w->kitPageFilling, true);
    w->ui->kitNameLabel->setText(w->doc().kit(k).kit_name);
    w->ui->kitVolumeSpinBox->setValue(w->doc().kit(k).kit_volume);
    w->ui->kitTempoSpinBox->setValue(w->doc().kit(k).kit_tempo);

    const int group = w->ui->linkGroupComboBox->currentIndex();
    if (group >= 0 && group < w->doc().kitLinkList(k).size()) {
        const MainWindow1::LINK_GROUP pair = w->doc().kitLinkList(k)[group];
        w->ui->padLink1ComboBox->setCurrentIndex(itemOf(pair.link_pad1, w->ui->padLink1ComboBox->count()));
        w->ui->padLink2ComboBox->setCurrentIndex(itemOf(pair.link_pad2, w->ui->padLink2ComboBox->count()));
    }

    kitpage::on_kitEffect1_currKitIndex(w, w->doc().kit(k).kit_effect1, k);
    kitpage::on_kitEffect2_currKitIndex(w, w->doc().kit(k).kit_effect2, k);
    kitpage::on_kitEffect3_currKitIndex(w, w->doc().kit(k).kit_effect3, k);
    kitpage::on_activeFx_currKitIndex(w, w->doc().kit(k).pedalChunk.active_fx, k);

    const MainWindow1::soundKit r = w->doc().kit(k);
    const MainWindow1::PEDAL_SETTING &h = r.pedalChunk;
    w->ui->effect1_no->setCurrentIndex(effectNoItem(r.effect1_no));
    w->ui->effect2_no->setCurrentIndex(effectNoItem(r.effect2_no));
    w->ui->effect3_no->setCurrentIndex(effectNoItem(r.effect3_no));
    w->ui->effect4_no->setCurrentIndex(effectNoItem(h.active_no));

    w->ui->bottomColorComboBox->setCurrentIndex(itemOf(r.bottom_color, w->ui->bottomColorComboBox->count()));
    w->ui->workColorComboBox->setCurrentIndex(itemOf(r.work_color, w->ui->workColorComboBox->count()));
    w->ui->pedalType->setCurrentIndex(itemOf(h.pedal_contrl, w->ui->pedalType->count()));
    const QString names[HH_NUM_MAX] = {h.hh_wave1_name, h.hh_wave2_name, h.hh_wave3_name, h.hh_wave4_name,
                                       h.hh_wave5_name};
    for (int i = 0; i < HH_NUM_MAX; ++i)
        w->shell().hhWidgetGroup()[i].lableA->setText(names[i]);
    w->ui->hhLayer1SpinBox->setValue(h.hh_layer1);
    w->ui->hhLayer2SpinBox->setValue(h.hh_layer2);
    w->ui->hhLayer3SpinBox->setValue(h.hh_layer3);
    w->ui->hhLayer4SpinBox->setValue(h.hh_layer4);
    w->ui->hhLayer5SpinBox->setValue(h.hh_layer5);
    w->ui->labLayer1->setText(QStringLiteral("127"));
    w->ui->labLayer2->setText(QString::number(h.hh_layer1 - 1));
    w->ui->labLayer3->setText(QString::number(h.hh_layer2 - 1));
    w->ui->labLayer4->setText(QString::number(h.hh_layer3 - 1));
    // A refused layer goes back to this kit's own value.
    w->original_layer1 = w->ui->hhLayer1SpinBox->value();
    w->original_layer2 = w->ui->hhLayer2SpinBox->value();
    w->original_layer3 = w->ui->hhLayer3SpinBox->value();

    w->padNoFlag = true;
    if (pad < 0)
        pad = kitSwitch ? 0 : w->curPadNumber;
    w->on_padNoComboBox_currentIndexChanged(pad);
    w->padNoFlag = false;
    w->kitPageShown.remember(k, -1, shownKitPage(w, k));
}

void MainWindow1::on_kitNoSpinBox_valueChanged(int kitNo)
{
    switchKitNum = true;
    if (!loadKitNoFlag)
        kitpage::commitShownKit(this, oldKitNumber);
    kitpage::showKitPage(this, kitNo, true);
    curkitNumber = oldKitNumber = ui->kitNoSpinBox->value();
    switchKitNum = false;
}

void MainWindow1::updateKitNo(int kitNo)
{
    ui->kitNoSpinBox->setValue(kitNo);
    kitpage::showKitPage(this, kitNo, false);
}

void kitpage::commitShownKit(MainWindow1 *w, int kitNo)
{
    if (w->ui->left_stackedWidget->currentIndex() != 2)
        return;
    kitpage::commitPadPage(w, kitNo - 1, w->curPadNumber);
    w->on_btnSaveOneKitSet_clicked(quint8(kitNo));
}

void MainWindow1::on_btnSaveOneKitSet_clicked(quint8 kitNo)
{
    if (ui->left_stackedWidget->currentIndex() != 2)
        return;
    const int k = int(kitNo) - 1;
    if (k < 0 || k >= doc().kitAttrList().size() || k >= KIT_MAX_COUNT)
        return;
    kitpage::applyKitName(this, k);
    kitpage::settleHHLayers(this);
    const kitediting::KitPageShown shown = shownKitPage(this, k);
    if (kitPageShown.unchanged(k, -1, shown)) {
        // Nothing edited since the kit was shown: its record stays byte for byte.
        doc().refreshKitImages(k);
        return;
    }
    doc().takeKitPage(k, shown.page, linkGroup);
}

void kitpage::updateKitFile(MainWindow1 *w, quint16 oldNo, quint16 newNo, QString oldFile, QString newFile)
{
    Q_UNUSED(oldNo)
    const QString o = QDir::toNativeSeparators(oldFile);
    const QString n = QDir::toNativeSeparators(newFile);
    const int kits = qMin(w->doc().kitAttrList().size(), KIT_MAX_COUNT);
    for (int k = 0; k < kits; ++k)
        w->doc().renumberSound(k, o, n, newNo); // marks the kit renumbered

    // Paint now and then; no user input runs halfway through a renumbering.
    if (!w->kitFileEvents.isValid()) {
        w->kitFileEvents.start();
    } else if (w->kitFileEvents.elapsed() >= 50) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        w->kitFileEvents.restart();
    }
}
