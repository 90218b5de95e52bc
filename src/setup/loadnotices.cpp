#include "setup/loadnotices.h"

#include "model/namerules.h"
#include "model/percussionpadfile1.h"
#include "platform/regularfile.h"
#include "platform/sysio.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <climits>

using setupfiles::LoadError;

namespace setupjob {

namespace {

Notice warning(const QString &title, const QString &text)
{
    return Notice{Notice::Warning, title, text};
}

} // namespace

Notice loadErrorNotice(LoadError error, const QString &path, bool wholeSetup)
{
    switch (error) {
    case LoadError::None:
        break;
    case LoadError::TooLarge:
        return warning(
                QCoreApplication::translate("MainWindow1", "Error"),
                wholeSetup ? QCoreApplication::translate("MainWindow1", "The file size exceeds 4GB, import failed.")
                           : QCoreApplication::translate("MainWindow1", "The file size exceeds 4GB, import failed. "));
    case LoadError::CannotOpen:
        return warning(wholeSetup ? QCoreApplication::translate("MainWindow1", "Warning")
                                  : QCoreApplication::translate("MainWindow1", "Error"),
                       QCoreApplication::translate("MainWindow1", "Fail to read file, import failed."));
    case LoadError::DataError: {
        Notice n = warning(QCoreApplication::translate("MainWindow1", "Error"),
                           path + QLatin1Char(':') + QCoreApplication::translate("MainWindow1", "File data error!"));
        n.yesButton = true;
        return n;
    }
    case LoadError::OldLayout:
        return warning(
                QCoreApplication::translate("MainWindow1", "Tip"),
                QCoreApplication::translate(
                        "MainWindow1", "The imported kit file version is outdated. Please import new version file."));
    case LoadError::SoundOpen:
        return warning(QCoreApplication::translate("MainWindow1", "Error"),
                       QCoreApplication::translate("MainWindow1", "Open sound file error."));
    case LoadError::SoundFormat:
        return warning(QCoreApplication::translate("MainWindow1", "Error"),
                       QCoreApplication::translate("MainWindow1", "Sound data format error, import failed.")
                               + QLatin1String("\r\n") + QCoreApplication::translate("MainWindow1", "File location: ")
                               + path);
    case LoadError::TooManySounds:
        return warning(QCoreApplication::translate("MainWindow1", "Warning"),
                       QCoreApplication::translate("MainWindow1", "The number of sound can not exceed 9999."));
    }
    return Notice{};
}

void noteRenamedSounds(Result &result, const QVector<RenamedSounds> &files)
{
    QStringList parts;
    QStringList wholeParts;
    bool cut = false;
    for (const RenamedSounds &file : files) {
        if (file.second.isEmpty())
            continue;
        const QString path = namerules::boxName(QDir::toNativeSeparators(file.first), INT_MAX);
        const QString lead = QCoreApplication::translate("MainWindow1",
                                                         "These sound names stored in the kit file %1 were changed "
                                                         "to names the sampler pad can hold:")
                                     .arg(path);
        const QString uniqueLead = QCoreApplication::translate("MainWindow1",
                                                               "These sounds of the kit file %1 bore names other "
                                                               "sounds hold and were given a number:")
                                           .arg(path);
        QString whole;
        parts << namerules::nameChangesText(lead, uniqueLead, file.second, 25, &whole);
        cut = cut || !whole.isEmpty();
        wholeParts << (whole.isEmpty() ? parts.last() : whole);
    }
    if (parts.isEmpty())
        return;
    Notice n = warning(QCoreApplication::translate("MainWindow1", "Warning"), parts.join(QStringLiteral("\r\n\r\n")));
    if (cut)
        n.details = wholeParts.join(QStringLiteral("\r\n\r\n"));
    result.notices.append(n);
}

void noteRenamedKits(Result &result, const QVector<int> &numbers, const QHash<int, namerules::NameChange> &names)
{
    if (numbers.isEmpty())
        return;
    const QString lines = namerules::kitNameChangesText(numbers, names);
    result.note(Notice::Warning, QCoreApplication::translate("MainWindow1", "Warning"),
                namerules::joinNumbersMessage(
                        QCoreApplication::translate("MainWindow1", "Kit "), numbers,
                        QCoreApplication::translate(
                                "MainWindow1",
                                "is automatically renamed, as it exceeds 10 characters or contains special symbol."),
                        QCoreApplication::translate(
                                "MainWindow1",
                                "are automatically renamed, as they exceed 10 characters or contain special symbol."))
                        + (lines.isEmpty() ? QString() : QStringLiteral("\r\n") + lines));
}

void noteNotRead(Result &result, LoadError error, const QString &path, bool wholeSetup)
{
    const Notice n = loadErrorNotice(error, path, wholeSetup);
    FileResult f;
    f.path = path;
    f.outcome = FileOutcome::NotRead;
    f.reason = n.text;
    result.files.append(f);
    result.notices.append(n);
}

bool isBranded(const std::shared_ptr<ztplatform::FolderFence> &fence, const QString &path, int kind)
{
    ztplatform::sysio::SeamFile file(&ztplatform::diskOf(fence));
    return ztplatform::openToRead(fence, path, file) && percussionpadfile::readIndex(&file, kind);
}

Notice brandedNotice()
{
    return warning(QCoreApplication::translate("MainWindow1", "Error"),
                   QCoreApplication::translate("MainWindow1", "Please import file which is generated by Korvanta."));
}

} // namespace setupjob
