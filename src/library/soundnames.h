#pragma once

#include "kitfile/soundbytes.h"
#include "model/namerules.h"

#include <QString>
#include <QVector>

#include <functional>
#include <memory>

class SoundLibrary;

// Rules for the names of sounds and kits, free of any window or model.
namespace soundnames {

// True for the audio suffixes the import dialogs offer (any letter case).
bool isSoundFile(const QString &path);

// Names the sounds of one import or drop by the sound-name rule, unique
// among the sounds of the library's list and groups, and keeps each name it
// changed, for the one box that tells them.
class IncomingNames
{
public:
    // The library's names are read at the first name, its sounds' bytes at
    // the first name another sound holds.
    explicit IncomingNames(const SoundLibrary &library) : m_library(library) {}
    ~IncomingNames();

    // The name the sound of `source`, given as `given`, takes; noted when it
    // differs. The name another sound holds is kept when that sound is of
    // the same source or holds the same bytes.
    QString take(const QString &given, const QString &source);
    const QVector<namerules::NameChange> &changes() const { return m_changes; }

private:
    const SoundLibrary &m_library;
    std::unique_ptr<namerules::NamesInUse> m_names; // the library's, and those taken here
    std::unique_ptr<setupfiles::SoundBytes> m_bytes;
    QVector<namerules::NameChange> m_changes;
};

} // namespace soundnames
