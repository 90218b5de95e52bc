// The path index of a sound list follows every change of its model.
#include "library/soundpathindex.h"

#include <QStandardItemModel>
#include <QtTest>

namespace {
QList<QStandardItem *> row(const QString &path)
{
    return {new QStandardItem("1"), new QStandardItem("name"), new QStandardItem(path)};
}
} // namespace

class TestSoundPathIndex : public QObject
{
    Q_OBJECT

private slots:
    void followsTheModel()
    {
        QStandardItemModel model;
        auto *root = new QStandardItem("waveList");
        model.appendRow(root);
        root->appendRow(row("/a.wav"));
        root->appendRow(row("/b.wav"));
        root->appendRow(row("/a.wav"));
        SoundPathIndex index(2);
        QCOMPARE(index.row(&model, root, "/a.wav"), 0); // the first of equal rows
        QCOMPARE(index.row(&model, root, "/a.wa"), -1);
        QCOMPARE(index.row(&model, root, "/A.wav"), -1);

        root->appendRow(row("/c.wav"));
        QCOMPARE(index.row(&model, root, "/c.wav"), 3);
        root->insertRow(0, row("/d.wav"));
        QCOMPARE(index.row(&model, root, "/c.wav"), 4);
        root->removeRow(0);
        QCOMPARE(index.row(&model, root, "/d.wav"), -1);
        QCOMPARE(index.row(&model, root, "/b.wav"), 1);
        root->child(1, 2)->setText("/e.wav");
        QCOMPARE(index.row(&model, root, "/b.wav"), -1);
        QCOMPARE(index.row(&model, root, "/e.wav"), 1);
        root->child(1, 1)->setText("renamed");
        QCOMPARE(index.row(&model, root, "/e.wav"), 1);
        root->sortChildren(2, Qt::DescendingOrder);
        QCOMPARE(index.row(&model, root, "/e.wav"), 0);

        // Another model or root, or a cleared one.
        QStandardItemModel other;
        auto *otherRoot = new QStandardItem("waveList");
        other.appendRow(otherRoot);
        otherRoot->appendRow(row("/z.wav"));
        QCOMPARE(index.row(&other, otherRoot, "/z.wav"), 0);
        QCOMPARE(index.row(&other, otherRoot, "/e.wav"), -1);
        QCOMPARE(index.row(&model, root, "/e.wav"), 0);
        model.clear();
        auto *fresh = new QStandardItem("waveList");
        model.appendRow(fresh);
        QCOMPARE(index.row(&model, fresh, "/e.wav"), -1);
        fresh->appendRow(row("/e.wav"));
        QCOMPARE(index.row(&model, fresh, "/e.wav"), 0);
        QCOMPARE(index.row(nullptr, fresh, "/e.wav"), -1);
    }
};

QTEST_GUILESS_MAIN(TestSoundPathIndex)
#include "test_soundpathindex.moc"
