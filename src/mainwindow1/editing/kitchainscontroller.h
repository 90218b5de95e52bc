#ifndef ZT_MAINWINDOW1_EDITING_KITCHAINSCONTROLLER_H
#define ZT_MAINWINDOW1_EDITING_KITCHAINSCONTROLLER_H

// The kit-chain page: its kit list with the renames waiting for OK, the steps and the chain switch.

#include "model/mainwindow1records.h"

#include <QModelIndex>
#include <QObject>
#include <QSet>
#include <QString>
#include <QVector>

#include <array>

class KitDocument;
class KitHeaderController;
class MainPadPageController;
class QGroupBox;
class QLabel;
class QPoint;
class QRadioButton;
class QSpinBox;
class QStandardItem;
class QStandardItemModel;
class QStyle;
class QToolButton;
class QTreeView;
class QWidget;
class UiPrompter;

// The widgets of the kit-chain page: the kit list, the chain's steps and
// switch.
struct KitChainsView
{
    QWidget *logoWidget3 = nullptr;
    QLabel *kitListTitle = nullptr;
    QTreeView *kitListtreeView = nullptr;
    QWidget *kitMoveButtons = nullptr; // the frame of the two buttons below
    QToolButton *moveUpKit = nullptr;
    QToolButton *moveDownKit = nullptr;
    QLabel *chainFunctionTitle = nullptr;
    QRadioButton *rBtnKitChainOn = nullptr;
    QRadioButton *rBtnKitChainOff = nullptr;
    QLabel *chainNumberTitle = nullptr;
    QSpinBox *kitChainNoSpinBox = nullptr;
    QToolButton *btnKitChainSave = nullptr;
    QWidget *stepWidget = nullptr;
    std::array<QGroupBox *, STEP_MAX_COUNT> stepBoxes{};
    std::array<QLabel *, STEP_MAX_COUNT> stepLabels{};
};

class KitChainsController : public QObject
{
    Q_OBJECT

public:
    using KitChain = MainWindow1Records::KIT_CHAIN;

    // `dropFilter` takes the drops on the steps.
    KitChainsController(KitDocument &doc, KitHeaderController &header, MainPadPageController &mainPadPage,
                        const KitChainsView &view, QWidget *boxParent, UiPrompter &prompter, QObject *dropFilter,
                        QObject *parent = nullptr);
    const KitChainsView &view() const { return m_view; }
    // The style the kit list is drawn with.
    void useStyle(QStyle *style) { m_style = style; }

    // ---- construction ----------------------------------------------------------------
    // Texts, fonts and the widgets never shown, in `fontFamily`.
    void setUpTexts(const QString &fontFamily);
    void applyTheme(bool isDark);

    // ---- what the window's drops ask of the steps --------------------------------------
    bool isStepArea(const QObject *watched) const;
    // The step box under `pos` of the steps' area, -1 for none.
    int stepAt(const QPoint &pos) const;
    // The chain the page shows.
    int chainShown() const;

    // ---- what the page holds ----------------------------------------------------
    // The kit-chain page is shown: drops go to its steps, not the pads.
    bool kitChainUiFlag() const { return m_kitChainUiFlag; }
    // The page's work record: on/off and chain number.
    const KitChain &kitChian() const { return m_kitChian; }
    const QStandardItemModel *kitChainListItemModel() const { return m_kitChainListItemModel; }
    // The kit names the kit list shows: the kits' own, but for the renames
    // typed there, which reach the kits at OK.
    const QVector<QString> &kitChainNameList() const { return m_kitChainNameList; }

    // ---- the page shown and left ----------------------------------------------
    void setPageShown(bool shown) { m_kitChainUiFlag = shown; }
    void initKitChainSet();
    void updateKitChainNameList();
    // The ON switch and chain number of the page into the chains, as OK takes
    // them, with a name still in the kit list's editor.
    void takeOverChainPage();
    // OK: the page is taken over and handed on (chainsConfirmed).
    void confirmChains();

    // ---- the steps and the switch -----------------------------------------------
    void disKit(const KitChain *chain, int step);
    void disKitStep(const QVector<KitChain> &chains, int chain);
    // The chain the page shows, drawn again from the document.
    void showChangedChains();
    void showChain(int chain);
    // The page as the document holds the chains: the switch, chain `chain`
    // (1..8; 0 or less: the chain switched on, else the chain shown), its
    // steps and the kit list's names.
    void showStepChain(int chain);
    void switchOn();
    void switchOff();
    void clearShownChain();
    // Chains and names handed on by the page (or its OK) into the document.
    void applyHandedOn(const QVector<KitChain> &chains, const QVector<QString> &names);
    // The chains of a loaded setup.
    void loadChains(const QVector<KitChain> &chains);

    // ---- the kit list -----------------------------------------------------------
    // A cell of the kit list changed: a rename typed there, checked, waiting for OK.
    void kitListCellChanged(QStandardItem *item);
    // Ends a name edit still open in the kit list (the title bar's close and a
    // save take no focus from it); false when the name was refused.
    bool finishKitListEdit();
    // A kit pressed in the list with its row selected starts a drag of it.
    void dragPressedKit();
    // Moves the current kit of the kit list one row up (-1) or down (1).
    void moveKitInList(int step);
    // A kit named elsewhere: the list shows the name, which replaces one typed there.
    void kitNamed(int kit, const QString &name);
    // The redraws of what the document tells changed: kit names and chains.
    void connectDocument();
    void showChangedKitName(int kit);
    void showChangedKitNames();

signals:
    void chainsConfirmed(QVector<MainWindow1Records::KIT_CHAIN> chains, QVector<QString> names);
    void kitMoved(QModelIndex index, quint8 flag);

private:
    KitDocument &m_doc;
    KitChainsView m_view;
    QWidget *m_boxParent;
    UiPrompter &m_prompter; // answers every box and file dialog
    QObject *m_dropFilter;
    KitHeaderController &m_header;
    MainPadPageController &m_mainPadPage;
    QStyle *m_style = nullptr;

    bool m_kitChainUiFlag = false;
    KitChain m_kitChian{};
    QStandardItemModel *m_kitChainListItemModel = nullptr;
    bool m_kitListFilling = false; // the kit list is being filled: its cell changes are no renames
    QVector<QString> m_kitChainNameList;
    QSet<int> m_kitListRenames;
    bool m_stepsSetUp = false; // the steps are drawn and take drops once the page is set up

    bool replaceNameToStep(const QString &kitNumber, const QString &name);
};

#endif
