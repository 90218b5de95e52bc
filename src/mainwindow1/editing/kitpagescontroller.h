#ifndef ZT_MAINWINDOW1_EDITING_KITPAGESCONTROLLER_H
#define ZT_MAINWINDOW1_EDITING_KITPAGESCONTROLLER_H

// The kit settings, pad settings and global settings pages: effects, links, hi-hat slots and the values they commit.

#include "document/kitdocument.h"
#include "mainwindow1/editing/kittables.h"
#include "model/kitediting.h"
#include "model/mainwindow1records.h"
#include "model/pageshown.h"
#include "model/percussionpadfile1.h"

#include <QList>
#include <QVariant>
#include <QMap>
#include <QModelIndex>
#include <QObject>
#include <QString>
#include <QVector>

#include <array>

class CustomComboBox;
class KitChainsController;
class KitHeaderController;
class MainPadPageController;
class PreviewController;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPoint;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QToolButton;
class QTreeView;
class QWidget;
class SoundLibrary;
class SoundListsController;
class UiPrompter;

// The page buttons, the panes they switch and the buttons each page shows.
struct PageSwitchView
{
    QToolButton *btnKitMove = nullptr;
    QToolButton *btnSoundKit = nullptr;
    QToolButton *btnKitChain = nullptr;
    QStackedWidget *rightTopStackedWidget = nullptr;
    QToolButton *btnClear = nullptr;
    QToolButton *btnLoadFile = nullptr;
    QToolButton *btnSave = nullptr;
    QStackedWidget *left_stackedWidget = nullptr;
    QStackedWidget *midStackedWidget = nullptr;
    QStackedWidget *right_stackedWidget = nullptr;
};

// The left pane of the kit settings pages: the hi-hat sound list's frame and the LED colors.
struct SoundPaneView
{
    QWidget *pane = nullptr; // the left pane while the kit settings pages show
    QWidget *logoWidget2 = nullptr;
    QLabel *soundListTitle = nullptr;
    QLabel *ledColorTitle = nullptr;
    QComboBox *bottomColorComboBox = nullptr;
    QLabel *ledHitColorTitle = nullptr;
    QComboBox *workColorComboBox = nullptr;
};

// One wave (A or B) of the pad settings page.
struct PadWaveView
{
    QLabel *name = nullptr;
    QSpinBox *volume = nullptr;
    QComboBox *pan = nullptr;
    QSpinBox *pitch = nullptr;
    QComboBox *decay = nullptr;
};

// The middle pane of the kit settings pages: the hi-hat slots and velocity
// layers, and the pad settings.
struct PadSettingsView
{
    QWidget *pane = nullptr; // the middle pane while the kit settings pages show
    QComboBox *pedalType = nullptr;
    QWidget *pedalWidget = nullptr;
    std::array<QGroupBox *, HH_NUM_MAX> hhBoxes{};  // hh_wave1_groupBox ... hh_wave5_groupBox
    std::array<QLabel *, HH_NUM_MAX> hhNames{};     // the slots' sound names
    QPushButton *btnClearHHWave = nullptr;
    QGroupBox *hiHatBox = nullptr;
    std::array<QSpinBox *, HH_NUM_MAX> hhLayers{};  // the velocity layers' lower bounds
    std::array<QLabel *, 4> hhLayerTops{};          // the upper bounds of layers 1 to 4
    QLabel *hhLayer5Title = nullptr;
    QGroupBox *padGroupBox = nullptr;
    QWidget *padNumberArea = nullptr;
    CustomComboBox *padNoComboBox = nullptr;
    QSpinBox *midiCodeSpinBox = nullptr;
    QComboBox *midiChannelComboBox = nullptr;
    QLabel *midiGate = nullptr;
    QLabel *extCtrl = nullptr;
    QLabel *padOutput = nullptr;
    QComboBox *muteGroup = nullptr;
    QLabel *tempoSyncTitle = nullptr;
    QLabel *tempoSync = nullptr;
    QComboBox *polyMono = nullptr;
    QComboBox *dynamic = nullptr;
    QComboBox *mode = nullptr;
    QComboBox *loop = nullptr;
    QComboBox *trigType = nullptr;
    QSpinBox *velocity = nullptr;
    QWidget *padWavesArea = nullptr;
    std::array<PadWaveView, 2> waves; // wave A, wave B
};

// One effect slot of the kit settings page: its type, number and three controls.
struct EffectSlotView
{
    QComboBox *type = nullptr;
    QLabel *numberTitle = nullptr;
    QComboBox *number = nullptr;
    std::array<QLabel *, 3> labels{};
    std::array<QSpinBox *, 3> controls{};
};

// The right pane of the kit settings pages: the kit settings, links and effects.
struct KitSettingsView
{
    QWidget *pane = nullptr; // the right pane while the kit settings pages show
    QGroupBox *kitSettingsBox = nullptr;
    QSpinBox *kitVolumeSpinBox = nullptr;
    QSpinBox *kitTempoSpinBox = nullptr;
    QComboBox *linkGroupComboBox = nullptr;
    QComboBox *padLink1ComboBox = nullptr;
    QComboBox *padLink2ComboBox = nullptr;
    std::array<EffectSlotView, 4> effects; // kit effects 1 to 3, then the active effect
};

// The global settings page with its metronome list.
struct GlobalSettingsView
{
    QLabel *versionTitle = nullptr;
    QLabel *version = nullptr;
    QLabel *labEditEffect = nullptr;
    QLabel *labEffectOFF = nullptr;
    QComboBox *masterEffectComboBox = nullptr;
    QLabel *effectType = nullptr;
    QLabel *effectCtrl1 = nullptr;
    QLabel *effectCtrl2 = nullptr;
    QLabel *effectCtrl3 = nullptr;
    QLabel *audioVolume = nullptr;
    QLabel *btAudioVolume = nullptr;
    QLabel *systanGain = nullptr;
    QLabel *audioOutput = nullptr;
    QLabel *globalCH = nullptr;
    QLabel *midiExtCtrl = nullptr;
    QLabel *midiSync = nullptr;
    QLabel *softThru = nullptr;
    QLabel *pcSwLabel = nullptr;
    QLabel *ccSwLabel = nullptr;
    QLabel *fxCtrl1CCLabel = nullptr;
    QLabel *fxCtrl2CCLabel = nullptr;
    QComboBox *globalPadComboBox = nullptr;
    QLabel *labType = nullptr;
    QLabel *labSensivity = nullptr;
    QLabel *curveLabel = nullptr;
    QLabel *maskTimeLabel = nullptr;
    QLabel *labRetrigLevel = nullptr;
    QLabel *antiCrossLabel = nullptr;
    QLabel *thresholdLabel = nullptr;
    QLabel *labDynamicRange = nullptr;
    QLabel *lcdContrast = nullptr;
    QComboBox *ledTypeComboBox = nullptr;
    QComboBox *ledLogoComboBox = nullptr;
    QLabel *tempoIndicateLabel = nullptr;
    QLabel *labRecLevel = nullptr;
    QLabel *labAutoState = nullptr;
    QLabel *labLoopClick = nullptr;
    QLabel *labLoopQtz = nullptr;
    QLabel *labLoopMeas = nullptr;
    QLabel *labLoopMeasIndex = nullptr;
    QLabel *labRecPad = nullptr;
    QLabel *metronomeTitle = nullptr;
    QSpinBox *clickSoundNoSpinBox = nullptr;
    QLabel *clickNameLab = nullptr;
    QLabel *clickInterval = nullptr;
    QLabel *clickPan = nullptr;
    QLabel *clickVolume = nullptr;
    QLabel *clickOutput = nullptr;
    QLabel *metronomeListTitle = nullptr;
    QPushButton *btnImportClickWave = nullptr;
    QPushButton *btnDelClick = nullptr;
    QTreeView *clickWaveTreeView = nullptr;
    QLineEdit *globalLineEdit = nullptr;
    QPushButton *btnGlobal = nullptr;
};

// The widgets the kit pages drive, page by page.
struct KitPagesView
{
    PageSwitchView pages;
    SoundPaneView sounds;
    PadSettingsView pad;
    KitSettingsView kit;
    GlobalSettingsView global;
};

class KitPagesController : public QObject
{
    Q_OBJECT

public:
    // `boxes` parents the messages and filters the drops on the hi-hat slots.
    KitPagesController(KitDocument &doc, SoundLibrary &library, const KitPagesView &view, QWidget *boxes,
                       UiPrompter &prompter, KitHeaderController &header, MainPadPageController &mainPadPage,
                       KitChainsController &kitChains, PreviewController &preview, SoundListsController &soundLists);
    const KitPagesView &view() const { return m_view; }

    // ---- construction ----------------------------------------------------------------
    // Texts, fonts and the widgets never shown, in `fontFamily`.
    void setUpTexts(const QString &fontFamily);
    void applyTheme(bool isDark);
    // The metronome list on the library's model; the hi-hat slots take drops.
    void setUpClickList();
    // The metronome list holds `count` sounds of an import.
    void showImportedClicks(int count);
    // The metronome list is built anew.
    void resetClickList();

    // ---- pages and slots the others ask about -----------------------------------------
    // The pages the left and the right panes show (left 2: the pad settings page).
    int leftPage() const;
    int rightPage() const;
    // The pad (0-based) the pad page shows.
    int padOnPage() const;
    // "Pad 1" ... as the pad page's list names pad `pad` (0-based).
    QString padName(int pad) const;
    // The version the global settings page shows.
    QString versionText() const;
    // The metronome sound box takes sounds 1 to `count`.
    void setClickRange(int count);
    QString hhSlotTitle(int slot) const;
    bool isHiHatArea(const QObject *watched) const;
    // The hi-hat slot under `pos` of the slots' area, -1 for none.
    int hhSlotAt(const QPoint &pos) const;

    // ---- display-only flags --------------------------------------------------------
    bool modeFlag() const { return m_modeFlag; }
    // A load fills the kit page: kit switches commit no kit until it is off.
    void setLoadKitNoFlag(bool on) { m_loadKitNoFlag = on; }
    // The next pad switches of the pad settings page commit no pad.
    void setPadNoFlag(bool on) { m_padNoFlag = on; }

    // ---- what the pages show ---------------------------------------------------------
    int curPadNumber() const { return m_curPadNumber; }
    int original_layer1() const { return m_acceptedLayers[0]; }
    // The last value control `control` of effect slot `slot` took that is in range.
    quint16 oldControl(int slot, int control) const { return m_oldControls[slot][control]; }
    const QVector<QString> &vecEffect() const { return m_vecEffect; }
    const QMap<QString, int> &mapClickPan() const { return m_mapClickPan; }

    // ---- start ---------------------------------------------------------------------
    // The default kits on the kit and pad pages, with the effect memories.
    void initKitSet();
    void initGlobalSet();
    // A loaded kit's effect controls and link pairs become the pages' memory.
    void takeLoadedKit(const MainWindow1Records::KIT_EFFECT effects[4], const MainWindow1Records::LINK_GROUP links[5]);

    // ---- kit settings page ---------------------------------------------------------
    // Fills the kit settings page from kit kitNo (1-based); pad -1 shows pad
    // 1 at a kit switch, else the pad shown.
    void showKitPage(int kitNo, bool kitSwitch, int pad = -1);
    // The kit page shows kit kitNo (1-based) again, as at a kit switch, keeping the pad shown.
    void redrawKitPage(int kitNo);
    // Kit kitNo (1-based), moved there, is shown without committing the page again.
    void showMovedKit(int kitNo);
    // The kit moved in the kit-chain page's list moves in the document and on the pages.
    void moveKit(const QModelIndex &index, quint8 flag);
    // The redraws of what the document tells changed: the hi-hat slots, the global settings.
    void connectDocument();
    void showChangedHiHat(int kit);
    void showChangedHiHats();
    void switchKit(int kitNo);
    void updateKitNo(int kitNo);
    // The commit of everything the kit settings page holds, pad shown first,
    // into kit kitNo (1-based); nothing unless that page is shown, and
    // nothing into a record whose page was not edited since it was shown.
    void commitShownKit(int kitNo);
    void on_btnSaveOneKitSet_clicked(quint8 kitNo);
    void updateKitFile(quint16 oldNo, quint16 newNo, QString oldFile, QString newFile);
    void showKitSettingsPage();
    void showMainPadPage();
    void showKitChainPage();

    // ---- effects and links ---------------------------------------------------------
    void chooseEffectType(int slot, int type);
    void chooseLinkGroup(int index);
    void choosePadLink(bool first, int index);
    void checkControlValue(int value);
    void changeEffectControl(int slot, int control, int value);

    // ---- pad settings page ---------------------------------------------------------
    void chooseMode(int index);
    void switchPad(int pad);
    void savePadSet(int pad);
    void commitPadPage(int kit, int pad); // kit 0-based

    // ---- hi-hat --------------------------------------------------------------------
    void disHHList(const MainWindow1Records::soundKit *kit, quint8 kitNo, quint8 slot);
    // A sound of the hi-hat list was selected, or pressed (`drag`), which also drags it.
    void chooseHHSound(const QModelIndex &index, bool drag);
    void clearHHWaves();
    // Layer `layer` (1..3) keeps its value when the rules allow it, else goes back
    // to the last value accepted. With `pendingOnly` an accepted value is left alone.
    void checkLayer(int layer, bool pendingOnly = false);
    // Runs the hi-hat layer rules on a layer whose edit has not finished.
    void settleHHLayers();

    // ---- steps ---------------------------------------------------------------------
    // From now on a change the user makes on the pad and kit settings pages
    // goes into the kit at once (a run of changes on one control is one
    // step), and the global settings page's boxes make steps of their own.
    void watchPageEdits();
    // The kit settings page shows kit kitNo (1-based) and pad `pad` (-1: the
    // pad shown) as the document holds them, committing nothing.
    void showStepKit(int kitNo, int pad);
    // The global settings page as it stands goes into the step being made.
    void keepGlobalPage();

    // ---- global settings page ------------------------------------------------------
    void showGlobalSettings();
    void showGlobalPad(int pad);
    void showMasterEffect(int slot);
    void pressClickSound(const QModelIndex &index);
    void chooseClickSound(int value);
    void deleteClickSound();
    void exportGlobalFile();
    void setGlobalFileChunk();
    // The global settings page's values as a pack takes them.
    KitDocument::GlobalPage globalPage() const;
    // The global settings read into `pf` on the page and in the document; a
    // current-layout file's chains become, `asLoaded`, what the close on the
    // pad compares with too (a backup restored does not).
    void showVerAndGlobal1(percussionpadfile *pf, bool asLoaded = true);

signals:
    // A global chunk read into the page brought these chains.
    void chainsRead(QVector<MainWindow1Records::KIT_CHAIN> chains);
    // The kit-chain page was left with these chains and names.
    void chainPageLeft(QVector<MainWindow1Records::KIT_CHAIN> chains, QVector<QString> names);

private:
    KitDocument &m_doc;
    SoundLibrary &m_library;
    MainWindow1Tables m_tables; // the labels the pages show and the bytes the records store
    KitPagesView m_view;
    QWidget *m_boxes;
    UiPrompter &m_prompter; // answers every box and file dialog
    PreviewController &m_preview;
    SoundListsController &m_soundLists;
    KitHeaderController &m_header;
    MainPadPageController &m_mainPadPage;
    KitChainsController &m_kitChains;

    void writeGlobalFile(const QByteArray &chunk);

    bool m_switchKitNum = false;  // a kit switch fills the kit page: effect and link changes write nothing
    bool m_loadKitNoFlag = false; // a load or a kit move fills the kit page: a kit switch commits no kit
    bool m_padNoFlag = false;     // a pad switch of the pad settings page commits no pad
    bool m_modeFlag = false;      // the mode box lists the foot-switch modes (a foot switch is shown)

    MainWindow1Records::KIT_EFFECT m_k_effect[4];
    MainWindow1Records::LINK_GROUP m_linkGroup[5];
    int m_curPadNumber = 0;
    int m_original_link_group = 0;
    int m_acceptedLayers[3] = {100, 80, 40}; // what layers 1 to 3 go back to when a value is refused
    quint16 m_oldControls[4][3] = {{999, 999, 999}, {999, 999, 999}, {999, 999, 999}, {999, 999, 999}};
    bool m_kitPageFilling = false;                        // the kit settings page is being filled from a kit record
    PageShownAs<kitediting::KitPageShown> m_kitPageShown; // what the kit settings page showed when filled or last taken
    PageShown m_padPageShown;                             // what the pad settings page showed when filled or last taken
    bool m_padPageFilling = false;                        // the pad settings page is being filled from a pad
    QList<QWidget *> m_padControls, m_kitControls, m_globalControls; // what the user edits on each page
    QVariantList m_globalShown; // the global page as it stood before the user's change

    // The global settings page.
    QVector<QString> m_vecEffect;
    QMap<QString, int> m_mapClickPan;
    QString m_globalPath;

    void showDefaultKitOne();
    void showClickList();
    // True while code fills the settings pages: no change there is the user's.
    bool fillingPages() const;
    // A control of `page` (0 pad settings, 1 kit settings, 2 global settings) changed.
    void pageControlChanged(QWidget *control, int page);
    // The kit page's values into kit k, as the kit commit takes them, without its name and layer rules.
    void commitKitPageNow(int k);
    // True when the kit and pad settings pages of kit k show what `kit` and `pad` held.
    bool showsAgain(int k, const PageShownAs<kitediting::KitPageShown> &kit, const PageShown &pad) const;
    QList<QWidget *> globalPageWidgets() const;
    kitediting::KitPage readKitPage(int k) const;
    kitediting::KitPageShown shownKitPage(int k) const;
    // The layer boxes show `layers`, the labels the upper bound of each layer.
    void showHHLayers(const std::array<quint8, HH_NUM_MAX> &layers);
    void layoutStep(int n, int t, int kit);
    void showEffect(int n, int t, int i);
    void leaveChainPage();
    template <class Chunk>
    void showSharedBlocks(const Chunk &g);
    void showChains(const percussionpadfile::P_KIT_CHAIN &kc, int rows, bool keepOriginal);
};

#endif
