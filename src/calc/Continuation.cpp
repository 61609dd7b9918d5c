#include "calc/Continuation.h"

#include "calc/CalcSupport.h"

#include <string>

namespace quorvan {

using namespace calc;

namespace {

// Slots of a continuation page.
enum : int {
    slotName = 0, slotIdentification = 1, slotPageNumber = 2, slotPageCount = 3,
    firstAmount = 5, lastAmount = 85, slotTotal = 86,
};

constexpr int F1 = ftForm1041Page1;
constexpr int nameOfTrust = 11;
constexpr int employerIdentification = 17;

// Stamps page k of form type t with the return's name and the page numbering, and totals its
// 41 amounts, each rounded to whole dollars before it is added.
void CalcContinuationPage(int t, int k, unsigned messageCode)
{
    RunCalculator(messageCode, [t, k] {
        PutTextGuarded(t, k, slotName, Text(F1, nameOfTrust));
        PutTextGuarded(t, k, slotIdentification, Text(F1, employerIdentification));
        PutTextGuarded(t, k, slotPageNumber, std::to_string(k + 1));
        PutTextGuarded(t, k, slotPageCount, std::to_string(*Store().CountField(t)));
        double total = 0;
        for (int s = firstAmount; s <= lastAmount; s += 2)
            total += Amt(t, k, s);
        PutAlways(t, k, slotTotal, total);
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
