#include "library/soundnameindex.h"

#include <cstring>

namespace {

bool sameText(const QString &a, const QString &b)
{
    return a.constData() == b.constData() || a == b;
}

// Takes out the rows of `was` between the rows both share at their ends and
// puts in those of `now`.
template <typename T, typename Same, typename Add, typename Remove>
void follow(const QVector<T> &was, const QVector<T> &now, Same same, Add add, Remove remove)
{
    if (was.constData() == now.constData() && was.size() == now.size())
        return;
    const int common = qMin(was.size(), now.size());
    int head = 0;
    while (head < common && same(was.at(head), now.at(head)))
        ++head;
    int tail = 0;
    while (tail < common - head && same(was.at(was.size() - 1 - tail), now.at(now.size() - 1 - tail)))
        ++tail;
    for (int i = head; i < was.size() - tail; ++i)
        remove(was.at(i));
    for (int i = head; i < now.size() - tail; ++i)
        add(now.at(i));
}

} // namespace

const namerules::NamesInUse &SoundNameIndex::names(const QVector<MainWindow1Records::SOUND_INDEX> &list,
                                                   const QVector<soundfilexml::strSoundGroup> &groups,
                                                   bool appendedOnly)
{
    using Entry = MainWindow1Records::SOUND_INDEX;
    auto nameOf = [](const Entry &s) { return percussionpadfile::charArray2String(s.wave_name, SOUND_NAME_LENGTH_MAX); };
    if (appendedOnly && list.size() >= m_list.size()) {
        for (int i = m_list.size(); i < list.size(); ++i) {
            m_names.add(nameOf(list.at(i)), list.at(i).file);
            m_list.append(list.at(i));
        }
    } else {
        follow(
            m_list, list,
            [](const Entry &a, const Entry &b) {
                return std::memcmp(a.wave_name, b.wave_name, sizeof a.wave_name) == 0 && sameText(a.file, b.file);
            },
            [&](const Entry &s) { m_names.add(nameOf(s), s.file); },
            [&](const Entry &s) { m_names.remove(nameOf(s), s.file); });
        // Not shared: the list's next append would copy it whole.
        m_list = list;
        m_list.detach();
    }
    const QVector<soundfilexml::strSoundItem> none;
    for (int g = 0; g < qMax(m_groups.size(), groups.size()); ++g)
        followItems(g < m_groups.size() ? m_groups.at(g).soundList : none,
                    g < groups.size() ? groups.at(g).soundList : none);
    m_groups = groups;
    return m_names;
}

void SoundNameIndex::followItems(const QVector<soundfilexml::strSoundItem> &was,
                                 const QVector<soundfilexml::strSoundItem> &now)
{
    using Item = soundfilexml::strSoundItem;
    follow(
        was, now, [](const Item &a, const Item &b) { return sameText(a.name, b.name) && sameText(a.file, b.file); },
        [this](const Item &i) { m_names.add(i.name.trimmed(), i.file); },
        [this](const Item &i) { m_names.remove(i.name.trimmed(), i.file); });
}
