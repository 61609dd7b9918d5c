// Finds slot numbers and form-type aliases written by hand in source text, where the generated
// slot names (slot/<Page>.h) belong. Three rules, each on code with comments and string contents
// blanked out:
//   alias     a constant or macro that renames a form type: constexpr int F1 = ftForm1041Page1;
//   literal   a call of an answer accessor (Text, SetText, OvRide, SetOvRide, Get, Set, Override,
//             Amt, Cents, Unrounded, Ticked, Overridden, Put(Text)Always, Put(Text)Guarded, Amount,
//             Blank) whose first argument names a form type (an ft enumerator, a number, a name in
//             capitals such as an alias F1, a name that ends in "type" or "Type", a formType
//             member, or t) and whose slot argument, found
//             by the argument count, holds an integer literal outside any nested call:
//             Get(ftForm1041Page1, 56), Text(t, k, 8 * row + 12)
//   constant  an integer constant, enumerator or array whose name contains "slot" (any case)
//             and whose value is written as integer literals: constexpr int kTotalSlot = 86; or an
//             integer constant or enumerator of the file with a literal value that an accessor
//             receives as its slot: constexpr int kLine9 = 41; ... OvRide(t, 0, kLine9)
// A line that carries the comment "slot-check: raw" is not checked: tests of the answer grid
// itself address slots that no form has.
#pragma once

#include <string>
#include <vector>

namespace slotcheck {

struct Finding {
    int line = 0;
    std::string rule;  // "alias", "literal" or "constant"
    std::string text;  // the offending code
};

std::vector<Finding> CheckSource(const std::string& text);

}  // namespace slotcheck
