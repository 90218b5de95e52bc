#include "widgets/wavetreeview1.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMouseEvent>

QAction *WaveTreeView1::del_sound = nullptr;

QAction *WaveTreeView1::delSoundAction()
{
    // Lives for the whole run.
    if (!del_sound)
        del_sound = new QAction;
    del_sound->setText(tr("Delete Sound"));
    return del_sound;
}

WaveTreeView1::WaveTreeView1(QWidget *parent)
    : QTreeView(parent)
{
    menu = new QMenu(this);
    menu->setFixedWidth(200);
    menu->addAction(delSoundAction());
}

WaveTreeView1::~WaveTreeView1() = default;

void WaveTreeView1::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        delSoundAction();
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
