#include "model/namerules.h"
#include "model/percussionpadfile1.h"

#include <QtTest>

#include <thread>
#include <vector>

class TestNameRules : public QObject {
    Q_OBJECT

private slots:
    void cutting_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("cut");
        QTest::newRow("fits") << "Kick 01" << 16 << "Kick 01";
        QTest::newRow("long") << "Crash Ride Hit 12" << 10 << "Crash Ride";
        QTest::newRow("back to a digit") << "Snare 2 (soft)" << 16 << "Snare 2 (soft";
        QTest::newRow("blank end") << "Rock " << 10 << "Rock";
        QTest::newRow("none") << "#--" << 10 << "";
        QTest::newRow("empty") << "" << 16 << "";
        QTest::newRow("zero") << "abc" << 0 << "";
        QTest::newRow("not ascii") << QString::fromUtf8("Tom\u00e9") << 16 << "Tom";
    }
    void cutting()
    {
        QFETCH(QString, name);
        QFETCH(int, n);
        QFETCH(QString, cut);
        QCOMPARE(namerules::detectWaveName(name, n), cut);
        QCOMPARE(namerules::isLastCharAlnum(name),
                 !name.isEmpty() && namerules::detectWaveName(name, name.size()) == name);
    }

    void kitNamePattern()
    {
        for (const char *good : {"A", "7", "OK-Name_10", "a.b'c d~e", "Kit 1"})
            QVERIFY2(namerules::checkDisplayKitName(good), good);
        for (const char *bad : {"", "-", "A#B", "Rock ", " Rock", "ab/c"})
            QVERIFY2(!namerules::checkDisplayKitName(bad), bad);
        QCOMPARE(namerules::defaultKitName(7), QString("K007"));
        QCOMPARE(namerules::defaultKitName(100), QString("K100"));
    }

    // Every way in gives a name a kit file holds as shown: ASCII, the
    // pattern, 16 characters, "SOUND~nnnnn" only when nothing is left.
    void soundNameRule()
    {
        const QSet<QString> taken = {"SOUND~00001"};
        auto rule = [&](const char *utf8) {
            return namerules::soundName(QString::fromUtf8(utf8), [&](const QString &c) { return taken.contains(c); });
        };
        QCOMPARE(rule("底鼓"), QString("di gu"));
        QCOMPARE(rule("Café Snäre"), QString("Cafe Snare"));
        QCOMPARE(rule("军鼓军鼓军鼓军鼓军鼓"), QString("jun gu jun gu ju"));
        QCOMPARE(rule("ドラム (soft)!"), QString("doramu soft"));
        QCOMPARE(rule("a  b's ~x_y.z-1"), QString("a  b's ~x_y.z-1"));
        QCOMPARE(rule("ABCDEFGHIJKLMNOPQ"), QString("ABCDEFGHIJKLMNOP"));
        QCOMPARE(rule("!?#"), QString("SOUND~00002"));
        QCOMPARE(rule(""), QString("SOUND~00002"));
        QCOMPARE(namerules::asciiSoundName("__--"), QString());
        QCOMPARE(namerules::clickSoundName("click1.wav"), QString("click1.wav"));
        QCOMPARE(namerules::clickSoundName(QString::fromUtf8("节拍.wav")), QString("jie pai.wav"));
        // A long name keeps the rule's ends and its suffix within 16 characters.
        QCOMPARE(namerules::clickSoundName("Metronome-Click-Long-Name.wav"), QString("Metronome-Cl.wav"));
        QCOMPARE(namerules::clickSoundName("Metronome-Click-.wav"), QString("Metronome-Cl.wav"));
        QCOMPARE(namerules::clickSoundName("--.wav"), QString("SOUND.wav"));
        QCOMPARE(namerules::clickSoundName("click"), QString("click"));
        const QString box = namerules::nameChangesText("Lead:", "Unique:", {{"A", "a"}, {"B", "b"}, {"C", "c"}}, 2);
        QCOMPARE(box, QString::fromUtf8("Lead:\r\n\"\u2068A\u2069\" → \"\u2068a\u2069\"\r\n\"\u2068B\u2069\" → \"\u2068b\u2069\"\r\nand 1 more"));
    }

    // A name another sound holds takes the first free number; its own
    // sound, or one of the same bytes, keeps it.
    void uniqueNames()
    {
        namerules::NamesInUse inUse;
        inUse.add("di gu", "/a.wav");
        inUse.add("Kick~00001", "/k1.wav");
        inUse.add("ABCDEFGHIJKLMNOP", "/long.wav");
        inUse.add("drum kick loud", "/d.wav");
        inUse.add("SOUND~00001", "/s.wav");
        auto unique = [&](const QString &name, const QString &source) {
            return namerules::uniqueSoundName(name, source, inUse);
        };
        QCOMPARE(unique("di gu", "/a.wav"), QString("di gu"));
        QCOMPARE(unique("di gu", "/b.wav"), QString("di gu~00001"));
        QCOMPARE(unique("ABCDEFGHIJKLMNOP", "/b.wav"), QString("ABCDEFGHIJ~00001"));
        QCOMPARE(unique("Kick~00001", "/b.wav"), QString("Kick~00002"));
        QCOMPARE(unique("drum kick loud", "/b.wav"), QString("drum kick~00001"));
        QCOMPARE(namerules::uniqueSoundName("di gu", "/b.wav", inUse, [](const QString &h) { return h == "/a.wav"; }),
                 QString("di gu"));
        bool madeUnique = true;
        QCOMPARE(namerules::soundName("###", "/c.wav", inUse, &madeUnique), QString("SOUND~00002"));
        QVERIFY(!madeUnique);
        QCOMPARE(namerules::soundName(QString::fromUtf8("低鼓"), "/c.wav", inUse, &madeUnique), QString("di gu~00001"));
        QVERIFY(madeUnique);
        QCOMPARE(namerules::soundName(QString::fromUtf8("底鼓"), "/d2.wav", inUse), QString("di gu~00002"));
        QVERIFY(inUse.heldByOther("di gu~00001", "/x.wav") && !inUse.heldByOther("di gu~00001", "/c.wav"));

        // 9,999 sounds of one name: each number is tried once.
        namerules::NamesInUse many;
        QString last;
        for (int i = 0; i < 9999; ++i)
            last = namerules::soundName("kick!", QString("/k/%1.wav").arg(i), many);
        QCOMPARE(last, QString("kick~09998"));
        QCOMPARE(namerules::uniqueSoundName("kick", "/k/5.wav", many), QString("kick~00005"));

        const QString box = namerules::nameChangesText("Lead:", "Unique:", {{"a!", "a"}, {"b", "b~00001", true}});
        QCOMPARE(box, QString::fromUtf8("Lead:\r\n\"\u2068a!\u2069\" → \"\u2068a\u2069\"\r\nUnique:\r\n\"\u2068b\u2069\" → \"\u2068b~00001\u2069\""));
        QCOMPARE(namerules::nameChangesText("Lead:", "Unique:", {{"b", "b~00001", true}}),
                 QString::fromUtf8("Unique:\r\n\"\u2068b\u2069\" → \"\u2068b~00001\u2069\""));
    }

    // Han names read from the table give what ICU itself gives, also mixed
    // with ASCII, with the characters that read otherwise before another,
    // and from several threads at once.
    void hanTableAgreesWithIcu()
    {
        QVERIFY(namerules::hanTableInUse());
        QStringList names = {QString::fromUtf8("重庆"), QString::fromUtf8("重 庆"), QString::fromUtf8("藏文"),
                             QString::fromUtf8("沈阳鼓"), QString::fromUtf8("秘鲁"), QString::fromUtf8("kick底鼓"),
                             QString::fromUtf8("底鼓kick"), QString::fromUtf8("1底 鼓-2"), QString::fromUtf8("a'军~b_c"),
                             QString::fromUtf8("\xF0\xA0\x80\x80鼓")};
        quint32 seed = 12345;
        auto next = [&seed](quint32 n) {
            seed = seed * 1103515245u + 12345u;
            return (seed >> 8) % n;
        };
        const QString ascii = QStringLiteral("aZ09 -_~'");
        for (int i = 0; i < 3000; ++i) {
            QString name;
            for (int k = int(next(6)) + 1; k > 0; --k) {
                if (next(3) == 0)
                    name += ascii.at(int(next(quint32(ascii.size()))));
                else
                    name += QChar(ushort(0x4E00 + next(0x9FA5 - 0x4E00)));
            }
            names << name;
        }
        for (ushort c = 0x3400; c <= 0x9FFF; ++c)
            names << QString(QChar(c));
        for (const QString &name : qAsConst(names))
            QCOMPARE(namerules::asciiText(name), namerules::asciiTextThroughIcu(name));
        QStringList fromThreads[4];
        std::vector<std::thread> threads;
        for (QStringList &out : fromThreads) {
            threads.emplace_back([&names, &out] {
                for (const QString &name : qAsConst(names))
                    out << namerules::asciiSoundName(name) + namerules::asciiText(name + QString::fromUtf8("Ж"));
            });
        }
        for (std::thread &t : threads)
            t.join();
        for (const QStringList &out : fromThreads)
            QCOMPARE(out, fromThreads[0]);
    }

    // A stored name field reads as UTF-8 when it is that, else as Latin-1.
    void storedNameFields()
    {
        auto read = [](const QByteArray &field) {
            return percussionpadfile::charArray2String(field.constData(), uint(field.size()));
        };
        QCOMPARE(read(QByteArray("\xE5\xBA\x95\xE9\xBC\x93\0\0", 8)), QString::fromUtf8("底鼓"));
        QCOMPARE(read(QByteArray("Caf\xE9\0\0\0", 8)), QString::fromUtf8("Café"));
        QCOMPARE(read(QByteArray("ab\xE5\xBA\x95\xE9\xBC", 7)), QString::fromUtf8("ab底")); // cut by a full field
        QCOMPARE(read(QByteArray("\xC0\x80x\0", 4)), QString::fromLatin1("\xC0\x80x"));
    }

    void kitNames()
    {
        struct Case { QString stored; int n; QString name; bool cut, replaced; } kits[] = {
            {"", 1, "K001", true, false},        {"", 37, "K037", true, false},
            {"", 100, "K100", true, false},      {"Abc def gh1", 5, "Abc def gh", true, false},
            {"Abcdefghi ", 5, "Abcdefghi", true, false}, {"__--", 9, "K009", true, false},
            {"Rock,Pop", 12, "K012", false, true}, {"My Kit 1", 3, "My Kit 1", false, false},
        };
        for (const Case &c : kits) {
            bool cut = false, replaced = false;
            QCOMPARE(namerules::fitKitName(c.stored, c.n, &cut, &replaced), c.name);
            QCOMPARE(cut, c.cut);
            QCOMPARE(replaced, c.replaced);
        }
    }

    void numbersInMessages()
    {
        auto text = [](const QVector<int> &numbers) {
            return namerules::joinNumbersMessage("The ", numbers, "one.", "many.");
        };
        QCOMPARE(text({}), QString());
        QCOMPARE(text({5}), QString("The 5 one."));
        QCOMPARE(text({5, 7}), QString("The 5 and 7 many."));
        QCOMPARE(text({3, 8, 12}), QString("The 3, 8 and 12 many."));
        QCOMPARE(text({1, 2, 3, 4}), QString("The 1, 2, 3 and 4 many."));
        QCOMPARE(text({1, 2, 3, 4, 5}), QString("The 1, 2, 3, 4 and 5 \r\nmany."));
    }
};

QTEST_GUILESS_MAIN(TestNameRules)
#include "test_namerules.moc"
