// The boxes and questions of the jobs, through the window's prompter.
#include "mainwindow1/setupfiles/setupfilescontroller.h"

#include "mainwindow1/setupfiles/flowsteps.h"

#include "widgets/dialogs/uiprompter.h"

int SetupFilesController::showNotices(const setupjob::Result &result, int from)
{
    for (int i = from; i < result.notices.size(); ++i) {
        const setupjob::Notice &n = result.notices.at(i);
        const QMessageBox::StandardButton button = n.yesButton ? QMessageBox::Yes : QMessageBox::Ok;
        if (!n.details.isEmpty())
            m_prompter.detailedBox(n.kind == setupjob::Notice::Information ? UiPrompter::Information
                                                                           : UiPrompter::Warning,
                                   m_parent, n.title, n.text, n.details, button);
        else if (n.kind == setupjob::Notice::Information)
            m_prompter.information(m_parent, n.title, n.text, button);
        else
            m_prompter.warning(m_parent, n.title, n.text, button);
    }
    return result.notices.size();
}

void SetupFilesController::showNotices(const QVector<setupjob::Notice> &notices)
{
    setupjob::Result shown;
    shown.notices = notices;
    showNotices(shown);
}

bool setupflow::BoxQuestions::ask(const QString &title, const QString &text)
{
    return m_prompter.warning(m_parent, title, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}
