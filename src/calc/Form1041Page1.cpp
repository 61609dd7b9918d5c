#include "calc/Form1041Page1.h"

#include "calc/AllocationWorksheet.h"
#include "calc/CalcSupport.h"
#include "calc/TaxYear.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/Dividend.h"
#include "slot/Form1041T.h"

#include <algorithm>
#include <cmath>

namespace quorvan {

using namespace calc;
using namespace slot::form1041Page1;

namespace {

double Exemption(double modifiedAdjustedTotalIncome)
{
    double exemption = taxyear::kExemptionDefault;
    if (Ticked(itemADecedentsEstate))
        exemption = taxyear::kExemptionDecedentsEstate;
    if (Ticked(itemASimpleTrust))
        exemption = taxyear::kExemptionSimpleTrust;
    if (Ticked(itemAQualifiedDisabilityTrust)) {
        exemption = taxyear::kExemptionDisabilityTrust;
        if (modifiedAdjustedTotalIncome > taxyear::kDisabilityPhaseOutStart)
            exemption = DisabilityTrustExemption(modifiedAdjustedTotalIncome);
    }
    if (Ticked(itemABankruptcyEstateCh7) || Ticked(itemABankruptcyEstateCh11))
        exemption = taxyear::kExemptionBankruptcyEstate;
    return exemption;
}

// Line 2b: the qualified dividends the dividend pages list (Form 1099-DIV box 1b), split between
// the beneficiaries and the estate or trust in the proportion of line 18 to distributable net
// income (Schedule B line 7). 6,000 qualified with line 18 at 9,000 of a DNI of 12,000 give
// 2b(1) 4,500 and 2b(2) 1,500. Nothing is written while no page lists a qualified amount: the
// split is then the preparer's, as typed. An estate tax deduction on qualified dividends of
// income in respect of a decedent, which reduces 2b(2), is left to an override.
void SplitQualifiedDividends()
{
    namespace dividend = slot::dividend;
    bool listed = false;
    double qualified = 0;
    for (int k = 0; k < std::clamp(Store().NoOfDividend, 0, kMaxPages); ++k) {
        listed = listed || !Text(dividend::qualifiedTotal, k).empty();
        qualified += Amt(dividend::qualifiedTotal, k);
    }
    if (!listed)
        return;
    const double dni = Amt(slot::form1041Page2::scheduleBLine7Dni);
    const double share = dni > 0 ? std::clamp(Amt(line18Distribution) / dni, 0.0, 1.0) : 0.0;
    PutGuarded(line2b1QualifiedToBeneficiaries, qualified * share);
    PutGuarded(line2b2QualifiedToEstate, Max(0, qualified - Amt(line2b1QualifiedToBeneficiaries)));
}

}  // namespace

double AdjustedGrossIncomeBeforeExemption()
{
    return Amt(line9TotalIncome) - Amt(line12FiduciaryFees) - Amt(line14ProfessionalFees) - Amt(line15aOther) -
           Amt(line15bNol) - Amt(line18Distribution);
}

double DisabilityTrustExemption(double modifiedAdjustedTotalIncome)
{
    // Each started 2,500 of excess costs 2%: an excess of 2,501 is two steps, 3,888.
    const double excess = modifiedAdjustedTotalIncome - taxyear::kDisabilityPhaseOutStart;
    if (excess > taxyear::kDisabilityPhaseOutRange)
        return 0;
    double steps = excess / taxyear::kDisabilityPhaseOutStep;
    if (std::fmod(std::trunc(excess), taxyear::kDisabilityPhaseOutStep) != 0)
        steps += 1;
    steps = std::trunc(steps);
    return taxyear::kExemptionDisabilityTrust -
           taxyear::kExemptionDisabilityTrust * (taxyear::kDisabilityPhaseOutRatePerStep * steps);
}

void CalcForm1041Identification()
{
    RunCalculator(29017, [] { PutTextGuarded(itemBSchedulesK1, std::to_string(Store().NoOfSchedK)); });
}

void CalcForm1041Income()
{
    RunCalculator(29517, [] {
        PutGuarded(line1Interest, Store().InterestTotal);
        PutGuarded(line2aDividends, Store().DividendTotal);
        // Line 2b is part of line 2a and is not added again.
        PutGuarded(line9TotalIncome,
                   Amt(line1Interest) + Amt(line2aDividends) + Amt(line3Business) +
                       Amt(line4CapitalGain) + Amt(line5Rents) + Amt(line6Farm) +
                       Amt(line7OrdinaryGain) + Amt(line8Other));
    });
}

void CalcForm1041Deductions()
{
    RunCalculator(29527, [] {
        PutTextGuarded(line13Charitable, Text(slot::form1041Page2::scheduleALine7Charitable));
        // With the amount paid on the allocation worksheet, the lines hold it less its tax-exempt part.
        PutGuarded(line15aOther, DeductibleFromSchedule(line15aOther.slot, Store().OtherTotal));
        const double twoPercentItems = DeductibleFromSchedule(line15cTwoPercent.slot, Store().Other2Total);
        if (!Overridden(line15cTwoPercent) && twoPercentItems > 0) {
            // Lines 18 and 20 here are those of the previous run.
            const double base = Max(0, Amt(line9TotalIncome) - Amt(line12FiduciaryFees) -
                                           Amt(line14ProfessionalFees) - Amt(line15aOther) -
                                           Amt(line15bNol) - Amt(line18Distribution) -
                                           Amt(line20Exemption));
            const double allowed = twoPercentItems - taxyear::kTwoPercentFloor * base;
            PutTextAlways(line15cTwoPercent, Float2Dollar(allowed < 0 ? 0 : allowed));
        }
        PutAlways(line16Total,
                  Amt(line10Interest) + Amt(line11Taxes) + Amt(line12FiduciaryFees) +
                      Amt(line13Charitable) + Amt(line14ProfessionalFees) +
                      Amt(line15aOther) + Amt(line15bNol) + Amt(line15cTwoPercent));
        PutAlways(line17Adjusted, Amt(line9TotalIncome) - Amt(line16Total));
    });
}

void CalcForm1041TaxableIncome()
{
    RunCalculator(29537, [] {
        PutTextGuarded(line18Distribution, Text(slot::form1041Page2::scheduleBLine15Deduction));
        if (!Overridden(line20Exemption)) {
            PutTextAlways(line20Exemption, Float2Dollar(Exemption(AdjustedGrossIncomeBeforeExemption())));
            // A return with neither income nor deductions claims no exemption.
            if (Amt(line9TotalIncome) == 0 && Amt(line16Total) == 0)
                PutTextAlways(line20Exemption, std::string());
        }
        SplitQualifiedDividends();
        PutAlways(line21Total, Amt(line18Distribution) + Amt(line19EstateTax) + Amt(line20Exemption));
        PutGuarded(line22Taxable, Amt(line17Adjusted) - Amt(line21Total));
    });
}

void CalcForm1041TaxAndPayments()
{
    RunCalculator(29547, [] {
        PutTextGuarded(line23TotalTax, Text(slot::form1041Page2::scheduleGLine7TotalTax));
        PutTextGuarded(line24bToBeneficiaries, Text(slot::form1041T::line1Allocated));
        PutAlways(line24c, Amt(line24aEstimated) - Amt(line24bToBeneficiaries));
        PutGuarded(line24hTotal, Amt(line24fForm2439) + Amt(line24gForm4136));
        PutAlways(line25Payments,
                  Amt(line24c) + Amt(line24dForm7004) + Amt(line24eWithheld) + Amt(line24hTotal));
        const double owed = Amt(line23TotalTax) + Amt(line26Penalty);
        const double paid = Amt(line25Payments);
        if (owed > paid) {
            PutAlways(line27TaxDue, owed - paid);
            PutTextAlways(line28Overpayment, std::string());
            PutTextAlways(line29bRefunded, std::string());
        } else {
            PutTextAlways(line27TaxDue, std::string());
            PutAlways(line28Overpayment, paid - owed);
            PutAlways(line29bRefunded, Amt(line28Overpayment) - Amt(line29aCredited));
        }
    });
}

}  // namespace quorvan
