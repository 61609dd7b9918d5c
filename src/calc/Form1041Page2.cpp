#include "calc/Form1041Page2.h"

#include "calc/AllocationWorksheet.h"
#include "calc/CalcSupport.h"
#include "calc/CapitalGainWorksheets.h"
#include "calc/RateSchedules.h"
#include "slot/AllocationWorksheet.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/Form8960.h"
#include "slot/ScheduleDPage2.h"
#include "slot/ScheduleDTaxWorksheet.h"
#include "slot/ScheduleIPage2.h"

#include <cmath>
#include <string>

namespace quorvan {

using namespace calc;
using namespace slot::form1041Page2;

namespace {

double NotBelowZero(double amount)
{
    return amount < 0 ? 0 : amount;
}

bool BankruptcyEstate()
{
    return Ticked(slot::form1041Page1::itemABankruptcyEstateCh7) ||
           Ticked(slot::form1041Page1::itemABankruptcyEstateCh11);
}

// Line 1a from the rate schedule.
double TaxFromSchedule()
{
    const long long taxable = Float2Int(Amt(slot::form1041Page1::line22Taxable));
    return BankruptcyEstate() ? GetBankruptcyTax(taxable) : GetTax(taxable);
}

// Line 1a, not overridden: taken from where Schedule D Part V found the tax, or figured here.
void ScheduleGLine1a()
{
    const double netGain = Cents(slot::scheduleDPage2::line19Total);
    const double taxable = Cents(slot::form1041Page1::line22Taxable);
    const double qualifiedDividends = Cents(slot::form1041Page1::line2b2QualifiedToEstate);
    if ((netGain > 0 && taxable > 0) || (qualifiedDividends > 0 && taxable > 0)) {
        if (PartVInUse()) {
            PutTextAlways(scheduleGLine1aTax, Text(slot::scheduleDPage2::line45));
            return;
        }
        if (ScheduleDTaxWorksheetInUse()) {
            PutTextAlways(scheduleGLine1aTax, Text(slot::scheduleDTaxWorksheet::line43));
            return;
        }
    }
    // The Qualified Dividends Tax Worksheet has written line 1a itself.
    if (QualifiedDividendsWorksheetInUse())
        return;
    PutAlways(scheduleGLine1aTax, TaxFromSchedule());
}

}  // namespace

void CalcScheduleA()
{
    RunCalculator(29027, [] {
        PutAlways(scheduleALine3, Amt(scheduleALine1Paid) - Amt(scheduleALine2TaxExempt));
        PutAlways(scheduleALine5, Amt(scheduleALine3) + Amt(scheduleALine4CapitalGains));
        PutAlways(scheduleALine7Charitable, NotBelowZero(Amt(scheduleALine5) - Amt(scheduleALine6Section1202)));
    });
}

void CalcScheduleB()
{
    RunCalculator(29557, [] {
        // Line 4 of page 1 is that of the previous run: the capital loss limitation runs later.
        const double lineFour = Amt(slot::form1041Page1::line4CapitalGain);
        const double lineSeventeen = Amt(slot::form1041Page1::line17Adjusted);
        if (lineFour < 0 && lineSeventeen < 0)
            PutGuarded(scheduleBLine1AdjustedTotal, Max(lineFour, lineSeventeen));
        else if (lineSeventeen < 0)
            PutTextGuarded(scheduleBLine1AdjustedTotal, std::string());
        else
            PutTextGuarded(scheduleBLine1AdjustedTotal, Text(slot::form1041Page1::line17Adjusted));
        PutGuarded(scheduleBLine3NetGain, NotBelowZero(Amt(slot::scheduleDPage2::line19Beneficiaries)));
        PutGuarded(scheduleBLine4ScheduleA, Amt(scheduleALine4CapitalGains) - Amt(scheduleALine6Section1202));
        PutGuarded(scheduleBLine6LineFour, -lineFour);
        PutAlways(scheduleBLine7Dni,
                  NotBelowZero(Amt(scheduleBLine1AdjustedTotal) + Amt(scheduleBLine2TaxExemptInterest) +
                               Amt(scheduleBLine3NetGain) + Amt(scheduleBLine4ScheduleA) +
                               Amt(scheduleBLine5CapitalGainsOnA) + Amt(scheduleBLine6LineFour)));
        // Accounting income is what the instrument calls income; while the allocation worksheet
        // is empty the program keeps its old figure of lines 1 and 2.
        if (Ticked(slot::form1041Page1::itemAComplexTrust))
            PutGuarded(scheduleBLine8AccountingIncome,
                       ClassAllocationInUse() ? Amt(slot::allocationWorksheet::accountingIncome)
                                              : Amt(scheduleBLine1AdjustedTotal) + Amt(scheduleBLine2TaxExemptInterest));
        else
            PutTextGuarded(scheduleBLine8AccountingIncome, std::string());
        PutGuarded(scheduleBLine11Total, Amt(scheduleBLine9Required) + Amt(scheduleBLine10Other));
        PutAlways(scheduleBLine13, Amt(scheduleBLine11Total) - Amt(scheduleBLine12TaxExempt));
        PutAlways(scheduleBLine14, NotBelowZero(Amt(scheduleBLine7Dni) - Amt(scheduleBLine2TaxExemptInterest)));
        PutAlways(scheduleBLine15Deduction, Min(Amt(scheduleBLine13), Amt(scheduleBLine14)));
    });
}

void CalcScheduleG()
{
    RunCalculator(29567, [] {
        if (!Overridden(scheduleGLine1aTax))
            ScheduleGLine1a();
        PutTextGuarded(scheduleGLine1cAmt, Text(slot::scheduleIPage2::line56));
        PutAlways(scheduleGLine1dTotal,
                  Amt(scheduleGLine1aTax) + Amt(scheduleGLine1bLumpSum) + Amt(scheduleGLine1cAmt));
        PutAlways(scheduleGLine2eCredits,
                  Amt(scheduleGLine2aForeign) + Amt(scheduleGLine2bBusiness) + Amt(scheduleGLine2cPriorMinimum) +
                      Amt(scheduleGLine2dBond));
        PutGuarded(scheduleGLine3, NotBelowZero(Amt(scheduleGLine1dTotal) - Amt(scheduleGLine2eCredits)));
        PutTextGuarded(scheduleGLine4NetInvestment, Text(slot::form8960::line21NetInvestmentIncomeTax));
    });
}

void CalcOtherInformation()
{
    RunCalculator(29577, [] {
        PutAlways(scheduleGLine7TotalTax,
                  Amt(scheduleGLine3) + Amt(scheduleGLine4NetInvestment) + Amt(scheduleGLine5Recapture) +
                      Amt(scheduleGLine6Household));
        // The question asks for the tax-exempt interest received; a return without the allocation
        // worksheet's figure keeps Schedule B line 2 here as it always has.
        const SlotRef received = slot::allocationWorksheet::taxExemptInterestReceived;
        const bool receivedTyped = Text(received).find_first_not_of(' ') != std::string::npos;
        const bool taxExemptIncome = Amt(scheduleALine2TaxExempt) > 0 || Amt(scheduleBLine2TaxExemptInterest) > 0 ||
                                     (receivedTyped && Amt(received) > 0);
        PutTextGuarded(otherInformationLine1Yes, taxExemptIncome ? "X" : "");
        PutTextGuarded(otherInformationLine1No, Ticked(otherInformationLine1Yes) ? "" : "X");
        PutTextGuarded(otherInformationLine1Amount, receivedTyped ? Text(received) : Text(scheduleBLine2TaxExemptInterest));
    });
}

}  // namespace quorvan
