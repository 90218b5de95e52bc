#ifndef ZT_HISTORY_EDITHISTORY_H
#define ZT_HISTORY_EDITHISTORY_H

// The window's undo and redo: the steps the document, the library and the
// pages make, on a QUndoStack, with the menu's two actions and their keys.
// A run of edits on one control (the focus staying on it) is one step,
// merged by the stack; a run back where it began is no step. The stack
// keeps the last kKeptSteps steps. An undo or a redo first takes in what a
// page holds that is not yet in the document, is refused with a box when its
// step cannot be put back whole (the stack stays as it was), and then tells
// where its change shows.

#include "model/editstep.h"

#include <QObject>
#include <QPointer>
#include <QUndoStack>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QWidget;
class UiPrompter;

class EditHistory : public QObject
{
    Q_OBJECT

public:
    // The steps kept: an older one can no longer be undone.
    static constexpr int kKeptSteps = 1000;

    // `window` parents the boxes `prompter` answers and holds the keys; the
    // actions are the menu's (their texts and keys are set here).
    EditHistory(QWidget *window, UiPrompter &prompter, QAction *undo, QAction *redo);
    ~EditHistory() override;

    editstep::Recorder &recorder() { return m_recorder; }
    const QUndoStack &stack() const { return m_stack; }
    // Before each undo and redo: what the pages hold goes into the document.
    void setTakeInPages(std::function<void()> takeIn) { m_takeIn = std::move(takeIn); }
    // Runs an undo or redo (its argument): the window batches the redraws.
    void setApplyWrapper(std::function<void(const std::function<void()> &)> wrap) { m_wrap = std::move(wrap); }
    // Runs the look at a step's files before it is undone or redone.
    void setCheckWrapper(std::function<void(const std::function<void()> &)> wrap) { m_checkWrap = std::move(wrap); }
    // The step made last ends: the next edit is a step of its own.
    void endRun();
    // Roughly what the steps keep, in bytes.
    qint64 size() const;

public slots:
    void undo();
    void redo();

signals:
    // An undo or redo changed what `place` shows.
    void applied(const editstep::Place &place);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class Command;
    void push(std::unique_ptr<editstep::Step> step);
    // A run back where it began is undone as it leaves the stack.
    void takeBack(editstep::Step &step);
    void apply(bool undo);
    void showTexts();

    QPointer<QWidget> m_window;
    UiPrompter &m_prompter;
    QPointer<QAction> m_undo, m_redo;
    QUndoStack m_stack;
    editstep::Recorder m_recorder;
    std::function<void()> m_takeIn;
    std::function<void(const std::function<void()> &)> m_wrap;
    std::function<void(const std::function<void()> &)> m_checkWrap;
    bool m_applying = false;
    bool m_checking = false; // a step's files are being looked at before its undo or redo
    // Steps of edits made while a step's files were looked at: pushed once the look ends.
    std::vector<std::unique_ptr<editstep::Step>> m_held;
    bool m_runOpen = false; // the last step may take the next one of its run
};

#endif
