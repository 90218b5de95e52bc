#include "device/renumber.h"

#include "device/padpaths.h"
#include "device/pairfiles.h"
#include "model/bytepack.h"
#include "platform/inplacefile.h"
#include "platform/disk.h"
#include "platform/tempnames.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr qint64 RECORD_MAX = 16 * 1024 * 1024;
const QLatin1String RECORD_HEAD("ZT350 renumbering 1");

// The record's name tells the phase: pairs leaving their old names, or
// taking their new ones.
enum Phase { MovingOut = 1, MovingIn = 2 };

QString recordName(Phase phase)
{
    return ztplatform::temporaryName(QStringLiteral("renumbering"), quint32(phase));
}

// One file of a pair: its numbered folder and name before, the hidden name
// beside it, and its folder and name after.
struct FileMove {
    bool prm = false; // below WAV_PRM, else WAV_DATA
    QString fromFolder, from, hidden;
    QString toFolder, to;
};

struct Move {
    quint16 oldNo = 0, newNo = 0;
    FileMove wav, prm;
};

struct Intent {
    QVector<Move> moves;
    QStringList createdData, createdPrm; // numbered folders made for it
};

QByteArray recordBytes(const Intent &intent)
{
    QStringList lines{RECORD_HEAD};
    for (const QString &f : intent.createdData)
        lines << QStringLiteral("folder\tdata\t") + f;
    for (const QString &f : intent.createdPrm)
        lines << QStringLiteral("folder\tprm\t") + f;
    for (const Move &m : intent.moves) {
        QStringList fields{QStringLiteral("move"), QString::number(m.oldNo), QString::number(m.newNo)};
        for (const FileMove *f : {&m.wav, &m.prm})
            fields << f->fromFolder << f->from << f->hidden << f->toFolder << f->to;
        lines << fields.join(QLatin1Char('\t'));
    }
    lines << QStringLiteral("end\t%1\t%2")
                     .arg(intent.moves.size())
                     .arg(intent.createdData.size() + intent.createdPrm.size());
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

// False for a record cut short or not of this form.
bool parseRecord(const QByteArray &bytes, Intent *intent)
{
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (lines.size() < 2 || lines.first() != RECORD_HEAD)
        return false;
    for (int i = 1; i < lines.size() - 1; ++i) {
        const QStringList f = lines.at(i).split(QLatin1Char('\t'));
        if (f.size() == 3 && f.at(0) == QLatin1String("folder")) {
            (f.at(1) == QLatin1String("prm") ? intent->createdPrm : intent->createdData) << f.at(2);
            continue;
        }
        if (f.size() != 13 || f.at(0) != QLatin1String("move"))
            return false;
        Move m;
        m.oldNo = quint16(f.at(1).toUInt());
        m.newNo = quint16(f.at(2).toUInt());
        m.wav = FileMove{false, f.at(3), f.at(4), f.at(5), f.at(6), f.at(7)};
        m.prm = FileMove{true, f.at(8), f.at(9), f.at(10), f.at(11), f.at(12)};
        intent->moves << m;
    }
    const QStringList end = lines.last().split(QLatin1Char('\t'));
    return end.size() == 3 && end.at(0) == QLatin1String("end") && end.at(1).toInt() == intent->moves.size()
            && end.at(2).toInt() == intent->createdData.size() + intent->createdPrm.size();
}

// Every step reaches its folder from the pad's root one folder at a time: a
// folder swapped for a link is never entered.
class PadMoves
{
public:
    PadMoves(ztplatform::FolderAnchor root, const QString &dataPath, const QString &prmPath, const QString &sysPath)
        : m_root(std::move(root))
        , m_data(dataPath)
        , m_prm(prmPath)
        , m_sys(sysPath)
    {
    }

    ztplatform::OpenFolder folder(bool prm, const QString &fff) const
    {
        return m_root.openFolder((prm ? m_prm : m_data) + QLatin1Char('/') + fff);
    }
    ztplatform::OpenFolder base(bool prm) const { return m_root.openFolder(prm ? m_prm : m_data); }
    ztplatform::OpenFolder sys() const { return m_root.openFolder(m_sys); }

    bool exists(bool prm, const QString &fff, const QString &name) const
    {
        return !name.isEmpty() && folder(prm, fff).exists(name);
    }
    // Never replaces; false with errno.
    bool move(bool prm, const QString &fromFff, const QString &from, const QString &toFff, const QString &to) const
    {
        return pairfiles::moveEntry(folder(prm, fromFff), from, folder(prm, toFff), to);
    }
    bool sync(bool prm, const QString &fff) const
    {
        const ztplatform::OpenFolder f = folder(prm, fff);
        if (!f.isOpen())
            errno = ENOENT;
        return f.isOpen() && f.sync();
    }

    // The number stored in bytes 0 and 1 of a record; -1 when unreadable.
    int number(const QString &fff, const QString &name) const
    {
        const QByteArray b = pairfiles::readRegular(folder(true, fff), name, 2);
        return b.size() == 2 ? bytepack::get16(reinterpret_cast<const uchar *>(b.constData())) : -1;
    }
    bool setNumber(const QString &fff, const QString &name, quint16 number) const
    {
        InPlaceFile f;
        QByteArray now(2, '\0');
        bytepack::put16(reinterpret_cast<uchar *>(now.data()), number);
        return f.open(folder(true, fff), name) && f.size() >= 2 && f.writeAt(0, now);
    }

private:
    ztplatform::FolderAnchor m_root;
    QString m_data, m_prm, m_sys;
};

// The folders a step touched, each forced to the disk once.
bool syncFolders(const PadMoves &pad, const Intent &intent, bool toFolders)
{
    QSet<QString> done;
    for (const Move &m : intent.moves) {
        for (const FileMove *f : {&m.wav, &m.prm}) {
            const QStringList folders =
                    toFolders ? QStringList{f->fromFolder, f->toFolder} : QStringList{f->fromFolder};
            for (const QString &fff : folders) {
                const QString key = QString::number(f->prm) + fff;
                if (done.contains(key))
                    continue;
                if (!pad.sync(f->prm, fff)) {
                    qWarning() << "cannot force a renumbered folder to the disk:" << fff << std::strerror(errno);
                    return false;
                }
                done << key;
            }
        }
    }
    return true;
}

// The pair of each change as it stands on the pad, with its hidden and new
// names. False when a pair is not whole there.
bool planMoves(const QVector<WaveRenumber> &changes, const QString &dataPath, const QString &prmPath,
               const PadMoves &pad, Intent *intent)
{
    for (const WaveRenumber &c : changes) {
        const padtree::WavePair pair = padtree::findWavePair(c.wavFile, dataPath, prmPath);
        if (!pair.onPad || c.newNo < 1 || c.newNo > WAVE_MAX_COUNT) {
            qWarning() << "wave" << c.oldNo << "cannot be renumbered:" << c.wavFile;
            return false;
        }
        Move m{c.oldNo, c.newNo, {}, {}};
        const QString wavName = QFileInfo(QDir::fromNativeSeparators(c.wavFile)).fileName();
        const QString names[2] = {wavName, pair.stem + QStringLiteral(".prm")};
        const QString targets[2] = {padtree::waveDataRelativePath(c.newNo), padtree::wavePrmRelativePath(c.newNo)};
        for (int i = 0; i < 2; ++i) {
            FileMove &f = i == 0 ? m.wav : m.prm;
            const ztplatform::OpenFolder folder = pad.folder(i == 1, pair.folder);
            f.prm = i == 1;
            f.fromFolder = pair.folder;
            f.from = pairfiles::findEntry(folder, names[i]);
            f.hidden = pairfiles::freeHiddenName(folder, f.from);
            f.toFolder = targets[i].section(QLatin1Char('/'), 0, 0);
            f.to = targets[i].section(QLatin1Char('/'), 1);
            if (f.from.isEmpty() || f.hidden.isEmpty() || pairfiles::regularSize(folder, f.from) < 0) {
                qWarning() << "wave" << c.oldNo << "has no pair on the pad to renumber:" << c.wavFile;
                return false;
            }
        }
        intent->moves << m;
    }
    return true;
}

// The numbered folders the new names need; those made now are noted in the
// intent and their entries forced to the disk.
bool makeFolders(const PadMoves &pad, Intent *intent)
{
    QSet<QString> seen;
    for (const Move &m : qAsConst(intent->moves)) {
        for (const FileMove *f : {&m.wav, &m.prm}) {
            const QString key = QString::number(f->prm) + f->toFolder;
            if (seen.contains(key))
                continue;
            seen << key;
            bool created = false;
            const ztplatform::OpenFolder base = pad.base(f->prm);
            if (!base.makeFolder(f->toFolder, &created).isOpen())
                return false;
            if (created)
                (f->prm ? intent->createdPrm : intent->createdData) << f->toFolder;
            if (created && !base.sync())
                return false;
        }
    }
    return true;
}

void removeMadeFolders(const PadMoves &pad, const Intent &intent)
{
    for (bool prm : {false, true}) {
        const ztplatform::OpenFolder base = pad.base(prm);
        for (const QString &fff : prm ? intent.createdPrm : intent.createdData)
            base.removeFolder(fff);
        base.sync();
    }
}

bool writeRecord(const PadMoves &pad, const Intent &intent)
{
    const ztplatform::OpenFolder sys = pad.sys();
    const QByteArray bytes = recordBytes(intent);
    const int fd = sys.openEntry(recordName(MovingOut), O_WRONLY | O_CREAT | O_EXCL);
    if (fd < 0) {
        qWarning() << "cannot write the renumbering's record:" << std::strerror(errno);
        return false;
    }
    bool ok = sys.disk().write(fd, bytes.constData(), bytes.size()) && sys.syncFile(fd);
    ok = ::close(fd) == 0 && ok && sys.sync();
    if (!ok) {
        sys.remove(recordName(MovingOut));
        sys.sync();
    }
    return ok;
}

bool removeRecords(const PadMoves &pad)
{
    const ztplatform::OpenFolder sys = pad.sys();
    return sys.remove(recordName(MovingOut)) && sys.remove(recordName(MovingIn)) && sys.sync();
}

// The two phases, each forced to the disk, then the new numbers, then the
// record goes.
bool runMoves(const PadMoves &pad, const Intent &intent, Phase *phase)
{
    *phase = MovingOut;
    for (const Move &m : intent.moves) {
        for (const FileMove *f : {&m.wav, &m.prm}) {
            if (!pad.move(f->prm, f->fromFolder, f->from, f->fromFolder, f->hidden))
                return false;
        }
    }
    const ztplatform::OpenFolder sys = pad.sys();
    if (!syncFolders(pad, intent, false) || !pairfiles::moveEntry(sys, recordName(MovingOut), sys, recordName(MovingIn))
        || !sys.sync())
        return false;
    *phase = MovingIn;
    for (const Move &m : intent.moves) {
        for (const FileMove *f : {&m.wav, &m.prm}) {
            if (!pad.move(f->prm, f->fromFolder, f->hidden, f->toFolder, f->to))
                return false;
        }
    }
    if (!syncFolders(pad, intent, true))
        return false;
    for (const Move &m : intent.moves) {
        if (!pad.setNumber(m.prm.toFolder, m.prm.to, m.newNo))
            return false;
    }
    return removeRecords(pad);
}

// Where one file of a move is.
enum class At { Old, Hidden, New, Nowhere };

// In each phase a name holds nothing but its own file: pairs leaving their old
// names never meet pairs taking their new ones.
At whereIs(const PadMoves &pad, const FileMove &f, Phase phase)
{
    if (pad.exists(f.prm, f.fromFolder, f.hidden))
        return At::Hidden;
    if (phase == MovingOut)
        return pad.exists(f.prm, f.fromFolder, f.from) ? At::Old : At::Nowhere;
    return pad.exists(f.prm, f.toFolder, f.to) ? At::New : At::Nowhere;
}

struct Undone {
    bool refused = false; // the pad refused a write: the record stays
    bool changed = false;
    QVector<At> at;       // two per move: the .wav, the .prm
    QVector<int> notBack; // moves whose pair is not at its old names
};

// Every file back at its old name, through its hidden name where a file
// taking its new name might hold the old name of another; the records'
// numbers back; the folders forced to the disk.
Undone undoMoves(const PadMoves &pad, const Intent &intent, Phase phase)
{
    Undone u;
    for (const Move &m : intent.moves)
        u.at << whereIs(pad, m.wav, phase) << whereIs(pad, m.prm, phase);
    auto step = [&u](At &at, At to, bool ok) {
        u.changed |= ok;
        u.refused |= !ok && errno != EEXIST && errno != ENOENT;
        if (ok)
            at = to;
    };
    for (At from : {At::New, At::Hidden}) {
        for (int i = 0; i < intent.moves.size(); ++i) {
            for (int k = 0; k < 2; ++k) {
                const FileMove &f = k == 0 ? intent.moves.at(i).wav : intent.moves.at(i).prm;
                At &at = u.at[2 * i + k];
                if (at == At::New && from == At::New)
                    step(at, At::Hidden, pad.move(f.prm, f.toFolder, f.to, f.fromFolder, f.hidden));
                else if (at == At::Hidden && from == At::Hidden)
                    step(at, At::Old, pad.move(f.prm, f.fromFolder, f.hidden, f.fromFolder, f.from));
            }
        }
    }
    for (int i = 0; i < intent.moves.size(); ++i) {
        const Move &m = intent.moves.at(i);
        At prmAt = u.at.at(2 * i + 1);
        if (prmAt == At::Old && m.newNo != m.oldNo && pad.number(m.prm.fromFolder, m.prm.from) == m.newNo)
            step(prmAt, At::Old, pad.setNumber(m.prm.fromFolder, m.prm.from, m.oldNo));
        if (u.at.at(2 * i) != At::Old || prmAt != At::Old)
            u.notBack << i;
    }
    if (!syncFolders(pad, intent, true))
        u.refused = true;
    if (u.notBack.isEmpty())
        removeMadeFolders(pad, intent);
    return u;
}

// A line for a sound of the renumbering not back at its number.
QString whereLine(const Move &m, At wav, At prm)
{
    if (wav == At::Nowhere)
        return DeviceText::tr("Sound %1: its .wav file is missing.").arg(m.oldNo);
    if (prm == At::Nowhere)
        return DeviceText::tr("Sound %1: its .prm file is missing.").arg(m.oldNo);
    if (wav == At::Hidden || prm == At::Hidden)
        return DeviceText::tr("Sound %1: under hidden names, out of the pad's list.").arg(m.oldNo);
    if (wav == At::New && prm == At::New)
        return DeviceText::tr("Sound %1: now at number %2.").arg(m.oldNo).arg(m.newNo);
    return DeviceText::tr("Sound %1: its files are split between the numbers %1 and %2.").arg(m.oldNo).arg(m.newNo);
}

RenumberResult keepNumbers()
{
    RenumberResult r;
    r.messages << DeviceMessage{DeviceText::tr("Warning"),
                                DeviceText::tr("The sounds on the sampler pad could not be renumbered; they keep "
                                               "their numbers.")};
    return r;
}

// What a failed renumbering tells once it undid what the pad let it undo.
RenumberResult failed(const PadMoves &pad, const Intent &intent, Phase phase)
{
    const Undone u = undoMoves(pad, intent, phase);
    if (!u.refused)
        removeRecords(pad);
    if (u.notBack.isEmpty())
        return keepNumbers();
    QStringList lines{DeviceText::tr("The sounds on the sampler pad could not be renumbered, and these could not be "
                                     "put back at their numbers; the next load of the sampler pad puts them back "
                                     "where it can:")};
    for (int i : u.notBack)
        lines << whereLine(intent.moves.at(i), u.at.at(2 * i), u.at.at(2 * i + 1));
    RenumberResult r;
    r.messages << DeviceMessage{DeviceText::tr("Warning"), lines.join(QStringLiteral("\r\n"))};
    return r;
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

RenumberResult renumberPadWaves(const QVector<WaveRenumber> &changes, const QString &dataPath, const QString &prmPath,
                                const QString &sysPath, const ztplatform::FolderAnchor &padRoot)
{
    if (!padRoot.isValid() || !padtree::isUsableFolder(dataPath) || !padtree::isUsableFolder(prmPath)
        || !padtree::isUsableFolder(sysPath) || renumberingCutShort(sysPath))
        return keepNumbers();
    const PadMoves pad(padRoot, dataPath, prmPath, sysPath);
    Intent intent;
    if (!planMoves(changes, dataPath, prmPath, pad, &intent))
        return keepNumbers();
    if (!makeFolders(pad, &intent) || !writeRecord(pad, intent)) {
        removeMadeFolders(pad, intent);
        return keepNumbers();
    }
    Phase phase = MovingOut;
    if (!runMoves(pad, intent, &phase))
        return failed(pad, intent, phase);

    RenumberResult r;
    r.ok = true;
    for (const Move &m : qAsConst(intent.moves))
        r.newFiles << QDir::toNativeSeparators(dataPath + QLatin1Char('/') + m.wav.toFolder + QLatin1Char('/')
                                               + m.wav.to);
    return r;
}

bool renumberingCutShort(const QString &sysPath)
{
    const QDir sys(sysPath);
    return !sysPath.isEmpty() && (sys.exists(recordName(MovingOut)) || sys.exists(recordName(MovingIn)));
}

RenumberRecovery undoCutShortRenumbering(const QString &sysPath, const QString &dataPath, const QString &prmPath,
                                         const ztplatform::FolderAnchor &padRoot)
{
    RenumberRecovery r;
    const PadMoves pad(padRoot, dataPath, prmPath, sysPath);
    const ztplatform::OpenFolder sys = pad.sys();
    const Phase phase = sys.exists(recordName(MovingIn)) ? MovingIn : MovingOut;
    r.found = sys.exists(recordName(phase));
    if (!r.found)
        return r;
    Intent intent;
    // A record cut short was never followed: no pair moved before it was whole.
    if (!parseRecord(pairfiles::readRegular(sys, recordName(phase), RECORD_MAX), &intent)) {
        qWarning() << "a renumbering's record cut short is removed";
        r.changed = removeRecords(pad);
        return r;
    }
    const Undone u = undoMoves(pad, intent, phase);
    r.changed = u.changed;
    for (int i : u.notBack)
        r.leftOut << whereLine(intent.moves.at(i), u.at.at(2 * i), u.at.at(2 * i + 1));
    if (!u.refused)
        r.changed |= removeRecords(pad);
    return r;
}
