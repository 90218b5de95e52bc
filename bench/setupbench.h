#ifndef BENCH_SETUPBENCH_H
#define BENCH_SETUPBENCH_H

// A whole setup for the setup files' benchmarks.

#include "kitfile/fileread.h"
#include "kitfile/filewrite.h"

#include <QFile>

#include <cstring>
#include <memory>

// Five metronome sounds and `sounds` waves of `bytes` bytes each, all copied
// from one wave file beside it; the 100 kits use the waves all over.
inline bool writeBenchSetup(const QString &path, int sounds, int bytes)
{
    using Model = percussionpadfile;
    const QString wave = path + QStringLiteral(".wav");
    QByteArray data(bytes, '\x11');
    std::memcpy(data.data(), "RIFF", 4);
    QFile w(wave);
    if (!w.open(QIODevice::WriteOnly) || w.write(data) != data.size())
        return false;
    w.close();

    auto m = std::make_unique<Model>();
    setupfiles::KitTables tables;
    m->curFlag = 0;
    m->initFileChunk();
    tables.attach(*m);
    m->kitChunk.skit = Model::str2int(QStringLiteral("SKIT"));
    m->kitChunk.kit_count = KIT_MAX_COUNT;
    for (int k = 0; k < KIT_MAX_COUNT; ++k) {
        tables.base[size_t(k)].kit_no = quint8(k);
        Model::str2CharArray(QStringLiteral("K%1").arg(k), tables.base[size_t(k)].kit_name, KIT_NAME_FIELD);
        for (int p = 0; p < PAD_NUM_MAX; ++p) {
            tables.pad[k][p].aWaveNo = quint16((k * 43 + 2 * p) * 7919 % sounds);
            tables.pad[k][p].bWaveNo = quint16((k * 43 + 2 * p + 1) * 7919 % sounds);
        }
        tables.pedal[size_t(k)].hh_wave1_no = quint16(k % sounds);
    }
    QVector<quint16> order;
    for (int i = 0; i < sounds + 5; ++i) {
        Model::P_SOUND_INDEX &e = m->soundChunk.soundIndex[i];
        Model::str2CharArray(QStringLiteral("S%1").arg(i), e.wave_name, SOUND_NAME_LENGTH_MAX);
        e.wave_No = quint16(i < 5 ? 10000 + i : i - 5);
        e.wave_lock = 1;
        e.wave_length = quint32(bytes);
        e.fileName = wave;
        if (i >= 5)
            order.append(e.wave_No);
    }
    m->soundChunk.soundCount = quint16(sounds + 5);
    QFile out(path);
    return m->setWaveNodeLists(order, order) && m->calculateChunkSize()
           && out.open(QIODevice::WriteOnly | QIODevice::Truncate) && setupfiles::writeKitFile(*m, out);
}

#endif
