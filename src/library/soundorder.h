#pragma once

#include "model/mainwindow1records.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// The orders in which the total sound list shows the working sound list, and
// the order file that holds one such order as a list of names.
namespace soundorder {

using Records = MainWindow1Records;
using Sounds = QVector<Records::SOUND_INDEX>;

// One row of the total list.
struct Row
{
    quint16 number = 0;
    QString name;
    QString file;
    bool locked = false;
};

// The name held in a sound's 16-byte field.
QString soundName(const Records::SOUND_INDEX &s);
Row rowOf(const Records::SOUND_INDEX &s);

// The records as they stand.
QVector<Row> stored(const Sounds &sounds);

// By the key name + "*" + number compared without letter case, ascending or
// descending (exactly the reverse).
QVector<Row> byName(const Sounds &sounds, bool ascending);

// The sounds the kits use, in order of first use (kits 1 to 100; per kit
// pads 1 to 19, layer A then B, then hi-hat slots 1 to 5), each record once
// and records sharing a path right after the first of them; then the unused
// sounds by ascending number. Names are trimmed.
QVector<Row> byKitUse(const Sounds &sounds, const QVector<Records::soundKit> &kits);

// ---- order file -------------------------------------------------------------

// One name per line, each ended by a line feed, UTF-8.
QByteArray orderFile(const QStringList &names);

// The names of an order file: each line cut at its first carriage return,
// then at its line feed; empty lines are skipped; no trimming.
QStringList orderNames(const QByteArray &bytes);

enum class Match { Ok, CountDiffers, NameMissing };

// Gives the names, in file order, to the records: each name takes the first
// record of that name not yet taken. The count of names must equal rowCount
// or the number of records. On Ok `rows` holds one row per name.
Match matchNames(const QStringList &names, const Sounds &sounds, int rowCount, QVector<Row> *rows);

} // namespace soundorder
