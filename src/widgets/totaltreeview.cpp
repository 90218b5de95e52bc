#include "widgets/totaltreeview.h"

#include <QAction>
#include <QApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

QAction *TotalTreeView::right_del_sound = nullptr;
QAction *TotalTreeView::right_export_sound = nullptr;

// Both actions live for the whole run.
QAction *TotalTreeView::deleteSoundAction()
{
    if (!right_del_sound) {
        right_del_sound = new QAction;
        translateActions();
    }
    return right_del_sound;
}

QAction *TotalTreeView::exportSoundAction()
{
    if (!right_export_sound) {
        right_export_sound = new QAction;
        translateActions();
    }
    return right_export_sound;
}

void TotalTreeView::translateActions()
{
    if (right_del_sound)
        right_del_sound->setText(tr("Delete Sound"));
    if (right_export_sound)
        right_export_sound->setText(tr("Export Sound"));
}

TotalTreeView::TotalTreeView(QWidget *parent)
    : QTreeView(parent)
{
    menu = new QMenu(this);
    menu->setFixedWidth(200);
    menu->setStyleSheet(QStringLiteral("QMenu::item:disabled{color: grey;}"));
    menu->setStyle(style());
    menu->addAction(exportSoundAction());
    menu->addSeparator();
    menu->addAction(deleteSoundAction());
    translateActions();
    dclFlag = false;
}

TotalTreeView::~TotalTreeView() = default;

void TotalTreeView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        translateActions();
    QTreeView::changeEvent(event);
}

void TotalTreeView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        m_isRight = true;
        menu->exec(event->globalPos());
        QTreeView::mousePressEvent(event);
        return;
    }

    m_isRight = false;
    const QModelIndex index = indexAt(event->pos());
    QItemSelectionModel *selection = selectionModel();
    if (!index.parent().isValid() || !selection) {
        QTreeView::mousePressEvent(event);
        return;
    }

    // A plain press on a row of a multi-row selection keeps that row alone
    // (a full row holds three indexes).
    if (event->modifiers() == Qt::NoModifier && index.isValid()
        && selection->isSelected(index) && selection->selectedIndexes().size() > 2) {
        selection->clearSelection();
        selection->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        emit sendSelectItem(true);
        return;
    }

    dclFlag = false;
    emit sendDoubleClickItem(false);
    QTreeView::mousePressEvent(event);
}

void TotalTreeView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        dclFlag = true;
        emit sendDoubleClickItem(true);
    }
    QTreeView::mouseDoubleClickEvent(event);
}

void TotalTreeView::keyPressEvent(QKeyEvent *event)
{
    dclFlag = false;
    emit sendDoubleClickItem(false);
    if (event->key() == Qt::Key_Space)
        event->ignore();
    QTreeView::keyPressEvent(event);
}
