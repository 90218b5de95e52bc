#include "kitfile/soundsin.h"

#include "model/bytepack.h"
#include "model/namerules.h"
#include "kitfile/sharedsounds.h"
#include "kitfile/soundsource.h"
#include "platform/regularfile.h"
#include "platform/sysio.h"

#include <QDebug>
#include <QFile>
#include <QHash>
#include <QSet>

namespace setupfiles {

namespace {

using Entry = percussionpadfile::P_SOUND_INDEX;

// Opens the kit file at its first use (unless it is handed open) and checks
// where sounds lie in it.
class WaveChecker
{
public:
    WaveChecker(const QString &path, QFile *opened, std::function<void()> moved, ztplatform::Disk &disk)
        : m_own(path, &disk), m_file(opened && opened->isOpen() ? *opened : m_own), m_moved(std::move(moved)),
          m_disk(disk)
    {
        if (&m_file != &m_own)
            m_size = m_file.size();
    }

    // The entry's bytes lie inside the file and, when `riff`, begin with "RIFF"
    // of their own: an empty wave would show the next wave's tag.
    LoadError check(const Entry &e, bool riff)
    {
        if (!m_file.isOpen() && &m_file == &m_own) {
            // Through the editor's disk, a link followed.
            if (!ztplatform::openRegularFile(m_own.fileName(), m_own, false)) {
                qWarning() << "cannot open" << m_file.fileName() << "to check its sounds";
                return LoadError::SoundOpen;
            }
            m_size = m_file.size();
            moved();
        }
        if (qint64(e.wave_start) + qint64(e.wave_length) > m_size)
            return LoadError::SoundFormat;
        if (!riff)
            return LoadError::None;
        uchar head[4] = {};
        if (e.wave_length < sizeof head)
            return LoadError::SoundFormat;
        if (!readAt(qint64(e.wave_start), head, sizeof head)
            || bytepack::get32(head) != percussionpadfile::str2int(QStringLiteral("RIFF")))
            return LoadError::SoundFormat;
        moved();
        return LoadError::None;
    }

private:
    ztplatform::sysio::SeamFile m_own;
    QFile &m_file;
    const std::function<void()> m_moved;
    ztplatform::Disk &m_disk;
    qint64 m_size = 0;

    void moved() const
    {
        if (m_moved)
            m_moved();
    }

    // Only the bytes asked for, through the descriptor where the file has one.
    bool readAt(qint64 offset, uchar *to, qint64 size)
    {
        const int fd = m_file.handle();
        if (fd >= 0)
            return m_disk.read(fd, reinterpret_cast<char *>(to), size, offset) == size;
        return m_file.seek(offset) && m_file.read(reinterpret_cast<char *>(to), size) == size;
    }
};

LoadError refuse(percussionpadfile &pf, LoadError e)
{
    takeSources(pf, {});
    return e;
}

} // namespace

QString fitKitFileSoundName(const QString &name, bool *renamed)
{
    const int wav = name.indexOf(QLatin1String(".wav"));
    const QString cut = wav >= 0 ? name.left(wav) : name;
    const QString fit = namerules::asciiSoundName(cut);
    if (renamed)
        *renamed = fit != cut;
    return fit;
}

namespace {

// The names a kit file's sounds take: a sound left without one takes the
// first "SOUND~nnnnn" neither `library` nor an earlier sound of the file has.
class NameTaker
{
public:
    explicit NameTaker(const QVector<Records::SOUND_INDEX> &library) : m_library(library) {}

    QString take(const QString &fit)
    {
        const QString name = fit.isEmpty() ? namerules::soundName(fit, [this](const QString &c) { return taken(c); })
                                           : fit;
        m_given.insert(name);
        return name;
    }

private:
    bool taken(const QString &name)
    {
        if (!m_listed) {
            m_listed = true;
            for (const Records::SOUND_INDEX &s : m_library)
                m_given.insert(percussionpadfile::charArray2String(s.wave_name, SOUND_NAME_LENGTH_MAX));
        }
        return m_given.contains(name);
    }

    const QVector<Records::SOUND_INDEX> m_library; // shared, not copied
    QSet<QString> m_given;
    bool m_listed = false;
};

// The names of a whole setup's waves: unique among each other and the
// groups' sounds, but a wave with the name and the bytes of an earlier one
// takes that one's name.
class SetupWaveNames
{
public:
    SetupWaveNames(const QString &file, QFile *opened, const namerules::NamesInUse &groups, SoundBytes *bytes)
        : m_path(file), m_own(file, &ztplatform::diskOf(bytes ? bytes->fence() : nullptr)),
          m_file(opened && opened->isOpen() ? *opened : m_own), m_inUse(groups),
          m_bytes(bytes)
    {
    }

    QString take(const QString &stored, const QString &source, const Entry &e, bool *unique)
    {
        const QString ruled = namerules::asciiSoundName(stored);
        const auto earlier = m_byRuled.constFind(ruled);
        if (!ruled.isEmpty() && earlier != m_byRuled.constEnd() && sameBytes(*earlier, e)) {
            *unique = false;
            return earlier->name;
        }
        const SoundBytes::Place place{m_path, e.wave_start, e.wave_length};
        const QString name = namerules::soundName(stored, source, m_inUse, unique, [&](const QString &holder) {
            return m_bytes && m_bytes->same(holder, place);
        });
        if (!ruled.isEmpty() && earlier == m_byRuled.constEnd())
            m_byRuled.insert(ruled, Held{e.wave_start, e.wave_length, name});
        return name;
    }

private:
    struct Held
    {
        quint32 start;
        quint32 length;
        QString name;
    };

    bool sameBytes(const Held &held, const Entry &e)
    {
        if (held.length != e.wave_length)
            return false;
        if (held.start == e.wave_start)
            return true;
        if (!m_file.isOpen() && (&m_file != &m_own || !ztplatform::openRegularFile(m_path, m_own, false)))
            return false;
        const QByteArray a = storedDigest(m_file, held.start, held.length);
        return !a.isEmpty() && a == storedDigest(m_file, e.wave_start, e.wave_length);
    }

    const QString m_path;
    ztplatform::sysio::SeamFile m_own;
    QFile &m_file;
    namerules::NamesInUse m_inUse;
    SoundBytes *m_bytes;
    QHash<QString, Held> m_byRuled; // the rule's name -> the first wave that had it
};

} // namespace

void noteRenamedSounds(KitFileSounds &got, const QVector<QString> &ruled)
{
    got.renamed.clear();
    for (int i = 0; i < got.entries.size() && i < got.stored.size(); ++i) {
        const QString &stored = got.stored.at(i);
        const int wav = stored.indexOf(QLatin1String(".wav"));
        const QString name = percussionpadfile::charArray2String(got.entries.at(i).wave_name, SOUND_NAME_LENGTH_MAX);
        if (name != (wav >= 0 ? stored.left(wav) : stored))
            got.renamed.append({stored, name, i < ruled.size() && name != ruled.at(i)});
    }
}

Records::SOUND_INDEX soundRecord(const QString &name, const QString &source, quint16 number, quint8 lock,
                                 quint32 cluster, quint32 length, quint32 start, quint32 end)
{
    Records::SOUND_INDEX s{{}, source, number, lock, cluster, length, start, end};
    percussionpadfile::str2CharArray(name, s.wave_name, SOUND_NAME_LENGTH_MAX);
    return s;
}

Records::SOUND_INDEX soundRecord(const QString &name, const QString &source, const Entry &e, quint16 number)
{
    return soundRecord(name, source, number, e.wave_lock, e.start_cluster, e.wave_length, e.wave_start, e.wave_end);
}

namespace {

// The whole setup's sounds, checked in `opened` when it is given open.
LoadError takeSetupSounds(const QString &file, QFile *opened, const QVector<Entry> &entries, WholeSetupSounds &out,
                          QVector<QString> &sources, const namerules::NamesInUse &inUse, SoundBytes *bytes,
                          const std::function<void()> &moved)
{
    WholeSetupSounds got;
    const int n = entries.size();
    sources = QVector<QString>(n);
    QSet<QString> seenSources;
    QSet<quint16> seenWaves;
    WaveChecker checker(file, opened, moved, ztplatform::diskOf(bytes ? bytes->fence() : nullptr));
    SetupWaveNames waveNames(file, opened, inUse, bytes);
    namerules::NamesInUse clickNames;
    int counter = 0;
    auto refused = [&sources](LoadError e) {
        sources.clear();
        return e;
    };
    for (int i = 0; i < n; ++i) {
        const Entry &e = entries.at(i);
        const bool click = e.wave_No > WAVE_MAX_COUNT;
        const int number = click ? 10000 + i : (got.clickFlag ? counter++ : i);
        const QString source = storedSource(file, number);
        if (seenSources.contains(source)) {
            qWarning() << "sound" << i << "of" << file << "repeats the source" << source;
            return refused(LoadError::DataError);
        }
        seenSources.insert(source);
        sources[i] = source;
        if (!click) {
            if (e.wave_No >= WAVE_MAX_COUNT)
                return refused(LoadError::TooManySounds);
            if (seenWaves.contains(e.wave_No)) {
                qWarning() << "wave number" << e.wave_No << "repeats in" << file;
                return refused(LoadError::DataError);
            }
            seenWaves.insert(e.wave_No);
        }
        const LoadError bad = checker.check(e, !click);
        if (bad != LoadError::None)
            return refused(bad);

        const QString stored = percussionpadfile::charArray2String(e.wave_name, SOUND_NAME_LENGTH);
        bool unique = false;
        const QString name = click ? namerules::soundName(stored, source, clickNames)
                                   : waveNames.take(stored, source, e, &unique);
        if (name != stored)
            got.renamed.append({stored, name, unique});
        const Records::SOUND_INDEX record = soundRecord(name, source, e, e.wave_No);
        if (click) {
            got.clicks.append(record);
            if (got.clicks.size() == 5)
                got.clickFlag = true;
            got.clickList.append({name, source});
        } else {
            got.waves.append(record);
        }
    }
    out = got;
    return LoadError::None;
}

} // namespace

LoadError takeWholeSetupSounds(const QString &file, const QVector<Entry> &entries, WholeSetupSounds &out,
                               QVector<QString> &sources, const namerules::NamesInUse &inUse, SoundBytes *bytes,
                               const std::function<void()> &moved)
{
    return takeSetupSounds(file, nullptr, entries, out, sources, inUse, bytes, moved);
}

QVector<Entry> soundEntries(const percussionpadfile &pf)
{
    const int n = pf.soundChunk.soundIndex ? pf.soundChunk.soundCount : 0;
    return n > 0 ? QVector<Entry>(pf.soundChunk.soundIndex, pf.soundChunk.soundIndex + n) : QVector<Entry>();
}

void takeSources(percussionpadfile &pf, const QVector<QString> &sources)
{
    Entry *table = pf.soundChunk.soundIndex;
    const int n = table ? pf.soundChunk.soundCount : 0;
    for (int i = 0; i < n; ++i)
        table[i].fileName = i < sources.size() ? sources.at(i) : QString();
}

LoadError takeWholeSetupSounds(const QString &file, percussionpadfile &pf, WholeSetupSounds &out,
                               const namerules::NamesInUse &inUse, SoundBytes *bytes,
                               const std::function<void()> &moved, QFile *opened)
{
    QVector<QString> sources;
    const LoadError err = takeSetupSounds(file, opened, soundEntries(pf), out, sources, inUse, bytes, moved);
    takeSources(pf, sources);
    return err;
}

LoadError kitFileNumbers(const percussionpadfile &pf, const QVector<Records::SOUND_INDEX> &library,
                         QVector<int> *numbers)
{
    const int last = library.isEmpty() ? 0 : library.last().wave_No;
    QSet<int> used;
    used.reserve(library.size());
    for (const Records::SOUND_INDEX &s : library)
        used.insert(s.wave_No);
    const int n = pf.soundChunk.soundIndex ? pf.soundChunk.soundCount : 0;
    QVector<int> got;
    got.reserve(n);
    for (int i = 0; i < n; ++i) {
        // The reader gives stored number - 1, so this is stored number + last.
        const int number = int(pf.soundChunk.soundIndex[i].wave_No) + last + 1;
        if (number > WAVE_MAX_COUNT)
            return LoadError::TooManySounds;
        if (used.contains(number)) {
            qWarning() << "sound" << i << "of" << pf.kitFileName << "would take the number in use" << number;
            return LoadError::DataError;
        }
        used.insert(number);
        got.append(number);
    }
    if (numbers)
        *numbers = got;
    return LoadError::None;
}

LoadError takeKitFileSounds(const QString &file, percussionpadfile &pf,
                            const QVector<Records::SOUND_INDEX> &library, KitFileSounds &out, QFile *opened)
{
    QVector<int> numbers;
    const LoadError numbered = kitFileNumbers(pf, library, &numbers);
    if (numbered != LoadError::None)
        return refuse(pf, numbered);

    KitFileSounds got;
    const int n = numbers.size();
    QVector<QString> sources(n);
    WaveChecker checker(file, opened, {}, ztplatform::diskOf(nullptr));
    NameTaker names(library);
    for (int i = 0; i < n; ++i) {
        const Entry &e = pf.soundChunk.soundIndex[i];
        const LoadError bad = checker.check(e, true);
        if (bad != LoadError::None)
            return refuse(pf, bad);

        const QString stored = percussionpadfile::charArray2String(e.wave_name, SOUND_NAME_LENGTH);
        sources[i] = storedSource(file, i);
        got.stored.append(stored);
        got.entries.append(soundRecord(names.take(fitKitFileSoundName(stored, nullptr)), sources.at(i), e,
                                       quint16(numbers.at(i))));
    }
    takeSources(pf, sources);
    noteRenamedSounds(got, {});
    out = got;
    return LoadError::None;
}

} // namespace setupfiles
