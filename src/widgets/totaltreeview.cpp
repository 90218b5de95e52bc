#include "widgets/totaltreeview.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

void TotalTreeView::translateActions()
{
    m_deleteSound->setText(tr("Delete Sound"));
    m_exportSound->setText(tr("Export Sound"));
}

TotalTreeView::TotalTreeView(QWidget *parent)
    : QTreeView(parent)
    , m_deleteSound(new QAction(this))
    , m_exportSound(new QAction(this))
{
    menu = new QMenu(this);
    menu->setFixedWidth(200);
    menu->setStyleSheet(QStringLiteral("QMenu::item:disabled{color: grey;}"));
    menu->setStyle(style());
    menu->addAction(m_exportSound);
    menu->addSeparator();
    menu->addAction(m_deleteSound);
    translateActions();
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

    QTreeView::mousePressEvent(event);
}

void TotalTreeView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space)
        event->ignore();
    QTreeView::keyPressEvent(event);
}
