#include "review/Review.h"

#include "review/FieldLabels.h"
#include "review/OverrideFigures.h"
#include "review/QuietMessages.h"
#include "review/ReturnReader.h"
#include "review/ReviewRules.h"
#include "store/ContinuationPages.h"

#include <algorithm>

namespace quorvan::review {
namespace {

Finding MakeFinding(const TAnswer& store, const char* rule, Severity severity, FieldAddress field, std::string line,
                    std::string text)
{
    Finding finding;
    finding.rule = rule;
    finding.severity = severity;
    finding.field = field;
    finding.form = FormName(store, field.formType, field.page);
    finding.line = std::move(line);
    finding.text = std::move(text);
    return finding;
}

void RunRules(const ReturnReader& reader, std::vector<Finding>& findings)
{
    for (const ReviewRule& rule : ReviewRules()) {
        const int pages = rule.scope == Scope::EachK1Page ? reader.K1Pages() : 1;
        for (int page = 0; page < pages; ++page) {
            std::optional<std::string> text = rule.test(reader, page);
            if (text)
                findings.push_back(MakeFinding(reader.Store(), rule.id, rule.severity,
                                               {rule.field.formType, page, rule.field.slot}, rule.line,
                                               std::move(*text)));
        }
    }
}

bool IsAllocatedK1Slot(int slot)
{
    return std::find(kAllocatedK1Slots.begin(), kAllocatedK1Slots.end(), slot) != kAllocatedK1Slots.end();
}

// One note for every overridden answer that a calculation computes. The amounts of a K-1 typed in
// place of a percentage are overridden all together; their page has one note of its own.
void NoteOverrides(const TAnswer& store, std::vector<Finding>& findings)
{
    for (int t = 0; t < kFormTypes; ++t) {
        const int* count = store.CountField(t);
        const int pages = count ? std::clamp(*count, 0, kMaxPages) : 1;
        for (int k = 0; k < pages; ++k) {
            const TPage& page = store.PageAt(t, k);
            // Only computed answers can be overridden; a flag on an entry or on a pure result
            // changes nothing.
            for (const FieldLabel* label : GuardedFields(t)) {
                const int slot = label->slot;
                if (slot >= static_cast<int>(page.Objects.size()) || !page.Objects[static_cast<size_t>(slot)].OvRide)
                    continue;
                if (t == ftScheduleK1 && store.BeneficiaryInterest[static_cast<size_t>(k)] < 0 && IsAllocatedK1Slot(slot))
                    continue;
                findings.push_back(MakeFinding(store, kOverrideRule, Severity::Note, {t, k, slot},
                                               LineName(store, t, k, slot),
                                               OverrideNoteText(label->kind, page.Strings[static_cast<size_t>(slot)], nullptr)));
            }
        }
    }
}

}  // namespace

std::vector<Finding> ReviewReturn(const TAnswer& store)
{
    QuietMessages quiet;
    std::vector<Finding> findings;
    RunRules(ReturnReader(store), findings);
    NoteOverrides(store, findings);
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.severity < b.severity; });
    return findings;
}

FindingCounts CountFindings(const std::vector<Finding>& findings)
{
    FindingCounts counts;
    for (const Finding& finding : findings) {
        switch (finding.severity) {
        case Severity::Error: ++counts.errors; break;
        case Severity::Warning: ++counts.warnings; break;
        case Severity::Note: ++counts.notes; break;
        }
    }
    return counts;
}

const char* SeverityWord(Severity severity)
{
    switch (severity) {
    case Severity::Error: return "error";
    case Severity::Warning: return "warning";
    case Severity::Note: return "note";
    }
    return "";
}

std::string FindingLine(const Finding& finding)
{
    // Names typed by the preparer may hold anything; a tab or line break would split the report.
    auto field = [](std::string text) {
        std::replace_if(text.begin(), text.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
        return text;
    };
    return std::string(SeverityWord(finding.severity)) + "\t" + field(finding.form) + "\t" + field(finding.line) +
           "\t" + field(finding.text);
}

}  // namespace quorvan::review
