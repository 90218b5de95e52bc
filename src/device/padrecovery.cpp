#include "device/padrecovery.h"

#include "device/padpaths.h"
#include "device/pairfiles.h"
#include "device/renumber.h"
#include "model/bytepack.h"
#include "platform/tempnames.h"

#include <QDebug>
#include <QDir>
#include <QHash>
#include <QMap>
#include <QSet>

namespace {

constexpr int PRM_READ = 65; // one byte more than a record, to tell a longer file

// The numbered folders (001 ... 100) of WAV_DATA and WAV_PRM, by name.
QStringList numberedFolders(const PadTreePaths &tree)
{
    QSet<QString> names;
    for (const QString &base : {tree.dataPath, tree.prmPath}) {
        if (!padtree::isUsableFolder(base))
            continue;
        for (const QString &name : QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
            const int n = name.toInt();
            if (n >= 1 && n <= 100 && name == padtree::threeDigits(n))
                names << name;
        }
    }
    QStringList sorted(names.cbegin(), names.cend());
    sorted.sort();
    return sorted;
}

bool holdsHiddenFiles(const QString &folder)
{
    const QStringList names =
            QDir(folder).entryList({QStringLiteral(".*.zt-part")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        if (ztplatform::isTemporaryName(name))
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

// The number a name of a numbered folder stands for: its name before the
// first dot; 0 when that is no number.
int stemNumber(const QString &name)
{
    return name.section(QLatin1Char('.'), 0, 0).toInt();
}

// The hidden and the visible files of one sound in one numbered folder.
struct Sound {
    QStringList wavs, prms;    // hidden
    QString finalWav, finalPrm; // at their names
};

// One sound's hidden files: a whole pair found among them (and its partner
// standing at its name) takes its names; the rest go.
void settleSound(const ztplatform::OpenFolder &data, const ztplatform::OpenFolder &prm, int location,
                 const Sound &sound, Settled &out)
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
    bool removed = false;
    for (const QString &name : sound.wavs) {
        if (name != wav)
            removed |= data.remove(name);
    }
    for (const QString &name : sound.prms) {
        if (name != rec)
            removed |= prm.remove(name);
    }
    out.changed |= removed;
    if (removed && wav.isEmpty())
        out.removed << location;
}

// The hidden files of one folder of the kind `suffix`, by the number the
// names they stand for carry.
void addHidden(const QStringList &names, const QLatin1String &suffix, QMap<int, Sound> &sounds, bool prm)
{
    for (const QString &name : names) {
        const QString target = pairfiles::hiddenTarget(name);
        if (target.endsWith(suffix, Qt::CaseInsensitive))
            (prm ? sounds[stemNumber(target)].prms : sounds[stemNumber(target)].wavs) << name;
    }
}

// The visible file of the kind `suffix` of each sound that has hidden files.
void addVisible(const QStringList &names, const QLatin1String &suffix, QMap<int, Sound> &sounds, bool prm)
{
    for (const QString &name : names) {
        const auto it = sounds.find(stemNumber(name));
        if (it == sounds.end() || name.startsWith(QLatin1Char('.')) || !name.endsWith(suffix, Qt::CaseInsensitive))
            continue;
        QString &visible = prm ? it->finalPrm : it->finalWav;
        if (visible.isEmpty())
            visible = name;
    }
}

void settleFolder(const PadTreePaths &tree, const ztplatform::FolderAnchor &root, const QString &fff, Settled &out)
{
    const ztplatform::OpenFolder data = root.openFolder(tree.dataPath + QLatin1Char('/') + fff);
    const ztplatform::OpenFolder prm = root.openFolder(tree.prmPath + QLatin1Char('/') + fff);
    QMap<int, Sound> sounds; // by the number the names stand for
    const QStringList dataNames = pairfiles::entryNames(data), prmNames = pairfiles::entryNames(prm);
    addHidden(dataNames, QLatin1String(".wav"), sounds, false);
    addHidden(prmNames, QLatin1String(".prm"), sounds, true);
    addVisible(dataNames, QLatin1String(".wav"), sounds, false);
    addVisible(prmNames, QLatin1String(".prm"), sounds, true);
    const bool before = out.changed;
    out.changed = false;
    for (auto it = sounds.cbegin(); it != sounds.cend(); ++it)
        settleSound(data, prm, padtree::waveNumberFromLocation(fff.toInt(), it.key()), it.value(), out);
    if (out.changed && !(data.sync() && prm.sync()))
        qWarning() << "the settled wave folders did not reach the disk:" << fff;
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

PadLeftovers findPadLeftovers(const PadTreePaths &tree)
{
    PadLeftovers found;
    found.renumbering = renumberingCutShort(tree.sysPath);
    for (const QString &fff : numberedFolders(tree)) {
        found.hiddenFiles = holdsHiddenFiles(tree.dataPath + QLatin1Char('/') + fff)
                || holdsHiddenFiles(tree.prmPath + QLatin1Char('/') + fff);
        if (found.hiddenFiles)
            break;
    }
    return found;
}

PadRecovery recoverPad(const PadTreePaths &tree, const ztplatform::FolderAnchor &root)
{
    PadRecovery result;
    QStringList lines{DeviceText::tr("The editor stopped before it had finished changing the sounds on the sampler "
                                     "pad; they are now put in order.")};
    bool leftOut = false;
    const RenumberRecovery renumbering = undoCutShortRenumbering(tree.sysPath, tree.dataPath, tree.prmPath, root);
    if (renumbering.found && renumbering.leftOut.isEmpty()) {
        lines << DeviceText::tr("A renumbering cut short was undone: the sounds keep their numbers.");
    } else if (renumbering.found) {
        lines << DeviceText::tr("A renumbering cut short was undone as far as the files allow; these sounds were "
                                "left out:")
              << renumbering.leftOut;
        leftOut = true;
    }
    Settled settled;
    for (const QString &fff : numberedFolders(tree))
        settleFolder(tree, root, fff, settled);
    if (!settled.completed.isEmpty())
        lines << DeviceText::tr("These sounds were completed: %1.").arg(numberList(settled.completed));
    if (!settled.removed.isEmpty())
        lines << DeviceText::tr("The unfinished files of these sounds were removed: %1.")
                         .arg(numberList(settled.removed));
    lines << settled.kept;
    leftOut |= !settled.kept.isEmpty();
    result.changed = renumbering.changed || settled.changed;
    if (lines.size() > 1)
        result.messages << DeviceMessage{leftOut ? DeviceText::tr("Warning") : DeviceText::tr("Information"),
                                         lines.join(QStringLiteral("\r\n"))};
    return result;
}
