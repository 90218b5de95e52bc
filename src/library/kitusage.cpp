#include "library/kitusage.h"

namespace kitusage {

namespace {

constexpr int kFootSwitchFirst = 17; // pads 18 and 19 have layer A only

int kitCount(const Kits &kits)
{
    return qMin(kits.size(), int(KIT_MAX_COUNT));
}

QString padLabel(int pad, bool layerB)
{
    QString label;
    if (pad < 9)
        label = QStringLiteral("P%1").arg(pad + 1);
    else if (pad < kFootSwitchFirst)
        label = QStringLiteral("T%1").arg(pad - 8);
    else
        label = QStringLiteral("F%1").arg(pad - kFootSwitchFirst + 1);
    return label + (layerB ? QLatin1Char('+') : QLatin1Char(' '));
}

} // namespace

std::array<const QString *, HH_NUM_MAX> hhFiles(const Records::PEDAL_SETTING &h)
{
    return {&h.hh_wave1_file, &h.hh_wave2_file, &h.hh_wave3_file, &h.hh_wave4_file, &h.hh_wave5_file};
}

std::array<QString *, HH_NUM_MAX> hhNames(Records::PEDAL_SETTING &h)
{
    return {&h.hh_wave1_name, &h.hh_wave2_name, &h.hh_wave3_name, &h.hh_wave4_name, &h.hh_wave5_name};
}

std::array<const QString *, HH_NUM_MAX> hhNames(const Records::PEDAL_SETTING &h)
{
    return {&h.hh_wave1_name, &h.hh_wave2_name, &h.hh_wave3_name, &h.hh_wave4_name, &h.hh_wave5_name};
}

QVector<int> kitsUsing(const Kits &kits, const QString &path, int *onPads)
{
    QVector<int> out;
    QVector<bool> named(kitCount(kits), false);
    for (int k = 0; k < named.size(); ++k) {
        for (const Records::KIT_PAD_SETTING &pad : kits.at(k).kpadChunk) {
            if (pad.soundFile0 == path || pad.soundFile1 == path) {
                named[k] = true;
                out.append(k + 1);
                break;
            }
        }
    }
    if (onPads)
        *onPads = out.size();
    for (int k = 0; k < named.size(); ++k) {
        if (named.at(k))
            continue;
        for (const QString *file : hhFiles(kits.at(k).pedalChunk)) {
            if (*file == path) {
                out.append(k + 1);
                break;
            }
        }
    }
    return out;
}

UsedPaths usedPaths(const Kits &kits)
{
    UsedPaths used;
    for (int k = 0; k < kitCount(kits); ++k) {
        const Records::soundKit &kit = kits.at(k);
        for (const Records::KIT_PAD_SETTING &pad : kit.kpadChunk) {
            if (!pad.soundFile0.isEmpty())
                used.pads.insert(pad.soundFile0);
            if (!pad.soundFile1.isEmpty())
                used.pads.insert(pad.soundFile1);
        }
        for (const QString *file : hhFiles(kit.pedalChunk)) {
            if (!file->isEmpty())
                used.hiHats.insert(*file);
        }
    }
    return used;
}

QVector<QString> usedSoundFiles(const QVector<Records::SOUND_INDEX> &sounds, const Kits &kits)
{
    const UsedPaths used = usedPaths(kits);
    QVector<QString> out;
    QSet<QString> listed;
    for (const Records::SOUND_INDEX &s : sounds) {
        if (used.pads.contains(s.file) && !listed.contains(s.file)) {
            listed.insert(s.file);
            out.append(s.file);
        }
    }
    for (const Records::SOUND_INDEX &s : sounds) {
        if (used.hiHats.contains(s.file) && !listed.contains(s.file)) {
            listed.insert(s.file);
            out.append(s.file);
        }
    }
    return out;
}

bool renameInKits(Kits &kits, const QString &file, const QString &name, int shownKit)
{
    bool changed = false;
    for (int k = 0; k < kitCount(kits); ++k) {
        Records::soundKit &kit = kits[k];
        for (Records::KIT_PAD_SETTING &pad : kit.kpadChunk) {
            if (pad.soundFile0 == file) {
                pad.soundName0 = name;
                changed = changed || k == shownKit;
            }
            if (pad.soundFile1 == file) {
                pad.soundName1 = name;
                changed = changed || k == shownKit;
            }
        }
        const auto files = hhFiles(kit.pedalChunk);
        const auto names = hhNames(kit.pedalChunk);
        for (int slot = 0; slot < HH_NUM_MAX; ++slot) {
            if (*files[size_t(slot)] == file) {
                *names[size_t(slot)] = name;
                changed = true;
                break;
            }
        }
    }
    return changed;
}

QVector<Use> kitUses(const Records::soundKit &kit)
{
    QVector<Use> out;
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        const Records::KIT_PAD_SETTING &pad = kit.kpadChunk[p];
        if (!pad.soundFile0.isEmpty())
            out.append({padLabel(p, false), pad.soundName0, pad.soundFile0});
        if (p < kFootSwitchFirst && !pad.soundFile1.isEmpty())
            out.append({padLabel(p, true), pad.soundName1, pad.soundFile1});
    }
    const auto files = hhFiles(kit.pedalChunk);
    const auto names = hhNames(kit.pedalChunk);
    for (int slot = 0; slot < HH_NUM_MAX; ++slot) {
        if (!files[size_t(slot)]->isEmpty())
            out.append({QStringLiteral("H%1 ").arg(slot + 1), *names[size_t(slot)], *files[size_t(slot)]});
    }
    return out;
}

} // namespace kitusage
