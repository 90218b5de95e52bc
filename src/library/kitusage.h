#pragma once

#include "model/mainwindow1records.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>

// Which kits use which sound files: the pad layers and hi-hat slots of the
// 100 kits, read without any window.
namespace kitusage {

using Records = MainWindow1Records;
using Kits = QVector<Records::soundKit>;

// The files of the five hi-hat slots of a kit, slot 1 first.
std::array<const QString *, HH_NUM_MAX> hhFiles(const Records::PEDAL_SETTING &h);

// Numbers (1-based) of the kits that use `path`, each once: the kits holding
// it on a pad layer in ascending order, then those holding it only in a
// hi-hat slot, ascending. *onPads (when given) counts the first ones.
QVector<int> kitsUsing(const Kits &kits, const QString &path, int *onPads = nullptr);

// Every non-empty path of a pad layer and of a hi-hat slot.
struct UsedPaths
{
    QSet<QString> pads;
    QSet<QString> hiHats;
    bool contains(const QString &path) const { return pads.contains(path) || hiHats.contains(path); }
};
UsedPaths usedPaths(const Kits &kits);

// The files of `sounds` that some kit uses, each once: the ones on pads in
// the order of their records, then the ones used only in hi-hat slots.
QVector<QString> usedSoundFiles(const QVector<Records::SOUND_INDEX> &sounds, const Kits &kits);

} // namespace kitusage
