#pragma once

#include "model/namerules.h"

#include <QSet>
#include <QString>
#include <QVector>

#include <functional>

// Rules for the names of sounds and kits, free of any window or model.
namespace soundnames {

// The last path segment (after the native separator) without its last suffix.
QString nameFromFile(const QString &path);

// True for the audio suffixes the import dialogs offer (any letter case).
bool isSoundFile(const QString &path);

// Names the sounds of one import or drop by the sound-name rule and keeps
// each name it changed, for the one box that tells them.
class IncomingNames
{
public:
    // `listed` gives the names a "SOUND~nnnnn" must not repeat (those of the
    // list the sounds join); it is asked only when a name needs one, once.
    explicit IncomingNames(std::function<QSet<QString>()> listed) : m_listed(std::move(listed)) {}

    // The name `given` becomes; noted when it differs.
    QString take(const QString &given);
    const QVector<namerules::NameChange> &changes() const { return m_changes; }

private:
    bool taken(const QString &name);

    std::function<QSet<QString>()> m_listed;
    QSet<QString> m_listedNames;
    bool m_asked = false;
    QSet<QString> m_taken; // names given in this batch
    QVector<namerules::NameChange> m_changes;
};

} // namespace soundnames
