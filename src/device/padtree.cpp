#include "device/padtree.h"

#include "platform/pathcase.h"

#include <QCoreApplication>
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
} // namespace

bool getRootDirPath(const QString &modelFolder, PadTreePaths &tree, DeviceMessage *warning)
{
    const QString base = modelFolder.endsWith(QLatin1Char('/')) ? modelFolder.left(modelFolder.size() - 1) : modelFolder;
    QString *members[4] = {&tree.kitPath, &tree.sysPath, &tree.dataPath, &tree.prmPath};
    const char *names[4] = {"KIT", "SYS", "WAV_DATA", "WAV_PRM"};
    for (int i = 0; i < 4; ++i) {
        *members[i] = base + QLatin1Char('/') + QLatin1String(names[i]);
        // Take the spelling found on the drive.
        const QString found = ztplatform::findEntryIgnoringCase(base, QLatin1String(names[i]));
        if (!found.isEmpty())
            *members[i] = found;
    }
    int count = 0;
    const QFileInfoList folders = listEntries(base, true, &tree.linksLeftOut);
    for (const QFileInfo &fi : folders) {
        const QString abs = fi.absoluteFilePath();
        for (QString *m : members) {
            if (abs.compare(*m, Qt::CaseInsensitive) == 0) {
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

bool judgeFourFile(PadTreePaths &tree, DeviceMessage *warning)
{
    QString globalExact;
    QString globalLike;
    const QFileInfoList sysEntries = listEntries(tree.sysPath, false, &tree.linksLeftOut);
    for (const QFileInfo &fi : sysEntries) {
        const QString name = fi.fileName();
        if (name.compare(QLatin1String("CLICK"), Qt::CaseInsensitive) == 0)
            tree.sys_click_path = fi.absoluteFilePath();
        // An exact global.ini wins over names that merely contain it (a
        // stray "global.ini.bak" sorts after it).
        if (name.compare(QLatin1String("global.ini"), Qt::CaseInsensitive) == 0)
            globalExact = fi.absoluteFilePath();
        else if (name.contains(QLatin1String("global.ini"), Qt::CaseInsensitive))
            globalLike = fi.absoluteFilePath();
    }
    if (!globalExact.isEmpty())
        tree.usbGlobalIniFile = globalExact;
    else if (!globalLike.isEmpty())
        tree.usbGlobalIniFile = globalLike;

    if (tree.sys_click_path.isEmpty()) {
        warn(warning, QT_TRANSLATE_NOOP("MainWindow1", "Metronome sounds were not found."));
        return false;
    }

    // A link uses up its position like any other folder but is left out,
    // and so is its partner in the other tree.
    QSet<QString> linkedNames;
    auto collect = [&tree, &linkedNames](const QString &dir, QVector<QString> &out) {
        const QFileInfoList folders = listEntriesAndLinks(dir, true);
        int position = 0;
        for (const QFileInfo &fi : folders) {
            ++position;
            if (position > 100)
                break;
            if (fi.isSymLink()) {
                tree.linksLeftOut << fi.absoluteFilePath();
                linkedNames << fi.fileName();
            } else if (fi.fileName() == threeDigits(position)) {
                out.append(fi.absoluteFilePath());
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
        const QFileInfoList entries = listEntries(folder, false, &tree.linksLeftOut);
        for (const QFileInfo &fi : entries) {
            if (fi.isDir() || fi.completeSuffix() != QLatin1String("prm")) {
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
