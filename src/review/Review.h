#pragma once
// The return review: the checks a careful preparer runs before signing, run over the answer store
// after each recalculation. Errors must be mended before the return is filed, warnings deserve a
// look, notes list what was set by hand. Every finding names its form page, field and line in the
// preparer's words, so the window can go to the field and the tool can print it.

#include <string>
#include <vector>

namespace quorvan {
class TAnswer;
}

namespace quorvan::review {

enum class Severity { Error, Warning, Note };

// A field of the return: slot `slot` of page `page` of form type `formType`.
struct FieldAddress {
    int formType = 0;
    int page = 0;
    int slot = 0;
    bool operator==(const FieldAddress& other) const
    {
        return formType == other.formType && page == other.page && slot == other.slot;
    }
};

struct Finding {
    std::string rule;  // identifier of the rule that raised it, e.g. "f1041.ein"
    Severity severity = Severity::Error;
    FieldAddress field;
    std::string form;  // "Form 1041", "Schedule K-1, beneficiary 2 (Ann Lee)"
    std::string line;  // "line 2b(1)", "box 1", "item C"
    std::string text;  // what is wrong, with the figures
    bool operator==(const Finding& other) const
    {
        return rule == other.rule && severity == other.severity && field == other.field && form == other.form &&
               line == other.line && text == other.text;
    }
};

struct FindingCounts {
    int errors = 0;
    int warnings = 0;
    int notes = 0;
};

// The rule id of the notes on overridden amounts; OverrideFigures completes their texts.
inline constexpr char kOverrideRule[] = "override";

// Runs every rule over `store`, a recalculated return: errors first, then warnings, then notes,
// each in the order of the rule table and of the pages. Reads the store only and shows no
// message (an amount that does not read counts as 0, as in the calculations).
std::vector<Finding> ReviewReturn(const TAnswer& store);

FindingCounts CountFindings(const std::vector<Finding>& findings);

// "error", "warning", "note".
const char* SeverityWord(Severity severity);

// One line of the tool's report: severity, form, line and text separated by tabs.
std::string FindingLine(const Finding& finding);

}  // namespace quorvan::review
