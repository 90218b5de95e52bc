// The four effect slots of the kit settings page (kit effects 1..3 and the
// active effect): type changes from the per-kit memory, the show of a kit's
// stored effect, and the control layout of each type.
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/kitheadercontroller.h"
#include "mainwindow1/windowtexts.h"

#include "model/kitediting.h"
#include "document/kitdocument.h"
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

namespace {

using kitediting::UNUSED_CONTROL;

struct EffectSlot
{
    QComboBox *type;
    QSpinBox *box[3];
    QLabel *label[3];
    int number; // 1..4, for the placeholder captions
};

EffectSlot effectSlot(const KitPagesView &v, int n)
{
    switch (n) {
    case 0:
        return {v.kit.kitEffect1,
                {v.kit.effect1_ctrl1, v.kit.effect1_ctrl2, v.kit.effect1_ctrl3},
                {v.kit.lab_effect1_ctrl1, v.kit.lab_effect1_ctrl2, v.kit.lab_effect1_ctrl3},
                1};
    case 1:
        return {v.kit.kitEffect2,
                {v.kit.effect2_ctrl1, v.kit.effect2_ctrl2, v.kit.effect2_ctrl3},
                {v.kit.lab_effect2_ctrl1, v.kit.lab_effect2_ctrl2, v.kit.lab_effect2_ctrl3},
                2};
    case 2:
        return {v.kit.kitEffect3,
                {v.kit.effect3_ctrl1, v.kit.effect3_ctrl2, v.kit.effect3_ctrl3},
                {v.kit.lab_effect3_ctrl1, v.kit.lab_effect3_ctrl2, v.kit.lab_effect3_ctrl3},
                3};
    default:
        return {v.kit.activeFx,
                {v.kit.effect4_ctrl1, v.kit.effect4_ctrl2, v.kit.effect4_ctrl3},
                {v.kit.lab_effect4_ctrl1, v.kit.lab_effect4_ctrl2, v.kit.lab_effect4_ctrl3},
                4};
    }
}

// The record's control field c of effect slot n.
quint16 controlField(const MainWindow1Records::soundKit &k, int n, int c)
{
    const quint16 fields[4][3] = {
            {k.effect1_ctrl1, k.effect1_ctrl2, k.effect1_ctrl3},
            {k.effect2_ctrl1, k.effect2_ctrl2, k.effect2_ctrl3},
            {k.effect3_ctrl1, k.effect3_ctrl2, k.effect3_ctrl3},
            {k.pedalChunk.active_effectCtrl1, k.pedalChunk.active_effectCtrl2, k.pedalChunk.active_effectCtrl3}};
    return fields[n][c];
}

} // namespace

// Shows the controls type t uses and their captions; an unused control holds
// 999 in its box, and in the record of kit `kit` (0-based, -1 none).
void KitPagesController::layoutStep(int n, int t, int kit)
{
    const int count = kitediting::effectControlCount(t);
    if (count < 0)
        return;
    const EffectSlot s = effectSlot(m_view, n);
    for (int c = 0; c < 3; ++c) {
        const bool used = c < count;
        s.box[c]->setVisible(used);
        s.label[c]->setVisible(used);
        s.label[c]->setText(used ? kitediting::effectControlLabel(t, c)
                                 : WindowTexts::tr("Effect%1 Ctrl%2:").arg(s.number).arg(c + 1));
        if (used) {
            s.box[c]->setEnabled(true);
            continue;
        }
        s.box[c]->setValue(UNUSED_CONTROL);
        s.box[c]->setEnabled(false);
    }
    if (kit >= 0)
        m_doc.markUnusedControls(kit, n, count);
}

// The user (or a show without kit switch) chose type t for slot n.
void KitPagesController::typeChanged(int n, int t)
{
    if (t < 0 || t >= kitediting::EFFECT_TYPE_COUNT)
        return; // no such type: nothing changes, the commit keeps the stored one
    const int k = m_header.pageKit() - 1;
    if (m_switchKitNum)
        return;
    const EffectSlot s = effectSlot(m_view, n);
    const QVector<MainWindow1Records::KIT_EFFECT> &memory = m_doc.kitEffectList(n, k);
    if (t < memory.size()) {
        const MainWindow1Records::KIT_EFFECT e = memory[t];
        s.box[0]->setValue(e.parm1);
        s.box[1]->setValue(e.parm2);
        s.box[2]->setValue(e.parm3);
    }
    // Filling the page from a kit shows it; only the user's choice writes the record.
    layoutStep(n, t, m_kitPageFilling ? -1 : k);
}

// Shows the stored effect of slot n of kit i; the record stays as it is.
void KitPagesController::showEffect(int n, int t, int i)
{
    const EffectSlot s = effectSlot(m_view, n);
    s.type->setCurrentIndex(t < kitediting::EFFECT_TYPE_COUNT ? t : -1);
    if (i < 0 || i >= m_doc.kitAttrList().size())
        return;
    const MainWindow1Records::soundKit &record = m_doc.kit(i);
    for (int c = 0; c < 3; ++c)
        s.box[c]->setValue(kitediting::shownControl(t, c, controlField(record, n, c)));
    layoutStep(n, t, -1);
}

void KitPagesController::chooseEffectType(int slot, int type)
{
    typeChanged(slot, type);
}

void KitPagesController::on_kitEffect1_currKitIndex(int type, int kitIndex)
{
    showEffect(0, type, kitIndex);
}

void KitPagesController::on_kitEffect2_currKitIndex(int type, int kitIndex)
{
    showEffect(1, type, kitIndex);
}

void KitPagesController::on_kitEffect3_currKitIndex(int type, int kitIndex)
{
    showEffect(2, type, kitIndex);
}

void KitPagesController::on_activeFx_currKitIndex(int type, int kitIndex)
{
    showEffect(3, type, kitIndex);
}
