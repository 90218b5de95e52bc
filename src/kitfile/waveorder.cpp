#include "kitfile/waveorder.h"

#include "kitfile/kitslots.h"
#include "kitfile/soundsource.h"

#include <QHash>
#include <QSet>

#include <deque>
#include <set>

namespace setupfiles {

namespace {

// Answers whether a text occurs inside any text added before. A path that
// begins with a separator can only occur where a separator stands, so the
// texts' suffixes from their separators are kept sorted; other texts are
// searched for in all texts joined.
class ContainedIn
{
public:
    bool contains(const QString &text) const
    {
        if (text.isEmpty() || !isSeparator(text.front()))
            return m_joined.contains(text);
        const auto it = m_suffixes.lower_bound(QStringView(text));
        return it != m_suffixes.end() && it->startsWith(text);
    }

    void add(const QString &text)
    {
        m_texts.push_back(text);
        const QStringView t(m_texts.back());
        for (int i = 0; i < t.size(); ++i) {
            if (isSeparator(t.at(i)))
                m_suffixes.insert(t.mid(i));
        }
        m_joined += text;
        m_joined += QChar(0);
    }

private:
    struct Less
    {
        bool operator()(QStringView a, QStringView b) const { return a.compare(b) < 0; }
    };
    static bool isSeparator(QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); }

    std::deque<QString> m_texts; // the suffixes point into these
    std::set<QStringView, Less> m_suffixes;
    QString m_joined;
};

QString label(const Records::SOUND_INDEX &s)
{
    return QString::number(int(s.wave_No) - 1) + QLatin1Char('*')
           + percussionpadfile::charArray2String(s.wave_name, SOUND_NAME_LENGTH_MAX);
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

QVector<quint16> kitWaveOrder(const QVector<Records::soundKit> &kits, const QVector<Records::SOUND_INDEX> &library,
                              const QVector<Records::SOUND_INDEX> &waves)
{
    QStringList usedFiles;
    QSet<QString> listed;
    ContainedIn earlier;
    auto take = [&](auto slot) {
        const QString &f = slot.file;
        if (f.isEmpty() || listed.contains(f) || earlier.contains(f))
            return;
        listed.insert(f);
        earlier.add(f);
        usedFiles.append(f);
    };
    for (const Records::soundKit &kit : kits) {
        forEachPadLayer(kit, take);
        forEachHiHatSlot(kit, take);
    }

    // The sounds no kit uses, each followed by every sound of its label.
    QHash<QString, QVector<int>> byLabel;
    QStringList labels;
    labels.reserve(library.size());
    for (int i = 0; i < library.size(); ++i) {
        labels.append(label(library.at(i)));
        byLabel[labels.last()].append(i);
    }
    QStringList laterFiles;
    for (int r = 0; r < library.size(); ++r) {
        if (listed.contains(library.at(r).file))
            continue;
        for (int i : byLabel.value(labels.at(r)))
            laterFiles.append(library.at(i).file);
    }

    // The file's positions in that order, each once; positions no kit and no
    // library sound names keep their place at the end.
    QVector<quint16> order;
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
                order.append(quint16(i));
            }
        }
    };
    for (const QString &f : qAsConst(usedFiles))
        place(f);
    for (const QString &f : qAsConst(laterFiles))
        place(f);
    for (int i = 0; i < waves.size(); ++i) {
        if (!placed.at(i))
            order.append(quint16(i));
    }
    return order;
}

} // namespace setupfiles
