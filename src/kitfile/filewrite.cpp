#include "kitfile/filewrite.h"

#include "platform/durablefile.h"
#include "platform/pathcase.h"
#include "platform/regularfile.h"
#include "platform/disk.h"
#include "platform/volumeidentity.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <sys/stat.h>

namespace setupfiles {

namespace {

// True when the kit name, with ".INI", names a file inside the folder.
bool usableKitFileName(const QString &name)
{
    return !name.contains(QLatin1Char('/')) && !name.contains(QChar(0)) && name != QLatin1String(".")
           && name != QLatin1String("..");
}

// A path's directory entry: its folder resolved, letter case ignored.
QString entryOf(ztplatform::Disk &disk, const QString &path)
{
    const QFileInfo info(path);
    return QDir(ztplatform::canonicalPathOf(disk, info.absolutePath()))
            .filePath(info.fileName())
            .toCaseFolded();
}

} // namespace

OwnedModel::OwnedModel(const percussionpadfile &m)
    : m_model(m)
{
    percussionpadfile::FILE_KIT_CHUNK &kits = m_model.kitChunk;
    if (kits.baseChunk) {
        m_base.assign(kits.baseChunk, kits.baseChunk + KIT_MAX_COUNT);
        kits.baseChunk = m_base.data();
    }
    if (kits.pedalChunk) {
        m_pedal.assign(kits.pedalChunk, kits.pedalChunk + KIT_MAX_COUNT);
        kits.pedalChunk = m_pedal.data();
    }
    if (kits.kpadChunk) {
        m_pads.reset(new PadRow[KIT_MAX_COUNT]);
        for (int k = 0; k < KIT_MAX_COUNT; ++k)
            std::copy(kits.kpadChunk[k], kits.kpadChunk[k] + PAD_NUM_MAX, m_pads[k]);
        kits.kpadChunk = m_pads.get();
    }
    percussionpadfile::FILE_SOUND_CHUNK &sounds = m_model.soundChunk;
    if (sounds.soundIndex && sounds.soundIndex != m_model.sound.data()) {
        std::copy(sounds.soundIndex, sounds.soundIndex + WAVE_MAX_COUNT1, m_model.sound.begin());
        sounds.soundIndex = m_model.sound.data();
    }
}

quint64 laidOutSize(const percussionpadfile &m)
{
    return quint64(m.indexChunk.chunkIndex[percussionpadfile::SLOT_SOUN].address) + m.soundChunk.size;
}

bool writeKitFile(percussionpadfile &m, QFile &file, int kit, QString *unwritten, const QHash<QString, int> *held)
{
    QFile *f = &file;
    using Step = std::function<void()>;
    const bool single = m.curFlag == 2;
    const QVector<Step> chunks = single
        ? QVector<Step>{[&] { m.writeIndexChunk(f); }, [&] { m.writeSkitChunk(f); },
                        [&] { m.writeSkitChunkPad(f, kit); }}
        : QVector<Step>{[&] { m.writeIdentityChunk(f); }, [&] { m.writeIndexChunk(f); },
                        [&] { m.writeGlobalChunk(f); },   [&] { m.writeSkitChunk(f); },
                        [&] { m.writeSkitChunkKit(f); },  [&] { m.writeWaveNodeChunk(f, 0); },
                        [&] { m.writeWaveNodeChunk(f, 1); }};
    bool ok = file.isOpen() && file.pos() == 0;
    for (const Step &write : chunks) {
        if (!ok)
            break;
        write();
        ok = file.error() == QFileDevice::NoError;
    }
    ok = ok && (single ? m.writeKitSoundChunk(f, held) : m.writeSoundChunk(f, held));
    ok = ok && file.error() == QFileDevice::NoError && file.flush();
    if (ok && quint64(file.size()) != laidOutSize(m)) {
        qWarning() << file.fileName() << "holds" << file.size() << "bytes instead of" << laidOutSize(m);
        ok = false;
    }
    // Taken before the close, which may clear it.
    QString reason = file.error() != QFileDevice::NoError ? ztplatform::writeFailure(file) : QString();
    if (!ok)
        qWarning() << "writing" << file.fileName() << "failed:" << file.errorString();
    file.close();
    if (reason.isEmpty() && file.error() != QFileDevice::NoError)
        reason = file.errorString();
    if (unwritten && !reason.isEmpty())
        *unwritten = reason;
    return ok && file.error() == QFileDevice::NoError;
}

bool occupiedByNonFile(const QString &path, const std::shared_ptr<ztplatform::FolderFence> &fence)
{
    // A dangling link counts too: opening it would create its far end.
    return ztplatform::typeAtPath(ztplatform::diskOf(fence), path, true) != 0
           && !ztplatform::isRegularFile(fence, path);
}

QVector<KitTarget> kitTargets(const QString &folder, const QVector<int> &kits, const QVector<QString> &names)
{
    const QDir dir(folder);
    QSet<QString> named; // file names of this save, letter case ignored
    QVector<KitTarget> plan;
    for (int k : kits) {
        KitTarget t;
        t.kit = k;
        const QString name = k >= 1 && k <= names.size() ? names.at(k - 1) : QString();
        t.usable = usableKitFileName(name);
        QString file = name + QStringLiteral(".INI");
        if (t.usable && named.contains(file.toCaseFolded())) {
            for (int n = 1;; ++n) {
                file = name + QStringLiteral("~%1.INI").arg(n);
                const QString key = file.toCaseFolded();
                if (!named.contains(key))
                    break;
            }
        }
        if (t.usable)
            named.insert(file.toCaseFolded());
        t.target = dir.filePath(file);
        t.replaces = t.target;
        plan.append(t);
    }
    return plan;
}

QVector<TargetLook> lookAtTargets(const QVector<KitTarget> &plan,
                                  const std::function<QString(const QString &target)> &through,
                                  const std::function<void()> &moved,
                                  const std::shared_ptr<ztplatform::FolderFence> &fence)
{
    ztplatform::Disk &disk = ztplatform::diskOf(fence);
    QVector<TargetLook> looks(plan.size());
    for (int i = 0; i < plan.size(); ++i) {
        const KitTarget &t = plan.at(i);
        TargetLook &l = looks[i];
        l.entry = entryOf(disk, t.target);
        if (t.usable) {
            l.nonFile = occupiedByNonFile(t.target, fence);
            l.isFile = ztplatform::typeAtPath(disk, t.target) == S_IFREG;
            l.readOnly = l.isFile && ztplatform::writeRefusedAt(disk, t.target);
            l.through = l.isFile && through ? through(t.target) : t.target;
            l.throughEntry = l.through == t.target ? l.entry : entryOf(disk, l.through);
            l.readOnlyVolume = ztplatform::isReadOnlyVolume(disk, QFileInfo(l.through).absolutePath());
        }
        if (moved)
            moved();
    }
    return looks;
}

QString nonFileTarget(const QVector<KitTarget> &plan, const QVector<TargetLook> &looks)
{
    for (int i = 0; i < plan.size() && i < looks.size(); ++i) {
        if (plan.at(i).usable && looks.at(i).nonFile)
            return plan.at(i).target;
    }
    return QString();
}

void askOverwrites(QVector<KitTarget> &plan, const QVector<TargetLook> &looks,
                   const std::function<bool(const QString &target, const TargetLook &look)> &overwrite)
{
    QSet<QString> reached; // the entries its targets and written-through links replace
    for (const TargetLook &l : looks)
        reached.insert(l.entry);
    for (int i = 0; i < plan.size() && i < looks.size(); ++i) {
        KitTarget &t = plan[i];
        const TargetLook &l = looks.at(i);
        if (!t.usable || !l.isFile)
            continue;
        if (overwrite && overwrite(t.target, l)) {
            t.temporary = true;
            if (l.through != t.target && !reached.contains(l.throughEntry)) {
                t.replaces = l.through;
                reached.insert(l.throughEntry);
            }
        } else {
            t.write = false;
        }
    }
}

} // namespace setupfiles
