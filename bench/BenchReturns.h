#pragma once
// Returns the benchmarks measure: a heavily filled return with every continuation page,
// Form 8949 page and K-1 page in use, each filled as a preparer would.

#include "messages/Messages.h"
#include "slot/AllocationWorksheet.h"
#include "slot/ScheduleK1.h"
#include "store/Answers.h"

#include <string>

namespace quorvan::bench {

// Messages raised while measuring are dropped.
class QuietMessages {
public:
    QuietMessages() : previous_(SetMessagePresenter([](const TMessage&) {})) {}
    ~QuietMessages() { SetMessagePresenter(std::move(previous_)); }

private:
    MessagePresenter previous_;
};

inline void FillHeavyReturn(TAnswer& store)
{
    store.SetText(1, 0, 4, "X");
    store.SetText(1, 0, 11, "Heavy Family Trust");
    store.SetText(1, 0, 32, "1,200");
    store.SetText(1, 0, 33, "3,400");
    store.SetText(1, 0, 36, "12,000");
    store.SetText(1, 0, 45, "2,500");
    store.SetText(1, 0, 47, "1,800");
    store.SetText(1, 0, 58, "6,000");
    for (int t = 0; t < kFormTypes; ++t)
        if (int* count = store.CountField(t))
            *count = kMaxPages;
    for (int k = 0; k < kMaxPages; ++k) {
        for (int t : {ftInterest, ftDividend, ftOtherDeductions, ftOther2})
            for (int line = 0; line < 41; ++line) {
                store.SetText(t, k, 4 + line * 2, "Payer " + std::to_string(line));
                store.SetText(t, k, 5 + line * 2, std::to_string(100 + line * 13));
            }
        for (int t = ftForm8949A; t <= ftForm8949F; ++t)
            for (int row = 0; row < 16; ++row) {
                const int base = 8 * row + 5;  // column (a) of the row
                store.SetText(t, k, base, "100 sh. Stock " + std::to_string(row));
                store.SetText(t, k, base + 1, "01/15/2015");
                store.SetText(t, k, base + 2, "06/30/2016");
                store.SetText(t, k, base + 3, std::to_string(5000 + row * 101));
                store.SetText(t, k, base + 4, std::to_string(4000 + row * 77));
            }
        store.BeneficiaryInterest[k] = 0.05;
        store.SetText(ftScheduleK1, k, 1, "Beneficiary " + std::to_string(k));
        // Every K-1 in the tier system: a first-tier and a second-tier amount.
        store.SetText(ftScheduleK1, k, slot::scheduleK1::incomeRequiredToBeDistributed.slot, "1,000");
        store.SetText(ftScheduleK1, k, slot::scheduleK1::otherAmountsDistributed.slot, "500");
    }
    // The allocation worksheet: tax-exempt interest, the fees paid with an election, rents' receipts.
    namespace aw = slot::allocationWorksheet;
    store.SetText(ftAllocationWorksheet, 0, aw::taxExemptInterestReceived.slot, "4,000");
    store.SetText(ftAllocationWorksheet, 0, aw::rentsGrossReceipts.slot, "15,000");
    store.SetText(ftAllocationWorksheet, 0, aw::line12Paid.slot, "2,500");
    store.SetText(ftAllocationWorksheet, 0, aw::line12ElectedClass.slot, "5");
    store.SetText(ftAllocationWorksheet, 0, aw::line14Paid.slot, "1,800");
    store.SetText(ftAllocationWorksheet, 0, aw::line14ChargedToIncome.slot, "900");
}

}  // namespace quorvan::bench
