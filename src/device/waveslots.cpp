#include "device/waveslots.h"

#include "device/padpaths.h"
#include "device/pairfiles.h"
#include "model/percussionpadfile1.h"

#include <QFileInfo>

namespace {

constexpr int FILES_PER_FOLDER = 100;

// Adds the file numbers of the entries of the folder fff of `base`.
void addTaken(const ztplatform::OpenFolder &base, const QString &fff, QSet<int> &taken)
{
    if (!base.exists(fff))
        return;
    const ztplatform::OpenFolder folder = ztplatform::openFolderBelow(base.fd(), fff, nullptr, &base.disk());
    if (!folder.isOpen()) {
        for (int r = 1; r <= FILES_PER_FOLDER; ++r)
            taken.insert(r); // a link, a plain file or another volume: never written through or beside
        return;
    }
    for (const QString &name : pairfiles::entryNames(folder)) {
        // The pad's reader numbers an entry by its name before the last dot.
        taken.insert(QFileInfo(name).completeBaseName().toInt());
        taken.insert(name.section(QLatin1Char('.'), 0, 0).toInt());
    }
}

} // namespace

WaveSlots::WaveSlots(const ztplatform::FolderAnchor &root, const QString &dataPath, const QString &prmPath,
                     const QSet<int> &listed)
    : m_root(root)
    , m_dataPath(dataPath)
    , m_prmPath(prmPath)
    , m_listed(listed)
{
}

const QSet<int> &WaveSlots::takenIn(int folder)
{
    auto it = m_takenByFolder.find(folder);
    if (it != m_takenByFolder.end())
        return *it;
    QSet<int> taken;
    const QString fff = padtree::threeDigits(folder);
    for (const QString &base : {m_dataPath, m_prmPath}) {
        if (m_root.isValid() && !base.isEmpty())
            addTaken(m_root.openFolder(base), fff, taken);
    }
    return *m_takenByFolder.insert(folder, taken);
}

bool WaveSlots::isFree(int number)
{
    if (number < 1 || m_listed.contains(number))
        return false;
    if (number > WAVE_MAX_COUNT)
        return true;
    return !takenIn(padtree::waveFolderNumber(number)).contains(padtree::waveFileNumber(number));
}

int WaveSlots::nextFree(int after)
{
    int n = qMax(after, 0) + 1;
    while (n <= WAVE_MAX_COUNT && !isFree(n))
        ++n;
    return n;
}
