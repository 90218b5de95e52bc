#include "device/padidentity.h"
#include "device/padjournal.h"
#include "padfixture.h"
#include "support/crashdisk.h"
#include "support/memorytemp.h"
#include "support/passdisk.h"
#include "platform/disk.h"
#include "platform/replacefile.h"

#include <QProcess>
#include <QScopeGuard>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pj = padjournal;

class TestPadJournal : public QObject {
    Q_OBJECT

    const TempInMemory m_inMemory; // the pad trees below lie in memory, made before any of them

    static PadTreePaths tree(const PadFixture &fx)
    {
        PadTreePaths t;
        t.kitPath = fx.kitPath;
        t.sysPath = fx.sysPath;
        t.dataPath = fx.dataPath;
        t.prmPath = fx.prmPath;
        return t;
    }

    static pj::Step move(const PadFixture &fx, pj::Area area, int from, int to)
    {
        const QString ext = area == pj::Area::Data ? ".wav" : ".prm";
        const QString base = area == pj::Area::Data ? fx.dataPath : fx.prmPath;
        pj::Step s;
        s.kind = pj::Kind::Move;
        s.area = area;
        s.number = quint16(from);
        s.folder = padtree::threeDigits(padtree::waveFolderNumber(from));
        s.from = padtree::threeDigits(padtree::waveFileNumber(from)) + ext;
        s.hidden = ztplatform::temporaryName(s.from, 0);
        s.toFolder = padtree::threeDigits(padtree::waveFolderNumber(to));
        s.to = padtree::threeDigits(padtree::waveFileNumber(to)) + ext;
        const QByteArray bytes = kf::readFile(base + "/" + s.folder + "/" + s.from);
        s.mark = pj::markOfBytes(bytes);
        if (area == pj::Area::Prm) {
            s.before = bytes.left(2);
            QByteArray patched = bytes;
            kf::wr16(patched, 0, quint16(to));
            s.after = patched.left(2);
            s.patched = pj::markOfBytes(patched);
        }
        return s;
    }

    // Waves 1 and 2 swap their numbers and kit 1's record names the new ones.
    static pj::Record swap(const PadFixture &fx)
    {
        pj::Record r;
        r.purpose = pj::Purpose::Renumbering;
        for (pj::Area a : {pj::Area::Data, pj::Area::Prm})
            r.steps << move(fx, a, 1, 2) << move(fx, a, 2, 1);
        pj::Step kit;
        kit.kind = pj::Kind::Patch;
        kit.area = pj::Area::Kit;
        kit.number = 1;
        kit.from = "k001.ini";
        kit.before = kf::readFile(fx.kitPath + "/k001.ini");
        kit.after = kit.before;
        kit.after[1000] = char(~kit.after.at(1000));
        r.steps << kit;
        return r;
    }

    // A tree copied file by file (folders, files and their bytes).
    static void copyTree(const QString &from, const QString &to)
    {
        QDir().mkpath(to);
        QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString p = it.next();
            const QString target = to + p.mid(from.size());
            if (it.fileInfo().isDir())
                QDir().mkpath(target);
            else
                kf::writeFile(target, kf::readFile(p));
        }
    }

    // Waves 1 and 2 on a pad whose kit 1 names them.
    static void layOut(PadFixture &fx)
    {
        kf::writeFile(fx.kitPath + "/k001.ini", QByteArray(KIT_RECORD_SIZE, 'k'));
        fx.addWave(1, "one");
        fx.addWave(2, "two");
    }

    // The snapshot without the SYS folder's own entries.
    static QStringList outsideSys(const PadFixture &fx)
    {
        return fx.snapshot()
                .filter(QRegularExpression("^(?!" + QRegularExpression::escape(fx.sysPath) + "/[^/]*($|/))"))
                .replaceInStrings(fx.root, "");
    }

    // Wave 3 added (Create steps, with or without the marks of `wav` and
    // `prm`) or wave 2 deleted (Remove steps).
    static pj::Record pairRecord(const PadFixture &fx, pj::Purpose purpose, const QByteArray &wav = {},
                                 const QByteArray &prm = {})
    {
        pj::Record r;
        r.purpose = purpose;
        const bool adding = purpose == pj::Purpose::AddSounds;
        for (pj::Area area : {pj::Area::Data, pj::Area::Prm}) {
            const bool data = area == pj::Area::Data;
            pj::Step s;
            s.kind = adding ? pj::Kind::Create : pj::Kind::Remove;
            s.area = area;
            s.number = adding ? 3 : 2;
            s.folder = s.toFolder = "001";
            const QString name = QString(adding ? "003" : "002") + (data ? ".wav" : ".prm");
            (adding ? s.to : s.from) = name;
            if (adding)
                s.hidden = ztplatform::temporaryName(name, 0);
            const QByteArray bytes = adding ? (data ? wav : prm)
                                            : kf::readFile((data ? fx.dataPath : fx.prmPath) + "/001/" + name);
            if (!bytes.isEmpty())
                s.mark = pj::markOfBytes(bytes);
            r.steps << s;
        }
        return r;
    }

    // A record as QDataStream writes it, the way decode() reads it.
    static QByteArray streamed(const pj::Record &record)
    {
        QByteArray bytes("ZT350JR1");
        QDataStream s(&bytes, QIODevice::Append);
        s.setVersion(QDataStream::Qt_5_15);
        s << quint8(record.purpose) << quint32(record.steps.size());
        for (const pj::Step &st : record.steps) {
            s << quint8(st.kind) << quint8(st.area) << st.number << st.folder << st.from << st.hidden << st.toFolder
              << st.to << qint64(st.mark.size) << st.mark.digest << st.mark.modified << qint64(st.offset)
              << st.before << st.after << qint64(st.patched.size) << st.patched.digest << st.patched.modified;
        }
        return bytes + QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    }

    // A close's save: kits 7 and 8 and the chain block patched (or, with
    // `restore`, global.ini put whole) and alter.ini put.
    static pj::Record saveRecord(const PadFixture &fx, bool restore = false)
    {
        pj::Record r;
        r.purpose = pj::Purpose::WriteBack;
        for (int k : {7, 8}) {
            pj::Step kit;
            kit.kind = pj::Kind::Patch;
            kit.area = pj::Area::Kit;
            kit.number = quint16(k);
            kit.from = QString("k%1.ini").arg(k, 3, 10, QChar('0'));
            kit.before = kf::readFile(fx.kitPath + "/" + kit.from);
            kit.after = kit.before;
            kit.after[1500] = char(~kit.after.at(1500));
            r.steps << kit;
        }
        const QByteArray global = kf::readFile(fx.sysPath + "/global.ini");
        pj::Step chains;
        chains.area = pj::Area::Sys;
        chains.from = "global.ini";
        if (restore) {
            chains.kind = pj::Kind::Put;
            chains.hidden = ztplatform::temporaryName(chains.from, 0);
            chains.before = global;
            chains.mark = pj::markOfBytes(global);
            chains.after = global;
            chains.after[100] = char(~chains.after.at(100));
        } else {
            chains.kind = pj::Kind::Patch;
            chains.offset = KIT_CHAIN_BLOCK_OFFSET;
            chains.before = global.mid(KIT_CHAIN_BLOCK_OFFSET, KIT_CHAIN_BLOCK_SIZE);
            chains.after = QByteArray(KIT_CHAIN_BLOCK_SIZE, 'c');
        }
        r.steps << chains;
        pj::Step alter;
        alter.kind = pj::Kind::Put;
        alter.area = pj::Area::Sys;
        alter.from = "alter.ini";
        alter.hidden = ztplatform::temporaryName(alter.from, 0);
        alter.before = kf::readFile(fx.sysPath + "/alter.ini");
        alter.mark = pj::markOfBytes(alter.before);
        alter.after = QByteArray(106, '\x01');
        r.steps << alter;
        return r;
    }

    // The file `name` as the step of `record` that writes it leaves it.
    static QByteArray afterStep(const PadFixture &fx, const pj::Record &record, const QString &name)
    {
        for (const pj::Step &s : record.steps) {
            if (s.from != name)
                continue;
            QByteArray bytes = kf::readFile((s.area == pj::Area::Kit ? fx.kitPath : fx.sysPath) + "/" + name);
            return s.kind == pj::Kind::Put ? s.after : bytes.replace(int(s.offset), s.after.size(), s.after);
        }
        return {};
    }

private slots:
    // A record is written field by field exactly as the reader's stream
    // reads it: null and empty texts, text beyond 16 bits, large bytes.
    void aRecordIsWrittenAsItsReaderReadsIt()
    {
        PadFixture fx;
        layOut(fx);
        pj::Step odd;
        odd.kind = pj::Kind::Patch;
        odd.area = pj::Area::Kit;
        odd.number = 100;
        odd.from = QString::fromUtf8("k\u00f6\u20ac\U0001F600.ini");
        odd.folder = "";
        odd.before = QByteArray(70000, 'b');
        odd.after = QByteArray(70000, 'a');
        odd.offset = 0x123456789;
        pj::Record writeBack;
        writeBack.steps << odd;
        for (const pj::Record &r : {swap(fx), pairRecord(fx, pj::Purpose::DeleteSounds),
                                    pairRecord(fx, pj::Purpose::AddSounds), writeBack, pj::Record()}) {
            QCOMPARE(pj::encode(r), streamed(r));
            pj::Record back;
            QVERIFY(pj::decode(pj::encode(r), &back));
            QCOMPARE(pj::encode(back), pj::encode(r));
        }
    }

    // A batch's first record names its new files without their marks: the
    // load takes back whatever it finds of them and names the sounds not
    // added. Once the record holds their marks, the load finishes it; a
    // staging record beside it is removed.
    void anAddIsTakenBackUntilItsRecordKnowsTheFiles()
    {
        PadFixture fx;
        layOut(fx);
        const QByteArray wav = kf::wavBytes(400, 3), prm = waveprm::buildRecord(3, "three", quint32(wav.size()));
        pj::Pad pad(fx.anchor(), tree(fx));
        auto stage = [&](const pj::Record &r) {
            kf::writeFile(fx.dataPath + "/001/" + r.steps.at(0).hidden, wav);
            kf::writeFile(fx.prmPath + "/001/" + r.steps.at(1).hidden, prm);
        };
        const pj::Record begun = pairRecord(fx, pj::Purpose::AddSounds);
        QVERIFY(pj::begin(pad, begun));
        stage(begun);
        PadFixture::Loaded again = fx.loadAgain();
        QVERIFY2(again.text().contains("The adding of these sounds was taken back; they are not on the sampler pad: 3."),
                 qPrintable(again.text()));
        QCOMPARE(again.sounds.waveLoadKitAttrList.size(), 2);
        QCOMPARE(again.hidden, QStringList());
        QVERIFY(!pj::recordPresent(pad));

        const pj::Record full = pairRecord(fx, pj::Purpose::AddSounds, wav, prm);
        stage(full);
        kf::writeFile(fx.sysPath + "/" + pj::RECORD_NAME, pj::encode(full));
        kf::writeFile(fx.sysPath + "/" + pj::STAGING_NAME, pj::encode(begun));
        again = fx.loadAgain();
        QVERIFY2(again.text().contains("These sounds were completed: 3."), qPrintable(again.text()));
        QCOMPARE(again.sounds.waveLoadKitAttrList.size(), 3);
        QCOMPARE(kf::readFile(fx.dataPath + "/001/003.wav"), wav);
        QCOMPARE(again.hidden, QStringList());
        QCOMPARE(QDir(fx.sysPath).entryList(QDir::Files | QDir::Hidden), QStringList{"global.ini"});
    }

    // A delete stopped anywhere once its record is on the disk is finished,
    // whichever of its files have left their names.
    void aDeleteIsFinishedHoweverFarItGot()
    {
        for (int gone : {0, 1, 2}) {
            PadFixture fx;
            layOut(fx);
            const pj::Record r = pairRecord(fx, pj::Purpose::DeleteSounds);
            kf::writeFile(fx.sysPath + "/" + pj::RECORD_NAME, pj::encode(r));
            const QString wav = fx.dataPath + "/001/002.wav", prm = fx.prmPath + "/001/002.prm";
            if (gone >= 1)
                QVERIFY(QFile::remove(wav));
            if (gone >= 2)
                QVERIFY(QFile::remove(prm));
            const PadFixture::Loaded again = fx.loadAgain();
            // Both files removed where they stood: the change was whole already.
            const QString told =
                    gone == 2 ? "whose every step was already done" : "The deletion of these sounds was finished: 2.";
            QVERIFY2(again.text().contains(told), qPrintable(again.text()));
            QCOMPARE(again.sounds.waveLoadKitAttrList.size(), 1);
            QCOMPARE(again.hidden, QStringList());
        }
    }

    // A delete handed the stamps its files had when their marks were read
    // knows a file still standing so without reading it again; a file written
    // since is known by its bytes alone, and stays when they are no longer
    // the ones the record names.
    void aDeleteTrustsAStampOnlyWhileTheFileStandsSo()
    {
        enum { Unchanged, Touched, Rewritten };
        for (int since : {Unchanged, Touched, Rewritten}) {
            PadFixture fx;
            layOut(fx);
            const pj::Record r = pairRecord(fx, pj::Purpose::DeleteSounds);
            const QString wav = fx.dataPath + "/001/002.wav", prm = fx.prmPath + "/001/002.prm";
            QVector<pj::Stamp> seen;
            for (const QString &p : {wav, prm}) {
                const int fd = ::open(QFile::encodeName(p).constData(), O_RDONLY | O_CLOEXEC);
                pj::Stamp stamp;
                QCOMPARE(pj::markOfFile(ztplatform::systemDisk(), fd, &stamp), r.steps.at(seen.size()).mark);
                ::close(fd);
                QVERIFY(stamp.isValid());
                seen << stamp;
            }
            QByteArray bytes = kf::readFile(wav);
            if (since == Rewritten)
                bytes[bytes.size() - 1] = char(~bytes.at(bytes.size() - 1));
            if (since != Unchanged) {
                kf::writeFile(wav, bytes);
                const struct timespec hourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
                QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(wav).constData(), hourAgo, 0), 0);
            }
            struct Reads : PassDisk {
                QAtomicInt opens;
                int openAt(int dir, const QByteArray &name, int flags, mode_t mode = 0) override
                {
                    if (name.endsWith(".wav") || name.endsWith(".prm"))
                        opens.fetchAndAddRelaxed(1);
                    return PassDisk::openAt(dir, name, flags, mode);
                }
            } disk;
            const DiskInPlace inPlace(fx.disk, &disk);
            pj::Pad pad(fx.anchor(), tree(fx));
            const pj::Outcome o = pj::run(pad, r, {}, false, seen);
            QVERIFY(o.finished);
            QCOMPARE(disk.opens.loadRelaxed(), since == Unchanged ? 0 : 1);
            // A pair one of whose files was rewritten stays whole.
            QCOMPARE(QFileInfo::exists(wav), since == Rewritten);
            QCOMPARE(QFileInfo::exists(prm), since == Rewritten);
            // The file left is named, and its sound not told as deleted.
            const QString text = pj::describe(o).join("\n");
            QCOMPARE(text.contains("Sound 2: 001/002.wav holds other bytes than the file deleted; it stays on the "
                                   "sampler pad."),
                     since == Rewritten);
            QCOMPARE(text.contains("The deletion of these sounds was finished"), since != Rewritten);
        }
    }

    // A folder swapped for another at its place while a change runs: the
    // change goes on in the folder now at the place, and nothing more is
    // written into the one moved away.
    void aFolderSwappedMidChangeIsReachedAgain()
    {
        PadFixture fx;
        layOut(fx);
        const pj::Record r = pairRecord(fx, pj::Purpose::DeleteSounds);
        const QString prmFolder = fx.prmPath + "/001", aside = fx.root + "/aside";
        bool swapped = false;
        WatchingChanges watch([&](ztplatform::FileEvent e, const QString &path) {
            if (swapped || e != ztplatform::FileEvent::Removed || !path.contains("/WAV_DATA/"))
                return;
            swapped = QDir().rename(prmFolder, aside);
            copyTree(aside, prmFolder);
        });
        pj::Pad pad(ztplatform::FolderAnchor::record(fx.root, &watch), tree(fx));
        const pj::Outcome o = pj::run(pad, r);
        QVERIFY(swapped && o.finished);
        const QString removed = r.steps.at(1).from;
        QVERIFY(QFileInfo::exists(aside + "/" + removed));
        QVERIFY(!QFileInfo::exists(prmFolder + "/" + removed) && QFileInfo::exists(prmFolder + "/001.prm"));
    }

    // Under the pad's guard a change looks at the root and at its folder by
    // their paths, without opening the root each time; a folder swapped at
    // its place is seen all the same and reached again.
    void aGuardedChangeLooksAtTheRootWithoutOpeningIt()
    {
        PadFixture fx;
        layOut(fx);
        struct RootOpens : PassDisk {
            QByteArray root;
            QAtomicInt opens;
            std::function<void(ztplatform::FileEvent, const QString &)> watch;
            int openAt(int dir, const QByteArray &name, int flags, mode_t mode = 0) override
            {
                if (name == root)
                    opens.fetchAndAddRelaxed(1);
                return PassDisk::openAt(dir, name, flags, mode);
            }
            void changed(ztplatform::FileEvent e, int fd, const QByteArray &name) override
            {
                if (watch)
                    watch(e, changedPath(fd, name));
            }
        } disk;
        disk.root = QFile::encodeName(QFileInfo(fx.root).canonicalFilePath());
        const DiskInPlace inPlace(fx.disk, &disk);
        const PadPlaces places{fx.root, fx.sysPath + "/CLICK", fx.sysPath + "/global.ini", {}, nullptr, &fx.disk};
        ztplatform::FolderAnchor anchor = fx.anchor();
        anchor.setCheck(std::make_shared<PadGuard>(places, readPadIdentity(places, true)));

        const pj::Record r = pairRecord(fx, pj::Purpose::DeleteSounds);
        const QString prmFolder = fx.prmPath + "/001", aside = fx.root + "/aside";
        int changes = 0;
        bool swapped = false;
        disk.watch = [&](ztplatform::FileEvent e, const QString &path) {
            ++changes;
            if (swapped || e != ztplatform::FileEvent::Removed || !path.contains("/WAV_DATA/"))
                return;
            swapped = QDir().rename(prmFolder, aside);
            copyTree(aside, prmFolder);
        };
        pj::Pad pad(anchor, tree(fx));
        const pj::Outcome o = pj::run(pad, r);
        disk.watch = nullptr;
        QVERIFY(swapped && o.finished);
        QVERIFY(QFileInfo::exists(aside + "/" + r.steps.at(1).from));
        QVERIFY(!QFileInfo::exists(prmFolder + "/" + r.steps.at(1).from) && QFileInfo::exists(prmFolder + "/001.prm"));
        // The root is opened to reach a folder, not to judge each change.
        QVERIFY2(disk.opens.loadRelaxed() < changes, qPrintable(QString("%1 opens of the root for %2 changes")
                                                                        .arg(disk.opens.loadRelaxed())
                                                                        .arg(changes)));
    }

    // A replacement's sweep of SYS (the close's alter.ini) keeps a record an
    // earlier session left, however old; the leftover beside it goes.
    void theRecordNamesNoTemporaryFile()
    {
        for (const QString &name : {QString(pj::RECORD_NAME), QString(pj::STAGING_NAME)})
            QVERIFY(!ztplatform::isTemporaryName(name));
        PadFixture fx;
        layOut(fx);
        const QByteArray record = pj::encode(swap(fx));
        const QString at = fx.sysPath + "/" + pj::RECORD_NAME, leftover = fx.sysPath + "/.alter.ini.0.zt-part";
        kf::writeFile(at, record);
        kf::writeFile(leftover, "old");
        const struct timespec hourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
        for (const QString &p : {at, leftover})
            QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(p).constData(), hourAgo, 0), 0);
        ztplatform::ReplaceFile::startedAgain();
        ztplatform::ReplaceFile alter(fx.sysPath + "/alter.ini");
        QVERIFY(alter.open() && alter.write(QByteArray(106, '\0')) && alter.commit());
        QVERIFY(!QFileInfo::exists(leftover));
        QCOMPARE(kf::readFile(at), record);
    }

    void aRecordIsReadBackOnlyWhole()
    {
        PadFixture fx;
        layOut(fx);
        const pj::Record r = swap(fx);
        const QByteArray bytes = pj::encode(r);
        pj::Record back;
        QVERIFY(pj::decode(bytes, &back));
        QCOMPARE(pj::encode(back), bytes);
        for (int cut : {0, 8, bytes.size() / 2, bytes.size() - 1})
            QVERIFY(!pj::decode(bytes.left(cut), &back));
        for (int at : {9, bytes.size() / 2, bytes.size() - 3}) {
            QByteArray flipped = bytes;
            flipped[at] = char(flipped.at(at) ^ 0x10);
            QVERIFY2(!pj::decode(flipped, &back), qPrintable(QString::number(at)));
        }
    }

    void aRecordNamingAnythingButPadEntriesIsRefused_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::newRow("parent in a name") << "to" << "../../001.wav";
        QTest::newRow("dot dot") << "hidden" << "..";
        QTest::newRow("slash") << "from" << "a/b";
        QTest::newRow("folder out of range") << "toFolder" << "101";
        QTest::newRow("folder not three digits") << "folder" << "1";
        QTest::newRow("folder climbing") << "folder" << "..";
        QTest::newRow("number zero") << "number" << "0";
        QTest::newRow("number too big") << "number" << "10000";
    }
    void aRecordNamingAnythingButPadEntriesIsRefused()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        PadFixture fx;
        layOut(fx);
        pj::Record r = swap(fx);
        pj::Step &s = r.steps[0];
        if (field == "to")
            s.to = value;
        else if (field == "hidden")
            s.hidden = value;
        else if (field == "from")
            s.from = value;
        else if (field == "toFolder")
            s.toFolder = value;
        else if (field == "folder")
            s.folder = value;
        else
            s.number = quint16(value.toUInt());
        pj::Record back;
        QVERIFY(!pj::decode(pj::encode(r), &back));
    }

    // Random bytes, a record with a bad name or a hidden name not of the
    // editor's own pattern (a sound's own name), a folder, a FIFO or a link
    // at the record's name: kept aside under a visible name, nothing else
    // moved, and never told as undone.
    void anUnreadableRecordIsKeptAsideAndNothingMoves_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char *k : {"random", "climbing", "hiding as a sound", "folder", "fifo", "link",
                              "folder at the staging name"})
            QTest::newRow(k) << QString(k);
    }
    void anUnreadableRecordIsKeptAsideAndNothingMoves()
    {
        QFETCH(QString, kind);
        PadFixture fx;
        layOut(fx);
        const QString at = fx.sysPath + "/" + (kind.contains("staging") ? pj::STAGING_NAME : pj::RECORD_NAME);
        if (kind == "random") {
            kf::writeFile(at, QByteArray(300, 'q'));
        } else if (kind == "climbing") {
            pj::Record r = swap(fx);
            r.steps[0].to = "../../../../escaped.wav";
            QByteArray bytes = pj::encode(r);
            kf::writeFile(at, bytes);
        } else if (kind == "hiding as a sound") {
            pj::Record r = pairRecord(fx, pj::Purpose::AddSounds);
            r.steps[0].hidden = "001.wav";
            kf::writeFile(at, pj::encode(r));
        } else if (kind.startsWith("folder")) {
            QVERIFY(QDir().mkpath(at + "/inner"));
        } else if (kind == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(at).constData(), 0644), 0);
        } else {
            QVERIFY(QFile::link(fx.kitPath + "/k001.ini", at));
        }
        const QStringList before = outsideSys(fx);
        pj::Pad pad(fx.anchor(), tree(fx));
        const pj::Outcome o = pj::recover(pad);
        QVERIFY(o.found && o.unreadable && !o.undone && !o.finished);
        QCOMPARE(o.keptAs, QString("unreadable-journal-1.bin"));
        // It stays where it is until its box was shown, and then goes aside.
        QVERIFY(QFileInfo(at).exists() || QFileInfo(at).isSymLink());
        QCOMPARE(pj::recover(pad).keptAs, o.keptAs);
        QVERIFY(pj::setAside(pad, o.asideFrom, o.keptAs));
        QVERIFY(!QFileInfo(at).exists() && !QFileInfo(at).isSymLink());
        QVERIFY(QFileInfo(fx.sysPath + "/unreadable-journal-1.bin").exists()
                || QFileInfo(fx.sysPath + "/unreadable-journal-1.bin").isSymLink());
        QCOMPARE(outsideSys(fx), before);
        const QString text = pj::describe(o).join("\n");
        QVERIFY2(text.contains("cannot read") && text.contains("unreadable-journal-1.bin") && !text.contains("undone"),
                 qPrintable(text));
        // The next load finds nothing more to do, and the next change is recorded.
        pj::Pad again(fx.anchor(), tree(fx));
        QVERIFY(!pj::recover(again).found);
        QVERIFY(pj::run(again, swap(fx)).finished);
    }

    // Records of valid form whose steps the editor never writes (files
    // outside the wave folders removed, a kit record put whole or patched
    // past its size, a file named by two steps, sounds created by a save, an
    // offset near 2^63): kept aside, nothing moved, and the box names it.
    void aRecordWithStepsTheEditorNeverWritesIsKeptAside_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char *k : {"kit record removed", "global.ini removed", "kit record of 7 bytes",
                              "a sound's audio patched", "one file in two steps", "sounds created by a save",
                              "offset near 2^63", "chain block elsewhere", "a delete naming its hidden file"})
            QTest::newRow(k) << QString(k);
    }
    void aRecordWithStepsTheEditorNeverWritesIsKeptAside()
    {
        QFETCH(QString, kind);
        PadFixture fx;
        fx.writeKits();
        layOut(fx);
        kf::writeFile(fx.sysPath + "/alter.ini", QByteArray(106, '\0'));
        for (const pj::Record &r : {swap(fx), pairRecord(fx, pj::Purpose::DeleteSounds),
                                    pairRecord(fx, pj::Purpose::AddSounds), saveRecord(fx), saveRecord(fx, true)})
            QVERIFY(pj::isEditorsRecord(r));
        pj::Record r = kind.contains("removed") || kind.contains("delete") ? pairRecord(fx, pj::Purpose::DeleteSounds)
                : kind == "one file in two steps"                          ? swap(fx)
                                                                           : saveRecord(fx);
        pj::Step &s = r.steps[0];
        if (kind.contains("removed")) {
            const bool kit = kind.startsWith("kit");
            s.area = kit ? pj::Area::Kit : pj::Area::Sys;
            s.number = kit ? 1 : 0;
            s.folder.clear();
            s.from = kit ? "k001.ini" : "global.ini";
            s.mark = pj::markOfBytes(kf::readFile((kit ? fx.kitPath : fx.sysPath) + "/" + s.from));
        } else if (kind == "kit record of 7 bytes") {
            s.kind = pj::Kind::Put;
            s.hidden = ztplatform::temporaryName(s.from, 0);
            s.mark = pj::markOfBytes(s.before);
            s.after = "seven b";
        } else if (kind == "a sound's audio patched") {
            s.area = pj::Area::Data;
            s.number = 2;
            s.folder = "001";
            s.from = "002.wav";
            s.offset = 44;
            s.before = kf::readFile(fx.dataPath + "/001/002.wav").mid(44, 8);
            s.after = QByteArray(8, 'x');
        } else if (kind == "one file in two steps") {
            r.steps[1].to = r.steps[0].to;
        } else if (kind == "sounds created by a save") {
            r.steps << pairRecord(fx, pj::Purpose::AddSounds, kf::wavBytes(400, 3)).steps.at(0);
        } else if (kind == "offset near 2^63" || kind == "chain block elsewhere") {
            pj::Step &chains = r.steps[2];
            chains.offset = kind == "chain block elsewhere" ? 400 : std::numeric_limits<qint64>::max() - 100;
        } else {
            s.hidden = ztplatform::temporaryName(s.from, 0);
        }
        pj::Record back;
        QCOMPARE(pj::decode(pj::encode(r), &back), kind != "a delete naming its hidden file"); // an older form
        QVERIFY(!pj::isEditorsRecord(back));
        kf::writeFile(fx.sysPath + "/" + pj::RECORD_NAME, pj::encode(r));
        const QStringList before = outsideSys(fx);
        const PadFixture::Loaded again = fx.loadAgain();
        QCOMPARE(outsideSys(fx), before);
        QVERIFY(!QFileInfo::exists(fx.sysPath + "/" + pj::RECORD_NAME));
        QCOMPARE(kf::readFile(fx.sysPath + "/unreadable-journal-1.bin"), pj::encode(r));
        QVERIFY2(again.text().contains("unreadable-journal-1.bin"), qPrintable(again.text()));
        QCOMPARE(again.recovery.messages.first().title, QString("Warning"));
    }

    // An unreadable record with every name it could be kept aside under
    // taken: it stays where it is and is never acted on, nothing is moved,
    // the box says it could not be kept aside, and no later change is
    // recorded beside it, load after load.
    void anUnreadableRecordWithNoNameFreeStaysAndIsNamed()
    {
        PadFixture fx;
        layOut(fx);
        for (int n = 1; n <= 999; ++n)
            kf::writeFile(fx.sysPath + QString("/unreadable-journal-%1.bin").arg(n), "earlier");
        pj::Record r = swap(fx);
        r.steps[0].to = "../escaped.wav";
        kf::writeFile(fx.sysPath + "/" + pj::RECORD_NAME, pj::encode(r));
        const QStringList before = fx.snapshot();
        for (int load = 0; load < 2; ++load) {
            const PadFixture::Loaded again = fx.loadAgain();
            QCOMPARE(again.text(), QString("A change of the files on the sampler pad was cut short.\r\nThe sampler pad holds a change record the editor cannot read or did not write; it was neither finished nor taken back.\r\nIt could not be kept aside: the SYS "
                                           "folder already holds unreadable-journal-1.bin to "
                                           "unreadable-journal-999.bin."));
            QCOMPARE(again.recovery.messages.first().title, QString("Warning"));
            QCOMPARE(fx.snapshot(), before);
        }
        pj::Pad pad(fx.anchor(), tree(fx));
        const pj::Outcome o = pj::run(pad, swap(fx));
        QVERIFY(!o.finished && !o.changed);
        QCOMPARE(fx.snapshot(), before);
    }

    // An unreadable record kept aside beside an add's hidden files: the box
    // claims nothing put in order, as the hidden files stay for now.
    void anUnreadableRecordKeptAsideClaimsNothingPutInOrder()
    {
        PadFixture fx;
        layOut(fx);
        kf::writeFile(fx.sysPath + "/" + pj::RECORD_NAME, QByteArray(300, 'q'));
        touchFile(fx.dataPath + "/001/.006.wav.3.zt-part", "cut");
        const PadFixture::Loaded again = fx.loadAgain();
        QCOMPARE(again.text(), QString("A change of the files on the sampler pad was cut short.\r\nThe sampler pad holds a change record the editor cannot read or did not write; it was neither finished nor taken back.\r\nIt is kept aside as unreadable-journal-1.bin in the SYS folder."));
        QCOMPARE(again.recovery.messages.first().title, QString("Warning"));
        QVERIFY(QFileInfo::exists(fx.dataPath + "/001/.006.wav.3.zt-part"));
    }

    // A stop anywhere in the write of a change's first record (the editor
    // killed, or the power cut with what was not synced lost): until the
    // record has its name no load tells anything, and none ever reports a
    // record it cannot read.
    void aStopAtTheFirstRecordsWriteLeavesNothingToTell_data()
    {
        QTest::addColumn<bool>("powerCut");
        QTest::newRow("killed") << false;
        QTest::newRow("power cut") << true;
    }
    void aStopAtTheFirstRecordsWriteLeavesNothingToTell()
    {
        QFETCH(bool, powerCut);
        int calls = 0;
        {
            PadFixture fx;
            layOut(fx);
            pj::Pad pad(fx.anchor(), tree(fx));
            stopBefore(fx.disk, fx.root, 0, [&](ztplatform::Disk &) { QVERIFY(pj::begin(pad, pairRecord(fx, pj::Purpose::AddSounds))); },
                       false, &calls);
        }
        QVERIFY(calls >= 4);
        int unnamed = 0;
        for (int n = 1; n <= calls; ++n) {
            PadFixture fx;
            layOut(fx);
            pj::Pad pad(fx.anchor(), tree(fx));
            QVERIFY(stopBefore(fx.disk, fx.root, n, [&](ztplatform::Disk &) { pj::begin(pad, pairRecord(fx, pj::Purpose::AddSounds)); },
                               powerCut));
            const bool recorded = QFileInfo::exists(fx.sysPath + "/" + pj::RECORD_NAME);
            unnamed += !recorded;
            const PadFixture::Loaded again = fx.loadAgain();
            const QString where = QString("stop %1: ").arg(n) + again.text();
            QVERIFY2(recorded || again.text().isEmpty(), qPrintable(where));
            QVERIFY2(!again.text().contains("cannot read"), qPrintable(where));
            QCOMPARE(QDir(fx.sysPath).entryList(QDir::Files | QDir::Hidden), QStringList{"global.ini"});
        }
        QVERIFY(unnamed >= 3);
    }

    // A load that keeps an unreadable record aside, stopped at any call (the
    // editor killed, or the power cut): the next load names it again when
    // that load was stopped before its box, or before the record was aside
    // under the name its box gave.
    void aStopOfTheLoadThatKeepsARecordAsideNamesItAgain_data()
    {
        QTest::addColumn<bool>("powerCut");
        QTest::newRow("killed") << false;
        QTest::newRow("power cut") << true;
    }
    void aStopOfTheLoadThatKeepsARecordAsideNamesItAgain()
    {
        QFETCH(bool, powerCut);
        const QByteArray unreadable(300, 'q');
        int told = 0, again = 0;
        for (int n = 1;; ++n) {
            PadFixture fx;
            layOut(fx);
            kf::writeFile(fx.sysPath + "/" + pj::RECORD_NAME, unreadable);
            int callsAtBox = 0;
            const auto load = [&](ztplatform::Disk &disk) {
                const ztplatform::FolderAnchor root = fx.anchor();
                const PadRecovery recovery = recoverPad(fx.tree(), root);
                QVERIFY(recovery.messages.first().text.contains("unreadable-journal-1.bin"));
                callsAtBox = static_cast<CrashDisk &>(disk).calls(); // the box shown
                setRecordAside(fx.tree(), root, recovery);
            };
            if (!stopBefore(fx.disk, fx.root, n, load, powerCut))
                break;
            const bool aside = QFileInfo::exists(fx.sysPath + "/unreadable-journal-1.bin");
            const PadFixture::Loaded next = fx.loadAgain();
            const bool named = next.text().contains("It is kept aside as unreadable-journal-1.bin in the SYS folder.");
            QCOMPARE(named, !aside);
            QVERIFY(named || n > callsAtBox);
            (aside ? told : again) += 1;
            QCOMPARE(kf::readFile(fx.sysPath + "/unreadable-journal-1.bin"), unreadable);
            QVERIFY(!QFileInfo::exists(fx.sysPath + "/" + pj::RECORD_NAME));
            QCOMPARE(fx.loadAgain().text(), QString());
        }
        QVERIFY(again >= 1 && (powerCut || told >= 1));
    }

    // The record run forward, stopped at every call (what was not synced
    // lost), recovered; the recovery itself stopped at every call and run
    // again: the sounds and the kit always agree, all old or all new, and
    // the same stop always ends in the same state.
    void aStopAnywhereAndAStopInTheRecoveryEndAlike()
    {
        int calls = 0;
        QStringList old, now;
        for (int n = 0; n == 0 || n <= calls; ++n) {
            PadFixture fx;
            layOut(fx);
            if (n == 0) {
                old = outsideSys(fx);
                pj::Pad pad(fx.anchor(), tree(fx));
                const pj::Record r = swap(fx);
                bool finished = false;
                stopBefore(fx.disk, fx.root, 0, [&](ztplatform::Disk &) { finished = pj::run(pad, r).finished; }, false,
                           &calls);
                QVERIFY(finished);
                now = outsideSys(fx);
                QVERIFY(now != old);
                continue;
            }
            QTemporaryDir keep;
            {
                pj::Pad pad(fx.anchor(), tree(fx));
                const pj::Record r = swap(fx);
                stopBefore(fx.disk, fx.root, n, [&](ztplatform::Disk &) { pj::run(pad, r); });
            }
            // The state the stop left, kept to stop the recovery in it too.
            copyTree(fx.root, keep.path());
            QStringList ends;
            for (int m = 0;; ++m) {
                if (m > 0) {
                    QVERIFY(QDir(fx.model).removeRecursively());
                    copyTree(keep.path(), fx.root);
                    pj::Pad pad(fx.anchor(), tree(fx));
                    if (!stopBefore(fx.disk, fx.root, m, [&](ztplatform::Disk &) { pj::recover(pad); }))
                        break;
                }
                pj::Pad pad(fx.anchor(), tree(fx));
                const pj::Outcome o = pj::recover(pad);
                QVERIFY(!o.refused && !o.unreadable);
                const QStringList end = outsideSys(fx);
                if (end != old && end != now) {
                    for (const QString &l : end)
                        if (!old.contains(l))
                            qDebug() << "not old:" << l;
                    for (const QString &l : old)
                        if (!end.contains(l))
                            qDebug() << "gone:" << l;
                }
                QVERIFY2(end == old || end == now, qPrintable(QString("stop %1, recovery stop %2").arg(n).arg(m)));
                QVERIFY(!QFileInfo::exists(fx.sysPath + "/" + pj::RECORD_NAME));
                ends << (end == old ? "old" : "new");
                if (m == 0 && n > 1 && o.found)
                    QVERIFY(!pj::describe(o).isEmpty());
            }
            ends.removeDuplicates();
            QVERIFY2(ends.size() == 1, qPrintable(QString("stop %1 ends as %2").arg(n).arg(ends.join(", "))));
        }
        QVERIFY(calls > 10);
    }

    // A renumbering turned back whose undo was cut short, and beside it the
    // record of a save written after it: the older is undone first, then the
    // save is finished, each record removed on its own, and a stop anywhere in
    // that load ends, loaded again, as the load that was not stopped.
    void aTurnedBackChangeAndALaterSaveAreBothEnded_data()
    {
        QTest::addColumn<bool>("renumbering");
        QTest::addColumn<QString>("undone");
        QTest::newRow("renumbering") << true
                                     << "A renumbering cut short was undone: the sounds keep their numbers.\r\nThese "
                                        "kits name the sounds by the numbers they had: 1.";
    }
    void aTurnedBackChangeAndALaterSaveAreBothEnded()
    {
        QFETCH(bool, renumbering);
        QFETCH(QString, undone);
        PadFixture fx;
        layOut(fx);
        QVERIFY(renumbering);
        const pj::Record first = swap(fx);
        QVERIFY(QFile::rename(fx.dataPath + "/001/002.wav", fx.dataPath + "/001/" + first.steps.at(renumbering).hidden));
        kf::writeFile(fx.sysPath + "/.zt-journal-undo", pj::encode(first));
        pj::Record save;
        save.purpose = pj::Purpose::WriteBack;
        save.steps << swap(fx).steps.last();
        QByteArray &kit = save.steps.first().after;
        kit[1000] = kit.at(1000 - 1);
        kit[1500] = 'n';
        kf::writeFile(fx.sysPath + "/" + pj::RECORD_NAME, pj::encode(save));
        QTemporaryDir keep;
        copyTree(fx.root, keep.path());

        const PadFixture::Loaded again = fx.loadAgain();
        QCOMPARE(again.text(), "A change of the sounds on the sampler pad was cut short; it is now put in order.\r\n" + undone + "\r\nThe save of an earlier close was "
                               "finished from its record.\r\nThese kits were written: 1.");
        QCOMPARE(again.sounds.waveLoadKitAttrList.size(), 2);
        QCOMPARE(again.hidden, QStringList());
        QCOMPARE(kf::readFile(fx.kitPath + "/k001.ini"), kit);
        QCOMPARE(QDir(fx.sysPath).entryList(QDir::Files | QDir::Hidden), QStringList{"global.ini"});
        const QStringList end = fx.snapshot();
        int stops = 0;
        for (int m = 1;; ++m) {
            QVERIFY(QDir(fx.model).removeRecursively());
            copyTree(keep.path(), fx.root);
            if (!stopBefore(fx.disk, fx.root, m, [&](ztplatform::Disk &) { fx.loadAgain(); }))
                break;
            ++stops;
            fx.loadAgain();
            QVERIFY2(fx.snapshot() == end, qPrintable(QString("stop %1").arg(m)));
        }
        QVERIFY(stops >= 4);
    }

    // A close's save turned back and cut short during that undo (a kit and
    // alter.ini already new): the next load ends it undone and says so,
    // alter.ini as before the close, and so does a load stopped anywhere.
    void aTurnedBackSaveCutShortEndsUndone()
    {
        PadFixture fx;
        fx.writeKits();
        const QByteArray alterBefore(106, '\0');
        kf::writeFile(fx.sysPath + "/alter.ini", alterBefore);
        const pj::Record r = saveRecord(fx);
        const QStringList old = fx.snapshot();
        kf::writeFile(fx.kitPath + "/k007.ini", afterStep(fx, r, "k007.ini"));
        kf::writeFile(fx.sysPath + "/global.ini", afterStep(fx, r, "global.ini"));
        kf::writeFile(fx.sysPath + "/alter.ini", afterStep(fx, r, "alter.ini"));
        kf::writeFile(fx.sysPath + "/.zt-journal-undo", pj::encode(r));
        QTemporaryDir keep;
        copyTree(fx.root, keep.path());

        const PadFixture::Loaded again = fx.loadAgain();
        QCOMPARE(again.text(), QString("A save to the sampler pad was cut short; it is now put in order.\r\nThe save "
                                       "of an earlier close was taken back: the sampler pad holds what it held before "
                                       "that close."));
        QCOMPARE(kf::readFile(fx.sysPath + "/alter.ini"), alterBefore);
        QCOMPARE(fx.snapshot(), old);
        QCOMPARE(fx.loadAgain().text(), QString());
        int stops = 0;
        for (int m = 1;; ++m) {
            QVERIFY(QDir(fx.model).removeRecursively());
            copyTree(keep.path(), fx.root);
            if (!stopBefore(fx.disk, fx.root, m, [&](ztplatform::Disk &) { fx.loadAgain(); }))
                break;
            ++stops;
            const PadFixture::Loaded last = fx.loadAgain();
            QVERIFY2(fx.snapshot() == old, qPrintable(QString("stop %1").arg(m)));
            QVERIFY2(last.text().isEmpty() || last.text().contains("was taken back"), qPrintable(last.text()));
        }
        QVERIFY(stops >= 3);
    }

    // Leftovers are known exactly: hidden files pair only when the names they
    // stand for have the same stem, SYS is cleared of the editor's own, and
    // hidden names not of the editor's pattern stay.
    void leftoversAreKnownByTheirFullStem()
    {
        PadFixture fx;
        layOut(fx);
        const QByteArray wav = kf::wavBytes(400, 5);
        kf::writeFile(fx.dataPath + "/001/.005.wav.3.zt-part", wav);
        kf::writeFile(fx.prmPath + "/001/.005.prm.1.zt-part", waveprm::buildRecord(5, "five", quint32(wav.size())));
        // Two leftovers whose names hold no number are not one sound.
        kf::writeFile(fx.dataPath + "/001/.kick.wav.0.zt-part", wav);
        kf::writeFile(fx.prmPath + "/001/.snare.prm.0.zt-part", waveprm::buildRecord(7, "x", quint32(wav.size())));
        kf::writeFile(fx.dataPath + "/001/.mine.txt", "user's");
        kf::writeFile(fx.sysPath + "/.alter.ini.0.zt-part", QByteArray(106, '\0'));
        const PadFixture::Loaded again = fx.loadAgain();
        QVERIFY2(again.text().contains("These sounds were completed: 5."), qPrintable(again.text()));
        QCOMPARE(kf::readFile(fx.dataPath + "/001/005.wav"), wav);
        QVERIFY(!QFileInfo::exists(fx.sysPath + "/.alter.ini.0.zt-part"));
        for (const QString &kept : {fx.dataPath + "/001/.kick.wav.0.zt-part", fx.prmPath + "/001/.snare.prm.0.zt-part",
                                    fx.dataPath + "/001/.mine.txt"})
            QVERIFY2(QFileInfo::exists(kept), qPrintable(kept));
        QVERIFY(!QFileInfo::exists(fx.dataPath + "/001/007.wav"));
    }

    // Leftovers put in order whose folders cannot be forced to the disk: the
    // box says the repair may not survive a power cut, as a warning.
    void aRepairNotForcedToTheDiskIsTold()
    {
        PadFixture fx;
        layOut(fx);
        const QByteArray wav = kf::wavBytes(400, 5);
        kf::writeFile(fx.dataPath + "/001/.005.wav.3.zt-part", wav);
        kf::writeFile(fx.prmPath + "/001/.005.prm.1.zt-part", waveprm::buildRecord(5, "five", quint32(wav.size())));
        kf::writeFile(fx.sysPath + "/.alter.ini.0.zt-part", QByteArray(106, '\0'));
        struct FoldersNotSynced : PassDisk {
            int sync(int fd, bool dataOnly = false) override
            {
                struct stat st;
                if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
                    errno = EIO;
                    return -1;
                }
                return PassDisk::sync(fd, dataOnly);
            }
        } disk;
        PadFixture::Loaded again;
        {
            const DiskInPlace inPlace(fx.disk, &disk);
            again = fx.loadAgain();
        }
        QCOMPARE(kf::readFile(fx.dataPath + "/001/005.wav"), wav);
        QCOMPARE(again.recovery.messages.first().title, QString("Warning"));
        for (const QString &folders : {QString("WAV_DATA/001, WAV_PRM/001"), QString("SYS")})
            QVERIFY2(again.text().contains(folders + " could not be forced to the disk (Input/output error); what "
                                                     "was put in order there may not survive a power cut."),
                     qPrintable(again.text()));
    }

    // A cut-short add whose hidden pair waits beside a user's files named
    // almost like the sound's: only "003.wav" and "003.prm" (in any case)
    // stand at its place; the odd files are never read, moved nor removed.
    void oddFilesBesideALeftoverPairAreNotItsFiles()
    {
        PadFixture fx;
        layOut(fx);
        const QByteArray wav = kf::wavBytes(400, 3), prm = waveprm::buildRecord(3, "three", quint32(wav.size()));
        const pj::Record r = pairRecord(fx, pj::Purpose::AddSounds);
        kf::writeFile(fx.sysPath + "/" + pj::RECORD_NAME, pj::encode(r));
        kf::writeFile(fx.dataPath + "/001/" + r.steps.at(0).hidden, wav);
        kf::writeFile(fx.prmPath + "/001/" + r.steps.at(1).hidden, prm);
        const QStringList odd{fx.dataPath + "/001/003.x.wav", fx.dataPath + "/001/003.wav.bak",
                              fx.dataPath + "/001/003 copy.wav", fx.prmPath + "/001/003.x.prm",
                              fx.prmPath + "/001/003.prm.bak"};
        for (const QString &path : odd)
            kf::writeFile(path, wav); // the size the record names
        const PadFixture::Loaded again = fx.loadAgain();
        QVERIFY2(again.text().contains("The adding of these sounds was taken back; they are not on the sampler pad: 3."),
                 qPrintable(again.text()));
        QCOMPARE(again.hidden, QStringList());
        QVERIFY(!QFileInfo::exists(fx.dataPath + "/001/003.wav"));
        QVERIFY(!QFileInfo::exists(fx.prmPath + "/001/003.prm"));
        for (const QString &path : odd)
            QCOMPARE(kf::readFile(path), wav);

        // Leftovers with no record: the pair is completed at its own names.
        kf::writeFile(fx.dataPath + "/001/.003.wav.1.zt-part", wav);
        kf::writeFile(fx.prmPath + "/001/.003.prm.1.zt-part", prm);
        const PadFixture::Loaded done = fx.loadAgain();
        QVERIFY2(done.text().contains("These sounds were completed: 3."), qPrintable(done.text()));
        QCOMPARE(kf::readFile(fx.dataPath + "/001/003.wav"), wav);
        QCOMPARE(kf::readFile(fx.prmPath + "/001/003.prm"), prm);
        QCOMPARE(done.hidden, QStringList());
        for (const QString &path : odd)
            QCOMPARE(kf::readFile(path), wav);
    }

    // A save cut short once its record is on the pad, then one of its files
    // changed on the pad itself before the next load: that file is kept as
    // the pad has it and named, and the rest of the save is finished. A
    // change within one sector of the range is no torn write.
    void aFileChangedSinceTheStopIsKeptAsThePadHasIt_data()
    {
        QTest::addColumn<bool>("restore");
        QTest::addColumn<QString>("changed");
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("told");
        QTest::newRow("kit record") << false << "KIT/k007.ini" << 1000
                                    << "Kit 7 was changed on the sampler pad since; it is kept as the pad has it.";
        QTest::newRow("chain block") << false << "SYS/global.ini" << KIT_CHAIN_BLOCK_OFFSET + 10
                                     << "The kit chains in global.ini were changed on the sampler pad since; they are "
                                        "kept as the pad has them.";
        QTest::newRow("global.ini") << true << "SYS/global.ini" << 20
                                    << "global.ini was changed on the sampler pad since; it is kept as the pad has it.";
        QTest::newRow("alter.ini") << false << "SYS/alter.ini" << 50
                                   << "alter.ini was changed on the sampler pad since; it is kept as the pad has it.";
    }
    void aFileChangedSinceTheStopIsKeptAsThePadHasIt()
    {
        QFETCH(bool, restore);
        QFETCH(QString, changed);
        QFETCH(int, at);
        QFETCH(QString, told);
        PadFixture fx;
        fx.writeKits();
        kf::writeFile(fx.sysPath + "/alter.ini", QByteArray(106, '\0'));
        const pj::Record r = saveRecord(fx, restore);
        QMap<QString, QByteArray> expected;
        for (const QString &f : QStringList{"KIT/k007.ini", "KIT/k008.ini", "SYS/global.ini", "SYS/alter.ini"})
            expected[f] = afterStep(fx, r, f.section('/', 1));
        QByteArray other = kf::readFile(fx.model + "/" + changed);
        other[at] = char(other.at(at) ^ 0x21);
        kf::writeFile(fx.model + "/" + changed, other);
        expected[changed] = other;
        kf::writeFile(fx.sysPath + "/" + pj::RECORD_NAME, pj::encode(r));

        const PadFixture::Loaded again = fx.loadAgain();
        for (auto e = expected.cbegin(); e != expected.cend(); ++e)
            QVERIFY2(kf::readFile(fx.model + "/" + e.key()) == e.value(), qPrintable(e.key()));
        QVERIFY2(again.text().contains(told), qPrintable(again.text()));
        QVERIFY2(!again.text().contains("torn"), qPrintable(again.text()));
        QCOMPARE(again.recovery.messages.first().title, QString("Warning"));
        QVERIFY(!QFileInfo::exists(fx.sysPath + "/" + pj::RECORD_NAME));
        QCOMPARE(fx.loadAgain().text(), QString());
    }

    // A renumbering cut short, then a kit it rewrites or a sound file it moves
    // changed on the pad: the kit is kept as the pad has it and the rest is
    // finished; the sound file is never moved, so the change is taken back;
    // a sound file changed at its new name stays there and the rest is finished.
    void aRenumberingKeepsWhatChangedSince_data()
    {
        QTest::addColumn<QString>("what");
        QTest::newRow("kit record") << "kit";
        QTest::newRow("sound file") << "sound";
        QTest::newRow("sound file at its new name") << "moved";
    }
    void aRenumberingKeepsWhatChangedSince()
    {
        QFETCH(QString, what);
        const bool kit = what == "kit", moved = what == "moved";
        PadFixture fx;
        layOut(fx);
        const pj::Record r = swap(fx);
        const QByteArray two = kf::readFile(fx.dataPath + "/001/002.wav");
        if (moved) { // both .wav files at their new names, 001.wav then changed
            const QString one = fx.dataPath + "/001/001.wav", other = fx.dataPath + "/001/002.wav";
            const QString hidden = fx.dataPath + "/001/" + r.steps.at(0).hidden;
            QVERIFY(QFile::rename(one, hidden) && QFile::rename(other, one) && QFile::rename(hidden, other));
        }
        const QString file = kit ? fx.kitPath + "/k001.ini" : fx.dataPath + "/001/001.wav";
        QByteArray other = kf::readFile(file);
        other[40] = char(other.at(40) ^ 0x21);
        kf::writeFile(file, other);
        kf::writeFile(fx.sysPath + "/" + pj::RECORD_NAME, pj::encode(r));
        const PadFixture::Loaded again = fx.loadAgain();
        QCOMPARE(kf::readFile(file), other);
        // Swapped, or each sound at its number.
        if (!moved)
            QCOMPARE(kf::readFile(fx.dataPath + (kit ? "/001/001.wav" : "/001/002.wav")), two);
        QCOMPARE(again.hidden, QStringList());
        const QString told = kit ? "Kit 1 was changed on the sampler pad since; it is kept as the pad has it."
                                 : QString("Sound %1: 001/001.wav was changed on the sampler pad since; it is kept as "
                                           "the pad has it.")
                                           .arg(moved ? 2 : 1);
        QVERIFY2(again.text().contains(told), qPrintable(again.text()));
        QVERIFY2(again.text().contains(kit || moved ? "A renumbering cut short was finished" : "was undone"),
                 qPrintable(again.text()));
        if (moved) // the .prm files followed, the kit names the new numbers
            QCOMPARE(kf::readFile(fx.kitPath + "/k001.ini"), r.steps.last().after);
    }

    // FAT gives a rename its new name before the file: a power cut between
    // the two leaves an empty file there. Beside the file still at its hidden
    // name it goes and the move is finished, telling nothing alarming; with
    // the file gone too, the sound is lost and named.
    void anEmptyFileAMoveLeftIsNoChangeSince_data()
    {
        QTest::addColumn<bool>("lost");
        QTest::newRow("file at its hidden name") << false;
        QTest::newRow("file gone") << true;
    }
    void anEmptyFileAMoveLeftIsNoChangeSince()
    {
        QFETCH(bool, lost);
        PadFixture fx, ref;
        layOut(fx);
        const pj::Record r = swap(fx);
        copyTree(fx.root, ref.root);
        pj::Pad refPad(ref.anchor(), tree(ref));
        QVERIFY(pj::run(refPad, r).finished);
        // Sound 2 hidden; sound 1 on its way to 002.wav, which a power cut left empty.
        const QString data = fx.dataPath + "/001/";
        QVERIFY(QFile::rename(data + "002.wav", data + r.steps.at(1).hidden));
        QVERIFY(lost ? QFile::remove(data + "001.wav") : QFile::rename(data + "001.wav", data + r.steps.at(0).hidden));
        kf::writeFile(data + "002.wav", QByteArray());
        kf::writeFile(fx.sysPath + "/" + pj::RECORD_NAME, pj::encode(r));
        const PadFixture::Loaded again = fx.loadAgain();
        QCOMPARE(again.hidden, QStringList());
        QVERIFY(!QFileInfo::exists(fx.sysPath + "/" + pj::RECORD_NAME));
        if (!lost) {
            QCOMPARE(outsideSys(fx), outsideSys(ref));
            QVERIFY2(again.text().startsWith("A change of the sounds on the sampler pad was cut short; it is now put "
                                             "in order.\r\nA renumbering cut short was finished")
                             && !again.text().contains("changed on the sampler pad since"),
                     qPrintable(again.text()));
            QCOMPARE(again.recovery.messages.first().title, QString("Information"));
            return;
        }
        QVERIFY2(again.text().contains("Sound 1: a power cut left WAV_DATA/001/002.wav empty; the sound's bytes are "
                                       "lost.")
                         && !again.text().contains("changed on the sampler pad since"),
                 qPrintable(again.text()));
        QCOMPARE(kf::readFile(data + "002.wav"), kf::readFile(ref.dataPath + "/001/001.wav")); // sound 2 back
        QVERIFY(!QFileInfo::exists(data + "001.wav"));
        QCOMPARE(kf::readFile(fx.kitPath + "/k001.ini"), r.steps.last().before);
    }

    // A move between folders that a power cut left at both names: on FAT the
    // two may name one cluster chain, and removing either frees the other's
    // bytes. Where the disk says they may share, neither goes: the move is
    // finished, the copy takes a name of its own and the box names it.
    void aCopyThatMayShareTheFilesPlaceIsNeverRemoved_data()
    {
        QTest::addColumn<bool>("share");
        QTest::newRow("may share") << true;
        QTest::newRow("do not share") << false;
    }
    void aCopyThatMayShareTheFilesPlaceIsNeverRemoved()
    {
        QFETCH(bool, share);
        struct Answering : PassDisk {
            bool share = false;
            bool mayShareStorage(int, const QByteArray &, int, const QByteArray &) override { return share; }
        } disk;
        disk.share = share;
        PadFixture fx;
        DiskInPlace in(fx.disk, &disk);
        layOut(fx);
        fx.addWave(150, "far");
        pj::Record r;
        r.purpose = pj::Purpose::Renumbering;
        r.steps << move(fx, pj::Area::Data, 150, 3) << move(fx, pj::Area::Prm, 150, 3);
        const QString from = fx.dataPath + "/002/";
        const QByteArray wav = kf::readFile(from + "050.wav");
        QVERIFY(QFile::rename(from + "050.wav", from + r.steps.at(0).hidden));
        kf::writeFile(fx.dataPath + "/001/003.wav", wav);
        QVERIFY(QFile::rename(fx.prmPath + "/002/050.prm", fx.prmPath + "/002/" + r.steps.at(1).hidden));
        kf::writeFile(fx.sysPath + "/" + pj::RECORD_NAME, pj::encode(r));
        const PadFixture::Loaded again = fx.loadAgain();
        QCOMPARE(again.hidden, QStringList());
        QCOMPARE(kf::readFile(fx.dataPath + "/001/003.wav"), wav);
        QCOMPARE(kf::rd16(kf::readFile(fx.prmPath + "/001/003.prm"), 0), quint16(3));
        const QString copy = from + ".sound-150-copy.wav";
        const QString told = "Sound 150: after a power cut its file stood at two names on the sampler pad, which may "
                             "share the same place on the stick; the second name is kept as "
                             "WAV_DATA/002/.sound-150-copy.wav. Check the stick with your computer's disk check "
                             "before deleting either.";
        QVERIFY2(again.text().contains("A renumbering cut short was finished"), qPrintable(again.text()));
        QCOMPARE(again.text().contains(told), share);
        QCOMPARE(QFileInfo::exists(copy), share);
        if (share)
            QCOMPARE(kf::readFile(copy), wav);
        QCOMPARE(QDir(from).entryList(QDir::Files | QDir::Hidden), share ? QStringList{".sound-150-copy.wav"}
                                                                        : QStringList());
        QCOMPARE(again.recovery.messages.first().title, QString(share ? "Warning" : "Information"));
        // The copy is no sound of the pad's.
        QCOMPARE(again.sounds.waveLoadKitAttrList.size(), 3);
    }

    // The same for a second name a rename within a folder left: a sound's
    // hidden name beside its new one, a replaced alter.ini's hidden name, a
    // staged record beside the record.
    void aSecondNameThatMayShareIsKeptWhereverItStands_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("share");
        for (const char *where : {"same folder", "alter.ini", "record"}) {
            QTest::newRow(qPrintable(QString(where) + ", may share")) << QString(where) << true;
            QTest::newRow(qPrintable(QString(where) + ", do not share")) << QString(where) << false;
        }
        // Other bytes at the hidden name: another file, whatever the disk says.
        QTest::newRow("alter.ini of other bytes") << "other bytes" << true;
    }
    void aSecondNameThatMayShareIsKeptWhereverItStands()
    {
        QFETCH(QString, where);
        QFETCH(bool, share);
        struct Answering : PassDisk {
            bool share = false;
            bool mayShareStorage(int, const QByteArray &, int, const QByteArray &) override { return share; }
        } disk;
        disk.share = share;
        PadFixture fx;
        DiskInPlace in(fx.disk, &disk);
        fx.writeKits();
        layOut(fx);
        kf::writeFile(fx.sysPath + "/alter.ini", QByteArray(106, '\0'));
        const bool sys = where != "same folder";
        const pj::Record r = sys ? saveRecord(fx) : swap(fx);
        const QByteArray one = kf::readFile(fx.dataPath + "/001/001.wav");
        const QByteArray two = kf::readFile(fx.dataPath + "/001/002.wav");
        QString copy, told;
        if (!sys) { // sound 1 at 002.wav and at its hidden name, sound 2 hidden
            const QString data = fx.dataPath + "/001/";
            QVERIFY(QFile::rename(data + "002.wav", data + r.steps.at(1).hidden));
            QVERIFY(QFile::copy(data + "001.wav", data + "002.wav"));
            QVERIFY(QFile::rename(data + "001.wav", data + r.steps.at(0).hidden));
            copy = data + ".sound-1-copy.wav";
            told = "Sound 1: after a power cut its file stood at two names on the sampler pad, which may share the "
                   "same place on the stick; the second name is kept as WAV_DATA/001/.sound-1-copy.wav.";
        } else if (where != "record") { // alter.ini new, and at its hidden name too
            kf::writeFile(fx.sysPath + "/alter.ini", r.steps.last().after);
            kf::writeFile(fx.sysPath + "/" + r.steps.last().hidden,
                          where == "other bytes" ? QByteArray(106, '\x02') : r.steps.last().after);
            share = share && where == "alter.ini";
            copy = fx.sysPath + "/.copy-of-alter-ini";
            told = "alter.ini in the SYS folder: after a power cut the file stood at a second name too, which may "
                   "share the same place on the stick; that name is kept as .copy-of-alter-ini.";
        } else { // the record at its staging name too
            kf::writeFile(fx.sysPath + "/" + pj::STAGING_NAME, pj::encode(r));
            copy = fx.sysPath + "/.copy-of-zt-journal";
            told = ".zt-journal in the SYS folder: after a power cut the file stood at a second name too, which may "
                   "share the same place on the stick; that name is kept as .copy-of-zt-journal.";
        }
        kf::writeFile(fx.sysPath + "/" + pj::RECORD_NAME, pj::encode(r));
        const PadFixture::Loaded again = fx.loadAgain();
        QCOMPARE(again.hidden, QStringList());
        QVERIFY(!QFileInfo::exists(fx.sysPath + "/" + pj::RECORD_NAME));
        QVERIFY(!QFileInfo::exists(fx.sysPath + "/" + pj::STAGING_NAME));
        QCOMPARE(QFileInfo::exists(copy), share);
        QVERIFY2(again.text().contains(told) == share, qPrintable(again.text()));
        QVERIFY2(again.text().contains(sys ? "The save of an earlier close was finished from its record."
                                           : "A renumbering cut short was finished"),
                 qPrintable(again.text()));
        if (sys) {
            QCOMPARE(kf::readFile(fx.sysPath + "/alter.ini"), r.steps.last().after);
            return;
        }
        QCOMPARE(kf::readFile(fx.dataPath + "/001/002.wav"), one);
        QCOMPARE(kf::readFile(fx.dataPath + "/001/001.wav"), two);
        if (share)
            QCOMPARE(kf::readFile(copy), one);
        QCOMPARE(kf::readFile(fx.kitPath + "/k001.ini"), r.steps.last().after);
    }

    // A delete or an add cut short, then a sound file it removes or a name it
    // gives changed on the pad: nothing is removed or replaced, the file is
    // named, and the load never says every step was already done.
    void aSoundChangedSinceIsNeitherRemovedNorReplaced_data()
    {
        QTest::addColumn<bool>("adding");
        QTest::newRow("delete") << false;
        QTest::newRow("add") << true;
    }
    void aSoundChangedSinceIsNeitherRemovedNorReplaced()
    {
        QFETCH(bool, adding);
        PadFixture fx;
        layOut(fx);
        const QByteArray wav = kf::wavBytes(400, 3), prm = waveprm::buildRecord(3, "three", quint32(wav.size()));
        const pj::Record r = adding ? pairRecord(fx, pj::Purpose::AddSounds, wav, prm)
                                    : pairRecord(fx, pj::Purpose::DeleteSounds);
        if (adding) {
            kf::writeFile(fx.dataPath + "/001/" + r.steps.at(0).hidden, wav);
            kf::writeFile(fx.prmPath + "/001/" + r.steps.at(1).hidden, prm);
        }
        // The pad's own file at the name: new for an add, rewritten for a delete.
        const QString file = fx.dataPath + (adding ? "/001/003.wav" : "/001/002.wav");
        const QByteArray other = kf::wavBytes(400, 9);
        kf::writeFile(file, other);
        kf::writeFile(fx.sysPath + "/" + pj::RECORD_NAME, pj::encode(r));
        const PadFixture::Loaded again = fx.loadAgain();
        QCOMPARE(kf::readFile(file), other);
        QVERIFY(QFileInfo::exists(fx.prmPath + (adding ? "/001/003.prm" : "/001/002.prm")) != adding);
        QCOMPARE(again.hidden, QStringList());
        QVERIFY2(!again.text().contains("already done"), qPrintable(again.text()));
        QVERIFY2(again.text().contains(adding ? "The adding of these sounds was taken back"
                                              : "Sound 2: 001/002.wav holds other bytes than the file deleted"),
                 qPrintable(again.text()));
        if (adding)
            QVERIFY2(again.text().contains("Sound 3: 001/003.wav was changed on the sampler pad since; it is kept as "
                                           "the pad has it."),
                     qPrintable(again.text()));
    }

    // A sound larger than the digest's samples, rewritten since between them
    // (same size, a later modification time), is not removed as the one
    // recorded; the same file as recorded is.
    void aLargeSoundRewrittenBetweenTheSamplesIsNotRemoved_data()
    {
        QTest::addColumn<bool>("rewritten");
        QTest::newRow("rewritten") << true;
        QTest::newRow("as recorded") << false;
    }
    void aLargeSoundRewrittenBetweenTheSamplesIsNotRemoved()
    {
        QFETCH(bool, rewritten);
        PadFixture fx;
        layOut(fx);
        const QString wav = fx.dataPath + "/001/002.wav";
        QByteArray bytes = kf::wavBytes(300000, 2); // larger than three samples of 64 KiB
        QVERIFY(kf::writeFile(wav, bytes));
        pj::Record r = pairRecord(fx, pj::Purpose::DeleteSounds);
        {
            QFile f(wav);
            QVERIFY(f.open(QIODevice::ReadOnly));
            r.steps[0].mark = pj::markOfFile(ztplatform::systemDisk(), f.handle());
        }
        QVERIFY(r.steps.at(0).mark.modified != 0);
        if (rewritten) {
            const QDateTime was = QFileInfo(wav).lastModified();
            bytes[80000] = char(~bytes.at(80000)); // between the first and the middle sample
            QVERIFY(kf::writeFile(wav, bytes));
            QFile f(wav);
            QVERIFY(f.open(QIODevice::ReadWrite) && f.setFileTime(was.addSecs(2), QFileDevice::FileModificationTime));
        }
        QCOMPARE(pj::markOfBytes(bytes), r.steps.at(0).mark);
        kf::writeFile(fx.sysPath + "/" + pj::RECORD_NAME, pj::encode(r));
        const PadFixture::Loaded again = fx.loadAgain();
        QCOMPARE(QFileInfo::exists(wav), rewritten);
        QCOMPARE(QFileInfo::exists(fx.prmPath + "/001/002.prm"), rewritten);
        if (rewritten) {
            QCOMPARE(kf::readFile(wav), bytes);
            QVERIFY2(again.text().contains("Sound 2: 001/002.wav holds other bytes than the file deleted"),
                     qPrintable(again.text()));
        } else {
            QVERIFY2(again.text().contains("The deletion of these sounds was finished: 2."), qPrintable(again.text()));
        }
    }

    // A kit record and the chain block written part-way are known by the
    // record's bytes and written again, and told; the bytes of global.ini
    // around the block stay as they were.
    void aTornKitRecordIsWrittenAgain()
    {
        PadFixture fx;
        fx.writeKits();
        pj::Record r;
        r.purpose = pj::Purpose::WriteBack;
        pj::Step kit;
        kit.kind = pj::Kind::Patch;
        kit.area = pj::Area::Kit;
        kit.number = 7;
        kit.from = "k007.ini";
        kit.before = kf::readFile(fx.kitPath + "/k007.ini");
        kit.after = QByteArray(kit.before.size(), 'n');
        r.steps << kit;
        const QByteArray global = kf::readFile(fx.sysPath + "/global.ini");
        pj::Step chains;
        chains.kind = pj::Kind::Patch;
        chains.area = pj::Area::Sys;
        chains.from = "global.ini";
        chains.offset = KIT_CHAIN_BLOCK_OFFSET;
        chains.before = global.mid(KIT_CHAIN_BLOCK_OFFSET, KIT_CHAIN_BLOCK_SIZE);
        chains.after = QByteArray(KIT_CHAIN_BLOCK_SIZE, 'c');
        r.steps << chains;
        QByteArray torn = kit.before;
        torn.replace(0, 1024, kit.after.left(1024)); // two sectors new, the rest old
        kf::writeFile(fx.kitPath + "/k007.ini", torn);
        // The block straddles a sector: the first sector's share new, the rest old.
        QVERIFY(KIT_CHAIN_BLOCK_OFFSET < 512 && KIT_CHAIN_BLOCK_OFFSET + KIT_CHAIN_BLOCK_SIZE > 512);
        QByteArray tornGlobal = global;
        tornGlobal.replace(KIT_CHAIN_BLOCK_OFFSET, 512 - KIT_CHAIN_BLOCK_OFFSET,
                           chains.after.left(512 - KIT_CHAIN_BLOCK_OFFSET));
        kf::writeFile(fx.sysPath + "/global.ini", tornGlobal);
        kf::writeFile(fx.sysPath + "/" + pj::RECORD_NAME, pj::encode(r));
        const PadFixture::Loaded again = fx.loadAgain();
        QCOMPARE(kf::readFile(fx.kitPath + "/k007.ini"), kit.after);
        QByteArray newGlobal = global;
        newGlobal.replace(KIT_CHAIN_BLOCK_OFFSET, KIT_CHAIN_BLOCK_SIZE, chains.after);
        QCOMPARE(kf::readFile(fx.sysPath + "/global.ini"), newGlobal);
        QCOMPARE(again.text(), QString("A save to the sampler pad was cut short; it is now put in order.\r\nThe save of an earlier close was finished from its "
                                       "record.\r\nThese kits were found torn and written again: 7.\r\nThe kit "
                                       "chains were found torn and written again."));
        pj::Pad pad(fx.anchor(), tree(fx));
        QVERIFY(!pj::recordPresent(pad));
    }

    // A recovery that finishes every file but cannot remove its record says
    // so in one true line; the next load, finding every step done, removes
    // the record and says only that; the load after says nothing.
    void aFinishedRecordThatStaysIsRemovedByTheNextLoad()
    {
        PadFixture fx;
        fx.writeKits();
        pj::Record r;
        r.purpose = pj::Purpose::WriteBack;
        pj::Step kit;
        kit.kind = pj::Kind::Patch;
        kit.area = pj::Area::Kit;
        kit.number = 7;
        kit.from = "k007.ini";
        kit.before = kf::readFile(fx.kitPath + "/k007.ini");
        kit.after = QByteArray(kit.before.size(), 'n');
        r.steps << kit;
        kf::writeFile(fx.sysPath + "/" + pj::RECORD_NAME, pj::encode(r));
        struct KeepsRecord : PassDisk {
            int unlinkAt(int dir, const QByteArray &name, int flags = 0) override
            {
                if (name == QByteArray(pj::RECORD_NAME.data())) {
                    errno = EACCES;
                    return -1;
                }
                return PassDisk::unlinkAt(dir, name, flags);
            }
        } disk;
        PadFixture::Loaded first;
        {
            const DiskInPlace inPlace(fx.disk, &disk);
            first = fx.loadAgain();
        }
        QCOMPARE(kf::readFile(fx.kitPath + "/k007.ini"), kit.after);
        QCOMPARE(first.text(), QString("A save to the sampler pad was cut short; it is now put in order.\r\nThe save of an earlier close was finished from its "
                                       "record.\r\nThese kits were written: 7.\r\nIts record could not be removed "
                                       "(Permission denied), so the next load looks at it again and finds nothing "
                                       "left to do."));
        QVERIFY(QFileInfo::exists(fx.sysPath + "/" + pj::RECORD_NAME));
        const PadFixture::Loaded second = fx.loadAgain();
        QCOMPARE(second.text(), QString("The sampler pad held the record of an earlier change whose every step was "
                                        "already done; the record was removed."));
        QCOMPARE(second.recovery.messages.first().title, QString("Information"));
        QVERIFY(!QFileInfo::exists(fx.sysPath + "/" + pj::RECORD_NAME));
        QCOMPARE(kf::readFile(fx.kitPath + "/k007.ini"), kit.after);
        QCOMPARE(fx.loadAgain().text(), QString());
    }

    // A recovery whose record left SYS but whose SYS could not be forced to
    // the disk after it says the repair may not survive a power cut, as a
    // warning, not that it is complete.
    void aRecordRemovedButNotForcedToTheDiskIsTold()
    {
        PadFixture fx;
        fx.writeKits();
        const pj::Record r = saveRecord(fx);
        kf::writeFile(fx.sysPath + "/alter.ini", QByteArray(106, '\0'));
        kf::writeFile(fx.sysPath + "/" + pj::RECORD_NAME, pj::encode(saveRecord(fx)));
        struct SysNotSyncedAfterRecord : PassDisk {
            bool removed = false;
            int unlinkAt(int dir, const QByteArray &name, int flags = 0) override
            {
                removed |= name == QByteArray(pj::RECORD_NAME.data());
                return PassDisk::unlinkAt(dir, name, flags);
            }
            int sync(int fd, bool dataOnly = false) override
            {
                struct stat st;
                if (removed && ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
                    errno = EIO;
                    return -1;
                }
                return PassDisk::sync(fd, dataOnly);
            }
        } disk;
        PadFixture::Loaded again;
        {
            const DiskInPlace inPlace(fx.disk, &disk);
            again = fx.loadAgain();
        }
        QVERIFY(!QFileInfo::exists(fx.sysPath + "/" + pj::RECORD_NAME));
        QCOMPARE(kf::readFile(fx.kitPath + "/k007.ini"), afterStep(fx, r, "k007.ini"));
        QCOMPARE(again.recovery.messages.first().title, QString("Warning"));
        QVERIFY2(again.text().contains("These kits were written: 7, 8.\r\n"), qPrintable(again.text()));
        QVERIFY2(again.text().endsWith("SYS could not be forced to the disk (Input/output error); what was put in "
                                       "order there may not survive a power cut."),
                 qPrintable(again.text()));
        QVERIFY2(!again.text().contains("could not be removed"), qPrintable(again.text()));
    }

    // A link or a pipe at a hidden name in SYS is never followed nor opened:
    // the load removes its entry alone and names it, once.
    void aLinkOrPipeAtAHiddenSysNameIsNamedOnce_data()
    {
        QTest::addColumn<bool>("pipe");
        QTest::newRow("link") << false;
        QTest::newRow("pipe") << true;
    }
    void aLinkOrPipeAtAHiddenSysNameIsNamedOnce()
    {
        QFETCH(bool, pipe);
        PadFixture fx;
        fx.writeKits();
        const QString hidden = ztplatform::temporaryName("alter.ini", 3), outside = fx.root + "/outside.ini";
        const QString path = fx.sysPath + "/" + hidden;
        kf::writeFile(outside, "kept");
        QVERIFY(pipe ? ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0 : QFile::link(outside, path));
        const PadFixture::Loaded first = fx.loadAgain();
        const QString kind = pipe ? "It is a named pipe, not a file." : "It is a symbolic link, which the editor does "
                                                                         "not follow.";
        QCOMPARE(first.text(), QString("A change of the files on the sampler pad was cut short.\r\n%1 in the SYS folder: %2 It was removed, and nothing was read "
                                       "through it.")
                                       .arg(hidden, kind));
        QVERIFY(!QFileInfo(path).exists() && !QFileInfo(path).isSymLink());
        QCOMPARE(kf::readFile(outside), QByteArray("kept"));
        QCOMPARE(fx.loadAgain().text(), QString());
    }

    // A hidden file of the editor's that an unwritable SYS keeps is named,
    // not passed over as removed.
    void aHiddenSysFileThePadKeepsIsNamed()
    {
        PadFixture fx;
        fx.writeKits();
        const QString hidden = ztplatform::temporaryName("alter.ini", 0);
        kf::writeFile(fx.sysPath + "/" + hidden, "cut");
        if (QProcess::execute("chattr", {"+i", fx.sysPath}) != 0)
            QSKIP("chattr +i is not available here (needs root and a file system that keeps the flag)");
        const auto unlock = qScopeGuard([&] { QProcess::execute("chattr", {"-i", fx.sysPath}); });
        const PadFixture::Loaded again = fx.loadAgain();
        QCOMPARE(again.text(), QString("A change of the files on the sampler pad was cut short.\r\n%1 in the SYS folder: an unfinished file of the editor's. It could "
                                       "not be removed (Operation not permitted).")
                                       .arg(hidden));
        QCOMPARE(again.recovery.messages.first().title, QString("Warning"));
        QVERIFY(QFileInfo::exists(fx.sysPath + "/" + hidden));
    }
};

QTEST_GUILESS_MAIN(TestPadJournal)
#include "test_padjournal.moc"
