#include "widgets/selectkitno.h"

#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

// Records the dialog's answers in the order they are emitted.
struct AnswerLog : QObject
{
    QStringList events;
    QVector<QVector<int>> vectors;
    explicit AnswerLog(SelectKitNo *dialog)
    {
        connect(dialog, &SelectKitNo::sendIsClose, this,
                [this](bool flag) { events << (flag ? QStringLiteral("close:true") : QStringLiteral("close:false")); });
        connect(dialog, &SelectKitNo::sendKitIndexState, this, [this](QVector<int> v) {
            events << QStringLiteral("state");
            vectors << v;
        });
    }
};

class TestSelectKitNo : public QObject
{
    Q_OBJECT

private:
    template <typename T>
    static T *child(QWidget *dialog, const char *name)
    {
        T *w = dialog->findChild<T *>(QLatin1String(name));
        if (!w)
            qFatal("missing child %s", name);
        return w;
    }

    static QVector<QString> names(int count)
    {
        QVector<QString> list;
        for (int i = 0; i < count; ++i)
            list << QStringLiteral("Kit %1").arg(i + 1);
        return list;
    }

    // The order in which the kit save drives the dialog, then shown without blocking.
    static void open(SelectKitNo &dialog, const QVector<int> &choice, int kits = 100)
    {
        dialog.recvKitNameList(names(kits));
        dialog.initKitIndex();
        dialog.recvKitIndexList(choice);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    }

    static QStandardItem *kitItem(SelectKitNo &dialog, int row, int column = 0)
    {
        return dialog.kitModel()->item(0)->child(row, column);
    }

    static QVector<int> choiceOf(std::initializer_list<int> chosenKits)
    {
        QVector<int> v(100, 1);
        for (int kit : chosenKits)
            v[kit - 1] = 0;
        return v;
    }

    // Ticks a kit's box from the keyboard, as a user would.
    static void toggleWithSpace(SelectKitNo &dialog, int kit)
    {
        auto *view = child<QTreeView>(&dialog, "kitIndexTreeView");
        view->expandAll();
        view->setFocus();
        view->setCurrentIndex(kitItem(dialog, kit - 1)->index());
        QTest::keyClick(view, Qt::Key_Space);
    }

private slots:
    void form();
    void buttonTextsAndTree();
    void okWithNothingTickedAnswersFalseTwice();
    void selectAllThenOk();
    void deselectAllAndTickTwoKits();
    void cancelAndDismissals();
    void reopeningShowsThePassedChoice();
    void confirmationCountsOnlyForItsRun();
    void modalRunEndsOnOk();
    void shortChoiceStillLetsKitsBeChosen();
    void rebuildKeepsExtraRowsAndItemsAreReadOnly();
    void partialAndRootChangesLeaveTheChoice();
};

void TestSelectKitNo::form()
{
    SelectKitNo dialog;
    QCOMPARE(dialog.windowTitle(), QString("Save File"));
    QCOMPARE(dialog.size(), QSize(294, 473));
    QVERIFY(!dialog.confirmed());

    const QStringList lines = child<QTextBrowser>(&dialog, "textBrowser")->toPlainText().split('\n');
    const QStringList expected = {
            "Hint: The import mode of the device is overwrite mode! Please select the kits that need to be replaced!",
            "1) Click the Select All button and select the checkbox for all kits.",
            "2) Click the Deselect All button and set all kits checkbox to deselected state",
            "and Check the checkbox for the kits that need to be replaced.",
            "3) If no kits are selected and  click Cancel button or click Ok button to generate a file,",
            "it will prompt file generation failure"};
    QCOMPARE(lines.size(), expected.size());
    for (int i = 0; i < lines.size(); ++i)
        QCOMPARE(QString(lines[i]).remove('\r'), expected[i]);

    const char *widgets[] = {"textBrowser", "selAllRadioButton", "selEmpRadioButton", "selPartRadioButton",
                             "btnSure", "btnCancel", "kitIndexTreeView"};
    QCOMPARE(dialog.font().family(), QString("Microsoft YaHei"));
    for (const char *name : widgets) {
        QWidget *w = child<QWidget>(&dialog, name);
        QVERIFY2(w->font().family() == "Microsoft YaHei", name);
    }
    // The form leaves the buttons blank until the tree is built.
    QVERIFY(child<QPushButton>(&dialog, "btnSure")->text().isEmpty());
    QVERIFY(child<QRadioButton>(&dialog, "selAllRadioButton")->text().isEmpty());

    auto *view = child<QTreeView>(&dialog, "kitIndexTreeView");
    QCOMPARE(view->model(), static_cast<QAbstractItemModel *>(dialog.kitModel()));
    QCOMPARE(dialog.kitModel()->parent(), static_cast<QObject *>(view));
    QCOMPARE(view->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    QCOMPARE(dialog.kitModel()->headerData(0, Qt::Horizontal).toString(), QString("Kit No."));
    QCOMPARE(dialog.kitModel()->headerData(1, Qt::Horizontal).toString(), QString("Name"));
}

void TestSelectKitNo::buttonTextsAndTree()
{
    SelectKitNo dialog;
    dialog.recvKitNameList(names(100));
    QCOMPARE(dialog.kitNames().size(), 100);
    dialog.initKitIndex();

    QCOMPARE(child<QRadioButton>(&dialog, "selAllRadioButton")->text(), QString("Select All"));
    QCOMPARE(child<QRadioButton>(&dialog, "selEmpRadioButton")->text(), QString("Deselect All"));
    QCOMPARE(child<QRadioButton>(&dialog, "selPartRadioButton")->text(), QString("Select"));
    QCOMPARE(child<QPushButton>(&dialog, "btnSure")->text(), QString("Ok"));
    QCOMPARE(child<QPushButton>(&dialog, "btnCancel")->text(), QString("Cancel"));
    QVERIFY(child<QRadioButton>(&dialog, "selPartRadioButton")->isHidden());
    QVERIFY(!child<QRadioButton>(&dialog, "selAllRadioButton")->isHidden());

    QStandardItemModel *model = dialog.kitModel();
    QCOMPARE(model->rowCount(), 1);
    QStandardItem *root = model->item(0);
    QCOMPARE(root->text(), QString("Kit List"));
    QCOMPARE(root->rowCount(), 100);
    for (int r : {0, 8, 9, 41, 99}) {
        QCOMPARE(root->child(r, 0)->text(), QString::number(r + 1));
        QVERIFY(root->child(r, 0)->isCheckable());
        QCOMPARE(root->child(r, 1)->text(), QString("Kit %1").arg(r + 1));
        QVERIFY(!root->child(r, 1)->isCheckable());
    }
}

void TestSelectKitNo::okWithNothingTickedAnswersFalseTwice()
{
    SelectKitNo dialog;
    AnswerLog log(&dialog);
    open(dialog, QVector<int>(100, 1));
    for (int r = 0; r < 100; ++r)
        QCOMPARE(kitItem(dialog, r)->checkState(), Qt::Unchecked);

    QTest::mouseClick(child<QPushButton>(&dialog, "btnSure"), Qt::LeftButton);
    QCOMPARE(log.events, QStringList({"close:false", "close:false"}));
    QVERIFY(log.vectors.isEmpty());
    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.confirmed());
}

void TestSelectKitNo::selectAllThenOk()
{
    SelectKitNo dialog;
    AnswerLog log(&dialog);
    open(dialog, choiceOf({5}));
    auto *all = child<QRadioButton>(&dialog, "selAllRadioButton");
    QTest::mouseClick(all, Qt::LeftButton);
    QVERIFY(all->isChecked());
    QCOMPARE(dialog.kitIndexes(), QVector<int>(100, 0));
    QCOMPARE(kitItem(dialog, 99)->checkState(), Qt::Checked);

    QTest::mouseClick(child<QPushButton>(&dialog, "btnSure"), Qt::LeftButton);
    QCOMPARE(log.events, QStringList({"close:true", "state"}));
    QCOMPARE(log.vectors.value(0), QVector<int>(100, 0));
    QVERIFY(dialog.confirmed());
    QVERIFY(!dialog.isVisible());
}

void TestSelectKitNo::deselectAllAndTickTwoKits()
{
    SelectKitNo dialog;
    AnswerLog log(&dialog);
    open(dialog, choiceOf({1, 50, 100}));
    QTest::mouseClick(child<QRadioButton>(&dialog, "selEmpRadioButton"), Qt::LeftButton);
    QCOMPARE(dialog.kitIndexes(), QVector<int>(100, 1));

    toggleWithSpace(dialog, 3);
    toggleWithSpace(dialog, 7);
    QCOMPARE(kitItem(dialog, 2)->checkState(), Qt::Checked);
    QCOMPARE(dialog.kitIndexes(), choiceOf({3, 7}));
    // Ticking a kit twice takes it out again.
    toggleWithSpace(dialog, 9);
    toggleWithSpace(dialog, 9);

    QTest::mouseClick(child<QPushButton>(&dialog, "btnSure"), Qt::LeftButton);
    QCOMPARE(log.events, QStringList({"close:true", "state"}));
    QCOMPARE(log.vectors.value(0), choiceOf({3, 7}));
}

void TestSelectKitNo::cancelAndDismissals()
{
    SelectKitNo dialog;
    AnswerLog log(&dialog);
    open(dialog, choiceOf({2}));
    QTest::mouseClick(child<QPushButton>(&dialog, "btnCancel"), Qt::LeftButton);
    QCOMPARE(log.events, QStringList({"close:false", "close:false"}));
    QVERIFY(!dialog.isVisible());

    log.events.clear();
    open(dialog, choiceOf({2}));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(log.events, QStringList({"close:false"}));
    QVERIFY(!dialog.isVisible());

    log.events.clear();
    open(dialog, choiceOf({2}));
    dialog.close(); // the title bar's close button
    QCOMPARE(log.events, QStringList({"close:false"}));
    QVERIFY(log.vectors.isEmpty());
}

void TestSelectKitNo::reopeningShowsThePassedChoice()
{
    SelectKitNo dialog;
    open(dialog, choiceOf({4}));
    QCOMPARE(kitItem(dialog, 3)->checkState(), Qt::Checked);
    QTest::mouseClick(child<QRadioButton>(&dialog, "selAllRadioButton"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(&dialog, "btnCancel"), Qt::LeftButton);

    open(dialog, choiceOf({10, 20}));
    auto *part = child<QRadioButton>(&dialog, "selPartRadioButton");
    QVERIFY(part->isChecked());
    QVERIFY(!child<QRadioButton>(&dialog, "selAllRadioButton")->isChecked());
    QVERIFY(!child<QRadioButton>(&dialog, "selEmpRadioButton")->isChecked());
    QCOMPARE(dialog.kitIndexes(), choiceOf({10, 20}));
    for (int r = 0; r < 100; ++r)
        QCOMPARE(kitItem(dialog, r)->checkState(), (r == 9 || r == 19) ? Qt::Checked : Qt::Unchecked);
    dialog.hide();
}

void TestSelectKitNo::confirmationCountsOnlyForItsRun()
{
    SelectKitNo dialog;
    AnswerLog log(&dialog);
    open(dialog, choiceOf({1}));
    QTest::mouseClick(child<QPushButton>(&dialog, "btnSure"), Qt::LeftButton);
    QCOMPARE(log.events, QStringList({"close:true", "state"}));

    // A later run dismissed by Escape answers false instead of leaving the old answer standing.
    log.events.clear();
    open(dialog, choiceOf({1}));
    QVERIFY(!dialog.confirmed());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(log.events, QStringList({"close:false"}));
}

void TestSelectKitNo::modalRunEndsOnOk()
{
    SelectKitNo dialog;
    AnswerLog log(&dialog);
    dialog.recvKitNameList(names(100));
    dialog.initKitIndex();
    dialog.recvKitIndexList(choiceOf({8}));
    QTimer::singleShot(0, &dialog, [&dialog]() {
        QTest::mouseClick(dialog.findChild<QPushButton *>("btnSure"), Qt::LeftButton);
    });
    dialog.exec();
    QCOMPARE(log.events, QStringList({"close:true", "state"}));
    QCOMPARE(log.vectors.value(0), choiceOf({8}));
    QVERIFY(!dialog.isVisible());
}

void TestSelectKitNo::shortChoiceStillLetsKitsBeChosen()
{
    SelectKitNo dialog;
    AnswerLog log(&dialog);
    open(dialog, QVector<int>{0, 1}); // fewer entries than kits
    QCOMPARE(dialog.kitIndexes().size(), 100);
    QCOMPARE(kitItem(dialog, 0)->checkState(), Qt::Checked);
    QCOMPARE(kitItem(dialog, 50)->checkState(), Qt::Unchecked);
    toggleWithSpace(dialog, 60);
    QTest::mouseClick(child<QPushButton>(&dialog, "btnSure"), Qt::LeftButton);
    QCOMPARE(log.vectors.value(0), choiceOf({1, 60}));

    // With no choice at all nothing is ticked and OK fails.
    log.events.clear();
    open(dialog, QVector<int>());
    for (int r = 0; r < 100; ++r)
        QCOMPARE(kitItem(dialog, r)->checkState(), Qt::Unchecked);
    QTest::mouseClick(child<QPushButton>(&dialog, "btnSure"), Qt::LeftButton);
    QCOMPARE(log.events, QStringList({"close:false", "close:false"}));
}

void TestSelectKitNo::rebuildKeepsExtraRowsAndItemsAreReadOnly()
{
    SelectKitNo dialog;
    open(dialog, choiceOf({1, 2, 3}));
    dialog.hide();
    dialog.recvKitNameList({"A", "B"});
    dialog.initKitIndex();
    QStandardItem *root = dialog.kitModel()->item(0);
    QCOMPARE(dialog.kitModel()->rowCount(), 1);
    QCOMPARE(root->rowCount(), 100);
    QCOMPARE(root->child(0, 1)->text(), QString("A"));
    QCOMPARE(root->child(1, 1)->text(), QString("B"));
    QCOMPARE(root->child(2, 1)->text(), QString("Kit 3"));
    // Rebuilt rows count as not chosen until the choice is passed in.
    QCOMPARE(dialog.kitIndexes().mid(0, 3), QVector<int>({1, 1, 0}));

    for (QStandardItem *item : {root, root->child(0, 0), root->child(0, 1), root->child(99, 1)})
        QVERIFY(!(item->flags() & Qt::ItemIsEditable));
}

void TestSelectKitNo::partialAndRootChangesLeaveTheChoice()
{
    SelectKitNo dialog;
    open(dialog, choiceOf({1, 2}));
    kitItem(dialog, 1)->setCheckState(Qt::PartiallyChecked);
    dialog.kitModel()->item(0)->setText("Kits");
    QCOMPARE(dialog.kitIndexes(), choiceOf({1, 2}));
    dialog.hide();
}

QTEST_MAIN(TestSelectKitNo)
#include "test_selectkitno.moc"
