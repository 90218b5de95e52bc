#ifndef ZT_KITFILE_KITSLOTS_H
#define ZT_KITFILE_KITSLOTS_H

// The 43 sound slots of a kit (5 hi-hat slots, layers A and B of 19 pads),
// visited by reference in the orders the setup files use.

#include "model/mainwindow1records.h"

namespace setupfiles {

// One sound slot; const-ness follows the kit's.
template <class S, class N, class W>
struct Slot
{
    S &file;
    S &name;
    N &no;
    W &cluster;
    W &length;
    W &start;
    W &end;
};

template <class S, class N, class W>
Slot<S, N, W> makeSlot(S &file, S &name, N &no, W &cluster, W &length, W &start, W &end)
{
    return Slot<S, N, W>{file, name, no, cluster, length, start, end};
}

// One pad's layer A, then (when layerB) layer B.
template <class Pad, class Fn>
void forEachLayer(Pad &d, Fn fn, bool layerB = true)
{
    fn(makeSlot(d.soundFile0, d.soundName0, d.aWaveNo, d.aWaveStartCluster, d.aWaveLength, d.aWaveStart, d.aWaveEnd));
    if (layerB)
        fn(makeSlot(d.soundFile1, d.soundName1, d.bWaveNo, d.bWaveStartCluster, d.bWaveLength, d.bWaveStart,
                    d.bWaveEnd));
}

// Pads 0..18, layer A then B; the foot switches' layer B only when footSwitchB.
template <class Kit, class Fn>
void forEachPadLayer(Kit &kit, Fn fn, bool footSwitchB = true)
{
    for (int p = 0; p < PAD_NUM_MAX; ++p)
        forEachLayer(kit.kpadChunk[p], fn, footSwitchB || p < EXTEND_INPUT_NUM);
}

// Hi-hat slots 1..5.
template <class Kit, class Fn>
void forEachHiHatSlot(Kit &kit, Fn fn)
{
    auto &h = kit.pedalChunk;
    fn(makeSlot(h.hh_wave1_file, h.hh_wave1_name, h.hh_wave1_no, h.hh_wave1_startCluster, h.hh_wave1_length,
                h.hh_wave1_start, h.hh_wave1_end));
    fn(makeSlot(h.hh_wave2_file, h.hh_wave2_name, h.hh_wave2_no, h.hh_wave2_startCluster, h.hh_wave2_length,
                h.hh_wave2_start, h.hh_wave2_end));
    fn(makeSlot(h.hh_wave3_file, h.hh_wave3_name, h.hh_wave3_no, h.hh_wave3_startCluster, h.hh_wave3_length,
                h.hh_wave3_start, h.hh_wave3_end));
    fn(makeSlot(h.hh_wave4_file, h.hh_wave4_name, h.hh_wave4_no, h.hh_wave4_startCluster, h.hh_wave4_length,
                h.hh_wave4_start, h.hh_wave4_end));
    fn(makeSlot(h.hh_wave5_file, h.hh_wave5_name, h.hh_wave5_no, h.hh_wave5_startCluster, h.hh_wave5_length,
                h.hh_wave5_start, h.hh_wave5_end));
}

// Hi-hat slots first, then the pad layers.
template <class Kit, class Fn>
void forEachSoundSlot(Kit &kit, Fn fn)
{
    forEachHiHatSlot(kit, fn);
    forEachPadLayer(kit, fn);
}

} // namespace setupfiles

#endif
