#include "calc/Form8960.h"

#include "calc/CalcSupport.h"
#include "calc/Form1041Page1.h"
#include "calc/TaxYear.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/Form8960.h"

#include <algorithm>
#include <string>

namespace quorvan {

using namespace calc;
using namespace slot::form8960;
namespace f1 = slot::form1041Page1;
namespace f2 = slot::form1041Page2;

namespace {

double NotBelowZero(double amount) { return amount < 0 ? 0 : amount; }

// Lines 18a to 21 are for an estate or trust that owes the tax itself. A grantor type trust
// (its grantor does) and a trust described in section 4947(a)(1) (all of it goes to charity)
// owe none; a bankruptcy estate figures it as a married individual filing separately, on
// lines 13 to 17, which the preparer types on Schedule G line 4.
bool OwesTaxAsEstateOrTrust()
{
    return !Ticked(f1::itemAGrantorTypeTrust) && !Ticked(f1::itemE4947a1) && !Ticked(f1::itemABankruptcyEstateCh7) &&
           !Ticked(f1::itemABankruptcyEstateCh11);
}

void PartIInvestmentIncome()
{
    PutTextAlways(nameShownOnReturn, Text(f1::nameOfEstateOrTrust));
    PutTextAlways(identifyingNumber, Text(f1::itemCEin));
    PutGuarded(line1TaxableInterest, Amt(f1::line1Interest));
    PutGuarded(line2OrdinaryDividends, Amt(f1::line2aDividends));
    PutGuarded(line4aRentalRoyalties, Amt(f1::line5Rents));
    PutAlways(line4c, Amt(line4aRentalRoyalties) + Amt(line4bNonSection1411));
    // Line 4 is after the capital loss limitation of this run.
    PutGuarded(line5aNetGain, Amt(f1::line4CapitalGain) + Amt(f1::line7OrdinaryGain));
    PutAlways(line5d, Amt(line5aNetGain) + Amt(line5bNotSubject) + Amt(line5cPartnershipAdjustment));
    PutAlways(line8TotalInvestmentIncome, Amt(line1TaxableInterest) + Amt(line2OrdinaryDividends) +
                                              Amt(line3Annuities) + Amt(line4c) + Amt(line5d) + Amt(line6CfcPfic) +
                                              Amt(line7OtherModifications));
}

// Deductions not traced to one kind of income are allocated by the investment share of total
// income: fees of 3,000 with 60,000 of investment income out of 80,000 put 2,250 on line 9c.
void PartIIDeductions(double share)
{
    PutGuarded(line9aInvestmentInterest, Amt(f1::line10Interest));
    PutGuarded(line9bIncomeTax, Amt(f1::line11Taxes) * share);
    PutGuarded(line9cMiscellaneous, (Amt(f1::line12FiduciaryFees) + Amt(f1::line14ProfessionalFees) +
                                     Amt(f1::line15aOther) + Amt(f1::line15cTwoPercent)) *
                                        share);
    PutAlways(line9d, Amt(line9aInvestmentInterest) + Amt(line9bIncomeTax) + Amt(line9cMiscellaneous));
    PutAlways(line11TotalDeductions, Amt(line9d) + Amt(line10AdditionalModifications));
    PutAlways(line12NetInvestmentIncome, NotBelowZero(Amt(line8TotalInvestmentIncome) - Amt(line11TotalDeductions)));
}

// The net investment income that the charitable deduction (Form 1041 line 13) takes: capital
// gains set aside for charity (Schedule A line 4 less line 6) are investment income; the rest,
// paid from gross income, is in the investment share of total income.
double CharitableShare(double share)
{
    const double charitable = Amt(f1::line13Charitable);
    const double gains = std::clamp(Amt(f2::scheduleALine4CapitalGains) - Amt(f2::scheduleALine6Section1202), 0.0,
                                    NotBelowZero(charitable));
    return gains + (charitable - gains) * share;
}

// The net investment income carried out by the income distribution deduction (Form 1041 line
// 18). Distributions carry out each kind of income in distributable net income in proportion,
// so the deduction takes the investment part of taxable DNI (Schedule B line 14) pro rata. That
// part is the net investment income less what the charitable deduction took and less the
// capital gains DNI leaves out (Schedule B lines 3 to 6 add back to DNI the gains it keeps).
// Example: NII 77,000, gains of 50,000 left in corpus, taxable DNI 27,000 all investment
// income, a deduction of 15,000 carries out 15,000 x 27,000 / 27,000 = 15,000.
double DistributedShare(double netInvestmentIncome, double charitableShare)
{
    const double taxableDni = Amt(f2::scheduleBLine14);
    if (taxableDni <= 0)
        return 0;
    const double gainsOutsideDni = -(Amt(f2::scheduleBLine3NetGain) + Amt(f2::scheduleBLine4ScheduleA) +
                                     Amt(f2::scheduleBLine5CapitalGainsOnA) + Amt(f2::scheduleBLine6LineFour));
    const double investmentInDni = std::clamp(netInvestmentIncome - charitableShare - gainsOutsideDni, 0.0, taxableDni);
    return Amt(f1::line18Distribution) * investmentInDni / taxableDni;
}

void PartIIIEstatesAndTrusts(double share)
{
    const double netInvestmentIncome = Amt(line12NetInvestmentIncome);
    PutAlways(line18aNetInvestmentIncome, netInvestmentIncome);
    const double charitable = CharitableShare(share);
    PutGuarded(line18bDistributionsAndCharitable, DistributedShare(netInvestmentIncome, charitable) + charitable);
    PutAlways(line18cUndistributed,
              NotBelowZero(Amt(line18aNetInvestmentIncome) - Amt(line18bDistributionsAndCharitable)));
    PutGuarded(line19aAdjustedGrossIncome, AdjustedGrossIncomeBeforeExemption() - Amt(f1::line20Exemption));
    PutAlways(line19bHighestBracket, taxyear::kTopBracketStart2016);
    PutAlways(line19c, NotBelowZero(Amt(line19aAdjustedGrossIncome) - Amt(line19bHighestBracket)));
    PutAlways(line20, Min(Amt(line18cUndistributed), Amt(line19c)));
    PutAlways(line21NetInvestmentIncomeTax, Amt(line20) * taxyear::kNetInvestmentIncomeTaxRate);
}

void EmptyPartIIIEstatesAndTrusts()
{
    for (SlotRef line : {line18aNetInvestmentIncome, line18cUndistributed, line19bHighestBracket, line19c, line20,
                         line21NetInvestmentIncomeTax})
        PutTextAlways(line, std::string());
    PutTextGuarded(line18bDistributionsAndCharitable, std::string());
    PutTextGuarded(line19aAdjustedGrossIncome, std::string());
}

}  // namespace

double InvestmentShare(double totalInvestmentIncome, double totalIncome)
{
    if (totalInvestmentIncome <= 0)
        return 0;
    if (totalIncome <= totalInvestmentIncome)
        return 1;
    return totalInvestmentIncome / totalIncome;
}

void CalcForm8960()
{
    RunCalculator(29167, [] {
        PartIInvestmentIncome();
        const double share = InvestmentShare(Amt(line8TotalInvestmentIncome), Amt(f1::line9TotalIncome));
        PartIIDeductions(share);
        if (OwesTaxAsEstateOrTrust())
            PartIIIEstatesAndTrusts(share);
        else
            EmptyPartIIIEstatesAndTrusts();
    });
}

}  // namespace quorvan
