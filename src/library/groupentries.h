#pragma once

// What tells a sound stored in a kit file apart from the file's other
// sounds: its stored name and its length in bytes. A group row that names
// such a sound ("K002.INI:U00001") carries the entry it named, so that a file
// written anew since is never taken to hold that sound at that place.

#include "model/mainwindow1records.h"
#include "model/soundfilexml.h"

#include <QString>
#include <QVector>

namespace groupentries {

using Records = MainWindow1Records;

struct Identity
{
    QString name;
    qint64 length = -1; // -1: not known
    bool known() const { return length >= 0; }
    bool operator==(const Identity &o) const { return length == o.length && name == o.name; }
    bool operator!=(const Identity &o) const { return !(*this == o); }
};

Identity ofEntry(const percussionpadfile::P_SOUND_INDEX &entry);
// A group sound's, as the sound-list file keeps it.
Identity ofItem(const soundfilexml::strSoundItem &item);
void setItem(soundfilexml::strSoundItem &item, const Identity &id);
// True when a row carrying `row` may be taken for a sound that is `entry`:
// it carries none (written before rows carried one), or that one.
inline bool fits(const Identity &row, const Identity &entry)
{
    return !row.known() || row == entry;
}

// The kit file at kitFile read as it is now, its sounds with the sources a
// load gives them; false when it does not read as a kit file.
bool readStoredSounds(const QString &kitFile, Records::READ_KIT_FILE &rec);

// A group row whose kit file no longer holds the sound it named.
struct Unmatched
{
    QString group;
    QString name;
    QString source;
};
// The rows of `groups` that carry an entry, checked against their kit files
// as they are on the disk (each file read once): a row whose sound moved
// within its file (the one entry of that name and length) names it there
// now; a row whose file holds it nowhere is returned. Rows whose file is
// missing or does not read are left as they are.
QVector<Unmatched> checkGroups(QVector<soundfilexml::strSoundGroup> &groups);

} // namespace groupentries
