#include "device/kitwaves.h"

#include "kitfile/kitslots.h"

void WaveFileIndex::add(const QString &file, int number, const QString &name)
{
    m_byFile.insert(file, Entry{quint16(number), name});
}

bool WaveFileIndex::find(const QString &file, quint16 *number, QString *name) const
{
    const auto it = m_byFile.constFind(file);
    if (it == m_byFile.constEnd())
        return false;
    *number = it->number;
    *name = it->name;
    return true;
}

int refreshKitWaves(MainWindow1Records::soundKit &kit, const WaveFileIndex &index,
                    const MainWindow1Records::soundKit *loaded)
{
    constexpr int kSlots = HH_NUM_MAX + 2 * PAD_NUM_MAX;
    struct Loaded {
        QString file;
        quint16 number = NO_WAVE;
    };
    Loaded atLoad[kSlots];
    int i = 0;
    if (loaded)
        setupfiles::forEachSoundSlot(*loaded, [&](auto s) { atLoad[i++] = Loaded{s.file, s.no}; });

    int matched = 0;
    i = 0;
    setupfiles::forEachSoundSlot(kit, [&](auto s) {
        const Loaded &was = atLoad[i++];
        if (!s.file.isEmpty() && index.find(s.file, &s.no, &s.name)) {
            ++matched;
        } else if (loaded) {
            const bool asLoaded = s.file == was.file && s.no == was.number;
            // The record writer takes one off every number but "none".
            s.no = asLoaded && was.number != NO_WAVE ? quint16(was.number + 1) : NO_WAVE;
        }
    });
    return matched;
}

void addKitSoundFiles(const MainWindow1Records::soundKit &kit, QSet<QString> &files)
{
    setupfiles::forEachSoundSlot(kit, [&files](auto s) { files << s.file; });
}
