#ifndef ZT_MAINWINDOW1_EDITING_KITCHAINSCONTROLLER_H
#define ZT_MAINWINDOW1_EDITING_KITCHAINSCONTROLLER_H

// The kit-chain page: its kit list with the renames waiting for OK, the steps and the chain switch.

#include "model/mainwindow1records.h"

#include <QModelIndex>
#include <QObject>
#include <QSet>
#include <QString>
#include <QVector>

class KitDocument;
class KitPagesController;
class MainPadPageController;
class QLabel;
class QStandardItem;
class QStandardItemModel;
class QWidget;
class ShellController;
namespace Ui {
class MainWindow1;
}

class KitChainsController : public QObject
{
    Q_OBJECT

public:
    using KitChain = MainWindow1Records::KIT_CHAIN;

    // `dropFilter` takes the drops on the steps.
    KitChainsController(KitDocument &doc, KitPagesController &kitPages, MainPadPageController &mainPadPage,
                        Ui::MainWindow1 *ui, QWidget *boxParent, QObject *dropFilter, QObject *parent = nullptr);
    // The areas made after this one, handed over once all are made.
    void useShell(ShellController &shell) { m_shell = &shell; }

    // ---- what the page holds ----------------------------------------------------
    // The kit-chain page is shown: drops go to its steps, not the pads.
    bool kitChainUiFlag() const { return m_kitChainUiFlag; }
    // The page's work record: on/off and chain number.
    const KitChain &kitChian() const { return m_kitChian; }
    int curStepNum() const { return m_curStepNum; }
    const QStandardItemModel *kitChainListItemModel() const { return m_kitChainListItemModel; }
    // The kit names the kit list shows: the kits' own, but for the renames
    // typed there (kitListRenames(), 0-based kits), which reach the kits at OK.
    const QVector<QString> &kitChainNameList() const { return m_kitChainNameList; }
    const QSet<int> &kitListRenames() const { return m_kitListRenames; }

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
    // The kit moved in the list moves in the document and on the kit pages.
    void moveKit(const QModelIndex &index, quint8 flag);
    // A kit named elsewhere: the list shows the name, which replaces one typed there.
    void kitNamed(int kit, const QString &name);
    // A kit's own name changed: the list follows, but for a rename waiting there for OK.
    void kitNameChanged(int kit, const QString &name);

signals:
    void chainsConfirmed(QVector<MainWindow1Records::KIT_CHAIN> chains, QVector<QString> names);
    void kitMoved(QModelIndex index, quint8 flag);

private:
    KitDocument &m_doc;
    Ui::MainWindow1 *m_ui;
    QWidget *m_boxParent;
    QObject *m_dropFilter;
    KitPagesController &m_kitPages;
    MainPadPageController &m_mainPadPage;
    ShellController *m_shell = nullptr; // the step widgets the drops find and the list's style

    bool m_kitChainUiFlag = false;
    KitChain m_kitChian{};
    int m_curStepNum = 0;
    QStandardItemModel *m_kitChainListItemModel = nullptr;
    bool m_kitListFilling = false; // the kit list is being filled: its cell changes are no renames
    QVector<QString> m_kitChainNameList;
    QSet<int> m_kitListRenames;
    QVector<QLabel *> m_stepLabels; // the 20 step boxes' labels, once the page is set up

    void initKitChainStep();
    bool replaceNameToStep(const QString &kitNumber, const QString &name);
};

#endif
