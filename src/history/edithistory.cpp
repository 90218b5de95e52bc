#include "history/edithistory.h"

#include "widgets/dialogs/uiprompter.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QUndoCommand>

namespace {

const QKeySequence kUndo(Qt::CTRL | Qt::Key_Z);
const QKeySequence kRedo(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
const QKeySequence kRedoToo(Qt::CTRL | Qt::Key_Y);
constexpr int kShownReasons = 25; // lines of a refusal's box

// The text field a key reaches: a line edit, or the one of a spin box.
QLineEdit *textField(QObject *watched)
{
    if (auto *line = qobject_cast<QLineEdit *>(watched))
        return line;
    if (auto *spin = qobject_cast<QAbstractSpinBox *>(watched))
        return spin->findChild<QLineEdit *>();
    return nullptr;
}

// The keys act on a field's text while it is being typed in: while its text
// can be taken back, and for a redo also while it can be brought again.
bool typedIn(const QLineEdit *text, bool undo)
{
    if (!text || text->isReadOnly())
        return false;
    return text->isUndoAvailable() || (!undo && text->isRedoAvailable());
}

} // namespace

class EditHistory::Command : public QUndoCommand
{
public:
    Command(EditHistory *history, std::unique_ptr<editstep::Step> step)
        : QUndoCommand(step->name())
        , m_history(history)
        , m_step(std::move(step))
    {
    }

    editstep::Step &step() const { return *m_step; }
    int id() const override { return m_step->mergeKey().isEmpty() ? -1 : 1; }
    bool mergeWith(const QUndoCommand *other) override
    {
        auto *later = static_cast<const Command *>(other);
        if (!m_history->m_runOpen || later->m_step->mergeKey() != m_step->mergeKey())
            return false;
        m_step->absorb(*later->m_step);
        // Back where the run began, the stack drops it: what the user sees
        // is there again, and with it every byte the run changed.
        if (m_step->unchanged()) {
            setObsolete(true);
        } else if (m_step->backAtRunStart()) {
            m_history->takeBack(*m_step);
            setObsolete(true);
        }
        return true;
    }
    // Pushed once it is made: the first redo has nothing to do.
    void redo() override
    {
        if (m_made) {
            m_made = false;
            return;
        }
        m_step->redo();
    }
    void undo() override { m_step->undo(); }

private:
    EditHistory *m_history;
    std::unique_ptr<editstep::Step> m_step;
    bool m_made = true;
};

EditHistory::EditHistory(QWidget *window, UiPrompter &prompter, QAction *undo, QAction *redo)
    : QObject(window)
    , m_window(window)
    , m_prompter(prompter)
    , m_undo(undo)
    , m_redo(redo)
{
    m_stack.setUndoLimit(kKeptSteps);
    m_recorder.setSink([this](std::unique_ptr<editstep::Step> step) { push(std::move(step)); });
    m_undo->setShortcut(kUndo);
    m_redo->setShortcuts({kRedo, kRedoToo});
    for (QAction *action : {m_undo.data(), m_redo.data()})
        action->setShortcutContext(Qt::ApplicationShortcut); // the copy dialogs stay open beside the window
    connect(m_undo, &QAction::triggered, this, &EditHistory::undo);
    connect(m_redo, &QAction::triggered, this, &EditHistory::redo);
    connect(&m_stack, &QUndoStack::indexChanged, this, &EditHistory::showTexts);
    connect(qApp, &QApplication::focusChanged, this, [this] { endRun(); });
    qApp->installEventFilter(this);
    showTexts();
}

EditHistory::~EditHistory()
{
    qApp->removeEventFilter(this);
    m_recorder.setSink({});
}

void EditHistory::endRun()
{
    m_runOpen = false;
}

qint64 EditHistory::size() const
{
    qint64 bytes = 0;
    for (int i = 0; i < m_stack.count(); ++i)
        bytes += static_cast<const Command *>(m_stack.command(i))->step().size();
    return bytes;
}

void EditHistory::push(std::unique_ptr<editstep::Step> step)
{
    if (m_applying)
        return;
    if (m_checking) {
        // The step being looked at stays on the stack, unmerged, until its look ends.
        m_held.push_back(std::move(step));
        return;
    }
    const bool run = !step->mergeKey().isEmpty();
    const int before = m_stack.index();
    m_stack.push(new Command(this, std::move(step)));
    // Merged into the step before it stays open; dropped (back where it began) it ends.
    m_runOpen = run && m_stack.index() >= before;
    showTexts();
}

void EditHistory::takeBack(editstep::Step &step)
{
    const editstep::Recorder::Paused paused(&m_recorder);
    m_applying = true;
    step.undo();
    m_applying = false;
}

void EditHistory::undo()
{
    apply(true);
}

void EditHistory::redo()
{
    apply(false);
}

void EditHistory::apply(bool undo)
{
    if (m_applying || m_checking)
        return;
    if (m_takeIn)
        m_takeIn();
    if (undo ? !m_stack.canUndo() : !m_stack.canRedo())
        return;
    const int index = m_stack.index(), count = m_stack.count();
    const auto *command = static_cast<const Command *>(m_stack.command(undo ? index - 1 : index));
    // The look at the step's files may wait on a drive: no other undo or redo runs meanwhile.
    m_checking = true;
    QStringList why;
    const std::function<void()> check = [command, &why] { why = command->step().refusals(); };
    if (m_checkWrap)
        m_checkWrap(check);
    else
        check();
    m_checking = false;
    if (!m_held.empty()) {
        // An edit came meanwhile: it is the newest step, and the look no longer holds.
        std::vector<std::unique_ptr<editstep::Step>> held;
        held.swap(m_held);
        for (std::unique_ptr<editstep::Step> &step : held)
            push(std::move(step));
        return;
    }
    if (m_stack.index() != index || m_stack.count() != count)
        return; // the steps changed while the files were looked at
    if (!why.isEmpty()) {
        const QString what = undo ? tr("\"%1\" cannot be undone:").arg(command->step().name())
                                  : tr("\"%1\" cannot be redone:").arg(command->step().name());
        // A box the screen holds; the whole list behind its details.
        QStringList shown = why.mid(0, kShownReasons);
        if (why.size() > shown.size())
            shown << QCoreApplication::translate("MainWindow1", "and %1 more").arg(why.size() - shown.size());
        const QString crlf = QStringLiteral("\r\n");
        m_prompter.detailedBox(UiPrompter::Warning, m_window, tr("Warning"), what + crlf + shown.join(crlf),
                               why.size() > kShownReasons ? what + crlf + why.join(crlf) : QString());
        return;
    }
    const editstep::Place place = command->step().place();
    // The redraws too: what they show of the document is no edit.
    const editstep::Recorder::Paused paused(&m_recorder);
    m_applying = true;
    const std::function<void()> run = [this, undo] { undo ? m_stack.undo() : m_stack.redo(); };
    if (m_wrap)
        m_wrap(run);
    else
        run();
    emit applied(place);
    m_applying = false;
    m_runOpen = false;
}

void EditHistory::showTexts()
{
    if (m_undo) {
        m_undo->setEnabled(m_stack.canUndo());
        m_undo->setText(m_stack.canUndo() ? tr("Undo %1").arg(m_stack.undoText()) : tr("Undo"));
    }
    if (m_redo) {
        m_redo->setEnabled(m_stack.canRedo());
        m_redo->setText(m_stack.canRedo() ? tr("Redo %1").arg(m_stack.redoText()) : tr("Redo"));
    }
}

bool EditHistory::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const QKeySequence pressed(int(key->modifiers() & ~Qt::KeypadModifier) | key->key());
    const bool undo = pressed == kUndo;
    if (!undo && pressed != kRedo && pressed != kRedoToo)
        return false;
    QLineEdit *text = textField(watched);
    if (!text)
        return false;
    const bool typed = typedIn(text, undo);
    if (type == QEvent::KeyPress) {
        if (!typed)
            return false;
        // The field's own undo and redo, for Ctrl+Y too (no key of a field's on every desktop).
        undo ? text->undo() : text->redo();
        return true;
    }
    // A field typed in keeps the keys (nothing to redo there does nothing);
    // any other field leaves them to the window.
    if (typed)
        event->accept();
    else
        event->ignore();
    return true;
}
