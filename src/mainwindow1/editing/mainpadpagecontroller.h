#ifndef ZT_MAINWINDOW1_EDITING_MAINPADPAGECONTROLLER_H
#define ZT_MAINWINDOW1_EDITING_MAINPADPAGECONTROLLER_H

// The main pad page: the kit shown, its pads, the kit number field, paging and the pad menu.

#include "model/mainwindow1records.h"

#include <QObject>
#include <QString>
#include <QVector>

class KitDocument;
class KitChainsController;
class KitPagesController;
class QWidget;
class ShellController;
namespace Ui {
class MainWindow1;
}

class MainPadPageController : public QObject
{
    Q_OBJECT

public:
    using soundKit = MainWindow1Records::soundKit;

    // `parent` carries the boxes.
    MainPadPageController(KitDocument &doc, KitPagesController &kitPages, Ui::MainWindow1 *ui, QWidget *parent);
    // The areas made after this one, handed over once all are made.
    void useKitChains(KitChainsController &chains) { m_kitChains = &chains; }
    void useShell(ShellController &shell) { m_shell = &shell; }

    // ---- what the page shows -----------------------------------------------------
    int curkitNumber() const { return m_curkitNumber; }   // the kit the kit settings page holds (1-based)
    int oldKitNumber() const { return m_oldKitNumber; }   // the kit number last accepted (1-based)
    quint8 currentKitNum() const { return m_currentKitNum; } // the kit worked on (0-based), EMPTY_KIT_NUM none
    int dot() const { return m_dot; }                     // the page shown: 0 pads, 1 kit chains, 2 kit settings

    // ---- what other pages tell it ----------------------------------------------------
    // Kit `kit` (0-based) becomes the kit worked on; nothing is drawn.
    void selectKit(quint8 kit) { m_currentKitNum = kit; }
    // The kit settings page switched to kit `kitNo` (1-based).
    void noteKitPageKit(int kitNo) { m_curkitNumber = m_oldKitNumber = kitNo; }
    // A page button showed page `page` (see dot()).
    void notePageShown(int page) { m_dot = page; }
    // The name field was filled with the name of kit `kit` (0-based).
    void noteNameFieldKit(int kit) { m_kitNameFieldKit = kit; }

    // ---- drawing ---------------------------------------------------------------------
    void dispPadList(const QVector<soundKit> &kits, quint8 kit);
    void disPad(const soundKit *kit, quint8 pad);
    // With `show`, kit `kit` (0-based) becomes the kit shown and the page shows it.
    void dispKitinList(bool show, quint8 kit);
    // The redraws of what the document tells changed (display only: nothing
    // goes back into the kit).
    void connectDocument();
    void showChangedKit(int kit);
    void showChangedKits();

    // ---- paging, kit number and kit name --------------------------------------------------
    void pageUp();
    void pageDown();
    void typeKitNumber(const QString &text);
    // Takes the name field as the name of kit `kit` (0-based) when the field
    // shows that kit and the name passes the name rules; a refused name is put
    // back. False when refused.
    bool applyKitName(int kit);
    // The end of an edit of the name field.
    void finishNameField();
    // Ends a name edit still under way in the name field (the title bar's close
    // takes no focus from it); false when the name was refused.
    bool finishKitNameEdit();
    void startRename();
    // Kit `kit` (0-based) is the kit shown and accepted, as the document holds it.
    void showStepKit(int kit);
    void renameKit(const QString &name, quint8 kit);
    void clearKit();

    // ---- the pad menu and the copies ---------------------------------------------------------
    void openPadMenu(const QString &objName);
    void clearHighlight();
    void clearPad();
    void padMenuClosed();
    void padCopyEnded();
    void copyPad();
    void copyPadTo(int kit, int srcPad, int dstPad);
    void openKitCopy();
    void kitCopyTargetClicked();
    void copyKitTo(int kit);
    // Fills the kit settings page again when it shows kit `kit` (1-based), after
    // a copy replaced its record.
    void redrawCopiedKit(int kit);

signals:
    void kitNameChanged(QString name, int kit); // the kit list shows it
    void sourceKitChosen(int kit);              // the kit copy dialog copies from it
    void sourcePadChosen(int kit, int pad);     // the pad copy dialog copies from it

private:
    void pageKit(int step);
    int shownKit() const;

    KitDocument &m_doc;
    KitPagesController &m_kitPages; // the pad settings page and the pad menu's pad
    Ui::MainWindow1 *m_ui;
    QWidget *m_parent;
    KitChainsController *m_kitChains = nullptr;
    ShellController *m_shell = nullptr; // the pad labels, the pad menu and the copy dialogs

    int m_curkitNumber = 1;
    int m_oldKitNumber = 1;
    quint8 m_currentKitNum = EMPTY_KIT_NUM;
    int m_dot = 0;
    int m_copySourceKit = 1;       // the kit the kit copy dialogs were last given (1-based)
    bool m_kitNameEditing = false; // a kit name is being checked (its messages move the focus)
    int m_kitNameFieldKit = 0;     // the kit (0-based) whose name the name field shows, -1 none
    QString m_kitNameDrawn;        // the kit's name as the page last drew it
};

#endif
