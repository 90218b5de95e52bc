#pragma once

#include "model/mainwindow1records.h"
#include "model/namerules.h"
#include "model/soundfilexml.h"

#include <QVector>

// The names of the sounds of a list and of groups, kept from one lookup to
// the next: only the rows that changed since the last lookup are read again.
class SoundNameIndex
{
public:
    // With `appendedOnly`, the list holds the entries last read and only
    // entries appended since: those are the only ones read.
    const namerules::NamesInUse &names(const QVector<MainWindow1Records::SOUND_INDEX> &list,
                                       const QVector<soundfilexml::strSoundGroup> &groups, bool appendedOnly = false);

private:
    void followItems(const QVector<soundfilexml::strSoundItem> &was,
                     const QVector<soundfilexml::strSoundItem> &now);

    namerules::NamesInUse m_names;
    QVector<MainWindow1Records::SOUND_INDEX> m_list;   // as last read, a copy of its own
    QVector<soundfilexml::strSoundGroup> m_groups;     // as last read
};
