#ifndef ZT_KITFILE_FILEREAD_H
#define ZT_KITFILE_FILEREAD_H

// Reading a whole setup or a single-kit file into a scratch model and scratch
// kit tables, with every check made before the editor changes anything.
// A file below the folder `fence` fenced (none: nothing fenced) is not read.

#include "model/mainwindow1records.h"
#include "kitfile/setuperrors.h"

#include <functional>
#include <memory>
#include <vector>

namespace ztplatform {
class FolderFence;
}

class QFile;

namespace setupfiles {

using PadRow = percussionpadfile::P_KIT_PAD_SETTING[PAD_NUM_MAX];

// Kit records of 100 kits, the storage a kit file model reads into.
struct KitTables
{
    std::vector<percussionpadfile::P_KIT_BASE_PARA> base;
    std::vector<percussionpadfile::P_PEDAL_SETTING> pedal;
    std::unique_ptr<PadRow[]> pad;

    KitTables();
    void attach(percussionpadfile &model);
};

// Reads a whole setup into rec (file, flag 0, waveCount, fileTotalLength and
// the model with its sounds' sources) and the kit records into tables.
// Refused: above 4 GiB, not openable, an unreadable index, global or kit
// chunk, a kit count other than 100, a sound table that is missing or names
// more entries than the file or the table holds, and the sounds
// takeWholeSetupSounds refuses. globalSize and loadClickFlag are set only on
// success. `moved` (when given) is called as the reads move on.
LoadError readWholeSetupFile(const QString &path, MainWindow1Records::READ_KIT_FILE &rec, KitTables &tables,
                             int *globalSize = nullptr, bool *loadClickFlag = nullptr,
                             const std::function<void()> &moved = {},
                             const std::shared_ptr<ztplatform::FolderFence> &fence = nullptr);

// The kit number the single-kit file open for reading stores: 1..255 (0
// reads as 1), 0xFF for a file of an old layout.
quint8 kitNumberOf(QFile &file);

// Reads a single-kit file into rec (flag 2, kitIndex = its kit number 1..100)
// and its kit record into element kitIndex - 1 of tables. Refused besides the
// whole setup's reasons: an old layout, a kit number above 100, a sound whose
// bytes lie outside the file or do not begin with "RIFF". `moved` (when
// given) is called after each read from the file.
LoadError readKitFile(const QString &path, MainWindow1Records::READ_KIT_FILE &rec, KitTables &tables,
                      const std::shared_ptr<ztplatform::FolderFence> &fence = nullptr,
                      const std::function<void()> &moved = {});

// True when the file at path passes every check the import of a whole setup
// (or of a single-kit file) makes, brand mark included.
bool readsBack(const QString &path, bool wholeSetup, const std::shared_ptr<ztplatform::FolderFence> &fence = nullptr);

} // namespace setupfiles

#endif
