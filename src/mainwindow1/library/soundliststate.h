#ifndef ZT_MAINWINDOW1_SOUNDLISTSTATE_H
#define ZT_MAINWINDOW1_SOUNDLISTSTATE_H

#include "model/mainwindow1records.h"

#include <QVector>

// What the last sound conversion already told the user.
struct SoundListState
{
    // True when the last getRawFile failed for a cause it named that is not
    // the sound's (its output could not be written): no box blames the sound.
    bool rawFailureTold = false;
};

#endif
