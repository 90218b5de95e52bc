// What the steps keep of the sound groups: each change as it was made (the
// groups or rows it put in or took out, a name), never the groups whole.
#include "library/soundlibrary.h"

#include "library/groupchange.h"

#include <QIcon>
#include <QPointer>
#include <QSignalBlocker>

#include <algorithm>

namespace {

using Groups = QVector<soundfilexml::strSoundGroup>;
using Sounds = QVector<soundfilexml::strSoundItem>;
using Rows = QVector<QList<QStandardItem *>>;

constexpr qint64 kCellBytes = 160; // a cell of the group tree, roughly

qint64 itemBytes(const soundfilexml::strSoundItem &i)
{
    qint64 bytes = sizeof i;
    for (const QString *s : {&i.index, &i.name, &i.file, &i.waveLock, &i.start_cluster, &i.wave_length, &i.wave_start,
                             &i.wave_end, &i.entryName, &i.entryLength, &i.entryDigest, &i.entrySeen})
        bytes += 2 * qint64(s->size());
    return bytes;
}

// Rows `from` .. `from + n` taken out, the last first: those before stay put.
template <class Take>
Rows takeRows(int from, int n, Take take)
{
    Rows taken(n);
    for (int i = n - 1; i >= 0; --i)
        taken[i] = take(from + i);
    return taken;
}

void exchangeGroupStretch(Groups &list, QStandardItemModel &tree, GroupChange &c)
{
    const int from = qBound(0, c.at, int(list.size()));
    const int n = qBound(0, c.count, int(list.size()) - from);
    Groups taken;
    taken.reserve(n);
    for (int i = 0; i < n; ++i)
        taken.append(std::move(list[from + i]));
    list.remove(from, n);
    Rows takenRows = takeRows(from, n, [&tree](int r) { return tree.takeRow(r); });
    for (int i = 0; i < c.groups.size(); ++i) {
        list.insert(from + i, std::move(c.groups[i]));
        tree.insertRow(from + i, c.rows.value(i));
    }
    c.at = from;
    c.count = c.groups.size();
    c.groups = std::move(taken);
    c.rows = std::move(takenRows); // those put in are the tree's now
}

void exchangeRowStretch(Groups &list, QStandardItemModel &tree, GroupChange &c)
{
    QStandardItem *parent = tree.item(c.group, 0);
    if (c.group < 0 || c.group >= list.size() || !parent)
        return;
    Sounds &sounds = list[c.group].soundList;
    const int from = qBound(0, c.at, int(sounds.size()));
    const int n = qBound(0, c.count, int(sounds.size()) - from);
    Sounds taken;
    taken.reserve(n);
    for (int i = 0; i < n; ++i)
        taken.append(std::move(sounds[from + i]));
    sounds.remove(from, n);
    Rows takenRows = takeRows(from, n, [parent](int r) { return parent->takeRow(r); });
    if (!c.items.isEmpty()) {
        sounds.insert(from, c.items.size(), soundfilexml::strSoundItem());
        for (int i = 0; i < c.items.size(); ++i)
            sounds[from + i] = std::move(c.items[i]);
    }
    for (int i = 0; i < c.rows.size(); ++i)
        parent->insertRow(from + i, c.rows.at(i));
    c.at = from;
    c.count = c.items.size();
    c.items = std::move(taken);
    c.rows = std::move(takenRows);
}

// A cell shows the text kept: no edit of the user's, so the slots that take
// a typed name hear nothing.
void showQuietly(QStandardItemModel &tree, QStandardItem *cell, const QString &text)
{
    if (!cell || cell->text() == text)
        return;
    const QSignalBlocker quiet(&tree);
    cell->setText(text);
}

void exchangeCell(Groups &list, QStandardItemModel &tree, GroupChange &c)
{
    if (c.kind == GroupChange::GroupName) {
        if (c.at < 0 || c.at >= list.size())
            return;
        std::swap(list[c.at].name, c.name);
        showQuietly(tree, tree.item(c.at, 0), list.at(c.at).name);
        return;
    }
    if (c.group < 0 || c.group >= list.size() || c.at < 0 || c.at >= list.at(c.group).soundList.size())
        return;
    soundfilexml::strSoundItem &item = list[c.group].soundList[c.at];
    if (c.kind == GroupChange::SoundName)
        std::swap(item.name, c.name);
    else if (!c.items.isEmpty())
        std::swap(item, c.items[0]);
    QStandardItem *parent = tree.item(c.group, 0);
    if (!parent)
        return;
    showQuietly(tree, parent->child(c.at, 0), item.name);
    if (c.kind == GroupChange::Sound)
        showQuietly(tree, parent->child(c.at, 1), item.file);
}

} // namespace

GroupChange::~GroupChange()
{
    for (const QList<QStandardItem *> &row : qAsConst(rows))
        qDeleteAll(row);
}

void GroupChange::swap(GroupChange &other) noexcept
{
    std::swap(kind, other.kind);
    std::swap(group, other.group);
    std::swap(at, other.at);
    std::swap(count, other.count);
    groups.swap(other.groups);
    items.swap(other.items);
    rows.swap(other.rows);
    name.swap(other.name);
}

qint64 GroupChange::size() const
{
    qint64 bytes = qint64(sizeof(GroupChange)) + 2 * qint64(name.size());
    for (const soundfilexml::strSoundGroup &g : groups) {
        bytes += qint64(sizeof g) + 2 * qint64(g.name.size());
        for (const soundfilexml::strSoundItem &item : g.soundList)
            bytes += itemBytes(item) + 2 * kCellBytes;
    }
    for (const soundfilexml::strSoundItem &item : items)
        bytes += itemBytes(item);
    return bytes + qint64(rows.size()) * (kind == Rows ? 2 : 1) * kCellBytes;
}

class SoundLibrary::GroupsPart : public editstep::Part
{
public:
    explicit GroupsPart(SoundLibrary &lib)
        : m_lib(&lib)
    {
        lib.m_openGroups = this;
    }
    ~GroupsPart() override
    {
        if (m_lib && m_lib->m_openGroups == this)
            m_lib->m_openGroups = nullptr;
    }

    void keep(GroupChange &&change) { m_changes.push_back(std::move(change)); }

    QString key() const override { return QStringLiteral("groups"); }
    void settle() override
    {
        m_mark = m_lib->m_outside[1];
        if (m_lib->m_openGroups == this)
            m_lib->m_openGroups = nullptr;
        m_changes.shrink_to_fit();
    }
    void swap() override
    {
        if (!m_lib)
            return;
        for (auto it = m_changes.rbegin(); it != m_changes.rend(); ++it)
            m_lib->exchangeGroups(*it);
        std::reverse(m_changes.begin(), m_changes.end()); // each now undoes its own undo
        emit m_lib->groupsChanged();
    }
    bool unchanged() const override { return m_changes.empty(); }
    QStringList refusals() const override
    {
        if (m_lib && m_lib->m_outside[1] != m_mark)
            return {SoundLibrary::tr("The sound groups changed since (a save): this step can no longer be undone.")};
        return {};
    }
    qint64 size() const override
    {
        qint64 bytes = qint64(sizeof(GroupsPart));
        for (const GroupChange &c : m_changes)
            bytes += c.size();
        return bytes;
    }
    void absorb(editstep::Part &later) override
    {
        auto &other = static_cast<GroupsPart &>(later);
        for (GroupChange &c : other.m_changes)
            m_changes.push_back(std::move(c));
        other.m_changes.clear();
    }

private:
    QPointer<SoundLibrary> m_lib;
    std::vector<GroupChange> m_changes; // in the order made (undone: in the order that redoes them)
    quint64 m_mark = 0;
};

std::unique_ptr<editstep::Part> SoundLibrary::groupsPart()
{
    return std::make_unique<GroupsPart>(*this);
}

void SoundLibrary::exchangeGroups(GroupChange &change)
{
    if (change.kind == GroupChange::Groups)
        exchangeGroupStretch(m_soundGroupList, *m_groups, change);
    else if (change.kind == GroupChange::Rows)
        exchangeRowStretch(m_soundGroupList, *m_groups, change);
    else
        exchangeCell(m_soundGroupList, *m_groups, change);
}

void SoundLibrary::changeGroups(GroupChange &&change)
{
    exchangeGroups(change);
    const bool stretch = change.kind == GroupChange::Groups || change.kind == GroupChange::Rows;
    if (stretch && change.count == 0 && change.groups.isEmpty() && change.items.isEmpty())
        return; // nothing was put in or taken out
    if (m_openGroups)
        m_openGroups->keep(std::move(change));
}

QVector<QList<QStandardItem *>> SoundLibrary::groupRows(const QVector<soundfilexml::strSoundItem> &sounds)
{
    const QIcon songIcon(QStringLiteral(":/images/song16x16_2.png"));
    const Qt::ItemFlags leaf = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled
                               | Qt::ItemNeverHasChildren;
    QVector<QList<QStandardItem *>> rows;
    rows.reserve(sounds.size());
    for (const soundfilexml::strSoundItem &s : sounds) {
        auto *name = new QStandardItem(songIcon, s.name);
        name->setFlags(leaf | Qt::ItemIsEditable);
        auto *file = new QStandardItem(s.file);
        file->setFlags(leaf);
        rows.append(QList<QStandardItem *>{name, file});
    }
    return rows;
}

void SoundLibrary::insertGroup(int at, const QString &name, bool editable)
{
    GroupChange change(GroupChange::Groups, -1, at);
    change.groups.append({name, {}});
    auto *row = new QStandardItem(name);
    row->setEditable(editable);
    change.rows.append(QList<QStandardItem *>{row});
    changeGroups(std::move(change));
}
