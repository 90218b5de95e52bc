// Drops on the panes: files onto the group tree, group sounds onto the setup's
// sound list, kits onto kit-chain steps and sounds onto hi-hat slots.
#include "mainwindow1/library/soundlistscontroller.h"
#include "device/writeback.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "library/records_fixture.h"
#include "mainwindow1/editing/kitchainscontroller.h"
#include "dropfixture.h"
#include "model/kitfile_fixture.h"
#include "support/soundlists.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {
const QString kLimit = "The number of sound can not exceed 9999.";

QStringList groupRows(QStandardItemModel *model, int row)
{
    QStringList out;
    QStandardItem *group = model->item(row, 0);
    for (int r = 0; group && r < group->rowCount(); ++r)
        out << group->child(r, 0)->text() + '|' + group->child(r, 1)->text();
    return out;
}
QString records(const QStringList &paths)
{
    QString out;
    for (const QString &p : paths)
        out += dragpayload::record(QFileInfo(p).baseName(), p) + "#";
    return out;
}
} // namespace

class TestListDrops : public QObject
{
    Q_OBJECT

    std::unique_ptr<DropFixture> f;

    void dropFiles(const QStringList &paths)
    {
        QWidget *page = f->ui->left_stackedSoundWidget;
        f->drag(page, page->rect().center(), QString(), paths);
    }
    void dropOnList(const QString &text)
    {
        QWidget *page = f->ui->right_stackedWidgetPage1;
        f->drag(page, DropFixture::centreIn(f->ui->totalWaveTreeView, page), text);
    }

private slots:
    void init()
    {
        f.reset(new DropFixture);
        QVERIFY(f->exposed && f->writerOff);
    }
    void cleanup() { f.reset(); }

    void filesJoinTheChosenGroup()
    {
        MainWindow1 *w = f->w;
        f->prompter.textAnswers.enqueue({"Drums", true});
        f->ui->addWaveGroup->click(); // row 0; "Default" is row 1, names at index 0
        f->prompter.clear();
        f->ui->waveGroupTreeView->clearSelection();
        const QString kick = f->sound("Kick.wav", kf::wavBytes(400, 1)), dots = f->sound("Drum.Kick.WAV", kf::wavBytes(400, 2));
        QDir(f->work.path()).mkdir("folder.wav");
        dropFiles({kick, dots, kick, f->sound("notes.txt"), f->work.filePath("folder.wav"), f->work.filePath("gone.wav")});
        QCOMPARE(groupRows(w->library().soundListItemModel(), 1), QStringList({"Kick|" + kick, "Drum|" + dots}));
        QCOMPARE(w->library().leftSoundList()[0], QVector<QString>({"Kick", "Drum"}));
        QCOMPARE(w->library().soundGroupList().last().soundList.size(), 2);
        QVERIFY(f->prompter.prompts.isEmpty());

        // The selected group (or the group of a selected sound) takes them.
        const QString snare = f->sound("Snare.ogg", kf::wavBytes(400, 3));
        f->ui->waveGroupTreeView->setCurrentIndex(w->library().soundListItemModel()->index(0, 0));
        f->prompter.buttonAnswers.enqueue(QMessageBox::No);
        dropFiles({kick, snare});
        QCOMPARE(f->prompter.titles() + f->prompter.texts(),
                 QStringList({"Information", "Some files already exist. Do you want to add duplicate files?"}));
        QCOMPARE(f->prompter.prompts[0].buttons, QMessageBox::Ok | QMessageBox::No);
        QCOMPARE(groupRows(w->library().soundListItemModel(), 0), QStringList({"Snare|" + snare}));
        QCOMPARE(w->library().leftSoundList()[1], QVector<QString>({"Snare"}));
        f->ui->waveGroupTreeView->setCurrentIndex(w->library().soundListItemModel()->item(0)->child(0)->index());
        f->prompter.buttonAnswers.enqueue(QMessageBox::Ok);
        dropFiles({kick});
        QCOMPARE(groupRows(w->library().soundListItemModel(), 0).last(), "Kick|" + kick);
        QCOMPARE(w->library().soundGroupList().first().soundList.size(), 2);
    }

    void refusedOnThePadAndWithoutGroups()
    {
        MainWindow1 *w = f->w;
        const QString kick = f->sound("Kick.wav");
        f->deviceMode();
        dropFiles({kick});
        QVERIFY(!f->ui->left_stackedSoundWidget->acceptDrops());
        QCOMPARE(groupRows(w->library().soundListItemModel(), 0), QStringList());
        w->pad().leaveDeviceMode(); // offline again: the group tree takes files again
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(f->ui->left_stackedSoundWidget, &enter);
        QVERIFY(f->ui->left_stackedSoundWidget->acceptDrops());
        w->library().soundListItemModel()->removeRows(0, w->library().soundListItemModel()->rowCount());
        dropFiles({kick});
        QCOMPARE(w->library().soundListItemModel()->rowCount(), 0);
    }

    void droppedFilesReachTheSoundListFile()
    {
        const QString kick = f->sound("Kick.wav", kf::wavBytes(400, 1));
        dropFiles({kick});
        f->w->soundLists().setWriteSoundListOnClose(true);
        delete f->w;
        f->w = nullptr;
        QVector<soundfilexml::strSoundGroup> groups;
        QVERIFY(soundlists::read(f->work.filePath("soundlist.xml"), groups));
        QCOMPARE(groups.size(), 1);
        QCOMPARE(groups[0].name + '|' + groups[0].soundList.value(0).name + '|' + groups[0].soundList.value(0).file,
                 "Default|Kick|" + kick);
    }

    void groupSoundsOntoTheListOffline()
    {
        MainWindow1 *w = f->w;
        const QString kick = f->sound("Kick.wav"), snare = f->sound("Snare.wav");
        dropOnList(dragpayload::record("Kick", kick));
        dropOnList(dragpayload::record("Kick", kick));
        QCOMPARE(f->totalRows() + f->mirrorRows(), QStringList({"1|Kick|" + kick, "Kick|" + kick}));
        QCOMPARE(w->library().soundList(), QStringList({"Kick"}));
        // Only onto the list view itself.
        QWidget *page = f->ui->right_stackedWidgetPage1;
        const QRect view(f->ui->totalWaveTreeView->mapTo(page, QPoint()), f->ui->totalWaveTreeView->size());
        QPoint outside(2, 0);
        while (view.contains(outside) && outside.y() < page->height())
            outside += QPoint(0, 2);
        QVERIFY(!view.contains(outside));
        f->drag(page, outside, dragpayload::record("Snare", snare));
        QCOMPARE(f->totalRows().size(), 1);
        editRecords(w->library(), [](QVector<MainWindow1Records::SOUND_INDEX> &r) { r.last().wave_No = WAVE_MAX_COUNT; });
        dropOnList(dragpayload::record("Snare", snare));
        QCOMPARE(f->prompter.texts(), QStringList({kLimit}));
        QCOMPARE(f->totalRows().size(), 1);
    }

    void groupSoundsOntoTheListOnThePad()
    {
        MainWindow1 *w = f->w;
        f->deviceMode();
        QSignalSpy update(&w->shell(), &ShellController::padAddsQueued);
        const QString a = f->sound("A.wav"), b = f->sound("B.wav"), c = f->sound("C.wav");
        const QString known = f->sound("Known.wav");
        f->addListed("Known", known, 5);
        dropOnList(records({a, known, b, a, c}));
        QCOMPARE(w->pad().addUsbWaveList(), QStringList({a, b, c}));
        QCOMPARE(w->pad().addUsbWaveNumList(), QVector<quint16>({6, 7, 8}));
        QCOMPARE(QString(w->library().waveLoadKitAttrList().last().wave_name) + QString::number(w->library().waveLoadKitAttrList().size()),
                 QString("C4"));
        QCOMPARE(f->totalRows().size() * 10 + update.count(), 11);
        dropOnList(dragpayload::record("A", a)); // no "#": nothing but the start
        QCOMPARE(w->pad().addUsbWaveList().size() * 10 + update.count(), 2);
        w->soundLists().dragFromPadList(); // from the pad's own list
        dropOnList(records({f->sound("D.wav")}));
        QCOMPARE(update.count(), 2);

        // The limit in the middle: those before it stay queued and are written.
        w->soundLists().dragFromGroups();
        editRecords(w->library(), [](QVector<MainWindow1Records::SOUND_INDEX> &r) { r.last().wave_No = WAVE_MAX_COUNT - 1; });
        dropOnList(records({f->sound("E.wav"), f->sound("F.wav"), f->sound("G.wav")}));
        QCOMPARE(w->pad().addUsbWaveList(), QStringList({f->work.filePath("E.wav")}));
        QCOMPARE(w->pad().addUsbWaveNumList().last(), quint16(WAVE_MAX_COUNT));
        QCOMPARE(f->prompter.texts(), QStringList({kLimit}));
        QCOMPARE(update.count(), 3);
    }

    void kitsOntoChainSteps()
    {
        MainWindow1 *w = f->w;
        f->ui->btnKitChain->click();
        f->ui->kitChainNoSpinBox->setValue(2);
        w->kitChains().kitNamed(6, "Seven");
        auto dropKit = [&](const QString &number, const QString &name) {
            f->drag(f->ui->stepWidget, DropFixture::centreIn(f->ui->groupStep3, f->ui->stepWidget),
                    dragpayload::record(number, name));
        };
        dropKit("7", "Seven");
        QCOMPARE(f->ui->step3Lab->text(), QString("Seven"));
        // A sound, a number outside 1..100 or an empty name leave the step as it was.
        dropKit("Kick", f->sound("Kick.wav"));
        dropKit("150", "Far");
        f->ui->step3Lab->setText("stale");
        dropKit("9", "");
        QCOMPARE(f->ui->step3Lab->text(), QString("Seven"));
        for (int c = 0; c < w->doc().kitChainList().size(); ++c)
            for (int s = 0; s < STEP_MAX_COUNT; ++s)
                QCOMPARE(int(w->doc().kitChainList()[c].curKitChain[c][s]), c == 2 && s == 2 ? 7 : 0);
        // Steps holding no kit number show empty.
        QVector<MainWindow1Records::KIT_CHAIN> chains = w->doc().kitChainList();
        chains[2].curKitChain[2][4] = 200; // as a file may hold it
        w->doc().applyChains(chains);
        w->kitChains().disKitStep(w->doc().kitChainList(), 2);
        QCOMPARE(f->ui->step5Lab->text(), QString());
    }

    void soundsOntoHiHatSlots()
    {
        f->openKitPage(4);
        auto dropSound = [&](const QString &name, const QString &path) {
            f->drag(f->ui->pedalWidget, DropFixture::centreIn(f->ui->hh_wave2_groupBox, f->ui->pedalWidget),
                    dragpayload::record(name, path));
        };
        const QString hat = f->sound("Hat.wav");
        const int number = f->kit(4).pedalChunk.hh_wave2_no;
        dropSound("Hat", hat);
        const MainWindow1Records::PEDAL_SETTING &h = f->kit(4).pedalChunk;
        QCOMPARE(h.hh_wave2_name + '|' + h.hh_wave2_file + '|' + f->ui->hh_wave2_name->text(), "Hat|" + hat + "|Hat");
        f->ui->hh_wave2_name->setText("stale");
        dropSound("Other", ""); // no path: unchanged, redrawn
        QCOMPARE(h.hh_wave2_name + f->ui->hh_wave2_name->text(), QString("HatHat"));
        QCOMPARE(int(h.hh_wave2_no), number);
        QVERIFY(f->prompter.prompts.isEmpty());
        dropSound("Twentycharactersxyz1", hat); // shown and kept as a kit file keeps it, and told
        QCOMPARE(h.hh_wave2_name + '|' + f->ui->hh_wave2_name->text(), QString("Twentycharacters|Twentycharacters"));
        QCOMPARE(f->prompter.texts(), QStringList({QString::fromUtf8(
                "These sound names were changed to names the sampler pad can hold:\r\n"
                "\"\u2068Twentycharactersxyz1\u2069\" → \"\u2068Twentycharacters\u2069\"")}));
    }

    // On the pad a kit is written back when a compared field differs, and a
    // slot reaches the pad by its wave number: the slot takes the sound's number.
    void hiHatSoundOnThePadTakesItsNumber()
    {
        f->deviceMode();
        const QString hat = f->sound("Hat.wav");
        f->addListed("Hat", hat, 12);
        f->openKitPage(4);
        const MainWindow1Records::soundKit loaded = f->kit(4);
        f->drag(f->ui->pedalWidget, DropFixture::centreIn(f->ui->hh_wave5_groupBox, f->ui->pedalWidget),
                dragpayload::record("Hat", hat));
        const MainWindow1Records::PEDAL_SETTING &h = f->kit(4).pedalChunk;
        QCOMPARE(h.hh_wave5_name + '|' + h.hh_wave5_file + '|' + QString::number(h.hh_wave5_no), "Hat|" + hat + "|12");
        QVERIFY(writeback::kitDiffers(f->kit(4), loaded));
        f->ui->btnKitMove->click(); // the commit keeps it
        QCOMPARE(int(h.hh_wave5_no), 12);
    }
};

QTEST_MAIN(TestListDrops)
#include "test_listdrops.moc"
