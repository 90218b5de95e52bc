#include "library/soundorder.h"

#include "library/kitusage.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <numeric>

namespace soundorder {

QString soundName(const Records::SOUND_INDEX &s)
{
    return percussionpadfile::charArray2String(s.wave_name, SOUND_NAME_LENGTH_MAX);
}

Row rowOf(const Records::SOUND_INDEX &s)
{
    return {s.wave_No, soundName(s), s.file, s.wave_lock == 0};
}

QVector<Row> stored(const Sounds &sounds)
{
    QVector<Row> rows;
    rows.reserve(sounds.size());
    for (const Records::SOUND_INDEX &s : sounds)
        rows.append(rowOf(s));
    return rows;
}

QVector<Row> byName(const Sounds &sounds, bool ascending)
{
    QVector<Row> rows = stored(sounds);
    // Each key folded once; folded keys compare as the keys do without case.
    QStringList keys, folded;
    keys.reserve(rows.size());
    folded.reserve(rows.size());
    for (const Row &r : qAsConst(rows)) {
        keys.append(r.name + QLatin1Char('*') + QString::number(r.number));
        folded.append(keys.last().toCaseFolded());
    }
    QVector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int c = folded.at(a).compare(folded.at(b));
        return c != 0 ? c < 0 : keys.at(a) < keys.at(b);
    });
    if (!ascending)
        std::reverse(order.begin(), order.end());
    QVector<Row> out;
    out.reserve(rows.size());
    for (int i : qAsConst(order))
        out.append(rows.at(i));
    return out;
}

QVector<Row> byKitUse(const Sounds &sounds, const QVector<Records::soundKit> &kits)
{
    QHash<QString, QVector<int>> byFile;
    for (int i = 0; i < sounds.size(); ++i)
        byFile[sounds.at(i).file].append(i);

    QVector<Row> out;
    out.reserve(sounds.size());
    QSet<QString> collected;
    auto take = [&](const QString &path) {
        if (path.isEmpty() || collected.contains(path))
            return;
        collected.insert(path);
        for (int i : byFile.value(path)) {
            Row row = rowOf(sounds.at(i));
            row.name = row.name.trimmed();
            out.append(row);
        }
    };
    const int kitCount = qMin(kits.size(), int(KIT_MAX_COUNT));
    for (int k = 0; k < kitCount; ++k) {
        for (const Records::KIT_PAD_SETTING &pad : kits.at(k).kpadChunk) {
            take(pad.soundFile0);
            take(pad.soundFile1);
        }
        for (const QString *file : kitusage::hhFiles(kits.at(k).pedalChunk))
            take(*file);
    }

    QVector<int> rest;
    for (int i = 0; i < sounds.size(); ++i) {
        if (!collected.contains(sounds.at(i).file))
            rest.append(i);
    }
    std::stable_sort(rest.begin(), rest.end(),
                     [&](int a, int b) { return sounds.at(a).wave_No < sounds.at(b).wave_No; });
    for (int i : qAsConst(rest)) {
        Row row = rowOf(sounds.at(i));
        row.name = row.name.trimmed();
        out.append(row);
    }
    return out;
}

QByteArray orderFile(const QStringList &names)
{
    QByteArray out;
    for (const QString &name : names)
        out += name.toUtf8() + '\n';
    return out;
}

QStringList orderNames(const QByteArray &bytes)
{
    QStringList names;
    for (const QByteArray &line : bytes.split('\n')) {
        const int cr = line.indexOf('\r');
        const QByteArray text = cr < 0 ? line : line.left(cr);
        if (!text.isEmpty())
            names.append(QString::fromUtf8(text));
    }
    return names;
}

Match matchNames(const QStringList &names, const Sounds &sounds, int rowCount, QVector<Row> *rows)
{
    if (names.size() != rowCount && names.size() != sounds.size())
        return Match::CountDiffers;
    QHash<QString, QVector<int>> byName;
    for (int i = 0; i < sounds.size(); ++i)
        byName[soundName(sounds.at(i))].append(i);
    QHash<QString, int> used; // records of each name already taken
    QVector<Row> out;
    out.reserve(names.size());
    for (const QString &name : names) {
        const auto it = byName.constFind(name);
        int &taken = used[name];
        if (it == byName.constEnd() || taken >= it->size())
            return Match::NameMissing;
        Row row = rowOf(sounds.at(it->at(taken++)));
        row.name = name;
        out.append(row);
    }
    if (rows)
        *rows = out;
    return Match::Ok;
}

} // namespace soundorder
