#include "model/soundfilexml.h"
#include "platform/disk.h"
#include "model/soundlistscan.h"
#include "platform/filenamebytes.h"
#include "support/soundlists.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using Group = soundfilexml::strSoundGroup;
using Item = soundfilexml::strSoundItem;
using GroupList = QVector<Group>;

namespace {

Item sound(const QString &name, const QString &file)
{
    Item s;
    s.name = name;
    s.file = file;
    return s;
}

Group group(const QString &name, const QVector<Item> &sounds = {})
{
    Group g;
    g.name = name;
    g.soundList = sounds;
    return g;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}

void writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), qint64(bytes.size()));
}

} // namespace

class TestSoundFileXml : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void writeEmptyList()
    {
        const QString p = path("empty.xml");
        soundlists::write(p, {});
        QCOMPARE(readAll(p), QByteArray("<groups/>\n"));

        GroupList list;
        QVERIFY(soundlists::read(p, list));
        QVERIFY(list.isEmpty());
    }

    void writeEmptyGroup()
    {
        const QString p = path("emptygroup.xml");
        soundlists::write(p, {group("Drums")});
        QCOMPARE(readAll(p), QByteArray("<groups>\n"
                                        "    <group name=\"Drums\"/>\n"
                                        "</groups>\n"));
        GroupList list;
        QVERIFY(soundlists::read(p, list));
        QCOMPARE(list.size(), 1);
        QCOMPARE(list[0].name, QString("Drums"));
        QVERIFY(list[0].soundList.isEmpty());
    }

    void writeGroupsWithSounds()
    {
        Item full = sound("Kick", "/snd/kick.wav");
        full.index = "7";
        full.waveLock = "1";
        full.start_cluster = "12";
        full.wave_length = "3000";
        full.wave_start = "0";
        full.wave_end = "2999";
        const GroupList in = {
            group("A", {full, sound("", "/snd/my.snare.v2.wav")}),
            group("", {sound("Hat", "")}),
        };
        const QString p = path("full.xml");
        soundlists::write(p, in);
        QCOMPARE(readAll(p), QByteArray("<groups>\n"
                                        "    <group name=\"A\">\n"
                                        "        <sound>\n"
                                        "            <name>Kick</name>\n"
                                        "            <file>/snd/kick.wav</file>\n"
                                        "        </sound>\n"
                                        "        <sound>\n"
                                        "            <name></name>\n"
                                        "            <file>/snd/my.snare.v2.wav</file>\n"
                                        "        </sound>\n"
                                        "    </group>\n"
                                        "    <group name=\"\">\n"
                                        "        <sound>\n"
                                        "            <name>Hat</name>\n"
                                        "            <file></file>\n"
                                        "        </sound>\n"
                                        "    </group>\n"
                                        "</groups>\n"));

        GroupList out;
        QVERIFY(soundlists::read(p, out));
        QCOMPARE(out.size(), 2);
        QCOMPARE(out[0].name, QString("A"));
        QCOMPARE(out[0].soundList.size(), 2);
        const Item &k = out[0].soundList[0];
        QCOMPARE(k.name, QString("Kick"));
        QCOMPARE(k.file, QString("/snd/kick.wav"));
        // Only name and file are stored.
        QVERIFY(k.index.isEmpty() && k.waveLock.isEmpty() && k.start_cluster.isEmpty()
                && k.wave_length.isEmpty() && k.wave_start.isEmpty() && k.wave_end.isEmpty());
        // Empty name: derived from the file, up to the last dot.
        QCOMPARE(out[0].soundList[1].name, QString("my.snare.v2"));
        QCOMPARE(out[1].name, QString());
        QCOMPARE(out[1].soundList[0].name, QString("Hat"));
        QCOMPARE(out[1].soundList[0].file, QString());
    }

    void roundTripSpecialText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("ampersand") << QString("Kick & Snare");
        QTest::newRow("less-than") << QString("a<b>c");
        QTest::newRow("quotes") << QString("say \"hi\" 'there'");
        QTest::newRow("cdata-end") << QString("x]]>y");
        QTest::newRow("chinese") << QString::fromUtf8("底鼓 军鼓/音色");
        QTest::newRow("entity-like") << QString("&amp; &lt; &#65;");
        QTest::newRow("spaces") << QString("  padded name  ");
    }

    void roundTripSpecialText()
    {
        QFETCH(QString, text);
        const QString file = "/home/u/" + text + ".wav";
        const QString p = path("special.xml");
        soundlists::write(p, {group(text, {sound(text, file)})});

        const QByteArray bytes = readAll(p);
        QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
        QVERIFY(!bytes.contains("<![CDATA["));

        GroupList out;
        QVERIFY(soundlists::read(p, out));
        QCOMPARE(out.size(), 1);
        QCOMPARE(out[0].name, text);
        QCOMPARE(out[0].soundList.size(), 1);
        QCOMPARE(out[0].soundList[0].name, text);
        QCOMPARE(out[0].soundList[0].file, file);
    }

    void escapingAndEncoding()
    {
        const QString p = path("escape.xml");
        soundlists::write(p, {group("a\"b&c<d", {sound(QString::fromUtf8("鼓<&"), "f")})});
        const QByteArray bytes = readAll(p);
        QVERIFY(bytes.contains("<group name=\"a&quot;b&amp;c&lt;d\">"));
        QVERIFY(bytes.contains("<name>\xE9\xBC\x93&lt;&amp;</name>"));
    }

    void invalidCharactersKeepFileReadable()
    {
        const QString p = path("control.xml");
        soundlists::write(
            p, {group(QString("g") + QChar(0x1) + "h", {sound(QString("a") + QChar(0x8) + "b", "/x/y.wav")})});
        GroupList out;
        QVERIFY(soundlists::read(p, out));
        QCOMPARE(out.size(), 1);
        QCOMPARE(out[0].name, QString("gh"));
        QCOMPARE(out[0].soundList[0].name, QString("ab"));
    }

    // A file name that is not UTF-8 (a folder made on another system) or
    // holds a control character names the same file when read back, through
    // either reader; its text alone keeps what XML can of it.
    void fileNameBytesRoundTrip()
    {
        ztplatform::keepFileNameBytes();
        const QString latin1 = QFile::decodeName("/home/u/caf\xe9/kick.wav");
        QVERIFY(latin1.contains(QChar(0xDCE9)));
        const QString control = QString("/home/u/a") + QChar(0x1) + "b.wav";
        const QString p = path("bytes.xml");
        QVERIFY(soundlists::write(
                p, {group("g", {sound("Kick", latin1), sound("Ctl", control), sound("Plain", "/x/y.wav")})}));
        const QByteArray bytes = readAll(p);
        QVERIFY(bytes.contains("<file bytes=\"" + QFile::encodeName(latin1).toHex() + "\">/home/u/caf/kick.wav</file>"));
        QVERIFY(bytes.contains("<file>/x/y.wav</file>"));
        GroupList out;
        QVERIFY(soundlists::read(p, out));
        QCOMPARE(out.value(0).soundList.size(), 3);
        QCOMPARE(out[0].soundList[0].file, latin1);
        QCOMPARE(out[0].soundList[1].file, control);
        QCOMPARE(out[0].soundList[2].file, QString("/x/y.wav"));
        // The parser takes it the same way, and a "bytes" that is no hex leaves the text.
        GroupList tree;
        int skipped = 0;
        QVERIFY(soundfilexml::parseSoundListXml(QByteArray(bytes).replace("<file>/x/y.wav", "<file bytes=\"zz\">/x/y.wav"),
                                                tree, &skipped));
        QCOMPARE(tree.value(0).soundList.value(0).file, latin1);
        QCOMPARE(tree.value(0).soundList.value(2).file, QString("/x/y.wav"));
        QCOMPARE(skipped, 1);
    }

    void readFailuresLeaveListUnchanged_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not well-formed") << QByteArray("<groups><group name=\"a\"></groups>");
        QTest::newRow("truncated") << QByteArray("<groups>\n    <group name=\"a\">\n        <sou");
        QTest::newRow("not xml") << QByteArray("just text");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("wrong root") << QByteArray("<sounds><group name=\"a\"/></sounds>");
        QTest::newRow("root case") << QByteArray("<Groups><group name=\"a\"/></Groups>");
    }

    void readFailuresLeaveListUnchanged()
    {
        QFETCH(QByteArray, content);
        const QString p = path("bad.xml");
        writeRaw(p, content);
        GroupList list = {group("keep", {sound("s", "/f.wav")})};
        QVERIFY(!soundlists::read(p, list));
        QCOMPARE(list.size(), 1);
        QCOMPARE(list[0].name, QString("keep"));
        QCOMPARE(list[0].soundList.size(), 1);
    }

    void readMissingFile()
    {
        GroupList list;
        QVERIFY(!soundlists::read(path("does-not-exist.xml"), list));
        QVERIFY(list.isEmpty());
    }

    void readIsCaseSensitiveAndSkipsUnknown()
    {
        const QString p = path("case.xml");
        writeRaw(p, "<groups>\n"
                    "  <!-- comment -->\n"
                    "  <Group name=\"skipped\"><sound><name>x</name></sound></Group>\n"
                    "  <group name=\"g\" extra=\"1\">\n"
                    "    text\n"
                    "    <Sound><name>skipped</name></Sound>\n"
                    "    <sound><Name>Capital</Name><file>/a/b.wav</file><other>z</other></sound>\n"
                    "    <other/>\n"
                    "  </group>\n"
                    "  <junk/>\n"
                    "</groups>\n");
        GroupList list;
        QVERIFY(soundlists::read(p, list));
        QCOMPARE(list.size(), 1);
        QCOMPARE(list[0].name, QString("g"));
        QCOMPARE(list[0].soundList.size(), 1);
        // <Name> is not <name>: the name is derived from the file.
        QCOMPARE(list[0].soundList[0].name, QString("b"));
        QCOMPARE(list[0].soundList[0].file, QString("/a/b.wav"));
    }

    void readDerivedNamesAndIndependentSounds()
    {
        const QString p = path("derive.xml");
        writeRaw(p, "<groups>\r\n"
                    "<group>\r\n"
                    "<sound><file>/d/noext</file></sound>\r\n"
                    "<sound><name>   </name><file>/d/two.dots.wav</file></sound>\r\n"
                    "<sound><name>first</name><name>second</name><file>a</file><file>/d/f.mp3</file></sound>\r\n"
                    "<sound></sound>\r\n"
                    "<sound><name> keep me </name></sound>\r\n"
                    "</group>\r\n"
                    "</groups>\r\n");
        GroupList list = {group("existing")};
        QVERIFY(soundlists::read(p, list));
        QCOMPARE(list.size(), 2); // appended, not replaced
        QCOMPARE(list[0].name, QString("existing"));
        const Group &g = list[1];
        QCOMPARE(g.name, QString()); // no name attribute
        QCOMPARE(g.soundList.size(), 5);
        QCOMPARE(g.soundList[0].name, QString("noext"));
        QCOMPARE(g.soundList[1].name, QString("two.dots"));
        QCOMPARE(g.soundList[2].name, QString("second"));
        QCOMPARE(g.soundList[2].file, QString("/d/f.mp3"));
        QCOMPARE(g.soundList[3].name, QString()); // nothing carried over
        QCOMPARE(g.soundList[3].file, QString());
        QCOMPARE(g.soundList[4].name, QString(" keep me "));
        QCOMPARE(g.soundList[4].file, QString());
    }

    // A row naming a sound stored in a kit file keeps the entry it named, on
    // a line of its own; a file without one reads as before, a bad one is skipped.
    void storedEntryRoundTrip()
    {
        Item stored = sound("Snare", "/k/K002.INI:U00001");
        stored.entryName = "Snare & <1>";
        stored.entryLength = "48044";
        const QString p = path("entry.xml");
        QVERIFY(soundlists::write(p, {group("G", {stored, sound("Hat", "/h.wav")})}));
        const QByteArray bytes = readAll(p);
        QVERIFY(bytes.contains("            <file>/k/K002.INI:U00001</file>\n"
                               "            <entry length=\"48044\">Snare &amp; &lt;1></entry>\n        </sound>"));
        soundfilexml::ReadResult r;
        GroupList out;
        r = soundfilexml::readSoundList(ztplatform::systemDisk(), p, out);
        QCOMPARE(int(r.status), int(soundfilexml::ReadResult::Read));
        QCOMPARE(r.skipped, 0);
        QCOMPARE(out[0].soundList[0].entryName, stored.entryName);
        QCOMPARE(out[0].soundList[0].entryLength, QString("48044"));
        QVERIFY(out[0].soundList[1].entryLength.isEmpty());
        soundfilexml::ReadResult badLength;
        out.clear();
        QVERIFY(soundfilexml::parseCounting(QByteArray(bytes).replace("48044", "-1"), out, badLength));
        QCOMPARE(badLength.skipped, 1);
        QVERIFY(out[0].soundList[0].entryLength.isEmpty());

        // The digest of its bytes and the stamp of the file they were read from go along.
        stored.entryDigest = QString(64, 'a');
        stored.entrySeen = "1:2:3:4.5:6.7";
        QVERIFY(soundlists::write(p, {group("G", {stored})}));
        QVERIFY(readAll(p).contains(" digest=\"" + QByteArray(64, 'a') + "\"")
                && readAll(p).contains(" seen=\"1:2:3:4.5:6.7\""));
        out.clear();
        r = soundfilexml::readSoundList(ztplatform::systemDisk(), p, out);
        QCOMPARE(r.skipped, 0);
        QCOMPARE(out[0].soundList[0].entryDigest + " " + out[0].soundList[0].entrySeen,
                 QString(64, 'a') + " 1:2:3:4.5:6.7");
        out.clear();
        soundfilexml::ReadResult badDigest; // a digest that is not 64 hex digits: the entry is skipped
        QVERIFY(soundfilexml::parseCounting(readAll(p).replace(QByteArray(64, 'a'), "xyz"), out, badDigest));
        QCOMPARE(badDigest.skipped, 1);
        QVERIFY(out[0].soundList[0].entryDigest.isEmpty() && out[0].soundList[0].entryLength.isEmpty());
        // Its row is kept without it; a group's own attribute belongs to no row.
        out.clear();
        soundfilexml::ReadResult counted;
        QVERIFY(soundfilexml::parseCounting(readAll(p).replace(QByteArray(64, 'a'), "xyz").replace("<group ", "<group x=\"1\" "),
                                            out, counted));
        QCOMPARE(out[0].soundList.size(), 1);
        QCOMPARE(counted.skipped, 2);
        QCOMPARE(counted.lacking, 1);
        QCOMPARE(counted.outsideRows, 1);
    }

    // A file in the form the editor writes is read without the XML parser:
    // whatever that quick read takes, from the written file and from every
    // cut, stray character and byte put into it, the parser reads to the same
    // groups with nothing skipped; the rest is left to the parser.
    void plainFormReadsAsTheParserReadsIt()
    {
        Item stored = sound(QString::fromUtf8("底鼓 & <1>"), "/k/K002.INI:U00001");
        stored.entryName = "Snare \"1\"";
        stored.entryLength = "48044";
        Item digest = stored;
        digest.entryDigest = QString(63, 'a') + "9";
        digest.entrySeen = "0f1e2d3c4b5a";
        const GroupList groups = {group("Drums 'x' ]]", {stored, digest, sound(" ", "/d/two.dots.wav"), sound("", "")}),
                                  group(""), group(QString::fromUtf8("鼓"), {sound("a>b", "/h.wav")})};
        const QByteArray written = soundfilexml::toBytes(groups);
        auto same = [](const GroupList &a, const GroupList &b) {
            if (a.size() != b.size())
                return false;
            for (int g = 0; g < a.size(); ++g) {
                if (a[g].name != b[g].name || a[g].soundList.size() != b[g].soundList.size())
                    return false;
                for (int r = 0; r < a[g].soundList.size(); ++r) {
                    const Item &x = a[g].soundList[r], &y = b[g].soundList[r];
                    if (x.file != y.file || x.entryName != y.entryName || x.entryLength != y.entryLength
                        || x.entryDigest != y.entryDigest || x.entrySeen != y.entrySeen
                        || (x.name != y.name && !x.name.trimmed().isEmpty()))
                        return false;
                }
            }
            return true;
        };
        GroupList quick, parsed;
        QVERIFY(soundlistscan::scan(written, quick));
        int skipped = 0;
        QVERIFY(soundfilexml::parseSoundListXml(written, parsed, &skipped) && skipped == 0 && same(quick, parsed));
        GroupList read;
        soundfilexml::ReadResult readResult;
        QVERIFY(soundfilexml::parseCounting(written, read, readResult));
        QCOMPARE(read[0].soundList[2].name, QString("two.dots")); // derived as the parser derives it
        QCOMPARE(read[0].soundList[1].entrySeen, digest.entrySeen);

        const QVector<QByteArray> strays = {"<", ">", "/", "&", "&amp;", "&#65;", "\"", "'", " ", "\t", "\n", "\r",
                                            "=", "]]>", "<!-- c -->", "<?p?>", "<x/>", "<![CDATA[a]]>", "a",
                                            QByteArray(1, '\0'), "\x01", "\xC3", "\xC3\xA9", "\xED\xA0\x80",
                                            "\xEF\xBF\xBE", "\xF4\x90\x80\x80", "\xFF", " seen=\"1\"",
                                            " digest=\"" + QByteArray(64, 'b') + "\"", " length=\"7\"", "<entry>"};
        QRandomGenerator random(44);
        int taken = 0;
        for (int i = 0; i < 20000; ++i) {
            QByteArray b = written;
            for (int edits = 1 + random.bounded(2); edits > 0; --edits) {
                int at = random.bounded(b.size() + 1);
                if (random.bounded(2) == 0) { // where markup is
                    for (int n = 0; n < 64 && at < b.size() && !std::strchr("<>\" =", b[at]); ++n)
                        at = random.bounded(b.size());
                }
                switch (random.bounded(4)) {
                case 0: b.truncate(at); break;
                case 1: b.remove(at, 1 + random.bounded(8)); break;
                case 2: b.insert(at, strays.at(random.bounded(strays.size()))); break;
                default: b.replace(at, 1, strays.at(random.bounded(strays.size()))); break;
                }
            }
            quick.clear();
            parsed.clear();
            skipped = 0;
            if (!soundlistscan::scan(b, quick)) {
                QVERIFY(quick.isEmpty());
                continue;
            }
            ++taken;
            const bool ok = soundfilexml::parseSoundListXml(b, parsed, &skipped);
            QVERIFY2(ok && skipped == 0 && same(quick, parsed), b.constData());
        }
        QVERIFY(taken > 1000);
    }

    void rewriteReplacesWholeFile()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString p = dir.filePath("soundlist.xml");
        GroupList big;
        for (int i = 0; i < 50; ++i)
            big.append(group(QString::number(i), {sound("n", "/f.wav")}));
        soundlists::write(p, big);
        soundlists::write(p, {});
        QCOMPARE(readAll(p), QByteArray("<groups/>\n"));
        // No temporary files left beside it.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 QStringList{"soundlist.xml"});
    }
};

QTEST_GUILESS_MAIN(TestSoundFileXml)
#include "test_soundfilexml.moc"
