#ifndef ZT_BENCH_BENCHPAD_H
#define ZT_BENCH_BENCHPAD_H

// A folder laid out as the pad for the benchmarks of the pad side.

#include "device/padidentity.h"
#include "device/padkits.h"
#include "device/padpaths.h"
#include "device/padsounds.h"
#include "device/waveprm.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <map>
#include <memory>

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

// A pad tree with sounds 1 ... count (each .wav of `wavSize` bytes), 100
// kits using some of them, a current-layout global.ini and five metronome
// sounds.
struct Pad {
    QTemporaryDir dir;
    QString root, kitPath, sysPath, dataPath, prmPath;
    bool ok = false;

    explicit Pad(int count, int wavSize = 60)
    {
        if (!dir.isValid())
            return;
        root = dir.path() + "/";
        const QString model = dir.path() + "/ZT350";
        kitPath = model + "/KIT";
        sysPath = model + "/SYS";
        dataPath = model + "/WAV_DATA";
        prmPath = model + "/WAV_PRM";
        QDir().mkpath(sysPath);
        for (int i = 1; i <= 5; ++i)
            writeFile(sysPath + QString("/CLICK/click%1.wav").arg(i), QByteArray(8000, '\0'));
        percussionpadfile global;
        global.curFlag = 1;
        global.initFileChunk();
        QFile g(sysPath + "/global.ini");
        if (!g.open(QIODevice::WriteOnly))
            return;
        global.writeGlobalChunk(&g);
        g.close();
        for (int n = 1; n <= count; ++n) {
            writeFile(dataPath + "/" + padtree::waveDataRelativePath(n), QByteArray(wavSize, '\0'));
            writeFile(prmPath + "/" + padtree::wavePrmRelativePath(n),
                      waveprm::buildRecord(quint16(n), QString("sound%1").arg(n), quint32(wavSize)));
        }
        QByteArray kit(KIT_RECORD_SIZE, '\0');
        for (int k = 1; k <= KIT_MAX_COUNT; ++k) {
            kit.replace(0, 14, QString("KIT%1").arg(k).toLatin1().leftJustified(13, '\0') + char(k));
            for (int p = 0; p < PAD_NUM_MAX; ++p) {
                const quint16 wave = quint16((k * PAD_NUM_MAX + p) % count);
                kit[182 + 95 * p] = char(wave & 0xFF);
                kit[183 + 95 * p] = char(wave >> 8);
            }
            writeFile(kitPath + QString("/k%1.ini").arg(padtree::threeDigits(k)), kit);
        }
        ok = true;
    }

    // The pad's four folders.
    PadTreePaths tree() const
    {
        PadTreePaths t;
        t.kitPath = kitPath;
        t.sysPath = sysPath;
        t.dataPath = dataPath;
        t.prmPath = prmPath;
        return t;
    }

    // The root as the session holds it: each write below it judged by a
    // guard on the pad's identity as read now.
    ztplatform::FolderAnchor guardedRoot() const
    {
        PadPlaces places{root, sysPath + "/CLICK", sysPath + "/global.ini", {}};
        for (int k = 1; k <= KIT_MAX_COUNT; ++k)
            places.kitFiles << kitPath + QString("/k%1.ini").arg(padtree::threeDigits(k));
        ztplatform::FolderAnchor anchor = ztplatform::FolderAnchor::record(root);
        anchor.setCheck(std::make_shared<PadGuard>(places, readPadIdentity(places, true)));
        return anchor;
    }

    QVector<QString> folders(const QString &base) const
    {
        QVector<QString> list;
        for (const padtree::FolderEntry &e : padtree::listEntries(ztplatform::systemDisk(), base, true))
            list << e.path;
        return list;
    }

    PadKits load() const
    {
        const PadSounds sounds =
                readPadSounds(ztplatform::FolderAnchor::record(root), folders(dataPath), folders(prmPath));
        return readPadKits(kitPath, sounds.waveAttrList, nullptr);
    }
};


// The pad of `count` sounds, laid out once per run.
inline Pad &pad(int count)
{
    static std::map<int, std::unique_ptr<Pad>> pads;
    auto &p = pads[count];
    if (!p)
        p.reset(new Pad(count));
    return *p;
}

#endif
