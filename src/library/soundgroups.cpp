// The groups and their sounds, and the group tree's rows that show them.
#include "library/soundlibrary.h"

#include <QCoreApplication>
#include <QDebug>
#include <QIcon>

#include <algorithm>

namespace {

const char kDefaultGroup[] = "Default";

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
    m_soundGroupList.prepend({name, {}});
    m_groups->insertRow(0, new QStandardItem(name));
}

int SoundLibrary::appendGroup(const QString &name)
{
    const Edit edit(this, Groups);
    m_soundGroupList.append({name, {}});
    m_groups->appendRow(new QStandardItem(name));
    return m_soundGroupList.size() - 1;
}

void SoundLibrary::showGroupSounds(QStandardItem *group, const QVector<soundfilexml::strSoundItem> &sounds)
{
    const QIcon songIcon(QStringLiteral(":/images/song16x16_2.png"));
    const Qt::ItemFlags leaf = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled
                               | Qt::ItemNeverHasChildren;
    for (const soundfilexml::strSoundItem &s : sounds) {
        auto *name = new QStandardItem(songIcon, s.name);
        name->setFlags(leaf | Qt::ItemIsEditable);
        auto *file = new QStandardItem(s.file);
        file->setFlags(leaf);
        group->appendRow({name, file});
    }
}

void SoundLibrary::addSoundsToGroup(int group, const QVector<GroupSound> &sounds)
{
    const auto step = userStep(tr("sounds added to group %1").arg(m_soundGroupList.value(group).name), true);
    const Edit edit(this, Groups);
    QStandardItem *row = m_groups->item(group, 0);
    if (!row || group >= m_soundGroupList.size())
        return;
    QVector<soundfilexml::strSoundItem> items;
    items.reserve(sounds.size());
    for (const GroupSound &s : sounds) {
        soundfilexml::strSoundItem item;
        item.name = s.name;
        item.file = s.file;
        groupentries::setItem(item, s.bytes);
        items.append(item);
    }
    m_soundGroupList[group].soundList += items;
    showGroupSounds(row, items);
}

void SoundLibrary::renameGroup(int group, const QString &name)
{
    const auto step = userStep(tr("name of group %1").arg(name), true);
    const Edit edit(this, Groups);
    if (group < 0 || group >= m_soundGroupList.size())
        return;
    m_soundGroupList[group].name = name;
    if (QStandardItem *row = m_groups->item(group, 0))
        row->setText(name);
}

void SoundLibrary::renameGroupSound(int group, int row, const QString &name)
{
    const auto step = userStep(tr("name of sound %1").arg(name), true);
    const Edit edit(this, Groups);
    if (group < 0 || group >= m_soundGroupList.size() || row < 0
        || row >= m_soundGroupList.at(group).soundList.size())
        return;
    m_soundGroupList[group].soundList[row].name = name;
    QStandardItem *groupRow = m_groups->item(group, 0);
    if (QStandardItem *cell = groupRow ? groupRow->child(row, 0) : nullptr)
        cell->setText(name);
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
        std::sort(entry.second.begin(), entry.second.end(), std::greater<int>());
        for (int r : qAsConst(entry.second)) {
            if (r < m_soundGroupList.at(g).soundList.size())
                m_soundGroupList[g].soundList.removeAt(r);
            group->removeRow(r);
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
        m_soundGroupList.removeAt(g);
        m_groups->removeRow(g);
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
    return groupentries::repoint(m_soundGroupList, to, was, now, [this](int g, int r, const QString &file) {
        QStandardItem *group = m_groups->item(g, 0);
        if (QStandardItem *cell = group ? group->child(r, 1) : nullptr)
            cell->setText(file);
    });
}
