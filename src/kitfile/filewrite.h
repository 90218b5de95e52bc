#ifndef ZT_KITFILE_FILEWRITE_H
#define ZT_KITFILE_FILEWRITE_H

// Writing a laid-out kit file, and the targets of a kit save.

#include "model/percussionpadfile1.h"

#include <QString>
#include <QVector>

#include <functional>
#include <memory>
#include <vector>

namespace ztplatform {
class FolderFence;
}

class QFile;

namespace setupfiles {

// A copy of a laid-out model with its own kit and sound tables, so that it
// is written on another thread whatever happens to the model it was taken
// from. A table the model refers to outside itself holds KIT_MAX_COUNT kits,
// WAVE_MAX_COUNT1 sounds, as the document's do.
class OwnedModel
{
public:
    explicit OwnedModel(const percussionpadfile &m);
    percussionpadfile &model() { return m_model; }

private:
    using PadRow = percussionpadfile::P_KIT_PAD_SETTING[PAD_NUM_MAX];
    percussionpadfile m_model;
    std::vector<percussionpadfile::P_KIT_BASE_PARA> m_base;
    std::vector<percussionpadfile::P_PEDAL_SETTING> m_pedal;
    std::unique_ptr<PadRow[]> m_pads;
};

// The size of the file the model is laid out for: where its sound chunk ends.
quint64 laidOutSize(const percussionpadfile &m);

// Writes the laid-out model into the open, empty file: a whole setup, or kit
// `kit` of the tables when its curFlag is 2. Every chunk's write is checked and
// flushed, and the file must reach the laid-out size; it is closed either
// way (its replacement syncs it). False when anything failed; when writing
// the file failed, *unwritten (when given) gets the system's reason (a sound
// whose data cannot be read leaves it empty). Sound bytes of the files in
// `held` (path -> open descriptor) are read through those descriptors.
bool writeKitFile(percussionpadfile &m, QFile &file, int kit = 0, QString *unwritten = nullptr,
                  const QHash<QString, int> *held = nullptr);

// One chosen kit of a single-kit save.
struct KitTarget
{
    int kit = 0;            // 1..100
    QString target;         // folder / kit name ".INI"
    QString replaces;       // what the new file is renamed over: the target, or the file a link there names
    bool usable = true;     // the kit name can be a file name
    bool write = true;      // false when the user kept the existing file
    bool temporary = false; // an existing file is replaced
};

// True when something other than a regular file stands at path: a folder, a
// named pipe, a device or a dangling link, none of which a save may open; so
// is a file below the folder `fence` fenced.
bool occupiedByNonFile(const QString &path, const std::shared_ptr<ztplatform::FolderFence> &fence);

// The targets of a single-kit save, in the order of `kits` (1..100): folder /
// kit name ".INI". A kit whose file name an earlier kit of this save took
// (letter case ignored, as on the pad's FAT storage) gets name "~n.INI", n
// the first number no earlier kit of this save took, so a repeated save
// meets the same names again. Nothing is asked here: a file already there
// gets the overwrite question like any other target.
QVector<KitTarget> kitTargets(const QString &folder, const QVector<int> &kits, const QVector<QString> &names);

// What a kit save's plan needs of the disk for one target, looked at once
// beforehand (lookAtTargets), so that nothing is looked at while asking.
struct TargetLook
{
    bool nonFile = false;        // occupiedByNonFile
    bool isFile = false;         // a regular file stands there, a link followed
    bool readOnly = false;       // that file is read-only by its mode, or to this user
    QString through;             // the file a save onto it replaces (the target when no file is there)
    bool readOnlyVolume = false; // the folder of `through` is on a read-only file system
    QString entry;               // the target's directory entry, its folder resolved, letter case ignored
    QString throughEntry;        // the same of `through`
};

// The looks of each target of `plan`, in order (of an unusable one only its
// entry); `through` gives the file a save onto an existing target replaces
// (the target itself when not given). `moved` (when given) is called after
// each target.
QVector<TargetLook> lookAtTargets(const QVector<KitTarget> &plan,
                                  const std::function<QString(const QString &target)> &through,
                                  const std::function<void()> &moved = {},
                                  const std::shared_ptr<ztplatform::FolderFence> &fence = nullptr);

// The first usable target whose look found something other than a file
// (occupiedByNonFile); empty when none.
QString nonFileTarget(const QVector<KitTarget> &plan, const QVector<TargetLook> &looks);

// `overwrite` is asked, with its look, for each usable target that the
// looks found a file; no means that kit is not written, yes that it replaces
// that file. That file is the look's `through`: a link may be written through
// to the file it names, unless another target of this save names that file
// too or another link of this save reaches it first: then the link itself is
// replaced, so no kit of the save overwrites another. Nothing is looked at.
void askOverwrites(QVector<KitTarget> &plan, const QVector<TargetLook> &looks,
                   const std::function<bool(const QString &target, const TargetLook &look)> &overwrite);

} // namespace setupfiles

#endif
