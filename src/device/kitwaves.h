#ifndef ZT_DEVICE_KITWAVES_H
#define ZT_DEVICE_KITWAVES_H

// The sound list by file path, and a kit's sound slots brought in line with it
// before the kit is written to the pad.

#include "model/mainwindow1records.h"

#include <QHash>
#include <QSet>
#include <QString>

class WaveFileIndex {
public:
    // One row of the total sound list: shown number, name and file. A later
    // row of the same file replaces an earlier one.
    void add(const QString &file, int number, const QString &name);
    void reserve(int rows) { m_byFile.reserve(rows); }
    int size() const { return m_byFile.size(); }

    // True when the file (exact text) is in the list.
    bool find(const QString &file, quint16 *number, QString *name) const;

private:
    struct Entry {
        quint16 number;
        QString name;
    };
    QHash<QString, Entry> m_byFile;
};

// Every pad layer (both layers of all 19 pads) and hi-hat slot of the kit
// whose file is in the index takes that row's number and name; other slots
// keep theirs. Returns the number of slots that matched.
//
// With `loaded` (the kit as read from the pad, numbers as the pad stores
// them) a slot whose file is in no row keeps the pad's own number when it
// still holds the file and number it was loaded with, and names no sound
// otherwise: a number kept from elsewhere would name another sound.
int refreshKitWaves(MainWindow1Records::soundKit &kit, const WaveFileIndex &index,
                    const MainWindow1Records::soundKit *loaded = nullptr);

// Adds the files named by the pad layers and hi-hat slots of the kit.
void addKitSoundFiles(const MainWindow1Records::soundKit &kit, QSet<QString> &files);

#endif
