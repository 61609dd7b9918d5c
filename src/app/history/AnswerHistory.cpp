#include "app/history/AnswerHistory.h"

#include <QUndoCommand>
#include <QUndoStack>

namespace quorvan::app {

namespace {

// Far more than a working session takes back; each step keeps only what it changed.
constexpr int kStepsKept = 1000;

}  // namespace

class AnswerHistory::StepCommand : public QUndoCommand {
public:
    StepCommand(AnswerHistory& history, Step step, AnswerChanges changes)
        : QUndoCommand(step.label), history_(history), step_(std::move(step)), changes_(std::move(changes))
    {}
    void undo() override { history_.Put(changes_, ChangeSide::Before, step_.before); }
    void redo() override
    {
        // The stack redoes a step as it takes it; the step is in the return already then.
        if (taken_)
            history_.Put(changes_, ChangeSide::After, step_.after);
        taken_ = true;
    }

private:
    AnswerHistory& history_;
    Step step_;
    AnswerChanges changes_;
    bool taken_ = false;
};

AnswerHistory::AnswerHistory(QObject* parent) : QObject(parent), stack_(new QUndoStack(this))
{
    stack_->setUndoLimit(kStepsKept);
}

// The stack goes first and tells no one: those who listen to it ask this history about it.
AnswerHistory::~AnswerHistory()
{
    stack_->disconnect();
    delete stack_;
}

void AnswerHistory::Reset(const TAnswer& store)
{
    stack_->clear();
    last_.Take(store);
    pending_.reset();
}

void AnswerHistory::BeginStep(const Step& step)
{
    if (!pending_ && !moving_)
        pending_ = step;
}

void AnswerHistory::Settle(const TAnswer& store)
{
    AnswerChanges changes = last_.ChangesTo(store);
    std::optional<Step> step;
    step.swap(pending_);
    if (changes.empty())
        return;
    last_.Apply(changes, ChangeSide::After);
    if (!step || moving_)
        return;
    stack_->push(new StepCommand(*this, std::move(*step), std::move(changes)));
    if (onStepRecorded)
        onStepRecorded();
}

void AnswerHistory::Undo(TAnswer& store)
{
    if (moving_ || !stack_->canUndo())
        return;
    moving_ = &store;
    stack_->undo();
    moving_ = nullptr;
}

void AnswerHistory::Redo(TAnswer& store)
{
    if (moving_ || !stack_->canRedo())
        return;
    moving_ = &store;
    stack_->redo();
    moving_ = nullptr;
}

void AnswerHistory::Put(const AnswerChanges& changes, ChangeSide side, const StepPlace& place)
{
    if (!moving_)
        return;
    ApplyChanges(*moving_, changes, side);
    last_.Apply(changes, side);
    if (onMoved)
        onMoved(place);
}

void AnswerHistory::MarkClean(const TAnswer& store)
{
    Settle(store);
    stack_->setClean();
}

void AnswerHistory::ForgetClean() { stack_->resetClean(); }

bool AnswerHistory::AtCleanState() const { return stack_->isClean(); }

}  // namespace quorvan::app
