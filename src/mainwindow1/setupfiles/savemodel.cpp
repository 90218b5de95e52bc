// The output kit file model cf filled from the editor.
#include "mainwindow1/mainwindow1.h"
#include "ui_mainwindow1.h"

#include "setup/kitsin.h"
#include "setup/modelout.h"

#include <cstring>

namespace {

void pointAtTables(MainWindow1 *w)
{
    percussionpadfile &m = w->cf;
    m.kitChunk.baseChunk = w->base0;
    m.kitChunk.pedalChunk = w->pedal0;
    m.kitChunk.kpadChunk = w->pad0;
    m.soundChunk.soundIndex = w->sound0.data();
    m.kitChunk.skit = percussionpadfile::str2int(QStringLiteral("SKIT"));
    m.soundChunk.soun = percussionpadfile::str2int(QStringLiteral("SOUN"));
}

} // namespace

bool MainWindow1::setAllFileChunk()
{
    pointAtTables(this);
    cf.identityChunk.version = setupfiles::versionFromLabel(ui->version->text());
    if (backFlag)
        std::memcpy(cf.identityChunk.reserved + 2, "BACK", 4);
    cf.wn1Chunk.wave1 = percussionpadfile::str2int(QStringLiteral("WAV1"));
    cf.wn2Chunk.wave2 = percussionpadfile::str2int(QStringLiteral("WAV2"));
    cf.kitChunk.kit_count = KIT_MAX_COUNT;
    std::memset(cf.kitChunk.reserved, 0, sizeof cf.kitChunk.reserved);

    const QHash<QString, int> byFile = setupfiles::lastByFile(waveAttrList);
    for (int k = 0; k < KIT_MAX_COUNT && k < kitAttrList.size(); ++k) {
        setupfiles::resolveSavedWaves(kitAttrList[k], waveAttrList, byFile, true);
        setupfiles::packKit(cf, k, kitAttrList.at(k), true, k < kitIndexList.size() ? kitIndexList.at(k) : 0);
    }
    return getClickAndWave(clickSetList.size(), waveAttrList.size());
}

bool MainWindow1::getClickAndWave(int nClick, int nWave)
{
    return setupfiles::fillWholeSetupSounds(cf, clickSetList.mid(0, nClick), clickWaveList,
                                            waveAttrList.mid(0, nWave), waveList, kitOrderList);
}

void MainWindow1::setKitIniFileChunk(int kit)
{
    if (kit < 0 || kit >= KIT_MAX_COUNT || kit >= kitAttrList.size())
        return;
    pointAtTables(this);
    cf.kitChunk.kit_count = 1;
    setupfiles::resolveSavedWaves(kitAttrList[kit], waveAttrList, setupfiles::lastByFile(waveAttrList), false);
    setupfiles::packKit(cf, kit, kitAttrList.at(kit), false);
    getWaveFromFile(waveAttrList.size());
}

bool MainWindow1::getWaveFromFile(int n)
{
    return setupfiles::fillKitFileSounds(cf, waveAttrList.mid(0, n), waveList);
}
