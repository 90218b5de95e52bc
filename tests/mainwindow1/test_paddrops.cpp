// Sounds dropped on the pads of the shown kit, offline and on the pad: the
// layer hit, registration of new sounds, the refusals and their messages.
#include "dropfixture.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
const QString kLimit = "The number of sound can not exceed 9999.";
QStringList twice(const QString &text)
{
    return {text, text};
}
QString record(const QString &name, const QString &path)
{
    return dragpayload::record(name, path);
}
} // namespace

class TestPadDrops : public QObject
{
    Q_OBJECT

    std::unique_ptr<DropFixture> f;

    MainWindow1::KIT_PAD_SETTING &pad(int kit, int p) { return f->kit(kit).kpadChunk[p]; }
    QString layers(int kit, int p)
    {
        const MainWindow1::KIT_PAD_SETTING &s = pad(kit, p);
        return s.soundName0 + '|' + s.soundFile0 + '|' + s.soundName1 + '|' + s.soundFile1;
    }

private slots:
    void init() { f.reset(new DropFixture); }
    void cleanup() { f.reset(); }

    void newAndKnownSoundsOffline()
    {
        MainWindow1 *w = f->w;
        const QString kick = f->sound("Kick.wav");
        f->typeKitNumber("3");
        QVERIFY(f->dropOnPad(0, 0, record("Kick", kick)));
        QCOMPARE(layers(3, 0), "Kick|" + kick + "||");
        QCOMPARE(f->ui->labPad01a->text(), QString("Kick"));
        QCOMPARE(f->totalRows(), QStringList({"1|Kick|" + kick}));
        QCOMPARE(f->mirrorRows(), QStringList({"Kick|" + kick}));
        QCOMPARE(w->soundList, QStringList({"Kick"}));
        QCOMPARE(w->waveLoadKitAttrList.size(), 1);
        const MainWindow1::SOUND_INDEX &s = w->waveLoadKitAttrList[0];
        QCOMPARE(QByteArray(s.wave_name, 16), QByteArray("Kick").leftJustified(16, '\0'));
        QCOMPARE(s.file + QString::number(s.wave_No) + QString::number(s.wave_lock), kick + "11");
        QCOMPARE(w->kitPadList[2][0].soundFile0, kick);
        QVERIFY(!(f->ui->totalWaveTreeView->model()->flags(w->totalGroup->child(0, 0)->index()) & Qt::ItemIsEditable));

        // Known: only the layer; a new number follows the last entry, not the highest.
        w->waveLoadKitAttrList.prepend(w->waveLoadKitAttrList[0]);
        w->waveLoadKitAttrList[0].wave_No = 40;
        QVERIFY(f->dropOnPad(16, 1, record("Kick", kick)));
        QCOMPARE(layers(3, 16), "||Kick|" + kick);
        QCOMPARE(f->totalRows().size(), 1);
        const QString snare = f->sound("Snare.wav");
        QVERIFY(f->dropOnPad(18, 0, record("Snare", snare))); // a foot switch, layer A only
        QCOMPARE(layers(3, 18), "Snare|" + snare + "||");
        QCOMPARE(f->totalRows().last(), "2|Snare|" + snare);
        QCOMPARE(f->ui->labPad19a->text(), QString("Snare"));
        QVERIFY(f->prompter.prompts.isEmpty());
        QCOMPARE(w->currentKitNum, quint8(2));
    }

    void outsideLabelsRegistersOnly()
    {
        const QString tom = f->sound("Tom.wav");
        MainWindow1::strPadWidgetGroup &g = f->w->padWidgetGroup[4];
        QPoint spot(-1, -1);
        for (int y = 0; y < g.group->height() && spot.x() < 0; ++y) {
            for (int x = 0; x < g.group->width(); ++x) {
                const QPoint p(x, y);
                if (!QRect(g.lableA->mapTo(g.group, QPoint()), g.lableA->size()).contains(p)
                    && !QRect(g.lableB->mapTo(g.group, QPoint()), g.lableB->size()).contains(p)) {
                    spot = p;
                    break;
                }
            }
        }
        QVERIFY(spot.x() >= 0);
        auto mime = DropFixture::payload(record("Tom", tom));
        f->drag(g.group, spot, mime.get());
        QCOMPARE(layers(1, 4), QString("|||"));
        QCOMPARE(f->totalRows(), QStringList({"1|Tom|" + tom}));
        QVERIFY(!f->w->dragFlag);
    }

    void refusalsChangeNothing()
    {
        MainWindow1 *w = f->w;
        pad(1, 2).soundName0 = "Old";
        pad(1, 2).soundFile0 = "/old.wav";
        const QString before = layers(1, 2);
        const QString gone = f->work.filePath("Gone.wav");
        QVERIFY(f->dropOnPad(2, 0, record("Gone", gone)));
        QVERIFY(f->dropOnPad(18, 0, record("Gone", gone))); // foot switches check too
        QCOMPARE(f->prompter.texts(), twice("Gone does not exist.\r\nPlease check path:" + gone));
        QCOMPARE(f->prompter.titles(), QStringList({"Error", "Error"}));

        // A sound inside a kit file passes while the kit file exists.
        const QString setup = f->sound("Setup.BIN");
        QVERIFY(f->dropOnPad(2, 1, record("Stored", setup + ":U00003")));
        QCOMPARE(pad(1, 2).soundFile1, setup + ":U00003");
        QVERIFY(f->dropOnPad(2, 1, record("Stored", f->work.filePath("None.BIN") + ":U00003")));
        QCOMPARE(f->prompter.texts().last(), "Stored does not exist.\r\nPlease check path:" + f->work.filePath("None.BIN"));

        // No kit shown: swallowed without a message.
        const QString stored = layers(1, 2);
        f->prompter.clear();
        f->ui->kitNumber->clear();
        const QString hat = f->sound("Hat.wav");
        f->dropOnPad(2, 0, record("Hat", hat));
        QCOMPARE(layers(1, 2), stored);
        QVERIFY(f->prompter.prompts.isEmpty());
        QCOMPARE(w->currentKitNum, quint8(255));
        // An empty payload changes nothing either.
        f->typeKitNumber("1");
        f->dropOnPad(2, 0, QString());
        QCOMPARE(layers(1, 2), stored);
        QCOMPARE(f->totalRows().size(), 1);
    }

    // Both limits refuse new sounds only, and leave the layer as it was.
    void limitsRefuseNewSoundsOnly()
    {
        MainWindow1 *w = f->w;
        const QString known = f->sound("Known.wav");
        const QString fresh = f->sound("Fresh.wav");
        f->addListed("Known", known, 1);
        for (int i = 1; i < WAVE_MAX_COUNT; ++i)
            w->totalGroup->appendRow({new QStandardItem, new QStandardItem, new QStandardItem("/x/" + QString::number(i))});
        pad(1, 0).soundName0 = "Old";
        QVERIFY(f->dropOnPad(0, 0, record("Fresh", fresh)));
        QCOMPARE(pad(1, 0).soundName0, QString("Old"));
        QVERIFY(f->dropOnPad(0, 0, record("Known", known)));
        QCOMPARE(pad(1, 0).soundName0, QString("Known"));
        QVERIFY(f->dropOnPad(17, 0, record("Fresh", fresh))); // the foot switches too
        QCOMPARE(pad(1, 17).soundName0, QString());
        QCOMPARE(f->prompter.texts(), twice(kLimit));
        QCOMPARE(f->prompter.titles(), twice("Warning"));

        w->totalGroup->removeRows(1, WAVE_MAX_COUNT - 1);
        w->waveLoadKitAttrList.last().wave_No = WAVE_MAX_COUNT;
        f->prompter.clear();
        f->dropOnPad(0, 1, record("Fresh", fresh));
        QCOMPARE(pad(1, 0).soundName1, QString());
        QCOMPARE(f->prompter.texts(), QStringList({kLimit}));
        QVERIFY(f->dropOnPad(0, 1, record("Known", known)));
        QCOMPARE(pad(1, 0).soundName1, QString("Known"));
        QCOMPARE(f->totalRows().size(), 1);
        QCOMPARE(w->waveLoadKitAttrList.size(), 1);
    }

    // A sound is the same sound only by its whole path, letter case included.
    void exactPaths()
    {
        const QString kick = f->sound("Kick.wav");
        f->addListed("Longer", kick + "2", 1);
        f->addListed("Upper", kick.toUpper(), 2);
        QVERIFY(f->dropOnPad(1, 0, record("Kick", kick)));
        QCOMPARE(f->totalRows().last(), "3|Kick|" + kick);
        f->w->totalGroup->child(2, 2)->setText("/elsewhere.wav"); // the index follows edits
        QVERIFY(f->dropOnPad(1, 1, record("Kick", kick)));
        QCOMPARE(f->totalRows().last(), "4|Kick|" + kick);
    }

    void severalSoundsBlockThePads()
    {
        MainWindow1 *w = f->w;
        w->dropToPadOrRight = true;
        QEvent paint(QEvent::Enter);
        QApplication::sendEvent(f->ui->left_stackedSoundWidget, &paint);
        for (const MainWindow1::strPadWidgetGroup &g : w->padWidgetGroup)
            QVERIFY(!g.group->acceptDrops());
        w->dropToPadOrRight = false;
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(w->padWidgetGroup[3].group, &enter);
        for (const MainWindow1::strPadWidgetGroup &g : w->padWidgetGroup)
            QVERIFY(g.group->acceptDrops());
    }

    void deviceModeQueuesNewSounds()
    {
        MainWindow1 *w = f->w;
        f->deviceMode();
        QSignalSpy update(w, &MainWindow1::sendUpdate);
        const QString a = f->sound("A.wav"), b = f->sound("B.wav");
        const QString known = f->sound("Known.wav");
        f->addListed("Known", known, 7);
        w->addUsbWaveNumList = {3};
        w->dragLeftOrRight = 0;
        // The last record closed by "#" is the sound.
        QVERIFY(f->dropOnPad(5, 0, record("A", a) + "#" + record("B", b) + "#"));
        QCOMPARE(pad(1, 5).soundName0 + pad(1, 5).soundFile0, "B" + b);
        QCOMPARE(w->addUsbWaveList, QStringList({b}));
        QCOMPARE(w->addUsbWaveNumList, QVector<quint16>({3, 8}));
        QCOMPARE(w->waveLoadKitAttrList.last().file + QString::number(w->waveLoadKitAttrList.last().wave_No), b + "8");
        QCOMPARE(f->totalRows().size(), 1); // rows come when the file is on the pad
        QCOMPARE(update.count(), 1);
        QCOMPARE(update[0], QVariantList({1, 0}));

        QVERIFY(f->dropOnPad(5, 1, record("Known", known) + "#"));
        QCOMPARE(pad(1, 5).soundFile1, known);
        QVERIFY(w->addUsbWaveList.isEmpty());
        QCOMPARE(update.count(), 1);

        // A drag from the pad's own list queues nothing.
        w->dragLeftOrRight = 1;
        const QString c = f->sound("C.wav");
        w->waveLoadKitAttrList.last().file = c;
        const int noWave = pad(1, 6).bWaveNo;
        QVERIFY(f->dropOnPad(6, 0, record("C", c) + "#"));
        const QString d = f->sound("D.wav"); // no entry: no wave number is invented
        QVERIFY(f->dropOnPad(6, 1, record("D", d) + "#"));
        QCOMPARE(pad(1, 6).soundFile0 + pad(1, 6).soundFile1, c + d);
        QCOMPARE(int(pad(1, 6).bWaveNo), noWave);
        QCOMPARE(w->waveLoadKitAttrList.size(), 2);
        QCOMPARE(update.count(), 1);

        // Without "#" there is no record: an empty name and path.
        w->dragLeftOrRight = 0;
        QVERIFY(f->dropOnPad(7, 0, record("Hat", c)));
        QCOMPARE(f->prompter.texts(), QStringList({" does not exist.\r\nPlease check path:"}));
        QCOMPARE(pad(1, 7).soundName0, QString());
    }
};

QTEST_MAIN(TestPadDrops)
#include "test_paddrops.moc"
