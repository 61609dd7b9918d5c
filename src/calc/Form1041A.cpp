#include "calc/Form1041A.h"

#include "calc/CalcSupport.h"

#include <cstddef>

namespace quorvan {

using namespace calc;

namespace {

constexpr int F1 = ftForm1041Page1;
constexpr int A1 = ftForm1041APage1;
constexpr int A2 = ftForm1041APage2;

// Form 1041 page 1.
enum : int {
    estateName = 11, fiduciaryName = 12, fiduciaryStreet = 13, fiduciaryAddress2 = 14,
    fiduciaryCity = 15, estateEin = 17,
};

// Page 1: identification, income and deductions, the two charitable amount schedules.
enum : int {
    aName = 1, aTrustee = 2, aAddress = 3, aCity = 4, aEin = 5, line9TotalIncome = 15,
    line16Deductions = 22, line17ScheduleTotal = 33, afterLine17Schedule = 34, addedToThat = 35,
    sumOfThose = 36, line23ScheduleTotal = 48,
};
constexpr int kIncomeLines[] = {6, 7, 8, 9, 10, 11, 12, 14};
constexpr int kLine17Schedule[] = {24, 26, 28, 30, 32};
constexpr int kLine23Schedule[] = {39, 41, 43, 45, 47};

// Page 2, Part IV balance sheet: column (a) beginning of year, (b) end of year.
enum : int {
    line27Gross = 4, line27Allowance = 5, line27End = 7, line28Gross = 8, line28Allowance = 9,
    line28End = 11, line34Gross = 22, line34Depreciation = 23, line34End = 25, line36Gross = 28,
    line36Depreciation = 29, line36End = 31, line38TotalAssetsBegin = 35, line38TotalAssetsEnd = 36,
    line42LiabilitiesBegin = 44, line42LiabilitiesEnd = 45, line45NetAssetsBegin = 50,
    line45NetAssetsEnd = 51, line46Begin = 52, line46End = 53, firstSignatureCopy = 54,
};
constexpr int kAssetsBegin[] = {0, 2, 6, 10, 12, 14, 16, 18, 20, 24, 26, 30, 33};
constexpr int kAssetsEnd[] = {1, 3, 7, 11, 13, 15, 17, 19, 21, 25, 27, 31, 34};
constexpr int kLiabilitiesBegin[] = {37, 39, 42};
constexpr int kLiabilitiesEnd[] = {38, 40, 43};
constexpr int kNetAssetsBegin[] = {46, 48};
constexpr int kNetAssetsEnd[] = {47, 49};
// Signature-area answers of Form 1041 page 1 repeated on page 2.
constexpr int kSignatureAnswers[] = {78, 80, 81, 83};

template <size_t N>
double Sum(int t, const int (&slots)[N])
{
    double total = 0;
    for (int s : slots)
        total += Amt(t, s);
    return total;
}

}  // namespace

void CalcForm1041APage1()
{
    RunCalculator(29107, [] {
        PutTextGuarded(A1, aName, Text(F1, estateName));
        PutTextGuarded(A1, aTrustee, Text(F1, fiduciaryName));
        PutTextGuarded(A1, aAddress, Text(F1, fiduciaryStreet) + "  " + Text(F1, fiduciaryAddress2));
        PutTextGuarded(A1, aCity, Text(F1, fiduciaryCity));
        PutTextGuarded(A1, aEin, Text(F1, estateEin));
        PutAlways(A1, line9TotalIncome, Sum(A1, kIncomeLines));
        PutAlways(A1, line17ScheduleTotal, Sum(A1, kLine17Schedule));
        PutAlways(A1, afterLine17Schedule, Amt(A1, line16Deductions) - Amt(A1, line17ScheduleTotal));
        PutAlways(A1, sumOfThose, Amt(A1, afterLine17Schedule) + Amt(A1, addedToThat));
        PutAlways(A1, line23ScheduleTotal, Sum(A1, kLine23Schedule));
    });
}

void CalcForm1041APage2()
{
    RunCalculator(29117, [] {
        PutGuarded(A2, line27End, Amt(A2, line27Gross) - Amt(A2, line27Allowance));
        PutGuarded(A2, line28End, Amt(A2, line28Gross) - Amt(A2, line28Allowance));
        PutGuarded(A2, line34End, Amt(A2, line34Gross) - Amt(A2, line34Depreciation));
        PutGuarded(A2, line36End, Amt(A2, line36Gross) - Amt(A2, line36Depreciation));
        PutAlways(A2, line38TotalAssetsBegin, Sum(A2, kAssetsBegin));
        PutAlways(A2, line38TotalAssetsEnd, Sum(A2, kAssetsEnd));
        PutAlways(A2, line42LiabilitiesBegin, Sum(A2, kLiabilitiesBegin));
        PutAlways(A2, line42LiabilitiesEnd, Sum(A2, kLiabilitiesEnd));
        PutAlways(A2, line45NetAssetsBegin, Sum(A2, kNetAssetsBegin));
        PutAlways(A2, line45NetAssetsEnd, Sum(A2, kNetAssetsEnd));
        PutAlways(A2, line46Begin, Amt(A2, line42LiabilitiesBegin) + Amt(A2, line45NetAssetsBegin));
        PutAlways(A2, line46End, Amt(A2, line42LiabilitiesEnd) + Amt(A2, line45NetAssetsEnd));
        int slot = firstSignatureCopy;
        for (int answer : kSignatureAnswers)
            PutTextGuarded(A2, slot++, Text(F1, answer));
    });
}

}  // namespace quorvan
