#include "device/writeback.h"

#include "device/padjournal.h"
#include "device/padkits.h"
#include "device/padpaths.h"
#include "device/pairfiles.h"
#include "device/padreasons.h"
#include "model/bytepack.h"
#include "model/namerules.h"
#include "platform/disk.h"
#include "platform/errortext.h"
#include "platform/pathcase.h"
#include "platform/inplacefile.h"
#include "platform/replacefile.h"
#include "platform/regularfile.h"
#include "platform/tempnames.h"
#include "platform/removabledrives.h"
#include "platform/volumeidentity.h"
#include "kitfile/kitslots.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <tuple>

namespace writeback {

namespace {

using Records = MainWindow1Records;

// The fields of a kit that the pad's record takes from the editor.
auto comparedKitFields(const Records::soundKit &k)
{
    const Records::PEDAL_SETTING &h = k.pedalChunk;
    return std::tie(k.kit_name, k.kit_no, k.kit_volume, k.kit_tempo, k.click_beat, k.click_volune, k.pad_link1,
                    k.pad_link2, h.pad_link2_1, h.pad_link2_2, h.pad_link3_1, h.pad_link3_2, h.pad_link4_1,
                    h.pad_link4_2, h.pad_link5_1, h.pad_link5_2, k.kit_effect1_state, k.kit_effect2_state,
                    k.kit_effect3_state, h.active_off, k.kit_effect1, k.kit_effect2, k.kit_effect3, h.active_fx,
                    k.effect1_ctrl1, k.effect1_ctrl2, k.effect1_ctrl3, k.effect2_ctrl1, k.effect2_ctrl2,
                    k.effect2_ctrl3, k.effect3_ctrl1, k.effect3_ctrl2, k.effect3_ctrl3, h.active_effectCtrl1,
                    h.active_effectCtrl2, h.active_effectCtrl3, k.bottom_color, k.work_color, h.pedal_contrl,
                    h.hh_wave1_no, h.hh_wave2_no, h.hh_wave3_no, h.hh_wave4_no, h.hh_wave5_no, h.hh_layer1, h.hh_layer2,
                    h.hh_layer3, h.hh_layer4, h.hh_layer5);
}

auto comparedPadFields(const Records::KIT_PAD_SETTING &d)
{
    return std::tie(d.soundFile0, d.soundFile1, d.aWaveNo, d.bWaveNo, d.padNo, d.midi_code, d.midi_channel,
                    d.aWaveVolume, d.aWavePan, d.aWavePitch, d.aWavePitch_cent, d.aWaveDecay, d.bWaveVolume, d.bWavePan,
                    d.bWavePitch, d.bWavePitch_cent, d.bWaveDecay, d.mute_group, d.poly_mono, d.dynamic, d.mode,
                    d.trig_mode, d.loop, d.velocity);
}

void report(const std::function<void(int)> &progress, int value)
{
    if (progress)
        progress(value);
}

} // namespace

bool padDrivePresent(const DriveSource &drives, const QString &root, const QString &kitPath, ztplatform::Disk &disk)
{
    const QString wanted = ztplatform::withoutTrailingSlash(root);
    bool listed = false;
    for (const DriveEntry &d : drives.drives()) {
        if (d.removable && ztplatform::withoutTrailingSlash(d.root) == wanted)
            listed = true;
    }
    return listed && !kitPath.isEmpty() && ztplatform::typeAtPath(disk, QFileInfo(kitPath).absolutePath()) == S_IFDIR;
}

DeviceMessage driveGoneMessage()
{
    return DeviceMessage{DeviceText::tr("Error"),
                         DeviceText::tr("The 350 device was disconnected.") + QStringLiteral("\r\n")
                                 + DeviceText::tr("Failed to save file.") + QStringLiteral("\r\n")
                                 + DeviceText::tr("Korvanta stays open without the 350 device and keeps your "
                                                  "edits.")};
}

DeviceMessage disconnectNotice()
{
    return DeviceMessage{DeviceText::tr("Confirm"),
                         DeviceText::tr("Disconnect the 350 device.") + QStringLiteral("\r\n")
                                 + DeviceText::tr("When using the online mode of Korvanta again,")
                                 + QStringLiteral("\r\n") + DeviceText::tr("reconnect the USB cable.")};
}

DeviceMessage dismountFailedMessage()
{
    return DeviceMessage{DeviceText::tr("Warning"),
                         DeviceText::tr("The sampler pad could not be ejected. Eject it in the system before you "
                                        "unplug it.")};
}

bool kitChainsEqual(const QVector<Records::KIT_CHAIN> &current, const QVector<Records::KIT_CHAIN> &original)
{
    for (int i = 0; i < KIT_CHAIN_ROWS; ++i) {
        if (i >= current.size() || i >= original.size())
            return current.size() == original.size();
        const Records::KIT_CHAIN &a = current.at(i);
        const Records::KIT_CHAIN &b = original.at(i);
        if (a.kit_chain != b.kit_chain || (a.kit_chain == 1 && a.kit_chain_No != b.kit_chain_No)
            || std::memcmp(a.curKitChain[i], b.curKitChain[i], STEP_MAX_COUNT) != 0)
            return false;
    }
    return true;
}

bool kitDiffers(const Records::soundKit &current, const Records::soundKit &original)
{
    if (comparedKitFields(current) != comparedKitFields(original))
        return true;
    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        if (comparedPadFields(current.kpadChunk[p]) != comparedPadFields(original.kpadChunk[p]))
            return true;
    }
    return false;
}

QByteArray kitChainBlock(const QVector<Records::KIT_CHAIN> &chains)
{
    percussionpadfile::P_KIT_CHAIN kc;
    for (int i = 0; i < KIT_CHAIN_ROWS && i < chains.size(); ++i) {
        const Records::KIT_CHAIN &c = chains.at(i);
        if (c.kit_chain == 1 && kc.kit_chain == 0) {
            kc.kit_chain = 1;
            kc.kit_chain_No = c.kit_chain_No;
        }
        std::memcpy(kc.kitChain[i], c.curKitChain[i], STEP_MAX_COUNT);
    }
    QByteArray block(KIT_CHAIN_BLOCK_SIZE, '\0');
    percussionpadfile::packKitChainBlock(kc, reinterpret_cast<uchar *>(block.data()));
    return block;
}

QByteArray alterFileBytes(bool kitsWritten, bool wavesChanged, bool globalChanged, const QVector<quint8> &kitFlags)
{
    QByteArray bytes(ALTER_FILE_SIZE, '\0');
    uchar *p = reinterpret_cast<uchar *>(bytes.data());
    bytepack::put16(p, kitsWritten ? CHANGE_MARK : 0);
    bytepack::put16(p + 2, wavesChanged ? CHANGE_MARK : 0);
    bytepack::put16(p + 4, globalChanged ? CHANGE_MARK : 0);
    for (int i = 0; i < KIT_MAX_COUNT && i < kitFlags.size(); ++i)
        p[6 + i] = kitFlags.at(i);
    return bytes;
}

QString kitFileName(const QString &kitPath, int kitNum)
{
    return kitPath + QStringLiteral("/k") + padtree::threeDigits(kitNum) + QStringLiteral(".ini");
}

namespace {

// The kit file ready for its record: reached below the pad's root, a record
// long, and holding the record read at load.
PadWrite checkKitFile(const ztplatform::FolderAnchor &padRoot, const QString &file, const QByteArray &asLoaded)
{
    QString name;
    ztplatform::Reach reach = ztplatform::Reach::Missing;
    const ztplatform::OpenFolder folder = padRoot.openFolderOf(file, &name, &reach);
    if (reach == ztplatform::Reach::Replaced)
        return PadWrite::Refused;
    if (reach == ztplatform::Reach::Outside)
        return PadWrite::Outside;
    // Read only: the check opens nothing for writing.
    const QByteArray now = folder.isOpen() ? pairfiles::readRegular(folder, name, KIT_RECORD_SIZE) : QByteArray();
    if (now.size() < KIT_RECORD_SIZE)
        return PadWrite::NotWritten;
    return asLoaded == now ? PadWrite::Written : PadWrite::Changed;
}

constexpr int CHAIN_BLOCK_END = KIT_CHAIN_BLOCK_OFFSET + KIT_CHAIN_BLOCK_SIZE;

// The first `max` bytes of the global settings file, read only into `now`
// (empty when it is no regular file); Refused or Outside when its folder is
// not reached below the pad's root, else Written.
PadWrite readGlobalFile(const ztplatform::FolderAnchor &padRoot, const QString &globalFile, qint64 max,
                        QString *usedPath, QString *entry, QByteArray *now)
{
    const QString path = globalFile.isEmpty() ? QString() : padtree::convertPathCaseInsensitivity(padRoot, globalFile);
    *usedPath = path;
    ztplatform::Reach reach = ztplatform::Reach::Missing;
    const ztplatform::OpenFolder folder =
            path.isEmpty() ? ztplatform::OpenFolder() : padRoot.openFolderOf(path, entry, &reach);
    if (reach == ztplatform::Reach::Replaced)
        return PadWrite::Refused;
    if (reach == ztplatform::Reach::Outside)
        return PadWrite::Outside;
    *now = folder.isOpen() ? pairfiles::readRegular(folder, *entry, max) : QByteArray();
    return PadWrite::Written;
}

// The global settings file ready for the kit-chain block: a current-layout
// chunk that still holds `asLoaded` where the block goes.
PadWrite checkChainFile(const ztplatform::FolderAnchor &padRoot, const QString &globalFile,
                        const QByteArray &asLoaded, QString *usedPath, QString *entry)
{
    QByteArray now;
    const PadWrite reached = readGlobalFile(padRoot, globalFile, CHAIN_BLOCK_END, usedPath, entry, &now);
    if (reached != PadWrite::Written)
        return reached;
    if (!isCurrentGlobalFile(now))
        return PadWrite::NotWritten;
    return now.mid(KIT_CHAIN_BLOCK_OFFSET) == asLoaded ? PadWrite::Written : PadWrite::Changed;
}
// The largest alter.ini the save's record keeps to put back.
constexpr int ALTER_READ_MAX = 64 * 1024;

QByteArray withoutChains(QByteArray bytes)
{
    if (bytes.size() >= CHAIN_BLOCK_END)
        bytes.replace(KIT_CHAIN_BLOCK_OFFSET, KIT_CHAIN_BLOCK_SIZE, QByteArray(KIT_CHAIN_BLOCK_SIZE, '\0'));
    return bytes;
}

// The global settings file ready to be replaced: it still holds `asLoaded` whole.
PadWrite checkGlobalFile(const ztplatform::FolderAnchor &padRoot, const QString &globalFile,
                         const QByteArray &asLoaded, QString *usedPath, QString *entry)
{
    QByteArray now;
    const PadWrite reached = readGlobalFile(padRoot, globalFile, GLOBAL_FILE_MAX + 1, usedPath, entry, &now);
    if (reached != PadWrite::Written)
        return reached;
    if (now.isEmpty() || asLoaded.isEmpty())
        return PadWrite::NotWritten;
    return now == asLoaded ? PadWrite::Written : PadWrite::Changed;
}

// The folder of `path` below the pad's root, open with `name` its entry, when
// a regular file stands there; else none, and `reason` says what stands
// there (empty when the folder itself does not open).
ztplatform::OpenFolder regularEntry(const ztplatform::FolderAnchor &padRoot, const QString &path, QString *name,
                                    QString *reason)
{
    ztplatform::OpenFolder folder = path.isEmpty() ? ztplatform::OpenFolder() : padRoot.openFolderOf(path, name);
    if (!folder.isOpen())
        return folder;
    int error = 0;
    const unsigned type = ztplatform::entryType(folder.disk(), folder.fd(), *name, &error);
    if (type == S_IFREG)
        return folder;
    *reason = padreason::why(type, error);
    return ztplatform::OpenFolder();
}

// Why the global settings file at `path` took nothing: what stands there
// when it is no regular file, that nothing does, or, for the kit-chain block,
// that it holds the older layout; empty when none of these.
QString globalFileReason(const ztplatform::FolderAnchor &padRoot, const QString &path, bool chainBlock)
{
    QString name, reason;
    const ztplatform::OpenFolder folder = regularEntry(padRoot, path, &name, &reason);
    if (!folder.isOpen())
        return reason;
    const QByteArray bytes = chainBlock ? pairfiles::readRegular(folder, name, 8) : QByteArray();
    const uchar *head = reinterpret_cast<const uchar *>(bytes.constData());
    if (bytes.size() == 8 && bytepack::get32(head) == percussionpadfile::str2int(QStringLiteral("GLOB"))
        && bytepack::get32(head + 4) <= quint32(GLOBAL_CHUNK_SIZE_OLD_MAX))
        return DeviceText::tr("It holds the global settings in an older layout, which has no place for the kit "
                              "chains.");
    return QString();
}

// The box for the chains or a restored global.ini not written to `path`.
DeviceMessage globalOpenError(const QString &path, const QString &why)
{
    QString text = DeviceText::tr("File location:") + path;
    if (!why.isEmpty())
        text += QStringLiteral("\r\n") + why;
    return DeviceMessage{DeviceText::tr("Open Error"), text};
}

} // namespace

bool isCurrentGlobalFile(const QByteArray &bytes)
{
    const uchar *head = reinterpret_cast<const uchar *>(bytes.constData());
    return bytes.size() >= CHAIN_BLOCK_END
            && bytepack::get32(head) == percussionpadfile::str2int(QStringLiteral("GLOB"))
            && bytepack::get32(head + 4) > quint32(GLOBAL_CHUNK_SIZE_OLD_MAX);
}

QByteArray restoredGlobalBytes(const WriteBackJob &job)
{
    const QByteArray &restored = job.restoredGlobal;
    if (restored.isEmpty())
        return QByteArray();
    if (!isCurrentGlobalFile(restored)) {
        qWarning() << "the restored global settings hold no current-layout chunk; they are not written";
        return QByteArray();
    }
    if (withoutChains(restored) == withoutChains(job.globalAsLoaded))
        return QByteArray();
    const QVector<Records::KIT_CHAIN> none;
    const QVector<Records::KIT_CHAIN> &chains = job.chains ? *job.chains : none;
    // Chains as loaded keep the bytes they were loaded with.
    const bool asLoaded = kitChainsEqual(chains, job.originalChains ? *job.originalChains : none)
            && job.chainBlock.size() == KIT_CHAIN_BLOCK_SIZE;
    QByteArray bytes = restored;
    bytes.replace(KIT_CHAIN_BLOCK_OFFSET, KIT_CHAIN_BLOCK_SIZE, asLoaded ? job.chainBlock : kitChainBlock(chains));
    return bytes;
}

PadWrite writeAlterFile(const ztplatform::FolderAnchor &padRoot, const QString &sysPath, const QByteArray &bytes,
                        QString *usedPath, QString *why, const std::shared_ptr<ztplatform::Leftovers> &leftovers)
{
    if (usedPath)
        *usedPath = sysPath + QStringLiteral("/alter.ini");
    if (sysPath.isEmpty())
        return PadWrite::NotWritten;
    ztplatform::Reach reach = ztplatform::Reach::Missing;
    const ztplatform::OpenFolder folder = padRoot.openFolder(sysPath, &reach);
    if (reach == ztplatform::Reach::Replaced)
        return PadWrite::Refused;
    if (reach == ztplatform::Reach::Outside) {
        qWarning() << "the pad's SYS folder leads out of the pad:" << sysPath;
        return PadWrite::Outside;
    }
    if (!folder.isOpen())
        return PadWrite::NotWritten;
    const QString found = pairfiles::findEntry(folder, QStringLiteral("alter.ini"));
    const QString name = found.isEmpty() ? QStringLiteral("alter.ini") : found;
    if (usedPath)
        *usedPath = sysPath + QLatin1Char('/') + name;
    QString replaceError;
    {
        ztplatform::ReplaceFile file(folder, name, leftovers);
        if (file.open() && file.write(bytes) && file.commit())
            return PadWrite::Written;
        if (file.isRenamed())
            return PadWrite::MayBeDamaged; // in place, but the folder's entry may not be on the disk
        replaceError = file.errorString();
    }
    // A full volume has no room for a new file; an existing change file of
    // the same size takes the bytes in place.
    InPlaceFile f;
    if (f.open(folder, name) && f.size() == bytes.size() && f.writeAt(0, bytes))
        return PadWrite::Written;
    if (why) {
        const unsigned type = ztplatform::entryType(folder.disk(), folder.fd(), name);
        *why = type != 0 && type != S_IFREG ? padreason::why(type, 0) : replaceError;
    }
    return f.restoreFailed() ? PadWrite::MayBeDamaged : PadWrite::NotWritten;
}

QString kitFileReason(const ztplatform::FolderAnchor &padRoot, const QString &file)
{
    QString name, reason;
    const ztplatform::OpenFolder folder = regularEntry(padRoot, file, &name, &reason);
    if (!folder.isOpen())
        return reason;
    struct stat st;
    if (folder.disk().statAt(folder.fd(), QFile::encodeName(name), &st, AT_SYMLINK_NOFOLLOW) == 0
        && st.st_size < KIT_RECORD_SIZE)
        return padreason::shortKitRecord();
    return QString();
}

namespace {

// What was not saved for a reason of its own file, one line each.
struct NotSaved {
    QVector<int> kitsFailed, kitsChanged, kitsOutside;
    QStringList kitsWithReason; // one kit, its file and why, each
    PadWrite chains = PadWrite::Written;
    PadWrite alter = PadWrite::Written;
    QString alterFile, alterWhy;
    QStringList damaged; // files that may hold old and new bytes mixed
    bool heldBack = false; // an earlier change's record kept the save from the pad
    int refusal = 0;       // errno of a write the pad refused while it stayed
    bool recorded = false; // and the save's record stays for the next load
    bool chainsLeft = false; // the chains not written for that refusal or for want of room
    qint64 roomNeeded = 0; // bytes the save needs free on the pad, which has less: nothing was written
    bool global = false; // the chains go with the restored global settings, in global.ini whole

    void addKit(int kitNo, PadWrite how, const QString &file, const QString &why)
    {
        if (how == PadWrite::Changed)
            kitsChanged << kitNo;
        else if (how == PadWrite::Outside)
            kitsOutside << kitNo;
        else if (!why.isEmpty())
            kitsWithReason << padreason::withFile(
                    DeviceText::tr("Kit ") + QString::number(kitNo) + QLatin1Char(' ')
                            + DeviceText::tr("was not saved to the sampler pad:"),
                    file, why);
        else
            kitsFailed << kitNo;
    }

    // The box for a change file that could not be opened.
    DeviceMessage alterMessage() const
    {
        const QString open = DeviceText::tr("Open error.");
        return DeviceMessage{DeviceText::tr("Error"),
                             alterWhy.isEmpty() ? open : padreason::withFile(open, alterFile, alterWhy)};
    }

    QStringList lines() const
    {
        const QString kit = DeviceText::tr("Kit ");
        QStringList lines;
        if (heldBack)
            lines << DeviceText::tr("Nothing was saved to the sampler pad: it holds the record of an earlier change "
                                    "that its next load ends first or, if it cannot, names.");
        if (roomNeeded)
            lines << DeviceText::tr("Nothing was saved to the sampler pad: the save needs %1 KB free on it for its "
                                    "record and files, and it has less.")
                             .arg((roomNeeded + 1023) / 1024);
        const QString error = ztplatform::errorText(refusal);
        if (refusal && recorded)
            lines << DeviceText::tr("The sampler pad refused a write (%1); the next load of the sampler pad finishes "
                                    "this save from its record.")
                             .arg(error);
        else if (refusal)
            lines << DeviceText::tr("The sampler pad refused a write (%1); nothing was saved to it.").arg(error);
        if (chainsLeft)
            lines << (global ? DeviceText::tr("The restored global settings were not saved to the sampler pad.")
                             : DeviceText::tr("The kit chains were not saved to the sampler pad."));
        lines << namerules::joinRangesMessage(kit, kitsFailed, DeviceText::tr("was not saved to the sampler pad."),
                                              DeviceText::tr("were not saved to the sampler pad."));
        lines << kitsWithReason;
        lines << namerules::joinRangesMessage(
                kit, kitsChanged,
                DeviceText::tr("was not saved to the sampler pad: it changed on the pad since it was loaded."),
                DeviceText::tr("were not saved to the sampler pad: they changed on the pad since it was loaded."));
        lines << namerules::joinRangesMessage(
                kit, kitsOutside,
                DeviceText::tr("was not saved to the sampler pad: its folder is a link or leads out of the sampler "
                               "pad."),
                DeviceText::tr("were not saved to the sampler pad: their folder is a link or leads out of the sampler "
                               "pad."));
        if (chains == PadWrite::Changed)
            lines << (global ? DeviceText::tr("The restored global settings were not saved to the sampler pad: "
                                              "global.ini changed on the pad since it was loaded.")
                             : DeviceText::tr("The kit chains were not saved to the sampler pad: they changed on the "
                                              "pad since it was loaded."));
        if (chains == PadWrite::Outside)
            lines << (global ? DeviceText::tr("The restored global settings were not saved to the sampler pad: the "
                                              "folder of global.ini is a link or leads out of the sampler pad.")
                             : DeviceText::tr("The kit chains were not saved to the sampler pad: the folder of "
                                              "global.ini is a link or leads out of the sampler pad."));
        if (alter == PadWrite::Changed)
            lines << DeviceText::tr("The change file alter.ini was not saved: the sampler pad changed since it was "
                                    "loaded.");
        if (alter == PadWrite::Outside)
            lines << DeviceText::tr("The change file alter.ini was not saved: its folder is a link or leads out "
                                    "of the sampler pad.");
        if (refusal || roomNeeded)
            lines << DeviceText::tr("The change file alter.ini was not saved.");
        if (!damaged.isEmpty())
            lines << DeviceText::tr("Writing these files failed and their old bytes could not be put back; they "
                                    "may be damaged:")
                            + QStringLiteral("\r\n") + damaged.join(QStringLiteral("\r\n"));
        if (roomNeeded)
            lines << DeviceText::tr("Korvanta stays open without the sampler pad and keeps your edits.");
        lines.removeAll(QString());
        return lines;
    }
};

// Where the write-back stopped and what it had saved by then.
struct Stopped {
    PadStop stop = PadStop::None;
    PadMatch another;
    bool chainsSaved = false;
    bool chainsLeft = false; // not written for the stop
    bool global = false; // the chains go with the restored global settings
    QVector<int> kitsSaved, kitsLeft;

    // The one box: why, what was saved before, what was not.
    DeviceMessage message(const QStringList &ownReasons) const
    {
        const QString kit = DeviceText::tr("Kit ");
        QStringList lines;
        if (chainsSaved)
            lines << (global ? DeviceText::tr("The restored global settings were saved before that.")
                             : DeviceText::tr("The kit chains were saved before that."));
        lines << namerules::joinRangesMessage(kit, kitsSaved, DeviceText::tr("was saved before that."),
                                              DeviceText::tr("were saved before that."));
        if (chainsLeft)
            lines << (global ? DeviceText::tr("The restored global settings were not saved to the sampler pad.")
                             : DeviceText::tr("The kit chains were not saved to the sampler pad."));
        lines << namerules::joinRangesMessage(kit, kitsLeft, DeviceText::tr("was not saved to the sampler pad."),
                                              DeviceText::tr("were not saved to the sampler pad."));
        lines << DeviceText::tr("The change file alter.ini was not saved.");
        lines << ownReasons;
        lines.removeAll(QString());
        if (stop == PadStop::AnotherPad)
            return anotherPadMessage(another, lines);
        lines.prepend(padStopText(stop));
        lines << DeviceText::tr("Korvanta stays open without the sampler pad and keeps your edits.");
        return DeviceMessage{stop == PadStop::ReadOnly ? DeviceText::tr("Warning") : DeviceText::tr("Error"),
                             lines.join(QStringLiteral("\r\n"))};
    }
};

bool padGone(const WriteBackJob &job)
{
    if (!job.driveRoot.isEmpty())
        return !padDrivePresent(job.drives ? *job.drives : ztplatform::systemDriveSource(), job.driveRoot,
                                job.kitPath, job.padRoot.disk());
    struct stat st;
    return job.kitPath.isEmpty()
            || job.padRoot.disk().statAt(AT_FDCWD, QFile::encodeName(QFileInfo(job.kitPath).absolutePath()), &st) != 0
            || !S_ISDIR(st.st_mode);
}

// Before anything is written: a read-only volume, or not the pad loaded.
PadStop stopBefore(const WriteBackJob &job, PadMatch *another)
{
    if (ztplatform::isReadOnlyVolume(job.padRoot.disk(), job.padRoot.path()))
        return PadStop::ReadOnly;
    const PadMatch match = job.padGuard ? job.padGuard->check(true) : PadMatch();
    *another = match;
    if (match.another())
        return PadStop::AnotherPad;
    return match.same() ? PadStop::None : PadStop::Gone;
}

// After a write that failed as `how`: whether the pad takes nothing more.
PadStop stopAfter(const WriteBackJob &job, PadWrite how, PadMatch *another)
{
    if (how == PadWrite::Written)
        return PadStop::None;
    if (how == PadWrite::Refused) {
        *another = job.padGuard ? job.padGuard->lost() : PadMatch{PadMatch::OtherVolume, {}};
        return PadStop::AnotherPad;
    }
    // The guard, asked again, may find another pad, or no pad tree at the
    // place while the drive is listed.
    const PadMatch now = job.padGuard ? job.padGuard->check(false) : PadMatch();
    if (now.another()) {
        *another = now;
        return PadStop::AnotherPad;
    }
    if (ztplatform::isReadOnlyVolume(job.padRoot.disk(), job.padRoot.path()))
        return PadStop::ReadOnly;
    return now.verdict == PadMatch::Gone || padGone(job) ? PadStop::Gone : PadStop::None;
}

struct KitToWrite {
    int slot;
    Records::soundKit kit; // wave numbers refreshed from the list
};

// Kits that differ from their copies, or that a renumbering marked. The
// sounds are compared by the numbers the records would carry, so a kit whose
// numbers were only written in another form (an export numbers them for its
// file) is not written, and one whose slot names another sound of the pad is.
QVector<KitToWrite> kitsToWrite(const WriteBackJob &job, const QVector<quint8> &kitFlags)
{
    QVector<KitToWrite> out;
    if (!job.kits || !job.originalKits)
        return out;
    const QVector<Records::soundKit> &kits = *job.kits;
    for (int k = 0; k < KIT_MAX_COUNT && k < kits.size() && k < job.originalKits->size(); ++k) {
        const Records::soundKit &loaded = job.originalKits->at(k);
        Records::soundKit refreshed = kits.at(k);
        refreshKitWaves(refreshed, job.waves, &loaded);
        Records::soundKit asLoaded = loaded;
        refreshKitWaves(asLoaded, job.waves, &loaded);
        const bool adjusted = job.nameAdjusted && job.nameAdjusted->value(k) == 1;
        if (adjusted || kitFlags.at(k) == 1 || kitDiffers(refreshed, asLoaded))
            out << KitToWrite{k, refreshed};
    }
    return out;
}

// True when a slot holds another file or number.
bool soundSlotsDiffer(const Records::soundKit &a, const Records::soundKit &b)
{
    constexpr int kSlots = HH_NUM_MAX + 2 * PAD_NUM_MAX;
    QPair<QString, quint16> held[kSlots];
    int i = 0;
    setupfiles::forEachSoundSlot(a, [&](auto s) { held[i++] = qMakePair(s.file, s.no); });
    bool differ = false;
    i = 0;
    setupfiles::forEachSoundSlot(b, [&](auto s) { differ = differ || held[i++] != qMakePair(s.file, s.no); });
    return differ;
}

} // namespace

QSet<QString> soundFilesToLookUp(const WriteBackJob &job)
{
    QSet<QString> files;
    if (!job.kits || !job.originalKits)
        return files;
    const QVector<Records::soundKit> &kits = *job.kits;
    for (int k = 0; k < KIT_MAX_COUNT && k < kits.size() && k < job.originalKits->size(); ++k) {
        const Records::soundKit &loaded = job.originalKits->at(k);
        const bool marked = (job.kitFlags && job.kitFlags->value(k) == 1)
                || (job.nameAdjusted && job.nameAdjusted->value(k) == 1);
        if (marked || kitDiffers(kits.at(k), loaded) || soundSlotsDiffer(kits.at(k), loaded)) {
            addKitSoundFiles(kits.at(k), files);
            addKitSoundFiles(loaded, files);
        }
    }
    files.remove(QString());
    return files;
}

QString padStopText(PadStop stop)
{
    if (stop == PadStop::ReadOnly)
        return DeviceText::tr("The sampler pad is read-only (write-protected).");
    if (stop == PadStop::Gone)
        return DeviceText::tr("The 350 device was disconnected.");
    if (stop == PadStop::WasAway)
        return DeviceText::tr("The sampler pad was not found at its place for a moment while this ran; it is "
                              "there again now.");
    return QString();
}

namespace {

// One write-back: each step writes while nothing stopped it.
struct WriteBackRun {
    WriteBackJob &job;
    WriteBackResult result;
    NotSaved notSaved;
    Stopped stopped;
    DeviceMessage chainsFailure;
    int unusedKitFlag = 0, unusedGlobalFlag = 0;
    bool stayed = false; // the journal's record stays for the next load
    int &kitChangedFlag;
    int &globalFlag;
    QVector<quint8> ownFlags = QVector<quint8>(KIT_MAX_COUNT, 0);
    QVector<quint8> &kitFlags;
    QVector<quint8> ownMarks = QVector<quint8>(KIT_MAX_COUNT, 0);
    QVector<quint8> &kitMarks;

    explicit WriteBackRun(WriteBackJob &j)
        : job(j)
        , kitChangedFlag(j.kitChangedFlag ? *j.kitChangedFlag : unusedKitFlag)
        , globalFlag(j.globalFlag ? *j.globalFlag : unusedGlobalFlag)
        , kitFlags(j.kitFlags ? *j.kitFlags : ownFlags)
        , kitMarks(j.kitMarks ? *j.kitMarks : ownMarks)
    {
        if (kitFlags.size() < KIT_MAX_COUNT)
            kitFlags.resize(KIT_MAX_COUNT);
        if (kitMarks.size() < KIT_MAX_COUNT)
            kitMarks.resize(KIT_MAX_COUNT);
    }

    bool going() const { return stopped.stop == PadStop::None; }

    // A failed write: the file may be damaged, and the pad may take nothing more.
    void failed(PadWrite how, const QString &file)
    {
        if (how == PadWrite::MayBeDamaged)
            notSaved.damaged << QDir::toNativeSeparators(file);
        stopped.stop = stopAfter(job, how, &stopped.another);
    }

    // Nothing is written once the pad takes nothing more: every change is left.
    void leaveAll()
    {
        const QVector<Records::KIT_CHAIN> noChains;
        const QVector<Records::KIT_CHAIN> &chains = job.chains ? *job.chains : noChains;
        const bool global = !restoredGlobalBytes(job).isEmpty();
        notSaved.global = stopped.global = global;
        stopped.chainsLeft = global || !kitChainsEqual(chains, job.originalChains ? *job.originalChains : noChains);
        for (const KitToWrite &w : kitsToWrite(job, kitFlags)) {
            (*job.kits)[w.slot] = w.kit;
            kitFlags[w.slot] = 0;
            stopped.kitsLeft << w.slot + 1;
            result.kitsNotSaved << w.slot + 1;
        }
    }

    // What one journaled write-back plans before it runs.
    struct JournalPlan {
        struct Planned {
            int slot;
            QString file;
            QByteArray after;
        };
        padjournal::Record record;
        bool chainsChanged = false;
        bool global = false; // a restored global.ini replaces the file whole, the chains in it
        QString globalEntry;
        QString chainPath;
        PadWrite chainHow = PadWrite::Written;
        QVector<KitToWrite> toWrite;
        QVector<Planned> planned;
        QVector<QPair<int, PadWrite>> refusedKits;
        padjournal::Step alterStep;
        QString alterBlocked; // why alter.ini is not written: what stands at its name
    };

    void planGlobal(JournalPlan &p, const QByteArray &bytes, padjournal::Pad &pad)
    {
        namespace pj = padjournal;
        p.global = true;
        p.chainHow = checkGlobalFile(job.padRoot, job.globalFile, job.globalAsLoaded, &p.chainPath, &p.globalEntry);
        if (p.chainHow != PadWrite::Written)
            return;
        pj::Step s;
        s.kind = pj::Kind::Put;
        s.area = pj::Area::Sys;
        s.from = p.globalEntry;
        s.hidden = pairfiles::freeHiddenName(pad.base(pj::Area::Sys), s.from);
        s.before = job.globalAsLoaded; // what the check found there
        s.mark = pj::markOfBytes(s.before);
        s.after = bytes;
        if (s.hidden.isEmpty()) {
            p.chainHow = PadWrite::NotWritten;
            return;
        }
        if (job.padGuard)
            job.padGuard->globalWriting(bytes);
        if (job.globalReplacing)
            job.globalReplacing(bytes);
        p.record.steps << s;
    }

    void planChains(JournalPlan &p, padjournal::Pad &pad)
    {
        namespace pj = padjournal;
        QVector<Records::KIT_CHAIN> noChains;
        const QVector<Records::KIT_CHAIN> &chains = job.chains ? *job.chains : noChains;
        p.chainsChanged = !kitChainsEqual(chains, job.originalChains ? *job.originalChains : noChains);
        const QByteArray global = restoredGlobalBytes(job);
        if (!global.isEmpty()) {
            planGlobal(p, global, pad);
            return;
        }
        QString chainEntry;
        if (!p.chainsChanged)
            return;
        p.chainHow = checkChainFile(job.padRoot, job.globalFile, job.chainBlock, &p.chainPath, &chainEntry);
        if (p.chainHow != PadWrite::Written)
            return;
        pj::Step s;
        s.area = pj::Area::Sys;
        s.from = chainEntry;
        s.offset = KIT_CHAIN_BLOCK_OFFSET;
        s.before = job.chainBlock;
        s.after = kitChainBlock(chains);
        p.record.steps << s;
    }

    void planKits(JournalPlan &p)
    {
        namespace pj = padjournal;
        p.toWrite = kitsToWrite(job, kitFlags);
        for (const KitToWrite &w : p.toWrite) {
            (*job.kits)[w.slot] = w.kit;
            const QString file = job.kitFiles.value(w.slot).isEmpty() ? kitFileName(job.kitPath, w.slot + 1)
                                                                      : job.kitFiles.at(w.slot);
            const PadWrite how = checkKitFile(job.padRoot, file, job.kitRecords.value(w.slot));
            QByteArray after(KIT_RECORD_SIZE, '\0');
            if (how != PadWrite::Written || !Records::updateKit(after.data(), *job.kits, w.slot + 1)
                || QFileInfo(file).absolutePath() != QFileInfo(job.kitPath + QStringLiteral("/x")).absolutePath()) {
                p.refusedKits << qMakePair(w.slot, how == PadWrite::Written ? PadWrite::NotWritten : how);
                continue;
            }
            pj::Step s;
            s.area = pj::Area::Kit;
            s.number = quint16(w.slot + 1);
            s.from = QFileInfo(file).fileName();
            s.before = job.kitRecords.value(w.slot);
            s.after = after;
            p.record.steps << s;
            p.planned << JournalPlan::Planned{w.slot, file, after};
        }
    }

    // False when alter.ini's folder cannot be opened or named.
    bool planAlter(JournalPlan &p, padjournal::Pad &pad)
    {
        namespace pj = padjournal;
        // The marks as they stand once the planned kits are written.
        QVector<quint8> marks = kitMarks;
        for (const JournalPlan::Planned &k : p.planned)
            marks[k.slot] = 1;
        const bool kitsWritten = kitChangedFlag != 0 || !p.planned.isEmpty();
        const bool globalWritten = (p.chainsChanged || p.global) && p.chainHow == PadWrite::Written;
        const ztplatform::OpenFolder sys = pad.base(pj::Area::Sys);
        pj::Step &alterStep = p.alterStep;
        alterStep.kind = pj::Kind::Put;
        alterStep.area = pj::Area::Sys;
        const QString found = pairfiles::findEntry(sys, QStringLiteral("alter.ini"));
        alterStep.from = found.isEmpty() ? QStringLiteral("alter.ini") : found;
        alterStep.hidden = pairfiles::freeHiddenName(sys, alterStep.from);
        alterStep.after =
                alterFileBytes(kitsWritten, job.wavesChanged, globalWritten || globalFlag != 0, marks);
        if (!sys.isOpen() || alterStep.hidden.isEmpty())
            return false;
        // What it replaces: the file as it is now, or none.
        const unsigned type = ztplatform::entryType(sys.disk(), sys.fd(), alterStep.from);
        if (type == S_IFREG) {
            alterStep.before = pairfiles::readRegular(sys, alterStep.from, ALTER_READ_MAX + 1);
            if (alterStep.before.size() > ALTER_READ_MAX) {
                p.alterBlocked = ztplatform::errorText(EFBIG);
                return true;
            }
            alterStep.mark = pj::markOfBytes(alterStep.before);
        } else if (type != 0 && type != S_IFLNK) { // a link is replaced, never followed
            p.alterBlocked = padreason::why(type, 0);
            return true;
        }
        p.record.steps << alterStep;
        return true;
    }

    void settleChains(const JournalPlan &p, const padjournal::Outcome &o)
    {
        if (!p.chainsChanged && !p.global)
            return;
        notSaved.global = stopped.global = p.global;
        // A whole file not written for what stands at its name is told as not opened.
        const bool putFailed = p.global && o.putFailed.contains(p.globalEntry);
        const bool otherBytes = o.chainsKept || o.globalKept;
        const bool saved = p.chainHow == PadWrite::Written && !putFailed
                && (o.finished ? !otherBytes && !o.chainsMissing : (p.global ? o.globalWritten : o.chainsWritten));
        if (saved)
            globalFlag = 1;
        stopped.chainsSaved = saved;
        result.chainsWritten = saved && p.chainsChanged;
        result.globalWritten = saved && p.global;
        if (!saved && p.chainHow != PadWrite::Written) {
            failed(p.chainHow, p.chainPath);
            if (going()) {
                notSaved.chains = p.chainHow;
                if (p.chainHow == PadWrite::NotWritten)
                    chainsFailure =
                            globalOpenError(p.chainPath, globalFileReason(job.padRoot, p.chainPath, !p.global));
            } else {
                stopped.chainsLeft = true;
            }
        } else if (!saved && going() && (notSaved.refusal || notSaved.roomNeeded)) {
            notSaved.chainsLeft = true;
        } else if (!saved && going() && otherBytes) {
            notSaved.chains = PadWrite::Changed;
        } else if (!saved && going()) {
            notSaved.chains = PadWrite::NotWritten;
            chainsFailure = globalOpenError(p.chainPath, putFailed ? o.putWhy : QString());
        } else if (!saved) {
            stopped.chainsLeft = true;
        }
    }

    void settleKits(const JournalPlan &p, const padjournal::Outcome &o)
    {
        for (const KitToWrite &w : p.toWrite)
            kitFlags[w.slot] = 0;
        for (const JournalPlan::Planned &k : p.planned) {
            const int kit = k.slot + 1;
            const bool kept = o.kitsKept.contains(kit), missing = o.kitsMissing.contains(kit);
            const bool saved = o.finished ? !kept && !missing : o.kitsWritten.contains(kit);
            if (!saved) {
                result.kitsNotSaved << kit;
                if (!going())
                    stopped.kitsLeft << kit;
                else if (kept)
                    notSaved.kitsChanged << kit;
                else if (missing)
                    notSaved.addKit(kit, PadWrite::NotWritten, k.file, kitFileReason(job.padRoot, k.file));
                else
                    notSaved.kitsFailed << kit;
                continue;
            }
            kitFlags[k.slot] = 1;
            kitMarks[k.slot] = 1;
            kitChangedFlag = 1;
            result.kitsWritten << k.slot + 1;
            stopped.kitsSaved << k.slot + 1;
            if (job.padGuard)
                job.padGuard->kitWritten(k.slot, k.after);
        }
        for (const auto &r : p.refusedKits) {
            const QString file = job.kitFiles.value(r.first).isEmpty() ? kitFileName(job.kitPath, r.first + 1)
                                                                       : job.kitFiles.at(r.first);
            result.kitsNotSaved << r.first + 1;
            if (going())
                failed(r.second, file);
            if (going())
                notSaved.addKit(r.first + 1, r.second, file,
                                r.second == PadWrite::NotWritten ? kitFileReason(job.padRoot, file) : QString());
            else
                stopped.kitsLeft << r.first + 1;
        }
        std::sort(result.kitsNotSaved.begin(), result.kitsNotSaved.end());
    }

    void settleAlter(const JournalPlan &p, const padjournal::Outcome &o, padjournal::Pad &pad)
    {
        if (!p.alterBlocked.isEmpty()) {
            notSaved.alter = PadWrite::NotWritten;
            notSaved.alterFile = job.sysPath + QLatin1Char('/') + p.alterStep.from;
            notSaved.alterWhy = p.alterBlocked;
            return;
        }
        if (o.finished && o.alterKept) {
            notSaved.alter = PadWrite::Changed;
            return;
        }
        // Finished, it holds the planned bytes, put now or found there already.
        result.alterWritten = o.finished && !o.putFailed.contains(p.alterStep.from);
        if (o.finished && o.putFailed.contains(p.alterStep.from)) {
            notSaved.alter = PadWrite::NotWritten;
            notSaved.alterFile = job.sysPath + QLatin1Char('/') + p.alterStep.from;
            const ztplatform::OpenFolder now = pad.base(padjournal::Area::Sys);
            const unsigned type = now.isOpen() ? ztplatform::entryType(now.disk(), now.fd(), p.alterStep.from) : 0;
            notSaved.alterWhy = type != 0 && type != S_IFREG ? padreason::why(type, 0) : o.putWhy;
        }
        // Its marks were planned with every file written: one the run could
        // not put at its name takes its mark back.
        const QByteArray marks = alterFileBytes(kitChangedFlag != 0, job.wavesChanged, globalFlag != 0, kitMarks);
        if (!result.alterWritten || marks == p.alterStep.after || !going())
            return;
        const PadWrite how = writeAlterFile(job.padRoot, job.sysPath, marks, &notSaved.alterFile, &notSaved.alterWhy,
                                            job.leftovers);
        result.alterWritten = how == PadWrite::Written;
        if (result.alterWritten)
            return;
        failed(how, notSaved.alterFile);
        if (going())
            notSaved.alter = how;
    }

    // The chains, the kits and alter.ini as one transaction of the pad's
    // journal, each file checked first. Without room on the pad for its
    // record and the files it puts, nothing is written.
    void write()
    {
        if (!going())
            return leaveAll();
        namespace pj = padjournal;
        JournalPlan p;
        p.record.purpose = pj::Purpose::WriteBack;
        PadTreePaths tree;
        tree.kitPath = job.kitPath;
        tree.sysPath = job.sysPath;
        pj::Pad pad(job.padRoot, tree);
        planChains(p, pad);
        planKits(p);
        // A record the pad's next load has yet to end is never written over
        // or dropped with this one: nothing is written.
        if (pj::recordPresent(pad)) {
            qWarning() << "the pad holds the record of another change; nothing is saved to it";
            notSaved.heldBack = true;
            return settleKits(p, pj::Outcome());
        }
        pj::Outcome o;
        if (!planAlter(p, pad)) {
            noSys();
        } else if ((notSaved.roomNeeded = roomMissing(p.record, pad)) == 0) {
            o = pj::run(pad, p.record);
            if (!o.found && (o.error == ENOSPC || o.error == EDQUOT))
                notSaved.roomNeeded = roomNeeded(p.record, pad); // nothing was written
            else if (!o.finished)
                notFinished(o);
        }
        // From here on the journal's run is what happened.
        settleChains(p, o);
        settleKits(p, o);
        settleAlter(p, o, pad);
    }

    // No SYS folder to hold the record (or no name free in it): nothing is
    // written, and alter.ini is named as not saved, with why.
    void noSys()
    {
        const QString file = job.sysPath + QStringLiteral("/alter.ini");
        ztplatform::Reach reach = ztplatform::Reach::Missing;
        job.padRoot.openFolder(job.sysPath, &reach);
        const PadWrite how = reach == ztplatform::Reach::Replaced ? PadWrite::Refused
                : reach == ztplatform::Reach::Outside             ? PadWrite::Outside
                                                                  : PadWrite::NotWritten;
        failed(how, file);
        if (going()) {
            notSaved.alter = how;
            notSaved.alterFile = file;
        }
    }

    void notFinished(const padjournal::Outcome &o)
    {
        failed(PadWrite::NotWritten, job.sysPath + QLatin1Char('/') + padjournal::RECORD_NAME);
        stayed = o.pending; // a record never written leaves nothing to finish
        if (going() && o.refused) {
            notSaved.refusal = o.error ? o.error : EIO;
            notSaved.recorded = o.pending;
        } else if (going()) {
            notSaved.alter = PadWrite::NotWritten;
        }
    }

    // The bytes the record and the files it puts take on the pad, each
    // rounded up to whole blocks of its file system, one block more for SYS.
    static qint64 roomNeeded(const padjournal::Record &record, padjournal::Pad &pad)
    {
        const ztplatform::OpenFolder sys = pad.base(padjournal::Area::Sys);
        struct statfs fs;
        const qint64 block =
                sys.isOpen() && sys.disk().statFileSystem(sys.fd(), &fs) == 0 && fs.f_frsize > 0 ? qint64(fs.f_frsize) : 4096;
        const auto blocks = [block](qint64 bytes) { return (bytes + block - 1) / block * block; };
        qint64 needed = blocks(padjournal::encode(record).size()) + block;
        for (const padjournal::Step &s : record.steps) {
            if (s.kind == padjournal::Kind::Put)
                needed += blocks(s.after.size());
        }
        return needed;
    }

    // roomNeeded() when the pad has less free; 0 when it has that much (or does not tell).
    static qint64 roomMissing(const padjournal::Record &record, padjournal::Pad &pad)
    {
        const ztplatform::OpenFolder sys = pad.base(padjournal::Area::Sys);
        struct statfs fs;
        if (!sys.isOpen() || sys.disk().statFileSystem(sys.fd(), &fs) != 0)
            return 0;
        const qint64 needed = roomNeeded(record, pad);
        return qint64(fs.f_bavail) * qint64(fs.f_frsize) < needed ? needed : 0;
    }

    void tell()
    {
        result.stop = stopped.stop;
        result.another = stopped.another;
        if (!going()) {
            QStringList own = notSaved.lines();
            if (stayed)
                own << DeviceText::tr("The next load of the sampler pad finishes this save from its record.");
            result.messages << stopped.message(own);
        } else {
            if (!chainsFailure.title.isEmpty())
                result.messages << chainsFailure;
            const QStringList lines = notSaved.lines();
            if (!lines.isEmpty())
                result.messages << DeviceMessage{DeviceText::tr("Warning"), lines.join(QStringLiteral("\r\n"))};
            if (notSaved.alter == PadWrite::NotWritten)
                result.messages << notSaved.alterMessage();
        }
        result.failed = !result.messages.isEmpty();
    }
};

} // namespace

WriteBackResult writeBack(WriteBackJob &job, const std::function<void(int)> &progress)
{
    WriteBackRun run(job);
    run.stopped.stop = stopBefore(job, &run.stopped.another);
    run.write();
    report(progress, 1);
    report(progress, 2);
    report(progress, 4);
    if (run.result.alterWritten)
        report(progress, 5);
    run.tell();
    return run.result;
}

} // namespace writeback
