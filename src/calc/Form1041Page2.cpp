#include "calc/Form1041Page2.h"

#include "calc/CalcSupport.h"
#include "calc/CapitalGainWorksheets.h"
#include "calc/RateSchedules.h"

#include <cmath>
#include <string>

namespace quorvan {

using namespace calc;

namespace {

constexpr int F1 = ftForm1041Page1;
constexpr int F2 = ftForm1041Page2;

// Slots of Form 1041 page 2.
enum : int {
    aLine1Paid = 0, aLine2TaxExempt = 1, aLine3 = 2, aLine4CapitalGains = 3, aLine5 = 4,
    aLine6Section1202 = 5, aLine7Charitable = 6,
    bLine1AdjustedTotal = 7, bLine2TaxExemptInterest = 8, bLine3NetGain = 9,
    bLine4ScheduleA = 10, bLine5CapitalGainsOnA = 11, bLine6LineFour = 12, bLine7Dni = 13,
    bLine8AccountingIncome = 14, bLine9Required = 15, bLine10Other = 16, bLine11Total = 17,
    bLine12TaxExempt = 18, bLine13 = 19, bLine14 = 20, bLine15Deduction = 21,
    gLine1aTax = 24, gLine1bLumpSum = 25, gLine1cAmt = 26, gLine1dTotal = 27,
    gLine2aForeign = 28, gLine2bBusiness = 31, gLine2cPriorMinimum = 35, gLine2dBond = 36,
    gLine2eCredits = 37, gLine3 = 38, gLine4NetInvestment = 61, gLine5Recapture = 41,
    gLine6Household = 42, gLine7TotalTax = 43,
    other1Yes = 44, other1No = 45, other1Amount = 46,
};

// Page 1 slots read here.
enum : int {
    boxComplexTrust = 4, boxBankruptcyCh7 = 8, boxBankruptcyCh11 = 9,
    line2bQualifiedDividends = 33, line4CapitalGain = 35, line17Adjusted = 51, line22Taxable = 56,
};

// Schedule D line 19 columns (1) and (3) and line 45; Schedule I line 56; the Schedule D Tax
// Worksheet's result.
constexpr int dLine19Beneficiaries = 12;
constexpr int dLine19Total = 14;
constexpr int dLine45Tax = 40;
constexpr int iLine56Amt = 11;
constexpr int taxWorksheetResult = 44;

double NotBelowZero(double amount)
{
    return amount < 0 ? 0 : amount;
}

bool BankruptcyEstate()
{
    return Ticked(F1, boxBankruptcyCh7) || Ticked(F1, boxBankruptcyCh11);
}

// Line 1a from the rate schedule.
double TaxFromSchedule()
{
    const long long taxable = Float2Int(Amt(F1, line22Taxable));
    return BankruptcyEstate() ? GetBankruptcyTax(taxable) : GetTax(taxable);
}

// Line 1a, not overridden: taken from where Schedule D Part V found the tax, or figured here.
void ScheduleGLine1a()
{
    const double netGain = Cents(ftScheduleDPage2, dLine19Total);
    const double taxable = Cents(F1, line22Taxable);
    const double qualifiedDividends = Cents(F1, line2bQualifiedDividends);
    if ((netGain > 0 && taxable > 0) || (qualifiedDividends > 0 && taxable > 0)) {
        if (PartVInUse()) {
            PutTextAlways(F2, gLine1aTax, Text(ftScheduleDPage2, dLine45Tax));
            return;
        }
        if (ScheduleDTaxWorksheetInUse()) {
            PutTextAlways(F2, gLine1aTax, Text(ftScheduleDTaxWorksheet, taxWorksheetResult));
            return;
        }
    }
    // The Qualified Dividends Tax Worksheet has written line 1a itself.
    if (QualifiedDividendsWorksheetInUse())
        return;
    PutAlways(F2, gLine1aTax, TaxFromSchedule());
}

}  // namespace

void CalcScheduleA()
{
    RunCalculator(29027, [] {
        PutAlways(F2, aLine3, Amt(F2, aLine1Paid) - Amt(F2, aLine2TaxExempt));
        PutAlways(F2, aLine5, Amt(F2, aLine3) + Amt(F2, aLine4CapitalGains));
        PutAlways(F2, aLine7Charitable, NotBelowZero(Amt(F2, aLine5) - Amt(F2, aLine6Section1202)));
    });
}

void CalcScheduleB()
{
    RunCalculator(29557, [] {
        // Line 4 of page 1 is that of the previous run: the capital loss limitation runs later.
        const double lineFour = Amt(F1, line4CapitalGain);
        const double lineSeventeen = Amt(F1, line17Adjusted);
        if (lineFour < 0 && lineSeventeen < 0)
            PutGuarded(F2, bLine1AdjustedTotal, Max(lineFour, lineSeventeen));
        else if (lineSeventeen < 0)
            PutTextGuarded(F2, bLine1AdjustedTotal, std::string());
        else
            PutTextGuarded(F2, bLine1AdjustedTotal, Text(F1, line17Adjusted));
        PutGuarded(F2, bLine3NetGain, NotBelowZero(Amt(ftScheduleDPage2, dLine19Beneficiaries)));
        PutGuarded(F2, bLine4ScheduleA, Amt(F2, aLine4CapitalGains) - Amt(F2, aLine6Section1202));
        PutGuarded(F2, bLine6LineFour, -lineFour);
        PutAlways(F2, bLine7Dni,
                  NotBelowZero(Amt(F2, bLine1AdjustedTotal) + Amt(F2, bLine2TaxExemptInterest) +
                               Amt(F2, bLine3NetGain) + Amt(F2, bLine4ScheduleA) +
                               Amt(F2, bLine5CapitalGainsOnA) + Amt(F2, bLine6LineFour)));
        if (Ticked(F1, boxComplexTrust))
            PutGuarded(F2, bLine8AccountingIncome, Amt(F2, bLine1AdjustedTotal) + Amt(F2, bLine2TaxExemptInterest));
        else
            PutTextGuarded(F2, bLine8AccountingIncome, std::string());
        PutGuarded(F2, bLine11Total, Amt(F2, bLine9Required) + Amt(F2, bLine10Other));
        PutAlways(F2, bLine13, Amt(F2, bLine11Total) - Amt(F2, bLine12TaxExempt));
        PutAlways(F2, bLine14, NotBelowZero(Amt(F2, bLine7Dni) - Amt(F2, bLine2TaxExemptInterest)));
        PutAlways(F2, bLine15Deduction, Min(Amt(F2, bLine13), Amt(F2, bLine14)));
    });
}

void CalcScheduleG()
{
    RunCalculator(29567, [] {
        if (!Overridden(F2, gLine1aTax))
            ScheduleGLine1a();
        PutTextGuarded(F2, gLine1cAmt, Text(ftScheduleIPage2, iLine56Amt));
        PutAlways(F2, gLine1dTotal, Amt(F2, gLine1aTax) + Amt(F2, gLine1bLumpSum) + Amt(F2, gLine1cAmt));
        PutAlways(F2, gLine2eCredits,
                  Amt(F2, gLine2aForeign) + Amt(F2, gLine2bBusiness) + Amt(F2, gLine2cPriorMinimum) +
                      Amt(F2, gLine2dBond));
        PutGuarded(F2, gLine3, NotBelowZero(Amt(F2, gLine1dTotal) - Amt(F2, gLine2eCredits)));
    });
}

void CalcOtherInformation()
{
    RunCalculator(29577, [] {
        PutAlways(F2, gLine7TotalTax,
                  Amt(F2, gLine3) + Amt(F2, gLine4NetInvestment) + Amt(F2, gLine5Recapture) +
                      Amt(F2, gLine6Household));
        const bool taxExemptIncome = Amt(F2, aLine2TaxExempt) > 0 || Amt(F2, bLine2TaxExemptInterest) > 0;
        PutTextGuarded(F2, other1Yes, taxExemptIncome ? "X" : "");
        PutTextGuarded(F2, other1No, Ticked(F2, other1Yes) ? "" : "X");
        PutTextGuarded(F2, other1Amount, Text(F2, bLine2TaxExemptInterest));
    });
}

}  // namespace quorvan
