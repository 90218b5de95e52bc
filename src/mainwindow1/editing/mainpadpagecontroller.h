#ifndef ZT_MAINWINDOW1_EDITING_MAINPADPAGECONTROLLER_H
#define ZT_MAINWINDOW1_EDITING_MAINPADPAGECONTROLLER_H

// The main pad page: the kit shown, its pads, the kit number field, paging and the pad menu.

#include "model/mainwindow1records.h"

#include <QObject>
#include <QString>
#include <QVector>

#include <array>

class CopyKitFunc;
class CopyPadFunc;
class KitDocument;
class KitHeaderController;
class PadLabel;
class QAction;
class QLabel;
class QMenu;
class QPoint;
class QPushButton;
class QToolButton;
class QWidget;
class UiPrompter;

// One pad: its box and the labels of its layers A and B (none for the foot switches).
struct strPadWidgetGroup
{
    QWidget *group = nullptr;
    PadLabel *lableA = nullptr;
    PadLabel *lableB = nullptr;
};

// The widgets of the main pad page: the kit number's title, paging, renaming
// and copying the kit, the pads.
struct MainPadPageView
{
    QLabel *kitNumberTitle = nullptr;
    QToolButton *upPageBtn = nullptr;
    QToolButton *downPageBtn = nullptr;
    QPushButton *btnRenameKit = nullptr;
    QPushButton *btnCopyKit = nullptr;
    std::array<strPadWidgetGroup, PAD_NUM_MAX> pads;
};

class MainPadPageController : public QObject
{
    Q_OBJECT

public:
    using soundKit = MainWindow1Records::soundKit;

    using strPadWidgetGroup = ::strPadWidgetGroup;
    using PadWidgets = std::array<strPadWidgetGroup, PAD_NUM_MAX>;

    // `parent` carries the boxes and the dialogs and filters the drops on the pads.
    MainPadPageController(KitDocument &doc, KitHeaderController &header, const MainPadPageView &view,
                          QWidget *parent, UiPrompter &prompter);
    const MainPadPageView &view() const { return m_view; }
    ~MainPadPageController() override; // the copy dialogs go before the widgets they act on

    // ---- construction ----------------------------------------------------------------
    // Texts and fonts, in `fontFamily`.
    void setUpTexts(const QString &fontFamily);
    // The pad menu and the kit and pad copy dialogs (the window connects them).
    void makePadMenu();
    void makeCopyDialogs();
    QMenu *pad_menu() const { return m_pad_menu; }
    QAction *pad_copy() const { return m_pad_copy; }
    QAction *pad_clear() const { return m_pad_clear; }
    CopyPadFunc *copy_pad() const { return m_copy_pad; }
    CopyKitFunc *kitCopy() const { return m_kitCopy; }

    // ---- the pads and the drops on them --------------------------------------------------
    const PadWidgets &padWidgetGroup() const { return m_view.pads; }
    // Every pad takes drops and hands its events to the window (never twice).
    void setPadEventFilter();
    // The pads take drops (again), or none while a drag of several sounds is under way.
    void acceptPadDrops(bool accept);
    // The pad whose box is `watched`, -1 for none.
    int padOf(const QObject *watched) const;
    // The layer whose label holds `pos` of pad `pad`'s box: 0 A, 1 B, -1 none.
    int layerAt(int pad, const QPoint &pos) const;

    // ---- what the page shows -----------------------------------------------------
    int curkitNumber() const { return m_curkitNumber; }   // the kit the kit settings page holds (1-based)
    int oldKitNumber() const { return m_oldKitNumber; }   // the kit number last accepted (1-based)
    quint8 currentKitNum() const { return m_currentKitNum; } // the kit worked on (0-based), EMPTY_KIT_NUM none
    int dot() const { return m_dot; }                     // the page shown: 0 pads, 1 kit chains, 2 kit settings
    // The pad (0-based) and layer the pad menu was opened on.
    int curPadIndex() const { return m_curPadIndex; }
    int curLayer() const { return m_curLayer; }

    // ---- what other pages tell it ----------------------------------------------------
    // Kit `kit` (0-based) becomes the kit worked on; nothing is drawn.
    void selectKit(quint8 kit) { m_currentKitNum = kit; }
    // The kit of the kit number field becomes the kit worked on.
    void selectShownKit();
    // The kit settings page switched to kit `kitNo` (1-based).
    void noteKitPageKit(int kitNo) { m_curkitNumber = m_oldKitNumber = kitNo; }
    // A page button showed page `page` (see dot()).
    void notePageShown(int page) { m_dot = page; }

    // ---- drawing ---------------------------------------------------------------------
    void dispPadList(const QVector<soundKit> &kits, quint8 kit);
    void disPad(const soundKit *kit, quint8 pad);
    // With `show`, kit `kit` (0-based) becomes the kit shown and the page shows it.
    // The redraws of what the document tells changed (display only: nothing
    // goes back into the kit).
    void connectDocument();
    void showChangedKit(int kit);
    void showChangedKits();

    // ---- paging, kit number and kit name --------------------------------------------------
    // The previous (step -1) or next (step 1) kit; no wrap at kits 1 and 100.
    void pageKit(int step);
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
    // Kit `kit` (0-based) is the kit shown and accepted, as the document holds it.
    void showStepKit(int kit);
    void clearKit();

    // ---- the pad menu and the copies ---------------------------------------------------------
    void openPadMenu(const QString &objName);
    void clearHighlight();
    void clearPad();
    void padMenuClosed();
    void padCopyEnded();
    void copyPad();
    void recvDstPad(int kit, int srcPad, int dstPad);
    void openKitCopy();
    void kitCopyTargetClicked();
    void copyKitTo(int kit);
    // Fills the kit settings page again when it shows kit `kit` (1-based), after
    // a copy replaced its record.
    void redrawCopiedKit(int kit);

signals:
    void kitNameChanged(QString name, int kit); // the kit list shows it
    // A copy is about to replace a kit: the kit settings page's edits go into kit `kitNo` (1-based) first.
    void commitWanted(int kitNo);
    // A copy replaced the kit `kitNo` (1-based) the kit settings page shows: the page shows it again.
    void kitPageRedrawWanted(int kitNo);
    void sourceKitChosen(int kit);              // the kit copy dialog copies from it
    void sourcePadChosen(int kit, int pad);     // the pad copy dialog copies from it

private:
    int shownKit() const;

    KitDocument &m_doc;
    KitHeaderController &m_header;
    MainPadPageView m_view;
    QWidget *m_parent;
    UiPrompter &m_prompter; // answers every box and file dialog
    QMenu *m_pad_menu = nullptr;
    QAction *m_pad_copy = nullptr;
    QAction *m_pad_clear = nullptr;
    CopyPadFunc *m_copy_pad = nullptr;
    CopyKitFunc *m_kitCopy = nullptr;
    bool m_padCopyOpen = false; // the pad menu's Pad Copy waits for its dialog

    int m_curkitNumber = 1;
    int m_oldKitNumber = 1;
    quint8 m_currentKitNum = EMPTY_KIT_NUM;
    int m_dot = 0;
    int m_curPadIndex = 0;
    int m_curLayer = 0;
    int m_copySourceKit = 1;       // the kit the kit copy dialogs were last given (1-based)
    bool m_kitNameEditing = false; // a kit name is being checked (its messages move the focus)
    QString m_kitNameDrawn;        // the kit's name as the page last drew it
};

#endif
