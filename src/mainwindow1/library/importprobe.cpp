// Picked files that are not audio are refused before they are listed.
#include "mainwindow1/library/soundfilescontroller.h"
#include "mainwindow1/library/previewcontroller.h"
#include "mainwindow1/library/rawfile.h"
#include "mainwindow1/windowtexts.h"

#include "library/audioprobe.h"
#include "library/soundlibrary.h"
#include "widgets/dialogs/uiprompter.h"
#include "widgets/jobdialog.h"

#include <QSet>

#include <atomic>

namespace {

constexpr int kDialogDelay = 500; // ms of probing before the progress shows
constexpr int kListedMax = 30;    // refused files named in the warning

} // namespace

namespace {

// The files named in a warning: at most kListedMax, then "...".
QString listed(const QStringList &files)
{
    QStringList named = files.mid(0, kListedMax);
    if (files.size() > kListedMax)
        named.append(QStringLiteral("..."));
    return named.join(QStringLiteral("\r\n"));
}

} // namespace

QStringList SoundFilesController::audioFilesOf(const QStringList &paths, QHash<QString, groupentries::Identity> *bytes,
                                               bool *canceled)
{
    if (canceled)
        *canceled = false;
    QStringList unique = paths;
    unique.removeDuplicates();
    if (unique.isEmpty())
        return paths;

    std::atomic_bool stop{false};
    QVector<groupentries::Identity> read;
    QVector<audioprobe::Verdict> verdicts;
    const int count = unique.size();
    // Waited on to its end: the work may use what lives here.
    ztplatform::Job probing([&](const ztplatform::Job::Report &report) {
        verdicts = audioprobe::probeEach(unique, [&report, count](int done) { report(done, count); }, 0,
                                         bytes ? &read : nullptr, &stop, m_conversion, m_library.fence(),
                                         m_library.silentFiles());
    });
    JobLimits limits;
    limits.showAfterMs = kDialogDelay;
    limits.cancelText = WindowTexts::tr("Cancel");
    limits.cancel = [&stop]() { stop = true; }; // the box holds the window until the check has stopped
    JobDialog::wait(m_parent, WindowTexts::tr("Checking the sound files..."), probing, limits);
    for (int i = 0; bytes && i < read.size(); ++i) {
        if (read.at(i).known())
            bytes->insert(unique.at(i), read.at(i));
    }

    QSet<QString> refused;
    QStringList notAudio, tooLong, silent;
    for (int i = 0; i < unique.size(); ++i) {
        const audioprobe::Verdict v = verdicts.at(i);
        if (v == audioprobe::Verdict::Audio)
            continue;
        refused.insert(unique.at(i));
        if (v == audioprobe::Verdict::NotAudio)
            notAudio.append(unique.at(i));
        else if (v == audioprobe::Verdict::TooLong)
            tooLong.append(unique.at(i));
        else if (v == audioprobe::Verdict::Silent)
            silent.append(unique.at(i));
    }
    if (refused.isEmpty())
        return paths;
    // A canceled import says once, after it, what it took.
    const bool stopped = verdicts.contains(audioprobe::Verdict::Stopped);
    if (canceled)
        *canceled = stopped;
    if (!notAudio.isEmpty() && !stopped)
        m_prompter.warning(m_parent, WindowTexts::tr("Warning"),
                           WindowTexts::tr("The following files are not readable audio and were not added:")
                                   + QStringLiteral("\r\n") + listed(notAudio),
                           QMessageBox::Ok);
    if (!silent.isEmpty() && !stopped)
        m_prompter.warning(m_parent, WindowTexts::tr("Warning"),
                           silent.size() == 1
                                   ? RawFiles::silentText(silent.first())
                                   : WindowTexts::tr("The drives of these files do not answer, so their sounds are not "
                                                     "taken:")
                                           + QStringLiteral("\r\n") + listed(silent),
                           QMessageBox::Ok);
    if (!tooLong.isEmpty() && !stopped)
        m_prompter.warning(
                m_parent, WindowTexts::tr("Warning"),
                WindowTexts::tr("The conversion of the following files took too long and was stopped; they were not "
                                "added:")
                        + QStringLiteral("\r\n") + listed(tooLong),
                QMessageBox::Ok);
    QStringList kept;
    for (const QString &p : paths) {
        if (!refused.contains(p))
            kept.append(p);
    }
    return kept;
}

void SoundFilesController::tellCanceledImport(int imported)
{
    m_prompter.information(
            m_parent, WindowTexts::tr("Information"),
            WindowTexts::tr("The import was canceled: %1 sounds were imported; the other files were not.")
                    .arg(imported),
            QMessageBox::Ok);
}
