#include "review/OverrideFigures.h"

#include "calc/Calculate.h"
#include "review/FieldLabels.h"
#include "review/QuietMessages.h"
#include "store/Answers.h"
#include "store/ScopedOpenReturn.h"

namespace quorvan::review {
namespace {

// A field settles within a few runs: lines that read the previous run's figures (line 4, the
// line 15c base, line 24b) follow one run later.
constexpr int kMaxRuns = 4;

std::string Shown(char kind, const std::string& answer)
{
    if (kind == 'x' || kind == 'e')
        return answer == "X" ? "ticked" : "not ticked";
    if (answer.empty())
        return "empty";
    if (kind == 't' || kind == 'm')
        return "\"" + answer + "\"";
    return answer;
}

}  // namespace

std::string OverrideNoteText(char kind, const std::string& typed, const std::string* computed)
{
    const bool checkBox = kind == 'x' || kind == 'e';
    std::string text = checkBox ? "Overridden: " + Shown(kind, typed) + " by hand" : "Overridden: " + Shown(kind, typed) + " typed";
    if (computed)
        text += checkBox ? ", " + Shown(kind, *computed) + " as computed" : ", " + Shown(kind, *computed) + " computed";
    return text + ".";
}

void CopyReturn(const TAnswer& from, TAnswer& to)
{
    to.ErrFlag = from.ErrFlag;
    to.ProgramName = from.ProgramName;
    to.VersionNo = from.VersionNo;
    to.CalcActive = from.CalcActive;
    to.NoOf8949_A = from.NoOf8949_A;
    to.NoOf8949_B = from.NoOf8949_B;
    to.NoOf8949_C = from.NoOf8949_C;
    to.NoOf8949_D = from.NoOf8949_D;
    to.NoOf8949_E = from.NoOf8949_E;
    to.NoOf8949_F = from.NoOf8949_F;
    to.NoOfSchedK = from.NoOfSchedK;
    to.InterestTotal = from.InterestTotal;
    to.NoOfInterest = from.NoOfInterest;
    to.DividendTotal = from.DividendTotal;
    to.NoOfDividend = from.NoOfDividend;
    to.OtherTotal = from.OtherTotal;
    to.NoOfOther = from.NoOfOther;
    to.Other2Total = from.Other2Total;
    to.NoOfOther2 = from.NoOfOther2;
    to.BeneficiaryInterest = from.BeneficiaryInterest;
    to.PAnsw->PgCt = from.PAnsw->PgCt;
    for (int t = 0; t < kFormTypes; ++t)
        for (int k = 0; k <= kHighestPageIndex[static_cast<size_t>(t)]; ++k) {
            const TPage& source = from.PageAt(t, k);
            TPage& target = to.PageAt(t, k);
            target.Strings = source.Strings;
            target.Objects = source.Objects;
        }
}

OverrideFigures::OverrideFigures() = default;
OverrideFigures::~OverrideFigures() = default;

void OverrideFigures::Figure(const TAnswer& store, std::vector<Finding>& findings)
{
    QuietMessages quiet;
    for (Finding& finding : findings) {
        if (finding.rule != kOverrideRule)
            continue;
        const FieldAddress& at = finding.field;
        const FieldLabel* label = FindFieldLabel(at.formType, at.slot);
        const char kind = label ? label->kind : 'd';
        const std::string& typed = store.Text(at.formType, at.page, at.slot);
        if (!copy_)
            copy_ = std::make_unique<TAnswer>();
        CopyReturn(store, *copy_);
        copy_->SetOvRide(at.formType, at.page, at.slot, false);

        const ScopedOpenReturn reading(*copy_);
        bool completed = true;
        std::string computed = copy_->Text(at.formType, at.page, at.slot);
        for (int run = 0; run < kMaxRuns; ++run) {
            if (!Calculate(*copy_, false)) {
                completed = false;
                break;
            }
            const std::string& now = copy_->Text(at.formType, at.page, at.slot);
            const bool settled = run > 0 && now == computed;
            computed = now;
            if (settled)
                break;
        }
        finding.text = completed ? OverrideNoteText(kind, typed, &computed)
                                 : OverrideNoteText(kind, typed, nullptr) +
                                       " The computed figure is not known: the recalculation stops on an error.";
    }
}

}  // namespace quorvan::review
