#pragma once
// The table of review rules, one row each: what it is called, how grave it is, the field it
// concerns with the line in the preparer's words, and its test. Adding a check is adding a row.

#include "review/Review.h"
#include "review/ReturnReader.h"
#include "store/SlotRef.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvan::review {

// Which pages a rule looks at: the return once (its field is on page 0 of the form type), or
// every Schedule K-1 page in use (its field is on that page).
enum class Scope { Return, EachK1Page };

// A rule's test: nothing when the return passes, otherwise the finding's text with its figures.
using RuleTest = std::optional<std::string> (*)(const ReturnReader& reader, int page);

struct ReviewRule {
    const char* id;
    Severity severity;
    Scope scope;
    SlotRef field;     // on page 0 of its form type, or on each K-1 page
    const char* line;  // the line the finding names, as the preparer reads it on the form
    RuleTest test;
};

const std::vector<ReviewRule>& ReviewRules();

}  // namespace quorvan::review
