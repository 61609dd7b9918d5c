#include "calc/AllocationWorksheet.h"

#include "calc/CalcSupport.h"
#include "slot/AllocationWorksheet.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/ScheduleDPage2.h"
#include "slot/ScheduleK1.h"

#include <algorithm>
#include <cctype>
#include <numeric>
#include <string>

namespace quorvan {

using namespace calc;

namespace {

namespace aw = slot::allocationWorksheet;
namespace f1 = slot::form1041Page1;
namespace f2 = slot::form1041Page2;
namespace d2 = slot::scheduleDPage2;
namespace k1 = slot::scheduleK1;

constexpr unsigned kWorksheetMessage = 29640;  // names the field and what is wrong with it

// One deduction line of the worksheet and the Form 1041 line it fills.
struct DeductionRow {
    const char* name;  // the line as the preparer reads it
    SlotRef line;
    SlotRef paid, chargedToIncome, directClass, electedClass, electedAmount, taxExemptPart;
};
const std::array<DeductionRow, 6> kDeductions = {{
    {"line 10", f1::line10Interest, aw::line10Paid, aw::line10ChargedToIncome, aw::line10DirectClass,
     aw::line10ElectedClass, aw::line10ElectedAmount, aw::line10TaxExemptPart},
    {"line 11", f1::line11Taxes, aw::line11Paid, aw::line11ChargedToIncome, aw::line11DirectClass,
     aw::line11ElectedClass, aw::line11ElectedAmount, aw::line11TaxExemptPart},
    {"line 12", f1::line12FiduciaryFees, aw::line12Paid, aw::line12ChargedToIncome, aw::line12DirectClass,
     aw::line12ElectedClass, aw::line12ElectedAmount, aw::line12TaxExemptPart},
    {"line 14", f1::line14ProfessionalFees, aw::line14Paid, aw::line14ChargedToIncome, aw::line14DirectClass,
     aw::line14ElectedClass, aw::line14ElectedAmount, aw::line14TaxExemptPart},
    {"line 15a", f1::line15aOther, aw::line15aPaid, aw::line15aChargedToIncome, aw::line15aDirectClass,
     aw::line15aElectedClass, aw::line15aElectedAmount, aw::line15aTaxExemptPart},
    {"line 15c", f1::line15cTwoPercent, aw::line15cPaid, aw::line15cChargedToIncome, aw::line15cDirectClass,
     aw::line15cElectedClass, aw::line15cElectedAmount, aw::line15cTaxExemptPart},
}};

// The income lines the instrument may give in part to principal, by class.
struct PrincipalRow {
    IncomeClass incomeClass;
    SlotRef toPrincipal;
};
constexpr std::array<PrincipalRow, 7> kToPrincipal = {{
    {kClassInterest, aw::line1ToPrincipal},
    {kClassDividends, aw::line2aToPrincipal},
    {kClassBusiness, aw::line3ToPrincipal},
    {kClassRents, aw::line5ToPrincipal},
    {kClassFarm, aw::line6ToPrincipal},
    {kClassOrdinaryGain, aw::line7ToPrincipal},
    {kClassOther, aw::line8ToPrincipal},
}};

bool HoldsText(const std::string& text) { return text.find_first_not_of(' ') != std::string::npos; }
bool Typed(SlotRef s, int k = 0) { return HoldsText(Text(s, k)); }

void Complain(const std::string& what) { ShowMessageByCode(kWorksheetMessage, what); }

constexpr int kNoClass = -1;

// "1", "2a", "3", "4", "5", "6", "7", "8" or "TE"; empty is no class. An unknown code is named.
int ClassOfCode(SlotRef field, const std::string& fieldName)
{
    std::string code;
    for (char c : Text(field))
        if (c != ' ')
            code += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (code.empty())
        return kNoClass;
    static const std::array<const char*, kClassCount> codes = {"1", "2A", "3", "4", "5", "6", "7", "8", "TE"};
    for (int c = 0; c < kClassCount; ++c)
        if (code == codes[static_cast<size_t>(c)])
            return c;
    Complain(fieldName + ": the class \"" + Text(field) +
             "\" is none of 1, 2a, 3, 4, 5, 6, 7, 8 or TE; the deduction is charged as if no class were typed.");
    return kNoClass;
}

// An amount of the worksheet that may not be negative; a negative one is named and taken as 0.
double NonNegative(SlotRef field, const std::string& fieldName, int k = 0)
{
    const double amount = Amt(field, k);
    if (amount < 0) {
        Complain(fieldName + " is negative (" + Text(field, k) + "); it is taken as 0.");
        return 0;
    }
    return amount;
}

double Sum(const ClassAmounts& amounts, bool withTaxExempt = true)
{
    double sum = 0;
    for (int c = 0; c < kClassCount; ++c)
        if (withTaxExempt || c != kClassTaxExempt)
            sum += amounts[static_cast<size_t>(c)];
    return sum;
}

// Spreads `amount` over the taxable classes in proportion to `weights` (subtracting it).
void ChargeRatably(ClassAmounts& net, const ClassAmounts& weights, double amount)
{
    const double base = Sum(weights, false);
    if (base <= 0)
        return;
    for (int c = 0; c < kClassTaxExempt; ++c)
        net[static_cast<size_t>(c)] -= amount * weights[static_cast<size_t>(c)] / base;
}

// Deductions above a taxable class's income move to the other taxable classes in proportion to
// what they hold; the tax-exempt class never goes below 0 (its excess expenses are not deductible).
void MoveExcessDeductions(ClassAmounts& net)
{
    double excess = 0, positive = 0;
    for (int c = 0; c < kClassTaxExempt; ++c) {
        double& amount = net[static_cast<size_t>(c)];
        if (amount < 0) {
            excess -= amount;
            amount = 0;
        } else {
            positive += amount;
        }
    }
    if (excess > 0)
        for (int c = 0; c < kClassTaxExempt; ++c)
            net[static_cast<size_t>(c)] =
                positive <= excess ? 0 : net[static_cast<size_t>(c)] * (1 - excess / positive);
    net[kClassTaxExempt] = std::max(0.0, net[kClassTaxExempt]);
}

bool SimpleTrust() { return Ticked(f1::itemASimpleTrust); }

// The income of each class in distributable net income, and the receipts that weigh the classes
// when a deduction or the charitable deduction is charged ratably.
struct Income {
    ClassAmounts amount{};
    ClassAmounts weight{};
};
Income ReadIncome()
{
    Income in;
    auto& a = in.amount;
    a[kClassInterest] = Amt(f1::line1Interest);
    a[kClassDividends] = Amt(f1::line2aDividends);
    // Extraordinary dividends the fiduciary allocates to principal leave a simple trust's
    // distributable net income.
    if (SimpleTrust())
        a[kClassDividends] -=
            NonNegative(aw::extraordinaryDividendsToPrincipal, "Extraordinary dividends to principal");
    a[kClassBusiness] = Amt(f1::line3Business);
    // The gain the estate or trust keeps (Schedule D column (2)) stays out, as does a loss.
    a[kClassGain] = std::max(0.0, Amt(f1::line4CapitalGain) - std::max(0.0, Amt(d2::line19Estate)));
    a[kClassRents] = Amt(f1::line5Rents);
    a[kClassFarm] = Amt(f1::line6Farm);
    a[kClassOrdinaryGain] = Amt(f1::line7OrdinaryGain);
    a[kClassOther] = Amt(f1::line8Other);
    a[kClassTaxExempt] = NonNegative(aw::taxExemptInterestReceived, "Tax-exempt interest received");
    for (int c = 0; c < kClassCount; ++c)
        in.weight[static_cast<size_t>(c)] = std::max(0.0, a[static_cast<size_t>(c)]);
    if (Typed(aw::rentsGrossReceipts))
        in.weight[kClassRents] = NonNegative(aw::rentsGrossReceipts, "Gross rents or royalties received");
    return in;
}

// One deduction as the worksheet charges it.
struct Deduction {
    bool paidTyped = false;
    double paid = 0;
    double taxExemptPart = 0;
    double deductible = 0;  // what the Form 1041 line holds
    double chargedToIncome = 0;
    int directClass = kNoClass;
    int electedClass = kNoClass;
    double electedAmount = 0;
};

Deduction ReadDeduction(const DeductionRow& row, const Income& in)
{
    const std::string name = std::string("Form 1041 ") + row.name;
    Deduction d;
    d.paidTyped = Typed(row.paid);
    d.directClass = ClassOfCode(row.directClass, name + ", direct class");
    d.electedClass = ClassOfCode(row.electedClass, name + ", elected class");
    if (d.electedClass == kClassTaxExempt) {
        Complain(name + ", elected class: only a taxable class can be elected; TE is left out.");
        d.electedClass = kNoClass;
    }
    if (d.paidTyped) {
        d.paid = NonNegative(row.paid, name + ", amount paid");
        if (d.directClass == kClassTaxExempt) {
            d.taxExemptPart = d.paid;
        } else if (d.directClass == kNoClass) {
            const double receipts = Sum(in.weight);
            d.taxExemptPart = receipts > 0 ? d.paid * in.weight[kClassTaxExempt] / receipts : 0;
        }
        d.deductible = Overridden(row.line) ? Amt(row.line) : d.paid - d.taxExemptPart;
    } else {
        d.paid = Amt(row.line);
        d.deductible = d.paid;
    }
    d.chargedToIncome = d.paid;
    if (Typed(row.chargedToIncome)) {
        d.chargedToIncome = NonNegative(row.chargedToIncome, name + ", charged to income");
        if (d.chargedToIncome > d.paid) {
            Complain(name + ", charged to income (" + Text(row.chargedToIncome) +
                     ") is above the amount paid; the amount paid is taken.");
            d.chargedToIncome = d.paid;
        }
    }
    if (Typed(row.electedAmount)) {
        d.electedAmount = NonNegative(row.electedAmount, name + ", elected amount");
        if (d.electedClass == kNoClass) {
            Complain(name + ", elected amount: no elected class is typed; the amount is charged ratably.");
            d.electedAmount = 0;
        } else if (d.electedAmount > d.deductible) {
            Complain(name + ", elected amount (" + Text(row.electedAmount) + ") is above the deduction (" +
                     Float2Dollar(d.deductible) + "); the deduction is taken.");
            d.electedAmount = d.deductible;
        }
    } else if (d.electedClass != kNoClass) {
        d.electedAmount = d.deductible;  // a class without an amount takes the whole taxable part
    }
    return d;
}

// Charges a deduction's taxable part: whole to its class, else the election first and the rest
// ratably over the taxable classes by their receipts (the rule the program has always used).
void Charge(ClassAmounts& net, const Income& in, const Deduction& d)
{
    net[kClassTaxExempt] -= d.taxExemptPart;
    if (d.directClass != kNoClass && d.directClass != kClassTaxExempt) {
        net[static_cast<size_t>(d.directClass)] -= d.deductible;
        return;
    }
    if (d.directClass == kClassTaxExempt)
        return;
    double rest = d.deductible;
    if (d.electedClass != kNoClass) {
        net[static_cast<size_t>(d.electedClass)] -= d.electedAmount;
        rest -= d.electedAmount;
    }
    ChargeRatably(net, in.weight, rest);
}

bool IsTaxExemptPartSlot(int s)
{
    return std::any_of(kDeductions.begin(), kDeductions.end(),
                       [s](const DeductionRow& row) { return row.taxExemptPart.slot == s; });
}

// The preparer's entries only: the tax-exempt parts among them are this calculator's own
// figures, which every run writes, so counting them would keep the worksheet in use for good.
bool WorksheetHoldsEntries()
{
    for (int s = 0; s < aw::accountingIncome.slot; ++s)
        if (!IsTaxExemptPartSlot(s) && HoldsText(Text(aw::kFormType, 0, s)))
            return true;
    return false;
}

int PagesOfK1() { return std::clamp(Store().NoOfSchedK, 0, kMaxPages); }

bool K1HoldsDistributions()
{
    for (int k = 0; k < PagesOfK1(); ++k)
        if (Typed(k1::incomeRequiredToBeDistributed, k) || Typed(k1::otherAmountsDistributed, k))
            return true;
    return false;
}

double AccountingIncome(const Income& in, const std::vector<Deduction>& deductions)
{
    double income = Sum(in.amount, false) - in.amount[kClassGain] + std::max(0.0, Amt(d2::line19Beneficiaries));
    if (SimpleTrust())  // ReadIncome left them out already
        income += Amt(aw::extraordinaryDividendsToPrincipal);
    income -= Amt(aw::extraordinaryDividendsToPrincipal);
    for (const PrincipalRow& row : kToPrincipal)
        income -= Amt(row.toPrincipal);
    income += in.amount[kClassTaxExempt] - Amt(aw::taxExemptDirectExpenses);
    for (const Deduction& d : deductions)
        income -= d.chargedToIncome;
    return income;
}

// Each beneficiary's share of every class. The first tier takes distributable net income figured
// before the charitable deduction; the second shares what is left, both pro rata when the
// amounts are larger.
void ShareByTiers(ClassAllocation& a, const std::vector<double>& required, const std::vector<double>& other)
{
    const double before = Sum(a.beforeCharity);
    const double firstTier = std::accumulate(required.begin(), required.end(), 0.0);
    const double firstScale = firstTier > before ? (firstTier > 0 ? before / firstTier : 0) : 1;
    const double firstCarried = firstTier * firstScale;
    ClassAmounts left{};
    for (int c = 0; c < kClassCount; ++c) {
        const size_t i = static_cast<size_t>(c);
        left[i] = std::max(0.0, a.afterCharity[i] - (before > 0 ? firstCarried / before * a.beforeCharity[i] : 0));
    }
    const double leftTotal = Sum(left);
    const double secondTier = std::accumulate(other.begin(), other.end(), 0.0);
    const double secondScale = secondTier > leftTotal ? (secondTier > 0 ? leftTotal / secondTier : 0) : 1;
    for (size_t k = 0; k < required.size(); ++k) {
        ClassAmounts share{};
        for (int c = 0; c < kClassCount; ++c) {
            const size_t i = static_cast<size_t>(c);
            if (before > 0)
                share[i] += required[k] * firstScale / before * a.beforeCharity[i];
            if (leftTotal > 0)
                share[i] += other[k] * secondScale / leftTotal * left[i];
        }
        a.beneficiaries.push_back(share);
    }
}

void Distribute(ClassAllocation& a)
{
    const int pages = PagesOfK1();
    std::vector<double> required(static_cast<size_t>(pages)), other(static_cast<size_t>(pages));
    a.tiers = K1HoldsDistributions();
    for (int k = 0; k < pages; ++k) {
        const size_t i = static_cast<size_t>(k);
        if (a.tiers) {
            required[i] =
                NonNegative(k1::incomeRequiredToBeDistributed,
                            "Schedule K-1 " + std::to_string(k + 1) + ", income required to be distributed", k);
            other[i] = NonNegative(k1::otherAmountsDistributed,
                                   "Schedule K-1 " + std::to_string(k + 1) + ", other amounts distributed", k);
        }
    }
    // A simple trust distributes its accounting income: each beneficiary its percentage of it.
    if (!a.tiers && SimpleTrust()) {
        a.tiers = true;
        for (int k = 0; k < pages; ++k)
            required[static_cast<size_t>(k)] = std::max(0.0, Store().BeneficiaryInterest.at(static_cast<size_t>(k))) *
                                               std::max(0.0, a.accountingIncome);
    }
    if (a.tiers) {
        a.requiredTotal = std::accumulate(required.begin(), required.end(), 0.0);
        a.otherTotal = std::accumulate(other.begin(), other.end(), 0.0);
        ShareByTiers(a, required, other);
        return;
    }
    // Otherwise each K-1 carries its percentage of every class, brought down together to line 18
    // as the K-1s always were.
    double percentages = 0;
    for (int k = 0; k < pages; ++k)
        percentages += std::max(0.0, Store().BeneficiaryInterest.at(static_cast<size_t>(k)));
    const double taxable = Sum(a.afterCharity, false);
    const double deduction = std::max(0.0, Amt(f1::line18Distribution));
    const double scale =
        taxable * percentages > deduction && taxable * percentages > 0 ? deduction / (taxable * percentages) : 1;
    for (int k = 0; k < pages; ++k) {
        const double share = std::max(0.0, Store().BeneficiaryInterest.at(static_cast<size_t>(k))) * scale;
        ClassAmounts amounts{};
        for (int c = 0; c < kClassCount; ++c)
            amounts[static_cast<size_t>(c)] = a.afterCharity[static_cast<size_t>(c)] * share;
        a.beneficiaries.push_back(amounts);
    }
}

// The lines the worksheet figures that a return without it holds as typed.
constexpr std::array<SlotRef, 5> kFiguredLines = {f2::scheduleALine2TaxExempt, f2::scheduleBLine2TaxExemptInterest,
                                                  f2::scheduleBLine9Required, f2::scheduleBLine10Other,
                                                  f2::scheduleBLine12TaxExempt};
constexpr std::array<SlotRef, 6> kFiguredK1Boxes = {k1::box5, k1::box6, k1::box7, k1::box8, k1::box14Code1,
                                                    k1::box14Amount1};

// Lines a preparer typed while the program left them to him, and that the worksheet now figures.
// The first run that uses the worksheet (its results still empty) marks every such line that
// holds a text overridden, so nothing typed is lost; until then the return is left as stored.
void KeepLinesTypedBeforeTheWorksheet()
{
    if (Typed(aw::accountingIncome))
        return;
    auto keep = [](SlotRef s, int k) {
        if (Typed(s, k))
            Store().SetOvRide(s.formType, k, s.slot, true);
    };
    for (SlotRef s : kFiguredLines)
        keep(s, 0);
    for (int k = 0; k < PagesOfK1(); ++k)
        for (SlotRef s : kFiguredK1Boxes)
            keep(s, k);
}

// The worksheet's entries and the K-1s' distribution amounts were all cleared since the last
// run: what it figured goes with them, as no calculation writes those lines without it. What
// the preparer typed over them (overridden) stands.
void LeaveTheWorksheet()
{
    for (const DeductionRow& row : kDeductions)
        PutTextAlways(row.taxExemptPart, std::string());
    for (SlotRef s : {aw::accountingIncome, aw::charitableTaxExemptPart, aw::distributableNetIncome,
                      aw::distributableTaxExempt})
        PutTextAlways(s, std::string());
    for (SlotRef s : kFiguredLines)
        PutTextGuarded(s, std::string());
    for (int k = 0; k < PagesOfK1(); ++k)
        for (SlotRef s : kFiguredK1Boxes)
            PutTextGuarded(s, k, std::string());
}

}  // namespace

bool ClassAllocationInUse() { return WorksheetHoldsEntries() || K1HoldsDistributions(); }

ClassAllocation FigureClassAllocation()
{
    ClassAllocation a;
    a.inUse = ClassAllocationInUse();
    if (!a.inUse)
        return a;
    const Income in = ReadIncome();
    std::vector<Deduction> deductions;
    ClassAmounts net = in.amount;
    net[kClassTaxExempt] -= NonNegative(aw::taxExemptDirectExpenses, "Tax-exempt direct expenses");
    for (const DeductionRow& row : kDeductions) {
        deductions.push_back(ReadDeduction(row, in));
        Charge(net, in, deductions.back());
    }
    MoveExcessDeductions(net);
    a.beforeCharity = net;

    // The charitable deduction is charged to every class, tax-exempt interest included, in
    // proportion to the receipts of each.
    const double gift = std::max(0.0, Amt(f2::scheduleALine1Paid));
    const double receipts = Sum(in.weight);
    for (int c = 0; c < kClassCount; ++c) {
        const size_t i = static_cast<size_t>(c);
        a.charity[i] = receipts > 0 ? gift * in.weight[i] / receipts : 0;
        net[i] -= a.charity[i];
    }
    MoveExcessDeductions(net);
    a.afterCharity = net;
    a.accountingIncome = AccountingIncome(in, deductions);
    Distribute(a);
    return a;
}

double TaxExemptPartOf(int page1Slot)
{
    if (!WorksheetHoldsEntries())
        return 0;
    for (const DeductionRow& row : kDeductions)
        if (row.line.slot == page1Slot && Typed(row.paid))
            return ReadDeduction(row, ReadIncome()).taxExemptPart;
    return 0;
}

double DeductibleFromSchedule(int page1Slot, double scheduleTotal)
{
    for (const DeductionRow& row : kDeductions)
        if (row.line.slot == page1Slot && Typed(row.paid))
            return std::max(0.0, Amt(row.paid)) - TaxExemptPartOf(page1Slot);
    return scheduleTotal;
}

void CalcAllocationWorksheet()
{
    RunCalculator(29237, [] {
        if (!ClassAllocationInUse()) {
            if (Typed(aw::accountingIncome))
                LeaveTheWorksheet();
            return;
        }
        KeepLinesTypedBeforeTheWorksheet();
        const Income in = ReadIncome();
        for (const DeductionRow& row : kDeductions) {
            const Deduction d = ReadDeduction(row, in);
            PutAlways(row.taxExemptPart, d.taxExemptPart);
            // Lines 15a and 15c take their totals from the continuation pages (Form 1041 page 1).
            if (d.paidTyped && row.line.slot != f1::line15aOther.slot && row.line.slot != f1::line15cTwoPercent.slot)
                PutGuarded(row.line, d.deductible);
        }
        const ClassAllocation a = FigureClassAllocation();
        double taxExemptDistributed = 0;
        for (const ClassAmounts& share : a.beneficiaries)
            taxExemptDistributed += share[kClassTaxExempt];
        PutAlways(aw::accountingIncome, a.accountingIncome);
        PutAlways(aw::charitableTaxExemptPart, a.charity[kClassTaxExempt]);
        PutAlways(aw::distributableNetIncome, Sum(a.afterCharity));
        PutAlways(aw::distributableTaxExempt, a.afterCharity[kClassTaxExempt]);
        if (Typed(aw::taxExemptInterestReceived)) {
            PutGuarded(f2::scheduleALine2TaxExempt, a.charity[kClassTaxExempt]);
            PutGuarded(f2::scheduleBLine2TaxExemptInterest, a.afterCharity[kClassTaxExempt]);
        } else {
            // A figure of an earlier run, the interest received since cleared: no class holds it.
            PutTextGuarded(f2::scheduleALine2TaxExempt, std::string());
            PutTextGuarded(f2::scheduleBLine2TaxExemptInterest, std::string());
        }
        if (a.tiers) {
            PutGuarded(f2::scheduleBLine9Required, a.requiredTotal);
            PutGuarded(f2::scheduleBLine10Other, a.otherTotal);
            if (a.requiredTotal > a.accountingIncome + 0.5 && WorksheetHoldsEntries())
                Complain("Income required to be distributed (" + Float2Dollar(a.requiredTotal) +
                         ", the K-1s together) is above accounting income (" + Float2Dollar(a.accountingIncome) + ").");
        }
        PutGuarded(f2::scheduleBLine12TaxExempt, taxExemptDistributed);
    });
}

}  // namespace quorvan
