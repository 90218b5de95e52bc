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

struct WaveOrder
{
    QStringList totalFileList; // sources used by the kits, in order of first use
    QStringList totalList;     // labels ("number - 1*name") in kit order
    QStringList remainingList; // labels of the sounds no kit uses, in list order
    QVector<quint16> kitOrderList; // positions in `waves`, in kit order: 0..n-1 once each
};

// Kits 1..100, per kit pads 1..19 layer A then B, then hi-hat slots 1..5. A
// source is listed unless a source listed before contains it. `library` is
// the working sound list (labels, the order of unused sounds), `waves` the
// sounds of the file being written.
WaveOrder kitWaveOrder(const QVector<Records::soundKit> &kits, const QVector<Records::SOUND_INDEX> &library,
                       const QVector<Records::SOUND_INDEX> &waves);

} // namespace setupfiles

#endif
