// The boxes and questions of the jobs, through the window's prompter.
#include "mainwindow1/setupfiles/flowsteps.h"

#include "mainwindow1/mainwindow1.h"

#include "widgets/dialogs/uiprompter.h"

namespace setupflow {

int showNotices(MainWindow1 *w, const setupjob::Result &result, int from)
{
    UiPrompter *p = UiPrompter::instance();
    for (int i = from; i < result.notices.size(); ++i) {
        const setupjob::Notice &n = result.notices.at(i);
        const QMessageBox::StandardButton button = n.yesButton ? QMessageBox::Yes : QMessageBox::Ok;
        if (n.kind == setupjob::Notice::Information)
            p->information(w, n.title, n.text, button);
        else
            p->warning(w, n.title, n.text, button);
    }
    return result.notices.size();
}

void showNotices(MainWindow1 *w, const QVector<setupjob::Notice> &notices)
{
    setupjob::Result shown;
    shown.notices = notices;
    showNotices(w, shown);
}

bool BoxQuestions::ask(const QString &title, const QString &text)
{
    return UiPrompter::instance()->warning(m_w, title, text, QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

} // namespace setupflow
