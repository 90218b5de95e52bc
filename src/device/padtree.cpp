#include "device/padtree.h"


#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace padtree {

namespace {
void warn(DeviceMessage *warning, const char *text)
{
    if (warning)
        *warning = DeviceMessage{DeviceText::tr("Warning"), DeviceText::tr(text)};
}

// The entries of the folder at `path`, reached below `root`; none when it
// cannot be reached there.
FolderEntries entriesBelow(const ztplatform::FolderAnchor &root, const QString &path)
{
    const ztplatform::OpenFolder folder = root.openFolder(path);
    return folder.isOpen() ? listEntriesAndLinks(folder, path) : FolderEntries();
}

// The path of the entry `name` in any case: the exact spelling when listed.
QString spelledAsListed(const FolderEntries &entries, const QString &name)
{
    QString like;
    for (const FolderEntry &e : entries) {
        if (e.name == name)
            return e.path;
        if (like.isEmpty() && e.name.compare(name, Qt::CaseInsensitive) == 0)
            like = e.path;
    }
    return like;
}
} // namespace

bool getRootDirPath(const ztplatform::FolderAnchor &root, const QString &modelFolder, PadTreePaths &tree,
                    DeviceMessage *warning)
{
    const QString base = modelFolder.endsWith(QLatin1Char('/')) ? modelFolder.left(modelFolder.size() - 1) : modelFolder;
    const FolderEntries entries = entriesBelow(root, base);
    QString *members[4] = {&tree.kitPath, &tree.sysPath, &tree.dataPath, &tree.prmPath};
    const char *names[4] = {"KIT", "SYS", "WAV_DATA", "WAV_PRM"};
    for (int i = 0; i < 4; ++i) {
        // Take the spelling found on the drive.
        const QString found = spelledAsListed(entries, QLatin1String(names[i]));
        *members[i] = found.isEmpty() ? base + QLatin1Char('/') + QLatin1String(names[i]) : found;
    }
    int count = 0;
    for (const FolderEntry &e : entries) {
        if (e.isLink())
            tree.linksLeftOut << e.path;
        if (!e.isDir())
            continue;
        for (QString *m : members) {
            if (e.path.compare(*m, Qt::CaseInsensitive) == 0) {
                ++count;
                break;
            }
        }
    }
    if (count >= 4)
        return true;
    warn(warning, QT_TRANSLATE_NOOP("MainWindow1", "The target file was not found."));
    return false;
}

namespace {

// CLICK and global.ini among the entries of SYS.
void findSysFiles(const FolderEntries &sysEntries, PadTreePaths &tree)
{
    QString globalExact;
    QString globalLike;
    for (const FolderEntry &e : sysEntries) {
        if (e.isLink())
            tree.linksLeftOut << e.path;
        if (!e.isDir() && !e.isFile())
            continue;
        if (e.name.compare(QLatin1String("CLICK"), Qt::CaseInsensitive) == 0)
            tree.sys_click_path = e.path;
        // An exact global.ini wins over names that merely contain it (a
        // stray "global.ini.bak" sorts after it).
        if (e.name.compare(QLatin1String("global.ini"), Qt::CaseInsensitive) == 0)
            globalExact = e.path;
        else if (e.name.contains(QLatin1String("global.ini"), Qt::CaseInsensitive))
            globalLike = e.path;
    }
    if (!globalExact.isEmpty())
        tree.usbGlobalIniFile = globalExact;
    else if (!globalLike.isEmpty())
        tree.usbGlobalIniFile = globalLike;
}

} // namespace

bool judgeFourFile(const ztplatform::FolderAnchor &root, PadTreePaths &tree, DeviceMessage *warning)
{
    findSysFiles(entriesBelow(root, tree.sysPath), tree);
    if (tree.sys_click_path.isEmpty()) {
        warn(warning, QT_TRANSLATE_NOOP("MainWindow1", "Metronome sounds were not found."));
        return false;
    }

    // A link uses up its position like any other folder but is left out,
    // and so is its partner in the other tree.
    QSet<QString> linkedNames;
    auto collect = [&root, &tree, &linkedNames](const QString &dir, QVector<QString> &out) {
        int position = 0;
        for (const FolderEntry &e : entriesBelow(root, dir)) {
            if (!e.isDir() && !e.isLink())
                continue;
            if (++position > 100)
                break;
            if (e.isLink()) {
                tree.linksLeftOut << e.path;
                linkedNames << e.name;
            } else if (e.name == threeDigits(position)) {
                out.append(e.path);
            }
        }
    };
    collect(tree.dataPath, tree.waveDataList);
    collect(tree.prmPath, tree.wavePrmList);
    for (QVector<QString> *list : {&tree.waveDataList, &tree.wavePrmList}) {
        list->erase(std::remove_if(list->begin(), list->end(),
                                   [&linkedNames](const QString &f) {
                                       return linkedNames.contains(QFileInfo(f).fileName());
                                   }),
                    list->end());
    }

    for (const QString &folder : qAsConst(tree.wavePrmList)) {
        for (const FolderEntry &e : entriesBelow(root, folder)) {
            if (e.isLink())
                tree.linksLeftOut << e.path;
            else if (e.isDir() || (e.isFile() && QFileInfo(e.name).completeSuffix() != QLatin1String("prm"))) {
                warn(warning, QT_TRANSLATE_NOOP("MainWindow1", "Wave prm file is error."));
                return false;
            }
        }
    }
    return true;
}

DeviceMessage linksWarning(QStringList links)
{
    constexpr int shown = 20;
    links.removeDuplicates();
    QStringList lines;
    for (int i = 0; i < links.size() && i < shown; ++i) {
        const QFileInfo link(links.at(i));
        QString line = QDir::toNativeSeparators(links.at(i));
        // The one entry the close writes by name: the link is replaced, not followed.
        const QString folder = QFileInfo(link.absolutePath()).fileName();
        if (link.fileName().compare(QLatin1String("alter.ini"), Qt::CaseInsensitive) == 0
            && folder.compare(QLatin1String("SYS"), Qt::CaseInsensitive) == 0)
            line += DeviceText::tr(" (the change file replaces this link when the pad is written at close)");
        lines << line;
    }
    if (links.size() > shown)
        lines << QStringLiteral("...");
    return DeviceMessage{DeviceText::tr("Warning"),
                         DeviceText::tr("These entries of the sampler pad are links and were left out; the editor "
                                        "reads nothing and writes nothing through them:")
                                 + QStringLiteral("\r\n") + lines.join(QStringLiteral("\r\n"))};
}

} // namespace padtree
