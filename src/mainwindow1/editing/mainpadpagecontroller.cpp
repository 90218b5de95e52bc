// The main pad page's widgets: the pads, the kit fields, the pad menu and
// the copy dialogs, and what the window's drops ask of the pads.
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/windowtexts.h"
#include "mainwindow1/editing/kitheadercontroller.h"

#include "widgets/copykitfunc.h"
#include "widgets/copypadfunc.h"
#include "widgets/padlabel.h"

#include <QMenu>
#include <QPushButton>
#include <QToolButton>

MainPadPageController::MainPadPageController(KitDocument &doc, KitHeaderController &header,
                                             const MainPadPageView &view, QWidget *parent, UiPrompter &prompter)
    : m_doc(doc)
    , m_header(header)
    , m_view(view)
    , m_parent(parent)
    , m_prompter(prompter)
{
}

MainPadPageController::~MainPadPageController()
{
    delete m_copy_pad;
    delete m_kitCopy;
}

void MainPadPageController::setUpTexts(const QString &fontFamily)
{
    QFont numberFont = m_view.kitNumberTitle->font();
    numberFont.setFamily(fontFamily); // only the family: the form's point size stays
    m_view.kitNumberTitle->setFont(numberFont);
    m_view.btnRenameKit->setStyleSheet(QStringLiteral("QToolTip { background-color: white; color: black;}"));
    for (QWidget *widget : {static_cast<QWidget *>(m_view.btnCopyKit), static_cast<QWidget *>(m_view.upPageBtn),
                            static_cast<QWidget *>(m_view.downPageBtn)})
        widget->setStyleSheet(QStringLiteral("QToolTip{background-color:white; color:black;}"));
}

void MainPadPageController::makePadMenu()
{
    m_pad_menu = new QMenu(m_parent);
    m_pad_copy = new QAction(WindowTexts::tr("Pad Copy "), m_parent);
    m_pad_clear = new QAction(WindowTexts::tr("Clear Assignments"), m_parent);
    m_pad_menu->addAction(m_pad_copy);
    m_pad_menu->addSeparator();
    m_pad_menu->addAction(m_pad_clear);
    m_pad_menu->setFixedSize(150, 60);
}

void MainPadPageController::makeCopyDialogs()
{
    // Dialogs of the window, so that what holds the window (a window-modal
    // wait) holds them too.
    m_copy_pad = new CopyPadFunc(m_parent);
    m_kitCopy = new CopyKitFunc(m_parent);
}

void MainPadPageController::setPadEventFilter()
{
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        QWidget *g = m_view.pads[p].group;
        if (!g)
            continue;
        g->setAcceptDrops(true);
        // Installing again moves the filter to the front; it is never doubled.
        g->installEventFilter(m_parent);
    }
}

void MainPadPageController::acceptPadDrops(bool accept)
{
    if (accept) {
        setPadEventFilter();
        return;
    }
    for (const strPadWidgetGroup &pad : m_view.pads)
        pad.group->setAcceptDrops(false);
}

int MainPadPageController::padOf(const QObject *watched) const
{
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        if (watched == m_view.pads[size_t(p)].group)
            return p;
    }
    return -1;
}

int MainPadPageController::layerAt(int pad, const QPoint &pos) const
{
    const strPadWidgetGroup &widgets = m_view.pads[size_t(pad)];
    auto hit = [&widgets, &pos](const QWidget *label) {
        return QRect(label->mapTo(widgets.group, QPoint(0, 0)), label->size()).contains(pos);
    };
    if (hit(widgets.lableA))
        return 0;
    if (widgets.lableB && hit(widgets.lableB))
        return 1;
    return -1;
}

void MainPadPageController::selectShownKit()
{
    m_currentKitNum = quint8(m_header.numberText().toUInt() - 1);
}
