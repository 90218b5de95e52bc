// A setup saved and loaded again as the user does it: three audio files
// imported (converted by the real ffmpeg when saved), put on kits 1 and 2,
// a kit renamed, an effect and a global setting changed; Export All and a
// kit save, then a fresh window imports the whole setup and the kit files.
#include "mainwindow1/library/rawfile.h"
#include "mainwindow1/editing/mainpadpagecontroller.h"
#include "dropfixture.h"
#include "mainwindow1/shell/shellcontroller.h"
#include "setupflow_fixture.h"
#include "soundlib_fixture.h"

#include <QTemporaryFile>
#include <QtTest>

using namespace setupflow_test;
using sf::Editor;

namespace {

QStringList slotNames(const Kit &k)
{
    QStringList out;
    sf::forEachSoundSlot(k, [&out](auto s) { out << s.name; });
    return out;
}

QStringList slotFiles(const Kit &k)
{
    QStringList out;
    sf::forEachSoundSlot(k, [&out](auto s) { out << s.file; });
    return out;
}

QByteArray globalBytes(MainWindow1 *w)
{
    w->kitPages().setGlobalFileChunk();
    QTemporaryFile t;
    if (!t.open())
        return QByteArray();
    w->doc().writeGlobalFile(&t, w->kitPages().globalPage());
    t.flush();
    t.seek(0);
    return t.readAll();
}

// Each kit's sounds, slot by slot, as bytes.
QVector<QByteArray> kitSoundBytes(const Editor &e, const Kit &kit)
{
    QVector<QByteArray> out;
    for (const QString &f : slotFiles(kit))
        out << (f.isEmpty() ? QByteArray() : sf::soundBytes(e, f));
    return out;
}

} // namespace

class TestSetupRoundTrip : public QObject
{
    Q_OBJECT

private slots:
    void savedAndLoadedAgain()
    {
        auto a = std::make_unique<Fixture>();
        MainWindow1 *w = a->w;
        const QStringList audio = {soundlib::writeBytes(a->file("one.wav"), soundlib::pcmWav(1, 44100, 2205)),
                                   soundlib::writeBytes(a->file("two.wav"), soundlib::pcmWav(2, 22050, 3000)),
                                   soundlib::writeBytes(a->file("three.wav"), soundlib::pcmWav(2, 48000, 1500))};
        a->prompter.fileAnswers.enqueue(audio);
        a->ui->tbtAddWave->click();
        QCOMPARE(w->library().totalListItemModel()->soundCount(), 3);
        // What every sound is saved as: the device form ffmpeg gives.
        QMap<QString, QByteArray> device;
        QStringList sources = audio;
        for (const MainWindow1Records::SOUND_LIST_INFO &c : qAsConst(w->library().clickList()))
            sources << c.file;
        QCOMPARE(sources.size(), 8);
        for (const QString &s : qAsConst(sources)) {
            QVERIFY(w->rawFiles().getRawFile(s, a->file("device.wav"), nullptr) > 44);
            device.insert(s, kf::readFile(a->file("device.wav")));
        }

        // On kits 1 and 2 and a hi-hat slot of kit 2; kit 2 renamed.
        auto put = [](QString &file, QString &name, const QString &source) {
            file = source;
            name = QFileInfo(source).completeBaseName();
        };
        a->editKit(1, [&](Kit &k) {
            put(k.kpadChunk[0].soundFile0, k.kpadChunk[0].soundName0, audio[0]);
            put(k.kpadChunk[5].soundFile1, k.kpadChunk[5].soundName1, audio[1]);
        });
        a->editKit(2, [&](Kit &k) {
            put(k.kpadChunk[3].soundFile0, k.kpadChunk[3].soundName0, audio[2]);
            put(k.pedalChunk.hh_wave1_file, k.pedalChunk.hh_wave1_name, audio[1]);
        });
        a->typeKitNumber("2");
        a->ui->kitNameLineEdit->setText("Groove");
        QTest::keyClick(a->ui->kitNameLineEdit, Qt::Key_Return);
        QCOMPARE(a->kit(2).kit_name, QString("Groove"));
        // An effect on kit 1's settings page, left pending; a global setting.
        a->openKitPage(1);
        a->ui->kitEffect1->setCurrentIndex(3);
        a->ui->lcdContrast->setText("7");
        // Effect number 4, which the files store as 10.
        a->editKit(2, [](Kit &k) { k.pedalChunk.active_no = k.effect1_no = 4; });
        a->editKit(3, [](Kit &k) { k.effect2_no = 4; });

        a->prompter.clear();
        const QString setup = a->file("SET.bin"), folder = a->file("kits");
        QVERIFY(QDir().mkpath(folder));
        a->exportAll(setup);
        QCOMPARE(int(a->kit(1).kit_effect1), 3);
        a->saveKits({1, 2}, folder);
        QCOMPARE(a->prompter.titles(), QStringList({"successfully saved.", "successfully saved."}));
        const QStringList kitFiles = {folder + "/New Kit.INI", folder + "/Groove.INI"};
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 QStringList({"Groove.INI", "New Kit.INI"}));

        // A fresh window imports the whole setup, then the kit files.
        auto b = std::make_unique<Fixture>();
        MainWindow1 *v = b->w;
        b->importAll(setup);
        b->importPicks(kitFiles);
        QCOMPARE(b->texts().size(), 2); // the two questions
        QCOMPARE(globalBytes(v), globalBytes(w));
        QCOMPARE(v->form()->lcdContrast->text(), QString("7"));
        Editor loaded;
        loaded.loaded = v->library().loadedKitFiles();
        for (int k = 0; k < KIT_MAX_COUNT; ++k) {
            const Kit saved = w->doc().kitAttrList().at(k), back = v->doc().kitAttrList().at(k);
            QVERIFY2(sf::sameSettings(saved, back), qPrintable(QString::number(k + 1)));
            QCOMPARE(slotNames(back), slotNames(saved));
            const QStringList files = slotFiles(saved);
            const QVector<QByteArray> bytes = kitSoundBytes(loaded, back);
            for (int i = 0; i < files.size(); ++i)
                QCOMPARE(bytes.at(i), files.at(i).isEmpty() ? QByteArray() : device.value(files.at(i)));
        }
        QCOMPARE(v->library().clickList().size(), 5);
        for (int c = 0; c < 5; ++c) {
            QCOMPARE(v->library().clickList().at(c).name, w->library().clickList().at(c).name);
            QCOMPARE(sf::soundBytes(loaded, v->library().clickList().at(c).file),
                     device.value(w->library().clickList().at(c).file));
        }

        // Saving again gives the same sounds; the kit files come out the same.
        const QString again = b->file("AGAIN.bin"), folder2 = b->file("kits2");
        QVERIFY(QDir().mkpath(folder2));
        b->prompter.clear();
        b->exportAll(again);
        b->saveKits({1, 2}, folder2);
        QCOMPARE(b->prompter.titles(), QStringList({"successfully saved.", "successfully saved."}));
        for (const char *name : {"New Kit.INI", "Groove.INI"})
            QCOMPARE(kf::readFile(folder2 + "/" + name), kf::readFile(folder + "/" + name));
        Editor first, second;
        QCOMPARE(sf::loadWholeSetup(first, setup), setupfiles::LoadError::None);
        QCOMPARE(sf::loadWholeSetup(second, again), setupfiles::LoadError::None);
        for (int k = 0; k < KIT_MAX_COUNT; ++k)
            QCOMPARE(kitSoundBytes(second, second.kits.at(k)), kitSoundBytes(first, first.kits.at(k)));
        b.reset();
    }

    // A name is saved as it is shown: a group's Chinese file name, a kit
    // file's stored UTF-8 and Latin-1 names come in as ASCII, told in one box
    // each, and come back the same from the saved file.
    void namesShownAreTheNamesSaved()
    {
        DropFixture a;
        MainWindow1 *w = a.w;
        const QString drum = soundlib::writeBytes(a.work.filePath(QString::fromUtf8("底鼓.wav")),
                                                  soundlib::pcmWav(1, 44100, 2205));
        QStandardItem *group = w->library().soundListItemModel()->item(0);
        w->form()->waveGroupTreeView->setCurrentIndex(group->index());
        a.prompter.fileAnswers.enqueue({drum});
        w->form()->addWaveFile->click();
        const QString lead = "These sound names were changed to names the sampler pad can hold:\r\n";
        QCOMPARE(a.prompter.texts(), QStringList({lead + QString::fromUtf8("\"\u2068底鼓\u2069\" → \"\u2068di gu\u2069\"")}));
        a.dropOnPad(0, 0, dragpayload::record(group->child(0, 0)->text(), group->child(0, 1)->text()));
        QCOMPARE(a.kit(1).kpadChunk[0].soundName0 + '|' + w->mainPadPage().padWidgetGroup()[0].lableA->text(), QString("di gu|di gu"));
        QCOMPARE(a.prompter.texts().size(), 1);

        const QString kitFile = a.work.filePath("K003.INI");
        QVERIFY(makeKitFile(kitFile, 3));
        QByteArray bytes = kf::readFile(kitFile);
        const int names = int(kf::rd32(bytes, 28)) + 12;
        bytes.replace(names, 20, QByteArray("\xE5\x86\x9B\xE9\xBC\x93").leftJustified(20, '\0')); // UTF-8
        bytes.replace(names + 80, 20, QByteArray("Tom\xE9").leftJustified(20, '\0'));                 // Latin-1
        QVERIFY(kf::writeFile(kitFile, bytes));
        a.prompter.fileAnswers.enqueue({kitFile});
        a.ui->btnLoadFile->click();
        QCOMPARE(a.prompter.texts().size(), 3); // after the question about loaded files
        QCOMPARE(a.prompter.texts().last(),
                 QString("These sound names stored in the kit file ") + QChar(0x2068) + kitFile + QChar(0x2069)
                         + QString::fromUtf8(" were changed to names the sampler pad can hold:\r\n\"\u2068军鼓\u2069\" → "
                                             "\"\u2068jun gu\u2069\"\r\n\"\u2068Snare_\u2069\" → \"\u2068Snare\u2069\"\r\n\"\u2068Tomé\u2069\" → \"\u2068Tome\u2069\""));
        QVERIFY(slotNames(a.kit(3)).contains("jun gu"));

        const QString setup = a.work.filePath("SET.bin");
        a.prompter.clear();
        a.prompter.fileAnswers.enqueue({setup});
        a.ui->actionExport_All->trigger();
        QCOMPARE(a.prompter.titles(), QStringList({"successfully saved."}));
        const QStringList shown = a.totalRows();
        QCOMPARE(shown.size(), 4);
        const QByteArray saved = kf::readFile(setup);
        for (const char *name : {"di gu", "jun gu", "Snare", "Tome"})
            QVERIFY2(saved.contains(QByteArray(name) + '\0') && shown.join('|').contains(name), name);

        auto b = std::make_unique<Fixture>();
        b->importAll(setup);
        QCOMPARE(b->texts().size(), 1); // the question alone: no name changed
        QStringList back;
        for (int r = 0; r < b->w->library().totalListItemModel()->soundCount(); ++r)
            back << b->w->library().totalListItemModel()->soundItem(r, 1)->text();
        QStringList before;
        for (const QString &row : shown)
            before << row.section('|', 1, 1);
        QCOMPARE(back, before);
        for (int k = 0; k < KIT_MAX_COUNT; ++k)
            QCOMPARE(slotNames(b->w->doc().kitAttrList().at(k)), slotNames(w->doc().kitAttrList().at(k)));
    }
};

QTEST_MAIN(TestSetupRoundTrip)
#include "test_setuproundtrip.moc"
