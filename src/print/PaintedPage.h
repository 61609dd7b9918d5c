#pragma once
// What a painted form page shows: the sheets each chosen page prints (Schedule K-1 adds its back
// page) and the text of every field on them, formatted from the answers as the RTF merge does,
// with the painted forms' own rules: a negative amount in parentheses, a loss line's amount
// inside the parentheses the form prints, and nothing in the computed cells of a table row
// whose entries are all empty (Form 8949, column (h)).

#include "print/FormSelect.h"
#include "print/PaintedLayout.h"

#include <string>
#include <vector>

namespace quorvan {

// One sheet of the painted document: sheet `sheet` of the layout of page [formType/page].
struct SheetToPaint {
    int formType = 0;
    int page = 0;
    int sheet = 0;
    const PaintedLayout* layout = nullptr;
};

// The sheets of `pages` in their order. Errors: false with `error` naming the first layout
// that cannot be read; `sheets` then holds nothing.
bool SheetsToPaint(const std::vector<PrintPage>& pages, PaintedLayouts& layouts, std::vector<SheetToPaint>& sheets,
                   std::string& error);

// The ink of one item: its text ("" prints nothing) and how. Every answer prints black, an
// overridden one too: the red of an override is a cue on the entry screen only.
struct FieldInk {
    std::string text;
    bool ticked = false;      // a check box holding "X"
};

// The ink of every item of the sheet, in the order of its items (empty for items that are no
// field, check box or memo).
std::vector<FieldInk> InkOfSheet(const PaintedSheet& sheet, const TAnswer& answers, int formType, int page);

// Whole dollars as a painted form prints them: "1,235", "(100)" for -100; as the form prints
// them inside a loss line's parentheses: "100" for -100 and for 100. Nothing for an empty or
// zero answer.
std::string PaintedDollars(const std::string& answer, bool lossLine);

}  // namespace quorvan
