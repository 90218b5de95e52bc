// Picked files that are not audio are refused before they are listed.
#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/windowtexts.h"

#include "library/audioprobe.h"
#include "widgets/dialogs/uiprompter.h"
#include "widgets/closehold.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QSet>

namespace {

constexpr int kDialogDelay = 500; // ms of probing before the progress shows
constexpr int kListedMax = 30;    // refused files named in the warning

} // namespace

QStringList SoundFilesController::audioFilesOf(const QStringList &paths, QHash<QString, groupentries::Identity> *bytes)
{
    QStringList unique = paths;
    unique.removeDuplicates();
    if (unique.isEmpty())
        return paths;

    QElapsedTimer timer;
    timer.start();
    QPointer<QProgressDialog> progress;
    bool shown = false;
    QVector<groupentries::Identity> read;
    const QVector<bool> audio = audioprobe::probeAll(unique, [&](int done) {
        if (!shown && timer.elapsed() >= kDialogDelay) {
            shown = true;
            m_preview.showWaitDialog(WindowTexts::tr("Checking the sound files..."), unique.size());
            progress = m_preview.dialog();
        }
        if (progress)
            progress->setValue(done);
        // Until the dialog holds the window, clicks wait.
        closehold::processEvents(shown ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    }, 0, bytes ? &read : nullptr);
    for (int i = 0; bytes && i < read.size(); ++i) {
        if (read.at(i).known())
            bytes->insert(unique.at(i), read.at(i));
    }
    if (progress) {
        progress->close();
        progress->hide();
    }

    QSet<QString> refused;
    QStringList named;
    for (int i = 0; i < unique.size(); ++i) {
        if (audio.at(i))
            continue;
        refused.insert(unique.at(i));
        if (named.size() < kListedMax)
            named.append(unique.at(i));
        else if (named.size() == kListedMax)
            named.append(QStringLiteral("..."));
    }
    if (refused.isEmpty())
        return paths;
    UiPrompter::instance()->warning(m_parent, WindowTexts::tr("Warning"),
                                    WindowTexts::tr("The following files are not readable audio and were not added:")
                                            + QStringLiteral("\r\n") + named.join(QStringLiteral("\r\n")),
                                    QMessageBox::Ok);
    QStringList kept;
    for (const QString &p : paths) {
        if (!refused.contains(p))
            kept.append(p);
    }
    return kept;
}
