// The pad's kit record files and wave parameter records, rewritten in place.

#include "model/mainwindow1records.h"

#include "model/bytepack.h"
#include "model/kitrecordmap.h"
#include "platform/inplacefile.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <cstring>

using bytepack::put16;

namespace {

// Editor wave number to the pad's 0-based number; none stays none.
quint16 deviceWave(quint16 waveNo)
{
    return waveNo == NO_WAVE ? NO_WAVE : quint16(waveNo - 1);
}

quint32 sourceSize(const QString &path)
{
    if (path.isEmpty())
        return 0;
    return quint32(QFileInfo(path).size());
}

// Kit `k` as the pad stores it in slot `kitNo`: the pad's wave numbers, lengths
// from the sound files (hi-hat waves from cluster 0), no layer B on the foot
// switches, the foot switch control and the base's reserved bytes zero.
MainWindow1Records::soundKit deviceKit(MainWindow1Records::soundKit k, int kitNo)
{
    k.kit_no = quint8(kitNo);
    std::memset(k.reserved, 0, sizeof k.reserved);
    MainWindow1Records::PEDAL_SETTING &h = k.pedalChunk;
    const QString files[HH_NUM_MAX] = {h.hh_wave1_file, h.hh_wave2_file, h.hh_wave3_file, h.hh_wave4_file,
                                       h.hh_wave5_file};
    kitrecord::forEachHiHatWave(h, [&files](int i, quint16 &no, quint8 &, quint32 &cluster, quint32 &length,
                                            quint32 &start, quint32 &end) {
        no = deviceWave(no);
        cluster = 0;
        start = 0;
        length = end = sourceSize(files[i]);
    });
    for (int j = 0; j < PAD_NUM_MAX; ++j) {
        MainWindow1Records::KIT_PAD_SETTING &d = k.kpadChunk[j];
        d.aWaveNo = deviceWave(d.aWaveNo);
        d.bWaveNo = j < EXTEND_INPUT_NUM ? deviceWave(d.bWaveNo) : NO_WAVE;
        d.aWaveStart = 0;
        d.aWaveLength = d.aWaveEnd = sourceSize(d.soundFile0);
        d.bWaveStart = 0;
        d.bWaveLength = d.bWaveEnd = sourceSize(d.soundFile1);
        d.pad_fs_ctrl = 0;
    }
    return k;
}

// Reads the first `needed` bytes of the open file, lets `update` change them
// and writes them back in place, checked and synced; a failed write puts the
// old bytes back as far as the volume lets (InPlaceFile::restoreFailed).
template <typename Update>
bool patchOpenFile(InPlaceFile &mf, const char *fileName, qint64 needed, Update update)
{
    if (mf.size() < needed) {
        std::fprintf(stderr, "File is too short for the record (%lld of %lld bytes): %s\n",
                     static_cast<long long>(mf.size()), static_cast<long long>(needed), fileName);
        return false;
    }
    QByteArray view = mf.readAt(0, needed);
    if (view.size() != needed) {
        std::fprintf(stderr, "Failed to read the record: %s\n", fileName);
        return false;
    }
    if (!update(view.data()))
        return false;
    if (!mf.writeAt(0, view)) {
        std::fprintf(stderr, "Failed to write the record (%s): %s\n", qPrintable(mf.errorString()), fileName);
        return false;
    }
    return true;
}

// The same for the existing file at fileName; nothing is created, truncated or
// extended, and a link at the name is not followed.
template <typename Update>
bool patchInPlace(const char *fileName, qint64 needed, Update update)
{
    if (!fileName) {
        std::fprintf(stderr, "Failed to open file.\n");
        return false;
    }
    InPlaceFile mf;
    if (!mf.open(QFile::decodeName(fileName))) {
        std::fprintf(stderr, "Failed to open file.%s\n", fileName);
        return false;
    }
    return patchOpenFile(mf, fileName, needed, update);
}

bool validKitNumber(const QVector<MainWindow1Records::soundKit> &kitAttrList, int kitNo)
{
    if (kitNo >= 1 && kitNo <= KIT_MAX_COUNT && kitNo <= kitAttrList.size())
        return true;
    std::fprintf(stderr, "Kit number %d has no kit record.\n", kitNo);
    return false;
}

} // namespace

bool MainWindow1Records::updateKit(char *view, const QVector<soundKit> &kitAttrList, int kitNo)
{
    if (!view)
        return false;
    if (kitNo < 1 || kitNo > KIT_MAX_COUNT || kitNo > kitAttrList.size()) {
        std::fprintf(stderr, "Kit number %d has no kit record.\n", kitNo);
        return false;
    }
    const soundKit k = deviceKit(kitAttrList.at(kitNo - 1), kitNo);
    uchar rec[KIT_RECORD_SIZE];
    std::memset(rec, 0, sizeof rec); // pedal and pad reserved bytes stay zero
    str2CharArray(k.kit_name, reinterpret_cast<char *>(rec), KIT_NAME_FIELD);
    kitrecord::packKitBase(rec, k);
    kitrecord::packKitPedal(rec + KIT_BASE_SIZE, k.pedalChunk);
    for (int j = 0; j < PAD_NUM_MAX; ++j)
        kitrecord::packKitPad(rec + kitrecord::padOffset(j), k.kpadChunk[j]);
    std::memcpy(view, rec, KIT_RECORD_SIZE);
    return true;
}

void MainWindow1Records::updatePrm(char *view, quint16 waveNo)
{
    if (!view)
        return;
    put16(reinterpret_cast<uchar *>(view), waveNo);
}

bool MainWindow1Records::writeKitRecordInPlace(const char *fileName, const QVector<soundKit> &kitAttrList,
                                          int kitNo)
{
    if (!validKitNumber(kitAttrList, kitNo))
        return false;
    return patchInPlace(fileName, KIT_RECORD_SIZE,
                        [&](char *view) { return updateKit(view, kitAttrList, kitNo); });
}

bool MainWindow1Records::writePrmWaveInPlace(const char *fileName, quint16 waveNo)
{
    return patchInPlace(fileName, 2, [&](char *view) {
        updatePrm(view, waveNo);
        return true;
    });
}

