// The kit settings page: showing a kit (which writes nothing into it), the
// kit switch with its commit of the kit left, the commit into the record and
// the file images (none into the record when nothing was edited since the
// show), and re-pointing kits to a renumbered wave.
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/kitheadercontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"

#include "model/kitediting.h"
#include "document/kitdocument.h"

#include <QDir>
#include <QScopedValueRollback>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QStackedWidget>

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
} // namespace

kitediting::KitPage KitPagesController::readKitPage(int k) const
{
    kitediting::KitPage page;
    page.name = m_doc.kit(k).kit_name;
    page.volume = quint8(m_view.kit.kitVolumeSpinBox->value());
    page.tempo = quint8(m_view.kit.kitTempoSpinBox->value());
    for (int e = 0; e < 4; ++e) {
        const EffectSlotView &effect = m_view.kit.effects[size_t(e)];
        page.effectType[e] = effect.type->currentIndex();
        page.effectNo[e] = effect.number->currentIndex();
        for (int c = 0; c < 3; ++c)
            page.control[e][c] = quint16(effect.controls[size_t(c)]->value());
    }
    const int bottom = m_view.sounds.bottomColorComboBox->currentIndex();
    const int work = m_view.sounds.workColorComboBox->currentIndex();
    page.bottomColor = bottom >= 0 ? MainWindow1Tables::searchColorIndex(bottom) : -1;
    page.workColor = work >= 0 ? MainWindow1Tables::searchColorIndex(work) : -1;
    page.pedalType = m_view.pad.pedalType->currentIndex();
    for (int i = 0; i < HH_NUM_MAX; ++i) {
        page.hhName[i] = m_view.pad.hhNames[size_t(i)]->text();
        page.hhLayer[i] = quint8(m_view.pad.hhLayers[size_t(i)]->value());
    }
    page.linkGroup = m_view.kit.linkGroupComboBox->currentIndex();
    page.link1 = m_view.kit.padLink1ComboBox->currentIndex();
    page.link2 = m_view.kit.padLink2ComboBox->currentIndex();
    return page;
}

// Kit k's page as readKitPage reads it, with the kit's link pairs as the
// link boxes show them.
kitediting::KitPageShown KitPagesController::shownKitPage(int k) const
{
    kitediting::KitPageShown shown;
    shown.page = readKitPage(k);
    const kitediting::KitPage &page = shown.page;
    const QVector<MainWindow1Records::LINK_GROUP> &links = m_doc.kitLinkList(k);
    const int pads = m_view.kit.padLink1ComboBox->count();
    for (int g = 0; g < links.size(); ++g) {
        const bool isShown = g == page.linkGroup;
        shown.links << (isShown ? page.link1 : itemOf(links[g].link_pad1, pads))
                    << (isShown ? page.link2 : itemOf(links[g].link_pad2, pads));
    }
    return shown;
}

void KitPagesController::showKitPage(int kitNo, bool kitSwitch, int pad)
{
    const int k = kitNo - 1;
    if (k < 0 || k >= m_doc.kitAttrList().size())
        return;
    const QScopedValueRollback<bool> filling(m_kitPageFilling, true);
    m_header.setPageName(m_doc.kit(k).kit_name);
    m_view.kit.kitVolumeSpinBox->setValue(m_doc.kit(k).kit_volume);
    m_view.kit.kitTempoSpinBox->setValue(m_doc.kit(k).kit_tempo);

    const int group = m_view.kit.linkGroupComboBox->currentIndex();
    if (group >= 0 && group < m_doc.kitLinkList(k).size()) {
        const MainWindow1Records::LINK_GROUP pair = m_doc.kitLinkList(k)[group];
        m_view.kit.padLink1ComboBox->setCurrentIndex(itemOf(pair.link_pad1, m_view.kit.padLink1ComboBox->count()));
        m_view.kit.padLink2ComboBox->setCurrentIndex(itemOf(pair.link_pad2, m_view.kit.padLink2ComboBox->count()));
    }

    const quint8 types[4] = {m_doc.kit(k).kit_effect1, m_doc.kit(k).kit_effect2, m_doc.kit(k).kit_effect3,
                             m_doc.kit(k).pedalChunk.active_fx};
    for (int e = 0; e < 4; ++e)
        showEffect(e, types[e], k);

    const MainWindow1Records::soundKit r = m_doc.kit(k);
    const MainWindow1Records::PEDAL_SETTING &h = r.pedalChunk;
    const quint8 numbers[4] = {r.effect1_no, r.effect2_no, r.effect3_no, h.active_no};
    for (size_t e = 0; e < 4; ++e)
        m_view.kit.effects[e].number->setCurrentIndex(effectNoItem(numbers[e]));

    m_view.sounds.bottomColorComboBox->setCurrentIndex(itemOf(r.bottom_color, m_view.sounds.bottomColorComboBox->count()));
    m_view.sounds.workColorComboBox->setCurrentIndex(itemOf(r.work_color, m_view.sounds.workColorComboBox->count()));
    m_view.pad.pedalType->setCurrentIndex(itemOf(h.pedal_contrl, m_view.pad.pedalType->count()));
    for (quint8 slot = 0; slot < HH_NUM_MAX; ++slot)
        disHHList(&r, quint8(k), slot);
    showHHLayers({h.hh_layer1, h.hh_layer2, h.hh_layer3, h.hh_layer4, h.hh_layer5});
    // A refused layer goes back to this kit's own value.
    for (size_t i = 0; i < 3; ++i)
        m_acceptedLayers[i] = m_view.pad.hhLayers[i]->value();

    m_padNoFlag = true;
    if (pad < 0)
        pad = kitSwitch ? 0 : m_curPadNumber;
    switchPad(pad);
    m_padNoFlag = false;
    m_kitPageShown.remember(k, -1, shownKitPage(k));
}

void KitPagesController::switchKit(int kitNo)
{
    m_switchKitNum = true;
    if (!m_loadKitNoFlag)
        commitShownKit(m_mainPadPage.oldKitNumber());
    showKitPage(kitNo, true);
    m_mainPadPage.noteKitPageKit(m_header.pageKit());
    m_switchKitNum = false;
}

void KitPagesController::updateKitNo(int kitNo)
{
    m_header.setPageKit(kitNo);
    showKitPage(kitNo, false);
}

void KitPagesController::commitShownKit(int kitNo)
{
    if (m_view.pages.left_stackedWidget->currentIndex() != 2)
        return;
    commitPadPage(kitNo - 1, m_curPadNumber);
    on_btnSaveOneKitSet_clicked(quint8(kitNo));
}

void KitPagesController::on_btnSaveOneKitSet_clicked(quint8 kitNo)
{
    if (m_view.pages.left_stackedWidget->currentIndex() != 2)
        return;
    const int k = int(kitNo) - 1;
    if (k < 0 || k >= m_doc.kitAttrList().size() || k >= KIT_MAX_COUNT)
        return;
    m_mainPadPage.applyKitName(k);
    settleHHLayers();
    const kitediting::KitPageShown shown = shownKitPage(k);
    if (m_kitPageShown.unchanged(k, -1, shown)) {
        // Nothing edited since the kit was shown or taken: its record stays byte for byte.
        m_doc.refreshKitImages(k);
        return;
    }
    m_doc.takeKitPage(k, shown.page, m_linkGroup);
    m_kitPageShown.remember(k, -1, shown);
}

void KitPagesController::updateKitFile(quint16 oldNo, quint16 newNo, QString oldFile, QString newFile)
{
    Q_UNUSED(oldNo)
    const QString o = QDir::toNativeSeparators(oldFile);
    const QString n = QDir::toNativeSeparators(newFile);
    const int kits = qMin(m_doc.kitAttrList().size(), KIT_MAX_COUNT);
    for (int k = 0; k < kits; ++k)
        m_doc.renumberSound(k, o, n, newNo); // marks the kit renumbered
}
