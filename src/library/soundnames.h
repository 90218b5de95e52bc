#pragma once

#include "model/namerules.h"

#include <QSet>
#include <QString>
#include <QVector>

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
    // `taken`: the names a "SOUND~nnnnn" must not repeat (those of the list
    // the sounds join).
    explicit IncomingNames(QSet<QString> taken) : m_taken(std::move(taken)) {}

    // The name `given` becomes; noted when it differs.
    QString take(const QString &given);
    const QVector<namerules::NameChange> &changes() const { return m_changes; }

private:
    QSet<QString> m_taken;
    QVector<namerules::NameChange> m_changes;
};

} // namespace soundnames
