// What the steps keep of the sound library: the sound list (its entries,
// names and rows, only what each edit changed), the metronome list and the
// loaded kit files (the groups: groupsteps.cpp).
#include "library/soundlibrary.h"

#include "kitfile/storedsounds.h"
#include "library/soundlistmodel.h"
#include "library/soundsource.h"
#include "platform/fileidentity.h"
#include "platform/regularfile.h"
#include "platform/silentfiles.h"
#include "platform/timedlook.h"

#include <QDir>
#include <QMap>
#include <QPointer>
#include <QThread>

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

namespace {

// One row of a list as its cells hold it.
struct Row
{
    QString text[3];
    QIcon icon;
    Qt::ItemFlags flags[3] = {};
    bool cell[3] = {};

    bool operator==(const Row &o) const
    {
        for (int c = 0; c < 3; ++c) {
            if (cell[c] != o.cell[c] || text[c] != o.text[c] || flags[c] != o.flags[c])
                return false;
        }
        return icon.cacheKey() == o.icon.cacheKey();
    }
};

QVector<Row> rowsOf(const QStandardItem *root, int first, int count)
{
    QVector<Row> rows;
    rows.reserve(count);
    for (int r = first; r < first + count; ++r) {
        Row row;
        for (int c = 0; c < 3; ++c) {
            const QStandardItem *item = root->child(r, c);
            row.cell[c] = item != nullptr;
            if (!item)
                continue;
            row.text[c] = item->text();
            row.flags[c] = item->flags();
            if (c == 0)
                row.icon = item->icon();
        }
        rows.append(row);
    }
    return rows;
}

QList<QStandardItem *> itemsOf(const Row &row, int columns)
{
    QList<QStandardItem *> items;
    for (int c = 0; c < columns; ++c) {
        if (!row.cell[c]) {
            items.append(nullptr);
            continue;
        }
        auto *item = c == 0 ? new QStandardItem(row.icon, row.text[c]) : new QStandardItem(row.text[c]);
        item->setFlags(row.flags[c]);
        items.append(item);
    }
    return items;
}

bool sameEntry(const MainWindow1Records::SOUND_INDEX &a, const MainWindow1Records::SOUND_INDEX &b)
{
    return std::memcmp(a.wave_name, b.wave_name, sizeof a.wave_name) == 0 && a.file == b.file
           && a.wave_No == b.wave_No && a.wave_lock == b.wave_lock && a.start_cluster == b.start_cluster
           && a.wave_length == b.wave_length && a.wave_start == b.wave_start && a.wave_end == b.wave_end
           && a.offset == b.offset && a.size == b.size;
}

// After an exchange from the last stretch, each place counted in the sequence as it stands.
template <class Parts>
void countPlacesAfter(Parts &parts)
{
    int shift = 0;
    for (auto &p : parts) {
        p.at += shift;
        shift += p.count - p.kept.size();
    }
}

// A stretch of a sequence a step changed: from `at`, `count` items of the
// sequence as it stands now stand where `kept` held before.
template <class T>
struct Stretch
{
    int at = 0;
    int count = 0;
    QVector<T> kept;

    // From the whole sequence as it was and as it is: what lies between
    // their common start and end.
    template <class Same>
    void find(const QVector<T> &before, const QVector<T> &after, Same same)
    {
        const int nb = before.size(), na = after.size();
        int p = 0;
        while (p < nb && p < na && same(before.at(p), after.at(p)))
            ++p;
        int s = 0;
        while (s < nb - p && s < na - p && same(before.at(nb - 1 - s), after.at(na - 1 - s)))
            ++s;
        at = p;
        count = na - p - s;
        kept = before.mid(p, nb - p - s);
    }
    bool isEmpty() const { return count == 0 && kept.isEmpty(); }
    // Exchanged with the stretch of a plain sequence (a vector or a list).
    template <class Live>
    void exchange(Live &live)
    {
        const int from = qBound(0, at, int(live.size()));
        const int n = qBound(0, count, int(live.size()) - from);
        QVector<T> now;
        now.reserve(n);
        for (int i = 0; i < n; ++i)
            now.append(live.at(from + i));
        live.erase(live.begin() + from, live.begin() + from + n);
        if (from == live.size() || kept.size() <= 16) {
            for (int i = 0; i < kept.size(); ++i)
                live.insert(from + i, kept.at(i));
        } else {
            Live out;
            out.reserve(live.size() + kept.size());
            for (int i = 0; i < from; ++i)
                out.append(live.at(i));
            for (const T &k : qAsConst(kept))
                out.append(k);
            for (int i = from; i < live.size(); ++i)
                out.append(live.at(i));
            live = out;
        }
        at = from;
        count = kept.size();
        kept = now;
    }
};

// The stretches of a sequence one edit changed, ascending and apart, each
// `at` counted in the sequence as it stands.
template <class T>
struct Stretches
{
    QVector<Stretch<T>> parts;

    bool isEmpty() const
    {
        return std::all_of(parts.cbegin(), parts.cend(), [](const Stretch<T> &s) { return s.isEmpty(); });
    }
    int keptCount() const
    {
        int n = 0;
        for (const Stretch<T> &s : parts)
            n += s.kept.size();
        return n;
    }
    // Stretches that meet become one.
    void join()
    {
        QVector<Stretch<T>> joined;
        for (const Stretch<T> &s : qAsConst(parts)) {
            if (!joined.isEmpty() && joined.last().at + joined.last().count == s.at) {
                joined.last().count += s.count;
                joined.last().kept += s.kept;
            } else {
                joined.append(s);
            }
        }
        parts = joined;
    }
    // From the last, so that the places of those before stay put (many in
    // one pass); then each place in the sequence as it is now.
    template <class Live>
    void exchange(Live &live)
    {
        if (parts.size() > 16)
            exchangeInOnePass(live);
        else {
            for (int i = parts.size() - 1; i >= 0; --i)
                parts[i].exchange(live);
        }
        countPlacesAfter(parts);
    }
    template <class Live>
    void exchangeInOnePass(Live &live)
    {
        const int size = int(live.size());
        Live out;
        out.reserve(size + keptCount());
        int pos = 0;
        for (Stretch<T> &s : parts) {
            const int from = qBound(pos, s.at, size);
            const int n = qBound(0, s.count, size - from);
            for (int i = pos; i < from; ++i)
                out.append(live.at(i));
            QVector<T> now;
            now.reserve(n);
            for (int i = 0; i < n; ++i)
                now.append(live.at(from + i));
            for (const T &k : qAsConst(s.kept))
                out.append(k);
            s.at = from;
            s.count = s.kept.size();
            s.kept = now;
            pos = from + n;
        }
        for (int i = pos; i < size; ++i)
            out.append(live.at(i));
        live = out;
    }
};

// The stretches of a list's rows kept as the list's own items, so that an
// exchange takes rows out and puts rows in and makes or copies none; many
// rows at once quietly, the views taking them in with a reset.
struct ItemStretches
{
    struct Part
    {
        int at = 0;
        int count = 0;
        QVector<QList<QStandardItem *>> kept;
    };
    QVector<Part> parts;

    ItemStretches() = default;
    ItemStretches(const ItemStretches &) = delete;
    ItemStretches &operator=(const ItemStretches &) = delete;
    ~ItemStretches()
    {
        for (const Part &p : qAsConst(parts)) {
            for (const QList<QStandardItem *> &row : p.kept)
                qDeleteAll(row);
        }
    }

    // The rows the stretches kept, made items once.
    void take(const Stretches<Row> &rows, int columns)
    {
        for (const Stretch<Row> &s : rows.parts) {
            if (s.isEmpty())
                continue;
            Part p;
            p.at = s.at;
            p.count = s.count;
            p.kept.reserve(s.kept.size());
            for (const Row &r : s.kept)
                p.kept.append(itemsOf(r, columns));
            parts.append(p);
        }
    }
    bool isEmpty() const { return parts.isEmpty(); }
    qint64 size(int columns) const
    {
        qint64 rows = 0;
        for (const Part &p : parts)
            rows += p.kept.size();
        return qint64(sizeof(Part)) * parts.size() + rows * columns * 160;
    }

    void exchange(QStandardItem *root, const std::function<void(const std::function<void()> &)> &quietly)
    {
        if (!root || isEmpty())
            return;
        int moved = 0;
        for (const Part &p : qAsConst(parts))
            moved += p.count + p.kept.size();
        auto change = [&] {
            if (parts.size() > 16 || moved > 1024) {
                exchangeInOnePass(root);
                return;
            }
            for (int i = parts.size() - 1; i >= 0; --i) {
                Part &p = parts[i];
                const int n = qBound(0, root->rowCount() - p.at, p.count);
                QVector<QList<QStandardItem *>> now(n);
                for (int r = n - 1; r >= 0; --r) // from the last: the rows before it stay put
                    now[r] = root->takeRow(p.at + r);
                for (int k = 0; k < p.kept.size(); ++k)
                    root->insertRow(p.at + k, p.kept.at(k));
                p.count = p.kept.size();
                p.kept = now;
            }
        };
        if (moved > 128)
            quietly(change);
        else
            change();
        countPlacesAfter(parts);
    }

private:
    // Every item taken out of its place and put into the new order once:
    // taking and putting rows one by one moves all the rows after each.
    void exchangeInOnePass(QStandardItem *root)
    {
        const int size = root->rowCount(), columns = root->columnCount();
        QVector<QList<QStandardItem *>> live(size);
        for (int r = 0; r < size; ++r) {
            for (int c = 0; c < columns; ++c)
                live[r].append(root->takeChild(r, c));
        }
        QVector<QList<QStandardItem *>> out;
        out.reserve(size);
        int pos = 0;
        for (Part &p : parts) {
            const int from = qBound(pos, p.at, size);
            const int n = qBound(0, p.count, size - from);
            for (int r = pos; r < from; ++r)
                out.append(live.at(r));
            out += p.kept;
            p.count = p.kept.size();
            p.kept = live.mid(from, n);
            p.at = from;
            pos = from + n;
        }
        for (int r = pos; r < size; ++r)
            out.append(live.at(r));
        root->removeRows(0, size);
        root->setRowCount(out.size());
        for (int r = 0; r < out.size(); ++r) {
            for (int c = 0; c < out.at(r).size(); ++c) {
                if (out.at(r).at(c))
                    root->setChild(r, c, out.at(r).at(c));
            }
        }
    }
};

// A stretch whose items stand in another order: from `at`, item i of the
// sequence came from place `from[i]` of the stretch.
struct Reorder
{
    int at = 0;
    QVector<int> from;

    // The items of `kept` (as they stood) that `now` holds in another order,
    // each used once; false when `now` holds others.
    template <class T, class Key>
    bool find(int place, const QVector<T> &kept, const QVector<T> &now, Key key)
    {
        if (kept.size() != now.size())
            return false;
        QHash<QString, QVector<int>> places;
        for (int i = kept.size() - 1; i >= 0; --i)
            places[key(kept.at(i))].append(i);
        from.resize(now.size());
        for (int i = 0; i < now.size(); ++i) {
            QVector<int> &same = places[key(now.at(i))];
            int k = same.size() - 1;
            while (k >= 0 && !(kept.at(same.at(k)) == now.at(i)))
                --k;
            if (k < 0) {
                from.clear();
                return false;
            }
            from[i] = same.at(k);
            same.remove(k);
        }
        at = place;
        return true;
    }
    // Item i goes back to place from[i]; then the order that brings them here again.
    template <class Item, class Put>
    void exchange(const QVector<Item> &items, Put put)
    {
        QVector<Item> placed(items.size());
        QVector<int> back(items.size());
        for (int i = 0; i < items.size() && i < from.size(); ++i) {
            placed[from.at(i)] = items.at(i);
            back[from.at(i)] = i;
        }
        put(placed);
        from = back;
    }
    template <class Live>
    void exchange(Live &live)
    {
        if (from.isEmpty() || at + from.size() > live.size())
            return;
        QVector<typename Live::value_type> items;
        for (int i = 0; i < from.size(); ++i)
            items.append(live.at(at + i));
        exchange(items, [&](const QVector<typename Live::value_type> &placed) {
            for (int i = 0; i < placed.size(); ++i)
                live[at + i] = placed.at(i);
        });
    }
    void exchange(QStandardItem *root, const std::function<void(const std::function<void()> &)> &quietly)
    {
        if (!root || from.isEmpty() || at + from.size() > root->rowCount())
            return;
        quietly([&] {
            QVector<QList<QStandardItem *>> items(from.size());
            for (int r = from.size() - 1; r >= 0; --r)
                items[r] = root->takeRow(at + r);
            exchange(items, [&](const QVector<QList<QStandardItem *>> &placed) {
                for (int i = 0; i < placed.size(); ++i)
                    root->insertRow(at + i, placed.at(i));
            });
        });
    }
};

QString rowKey(const Row &row)
{
    return row.text[1] + QLatin1Char('\n') + row.text[2];
}

bool ascendingApart(const QVector<int> &places, int size)
{
    for (int i = 0; i < places.size(); ++i) {
        if (places.at(i) < 0 || places.at(i) >= size || (i > 0 && places.at(i) <= places.at(i - 1)))
            return false;
    }
    return true;
}

} // namespace

// ---- the sound list ------------------------------------------------------------------------------

// A step keeps of the sound list what each edit told it changes: rows
// appended, rows taken out with their places, rows changed in place. An edit
// that tells nothing has the whole list compared from then on, once, when
// the step is made.
class SoundLibrary::SoundsPart : public editstep::Part
{
public:
    explicit SoundsPart(SoundLibrary &lib)
        : m_lib(&lib)
        , m_rootText(lib.m_currentOldGroupName)
    {
        lib.m_openSounds = this;
        if (lib.m_soundsDepth > 0)
            untold(); // made within an edit: what it told went by
    }
    ~SoundsPart() override
    {
        if (m_lib && m_lib->m_openSounds == this)
            m_lib->m_openSounds = nullptr;
    }

    QString key() const override { return QStringLiteral("sounds"); }

    // An edit that tells nothing begins.
    void untold()
    {
        if (!m_whole)
            m_whole = std::make_unique<Whole>(live());
    }
    // A told edit begins: what it changes, as it is now.
    void told(const ListPlan &plan)
    {
        if (m_whole)
            return; // compared whole at the end
        if (m_pending) {
            qWarning("A told edit of the sound list within another: the list is compared whole");
            return;
        }
        auto change = std::make_unique<Change>();
        for (int seq = 0; seq < 4; ++seq) {
            const int size = liveSize(seq);
            const int kinds = int(plan.tail[seq] >= 0) + int(!plan.changed[seq].isEmpty())
                              + int(!plan.removed[seq].isEmpty());
            if (kinds > 1 || plan.tail[seq] > size || !ascendingApart(plan.changed[seq], size)
                || !ascendingApart(plan.removed[seq], size)) {
                untold();
                return;
            }
            if (plan.tail[seq] >= 0) {
                change->tail[seq] = true;
                keep(*change, seq, plan.tail[seq], size - plan.tail[seq], plan.tail[seq]);
            }
            for (int p : plan.changed[seq]) {
                keep(*change, seq, p, 1, p);
                setCount(*change, seq, 1);
            }
            for (int i = 0; i < plan.removed[seq].size(); ++i)
                keep(*change, seq, plan.removed[seq].at(i), 1, plan.removed[seq].at(i) - i);
        }
        m_pending = std::move(change);
    }
    // The told edit ended: what it appended.
    void toldDone()
    {
        if (!m_pending)
            return;
        for (int seq = 0; seq < 4; ++seq) {
            if (m_pending->tail[seq])
                setCount(*m_pending, seq, qMax(0, liveSize(seq) - firstAt(*m_pending, seq)));
        }
        m_pending->entries.join();
        m_pending->names.join();
        m_pending->rows[0].join();
        m_pending->rows[1].join();
        m_changes.push_back(std::move(m_pending));
    }
    // A cell a view's editor changed already: as it was. `fresh`: the part
    // was made just now, after the change.
    void cellWas(bool total, int row, int column, const QString &text, bool fresh)
    {
        const int seq = total ? ListPlan::Total : ListPlan::Mirror;
        if (m_whole) {
            QVector<Row> &rows = m_whole->rows[seq - ListPlan::Total];
            if (fresh && row >= 0 && row < rows.size() && column >= 0 && column < 3)
                rows[row].text[column] = text;
            return;
        }
        if (m_pending || row < 0 || row >= liveSize(seq) || column < 0 || column >= 3) {
            qWarning("A cell of the sound list changed where no step can keep it: the list is compared whole");
            return;
        }
        auto change = std::make_unique<Change>();
        keep(*change, seq, row, 1, row);
        change->rows[seq - ListPlan::Total].parts[0].kept[0].text[column] = text;
        setCount(*change, seq, 1);
        m_changes.push_back(std::move(change));
    }

    void settle() override
    {
        SoundLibrary &l = *m_lib;
        toldDone();
        for (const std::unique_ptr<Change> &c : m_changes)
            keep(*c, std::make_unique<Kept>());
        if (m_whole)
            keepWhole();
        m_whole.reset();
        m_changes.clear();
        m_changes.shrink_to_fit();
        m_mark = l.m_outside[0];
        m_settled = true;
        l.m_openSounds = nullptr;
    }
    void swap() override
    {
        if (!m_lib || !m_settled)
            return;
        SoundLibrary &l = *m_lib;
        ++l.m_listEdits;
        auto quietly = [](SoundListModel *model) {
            return [model](const std::function<void()> &change) { model->quietly(change); };
        };
        for (auto it = m_kept.rbegin(); it != m_kept.rend(); ++it) {
            Kept &k = **it;
            k.entries.exchange(l.m_waveLoadKitAttrList);
            k.names.exchange(l.m_soundList);
            k.rows[0].exchange(l.m_total->m_root, quietly(l.m_total));
            k.rows[1].exchange(l.m_mirror->m_root, quietly(l.m_mirror));
            k.order[0].exchange(l.m_soundList);
            k.order[1].exchange(l.m_total->m_root, quietly(l.m_total));
            k.order[2].exchange(l.m_mirror->m_root, quietly(l.m_mirror));
        }
        std::reverse(m_kept.begin(), m_kept.end());
        std::swap(l.m_currentOldGroupName, m_rootText);
        if (l.m_total->m_root)
            l.m_total->m_root->setText(l.m_currentOldGroupName);
        emit l.soundsChanged();
    }
    bool unchanged() const override
    {
        if (!m_lib)
            return true;
        const SoundLibrary &l = *m_lib;
        if (m_settled)
            return m_kept.empty() && m_rootText == l.m_currentOldGroupName;
        if (m_rootText != l.m_currentOldGroupName || m_pending)
            return false;
        // Edits that moved no place: each place as it first was, against it now.
        QMap<int, SOUND_INDEX> entries;
        QMap<int, QString> names;
        QMap<int, Row> rows[2];
        for (auto it = m_changes.crbegin(); it != m_changes.crend(); ++it) {
            const Change &c = **it;
            if (!firstKept(c.entries, entries) || !firstKept(c.names, names) || !firstKept(c.rows[0], rows[0])
                || !firstKept(c.rows[1], rows[1]))
                return sameAsFirst(); // rows came and went: the list as it was, against it now
        }
        if (m_whole) {
            Whole first = *m_whole;
            return putAt(first.entries, entries) && putAt(first.names, names) && putAt(first.rows[0], rows[0])
                   && putAt(first.rows[1], rows[1]) && sameAsNow(first);
        }
        auto sameRow = [this](int t) {
            return [this, t](const Row &a, int at) { return rowsOf(root(t), at, 1).value(0) == a; };
        };
        return sameAt(entries, l.m_waveLoadKitAttrList.size(),
                      [&l](const SOUND_INDEX &a, int at) { return sameEntry(a, l.m_waveLoadKitAttrList.at(at)); })
               && sameAt(names, l.m_soundList.size(), [&l](const QString &a, int at) { return a == l.m_soundList.at(at); })
               && sameAt(rows[0], root(0)->rowCount(), sameRow(0)) && sameAt(rows[1], root(1)->rowCount(), sameRow(1));
    }
    QStringList refusals() const override
    {
        if (!m_lib)
            return {};
        if (m_lib->m_outside[0] != m_mark)
            return {SoundLibrary::tr("The sound list changed since (a save or the pad): this step can no longer be "
                                     "undone.")};
        QStringList sources;
        for (const std::unique_ptr<Kept> &k : m_kept) {
            for (const Stretch<SOUND_INDEX> &s : k->entries.parts) {
                for (const SOUND_INDEX &e : s.kept)
                    sources.append(e.file);
            }
        }
        QStringList out, unanswered;
        for (const QString &gone : m_lib->goneSounds(sources, &unanswered))
            out.append(SoundLibrary::tr("The sound %1 is gone.").arg(gone));
        for (const QString &silent : qAsConst(unanswered))
            out.append(SoundLibrary::tr("The drive of the sound %1 does not answer.").arg(silent));
        return out;
    }
    qint64 size() const override
    {
        qint64 bytes = qint64(sizeof(SoundsPart));
        for (const std::unique_ptr<Kept> &k : m_kept) {
            bytes += qint64(sizeof(Kept)) + qint64(sizeof(SOUND_INDEX)) * k->entries.keptCount()
                     + 16 * qint64(k->names.keptCount()) + k->rows[0].size(3) + k->rows[1].size(2)
                     + 4 * qint64(k->order[0].from.size() + k->order[1].from.size() + k->order[2].from.size());
        }
        return bytes;
    }
    // The later step's changes follow this one's; the root's text kept is the older.
    void absorb(editstep::Part &later) override
    {
        auto &other = static_cast<SoundsPart &>(later);
        for (std::unique_ptr<Kept> &k : other.m_kept)
            m_kept.push_back(std::move(k));
        other.m_kept.clear();
    }

private:
    // The list as an untold edit found it.
    struct Whole
    {
        QVector<SOUND_INDEX> entries;
        QVector<QString> names;
        QVector<Row> rows[2];
    };
    // What one edit changed, until the step is made.
    struct Change
    {
        Stretches<SOUND_INDEX> entries;
        Stretches<QString> names;
        Stretches<Row> rows[2];
        bool tail[4] = {};
    };
    // Then as kept.
    struct Kept
    {
        Stretches<SOUND_INDEX> entries;
        Stretches<QString> names;
        ItemStretches rows[2];
        Reorder order[3]; // of the names, the total list's and the hi-hat list's rows
    };

    void keep(const Change &c, std::unique_ptr<Kept> kept)
    {
        kept->entries = c.entries;
        kept->names = c.names;
        kept->rows[0].take(c.rows[0], 3);
        kept->rows[1].take(c.rows[1], 2);
        const bool reordered = std::any_of(std::begin(kept->order), std::end(kept->order),
                                           [](const Reorder &o) { return !o.from.isEmpty(); });
        if (reordered || !kept->entries.isEmpty() || !kept->names.isEmpty() || !kept->rows[0].isEmpty()
            || !kept->rows[1].isEmpty())
            m_kept.push_back(std::move(kept));
    }
    // The stretch of each sequence that changed since the whole list was
    // taken; one whose items only stand in another order, as that order.
    void keepWhole()
    {
        const SoundLibrary &l = *m_lib;
        Change change;
        auto kept = std::make_unique<Kept>();
        Stretch<SOUND_INDEX> entries;
        entries.find(m_whole->entries, l.m_waveLoadKitAttrList, sameEntry);
        change.entries.parts.append(entries);
        const QVector<QString> names = l.m_soundList.toVector();
        Stretch<QString> nameStretch;
        nameStretch.find(m_whole->names, names, std::equal_to<QString>());
        if (nameStretch.count <= 16
            || !kept->order[0].find(nameStretch.at, nameStretch.kept, names.mid(nameStretch.at, nameStretch.count),
                                    [](const QString &n) { return n; }))
            change.names.parts.append(nameStretch);
        for (int t = 0; t < 2; ++t) {
            const QVector<Row> rows = rowsOf(root(t), 0, root(t)->rowCount());
            Stretch<Row> rowStretch;
            rowStretch.find(m_whole->rows[t], rows, std::equal_to<Row>());
            if (rowStretch.count <= 16
                || !kept->order[1 + t].find(rowStretch.at, rowStretch.kept, rows.mid(rowStretch.at, rowStretch.count),
                                            rowKey))
                change.rows[t].parts.append(rowStretch);
        }
        keep(change, std::move(kept));
    }

    Whole live() const
    {
        const SoundLibrary &l = *m_lib;
        return {l.m_waveLoadKitAttrList, l.m_soundList.toVector(),
                {rowsOf(root(0), 0, root(0)->rowCount()), rowsOf(root(1), 0, root(1)->rowCount())}};
    }
    QStandardItem *root(int rows) const { return (rows == 0 ? m_lib->m_total : m_lib->m_mirror)->m_root; }
    int liveSize(int seq) const
    {
        const SoundLibrary &l = *m_lib;
        if (seq == ListPlan::Entries)
            return l.m_waveLoadKitAttrList.size();
        if (seq == ListPlan::Names)
            return l.m_soundList.size();
        return root(seq - ListPlan::Total)->rowCount();
    }
    // Positions [from, from + n) as they are now, kept as a stretch at `at`.
    void keep(Change &c, int seq, int from, int n, int at) const
    {
        const SoundLibrary &l = *m_lib;
        if (seq == ListPlan::Entries)
            c.entries.parts.append({at, 0, l.m_waveLoadKitAttrList.mid(from, n)});
        else if (seq == ListPlan::Names)
            c.names.parts.append({at, 0, l.m_soundList.mid(from, n).toVector()});
        else
            c.rows[seq - ListPlan::Total].parts.append({at, 0, rowsOf(root(seq - ListPlan::Total), from, n)});
    }
    // The last stretch kept of `seq` stands for `n` items now.
    static void setCount(Change &c, int seq, int n)
    {
        if (seq == ListPlan::Entries)
            c.entries.parts.last().count = n;
        else if (seq == ListPlan::Names)
            c.names.parts.last().count = n;
        else
            c.rows[seq - ListPlan::Total].parts.last().count = n;
    }
    static int firstAt(const Change &c, int seq)
    {
        if (seq == ListPlan::Entries)
            return c.entries.parts.value(0).at;
        if (seq == ListPlan::Names)
            return c.names.parts.value(0).at;
        return c.rows[seq - ListPlan::Total].parts.value(0).at;
    }
    // The list as the step found it, made from the list now (or as an untold
    // edit found it) by putting back what each edit kept, the last first.
    bool sameAsFirst() const
    {
        Whole first = m_whole ? *m_whole : live();
        for (auto it = m_changes.crbegin(); it != m_changes.crend(); ++it) {
            Change c = **it;
            c.entries.exchange(first.entries);
            c.names.exchange(first.names);
            c.rows[0].exchange(first.rows[0]);
            c.rows[1].exchange(first.rows[1]);
        }
        return sameAsNow(first);
    }
    bool sameAsNow(const Whole &w) const
    {
        const SoundLibrary &l = *m_lib;
        return w.entries.size() == l.m_waveLoadKitAttrList.size()
               && std::equal(w.entries.cbegin(), w.entries.cend(), l.m_waveLoadKitAttrList.cbegin(), sameEntry)
               && w.names == l.m_soundList.toVector() && w.rows[0] == rowsOf(root(0), 0, root(0)->rowCount())
               && w.rows[1] == rowsOf(root(1), 0, root(1)->rowCount());
    }
    // The places stretches kept, each as kept (the earliest last); false when one moved places.
    template <class T>
    static bool firstKept(const Stretches<T> &st, QMap<int, T> &first)
    {
        for (const Stretch<T> &s : st.parts) {
            if (s.count != s.kept.size())
                return false;
            for (int i = 0; i < s.count; ++i)
                first.insert(s.at + i, s.kept.at(i));
        }
        return true;
    }
    template <class T>
    static bool putAt(QVector<T> &list, const QMap<int, T> &first)
    {
        for (auto it = first.cbegin(); it != first.cend(); ++it) {
            if (it.key() >= list.size())
                return false;
            list[it.key()] = it.value();
        }
        return true;
    }
    template <class T, class Same>
    static bool sameAt(const QMap<int, T> &first, int size, Same same)
    {
        for (auto it = first.cbegin(); it != first.cend(); ++it) {
            if (it.key() >= size || !same(it.value(), it.key()))
                return false;
        }
        return true;
    }

    QPointer<SoundLibrary> m_lib;
    QString m_rootText;
    std::unique_ptr<Change> m_pending;
    std::vector<std::unique_ptr<Change>> m_changes; // in order
    std::unique_ptr<Whole> m_whole;                 // compared with the list when the step is made
    std::vector<std::unique_ptr<Kept>> m_kept;      // once it is made, in order
    bool m_settled = false;
    quint64 m_mark = 0;
};

void SoundLibrary::tellSounds(const ListPlan &plan)
{
    if (m_openSounds)
        m_openSounds->told(plan);
}

void SoundLibrary::soundsEditBegins(bool told)
{
    if (m_openSounds && !told)
        m_openSounds->untold();
}

void SoundLibrary::soundsEditEnds()
{
    if (m_openSounds)
        m_openSounds->toldDone();
}

// ---- the metronome list ---------------------------------------------------------------------------------

struct SoundLibrary::ClicksState
{
    struct Group
    {
        QString name;
        QVector<Row> rows;
        bool operator==(const Group &o) const { return name == o.name && rows == o.rows; }
    };
    QVector<SOUND_LIST_INFO> list;
    QVector<SOUND_INDEX> records;
    bool deviceFlag = false;
    QVector<Group> groups;
    bool operator==(const ClicksState &o) const
    {
        if (list.size() != o.list.size() || records.size() != o.records.size() || deviceFlag != o.deviceFlag
            || !(groups == o.groups))
            return false;
        for (int i = 0; i < list.size(); ++i) {
            const SOUND_LIST_INFO &a = list.at(i), &b = o.list.at(i);
            if (a.name != b.name || a.file != b.file || a.waveNo != b.waveNo || a.offset != b.offset
                || a.size != b.size)
                return false;
        }
        return std::equal(records.cbegin(), records.cend(), o.records.cbegin(), sameEntry);
    }
};

class SoundLibrary::ClicksPart : public editstep::WholePart<SoundLibrary, ClicksState>
{
public:
    explicit ClicksPart(SoundLibrary &lib)
        : WholePart(lib)
    {
        take(m_state);
    }

    QString key() const override { return QStringLiteral("clicks"); }
    void settle() override { m_mark = m_owner->m_outside[2]; }
    QStringList refusals() const override
    {
        if (m_owner && m_owner->m_outside[2] != m_mark)
            return {SoundLibrary::tr("The metronome sounds changed since: this step can no longer be undone.")};
        return {};
    }
    qint64 size() const override { return qint64(sizeof(ClicksPart)); }

private:
    void take(ClicksState &s) const override
    {
        const SoundLibrary &l = *m_owner;
        s.list = l.m_clickList;
        s.records = l.m_clickSetList;
        s.deviceFlag = l.m_clickDeviceFlag;
        s.groups.clear();
        for (int g = 0; g < l.m_clicks->rowCount(); ++g) {
            const QStandardItem *group = l.m_clicks->item(g, 0);
            if (group)
                s.groups.append({group->text(), rowsOf(group, 0, group->rowCount())});
        }
    }
    void put(const ClicksState &s) override
    {
        SoundLibrary &l = *m_owner;
        l.m_clickList = s.list;
        l.m_clickSetList = s.records;
        l.m_clickDeviceFlag = s.deviceFlag;
        l.m_clicks->rebuild([&l, &s] {
            for (const ClicksState::Group &g : s.groups) {
                auto *group = new QStandardItem(g.name);
                for (const Row &row : g.rows)
                    group->appendRow(itemsOf(row, 3));
                l.m_clicks->appendRow(group);
            }
        });
    }

    void told() override { emit m_owner->clickSoundsChanged(); }

    quint64 m_mark = 0;
};

// ---- the loaded kit files -------------------------------------------------------------------------------

struct SoundLibrary::FilesState
{
    QVector<READ_KIT_FILE> loaded;
    setupfiles::SharedSounds shared;
    bool loadClickFlag = false;
    QString binFile, globalFile;
    QStringList kitFiles, recorded;
    QVector<int> recordedKits;

    bool operator==(const FilesState &o) const
    {
        if (loaded.size() != o.loaded.size() || loadClickFlag != o.loadClickFlag || binFile != o.binFile
            || globalFile != o.globalFile || kitFiles != o.kitFiles || recorded != o.recorded
            || recordedKits != o.recordedKits || shared.twins() != o.shared.twins())
            return false;
        for (int i = 0; i < loaded.size(); ++i) {
            if (loaded.at(i).file != o.loaded.at(i).file || loaded.at(i).stamp != o.loaded.at(i).stamp
                || loaded.at(i).fileTotalLength != o.loaded.at(i).fileTotalLength)
                return false;
        }
        return true;
    }
};

class SoundLibrary::FilesPart : public editstep::WholePart<SoundLibrary, FilesState>
{
public:
    explicit FilesPart(SoundLibrary &lib)
        : WholePart(lib)
    {
        take(m_state);
        lib.m_heldFiles.insert(&m_state);
    }
    ~FilesPart() override
    {
        if (m_owner)
            m_owner->m_heldFiles.remove(&m_state);
    }

    QString key() const override { return QStringLiteral("files"); }
    void settle() override { m_mark = m_owner->m_outside[3]; }
    QStringList refusals() const override
    {
        if (m_owner && m_owner->m_outside[3] != m_mark)
            return {SoundLibrary::tr("The loaded kit files changed since (a save): this step can no longer be "
                                     "undone.")};
        return {};
    }
    qint64 size() const override { return qint64(sizeof(FilesPart)); }

private:
    void take(FilesState &s) const override { fields(s, *m_owner, [](auto &kept, const auto &live) { kept = live; }); }
    void put(const FilesState &s) override { fields(s, *m_owner, [](const auto &kept, auto &live) { live = kept; }); }
    // `carry(kept, live)` for each field the part keeps and the library's own.
    template <class State, class Carry>
    static void fields(State &s, SoundLibrary &l, Carry carry)
    {
        carry(s.loaded, l.m_loadedKitFiles);
        carry(s.shared, l.m_sharedSounds);
        carry(s.loadClickFlag, l.m_loadClickFlag);
        carry(s.binFile, l.m_binFilePath);
        carry(s.globalFile, l.m_globalFilePath);
        carry(s.kitFiles, l.m_kitFileList);
        carry(s.recorded, l.m_recordKitFileList);
        carry(s.recordedKits, l.m_recordKitIndexList);
    }

    quint64 m_mark = 0;
};

// ---- touches --------------------------------------------------------------------------------------------

void SoundLibrary::touch(int changes)
{
    static const char *const keys[3] = {"sounds", "groups", "clicks"};
    for (int area = 0; area < 3; ++area) {
        if (!(changes & (1 << area)))
            continue;
        if (!m_recorder || !m_recorder->recording()) {
            ++m_outside[area];
            continue;
        }
        m_recorder->touch(QString::fromLatin1(keys[area]), [this, area]() -> std::unique_ptr<editstep::Part> {
            if (area == 0)
                return std::make_unique<SoundsPart>(*this);
            if (area == 1)
                return groupsPart();
            return std::make_unique<ClicksPart>(*this);
        });
    }
}

void SoundLibrary::touchFiles()
{
    if (!m_recorder || !m_recorder->recording()) {
        ++m_outside[3];
        return;
    }
    m_recorder->touch(QStringLiteral("files"), [this] { return std::make_unique<FilesPart>(*this); });
}

namespace {

constexpr int kFilesPerLookThread = 256;

// A sound of a step: the file its check looks at.
struct AskedSound
{
    QString file; // its own file, or the kit file it is stored in; empty: a wave of the pad
    bool kitFile = false;
    int found = -1; // its place in what the looks found
};

AskedSound askedSound(const QString &source)
{
    const soundsource::Stored stored = soundsource::parse(source);
    const bool plain = stored.form == soundsource::Form::Plain;
    if (plain && soundsource::isPadWave(source))
        return {}; // the pad's own waves are judged by the list: the pad is not read from here
    return {plain ? source : stored.kitFile, !plain};
}

} // namespace

SoundLibrary::LookOnce::LookOnce(const SoundLibrary &library)
    : m_library(library.m_lookedAt ? nullptr : &library)
{
    if (m_library)
        m_library->m_lookedAt = std::make_unique<LookedAt>();
}

SoundLibrary::LookOnce::~LookOnce()
{
    if (m_library)
        m_library->m_lookedAt.reset();
}

void SoundLibrary::lookAtSoundFiles(int from) const
{
    LookedAt &seen = *m_lookedAt;
    // Files whose drive still holds an earlier look are not looked at again.
    const QStringList files = seen.files.mid(from);
    const std::vector<bool> silent = ztplatform::silentFiles(m_silent, files);
    QStringList looked;
    QVector<int> places;
    QVector<bool> stamped; // only a kit file's stamp is compared: with the load's
    for (int i = 0; i < files.size(); ++i) {
        if (!silent[size_t(i)]) {
            looked.append(files.at(i));
            places.append(from + i);
            stamped.append(seen.found.at(size_t(from + i)).kitFile);
        }
    }
    auto found = std::make_shared<std::vector<FoundAt>>(size_t(looked.size()));
    const int threads = std::min(std::max(1, QThread::idealThreadCount()), 1 + int(looked.size()) / kFilesPerLookThread);
    const ztplatform::FilesAcross look = ztplatform::lookAtFilesAcross(
            m_silent, looked, threads, ztplatform::kSilentLimitMs,
            [looked, stamped, found, fence = m_fence](int i) {
                const QString &path = looked.at(i);
                FoundAt &f = (*found)[size_t(i)];
                f.regular = ztplatform::lookAtFile(fence, path).type == S_IFREG;
                if (f.regular && stamped.at(i))
                    f.stamp = ztplatform::diskFileStamp(path);
            },
            m_lookWait);
    for (int i = 0; i < looked.size(); ++i) {
        if (look.answered[size_t(i)]) {
            FoundAt &f = seen.found[size_t(places.at(i))];
            f.regular = found->at(size_t(i)).regular;
            f.stamp = found->at(size_t(i)).stamp;
            f.answered = true;
        }
    }
}

QStringList SoundLibrary::goneSounds(const QStringList &sources, QStringList *unanswered) const
{
    const LookOnce once(*this); // when the step's check holds none
    LookedAt &seen = *m_lookedAt;
    const int from = seen.files.size();
    QVector<AskedSound> asked;
    asked.reserve(sources.size());
    for (const QString &source : sources) {
        asked.append(source.isEmpty() ? AskedSound() : askedSound(source));
        AskedSound &a = asked.last();
        if (a.file.isEmpty())
            continue;
        auto at = seen.places.find(a.file);
        if (at == seen.places.end()) { // each file once, unanswered unless looked at
            at = seen.places.insert(a.file, seen.files.size());
            seen.files.append(a.file);
            seen.found.push_back(FoundAt());
            seen.found.back().kitFile = a.kitFile;
        }
        a.found = at.value();
    }
    lookAtSoundFiles(from);

    QSet<QString> listed;
    QStringList gone;
    for (int i = 0; i < sources.size(); ++i) {
        const QString &source = sources.at(i);
        const AskedSound &a = asked.at(i);
        if (source.isEmpty())
            continue;
        if (a.file.isEmpty()) {
            if (listed.isEmpty()) {
                for (const SOUND_INDEX &s : m_waveLoadKitAttrList)
                    listed.insert(s.file);
            }
            if (!listed.contains(source))
                gone.append(source);
            continue;
        }
        const FoundAt &f = seen.found.at(size_t(a.found));
        if (!f.answered) {
            if (unanswered)
                unanswered->append(source);
        } else if (!f.regular || (a.kitFile && !kitFileAsLoaded(a.file, f.stamp))) {
            gone.append(source);
        }
    }
    return gone;
}

bool SoundLibrary::kitFileAsLoaded(const QString &kitFile, const ztplatform::FileStamp &now) const
{
    auto matches = [&kitFile, &now](const QVector<READ_KIT_FILE> &loaded) {
        return std::any_of(loaded.cbegin(), loaded.cend(), [&](const READ_KIT_FILE &rec) {
            return QDir::fromNativeSeparators(rec.file) == kitFile && setupfiles::matchesLoad(rec, now);
        });
    };
    if (matches(m_loadedKitFiles))
        return true;
    return std::any_of(m_heldFiles.cbegin(), m_heldFiles.cend(),
                       [&matches](const FilesState *held) { return matches(held->loaded); });
}

editstep::Recorder::Scope SoundLibrary::userStep(const QString &name, bool groups)
{
    editstep::Place place;
    place.page = groups ? editstep::Place::Groups : editstep::Place::Sounds;
    return editstep::Recorder::Scope(m_recorder, name, QString(), place);
}

void SoundLibrary::rowEdited(const QModelIndex &cell, const QString &before)
{
    const bool total = cell.model() == m_total;
    if (!m_recorder || (!total && cell.model() != m_mirror))
        return;
    const SoundsPart *had = m_openSounds;
    m_recorder->touch(QStringLiteral("sounds"), [this] { return std::make_unique<SoundsPart>(*this); });
    if (m_openSounds)
        m_openSounds->cellWas(total, cell.row(), cell.column(), before, m_openSounds != had);
}
