// The loaded and recorded files a save replaces, the files it must not
// replace, and forgetting those that are not read back.
#include "mainwindow1/setupfiles/flowsteps.h"

#include "mainwindow1/mainwindow1.h"

#include "library/soundsource.h"
#include "platform/fileidentity.h"
#include "setup/filewrite.h"
#include "setup/kitfiles.h"
#include "setup/storedsounds.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace setupflow {

LoadedFiles::LoadedFiles(MainWindow1 *w)
{
    auto take = [this](const QString &path) {
        const QString p = QDir::fromNativeSeparators(path);
        if (!m_paths.contains(p)) {
            m_paths.append(p);
            m_reached.append(ztplatform::ReachedPath(p));
        }
    };
    for (const MainWindow1::READ_KIT_FILE &r : qAsConst(w->library().loadedKitFiles))
        take(r.file);
    for (const QString &recorded : qAsConst(w->library().recordKitFileList))
        take(recorded);
}

QStringList LoadedFiles::replacedBy(const QString &target) const
{
    const ztplatform::RenameTarget t(target);
    QStringList files;
    for (int i = 0; i < m_paths.size(); ++i) {
        if (ztplatform::replacesEntryOf(t, m_reached.at(i)))
            files.append(m_paths.at(i));
    }
    return files;
}

QVector<LoadedFiles::CutOff> LoadedFiles::cutOffBy(const QStringList &targets) const
{
    QVector<ztplatform::RenameTarget> renamed;
    for (const QString &target : targets)
        renamed.append(ztplatform::RenameTarget(target));
    QVector<CutOff> cut;
    for (int i = 0; i < m_paths.size(); ++i) {
        CutOff c{m_paths.at(i), {}};
        for (int k = 0; k < targets.size(); ++k) {
            if (ztplatform::replacesLinkOf(renamed.at(k), m_reached.at(i)))
                c.by.append(targets.at(k));
        }
        if (!c.by.isEmpty())
            cut.append(c);
    }
    return cut;
}

QString writeTarget(MainWindow1 *w, const QString &target)
{
    const QString through = ztplatform::writeThroughTarget(target);
    if (through == target)
        return target;
    const ztplatform::SameFileAs loaded(through);
    for (const MainWindow1::READ_KIT_FILE &r : qAsConst(w->library().loadedKitFiles)) {
        if (loaded(r.file))
            return through;
    }
    for (const QString &recorded : qAsConst(w->library().recordKitFileList)) {
        if (loaded(recorded))
            return through;
    }
    return target;
}

ztplatform::ReachedFiles soundFiles(MainWindow1 *w)
{
    ztplatform::ReachedFiles files;
    QSet<QString> seen;
    for (const QString &source : w->library().librarySources()) {
        if (!source.isEmpty() && !soundsource::isStored(source) && !seen.contains(source)) {
            seen.insert(source);
            files.add(source);
        }
    }
    return files;
}

QString refusedTarget(MainWindow1 *w, const QString &target, bool kitFilesToo)
{
    const QString shown = QStringLiteral("\r\n") + QDir::toNativeSeparators(target);
    if (setupfiles::occupiedByNonFile(target))
        return notAFileText() + shown;
    if (!QFileInfo(target).isFile())
        return QString();
    const QString dest = writeTarget(w, target);
    bool named = soundFiles(w).replacedBy(dest);
    if (!named && kitFilesToo) {
        ztplatform::ReachedFiles kitFiles;
        for (const MainWindow1::READ_KIT_FILE &r : qAsConst(w->library().loadedKitFiles))
            kitFiles.add(r.file);
        for (const QString &file : qAsConst(w->library().recordKitFileList) + storedKitFiles(w))
            kitFiles.add(file);
        named = kitFiles.replacedBy(dest);
    }
    return named ? soundFileText() + shown : QString();
}

bool copiedAsLoaded(MainWindow1 *w, const QStringList &sources, bool kitWording)
{
    const QString changed = setupfiles::changedSource(sources, w->library().loadedKitFiles);
    if (changed.isEmpty())
        return true;
    hideProgress(w->dialog);
    setupfiles::CollectError err(setupfiles::CollectError::Modified);
    err.path = changed;
    err.kitWording = kitWording;
    w->reportCollectError(err);
    return false;
}

bool isLoadedSetup(MainWindow1 *w, const QString &path)
{
    for (const MainWindow1::READ_KIT_FILE &r : qAsConst(w->library().loadedKitFiles)) {
        if (r.flag == 0 && QDir::fromNativeSeparators(r.file) == path)
            return true;
    }
    return false;
}

void forgetFiles(MainWindow1 *w, const QStringList &files)
{
    for (const QString &file : files)
        w->library().sharedSounds.forget(setupfiles::StoredIn(QDir::toNativeSeparators(file)));
    for (int i = w->library().loadedKitFiles.size() - 1; i >= 0; --i) {
        if (files.contains(QDir::fromNativeSeparators(w->library().loadedKitFiles.at(i).file)))
            w->library().loadedKitFiles.remove(i);
    }
    for (int i = w->library().recordKitFileList.size() - 1; i >= 0; --i) {
        if (!files.contains(QDir::fromNativeSeparators(w->library().recordKitFileList.at(i))))
            continue;
        w->library().recordKitFileList.removeAt(i);
        if (i < w->library().recordKitIndexList.size())
            w->library().recordKitIndexList.remove(i);
    }
    if (files.contains(QDir::fromNativeSeparators(w->library().binFilePath)))
        w->library().binFilePath.clear();
}

} // namespace setupflow
