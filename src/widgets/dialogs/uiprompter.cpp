#include "widgets/dialogs/uiprompter.h"

namespace {
UiPrompter *g_prompter = nullptr;
}

UiPrompter::~UiPrompter() = default;

UiPrompter *UiPrompter::instance()
{
    if (g_prompter)
        return g_prompter;
    static QtUiPrompter real;
    return &real;
}

void UiPrompter::setInstance(UiPrompter *prompter)
{
    g_prompter = prompter;
}

QMessageBox::StandardButton QtUiPrompter::warning(QWidget *parent, const QString &title, const QString &text,
                                                  QMessageBox::StandardButtons buttons,
                                                  QMessageBox::StandardButton defaultButton)
{
    return QMessageBox::warning(parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton QtUiPrompter::information(QWidget *parent, const QString &title, const QString &text,
                                                      QMessageBox::StandardButtons buttons,
                                                      QMessageBox::StandardButton defaultButton)
{
    return QMessageBox::information(parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton QtUiPrompter::question(QWidget *parent, const QString &title, const QString &text,
                                                   QMessageBox::StandardButtons buttons,
                                                   QMessageBox::StandardButton defaultButton)
{
    return QMessageBox::question(parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton QtUiPrompter::critical(QWidget *parent, const QString &title, const QString &text,
                                                   QMessageBox::StandardButtons buttons,
                                                   QMessageBox::StandardButton defaultButton)
{
    return QMessageBox::critical(parent, title, text, buttons, defaultButton);
}

QString QtUiPrompter::getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                                      const QString &filter, QString *selectedFilter, QFileDialog::Options options)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter, selectedFilter, options);
}

QStringList QtUiPrompter::getOpenFileNames(QWidget *parent, const QString &caption, const QString &dir,
                                           const QString &filter, QString *selectedFilter, QFileDialog::Options options)
{
    return QFileDialog::getOpenFileNames(parent, caption, dir, filter, selectedFilter, options);
}

QString QtUiPrompter::getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                      const QString &filter, QString *selectedFilter, QFileDialog::Options options)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter, selectedFilter, options);
}

QString QtUiPrompter::getExistingDirectory(QWidget *parent, const QString &caption, const QString &dir,
                                           QFileDialog::Options options)
{
    return QFileDialog::getExistingDirectory(parent, caption, dir, options);
}

ScriptedPrompter::ScriptedPrompter()
    : m_previous(g_prompter)
{
    UiPrompter::setInstance(this);
}

ScriptedPrompter::~ScriptedPrompter()
{
    if (g_prompter == this)
        UiPrompter::setInstance(m_previous);
}

QStringList ScriptedPrompter::texts() const
{
    QStringList out;
    for (const Prompt &p : prompts) {
        if (p.kind <= Critical)
            out << p.text;
    }
    return out;
}

QStringList ScriptedPrompter::titles() const
{
    QStringList out;
    for (const Prompt &p : prompts) {
        if (p.kind <= Critical)
            out << p.title;
    }
    return out;
}

QMessageBox::StandardButton ScriptedPrompter::box(Kind kind, QWidget *parent, const QString &title,
                                                  const QString &text, QMessageBox::StandardButtons buttons,
                                                  QMessageBox::StandardButton def)
{
    prompts.append({kind, parent, title, text, QString(), buttons, def});
    if (!buttonAnswers.isEmpty())
        return buttonAnswers.dequeue();
    if (def != QMessageBox::NoButton)
        return def;
    if (buttons & QMessageBox::Ok)
        return QMessageBox::Ok;
    if (buttons & QMessageBox::Yes)
        return QMessageBox::Yes;
    return QMessageBox::NoButton;
}

QStringList ScriptedPrompter::file(Kind kind, QWidget *parent, const QString &caption, const QString &dir,
                                   const QString &filter)
{
    prompts.append({kind, parent, caption, dir, filter, QMessageBox::NoButton, QMessageBox::NoButton});
    if (!fileAnswers.isEmpty())
        return fileAnswers.dequeue();
    return QStringList();
}

QMessageBox::StandardButton ScriptedPrompter::warning(QWidget *parent, const QString &title, const QString &text,
                                                      QMessageBox::StandardButtons buttons,
                                                      QMessageBox::StandardButton defaultButton)
{
    return box(Warning, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton ScriptedPrompter::information(QWidget *parent, const QString &title,
                                                          const QString &text, QMessageBox::StandardButtons buttons,
                                                          QMessageBox::StandardButton defaultButton)
{
    return box(Information, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton ScriptedPrompter::question(QWidget *parent, const QString &title, const QString &text,
                                                       QMessageBox::StandardButtons buttons,
                                                       QMessageBox::StandardButton defaultButton)
{
    return box(Question, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton ScriptedPrompter::critical(QWidget *parent, const QString &title, const QString &text,
                                                       QMessageBox::StandardButtons buttons,
                                                       QMessageBox::StandardButton defaultButton)
{
    return box(Critical, parent, title, text, buttons, defaultButton);
}

QString ScriptedPrompter::getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                                          const QString &filter, QString *, QFileDialog::Options)
{
    const QStringList a = file(OpenFile, parent, caption, dir, filter);
    return a.isEmpty() ? QString() : a.first();
}

QStringList ScriptedPrompter::getOpenFileNames(QWidget *parent, const QString &caption, const QString &dir,
                                               const QString &filter, QString *, QFileDialog::Options)
{
    return file(OpenFiles, parent, caption, dir, filter);
}

QString ScriptedPrompter::getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                          const QString &filter, QString *, QFileDialog::Options)
{
    const QStringList a = file(SaveFile, parent, caption, dir, filter);
    return a.isEmpty() ? QString() : a.first();
}

QString ScriptedPrompter::getExistingDirectory(QWidget *parent, const QString &caption, const QString &dir,
                                               QFileDialog::Options)
{
    const QStringList a = file(ExistingDirectory, parent, caption, dir, QString());
    return a.isEmpty() ? QString() : a.first();
}
