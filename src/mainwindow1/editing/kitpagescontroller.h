#ifndef ZT_MAINWINDOW1_EDITING_KITPAGESCONTROLLER_H
#define ZT_MAINWINDOW1_EDITING_KITPAGESCONTROLLER_H

// The kit settings, pad settings and global settings pages: effects, links, hi-hat slots and the values they commit.

#include "document/kitdocument.h"
#include "mainwindow1/editing/kittables.h"
#include "model/kitediting.h"
#include "model/mainwindow1records.h"
#include "model/pageshown.h"
#include "model/percussionpadfile1.h"

#include <QElapsedTimer>
#include <QList>
#include <QVariant>
#include <QMap>
#include <QModelIndex>
#include <QObject>
#include <QString>
#include <QVector>

class KitChainsController;
class MainPadPageController;
class PreviewController;
class QSpinBox;
class QWidget;
class SetupFilesController;
class ShellController;
class SoundLibrary;
class SoundListsController;
namespace Ui {
class MainWindow1;
}

class KitPagesController : public QObject
{
    Q_OBJECT

public:
    // `boxes` parents the messages.
    KitPagesController(KitDocument &doc, SoundLibrary &library, Ui::MainWindow1 *ui,
                       QWidget *boxes, PreviewController &preview, SoundListsController &soundLists);
    // The areas made after this one, handed over once all are made.
    void useMainPadPage(MainPadPageController &page) { m_mainPadPage = &page; }
    void useKitChains(KitChainsController &chains) { m_kitChains = &chains; }
    void useSetupFiles(SetupFilesController &setupFiles) { m_setupFiles = &setupFiles; }
    void useShell(ShellController &shell) { m_shell = &shell; }

    // ---- display-only flags --------------------------------------------------------
    bool switchKitNum() const { return m_switchKitNum; }
    bool loadKitNoFlag() const { return m_loadKitNoFlag; }
    bool padNoFlag() const { return m_padNoFlag; }
    bool modeFlag() const { return m_modeFlag; }
    // A load fills the kit page: kit switches commit no kit until it is off.
    void setLoadKitNoFlag(bool on) { m_loadKitNoFlag = on; }
    // The next pad switches of the pad settings page commit no pad.
    void setPadNoFlag(bool on) { m_padNoFlag = on; }

    // ---- what the pages show ---------------------------------------------------------
    int curPadNumber() const { return m_curPadNumber; }
    // The pad (0-based) and layer the pad menu was opened on.
    int curPadIndex() const { return m_curPadIndex; }
    int curLayer() const { return m_curLayer; }
    void pointPadMenuAt(int pad) { m_curPadIndex = pad; }
    void pointPadMenuLayer(int layer) { m_curLayer = layer; }
    int original_layer1() const { return m_original_layer1; }
    quint16 oldEffect1Ctrl1() const { return m_oldEffect1Ctrl1; }
    quint16 oldEffect4Ctrl3() const { return m_oldEffect4Ctrl3; }
    const QVector<QString> &vecEffect() const { return m_vecEffect; }
    const QMap<QString, int> &mapClickPan() const { return m_mapClickPan; }

    // ---- start ---------------------------------------------------------------------
    // The default kits on the kit and pad pages, with the effect memories.
    void initKitSet();
    // Back to the default kits keeping each kit's effect memories and active
    // effect (the reset for a setup started over without leaving the editor).
    void initKitSet1();
    void initGlobalSet();
    void getPadAttr();
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
    void switchKit(int kitNo);
    void updateKitNo(int kitNo);
    // The commit of everything the kit settings page holds, pad shown first,
    // into kit kitNo (1-based); nothing unless that page is shown, and
    // nothing into a record whose page was not edited since it was shown.
    void commitShownKit(int kitNo);
    void saveOneKitSet(quint8 kitNo);
    void updateKitFile(quint16 oldNo, quint16 newNo, QString oldFile, QString newFile);
    void showKitSettingsPage();
    void showMainPadPage();
    void showKitChainPage();

    // ---- effects and links ---------------------------------------------------------
    void chooseEffectType(int slot, int type);
    void on_kitEffect1_currKitIndex(int type, int kitIndex);
    void on_kitEffect2_currKitIndex(int type, int kitIndex);
    void on_kitEffect3_currKitIndex(int type, int kitIndex);
    void on_activeFx_currKitIndex(int type, int kitIndex);
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
    void selectHHSound(const QModelIndex &index);
    void pressHHSound(const QModelIndex &index);
    void clearHHWaves();
    void finishHHLayer(int layer);
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
    Ui::MainWindow1 *m_ui;
    QWidget *m_boxes;
    PreviewController &m_preview;
    SoundListsController &m_soundLists;
    MainPadPageController *m_mainPadPage = nullptr;
    KitChainsController *m_kitChains = nullptr;
    SetupFilesController *m_setupFiles = nullptr;
    ShellController *m_shell = nullptr;

    bool m_switchKitNum = false;  // a kit switch fills the kit page: effect and link changes write nothing
    bool m_loadKitNoFlag = false; // a load or a kit move fills the kit page: a kit switch commits no kit
    bool m_padNoFlag = false;     // a pad switch of the pad settings page commits no pad
    bool m_modeFlag = false;      // the mode box lists the foot-switch modes (a foot switch is shown)

    MainWindow1Records::KIT_EFFECT m_k_effect[4];
    MainWindow1Records::LINK_GROUP m_linkGroup[5];
    int m_curPadNumber = 0;
    int m_curPadIndex = 0;
    int m_curLayer = 0;
    int m_original_link_group = 0;
    int m_original_layer1 = 100, m_original_layer2 = 80, m_original_layer3 = 40;
    quint16 m_oldEffect1Ctrl1 = 999, m_oldEffect1Ctrl2 = 999, m_oldEffect1Ctrl3 = 999;
    quint16 m_oldEffect2Ctrl1 = 999, m_oldEffect2Ctrl2 = 999, m_oldEffect2Ctrl3 = 999;
    quint16 m_oldEffect3Ctrl1 = 999, m_oldEffect3Ctrl2 = 999, m_oldEffect3Ctrl3 = 999;
    quint16 m_oldEffect4Ctrl1 = 999, m_oldEffect4Ctrl2 = 999, m_oldEffect4Ctrl3 = 999;
    bool m_kitPageFilling = false;                        // the kit settings page is being filled from a kit record
    PageShownAs<kitediting::KitPageShown> m_kitPageShown; // what the kit settings page showed when it was filled
    PageShown m_padPageShown;                             // what the pad settings page showed when it was filled
    QElapsedTimer m_kitFileEvents;                        // last event processing of updateKitFile
    bool m_padPageFilling = false;                        // the pad settings page is being filled from a pad
    QList<QWidget *> m_padControls, m_kitControls, m_globalControls; // what the user edits on each page
    QVariantList m_globalShown; // the global page as it stood before the user's change

    // The global settings page.
    QVector<QString> m_vecEffect;
    QMap<QString, int> m_mapClickPan;
    QMap<QString, int> m_mapMasterEffect[13]; // master effect control label -> value, value v in map v / 8
    QString m_globalPath;

    void showDefaultKitOne(bool reset);
    // A control of `page` (0 pad settings, 1 kit settings, 2 global settings) changed.
    void pageControlChanged(QWidget *control, int page);
    // The kit page's values into kit k, as the kit commit takes them, without its name and layer rules.
    void commitKitPageNow(int k);
    QList<QWidget *> globalPageWidgets() const;
    kitediting::KitPage readKitPage(int k) const;
    kitediting::KitPageShown shownKitPage(int k) const;
    void hhSoundChosen(const QModelIndex &index, bool drag);
    void checkLayer(int layer, bool pendingOnly = false);
    void layoutStep(int n, int t, int kit);
    void typeChanged(int n, int t);
    void showEffect(int n, int t, int i);
    void leaveChainPage();
    template <class Chunk>
    void showSharedBlocks(const Chunk &g);
    void showChains(const percussionpadfile::P_KIT_CHAIN &kc, int rows, bool keepOriginal);
    QSpinBox *controlBox(int slot, int control) const;
    quint16 &controlMemory(int slot, int control);
};

#endif
