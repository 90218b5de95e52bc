#ifndef BENCH_EDITORBENCH_H
#define BENCH_EDITORBENCH_H

// What the benchmarks that build the editor's window share: an offscreen
// application with the editor's resources, no removable drives and a scratch
// working folder for the sound list. A box the window shows while measured
// (a second window on one folder says its groups are in use) takes its
// default answer instead of waiting for a click.

#include "mainwindow1/startup.h"
#include "platform/removabledrives.h"
#include "resources/ztresources.h"
#include "widgets/dialogs/uiprompter.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

struct NoDrives : DriveSource
{
    QVector<DriveEntry> drives() const override { return {}; }
};

// What a benchmark's window is handed: its prompter, and `drives` (none: no
// removable drive).
inline WindowServices benchServices(UiPrompter *answers, const DriveSource *drives = nullptr)
{
    static const NoDrives none;
    return WindowServices(answers, PadSystem{drives ? drives : &none});
}

inline int runEditorBenchmarks(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ztInitResources();
    registerQueuedTypes();
    QTemporaryDir work; // the editor reads and writes its sound list here
    QDir::setCurrent(work.path());
    qputenv("XDG_DATA_HOME", QFile::encodeName(work.path() + "/data")); // the pads' backups too

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

#endif
