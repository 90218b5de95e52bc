#ifndef ZT_MAINWINDOW1_SHELL_SHELLCONTROLLER_H
#define ZT_MAINWINDOW1_SHELL_SHELLCONTROLLER_H

// The window's frame: its construction, fonts, theme, menus, the drops on
// the panes and the close. It calls every area below it.

#include "model/editstep.h"

#include <QObject>
#include <QString>

#include <memory>

#include <memory>

class DeviceDetector;
class KitChainsController;
class KitHeaderController;
class KitDocument;
class KitPagesController;
class MainPadPageController;
class MyStyle;
class PadSession;
class PadSyncController;
class PreviewController;
class QAction;
class QCloseEvent;
class QDropEvent;
class QEvent;
class QMenu;
class QMimeData;
class QSplitter;
class QStackedWidget;
class QWidget;
namespace ztplatform {
class RunFolder;
}
class SetupFilesController;
class SoundFilesController;
class SoundLibrary;
class SoundListsController;
class UiPrompter;

// The widgets of the frame: the two pages, the splitter of the panes, the
// top bar and the menus.
struct ShellView
{
    QStackedWidget *windowPages = nullptr; // the main page and the global settings page
    QWidget *topWidget = nullptr;
    QWidget *topSectionWidget = nullptr;
    QWidget *topBarLeft = nullptr; // the top bar over the left pane
    QSplitter *splitter = nullptr;
    QMenu *menuFile = nullptr;
    QMenu *menuEdit = nullptr;
    QMenu *menuHelp = nullptr;
    QAction *actionGlobal_Setting = nullptr;
    QAction *actionBack_to_main_interface = nullptr;
    QAction *actionKit_Setiing = nullptr;
    QAction *actionImport_All = nullptr;
    QAction *actionExport_All = nullptr;
    QAction *actionReorder_Serial_Numbers = nullptr;
    QAction *actionAbout_Korvanta = nullptr;
};

class ShellController : public QObject
{
    Q_OBJECT

public:
    // The areas the frame calls into: all are made before it.
    struct Areas
    {
        PreviewController &preview;
        SoundFilesController &soundFiles;
        SoundListsController &soundLists;
        KitPagesController &kitPages;
        MainPadPageController &mainPadPage;
        KitChainsController &kitChains;
        KitHeaderController &kitHeader;
        SetupFilesController &setupFiles;
        PadSyncController &padSync;
    };

    // `window` parents the boxes and filters the drops.
    ShellController(const Areas &areas, const ShellView &view, KitDocument &doc, SoundLibrary &library, PadSession &pad,
                    QWidget *window, UiPrompter &prompter);
    ~ShellController() override;
    const ShellView &view() const { return m_view; }

    // ---- construction, in the window's order --------------------------------------
    // Style, frame, fonts, texts, the group tree and the pads' drops.
    void buildFrame();
    // The group tree's selection (the window connects the sound lists' edits,
    // the effect controls and the sound menus to itself).
    void connectPagesAndLists();
    // The temporary folders with their play folders, handed to the saves and
    // the preview; false (the user told) when one failed.
    bool makeTempFolders();
    // The pad menu, the kit choice and copy dialogs (the window connects them to itself).
    void finishConstruction();
    bool constructionComplete() const { return m_constructionComplete; }

    // ---- fonts, style, panes ------------------------------------------------------
    MyStyle *myStyle() const { return m_myStyle; }
    const QString &FontFamily() const { return m_FontFamily; }
    int original_width() const { return m_original_width; }
    // The panes laid out for `width`: mode 0 the pads, 1 and 2 the other pages.
    void initDisplay(int width, int mode);
    // The left top bar follows the splitter on every repaint.
    void fitLeftTopBar();

    // ---- temporary folders --------------------------------------------------------
    const QString &TempDirName() const { return m_TempDirName; }
    const QString &TempPlayDirName() const { return m_TempPlayDirName; }
    const QString &TempDirName2() const { return m_TempDirName2; }
    const QString &TempPlayDirName2() const { return m_TempPlayDirName2; }

    // ---- theme, pages and menus ---------------------------------------------------
    void applyTheme(bool isDark);
    bool isDarkMode() const { return m_isDarkMode; }
    void showGlobalPage();
    void backToMainPage();
    void showKitPage();
    void openHtmlFile();
    // The help page of language `cnOrEn` (1 Chinese, 0 English), where the program finds it.
    static QString helpPagePath(int cnOrEn);
    // The interface language the start-up installed: 1 Chinese, 0 English.
    int cnOrEn() const { return m_cnOrEn; }
    void setCnOrEn(int cnOrEn) { m_cnOrEn = cnOrEn; }
    // A save runs: the editor page and the five actions it locks out are
    // disabled, or enabled again, in that order.
    void lockForSave(bool locked);

    // ---- steps undone and redone ----------------------------------------------------
    // What the pages hold that is not in the document yet goes into it.
    void takeInPages();
    // The pages show the document again, then the page and the kit, pad or
    // chain `place` names.
    void showStepPlace(const editstep::Place &place);

    // ---- drags and drops ----------------------------------------------------------
    // The window's event filter: drops on the pads, lists, steps and hi-hat slots.
    bool filterEvent(QObject *watched, QEvent *event);

    // ---- the close ----------------------------------------------------------------
    void closeWindow(QCloseEvent *event);

signals:
    // Sounds were queued for the pad: its writer starts.
    void padAddsQueued();

private:
    bool isOurDrag(QDropEvent *event);
    // Drag enter and move: taken when `wanted`. True for those two.
    static bool answerDragOver(QDropEvent *event, bool wanted);
    void applyPadDropState();
    bool dropOnPad(int pad, QDropEvent *event);
    bool dropFilesOnGroups(QDropEvent *event);
    bool dropOnTotalList(QDropEvent *event);
    bool dropOnStep(QDropEvent *event);
    bool dropOnHiHat(QDropEvent *event);
    // A drop on a step box or a hi-hat slot: the box under it (`boxAt` finds
    // it) and its payload, or -1.
    template <class BoxAt>
    int boxDrop(QDropEvent *event, BoxAt boxAt, QString *payload, bool *answer);

    PreviewController &m_preview;
    SoundFilesController &m_soundFiles;
    SoundListsController &m_soundLists;
    KitPagesController &m_kitPages;
    MainPadPageController &m_mainPadPage;
    KitChainsController &m_kitChains;
    KitHeaderController &m_kitHeader;
    SetupFilesController &m_setupFiles;
    PadSyncController &m_padSync;
    ShellView m_view;
    KitDocument &m_doc;
    SoundLibrary &m_library;
    PadSession &m_pad;
    QWidget *m_boxParent; // the window: parent of the boxes, filter of the drops
    UiPrompter &m_prompter; // answers every box and file dialog

    MyStyle *m_myStyle = nullptr;
    std::unique_ptr<DeviceDetector> m_detector; // the setup files' look at the drives, until the start hands its own
    int m_original_width = 0;
    QString m_FontFamily;
    // Locked while the run lives: a later start removes them once it is killed.
    std::unique_ptr<ztplatform::RunFolder> m_tmpDir, m_tmpDir2;
    QString m_TempDirName, m_TempPlayDirName, m_TempDirName2, m_TempPlayDirName2;
    bool m_isDarkMode = false;           // the theme last applied is the dark one
    int m_cnOrEn = 1;                    // the help command opens the Chinese page (1) or the English one (0)
    bool m_constructionComplete = false; // false when construction stopped early

    // The drag under way and what the last drop left on the pads.
    int m_padDropState = -1;               // the pads' acceptance of drops as last applied
    const QMimeData *m_dragMime = nullptr; // the payload of the drag under way, taken at its enter
    bool m_dragMimeOurs = false;
    bool m_posFlagA = false; // the drop on a pad hit its layer A label
    bool m_posFlagB = false; // the drop on a pad hit its layer B label
    bool m_dragFlag = false; // the last drop on a pad hit a layer label: the pad is redrawn
};

#endif
