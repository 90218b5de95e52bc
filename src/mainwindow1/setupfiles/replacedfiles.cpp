// The loaded and recorded files a save replaces, and forgetting those that
// are not read back.
#include "mainwindow1/setupfiles/flowsteps.h"

#include "mainwindow1/mainwindow1.h"

#include "platform/fileidentity.h"

#include <QDir>

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
