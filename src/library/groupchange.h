#pragma once

#include "model/soundfilexml.h"

#include <QList>
#include <QString>
#include <QVector>

class QStandardItem;

// One change of the sound groups, as it is made and as a step keeps it.
// Groups and Rows: from `at` (a group, or a row of group `group`), the
// `count` groups or rows standing there give way to those kept here (with
// their rows of the group tree). GroupName, SoundName and Sound: the name
// of group `at`, or the name or the whole of row `at` of group `group`, is
// exchanged with the one kept. Once made it keeps what undoes it, and once
// undone what redoes it.
struct GroupChange
{
    enum Kind { Groups, Rows, GroupName, SoundName, Sound };

    Kind kind = Rows;
    int group = -1;
    int at = 0;
    int count = 0;
    QVector<soundfilexml::strSoundGroup> groups;
    QVector<soundfilexml::strSoundItem> items;
    QVector<QList<QStandardItem *>> rows; // owned while kept here
    QString name;

    GroupChange() = default;
    GroupChange(Kind k, int g, int a)
        : kind(k)
        , group(g)
        , at(a)
    {
    }
    GroupChange(GroupChange &&other) noexcept { swap(other); }
    GroupChange &operator=(GroupChange &&other) noexcept
    {
        swap(other);
        return *this;
    }
    GroupChange(const GroupChange &) = delete;
    GroupChange &operator=(const GroupChange &) = delete;
    ~GroupChange();

    void swap(GroupChange &other) noexcept;
    // Roughly what it keeps, in bytes.
    qint64 size() const;
};
