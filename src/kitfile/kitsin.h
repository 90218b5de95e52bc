#ifndef ZT_KITFILE_KITSIN_H
#define ZT_KITFILE_KITSIN_H

// Kit records of a read kit file turned into the editor's kits.

#include "model/mainwindow1records.h"

#include <QHash>

namespace setupfiles {

using Records = MainWindow1Records;

constexpr int EFFECT_TYPE_COUNT = 24; // entries of each kit's effect memories

struct KitNameFit
{
    QString stored; // as the file holds it
    QString name;
    bool cut = false;      // shortened or replaced for its length or last character
    bool replaced = false; // replaced for a character outside the allowed set
};

struct LoadedKit
{
    Records::soundKit kit;           // sounds not yet resolved
    KitNameFit name;                 // how the stored name was taken
    int kitIndexByte = 0;            // kit selection byte of the base record
    Records::KIT_EFFECT effects[4];  // controls of kit effects 1..3 and the active effect
    quint8 effectTypes[4] = {};      // their effect types (24 or more: no memory entry)
    Records::LINK_GROUP links[5];    // link pairs 1..5
    // The kit's file image as read; without one (`imaged` false) the kit's
    // record makes its image.
    bool imaged = false;
    percussionpadfile::P_KIT_BASE_PARA base;
    percussionpadfile::P_PEDAL_SETTING pedal;
    percussionpadfile::P_KIT_PAD_SETTING pads[PAD_NUM_MAX];
};

// Kit k of the model's kit tables (of a whole setup, or of a single-kit
// file); kitNumber (1-based) names a default kit name. An effect number the
// writers store as 10 reads as 4; 0xFF and other 10s read as 0.
LoadedKit kitFromFile(const percussionpadfile &pf, int k, int kitNumber, bool wholeSetup);
// True when the model points at its three kit tables.
inline bool hasKitTables(const percussionpadfile *pf)
{
    return pf && pf->kitChunk.baseChunk && pf->kitChunk.pedalChunk && pf->kitChunk.kpadChunk;
}

// Position of the last record per wave number / per source.
QHash<quint16, int> lastByNumber(const QVector<Records::SOUND_INDEX> &sounds);
QHash<QString, int> lastByFile(const QVector<Records::SOUND_INDEX> &sounds);

// Whole setup: each slot takes the name and source of the sound with its
// number. A slot with no wave, or whose number names no sound, is emptied.
void resolveByNumber(Records::soundKit &kit, const QVector<Records::SOUND_INDEX> &waves,
                     const QHash<quint16, int> &byNumber);
// Single-kit file `file`: each slot's number is an entry of the file; the slot
// takes number, name and source of the library sound with that entry's source.
// A slot with no wave, or whose entry is not in the library, is emptied.
void resolveByPath(Records::soundKit &kit, const QString &file, const QVector<Records::SOUND_INDEX> &library,
                   const QHash<QString, int> &byFile);

} // namespace setupfiles

#endif
