#pragma once
// What one step of the preparer changed in a return (answers with their override flags, page
// counts, K-1 shares and the running totals of the continuation schedules), and a copy of the
// return as it stood after the last step, from which the next step's changes are read. Undo and
// redo put a return back byte for byte from these.

#include "store/Answers.h"

#include <memory>
#include <string>
#include <vector>

namespace quorvan {

// Which values of a change to put into a store: those before the step or those after it.
enum class ChangeSide { Before, After };

// Slot `slot` of page `page` of form type `formType`.
struct AnswerChange {
    int formType = 0;
    int page = 0;
    int slot = 0;
    std::string before;
    std::string after;
    bool overriddenBefore = false;
    bool overriddenAfter = false;
};

// A number the store keeps beside its answers: a page count, a running total or a K-1 share.
// `figure` numbers them as FigureOf and SetFigure do.
struct FigureChange {
    int figure = 0;
    double before = 0;
    double after = 0;
};

struct AnswerChanges {
    std::vector<AnswerChange> answers;
    std::vector<FigureChange> figures;
    bool empty() const { return answers.empty() && figures.empty(); }
};

// The numbers beside the answers: the eleven page counts, the four running totals and the forty
// K-1 shares, numbered 0 to kFigureCount - 1.
constexpr int kFigureCount = 11 + 4 + 40;
double FigureOf(const TAnswer& store, int figure);
void SetFigure(TAnswer& store, int figure, double value);

// Puts the values of one side of `changes` into `store`.
void ApplyChanges(TAnswer& store, const AnswerChanges& changes, ChangeSide side);

// A copy of a return's answers and figures.
class AnswerSnapshot {
public:
    AnswerSnapshot();  // an empty return
    ~AnswerSnapshot();
    AnswerSnapshot(const AnswerSnapshot&) = delete;
    AnswerSnapshot& operator=(const AnswerSnapshot&) = delete;

    // The copy becomes that of `store`.
    void Take(const TAnswer& store);
    // Every answer, flag and figure of `store` that differs from the copy: "before" is the copy's,
    // "after" the store's. Figures compare bit for bit.
    AnswerChanges ChangesTo(const TAnswer& store) const;
    // The copy takes one side of `changes`.
    void Apply(const AnswerChanges& changes, ChangeSide side);

private:
    std::unique_ptr<TAnswer> copy_;
};

}  // namespace quorvan
