#ifndef ZT_MAINWINDOW1_SOUNDLISTSTATE_H
#define ZT_MAINWINDOW1_SOUNDLISTSTATE_H

#include "model/mainwindow1records.h"

#include <QVector>

// The working sound list the window edits and what its views are doing.
struct SoundListState
{
    QVector<MainWindow1Records::SOUND_INDEX> waveAttrList;
    int total_index = 0; // the working list's last wave number, taken before each add
    // Set while one sound list clears the other's selection.
    bool clearingOtherList = false;
};

#endif
