#include "library/kitusage.h"

namespace kitusage {

namespace {

int kitCount(const Kits &kits)
{
    return qMin(kits.size(), int(KIT_MAX_COUNT));
}

} // namespace

std::array<const QString *, HH_NUM_MAX> hhFiles(const Records::PEDAL_SETTING &h)
{
    return {&h.hh_wave1_file, &h.hh_wave2_file, &h.hh_wave3_file, &h.hh_wave4_file, &h.hh_wave5_file};
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

} // namespace kitusage
