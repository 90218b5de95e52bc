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
    const EffectSlotView &s = m_view.kit.effects[size_t(n)];
    for (size_t c = 0; c < 3; ++c) {
        const bool used = int(c) < count;
        s.controls[c]->setVisible(used);
        s.labels[c]->setVisible(used);
        s.labels[c]->setText(used ? kitediting::effectControlLabel(t, int(c))
                                  : WindowTexts::tr("Effect%1 Ctrl%2:").arg(n + 1).arg(c + 1));
        if (used) {
            s.controls[c]->setEnabled(true);
            continue;
        }
        s.controls[c]->setValue(UNUSED_CONTROL);
        s.controls[c]->setEnabled(false);
    }
    if (kit >= 0)
        m_doc.markUnusedControls(kit, n, count);
}

// The user (or a show without kit switch) chose type t for slot n.
void KitPagesController::chooseEffectType(int n, int t)
{
    if (t < 0 || t >= kitediting::EFFECT_TYPE_COUNT)
        return; // no such type: nothing changes, the commit keeps the stored one
    const int k = m_header.pageKit() - 1;
    if (m_switchKitNum)
        return;
    const EffectSlotView &s = m_view.kit.effects[size_t(n)];
    const QVector<MainWindow1Records::KIT_EFFECT> &memory = m_doc.kitEffectList(n, k);
    if (t < memory.size()) {
        const MainWindow1Records::KIT_EFFECT e = memory[t];
        s.controls[0]->setValue(e.parm1);
        s.controls[1]->setValue(e.parm2);
        s.controls[2]->setValue(e.parm3);
    }
    // Filling the page from a kit shows it; only the user's choice writes the record.
    layoutStep(n, t, m_kitPageFilling ? -1 : k);
}

// Shows the stored effect of slot n of kit i; the record stays as it is.
void KitPagesController::showEffect(int n, int t, int i)
{
    const EffectSlotView &s = m_view.kit.effects[size_t(n)];
    s.type->setCurrentIndex(t < kitediting::EFFECT_TYPE_COUNT ? t : -1);
    if (i < 0 || i >= m_doc.kitAttrList().size())
        return;
    const MainWindow1Records::soundKit &record = m_doc.kit(i);
    for (int c = 0; c < 3; ++c)
        s.controls[size_t(c)]->setValue(kitediting::shownControl(t, c, controlField(record, n, c)));
    layoutStep(n, t, -1);
}
