#ifndef ZT_SETUP_LOSTSOUNDS_H
#define ZT_SETUP_LOSTSOUNDS_H

// Sounds of a loaded kit file that a save over that file would lose: which
// they are, where their copies go, and the editor's sources moved to them.

#include "model/mainwindow1records.h"

#include <QHash>

namespace setupfiles {

using Records = MainWindow1Records;

// The folder beside the sound list file where such copies are kept.
QString keptSoundsFolder(const QString &soundListFile);

struct LostSound
{
    QString source; // the stored sound's source
    QString name;   // the name it is used under (may be empty)
};

// The sounds stored in kitFile that the library, a kit or one of `others`
// uses and that `held` (the sources the file's new content holds) does not
// name, each once, in that order of search.
QVector<LostSound> lostSounds(const QString &kitFile, const QHash<QString, int> &held,
                              const QVector<Records::SOUND_INDEX> &library, const QVector<Records::soundKit> &kits,
                              const QVector<LostSound> &others);

// Every source that `to` names takes its new source.
void repointSources(QVector<Records::soundKit> &kits, const QHash<QString, QString> &to);
void repointSources(QVector<Records::KIT_PAD_SETTING> &pads, const QHash<QString, QString> &to);
void repointSources(QVector<Records::SOUND_INDEX> &library, const QHash<QString, QString> &to);

} // namespace setupfiles

#endif
