#ifndef ZT_WIDGETS_UIPROMPTER_H
#define ZT_WIDGETS_UIPROMPTER_H

#include <QFileDialog>
#include <QMessageBox>
#include <QPair>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QVector>
#include <Qt>

#include <functional>

// Every message box, file dialog and internal drag of the editor goes
// through a prompter handed to the window, so that tests can answer them and
// read what the user would see.
// A message box's icon follows its title (titledKind).
// The named calls mirror QMessageBox and QFileDialog; an implementation
// provides one message box and one file dialog for all of them.
class QDrag;

class UiPrompter
{
public:
    enum Kind {
        Warning,
        Information,
        Question,
        Critical,
        OpenFile,
        OpenFiles,
        SaveFile,
        ExistingDirectory,
        TextInput,
        ItemChoice
    };

    virtual ~UiPrompter();

    QMessageBox::StandardButton warning(QWidget *parent, const QString &title, const QString &text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
    {
        return messageBox(titledKind(Warning, title), parent, title, text, buttons, defaultButton);
    }
    QMessageBox::StandardButton information(QWidget *parent, const QString &title, const QString &text,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
    {
        return messageBox(titledKind(Information, title), parent, title, text, buttons, defaultButton);
    }
    QMessageBox::StandardButton question(QWidget *parent, const QString &title, const QString &text,
                                         QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No,
                                         QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
    {
        return messageBox(Question, parent, title, text, buttons, defaultButton);
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

    // A box that keeps `details` behind its "Show Details..." button (a
    // plain box when they are empty): whole texts a box shows cut.
    QMessageBox::StandardButton detailedBox(Kind kind, QWidget *parent, const QString &title, const QString &text,
                                            const QString &details,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok)
    {
        return detailedMessageBox(titledKind(kind, title), parent, title, text, details, buttons);
    }

    // A one-line text input dialog; *ok tells whether it was accepted.
    virtual QString getText(QWidget *parent, const QString &title, const QString &label, const QString &text,
                            bool *ok);
    // A choice of one of `items` (none is typed); the index chosen, -1 when cancelled.
    virtual int getItem(QWidget *parent, const QString &title, const QString &label, const QStringList &items);
    // Runs `drag` until the user drops it (QDrag::exec); the action taken.
    virtual Qt::DropAction runDrag(QDrag *drag, Qt::DropActions supported);

protected:
    virtual QMessageBox::StandardButton messageBox(Kind kind, QWidget *parent, const QString &title,
                                                   const QString &text, QMessageBox::StandardButtons buttons,
                                                   QMessageBox::StandardButton defaultButton) = 0;
    // The same with details; a prompter that shows none shows the box alone.
    virtual QMessageBox::StandardButton detailedMessageBox(Kind kind, QWidget *parent, const QString &title,
                                                           const QString &text, const QString &details,
                                                           QMessageBox::StandardButtons buttons);
    // Answers the chosen paths; empty when cancelled.
    virtual QStringList fileDialog(Kind kind, QWidget *parent, const QString &caption, const QString &dir,
                                   const QString &filter, QString *selectedFilter,
                                   QFileDialog::Options options) = 0;

private:
    static QString firstOf(const QStringList &paths) { return paths.isEmpty() ? QString() : paths.first(); }
    // A box shows the icon its title says: "Error" the critical one,
    // "Warning" the warning one, "Information" and "Tip" the information
    // one (in the interface's language); other titles keep `kind`.
    static Kind titledKind(Kind kind, const QString &title);
};

// Shows the real QMessageBox and QFileDialog.
class QtUiPrompter : public UiPrompter
{
protected:
    QMessageBox::StandardButton messageBox(Kind kind, QWidget *parent, const QString &title, const QString &text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton) override;
    QMessageBox::StandardButton detailedMessageBox(Kind kind, QWidget *parent, const QString &title,
                                                   const QString &text, const QString &details,
                                                   QMessageBox::StandardButtons buttons) override;
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
        QString details = QString(); // a detailed box's details
    };

    QVector<Prompt> prompts;
    QQueue<QMessageBox::StandardButton> buttonAnswers;
    QQueue<QStringList> fileAnswers;
    QQueue<QPair<QString, bool>> textAnswers; // text, accepted
    QQueue<int> itemAnswers;                  // index chosen, -1 cancelled (also when none is queued)
    QVector<QStringList> itemLists;           // the items of each choice offered
    // Called as each message box is shown, once it is recorded and its answer taken.
    std::function<void(const Prompt &)> onPrompt;
    // Answers each drag instead of the mouse; without it a drag drops nothing.
    std::function<Qt::DropAction(QDrag *, Qt::DropActions)> onDrag;

    QStringList texts() const { return boxField(&Prompt::text); }   // texts of all message boxes in order
    QStringList titles() const { return boxField(&Prompt::title); } // titles of all message boxes in order
    void clear() { prompts.clear(); }
    // As a new one: no prompt recorded, no answer queued, no onPrompt or onDrag.
    void reset();

    QString getText(QWidget *parent, const QString &title, const QString &label, const QString &text,
                    bool *ok) override;
    int getItem(QWidget *parent, const QString &title, const QString &label, const QStringList &items) override;
    Qt::DropAction runDrag(QDrag *drag, Qt::DropActions supported) override;

protected:
    QMessageBox::StandardButton messageBox(Kind kind, QWidget *parent, const QString &title, const QString &text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton) override;
    QStringList fileDialog(Kind kind, QWidget *parent, const QString &caption, const QString &dir,
                           const QString &filter, QString *selectedFilter, QFileDialog::Options options) override;
    QMessageBox::StandardButton detailedMessageBox(Kind kind, QWidget *parent, const QString &title,
                                                   const QString &text, const QString &details,
                                                   QMessageBox::StandardButtons buttons) override;

private:
    QStringList boxField(QString Prompt::*field) const;
    QString m_details; // of the box being recorded
};

#endif
