#pragma once
// Where a field stands on its form, in the preparer's words: the form page ("Form 1041",
// "Schedule K-1, beneficiary 2 (Ann Lee)") and the line ("line 2b(1)", "Schedule B, line 7",
// "box 1"). The line names are generated at build time from the form page descriptions.

#include <cstddef>
#include <string>
#include <vector>

namespace quorvan {
class TAnswer;
}

namespace quorvan::review {

// One bound field of a page layout.
struct FieldLabel {
    int layout;       // layout number: the form type, except 29 for Form 8949 boxes A to C, 32 for D to F
    int slot;
    char kind;        // as the description writes it: d c p t n x e m a
    bool guarded;     // a computed answer the preparer may override
    const char* text;  // "line 2b(1)"
};

// Generated: sorted by layout and slot.
extern const FieldLabel kFieldLabels[];
extern const std::size_t kFieldLabelCount;

// The field of `formType` bound to `slot`, or nullptr when no layout shows it.
const FieldLabel* FindFieldLabel(int formType, int slot);

// The fields of `formType` the preparer may override, in slot order.
const std::vector<const FieldLabel*>& GuardedFields(int formType);

// The form page in the preparer's words; continuation pages and Form 8949 pages give their
// page number, Schedule K-1 pages the beneficiary.
std::string FormName(const TAnswer& store, int formType, int page);

// The line of a field; Schedule K-1 amounts of coded boxes add their code ("box 11, code B").
// A field no layout shows is named by its slot.
std::string LineName(const TAnswer& store, int formType, int page, int slot);

}  // namespace quorvan::review
