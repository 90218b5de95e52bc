#include "device/writeback.h"

#include "device/padpaths.h"
#include "model/bytepack.h"
#include "model/namerules.h"
#include "platform/inplacefile.h"
#include "platform/replacefile.h"
#include "platform/pathcase.h"
#include "platform/removabledrives.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <tuple>

namespace writeback {

namespace {

using Records = MainWindow1Records;

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

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

// A current-layout global chunk at the start of the open file, long enough
// to hold the kit-chain block.
bool holdsCurrentGlobalChunk(InPlaceFile &f)
{
    const QByteArray bytes = f.readAt(0, 8);
    if (bytes.size() != 8)
        return false;
    const uchar *head = reinterpret_cast<const uchar *>(bytes.constData());
    return bytepack::get32(head) == percussionpadfile::str2int(QStringLiteral("GLOB"))
            && bytepack::get32(head + 4) > quint32(GLOBAL_CHUNK_SIZE_OLD_MAX)
            && f.size() >= KIT_CHAIN_BLOCK_OFFSET + KIT_CHAIN_BLOCK_SIZE;
}

void report(const std::function<void(int)> &progress, int value)
{
    if (progress)
        progress(value);
}

} // namespace

bool padDrivePresent(const QString &root, const QString &kitPath)
{
    const QString wanted = withoutTrailingSlash(root);
    bool listed = false;
    for (const DriveEntry &d : ztplatform::driveSource()->drives()) {
        if (d.removable && withoutTrailingSlash(d.root) == wanted)
            listed = true;
    }
    return listed && !kitPath.isEmpty() && QFileInfo(QFileInfo(kitPath).absolutePath()).isDir();
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
        if (a.kit_chain != b.kit_chain || a.kit_chain_No != b.kit_chain_No
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

PadWrite writeKitChainBlock(const ztplatform::FolderAnchor &padRoot, const QString &globalFile,
                            const QByteArray &asLoaded, const QVector<Records::KIT_CHAIN> &chains, QString *usedPath)
{
    const QString path = globalFile.isEmpty() ? QString() : padtree::convertPathCaseInsensitivity(globalFile);
    if (usedPath)
        *usedPath = path;
    QString name;
    ztplatform::Reach reach = ztplatform::Reach::Missing;
    const ztplatform::OpenFolder folder =
            path.isEmpty() ? ztplatform::OpenFolder() : padRoot.openFolderOf(path, &name, &reach);
    if (reach == ztplatform::Reach::Replaced)
        return PadWrite::Changed;
    if (reach == ztplatform::Reach::Outside) {
        qWarning() << "the global settings file lies outside the pad's folders:" << path;
        return PadWrite::Outside;
    }
    InPlaceFile f;
    if (!folder.isOpen() || !f.open(folder, name)) {
        qWarning() << "cannot open the global settings file" << path << f.errorString();
        return PadWrite::NotWritten;
    }
    if (!holdsCurrentGlobalChunk(f)) {
        qWarning() << "the global settings file holds no current-layout chunk; kit chains not written" << path;
        return PadWrite::NotWritten;
    }
    if (f.readAt(KIT_CHAIN_BLOCK_OFFSET, KIT_CHAIN_BLOCK_SIZE) != asLoaded) {
        qWarning() << "the kit chains of" << path << "changed since the pad was loaded; not written";
        return PadWrite::Changed;
    }
    if (!f.writeAt(KIT_CHAIN_BLOCK_OFFSET, kitChainBlock(chains))) {
        qWarning() << "cannot write the kit chains into" << path << f.errorString();
        return f.restoreFailed() ? PadWrite::MayBeDamaged : PadWrite::NotWritten;
    }
    return PadWrite::Written;
}

PadWrite writeAlterFile(const ztplatform::FolderAnchor &padRoot, const QString &sysPath, const QByteArray &bytes)
{
    if (sysPath.isEmpty())
        return PadWrite::NotWritten;
    ztplatform::Reach reach = ztplatform::Reach::Missing;
    const ztplatform::OpenFolder folder = padRoot.openFolder(sysPath, &reach);
    if (reach == ztplatform::Reach::Replaced)
        return PadWrite::Changed;
    if (reach == ztplatform::Reach::Outside) {
        qWarning() << "the pad's SYS folder leads out of the pad:" << sysPath;
        return PadWrite::Outside;
    }
    if (!folder.isOpen())
        return PadWrite::NotWritten;
    const QString found = ztplatform::findEntryIgnoringCase(sysPath, QStringLiteral("alter.ini"));
    const QString name = found.isEmpty() ? QStringLiteral("alter.ini") : QFileInfo(found).fileName();
    {
        ztplatform::ReplaceFile file(folder, name);
        if (file.open() && file.write(bytes) && file.commit())
            return PadWrite::Written;
        if (file.isRenamed())
            return PadWrite::MayBeDamaged; // in place, but the folder's entry may not be on the disk
    }
    // A full volume has no room for a new file; an existing change file of
    // the same size takes the bytes in place.
    InPlaceFile f;
    if (f.open(folder, name) && f.size() == bytes.size() && f.writeAt(0, bytes))
        return PadWrite::Written;
    return f.restoreFailed() ? PadWrite::MayBeDamaged : PadWrite::NotWritten;
}

namespace {

// The one warning naming what was not saved and why.
struct NotSaved {
    QVector<int> kitsFailed, kitsChanged, kitsOutside;
    PadWrite chains = PadWrite::Written;
    PadWrite alter = PadWrite::Written;
    QStringList damaged; // files that may hold old and new bytes mixed

    void addKit(int kitNo, PadWrite how)
    {
        if (how == PadWrite::Changed)
            kitsChanged << kitNo;
        else if (how == PadWrite::Outside)
            kitsOutside << kitNo;
        else
            kitsFailed << kitNo;
    }

    DeviceMessages messages() const
    {
        const QString kit = DeviceText::tr("Kit ");
        QStringList lines;
        lines << namerules::joinNumbersMessage(kit, kitsFailed, DeviceText::tr("was not saved to the sampler pad."),
                                               DeviceText::tr("were not saved to the sampler pad."));
        lines << namerules::joinNumbersMessage(
                kit, kitsChanged,
                DeviceText::tr("was not saved to the sampler pad: it changed on the pad since it was loaded."),
                DeviceText::tr("were not saved to the sampler pad: they changed on the pad since it was loaded."));
        lines << namerules::joinNumbersMessage(
                kit, kitsOutside,
                DeviceText::tr("was not saved to the sampler pad: its folder is a link or leads out of the sampler "
                               "pad."),
                DeviceText::tr("were not saved to the sampler pad: their folder is a link or leads out of the sampler "
                               "pad."));
        if (chains == PadWrite::Changed)
            lines << DeviceText::tr("The kit chains were not saved to the sampler pad: they changed on the pad since "
                                    "it was loaded.");
        if (chains == PadWrite::Outside)
            lines << DeviceText::tr("The kit chains were not saved to the sampler pad: the folder of global.ini "
                                    "is a link or leads out of the sampler pad.");
        if (alter == PadWrite::Changed)
            lines << DeviceText::tr("The change file alter.ini was not saved: the sampler pad changed since it was "
                                    "loaded.");
        if (alter == PadWrite::Outside)
            lines << DeviceText::tr("The change file alter.ini was not saved: its folder is a link or leads out "
                                    "of the sampler pad.");
        if (!damaged.isEmpty())
            lines << DeviceText::tr("Writing these files failed and their old bytes could not be put back; they "
                                    "may be damaged:")
                            + QStringLiteral("\r\n") + damaged.join(QStringLiteral("\r\n"));
        lines.removeAll(QString());
        if (lines.isEmpty())
            return {};
        return {DeviceMessage{DeviceText::tr("Warning"), lines.join(QStringLiteral("\r\n"))}};
    }
};

} // namespace

WriteBackResult writeBack(WriteBackJob &job, const std::function<void(int)> &progress)
{
    WriteBackResult result;
    NotSaved notSaved;
    int unusedInt = 0;
    int &kitChangedFlag = job.kitChangedFlag ? *job.kitChangedFlag : unusedInt;
    int unusedGlobal = 0;
    int &globalFlag = job.globalFlag ? *job.globalFlag : unusedGlobal;
    QVector<quint8> ownFlags(KIT_MAX_COUNT, 0);
    QVector<quint8> &kitFlags = job.kitFlags ? *job.kitFlags : ownFlags;
    if (kitFlags.size() < KIT_MAX_COUNT)
        kitFlags.resize(KIT_MAX_COUNT);

    // Kit chains.
    const QVector<Records::KIT_CHAIN> noChains;
    const QVector<Records::KIT_CHAIN> &chains = job.chains ? *job.chains : noChains;
    DeviceMessage chainsFailure;
    if (!kitChainsEqual(chains, job.originalChains ? *job.originalChains : noChains)) {
        globalFlag = 1;
        QString path = job.globalFile;
        notSaved.chains = writeKitChainBlock(job.padRoot, job.globalFile, job.chainBlock, chains, &path);
        result.chainsWritten = notSaved.chains == PadWrite::Written;
        if (notSaved.chains == PadWrite::NotWritten)
            chainsFailure = DeviceMessage{DeviceText::tr("Open Error"), DeviceText::tr("File location:") + path};
        if (notSaved.chains == PadWrite::MayBeDamaged)
            notSaved.damaged << QDir::toNativeSeparators(path);
    }
    report(progress, 1);

    // Kits that differ from their copies, or that a renumbering marked. The
    // sounds are compared by the numbers the records would carry, so a kit
    // whose numbers were only written in another form (an export numbers
    // them for its file) is not written, and one whose slot names another
    // sound of the pad is.
    if (job.kits && job.originalKits) {
        QVector<Records::soundKit> &kits = *job.kits;
        for (int k = 0; k < KIT_MAX_COUNT && k < kits.size() && k < job.originalKits->size(); ++k) {
            const Records::soundKit &loaded = job.originalKits->at(k);
            Records::soundKit refreshed = kits.at(k);
            refreshKitWaves(refreshed, job.waves, &loaded);
            Records::soundKit asLoaded = loaded;
            refreshKitWaves(asLoaded, job.waves, &loaded);
            const bool adjusted = job.nameAdjusted && job.nameAdjusted->value(k) == 1;
            if (!adjusted && kitFlags.at(k) != 1 && !kitDiffers(refreshed, asLoaded))
                continue;
            kits[k] = refreshed;
            const QString file = job.kitFiles.value(k).isEmpty() ? kitFileName(job.kitPath, k + 1) : job.kitFiles.at(k);
            const PadWrite how = Records::writeKitRecordOnPad(job.padRoot, file, job.kitRecords.value(k), kits, k + 1);
            if (how == PadWrite::Written) {
                kitFlags[k] = 1;
                kitChangedFlag = 1;
                result.kitsWritten << k + 1;
                continue;
            }
            kitFlags[k] = 0;
            result.kitsNotSaved << k + 1;
            if (how == PadWrite::MayBeDamaged)
                notSaved.damaged << QDir::toNativeSeparators(file);
            notSaved.addKit(k + 1, how);
        }
    }
    report(progress, 2);
    report(progress, 4);

    // The change file, from the flags as they now stand.
    notSaved.alter = writeAlterFile(job.padRoot, job.sysPath,
                                    alterFileBytes(kitChangedFlag != 0, job.wavesChanged, globalFlag != 0, kitFlags));
    result.alterWritten = notSaved.alter == PadWrite::Written;
    if (notSaved.alter == PadWrite::MayBeDamaged)
        notSaved.damaged << QDir::toNativeSeparators(job.sysPath + QStringLiteral("/alter.ini"));
    if (result.alterWritten)
        report(progress, 5);

    if (!chainsFailure.title.isEmpty())
        result.messages << chainsFailure;
    result.messages << notSaved.messages();
    if (notSaved.alter == PadWrite::NotWritten)
        result.messages << DeviceMessage{DeviceText::tr("Error"), DeviceText::tr("Open error.")};
    result.failed = !result.messages.isEmpty();
    return result;
}

} // namespace writeback
