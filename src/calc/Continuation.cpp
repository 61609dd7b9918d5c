#include "calc/Continuation.h"

#include "calc/CalcSupport.h"
#include "slot/Dividend.h"
#include "slot/Form1041Page1.h"
#include "slot/Interest.h"
#include "slot/Other2.h"
#include "slot/OtherDeductions.h"

#include <string>

namespace quorvan {

using namespace calc;

namespace {

namespace f1 = slot::form1041Page1;

// The four continuation schedules share one page: the interest schedule's names stand for all.
namespace page = slot::interest;

constexpr bool SameAsInterest(SlotRef name, SlotRef identification, SlotRef pageNumber, SlotRef pageCount,
                              SlotRef total, int first, int stride, int rows, int amount)
{
    return name.slot == page::nameOfEstateOrTrust.slot &&
           identification.slot == page::employerIdentificationNumber.slot &&
           pageNumber.slot == page::pageNumber.slot && pageCount.slot == page::pageCount.slot &&
           total.slot == page::total.slot && first == page::entries::kFirst && stride == page::entries::kStride &&
           rows == page::entries::kRows && amount == page::entries::amount;
}
#define QUORVAN_SAME_AS_INTEREST(p)                                                                           \
    static_assert(SameAsInterest(p::nameOfEstateOrTrust, p::employerIdentificationNumber, p::pageNumber,      \
                                 p::pageCount, p::total, p::entries::kFirst, p::entries::kStride,             \
                                 p::entries::kRows, p::entries::amount),                                      \
                  #p " keeps the slots of the interest schedule")
QUORVAN_SAME_AS_INTEREST(slot::dividend);
QUORVAN_SAME_AS_INTEREST(slot::otherDeductions);
QUORVAN_SAME_AS_INTEREST(slot::other2);
#undef QUORVAN_SAME_AS_INTEREST

// Stamps page k of form type t with the return's name and the page numbering, and totals its
// 41 amounts, each rounded to whole dollars before it is added.
void CalcContinuationPage(int t, int k, unsigned messageCode)
{
    RunCalculator(messageCode, [t, k] {
        PutTextGuarded(t, k, page::nameOfEstateOrTrust.slot, Text(f1::nameOfEstateOrTrust));
        PutTextGuarded(t, k, page::employerIdentificationNumber.slot, Text(f1::itemCEin));
        PutTextGuarded(t, k, page::pageNumber.slot, std::to_string(k + 1));
        PutTextGuarded(t, k, page::pageCount.slot, std::to_string(*Store().CountField(t)));
        double total = 0;
        for (int row = 0; row < page::entries::kRows; ++row)
            total += Amt(t, k, page::entries::Slot(row, page::entries::amount).slot);
        PutAlways(t, k, page::total.slot, total);
    });
}

}  // namespace

void CalcInterestSchedule(int k)
{
    CalcContinuationPage(ftInterest, k, 29187);
}

void CalcDividendSchedule(int k)
{
    CalcContinuationPage(ftDividend, k, 29197);
    // The qualified part of the page's dividends: empty while no row has one, so that a return
    // whose split of line 2b is typed keeps it.
    RunCalculator(29197, [k] {
        namespace dividend = slot::dividend;
        bool listed = false;
        double total = 0;
        for (int row = 0; row < dividend::entries::kRows; ++row) {
            const SlotRef qualified = dividend::entries::Slot(row, dividend::entries::qualified);
            listed = listed || !Text(qualified, k).empty();
            total += Amt(qualified, k);
        }
        if (listed)
            PutAlways(dividend::qualifiedTotal, k, total);
        else
            PutTextAlways(dividend::qualifiedTotal, k, std::string());
    });
}

void CalcOtherDeductionsSchedule(int k)
{
    CalcContinuationPage(ftOtherDeductions, k, 29207);
}

void CalcOther2Schedule(int k)
{
    CalcContinuationPage(ftOther2, k, 29267);
}

}  // namespace quorvan
