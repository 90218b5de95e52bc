#ifndef TESTS_DEVICE_PADSTOPS_H
#define TESTS_DEVICE_PADSTOPS_H

// A change of the pad stopped at every call it makes, by every stop a machine
// can see (the editor killed, the power cut with what was not synced lost,
// every in-order part of the unsynced name changes, a write torn at a sector),
// then loaded again, that load itself stopped at every call of its repairs
// and loaded a third time. After each load every kit plays what it played
// before the change or what it plays after it: its record and the bytes of
// each sound it names.

#include "padfixture.h"
#include "support/crashdisk.h"

#include "device/padkits.h"

#include <QCryptographicHash>
#include <QHash>

#include <functional>

namespace padstops {

inline QByteArray sha1(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex().left(12);
}

// What each kit plays once the pad is loaded as the window loads it; empty
// when the pad does not load (why in *why).
inline QVector<QByteArray> kitsPlay(const PadFixture &pad, QString *why)
{
    const PadFixture::Loaded loaded = pad.loadAgain();
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
    int repairKilled = 0, repairPowerCut = 0, repairTorn = 0;

    void add(const CrashDisk::State &s, bool repair)
    {
        using Stop = CrashDisk::Stop;
        ++(repair ? repairStops : states);
        (repair ? repairKilled : killed) += s.cameBy(Stop::Killed);
        (repair ? repairPowerCut : powerCut) += s.cameBy(Stop::PowerCut);
        (repair ? repairTorn : torn) += s.cameBy(Stop::Torn);
        namesPart += !repair && s.someNames;
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
        return QStringLiteral("%1 states (%2 killed, %3 power cuts of which %4 with part of the names, %5 torn), "
                              "%6 in the load after (%7 killed, %8 power cuts, %9 torn)")
                .arg(states).arg(killed).arg(powerCut).arg(namesPart).arg(torn)
                .arg(repairStops).arg(repairKilled).arg(repairPowerCut).arg(repairTorn);
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
        CrashDisk disk(m_pad.root);
        change(disk);
        if (const QString missed = bypassed(disk); !missed.isEmpty())
            return QStringLiteral("the change wrote past its disk: ") + missed;
        m_after = kitsPlay(m_pad, &why);
        if (m_after.isEmpty())
            return QStringLiteral("after the change ") + why;
        m_onDisk = filetree::read(m_pad.root);
        // Each state the change can leave is loaded with that load stopped
        // at every call of its own; what those stops leave is loaded once.
        for (const CrashDisk::State &s : disk.states()) {
            count->add(s, false);
            fresh(s.tree);
            QVector<CrashDisk::State> repairs;
            if (const QString fault = check(s.tree, &repairs); !fault.isEmpty())
                return s.describe() + QStringLiteral(": ") + fault;
            const filetree::Tree ended = m_onDisk;
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

private:
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
            DiskInPlace in(&watching);
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
        return QString();
    }

    PadFixture &m_pad;
    QVector<QByteArray> m_before, m_after;
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
