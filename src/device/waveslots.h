#ifndef ZT_DEVICE_WAVESLOTS_H
#define ZT_DEVICE_WAVESLOTS_H

// The numbers a sound added to the pad may take.

#include "platform/anchoredfolder.h"

#include <QHash>
#include <QSet>
#include <QString>

// A number is free when no listed sound has it and nothing stands at its
// place on the pad: no .wav or .prm, no other entry the pad's reader would
// take for that number, no link, and no linked or plain-file numbered folder.
// Pairs the load left out or skipped therefore keep their numbers. Each
// numbered folder is listed once, when a number in it is first asked about,
// reached below the pad's root (nothing is taken on the pad without one).
class WaveSlots
{
public:
    WaveSlots(const ztplatform::FolderAnchor &root, const QString &dataPath, const QString &prmPath,
              const QSet<int> &listed);

    // The first free number above `after`. Numbers above 9999 are returned
    // as they come: the pad has no place for them and the writer refuses them.
    int nextFree(int after);
    bool isFree(int number);

private:
    const QSet<int> &takenIn(int folder);

    ztplatform::FolderAnchor m_root;
    QString m_dataPath;
    QString m_prmPath;
    QSet<int> m_listed;
    QHash<int, QSet<int>> m_takenByFolder; // file numbers 1 ... 100 of each folder looked at
};

#endif
