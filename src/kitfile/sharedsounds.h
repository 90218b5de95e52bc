#ifndef ZT_KITFILE_SHAREDSOUNDS_H
#define ZT_KITFILE_SHAREDSOUNDS_H

// Sounds of kit files that the sound list holds once. A sound of a kit file
// whose name and stored bytes equal those of a sound of the list (stored in a
// loaded kit file), or of one taken before it from the same file, is not added
// again: its source stands for that sound of the list, its twin.

#include "model/mainwindow1records.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include "platform/waiter.h"

#include <functional>
#include <memory>

class QFile;

namespace ztplatform {
class FolderFence;
class SilentFiles;
}

namespace setupfiles {

using Records = MainWindow1Records;
class StoredIn;

using ztplatform::kSilentLimitMs;
using ztplatform::nowMs;

// A digest of `length` bytes from `start` of an open file; empty when they
// cannot all be read. `read` (when given) is told after each block.
QByteArray storedDigest(QFile &file, quint32 start, quint32 length, const std::function<void()> &read = {});

class SharedSounds
{
public:
    // The source under which the list holds the sound of `source`.
    QString listSource(const QString &source) const { return m_twinOf.value(source, source); }
    // Each kit-file source not added -> the list source it stands for.
    const QHash<QString, QString> &twins() const { return m_twinOf; }

    // The sounds just taken from kitFile (their sources as given) that the
    // list already holds: position in `taken` -> list source. Sounds of the
    // list are read from their loaded kit files; digests are kept, so that
    // each is read once. A list sound matches only while its file is checked
    // unchanged since its load, its kept digest too. Each sound of `taken`
    // that is added stays known by its digest. The list's kit files are read
    // on a thread of their own, waited on through `wait`, and so is kitFile: one
    // whose drive stops answering matches nothing. A kit file whose look is
    // given up on stays silent in `silent`. The files are read past `fence`,
    // through its disk.
    QHash<int, QString> match(const QString &kitFile, const QVector<Records::SOUND_INDEX> &taken,
                              const QVector<Records::SOUND_INDEX> &library,
                              const QVector<Records::READ_KIT_FILE> &loaded,
                              const std::shared_ptr<ztplatform::SilentFiles> &silent,
                              const ztplatform::Waiter &wait = {},
                              const std::shared_ptr<ztplatform::FolderFence> &fence = nullptr);
    void addTwin(const QString &source, const QString &listSource) { m_twinOf.insert(source, listSource); }

    // Before list sources leave (those `leaving` names, such as the sounds
    // stored in a kit file): each that a source `leaving` does not name stands
    // for hands over to that one, each source asked once. Returns the list
    // source leaving -> its twin taking its place.
    QHash<QString, QString> handOverWhere(const std::function<bool(const QString &)> &leaving);
    // Forgets the twins and digests of the sounds stored in a kit file.
    void forget(const StoredIn &gone);
    void clear();

private:
    QHash<QString, QString> m_twinOf;     // kit-file source not added -> list source
    QHash<QString, QByteArray> m_digests; // source -> digest of its stored bytes
};

} // namespace setupfiles

#endif
