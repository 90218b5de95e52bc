// The frame's construction: the style, the frame and fonts, each area's
// widgets set up in turn, the temporary folders and the dialogs.
#include "mainwindow1/shell/shellcontroller.h"
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/editing/kitheadercontroller.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/setupfiles/setupfilescontroller.h"

#include "device/padsession.h"
#include "platform/durablefile.h"
#include "platform/runfolders.h"
#include "widgets/devicedetector.h"
#include "widgets/dialogs/uiprompter.h"
#include "widgets/mystyle.h"
#include "widgets/wheelguard.h"

#include <QDir>
#include <QLocale>
#include <QMenu>
#include <QSplitter>
#include <QStackedWidget>

namespace {

// A temporary folder and its play folder; false when it could not be made.
bool makeTempFolder(std::unique_ptr<ztplatform::RunFolder> &dir, QString &name, QString &play, const QString &sub)
{
    dir = std::make_unique<ztplatform::RunFolder>(ztplatform::editorFolderPrefix());
    if (!dir->isValid())
        return false;
    name = dir->path();
    play = name + QDir::separator() + sub;
    return ztplatform::makePath(ztplatform::systemDisk(), play);
}

} // namespace

ShellController::ShellController(const Areas &areas, const ShellView &view, KitDocument &doc, SoundLibrary &library,
                                 PadSession &pad, QWidget *window, UiPrompter &prompter)
    : QObject(nullptr)
    , m_preview(areas.preview)
    , m_soundFiles(areas.soundFiles)
    , m_soundLists(areas.soundLists)
    , m_kitPages(areas.kitPages)
    , m_mainPadPage(areas.mainPadPage)
    , m_kitChains(areas.kitChains)
    , m_kitHeader(areas.kitHeader)
    , m_setupFiles(areas.setupFiles)
    , m_padSync(areas.padSync)
    , m_view(view)
    , m_doc(doc)
    , m_library(library)
    , m_pad(pad)
    , m_boxParent(window)
    , m_prompter(prompter)
{
}

ShellController::~ShellController() = default;

void ShellController::buildFrame()
{
    m_myStyle = new MyStyle;
    // No field of the window or its dialogs changes under a wheel it did not ask for.
    wheelguard::install(this);
    m_soundLists.useStyle(m_myStyle);
    m_kitChains.useStyle(m_myStyle);
    m_original_width = m_soundLists.groupTreeWidth();

    // Menus and the splitter's shares, from the sound groups' width.
    const ShellView &v = m_view;
    v.menuEdit->menuAction()->setVisible(false);
    const int width = m_original_width;
    v.splitter->setChildrenCollapsible(false);
    v.splitter->setStretchFactor(0, 4);
    v.splitter->setStretchFactor(1, 15);
    v.splitter->setStretchFactor(2, 7);
    v.splitter->setSizes({width, (width / 4) * 15, (width / 4) * 7});

    const bool chinese = QLocale().language() == QLocale::Chinese;
    m_FontFamily = chinese ? QStringLiteral("Microsoft YaHei") : QStringLiteral("Tahoma");

    m_detector = std::make_unique<DeviceDetector>(*m_pad.drives(), nullptr);
    m_setupFiles.useDetector(m_detector.get());
    v.actionReorder_Serial_Numbers->setVisible(false);
    if (m_soundLists.userFlag()) {
        v.actionGlobal_Setting->setVisible(false);
        v.actionBack_to_main_interface->setVisible(false);
    }
    v.windowPages->setCurrentIndex(0); // the main page first

    // Each area's texts, fonts and widgets never shown.
    m_kitHeader.setUpTexts(m_FontFamily);
    m_mainPadPage.setUpTexts(m_FontFamily);
    m_kitPages.setUpTexts(m_FontFamily);
    m_kitChains.setUpTexts(m_FontFamily);
    m_soundLists.setUpTexts(m_FontFamily);
    m_preview.setUpTexts(m_FontFamily);

    m_soundLists.setUpGroupTree();
    m_mainPadPage.setPadEventFilter();
}

void ShellController::connectPagesAndLists()
{
    m_soundLists.connectSoundListSelections();
    m_soundLists.connectGroupSelection();
}

bool ShellController::makeTempFolders()
{
    if (!makeTempFolder(m_tmpDir, m_TempDirName, m_TempPlayDirName, QStringLiteral("play"))
        || !makeTempFolder(m_tmpDir2, m_TempDirName2, m_TempPlayDirName2, QStringLiteral("PLAY"))) {
        m_prompter.information(m_boxParent, WindowTexts::tr("Error"),
                               WindowTexts::tr("Failed to create temporary directory!"), QMessageBox::Ok);
        return false;
    }
    m_setupFiles.useTempFolder(m_TempDirName);
    m_preview.usePlayFolder(m_TempPlayDirName2);
    return true;
}

void ShellController::finishConstruction()
{
    m_mainPadPage.makePadMenu();
    m_setupFiles.makeKitChoice();
    m_mainPadPage.makeCopyDialogs();
    m_soundLists.addSelectAll();
    m_constructionComplete = true;
}
