#ifndef ZT_KITFILE_LOSTSOUNDS_H
#define ZT_KITFILE_LOSTSOUNDS_H

// Sounds of a loaded kit file that a save over that file would lose: which
// they are, where their copies go, and the editor's sources moved to them.

#include "model/mainwindow1records.h"

#include <QHash>

#include <memory>

namespace ztplatform {
class Disk;
class FolderFence;
}

namespace setupfiles {

using Records = MainWindow1Records;

// The folder beside the sound list file where such copies are kept.
QString keptSoundsFolder(const QString &soundListFile);

struct LostSound
{
    QString source; // the stored sound's source
    QString name;   // the name it is used under (may be empty)
};

// The sounds stored in kitFile (reached by any path) that the library, a kit
// or one of `others` uses and that `held` (the sources the file's new content
// holds) does not name, each once, in that order of search; the file is
// looked at through `disk`.
QVector<LostSound> lostSounds(ztplatform::Disk &disk, const QString &kitFile, const QHash<QString, int> &held,
                              const QVector<Records::SOUND_INDEX> &library, const QVector<Records::soundKit> &kits,
                              const QVector<LostSound> &others);

// True when `file` is a regular file whose bytes are exactly the `length`
// bytes at `offset` of kitFile; one below the folder `fence` fenced is not read.
bool holdsStoredWave(const QString &file, const QString &kitFile, quint32 offset, quint32 length,
                     const std::shared_ptr<ztplatform::FolderFence> &fence);

// The library entries that repointing by `to` (old source -> new) would make
// a second entry of one sound: the library names the new source already, or
// an entry of another old source takes it first. Old source -> the wave
// number of the entry that stays.
QHash<QString, quint16> mergedSources(const QVector<Records::SOUND_INDEX> &library, const QHash<QString, QString> &to);
// Removes the library entries of the sources `merged` names.
void removeSources(QVector<Records::SOUND_INDEX> &library, const QHash<QString, quint16> &merged);

// Every source that `to` names takes its new source; a slot whose source
// `numbers` names takes that wave number too.
void repointSources(QVector<Records::soundKit> &kits, const QHash<QString, QString> &to,
                    const QHash<QString, quint16> &numbers = {});
void repointSources(QVector<Records::KIT_PAD_SETTING> &pads, const QHash<QString, QString> &to,
                    const QHash<QString, quint16> &numbers = {});
void repointSources(QVector<Records::SOUND_INDEX> &library, const QHash<QString, QString> &to);

} // namespace setupfiles

#endif
