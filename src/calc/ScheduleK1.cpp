#include "calc/ScheduleK1.h"

#include "calc/CalcSupport.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/ScheduleDPage2.h"
#include "slot/ScheduleIPage1.h"
#include "slot/ScheduleK1.h"
#include "store/ScopedOpenReturn.h"

#include <algorithm>
#include <array>
#include <exception>

namespace quorvan {

using namespace calc;

namespace {

namespace f1 = slot::form1041Page1;
namespace f2 = slot::form1041Page2;
namespace d2 = slot::scheduleDPage2;
namespace i1 = slot::scheduleIPage1;
using namespace slot::scheduleK1;

// An income item of boxes 1 to 4c: the box it fills and where the estate's figure is.
struct IncomeItem {
    SlotRef box;
    SlotRef estateFigure;
};
// In slot order; the dividends may be left uncharged (step "allocation base"). Box 2b, the
// qualified part of box 2a, follows box 2a.
constexpr std::array<IncomeItem, 6> kIncomeItems = {{
    {box1Interest, f1::line1Interest},
    {box2aOrdinaryDividends, f1::line2aDividends},
    {box3ShortTermGain, d2::line17Beneficiaries},
    {box4aLongTermGain, d2::line18aBeneficiaries},
    {box4b28RateGain, d2::line18cBeneficiaries},
    {box4cUnrecaptured1250, d2::line18bBeneficiaries},
}};
bool IsDividendBox(SlotRef box)
{
    return box.slot == box2aOrdinaryDividends.slot;
}

// Form 1041 lines 10 to 15c, the deductions every income item bears its part of. Line 15b, the
// net operating loss deduction, is not allocated.
constexpr std::array<SlotRef, 7> kAllocableDeductions = {
    f1::line10Interest, f1::line11Taxes,   f1::line12FiduciaryFees, f1::line13Charitable,
    f1::line14ProfessionalFees, f1::line15aOther, f1::line15cTwoPercent,
};

void CopyIdentification(int k)
{
    PutTextGuarded(taxYearBeginning, k, Text(f1::taxYearBeginning));
    PutTextGuarded(taxYearEnding, k, Text(f1::taxYearEnding));
    PutTextGuarded(itemAEin, k, Text(f1::itemCEin));
    PutTextGuarded(itemBName, k, Text(f1::nameOfEstateOrTrust));
    PutTextGuarded(itemCLine1, k, Text(f1::nameAndTitleOfFiduciary));
    PutTextGuarded(itemCLine2, k, Text(f1::fiduciaryStreet));
    // A second address line moves the city down to the fourth line.
    const bool twoAddressLines = !Text(f1::fiduciaryAddress2).empty();
    PutTextGuarded(itemCLine3, k, twoAddressLines ? Text(f1::fiduciaryAddress2) : Text(f1::fiduciaryCity));
    PutTextGuarded(itemCLine4, k, twoAddressLines ? Text(f1::fiduciaryCity) : std::string());
    PutTextGuarded(itemEFinal, k, Text(f1::itemFFinalReturn));
}

// A K-1 reports the beneficiary's share of the year as it was, however short: nothing is
// annualised, so the tax year's length enters no figure. Its dates are still read here, so that
// an unreadable one is named for the K-1 (ending date 2950, beginning date 2951, each after the
// conversion's own message); the calculation goes on.
void CheckTaxYearDates()
{
    if (!NormaliseDate(Text(f1::taxYearEnding)).ok)
        ShowMessageByCode(29500, Text(f1::taxYearEnding));
    if (!NormaliseDate(Text(f1::taxYearBeginning)).ok)
        ShowMessageByCode(29510, Text(f1::taxYearBeginning));
}

// Form 1041 lines 10 to 15c without the charitable deduction (line 13) and the net operating loss
// deduction (line 15b): what passes to the beneficiaries as excess deductions on termination.
constexpr std::array<SlotRef, 6> kTerminationDeductions = {
    f1::line10Interest, f1::line11Taxes, f1::line12FiduciaryFees, f1::line14ProfessionalFees, f1::line15aOther,
    f1::line15cTwoPercent,
};

// The final year's deductions above its income (line 9, a capital loss left out: it passes as
// codes B and C). An estate with 4,000 of interest and 9,000 of final fees passes 5,000.
double ExcessDeductionsOnTermination()
{
    double deductions = 0;
    for (SlotRef line : kTerminationDeductions)
        deductions += Amt(line);
    const double income = Amt(f1::line9TotalIncome) - Min(0, Amt(f1::line4CapitalGain));
    return Max(0, deductions - income);
}

void PassCapitalLossCarryover(int k, double share, SlotRef codeBox, const char* code, SlotRef amountBox,
                              SlotRef scheduleDLine)
{
    const double loss = Cents(scheduleDLine);
    if (loss >= 0)
        return;
    PutTextGuarded(codeBox, k, code);
    PutGuarded(amountBox, k, loss * share);
}

// What every K-1 of the return is figured from: the income that makes up distributable net
// income, item by item charged with the page 1 deductions, and how much of it the K-1s may
// carry together.
struct DistributableIncome {
    double deductions = 0;         // Form 1041 line 16
    double allocationBase = 0;     // the income the deductions are charged against
    bool dividendsCharged = true;  // false: the dividends keep their full amount
    double distributableBase = 0;  // distributable net income, tax-exempt interest included
    double amtBase = 0;            // the same for the minimum tax
    double sharesInUse = 0;        // the percentages of the K-1s in use, added up
    double scale = 1;              // brings the K-1s together down to line 18
};

// The sum of the shares of the K-1 pages in use that have a percentage.
double SharesInUse()
{
    double sum = 0;
    for (int k = 0; k < Store().NoOfSchedK; ++k) {
        const double share = Store().BeneficiaryInterest.at(static_cast<size_t>(k));
        if (share > 0)
            sum += share;
    }
    return sum;
}

double Amount(const TAnswer& answers, SlotRef s)
{
    return Str2Float_0(answers.Text(s.formType, 0, s.slot));
}

// Distributable net income holds the income items and the gain that goes to the beneficiaries
// (Schedule D column (1)), never the gain the estate or trust keeps (column (2)). A capital loss
// on line 4 is no income the items could bear deductions against; as on Schedule B line 6 it is
// left out (else 1,000 of fees on 4,000 of interest beside a 3,000 loss would charge the
// interest 4,000).
double IncomeInDistributableNetIncome(const TAnswer& answers)
{
    const double totalIncome = Amount(answers, f1::line9TotalIncome) - Min(0, Amount(answers, f1::line4CapitalGain));
    const double gainKept = Max(0, Amount(answers, d2::line19Estate));
    return totalIncome - gainKept;
}

DistributableIncome FigureDistributableIncome()
{
    DistributableIncome d;
    const double incomeInDni = IncomeInDistributableNetIncome(Store());
    const double taxExempt = Amt(f2::otherInformationLine1Amount);
    const double amtAdjustment = Amt(i1::line25) - Amt(i1::line1);
    d.deductions = Amt(f1::line16Total);
    d.distributableBase = Max(0, incomeInDni - d.deductions + taxExempt);
    d.amtBase = incomeInDni - d.deductions + amtAdjustment + taxExempt;

    // The ordinary dividends hold the qualified ones, so both leave the allocation base together.
    d.allocationBase = incomeInDni;
    if (!DividendsBearDeductions(Store())) {
        d.allocationBase = incomeInDni - Amt(f1::line2aDividends);
        d.dividendsCharged = false;
    }

    // The percentages are shares of distributable net income. When the estate or trust
    // distributes less than that, the percentages may hand out more than line 18 allows (one
    // beneficiary at 100%, 1,000 distributed out of 1,200): then every K-1 carries its part of
    // line 18 instead, so that together they carry line 18.
    d.sharesInUse = SharesInUse();
    const double taxableDni = Max(0, incomeInDni - d.deductions);
    const double handedOut = taxableDni * d.sharesInUse;
    const double distributionDeduction = Max(0, Amt(f1::line18Distribution));
    if (handedOut > distributionDeduction)
        d.scale = distributionDeduction / handedOut;
    return d;
}

// An income item after its part of each allocable deduction: D x (item / allocation base).
double NetOfDeductions(const DistributableIncome& d, const IncomeItem& item)
{
    const double income = Amt(item.estateFigure);
    if (d.allocationBase == 0 || (!d.dividendsCharged && IsDividendBox(item.box)))
        return income;
    const double ratio = income / d.allocationBase;
    double net = income;
    for (SlotRef deduction : kAllocableDeductions)
        net -= Amt(deduction) * ratio;
    return net;
}

// Box 2b is the qualified part of box 2a: the beneficiary's dividends after the deductions they
// bear, in the proportion of qualified to ordinary dividends (lines 2b(1) and 2b(2) to line 2a).
// Dividends of 20,000, 15,000 of them qualified, that bear 3,333.33 of deductions leave box 2a
// 8,333.33 at 50%, and box 2b 8,333.33 x 15,000 / 20,000 = 6,250. `box2a` is unrounded.
double QualifiedPartOf(double box2a)
{
    const double ordinary = Amt(f1::line2aDividends);
    if (box2a <= 0 || ordinary <= 0)
        return 0;
    const double qualified =
        Amt(f1::line2b1QualifiedToBeneficiaries) + Amt(f1::line2b2QualifiedToEstate);
    return box2a * std::clamp(qualified / ordinary, 0.0, 1.0);
}

void Calculate(int k)
{
    const double share = Store().BeneficiaryInterest.at(static_cast<size_t>(k));

    CopyIdentification(k);

    const DistributableIncome d = FigureDistributableIncome();
    // A share never set (-1, "Not applicable") hands the beneficiary nothing.
    const bool shareSet = share >= 0;
    const double allocatedShare = shareSet ? share * d.scale : 0;
    const double distributableShare = d.distributableBase * allocatedShare;
    const double amtShare = d.amtBase * allocatedShare;
    CheckTaxYearDates();

    double box2a = 0;  // unrounded, or as the preparer typed it
    for (const IncomeItem& item : kIncomeItems) {
        const double amount = d.distributableBase == 0 ? 0 : Max(0, NetOfDeductions(d, item) * allocatedShare);
        PutGuarded(item.box, k, amount);
        if (item.box.slot == box2aOrdinaryDividends.slot)
            box2a = Overridden(box2aOrdinaryDividends, k) ? Cents(box2aOrdinaryDividends, k) : amount;
    }
    PutGuarded(box2bQualifiedDividends, k, QualifiedPartOf(box2a));

    // Box 11: excess deductions and capital loss carryovers pass to the beneficiaries on the
    // final return only, by their percentages as stored.
    for (SlotRef box : {box11ExcessDeductionsCode, box11ExcessDeductions, box11Code1, box11Amount1, box11Code2,
                        box11Amount2})
        PutTextGuarded(box, k, std::string());
    if (Ticked(f1::itemFFinalReturn) && shareSet) {
        const double excess = ExcessDeductionsOnTermination();
        if (excess > 0) {
            PutTextGuarded(box11ExcessDeductionsCode, k, "A");
            PutGuarded(box11ExcessDeductions, k, excess * share);
        }
        PassCapitalLossCarryover(k, share, box11Code1, "B", box11Amount1, d2::line17Beneficiaries);
        PassCapitalLossCarryover(k, share, box11Code2, "C", box11Amount2, d2::line18aBeneficiaries);
    }

    // Box 12: the adjustment for minimum tax purposes, when the minimum tax share is the larger.
    const double adjustment = amtShare - distributableShare;
    const bool positive = adjustment > 0;
    PutTextGuarded(box12Code1, k, positive ? "A" : "");
    PutGuarded(box12Amount1, k, adjustment < 0 ? 0 : adjustment);
    PutTextGuarded(box12Code2, k, positive ? "J" : "");
    PutGuarded(box12Amount2, k, adjustment < 0 ? 0 : adjustment);
}

}  // namespace

void CalcScheduleK1(int k)
{
    RunCalculator(29097, [k] { Calculate(k); });
}

// When the other income covers every deduction, the dividends stay uncharged so that the
// qualified dividends keep their rate. The test uses >=: equality leaves them whole.
bool DividendsBearDeductions(const TAnswer& answers)
{
    const double otherIncome = IncomeInDistributableNetIncome(answers) - Amount(answers, f1::line2aDividends);
    return !(Amount(answers, f1::line2b1QualifiedToBeneficiaries) > 0 &&
             otherIncome >= Amount(answers, f1::line16Total));
}

double K1ShareScale(const TAnswer& store)
{
    // The figures are read through the open return; `store` stands in for it while they are,
    // read only.
    const ScopedOpenReturn reading(const_cast<TAnswer&>(store));
    try {
        return FigureDistributableIncome().scale;
    } catch (const std::exception&) {
        return 1;  // a store without the pages read: nothing to bring down
    }
}

}  // namespace quorvan
