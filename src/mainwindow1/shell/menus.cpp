// The Edit and Manual menu actions, the help page and the sizing of the left
// top bar on every repaint.
#include "mainwindow1/editing/kitheadercontroller.h"
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/shell/shellcontroller.h"

#include "platform/datafiles.h"
#include "widgets/dialogs/uiprompter.h"
#include "document/kitdocument.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QSplitter>
#include <QStackedWidget>
#include <QUrl>

void ShellController::showGlobalPage()
{
    m_view.windowPages->setCurrentIndex(1);
}

void ShellController::backToMainPage()
{
    // The kit page's edits first, into the kit it shows.
    m_kitPages.commitShownKit(m_mainPadPage.curkitNumber());
    const int kit = m_kitHeader.pageKit();
    m_mainPadPage.selectKit(quint8(kit - 1));
    m_kitHeader.setNumberText(QString::number(kit));
    m_mainPadPage.dispPadList(m_doc.kitAttrList(), quint8(kit - 1));
    m_view.windowPages->setCurrentIndex(0);
}

void ShellController::showKitPage()
{
    const int kit = m_kitHeader.fieldNumber();
    if (kit >= 1 && kit <= KIT_MAX_COUNT)
        m_kitPages.updateKitNo(kit);
    // Names renamed in the kit-chain list wait for that page's OK.
    m_view.windowPages->setCurrentIndex(1);
}

QString ShellController::helpPagePath(int cnOrEn)
{
    return ztplatform::dataPath(cnOrEn != 0 ? QStringLiteral("Korvanta_Ch.htm") : QStringLiteral("Korvanta_En.htm"));
}

void ShellController::openHtmlFile()
{
    const QString page = helpPagePath(m_cnOrEn);
    // A missing page is not handed to the desktop.
    if (QFileInfo(page).isFile() && QDesktopServices::openUrl(QUrl::fromLocalFile(page)))
        return;
    m_prompter.warning(m_boxParent, WindowTexts::tr("Error"), WindowTexts::tr("The default browser failed to open it."),
                       QMessageBox::Ok);
}

void ShellController::fitLeftTopBar()
{
    m_soundLists.fitGroupTree();
    // Never narrower than its buttons' texts.
    if (m_soundLists.groupTreeWidth() != m_original_width)
        m_view.topBarLeft->setFixedSize(
                qMax((m_view.splitter->width() / 25) * 4, m_view.topBarLeft->minimumSizeHint().width()),
                m_view.topSectionWidget->height());
}

void ShellController::initDisplay(int width, int mode)
{
    const int height = m_view.topSectionWidget->height();
    if (mode == 0) {
        const int w = (width / 3) * 2;
        m_soundLists.setGroupPaneWidth(w);
        m_view.topBarLeft->setFixedSize(w, height);
        m_original_width = w;
    } else if (mode == 1 || mode == 2) {
        m_view.topBarLeft->setFixedSize(width, height);
        m_original_width = width;
    }
}

void ShellController::lockForSave(bool locked)
{
    m_view.topWidget->setEnabled(!locked);
    for (QAction *a : {m_view.actionGlobal_Setting, m_view.actionKit_Setiing, m_view.actionImport_All,
                       m_view.actionExport_All, m_view.actionBack_to_main_interface})
        a->setEnabled(!locked);
}
