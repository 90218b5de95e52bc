// What the steps keep of the sound library: the sound list (its entries,
// names and rows, only the stretch a step changed), the groups, the
// metronome list and the loaded kit files.
#include "library/soundlibrary.h"

#include "kitfile/storedsounds.h"
#include "library/soundlistmodel.h"
#include "library/soundsource.h"
#include "platform/fileidentity.h"
#include "platform/regularfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <QSignalBlocker>

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
    // The stretch of a plain sequence exchanged with the one kept.
    void exchange(QVector<T> &live)
    {
        QVector<T> now = live.mid(at, count);
        live.remove(at, qMin(count, live.size() - at));
        for (int i = 0; i < kept.size(); ++i)
            live.insert(at + i, kept.at(i));
        count = kept.size();
        kept = now;
    }
};

// A stretch of a list's rows kept as the list's own items, so that an
// exchange takes rows out and puts rows in and makes or copies none; many
// rows at once quietly, the views taking them in with a reset.
struct ItemStretch
{
    int at = 0;
    int count = 0;
    QVector<QList<QStandardItem *>> kept;

    ItemStretch() = default;
    ItemStretch(const ItemStretch &) = delete;
    ItemStretch &operator=(const ItemStretch &) = delete;
    ~ItemStretch()
    {
        for (const QList<QStandardItem *> &row : qAsConst(kept))
            qDeleteAll(row);
    }

    // The rows a stretch kept, made items once.
    void take(const Stretch<Row> &rows, int columns)
    {
        at = rows.at;
        count = rows.count;
        kept.reserve(rows.kept.size());
        for (const Row &r : rows.kept)
            kept.append(itemsOf(r, columns));
    }
    bool isEmpty() const { return count == 0 && kept.isEmpty(); }
    qint64 size(int columns) const { return qint64(kept.size()) * columns * 160; }

    void exchange(QStandardItem *root, const std::function<void(const std::function<void()> &)> &quietly)
    {
        if (!root || isEmpty())
            return;
        auto change = [&] {
            const int n = qBound(0, root->rowCount() - at, count);
            QVector<QList<QStandardItem *>> now(n);
            for (int r = n - 1; r >= 0; --r) // from the last: the rows before it stay put
                now[r] = root->takeRow(at + r);
            for (int i = 0; i < kept.size(); ++i)
                root->insertRow(at + i, kept.at(i));
            count = kept.size();
            kept = now;
        };
        if (count + kept.size() > 128)
            quietly(change);
        else
            change();
    }
};

} // namespace

// ---- the sound list ------------------------------------------------------------------------------

class SoundLibrary::SoundsPart : public editstep::Part
{
public:
    explicit SoundsPart(SoundLibrary &lib)
        : m_lib(&lib)
        , m_entries(lib.m_waveLoadKitAttrList)
        , m_names(lib.m_soundList.toVector())
        , m_rootText(lib.m_currentOldGroupName)
        , m_totalRows(rowsOf(lib.m_total->m_root, 0, lib.m_total->m_root->rowCount()))
        , m_mirrorRows(rowsOf(lib.m_mirror->m_root, 0, lib.m_mirror->m_root->rowCount()))
    {
    }

    QString key() const override { return QStringLiteral("sounds"); }
    // A cell a view's editor changed already: as it was.
    void cellWas(bool total, int row, int column, const QString &text)
    {
        QVector<Row> &rows = total ? m_totalRows : m_mirrorRows;
        if (row >= 0 && row < rows.size() && column >= 0 && column < 3)
            rows[row].text[column] = text;
    }
    void settle() override
    {
        SoundLibrary &l = *m_lib;
        m_entryStretch.find(m_entries, l.m_waveLoadKitAttrList, sameEntry);
        m_nameStretch.find(m_names, l.m_soundList.toVector(), std::equal_to<QString>());
        Stretch<Row> total, mirror;
        total.find(m_totalRows, rowsOf(l.m_total->m_root, 0, l.m_total->m_root->rowCount()), std::equal_to<Row>());
        mirror.find(m_mirrorRows, rowsOf(l.m_mirror->m_root, 0, l.m_mirror->m_root->rowCount()), std::equal_to<Row>());
        m_totalStretch.take(total, 3);
        m_mirrorStretch.take(mirror, 2);
        // Their memory goes too (clear() would keep it).
        m_entries = {};
        m_names = {};
        m_totalRows = {};
        m_mirrorRows = {};
        m_mark = l.m_outside[0];
        m_settled = true;
    }
    void swap() override
    {
        if (!m_lib || !m_settled)
            return;
        SoundLibrary &l = *m_lib;
        ++l.m_listEdits;
        m_entryStretch.exchange(l.m_waveLoadKitAttrList);
        QVector<QString> names = l.m_soundList.toVector();
        m_nameStretch.exchange(names);
        l.m_soundList = QStringList(names.cbegin(), names.cend());
        std::swap(l.m_currentOldGroupName, m_rootText);
        auto quietly = [](SoundListModel *model) {
            return [model](const std::function<void()> &change) { model->quietly(change); };
        };
        m_totalStretch.exchange(l.m_total->m_root, quietly(l.m_total));
        m_mirrorStretch.exchange(l.m_mirror->m_root, quietly(l.m_mirror));
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
            return m_entryStretch.isEmpty() && m_nameStretch.isEmpty() && m_totalStretch.isEmpty()
                   && m_mirrorStretch.isEmpty();
        return m_entries.size() == l.m_waveLoadKitAttrList.size()
               && std::equal(m_entries.cbegin(), m_entries.cend(), l.m_waveLoadKitAttrList.cbegin(), sameEntry)
               && m_names == l.m_soundList.toVector() && m_rootText == l.m_currentOldGroupName
               && m_totalRows == rowsOf(l.m_total->m_root, 0, l.m_total->m_root->rowCount())
               && m_mirrorRows == rowsOf(l.m_mirror->m_root, 0, l.m_mirror->m_root->rowCount());
    }
    QStringList refusals() const override
    {
        if (!m_lib)
            return {};
        if (m_lib->m_outside[0] != m_mark)
            return {SoundLibrary::tr("The sound list changed since (a save or the pad): this step can no longer be "
                                     "undone.")};
        QStringList sources;
        for (const SOUND_INDEX &s : m_entryStretch.kept)
            sources.append(s.file);
        QStringList out;
        for (const QString &gone : m_lib->goneSounds(sources))
            out.append(SoundLibrary::tr("The sound %1 is gone.").arg(gone));
        return out;
    }
    qint64 size() const override
    {
        return qint64(sizeof(SoundsPart))
               + qint64(sizeof(SOUND_INDEX)) * (m_entryStretch.kept.size() + m_entries.size())
               + m_totalStretch.size(3) + m_mirrorStretch.size(2)
               + 16 * qint64(m_nameStretch.kept.size());
    }

private:
    QPointer<SoundLibrary> m_lib;
    // As the step found them, until it is made.
    QVector<SOUND_INDEX> m_entries;
    QVector<QString> m_names;
    QString m_rootText;
    QVector<Row> m_totalRows, m_mirrorRows;
    // Then only what it changed.
    Stretch<SOUND_INDEX> m_entryStretch;
    Stretch<QString> m_nameStretch;
    ItemStretch m_totalStretch, m_mirrorStretch;
    bool m_settled = false;
    quint64 m_mark = 0;
};

// ---- the groups ----------------------------------------------------------------------------------------

class SoundLibrary::GroupsPart : public editstep::Part
{
public:
    explicit GroupsPart(SoundLibrary &lib)
        : m_lib(&lib)
        , m_groups(lib.m_soundGroupList)
    {
    }

    QString key() const override { return QStringLiteral("groups"); }
    void settle() override { m_mark = m_lib->m_outside[1]; }
    void swap() override
    {
        if (!m_lib)
            return;
        SoundLibrary &l = *m_lib;
        std::swap(l.m_soundGroupList, m_groups);
        // The tree shows the groups again.
        const QVector<soundfilexml::strSoundGroup> groups = l.m_soundGroupList;
        l.m_groups->removeRows(0, l.m_groups->rowCount());
        l.m_soundGroupList.clear();
        l.soundListToItemModel(groups);
        emit l.groupsChanged();
    }
    bool unchanged() const override
    {
        if (!m_lib)
            return true;
        // Every field of every row, as the groups' file keeps them.
        return soundfilexml::toBytes(m_lib->m_soundGroupList) == soundfilexml::toBytes(m_groups);
    }
    QStringList refusals() const override
    {
        if (m_lib && m_lib->m_outside[1] != m_mark)
            return {SoundLibrary::tr("The sound groups changed since (a save): this step can no longer be undone.")};
        return {};
    }
    qint64 size() const override { return qint64(sizeof(GroupsPart)) + 32 * qint64(m_groups.size()); }

private:
    QPointer<SoundLibrary> m_lib;
    QVector<soundfilexml::strSoundGroup> m_groups;
    quint64 m_mark = 0;
};

// ---- the metronome list ---------------------------------------------------------------------------------

class SoundLibrary::ClicksPart : public editstep::Part
{
public:
    explicit ClicksPart(SoundLibrary &lib)
        : m_lib(&lib)
    {
        take(m_state);
    }

    QString key() const override { return QStringLiteral("clicks"); }
    void settle() override { m_mark = m_lib->m_outside[2]; }
    void swap() override
    {
        if (!m_lib)
            return;
        State live;
        take(live);
        put(m_state);
        m_state = live;
        emit m_lib->clickSoundsChanged();
    }
    bool unchanged() const override
    {
        if (!m_lib)
            return true;
        State live;
        take(live);
        return live == m_state;
    }
    QStringList refusals() const override
    {
        if (m_lib && m_lib->m_outside[2] != m_mark)
            return {SoundLibrary::tr("The metronome sounds changed since: this step can no longer be undone.")};
        return {};
    }
    qint64 size() const override { return qint64(sizeof(ClicksPart)); }

private:
    struct Group
    {
        QString name;
        QVector<Row> rows;
        bool operator==(const Group &o) const { return name == o.name && rows == o.rows; }
    };
    struct State
    {
        QVector<SOUND_LIST_INFO> list;
        QVector<SOUND_INDEX> records;
        bool deviceFlag = false;
        QVector<Group> groups;
        bool operator==(const State &o) const
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
    void take(State &s) const
    {
        const SoundLibrary &l = *m_lib;
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
    void put(const State &s)
    {
        SoundLibrary &l = *m_lib;
        l.m_clickList = s.list;
        l.m_clickSetList = s.records;
        l.m_clickDeviceFlag = s.deviceFlag;
        l.m_clicks->rebuild([&l, &s] {
            for (const Group &g : s.groups) {
                auto *group = new QStandardItem(g.name);
                for (const Row &row : g.rows)
                    group->appendRow(itemsOf(row, 3));
                l.m_clicks->appendRow(group);
            }
        });
    }

    QPointer<SoundLibrary> m_lib;
    State m_state;
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

    bool sameAs(const FilesState &o) const
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

class SoundLibrary::FilesPart : public editstep::Part
{
public:
    explicit FilesPart(SoundLibrary &lib)
        : m_lib(&lib)
    {
        take(m_state);
        lib.m_heldFiles.insert(&m_state);
    }
    ~FilesPart() override
    {
        if (m_lib)
            m_lib->m_heldFiles.remove(&m_state);
    }

    QString key() const override { return QStringLiteral("files"); }
    void settle() override { m_mark = m_lib->m_outside[3]; }
    void swap() override
    {
        if (!m_lib)
            return;
        FilesState live;
        take(live);
        put(m_state);
        m_state = live;
    }
    bool unchanged() const override
    {
        if (!m_lib)
            return true;
        FilesState live;
        take(live);
        return live.sameAs(m_state);
    }
    QStringList refusals() const override
    {
        if (m_lib && m_lib->m_outside[3] != m_mark)
            return {SoundLibrary::tr("The loaded kit files changed since (a save): this step can no longer be "
                                     "undone.")};
        return {};
    }
    qint64 size() const override { return qint64(sizeof(FilesPart)); }

private:
    void take(FilesState &s) const
    {
        const SoundLibrary &l = *m_lib;
        s.loaded = l.m_loadedKitFiles;
        s.shared = l.m_sharedSounds;
        s.loadClickFlag = l.m_loadClickFlag;
        s.binFile = l.m_binFilePath;
        s.globalFile = l.m_globalFilePath;
        s.kitFiles = l.m_kitFileList;
        s.recorded = l.m_recordKitFileList;
        s.recordedKits = l.m_recordKitIndexList;
    }
    void put(const FilesState &s)
    {
        SoundLibrary &l = *m_lib;
        l.m_loadedKitFiles = s.loaded;
        l.m_sharedSounds = s.shared;
        l.m_loadClickFlag = s.loadClickFlag;
        l.m_binFilePath = s.binFile;
        l.m_globalFilePath = s.globalFile;
        l.m_kitFileList = s.kitFiles;
        l.m_recordKitFileList = s.recorded;
        l.m_recordKitIndexList = s.recordedKits;
    }

    QPointer<SoundLibrary> m_lib;
    FilesState m_state;
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
                return std::make_unique<GroupsPart>(*this);
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

QStringList SoundLibrary::goneSounds(const QStringList &sources) const
{
    QSet<QString> listed;
    QHash<QString, bool> kitFiles; // kit file -> as a load read it
    QStringList gone;
    for (const QString &source : sources) {
        if (source.isEmpty())
            continue;
        const soundsource::Stored stored = soundsource::parse(source);
        if (stored.form == soundsource::Form::Plain) {
            // The pad's own waves are judged by the list: the pad is not read from here.
            if (soundsource::isPadWave(source)) {
                if (listed.isEmpty()) {
                    for (const SOUND_INDEX &s : m_waveLoadKitAttrList)
                        listed.insert(s.file);
                }
                if (!listed.contains(source))
                    gone.append(source);
            } else if (!ztplatform::isRegularFile(source)) {
                gone.append(source);
            }
            continue;
        }
        auto it = kitFiles.find(stored.kitFile);
        if (it == kitFiles.end())
            it = kitFiles.insert(stored.kitFile, kitFileAsLoaded(stored.kitFile));
        if (!it.value())
            gone.append(source);
    }
    return gone;
}

bool SoundLibrary::kitFileAsLoaded(const QString &kitFile) const
{
    if (!ztplatform::isRegularFile(kitFile))
        return false;
    const ztplatform::FileStamp now = ztplatform::fileStamp(kitFile);
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
    m_recorder->touch(QStringLiteral("sounds"), [&] {
        auto part = std::make_unique<SoundsPart>(*this);
        part->cellWas(total, cell.row(), cell.column(), before);
        return part;
    });
}
