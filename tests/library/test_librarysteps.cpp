// The sound library's edits as steps: each undo and redo brings back the
// sound list (entries, names, rows of the list and its hi-hat mirror), the
// groups and the loaded kit files as they stood; a step keeps only the
// stretch of the list it changed, and of the groups the rows it changed; a
// step whose sounds are gone, or whose part of the library changed outside
// the steps since, is refused.
#include "library/soundlibrary.h"
#include "library/soundorder.h"

#include <QDataStream>
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <malloc.h>

#include <functional>

namespace {

using Steps = std::vector<std::unique_ptr<editstep::Step>>;

// Every field of every entry, the names, and every cell of both lists
// (text, flags, icon), as bytes.
QByteArray listDump(const SoundLibrary &lib)
{
    QByteArray out;
    QDataStream ds(&out, QIODevice::WriteOnly);
    for (const SoundLibrary::SOUND_INDEX &s : lib.waveLoadKitAttrList())
        ds << QByteArray(s.wave_name, SOUND_NAME_LENGTH_MAX) << s.file << s.wave_No << s.wave_lock << s.start_cluster
           << s.wave_length << s.wave_start << s.wave_end << s.offset << s.size;
    ds << lib.soundList() << lib.currentOldGroupName();
    for (const SoundListModel *model : {lib.totalListItemModel(), lib.hhSoundItemModel()}) {
        ds << model->soundCount();
        for (int r = 0; r < model->soundCount(); ++r) {
            for (int c = 0; c < 3; ++c) {
                const QStandardItem *item = model->soundItem(r, c);
                ds << bool(item);
                if (item)
                    ds << item->text() << int(item->flags()) << item->icon().cacheKey();
            }
        }
    }
    return out;
}

// Everything the steps put back, as bytes.
QByteArray libraryBytes(const SoundLibrary &lib)
{
    QByteArray out;
    QDataStream ds(&out, QIODevice::WriteOnly);
    const SoundListModel *groups = lib.soundListItemModel();
    for (int g = 0; g < groups->rowCount(); ++g) {
        const QStandardItem *group = groups->item(g, 0);
        ds << group->text();
        for (int r = 0; r < group->rowCount(); ++r)
            ds << group->child(r, 0)->text() << group->child(r, 1)->text();
    }
    ds << soundfilexml::toBytes(lib.soundGroupList()) << lib.loadedKitFiles().size() << lib.binFilePath()
       << lib.recordKitFileList();
    return listDump(lib) + out;
}

// The names the library keeps between drops are those it would read afresh,
// for every name `seen` ever held.
bool namesKept(const SoundLibrary &lib, QSet<QString> &seen)
{
    for (const SoundLibrary::SOUND_INDEX &s : lib.waveLoadKitAttrList())
        seen.insert(percussionpadfile::charArray2String(s.wave_name, SOUND_NAME_LENGTH_MAX));
    for (const soundfilexml::strSoundGroup &g : lib.soundGroupList()) {
        for (const soundfilexml::strSoundItem &item : g.soundList)
            seen.insert(item.name.trimmed());
    }
    const namerules::NamesInUse fresh = lib.soundNamesInUse();
    const namerules::NamesInUse &kept = lib.soundNameIndex();
    for (const QString &name : seen) {
        QStringList a = fresh.holders(name), b = kept.holders(name);
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        if (a != b)
            return false;
    }
    return true;
}

// What the library keeps in step with its list: the hi-hat rows mirror the
// total list's, the names are the rows', rows are found by their source.
bool listAgrees(const SoundLibrary &lib)
{
    const SoundListModel *total = lib.totalListItemModel(), *mirror = lib.hhSoundItemModel();
    if (total->soundCount() != mirror->soundCount() || lib.soundList().size() != total->soundCount())
        return false;
    QHash<QString, int> first;
    for (int r = 0; r < total->soundCount(); ++r) {
        if (mirror->soundText(r, 0) != total->soundText(r, 1) || mirror->soundText(r, 1) != total->soundText(r, 2)
            || lib.soundList().at(r) != total->soundText(r, 1))
            return false;
        if (!first.contains(total->soundText(r, 2)))
            first.insert(total->soundText(r, 2), r);
    }
    for (auto it = first.cbegin(); it != first.cend(); ++it) {
        if (lib.soundRowOf(QDir::toNativeSeparators(it.key())) != it.value())
            return false;
    }
    return true;
}

struct Fixture
{
    QTemporaryDir dir;
    SoundLibrary lib;
    editstep::Recorder recorder;
    Steps done;

    Fixture()
    {
        recorder.setSink([this](std::unique_ptr<editstep::Step> s) { done.push_back(std::move(s)); });
        lib.useRecorder(&recorder);
        lib.openSoundList(dir.filePath("soundlist.xml"));
    }
    QString file(int i)
    {
        const QString path = dir.filePath(QString("s%1.wav").arg(i));
        QFile f(path);
        if (!f.exists() && f.open(QIODevice::WriteOnly))
            f.write("RIFF");
        return path;
    }
    // Sounds as a load leaves them: no step.
    void fill(int count)
    {
        const editstep::Recorder::Paused loading(&recorder);
        for (int i = 0; i < count; ++i)
            lib.addSound(QString("S%1").arg(i), file(i), quint16(i + 1), true);
        lib.noteRowNames();
    }
    void undo()
    {
        const editstep::Recorder::Paused applying(&recorder);
        done.back()->undo();
    }
    void redo()
    {
        const editstep::Recorder::Paused applying(&recorder);
        done.back()->redo();
    }
};

} // namespace

class TestLibrarySteps : public QObject
{
    Q_OBJECT

private slots:
    void eachEditUndoneAndRedone()
    {
        Fixture f;
        f.fill(40);
        const QByteArray initial = libraryBytes(f.lib);
        QSet<QString> seen;
        QVERIFY(namesKept(f.lib, seen));
        QRandomGenerator rng(5);
        for (int n = 0; n < 60; ++n) {
            const QByteArray before = libraryBytes(f.lib);
            const size_t made = f.done.size();
            const int rows = f.lib.totalListItemModel()->soundCount();
            const int op = rng.bounded(8);
            switch (op) {
            case 0: f.lib.renameSound(rng.bounded(rows), QString("R%1").arg(n)); break;
            case 1: {
                QVector<int> gone = {rng.bounded(rows), rng.bounded(rows)};
                std::sort(gone.begin(), gone.end(), std::greater<int>());
                gone.erase(std::unique(gone.begin(), gone.end()), gone.end());
                QVector<bool> records(f.lib.waveLoadKitAttrList().size(), false);
                for (int r : gone)
                    records[r] = true;
                f.lib.removeSounds(gone, records);
                break;
            }
            case 2: f.lib.addGroup(QString("G%1").arg(n)); break;
            case 3: f.lib.renameGroup(0, QString("H%1").arg(n)); break;
            case 4: f.lib.addSoundsToGroup(rng.bounded(f.lib.soundGroupList().size()), {{"x", f.file(n)}}); break;
            case 5: {
                const QVector<soundfilexml::strSoundGroup> &groups = f.lib.soundGroupList();
                const int g = rng.bounded(groups.size());
                f.lib.deleteFromGroups({g}, {});
                break;
            }
            case 6: {
                // A new order of the list, as the order buttons show it.
                const editstep::Recorder::Scope ordering(&f.recorder, "order");
                QVector<soundorder::Row> shown = soundorder::stored(f.lib.waveLoadKitAttrList());
                std::reverse(shown.begin(), shown.end());
                f.lib.showSounds(shown, false, true);
                break;
            }
            default: {
                const editstep::Recorder::Scope adding(&f.recorder, "add");
                f.lib.addSound(QString("N%1").arg(n), f.file(100 + n), quint16(f.lib.lastWaveNumber() + 1), true);
                break;
            }
            }
            const QByteArray after = libraryBytes(f.lib);
            QVERIFY2(namesKept(f.lib, seen), qPrintable(QString("edit %1 (%2): names").arg(n).arg(op)));
            if (after == before) {
                QCOMPARE(f.done.size(), made);
                continue;
            }
            QVERIFY2(f.done.size() == made + 1, qPrintable(QString("edit %1 (%2): one step").arg(n).arg(op)));
            QVERIFY(f.done.back()->refusals().isEmpty());
            f.undo();
            QVERIFY2(libraryBytes(f.lib) == before, qPrintable(QString("edit %1 (%2) undone").arg(n).arg(op)));
            QVERIFY2(namesKept(f.lib, seen), qPrintable(QString("edit %1 (%2) undone: names").arg(n).arg(op)));
            f.redo();
            QVERIFY2(libraryBytes(f.lib) == after, qPrintable(QString("edit %1 (%2) redone").arg(n).arg(op)));
            QVERIFY2(namesKept(f.lib, seen), qPrintable(QString("edit %1 (%2) redone: names").arg(n).arg(op)));
        }
        // All of them back, last first.
        QVERIFY(f.done.size() > 30);
        while (!f.done.empty()) {
            f.undo();
            f.done.pop_back();
            QVERIFY(namesKept(f.lib, seen));
        }
        QCOMPARE(libraryBytes(f.lib), initial);
    }

    // Sounds added one by one (as a drop on the pad adds them, no step), a
    // list given back whole, edits and their undo: the names kept between
    // drops stay those of the list.
    void namesFollowSoundsAddedOneByOne()
    {
        Fixture f;
        f.fill(30);
        QSet<QString> seen;
        QVERIFY(namesKept(f.lib, seen));
        for (int round = 0; round < 4; ++round) {
            {
                const editstep::Recorder::Paused onThePad(&f.recorder);
                for (int i = 0; i < 3; ++i)
                    f.lib.addSound(QString("P%1").arg(round * 3 + i), f.file(200 + round * 3 + i),
                                   quint16(f.lib.lastWaveNumber() + 1), false);
            }
            QVERIFY(namesKept(f.lib, seen));
            QVector<SoundLibrary::SOUND_INDEX> back = f.lib.waveLoadKitAttrList();
            back.removeAt(round);
            percussionpadfile::str2CharArray(QString("B%1").arg(round), back[5].wave_name, SOUND_NAME_LENGTH_MAX);
            {
                const editstep::Recorder::Paused written(&f.recorder);
                f.lib.takeSoundRecords(back);
                f.lib.addSound(QString("Q%1").arg(round), f.file(300 + round), 9000, false);
            }
            QVERIFY(namesKept(f.lib, seen));
            {
                const editstep::Recorder::Scope adding(&f.recorder, "add");
                f.lib.renameSound(round, QString("C%1").arg(round));
                f.lib.addSound(QString("A%1").arg(round), f.file(400 + round), 9100, true);
            }
            QVERIFY(namesKept(f.lib, seen));
            f.undo();
            QVERIFY(namesKept(f.lib, seen));
            f.redo();
            QVERIFY(namesKept(f.lib, seen));
        }
    }

    // An append, a delete of rows here and there, a reorder, a rename as the
    // list's editor makes it and a lock, each twice in a row: undone and
    // redone, the list is back byte for byte, and a step of a long list
    // keeps only what the edit changed.
    void listEditsPutBackExactly()
    {
        Fixture f;
        f.fill(3000);
        {
            const editstep::Recorder::Paused loading(&f.recorder);
            QVector<SoundLibrary::SOUND_INDEX> entries = f.lib.waveLoadKitAttrList();
            for (int i = 0; i < entries.size(); ++i) {
                entries[i].start_cluster = quint32(i * 7);
                entries[i].wave_length = quint32(1000 + i);
                entries[i].offset = quint32(i * 3);
                entries[i].size = quint32(44 + i);
            }
            f.lib.takeSoundRecords(entries);
            f.lib.lockSounds({3, 900}, true);
        }
        QSet<QString> seen;
        QVERIFY(listAgrees(f.lib) && namesKept(f.lib, seen));
        int n = 0;
        auto add = [&] {
            const editstep::Recorder::Scope adding(&f.recorder, "add");
            ++n;
            f.lib.addSound(QString("New%1").arg(n), f.file(5000 + n), quint16(f.lib.lastWaveNumber() + 1), true);
        };
        auto remove = [&] {
            const QVector<int> rows = {2500, 1200, 1199, 40, 0};
            QVector<bool> records(f.lib.waveLoadKitAttrList().size(), false);
            for (int r : rows)
                records[r] = true;
            f.lib.removeSounds(rows, records);
        };
        // Many rows apart and some together, as a long selection deletes them.
        auto scatter = [&] {
            const int size = f.lib.waveLoadKitAttrList().size();
            QVector<int> rows;
            QVector<bool> records(size, false);
            for (int r = size - 1; r >= 0; --r) {
                if (r % 9 == 4 || (r >= 600 && r < 640)) {
                    rows.append(r);
                    records[r] = true;
                }
            }
            f.lib.removeSounds(rows, records);
        };
        auto reorder = [&] {
            const editstep::Recorder::Scope ordering(&f.recorder, "order");
            QVector<soundorder::Row> shown = soundorder::stored(f.lib.waveLoadKitAttrList());
            std::rotate(shown.begin(), shown.begin() + 17 * (++n % 5), shown.end());
            f.lib.showSounds(shown, false, true);
        };
        auto rename = [&] {
            // As the list's editor does it: the cell first, then the library.
            const editstep::Recorder::Scope naming(&f.recorder, "name");
            const int row = 1500;
            QStandardItem *cell = f.lib.totalListItemModel()->itemFromIndex(
                    f.lib.totalListItemModel()->index(row, 1, f.lib.totalListItemModel()->rootIndex()));
            const QString before = cell->text();
            const QString name = QString("Named%1").arg(++n);
            cell->setText(name);
            f.lib.rowEdited(cell->index(), before);
            f.lib.renameSound(row, name);
            f.lib.nameMirrorRowsOf(f.lib.totalListItemModel()->soundText(row, 2), name);
        };
        auto lock = [&] {
            const editstep::Recorder::Scope locking(&f.recorder, "lock");
            f.lib.lockSounds({2000, 7, 1000}, n++ % 2 == 0);
        };
        const std::vector<std::pair<const char *, std::function<void()>>> edits = {
                {"append", add}, {"delete", remove}, {"delete many", scatter}, {"reorder", reorder}, {"rename", rename}, {"lock", lock}};
        for (const auto &edit : edits) {
            const QByteArray s0 = listDump(f.lib);
            const size_t made = f.done.size();
            edit.second();
            const QByteArray s1 = listDump(f.lib);
            edit.second();
            const QByteArray s2 = listDump(f.lib);
            QCOMPARE(f.done.size(), made + 2);
            QVERIFY2(s0 != s1 && s1 != s2, edit.first);
            // A reorder keeps the new order, a delete the rows it took out.
            const qint64 most = QByteArray(edit.first) == "reorder"       ? 3000 * 16
                                : QByteArray(edit.first) == "delete many" ? 400 * 1000
                                                                          : 20000;
            for (size_t i = made; i < f.done.size(); ++i)
                QVERIFY2(f.done[i]->size() < most,
                         qPrintable(QString("%1: %2 bytes").arg(edit.first).arg(f.done[i]->size())));
            const editstep::Recorder::Paused applying(&f.recorder);
            const std::vector<std::pair<editstep::Step *, bool>> moves = {
                    {f.done[made + 1].get(), true}, {f.done[made].get(), true},
                    {f.done[made].get(), false}, {f.done[made + 1].get(), false}};
            const QByteArray *expected[] = {&s1, &s0, &s1, &s2};
            for (int m = 0; m < 4; ++m) {
                QVERIFY(moves[m].first->refusals().isEmpty());
                if (moves[m].second)
                    moves[m].first->undo();
                else
                    moves[m].first->redo();
                QVERIFY2(listDump(f.lib) == *expected[m], qPrintable(QString("%1, move %2").arg(edit.first).arg(m)));
                QVERIFY2(listAgrees(f.lib) && namesKept(f.lib, seen),
                         qPrintable(QString("%1, move %2").arg(edit.first).arg(m)));
            }
        }
        // A name typed and put back, as a refused one is: no step.
        const size_t made = f.done.size();
        {
            const editstep::Recorder::Scope naming(&f.recorder, "name");
            QStandardItem *cell = f.lib.totalListItemModel()->itemFromIndex(
                    f.lib.totalListItemModel()->index(10, 1, f.lib.totalListItemModel()->rootIndex()));
            const QString before = cell->text();
            cell->setText("no/such name");
            f.lib.rowEdited(cell->index(), before);
            f.lib.putBackName(cell->index(), before);
        }
        QCOMPARE(f.done.size(), made);
        // A sound added and taken out again within one edit: no step either.
        const QByteArray kept = listDump(f.lib);
        {
            const editstep::Recorder::Scope adding(&f.recorder, "add and remove");
            f.lib.addSound("Gone", f.file(9000), quint16(f.lib.lastWaveNumber() + 1), true);
            const int last = f.lib.waveLoadKitAttrList().size() - 1;
            QVector<bool> records(last + 1, false);
            records[last] = true;
            f.lib.removeSounds({last}, records);
        }
        QVERIFY(listDump(f.lib) == kept);
        QCOMPARE(f.done.size(), made);
    }

    // Every kind of group edit, each one step: undone, the groups, their
    // rows and the tree are as before; redone, as after; all undone, as at
    // the start. Two steps joined undo as one.
    void groupEditsUndoneAndRedone()
    {
        Fixture f;
        f.lib.addSoundsToGroup(0, {{"a", f.file(1)}, {"b", f.file(2)}, {"c", f.file(3)}, {"d", f.file(4)}});
        f.lib.addGroup("Loops");
        f.done.clear();
        const QByteArray initial = libraryBytes(f.lib);
        QSet<QString> seen;
        const std::vector<std::function<void()>> edits = {
            [&] { f.lib.addSoundsToGroup(1, {{"x", f.file(5)}, {"y", f.file(6)}}); },
            [&] {
                const editstep::Recorder::Scope drop(&f.recorder, "drop");
                f.lib.appendGroup("Last");
            },
            [&] { f.lib.renameGroup(0, "Renamed"); },
            [&] { f.lib.renameGroupSound(1, 2, "Named"); },
            [&] { f.lib.deleteFromGroups({}, {{1, {0, 3, 2}}}); },
            [&] { f.lib.deleteFromGroups({0, 2}, {{1, {0}}}); },
            [&] {
                const editstep::Recorder::Scope save(&f.recorder, "moved");
                f.lib.repointGroupSounds({{f.file(5), f.file(7)}});
            },
        };
        for (size_t n = 0; n < edits.size(); ++n) {
            const QByteArray before = libraryBytes(f.lib);
            edits[n]();
            const QByteArray after = libraryBytes(f.lib);
            QVERIFY2(after != before, qPrintable(QString("edit %1 changed nothing").arg(n)));
            QVERIFY2(f.done.size() == n + 1, qPrintable(QString("edit %1: one step").arg(n)));
            QVERIFY(namesKept(f.lib, seen));
            f.undo();
            QVERIFY2(libraryBytes(f.lib) == before, qPrintable(QString("edit %1 undone").arg(n)));
            QVERIFY(namesKept(f.lib, seen));
            f.redo();
            QVERIFY2(libraryBytes(f.lib) == after, qPrintable(QString("edit %1 redone").arg(n)));
        }
        // A name given again is no step.
        f.lib.renameGroup(0, f.lib.soundGroupList().at(0).name);
        QCOMPARE(f.done.size(), edits.size());
        while (!f.done.empty()) {
            f.undo();
            f.done.pop_back();
        }
        QCOMPARE(libraryBytes(f.lib), initial);

        f.lib.addSoundsToGroup(1, {{"p", f.file(8)}});
        f.lib.renameGroupSound(1, 4, "Joined");
        QCOMPARE(int(f.done.size()), 2);
        f.done[0]->absorb(*f.done[1]);
        f.done.pop_back();
        f.undo();
        QCOMPARE(libraryBytes(f.lib), initial);
        f.redo();
        QCOMPARE(f.lib.soundGroupList().at(1).soundList.at(4).name, QString("Joined"));
    }

    // Edits of a group of 3,000 sounds keep the rows they changed, not the group.
    void aGroupStepKeepsTheRowsItChanged()
    {
        Fixture f;
        QVector<SoundLibrary::GroupSound> many;
        for (int i = 0; i < 3000; ++i)
            many.append({QString("G%1").arg(i), QString("/sounds/g%1.wav").arg(i)});
        f.lib.addSoundsToGroup(0, many);
        f.lib.addSoundsToGroup(0, {{"One", f.file(1)}});
        f.lib.renameGroupSound(0, 1500, "Renamed");
        f.lib.deleteFromGroups({}, {{0, {2000}}});
        f.lib.renameGroup(0, "Mine");
        QCOMPARE(int(f.done.size()), 5);
        for (size_t i = 0; i < f.done.size(); ++i)
            QVERIFY2(f.done.at(i)->size() < 2000, qPrintable(QString::number(f.done.at(i)->size())));
        // Nor does a step hold on to the group as it was.
        malloc_trim(0);
        const size_t before = mallinfo2().uordblks;
        for (int n = 0; n < 20; ++n)
            f.lib.renameGroupSound(0, n, QString("Again%1").arg(n));
        malloc_trim(0);
        const size_t grown = mallinfo2().uordblks - before;
        QVERIFY2(grown < 20 * 20000, qPrintable(QString::number(grown)));
    }

    // Two steps of the list joined (a run) undo and redo as one.
    void listStepsJoinedUndoAsOne()
    {
        Fixture f;
        f.fill(10);
        const QByteArray initial = libraryBytes(f.lib);
        f.lib.renameSound(2, "Two");
        QVector<bool> records(10, false);
        records[5] = true;
        f.lib.removeSounds({5}, records);
        const QByteArray after = libraryBytes(f.lib);
        QCOMPARE(int(f.done.size()), 2);
        f.done[0]->absorb(*f.done[1]);
        f.done.pop_back();
        f.undo();
        QCOMPARE(libraryBytes(f.lib), initial);
        f.redo();
        QCOMPARE(libraryBytes(f.lib), after);
    }

    // A rename of one sound in a long list keeps that row, not the list.
    void aStepKeepsTheStretchItChanged()
    {
        Fixture f;
        f.fill(3000);
        f.lib.renameSound(1500, "Renamed");
        QCOMPARE(int(f.done.size()), 1);
        QVERIFY2(f.done.back()->size() < 4000, qPrintable(QString::number(f.done.back()->size())));
        // Nor does it hold on to the memory of the whole list it looked at.
        malloc_trim(0);
        const size_t before = mallinfo2().uordblks;
        for (int n = 0; n < 20; ++n)
            f.lib.renameSound(n, QString("Again%1").arg(n));
        malloc_trim(0);
        const size_t grown = mallinfo2().uordblks - before;
        QVERIFY2(grown < 20 * 20000, qPrintable(QString::number(grown)));
    }

    void goneSoundsAndOutsideChangesRefuse()
    {
        Fixture f;
        f.fill(5);
        QVector<bool> records(5, false);
        records[2] = true;
        f.lib.removeSounds({2}, records);
        QVERIFY(QFile::remove(f.file(2)));
        const QStringList why = f.done.back()->refusals();
        QCOMPARE(why.size(), 1);
        QVERIFY(why.first().contains("s2.wav"));

        // A change of the list outside the steps (a save moving a sound).
        f.lib.renameSound(0, "Zero");
        QVERIFY(f.done.back()->refusals().isEmpty());
        {
            const editstep::Recorder::Paused saving(&f.recorder);
            f.lib.moveSounds({{f.file(1), f.file(9)}});
        }
        QCOMPARE(f.done.back()->refusals().size(), 1);
    }

    // A whole setup read within one step replaces 9,999 sounds; undone the
    // list is back, quickly enough for the window.
    void aLoadOfManySoundsInOneStep()
    {
        Fixture f;
        f.fill(200);
        const QByteArray before = libraryBytes(f.lib);
        QVector<SoundLibrary::SOUND_INDEX> waves;
        for (int i = 0; i < 9999; ++i) {
            SoundLibrary::SOUND_INDEX s;
            percussionpadfile::str2CharArray(QString("W%1").arg(i), s.wave_name, SOUND_NAME_LENGTH_MAX);
            s.file = QString("/kits/SETUP.BIN:U%1").arg(i, 5, 10, QChar('0'));
            s.wave_No = quint16(i);
            waves.append(s);
        }
        {
            const editstep::Recorder::Scope importing(&f.recorder, "IMPORT");
            f.lib.beginSetupLoad();
            f.lib.clearSoundRows();
            f.lib.clearMirrorRows();
            f.lib.noteSetupFile("/kits/SETUP.BIN");
            f.lib.takeSetupSounds(waves, {}, {});
            f.lib.showSounds(soundorder::stored(f.lib.waveLoadKitAttrList()), false, true);
        }
        QCOMPARE(int(f.done.size()), 1);
        const QByteArray after = libraryBytes(f.lib);
        QCOMPARE(f.lib.totalListItemModel()->soundCount(), 9999);
        f.undo();
        QCOMPARE(libraryBytes(f.lib), before);
        f.redo();
        QCOMPARE(libraryBytes(f.lib), after);
    }
};

QTEST_MAIN(TestLibrarySteps)
#include "test_librarysteps.moc"
