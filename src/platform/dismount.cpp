#include "platform/dismount.h"

#include "platform/removabledrives.h"

#include <QDebug>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

VolumeDismounter::~VolumeDismounter() = default;

SystemVolumeDismounter::Volume SystemVolumeDismounter::findVolume(const QString &mountPoint) const
{
    // From the kernel's mount table alone: no mounted volume is looked at,
    // so one that does not answer (a dead network or FUSE mount) holds
    // nothing up.
    const QString wanted = ztplatform::withoutTrailingSlash(mountPoint);
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    const QVector<ztplatform::MountEntry> mounts =
            table.open(QIODevice::ReadOnly) ? ztplatform::parseMountTable(table.readAll()) : QVector<ztplatform::MountEntry>();
    Volume found;
    // A later mount at the same point hides the earlier ones.
    for (auto it = mounts.crbegin(); it != mounts.crend() && found.device.isEmpty(); ++it) {
        if (it->mountPoint == wanted)
            found.device = it->source;
    }
    if (found.device.isEmpty())
        return found;
    for (const ztplatform::MountEntry &m : mounts) {
        if (m.source == found.device)
            ++found.mountCount;
    }
    return found;
}

QString SystemVolumeDismounter::findProgram(const QString &name) const
{
    return QStandardPaths::findExecutable(name);
}

bool SystemVolumeDismounter::run(const QString &program, const QStringList &args, int timeoutMs)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForStarted(timeoutMs)) {
        qWarning() << "cannot start" << program << p.errorString();
        return false;
    }
    if (!p.waitForFinished(timeoutMs)) {
        qWarning() << program << args << "did not finish in" << timeoutMs << "ms";
        p.kill();
        p.waitForFinished(1000);
        return false;
    }
    const bool ok = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (!ok)
        qWarning() << program << args << "failed:" << p.readAll().trimmed();
    return ok;
}

bool SystemVolumeDismounter::dismount(const QString &mountPoint)
{
    const Volume volume = findVolume(mountPoint);
    if (volume.device.isEmpty()) {
        qWarning() << "no volume is mounted at" << mountPoint;
        return false;
    }
    // The pad's file system only: another one that does not answer would hold the close up.
    const QString sync = findProgram(QStringLiteral("sync"));
    if (!sync.isEmpty())
        run(sync, {QStringLiteral("-f"), ztplatform::withoutTrailingSlash(mountPoint)}, COMMAND_TIMEOUT_MS);
    // udisks unmounts the device, so only when it is mounted here alone
    // (not for a folder bound onto the mount point).
    const QString udisksctl = findProgram(QStringLiteral("udisksctl"));
    if (!udisksctl.isEmpty() && volume.device.startsWith(QLatin1String("/dev/")) && volume.mountCount == 1
        && run(udisksctl, {QStringLiteral("unmount"), QStringLiteral("-b"), volume.device}, COMMAND_TIMEOUT_MS))
        return true;
    const QString umount = findProgram(QStringLiteral("umount"));
    return !umount.isEmpty() && run(umount, {ztplatform::withoutTrailingSlash(mountPoint)}, COMMAND_TIMEOUT_MS);
}
