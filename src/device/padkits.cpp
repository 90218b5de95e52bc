#include "device/padkits.h"

#include "device/padpaths.h"
#include "device/padreasons.h"
#include "kitfile/kitslots.h"
#include "model/kitrecordmap.h"
#include "model/namerules.h"
#include "platform/descriptor.h"
#include "platform/disk.h"
#include "platform/regularfile.h"

#include <QBuffer>
#include <QDebug>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <vector>

namespace {

using Records = MainWindow1Records;
using soundKit = Records::soundKit;

// Effect numbers 10 and 0xFF mean none.
quint8 effectNumber(quint8 no)
{
    return (no == 10 || no == 0xFF) ? 0 : no;
}

struct SoundRef {
    QString name;
    QString file;
};

// Sound name and file of a slot's wave number; none leaves them as they were.
void resolveWave(quint16 waveNo, const QHash<quint16, SoundRef> &waves, QString &name, QString &file)
{
    if (waveNo == NO_WAVE) {
        name.clear();
        file.clear();
        return;
    }
    const auto it = waves.constFind(waveNo);
    if (it == waves.constEnd())
        return;
    name = it->name;
    file = it->file;
}

// The editor's kit from the bare record `rec` over the kit `scratch`.
soundKit kitFromRecord(const uchar *rec, const soundKit &scratch, const QHash<quint16, SoundRef> &waves)
{
    soundKit k = scratch;
    quint8 reserved[sizeof k.reserved];
    std::copy(std::begin(k.reserved), std::end(k.reserved), reserved);
    kitrecord::unpackKitBase(rec, k);
    std::copy(std::begin(reserved), std::end(reserved), k.reserved); // not the kit's own
    k.effect1_no = effectNumber(k.effect1_no);
    k.effect2_no = effectNumber(k.effect2_no);
    k.effect3_no = effectNumber(k.effect3_no);

    Records::PEDAL_SETTING &h = k.pedalChunk;
    kitrecord::unpackKitPedal(rec + KIT_BASE_SIZE, h);
    h.active_no = effectNumber(h.active_no);
    const auto resolve = [&waves](auto s) { resolveWave(s.no, waves, s.name, s.file); };
    setupfiles::forEachHiHatSlot(k, resolve);

    for (int p = 0; p < PAD_NUM_MAX; ++p) {
        Records::KIT_PAD_SETTING &d = k.kpadChunk[p];
        const quint8 footControl = d.pad_fs_ctrl; // not taken from the record
        kitrecord::unpackKitPad(rec + kitrecord::padOffset(p), d);
        d.pad_fs_ctrl = footControl;
        setupfiles::forEachLayer(d, resolve);
    }
    return k;
}

// The kit file of each slot among `entries` (empty where there is none);
// links are not taken but appended to `links`.
QVector<QString> kitFilesOf(const padtree::FolderEntries &entries, QStringList *links)
{
    QVector<QString> files(KIT_MAX_COUNT);
    for (const padtree::FolderEntry &e : entries) {
        if (e.isLink()) {
            if (links)
                links->append(e.path);
            continue;
        }
        const int slot = padKitSlot(e.name);
        if (slot < 0) {
            if (e.name.contains(QLatin1String(".ini"), Qt::CaseInsensitive))
                qDebug() << "not a kit file of the pad, skipped:" << e.path;
            continue;
        }
        if (!files.at(slot).isEmpty()) {
            qDebug() << "second file for kit" << slot + 1 << "skipped:" << e.path;
            continue;
        }
        files[slot] = e.path;
    }
    return files;
}

// The file `name` of `folder` opened for reading without following a link
// or waiting on a pipe; none, `why` set, unless it is a regular file.
ztplatform::Descriptor openPadFile(const ztplatform::OpenFolder &folder, const QString &name, QString *why)
{
    ztplatform::Descriptor fd(folder.openEntry(name, O_RDONLY | O_NONBLOCK));
    const int error = errno;
    struct stat st;
    if (fd.isOpen() && folder.disk().stat(fd.get(), &st) == 0 && S_ISREG(st.st_mode))
        return fd;
    if (fd.isOpen()) {
        *why = padreason::why(st.st_mode & S_IFMT, 0);
        return ztplatform::Descriptor();
    }
    const unsigned type = ztplatform::entryType(folder.fd(), name);
    *why = padreason::why(type == S_IFREG ? 0 : type, type == 0 ? ENOENT : error);
    return ztplatform::Descriptor();
}

PadKits refuse(PadKits &result, const QString &file, const QString &why)
{
    qWarning() << "kit file missing, unreadable or short:" << file << why;
    result.ok = false;
    result.messages = {DeviceMessage{
            DeviceText::tr("Warning"),
            padreason::withFile(DeviceText::tr("Fail to read kit file, import failed."), file, why)}};
    return result;
}

} // namespace

int padKitSlot(const QString &fileName)
{
    static const QRegularExpression pattern(QStringLiteral("^k(\\d{3})\\.ini$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = pattern.match(fileName);
    if (!m.hasMatch())
        return -1;
    const int n = m.captured(1).toInt();
    return n >= 1 && n <= KIT_MAX_COUNT ? n - 1 : -1;
}

QString adjustPadKitName(const QString &stored, int n, bool *counted)
{
    bool cut = false, replaced = false;
    const QString name = namerules::fitKitName(stored, n, &cut, &replaced);
    *counted = cut || replaced;
    return name;
}

PadKits padKitsChanged(bool away)
{
    PadKits result;
    result.padChanged = true;
    result.messages = padChangedWhileRead(away).messages;
    return result;
}

namespace {

// Slots whose kit file is a link left out, with no plain file beside it.
QVector<bool> linkedSlots(const PadKits &result)
{
    QVector<bool> linked(KIT_MAX_COUNT, false);
    for (const QString &link : qAsConst(result.linksLeftOut)) {
        const int slot = padKitSlot(QFileInfo(link).fileName());
        if (slot >= 0)
            linked[slot] = result.kitFiles.at(slot).isEmpty();
    }
    return linked;
}

void tellRenamedKits(PadKits *result)
{
    if (result->renamedKits.isEmpty())
        return;
    DeviceMessage renamed = numbersWarning(
            DeviceText::tr("Kit "), result->renamedKits,
            DeviceText::tr("is automatically renamed, as it exceeds 10 characters or contains special symbol."),
            DeviceText::tr("are automatically renamed, as they exceed 10 characters or contain special symbol."));
    renamed.text += QStringLiteral("\r\n") + namerules::kitNameChangesText(result->renamedKits, result->renamedKitNames);
    result->messages << renamed;
}

} // namespace

PadKits readPadKits(const QString &kitPath, const QVector<Records::SOUND_INDEX> &waveAttrList, const soundKit *scratch,
                    KitRecordStorage storage, const EventPump &pump)
{
    return readPadKits(ztplatform::FolderAnchor::record(kitPath), kitPath, waveAttrList, scratch, storage, pump);
}

PadKits readPadKits(const ztplatform::FolderAnchor &root, const QString &kitPath,
                    const QVector<Records::SOUND_INDEX> &waveAttrList, const soundKit *scratch, KitRecordStorage storage,
                    const EventPump &pump)
{
    PadKits result;
    ztplatform::Reach reach = ztplatform::Reach::Missing;
    const ztplatform::OpenFolder folder = root.openFolder(kitPath, &reach);
    // A kit folder that is missing names its first file; one elsewhere is no pad's.
    if (!folder.isOpen() && (reach != ztplatform::Reach::Missing || padtree::padAway(root)))
        return padKitsChanged(reach == ztplatform::Reach::Missing);
    result.kitFiles = kitFilesOf(padtree::listEntriesAndLinks(folder, kitPath), &result.linksLeftOut);
    const QVector<bool> linked = linkedSlots(result);
    if (linked.contains(true) && std::all_of(result.kitFiles.cbegin(), result.kitFiles.cend(),
                                             [](const QString &f) { return f.isEmpty(); })) {
        result.messages = {DeviceMessage{DeviceText::tr("Error"),
                                         DeviceText::tr("The current disk is not the sampler pad.")}};
        return result;
    }

    // Own storage when the caller gives none.
    std::vector<percussionpadfile::P_KIT_BASE_PARA> ownBase;
    std::vector<percussionpadfile::P_PEDAL_SETTING> ownPedal;
    std::unique_ptr<percussionpadfile::P_KIT_PAD_SETTING[][PAD_NUM_MAX]> ownPads;
    if (!storage.base || !storage.pedal || !storage.pads) {
        ownBase.resize(KIT_MAX_COUNT);
        ownPedal.resize(KIT_MAX_COUNT);
        ownPads.reset(new percussionpadfile::P_KIT_PAD_SETTING[KIT_MAX_COUNT][PAD_NUM_MAX]);
        storage = KitRecordStorage{ownBase.data(), ownPedal.data(), ownPads.get()};
    }

    // The last sound of each number names the slots that use it.
    QHash<quint16, SoundRef> waves;
    waves.reserve(waveAttrList.size());
    for (const Records::SOUND_INDEX &s : waveAttrList)
        waves.insert(s.wave_No, SoundRef{percussionpadfile::charArray2String(s.wave_name, SOUND_NAME_LENGTH_MAX), s.file});

    percussionpadfile model;
    model.curFlag = 4;
    result.kits.reserve(KIT_MAX_COUNT);
    result.kitIndex.reserve(KIT_MAX_COUNT);
    result.nameAdjusted.fill(0, KIT_MAX_COUNT);
    result.kitRecords.resize(KIT_MAX_COUNT);
    for (int slot = 0; slot < KIT_MAX_COUNT; ++slot) {
        if (pump)
            pump();
        const QString &path = result.kitFiles.at(slot);
        if (path.isEmpty() && linked.at(slot)) {
            result.kits << (scratch ? scratch[slot] : soundKit());
            result.kitIndex << 0;
            continue;
        }
        const QString named =
                path.isEmpty() ? kitPath + QStringLiteral("/k%1.ini").arg(padtree::threeDigits(slot + 1)) : path;
        QString why;
        ztplatform::Descriptor fd = openPadFile(folder, named.mid(named.lastIndexOf(QLatin1Char('/')) + 1), &why);
        if (!fd.isOpen())
            return refuse(result, named, why);
        QByteArray record;
        if (!ztplatform::readStart(folder.disk(), fd.get(), KIT_RECORD_SIZE, &record))
            return refuse(result, named, padreason::why(0, errno ? errno : EIO));
        if (record.size() < KIT_RECORD_SIZE)
            return refuse(result, named, padreason::shortKitRecord());
        result.kitRecords[slot] = record;
        QBuffer file(&record);
        file.open(QIODevice::ReadOnly);
        model.initFileChunk();
        model.kitChunk.baseChunk = storage.base;
        model.kitChunk.pedalChunk = storage.pedal;
        model.kitChunk.kpadChunk = storage.pads;
        const bool read = model.readSingleOnlineSkitChunk(&file, slot);
        file.close();
        if (!read)
            return refuse(result, named, padreason::why(0, errno ? errno : EIO));

        uchar rec[KIT_RECORD_SIZE];
        model.packKitRecord(slot, rec);
        soundKit k = kitFromRecord(rec, scratch ? scratch[slot] : soundKit(), waves);
        const QString stored = percussionpadfile::charArray2String(storage.base[slot].kit_name, KIT_NAME_FIELD);
        bool counted = false;
        k.kit_name = adjustPadKitName(stored, slot + 1, &counted);
        if (counted) {
            result.renamedKits << slot + 1;
            result.renamedKitNames.insert(slot + 1, {stored, k.kit_name});
        }
        if (k.kit_name != stored)
            result.nameAdjusted[slot] = 1;
        result.kitIndex << storage.base[slot].reserved[0];
        result.kits << k;
    }

    // What was read is the loaded pad's only when the same folder still
    // stands at the path the kits are known by.
    const ztplatform::OpenFolder again = root.openFolder(kitPath);
    if (!again.isOpen() || !(ztplatform::identityOf(again) == ztplatform::identityOf(folder)))
        return padKitsChanged(padtree::padAway(root));

    tellRenamedKits(&result);
    result.ok = true;
    return result;
}

PadGlobal readPadGlobal(const QString &usbGlobalIniFile, percussionpadfile &model)
{
    const QString folder = usbGlobalIniFile.left(qMax(usbGlobalIniFile.lastIndexOf(QLatin1Char('/')), 1));
    return readPadGlobal(ztplatform::FolderAnchor::record(folder), usbGlobalIniFile, model);
}

namespace {

PadGlobal globalChanged(const ztplatform::FolderAnchor &root)
{
    PadGlobal result;
    result.padChanged = true;
    result.messages = padChangedWhileRead(padtree::padAway(root)).messages;
    return result;
}

} // namespace

PadGlobal readPadGlobal(const ztplatform::FolderAnchor &root, const QString &usbGlobalIniFile,
                        percussionpadfile &model, const EventPump &pump)
{
    PadGlobal result;
    QString name, why = padreason::why(0, ENOENT);
    ztplatform::Reach reach = ztplatform::Reach::Missing;
    const ztplatform::OpenFolder folder =
            usbGlobalIniFile.isEmpty() ? ztplatform::OpenFolder() : root.openFolderOf(usbGlobalIniFile, &name, &reach);
    // A SYS folder that is missing names the file; one elsewhere is no pad's.
    if (!usbGlobalIniFile.isEmpty() && !folder.isOpen()
        && (reach != ztplatform::Reach::Missing || padtree::padAway(root)))
        return globalChanged(root);
    const ztplatform::Descriptor fd = folder.isOpen() ? openPadFile(folder, name, &why) : ztplatform::Descriptor();
    if (!fd.isOpen() || !ztplatform::readStart(folder.disk(), fd.get(), GLOBAL_FILE_MAX, &result.fileBytes)) {
        if (fd.isOpen())
            why = padreason::why(0, errno ? errno : EIO);
        result.messages << DeviceMessage{
                DeviceText::tr("Warning"),
                padreason::withFile(DeviceText::tr("Fail to read file, import failed."), usbGlobalIniFile, why)};
        return result;
    }
    QBuffer file(&result.fileBytes);
    file.open(QIODevice::ReadOnly);
    result.chainBlock = result.fileBytes.mid(KIT_CHAIN_BLOCK_OFFSET, KIT_CHAIN_BLOCK_SIZE);
    file.seek(0);
    model.curFlag = 1;
    model.initFileChunk();
    result.ok = true;
    // The reader sets the size of the layout it read.
    const quint32 defaultSize = model.new_globalChunk.size;
    model.new_globalChunk.size = 0;
    model.globalChunk.size = 0;
    if (model.readGlobalChunk(&file)) {
        result.currentLayout = model.new_globalChunk.size != 0;
        result.globalSize = int(result.currentLayout ? model.new_globalChunk.size : model.globalChunk.size);
    } else {
        qWarning() << "no global settings chunk could be read:" << usbGlobalIniFile;
    }
    if (!result.currentLayout)
        model.new_globalChunk.size = defaultSize;
    model.curFlag = 4;
    file.close();
    if (pump)
        pump();
    // What was read is the loaded pad's only when the same folder still
    // stands at the path the file is known by.
    const ztplatform::OpenFolder again = root.openFolderOf(usbGlobalIniFile, nullptr);
    if (!again.isOpen() || !(ztplatform::identityOf(again) == ztplatform::identityOf(folder)))
        return globalChanged(root);
    return result;
}
