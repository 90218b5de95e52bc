// The groups and their sounds, and the group tree's rows that show them.
#include "library/soundlibrary.h"

#include "library/groupchange.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

const char kDefaultGroup[] = "Default";

// A row shows a name as the groups keep it, however it was typed.
void showName(QStandardItem *cell, const QString &name)
{
    if (cell && cell->text() != name)
        cell->setText(name);
}

} // namespace

QVector<QString> SoundLibrary::leftGroupList() const
{
    QVector<QString> names;
    names.reserve(m_soundGroupList.size());
    for (int g = m_soundGroupList.size() - 1; g >= 0; --g)
        names.append(m_soundGroupList.at(g).name);
    return names;
}

GroupNameLists SoundLibrary::leftSoundList() const
{
    GroupNameLists lists;
    for (int g = m_soundGroupList.size() - 1, k = 0; g >= 0; --g, ++k) {
        QVector<QString> &names = lists[k];
        for (const soundfilexml::strSoundItem &s : m_soundGroupList.at(g).soundList)
            names.append(s.name);
    }
    return lists;
}

int SoundLibrary::getGroupIndexFromModel(const QString &name) const
{
    for (int g = 0; g < m_soundGroupList.size(); ++g) {
        if (m_soundGroupList.at(g).name.trimmed() == name)
            return g;
    }
    return m_soundGroupList.size();
}

void SoundLibrary::addGroup(const QString &name)
{
    const auto step = userStep(tr("new group %1").arg(name), true);
    const Edit edit(this, Groups);
    insertGroup(0, name, true);
}

int SoundLibrary::appendGroup(const QString &name)
{
    const Edit edit(this, Groups);
    insertGroup(m_soundGroupList.size(), name, true);
    return m_soundGroupList.size() - 1;
}

void SoundLibrary::addSoundsToGroup(int group, const QVector<GroupSound> &sounds)
{
    const auto step = userStep(tr("sounds added to group %1").arg(m_soundGroupList.value(group).name), true);
    const Edit edit(this, Groups);
    if (group < 0 || group >= m_soundGroupList.size() || sounds.isEmpty())
        return;
    GroupChange change(GroupChange::Rows, group, m_soundGroupList.at(group).soundList.size());
    change.items.reserve(sounds.size());
    for (const GroupSound &s : sounds) {
        soundfilexml::strSoundItem item;
        item.name = s.name;
        item.file = s.file;
        groupentries::setItem(item, s.bytes);
        change.items.append(item);
    }
    change.rows = groupRows(change.items);
    changeGroups(std::move(change));
}

void SoundLibrary::renameGroup(int group, const QString &name)
{
    if (group < 0 || group >= m_soundGroupList.size())
        return;
    if (m_soundGroupList.at(group).name != name) {
        const auto step = userStep(tr("name of group %1").arg(name), true);
        const Edit edit(this, Groups);
        GroupChange change(GroupChange::GroupName, -1, group);
        change.name = name;
        changeGroups(std::move(change));
    }
    showName(m_groups->item(group, 0), name);
}

void SoundLibrary::renameGroupSound(int group, int row, const QString &name)
{
    if (group < 0 || group >= m_soundGroupList.size() || row < 0
        || row >= m_soundGroupList.at(group).soundList.size())
        return;
    if (m_soundGroupList.at(group).soundList.at(row).name != name) {
        const auto step = userStep(tr("name of sound %1").arg(name), true);
        const Edit edit(this, Groups);
        GroupChange change(GroupChange::SoundName, group, row);
        change.name = name;
        changeGroups(std::move(change));
    }
    QStandardItem *groupRow = m_groups->item(group, 0);
    showName(groupRow ? groupRow->child(row, 0) : nullptr, name);
}

void SoundLibrary::deleteFromGroups(QVector<int> groups, QVector<QPair<int, QVector<int>>> sounds)
{
    const auto step = userStep(tr("DEL in the sound groups"), true);
    const Edit edit(this, Groups);
    for (QPair<int, QVector<int>> &entry : sounds) {
        const int g = entry.first;
        QStandardItem *group = m_groups->item(g, 0);
        if (!group || g >= m_soundGroupList.size())
            continue;
        if (entry.second.size() == group->rowCount()) {
            if (groups.contains(g))
                continue; // goes whole below
            groups.append(g);
        }
        QVector<int> &rows = entry.second;
        std::sort(rows.begin(), rows.end(), std::greater<int>());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        // Each run of rows in one change, the last run first: the rows before stay put.
        for (int i = 0; i < rows.size();) {
            int j = i + 1;
            while (j < rows.size() && rows.at(j) == rows.at(j - 1) - 1)
                ++j;
            GroupChange change(GroupChange::Rows, g, rows.at(j - 1));
            change.count = j - i;
            changeGroups(std::move(change));
            i = j;
        }
    }
    groups.erase(std::remove_if(groups.begin(), groups.end(),
                                [this](int g) {
                                    return g < 0 || g >= m_soundGroupList.size()
                                           || m_soundGroupList.at(g).name == QLatin1String(kDefaultGroup);
                                }),
                 groups.end());
    std::sort(groups.begin(), groups.end(), std::greater<int>());
    groups.erase(std::unique(groups.begin(), groups.end()), groups.end());
    for (int g : qAsConst(groups)) {
        GroupChange change(GroupChange::Groups, -1, g);
        change.count = 1;
        changeGroups(std::move(change));
    }
}

QString SoundLibrary::groupSoundLost(int group, int row) const
{
    if (group < 0 || group >= m_soundGroupList.size() || row < 0
        || row >= m_soundGroupList.at(group).soundList.size() || !m_soundGroupList.at(group).soundList.at(row).lost)
        return QString();
    return QCoreApplication::translate("MainWindow1",
                                       "The bytes of this sound were found neither in the file it names nor in "
                                       "\"Kept sounds\" when the editor started: it would be another sound, so it "
                                       "cannot be previewed, dragged or saved.");
}

bool SoundLibrary::repointGroupSounds(const QHash<QString, QString> &to,
                                      const QHash<QString, groupentries::Identity> &was,
                                      const QHash<QString, groupentries::Identity> &now)
{
    const Edit edit(this, Groups);
    if (!m_openGroups) {
        return groupentries::repoint(m_soundGroupList, to, was, now, [this](int g, int r, const QString &file) {
            QStandardItem *group = m_groups->item(g, 0);
            if (QStandardItem *cell = group ? group->child(r, 1) : nullptr)
                cell->setText(file);
        });
    }
    // Within a step: each row moved is a change it keeps.
    QVector<soundfilexml::strSoundGroup> moved = m_soundGroupList;
    QVector<QPair<int, int>> rows;
    const bool any = groupentries::repoint(moved, to, was, now,
                                           [&rows](int g, int r, const QString &) { rows.append({g, r}); });
    for (const QPair<int, int> &at : qAsConst(rows)) {
        GroupChange change(GroupChange::Sound, at.first, at.second);
        change.items.append(moved.at(at.first).soundList.at(at.second));
        changeGroups(std::move(change));
    }
    return any;
}
