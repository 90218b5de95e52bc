#pragma once

#include <QString>
#include <QVector>

// The sound names of each group of the group tree, one list per group. A
// list is made when a group beyond the last one is first used, so there are
// as many as the tree has groups.
class GroupNameLists : public QVector<QVector<QString>>
{
public:
    QVector<QString> &operator[](int group)
    {
        if (group >= size())
            resize(group + 1);
        return QVector<QVector<QString>>::operator[](group);
    }
    const QVector<QString> &operator[](int group) const
    {
        static const QVector<QString> none;
        return group < size() ? QVector<QVector<QString>>::operator[](group) : none;
    }
};
