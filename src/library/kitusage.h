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

// The five hi-hat slots of a kit, slot 1 first.
std::array<const QString *, HH_NUM_MAX> hhFiles(const Records::PEDAL_SETTING &h);
std::array<QString *, HH_NUM_MAX> hhNames(Records::PEDAL_SETTING &h);
std::array<const QString *, HH_NUM_MAX> hhNames(const Records::PEDAL_SETTING &h);

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

// Gives `name` to every pad layer that holds `file` and to the first hi-hat
// slot per kit that holds it. True when a pad of kit `shownKit` (0-based) or
// any hi-hat slot took the name.
bool renameInKits(Kits &kits, const QString &file, const QString &name, int shownKit);

// One use of a sound in a kit: a three-character label ("P1 ", "P1+",
// "T3+", "F1 ", "H2 "), the name and the path.
struct Use
{
    QString label;
    QString name;
    QString file;
};
// The uses of one kit: pads 1 to 19, layer A then B (the foot switches have
// only A), then hi-hat slots 1 to 5; empty paths are left out.
QVector<Use> kitUses(const Records::soundKit &kit);

} // namespace kitusage
