#include "store/AnswerChanges.h"

#include <cstring>

namespace quorvan {
namespace {

constexpr int kCounts = 11;
constexpr int kTotals = 4;

// The page counts, of a store or of a const store.
template <typename Store>
auto CountAt(Store& store, int figure)
{
    decltype(&store.NoOfSchedK) const counts[kCounts] = {
        &store.NoOfSchedK, &store.NoOfInterest, &store.NoOfDividend, &store.NoOfOther,
        &store.NoOfOther2, &store.NoOf8949_A,   &store.NoOf8949_B,   &store.NoOf8949_C,
        &store.NoOf8949_D, &store.NoOf8949_E,   &store.NoOf8949_F,
    };
    return counts[figure];
}

// The running totals, then the shares.
template <typename Store>
auto RealAt(Store& store, int figure)
{
    if (figure < kCounts + kTotals) {
        decltype(&store.InterestTotal)
            const totals[kTotals] = {&store.InterestTotal, &store.DividendTotal, &store.OtherTotal, &store.Other2Total};
        return totals[figure - kCounts];
    }
    return &store.BeneficiaryInterest[static_cast<size_t>(figure - kCounts - kTotals)];
}

// Bit for bit, so that a share read as NaN from a damaged file is no change of every step.
bool SameFigure(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

double FigureOf(const TAnswer& store, int figure)
{
    return figure < kCounts ? *CountAt(store, figure) : *RealAt(store, figure);
}

void SetFigure(TAnswer& store, int figure, double value)
{
    if (figure < kCounts)
        *CountAt(store, figure) = static_cast<int>(value);
    else
        *RealAt(store, figure) = value;
}

void ApplyChanges(TAnswer& store, const AnswerChanges& changes, ChangeSide side)
{
    const bool before = side == ChangeSide::Before;
    for (const AnswerChange& change : changes.answers) {
        TPage& page = store.PageAt(change.formType, change.page);
        const auto slot = static_cast<size_t>(change.slot);
        page.Strings.at(slot) = before ? change.before : change.after;
        page.Objects.at(slot).OvRide = before ? change.overriddenBefore : change.overriddenAfter;
    }
    for (const FigureChange& change : changes.figures)
        SetFigure(store, change.figure, before ? change.before : change.after);
}

AnswerSnapshot::AnswerSnapshot() : copy_(std::make_unique<TAnswer>()) {}

AnswerSnapshot::~AnswerSnapshot() = default;

void AnswerSnapshot::Take(const TAnswer& store)
{
    for (int t = 0; t < kFormTypes; ++t)
        for (int k = 0; k <= kHighestPageIndex[static_cast<size_t>(t)]; ++k) {
            const TPage& from = store.PageAt(t, k);
            TPage& to = copy_->PageAt(t, k);
            to.Strings = from.Strings;
            to.Objects = from.Objects;
        }
    for (int f = 0; f < kFigureCount; ++f)
        SetFigure(*copy_, f, FigureOf(store, f));
}

AnswerChanges AnswerSnapshot::ChangesTo(const TAnswer& store) const
{
    AnswerChanges changes;
    for (int t = 0; t < kFormTypes; ++t)
        for (int k = 0; k <= kHighestPageIndex[static_cast<size_t>(t)]; ++k) {
            const TPage& was = copy_->PageAt(t, k);
            const TPage& now = store.PageAt(t, k);
            for (size_t s = 0; s < now.Strings.size(); ++s) {
                const bool flagWas = was.Objects[s].OvRide;
                const bool flagNow = now.Objects[s].OvRide;
                if (was.Strings[s] != now.Strings[s] || flagWas != flagNow)
                    changes.answers.push_back(
                        {t, k, static_cast<int>(s), was.Strings[s], now.Strings[s], flagWas, flagNow});
            }
        }
    for (int f = 0; f < kFigureCount; ++f) {
        const double was = FigureOf(*copy_, f);
        const double now = FigureOf(store, f);
        if (!SameFigure(was, now))
            changes.figures.push_back({f, was, now});
    }
    return changes;
}

void AnswerSnapshot::Apply(const AnswerChanges& changes, ChangeSide side) { ApplyChanges(*copy_, changes, side); }

}  // namespace quorvan
