#ifndef ZT_MAINWINDOW1_SETUPFILES_FLOWSTEPS_H
#define ZT_MAINWINDOW1_SETUPFILES_FLOWSTEPS_H

// What the setup-file controller's files share.

#include "setup/setupjob.h"

#include <QString>

class MainWindow1;
class QWidget;
class UiPrompter;

namespace setupflow {

// The questions of a job asked in warning boxes of `parent` with Yes and No.
class BoxQuestions : public setupjob::Questions
{
public:
    BoxQuestions(UiPrompter &prompter, QWidget *parent)
        : m_prompter(prompter)
        , m_parent(parent)
    {
    }
    bool ask(const QString &title, const QString &text) override;

private:
    UiPrompter &m_prompter;
    QWidget *m_parent;
};

} // namespace setupflow

#endif
