// Kit page rules without a window: value maps, effect layouts, the kit commit
// into a record and its images, and re-pointing a renumbered wave.
#include "model/kitediting.h"

#include <QtTest>

using namespace kitediting;
using Records = MainWindow1Records;

class TestKitEditing : public QObject
{
    Q_OBJECT

private slots:
    void panAndModeMaps()
    {
        int shown = 0;
        for (int v = 0; v < 256; ++v) {
            const int item = panItem(v);
            if (item < 0)
                continue;
            ++shown;
            QCOMPARE(int(panValue(item)), v);
        }
        QCOMPARE(shown, 33);
        QCOMPARE(panItem(64), 16);
        QCOMPARE(panItem(128), -1);
        QCOMPARE(panItem(62), -1);

        for (bool foot : {false, true}) {
            for (int item = -1; item < 8; ++item) {
                const int value = padModeValue(foot, item);
                QCOMPARE(value < 0 ? -1 : padModeItem(foot, value), value < 0 ? -1 : item);
            }
        }
        QCOMPARE(padModeValue(false, 5), 6); // "Mix"
        QCOMPARE(padModeValue(true, 1), 5);  // "HH Pedal"
        QCOMPARE(padModeItem(true, 1), -1);
        QCOMPARE(padModeItem(false, 5), -1);
        QVERIFY(!padModeRule(true, 2).applies);
        QVERIFY(!padModeRule(false, 7).applies);
    }

    void effectLayouts()
    {
        const int counts[24] = {0, 3, 3, 1, 2, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 0, 0};
        for (int t = 0; t < 24; ++t) {
            QCOMPARE(effectControlCount(t), counts[t]);
            for (int c = 0; c < 3; ++c)
                QCOMPARE(effectControlLabel(t, c).isEmpty(), c >= counts[t]);
        }
        QCOMPARE(effectControlCount(24), -1);
        QCOMPARE(effectControlCount(-1), -1);
        QCOMPARE(effectControlLabel(18, 1), QString("Reverb Mix:"));
        QCOMPARE(effectControlLabel(7, 1), QString("Diffusion:"));
        for (int v : {0, 511, 999})
            QVERIFY(effectControlAccepted(v));
        for (int v : {-1, 512, 998, 1000})
            QVERIFY(!effectControlAccepted(v));
    }

    void commitWithoutImagesOrFullLists()
    {
        Records::soundKit kit;
        kit.kit_effect1 = 9;
        kit.pedalChunk.pad_link3_2 = 6;
        kit.kpadChunk[18].velocity = 90;
        QVector<Records::KIT_PAD_SETTING> pads(2);
        pads[1].velocity = 20;
        QVector<Records::LINK_GROUP> links(3); // a short list keeps the other groups
        links[2] = {1, 2};
        KitPage page;
        page.name = "Short";
        page.linkGroup = 4;
        page.link1 = 7;
        commitKit(3, page, kit, pads, links, nullptr, KitImages());
        QCOMPARE(kit.kit_name, QString("Short"));
        QCOMPARE(int(kit.kit_effect1), 9);
        QCOMPARE(int(kit.pedalChunk.pad_link3_1), 1);
        QCOMPARE(int(kit.pedalChunk.pad_link3_2), 2);
        QCOMPARE(int(kit.pedalChunk.pad_link5_1), 7);
        QCOMPARE(links.size(), 3);
        QCOMPARE(int(kit.kpadChunk[1].velocity), 20);
        QCOMPARE(int(kit.kpadChunk[18].velocity), 90);
    }

    void repointLeavesOtherFiles()
    {
        Records::soundKit kit;
        QVector<Records::KIT_PAD_SETTING> pads(19);
        kit.kpadChunk[17].soundFile0 = "a";
        kit.kpadChunk[5].soundFile1 = "b";
        kit.pedalChunk.hh_wave5_file = "a";
        kit.pedalChunk.hh_wave4_file = "A";
        QVERIFY(repointWave(kit, pads, "a", "c", 9));
        QCOMPARE(kit.kpadChunk[17].soundFile0, QString("c"));
        QCOMPARE(int(kit.kpadChunk[17].aWaveNo), 9);
        QCOMPARE(pads[17].soundFile0, QString("c"));
        QCOMPARE(kit.kpadChunk[5].soundFile1, QString("b"));
        QCOMPARE(int(kit.pedalChunk.hh_wave5_no), 9);
        QCOMPARE(kit.pedalChunk.hh_wave4_file, QString("A"));
        QVERIFY(!repointWave(kit, pads, "a", "c", 9));
        QVERIFY(!repointWave(kit, pads, QString(), "c", 9));
    }
};

QTEST_APPLESS_MAIN(TestKitEditing)
#include "test_kitediting.moc"
