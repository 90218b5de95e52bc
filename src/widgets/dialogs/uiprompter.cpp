#include "widgets/dialogs/uiprompter.h"

#include <QCoreApplication>
#include <QDrag>
#include <QInputDialog>
#include <QMap>

UiPrompter::~UiPrompter() = default;

QString UiPrompter::getText(QWidget *parent, const QString &title, const QString &label, const QString &text,
                            bool *ok)
{
    return QInputDialog::getText(parent, title, label, QLineEdit::Normal, text, ok);
}

int UiPrompter::getItem(QWidget *parent, const QString &title, const QString &label, const QStringList &items)
{
    bool ok = false;
    const QString chosen = QInputDialog::getItem(parent, title, label, items, 0, false, &ok);
    return ok ? items.indexOf(chosen) : -1;
}

Qt::DropAction UiPrompter::runDrag(QDrag *drag, Qt::DropActions supported)
{
    return drag->exec(supported);
}

QMessageBox::StandardButton UiPrompter::detailedMessageBox(Kind kind, QWidget *parent, const QString &title,
                                                           const QString &text, const QString &,
                                                           QMessageBox::StandardButtons buttons)
{
    return messageBox(kind, parent, title, text, buttons, QMessageBox::NoButton);
}

UiPrompter::Kind UiPrompter::titledKind(Kind kind, const QString &title)
{
    if (kind != Warning && kind != Information && kind != Critical)
        return kind;
    auto is = [&title](const char *source) { return title == QCoreApplication::translate("MainWindow1", source); };
    if (is("Error"))
        return Critical;
    if (is("Warning"))
        return Warning;
    if (is("Information") || is("Tip"))
        return Information;
    return kind;
}

QMessageBox::StandardButton QtUiPrompter::messageBox(Kind kind, QWidget *parent, const QString &title,
                                                     const QString &text, QMessageBox::StandardButtons buttons,
                                                     QMessageBox::StandardButton defaultButton)
{
    switch (kind) {
    case Information:
        return QMessageBox::information(parent, title, text, buttons, defaultButton);
    case Question:
        return QMessageBox::question(parent, title, text, buttons, defaultButton);
    case Critical:
        return QMessageBox::critical(parent, title, text, buttons, defaultButton);
    default:
        return QMessageBox::warning(parent, title, text, buttons, defaultButton);
    }
}

QMessageBox::StandardButton QtUiPrompter::detailedMessageBox(Kind kind, QWidget *parent, const QString &title,
                                                             const QString &text, const QString &details,
                                                             QMessageBox::StandardButtons buttons)
{
    if (details.isEmpty())
        return messageBox(kind, parent, title, text, buttons, QMessageBox::NoButton);
    static const QMap<Kind, QMessageBox::Icon> icons = {{Information, QMessageBox::Information},
                                                        {Question, QMessageBox::Question},
                                                        {Critical, QMessageBox::Critical}};
    QMessageBox box(icons.value(kind, QMessageBox::Warning), title, text, buttons, parent);
    box.setDetailedText(details);
    return QMessageBox::StandardButton(box.exec());
}

QStringList QtUiPrompter::fileDialog(Kind kind, QWidget *parent, const QString &caption, const QString &dir,
                                     const QString &filter, QString *selectedFilter, QFileDialog::Options options)
{
    QString one;
    switch (kind) {
    case OpenFiles:
        return QFileDialog::getOpenFileNames(parent, caption, dir, filter, selectedFilter, options);
    case SaveFile:
        one = QFileDialog::getSaveFileName(parent, caption, dir, filter, selectedFilter, options);
        break;
    case ExistingDirectory:
        one = QFileDialog::getExistingDirectory(parent, caption, dir, options);
        break;
    default:
        one = QFileDialog::getOpenFileName(parent, caption, dir, filter, selectedFilter, options);
        break;
    }
    return one.isEmpty() ? QStringList() : QStringList{one};
}

void ScriptedPrompter::reset()
{
    prompts.clear();
    buttonAnswers.clear();
    fileAnswers.clear();
    textAnswers.clear();
    itemAnswers.clear();
    itemLists.clear();
    onPrompt = nullptr;
    onDrag = nullptr;
    m_details.clear();
}

QStringList ScriptedPrompter::boxField(QString Prompt::*field) const
{
    QStringList out;
    for (const Prompt &p : prompts) {
        if (p.kind <= Critical)
            out << p.*field;
    }
    return out;
}

QMessageBox::StandardButton ScriptedPrompter::messageBox(Kind kind, QWidget *parent, const QString &title,
                                                         const QString &text, QMessageBox::StandardButtons buttons,
                                                         QMessageBox::StandardButton defaultButton)
{
    prompts.append({kind, parent, title, text, QString(), buttons, defaultButton, m_details});
    m_details.clear();
    QMessageBox::StandardButton answer = QMessageBox::NoButton;
    if (!buttonAnswers.isEmpty())
        answer = buttonAnswers.dequeue();
    else if (defaultButton != QMessageBox::NoButton)
        answer = defaultButton;
    else if (buttons & QMessageBox::Ok)
        answer = QMessageBox::Ok;
    else if (buttons & QMessageBox::Yes)
        answer = QMessageBox::Yes;
    // Copies: the hook may replace itself or clear the prompts.
    if (const std::function<void(const Prompt &)> hook = onPrompt) {
        const Prompt shown = prompts.last();
        hook(shown);
    }
    return answer;
}

QMessageBox::StandardButton ScriptedPrompter::detailedMessageBox(Kind kind, QWidget *parent, const QString &title,
                                                                 const QString &text, const QString &details,
                                                                 QMessageBox::StandardButtons buttons)
{
    m_details = details; // recorded with the box, through any override of messageBox
    return messageBox(kind, parent, title, text, buttons, QMessageBox::NoButton);
}

QStringList ScriptedPrompter::fileDialog(Kind kind, QWidget *parent, const QString &caption, const QString &dir,
                                         const QString &filter, QString *, QFileDialog::Options)
{
    prompts.append({kind, parent, caption, dir, filter, QMessageBox::NoButton, QMessageBox::NoButton});
    if (!fileAnswers.isEmpty())
        return fileAnswers.dequeue();
    return QStringList();
}

QString ScriptedPrompter::getText(QWidget *parent, const QString &title, const QString &label, const QString &text,
                                  bool *ok)
{
    prompts.append({TextInput, parent, title, label, text, QMessageBox::NoButton, QMessageBox::NoButton});
    const QPair<QString, bool> answer = textAnswers.isEmpty() ? qMakePair(QString(), false) : textAnswers.dequeue();
    if (ok)
        *ok = answer.second;
    return answer.second ? answer.first : QString();
}

int ScriptedPrompter::getItem(QWidget *parent, const QString &title, const QString &label, const QStringList &items)
{
    prompts.append({ItemChoice, parent, title, label, QString(), QMessageBox::NoButton, QMessageBox::NoButton});
    itemLists.append(items);
    const int answer = itemAnswers.isEmpty() ? -1 : itemAnswers.dequeue();
    return answer >= 0 && answer < items.size() ? answer : -1;
}

Qt::DropAction ScriptedPrompter::runDrag(QDrag *drag, Qt::DropActions supported)
{
    // A copy: the hook may replace itself.
    if (const std::function<Qt::DropAction(QDrag *, Qt::DropActions)> hook = onDrag)
        return hook(drag, supported);
    return Qt::IgnoreAction;
}
