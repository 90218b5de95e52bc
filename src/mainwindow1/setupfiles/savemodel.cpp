// The output kit file model cf filled from the editor.
#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "setup/modelout.h"

namespace {

void pointAtTables(MainWindow1 *w)
{
    percussionpadfile &m = w->doc().cf;
    m.kitChunk.baseChunk = w->doc().base0;
    m.kitChunk.pedalChunk = w->doc().pedal0;
    m.kitChunk.kpadChunk = w->doc().pad0;
    m.soundChunk.soundIndex = w->sound0.data();
}

} // namespace

bool MainWindow1::setAllFileChunk()
{
    pointAtTables(this);
    setupfiles::fillWholeSetupKits(doc().cf, doc().kitAttrList, doc().kitIndexList, waveAttrList,
                                   setupfiles::versionFromLabel(ui->version->text()), backFlag);
    return getClickAndWave(clickSetList.size(), waveAttrList.size());
}

bool MainWindow1::getClickAndWave(int nClick, int nWave)
{
    return setupfiles::fillWholeSetupSounds(doc().cf, clickSetList.mid(0, nClick), clickWaveList,
                                            waveAttrList.mid(0, nWave), waveList, kitOrderList);
}

void MainWindow1::setKitIniFileChunk(int kit)
{
    if (kit < 0 || kit >= KIT_MAX_COUNT || kit >= doc().kitAttrList.size())
        return;
    pointAtTables(this);
    setupfiles::fillSingleKit(doc().cf, kit, doc().kitAttrList.at(kit), waveAttrList);
    getWaveFromFile(waveAttrList.size());
}

bool MainWindow1::getWaveFromFile(int n)
{
    return setupfiles::fillKitFileSounds(doc().cf, waveAttrList.mid(0, n), waveList);
}
