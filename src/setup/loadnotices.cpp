#include "setup/loadnotices.h"

#include "model/namerules.h"

#include <QCoreApplication>

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

void noteRenamedSounds(Result &result, const QVector<int> &numbers)
{
    if (numbers.isEmpty())
        return;
    result.note(
            Notice::Warning, QCoreApplication::translate("MainWindow1", "Warning"),
            namerules::joinNumbersMessage(
                    QCoreApplication::translate("MainWindow1", "The "), numbers,
                    QCoreApplication::translate(
                            "MainWindow1",
                            "item is automatically renamed, as it exceeds 16 characters or ends with special symbol."),
                    QCoreApplication::translate(
                            "MainWindow1",
                            "item are automatically renamed, as they exceed 16 characters or end with special "
                            "symbol.")));
}

void noteRenamedKits(Result &result, const QVector<int> &numbers)
{
    if (numbers.isEmpty())
        return;
    result.note(Notice::Warning, QCoreApplication::translate("MainWindow1", "Warning"),
                namerules::joinNumbersMessage(
                        QStringLiteral("Kit "), numbers,
                        QCoreApplication::translate(
                                "MainWindow1",
                                "is automatically renamed, as it exceeds 10 characters or contains special symbol."),
                        QCoreApplication::translate(
                                "MainWindow1",
                                "are automatically renamed, as they exceed 10 characters or contain special symbol.")));
}

void noteNotRead(Result &result, LoadError error, const QString &path, bool wholeSetup, int kit)
{
    const Notice n = loadErrorNotice(error, path, wholeSetup);
    FileResult f;
    f.path = path;
    f.outcome = FileOutcome::NotRead;
    f.reason = n.text;
    f.kit = kit;
    result.files.append(f);
    result.notices.append(n);
}

} // namespace setupjob
