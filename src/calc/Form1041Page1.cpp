#include "calc/Form1041Page1.h"

#include "calc/CalcSupport.h"
#include "calc/TaxYear.h"

#include <cmath>

namespace quorvan {

using namespace calc;

namespace {

constexpr int F1 = ftForm1041Page1;
constexpr int F2 = ftForm1041Page2;

// Slots of Form 1041 page 1.
enum : int {
    boxDecedentsEstate = 2, boxSimpleTrust = 3, boxDisabilityTrust = 5, boxBankruptcyCh7 = 8,
    boxBankruptcyCh11 = 9, itemBSchedulesK1 = 16,
    line1Interest = 30, line2aDividends = 31, line3Business = 34, line4CapitalGain = 35,
    line5Rents = 36, line6Farm = 37, line7OrdinaryGain = 38, line8Other = 40, line9TotalIncome = 41,
    line10Interest = 43, line11Taxes = 44, line12FiduciaryFees = 45, line13Charitable = 46,
    line14ProfessionalFees = 47, line15aOther = 48, line15cTwoPercent = 49, line15bNol = 85,
    line16Total = 50, line17Adjusted = 51, line18Distribution = 52, line19EstateTax = 53,
    line20Exemption = 54, line21Total = 55, line22Taxable = 56, line23TotalTax = 57,
    line24aEstimated = 58, line24bToBeneficiaries = 59, line24c = 60, line24dForm7004 = 61,
    line24eWithheld = 63, line24fForm2439 = 64, line24gForm4136 = 65, line24hTotal = 66,
    line25Payments = 67, line26Penalty = 68, line27TaxDue = 69, line28Overpayment = 70,
    line29aCredited = 71, line29bRefunded = 72,
};

// Schedule A line 7, Schedule B line 15 and Schedule G line 7 on page 2; Form 1041-T line 3.
constexpr int scheduleALine7 = 6;
constexpr int scheduleBLine15 = 21;
constexpr int scheduleGLine7 = 43;
constexpr int form1041TAllocated = 9;

double Exemption(double modifiedAdjustedTotalIncome)
{
    double exemption = taxyear::kExemptionDefault;
    if (Ticked(F1, boxDecedentsEstate))
        exemption = taxyear::kExemptionDecedentsEstate;
    if (Ticked(F1, boxSimpleTrust))
        exemption = taxyear::kExemptionSimpleTrust;
    if (Ticked(F1, boxDisabilityTrust)) {
        exemption = taxyear::kExemptionDisabilityTrust;
        if (modifiedAdjustedTotalIncome > taxyear::kDisabilityPhaseOutStart)
            exemption = DisabilityTrustExemption(modifiedAdjustedTotalIncome);
    }
    if (Ticked(F1, boxBankruptcyCh7) || Ticked(F1, boxBankruptcyCh11))
        exemption = taxyear::kExemptionBankruptcyEstate;
    return exemption;
}

}  // namespace

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
    RunCalculator(29017, [] { PutTextGuarded(F1, itemBSchedulesK1, std::to_string(Store().NoOfSchedK)); });
}

void CalcForm1041Income()
{
    RunCalculator(29517, [] {
        PutGuarded(F1, line1Interest, Store().InterestTotal);
        PutGuarded(F1, line2aDividends, Store().DividendTotal);
        // Line 2b is part of line 2a and is not added again.
        PutGuarded(F1, line9TotalIncome,
                   Amt(F1, line1Interest) + Amt(F1, line2aDividends) + Amt(F1, line3Business) +
                       Amt(F1, line4CapitalGain) + Amt(F1, line5Rents) + Amt(F1, line6Farm) +
                       Amt(F1, line7OrdinaryGain) + Amt(F1, line8Other));
    });
}

void CalcForm1041Deductions()
{
    RunCalculator(29527, [] {
        PutTextGuarded(F1, line13Charitable, Text(F2, scheduleALine7));
        PutGuarded(F1, line15aOther, Store().OtherTotal);
        if (!Overridden(F1, line15cTwoPercent) && Store().Other2Total > 0) {
            // Lines 18 and 20 here are those of the previous run.
            const double base = Max(0, Amt(F1, line9TotalIncome) - Amt(F1, line12FiduciaryFees) -
                                           Amt(F1, line14ProfessionalFees) - Amt(F1, line15aOther) -
                                           Amt(F1, line15bNol) - Amt(F1, line18Distribution) -
                                           Amt(F1, line20Exemption));
            const double allowed = Store().Other2Total - taxyear::kTwoPercentFloor * base;
            PutTextAlways(F1, line15cTwoPercent, Float2Dollar(allowed < 0 ? 0 : allowed));
        }
        PutAlways(F1, line16Total,
                  Amt(F1, line10Interest) + Amt(F1, line11Taxes) + Amt(F1, line12FiduciaryFees) +
                      Amt(F1, line13Charitable) + Amt(F1, line14ProfessionalFees) +
                      Amt(F1, line15aOther) + Amt(F1, line15bNol) + Amt(F1, line15cTwoPercent));
        PutAlways(F1, line17Adjusted, Amt(F1, line9TotalIncome) - Amt(F1, line16Total));
    });
}

void CalcForm1041TaxableIncome()
{
    RunCalculator(29537, [] {
        PutTextGuarded(F1, line18Distribution, Text(F2, scheduleBLine15));
        if (!Overridden(F1, line20Exemption)) {
            const double modified = Amt(F1, line9TotalIncome) - Amt(F1, line12FiduciaryFees) -
                                    Amt(F1, line14ProfessionalFees) - Amt(F1, line15aOther) -
                                    Amt(F1, line18Distribution);
            PutTextAlways(F1, line20Exemption, Float2Dollar(Exemption(modified)));
            // A return with neither income nor deductions claims no exemption.
            if (Amt(F1, line9TotalIncome) == 0 && Amt(F1, line16Total) == 0)
                PutTextAlways(F1, line20Exemption, std::string());
        }
        PutAlways(F1, line21Total, Amt(F1, line18Distribution) + Amt(F1, line19EstateTax) + Amt(F1, line20Exemption));
        PutGuarded(F1, line22Taxable, Amt(F1, line17Adjusted) - Amt(F1, line21Total));
    });
}

void CalcForm1041TaxAndPayments()
{
    RunCalculator(29547, [] {
        PutTextGuarded(F1, line23TotalTax, Text(F2, scheduleGLine7));
        PutTextGuarded(F1, line24bToBeneficiaries, Text(ftForm1041T, form1041TAllocated));
        PutAlways(F1, line24c, Amt(F1, line24aEstimated) - Amt(F1, line24bToBeneficiaries));
        PutGuarded(F1, line24hTotal, Amt(F1, line24fForm2439) + Amt(F1, line24gForm4136));
        PutAlways(F1, line25Payments,
                  Amt(F1, line24c) + Amt(F1, line24dForm7004) + Amt(F1, line24eWithheld) + Amt(F1, line24hTotal));
        const double owed = Amt(F1, line23TotalTax) + Amt(F1, line26Penalty);
        const double paid = Amt(F1, line25Payments);
        if (owed > paid) {
            PutAlways(F1, line27TaxDue, owed - paid);
            PutTextAlways(F1, line28Overpayment, std::string());
            PutTextAlways(F1, line29bRefunded, std::string());
        } else {
            PutTextAlways(F1, line27TaxDue, std::string());
            PutAlways(F1, line28Overpayment, paid - owed);
            PutAlways(F1, line29bRefunded, Amt(F1, line28Overpayment) - Amt(F1, line29aCredited));
        }
    });
}

}  // namespace quorvan
