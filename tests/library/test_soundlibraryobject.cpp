// The sound library on its own, as the saves read it: its rows, its stored
// sounds by source, and the groups' file written and read back.
#include "library/soundlibrary.h"
#include "library/soundorder.h"
#include "support/soundlists.h"

#include <QSignalSpy>

#include <fcntl.h>
#include <sys/stat.h>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int kPlain = 3000;
constexpr int kStored = 2000;
const QString kSetup = QStringLiteral("/kits/SETUP.BIN");

QString plain(int i) { return QString("/sounds/p%1.wav").arg(i); }
// Wave numbers with gaps, as a pad that lost sounds numbers them.
QString stored(int i) { return kSetup + QString(":U%1").arg(2 * i, 5, 10, QChar('0')); }

// Filled as an import fills it: audio files, then a loaded whole setup's
// sounds (its metronome sounds first in its table, each entry's source kept).
struct Filled
{
    SoundLibrary lib;
    Filled()
    {
        SoundLibrary::READ_KIT_FILE kit;
        kit.file = kSetup;
        kit.info.soundChunk.soundCount = quint16(5 + kStored);
        for (int i = 0; i < kStored; ++i)
            kit.info.sound[size_t(5 + i)].fileName = stored(i);
        lib.addLoadedKitFile(kit);
        lib.noteSetupClicks(true);
        for (int i = 0; i < kPlain + kStored; ++i)
            lib.addSound(QString("S%1").arg(i), i < kPlain ? plain(i) : stored(i - kPlain),
                                 quint16(lib.lastWaveNumber() + 1), true);
    }
};

QStringList flat(const QVector<soundfilexml::strSoundGroup> &groups)
{
    QStringList out;
    for (const soundfilexml::strSoundGroup &g : groups) {
        out << "[" + g.name;
        for (const soundfilexml::strSoundItem &s : g.soundList)
            out << s.name + "|" + s.file;
    }
    return out;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestSoundLibraryObject : public QObject
{
    Q_OBJECT

private slots:
    void rowsAndStoredSoundsOfManySounds()
    {
        Filled f;
        QCOMPARE(f.lib.hhSoundItemModel()->soundCount() * 10000 + f.lib.lastWaveNumber(), (kPlain + kStored) * 10001);
        QCOMPARE(f.lib.soundList().size(), kPlain + kStored);
        f.lib.addSound("no source", QString(), 1, true);
        const QVector<setupfiles::TotalRow> rows = f.lib.totalRows();
        QCOMPARE(rows.size(), kPlain + kStored); // the row without a source is no sound
        soundsource::StoredEntries entries = f.lib.storedEntries();
        for (int i = 0; i < rows.size(); ++i) {
            const QString source = i < kPlain ? plain(i) : stored(i - kPlain);
            QCOMPARE(rows.at(i).name + rows.at(i).path, QString("S%1").arg(i) + source);
            QCOMPARE(f.lib.soundRowOf(source), i);
            const SoundLibrary::READ_KIT_FILE *kit = nullptr;
            QCOMPARE(entries.find(source, &kit), i < kPlain ? -1 : 5 + i - kPlain); // by source, not by number
            QVERIFY(kit == (i < kPlain ? nullptr : &f.lib.loadedKitFiles().first()));
        }
        QCOMPARE(f.lib.soundRowOf(plain(kPlain)), -1);

        // No source in the table: by number, after the metronome sounds unless they came from the pad.
        const SoundLibrary::READ_KIT_FILE *kit = nullptr;
        QCOMPARE(f.lib.storedSoundEntry(kSetup + ":U00001", &kit), 6);
        QCOMPARE(f.lib.storedSoundEntry(kSetup + ":U10002", &kit), 2);
        QCOMPARE(f.lib.storedSoundEntry(kSetup + ":U04001", &kit), -1);
        QVERIFY(kit); // the file is loaded, the number lies beyond its table
        QCOMPARE(f.lib.storedSoundEntry("/kits/OTHER.BIN:U00001", &kit), -1);
        QVERIFY(!kit);
        f.lib.expectPadClickSounds();
        QCOMPARE(f.lib.storedSoundEntry(kSetup + ":U00001", &kit), 1);
    }

    // Each edit tells its change once, however many rows it makes, and only its own.
    void eachEditTellsOnce()
    {
        SoundLibrary lib;
        QSignalSpy sounds(&lib, &SoundLibrary::soundsChanged), groups(&lib, &SoundLibrary::groupsChanged),
                clicks(&lib, &SoundLibrary::clickSoundsChanged);
        lib.showSounds({{1, "a", plain(1), false}, {2, "b", plain(2), true}}, false, true); // rows, mirror, names
        lib.addSound("c", plain(3), 3, true);
        lib.removeSounds({0}, {});
        QCOMPARE(lib.hhSoundItemModel()->soundCount() * 10 + lib.waveLoadKitAttrList().size(), 21);
        lib.addSoundsToGroup(lib.appendGroup("G"), {{"a", plain(1)}, {"b", plain(2)}});
        lib.takeClickSounds({{"click", plain(4), 0, 0, 0}}, {});
        QCOMPARE(QVector<int>({sounds.count(), groups.count(), clicks.count()}), QVector<int>({3, 2, 1}));
    }

    // The groups as the library's own model shows them, edited through the
    // library and written with no view at all, read back whole.
    void groupsShownAndWrittenWithoutView()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath("soundlist.xml");
        SoundLibrary lib;
        lib.openSoundList(file); // no file yet: one group "Default"
        QCOMPARE(lib.appendGroup("Drums &  <Perc> "), 1);
        lib.addGroup("Empty");
        for (int s = 0; s < 300; ++s)
            lib.addSoundsToGroup(s % 3 ? 1 : 2, {{QString("Snare \"%1\" 鼓").arg(s), s % 2 ? plain(s) : stored(s)}});
        lib.renameGroupSound(2, 1, "Renamed");
        lib.deleteFromGroups({}, {{1, {0, 5}}});
        const SoundListModel *rows = lib.soundListItemModel();
        QStringList shown;
        for (int g = 0; g < rows->rowCount(); ++g) {
            const QStandardItem *group = rows->item(g, 0);
            shown << "[" + group->text().simplified();
            for (int r = 0; r < group->rowCount(); ++r)
                shown << group->child(r, 0)->text() + "|" + group->child(r, 1)->text();
        }
        QCOMPARE(shown.mid(0, 3), QStringList({"[Empty", "[Default", "Snare \"2\" 鼓|" + stored(2)}));
        QCOMPARE(shown.mid(200, 3), QStringList({"[Drums & <Perc>", "Snare \"0\" 鼓|" + stored(0), "Renamed|" + plain(3)}));
        QCOMPARE(shown.size(), 3 + 300 - 2);
        QCOMPARE(lib.leftGroupList(), QVector<QString>({"Drums &  <Perc> ", "Default", "Empty"}));
        QVERIFY(lib.saveSoundList().written);
        SoundLibrary back;
        const SoundLibrary::SoundListStart start = back.openSoundList(file);
        QCOMPARE(flat(back.soundGroupList()), shown);
        QVERIFY(start.unreadable.isEmpty() && !start.partly && start.keptAs.isEmpty()); // nothing kept aside
    }

    // Another program's version of the file, written after this library read
    // it, is kept beside it before the groups are written over it; the
    // library's own last write is not taken for one. A change in place of the
    // same size with its time put back is seen too. Groups that did not change
    // are not written: the other program's file stays.
    void otherProgramsVersionIsKept()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath("soundlist.xml");
        SoundLibrary lib;
        lib.openSoundList(file);
        QVERIFY(lib.saveSoundList({}, true).written);
        QVERIFY(!QFile::exists(file)); // nothing changed: the close writes nothing
        lib.addGroup("Mine");
        QVERIFY(lib.saveSoundList().written);
        QVERIFY(soundlists::write(file, {{"Theirs", {}}})); // another program
        const QByteArray theirs = readAll(file);
        lib.addGroup("More");
        SoundLibrary::SoundListSave save = lib.saveSoundList();
        QVERIFY(save.written);
        QVERIFY(!save.keptAs.isEmpty());
        QCOMPARE(readAll(save.keptAs), theirs);
        QVERIFY(readAll(file).contains("Mine") && !readAll(file).contains("Theirs"));
        lib.addGroup("Again");
        QVERIFY(lib.saveSoundList().keptAs.isEmpty());
        // A new mode alone (made read-only and back) keeps nothing aside.
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner)
                && QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
        lib.addGroup("Mode");
        QVERIFY(lib.saveSoundList().keptAs.isEmpty());

        struct stat was;
        QCOMPARE(::stat(QFile::encodeName(file).constData(), &was), 0);
        QByteArray inPlace = readAll(file);
        inPlace.replace("Again", "Agai_");
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadWrite) && f.write(inPlace) == inPlace.size());
        }
        const struct timespec times[2] = {was.st_atim, was.st_mtim};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(file).constData(), times, 0), 0);
        lib.addGroup("Last");
        save = lib.saveSoundList();
        QVERIFY(save.written && !save.keptAs.isEmpty());
        QCOMPARE(readAll(save.keptAs), inPlace);

        QVERIFY(soundlists::write(file, {{"Theirs", {}}}));
        save = lib.saveSoundList({}, true);
        QVERIFY(save.written && save.keptAs.isEmpty());
        QCOMPARE(readAll(file), theirs);
        // A save that needs its groups on the disk writes them over it, kept first.
        save = lib.saveSoundList();
        QVERIFY(save.written && !save.keptAs.isEmpty());
        QVERIFY(readAll(file).contains("Last"));
    }
};

QTEST_GUILESS_MAIN(TestSoundLibraryObject)
#include "test_soundlibraryobject.moc"
