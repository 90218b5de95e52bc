// The widgets of the kit settings, pad settings and global settings pages:
// their texts, fonts and theme, the metronome list, and what the other areas
// ask of the pages.
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/windowtexts.h"

#include "library/soundlibrary.h"
#include "library/soundlistmodel.h"
#include "widgets/listlook.h"
#include "widgets/themesheets.h"

#include <QHeaderView>
#include <QLayout>
#include "widgets/customcombobox.h"
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>
#include <QTreeView>
#include <QWidget>

using themesheets::icon;
using themesheets::style;

void KitPagesController::setUpTexts(const QString &fontFamily)
{
    const KitPagesView &v = m_view;
    v.sounds.logoWidget2->hide();
    QList<QWidget *> hidden = {v.pad.hhLayer5Title, v.pad.hhLayers[4], v.pad.tempoSyncTitle, v.pad.tempoSync};
    for (const EffectSlotView &effect : v.kit.effects)
        hidden << effect.numberTitle << effect.number;
    for (QWidget *wdg : hidden)
        wdg->hide();

    for (QWidget *widget : {static_cast<QWidget *>(v.pages.btnKitMove), static_cast<QWidget *>(v.pages.btnSoundKit),
                            static_cast<QWidget *>(v.pages.btnKitChain)})
        themesheets::setFamily(widget, fontFamily);
    for (QWidget *widget : {static_cast<QWidget *>(v.pages.btnClear), static_cast<QWidget *>(v.pages.btnLoadFile),
                            static_cast<QWidget *>(v.pages.btnSave)}) {
        themesheets::setFamily(widget, fontFamily);
        widget->setStyleSheet(QStringLiteral("QToolTip { background-color: white; color: black;}"));
    }
    themesheets::setFamily(v.sounds.soundListTitle, fontFamily, true);

    v.kit.kitSettingsBox->setTitle(WindowTexts::tr("Sound Kit Setting"));
    v.pad.hiHatBox->setTitle(WindowTexts::tr("HH Setting"));
    v.pad.padGroupBox->setTitle(WindowTexts::tr("Pad Setting"));
    // Each section's title gets a line of its own above the first row, and
    // the rows keep their height.
    for (QGroupBox *box : {v.kit.kitSettingsBox, v.pad.hiHatBox, v.pad.padGroupBox}) {
        QMargins m = box->layout()->contentsMargins();
        const int grown = box->fontMetrics().size(Qt::TextShowMnemonic, box->title()).height() + 4 - m.top();
        if (grown <= 0)
            continue;
        m.setTop(m.top() + grown);
        box->layout()->setContentsMargins(m);
        if (box->minimumHeight() > 0)
            box->setMinimumHeight(qMin(box->minimumHeight() + grown, box->maximumHeight()));
    }
    v.global.versionTitle->setText(WindowTexts::tr("Version"));
    v.global.metronomeTitle->setText(WindowTexts::tr("Metronome Setting:"));
    v.global.metronomeListTitle->setText(WindowTexts::tr("Metronome Sound List:"));
    v.global.btnImportClickWave->setToolTip(WindowTexts::tr("Import click sound"));
    v.global.btnDelClick->setToolTip(WindowTexts::tr("Delete click sound"));
    v.global.btnGlobal->setText(WindowTexts::tr("Export Global"));
    v.pages.btnKitMove->setStyleSheet(QStringLiteral("background-color: rgb(167, 167, 167); color:black; border-none; "));
    v.pages.btnKitChain->setStyleSheet(QStringLiteral("background-color: black; color:white; border:1px solid white;"));
    v.pages.btnSoundKit->setStyleSheet(QStringLiteral("background-color:black; color:white; border:1px solid white;"));
    v.global.masterEffectComboBox->setMaxVisibleItems(10);
}

void KitPagesController::applyTheme(bool isDark)
{
    const KitPagesView &v = m_view;
    style(v.sounds.pane, isDark, "background-color:rgb(35, 35, 35); color: white; border-right:1px solid grey;",
          "background-color: rgb(236, 236, 236); color: black;border-right:1px solid grey;");
    for (QWidget *w : {v.pad.pane, v.kit.pane})
        style(w, isDark, "background-color:rgb(35, 35, 35); color: white;", "background-color: rgb(236, 236, 236); color: black;");
    style(v.sounds.soundListTitle, isDark, "color:white; border: none; border-right:1px solid grey;",
          "color:black; border: none; border-right:1px solid grey;");
    const QList<QWidget *> plain = {v.sounds.bottomColorComboBox, v.sounds.ledColorTitle, v.sounds.workColorComboBox, v.sounds.ledHitColorTitle,
                                    v.pad.pedalType,           v.pad.pedalWidget, v.pad.hiHatBox,      v.pad.padGroupBox,
                                    v.pad.padNumberArea,           v.pad.padWavesArea};
    for (QWidget *w : plain)
        style(w, isDark, "color:white;", "color:black;");
    style(v.kit.kitSettingsBox, isDark, "background-color:rgb(35, 35, 35); color:white;",
          "background-color: rgb(236, 236, 236); color:black;");
    const QList<QWidget *> spins = {v.pad.hhLayers[0],        v.pad.hhLayers[1],        v.pad.hhLayers[2],
                                    v.pad.midiCodeSpinBox,    v.pad.waves[0].volume,    v.pad.waves[1].volume,
                                    v.pad.waves[0].pitch,     v.pad.waves[1].pitch,     v.kit.kitVolumeSpinBox,
                                    v.kit.kitTempoSpinBox};
    for (QWidget *w : spins)
        style(w, isDark, "border:1px solid black; border-bottom:none;", "border: none; border-bottom:1px solid grey;");
    icon(v.pad.btnClearHHWave, isDark, ":/images/clear2.png", ":/images/clear1.png");
}

void KitPagesController::setUpClickList()
{
    QTreeView *clicks = m_view.global.clickWaveTreeView;
    clicks->setModel(m_library.clickListItemModel());
    // The main window handles drops on the hi-hat slots.
    m_view.pad.pedalWidget->setAcceptDrops(true);
    m_view.pad.pedalWidget->installEventFilter(m_boxes);
    // Rows made anew are shown the same way; changes the view's own model
    // does not show are drawn when the library tells them.
    connect(m_library.clickListItemModel(), &SoundListModel::rebuilt, this, [this] { showClickList(); });
    connect(&m_library, &SoundLibrary::clickSoundsChanged, this, [clicks] { clicks->viewport()->update(); });
    showClickList();
}

void KitPagesController::showClickList()
{
    QTreeView *view = m_view.global.clickWaveTreeView;
    view->setColumnHidden(2, true);
    view->header()->resizeSection(0, 100);
    view->header()->setStretchLastSection(true);
    listlook::dragOnly(view);
}

void KitPagesController::showImportedClicks(int count)
{
    m_view.global.clickSoundNoSpinBox->setRange(1, count);
    m_view.global.clickWaveTreeView->expandAll();
}

void KitPagesController::resetClickList()
{
    m_view.global.clickWaveTreeView->reset();
}

int KitPagesController::leftPage() const
{
    return m_view.pages.left_stackedWidget->currentIndex();
}

int KitPagesController::rightPage() const
{
    return m_view.pages.right_stackedWidget->currentIndex();
}

int KitPagesController::padOnPage() const
{
    return m_view.pad.padNoComboBox->currentIndex();
}

QString KitPagesController::padName(int pad) const
{
    return m_view.pad.padNoComboBox->itemText(pad);
}

QString KitPagesController::versionText() const
{
    return m_view.global.version->text();
}

void KitPagesController::setClickRange(int count)
{
    m_view.global.clickSoundNoSpinBox->setRange(1, count);
}

QString KitPagesController::hhSlotTitle(int slot) const
{
    return m_view.pad.hhBoxes[size_t(slot)]->title().trimmed();
}

bool KitPagesController::isHiHatArea(const QObject *watched) const
{
    return watched == m_view.pad.pedalWidget;
}

int KitPagesController::hhSlotAt(const QPoint &pos) const
{
    for (int i = 0; i < HH_NUM_MAX; ++i) {
        const QWidget *box = m_view.pad.hhBoxes[size_t(i)];
        if (QRect(box->mapTo(m_view.pad.pedalWidget, QPoint(0, 0)), box->size()).contains(pos))
            return i;
    }
    return -1;
}
