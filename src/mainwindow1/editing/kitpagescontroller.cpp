#include "mainwindow1/editing/kitpagescontroller.h"
#include "ui_mainwindow1.h"
#include "document/kitdocument.h"
#include "library/soundlibrary.h"

#include <QScopedValueRollback>

KitPagesController::KitPagesController(KitDocument &doc, SoundLibrary &library, Ui::MainWindow1 *ui, QWidget *boxes, PreviewController &preview,
                                       SoundListsController &soundLists)
    : QObject(nullptr)
    , m_doc(doc)
    , m_library(library)
    , m_ui(ui)
    , m_boxes(boxes)
    , m_preview(preview)
    , m_soundLists(soundLists)
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

void KitPagesController::showMovedKit(int kitNo)
{
    const QScopedValueRollback<bool> noCommit(m_loadKitNoFlag, true);
    if (m_ui->kitNoSpinBox->value() != kitNo)
        m_ui->kitNoSpinBox->setValue(kitNo);
    else
        switchKit(kitNo);
}
