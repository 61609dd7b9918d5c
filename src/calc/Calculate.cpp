// The recalculation driver: every calculator of the return in its fixed order, with the stop
// checks that end a run after a calculator has failed.

#include "calc/Calculate.h"

#include "calc/AllocationWorksheet.h"
#include "calc/CalcSupport.h"
#include "calc/CapitalGainWorksheets.h"
#include "calc/Continuation.h"
#include "calc/Form1041A.h"
#include "calc/Form1041ES.h"
#include "calc/Form1041Page1.h"
#include "calc/Form1041Page2.h"
#include "calc/Form1041QFTTV.h"
#include "calc/Form2210.h"
#include "calc/Form8960.h"
#include "calc/ScheduleD.h"
#include "calc/ScheduleI.h"
#include "calc/ScheduleJ.h"
#include "calc/ScheduleK1.h"
#include "messages/Messages.h"
#include "slot/Interest.h"
#include "store/AnswerChanges.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>

namespace quorvan {
namespace {

// Pages in use of a counted form type; a damaged count never reaches beyond the grid.
int PagesInUse(int count)
{
    return std::clamp(count, 0, kMaxPages);
}

// Runs a continuation schedule's calculator on every page in use and sums the page totals (every
// continuation schedule keeps its total where the interest schedule does).
template <typename PageCalculator>
double SumContinuationPages(int formType, int count, PageCalculator calculatePage)
{
    double total = 0;
    for (int k = 0; k < PagesInUse(count); ++k) {
        calculatePage(k);
        total += Str2Float_2(Answers->Text(formType, k, slot::interest::total.slot));
    }
    return total;
}

// Rows 1 to 38. Returns false when a stop check ended the run.
bool RunCalculators(TAnswer& store)
{
    auto stopped = [&store] { return store.ErrFlag; };

    CalcForm1041Identification();
    if (stopped()) return false;

    store.InterestTotal = SumContinuationPages(ftInterest, store.NoOfInterest, CalcInterestSchedule);
    store.DividendTotal = SumContinuationPages(ftDividend, store.NoOfDividend, CalcDividendSchedule);
    store.OtherTotal = SumContinuationPages(ftOtherDeductions, store.NoOfOther, CalcOtherDeductionsSchedule);
    store.Other2Total = SumContinuationPages(ftOther2, store.NoOfOther2, CalcOther2Schedule);

    for (int k = 0; k < PagesInUse(store.NoOf8949_A); ++k) CalcForm8949BoxA(k);
    for (int k = 0; k < PagesInUse(store.NoOf8949_B); ++k) CalcForm8949BoxB(k);
    for (int k = 0; k < PagesInUse(store.NoOf8949_C); ++k) CalcForm8949BoxC(k);
    for (int k = 0; k < PagesInUse(store.NoOf8949_D); ++k) CalcForm8949BoxD(k);
    for (int k = 0; k < PagesInUse(store.NoOf8949_E); ++k) CalcForm8949BoxE(k);
    for (int k = 0; k < PagesInUse(store.NoOf8949_F); ++k) CalcForm8949BoxF(k);

    using Calculator = void (*)();
    static const Calculator beforeK1[] = {
        CalcScheduleDPage1,           // 7
        Calc28RateGainWorksheet,      // 8
        CalcUnrecaptured1250Worksheet,  // 9
        CalcScheduleDPartV,           // 10, first run: taxable income of the previous run
        CalcForm1041Income,           // 11
        CalcAllocationWorksheet,      // the deduction lines and the lines of Schedules A and B it fills
        CalcScheduleA,                // 12
        CalcForm1041Deductions,       // 13
        CalcScheduleB,                // 14
        CalcForm1041TaxableIncome,    // 15
        CalcCapitalLossLimitation,    // 16
        CalcScheduleDPartIII,         // 17
        CalcCapitalLossCarryoverWorksheet,  // 18
        CalcScheduleDPartV,           // 19, second run
        CalcScheduleIPage1,           // 20
        CalcScheduleIPartII,          // 21
        CalcScheduleIPartIII,         // 22, runs Part IV itself
        CalcScheduleIPage3,           // 23
        CalcScheduleILines26To29,     // 24
        CalcForm8960,                 // after the taxable income and line 4 of this run; Schedule G line 4 reads it
        CalcScheduleG,                // 25
        CalcOtherInformation,         // 26
        CalcForm1041T,                // 37, ahead of its row: line 24b and Form 2210 read its line 1 in this run
        CalcForm2210,                 // after Schedule G; lines 24a and 26 of page 1 read it
        CalcForm1041TaxAndPayments,   // 27
        CalcScheduleJPartI,           // 28
        CalcScheduleJPage2,           // 29
        CalcScheduleJPartII,          // 30
    };
    for (Calculator calculate : beforeK1) {
        calculate();
        if (stopped()) return false;
    }

    CalcScheduleK1Pages(0, PagesInUse(store.NoOfSchedK));  // 31

    static const Calculator afterK1[] = {
        CalcForm1041APage1,           // 32
        CalcForm1041APage2,           // 33
        CalcEstimatedTaxWorksheet,    // 34, runs the maximum capital gains rates worksheet itself
        CalcEstimatedTaxVouchers,     // 35
        CalcForm1041QFT,              // 36
        CalcForm1041V,                // 38
    };
    for (Calculator calculate : afterK1) {
        calculate();
        if (stopped()) return false;
    }
    return true;
}

// A digest of every answer, override flag and figure: two runs that leave the same digest left
// the same return.
std::uint64_t ReturnDigest(const TAnswer& store)
{
    std::uint64_t digest = 0;
    auto add = [&digest](std::uint64_t value) {
        digest ^= value + 0x9e3779b97f4a7c15ull + (digest << 6) + (digest >> 2);
    };
    const std::hash<std::string> hashText;
    for (int t = 0; t < kFormTypes; ++t)
        for (int k = 0; k <= kHighestPageIndex[static_cast<size_t>(t)]; ++k) {
            const TPage& page = store.PageAt(t, k);
            for (size_t s = 0; s < page.Strings.size(); ++s)
                add(hashText(page.Strings[s]) * 2 + (page.Objects[s].OvRide ? 1 : 0));
        }
    for (int f = 0; f < kFigureCount; ++f)
        add(std::hash<double>()(FigureOf(store, f)));
    return digest;
}

}  // namespace

bool CalculateSettled(TAnswer& store, bool ComponentTransfer, CalculateHooks* hooks, int maxRuns)
{
    MessagesOnceEach once;
    const std::uint64_t asItStood = ReturnDigest(store);
    if (!Calculate(store, ComponentTransfer, hooks))
        return false;
    std::uint64_t before = ReturnDigest(store);
    bool changed = false;
    // A first run that changed nothing found the return settled; with ComponentTransfer the page
    // stored may have changed it, so that run counts as a change.
    for (int run = 1; run < maxRuns && (before != asItStood || ComponentTransfer); ++run) {
        if (!Calculate(store, false))
            return false;
        const std::uint64_t after = ReturnDigest(store);
        if (after == before)
            break;
        before = after;
        changed = true;
    }
    if (changed && hooks)
        hooks->ShowAnswers();
    return true;
}

bool Calculate(TAnswer& store, bool ComponentTransfer, CalculateHooks* hooks)
{
    if (Answers != &store)
        return false;  // only the store of the open return is recalculated
    CalculateHooks none;
    CalculateHooks& screen = hooks ? *hooks : none;
    if (ComponentTransfer)
        screen.StoreControls();
    bool completed = false;
    try {
        screen.BeginBusy();
        store.ErrFlag = false;
        completed = RunCalculators(store);
    } catch (...) {
        ShowMessageByCode(18047);
        completed = false;
    }
    try {
        screen.EndBusy();
        if (completed)
            screen.ShowAnswers();
    } catch (...) {
        ShowMessageByCode(18047);
        completed = false;
    }
    return completed;
}

}  // namespace quorvan
