// Opening a groups' file of 9,999 rows that name sounds of 100 kit files, its
// rows carrying the digests of their bytes (as a save wrote them), against
// the same file without digests, in each iteration. Reported: milliseconds of
// each and the "ratio" with / without (medians). Goal: at most 1.10.

#include "benchsupport.h"
#include "library/groupentries.h"
#include "library/soundlibrary.h"
#include "model/kitfile_fixture.h"
#include "model/soundfilexml.h"
#include "kitfile/soundsource.h"
#include "support/soundlists.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kKits = 100;
constexpr int kSoundsPerKit = 100;
constexpr int kRows = 9999;

struct GroupFiles
{
    QTemporaryDir dir;
    QString plain;   // rows with name and length
    QString digests; // the same rows with the digests of their bytes
};

std::unique_ptr<GroupFiles> makeFiles()
{
    auto files = std::make_unique<GroupFiles>();
    QVector<kf::TestSound> sounds;
    QStringList digests;
    for (int s = 0; s < kSoundsPerKit; ++s) {
        const QString wav = files->dir.filePath(QStringLiteral("s%1.wav").arg(s));
        const QByteArray bytes = kf::wavBytes(256 + 4 * s, quint32(s + 1));
        kf::writeFile(wav, bytes);
        sounds.append({QStringLiteral("Sound %1").arg(s), quint16(s + 1), wav, 0, quint32(bytes.size()), 1});
        digests << QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
    }
    QVector<soundfilexml::strSoundGroup> plain(kKits), withDigests(kKits);
    for (int k = 0; k < kKits; ++k) {
        const QString kit = files->dir.filePath(QStringLiteral("K%1.INI").arg(k + 1, 3, 10, QLatin1Char('0')));
        auto model = std::make_unique<percussionpadfile>();
        kf::KitStorage storage;
        kf::writeSingleKit(*model, storage, k % KIT_MAX_COUNT, sounds, kit);
        const QString seen = groupentries::stampText(ztplatform::fileStamp(ztplatform::systemDisk(), kit));
        plain[k].name = withDigests[k].name = QStringLiteral("Group %1").arg(k);
        for (int s = 0; s < kSoundsPerKit && k * kSoundsPerKit + s < kRows; ++s) {
            soundfilexml::strSoundItem row;
            row.name = sounds.at(s).name;
            row.file = setupfiles::storedSource(kit, s);
            row.entryName = sounds.at(s).name;
            row.entryLength = QString::number(sounds.at(s).length);
            plain[k].soundList.append(row);
            row.entryDigest = digests.at(s);
            row.entrySeen = seen;
            withDigests[k].soundList.append(row);
        }
    }
    files->plain = files->dir.filePath(QStringLiteral("plain.xml"));
    files->digests = files->dir.filePath(QStringLiteral("digests.xml"));
    soundlists::write(files->plain, plain);
    soundlists::write(files->digests, withDigests);
    return files;
}

qint64 open(const QString &file)
{
    QElapsedTimer t;
    t.start();
    SoundLibrary lib;
    const SoundLibrary::SoundListStart start = lib.openSoundList(file);
    benchmark::DoNotOptimize(start.unmatched.size());
    const qint64 ns = t.nsecsElapsed();
    if (lib.soundGroupList().size() != kKits || !start.unmatched.isEmpty() || !start.fromKept.isEmpty())
        qFatal("the groups did not open as written");
    return ns;
}

void BM_OpenGroupsWithDigests(benchmark::State &state)
{
    const std::unique_ptr<GroupFiles> files = makeFiles();
    open(files->plain); // the kit files in the page cache for both
    std::vector<qint64> plainNs, digestNs;
    for (auto _ : state) {
        plainNs.push_back(open(files->plain));
        digestNs.push_back(open(files->digests));
    }
    reportMedianRatio(state, "without_ms", plainNs, "with_ms", digestNs);
}

} // namespace

BENCHMARK(BM_OpenGroupsWithDigests)->Unit(benchmark::kMillisecond)->Iterations(15)->UseRealTime();

int main(int argc, char **argv)
{
    return runQtBenchmarks(argc, argv);
}
