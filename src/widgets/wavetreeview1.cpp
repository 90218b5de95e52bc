#include "widgets/wavetreeview1.h"

#include <QAction>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMouseEvent>
#include <QToolTip>

WaveTreeView1::WaveTreeView1(QWidget *parent)
    : QTreeView(parent)
    , m_deleteSound(new QAction(tr("Delete Sound"), this))
{
    menu = new QMenu(this);
    menu->setFixedWidth(200);
    menu->addAction(m_deleteSound);
}

WaveTreeView1::~WaveTreeView1() = default;

void WaveTreeView1::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        m_deleteSound->setText(tr("Delete Sound"));
    QTreeView::changeEvent(event);
}

void WaveTreeView1::mousePressEvent(QMouseEvent *event)
{
    if (event->buttons() == Qt::RightButton) {
        m_isLeftWave = true;
        menu->exec(event->globalPos());
    } else {
        m_isLeftWave = false;
        const QModelIndex index = indexAt(event->pos());
        // A group row or empty space: select it alone as a whole row
        // (on empty space this only clears the selection).
        if (!index.parent().isValid()) {
            if (QItemSelectionModel *selection = selectionModel()) {
                selection->clear();
                selection->select(index, QItemSelectionModel::ClearAndSelect
                                             | QItemSelectionModel::Rows);
            }
        }
    }
    QTreeView::mousePressEvent(event);
}

bool WaveTreeView1::isTextCut(const QModelIndex &index) const
{
    const QRect shown = visualRect(index);
    QStyleOptionViewItem option = viewOptions();
    option.rect = shown;
    const int needed = itemDelegate(index)->sizeHint(option, index).width();
    // Cut by its column, or by the view on either side.
    return needed > shown.width() || shown.left() < 0 || shown.left() + needed > viewport()->width();
}

bool WaveTreeView1::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QModelIndex index = indexAt(help->pos());
        if (index.isValid() && !index.data(Qt::ToolTipRole).isValid()) {
            if (isTextCut(index))
                QToolTip::showText(help->globalPos(), index.data().toString(), viewport(), visualRect(index));
            else
                QToolTip::hideText();
            return true;
        }
    }
    return QTreeView::viewportEvent(event);
}
