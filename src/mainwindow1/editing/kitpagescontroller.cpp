#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/editing/kitheadercontroller.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "document/kitdocument.h"
#include "library/soundlibrary.h"

#include <QScopedValueRollback>

KitPagesController::KitPagesController(KitDocument &doc, SoundLibrary &library, const KitPagesView &view,
                                       QWidget *boxes, UiPrompter &prompter, KitHeaderController &header,
                                       MainPadPageController &mainPadPage, KitChainsController &kitChains,
                                       PreviewController &preview,
                                       SoundListsController &soundLists)
    : QObject(nullptr)
    , m_doc(doc)
    , m_library(library)
    , m_view(view)
    , m_boxes(boxes)
    , m_prompter(prompter)
    , m_preview(preview)
    , m_soundLists(soundLists)
    , m_header(header)
    , m_mainPadPage(mainPadPage)
    , m_kitChains(kitChains)
{
}

void KitPagesController::takeLoadedKit(const MainWindow1Records::KIT_EFFECT effects[4],
                                       const MainWindow1Records::LINK_GROUP links[5])
{
    for (int e = 0; e < 4; ++e)
        m_k_effect[e] = effects[e];
    for (int g = 0; g < 5; ++g)
        m_linkGroup[g] = links[g];
}

void KitPagesController::redrawKitPage(int kitNo)
{
    m_switchKitNum = true;
    showKitPage(kitNo, true, m_curPadNumber);
    m_switchKitNum = false;
}

void KitPagesController::connectDocument()
{
    KitDocument *doc = &m_doc;
    connect(doc, &KitDocument::kitChanged, this, &KitPagesController::showChangedHiHat);
    connect(doc, &KitDocument::kitsChanged, this, &KitPagesController::showChangedHiHats);
    connect(doc, &KitDocument::globalChanged, this, &KitPagesController::showGlobalSettings);
}

void KitPagesController::moveKit(const QModelIndex &index, quint8 flag)
{
    const int row = index.row();
    const int moved = flag == 0 ? row - 1 : row + 1;
    if (row < 0 || moved < 0 || row >= KIT_MAX_COUNT || moved >= KIT_MAX_COUNT)
        return;
    // The kit page's edits go into the kit it shows before the kits change places.
    commitShownKit(m_mainPadPage.oldKitNumber());
    m_doc.moveKit(row, moved);
    m_mainPadPage.selectKit(quint8(moved));
    m_header.setNumberText(QString::number(moved + 1));
    m_mainPadPage.dispPadList(m_doc.kitAttrList(), m_mainPadPage.currentKitNum());
    showMovedKit(moved + 1);
}

void KitPagesController::showMovedKit(int kitNo)
{
    const QScopedValueRollback<bool> noCommit(m_loadKitNoFlag, true);
    if (m_header.pageKit() != kitNo)
        m_header.setPageKit(kitNo);
    else
        switchKit(kitNo);
}
