#ifndef ZT_KITFILE_WAVEORDER_H
#define ZT_KITFILE_WAVEORDER_H

// Which kit files the kits' stored sounds come from, and the order of the
// sounds by kit use for a whole setup's second wave-node list.

#include "model/mainwindow1records.h"

#include <QStringList>

namespace setupfiles {

using Records = MainWindow1Records;

// The kit files of the stored sounds on the kits' pads (foot switches: layer
// A only), then on their hi-hat slots; each once, in order of first use.
QStringList kitSourceFiles(const QVector<Records::soundKit> &kits);

// The positions in `waves` (the sounds of the file being written) in kit
// order, each once: the sources the kits use in order of first use (kits
// 1..100, per kit pads 1..19 layer A then B, then hi-hat slots 1..5; a source
// contained in one listed before is taken as listed), then the sounds of
// `library` (the working sound list) that no kit uses, by their labels
// ("number*name") in list order, then the positions neither names.
QVector<quint16> kitWaveOrder(const QVector<Records::soundKit> &kits, const QVector<Records::SOUND_INDEX> &library,
                              const QVector<Records::SOUND_INDEX> &waves);

} // namespace setupfiles

#endif
