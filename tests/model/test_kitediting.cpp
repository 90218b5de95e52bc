// The kit commit and the re-pointing of a wave at edges the window never reaches.
#include "model/kitediting.h"
#include "model/pageshown.h"

#include <QtTest>

using namespace kitediting;
using Records = MainWindow1Records;

class TestKitEditing : public QObject
{
    Q_OBJECT

private slots:
    // Short lists and missing images: what is there is committed, the rest stays.
    void commitWithShortListsAndNoImages()
    {
        Records::soundKit kit;
        kit.kit_effect1 = 9;
        kit.kpadChunk[18].velocity = 90;
        QVector<Records::KIT_PAD_SETTING> pads(2);
        pads[1].velocity = 20;
        QVector<Records::LINK_GROUP> links(3);
        links[2] = {1, 2};
        KitPage page;
        page.linkGroup = 4;
        page.link1 = 7;
        commitKit(3, page, kit, pads, links, nullptr, KitImages());
        const Records::PEDAL_SETTING &h = kit.pedalChunk;
        QCOMPARE(QVector<int>({kit.kit_effect1, h.pad_link3_1, h.pad_link3_2, h.pad_link5_1, links.size(),
                               kit.kpadChunk[1].velocity, kit.kpadChunk[18].velocity}),
                 QVector<int>({9, 1, 2, 7, 3, 20, 90}));
    }

    // A page counts as unedited only for the kit and pad it showed, holding
    // the very values it showed; a control the type does not use shows 999.
    void pageShownAndShownControls()
    {
        PageShown shown;
        const QVariantList values = {7, QString("OFF")};
        QVERIFY(!shown.unchanged(-1, -1, {}));
        shown.remember(4, 2, values);
        QVERIFY(shown.unchanged(4, 2, values));
        QVERIFY(!shown.unchanged(4, 2, {8, QString("OFF")}));
        QVERIFY(!shown.unchanged(4, 3, values) && !shown.unchanged(5, 2, values));
        shown.forget();
        QVERIFY(!shown.unchanged(4, 2, values));
        QCOMPARE(QVector<int>({shownControl(0, 0, 0), shownControl(3, 0, 40), shownControl(3, 1, 50),
                               shownControl(4, 1, 60), shownControl(22, 2, 5), shownControl(30, 2, 5)}),
                 QVector<int>({999, 40, 999, 60, 999, 5}));
    }

    void repointWithoutMirror()
    {
        Records::soundKit kit;
        QVector<Records::KIT_PAD_SETTING> pads;
        kit.kpadChunk[17].soundFile0 = kit.pedalChunk.hh_wave5_file = "a";
        QVERIFY(repointWave(kit, pads, "a", "c", 9));
        QCOMPARE(kit.kpadChunk[17].soundFile0 + kit.pedalChunk.hh_wave5_file, QString("cc"));
        QCOMPARE(kit.kpadChunk[17].aWaveNo + kit.pedalChunk.hh_wave5_no, 18);
        QVERIFY(!repointWave(kit, pads, "a", "c", 9) && !repointWave(kit, pads, QString(), "c", 9));
    }

    // Both layers, the pad list's copy where there is one, and the hi-hat slots.
    void clearWaveEmptiesEverySlotOfTheFile()
    {
        Records::soundKit kit;
        QVector<Records::KIT_PAD_SETTING> pads(3);
        for (Records::KIT_PAD_SETTING *s : {&kit.kpadChunk[2], &pads[2], &kit.kpadChunk[5]}) {
            s->soundFile0 = s->soundFile1 = "a";
            s->soundName0 = s->soundName1 = "A";
            s->aWaveNo = s->bWaveNo = 4;
        }
        kit.kpadChunk[6].soundFile0 = kit.pedalChunk.hh_wave1_file = "b";
        kit.pedalChunk.hh_wave2_file = kit.pedalChunk.hh_wave2_name = "a";
        QVERIFY(!clearWave(kit, pads, QString()));
        QVERIFY(clearWave(kit, pads, "a"));
        for (const Records::KIT_PAD_SETTING &s : {kit.kpadChunk[2], pads[2], kit.kpadChunk[5]}) {
            QCOMPARE(s.soundFile0 + s.soundFile1 + s.soundName0 + s.soundName1, QString());
            QCOMPARE(s.aWaveNo & s.bWaveNo, NO_WAVE);
        }
        QCOMPARE(kit.pedalChunk.hh_wave2_file + kit.pedalChunk.hh_wave2_name, QString());
        QCOMPARE(kit.pedalChunk.hh_wave2_no, NO_WAVE);
        QCOMPARE(kit.kpadChunk[6].soundFile0 + kit.pedalChunk.hh_wave1_file, QString("bb"));
        QVERIFY(!clearWave(kit, pads, "a"));
    }
};

QTEST_APPLESS_MAIN(TestKitEditing)
#include "test_kitediting.moc"
