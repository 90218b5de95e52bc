#ifndef ZT_MAINWINDOW1_WINDOWSERVICES_H
#define ZT_MAINWINDOW1_WINDOWSERVICES_H

#include "device/padsystem.h"
#include "model/audioconverter.h"
#include "platform/disk.h"
#include "platform/leftovers.h"
#include "platform/regularfile.h"
#include "platform/silentfiles.h"

#include <QString>

#include <memory>

class UiPrompter;

// What the window is handed at construction and hands on to the areas that
// use it. The window owns none of it; each outlives the window.
struct WindowServices
{
    explicit WindowServices(UiPrompter *answers, const PadSystem &padSystem = PadSystem(),
                            ztplatform::Disk *files = nullptr)
        : prompter(answers)
        , pad(padSystem)
        , disk(files ? files : &ztplatform::systemDisk())
        , fence(std::make_shared<ztplatform::FolderFence>(*disk))
    {
    }

    UiPrompter *prompter;               // every message box, file dialog and drag
    audioconverter::Limits conversion;  // the bounds of every ffmpeg run
    QString clickFolder;                // the default metronome sounds; empty: the installed ones
    PadSystem pad;                      // the drives, the pad's volume, its dismount and backups
    ztplatform::Disk *disk;             // every file the window and its work read and write (the system's when none is given)
    // The folders swept of temporaries an earlier editor left, shared by every
    // file the window and its work replace; the editor starts as this is made.
    std::shared_ptr<ztplatform::Leftovers> leftovers = std::make_shared<ztplatform::Leftovers>();
    // The pad's folder once fenced or watched, for every read of a file by its
    // name; its reads go through `disk`.
    std::shared_ptr<ztplatform::FolderFence> fence;
    // The files whose looks were given up on, shared by every look of the
    // window's work and by each look's thread while it runs.
    std::shared_ptr<ztplatform::SilentFiles> silent = std::make_shared<ztplatform::SilentFiles>();
};

#endif
