#include "calc/ScheduleK1.h"

#include "calc/AllocationWorksheet.h"
#include "calc/CalcSupport.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/ScheduleDPage2.h"
#include "slot/AllocationWorksheet.h"
#include "slot/ScheduleIPage2.h"
#include "slot/ScheduleK1.h"
#include "store/ScopedOpenReturn.h"

#include <algorithm>
#include <array>
#include <exception>
#include <optional>
#include <utility>

namespace quorvan {

using namespace calc;

namespace {

namespace f1 = slot::form1041Page1;
namespace f2 = slot::form1041Page2;
namespace d2 = slot::scheduleDPage2;
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

// Box 11: excess deductions and capital loss carryovers pass to the beneficiaries on the final
// return only, by their percentages as stored (-1: never set, nothing passes).
void FillFinalYearBoxes(int k, double share)
{
    for (SlotRef box : {box11ExcessDeductionsCode, box11ExcessDeductions, box11Code1, box11Amount1, box11Code2,
                        box11Amount2})
        PutTextGuarded(box, k, std::string());
    if (!Ticked(f1::itemFFinalReturn) || share < 0)
        return;
    const double excess = ExcessDeductionsOnTermination();
    if (excess > 0) {
        PutTextGuarded(box11ExcessDeductionsCode, k, "A");
        PutGuarded(box11ExcessDeductions, k, excess * share);
    }
    PassCapitalLossCarryover(k, share, box11Code1, "B", box11Amount1, d2::line17Beneficiaries);
    PassCapitalLossCarryover(k, share, box11Code2, "C", box11Amount2, d2::line18aBeneficiaries);
}

// What every K-1 of the return is figured from: the income that makes up distributable net
// income, item by item charged with the page 1 deductions, and how much of it the K-1s may
// carry together.
struct DistributableIncome {
    double deductions = 0;         // Form 1041 line 16
    double allocationBase = 0;     // the income the deductions are charged against
    bool dividendsCharged = true;  // false: the dividends keep their full amount
    double distributableBase = 0;  // distributable net income, tax-exempt interest included
    double taxableBase = 0;        // its taxable part, before the K-1s are brought down to line 18
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
    d.deductions = Amt(f1::line16Total);
    d.distributableBase = Max(0, incomeInDni - d.deductions + taxExempt);

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
    d.taxableBase = Max(0, incomeInDni - d.deductions);
    const double handedOut = d.taxableBase * d.sharesInUse;
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

// The gains of the beneficiary's share split as Schedule D column (1) splits them: box 3 the
// short-term part, box 4a the long-term part, boxes 4b and 4c parts of box 4a.
void FillGainBoxes(int k, double gain)
{
    const double shortTerm = Max(0, Amt(d2::line17Beneficiaries));
    const double longTerm = Max(0, Amt(d2::line18aBeneficiaries));
    const double both = shortTerm + longTerm;
    const double box4a = both > 0 ? gain * longTerm / both : 0;
    PutGuarded(box3ShortTermGain, k, both > 0 ? gain * shortTerm / both : 0);
    PutGuarded(box4aLongTermGain, k, box4a);
    PutGuarded(box4b28RateGain, k, longTerm > 0 ? box4a * Max(0, Amt(d2::line18cBeneficiaries)) / longTerm : 0);
    PutGuarded(box4cUnrecaptured1250, k, longTerm > 0 ? box4a * Max(0, Amt(d2::line18bBeneficiaries)) / longTerm : 0);
}

// Box 12 codes B to F: the parts of code A attributable to qualified dividends (box 2b), net
// short-term gain (box 3), net long-term gain (box 4a), unrecaptured section 1250 gain (box 4c)
// and 28% rate gain (box 4b), in code order.
struct AmtClassCode {
    const char* code;
    SlotRef box;
};
constexpr std::array<AmtClassCode, 5> kAmtClassCodes = {{
    {"B", box2bQualifiedDividends},
    {"C", box3ShortTermGain},
    {"D", box4aLongTermGain},
    {"E", box4cUnrecaptured1250},
    {"F", box4b28RateGain},
}};

// The beneficiary's taxable income on the K-1, the base codes B to F are parts of.
constexpr std::array<SlotRef, 8> kTaxableIncomeBoxes = {
    box1Interest, box2aOrdinaryDividends, box3ShortTermGain, box4aLongTermGain, box5, box6, box7, box8,
};

// The code and amount pairs of box 12 the program fills. The page's further pairs are plain
// entries where the preparer types codes G to J (depreciation, depletion, amortization,
// exclusion items), so they are never written.
struct Box12Pair {
    SlotRef code;
    SlotRef amount;
};
constexpr std::array<Box12Pair, 2> kFilledBox12Pairs = {{
    {box12Code1, box12Amount1},
    {box12Code2, box12Amount2},
}};

// Box 12: code A is the beneficiary's part of the minimum tax distribution deduction above the
// regular one (Schedule I line 44 less Schedule B line 15, never below 0), by its part of the
// taxable distributions (`taxableDistributed` of Schedule B line 15); codes B to F are code A in
// the proportion of box 2b, 3, 4a, 4c or 4b to the taxable income boxes as they stand. The pairs
// take A to F in order, each rounded by itself, those that come to nothing left out; a pair left
// over is emptied, its amount `emptyAmount`. Code J is the preparer's.
void FillBox12(int k, double taxableDistributed, const char* emptyAmount)
{
    const double regular = Amt(f2::scheduleBLine15Deduction);
    const double excess = Amt(slot::scheduleIPage2::line44) - regular;
    const double part = regular > 0 ? std::clamp(taxableDistributed / regular, 0.0, 1.0) : 0;
    const double adjustment = excess > 0 ? excess * part : 0;

    double income = 0;
    for (SlotRef box : kTaxableIncomeBoxes)
        income += Amt(box, k);
    std::array<std::pair<const char*, double>, 1 + kAmtClassCodes.size()> codes{};
    codes[0] = {"A", adjustment};
    for (size_t c = 0; c < kAmtClassCodes.size(); ++c)
        codes[c + 1] = {kAmtClassCodes[c].code,
                        income > 0 ? adjustment * Max(0, Amt(kAmtClassCodes[c].box, k)) / income : 0};

    size_t pair = 0;
    for (const auto& [code, amount] : codes) {
        if (pair == kFilledBox12Pairs.size())
            break;
        if (Float2Dollar(amount) == "0")
            continue;
        PutTextGuarded(kFilledBox12Pairs[pair].code, k, code);
        PutGuarded(kFilledBox12Pairs[pair].amount, k, amount);
        ++pair;
    }
    // Nothing to report still shows code A's amount as 0.
    if (pair == 0) {
        PutTextGuarded(box12Code1, k, std::string());
        PutGuarded(box12Amount1, k, 0);
        pair = 1;
    }
    for (; pair < kFilledBox12Pairs.size(); ++pair) {
        PutTextGuarded(kFilledBox12Pairs[pair].code, k, std::string());
        PutTextGuarded(kFilledBox12Pairs[pair].amount, k, emptyAmount);
    }
}

// Every class of the beneficiary's share in its own box, each rounded by itself: line 5 by its
// kind (rental real estate box 7, other rental box 8, royalties box 5), business and farm income
// box 6, ordinary gain and other income box 5, tax-exempt interest box 14 code A.
void FillClassBoxes(int k, const ClassAllocation& a)
{
    const ClassAmounts share = static_cast<size_t>(k) < a.beneficiaries.size() ? a.beneficiaries[static_cast<size_t>(k)]
                                                                                 : ClassAmounts{};
    PutGuarded(box1Interest, k, share[kClassInterest]);
    PutGuarded(box2aOrdinaryDividends, k, share[kClassDividends]);
    const double box2a = Overridden(box2aOrdinaryDividends, k) ? Cents(box2aOrdinaryDividends, k) : share[kClassDividends];
    PutGuarded(box2bQualifiedDividends, k, QualifiedPartOf(box2a));
    FillGainBoxes(k, share[kClassGain]);
    const bool royalties = Ticked(slot::allocationWorksheet::line5Royalties);
    const bool otherRental = Ticked(slot::allocationWorksheet::line5OtherRental);
    const double line5 = share[kClassRents];
    PutGuarded(box5, k, (royalties ? line5 : 0) + share[kClassOrdinaryGain] + share[kClassOther]);
    PutGuarded(box6, k, share[kClassBusiness] + share[kClassFarm]);
    PutGuarded(box7, k, royalties || otherRental ? 0 : line5);
    PutGuarded(box8, k, otherRental && !royalties ? line5 : 0);
    const double taxExempt = share[kClassTaxExempt];
    PutTextGuarded(box14Code1, k, taxExempt >= 0.5 ? "A" : "");
    PutGuarded(box14Amount1, k, taxExempt);

    double taxableMine = 0;
    for (int c = 0; c < kClassTaxExempt; ++c)
        taxableMine += share[static_cast<size_t>(c)];
    FillBox12(k, taxableMine, "");
}

// `allocation` is the class allocation of this run when the worksheet is in use, else nullptr.
void Calculate(int k, const ClassAllocation* allocation)
{
    if (allocation) {
        CopyIdentification(k);
        CheckTaxYearDates();
        FillClassBoxes(k, *allocation);
        FillFinalYearBoxes(k, Store().BeneficiaryInterest.at(static_cast<size_t>(k)));
        return;
    }

    const double share = Store().BeneficiaryInterest.at(static_cast<size_t>(k));

    CopyIdentification(k);

    const DistributableIncome d = FigureDistributableIncome();
    // A share never set (-1, "Not applicable") hands the beneficiary nothing.
    const bool shareSet = share >= 0;
    const double allocatedShare = shareSet ? share * d.scale : 0;
    CheckTaxYearDates();

    double box2a = 0;  // unrounded, or as the preparer typed it
    for (const IncomeItem& item : kIncomeItems) {
        const double amount = d.distributableBase == 0 ? 0 : Max(0, NetOfDeductions(d, item) * allocatedShare);
        PutGuarded(item.box, k, amount);
        if (item.box.slot == box2aOrdinaryDividends.slot)
            box2a = Overridden(box2aOrdinaryDividends, k) ? Cents(box2aOrdinaryDividends, k) : amount;
    }
    PutGuarded(box2bQualifiedDividends, k, QualifiedPartOf(box2a));

    FillFinalYearBoxes(k, share);

    FillBox12(k, d.taxableBase * allocatedShare, "0");
}

}  // namespace

void CalcScheduleK1(int k)
{
    CalcScheduleK1Pages(k, k + 1);
}

// The class allocation reads nothing a K-1 page writes, so one figure serves every page of the run.
void CalcScheduleK1Pages(int first, int end)
{
    std::optional<ClassAllocation> allocation;
    for (int k = first; k < end; ++k)
        RunCalculator(29097, [k, &allocation] {
            if (!allocation && ClassAllocationInUse())
                allocation = FigureClassAllocation();
            Calculate(k, allocation ? &*allocation : nullptr);
        });
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
