#include "resources/ztresources.h"
#include "widgets/totaltreeview.h"
#include "widgets/wavetreeview1.h"

#include <QAction>
#include <QApplication>
#include <QItemSelectionModel>
#include <QMenu>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

namespace {

// Texts of the popup menu's entries ("-" for a separator), read once it is open.
QStringList *watchPopup(QStringList *entries)
{
    QTimer::singleShot(0, [entries] {
        QMenu *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu) {
            entries->append("<none>");
            return;
        }
        for (QAction *a : menu->actions())
            entries->append(a->isSeparator() ? QStringLiteral("-") : a->text());
        menu->close();
    });
    return entries;
}

// A root row "waveList" with `rows` sound rows of `columns` cells.
void fillList(QStandardItemModel &model, int rows, int columns)
{
    QStringList headers;
    for (int c = 0; c < columns; ++c)
        headers << QString("h%1").arg(c);
    model.setHorizontalHeaderLabels(headers);
    auto *root = new QStandardItem("waveList");
    model.appendRow(root);
    for (int r = 0; r < rows; ++r) {
        QList<QStandardItem *> cells;
        for (int c = 0; c < columns; ++c)
            cells << new QStandardItem(QString("r%1c%2").arg(r).arg(c));
        root->appendRow(cells);
    }
}

void press(QAbstractItemView *view, const QModelIndex &index, Qt::MouseButton button,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::mousePress(view->viewport(), button, modifiers, view->visualRect(index).center());
    QTest::mouseRelease(view->viewport(), button, modifiers, view->visualRect(index).center());
}

} // namespace

class TestTreeViews : public QObject
{
    Q_OBJECT

private slots:
    void construction();
    void totalRightPressOpensMenu();
    void menusReadTheInstalledLanguage();
    void totalPlainPressOnMultiSelectionKeepsRow();
    void totalModifiedPressKeepsBaseBehaviour();
    void groupRightPressOpensMenu();
    void groupRightPressWithOtherButtonHeldOpensNothing();
    void groupPressSelectsGroupRow();
};

void TestTreeViews::construction()
{
    QWidget page;
    TotalTreeView total(&page);
    TotalTreeView total2(&page);
    WaveTreeView1 groups(&page);
    WaveTreeView1 groups2(&page);
    QCOMPARE(total.parentWidget(), &page);
    QCOMPARE(groups.parentWidget(), &page);
    QVERIFY(!total.isRight());

    // Each view's actions are its own, with the source texts while no
    // catalogue is installed.
    QCOMPARE(total.deleteSoundAction()->parent(), &total);
    QCOMPARE(total.exportSoundAction()->parent(), &total);
    QCOMPARE(groups.delSoundAction()->parent(), &groups);
    QCOMPARE(total.deleteSoundAction()->text(), QString("Delete Sound"));
    QCOMPARE(total.exportSoundAction()->text(), QString("Export Sound"));
    QCOMPARE(groups.delSoundAction()->text(), QString("Delete Sound"));
    QVERIFY(total2.deleteSoundAction() != total.deleteSoundAction());
    QVERIFY(groups2.delSoundAction() != groups.delSoundAction());

    const QList<QAction *> totalEntries = total.contextMenu()->actions();
    QCOMPARE(totalEntries.size(), 3);
    QCOMPARE(totalEntries.at(0), total.exportSoundAction());
    QVERIFY(totalEntries.at(1)->isSeparator());
    QCOMPARE(totalEntries.at(2), total.deleteSoundAction());
    QCOMPARE(total2.contextMenu()->actions().at(2), total2.deleteSoundAction());
    QCOMPARE(total.contextMenu()->parent(), &total);
    QCOMPARE(total.contextMenu()->minimumWidth(), 200);
    QCOMPARE(total.contextMenu()->maximumWidth(), 200);
    QCOMPARE(total.contextMenu()->styleSheet(), QString("QMenu::item:disabled{color: grey;}"));

    QCOMPARE(groups.contextMenu()->actions(), QList<QAction *>{groups.delSoundAction()});
    QCOMPARE(groups2.contextMenu()->actions(), QList<QAction *>{groups2.delSoundAction()});
    QCOMPARE(groups.contextMenu()->parent(), &groups);
    QCOMPARE(groups.contextMenu()->maximumWidth(), 200);
    QVERIFY(!total.model());
}

void TestTreeViews::totalRightPressOpensMenu()
{
    QStandardItemModel model;
    fillList(model, 3, 3);
    TotalTreeView view;
    view.setModel(&model);
    view.expandAll();
    view.resize(300, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    QStringList entries;
    watchPopup(&entries);
    const QModelIndex row = model.index(1, 1, model.index(0, 0));
    QTest::mousePress(view.viewport(), Qt::RightButton, Qt::NoModifier, view.visualRect(row).center());
    QCOMPARE(entries, (QStringList{"Export Sound", "-", "Delete Sound"}));
    QVERIFY(view.isRight());

    // Any other press clears the flag.
    press(&view, row, Qt::LeftButton);
    QVERIFY(!view.isRight());
}

void TestTreeViews::menusReadTheInstalledLanguage()
{
    // The actions exist before the catalogue comes, as in the editor.
    QStandardItemModel model;
    fillList(model, 1, 3);
    TotalTreeView view;
    view.setModel(&model);
    view.expandAll();
    view.resize(300, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    ztInitResources();
    QTranslator cn;
    QVERIFY(cn.load(":/cn.qm"));
    QCoreApplication::installTranslator(&cn);
    QCoreApplication::processEvents();

    QStringList entries;
    watchPopup(&entries);
    const QModelIndex row = model.index(0, 1, model.index(0, 0));
    QTest::mousePress(view.viewport(), Qt::RightButton, Qt::NoModifier, view.visualRect(row).center());
    QCOMPARE(entries, (QStringList{"导出音色", "-", "删除音色"}));
    const WaveTreeView1 groups;
    QCOMPARE(groups.delSoundAction()->text(), QString("删除音色")); // as a new group tree has it

    QCoreApplication::removeTranslator(&cn);
    QCoreApplication::processEvents();
    QCOMPARE(view.exportSoundAction()->text(), QString("Export Sound"));
}

void TestTreeViews::totalPlainPressOnMultiSelectionKeepsRow()
{
    QStandardItemModel model;
    fillList(model, 4, 3);
    TotalTreeView view;
    view.setModel(&model);
    view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.expandAll();
    view.resize(300, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QModelIndex root = model.index(0, 0);

    QItemSelectionModel *selection = view.selectionModel();
    selection->select(QItemSelection(model.index(0, 0, root), model.index(2, 2, root)),
                      QItemSelectionModel::Select);
    QCOMPARE(selection->selectedIndexes().size(), 9);

    QSignalSpy selectSpy(&view, &TotalTreeView::sendSelectItem);
    QSignalSpy pressedSpy(&view, &QTreeView::pressed);
    QTest::mousePress(view.viewport(), Qt::LeftButton, Qt::NoModifier,
                      view.visualRect(model.index(1, 1, root)).center());
    QCOMPARE(selectSpy.count(), 1);
    QCOMPARE(selectSpy.at(0).at(0).toBool(), true);
    QCOMPARE(pressedSpy.count(), 0); // the base handling was skipped
    QCOMPARE(selection->selectedRows().size(), 1);
    QCOMPARE(selection->selectedRows().at(0).row(), 1);
    QCOMPARE(selection->selectedIndexes().size(), 3);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, Qt::NoModifier,
                        view.visualRect(model.index(1, 1, root)).center());

    // A press on a row that is not selected is an ordinary press.
    QTest::mousePress(view.viewport(), Qt::LeftButton, Qt::NoModifier,
                      view.visualRect(model.index(3, 1, root)).center());
    QCOMPARE(selectSpy.count(), 1);
    QCOMPARE(pressedSpy.count(), 1);
    QCOMPARE(selection->selectedRows().size(), 1);
    QCOMPARE(selection->selectedRows().at(0).row(), 3);
}

void TestTreeViews::totalModifiedPressKeepsBaseBehaviour()
{
    QStandardItemModel model;
    fillList(model, 4, 3);
    TotalTreeView view;
    view.setModel(&model);
    view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    view.expandAll();
    view.resize(300, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QModelIndex root = model.index(0, 0);
    QItemSelectionModel *selection = view.selectionModel();
    selection->select(QItemSelection(model.index(0, 0, root), model.index(2, 2, root)),
                      QItemSelectionModel::Select);

    QSignalSpy selectSpy(&view, &TotalTreeView::sendSelectItem);
    press(&view, model.index(3, 1, root), Qt::LeftButton, Qt::ControlModifier);
    QCOMPARE(selectSpy.count(), 0);
    QCOMPARE(selection->selectedRows().size(), 4);

    // A press on the root row goes to the base view without any signal.
    press(&view, root, Qt::LeftButton);
    QCOMPARE(selectSpy.count(), 0);
}

void TestTreeViews::groupRightPressOpensMenu()
{
    QStandardItemModel model;
    fillList(model, 2, 2);
    WaveTreeView1 view;
    view.setModel(&model);
    view.expandAll();
    view.resize(300, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    QStringList entries;
    watchPopup(&entries);
    QTest::mousePress(view.viewport(), Qt::RightButton, Qt::NoModifier,
                      view.visualRect(model.index(0, 0, model.index(0, 0))).center());
    QCOMPARE(entries, QStringList{"Delete Sound"});
    QVERIFY(view.isLeftWave());

    press(&view, model.index(0, 0), Qt::LeftButton);
    QVERIFY(!view.isLeftWave());
}

void TestTreeViews::groupRightPressWithOtherButtonHeldOpensNothing()
{
    QStandardItemModel model;
    fillList(model, 2, 2);
    WaveTreeView1 view;
    view.setModel(&model);
    view.expandAll();
    view.resize(300, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    QStringList entries;
    watchPopup(&entries);
    const QPoint pos = view.visualRect(model.index(1, 0, model.index(0, 0))).center();
    QMouseEvent both(QEvent::MouseButtonPress, pos, view.viewport()->mapToGlobal(pos), Qt::RightButton,
                     Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &both);
    QVERIFY(!view.isLeftWave());
    QTest::qWait(20);
    QCOMPARE(entries, QStringList{"<none>"});
}

void TestTreeViews::groupPressSelectsGroupRow()
{
    QStandardItemModel model;
    fillList(model, 2, 2); // group "waveList" with two sounds
    auto *other = new QStandardItem("Default");
    model.appendRow(QList<QStandardItem *>{other, new QStandardItem});
    WaveTreeView1 view;
    view.setModel(&model);
    view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    view.expandAll();
    view.resize(300, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QItemSelectionModel *selection = view.selectionModel();
    const QModelIndex sound = model.index(1, 0, model.index(0, 0));

    selection->select(sound, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    press(&view, model.index(1, 0), Qt::LeftButton);
    // The group row alone, as a whole row.
    const QModelIndexList rows = selection->selectedRows();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.at(0), model.index(1, 0));
    QCOMPARE(selection->selectedIndexes().size(), 2);

    // Empty space only clears the selection.
    QTest::mousePress(view.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 290));
    QVERIFY(selection->selectedIndexes().isEmpty());
}

QTEST_MAIN(TestTreeViews)
#include "test_treeviews.moc"
