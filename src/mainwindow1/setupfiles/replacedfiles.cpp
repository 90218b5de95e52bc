// The loaded and recorded files a save replaces, the files it must not
// replace, and forgetting those that are not read back.
#include "mainwindow1/setupfiles/flowsteps.h"

#include "mainwindow1/mainwindow1.h"

#include "library/soundsource.h"
#include "platform/fileidentity.h"

#include <QDir>
#include <QSet>

namespace setupflow {

QStringList replacedFiles(MainWindow1 *w, const QString &target)
{
    QStringList files;
    auto take = [&files, &target](const QString &path) {
        const QString p = QDir::fromNativeSeparators(path);
        if (!files.contains(p) && ztplatform::replacesEntryOf(target, p))
            files.append(p);
    };
    for (const MainWindow1::READ_KIT_FILE &r : qAsConst(w->loadedKitFiles))
        take(r.file);
    for (const QString &recorded : qAsConst(w->recordKitFileList))
        take(recorded);
    return files;
}

QString writeTarget(MainWindow1 *w, const QString &target)
{
    const QString through = ztplatform::writeThroughTarget(target);
    if (through == target)
        return target;
    const ztplatform::SameFileAs loaded(through);
    for (const MainWindow1::READ_KIT_FILE &r : qAsConst(w->loadedKitFiles)) {
        if (loaded(r.file))
            return through;
    }
    for (const QString &recorded : qAsConst(w->recordKitFileList)) {
        if (loaded(recorded))
            return through;
    }
    return target;
}

ztplatform::ReachedFiles soundFiles(MainWindow1 *w)
{
    ztplatform::ReachedFiles files;
    QSet<QString> seen;
    for (const QString &source : w->librarySources()) {
        if (!source.isEmpty() && !soundsource::isStored(source) && !seen.contains(source)) {
            seen.insert(source);
            files.add(source);
        }
    }
    return files;
}

QStringList cutOffFiles(MainWindow1 *w, const QStringList &targets)
{
    QStringList files;
    auto take = [&files, &targets](const QString &path) {
        const QString p = QDir::fromNativeSeparators(path);
        if (files.contains(p))
            return;
        for (const QString &target : targets) {
            if (ztplatform::replacesLinkOf(target, p)) {
                files.append(p);
                return;
            }
        }
    };
    for (const MainWindow1::READ_KIT_FILE &r : qAsConst(w->loadedKitFiles))
        take(r.file);
    for (const QString &recorded : qAsConst(w->recordKitFileList))
        take(recorded);
    return files;
}

bool isLoadedSetup(MainWindow1 *w, const QString &path)
{
    for (const MainWindow1::READ_KIT_FILE &r : qAsConst(w->loadedKitFiles)) {
        if (r.flag == 0 && QDir::fromNativeSeparators(r.file) == path)
            return true;
    }
    return false;
}

void forgetFiles(MainWindow1 *w, const QStringList &files)
{
    for (int i = w->loadedKitFiles.size() - 1; i >= 0; --i) {
        if (files.contains(QDir::fromNativeSeparators(w->loadedKitFiles.at(i).file)))
            w->loadedKitFiles.remove(i);
    }
    for (int i = w->recordKitFileList.size() - 1; i >= 0; --i) {
        if (!files.contains(QDir::fromNativeSeparators(w->recordKitFileList.at(i))))
            continue;
        w->recordKitFileList.removeAt(i);
        if (i < w->recordKitIndexList.size())
            w->recordKitIndexList.remove(i);
    }
    if (files.contains(QDir::fromNativeSeparators(w->binFilePath)))
        w->binFilePath.clear();
}

} // namespace setupflow
