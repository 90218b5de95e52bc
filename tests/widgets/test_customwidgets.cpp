#include "widgets/copykitfunc.h"
#include "widgets/lineedit.h"
#include "widgets/mystyle.h"
#include "widgets/padlabel.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCommonStyle>
#include <QContextMenuEvent>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QStyleOptionFocusRect>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

namespace {

// Base style that records every primitive it is asked to draw.
class RecordingStyle : public QCommonStyle
{
public:
    mutable QList<QPair<PrimitiveElement, QStyle::State>> drawn;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        drawn.append({element, option ? option->state : QStyle::State()});
        QCommonStyle::drawPrimitive(element, option, painter, widget);
    }

    int focusFrames() const
    {
        int n = 0;
        for (const auto &d : drawn)
            if (d.first == PE_FrameFocusRect && d.second.testFlag(State_HasFocus))
                ++n;
        return n;
    }
};

// Runs `handle` on the popup menu as soon as it is open.
void onPopup(std::function<void(QMenu *)> handle)
{
    QTimer::singleShot(0, [handle] {
        QMenu *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            qFatal("no popup menu open");
        handle(menu);
    });
}

void openContextMenu(QWidget *w)
{
    const QPoint pos = w->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, w->mapToGlobal(pos));
    QApplication::sendEvent(w, &event);
}

int renderFocusFrames(QStyle *style, RecordingStyle *recorder)
{
    QStandardItemModel model;
    model.appendRow(new QStandardItem("waveList"));
    for (int i = 0; i < 3; ++i)
        model.item(0)->appendRow(new QStandardItem(QString("sound %1").arg(i)));
    QTreeView view;
    view.setModel(&model);
    view.setStyle(style);
    view.expandAll();
    view.resize(300, 200);
    view.show();
    QApplication::setActiveWindow(&view);
    view.setFocus();
    view.setCurrentIndex(model.index(1, 0, model.index(0, 0)));
    recorder->drawn.clear();
    view.grab();
    return recorder->focusFrames();
}

} // namespace

class TestCustomWidgets : public QObject
{
    Q_OBJECT

private slots:
    void padLabelReportsButtonsWithItsName();
    void lineEditPressSelectsAllAndMoveDropsFocus();
    void lineEditMenuDismissedOpensNothing();
    void lineEditKitCopyOpensOwnDialog();
    void myStyleDropsOnlyFocusedFocusFrames();
    void myStyleTreeViewShowsNoFocusFrame();
};

void TestCustomWidgets::padLabelReportsButtonsWithItsName()
{
    QWidget pad;
    PadLabel label(&pad);
    label.setObjectName("labPad07b");
    label.resize(40, 20);
    QSignalSpy right(&label, &PadLabel::clickRight);
    QSignalSpy left(&label, &PadLabel::clickLeft);

    QTest::mousePress(&label, Qt::RightButton);
    QCOMPARE(right.count(), 1);
    QCOMPARE(right.at(0).at(0).toString(), QString("labPad07b"));
    QCOMPARE(left.count(), 0);

    QTest::mousePress(&label, Qt::LeftButton);
    QCOMPARE(left.count(), 1);
    QCOMPARE(left.at(0).at(0).toString(), QString("labPad07b"));

    QTest::mousePress(&label, Qt::MiddleButton);
    QCOMPARE(right.count(), 1);
    QCOMPARE(left.count(), 1);
    QCOMPARE(label.parentWidget(), &pad);
}

void TestCustomWidgets::lineEditPressSelectsAllAndMoveDropsFocus()
{
    QWidget page;
    LineEdit edit(&page);
    edit.setText("ROCK KIT");
    edit.setFocusPolicy(Qt::ClickFocus);
    page.show();
    QApplication::setActiveWindow(&page);
    QVERIFY(QTest::qWaitForWindowActive(&page));

    // Between characters: the whole name is selected all the same.
    const QPoint between(edit.fontMetrics().horizontalAdvance("RO") + 3, edit.height() / 2);
    QTest::mousePress(&edit, Qt::LeftButton, Qt::NoModifier, between);
    QCOMPARE(edit.selectedText(), QString("ROCK KIT"));
    QVERIFY(edit.hasFocus());
    QCOMPARE(edit.styleSheet(), QString("border:1px solid blue;"));
    QTest::mouseRelease(&edit, Qt::LeftButton, Qt::NoModifier, between);
    QCOMPARE(edit.selectedText(), QString("ROCK KIT"));

    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&edit, &move);
    QCOMPARE(edit.styleSheet(), QString("border:0px;"));
    QVERIFY(!edit.hasFocus());
    QCOMPARE(edit.text(), QString("ROCK KIT"));
}

void TestCustomWidgets::lineEditMenuDismissedOpensNothing()
{
    LineEdit edit;
    edit.show();
    QSignalSpy clicks(&edit, &LineEdit::sendClickRight);
    QStringList entries;
    onPopup([&](QMenu *menu) {
        for (QAction *a : menu->actions())
            entries << a->text();
        menu->close();
    });
    openContextMenu(&edit);
    QCOMPARE(entries, QStringList{"Kit Copy"});
    QCOMPARE(clicks.count(), 0);
    QVERIFY(!edit.copyKitDialog()->isVisible());
}

void TestCustomWidgets::lineEditKitCopyOpensOwnDialog()
{
    LineEdit edit;
    edit.show();
    // Answer as the main window does: the kit of the top bar is the source.
    QSignalSpy clicks(&edit, &LineEdit::sendClickRight);
    connect(&edit, &LineEdit::sendClickRight, &edit, [&] { edit.recvSrcKit(7); });
    QSignalSpy answers(&edit, &LineEdit::sendMainDstKit);

    bool dialogShownAtClick = true;
    onPopup([&](QMenu *menu) {
        dialogShownAtClick = edit.copyKitDialog()->isVisible();
        menu->setActiveAction(edit.kitCopyAction());
        QTest::keyClick(menu, Qt::Key_Return);
    });
    openContextMenu(&edit);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.at(0).at(0).toInt(), 1);
    QVERIFY(!dialogShownAtClick);

    CopyKitFunc *dialog = edit.copyKitDialog();
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QVERIFY(!dialog->parent());
    QCOMPARE(dialog->findChild<QLabel *>("labKitName")->text(), QString("K007"));
    QCOMPARE(dialog->findChild<QSpinBox *>("srcKitBox")->value(), 7);

    dialog->findChild<QSpinBox *>("dstKitBox")->setValue(31);
    QTest::mouseClick(dialog->findChild<QPushButton *>("btnKitOk"), Qt::LeftButton);
    QCOMPARE(answers.count(), 1);
    QCOMPARE(answers.at(0).at(0).toInt(), 31);

    dialog->show();
    QTest::mouseClick(dialog->findChild<QPushButton *>("btnKitNo"), Qt::LeftButton);
    QCOMPARE(answers.count(), 2);
    QCOMPARE(answers.at(1).at(0).toInt(), 0);
}

void TestCustomWidgets::myStyleDropsOnlyFocusedFocusFrames()
{
    auto *recorder = new RecordingStyle;
    MyStyle style(recorder);
    QImage image(40, 40, QImage::Format_ARGB32);
    QPainter painter(&image);

    QStyleOptionFocusRect focus;
    focus.rect = QRect(2, 2, 30, 30);
    focus.state = QStyle::State_HasFocus | QStyle::State_Enabled;
    style.drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter);
    QCOMPARE(recorder->drawn.size(), 0);

    focus.state = QStyle::State_Enabled;
    style.drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter);
    QStyleOption other;
    other.rect = QRect(2, 2, 30, 30);
    other.state = QStyle::State_HasFocus;
    style.drawPrimitive(QStyle::PE_PanelItemViewItem, &other, &painter);
    QCOMPARE(recorder->drawn.size(), 2);
    QCOMPARE(recorder->drawn.at(0).first, QStyle::PE_FrameFocusRect);
    QCOMPARE(recorder->drawn.at(1).first, QStyle::PE_PanelItemViewItem);
}

void TestCustomWidgets::myStyleTreeViewShowsNoFocusFrame()
{
    // The same focused view draws a focus frame through a plain proxy...
    auto *plainRecorder = new RecordingStyle;
    QProxyStyle plain(plainRecorder);
    QVERIFY(renderFocusFrames(&plain, plainRecorder) > 0);

    // ...and none through MyStyle.
    auto *recorder = new RecordingStyle;
    MyStyle style(recorder);
    QCOMPARE(renderFocusFrames(&style, recorder), 0);
    QVERIFY(!recorder->drawn.isEmpty());
}

QTEST_MAIN(TestCustomWidgets)
#include "test_customwidgets.moc"
