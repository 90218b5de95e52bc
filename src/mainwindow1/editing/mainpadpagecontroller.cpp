// The main pad page's widgets: the pads, the kit fields, the pad menu and
// the copy dialogs, and what the window's drops ask of the pads.
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/windowtexts.h"

#include "widgets/copykitfunc.h"
#include "widgets/copypadfunc.h"
#include "widgets/lineedit.h"
#include "widgets/padlabel.h"

#include <QMenu>
#include <QRegExpValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

MainPadPageController::MainPadPageController(KitDocument &doc, const MainPadPageView &view, QWidget *parent,
                                             UiPrompter &prompter)
    : m_doc(doc)
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
    m_view.kitNumber->setValidator(new QRegExpValidator(
            QRegExp(QStringLiteral("^([1-9][0-9]{0,1}|100)$"), Qt::CaseSensitive, QRegExp::RegExp), m_view.kitNumber));
    m_view.kitNumber->setText(QStringLiteral("1"));
    m_view.kitNumber->setStyleSheet(QStringLiteral("QToolTip{background-color:white; color:black;}"));
    QFont nameFont(fontFamily);
    nameFont.setUnderline(true);
    nameFont.setBold(true);
    nameFont.setPointSize(15);
    m_view.kitNameLineEdit->setFont(nameFont);

    m_view.btnCopyKit->setToolTip(WindowTexts::tr("Kit Copy"));
    QFont numberFont = m_view.kitNumberLabel_2->font();
    numberFont.setFamily(fontFamily); // only the family: the form's point size stays
    m_view.kitNumberLabel_2->setFont(numberFont);
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
    m_currentKitNum = quint8(m_view.kitNumber->text().toUInt() - 1);
}

int MainPadPageController::kitFieldNumber() const
{
    return m_view.kitNumber->text().toInt();
}

void MainPadPageController::setKitField(const QString &text)
{
    m_view.kitNumber->setText(text);
}

void MainPadPageController::releaseNameField()
{
    m_view.kitNameLineEdit->setStyleSheet(QStringLiteral("border:0px;"));
}

void MainPadPageController::releaseKitFields()
{
    m_view.kitNumber->clearFocus();
    m_view.kitNameLineEdit->clearFocus();
}
