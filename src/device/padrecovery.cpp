#include "device/padrecovery.h"

#include "device/padpaths.h"
#include "device/pairfiles.h"
#include "device/renumber.h"
#include "model/bytepack.h"
#include "platform/tempnames.h"

#include <QDebug>
#include <QDir>
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

// The hidden files of one sound in one numbered folder.
struct Hidden {
    QStringList wavs, prms;
};

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

// One sound's hidden files: a whole pair found among them (and its partner
// standing at its name) takes its names; the rest go.
void settleSound(const ztplatform::OpenFolder &data, const ztplatform::OpenFolder &prm, const QString &fff,
                 const QString &stem, const Hidden &hidden, const QStringList &dataNames, const QStringList &prmNames,
                 Settled &out)
{
    const QString finalWav = pairfiles::findEntry(data, stem + QStringLiteral(".wav"), &dataNames);
    const QString finalPrm = pairfiles::findEntry(prm, stem + QStringLiteral(".prm"), &prmNames);
    const bool placeTaken = !finalWav.isEmpty() && !finalPrm.isEmpty();
    const QStringList wavs = finalWav.isEmpty() || placeTaken ? hidden.wavs : QStringList{finalWav};
    const QStringList prms = finalPrm.isEmpty() || placeTaken ? hidden.prms : QStringList{finalPrm};
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
    const int location = padtree::waveNumberFromLocation(fff.toInt(), stem.toInt());
    if (!wav.isEmpty() && placeTaken) {
        out.kept << DeviceText::tr("Sound %1: its files stay hidden, as other files stand at its place.")
                            .arg(recordNumber(record));
    } else if (!wav.isEmpty()) {
        // The .wav first, as a pair is written.
        const bool placed =
                (wav == finalWav || pairfiles::moveEntry(data, wav, data, pairfiles::hiddenTarget(wav)))
                && (rec == finalPrm || pairfiles::moveEntry(prm, rec, prm, pairfiles::hiddenTarget(rec)));
        out.changed = true;
        if (placed)
            out.completed << recordNumber(record);
        else
            out.kept << DeviceText::tr("Sound %1: its files could not be given their names.").arg(location);
    }
    bool removed = false;
    for (const QString &name : hidden.wavs) {
        if (name != wav)
            removed |= data.remove(name);
    }
    for (const QString &name : hidden.prms) {
        if (name != rec)
            removed |= prm.remove(name);
    }
    out.changed |= removed;
    if (removed && wav.isEmpty())
        out.removed << location;
}

void settleFolder(const PadTreePaths &tree, const ztplatform::FolderAnchor &root, const QString &fff, Settled &out)
{
    const ztplatform::OpenFolder data = root.openFolder(tree.dataPath + QLatin1Char('/') + fff);
    const ztplatform::OpenFolder prm = root.openFolder(tree.prmPath + QLatin1Char('/') + fff);
    const QStringList dataNames = pairfiles::entryNames(data);
    const QStringList prmNames = pairfiles::entryNames(prm);
    QMap<QString, Hidden> sounds; // by the stem of the name they stand for
    for (const QString &name : dataNames) {
        const QString target = pairfiles::hiddenTarget(name);
        if (target.endsWith(QLatin1String(".wav"), Qt::CaseInsensitive))
            sounds[target.section(QLatin1Char('.'), 0, 0)].wavs << name;
    }
    for (const QString &name : prmNames) {
        const QString target = pairfiles::hiddenTarget(name);
        if (target.endsWith(QLatin1String(".prm"), Qt::CaseInsensitive))
            sounds[target.section(QLatin1Char('.'), 0, 0)].prms << name;
    }
    if (sounds.isEmpty())
        return;
    const bool before = out.changed;
    out.changed = false;
    for (auto it = sounds.cbegin(); it != sounds.cend(); ++it)
        settleSound(data, prm, fff, it.key(), it.value(), dataNames, prmNames, out);
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
