#ifndef TESTS_DEVICE_PADFIXTURE_H
#define TESTS_DEVICE_PADFIXTURE_H

// A folder laid out as the pad: 100 kit records, a current-layout global.ini,
// five CLICK sounds and the .wav/.prm pairs a test adds.

#include "device/padpaths.h"
#include "device/padrecovery.h"
#include "device/padsounds.h"
#include "device/pairbatch.h"
#include "device/waveprm.h"
#include "platform/tempnames.h"
#include "fakedrives.h"
#include "model/kitfile_fixture.h"
#include "support/switchdisk.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QTemporaryDir>

// One sound written to the pad as a batch of its own: staged, then committed.
inline waveprm::WaveWrite writeOneSound(audioconverter &conv, int waveNo, const QString &source, const QString &name,
                                        const PadTreePaths &tree, const ztplatform::FolderAnchor &padRoot,
                                        int *refusal = nullptr)
{
    pairbatch::AddBatch batch(padRoot, tree);
    const waveprm::WaveWrite staged = batch.stage(conv, waveNo, source, name, refusal);
    if (staged != waveprm::WaveWrite::Written)
        return staged;
    const QVector<pairbatch::Failure> failed = batch.commit();
    if (failed.isEmpty())
        return waveprm::WaveWrite::Written;
    if (refusal)
        *refusal = failed.first().error;
    return failed.first().error == 0 ? waveprm::WaveWrite::Blocked : waveprm::WaveWrite::Stopped;
}

struct PadFixture {
    QTemporaryDir dir;
    QString root, model, kitPath, sysPath, dataPath, prmPath;
    kf::KitStorage kits;
    mutable SwitchDisk disk; // what the fixture's reads and writes of the pad go through

    // Laid out in a temporary folder, or at `at` when given.
    explicit PadFixture(const QString &at = QString())
    {
        root = at.isEmpty() ? dir.path() : at;
        makePadTree(root);
        model = root + "/ZT350";
        kitPath = model + "/KIT";
        sysPath = model + "/SYS";
        dataPath = model + "/WAV_DATA";
        prmPath = model + "/WAV_PRM";
        writeGlobal();
        for (int i = 1; i <= 5; ++i)
            touchFile(sysPath + QString("/CLICK/click%1.wav").arg(i), kf::wavBytes(400, quint32(i)));
    }

    // The pad's root as it is now, reached through `disk`.
    ztplatform::FolderAnchor anchor() const { return ztplatform::FolderAnchor::record(root, &disk); }

    void writeGlobal()
    {
        percussionpadfile m;
        m.curFlag = 1;
        m.initFileChunk();
        QFile f(sysPath + "/global.ini");
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        m.writeGlobalChunk(&f);
    }

    // The 100 kit files from freshly filled kit storage, pad numbering
    // (number - 1).
    void writeKits(const QVector<quint16> &deviceWaves = {}, quint32 seed = 7)
    {
        kits.fill(deviceWaves, seed);
        saveKits();
    }

    // The 100 kit files from the kit storage as it is.
    void saveKits()
    {
        percussionpadfile m;
        kits.attach(m);
        for (int k = 0; k < KIT_MAX_COUNT; ++k) {
            uchar rec[KIT_RECORD_SIZE];
            m.packKitRecord(k, rec);
            kf::writeFile(kitPath + QString("/k%1.ini").arg(k + 1, 3, 10, QChar('0')),
                          QByteArray(reinterpret_cast<const char *>(rec), KIT_RECORD_SIZE));
        }
    }

    // Writes a record into WAV_PRM/folder/file and, unless audio is false,
    // a .wav of the same stem into WAV_DATA/folder.
    void writePair(const QString &folder, const QString &stem, quint16 waveNo, const QString &name, bool audio = true,
                   quint8 lock = 1)
    {
        QByteArray rec = waveprm::buildRecord(waveNo, name, 44 + 400);
        rec[42] = char(lock);
        touchFile(prmPath + "/" + folder + "/" + stem + ".prm", rec);
        if (audio)
            touchFile(dataPath + "/" + folder + "/" + stem + ".wav", kf::wavBytes(400, waveNo));
    }

    // Wave n where the number rule puts it.
    void addWave(int n, const QString &name = QString(), quint8 lock = 1)
    {
        writePair(padtree::threeDigits(padtree::waveFolderNumber(n)), padtree::threeDigits(padtree::waveFileNumber(n)),
                  quint16(n), name.isEmpty() ? QString("wave%1").arg(n) : name, true, lock);
    }

    static QVector<QString> numbered(const QString &base)
    {
        QVector<QString> list;
        for (int f = 1; f <= 100; ++f) {
            const QString path = base + "/" + padtree::threeDigits(f);
            if (QFileInfo(path).isDir())
                list << path;
        }
        return list;
    }
    QVector<QString> dataFolders() const { return numbered(dataPath); }
    QVector<QString> prmFolders() const { return numbered(prmPath); }
    // The pad's sounds as the load reads them, below its root as it is now.
    PadSounds readSounds(const EventPump &pump = EventPump()) const
    {
        return readPadSounds(anchor(), dataFolders(), prmFolders(), pump);
    }

    // The pad loaded again as the window loads it: what was cut short put
    // in order, then the sounds read.
    struct Loaded {
        PadRecovery recovery;
        PadSounds sounds;
        QStringList hidden; // hidden pair files still in the wave folders
        QString text() const { return recovery.messages.isEmpty() ? QString() : recovery.messages.first().text; }
    };
    // The pad's four folders.
    PadTreePaths tree() const
    {
        PadTreePaths t;
        t.sysPath = sysPath;
        t.dataPath = dataPath;
        t.prmPath = prmPath;
        t.kitPath = kitPath;
        return t;
    }

    Loaded loadAgain() const
    {
        const PadTreePaths tree = this->tree();
        Loaded l;
        if (!findPadLeftovers(tree, anchor()).isEmpty()) {
            l.recovery = recoverPad(tree, anchor());
            setRecordAside(tree, anchor(), l.recovery); // its box shown
        }
        l.sounds = readSounds();
        QDirIterator it(model, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            if (ztplatform::isTemporaryName(QFileInfo(it.next()).fileName()))
                l.hidden << it.filePath();
        }
        return l;
    }

    // True when every sound read is a whole pair: its record names the size
    // of the .wav beside it.
    bool pairsWhole(const PadSounds &sounds) const
    {
        for (const auto &s : sounds.waveLoadKitAttrList) {
            const QString wav = QDir::fromNativeSeparators(s.file);
            const QString prm = QString(wav).replace(dataPath, prmPath).replace(".wav", ".prm");
            if (kf::rd32(kf::readFile(prm), 38) != quint32(QFileInfo(wav).size()))
                return false;
        }
        return true;
    }

    // Every path below the root with a hash of its bytes.
    QStringList snapshot() const
    {
        QStringList out;
        QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString p = it.next();
            out << p + " " + QCryptographicHash::hash(kf::readFile(p), QCryptographicHash::Sha1).toHex();
        }
        out.sort();
        return out;
    }
};

#endif
