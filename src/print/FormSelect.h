#pragma once
// What Preview and Print offers: the check boxes of the print selection with the form type each
// one prints, the ticks preset from the return's contents, Select All / Clear All, and the order
// in which the ticked pages follow each other in the print document. Plain data; the dialog
// shows it and hands the ticks back.

#include "store/Answers.h"

#include <array>
#include <string>
#include <vector>

namespace quorvan {

// One check box of the selection dialog; each box prints exactly one form type.
struct PrintBox {
    const char* objectName;  // e.g. "cbxScheduleD_1"
    const char* caption;     // "&&" shows as "&"
    int tab;                 // index into PrintTabCaptions()
    int formType;
};

// The five tab captions, in tab order: "Form 1041", "Form 1041-A", ...
const std::vector<std::string>& PrintTabCaptions();
// Every check box, tab by tab, in the order the dialog lays them out.
const std::vector<PrintBox>& PrintBoxes();
// The box that prints `formType`, or nullptr when the form type is not printable.
const PrintBox* PrintBoxFor(int formType);

// The ticks of the dialog, by form type.
class PrintSelection {
public:
    bool Ticked(int formType) const;
    // Ignored for form types no box prints.
    void SetTicked(int formType, bool ticked);
    void SelectAll();
    void ClearAll();
    bool Empty() const;

private:
    std::array<bool, kFormTypes> ticked_{};
};

// The ticks the dialog opens with, read from the return (amounts read as whole dollars, so 0.4
// counts as zero and 0.5 does not).
PrintSelection DefaultSelection(const TAnswer& answers);

// One page of the print document: form type and page index.
struct PrintPage {
    int formType;
    int page;
    bool operator==(const PrintPage& other) const
    {
        return formType == other.formType && page == other.page;
    }
};

// Form types in the order the document prints them.
const std::vector<int>& PrintOrder();

// Whether `formType` belongs to this return at all: Form 1041-QFT to a funeral trust's only,
// Form 1041-A to a return that uses it, Schedule J to an accumulation distribution (a positive
// line 5). Every other form may be printed whenever it is chosen.
bool FormApplies(const TAnswer& answers, int formType);

// The ticked form types, in document order, that do not apply to the return and are left out.
std::vector<int> TickedFormsThatDoNotApply(const PrintSelection& selection, const TAnswer& answers);

// The pages of the ticked boxes in document order, without the forms that do not apply to the
// return (they would print another form's figures). A counted form type prints pages 0 to
// count - 1 of its count field, and page 0 when the count is 0.
std::vector<PrintPage> PagesToPrint(const PrintSelection& selection, const TAnswer& answers);

}  // namespace quorvan
