#ifndef ZT_MAINWINDOW1_SETUPFILES_FLOWSTEPS_H
#define ZT_MAINWINDOW1_SETUPFILES_FLOWSTEPS_H

// What the setup-file controller's files share.

#include "setup/setupjob.h"

#include <QString>

class MainWindow1;
class QWidget;

namespace setupflow {

// The questions of a job asked in warning boxes of `parent` with Yes and No.
class BoxQuestions : public setupjob::Questions
{
public:
    explicit BoxQuestions(QWidget *parent) : m_parent(parent) {}
    bool ask(const QString &title, const QString &text) override;

private:
    QWidget *m_parent;
};

} // namespace setupflow

#endif
