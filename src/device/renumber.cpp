#include "device/renumber.h"

#include "device/padjournal.h"
#include "device/padpaths.h"
#include "device/pairfiles.h"
#include "model/bytepack.h"
#include "model/kitrecordmap.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {

namespace pj = padjournal;

constexpr int PRM_READ = 65; // one byte more than a record, to tell a longer file

// The sound number a kit record stores (the pad's number - 1, 0xFFFF none)
// after the renumbering.
quint16 movedNumber(quint16 stored, const QHash<quint16, quint16> &moves, const QSet<quint16> &soundsBefore)
{
    if (stored == NO_WAVE)
        return stored;
    const quint16 number = quint16(stored + 1);
    if (moves.contains(number))
        return quint16(moves.value(number) - 1);
    return soundsBefore.contains(number) ? stored : quint16(NO_WAVE);
}

RenumberResult keepNumbers()
{
    RenumberResult r;
    r.messages << DeviceMessage{DeviceText::tr("Warning"),
                                DeviceText::tr("The sounds on the sampler pad could not be renumbered; they keep "
                                               "their numbers.")};
    return r;
}

// The two moves of one pair, each from its name through a hidden name beside
// it to the names of the new number. False when the pair is not whole there.
bool planPair(const WaveRenumber &c, const PadTreePaths &tree, pj::Pad &pad, pj::Record *record)
{
    const padtree::WavePair pair = padtree::findWavePair(c.wavFile, tree.dataPath, tree.prmPath);
    if (!pair.onPad || c.oldNo < 1 || c.oldNo > WAVE_MAX_COUNT || c.newNo < 1 || c.newNo > WAVE_MAX_COUNT) {
        qWarning() << "wave" << c.oldNo << "cannot be renumbered:" << c.wavFile;
        return false;
    }
    const QString names[2] = {QFileInfo(QDir::fromNativeSeparators(c.wavFile)).fileName(),
                              pair.stem + QStringLiteral(".prm")};
    const QString targets[2] = {padtree::waveDataRelativePath(c.newNo), padtree::wavePrmRelativePath(c.newNo)};
    for (int i = 0; i < 2; ++i) {
        pj::Step s;
        s.kind = pj::Kind::Move;
        s.area = i == 0 ? pj::Area::Data : pj::Area::Prm;
        s.number = c.oldNo;
        s.folder = pair.folder;
        const ztplatform::OpenFolder &folder = pad.folder(s.area, s.folder);
        s.from = pairfiles::findEntry(folder, names[i]);
        s.hidden = pairfiles::freeHiddenName(folder, s.from);
        s.toFolder = targets[i].section(QLatin1Char('/'), 0, 0);
        s.to = targets[i].section(QLatin1Char('/'), 1);
        s.mark = pj::markOfEntry(folder, s.from);
        if (s.from.isEmpty() || s.hidden.isEmpty() || !s.mark.isValid()) {
            qWarning() << "wave" << c.oldNo << "has no pair on the pad to renumber:" << c.wavFile;
            return false;
        }
        if (i == 1) {
            QByteArray bytes = pairfiles::readRegular(folder, s.from, PRM_READ);
            if (bytes.size() < 2)
                return false;
            s.before = bytes.left(2);
            bytepack::put16(reinterpret_cast<uchar *>(bytes.data()), c.newNo);
            s.after = bytes.left(2);
            s.patched = pj::markOfBytes(bytes);
        }
        record->steps << s;
    }
    return true;
}

// Every new name free, or held by a file of the renumbering that leaves it.
bool targetsFree(const pj::Record &record, pj::Pad &pad)
{
    QSet<QString> leaving;
    for (const pj::Step &s : record.steps)
        leaving << QString::number(int(s.area)) + s.folder + QLatin1Char('/') + s.from.toLower();
    for (const pj::Step &s : record.steps) {
        if (s.kind != pj::Kind::Move)
            continue;
        const QString there = pairfiles::findEntry(pad.folder(s.area, s.toFolder), s.to);
        if (!there.isEmpty() && !leaving.contains(QString::number(int(s.area)) + s.toFolder + QLatin1Char('/')
                                                  + there.toLower())) {
            qWarning() << "another file stands where a renumbered sound goes:" << s.toFolder << there;
            return false;
        }
    }
    return true;
}

// The numbered folders the new names need and the pad lacks.
void planFolders(pj::Record *record, pj::Pad &pad)
{
    QSet<QString> seen;
    QVector<pj::Step> folders;
    for (const pj::Step &s : qAsConst(record->steps)) {
        const QString key = QString::number(int(s.area)) + s.toFolder;
        if (s.kind != pj::Kind::Move || seen.contains(key))
            continue;
        seen << key;
        if (pad.base(s.area).exists(s.toFolder))
            continue;
        pj::Step f;
        f.kind = pj::Kind::MakeFolder;
        f.area = s.area;
        f.number = s.number;
        f.folder = s.toFolder;
        folders << f;
    }
    record->steps = folders + record->steps;
}

// The kit records that change, each checked to hold what the editor knows.
bool planKits(const QVector<WaveRenumber> &changes, const QSet<quint16> &soundsBefore, const PadKitRecords &kits,
              pj::Pad &pad, pj::Record *record)
{
    for (int slot = 0; slot < kits.files.size() && slot < KIT_MAX_COUNT; ++slot) {
        const QString &file = kits.files.at(slot);
        const QByteArray now = kits.records.value(slot);
        if (file.isEmpty() || now.size() != KIT_RECORD_SIZE)
            continue;
        const QByteArray after = renumberedKitRecord(now, changes, soundsBefore);
        if (after == now)
            continue;
        pj::Step s;
        s.kind = pj::Kind::Patch;
        s.area = pj::Area::Kit;
        s.number = quint16(slot + 1);
        s.from = QFileInfo(file).fileName();
        s.before = now;
        s.after = after;
        if (pairfiles::readRegular(pad.base(pj::Area::Kit), s.from, KIT_RECORD_SIZE) != now) {
            qWarning() << "a kit record changed on the pad since it was read; nothing is renumbered:" << file;
            return false;
        }
        record->steps << s;
    }
    return true;
}

} // namespace

QVector<WaveRenumber> renumberedWaves(const QVector<MainWindow1Records::SOUND_INDEX> &sounds,
                                      const QVector<int> &oldNumbers)
{
    QVector<WaveRenumber> changes;
    for (int i = 0; i < sounds.size() && i < oldNumbers.size(); ++i) {
        if (sounds.at(i).wave_No != oldNumbers.at(i))
            changes << WaveRenumber{i, quint16(oldNumbers.at(i)), sounds.at(i).wave_No, sounds.at(i).file};
    }
    return changes;
}

QByteArray renumberedKitRecord(const QByteArray &record, const QVector<WaveRenumber> &changes,
                               const QSet<quint16> &soundsBefore)
{
    if (record.size() < KIT_RECORD_SIZE)
        return record;
    QHash<quint16, quint16> moves;
    for (const WaveRenumber &c : changes)
        moves.insert(c.oldNo, c.newNo);
    QByteArray out = record;
    uchar *p = reinterpret_cast<uchar *>(out.data());
    MainWindow1Records::PEDAL_SETTING h;
    kitrecord::unpackKitPedal(p + KIT_BASE_SIZE, h);
    kitrecord::forEachHiHatWave(h, [&](int, quint16 &no, auto &, auto &, auto &, auto &, auto &) {
        no = movedNumber(no, moves, soundsBefore);
    });
    kitrecord::packKitPedal(p + KIT_BASE_SIZE, h);
    for (int j = 0; j < PAD_NUM_MAX; ++j) {
        MainWindow1Records::KIT_PAD_SETTING d;
        kitrecord::unpackKitPad(p + kitrecord::padOffset(j), d);
        d.aWaveNo = movedNumber(d.aWaveNo, moves, soundsBefore);
        d.bWaveNo = movedNumber(d.bWaveNo, moves, soundsBefore);
        kitrecord::packKitPad(p + kitrecord::padOffset(j), d);
    }
    return out;
}

RenumberResult renumberPadWaves(const QVector<WaveRenumber> &changes, const PadTreePaths &tree,
                                const ztplatform::FolderAnchor &padRoot, const QSet<quint16> &soundsBefore,
                                const PadKitRecords &kits)
{
    if (!padRoot.isValid() || !padtree::isUsableFolder(tree.dataPath) || !padtree::isUsableFolder(tree.prmPath)
        || !padtree::isUsableFolder(tree.sysPath) || !padtree::isUsableFolder(tree.kitPath))
        return keepNumbers();
    pj::Pad pad(padRoot, tree);
    if (pj::recordPresent(pad)) {
        qWarning() << "the pad holds the record of another change; nothing is renumbered";
        return keepNumbers();
    }
    pj::Record record;
    record.purpose = pj::Purpose::Renumbering;
    for (const WaveRenumber &c : changes) {
        if (!planPair(c, tree, pad, &record))
            return keepNumbers();
    }
    if (!targetsFree(record, pad) || !planKits(changes, soundsBefore, kits, pad, &record))
        return keepNumbers();
    planFolders(&record, pad);

    const pj::Outcome o = pj::run(pad, record);
    if (o.finished) {
        RenumberResult r;
        r.ok = true;
        for (const WaveRenumber &c : changes)
            r.newFiles << QDir::toNativeSeparators(tree.dataPath + QLatin1Char('/')
                                                   + padtree::waveDataRelativePath(c.newNo));
        for (const pj::Step &s : qAsConst(record.steps)) {
            if (s.kind == pj::Kind::Patch)
                r.kitsWritten << qMakePair(int(s.number) - 1, s.after);
        }
        return r;
    }
    if (o.undone && (!o.refused || o.missing.isEmpty())) {
        // Taken back: a file missing went by another hand.
        RenumberResult r = keepNumbers();
        for (const QString &line : o.missing)
            r.messages.first().text += QStringLiteral("\r\n") + line;
        return r;
    }
    QStringList lines{DeviceText::tr("The sounds on the sampler pad could not be renumbered, and the change could "
                                     "not be taken back; the next load of the sampler pad finishes it or takes it "
                                     "back, kits and sounds together.")};
    lines << o.missing; // where the files of the sounds are
    if (const QString refused = pj::refusalLine(o); !refused.isEmpty())
        lines << refused;
    RenumberResult r;
    r.messages << DeviceMessage{DeviceText::tr("Warning"), lines.join(QStringLiteral("\r\n"))};
    return r;
}
