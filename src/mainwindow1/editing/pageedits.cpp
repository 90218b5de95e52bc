// The user's changes on the settings pages as steps: a change on the pad or
// kit settings page goes into the kit at once (the commit moments still take
// the page as they did), a change of the global settings page's boxes keeps
// the page as it stood; a run of changes on one control is one step. Only
// a change made where the user works counts: the control or one of its page
// holds the focus. What code shows on a page is no change.
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/kitheadercontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"

#include "history/pagepart.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTreeView>
#include <QScopedValueRollback>

namespace {

const QString kGlobalPage = QStringLiteral("global page");

// True when the focus is on `control` or on a control of its page (a change
// one control makes in another), or in a popup of one of them.
bool byUser(QWidget *control, const QList<QWidget *> &page)
{
    QWidget *focus = QApplication::focusWidget();
    if (!focus)
        return false;
    if (focus == control || control->isAncestorOf(focus))
        return true;
    for (QWidget *w : page) {
        if (w == focus || w->isAncestorOf(focus))
            return true;
    }
    return false;
}

// True while a value is being typed into `box` (the box can take it back).
bool typedIn(const QSpinBox *box)
{
    const auto *text = box->findChild<QLineEdit *>();
    return text && text->isUndoAvailable();
}

} // namespace

void KitPagesController::watchPageEdits()
{
    const KitPagesView &ui = m_view;
    m_padControls = {ui.pad.midiCodeSpinBox, ui.pad.midiChannelComboBox};
    for (const PadWaveView &wave : ui.pad.waves)
        m_padControls << wave.volume << wave.pan << wave.pitch << wave.decay;
    m_padControls << ui.pad.muteGroup << ui.pad.mode << ui.pad.loop << ui.pad.trigType << ui.pad.velocity
                  << ui.pad.dynamic << ui.pad.polyMono;
    m_kitControls = {ui.kit.kitVolumeSpinBox, ui.kit.kitTempoSpinBox};
    for (const EffectSlotView &effect : ui.kit.effects)
        m_kitControls << effect.type << effect.number << effect.controls[0] << effect.controls[1] << effect.controls[2];
    m_kitControls << ui.sounds.bottomColorComboBox << ui.sounds.workColorComboBox << ui.pad.pedalType
                  << ui.pad.hhLayers[3] << ui.pad.hhLayers[4] << ui.kit.padLink1ComboBox << ui.kit.padLink2ComboBox;
    m_globalControls = {ui.global.clickSoundNoSpinBox, ui.global.ledTypeComboBox, ui.global.ledLogoComboBox, ui.global.clickWaveTreeView};
    const QList<QWidget *> *pages[3] = {&m_padControls, &m_kitControls, &m_globalControls};
    for (int page = 0; page < 3; ++page) {
        for (QWidget *w : *pages[page]) {
            auto changed = [this, w, page] { pageControlChanged(w, page); };
            if (auto *spin = qobject_cast<QSpinBox *>(w))
                connect(spin, QOverload<int>::of(&QSpinBox::valueChanged), this, changed);
            else if (auto *combo = qobject_cast<QComboBox *>(w))
                connect(combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this, changed);
        }
    }
    // The first three layers meet their rule as the keys step them, a typed
    // value when its edit ends; the kit takes each change at once.
    for (int layer = 1; layer <= 3; ++layer) {
        QSpinBox *box = ui.pad.hhLayers[size_t(layer - 1)];
        connect(box, QOverload<int>::of(&QSpinBox::valueChanged), this, [this, box, layer](int value) {
            if (fillingPages() || !byUser(box, m_kitControls))
                return;
            if (!typedIn(box)) {
                checkLayer(layer);
                if (box->value() != value)
                    return; // put back: that change came here on its own
            }
            pageControlChanged(box, 1);
        });
        connect(box, &QSpinBox::editingFinished, this, [this] {
            if (!m_kitPageFilling && !m_switchKitNum && m_view.pages.left_stackedWidget->currentIndex() == 2)
                commitKitPageNow(m_header.pageKit() - 1);
        });
    }
    // The global page as it stands when the user comes to one of its boxes.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && byUser(now, m_globalControls))
            m_globalShown = PagePart::valuesOf(globalPageWidgets());
    });
    m_globalShown = PagePart::valuesOf(globalPageWidgets());
}

bool KitPagesController::fillingPages() const
{
    return m_padPageFilling || m_kitPageFilling || m_switchKitNum || m_padNoFlag || m_loadKitNoFlag;
}

void KitPagesController::pageControlChanged(QWidget *control, int page)
{
    if (fillingPages())
        return;
    const QList<QWidget *> &controls = page == 0 ? m_padControls : page == 1 ? m_kitControls : m_globalControls;
    if (!byUser(control, controls))
        return;
    if (page == 2) {
        editstep::Place place;
        place.page = editstep::Place::Global;
        const editstep::Recorder::Scope step(m_doc.recorder(), WindowTexts::tr("global settings"), kGlobalPage,
                                             place);
        const QList<QWidget *> widgets = globalPageWidgets();
        if (m_doc.recorder())
            m_doc.recorder()->touch(kGlobalPage, [&] {
                return std::make_unique<PagePart>(kGlobalPage, widgets, m_globalShown);
            });
        m_globalShown = PagePart::valuesOf(widgets);
        return;
    }
    if (m_view.pages.left_stackedWidget->currentIndex() != 2)
        return;
    const int k = m_header.pageKit() - 1;
    const auto kitBefore = m_kitPageShown; // as taken last, before this change
    const PageShown padBefore = m_padPageShown;
    editstep::Recorder *recorder = m_doc.recorder();
    const editstep::Recorder::Scope step(recorder, QString(), KitDocument::settingsRun(k));
    if (page == 0)
        commitPadPage(k, m_curPadNumber);
    else
        commitKitPageNow(k);
    // A run that shows these pages again (typed and undone in the box) is
    // no step, and what the commits tidied in the kit on the way goes too.
    if (recorder) {
        const QPointer<KitPagesController> self(this);
        recorder->setRunStart([self, k, kitBefore, padBefore] { return self && self->showsAgain(k, kitBefore, padBefore); });
    }
}

void KitPagesController::commitKitPageNow(int k)
{
    if (k < 0 || k >= m_doc.kitAttrList().size() || k >= KIT_MAX_COUNT)
        return;
    const kitediting::KitPageShown shown = shownKitPage(k);
    if (m_kitPageShown.unchanged(k, -1, shown))
        return;
    m_doc.takeKitPage(k, shown.page, m_linkGroup);
    m_kitPageShown.remember(k, -1, shown); // a value put back by hand is taken too
}

void KitPagesController::showStepKit(int kitNo, int pad)
{
    const QScopedValueRollback<bool> noCommit(m_loadKitNoFlag, true);
    if (m_header.pageKit() != kitNo)
        m_header.setPageKit(kitNo); // a switch that commits nothing
    const QScopedValueRollback<bool> showing(m_switchKitNum, true);
    showKitPage(kitNo, false, pad < 0 ? m_curPadNumber : pad);
    m_mainPadPage.noteKitPageKit(kitNo);
}

QList<QWidget *> KitPagesController::globalPageWidgets() const
{
    const KitPagesView &ui = m_view;
    return {ui.global.clickSoundNoSpinBox, ui.global.ledTypeComboBox, ui.global.ledLogoComboBox, ui.global.version,
            ui.global.clickNameLab,        ui.global.clickInterval,   ui.global.clickPan,        ui.global.clickVolume,
            ui.global.clickOutput,         ui.global.audioVolume,     ui.global.btAudioVolume,   ui.global.systanGain,
            ui.global.audioOutput,         ui.global.globalCH,        ui.global.midiExtCtrl,     ui.global.midiSync,
            ui.global.softThru,            ui.global.pcSwLabel,       ui.global.ccSwLabel,       ui.global.fxCtrl1CCLabel,
            ui.global.fxCtrl2CCLabel,      ui.global.lcdContrast,     ui.global.tempoIndicateLabel};
}

void KitPagesController::keepGlobalPage()
{
    editstep::Recorder *recorder = m_doc.recorder();
    if (!recorder)
        return;
    const QList<QWidget *> widgets = globalPageWidgets();
    recorder->touch(kGlobalPage, [&widgets] {
        return std::make_unique<PagePart>(kGlobalPage, widgets, PagePart::valuesOf(widgets));
    });
}
