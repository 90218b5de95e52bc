#ifndef TESTS_DEVICE_FATIMAGE_H
#define TESTS_DEVICE_FATIMAGE_H

// The pad's own file system: a folder copied into a FAT volume image made
// with mkfs.vfat and read back with mtools, without mounting anything.

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace fatimage {

inline QString tool(const QString &name)
{
    const QString found = QStandardPaths::findExecutable(name);
    return found.isEmpty() ? QStandardPaths::findExecutable(name, {"/usr/sbin", "/sbin"}) : found;
}

// Runs a tool; its error output when it fails, empty when it succeeds.
inline QString run(const QString &name, const QStringList &arguments)
{
    const QString program = tool(name);
    if (program.isEmpty())
        return name + " is missing (Debian's dosfstools and mtools)";
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("MTOOLS_SKIP_CHECK", "1"); // an image has no drive geometry to check
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return name + ": " + QString::fromLocal8Bit(p.readAllStandardError()) + p.errorString();
    return QString();
}

// Copies the folder `model` (the pad's model folder) into a new FAT image of
// `megabytes` and reads it back into `back` (which must be empty): `back`
// then holds a folder of the same name. The first failure, empty when none.
inline QString roundTrip(const QString &model, const QString &back, int megabytes = 32)
{
    QTemporaryDir dir;
    const QString image = dir.filePath("pad.img");
    QString why = run("mkfs.vfat", {"-C", image, QString::number(megabytes * 1024)});
    if (why.isEmpty())
        why = run("mcopy", {"-s", "-p", "-Q", "-i", image, model, "::/"});
    if (why.isEmpty())
        why = run("mcopy", {"-s", "-p", "-Q", "-n", "-i", image, "::/" + QDir(model).dirName(), back + "/"});
    return why;
}

} // namespace fatimage

#endif
