#include "device/waveslots.h"

#include "device/padpaths.h"
#include "model/percussionpadfile1.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr int FILES_PER_FOLDER = 100;

// Adds the file numbers of the entries of dataPath/fff or prmPath/fff.
void addTaken(const QString &base, const QString &fff, QSet<int> &taken)
{
    const QString folder = base + QLatin1Char('/') + fff;
    const QFileInfo fi(folder);
    if (!fi.exists() && !fi.isSymLink())
        return;
    if (fi.isSymLink() || !fi.isDir()) {
        for (int r = 1; r <= FILES_PER_FOLDER; ++r)
            taken.insert(r); // never written through or beside
        return;
    }
    const QStringList names =
            QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        // The pad's reader numbers an entry by its name before the last dot.
        taken.insert(QFileInfo(name).completeBaseName().toInt());
        taken.insert(name.section(QLatin1Char('.'), 0, 0).toInt());
    }
}

} // namespace

WaveSlots::WaveSlots(const QString &dataPath, const QString &prmPath, const QSet<int> &listed)
    : m_dataPath(dataPath)
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
        if (padtree::isUsableFolder(base))
            addTaken(base, fff, taken);
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
