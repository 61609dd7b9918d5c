#pragma once
// The preparer's steps, for Undo and Redo. Every field left with a new answer, override set or
// cancelled, K-1 allocation changed and continuation page added or deleted is one step on a
// QUndoStack, holding all it changed in the return, the recalculated lines included; taking a
// step back puts the return back as it stood before the step, byte for byte.

#include "store/AnswerChanges.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QUndoStack;

namespace quorvan::app {

// Where a step shows: a page code and the slot of the field that takes the cursor (-1: none).
struct StepPlace {
    int pageCode = -1;
    int slot = -1;
};

// What the preparer did: the Edit menu's words for it, where it was done and where it led.
struct Step {
    QString label;  // "Form 1041 page 1, line 3"
    StepPlace before;
    StepPlace after;
};

class AnswerHistory : public QObject {
    Q_OBJECT
public:
    explicit AnswerHistory(QObject* parent = nullptr);
    ~AnswerHistory() override;

    QUndoStack* Stack() const { return stack_; }

    // A return was opened or started: nothing to take back, and it is as saved.
    void Reset(const TAnswer& store);
    // The changes up to the next Settle make one step; when one is already begun, it stays.
    void BeginStep(const Step& step);
    bool StepPending() const { return pending_.has_value(); }
    // The return stands complete after a recalculation: what changed since the last settle is the
    // step begun, or without one the recalculation's own work, taken as it is.
    void Settle(const TAnswer& store);

    // One side of the step before (after) the present place is put into `store`; then
    // `onMoved` shows where. Nothing happens at either end of the history.
    void Undo(TAnswer& store);
    void Redo(TAnswer& store);

    // The return was saved: taking steps back to here leaves nothing unsaved.
    void MarkClean(const TAnswer& store);
    // The return has changes no step holds (restored or imported): no place in the history is as saved.
    void ForgetClean();
    bool AtCleanState() const;

    // After Undo and Redo, with the place of the step: the window recalculates and shows it.
    std::function<void(const StepPlace& place)> onMoved;
    // After a new step went onto the stack.
    std::function<void()> onStepRecorded;

private:
    class StepCommand;
    void Put(const AnswerChanges& changes, ChangeSide side, const StepPlace& place);

    QUndoStack* stack_;
    AnswerSnapshot last_;  // the return as the last settle left it
    std::optional<Step> pending_;
    TAnswer* moving_ = nullptr;  // the store Undo or Redo works on, while it does
};

}  // namespace quorvan::app
