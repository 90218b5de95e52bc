// The kit-chain page: chain number, ON/OFF and OK, clearing, renaming kits in
// the list, dragging a kit, moving kits (which swaps them everywhere) and the
// chains of a loaded setup.
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "kitfile/fileread.h"
#include "windowfixture.h"

#include <QDrag>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QtTest>

#include <memory>

namespace {
const QString kPattern = "The kit name must begin and end with an alphanumeric character and can be interspersed "
                         "with an alphanumeric character, a space, and the following symbols:\r\n- _ . ~";

QVector<int> flags(const QVector<MainWindow1Records::KIT_CHAIN> &chains)
{
    QVector<int> out;
    for (const MainWindow1Records::KIT_CHAIN &c : chains)
        out << c.kit_chain * 10 + c.kit_chain_No;
    return out;
}
} // namespace

class TestKitChains : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFixture> f;

    QStandardItem *nameCell(int kit) { return f->w->kitChains().kitChainListItemModel()->item(0)->child(kit - 1, 1); }
    quint8 step(int chain, int s) const { return f->w->doc().kitChainList()[chain].curKitChain[chain][s]; }
    void setStep(int chain, int s, int kit) { f->w->doc().setChainStep(chain, s, kit); }

private slots:
    void init()
    {
        f.reset(new WindowFixture);
        f->ui->btnKitChain->click();
    }
    void cleanup()
    {
        f.reset();
    }

    void numberOnOffAndOk()
    {
        MainWindow1 *w = f->w;
        QCOMPARE(flags(w->doc().kitChainList()), QVector<int>(9, 0)); // all off, chain 1 shown, OFF checked
        QVERIFY(f->ui->kitChainNoSpinBox->value() == 1 && f->ui->rBtnKitChainOff->isChecked());
        QStandardItem *root = w->kitChains().kitChainListItemModel()->item(0);
        QCOMPARE(root->text() + root->child(99, 0)->text() + root->child(9, 1)->text(), QString("Kit List100New Kit"));
        QVERIFY(!root->child(9, 0)->isEditable() && root->child(9, 1)->isEditable());
        QSignalSpy info(&w->kitChains(), &KitChainsController::chainsConfirmed);
        f->ui->kitChainNoSpinBox->setValue(3);
        f->ui->rBtnKitChainOn->click();
        QCOMPARE(flags(w->doc().kitChainList()), QVector<int>({0, 0, 0, 10, 0, 0, 0, 0, 0}));
        f->ui->kitChainNoSpinBox->setValue(5); // the flag moves with the number while ON
        QCOMPARE(flags(w->doc().kitChainList()), QVector<int>({0, 0, 0, 0, 0, 10, 0, 0, 0}));
        f->ui->kitChainNoSpinBox->setValue(3);
        f->ui->btnSureKitChain->click();
        QCOMPARE(flags(w->doc().kitChainList()), QVector<int>({0, 1, 2, 13, 4, 5, 6, 7, 8}));
        QCOMPARE(info.count(), 1);
        f->ui->rBtnKitChainOff->click();
        f->ui->kitChainNoSpinBox->setValue(6);
        QCOMPARE(flags(w->doc().kitChainList()), QVector<int>({0, 1, 2, 3, 4, 5, 6, 7, 8}));
        QCOMPARE(int(w->kitChains().kitChian().kit_chain) * 10 + w->kitChains().kitChian().kit_chain_No, 6);
    }

    void clearOnlyTheShownChain()
    {
        for (int c = 1; c <= 8; ++c)
            setStep(c, 7, quint8(c));
        f->ui->kitChainNoSpinBox->setValue(4);
        f->ui->btnClearStep->click();
        for (int c = 1; c <= 8; ++c)
            QCOMPARE(int(step(c, 7)), c == 4 ? 0 : c);
        QCOMPARE(f->ui->step8Lab->text(), QString());
    }

    void renamesInTheList()
    {
        MainWindow1 *w = f->w;
        f->ui->kitChainNoSpinBox->setValue(2);
        setStep(2, 0, 7);
        w->kitChains().disKitStep(w->doc().kitChainList(), 2);
        QCOMPARE(f->ui->step1Lab->text(), QString("New Kit"));
        const QStringList refused = {"", "-Bad", "Eleven char"};
        for (const QString &name : refused)
            nameCell(7)->setText(name);
        QCOMPARE(f->prompter.texts(), QStringList({"Kit name can't be blank!", kPattern,
                                                   "The maximum number of kit name's character can't exceed 10!"}));
        QCOMPARE(f->prompter.titles(), QStringList({"Error", "Error", "Error"}));
        QCOMPARE(int(f->prompter.prompts[0].kind), int(UiPrompter::Critical)); // as its title says
        QCOMPARE(nameCell(7)->text() + w->kitChains().kitChainNameList()[6], QString("New KitNew Kit"));
        nameCell(7)->setText("Seven");
        QCOMPARE(f->ui->step1Lab->text(), QString("Seven")); // the step follows at once
        // The kit's record, kitNameList and file image only at OK; a menu action
        // that leaves the page as it is takes nothing over.
        auto names = [this, w] {
            const char *image = w->doc().base0(6).kit_name;
            return QStringList({f->kit(7).kit_name, w->doc().kitNameList()[6],
                                QString::fromLatin1(image, int(qstrnlen(image, KIT_NAME_FIELD)))});
        };
        f->ui->actionKit_Setiing->trigger();
        QCOMPARE(names(), QStringList({"New Kit", "New Kit", "New Kit"}));
        QSignalSpy kits(&w->doc(), &KitDocument::kitsChanged);
        f->ui->btnSureKitChain->click();
        QCOMPARE(names(), QStringList({"Seven", "Seven", "Seven"}));
        QCOMPARE(kits.count(), 1);
    }

    // A refused name puts back the name the list showed, an earlier rename included.
    void refusedNameKeepsTheEarlierRename()
    {
        nameCell(7)->setText("Seven");
        nameCell(7)->setText("-Bad");
        QCOMPARE(nameCell(7)->text() + f->w->kitChains().kitChainNameList()[6], QString("SevenSeven"));
        f->prompter.buttonAnswers.enqueue(QMessageBox::No);
        QVERIFY(!f->w->close());
        QCOMPARE(f->prompter.texts(), QStringList({kPattern, "Quit?"}));
        QCOMPARE(f->kit(7).kit_name, QString("Seven"));
    }

    // A name typed into the list and ended with Enter is the kit's name for the
    // close's question and for every save, without OK.
    void listRenamesTakenWithoutOk()
    {
        QTreeView *view = f->ui->kitListtreeView;
        auto rename = [view](QStandardItem *cell, const QString &name) {
            view->setCurrentIndex(cell->index());
            view->edit(cell->index());
            auto *editor = qobject_cast<QLineEdit *>(view->indexWidget(cell->index()));
            QVERIFY(editor);
            editor->selectAll();
            QTest::keyClicks(editor, name);
            QTest::keyClick(editor, Qt::Key_Return);
            QCoreApplication::processEvents(); // the list takes the name after the key
        };
        rename(nameCell(7), "Seven");
        f->prompter.buttonAnswers.enqueue(QMessageBox::No);
        QVERIFY(!f->w->close());
        QCOMPARE(f->prompter.texts(), QStringList({"Quit?"}));
        rename(nameCell(8), "Eight");
        const QString file = f->work.filePath("ALL.bin");
        f->prompter.fileAnswers.enqueue({file});
        f->ui->actionExport_All->trigger();
        MainWindow1Records::READ_KIT_FILE rec;
        setupfiles::KitTables tables;
        QCOMPARE(setupfiles::readWholeSetupFile(file, rec, tables), setupfiles::LoadError::None);
        QCOMPARE(QByteArray(tables.base[6].kit_name) + '|' + QByteArray(tables.base[7].kit_name),
                 QByteArray("Seven|Eight"));
        QCOMPARE(f->kit(8).kit_name + f->w->doc().kitNameList()[7], QString("EightEight"));
    }

    // A name still in the list's editor (no Enter, no focus moved) is the
    // kit's name for the close's question and for a save.
    void listNameStillTypedIsTaken()
    {
        QTreeView *view = f->ui->kitListtreeView;
        auto type = [view](QStandardItem *cell, const QString &name) {
            view->setCurrentIndex(cell->index());
            view->edit(cell->index());
            auto *editor = qobject_cast<QLineEdit *>(view->indexWidget(cell->index()));
            QVERIFY(editor && !editor->hasFocus());
            editor->selectAll();
            QTest::keyClicks(editor, name);
        };
        type(nameCell(7), "Seven");
        f->prompter.buttonAnswers.enqueue(QMessageBox::No);
        QVERIFY(!f->w->close());
        QCOMPARE(f->prompter.texts(), QStringList({"Quit?"}));
        QCOMPARE(f->kit(7).kit_name + '|' + nameCell(7)->text(), QString("Seven|Seven"));
        type(nameCell(8), "Eight");
        const QString file = f->work.filePath("ALL.bin");
        f->prompter.fileAnswers.enqueue({file});
        f->ui->actionExport_All->trigger();
        MainWindow1Records::READ_KIT_FILE rec;
        setupfiles::KitTables tables;
        QCOMPARE(setupfiles::readWholeSetupFile(file, rec, tables), setupfiles::LoadError::None);
        QCOMPARE(QByteArray(tables.base[7].kit_name), QByteArray("Eight"));
        QCOMPARE(view->indexWidget(nameCell(8)->index()), static_cast<QWidget *>(nullptr));
    }

    void dragAKitFromTheList()
    {
        QStringList payloads;
        f->prompter.onDrag = [&](QDrag *drag, Qt::DropActions) {
            payloads << QString::fromUtf8(drag->mimeData()->data("mimeformat")) + '|' + drag->mimeData()->text();
            return Qt::MoveAction;
        };
        QTreeView *view = f->ui->kitListtreeView;
        const QModelIndex kit12 = nameCell(12)->index();
        view->selectionModel()->select(kit12, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        f->w->on_kitListtreeView_pressed(kit12);
        const QModelIndex root = f->w->kitChains().kitChainListItemModel()->index(0, 0); // the root row has no name
        view->selectionModel()->select(root, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        f->w->on_kitListtreeView_pressed(root);
        QCOMPARE(payloads, QStringList({"12*New Kit|New Kit"}));
    }

    // Moving kit 10 up swaps kits 9 and 10 in the steps, the list and the records.
    void moveSwapsKitsEverywhere()
    {
        MainWindow1 *w = f->w;
        f->editKit(9, [](MainWindow1Records::soundKit &kit) { kit.kit_volume = 9; });
        f->editKit(10, [](MainWindow1Records::soundKit &kit) { kit.kit_volume = 10; });
        w->doc().setKitLink(9, 2, {3, 4});
        loadEffectMemory(w->doc(), 9, 1, 5, {1, 2, 3});
        w->kitChains().kitNamed(9, "Ten");
        nameCell(10)->setText("Ten");
        setStep(1, 0, 9);
        setStep(5, 3, 10);
        setStep(5, 4, 11);
        const MainWindow1Records::LINK_GROUP links9 = w->doc().kitLinkList(8)[2];
        f->ui->kitListtreeView->setCurrentIndex(nameCell(10)->index());
        f->ui->moveUpKit->click();
        QCOMPARE(QVector<int>({step(1, 0), step(5, 3), step(5, 4)}), QVector<int>({10, 9, 11}));
        const QVector<QString> &names = w->kitChains().kitChainNameList();
        QCOMPARE(names[8] + '|' + names[9], QString("Ten|New Kit"));
        QCOMPARE(nameCell(9)->text(), QString("Ten"));
        QCOMPARE(f->ui->kitListtreeView->currentIndex().row(), 8);
        QCOMPARE(QVector<int>({f->kit(9).kit_volume, f->kit(9).kit_no, f->kit(10).kit_volume, f->kit(10).kit_no}),
                 QVector<int>({10, 8, 9, 9}));
        QCOMPARE(int(w->doc().kitLinkList(8)[2].link_pad1) * 10 + w->doc().kitLinkList(8)[2].link_pad2, 34);
        QCOMPARE(int(w->doc().kitLinkList(9)[2].link_pad1) * 10 + w->doc().kitLinkList(9)[2].link_pad2,
                 links9.link_pad1 * 10 + links9.link_pad2);
        QCOMPARE(int(w->doc().kitEffectList(1, 8)[5].parm3), 3);
        QCOMPARE(w->doc().kitPadList(8)[0].padNo, f->kit(9).kpadChunk[0].padNo);
        QCOMPARE(f->ui->kitNoSpinBox->value() * 100 + w->mainPadPage().oldKitNumber(), 909);

        // The first kit does not move up, nor the last one down.
        const QVector<QString> before = w->kitChains().kitChainNameList();
        f->ui->kitListtreeView->setCurrentIndex(nameCell(1)->index());
        f->ui->moveUpKit->click();
        f->ui->kitListtreeView->setCurrentIndex(nameCell(100)->index());
        f->ui->moveDownKit->click();
        QCOMPARE(w->kitChains().kitChainNameList(), before);
        f->ui->kitListtreeView->setCurrentIndex(nameCell(3)->index());
        f->ui->moveDownKit->click();
        QCOMPARE(w->kitChains().kitChainNameList()[3] + f->kit(4).kit_name, QString("New KitNew Kit"));
        QCOMPARE(f->ui->kitListtreeView->currentIndex().row(), 3);
    }

    // After a move the kit page shows the moved kit; its edits never land in the other kit.
    void moveKeepsKitPageEdits()
    {
        MainWindow1 *w = f->w;
        f->editKit(9, [](MainWindow1Records::soundKit &kit) { kit.kit_volume = 9; });
        f->editKit(10, [](MainWindow1Records::soundKit &kit) { kit.kit_volume = 10; });
        f->openKitPage(9);
        f->ui->kitVolumeSpinBox->setValue(55);
        f->ui->btnKitChain->click();
        QCOMPARE(f->kit(9).kit_volume, quint8(55));
        f->ui->kitListtreeView->setCurrentIndex(nameCell(10)->index());
        f->ui->moveUpKit->click(); // the page, still holding 55, now shows the kit moved to 9
        QCOMPARE(f->kit(9).kit_volume + f->kit(10).kit_volume * 1000, 10 + 55 * 1000);
        QCOMPARE(f->ui->kitVolumeSpinBox->value(), 10);
        f->openKitPage(9);
        f->ui->downPageBtn->click();
        QCOMPARE(f->kit(9).kit_volume + f->kit(10).kit_volume * 1000, 10 + 55 * 1000);
        QCOMPARE(w->doc().kitNumFlagList(), QVector<quint8>(100, 0));
    }

    // Saves take the page's ON switch and chain number without OK; a loaded
    // setup whose chains are off shows the steps of the chain in the number box.
    void pageStateSavedAndShownAfterLoad()
    {
        Ui::MainWindow1 *ui = f->ui;
        auto exportAll = [this](const QString &name) {
            f->prompter.fileAnswers.enqueue({f->work.filePath(name)});
            f->ui->actionExport_All->trigger();
            return f->work.filePath(name);
        };
        ui->kitChainNoSpinBox->setValue(3);
        setStep(3, 0, 7); // as a dropped kit leaves it
        QTest::mouseClick(ui->rBtnKitChainOn, Qt::LeftButton);
        const QString on = exportAll("ON.bin");
        QTest::mouseClick(ui->rBtnKitChainOff, Qt::LeftButton);
        const QString off = exportAll("OFF.bin");
        QCOMPARE(f->prompter.titles(), QStringList({"successfully saved.", "successfully saved."}));
        for (const QString &file : {on, off}) {
            MainWindow1Records::READ_KIT_FILE rec;
            setupfiles::KitTables tables;
            QCOMPARE(setupfiles::readWholeSetupFile(file, rec, tables), setupfiles::LoadError::None);
            const percussionpadfile::P_KIT_CHAIN &kc = rec.info.new_globalChunk.kc;
            QCOMPARE(QVector<int>({kc.kit_chain, kc.kit_chain_No, kc.kitChain[3][0]}),
                     file == on ? QVector<int>({1, 3, 7}) : QVector<int>({0, 0, 7}));
        }
        ui->btnClearStep->click();
        f->prompter.fileAnswers.enqueue({off});
        ui->actionImport_All->trigger();
        QCOMPARE(int(step(3, 0)) * 100 + ui->kitChainNoSpinBox->value(), 703);
        QCOMPARE(ui->step1Lab->text(), QString("New Kit"));
    }

    void loadedChains()
    {
        MainWindow1 *w = f->w;
        QVector<MainWindow1Records::KIT_CHAIN> loaded(9);
        for (int i = 0; i < 9; ++i) {
            loaded[i].kit_chain_No = quint8(i);
            loaded[i].curKitChain[i][0] = quint8(i + 20);
        }
        loaded[6].kit_chain = 1;
        emit w->kitPages().chainsRead(loaded);
        QCOMPARE(flags(w->doc().kitChainList()), QVector<int>({0, 1, 2, 3, 4, 5, 16, 7, 8}));
        QCOMPARE(int(step(6, 0)), 26);
        QCOMPARE(f->ui->kitChainNoSpinBox->value(), 6);
        QVERIFY(f->ui->rBtnKitChainOn->isChecked());
        QCOMPARE(f->ui->step1Lab->text(), QString("New Kit"));

        loaded[6].kit_chain = 0; // a file whose chain is off
        emit w->kitPages().chainsRead(loaded);
        QCOMPARE(flags(w->doc().kitChainList()), QVector<int>({0, 1, 2, 3, 4, 5, 6, 7, 8}));
        QVERIFY(f->ui->rBtnKitChainOff->isChecked());
    }
};

QTEST_MAIN(TestKitChains)
#include "test_kitchains.moc"
