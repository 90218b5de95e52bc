#include "setup/waveorder.h"

#include "setup/kitslots.h"
#include "setup/soundsource.h"

#include <QHash>
#include <QSet>

namespace setupfiles {

namespace {

QString label(const Records::SOUND_INDEX &s)
{
    return QString::number(int(s.wave_No) - 1) + QLatin1Char('*')
           + Records::charArray2String(s.wave_name, SOUND_NAME_LENGTH_MAX);
}

} // namespace

QStringList kitSourceFiles(const QVector<Records::soundKit> &kits)
{
    QStringList list;
    QSet<QString> listed;
    auto take = [&](auto slot) {
        const QString &source = slot.file;
        if (!parseStoredSource(source).isStored())
            return;
        const QString path = source.left(source.size() - 7);
        if (listed.contains(path))
            return;
        listed.insert(path);
        list.append(path);
    };
    for (const Records::soundKit &kit : kits)
        forEachPadLayer(kit, take, false);
    for (const Records::soundKit &kit : kits)
        forEachHiHatSlot(kit, take);
    return list;
}

WaveOrder kitWaveOrder(const QVector<Records::soundKit> &kits, const QVector<Records::SOUND_INDEX> &library,
                       const QVector<Records::SOUND_INDEX> &waves)
{
    WaveOrder order;

    // Sources used by the kits. A source contained in one listed before is
    // taken as listed; the listed ones are searched as one text.
    QSet<QString> listed;
    QString joined;
    auto take = [&](auto slot) {
        const QString &f = slot.file;
        if (f.isEmpty() || listed.contains(f) || joined.contains(f))
            return;
        listed.insert(f);
        joined += f;
        joined += QChar(0);
        order.totalFileList.append(f);
    };
    for (const Records::soundKit &kit : kits) {
        forEachPadLayer(kit, take);
        forEachHiHatSlot(kit, take);
    }

    QHash<QString, int> firstSound;
    QHash<QString, QVector<int>> byLabel;
    QStringList labels;
    labels.reserve(library.size());
    for (int i = 0; i < library.size(); ++i) {
        const Records::SOUND_INDEX &s = library.at(i);
        if (!firstSound.contains(s.file))
            firstSound.insert(s.file, i);
        labels.append(label(s));
        byLabel[labels.last()].append(i);
    }
    for (const QString &f : qAsConst(order.totalFileList)) {
        const int i = firstSound.value(f, -1);
        if (i >= 0)
            order.totalList.append(labels.at(i));
    }
    for (int i = 0; i < library.size(); ++i) {
        if (!listed.contains(library.at(i).file))
            order.remainingList.append(labels.at(i));
    }
    QStringList laterFiles;
    for (const QString &r : qAsConst(order.remainingList)) {
        for (int i : byLabel.value(r)) {
            order.totalList.append(r);
            laterFiles.append(library.at(i).file);
        }
    }

    // The file's positions in that order, each once; positions no kit and no
    // library sound names keep their place at the end.
    QHash<QString, QVector<int>> positions;
    for (int i = 0; i < waves.size(); ++i)
        positions[waves.at(i).file].append(i);
    QVector<bool> placed(waves.size(), false);
    auto place = [&](const QString &f) {
        const auto it = positions.constFind(f);
        if (it == positions.constEnd())
            return;
        for (int i : it.value()) {
            if (!placed.at(i)) {
                placed[i] = true;
                order.kitOrderList.append(quint16(i));
            }
        }
    };
    for (const QString &f : qAsConst(order.totalFileList))
        place(f);
    for (const QString &f : qAsConst(laterFiles))
        place(f);
    for (int i = 0; i < waves.size(); ++i) {
        if (!placed.at(i))
            order.kitOrderList.append(quint16(i));
    }
    return order;
}

} // namespace setupfiles
