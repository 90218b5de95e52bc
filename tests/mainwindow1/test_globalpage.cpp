// The global settings page: the metronome list, the export of the global
// settings file, and the mapping of the page to and from the global chunk.
#include "setupflow_fixture.h"
#include "mainwindow1/editing/kitpagescontroller.h"
#include "mainwindow1/library/soundlistscontroller.h"
#include "library/records_fixture.h"
#include "support/hangingdisk.h"

#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QElapsedTimer>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace {
// What the page shows of the global chunk.
QStringList pageTexts(Ui::MainWindow1 *ui)
{
    QStringList out;
    for (QLabel *l : {ui->labEditEffect, ui->labEffectOFF, ui->clickInterval, ui->clickPan, ui->clickVolume,
                      ui->clickOutput, ui->audioVolume, ui->btAudioVolume, ui->systanGain, ui->audioOutput,
                      ui->globalCH, ui->midiExtCtrl, ui->midiSync, ui->softThru, ui->pcSwLabel, ui->ccSwLabel,
                      ui->fxCtrl1CCLabel, ui->fxCtrl2CCLabel, ui->lcdContrast, ui->tempoIndicateLabel,
                      ui->labRecLevel, ui->labAutoState, ui->labLoopClick, ui->labLoopQtz, ui->labLoopMeas,
                      ui->labLoopMeasIndex, ui->labRecPad, ui->effectCtrl1, ui->effectCtrl2, ui->effectType,
                      ui->labSensivity, ui->thresholdLabel})
        out << l->text();
    return out << QString::number(ui->ledTypeComboBox->currentIndex()) << ui->ledLogoComboBox->currentText();
}

// A global chunk as its writer writes it.
// The global settings file the document writes of its settings and the page's.
QByteArray written(KitDocument &doc, const KitDocument::GlobalPage &page)
{
    QTemporaryFile t;
    if (!t.open())
        return QByteArray();
    doc.writeGlobalFile(&t, page);
    t.flush();
    t.seek(0);
    return t.readAll();
}
} // namespace

class TestGlobalPage : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFixture> f;

    // Three metronome sounds in place of the default ones; the first and last share their file.
    QStandardItem *addClicks()
    {
        // As a whole setup brings them: the rows show the records' names.
        SoundLibrary &lib = f->w->library();
        lib.clearClickRows();
        lib.dropClickSounds();
        lib.takeClickRecords({});
        QVector<MainWindow1Records::SOUND_LIST_INFO> clicks;
        QVector<MainWindow1Records::SOUND_INDEX> records;
        for (int i = 0; i < 3; ++i) {
            const QString name = QString(QChar('A' + i)), file = i == 1 ? "/c/b.wav" : "/c/click.wav";
            clicks.append({name, file, 0, 0, 0});
            MainWindow1Records::SOUND_INDEX s;
            percussionpadfile::str2CharArray(" " + name, s.wave_name, 16);
            s.file = file;
            s.start_cluster = quint32(100 + i);
            records.append(s);
        }
        lib.takeSetupSounds({}, records, clicks);
        return lib.clickListItemModel()->item(0);
    }

private slots:
    void init() { f.reset(new WindowFixture); }
    void cleanup() { f.reset(); }

    void metronomeList()
    {
        Ui::MainWindow1 *ui = f->ui;
        MainWindow1 *w = f->w;
        QStandardItem *group = addClicks();
        QTreeView *view = ui->clickWaveTreeView;
        view->setCurrentIndex(group->child(1)->index());
        w->on_clickWaveTreeView_pressed(group->child(1, 1)->index());
        QCOMPARE(ui->clickNameLab->text() + QString::number(ui->clickSoundNoSpinBox->value()), QString("B2"));
        ui->clickSoundNoSpinBox->setValue(3);
        ui->clickSoundNoSpinBox->setValue(5); // no fifth sound: nothing changes
        QCOMPARE(ui->clickNameLab->text() + QString::number(view->currentIndex().row()), QString("C2"));

        view->setCurrentIndex(group->child(0)->index());
        ui->btnDelClick->click(); // only its own entries go, not the one sharing its file
        QCOMPARE(group->child(0, 0)->text() + group->child(1, 0)->text() + group->child(1, 1)->text(), QString("12 C"));
        QCOMPARE(w->library().clickList()[1].name + QString::number(w->library().clickSetList()[1].start_cluster),
                 QString("C102"));
        QCOMPARE(view->currentIndex().row(), 0);
        view->setCurrentIndex(group->child(1)->index());
        ui->btnDelClick->click();
        QCOMPARE(view->currentIndex().row(), 0);
        QCOMPARE(w->library().clickList()[0].name, QString("B"));
        ui->btnDelClick->click();
        QVERIFY(group->rowCount() == 0 && !view->currentIndex().isValid() && w->library().clickSetList().isEmpty());
        QVERIFY(f->prompter.prompts.isEmpty());
        view->setCurrentIndex(group->index());
        ui->btnDelClick->click();
        QCOMPARE(f->prompter.titles() + f->prompter.texts(),
                 QStringList({"Warning", "Deleting group name is not supported."}));
    }

    void exportAndReadBack()
    {
        Ui::MainWindow1 *ui = f->ui;
        MainWindow1 *w = f->w;
        addClicks();
        w->soundLists().noteClickListFull(true);
        ui->clickSoundNoSpinBox->setValue(3);
        for (QLabel *l : {ui->clickInterval, ui->clickPan, ui->audioVolume, ui->globalCH})
            l->setText("12");
        ui->clickOutput->setText("Phone");
        ui->midiSync->setText("Reserved");
        ui->tempoIndicateLabel->setText("OFF");
        ui->ledLogoComboBox->setCurrentIndex(5);
        reloadGlobalSettings(w->doc(), w->kitPages().globalPage(), [](KitDocument::GlobalChunk &g) {
            g.effect[0] = {1, 2, 999, 10};
            g.effect[63] = {7, 8, 9, 4};
            g.pfta[0].rim_gain = 33;
        });
        w->on_globalPadComboBox_currentIndexChanged(0);
        w->on_masterEffectComboBox_currentIndexChanged(0);
        QVector<MainWindow1Records::KIT_CHAIN> chains = w->doc().kitChainList();
        chains[4].kit_chain = 1;
        chains[4].kit_chain_No = 4;
        chains[4].curKitChain[4][19] = 100;
        w->doc().applyChains(chains); // as the chain page's OK hands them on

        const QString path = f->work.filePath("out.ini");
        touchFile(path, QByteArray(2000, 'x')); // replaced whole
        f->prompter.fileAnswers.enqueue({path});
        ui->btnGlobal->click();
        const ScriptedPrompter::Prompt &dialog = f->prompter.prompts[0];
        QCOMPARE(QStringList({dialog.title, dialog.text, dialog.filter}),
                 QStringList({"Output", QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                                + QDir::separator() + "Global", "ini files(*.ini *.INI)"}));
        QCOMPARE(f->prompter.titles() + f->prompter.texts(),
                 QStringList({"successfully saved.", "The file has been generated:\r\nFile location:\r\n" + path}));
        QCOMPARE(ui->globalLineEdit->text(), path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(written(w->doc(), w->kitPages().globalPage()), bytes);
        QCOMPARE(bytes.left(4) + bytes.mid(458, 1) + bytes.mid(466, 1) + bytes.mid(482, 1) + bytes.mid(498, 2) + bytes.mid(599, 1),
                 QByteArray("GLOB\x66\x02\x0b\x04\x04\x64")); // cluster 102, sound 3, channel 12, chain 4 on
        QCOMPARE(bytes.size(), 843);

        {
            WindowFixture second; // reads the file back onto the same page
            percussionpadfile pf;
            pf.curFlag = 1;
            file.seek(0);
            QVERIFY(pf.readGlobalChunk(&file));
            second.w->doc().takeGlobalSize(int(pf.new_globalChunk.size));
            second.w->kitPages().showVerAndGlobal1(&pf);
            QCOMPARE(pageTexts(second.ui), pageTexts(ui));
            QCOMPARE(second.ui->version->text(), QString("1.01"));
            QCOMPARE(QVector<int>({second.w->doc().meffChunk1(63).no, second.w->doc().kitChainList()[4].kit_chain,
                                   second.w->doc().kitChainList()[4].curKitChain[4][19],
                                   second.w->doc().originalKitChainList().size()}),
                     QVector<int>({4, 1, 100, 9}));
        }

        f->prompter.clear();
        QFile::remove(path);
        ui->btnGlobal->click(); // cancelled
        QVERIFY(!QFile::exists(path) && ui->globalLineEdit->text().isEmpty());
        const QString lost = f->work.filePath("missing/out.ini");
        f->prompter.fileAnswers.enqueue({lost});
        ui->btnGlobal->click();
        QCOMPARE(f->prompter.titles() + f->prompter.texts(),
                 QStringList({"Error", "Failed to generate file.\r\nFile location:\r\n" + lost + "\r\n"
                                               + std::strerror(ENOENT)}));
        QVERIFY(!QFile::exists(lost));

        // A target whose drive does not answer: the window paints, and the
        // box says the file is not generated; it keeps its bytes.
        const QString held = f->work.filePath("held.ini");
        QVERIFY(kf::writeFile(held, "the old one"));
        f->prompter.clear();
        f->prompter.fileAnswers.enqueue({held});
        {
            QElapsedTimer clock;
            clock.start();
            HangingOpens hanging("/held.ini", 0, HangingOpens::Looks::OpensAndStats);
            const TurnsWhile answering([&] { return hanging.waiting() > 0 && f->prompter.texts().isEmpty(); });
            ui->btnGlobal->click();
            QVERIFY(clock.elapsed() >= 1900);
            QVERIFY(answering.turns() > 0);
            QCOMPARE(hanging.hung(), 1);
            QCOMPARE(hanging.waiting(), 1); // told while the file is held
            QCOMPARE(f->prompter.titles() + f->prompter.texts(),
                     QStringList({"Error", "Failed to generate file.\r\nFile location:\r\n" + held + "\r\n"
                                                   + std::strerror(ETIMEDOUT)}));
            hanging.release();
            QTRY_COMPARE(hanging.waiting(), 0);
        }
        QCOMPARE(kf::readFile(held), QByteArray("the old one"));

        // Its write or its rename hangs: the window paints for 5 s, then a
        // write that did not end is told as a file not generated, a rename
        // as a file that may be there; the old file is whole either way.
        for (const HangingOpens::Looks looks : {HangingOpens::Looks::Writes, HangingOpens::Looks::Renames}) {
            const bool renaming = looks == HangingOpens::Looks::Renames;
            f->prompter.clear();
            f->prompter.fileAnswers.enqueue({held});
            QElapsedTimer clock;
            clock.start();
            HangingOpens hanging(renaming ? "held.ini" : ".zt-part", 0, looks);
            const TurnsWhile answering([&] { return hanging.waiting() > 0 && f->prompter.texts().isEmpty(); });
            ui->btnGlobal->click();
            QVERIFY2(clock.elapsed() >= 5000, qPrintable(QString::number(clock.elapsed())));
            QVERIFY(answering.turns() > 0);
            QCOMPARE(hanging.hung(), 1);
            QCOMPARE(hanging.waiting(), 1); // told while the write is held
            QCOMPARE(f->prompter.titles() + f->prompter.texts(),
                     renaming ? QStringList({"Warning", "The folder stopped answering while this file was being put in "
                                                        "place under its name:\r\n" + held + "\r\nIt may or may not "
                                                        "be there now. A file that had this name before is either still "
                                                        "the old one, whole, or the new one, whole. Please look in the "
                                                        "folder."})
                              : QStringList({"Error", "Failed to generate file.\r\nFile location:\r\n" + held
                                                              + "\r\n" + std::strerror(ETIMEDOUT)}));
            QVERIFY(ui->globalLineEdit->text().isEmpty());
            QCOMPARE(kf::readFile(held), QByteArray("the old one"));
            hanging.release();
            QTRY_COMPARE(hanging.waiting(), 0);
            QTRY_COMPARE(QDir(f->work.path()).entryList({"*held*"}, QDir::Files | QDir::Hidden), QStringList({"held.ini"}));
            QCOMPARE(kf::readFile(held).size(), renaming ? 843 : 11);
        }
        QVERIFY(kf::writeFile(held, "the old one"));

        // A name typed without a suffix is written as an ".ini" file.
        f->prompter.fileAnswers.enqueue({f->work.filePath("Global")});
        ui->btnGlobal->click();
        QCOMPARE(QFileInfo(f->work.filePath("Global.ini")).size() * 10 + QFile::exists(f->work.filePath("Global")), 8430);
        QCOMPARE(ui->globalLineEdit->text(), f->work.filePath("Global.ini"));
        // The dialog asked about "Global" only: the file at "Global.ini" is asked about.
        QVERIFY(kf::writeFile(f->work.filePath("Global.ini"), "the user's older settings"));
        f->prompter.clear();
        f->prompter.buttonAnswers << QMessageBox::No;
        f->prompter.fileAnswers.enqueue({f->work.filePath("Global")});
        ui->btnGlobal->click();
        QCOMPARE(f->prompter.texts(),
                 QStringList({"The file already exists. Do you confirm to overwrite it?\r\nFile location: \r\n"
                                      + f->work.filePath("Global.ini"),
                              "No file was saved: the existing files stay as they were."}));
        QCOMPARE(kf::readFile(f->work.filePath("Global.ini")), QByteArray("the user's older settings"));
        QVERIFY(ui->globalLineEdit->text().isEmpty());
        f->prompter.clear();
        f->prompter.buttonAnswers << QMessageBox::Yes;
        f->prompter.fileAnswers.enqueue({f->work.filePath("Global")});
        ui->btnGlobal->click();
        QCOMPARE(QFileInfo(f->work.filePath("Global.ini")).size(), 843);
    }

    // The export is refused where a save is: onto a library sound, the
    // loaded setup (by another path, or through a link) and a pipe; a link
    // that leads elsewhere is replaced itself.
    void exportGuardedAsSaves()
    {
        f.reset();
        setupflow_test::Fixture g;
        const QString setup = g.file("KIT_ALL.bin"), kick = g.file("kick.wav"), pipe = g.file("pipe.ini");
        const QString soundLink = g.file("sound.ini"), setupLink = g.file("setup.ini"), other = g.file("t/../KIT_ALL.bin");
        QVERIFY(setupflow_test::makeSetup(setup) && kf::writeFile(kick, kf::wavBytes(400, 1)));
        g.importAll(setup);
        editRecords(g.w->library(),
                    [&kick](QVector<MainWindow1Records::SOUND_INDEX> &r) { r.append(sf::plainSound("Kick", kick, 1)); });
        QVERIFY(QDir().mkpath(g.file("t")) && ::mkfifo(QFile::encodeName(pipe), 0600) == 0);
        QVERIFY(QFile::link(kick, soundLink) && QFile::link(setup, setupLink));
        const QByteArray kickBytes = kf::readFile(kick), setupBytes = kf::readFile(setup);
        g.prompter.clear();
        for (const QString &target : {kick, other, setupLink, pipe, soundLink}) {
            g.prompter.fileAnswers.enqueue({target});
            g.ui->btnGlobal->click();
        }
        const QString sound =
                "A sound of the library, a group or the metronome comes from this file, so nothing is saved:\r\n";
        QCOMPARE(g.texts(), QStringList({sound + kick, sound + other, sound + setupLink,
                                         "The target is not a regular file (a folder, pipe or device), so nothing is "
                                         "saved:\r\n" + pipe,
                                         "The file has been generated:\r\nFile location:\r\n" + soundLink}));
        QCOMPARE(kf::readFile(kick), kickBytes);
        QCOMPARE(kf::readFile(setup), setupBytes);
        struct stat st;
        QVERIFY(::lstat(QFile::encodeName(pipe), &st) == 0 && S_ISFIFO(st.st_mode));
        QVERIFY(!QFileInfo(soundLink).isSymLink() && QFileInfo(soundLink).size() == 843);
    }

    void chunkMapping()
    {
        Ui::MainWindow1 *ui = f->ui;
        MainWindow1 *w = f->w;
        percussionpadfile pf;
        pf.initFileChunk();
        pf.identityChunk.version = 255;
        percussionpadfile::NEW_FILE_GLOBAL_CHUNK &g = pf.new_globalChunk;
        g.midi.midi_sync = 3; // no word for it: the label stays
        g.midi.ext_ctrl = 2;
        g.kc.kit_chain = 1;
        g.kc.kit_chain_No = 5;
        g.kc.kitChain[5][2] = 0xFF;
        ui->midiSync->setText("ON");
        w->kitPages().showVerAndGlobal1(&pf);
        QCOMPARE(ui->version->text() + ui->midiSync->text() + ui->midiExtCtrl->text(), QString("0.0255ONON"));
        QCOMPARE(int(w->doc().kitChainList()[5].kit_chain), 1);
        w->doc().beginFile(1);
        w->kitPages().setGlobalFileChunk();
        const percussionpadfile::NEW_FILE_GLOBAL_CHUNK &out = w->doc().cf().new_globalChunk;
        QCOMPARE(QVector<int>({out.kc.kit_chain, out.kc.kit_chain_No, out.kc.kitChain[5][2], out.midi.ext_ctrl,
                               out.midi.midi_sync, out.click.pan, out.click.click_no, int(out.click.click_startCluster)}),
                 QVector<int>({5, 5, 0, 1, 1, 64, 0, 0})); // no metronome sounds chosen
        g.kc.kit_chain = g.kc.kit_chain_No = 0;
        w->kitPages().showVerAndGlobal1(&pf);
        w->kitPages().setGlobalFileChunk();
        QCOMPARE(out.kc.kit_chain * 100 + out.kc.kit_chain_No, 0);
    }

    void oldLayout()
    {
        Ui::MainWindow1 *ui = f->ui;
        MainWindow1 *w = f->w;
        percussionpadfile pf;
        percussionpadfile::FILE_GLOBAL_CHUNK &g = pf.globalChunk;
        g.effect.effectType = 21;
        g.click.click_no = 2;
        g.audio.output = 1;
        g.kc.kit_chain = 1;
        g.kc.kit_chain_No = 3;
        g.kc.kitChain[3][0] = 0xFF;
        g.kc.kitChain[3][1] = 44;
        w->doc().setChainStep(8, 0, 9);
        ui->clickNameLab->setText("kept");
        ui->labSensivity->setText("kept");
        pf.curFlag = 1;
        w->doc().takeGlobalSize(488);
        w->kitPages().showVerAndGlobal1(&pf);
        QCOMPARE(QStringList({ui->effectType->text(), ui->effectCtrl1->text(), ui->clickNameLab->text(),
                              ui->audioOutput->text(), ui->labSensivity->text()}),
                 QStringList({"DANCD-FLA-L", "", "kept", "Phone", "0"}));
        QCOMPARE(ui->clickSoundNoSpinBox->value(), 3);
        const MainWindow1Records::KIT_CHAIN &c = w->doc().kitChainList()[3];
        QCOMPARE(QVector<int>({c.kit_chain, c.curKitChain[3][0], c.curKitChain[3][1],
                               w->doc().kitChainList()[8].curKitChain[8][0], w->doc().originalKitChainList().size()}),
                 QVector<int>({1, 0, 44, 9, 0}));
    }

    // Old-layout triggers are shown, and a global settings file written
    // afterwards carries what both layouts share.
    void oldLayoutTriggersKept()
    {
        Ui::MainWindow1 *ui = f->ui;
        MainWindow1 *w = f->w;
        QByteArray chunk(488, '\0');
        chunk.replace(0, 6, QByteArray("GLOB\xe8\x01", 6));
        for (int p = 0; p < PAD_NUM_MAX; ++p) {
            const char t[7] = {char(20 + p), char(40 + p), char(p % 4), char(60 + p), char(1 + p % 9), char(p % 3),
                               char(p % 2)};
            chunk.replace(256 + 12 * p, 7, QByteArray(t, 7));
        }
        const QString in = f->work.filePath("old.ini");
        touchFile(in, chunk);
        QFile file(in);
        QVERIFY(file.open(QIODevice::ReadOnly));
        percussionpadfile pf;
        pf.curFlag = 1;
        QVERIFY(pf.readGlobalChunk(&file));
        w->doc().takeGlobalSize(int(pf.globalChunk.size));
        w->kitPages().showVerAndGlobal1(&pf);
        auto labels = [ui]() {
            return QStringList{ui->labType->text(),        ui->labSensivity->text(),   ui->curveLabel->text(),
                               ui->maskTimeLabel->text(),  ui->labRetrigLevel->text(), ui->antiCrossLabel->text(),
                               ui->thresholdLabel->text()};
        };
        QCOMPARE(labels(), QStringList({"Custom", "20", "Linear", "60", "Single", "1", "40"}));
        ui->globalPadComboBox->setCurrentIndex(4);
        QCOMPARE(labels(), QStringList({"QR4470", "24", "Linear", "64", "Single", "5", "44"}));

        const QString out = f->work.filePath("out.ini");
        f->prompter.fileAnswers.enqueue({out});
        ui->btnGlobal->click();
        QFile back(out);
        QVERIFY(back.open(QIODevice::ReadOnly));
        percussionpadfile read;
        read.curFlag = 1;
        QVERIFY(read.readGlobalChunk(&back));
        QCOMPARE(int(read.new_globalChunk.size), GLOBAL_CHUNK_SIZE);
        for (int p = 0; p < PAD_NUM_MAX; ++p) {
            const percussionpadfile::NEW_PAD_FS_TRIG_ATTR &t = read.new_globalChunk.pfta[p];
            const bool foot = p >= 17;
            QCOMPARE(QVector<int>({t.type, t.sensivity, t.curve, t.mask_time, t.retrig_level, t.anti_cross,
                                   t.rim_gain, t.dynamic_range}),
                     QVector<int>({0, 20 + p, p % 4, 60 + p, foot ? 10 : 5, 1 + p % 9, 40 + p, 5}));
        }

        // A current-layout chunk of a smaller size is shown as it was read.
        percussionpadfile current;
        current.curFlag = 1;
        current.initFileChunk();
        current.new_globalChunk.pfta[0].sensivity = 77;
        w->doc().takeGlobalSize(600);
        w->kitPages().showVerAndGlobal1(&current);
        QCOMPARE(ui->labSensivity->text(), QString("77"));
    }
};

QTEST_MAIN(TestGlobalPage)
#include "test_globalpage.moc"
