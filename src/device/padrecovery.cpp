#include "device/padrecovery.h"

#include "device/padpaths.h"
#include "device/pairfiles.h"
#include "device/padjournal.h"
#include "device/padreasons.h"
#include "model/bytepack.h"
#include "platform/errortext.h"
#include "platform/regularfile.h"
#include "platform/tempnames.h"

#include <QDebug>
#include <QMap>
#include <QSet>

#include <cerrno>
#include <sys/stat.h>

namespace {

constexpr int PRM_READ = 65; // one byte more than a record, to tell a longer file

// The numbered folders (001 ... 100) of WAV_DATA and WAV_PRM, by name,
// listed below the pad's root.
QStringList numberedFolders(padjournal::Pad &pad)
{
    QSet<QString> names;
    for (padjournal::Area area : {padjournal::Area::Data, padjournal::Area::Prm}) {
        for (const QString &name : pairfiles::entryNames(pad.base(area))) {
            if (padtree::isThreeDigits(name))
                names << name;
        }
    }
    QStringList sorted(names.cbegin(), names.cend());
    sorted.sort();
    return sorted;
}

// The name a hidden name of a wave file stands for ("003.wav"); empty for a
// name not of the editor's pattern.
QString hiddenWaveTarget(const QString &name, const QLatin1String &suffix)
{
    const QString target = pairfiles::hiddenTarget(name);
    const QString stem = target.left(target.size() - suffix.size());
    return target.endsWith(suffix, Qt::CaseInsensitive) && padtree::isThreeDigits(stem) ? target : QString();
}

bool holdsHiddenFiles(const ztplatform::OpenFolder &folder, const QLatin1String &suffix)
{
    for (const QString &name : pairfiles::entryNames(folder)) {
        if (suffix.size() ? !hiddenWaveTarget(name, suffix).isEmpty() : ztplatform::isTemporaryName(name))
            return true;
    }
    return false;
}

// What was done in the numbered folders.
struct Settled {
    QVector<int> completed, removed;
    QStringList kept;
    bool changed = false;
};

int recordNumber(const QByteArray &record)
{
    return record.size() >= 2 ? bytepack::get16(reinterpret_cast<const uchar *>(record.constData())) : 0;
}

// The hidden and the visible files of one sound in one numbered folder.
struct Sound {
    QStringList wavs, prms;    // hidden
    QString finalWav, finalPrm; // at their names
};

// A leftover hidden file goes, unless it may share its place on the medium
// with the file at the visible name it stands for: then it is kept under a
// name of its own, and named.
enum class Leftover { Stays, Removed, Renamed };
Leftover dropLeftover(const ztplatform::OpenFolder &folder, const QString &name, const QString &visible,
                      const QString &place, int number, Settled &out)
{
    if (visible.isEmpty())
        return folder.remove(name) ? Leftover::Removed : Leftover::Stays;
    const QString suffix = pairfiles::hiddenTarget(name).right(4);
    QString copy;
    if (!pairfiles::dropSecondName(folder, name, folder, visible, QStringLiteral(".sound-%1-copy").arg(number),
                                   suffix, &copy))
        return Leftover::Stays;
    if (copy.isEmpty())
        return Leftover::Removed;
    out.kept << padjournal::twinLine(number, place + copy);
    out.changed = true;
    return Leftover::Renamed;
}

// One sound's hidden files: a whole pair found among them (and its partner
// standing at its name) takes its names; the rest go.
void settleSound(const ztplatform::OpenFolder &data, const ztplatform::OpenFolder &prm, const QString &fff,
                 int location, const Sound &sound, Settled &out)
{
    const bool placeTaken = !sound.finalWav.isEmpty() && !sound.finalPrm.isEmpty();
    const QStringList wavs = sound.finalWav.isEmpty() || placeTaken ? sound.wavs : QStringList{sound.finalWav};
    const QStringList prms = sound.finalPrm.isEmpty() || placeTaken ? sound.prms : QStringList{sound.finalPrm};
    QString wav, rec;
    QByteArray record;
    for (int i = 0; i < wavs.size() && wav.isEmpty(); ++i) {
        const qint64 size = pairfiles::regularSize(data, wavs.at(i));
        for (const QString &p : prms) {
            const QByteArray bytes = pairfiles::readRegular(prm, p, PRM_READ);
            if (pairfiles::isWholePair(bytes, size)) {
                wav = wavs.at(i);
                rec = p;
                record = bytes;
                break;
            }
        }
    }
    if (!wav.isEmpty() && placeTaken) {
        out.kept << DeviceText::tr("Sound %1: its files stay hidden, as other files stand at its place.")
                            .arg(recordNumber(record));
    } else if (!wav.isEmpty()) {
        // The .wav first, as a pair is written.
        const bool placed =
                (wav == sound.finalWav || pairfiles::moveEntry(data, wav, data, pairfiles::hiddenTarget(wav)))
                && (rec == sound.finalPrm || pairfiles::moveEntry(prm, rec, prm, pairfiles::hiddenTarget(rec)));
        out.changed = true;
        if (placed)
            out.completed << recordNumber(record);
        else
            out.kept << DeviceText::tr("Sound %1: its files could not be given their names.").arg(location);
    }
    // A folder at a leftover's name fails the remove and stays whole.
    const QString wavAt = wav.isEmpty() || wav == sound.finalWav ? sound.finalWav : pairfiles::hiddenTarget(wav);
    const QString prmAt = rec.isEmpty() || rec == sound.finalPrm ? sound.finalPrm : pairfiles::hiddenTarget(rec);
    bool removed = false, stayed = false;
    const auto drop = [&](const ztplatform::OpenFolder &folder, const QStringList &names, const QString &kept,
                          const QString &at, const QString &place) {
        for (const QString &name : names) {
            const Leftover l = name == kept ? Leftover::Renamed : dropLeftover(folder, name, at, place, location, out);
            removed |= l == Leftover::Removed;
            stayed |= l == Leftover::Stays;
        }
    };
    drop(data, sound.wavs, wav, wavAt, QStringLiteral("WAV_DATA/%1/").arg(fff));
    drop(prm, sound.prms, rec, prmAt, QStringLiteral("WAV_PRM/%1/").arg(fff));
    out.changed |= removed;
    if (stayed)
        out.kept << DeviceText::tr("Sound %1: its unfinished files could not all be removed.").arg(location);
    else if (removed && wav.isEmpty())
        out.removed << location;
}

// The hidden files of one folder of the kind `suffix`, by the number ("003")
// of the names they stand for.
void addHidden(const QStringList &names, const QLatin1String &suffix, QMap<QString, Sound> &sounds, bool prm)
{
    for (const QString &name : names) {
        const QString target = hiddenWaveTarget(name, suffix);
        if (!target.isEmpty())
            (prm ? sounds[target.left(3)].prms : sounds[target.left(3)].wavs) << name;
    }
}

// The visible file of the kind `suffix` of each sound that has hidden files:
// only "NNN" and the suffix, in any case ("003.x.wav" is a user's file).
void addVisible(const QStringList &names, const QLatin1String &suffix, QMap<QString, Sound> &sounds, bool prm)
{
    for (const QString &name : names) {
        if (name.size() != 3 + suffix.size() || !name.endsWith(suffix, Qt::CaseInsensitive))
            continue;
        const auto it = sounds.find(name.left(3));
        if (it == sounds.end())
            continue;
        QString &visible = prm ? it->finalPrm : it->finalWav;
        if (visible.isEmpty())
            visible = name;
    }
}

// `folders` whose repairs were not forced to the disk.
QString notSynced(const QString &folders)
{
    return padjournal::notSyncedLine(folders, ztplatform::errorText(errno ? errno : EIO));
}

void settleFolder(padjournal::Pad &pad, const QString &fff, Settled &out)
{
    const ztplatform::OpenFolder &data = pad.folder(padjournal::Area::Data, fff);
    const ztplatform::OpenFolder &prm = pad.folder(padjournal::Area::Prm, fff);
    QMap<QString, Sound> sounds; // by the number of the names they stand for
    const QStringList dataNames = pairfiles::entryNames(data), prmNames = pairfiles::entryNames(prm);
    addHidden(dataNames, QLatin1String(".wav"), sounds, false);
    addHidden(prmNames, QLatin1String(".prm"), sounds, true);
    addVisible(dataNames, QLatin1String(".wav"), sounds, false);
    addVisible(prmNames, QLatin1String(".prm"), sounds, true);
    const bool before = out.changed;
    out.changed = false;
    for (auto it = sounds.cbegin(); it != sounds.cend(); ++it)
        settleSound(data, prm, fff, padtree::waveNumberFromLocation(fff.toInt(), it.key().toInt()), it.value(), out);
    if (out.changed && !(data.sync() && prm.sync())) {
        out.kept << notSynced(QStringList{QStringLiteral("WAV_DATA/") + fff, QStringLiteral("WAV_PRM/") + fff}.join(
                QStringLiteral(", ")));
        qWarning() << "the settled wave folders did not reach the disk:" << fff;
    }
    out.changed |= before;
}

QString numberList(const QVector<int> &numbers)
{
    QStringList texts;
    for (int n : numbers)
        texts << QString::number(n);
    return texts.join(QStringLiteral(", "));
}

} // namespace

PadLeftovers findPadLeftovers(const PadTreePaths &tree, const ztplatform::FolderAnchor &root)
{
    PadLeftovers found;
    padjournal::Pad pad(root, tree);
    const ztplatform::OpenFolder &sys = pad.base(padjournal::Area::Sys);
    found.record = padjournal::recordPresent(pad) || sys.exists(padjournal::STAGING_NAME);
    found.hiddenFiles = holdsHiddenFiles(sys, QLatin1String(""));
    for (const QString &fff : numberedFolders(pad)) {
        if (found.hiddenFiles)
            break;
        found.hiddenFiles = holdsHiddenFiles(pad.folder(padjournal::Area::Data, fff), QLatin1String(".wav"))
                || holdsHiddenFiles(pad.folder(padjournal::Area::Prm, fff), QLatin1String(".prm"));
    }
    return found;
}

namespace {

struct SysCleared {
    bool changed = false;
    bool leftOut = false;
    QStringList lines;
};

// The editor's hidden files left in SYS (a replacement cut short) go; one
// the pad keeps is named. What else stands at such a name (a link, a pipe) is never followed nor opened:
// its entry alone is removed and named, so no later load looks at it again.
SysCleared clearSys(const ztplatform::OpenFolder &sys)
{
    SysCleared out;
    for (const QString &name : pairfiles::entryNames(sys)) {
        if (!ztplatform::isTemporaryName(name))
            continue;
        int error = 0;
        const unsigned type = ztplatform::entryType(sys.fd(), name, &error);
        if (type == S_IFREG) {
            // It may be a second name of the file it stands for (a rename cut
            // short on FAT): then it is kept under a name of its own.
            const QString target = pairfiles::findEntry(sys, pairfiles::hiddenTarget(name));
            QString copy;
            const bool gone = target.isEmpty()
                    ? sys.remove(name)
                    : pairfiles::dropSecondName(sys, name, sys, target,
                                                QStringLiteral(".copy-of-") + QString(target).replace(QLatin1Char('.'),
                                                                                                     QLatin1Char('-')),
                                                QString(), &copy);
            if (gone) {
                out.changed = true;
                if (!copy.isEmpty()) {
                    out.leftOut = true;
                    out.lines << padjournal::sysTwinLine(target, copy);
                }
            } else {
                out.leftOut = true;
                out.lines << DeviceText::tr("%1 in the SYS folder: an unfinished file of the editor's. It could not "
                                            "be removed (%2).")
                                     .arg(name, ztplatform::errorText(errno ? errno : EIO));
            }
            continue;
        }
        if (type == 0 || type == S_IFDIR)
            continue;
        if (sys.remove(name)) {
            out.changed = true;
            out.lines << DeviceText::tr("%1 in the SYS folder: %2 It was removed, and nothing was read through it.")
                                 .arg(name, padreason::why(type, 0));
        } else {
            out.leftOut = true;
            out.lines << DeviceText::tr("%1 in the SYS folder: %2 It could not be removed (%3).")
                                 .arg(name, padreason::why(type, 0),
                                      ztplatform::errorText(errno ? errno : EIO));
        }
    }
    if (out.changed && !sys.sync()) {
        out.leftOut = true;
        out.lines << notSynced(QStringLiteral("SYS"));
        qWarning() << "the cleared SYS folder did not reach the disk";
    }
    return out;
}

} // namespace

PadRecovery recoverPad(const PadTreePaths &tree, const ztplatform::FolderAnchor &root)
{
    PadRecovery result;
    QStringList lines{DeviceText::tr("A change of the sounds on the sampler pad was cut short; it is now put in "
                                     "order.")};
    padjournal::Pad pad(root, tree);
    // A change turned back is ended first; a record written after it, next.
    padjournal::Outcome journal = padjournal::recover(pad);
    lines << padjournal::describe(journal);
    bool saveOnly = journal.purpose == padjournal::Purpose::WriteBack;
    if (journal.found && !journal.unreadable && !journal.refused && !journal.recordStays
        && padjournal::recordPresent(pad)) {
        const padjournal::Outcome later = padjournal::recover(pad);
        lines << padjournal::describe(later);
        saveOnly = saveOnly && later.purpose == padjournal::Purpose::WriteBack;
        journal.unreadable = later.unreadable;
        journal.asideFrom = later.asideFrom;
        journal.keptAs = later.keptAs;
        journal.refused = later.refused;
        journal.recordStays = later.recordStays;
        journal.notSynced |= later.notSynced;
        journal.alreadyDone = false; // two records: each says what it was
        journal.missing << later.missing;
        journal.kept << later.kept;
        journal.twins << later.twins;
        journal.left << later.left;
        journal.changed |= later.changed;
    }
    const int journalLines = lines.size();
    bool sysOnly = false; // only what stood in SYS is told
    bool leftOut = journal.unreadable || journal.refused || journal.recordStays || journal.notSynced
            || !journal.missing.isEmpty()
            || !journal.kept.isEmpty() || !journal.left.isEmpty() || !journal.twins.isEmpty();
    result.changed = journal.changed;
    if (journal.unreadable && !journal.keptAs.isEmpty()) {
        result.asideFrom = journal.asideFrom;
        result.asideAs = journal.keptAs;
    }
    // With a record kept aside or refused, nothing else is moved: its hidden
    // files may be what it names.
    if (!journal.unreadable && !journal.refused) {
        Settled settled;
        for (const QString &fff : numberedFolders(pad))
            settleFolder(pad, fff, settled);
        if (!settled.completed.isEmpty())
            lines << DeviceText::tr("These sounds were completed: %1.").arg(numberList(settled.completed));
        if (!settled.removed.isEmpty())
            lines << DeviceText::tr("The unfinished files of these sounds were removed: %1.")
                             .arg(numberList(settled.removed));
        lines << settled.kept;
        leftOut |= !settled.kept.isEmpty();
        result.changed |= settled.changed;
        const SysCleared sys = clearSys(pad.base(padjournal::Area::Sys));
        result.changed |= sys.changed;
        lines << sys.lines;
        leftOut |= sys.leftOut;
        sysOnly = !sys.lines.isEmpty() && lines.size() == journalLines + sys.lines.size() && journalLines == 1;
    }
    // Nothing claimed put in order that the pad kept from it, nor when an
    // unreadable record held everything back; a save cut short and nothing
    // else is said to be one.
    if (journal.refused || journal.unreadable || sysOnly)
        lines.first() = DeviceText::tr("A change of the files on the sampler pad was cut short.");
    else if (journal.alreadyDone && lines.size() == journalLines)
        lines.removeFirst(); // its one line says it all
    else if (lines.size() > 1 && lines.size() == journalLines && journal.found && !journal.unreadable && saveOnly)
        lines.first() = DeviceText::tr("A save to the sampler pad was cut short; it is now put in order.");
    if (lines.size() > 1 || (journal.alreadyDone && !lines.isEmpty()))
        result.messages << DeviceMessage{leftOut ? DeviceText::tr("Warning") : DeviceText::tr("Information"),
                                         lines.join(QStringLiteral("\r\n"))};
    return result;
}

bool setRecordAside(const PadTreePaths &tree, const ztplatform::FolderAnchor &root, const PadRecovery &recovery,
                    DeviceMessages *told)
{
    if (recovery.asideFrom.isEmpty())
        return true;
    padjournal::Pad pad(root, tree);
    if (padjournal::setAside(pad, recovery.asideFrom, recovery.asideAs))
        return true;
    const QString error = ztplatform::errorText(errno ? errno : EIO);
    const ztplatform::OpenFolder sys = pad.base(padjournal::Area::Sys);
    const bool stays = !sys.isOpen() || sys.exists(recovery.asideFrom) || sys.isLink(recovery.asideFrom);
    if (told)
        *told << DeviceMessage{DeviceText::tr("Warning"),
                               stays ? DeviceText::tr("The change record could not be kept aside as %1 (%2); it "
                                                      "stays at its name in the SYS folder, and the next load of "
                                                      "the sampler pad names it again.")
                                               .arg(recovery.asideAs, error)
                                     : DeviceText::tr("The change record was moved aside, but the SYS folder could "
                                                      "not be forced to the disk (%1); after a power cut the next "
                                                      "load of the sampler pad names it again.")
                                               .arg(error)};
    return false;
}

DeviceMessage recordAsideUnanswered(const PadRecovery &recovery)
{
    return {DeviceText::tr("Warning"), DeviceText::tr("The change record could not be kept aside as %1: the sampler "
                                                      "pad did not answer. The next load of the sampler pad names it "
                                                      "again.")
                                               .arg(recovery.asideAs)};
}
