#include "device/padtree.h"

#include "platform/pathcase.h"
#include "widgets/dialogs/uiprompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace padtree {

namespace {
QString trMain(const char *text)
{
    return QCoreApplication::translate("MainWindow1", text);
}
} // namespace

QFileInfoList listEntries(const QString &dir, bool foldersOnly)
{
    const QDir d(dir);
    if (dir.isEmpty() || !d.exists())
        return QFileInfoList();
    const QDir::Filters filters = (foldersOnly ? QDir::Dirs : QDir::AllEntries) | QDir::NoDotAndDotDot;
    QFileInfoList entries = d.entryInfoList(filters, QDir::Name | QDir::IgnoreCase);
    // On the pad's FAT volume, hidden and system are attributes, not names
    // (the "System Volume Information" folder another computer leaves).
    if (ztplatform::isOnFatVolume(dir)) {
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [](const QFileInfo &fi) {
                                         return ztplatform::hasFatHiddenOrSystemAttribute(fi.absoluteFilePath());
                                     }),
                      entries.end());
    }
    return entries;
}

QString findModelFolder(const QString &root)
{
    return ztplatform::findEntryIgnoringCase(root, QStringLiteral("ZT350"));
}

bool getRootDirPath(QWidget *parent, const QString &modelFolder, PadTreePaths &tree)
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
    const QFileInfoList folders = listEntries(base, true);
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
    UiPrompter::instance()->warning(parent, trMain("Warning"), trMain("The target file was not found."),
                                    QMessageBox::Ok);
    return false;
}

bool judgeFourFile(QWidget *parent, PadTreePaths &tree)
{
    QString globalExact;
    QString globalLike;
    const QFileInfoList sysEntries = listEntries(tree.sysPath, false);
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
        UiPrompter::instance()->warning(parent, trMain("Warning"), trMain("Metronome sounds were not found."),
                                        QMessageBox::Ok);
        return false;
    }

    auto collect = [](const QString &dir, QVector<QString> &out) {
        const QFileInfoList folders = listEntries(dir, true);
        int position = 0;
        for (const QFileInfo &fi : folders) {
            ++position;
            if (position > 100)
                break;
            if (fi.fileName() == threeDigits(position))
                out.append(fi.absoluteFilePath());
        }
    };
    collect(tree.dataPath, tree.waveDataList);
    collect(tree.prmPath, tree.wavePrmList);

    for (const QString &folder : qAsConst(tree.wavePrmList)) {
        const QFileInfoList entries = listEntries(folder, false);
        for (const QFileInfo &fi : entries) {
            if (fi.isDir() || fi.completeSuffix() != QLatin1String("prm")) {
                UiPrompter::instance()->warning(parent, trMain("Warning"), trMain("Wave prm file is error."),
                                                QMessageBox::Ok);
                return false;
            }
        }
    }
    return true;
}

QString convertPathCaseInsensitivity(const QString &path)
{
    {
        QFile f(path);
        if (QFileInfo(path).isFile() && f.open(QIODevice::ReadOnly)) {
            f.close();
            return path;
        }
    }
    const QString resolved = ztplatform::resolvePathCaseInsensitive(path);
    if (!resolved.isEmpty() && QFileInfo(resolved).isFile())
        return resolved;
    return path;
}

QString threeDigits(int n)
{
    return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
}

int waveFolderNumber(int wave)
{
    return wave / 100 + 1;
}

int waveFileNumber(int wave)
{
    const int r = wave % 100;
    return r == 0 ? 100 : r;
}

int waveNumberFromLocation(int folder, int file)
{
    if (folder == 1)
        return file;
    if (file == 100)
        return (folder - 1) * 100;
    return (folder - 1) * 100 + file;
}

QString waveDataRelativePath(int wave)
{
    return threeDigits(waveFolderNumber(wave)) + QLatin1Char('/') + threeDigits(waveFileNumber(wave))
            + QStringLiteral(".wav");
}

QString wavePrmRelativePath(int wave)
{
    return threeDigits(waveFolderNumber(wave)) + QLatin1Char('/') + threeDigits(waveFileNumber(wave))
            + QStringLiteral(".prm");
}

} // namespace padtree
