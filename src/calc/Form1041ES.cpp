#include "calc/Form1041ES.h"

#include "calc/CalcSupport.h"
#include "calc/RateSchedules.h"
#include "calc/TaxYear.h"

#include <cmath>

namespace quorvan {

using namespace calc;

namespace {

constexpr int F1 = ftForm1041Page1;
constexpr int ES = ftEstimatedWorksheet;
constexpr int MW = ftMaxCapGainsWorksheet;
constexpr int VO = ftEstimatedVouchers;

// Form 1041 page 1.
enum : int {
    yearEnds = 1, estateName = 11, fiduciaryName = 12, fiduciaryStreet = 13, fiduciaryAddress2 = 14,
    fiduciaryCity = 15, estateEin = 17, line2b2QualifiedToEstate = 33, line17Adjusted = 51,
    line20Exemption = 54, line23TotalTax = 57,
};

// Estimated Tax Worksheet (slot = worksheet line − 1 up to line 13).
enum : int {
    esLine1AdjustedIncome = 0, esLine2 = 1, esLine3 = 2, esLine4Exemption = 3, esLine5Deductions = 4,
    esLine6Taxable = 5, esLine7Tax = 6, esLine8 = 7, esLine9 = 8, esLine10Credits = 9, esLine11 = 10,
    esLine12 = 11, esLine13Tentative = 12, esLine14a = 13, esLine14bCurrentTax = 14,
    esLine14cRequired = 15, esLine15Withheld = 16, esLine16 = 17, esLine17Installment = 18,
};

// No installments are due when the tax less withholding is below this.
constexpr double kMinimumEstimatedTax = 1000;
constexpr double kRequiredPaymentRate = 0.9;
constexpr double kInstallmentShare = 0.25;

constexpr int kVouchers = 4;
constexpr int kVoucherFields = 7;
enum : int {
    voucherAmount = 0, voucherYearEnds = 1, voucherEin = 2, voucherName = 3, voucherFiduciary = 4,
    voucherAddress = 5, voucherCity = 6,
};

// Maximum capital gains rates worksheet: line n is slot n.
double Line(int n) { return Amt(MW, n); }
void SetLine(int n, double amount) { PutAlways(MW, n, amount); }
void ClearLines(int first, int last)
{
    for (int n = first; n <= last; ++n)
        PutTextAlways(MW, n, std::string());
}
double Floor0(double amount) { return amount < 0 ? 0 : amount; }

// The worksheet taxes at the lower rates when gains or qualified dividends are expected:
// its own line 2, or what the previous run left on lines 13 and 23, or this year's qualified
// dividends. Without taxable income it has nothing to do.
bool MaxCapGainsWorksheetApplies()
{
    const bool taxable = Amt(ES, esLine6Taxable) > 0;
    const bool expectedGains = Line(2) > 0;
    const bool lowerRatesLastRun = Line(13) > 0 || Amt(F1, line2b2QualifiedToEstate) > 0;
    return (taxable && (lowerRatesLastRun || expectedGains)) || Line(23) > 0;
}

void WorksheetBody()
{
    PutTextGuarded(ES, esLine1AdjustedIncome, Text(F1, line17Adjusted));
    PutTextGuarded(ES, esLine4Exemption, Text(F1, line20Exemption));
    PutAlways(ES, esLine5Deductions, Amt(ES, esLine2) + Amt(ES, esLine3) + Amt(ES, esLine4Exemption));
    PutAlways(ES, esLine6Taxable, Amt(ES, esLine1AdjustedIncome) - Amt(ES, esLine5Deductions));

    // Line 7: the lower-rate tax when the capital gains worksheet has one, else the schedule.
    if (MaxCapGainsWorksheetApplies())
        CalcMaxCapGainsRatesWorksheet();
    else
        PutTextAlways(MW, 40, std::string());
    if (Line(40) > 0)
        PutTextAlways(ES, esLine7Tax, Text(MW, 40));
    else
        PutAlways(ES, esLine7Tax, GetEstimatedTax(Float2Int(Amt(ES, esLine6Taxable))));

    PutAlways(ES, esLine9, Amt(ES, esLine7Tax) + Amt(ES, esLine8));
    PutAlways(ES, esLine11, Floor0(Amt(ES, esLine9) - Amt(ES, esLine10Credits)));
    PutGuarded(ES, esLine13Tentative, Amt(ES, esLine11) + Amt(ES, esLine12));
    PutGuarded(ES, esLine14a, Amt(ES, esLine13Tentative) * kRequiredPaymentRate);
    PutTextGuarded(ES, esLine14bCurrentTax, Text(F1, line23TotalTax));
    PutAlways(ES, esLine14cRequired, Min(Amt(ES, esLine14a), Amt(ES, esLine14bCurrentTax)));
    PutAlways(ES, esLine16, Amt(ES, esLine14cRequired) - Amt(ES, esLine15Withheld));
    if (!Overridden(ES, esLine17Installment)) {
        if (Amt(ES, esLine13Tentative) - Amt(ES, esLine15Withheld) >= kMinimumEstimatedTax)
            PutAlways(ES, esLine17Installment, Amt(ES, esLine16) * kInstallmentShare);
        else
            PutTextAlways(ES, esLine17Installment, std::string());
    }
}

void MaxCapGainsBody()
{
    using taxyear::kFifteenRateCeiling2017;
    using taxyear::kZeroRateCeiling2017;

    // Line 1 is the worksheet's taxable income; lines 2 to 5 are the preparer's expectations.
    PutTextAlways(MW, 1, Text(ES, esLine6Taxable));
    SetLine(6, Floor0(Line(2) - Line(5)));
    SetLine(7, Floor0(Line(1) - Line(6)));
    SetLine(8, Min(Line(1), kZeroRateCeiling2017));
    SetLine(9, Min(Line(7), Line(8)));
    SetLine(10, Floor0(Line(1) - Line(2)));
    SetLine(11, Max(Line(9), Line(10)));
    if (!Overridden(MW, 12))
        SetLine(12, GetEstimatedTax(Str2Int(Text(MW, 11))));

    // Lines 13 to 15: what is left of the 0% bracket above the ordinary income.
    if (Line(8) != Line(9)) {
        SetLine(13, Line(8));
        SetLine(14, Line(7));
        SetLine(15, Floor0(Line(13) - Line(14)));
    } else {
        ClearLines(13, 15);
    }

    if (Line(1) == Line(8)) {
        ClearLines(16, 37);
    } else {
        // Lines 16 to 27: the 15% and 20% layers.
        SetLine(16, Min(Line(1), Line(6)));
        SetLine(17, Line(15));
        SetLine(18, Line(16) - Line(17));
        SetLine(19, Min(Line(1), kFifteenRateCeiling2017));
        SetLine(20, Line(11) + Line(15));
        SetLine(21, Floor0(Line(19) - Line(20)));
        SetLine(22, Min(Line(18), Line(21)));
        SetLine(23, Line(22) * taxyear::kCapitalGainRate15);
        SetLine(24, Line(16));
        SetLine(25, Line(15) + Line(22));
        SetLine(26, Floor0(Line(24) - Line(25)));
        SetLine(27, Line(26) * taxyear::kCapitalGainRate20);

        // Lines 28 to 33: unrecaptured section 1250 gain at 25%.
        if (Line(5) == 0) {
            ClearLines(28, 37);
        } else {
            SetLine(28, Min(Line(2), Line(4)));
            SetLine(29, Line(2) + Line(11));
            SetLine(30, Line(1));
            SetLine(31, Floor0(Line(29) - Line(30)));
            SetLine(32, Floor0(Line(28) - Line(31)));
            SetLine(33, Line(32) * taxyear::kUnrecaptured1250Rate);
            // Lines 34 to 37: 28% rate gain.
            if (Line(3) == 0) {
                ClearLines(34, 37);
            } else {
                SetLine(34, Line(1));
                SetLine(35, Line(11) + Line(15) + Line(22) + Line(26) + Line(32));
                SetLine(36, Line(34) - Line(35));
                SetLine(37, Line(36) * taxyear::kRate28Gain);
            }
        }
    }

    SetLine(38, Line(12) + Line(23) + Line(27) + Line(33) + Line(37));
    SetLine(39, GetEstimatedTax(Str2Int(Text(MW, 1))));
    SetLine(40, Min(Line(38), Line(39)));
}

}  // namespace

void CalcEstimatedTaxWorksheet()
{
    RunCalculator(29127, WorksheetBody);
}

void CalcMaxCapGainsRatesWorksheet()
{
    RunCalculator(29127, MaxCapGainsBody);
}

void CalcEstimatedTaxVouchers()
{
    RunCalculator(29137, [] {
        const std::string address = Text(F1, fiduciaryStreet) + "  " + Text(F1, fiduciaryAddress2);
        for (int v = 0; v < kVouchers; ++v) {
            const int first = kVoucherFields * v;
            PutTextGuarded(VO, first + voucherAmount, Text(ES, esLine17Installment));
            PutTextGuarded(VO, first + voucherYearEnds, Text(F1, yearEnds));
            PutTextGuarded(VO, first + voucherEin, Text(F1, estateEin));
            PutTextGuarded(VO, first + voucherName, Text(F1, estateName));
            PutTextGuarded(VO, first + voucherFiduciary, Text(F1, fiduciaryName));
            PutTextGuarded(VO, first + voucherAddress, address);
            PutTextGuarded(VO, first + voucherCity, Text(F1, fiduciaryCity));
        }
    });
}

}  // namespace quorvan
