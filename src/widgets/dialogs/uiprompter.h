#ifndef ZT_WIDGETS_UIPROMPTER_H
#define ZT_WIDGETS_UIPROMPTER_H

#include <QFileDialog>
#include <QMessageBox>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QVector>

// Every message box and file dialog of the editor goes through the current
// prompter, so that tests can answer them and read what the user would see.
class UiPrompter
{
public:
    virtual ~UiPrompter();

    virtual QMessageBox::StandardButton warning(QWidget *parent, const QString &title, const QString &text,
                                                QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) = 0;
    virtual QMessageBox::StandardButton information(QWidget *parent, const QString &title, const QString &text,
                                                    QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                                    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) = 0;
    virtual QMessageBox::StandardButton question(QWidget *parent, const QString &title, const QString &text,
                                                 QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No,
                                                 QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) = 0;
    virtual QMessageBox::StandardButton critical(QWidget *parent, const QString &title, const QString &text,
                                                 QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                                 QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) = 0;

    virtual QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir = QString(),
                                    const QString &filter = QString(), QString *selectedFilter = nullptr,
                                    QFileDialog::Options options = QFileDialog::Options()) = 0;
    virtual QStringList getOpenFileNames(QWidget *parent, const QString &caption, const QString &dir = QString(),
                                         const QString &filter = QString(), QString *selectedFilter = nullptr,
                                         QFileDialog::Options options = QFileDialog::Options()) = 0;
    virtual QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir = QString(),
                                    const QString &filter = QString(), QString *selectedFilter = nullptr,
                                    QFileDialog::Options options = QFileDialog::Options()) = 0;
    virtual QString getExistingDirectory(QWidget *parent, const QString &caption, const QString &dir = QString(),
                                         QFileDialog::Options options = QFileDialog::ShowDirsOnly) = 0;

    // The prompter in use; the real dialogs unless a test set its own.
    static UiPrompter *instance();
    // Sets the prompter in use (not owned); nullptr restores the real one.
    static void setInstance(UiPrompter *prompter);
};

// Shows the real QMessageBox and QFileDialog.
class QtUiPrompter : public UiPrompter
{
public:
    QMessageBox::StandardButton warning(QWidget *parent, const QString &title, const QString &text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) override;
    QMessageBox::StandardButton information(QWidget *parent, const QString &title, const QString &text,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton) override;
    QMessageBox::StandardButton question(QWidget *parent, const QString &title, const QString &text,
                                         QMessageBox::StandardButtons buttons,
                                         QMessageBox::StandardButton defaultButton) override;
    QMessageBox::StandardButton critical(QWidget *parent, const QString &title, const QString &text,
                                         QMessageBox::StandardButtons buttons,
                                         QMessageBox::StandardButton defaultButton) override;
    QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter,
                            QString *selectedFilter, QFileDialog::Options options) override;
    QStringList getOpenFileNames(QWidget *parent, const QString &caption, const QString &dir, const QString &filter,
                                 QString *selectedFilter, QFileDialog::Options options) override;
    QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter,
                            QString *selectedFilter, QFileDialog::Options options) override;
    QString getExistingDirectory(QWidget *parent, const QString &caption, const QString &dir,
                                 QFileDialog::Options options) override;
};

// For tests: records every prompt and answers from queues.
// Message boxes take the next queued button, else the default button, else
// the first of Ok/Yes offered. File dialogs take the next queued answer, else "".
class ScriptedPrompter : public UiPrompter
{
public:
    enum Kind { Warning, Information, Question, Critical, OpenFile, OpenFiles, SaveFile, ExistingDirectory };
    struct Prompt
    {
        Kind kind;
        QWidget *parent;
        QString title; // caption for file dialogs
        QString text;  // directory for file dialogs
        QString filter;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton;
    };

    QVector<Prompt> prompts;
    QQueue<QMessageBox::StandardButton> buttonAnswers;
    QQueue<QStringList> fileAnswers;

    // Installs itself while it lives.
    ScriptedPrompter();
    ~ScriptedPrompter() override;

    QStringList texts() const;  // texts of all message boxes in order
    QStringList titles() const; // titles of all message boxes in order
    void clear() { prompts.clear(); }

    QMessageBox::StandardButton warning(QWidget *parent, const QString &title, const QString &text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) override;
    QMessageBox::StandardButton information(QWidget *parent, const QString &title, const QString &text,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton) override;
    QMessageBox::StandardButton question(QWidget *parent, const QString &title, const QString &text,
                                         QMessageBox::StandardButtons buttons,
                                         QMessageBox::StandardButton defaultButton) override;
    QMessageBox::StandardButton critical(QWidget *parent, const QString &title, const QString &text,
                                         QMessageBox::StandardButtons buttons,
                                         QMessageBox::StandardButton defaultButton) override;
    QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter,
                            QString *selectedFilter, QFileDialog::Options options) override;
    QStringList getOpenFileNames(QWidget *parent, const QString &caption, const QString &dir, const QString &filter,
                                 QString *selectedFilter, QFileDialog::Options options) override;
    QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter,
                            QString *selectedFilter, QFileDialog::Options options) override;
    QString getExistingDirectory(QWidget *parent, const QString &caption, const QString &dir,
                                 QFileDialog::Options options) override;

private:
    QMessageBox::StandardButton box(Kind kind, QWidget *parent, const QString &title, const QString &text,
                                    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton def);
    QStringList file(Kind kind, QWidget *parent, const QString &caption, const QString &dir, const QString &filter);
    UiPrompter *m_previous;
};

#endif
