#include "calc/ScheduleK1.h"

#include "calc/CalcSupport.h"

#include <array>

namespace quorvan {

using namespace calc;

namespace {

constexpr int F1 = ftForm1041Page1;
constexpr int F2 = ftForm1041Page2;
constexpr int K1 = ftScheduleK1;

// Form 1041 page 1.
enum : int {
    yearBegins = 0, yearEnds = 1, estateName = 11, fiduciaryName = 12, fiduciaryStreet = 13,
    fiduciaryAddress2 = 14, fiduciaryCity = 15, estateEin = 17, finalReturnBox = 24,
    line1Interest = 30, line2aDividends = 31, line2b1QualifiedToBeneficiaries = 32,
    line4CapitalGain = 35, line9TotalIncome = 41, line10Interest = 43, line11Taxes = 44, line12FiduciaryFees = 45,
    line13Charitable = 46, line14ProfessionalFees = 47, line15aOther = 48, line15cTwoPercent = 49,
    line16TotalDeductions = 50, line18Distribution = 52,
};
// Page 2: Other Information line 1, tax-exempt interest.
constexpr int taxExemptInterest = 46;
// Schedule D page 2: column (1) beneficiaries, column (2) estate or trust.
enum : int {
    line17Beneficiaries = 0, line18aBeneficiaries = 3, line18bBeneficiaries = 6,
    line18cBeneficiaries = 9, line19EstateOrTrust = 13,
};
// Schedule I page 1.
constexpr int scheduleILine1 = 2;
constexpr int scheduleILine25 = 26;

// Slots of a K-1 page.
enum : int {
    k1YearBegins = 0, k1YearEnds = 1, itemAEin = 5, itemBName = 6, itemCLine1 = 10, itemCLine2 = 11,
    itemCLine3 = 12, itemCLine4 = 13, itemEFinal = 19,
    box1Interest = 29, box2aOrdinaryDividends = 30, box2bQualifiedDividends = 31,
    box3ShortTermGain = 32, box4aLongTermGain = 33, box4b28RateGain = 34, box4cUnrecaptured1250 = 35,
    box11FirstAmount = 46, box11SecondAmount = 47, box12FirstAmount = 53, box12SecondAmount = 54,
    box11FirstCode = 92, box11SecondCode = 93, box12FirstCode = 99, box12SecondCode = 100,
};

// An income item of boxes 1 to 4c: the box it fills and where the estate's figure is.
struct IncomeItem {
    int box;
    int formType;
    int slot;
};
// In slot order; the two dividend items may be left uncharged (step "allocation base").
constexpr std::array<IncomeItem, 7> kIncomeItems = {{
    {box1Interest, F1, line1Interest},
    {box2aOrdinaryDividends, F1, line2aDividends},
    {box2bQualifiedDividends, F1, line2b1QualifiedToBeneficiaries},
    {box3ShortTermGain, ftScheduleDPage2, line17Beneficiaries},
    {box4aLongTermGain, ftScheduleDPage2, line18aBeneficiaries},
    {box4b28RateGain, ftScheduleDPage2, line18cBeneficiaries},
    {box4cUnrecaptured1250, ftScheduleDPage2, line18bBeneficiaries},
}};
bool IsDividendBox(int box) { return box == box2aOrdinaryDividends || box == box2bQualifiedDividends; }

// Form 1041 lines 10 to 15c, the deductions every income item bears its part of. Line 15b, the
// net operating loss deduction, is not allocated.
constexpr std::array<int, 7> kAllocableDeductions = {
    line10Interest, line11Taxes, line12FiduciaryFees, line13Charitable, line14ProfessionalFees,
    line15aOther, line15cTwoPercent,
};

void CopyIdentification(int k)
{
    PutTextGuarded(K1, k, k1YearBegins, Text(F1, yearBegins));
    PutTextGuarded(K1, k, k1YearEnds, Text(F1, yearEnds));
    PutTextGuarded(K1, k, itemAEin, Text(F1, estateEin));
    PutTextGuarded(K1, k, itemBName, Text(F1, estateName));
    PutTextGuarded(K1, k, itemCLine1, Text(F1, fiduciaryName));
    PutTextGuarded(K1, k, itemCLine2, Text(F1, fiduciaryStreet));
    // A second address line moves the city down to the fourth line.
    const bool twoAddressLines = !Text(F1, fiduciaryAddress2).empty();
    PutTextGuarded(K1, k, itemCLine3, twoAddressLines ? Text(F1, fiduciaryAddress2) : Text(F1, fiduciaryCity));
    PutTextGuarded(K1, k, itemCLine4, twoAddressLines ? Text(F1, fiduciaryCity) : std::string());
    PutTextGuarded(K1, k, itemEFinal, Text(F1, finalReturnBox));
}

// A K-1 reports the beneficiary's share of the year as it was, however short: nothing is
// annualised, so the tax year's length enters no figure. Its dates are still read here, so that
// an unreadable one is named for the K-1 (ending date 2950, beginning date 2951, each after the
// conversion's own message); the calculation goes on.
void CheckTaxYearDates()
{
    if (!NormaliseDate(Text(F1, yearEnds)).ok)
        ShowMessageByCode(29500, Text(F1, yearEnds));
    if (!NormaliseDate(Text(F1, yearBegins)).ok)
        ShowMessageByCode(29510, Text(F1, yearBegins));
}

void PassCapitalLossCarryover(int k, double share, int codeSlot, const char* code, int amountSlot,
                              int scheduleDSlot)
{
    const double loss = Cents(ftScheduleDPage2, scheduleDSlot);
    if (loss >= 0)
        return;
    PutTextGuarded(K1, k, codeSlot, code);
    PutGuarded(K1, k, amountSlot, loss * share);
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

DistributableIncome FigureDistributableIncome()
{
    DistributableIncome d;
    // Distributable net income holds the income items and the gain that goes to the
    // beneficiaries (Schedule D column (1)), never the gain the estate or trust keeps (column
    // (2)). A capital loss on line 4 is no income the items could bear deductions against; as
    // on Schedule B line 6 it is left out (else 1,000 of fees on 4,000 of interest beside a
    // 3,000 loss would charge the interest 4,000).
    const double totalIncome = Amt(F1, line9TotalIncome) - Min(0, Amt(F1, line4CapitalGain));
    const double gainKept = Max(0, Amt(ftScheduleDPage2, line19EstateOrTrust));
    const double incomeInDni = totalIncome - gainKept;
    const double taxExempt = Amt(F2, taxExemptInterest);
    const double amtAdjustment = Amt(ftScheduleIPage1, scheduleILine25) - Amt(ftScheduleIPage1, scheduleILine1);
    d.deductions = Amt(F1, line16TotalDeductions);
    d.distributableBase = Max(0, incomeInDni - d.deductions + taxExempt);
    d.amtBase = incomeInDni - d.deductions + amtAdjustment + taxExempt;

    // When the other income covers every deduction, the dividends stay uncharged so that the
    // qualified dividends keep their rate; the ordinary dividends hold the qualified ones, so
    // both leave the allocation base together.
    d.allocationBase = incomeInDni;
    const double ordinaryDividends = Amt(F1, line2aDividends);
    if (Amt(F1, line2b1QualifiedToBeneficiaries) > 0 && incomeInDni - ordinaryDividends >= d.deductions) {
        d.allocationBase = incomeInDni - ordinaryDividends;
        d.dividendsCharged = false;
    }

    // The percentages are shares of distributable net income. When the estate or trust
    // distributes less than that, the percentages may hand out more than line 18 allows (one
    // beneficiary at 100%, 1,000 distributed out of 1,200): then every K-1 carries its part of
    // line 18 instead, so that together they carry line 18.
    d.sharesInUse = SharesInUse();
    const double taxableDni = Max(0, incomeInDni - d.deductions);
    const double handedOut = taxableDni * d.sharesInUse;
    const double distributionDeduction = Max(0, Amt(F1, line18Distribution));
    if (handedOut > distributionDeduction)
        d.scale = distributionDeduction / handedOut;
    return d;
}

// An income item after its part of each allocable deduction: D x (item / allocation base).
double NetOfDeductions(const DistributableIncome& d, const IncomeItem& item)
{
    const double income = Amt(item.formType, item.slot);
    if (d.allocationBase == 0 || (!d.dividendsCharged && IsDividendBox(item.box)))
        return income;
    const double ratio = income / d.allocationBase;
    double net = income;
    for (int deduction : kAllocableDeductions)
        net -= Amt(F1, deduction) * ratio;
    return net;
}

// Box 2b: line 2b(1) is already the beneficiaries' part of the qualified dividends, so the
// K-1s share it by their percentages, never above the beneficiary's ordinary dividends.
double QualifiedDividendsShare(const DistributableIncome& d, int k, double share)
{
    if (share <= 0 || d.sharesInUse <= 0)
        return 0;
    const double qualified = Amt(F1, line2b1QualifiedToBeneficiaries) * (share / d.sharesInUse);
    return Min(qualified, Max(0, Cents(K1, k, box2aOrdinaryDividends)));
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

    for (const IncomeItem& item : kIncomeItems) {
        if (item.box == box2bQualifiedDividends)
            continue;
        const double amount = d.distributableBase == 0 ? 0 : NetOfDeductions(d, item) * allocatedShare;
        PutGuarded(K1, k, item.box, Max(0, amount));
    }
    PutGuarded(K1, k, box2bQualifiedDividends, d.distributableBase == 0 ? 0 : QualifiedDividendsShare(d, k, share));

    // Box 11: capital loss carryovers pass to the beneficiaries on the final return only, by
    // their percentages as stored.
    PutTextGuarded(K1, k, box11FirstCode, std::string());
    PutTextGuarded(K1, k, box11FirstAmount, std::string());
    PutTextGuarded(K1, k, box11SecondCode, std::string());
    PutTextGuarded(K1, k, box11SecondAmount, std::string());
    if (Ticked(F1, finalReturnBox) && shareSet) {
        PassCapitalLossCarryover(k, share, box11FirstCode, "B", box11FirstAmount, line17Beneficiaries);
        PassCapitalLossCarryover(k, share, box11SecondCode, "C", box11SecondAmount, line18aBeneficiaries);
    }

    // Box 12: the adjustment for minimum tax purposes, when the minimum tax share is the larger.
    const double adjustment = amtShare - distributableShare;
    const bool positive = adjustment > 0;
    PutTextGuarded(K1, k, box12FirstCode, positive ? "A" : "");
    PutGuarded(K1, k, box12FirstAmount, adjustment < 0 ? 0 : adjustment);
    PutTextGuarded(K1, k, box12SecondCode, positive ? "J" : "");
    PutGuarded(K1, k, box12SecondAmount, adjustment < 0 ? 0 : adjustment);
}

}  // namespace

void CalcScheduleK1(int k)
{
    RunCalculator(29097, [k] { Calculate(k); });
}

}  // namespace quorvan
