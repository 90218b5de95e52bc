#pragma once

// The working sound list changed in place, as a load would give it.

#include "library/soundlibrary.h"

template <typename Edit>
inline void editRecords(SoundLibrary &lib, Edit edit)
{
    QVector<SoundLibrary::SOUND_INDEX> records = lib.waveLoadKitAttrList();
    edit(records);
    lib.takeSoundRecords(records);
}
