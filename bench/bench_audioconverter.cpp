// Conversion through audioconverter against running the same ffmpeg command
// directly, on the same 50 short files in the same run. The "ratio" counter is
// converter time / direct time; the converter's own work (temporary folder,
// header, copy) should keep it at most 1.05 ("goal"). The first benchmark
// converts into the outputs of its round before, each replaced whole (synced,
// renamed, its folder synced) from the second round on; the second converts
// as an import does, its earlier output removed first.

#include "benchsupport.h"
#include "model/audioconverter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kFileCount = 50;

struct Inputs {
    QTemporaryDir dir;
    QStringList files;
    QString ffmpeg;
    bool ok = false;

    Inputs()
    {
        ffmpeg = audioconverter::defaultProgram();
        if (!dir.isValid())
            return;
        for (int i = 0; i < kFileCount; ++i) {
            const QString out = dir.filePath(QString("in%1.wav").arg(i));
            QProcess p;
            p.start(ffmpeg, {"-hide_banner", "-loglevel", "error", "-f", "lavfi", "-i",
                             QString("sine=frequency=%1:sample_rate=44100:duration=0.5").arg(220 + 10 * i),
                             "-ac", "1", "-c:a", "pcm_s16le", "-y", out});
            if (!p.waitForFinished(60000) || p.exitCode() != 0)
                return;
            files << out;
        }
        ok = true;
    }
};

Inputs &inputs()
{
    static Inputs in;
    return in;
}

qint64 runDirect(const QString &ffmpeg, const QString &in, const QString &out)
{
    QElapsedTimer t;
    t.start();
    QProcess p;
    p.start(ffmpeg, {"-i", in, "-ar", "48000", "-ac", "2", "-f", "s16le", "-y", out});
    p.waitForFinished(-1);
    p.readAllStandardError();
    return t.nsecsElapsed();
}

qint64 runConverter(audioconverter &conv, const QString &in, const QString &out, bool asImport)
{
    QElapsedTimer t;
    t.start();
    if (asImport)
        conv.removeEarlierOutput(in, out);
    QString mesg;
    conv.audioConverterRun(in, out, mesg);
    return t.nsecsElapsed();
}

void converterVsDirect(benchmark::State &state, bool asImport)
{
    Inputs &in = inputs();
    QTemporaryDir outDir;
    if (!in.ok || !outDir.isValid()) {
        state.SkipWithError("cannot prepare input files with ffmpeg");
        return;
    }
    audioconverter conv;
    qint64 direct = 0, converter = 0;
    for (auto _ : state) {
        // Interleaved so that drift of the machine hits both sides alike.
        for (int i = 0; i < in.files.size(); ++i) {
            const QString &file = in.files[i];
            direct += runDirect(in.ffmpeg, file, outDir.filePath(QString("d%1.raw").arg(i)));
            converter += runConverter(conv, file, outDir.filePath(QString("c%1.wav").arg(i)), asImport);
        }
    }
    const double files = double(state.iterations()) * in.files.size();
    state.counters["direct_ms_per_file"] = double(direct) / files / 1e6;
    state.counters["converter_ms_per_file"] = double(converter) / files / 1e6;
    state.counters["ratio"] = direct > 0 ? double(converter) / double(direct) : 0.0;
    state.counters["overhead_pct"] = direct > 0 ? 100.0 * (double(converter) - double(direct)) / double(direct) : 0.0;
    state.counters["goal"] = 1.05;
}

void BM_ConverterVsDirectFfmpeg(benchmark::State &state)
{
    converterVsDirect(state, false);
}
BENCHMARK(BM_ConverterVsDirectFfmpeg)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_ImportConversionVsDirectFfmpeg(benchmark::State &state)
{
    converterVsDirect(state, true);
}
BENCHMARK(BM_ImportConversionVsDirectFfmpeg)->Iterations(3)->Unit(benchmark::kMillisecond);

// The converter's own work around a trivial stand-in for ffmpeg that writes one
// second of samples: temporary folder, header and copy.
void BM_HeaderAndCopyOnly(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString fake = dir.filePath("ffmpeg");
    QFile f(fake);
    if (!dir.isValid() || !f.open(QIODevice::WriteOnly)) {
        state.SkipWithError("cannot create stand-in");
        return;
    }
    f.write("#!/bin/sh\nfor last; do :; done\nhead -c 192000 /dev/zero > \"$last\"\n");
    f.close();
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    audioconverter conv;
    conv.setProgram(fake);
    const QString out = dir.filePath("out.wav");
    for (auto _ : state) {
        QString mesg;
        conv.audioConverterRun(QStringLiteral("in.wav"), out, mesg);
        benchmark::DoNotOptimize(mesg);
    }
}
BENCHMARK(BM_HeaderAndCopyOnly)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runQtBenchmarks(argc, argv);
}
