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
#include <QStandardItemModel>
#include "widgets/customcombobox.h"
#include <QComboBox>
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
    v.logoWidget2->hide();
    const QList<QWidget *> hidden = {v.label_147, v.hhLayer5SpinBox, v.label_95,  v.label_32,
                                     v.kitNoSpinBox, v.kitNameLabel, v.label_189, v.tempoSync,
                                     v.label_19,  v.label_23,    v.label_24,      v.label_25,
                                     v.effect1_no, v.effect2_no, v.effect3_no, v.effect4_no};
    for (QWidget *wdg : hidden)
        wdg->hide();

    for (QWidget *widget : {static_cast<QWidget *>(v.btnKitMove), static_cast<QWidget *>(v.btnSoundKit),
                            static_cast<QWidget *>(v.btnKitChain)})
        themesheets::setFamily(widget, fontFamily);
    for (QWidget *widget : {static_cast<QWidget *>(v.btnClear), static_cast<QWidget *>(v.btnLoadFile),
                            static_cast<QWidget *>(v.btnSave)}) {
        themesheets::setFamily(widget, fontFamily);
        widget->setStyleSheet(QStringLiteral("QToolTip { background-color: white; color: black;}"));
    }
    themesheets::setFamily(v.label_3, fontFamily, true);

    v.groupBox_5->setTitle(WindowTexts::tr("Sound Kit Setting"));
    v.groupBox_7->setTitle(WindowTexts::tr("HH Setting"));
    v.padGroupBox->setTitle(WindowTexts::tr("Pad Setting"));
    // Each section's title gets a line of its own above the first row, and
    // the rows keep their height.
    for (QGroupBox *box : {v.groupBox_5, v.groupBox_7, v.padGroupBox}) {
        QMargins m = box->layout()->contentsMargins();
        const int grown = box->fontMetrics().size(Qt::TextShowMnemonic, box->title()).height() + 4 - m.top();
        if (grown <= 0)
            continue;
        m.setTop(m.top() + grown);
        box->layout()->setContentsMargins(m);
        if (box->minimumHeight() > 0)
            box->setMinimumHeight(qMin(box->minimumHeight() + grown, box->maximumHeight()));
    }
    v.label_3->setText(WindowTexts::tr("MY SOUND LIST"));
    v.label_27->setText(WindowTexts::tr("Version"));
    v.label_156->setText(WindowTexts::tr("Metronome Setting:"));
    v.label_155->setText(WindowTexts::tr("Metronome Sound List:"));
    v.btnImportClickWave->setToolTip(WindowTexts::tr("Import click sound"));
    v.btnDelClick->setToolTip(WindowTexts::tr("Delete click sound"));
    v.btnGlobal->setText(WindowTexts::tr("Export Global"));
    v.btnKitMove->setStyleSheet(QStringLiteral("background-color: rgb(167, 167, 167); color:black; border-none; "));
    v.btnKitChain->setStyleSheet(QStringLiteral("background-color: black; color:white; border:1px solid white;"));
    v.btnSoundKit->setStyleSheet(QStringLiteral("background-color:black; color:white; border:1px solid white;"));
    v.masterEffectComboBox->setMaxVisibleItems(10);
}

void KitPagesController::applyTheme(bool isDark)
{
    const KitPagesView &v = m_view;
    style(v.left_soundHHSet, isDark, "background-color:rgb(35, 35, 35); color: white; border-right:1px solid grey;",
          "background-color: rgb(236, 236, 236); color: black;border-right:1px solid grey;");
    for (QWidget *w : {v.midStackedWidgetPad3, v.rightHHSoundWidget})
        style(w, isDark, "background-color:rgb(35, 35, 35); color: white;", "background-color: rgb(236, 236, 236); color: black;");
    style(v.label_3, isDark, "color:white; border: none; border-right:1px solid grey;",
          "color:black; border: none; border-right:1px solid grey;");
    const QList<QWidget *> plain = {v.bottomColorComboBox, v.label_130, v.workColorComboBox, v.label_132,
                                    v.pedalType,           v.pedalWidget, v.groupBox_7,      v.padGroupBox,
                                    v.widget_11,           v.widget_12};
    for (QWidget *w : plain)
        style(w, isDark, "color:white;", "color:black;");
    style(v.groupBox_5, isDark, "background-color:rgb(35, 35, 35); color:white;",
          "background-color: rgb(236, 236, 236); color:black;");
    const QList<QWidget *> spins = {v.hhLayer1SpinBox,    v.hhLayer2SpinBox,    v.hhLayer3SpinBox,
                                    v.midiCodeSpinBox,    v.waveAVolumeSpinBox, v.waveBVolumeSpinBox,
                                    v.waveAPitch,         v.waveBPitch,         v.kitVolumeSpinBox,
                                    v.kitTempoSpinBox};
    for (QWidget *w : spins)
        style(w, isDark, "border:1px solid black; border-bottom:none;", "border: none; border-bottom:1px solid grey;");
    icon(v.btnClearHHWave, isDark, ":/images/clear2.png", ":/images/clear1.png");
}

void KitPagesController::setUpClickList()
{
    QTreeView *clicks = m_view.clickWaveTreeView;
    clicks->setModel(m_library.clickListItemModel());
    // The main window handles drops on the hi-hat slots.
    m_view.pedalWidget->setAcceptDrops(true);
    m_view.pedalWidget->installEventFilter(m_boxes);
    // Rows made anew are shown the same way; changes the view's own model
    // does not show are drawn when the library tells them.
    connect(m_library.clickListItemModel(), &SoundListModel::rebuilt, this, [this] { showClickList(); });
    connect(&m_library, &SoundLibrary::clickSoundsChanged, this, [clicks] { clicks->viewport()->update(); });
    showClickList();
}

void KitPagesController::showClickList()
{
    QTreeView *view = m_view.clickWaveTreeView;
    view->setColumnHidden(2, true);
    view->header()->resizeSection(0, 100);
    view->header()->setStretchLastSection(true);
    listlook::dragOnly(view);
}

void KitPagesController::showImportedClicks(int count)
{
    m_view.clickSoundNoSpinBox->setRange(1, count);
    m_view.clickWaveTreeView->expandAll();
}

void KitPagesController::resetClickList()
{
    m_view.clickWaveTreeView->reset();
}

int KitPagesController::leftPage() const
{
    return m_view.left_stackedWidget->currentIndex();
}

int KitPagesController::rightPage() const
{
    return m_view.right_stackedWidget->currentIndex();
}

int KitPagesController::kitOnPage() const
{
    return m_view.kitNoSpinBox->value();
}

int KitPagesController::padOnPage() const
{
    return m_view.padNoComboBox->currentIndex();
}

QString KitPagesController::padName(int pad) const
{
    return m_view.padNoComboBox->itemText(pad);
}

QString KitPagesController::versionText() const
{
    return m_view.version->text();
}

void KitPagesController::setClickRange(int count)
{
    m_view.clickSoundNoSpinBox->setRange(1, count);
}

QString KitPagesController::hhSlotTitle(int slot) const
{
    return m_hhWidgetGroup[size_t(slot)].group->title().trimmed();
}

bool KitPagesController::isHiHatArea(const QObject *watched) const
{
    return watched == m_view.pedalWidget;
}

int KitPagesController::hhSlotAt(const QPoint &pos) const
{
    for (int i = 0; i < HH_NUM_MAX; ++i) {
        const QWidget *box = m_hhWidgetGroup[size_t(i)].group;
        if (QRect(box->mapTo(m_view.pedalWidget, QPoint(0, 0)), box->size()).contains(pos))
            return i;
    }
    return -1;
}
