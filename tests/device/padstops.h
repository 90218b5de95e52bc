#ifndef TESTS_DEVICE_PADSTOPS_H
#define TESTS_DEVICE_PADSTOPS_H

// A change of the pad stopped at every call it makes, by every stop a machine
// can see (the editor killed, the power cut with what was not synced lost,
// every in-order part of the unsynced name changes, a write torn at a sector),
// then loaded again, that load itself stopped at every call of its repairs
// and loaded a third time. After each load the pad is wholly as before the
// change or wholly as after it: every file of it (kit records, global.ini,
// alter.ini, every sound, those no kit names too) and what each kit plays.

#include "padfixture.h"
#include "support/crashdisk.h"

#include "device/padkits.h"

#include <QCryptographicHash>
#include <QHash>
#include <QSet>

#include <functional>

namespace padstops {

inline QByteArray sha1(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex().left(12);
}

// What each kit plays once the pad is loaded as the window loads it; empty
// when the pad does not load (why in *why).
inline QVector<QByteArray> kitsPlay(const PadFixture &pad, QString *why, QString *told = nullptr)
{
    const PadFixture::Loaded loaded = pad.loadAgain();
    if (told)
        *told = loaded.text();
    QHash<int, QByteArray> bytes; // by the number the kits name
    for (const auto &s : loaded.sounds.waveAttrList)
        bytes.insert(s.wave_No, sha1(kf::readFile(QDir::fromNativeSeparators(s.file))));
    const PadKits kits = readPadKits(pad.kitPath, loaded.sounds.waveAttrList, nullptr);
    if (!kits.ok || kits.kits.size() != KIT_MAX_COUNT) {
        *why = QStringLiteral("the kits do not load: ")
                + (kits.messages.isEmpty() ? QString() : kits.messages.first().text);
        return {};
    }
    QVector<QByteArray> out;
    for (int k = 0; k < KIT_MAX_COUNT; ++k) {
        const MainWindow1Records::soundKit &kit = kits.kits.at(k);
        QByteArray plays = sha1(kits.kitRecords.value(k));
        auto slot = [&](quint16 n) { plays += ' ' + bytes.value(n, QByteArrayLiteral("-")); };
        for (const auto &pad : kit.kpadChunk) {
            slot(pad.aWaveNo);
            slot(pad.bWaveNo);
        }
        const auto &hh = kit.pedalChunk;
        for (quint16 n : {hh.hh_wave1_no, hh.hh_wave2_no, hh.hh_wave3_no, hh.hh_wave4_no, hh.hh_wave5_no})
            slot(n);
        out << plays;
    }
    return out;
}

// The 100 kit files, of which only the kits named in `use` (1-based) name
// sounds: their waves (as the pad stores them) spread over the pads' layers.
inline void kitsUsing(PadFixture &pad, const QMap<int, QVector<quint16>> &use)
{
    pad.writeKits({});
    for (auto k = use.cbegin(); k != use.cend(); ++k) {
        const QVector<quint16> &waves = k.value();
        for (int j = 0; j < PAD_NUM_MAX; ++j) {
            auto &slot = pad.kits.pads[k.key() - 1][j];
            slot.aWaveNo = waves.at(j % waves.size());
            slot.bWaveNo = j >= EXTEND_INPUT_NUM ? quint16(0xFFFF) : waves.at((j + 1) % waves.size());
        }
    }
    pad.saveKits();
}

struct Count {
    int states = 0; // the trees a stop of the change can leave
    int repairStops = 0; // other trees a stop of their load can leave
    // Of those, by every kind of stop that leaves them: the editor killed, the
    // power cut, the power cut with some but not all unsynced name changes on
    // the disk, a torn write.
    int killed = 0, powerCut = 0, namesPart = 0, torn = 0;
    int bothNames = 0; // a move between folders left at both its names
    int repairKilled = 0, repairPowerCut = 0, repairTorn = 0;
    int outside = 0; // states loaded after a file was changed on the pad since the stop

    void add(const CrashDisk::State &s, bool repair)
    {
        using Stop = CrashDisk::Stop;
        ++(repair ? repairStops : states);
        (repair ? repairKilled : killed) += s.cameBy(Stop::Killed);
        (repair ? repairPowerCut : powerCut) += s.cameBy(Stop::PowerCut);
        (repair ? repairTorn : torn) += s.cameBy(Stop::Torn);
        namesPart += !repair && s.someNames;
        bothNames += !repair && s.bothNames;
    }
    // Every kind of stop came, of the change and of the load after it (a
    // torn write only where the change writes more than a sector).
    bool everyKind(bool tears = true) const
    {
        return killed > 0 && powerCut > 0 && namesPart > 0 && (!tears || torn > 0) && repairKilled > 0
                && repairPowerCut > 0;
    }
    QString describe() const
    {
        return QStringLiteral("%1 states (%2 killed, %3 power cuts of which %4 with part of the names and %10 with a "
                              "move at both names, %5 torn), %6 in the load after (%7 killed, %8 power cuts, %9 torn); "
                              "%11 loads after a change on the pad")
                .arg(states).arg(killed).arg(powerCut).arg(namesPart).arg(torn)
                .arg(repairStops).arg(repairKilled).arg(repairPowerCut).arg(repairTorn)
                .arg(bothNames).arg(outside);
    }
};

class Runner
{
public:
    Runner(PadFixture &pad)
        : m_pad(pad)
    {
    }

    // The first fault, empty when none.
    QString run(const std::function<void(ztplatform::Disk &)> &change, Count *count)
    {
        QString why;
        m_before = kitsPlay(m_pad, &why);
        if (m_before.isEmpty())
            return QStringLiteral("before the change ") + why;
        m_beforeFiles = filesOf(filetree::read(m_pad.root));
        CrashDisk disk(m_pad.root);
        change(disk);
        if (const QString missed = bypassed(disk); !missed.isEmpty())
            return QStringLiteral("the change wrote past its disk: ") + missed;
        m_after = kitsPlay(m_pad, &why);
        if (m_after.isEmpty())
            return QStringLiteral("after the change ") + why;
        m_onDisk = filetree::read(m_pad.root);
        m_afterFiles = filesOf(m_onDisk);
        if (m_afterFiles == m_beforeFiles)
            return QStringLiteral("the change changed no file");
        // Each state the change can leave is loaded with that load stopped
        // at every call of its own; what those stops leave is loaded once.
        for (const CrashDisk::State &s : disk.states()) {
            count->add(s, false);
            fresh(s.tree);
            QVector<CrashDisk::State> repairs;
            if (const QString fault = check(s.tree, &repairs); !fault.isEmpty())
                return s.describe() + QStringLiteral(": ") + fault;
            const filetree::Tree ended = m_onDisk;
            for (const Outside &o : outsideChanges(s.tree)) {
                ++count->outside;
                if (const QString fault = checkOutside(s.tree, o); !fault.isEmpty())
                    return s.describe() + QStringLiteral(", then changed on the pad: ") + fault;
            }
            if (const QString fault = check(ended, nullptr); !fault.isEmpty())
                return s.describe() + QStringLiteral(", loaded twice: ") + fault;
            if (const QString d = filetree::firstDifference(m_onDisk, ended); !d.isEmpty())
                return s.describe() + QStringLiteral(": a second load changed ") + d;
            for (const CrashDisk::State &again : qAsConst(repairs)) {
                if (!fresh(again.tree))
                    continue;
                count->add(again, true);
                if (const QString fault = check(again.tree, nullptr); !fault.isEmpty())
                    return s.describe() + QStringLiteral(", then the load ") + again.describe()
                            + QStringLiteral(": ") + fault;
                if (const QString d = filetree::firstDifference(m_onDisk, ended); !d.isEmpty())
                    return s.describe() + QStringLiteral(", then the load ") + again.describe()
                            + QStringLiteral(": the pad differs from a load not stopped at ") + d;
            }
        }
        return QString();
    }

    // The pad's files, folders left out (an empty folder plays nothing).
    static filetree::Tree filesOf(const filetree::Tree &tree)
    {
        filetree::Tree files;
        for (auto e = tree.cbegin(); e != tree.cend(); ++e) {
            if (e->kind != filetree::Entry::Folder)
                files.insert(e.key(), e.value());
        }
        return files;
    }

private:
    // Bytes of files changed on the pad itself between the stop and the load.
    struct Edit {
        QString path;
        int at = 0;
    };
    using Outside = QVector<Edit>;

    // A file of the pad's as the stop left it at its name: the first of
    // `prefix` the change writes, else the first of `prefix`.
    QString fileOf(const filetree::Tree &state, const QString &prefix, const QString &suffix) const
    {
        QString any;
        for (auto e = state.cbegin(); e != state.cend(); ++e) {
            const QString &path = e.key();
            if (e->kind != filetree::Entry::File || !path.startsWith(prefix) || !path.endsWith(suffix)
                || path.section(QLatin1Char('/'), -1).startsWith(QLatin1Char('.')))
                continue;
            if (touched(path))
                return path;
            if (any.isEmpty())
                any = path;
        }
        return any;
    }
    bool touched(const QString &path) const { return m_beforeFiles.value(path) != m_afterFiles.value(path); }

    // A kit record, the chain block, the rest of global.ini and a sound, each
    // a file the change writes where it writes one: each such edit loaded on
    // its own, the edits of files it does not write together.
    QVector<Outside> outsideChanges(const filetree::Tree &state) const
    {
        Outside edits;
        const QString kit = fileOf(state, QStringLiteral("ZT350/KIT/"), QStringLiteral(".ini"));
        if (!kit.isEmpty())
            edits << Edit{kit, 20};
        const QString global = QStringLiteral("ZT350/SYS/global.ini");
        if (state.value(global).bytes.size() > KIT_CHAIN_BLOCK_OFFSET + KIT_CHAIN_BLOCK_SIZE)
            edits << Edit{global, KIT_CHAIN_BLOCK_OFFSET + 10} << Edit{global, 20};
        const QString wav = fileOf(state, QStringLiteral("ZT350/WAV_DATA/"), QStringLiteral(".wav"));
        if (!wav.isEmpty())
            edits << Edit{wav, int(qMin<qint64>(60, state.value(wav).bytes.size() - 1))};
        QVector<Outside> out;
        Outside untouched;
        for (const Edit &e : qAsConst(edits)) {
            if (touched(e.path))
                out << Outside{e}; // each on its own
            else
                untouched << e;
        }
        if (!untouched.isEmpty())
            out << untouched;
        return out;
    }

    // The state with the edits made is loaded: the pad's own bytes stay, and
    // every other file (but the other file of a changed sound) is as before
    // the change or as after it, at its name.
    QString checkOutside(const filetree::Tree &state, const Outside &o)
    {
        filetree::Tree changed = state;
        QByteArray mine;
        for (const Edit &e : o) {
            QByteArray &bytes = changed[e.path].bytes;
            bytes[e.at] = char(bytes.at(e.at) ^ 0x21);
            mine += bytes.at(e.at);
        }
        filetree::write(changed, m_pad.root, &m_onDisk);
        QString why, told;
        kitsPlay(m_pad, &why, &told);
        m_onDisk = filetree::read(m_pad.root);
        const QString fault = outsideFault(filesOf(m_onDisk), o, mine);
        return fault.isEmpty() ? fault : fault + QStringLiteral(" (the load told: ") + told + QLatin1Char(')');
    }

    QString outsideFault(const filetree::Tree &files, const Outside &o, const QByteArray &mine) const
    {
        QSet<QString> edited;
        for (int i = 0; i < o.size(); ++i) {
            const QByteArray now = files.value(o.at(i).path).bytes;
            if (now.size() <= o.at(i).at || now.at(o.at(i).at) != mine.at(i))
                return o.at(i).path + QStringLiteral(": the pad's own change was written over");
            edited << o.at(i).path;
            if (o.at(i).path.contains(QLatin1String("/WAV_DATA/")))
                edited << QString(o.at(i).path)
                                  .replace(QLatin1String("/WAV_DATA/"), QLatin1String("/WAV_PRM/"))
                                  .replace(QLatin1String(".wav"), QLatin1String(".prm"));
        }
        QSet<QString> paths;
        const filetree::Tree *trees[] = {&files, &m_beforeFiles, &m_afterFiles};
        for (const filetree::Tree *t : trees) {
            for (auto e = t->cbegin(); e != t->cend(); ++e)
                paths.insert(e.key());
        }
        for (const QString &path : qAsConst(paths)) {
            if (edited.contains(path))
                continue;
            const bool has = files.contains(path);
            const bool asBefore = has ? m_beforeFiles.value(path) == files.value(path) && m_beforeFiles.contains(path)
                                      : !m_beforeFiles.contains(path);
            const bool asAfter = has ? m_afterFiles.value(path) == files.value(path) && m_afterFiles.contains(path)
                                     : !m_afterFiles.contains(path);
            if (!asBefore && !asAfter)
                return path + (has ? QStringLiteral(" holds bytes neither old nor new") : QStringLiteral(" is gone"));
        }
        return QString();
    }

    bool fresh(const filetree::Tree &tree)
    {
        const QByteArray d = filetree::digest(tree);
        if (m_seen.contains(d))
            return false;
        m_seen.insert(d);
        return true;
    }

    QString bypassed(const CrashDisk &disk) const
    {
        return filetree::firstDifference(filetree::read(m_pad.root), disk.now());
    }

    // Lays out `tree`, loads it, and compares; the states a stop of that
    // load could leave go to *repairs.
    QString check(const filetree::Tree &tree, QVector<CrashDisk::State> *repairs)
    {
        filetree::write(tree, m_pad.root, &m_onDisk);
        CrashDisk watching(m_pad.root);
        QString why;
        QVector<QByteArray> plays;
        {
            DiskInPlace in(m_pad.disk, &watching);
            plays = kitsPlay(m_pad, &why);
        }
        m_onDisk = filetree::read(m_pad.root);
        if (const QString missed = filetree::firstDifference(m_onDisk, watching.now()); !missed.isEmpty())
            return QStringLiteral("the load wrote past its disk: ") + missed;
        if (repairs)
            *repairs = watching.states();
        if (plays.isEmpty())
            return why;
        for (int k = 0; k < KIT_MAX_COUNT; ++k) {
            if (plays.at(k) != m_before.at(k) && plays.at(k) != m_after.at(k))
                return QStringLiteral("kit %1 plays %2, neither %3 nor %4")
                        .arg(k + 1)
                        .arg(QString::fromLatin1(plays.at(k)), QString::fromLatin1(m_before.at(k)),
                             QString::fromLatin1(m_after.at(k)));
        }
        // The whole pad one side or the other, not each kit on its own.
        const filetree::Tree files = filesOf(m_onDisk);
        if (plays != m_before && plays != m_after)
            return QStringLiteral("some kits play as before the change, others as after it");
        const bool old = files == m_beforeFiles, now = files == m_afterFiles;
        if (!old && !now)
            return QStringLiteral("the pad is neither as before (") + filetree::firstDifference(files, m_beforeFiles)
                    + QStringLiteral(") nor as after (") + filetree::firstDifference(files, m_afterFiles)
                    + QStringLiteral(")");
        if ((old && plays != m_before) || (now && plays != m_after))
            return QStringLiteral("the files are one side, the kits play the other");
        return QString();
    }

    PadFixture &m_pad;
    QVector<QByteArray> m_before, m_after;
    filetree::Tree m_beforeFiles, m_afterFiles;
    filetree::Tree m_onDisk;
    QSet<QByteArray> m_seen;
};

// The first fault of `change` on the pad stopped anywhere; empty when none.
inline QString everyStopKeepsTheKits(PadFixture &pad, const std::function<void(ztplatform::Disk &)> &change,
                                     Count *count)
{
    return Runner(pad).run(change, count);
}

} // namespace padstops

#endif
