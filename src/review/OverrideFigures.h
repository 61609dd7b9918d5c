#pragma once
// The computed figure beside each overridden answer: what the calculations put in the field when
// its override is cancelled. It is figured on a copy of the return with that one override
// cleared, recalculated until the field settles, so the other overrides keep their effect and
// the open return is not touched. One recalculation of the copy or two per override: the window
// figures them after the page is shown, the tool before it prints the findings.

#include "review/Review.h"

#include <memory>
#include <string>
#include <vector>

namespace quorvan {
class TAnswer;
}

namespace quorvan::review {

// The note on an overridden answer of field kind `kind` (as FieldLabel has it); `computed` is
// null while the computed figure is not figured yet.
std::string OverrideNoteText(char kind, const std::string& typed, const std::string* computed);

class OverrideFigures {
public:
    OverrideFigures();
    ~OverrideFigures();

    // Completes the text of every override note of `findings`, reviewed from `store`. Shows no
    // message; leaves the store, the global answer store reference and the presenter as it
    // found them.
    void Figure(const TAnswer& store, std::vector<Finding>& findings);

private:
    // The copy is kept: making a store costs more than filling one.
    std::unique_ptr<TAnswer> copy_;
};

// Copies every answer, flag, count, total and share of `from` into `to`.
void CopyReturn(const TAnswer& from, TAnswer& to);

}  // namespace quorvan::review
