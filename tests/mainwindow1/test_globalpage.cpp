// The global settings page: the metronome list, the export of the global
// settings file, and the mapping of the page to and from the global chunk.
#include "windowfixture.h"

#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QtTest>

#include <memory>

namespace {
// The labels and boxes of the page the global chunk maps, as shown.
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
    out << QString::number(ui->ledTypeComboBox->currentIndex()) << QString::number(ui->ledLogoComboBox->currentIndex());
    return out;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The chunk the window's model writes, as bytes.
QByteArray writtenChunk(percussionpadfile &pf)
{
    QTemporaryFile t;
    if (!t.open())
        return QByteArray();
    pf.writeGlobalChunk(&t);
    t.flush();
    t.seek(0);
    return t.readAll();
}
} // namespace

class TestGlobalPage : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFixture> f;

    // Three metronome sounds; the first and last share their file.
    void addClicks()
    {
        MainWindow1 *w = f->w;
        auto *group = new QStandardItem("Metronome Sound Group");
        const QStringList names = {"A", "B", "C"};
        const QStringList files = {"/c/click.wav", "/c/b.wav", "/c/click.wav"};
        for (int i = 0; i < 3; ++i) {
            group->appendRow({new QStandardItem(QString::number(i + 1)), new QStandardItem(" " + names[i]),
                              new QStandardItem(files[i])});
            MainWindow1::SOUND_LIST_INFO info;
            info.name = names[i];
            info.file = files[i];
            w->clickList.append(info);
            MainWindow1::SOUND_INDEX s;
            s.file = files[i];
            s.start_cluster = quint32(100 + i);
            s.wave_length = quint32(1000 + i);
            w->clickSetList.append(s);
        }
        w->clickListItemModel->appendRow(group);
    }

private slots:
    void init() { f.reset(new WindowFixture); }
    void cleanup()
    {
        f.reset();
        curFlag = 0;
    }

    void metronomeList()
    {
        Ui::MainWindow1 *ui = f->ui;
        MainWindow1 *w = f->w;
        addClicks();
        QStandardItem *group = w->clickListItemModel->item(0);
        QTreeView *view = ui->clickWaveTreeView;

        view->setCurrentIndex(group->child(1)->index());
        w->on_clickWaveTreeView_pressed(group->child(1, 1)->index());
        QCOMPARE(ui->clickSoundNoSpinBox->value(), 2);
        QCOMPARE(ui->clickNameLab->text(), QString("B"));
        ui->clickSoundNoSpinBox->setValue(3);
        QCOMPARE(ui->clickNameLab->text(), QString("C"));
        QCOMPARE(view->currentIndex().row(), 2);
        ui->clickSoundNoSpinBox->setValue(5);
        QCOMPARE(ui->clickNameLab->text(), QString("C"));
        QCOMPARE(view->currentIndex().row(), 2);

        // Deleting the first row removes only its own entries, not the duplicate.
        view->setCurrentIndex(group->child(0)->index());
        ui->btnDelClick->click();
        QCOMPARE(group->rowCount(), 2);
        QCOMPARE(group->child(0, 0)->text(), QString("1"));
        QCOMPARE(group->child(1, 0)->text(), QString("2"));
        QCOMPARE(group->child(1, 1)->text(), QString(" C"));
        QCOMPARE(w->clickList.size(), 2);
        QCOMPARE(w->clickList[1].name, QString("C"));
        QCOMPARE(w->clickSetList.size(), 2);
        QCOMPARE(w->clickSetList[1].file, QString("/c/click.wav"));
        QCOMPARE(view->currentIndex(), group->child(0)->index());
        QCOMPARE(ui->clickSoundNoSpinBox->value(), 5);

        view->setCurrentIndex(group->child(1)->index());
        ui->btnDelClick->click();
        QCOMPARE(view->currentIndex(), group->child(0)->index());
        QCOMPARE(w->clickList.size(), 1);
        QCOMPARE(w->clickList[0].name, QString("B"));
        ui->btnDelClick->click();
        QCOMPARE(group->rowCount(), 0);
        QVERIFY(!view->currentIndex().isValid());
        QVERIFY(w->clickSetList.isEmpty());
        QVERIFY(f->prompter.prompts.isEmpty());

        view->setCurrentIndex(group->index());
        ui->btnDelClick->click();
        QCOMPARE(f->prompter.titles(), QStringList{"Warning"});
        QCOMPARE(f->prompter.texts(), QStringList{"Deleting group name is not supported."});
    }

    void exportAndReadBack()
    {
        Ui::MainWindow1 *ui = f->ui;
        MainWindow1 *w = f->w;
        addClicks();
        w->clickFlag = true;
        ui->clickSoundNoSpinBox->setValue(3);
        ui->clickInterval->setText("3");
        ui->clickPan->setText("12");
        ui->clickOutput->setText("Phone");
        ui->audioVolume->setText("90");
        ui->globalCH->setText("5");
        ui->midiSync->setText("Reserved");
        ui->softThru->setText("ON");
        ui->ledTypeComboBox->setCurrentIndex(2);
        ui->ledLogoComboBox->setCurrentIndex(5);
        ui->tempoIndicateLabel->setText("OFF");
        w->curEditEffect = 3;
        ui->labEditEffect->setText("3");
        w->meffChunk1[0] = {1, 2, 999, 10};
        w->meffChunk1[63] = {7, 8, 9, 4};
        w->curRecLevel = 70;
        w->curAutoState = 0;
        ui->labRecLevel->setText("70");
        ui->labAutoState->setText("OFF");
        w->padTrigList1[0].rim_gain = 33;
        w->kitChainList[4].kit_chain = 1;
        w->kitChainList[4].kit_chain_No = 4;
        w->kitChainList[4].curKitChain[4][0] = 12;
        w->kitChainList[4].curKitChain[4][19] = 100;

        const QString path = f->work.filePath("out.ini");
        touchFile(path, QByteArray(2000, 'x')); // replaced whole
        f->prompter.fileAnswers.enqueue({path});
        ui->btnGlobal->click();
        const ScriptedPrompter::Prompt &dialog = f->prompter.prompts[0];
        QCOMPARE(dialog.kind, UiPrompter::SaveFile);
        QCOMPARE(dialog.title, QString("Output"));
        QCOMPARE(dialog.text, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                      + QDir::separator() + "Global");
        QCOMPARE(dialog.filter, QString("ini files(*.ini)"));
        QCOMPARE(f->prompter.titles(), QStringList{"successfully saved."});
        QCOMPARE(f->prompter.texts(),
                 QStringList{"The file has been generated:\r\nFile location:\r\n" + path});
        QCOMPARE(ui->globalLineEdit->text(), path);
        QCOMPARE(curFlag, 1);

        const QByteArray bytes = fileBytes(path);
        QCOMPARE(bytes.size(), 843);
        QVERIFY(bytes.startsWith("GLOB"));
        w->cf.initFileChunk();
        w->setGlobalFileChunk();
        QCOMPARE(writtenChunk(w->cf), bytes);
        QCOMPARE(int(uchar(bytes[458 + 8])), 2);          // click sound 3
        QCOMPARE(int(uchar(bytes[458])), 102);             // its start cluster
        QCOMPARE(int(uchar(bytes[458 + 10])), 12);         // pan "12"
        QCOMPARE(int(uchar(bytes[482])), 4);               // MIDI channel 5
        QCOMPARE(bytes.mid(498, 2), QByteArray("\x04\x04")); // chain 4 on
        QCOMPARE(int(uchar(bytes[500 + 4 * 20 + 19])), 100);

        // Read back into a second window: the same page.
        {
            WindowFixture second;
            curFlag = 1;
            percussionpadfile pf;
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(pf.readGlobalChunk(&file));
            second.w->globalSize = int(pf.new_globalChunk.size);
            second.ui->version->setText("x");
            second.w->showVerAndGlobal1(&pf);
            QCOMPARE(second.ui->version->text(), QString("x"));
            ui->masterEffectComboBox->setCurrentIndex(1);
            ui->masterEffectComboBox->setCurrentIndex(0);
            w->on_globalPadComboBox_currentIndexChanged(0);
            QCOMPARE(pageTexts(second.ui), pageTexts(ui));
            QCOMPARE(second.ui->effectType->text(), QString("/"));
            QCOMPARE(second.ui->labAutoState->text(), QString("OFF"));
            QCOMPARE(second.ui->clickSoundNoSpinBox->value(), 3);
            QCOMPARE(int(second.w->meffChunk1[63].no), 4);
            QCOMPARE(int(second.w->padTrigList1[0].rim_gain), 33);
            QCOMPARE(int(second.w->kitChainList[4].kit_chain), 1);
            QCOMPARE(int(second.w->kitChainList[4].curKitChain[4][0]), 12);
            QCOMPARE(int(second.w->kitChainList[3].kit_chain), 0);
            QCOMPARE(second.w->originalKitChainList.size(), 9);
        }

        // Cancel writes nothing; a folder that is not there is reported.
        f->prompter.clear();
        QFile::remove(path);
        ui->btnGlobal->click();
        QVERIFY(!QFile::exists(path));
        QCOMPARE(f->prompter.prompts.size(), 1);
        QVERIFY(ui->globalLineEdit->text().isEmpty());
        const QString lost = f->work.filePath("missing/out.ini");
        f->prompter.fileAnswers.enqueue({lost});
        ui->btnGlobal->click();
        QCOMPARE(f->prompter.titles(), QStringList{"Error"});
        QCOMPARE(f->prompter.texts(), QStringList{"Failed to generate file.\r\nFile location:\r\n" + lost});
        QVERIFY(!QFile::exists(lost));
    }

    void chunkMapping()
    {
        Ui::MainWindow1 *ui = f->ui;
        MainWindow1 *w = f->w;
        percussionpadfile pf;
        curFlag = 0;
        pf.initFileChunk();
        pf.identityChunk.version = 255;
        percussionpadfile::NEW_FILE_GLOBAL_CHUNK &g = pf.new_globalChunk;
        g.midi.midi_sync = 3;
        g.midi.ext_ctrl = 2;
        g.click.click_output = 7;
        g.kc.kit_chain = 1;
        g.kc.kit_chain_No = 5;
        g.kc.kitChain[5][2] = 0xFF;
        g.kc.kitChain[5][3] = 8;
        ui->midiSync->setText("ON");
        w->showVerAndGlobal1(&pf);
        QCOMPARE(ui->version->text(), QString("0.0255"));
        QCOMPARE(ui->midiSync->text(), QString("ON"));
        QCOMPARE(ui->midiExtCtrl->text(), QString("ON"));
        QCOMPARE(ui->clickOutput->text(), QString("Master&Phone"));
        QCOMPARE(int(w->kitChainList[5].kit_chain), 1);
        QCOMPARE(int(w->kitChainList[5].curKitChain[5][2]), 0);
        pf.identityChunk.version = 257;
        w->showVerAndGlobal1(&pf);
        QCOMPARE(ui->version->text(), QString("1.01"));

        curFlag = 1;
        w->cf.initFileChunk();
        w->setGlobalFileChunk();
        const percussionpadfile::NEW_FILE_GLOBAL_CHUNK &out = w->cf.new_globalChunk;
        QCOMPARE(int(out.kc.kit_chain), 5);
        QCOMPARE(int(out.kc.kit_chain_No), 5);
        QCOMPARE(int(out.kc.kitChain[5][3]), 8);
        QCOMPARE(int(out.midi.ext_ctrl), 1);
        QCOMPARE(int(out.midi.midi_sync), 1);
        QCOMPARE(int(out.click.pan), 64); // "Center"
        QCOMPARE(int(out.click.click_no), 0); // no metronome sounds chosen
        QCOMPARE(out.click.click_startCluster + out.click.click_waveLength, 0u);

        // All chains off.
        g.kc.kit_chain = 0;
        g.kc.kit_chain_No = 0;
        w->showVerAndGlobal1(&pf);
        w->cf.initFileChunk();
        w->setGlobalFileChunk();
        QCOMPARE(int(w->cf.new_globalChunk.kc.kit_chain), 0);
        QCOMPARE(int(w->cf.new_globalChunk.kc.kit_chain_No), 0);
        QCOMPARE(w->originalKitChainList.size(), 27);
    }

    void oldLayout()
    {
        Ui::MainWindow1 *ui = f->ui;
        MainWindow1 *w = f->w;
        percussionpadfile pf;
        percussionpadfile::FILE_GLOBAL_CHUNK &g = pf.globalChunk;
        g.effect.effectType = 21;
        g.effect.effectCtrl1 = 20;
        g.click.click_no = 2;
        g.audio.output = 1;
        g.midi.global_ch = 0;
        g.kc.kit_chain = 1;
        g.kc.kit_chain_No = 3;
        g.kc.kitChain[3][0] = 0xFF;
        g.kc.kitChain[3][1] = 44;
        w->kitChainList[8].curKitChain[8][0] = 9;
        ui->clickNameLab->setText("kept");
        ui->labSensivity->setText("kept");
        curFlag = 1;
        w->globalSize = 488;
        w->showVerAndGlobal1(&pf);
        QCOMPARE(ui->effectType->text(), QString("DANCD-FLA-L"));
        QVERIFY(ui->effectCtrl1->text().isEmpty());
        QCOMPARE(ui->clickSoundNoSpinBox->value(), 3);
        QCOMPARE(ui->clickNameLab->text(), QString("kept"));
        QCOMPARE(ui->audioOutput->text(), QString("Phone"));
        QCOMPARE(ui->globalCH->text(), QString("1"));
        QCOMPARE(int(w->kitChainList[3].kit_chain), 1);
        QCOMPARE(int(w->kitChainList[3].curKitChain[3][0]), 0);
        QCOMPARE(int(w->kitChainList[3].curKitChain[3][1]), 44);
        QCOMPARE(int(w->kitChainList[8].curKitChain[8][0]), 9);
        QVERIFY(w->originalKitChainList.isEmpty());
        QCOMPARE(ui->labSensivity->text(), QString("kept")); // no old trigger list
    }
};

QTEST_MAIN(TestGlobalPage)
#include "test_globalpage.moc"
