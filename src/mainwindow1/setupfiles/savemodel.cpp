// The output kit file model cf filled from the editor.
#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "setup/modelout.h"

namespace {

void pointAtTables(MainWindow1 *w)
{
    percussionpadfile &m = w->cf;
    m.kitChunk.baseChunk = w->base0;
    m.kitChunk.pedalChunk = w->pedal0;
    m.kitChunk.kpadChunk = w->pad0;
    m.soundChunk.soundIndex = w->sound0.data();
}

} // namespace

bool MainWindow1::setAllFileChunk()
{
    pointAtTables(this);
    setupfiles::fillWholeSetupKits(cf, kitAttrList, kitIndexList, waveAttrList,
                                   setupfiles::versionFromLabel(ui->version->text()), backFlag);
    return getClickAndWave(library().clickSetList.size(), waveAttrList.size());
}

bool MainWindow1::getClickAndWave(int nClick, int nWave)
{
    return setupfiles::fillWholeSetupSounds(cf, library().clickSetList.mid(0, nClick), clickWaveList,
                                            waveAttrList.mid(0, nWave), waveList, kitOrderList);
}

void MainWindow1::setKitIniFileChunk(int kit)
{
    if (kit < 0 || kit >= KIT_MAX_COUNT || kit >= kitAttrList.size())
        return;
    pointAtTables(this);
    setupfiles::fillSingleKit(cf, kit, kitAttrList.at(kit), waveAttrList);
    getWaveFromFile(waveAttrList.size());
}

bool MainWindow1::getWaveFromFile(int n)
{
    return setupfiles::fillKitFileSounds(cf, waveAttrList.mid(0, n), waveList);
}
