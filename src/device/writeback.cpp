#include "device/writeback.h"

#include "device/padpaths.h"
#include "model/bytepack.h"
#include "platform/durablefile.h"
#include "platform/inplacefile.h"
#include "platform/pathcase.h"
#include "platform/removabledrives.h"

#include <QDebug>
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

bool writeKitChainBlock(const QString &globalFile, const QVector<Records::KIT_CHAIN> &chains, QString *usedPath)
{
    const QString path = globalFile.isEmpty() ? QString() : padtree::convertPathCaseInsensitivity(globalFile);
    if (usedPath)
        *usedPath = path;
    InPlaceFile f;
    if (path.isEmpty() || !f.open(path)) {
        qWarning() << "cannot open the global settings file" << path << f.errorString();
        return false;
    }
    if (!holdsCurrentGlobalChunk(f)) {
        qWarning() << "the global settings file holds no current-layout chunk; kit chains not written" << path;
        return false;
    }
    if (!f.writeAt(KIT_CHAIN_BLOCK_OFFSET, kitChainBlock(chains))) {
        qWarning() << "cannot write the kit chains into" << path << f.errorString();
        return false;
    }
    return true;
}

bool writeAlterFile(const QString &sysPath, const QByteArray &bytes)
{
    QString path = ztplatform::findEntryIgnoringCase(sysPath, QStringLiteral("alter.ini"));
    if (path.isEmpty())
        path = sysPath + QStringLiteral("/alter.ini");
    if (sysPath.isEmpty())
        return false;
    if (ztplatform::writeWhole(path, bytes))
        return true;
    // A full volume has no room for a new file; an existing change file of
    // the same size takes the bytes in place (the old ones stay on failure).
    InPlaceFile f;
    return f.open(path) && f.size() == bytes.size() && f.writeAt(0, bytes);
}

WriteBackResult writeBack(WriteBackJob &job, const std::function<void(int)> &progress)
{
    WriteBackResult result;
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
    if (!kitChainsEqual(chains, job.originalChains ? *job.originalChains : noChains)) {
        globalFlag = 1;
        QString path;
        result.chainsWritten = writeKitChainBlock(job.globalFile, chains, &path);
        if (!result.chainsWritten) {
            result.failed = true;
            result.messages << DeviceMessage{DeviceText::tr("Open Error"), DeviceText::tr("File location:") + path};
        }
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
            if (MainWindow1Records::writeKitRecordInPlace(QFile::encodeName(file).constData(), kits, k + 1)) {
                kitFlags[k] = 1;
                kitChangedFlag = 1;
                result.kitsWritten << k + 1;
            } else {
                kitFlags[k] = 0;
                result.kitsNotSaved << k + 1;
            }
        }
    }
    if (!result.kitsNotSaved.isEmpty()) {
        result.failed = true;
        result.messages << numbersWarning(DeviceText::tr("Kit "), result.kitsNotSaved,
                                          DeviceText::tr("was not saved to the sampler pad."),
                                          DeviceText::tr("were not saved to the sampler pad."));
    }
    report(progress, 2);
    report(progress, 4);

    // The change file, from the flags as they now stand.
    result.alterWritten = writeAlterFile(
            job.sysPath, alterFileBytes(kitChangedFlag != 0, job.wavesChanged, globalFlag != 0, kitFlags));
    if (!result.alterWritten) {
        result.failed = true;
        result.messages << DeviceMessage{DeviceText::tr("Error"), DeviceText::tr("Open error.")};
    } else {
        report(progress, 5);
    }
    return result;
}

} // namespace writeback
