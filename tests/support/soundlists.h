#ifndef TESTS_SUPPORT_SOUNDLISTS_H
#define TESTS_SUPPORT_SOUNDLISTS_H

// The groups' file laid out and read back in the form the editor writes, as
// another program (or an earlier run) leaves it: replaced whole.

#include "platform/disk.h"
#include "model/soundfilexml.h"

#include <QSaveFile>
#include <QString>
#include <QVector>

namespace soundlists {

using Groups = QVector<soundfilexml::strSoundGroup>;

inline bool write(const QString &path, const Groups &groups)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(soundfilexml::toBytes(groups)) >= 0 && file.commit();
}

// Appends the file's groups; false when it is not read whole.
inline bool read(const QString &path, Groups &groups)
{
    return soundfilexml::readSoundList(ztplatform::systemDisk(), path, groups).status == soundfilexml::ReadResult::Read;
}

} // namespace soundlists

#endif
