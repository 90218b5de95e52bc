// The sounds a save gathered, as the document's kit file model takes them.
#include "mainwindow1/mainwindow1.h"
#include "mainwindow1/library/soundlistscontroller.h"

KitDocument::SaveSounds MainWindow1::saveSounds()
{
    return KitDocument::SaveSounds{soundLists().waveAttrList(), waveList, library().clickSetList(), clickWaveList, kitOrderList};
}
