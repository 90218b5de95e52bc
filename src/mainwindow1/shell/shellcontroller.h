#ifndef ZT_MAINWINDOW1_SHELL_SHELLCONTROLLER_H
#define ZT_MAINWINDOW1_SHELL_SHELLCONTROLLER_H

// The window's frame: construction of the widget tables, fonts, theme, menus,
// drops and the close.

#include "model/editstep.h"
#include "model/percussionpadfile1.h"
#include "platform/runfolders.h"

#include <QObject>
#include <QString>

#include <array>

class CopyKitFunc;
class CopyPadFunc;
class CustomDialog;
class DeviceDetector;
class KitChainsController;
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
class QGroupBox;
class QLabel;
class QMenu;
class QMimeData;
class QWidget;
class SelectKitNo;
class SetupFilesController;
class SoundFilesController;
class SoundLibrary;
class SoundListsController;

namespace Ui {
class MainWindow1;
}

class ShellController : public QObject
{
    Q_OBJECT

public:
    // Widget tables of the pads and hi-hat slots.
    struct strPadWidgetGroup
    {
        QWidget *group = nullptr;
        QLabel *lableA = nullptr;
        QLabel *lableB = nullptr; // none for the foot switches
    };
    struct strHHWidgetGroup
    {
        QGroupBox *group = nullptr;
        QLabel *lableA = nullptr;
    };
    // One step box of the kit-chain page and its label.
    struct strStepWidgetGroup
    {
        QGroupBox *group = nullptr;
        QLabel *labStep = nullptr;
    };
    using PadWidgets = std::array<strPadWidgetGroup, PAD_NUM_MAX>;
    using HHWidgets = std::array<strHHWidgetGroup, HH_NUM_MAX>;
    using StepWidgets = std::array<strStepWidgetGroup, STEP_MAX_COUNT>;

    // The areas the frame calls into: all are made before it.
    struct Areas
    {
        PreviewController &preview;
        SoundFilesController &soundFiles;
        SoundListsController &soundLists;
        KitPagesController &kitPages;
        MainPadPageController &mainPadPage;
        KitChainsController &kitChains;
        SetupFilesController &setupFiles;
        PadSyncController &padSync;
    };

    // Fills the pad and hi-hat tables from the form; `window` parents the
    // boxes, menus and dialogs, filters the drops and takes the form's signals.
    ShellController(const Areas &areas, Ui::MainWindow1 *ui, KitDocument &doc, SoundLibrary &library,
                    PadSession &pad, QWidget *window);
    ~ShellController() override; // the copy dialogs and the kit choice dialog go

    // ---- construction, in the window's order --------------------------------------
    // Title, style, frame, fonts, kit fields, texts, the group tree and the pads' drops.
    void buildFrame();
    // The sound lists' selections (the window connects the group tree's
    // edits, the effect controls and the sound menus to itself).
    void connectPagesAndLists();
    // The temporary folders with their play folders; false (the user told) when one failed.
    bool makeTempFolders();
    // The pad menu, the kit choice and copy dialogs (the window connects them to itself).
    void finishConstruction();
    bool constructionComplete() const { return m_constructionComplete; }

    // ---- widget tables, fonts, style ----------------------------------------------
    const PadWidgets &padWidgetGroup() const { return m_padWidgetGroup; }
    const HHWidgets &hhWidgetGroup() const { return m_hhWidgetGroup; }
    const StepWidgets &stepWidgetGroup() const { return m_stepWidgetGroup; }
    // The kit-chain page hands over its step box `step` and its label.
    void setStepWidget(int step, QGroupBox *group, QLabel *label);
    // Every pad takes drops and hands its events to the window (never twice).
    void setPadEventFilter();
    // The pad labels in the pad font, white on the pad images.
    void initPadDisplayStyle();
    MyStyle *myStyle() const { return m_myStyle; }
    const QString &FontFamily() const { return m_FontFamily; }
    const QString &FontFamilyTxt() const { return m_FontFamilyTxt; }
    quint16 fontSize_9() const { return m_fontSize_9; }
    quint16 fontSize_16() const { return m_fontSize_16; }
    int original_width() const { return m_original_width; }
    // The panes laid out for `width`: mode 0 the pads, 1 and 2 the other pages.
    void initDisplay(int width, int mode);

    // ---- temporary folders --------------------------------------------------------
    const ztplatform::RunFolder &tmpDir() const { return m_tmpDir; }
    const QString &TempDirName() const { return m_TempDirName; }
    const QString &TempPlayDirName() const { return m_TempPlayDirName; }
    const QString &TempDirName2() const { return m_TempDirName2; }
    const QString &TempPlayDirName2() const { return m_TempPlayDirName2; }

    // ---- dialogs and menus --------------------------------------------------------
    SelectKitNo *skn() const { return m_skn; }
    CopyPadFunc *copy_pad() const { return m_copy_pad; }
    CopyKitFunc *kitCopy() const { return m_kitCopy; }
    CustomDialog *custom() const { return m_custom; }
    DeviceDetector *myDetector() const { return m_myDetector; }
    QMenu *pad_menu() const { return m_pad_menu; }
    QAction *pad_copy() const { return m_pad_copy; }
    QAction *pad_clear() const { return m_pad_clear; }
    // The kit choice of a save was answered: OK (true) or not.
    void answerKitChoice(bool ok) { m_isSaveClose = ok; }
    bool isSaveClose() const { return m_isSaveClose; }
    // The export report shown, and its close (only the report shown is forgotten).
    void showExportReport(CustomDialog *report) { m_custom = report; }
    void exportReportClosed(CustomDialog *report);
    void exportReportAnswered() { m_custom = nullptr; }
    // The drive chooser of the start-up (none once it is gone).
    void useDetector(DeviceDetector *detector) { m_myDetector = detector; }
    // The pad menu's Pad Copy opened its dialog (true) or was left (false).
    void markPadCopyOpen(bool open) { m_padCopyOpen = open; }
    bool padCopyOpen() const { return m_padCopyOpen; }

    // ---- theme and menus ----------------------------------------------------------
    void applyTheme(bool isDark);
    bool isDarkMode() const { return m_isDarkMode; }
    // True when the system asks applications for a dark look.
    static bool isSystemDarkMode();
    void showGlobalPage();
    void backToMainPage();
    void showKitPage();
    void openHtmlFile();
    // The help page of language `cnOrEn` (1 Chinese, 0 English), where the program finds it.
    static QString helpPagePath(int cnOrEn);
    // The interface language the start-up installed: 1 Chinese, 0 English.
    int cnOrEn() const { return m_cnOrEn; }
    void setCnOrEn(int cnOrEn) { m_cnOrEn = cnOrEn; }
    // The pad page's save of the pad shown, for the pad the page's combo box selects.
    void savePadShown();
    // The left top bar follows the splitter on every repaint.
    void fitLeftTopBar();

    // ---- steps undone and redone ----------------------------------------------------
    // What the pages hold that is not in the document yet goes into it.
    void takeInPages();
    // The pages show the document again, then the page and the kit, pad or
    // chain `place` names.
    void showStepPlace(const editstep::Place &place);

    // ---- drags and drops ----------------------------------------------------------
    QString MIME_FORMAT() const { return m_MIME_FORMAT; }
    int dragLeftOrRight() const { return m_dragLeftOrRight; }
    bool dropToPadOrRight() const { return m_dropToPadOrRight; }
    // A drag starts in the pad's own sound list, or in the sound groups.
    void dragFromPadList() { m_dragLeftOrRight = 1; }
    void dragFromGroups() { m_dragLeftOrRight = 0; }
    // The drag holds several sounds: the pads take no drop.
    void dragSeveralSounds(bool several) { m_dropToPadOrRight = several; }
    // The window's event filter: drops on the pads, lists, steps and hi-hat slots.
    bool filterEvent(QObject *watched, QEvent *event);

    // ---- the close ----------------------------------------------------------------
    void closeWindow(QCloseEvent *event);
    // The window goes without writing the sound list (a start-up never shown, a test).
    void skipSoundListOnClose() { m_writeSoundListOnClose = false; }
    void setWriteSoundListOnClose(bool write) { m_writeSoundListOnClose = write; }
    bool writeSoundListOnClose() const { return m_writeSoundListOnClose; }
    // A window gone without its close writes the groups without a word.
    void settleSoundListAtExit();

signals:
    // Sounds were queued for the pad: its writer starts.
    void padAddsQueued();

private:
    void initPadWidgetPoint();
    void initHHWidgetPoint();
    void initUi();
    void initUIFont();
    void initPadMenu();

    bool isOurDrag(QDropEvent *event);
    void applyPadDropState();
    bool dropOnPad(int pad, QDropEvent *event);
    bool dropFilesOnGroups(QDropEvent *event);
    bool dropOnTotalList(QDropEvent *event);
    bool dropOnStep(QDropEvent *event);
    bool dropOnHiHat(QDropEvent *event);
    // A drop on a step box or a hi-hat slot: the box under it and its payload, or -1.
    template <class Groups>
    int boxDrop(QDropEvent *event, const Groups &groups, const QWidget *area, QString *payload, bool *answer);

    PreviewController &m_preview;
    SoundFilesController &m_soundFiles;
    SoundListsController &m_soundLists;
    KitPagesController &m_kitPages;
    MainPadPageController &m_mainPadPage;
    KitChainsController &m_kitChains;
    SetupFilesController &m_setupFiles;
    PadSyncController &m_padSync;
    Ui::MainWindow1 *m_ui;
    KitDocument &m_doc;
    SoundLibrary &m_library;
    PadSession &m_pad;
    QWidget *m_boxParent; // the window: parent of the boxes, filter of the drops, receiver of the signals

    MyStyle *m_myStyle = nullptr;
    int m_original_width = 0;
    int m_original_kit_width = 0;
    int m_right_original_width = 0;
    QString m_FontFamily;
    QString m_FontFamilyTxt;
    quint16 m_fontSize_9 = 9;
    quint16 m_fontSize_16 = 16;
    ztplatform::RunFolder m_tmpDir{QStringLiteral("zt350play-")};
    ztplatform::RunFolder m_tmpDir2{QStringLiteral("zt350play-")};
    QString m_TempDirName, m_TempPlayDirName, m_TempDirName2, m_TempPlayDirName2;
    SelectKitNo *m_skn = nullptr;
    bool m_isSaveClose = false; // the kit choice of the save was confirmed with OK
    CopyPadFunc *m_copy_pad = nullptr;
    CopyKitFunc *m_kitCopy = nullptr;
    CustomDialog *m_custom = nullptr;
    DeviceDetector *m_myDetector = nullptr;
    PadWidgets m_padWidgetGroup;
    HHWidgets m_hhWidgetGroup;
    StepWidgets m_stepWidgetGroup;
    QMenu *m_pad_menu = nullptr;
    QAction *m_pad_copy = nullptr;
    QAction *m_pad_clear = nullptr;
    bool m_padCopyOpen = false; // the pad menu's Pad Copy waits for its dialog
    bool m_isDarkMode = false; // the theme last applied is the dark one
    int m_cnOrEn = 1;          // the help command opens the Chinese page (1) or the English one (0)
    bool m_constructionComplete = false; // false when construction stopped early
    bool m_soundListSettled = false; // the close that ends the window wrote the file, or the user quit without it
    bool m_writeSoundListOnClose = true; // off only when the start-up ends without showing the window

    // The drag under way and what the last drop left on the pads.
    const QString m_MIME_FORMAT = QStringLiteral("mimeformat");
    int m_dragLeftOrRight = 0;
    bool m_dropToPadOrRight = false; // the drag holds several sounds: the pads take no drop
    int m_padDropState = -1;         // m_dropToPadOrRight as last applied to the pads
    const QMimeData *m_dragMime = nullptr; // the payload of the drag under way, taken at its enter
    bool m_dragMimeOurs = false;
    bool m_posFlagA = false; // the drop on a pad hit its layer A label
    bool m_posFlagB = false; // the drop on a pad hit its layer B label
    bool m_dragFlag = false; // the last drop on a pad hit a layer label: the pad is redrawn
};

#endif
