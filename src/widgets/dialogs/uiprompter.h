#ifndef ZT_WIDGETS_UIPROMPTER_H
#define ZT_WIDGETS_UIPROMPTER_H

#include <QFileDialog>
#include <QMessageBox>
#include <QPair>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QVector>

// Every message box and file dialog of the editor goes through the current
// prompter, so that tests can answer them and read what the user would see.
// The named calls mirror QMessageBox and QFileDialog; an implementation
// provides one message box and one file dialog for all of them.
class UiPrompter
{
public:
    enum Kind { Warning, Information, Question, Critical, OpenFile, OpenFiles, SaveFile, ExistingDirectory, TextInput };

    virtual ~UiPrompter();

    QMessageBox::StandardButton warning(QWidget *parent, const QString &title, const QString &text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
    {
        return messageBox(Warning, parent, title, text, buttons, defaultButton);
    }
    QMessageBox::StandardButton information(QWidget *parent, const QString &title, const QString &text,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
    {
        return messageBox(Information, parent, title, text, buttons, defaultButton);
    }
    QMessageBox::StandardButton question(QWidget *parent, const QString &title, const QString &text,
                                         QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No,
                                         QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
    {
        return messageBox(Question, parent, title, text, buttons, defaultButton);
    }
    QMessageBox::StandardButton critical(QWidget *parent, const QString &title, const QString &text,
                                         QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                         QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
    {
        return messageBox(Critical, parent, title, text, buttons, defaultButton);
    }

    QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir = QString(),
                            const QString &filter = QString(), QString *selectedFilter = nullptr,
                            QFileDialog::Options options = QFileDialog::Options())
    {
        return firstOf(fileDialog(OpenFile, parent, caption, dir, filter, selectedFilter, options));
    }
    QStringList getOpenFileNames(QWidget *parent, const QString &caption, const QString &dir = QString(),
                                 const QString &filter = QString(), QString *selectedFilter = nullptr,
                                 QFileDialog::Options options = QFileDialog::Options())
    {
        return fileDialog(OpenFiles, parent, caption, dir, filter, selectedFilter, options);
    }
    QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir = QString(),
                            const QString &filter = QString(), QString *selectedFilter = nullptr,
                            QFileDialog::Options options = QFileDialog::Options())
    {
        return firstOf(fileDialog(SaveFile, parent, caption, dir, filter, selectedFilter, options));
    }
    QString getExistingDirectory(QWidget *parent, const QString &caption, const QString &dir = QString(),
                                 QFileDialog::Options options = QFileDialog::ShowDirsOnly)
    {
        return firstOf(fileDialog(ExistingDirectory, parent, caption, dir, QString(), nullptr, options));
    }

    // A one-line text input dialog; *ok tells whether it was accepted.
    virtual QString getText(QWidget *parent, const QString &title, const QString &label, const QString &text,
                            bool *ok);

    // The prompter in use; the real dialogs unless a test set its own.
    static UiPrompter *instance();
    // Sets the prompter in use (not owned); nullptr restores the real one.
    static void setInstance(UiPrompter *prompter);

protected:
    virtual QMessageBox::StandardButton messageBox(Kind kind, QWidget *parent, const QString &title,
                                                   const QString &text, QMessageBox::StandardButtons buttons,
                                                   QMessageBox::StandardButton defaultButton) = 0;
    // Answers the chosen paths; empty when cancelled.
    virtual QStringList fileDialog(Kind kind, QWidget *parent, const QString &caption, const QString &dir,
                                   const QString &filter, QString *selectedFilter,
                                   QFileDialog::Options options) = 0;

private:
    static QString firstOf(const QStringList &paths) { return paths.isEmpty() ? QString() : paths.first(); }
};

// Shows the real QMessageBox and QFileDialog.
class QtUiPrompter : public UiPrompter
{
protected:
    QMessageBox::StandardButton messageBox(Kind kind, QWidget *parent, const QString &title, const QString &text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton) override;
    QStringList fileDialog(Kind kind, QWidget *parent, const QString &caption, const QString &dir,
                           const QString &filter, QString *selectedFilter, QFileDialog::Options options) override;
};

// For tests: records every prompt and answers from queues.
// Message boxes take the next queued button, else the default button, else
// the first of Ok/Yes offered. File dialogs take the next queued answer, else "".
// Text inputs take the next queued answer, else they are cancelled.
class ScriptedPrompter : public UiPrompter
{
public:
    struct Prompt
    {
        Kind kind;
        QWidget *parent;
        QString title; // caption for file dialogs
        QString text;  // directory for file dialogs, label for text inputs
        QString filter; // start text for text inputs
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton;
    };

    QVector<Prompt> prompts;
    QQueue<QMessageBox::StandardButton> buttonAnswers;
    QQueue<QStringList> fileAnswers;
    QQueue<QPair<QString, bool>> textAnswers; // text, accepted

    // Installs itself while it lives.
    ScriptedPrompter();
    ~ScriptedPrompter() override;

    QStringList texts() const;  // texts of all message boxes in order
    QStringList titles() const; // titles of all message boxes in order
    void clear() { prompts.clear(); }

    QString getText(QWidget *parent, const QString &title, const QString &label, const QString &text,
                    bool *ok) override;

protected:
    QMessageBox::StandardButton messageBox(Kind kind, QWidget *parent, const QString &title, const QString &text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton) override;
    QStringList fileDialog(Kind kind, QWidget *parent, const QString &caption, const QString &dir,
                           const QString &filter, QString *selectedFilter, QFileDialog::Options options) override;

private:
    UiPrompter *m_previous;
};

#endif
