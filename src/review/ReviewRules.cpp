#include "review/ReviewRules.h"

#include "calc/AllocationWorksheet.h"
#include "calc/EstimatedTaxPenalty.h"
#include "calc/ScheduleK1.h"
#include "slot/CapitalLossCarryover.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/Form1041T.h"
#include "slot/Form2210.h"
#include "slot/Form8960.h"
#include "slot/Rate28Worksheet.h"
#include "slot/ScheduleDPage2.h"
#include "slot/ScheduleK1.h"
#include "store/Amounts.h"
#include "store/Dates.h"
#include "store/ScopedOpenReturn.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <string>

namespace quorvan::review {
namespace {

using Result = std::optional<std::string>;

namespace f1 = slot::form1041Page1;
namespace f2 = slot::form1041Page2;
namespace d2 = slot::scheduleDPage2;
namespace r28 = slot::rate28Worksheet;
namespace cl = slot::capitalLossCarryover;
namespace f1041t = slot::form1041T;
namespace k1 = slot::scheduleK1;
namespace f8960 = slot::form8960;
namespace f2210 = slot::form2210;

constexpr SlotRef kK1Address[] = {k1::itemGAddress1, k1::itemGAddress2, k1::itemGAddress3};
// The amounts of a K-1 the allocation figures (boxes 1 to 4c, the first three of box 11 and two of 12),
// and those the preparer types (boxes 5 to 10, the further ones of 11 and 12, 13 and 14).
constexpr SlotRef kK1AllocatedAmounts[] = {
    k1::box1Interest, k1::box2aOrdinaryDividends, k1::box2bQualifiedDividends, k1::box3ShortTermGain,
    k1::box4aLongTermGain, k1::box4b28RateGain, k1::box4cUnrecaptured1250, k1::box11Amount1,
    k1::box11Amount2, k1::box12Amount1, k1::box12Amount2, k1::box11ExcessDeductions,
};
constexpr SlotRef kK1EnteredAmounts[] = {
    k1::box5,         k1::box6,         k1::box7,         k1::box8,         k1::box9Amount1,
    k1::box9Amount2,  k1::box9Amount3,  k1::box10,        k1::box11Amount3, k1::box11Amount4,
    k1::box12Amount3, k1::box12Amount4, k1::box13Amount1, k1::box13Amount2, k1::box13Amount3,
    k1::box14Amount1, k1::box14Amount2, k1::box14Amount3, k1::box14Amount4,
};

// Amounts of a return are whole dollars; a few dollars apart is rounding, not an error.
constexpr double kRoundingPerK1Box = 0.5;
constexpr double kRoundingPerClass = 0.5;
// The 2b split may differ from the computed share by rounding and by the way a preparer figures
// it: the larger of $5 and 1% of the qualified dividends.
constexpr double kSplitToleranceDollars = 5;
constexpr double kSplitToleranceShare = 0.01;
// Shares are fractions typed as percentages with two decimals.
constexpr double kShareTolerance = 0.00005;

std::string Dollars(double amount)
{
    return Float2Dollar(amount);
}

std::string Percent(double share)
{
    return FormatFixed(share * 100, 2, false) + "%";
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string DateText(const Date& date)
{
    return std::to_string(date.month) + "/" + std::to_string(date.day) + "/" + std::to_string(date.year);
}

// --- Identification ---------------------------------------------------------------------------

Result EntityNameMissing(const ReturnReader& r, int)
{
    if (!r.Blank(f1::nameOfEstateOrTrust))
        return {};
    return "The name of the estate or trust is missing.";
}

Result FiduciaryMissing(const ReturnReader& r, int)
{
    if (!r.Blank(f1::nameAndTitleOfFiduciary))
        return {};
    return "The name and title of the fiduciary are missing.";
}

Result AddressMissing(const ReturnReader& r, int)
{
    if (!r.Blank(f1::fiduciaryStreet) || !r.Blank(f1::fiduciaryAddress2) ||
        !r.Blank(f1::fiduciaryCity))
        return {};
    return "The fiduciary's address is missing; the IRS, the K-1 and the vouchers need it.";
}

// Item A. An estate, a simple or complex trust, a bankruptcy estate and a pooled income fund
// exclude each other; a qualified disability trust, an ESBT and a grantor type trust describe a
// trust further and may be ticked beside a trust ("check all boxes that apply").
struct EntityBox {
    SlotRef box;
    const char* name;
};
constexpr EntityBox kEntityKinds[] = {{f1::itemADecedentsEstate, "decedent's estate"},
                                      {f1::itemASimpleTrust, "simple trust"},
                                      {f1::itemAComplexTrust, "complex trust"},
                                      {f1::itemABankruptcyEstateCh7, "bankruptcy estate, chapter 7"},
                                      {f1::itemABankruptcyEstateCh11, "bankruptcy estate, chapter 11"},
                                      {f1::itemAPooledIncomeFund, "pooled income fund"}};
constexpr EntityBox kTrustQualifiers[] = {{f1::itemAQualifiedDisabilityTrust, "qualified disability trust"},
                                          {f1::itemAESBT, "ESBT"},
                                          {f1::itemAGrantorTypeTrust, "grantor type trust"}};

Result EntityTypeMissing(const ReturnReader& r, int)
{
    for (const EntityBox& box : kEntityKinds)
        if (r.Ticked(box.box))
            return {};
    for (const EntityBox& box : kTrustQualifiers)
        if (r.Ticked(box.box))
            return {};
    return "No type of entity is ticked in item A.";
}

Result EntityTypesConflict(const ReturnReader& r, int)
{
    std::vector<const char*> kinds;
    for (const EntityBox& box : kEntityKinds)
        if (r.Ticked(box.box))
            kinds.push_back(box.name);
    std::vector<const char*> qualifiers;
    for (const EntityBox& box : kTrustQualifiers)
        if (r.Ticked(box.box))
            qualifiers.push_back(box.name);
    const bool trust = r.Ticked(f1::itemASimpleTrust) || r.Ticked(f1::itemAComplexTrust);
    if (kinds.size() > 1) {
        std::string text = "Item A ticks more than one type of entity: ";
        for (size_t i = 0; i < kinds.size(); ++i)
            text += std::string(i == 0 ? "" : i + 1 == kinds.size() ? " and " : ", ") + kinds[i];
        return text + ". A return is filed for one of them.";
    }
    if (kinds.size() == 1 && !trust && !qualifiers.empty())
        return std::string("Item A ticks ") + qualifiers.front() + " beside " + kinds.front() +
               "; that box describes a trust.";
    return {};
}

Result EinMalformed(const ReturnReader& r, int)
{
    const std::string ein = Trim(r.Text(f1::itemCEin));
    if (IsEmployerIdentificationNumber(ein))
        return {};
    std::string lower = ein;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    if (lower == "applied for")
        return {};
    if (ein.empty())
        return "The employer identification number is missing. If it has been applied for and has not come "
               "yet, write \"Applied for\".";
    return "The employer identification number " + Quoted(ein) + " is not of the form 12-3456789.";
}

Result EinAppliedFor(const ReturnReader& r, int)
{
    std::string ein = Trim(r.Text(f1::itemCEin));
    std::transform(ein.begin(), ein.end(), ein.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ein != "applied for")
        return {};
    return "The employer identification number has been applied for; enter it here when it comes.";
}

// --- Tax year ---------------------------------------------------------------------------------

constexpr int kTaxYear = 2016;

// Both dates of the heading, when both read.
bool TaxYearDates(const ReturnReader& r, Date& begin, Date& end)
{
    return ReadDate(r.Text(f1::taxYearBeginning), begin) && ReadDate(r.Text(f1::taxYearEnding), end);
}

bool IsCalendarYear(const Date& begin, const Date& end)
{
    return begin.month == 1 && begin.day == 1 && end.month == 12 && end.day == 31 && begin.year == end.year;
}

Result DateUnreadable(const ReturnReader& r, SlotRef field, const char* which)
{
    const std::string& text = r.Text(field);
    Date date;
    if (r.Blank(field) || ReadDate(text, date))
        return {};
    return std::string("The ") + which + " date of the tax year, " + Quoted(Trim(text)) +
           ", is not a date (month/day/year).";
}

Result BeginDateUnreadable(const ReturnReader& r, int) { return DateUnreadable(r, f1::taxYearBeginning, "beginning"); }
Result EndDateUnreadable(const ReturnReader& r, int) { return DateUnreadable(r, f1::taxYearEnding, "ending"); }

// Both dates empty is a calendar year return; one without the other is not.
Result BeginDateMissing(const ReturnReader& r, int)
{
    if (!r.Blank(f1::taxYearBeginning) || r.Blank(f1::taxYearEnding))
        return {};
    return "The tax year has an ending date but no beginning date.";
}

Result EndDateMissing(const ReturnReader& r, int)
{
    if (r.Blank(f1::taxYearBeginning) || !r.Blank(f1::taxYearEnding))
        return {};
    return "The tax year has a beginning date but no ending date.";
}

Result EndBeforeBeginning(const ReturnReader& r, int)
{
    Date begin, end;
    if (!TaxYearDates(r, begin, end) || DayNumber(end) >= DayNumber(begin))
        return {};
    return "The tax year ends (" + DateText(end) + ") before it begins (" + DateText(begin) + ").";
}

Result CalendarYearNot2016(const ReturnReader& r, int)
{
    Date begin, end;
    if (!TaxYearDates(r, begin, end) || !IsCalendarYear(begin, end) || begin.year == kTaxYear)
        return {};
    return "The dates give calendar year " + std::to_string(begin.year) +
           "; this return is for calendar year 2016 or a fiscal year beginning in 2016.";
}

Result FiscalYearNotBeginningIn2016(const ReturnReader& r, int)
{
    Date begin, end;
    if (!TaxYearDates(r, begin, end) || IsCalendarYear(begin, end) || begin.year == kTaxYear)
        return {};
    return "The tax year begins " + DateText(begin) +
           "; this return is for calendar year 2016 or a fiscal year beginning in 2016.";
}

Result LongerThanTwelveMonths(const ReturnReader& r, int)
{
    Date begin, end;
    if (!TaxYearDates(r, begin, end))
        return {};
    // The year may end at the latest the day before the same date a year later (a year from
    // February 29 ends on February 28).
    Date anniversary{begin.year + 1, begin.month, begin.day};
    if (begin.month == 2 && begin.day == 29)
        anniversary = {begin.year + 1, 3, 1};
    if (DayNumber(end) < DayNumber(anniversary))
        return {};
    return "The tax year from " + DateText(begin) + " to " + DateText(end) + " is longer than twelve months.";
}

// Trusts use the calendar year, except tax-exempt and section 4947(a)(1) trusts and a trust
// whose estate made the section 645 election; estates choose their year.
Result TrustWithFiscalYear(const ReturnReader& r, int)
{
    Date begin, end;
    if (!TaxYearDates(r, begin, end) || IsCalendarYear(begin, end) || DayNumber(end) < DayNumber(begin))
        return {};
    if (!(r.Ticked(f1::itemASimpleTrust) || r.Ticked(f1::itemAComplexTrust)) ||
        r.Ticked(f1::itemADecedentsEstate) || r.Ticked(f1::itemE4947a1) ||
        r.Ticked(f1::itemGSection645))
        return {};
    return "A trust must generally use the calendar year, and this one has the tax year " + DateText(begin) +
           " to " + DateText(end) +
           ". Only tax-exempt and section 4947(a)(1) trusts, and a trust under a section 645 election, may use "
           "a fiscal year.";
}

// --- Income and distributions ------------------------------------------------------------------

Result QualifiedAboveOrdinaryDividends(const ReturnReader& r, int)
{
    const double qualified = r.Amount(f1::line2b1QualifiedToBeneficiaries) +
                             r.Amount(f1::line2b2QualifiedToEstate);
    const double ordinary = r.Amount(f1::line2aDividends);
    if (qualified <= ordinary)
        return {};
    return "Qualified dividends (lines 2b(1) and 2b(2) together, " + Dollars(qualified) +
           ") are more than the total ordinary dividends of line 2a (" + Dollars(ordinary) + ").";
}

Result DistributionWithoutK1(const ReturnReader& r, int)
{
    const double deduction = r.Amount(f1::line18Distribution);
    if (deduction <= 0 || r.K1Pages() > 0)
        return {};
    return "An income distribution deduction of " + Dollars(deduction) +
           " is claimed but the return has no Schedule K-1. Add one for each beneficiary (Display > Schedule "
           "K-1 > New).";
}

// The IRS asks for the beneficiaries' share of the qualified dividends on line 2b(1): the
// qualified dividends in the proportion of the distribution deduction (line 18) to the
// distributable net income (Schedule B, line 7).
// Example: qualified dividends 4,200, line 18 6,880 and DNI 6,880 give 2b(1) 4,200 and 2b(2) 0.
Result QualifiedDividendSplit(const ReturnReader& r, int)
{
    const double toBeneficiaries = r.Amount(f1::line2b1QualifiedToBeneficiaries);
    const double qualified = toBeneficiaries + r.Amount(f1::line2b2QualifiedToEstate);
    if (qualified <= 0)
        return {};
    const double deduction = r.Amount(f1::line18Distribution);
    const double dni = r.Amount(f2::scheduleBLine7Dni);
    const double share = dni > 0 ? std::clamp(deduction / dni, 0.0, 1.0) : 0.0;
    const double expected = qualified * share;
    const double tolerance = std::max(kSplitToleranceDollars, kSplitToleranceShare * qualified);
    if (std::fabs(toBeneficiaries - expected) <= tolerance)
        return {};
    return "Line 2b(1) gives the beneficiaries " + Dollars(toBeneficiaries) + " of the " + Dollars(qualified) +
           " of qualified dividends; their share in the proportion of line 18 (" + Dollars(deduction) +
           ") to distributable net income (Schedule B, line 7: " + Dollars(dni) + ") is " + Dollars(expected) +
           ", which leaves " + Dollars(qualified - std::round(expected)) + " on line 2b(2).";
}

// --- Schedule K-1 ------------------------------------------------------------------------------

// An amount of the preparer's own: an allocated amount overridden, or any entered one.
bool HasOwnAmounts(const ReturnReader& r, int k)
{
    for (SlotRef box : kK1AllocatedAmounts)
        if (r.Store().OvRide(box.formType, k, box.slot) && r.Amount(box, k) != 0)
            return true;
    for (SlotRef box : kK1EnteredAmounts)
        if (r.Amount(box, k) != 0)
            return true;
    return false;
}

Result SharesAboveHundredPercent(const ReturnReader& r, int)
{
    double total = 0;
    for (int k = 0; k < r.K1Pages(); ++k)
        if (r.Share(k) > 0)
            total += r.Share(k);
    if (total <= 1 + kShareTolerance)
        return {};
    return "The beneficiaries' percentages add up to " + Percent(total) +
           "; together they may not exceed 100%. Correct them with Options > K-1 Allocation Dialog.";
}

// The percentages are shares of distributable net income; when they hand out more than the
// deduction on line 18, the K-1s are brought down together to carry line 18.
Result SharesCarriedBelowPercentages(const ReturnReader& r, int)
{
    if (r.K1Pages() == 0)
        return {};
    const double scale = K1ShareScale(r.Store());
    if (!(scale < 1))
        return {};
    return "Together the shares hand out more than line 18; each K-1 carries its part of line 18 (" + Percent(scale) +
           " of its percentage).";
}

Result NoShareAndNoOwnAmounts(const ReturnReader& r, int k)
{
    if (r.Share(k) >= 0 || HasOwnAmounts(r, k))
        return {};
    return "This Schedule K-1 has neither a percentage nor amounts of your own: choose a percentage in the "
           "K-1 Allocation Dialog, or choose \"Not applicable\" there and type the beneficiary's amounts.";
}

Result OwnAmounts(const ReturnReader& r, int k)
{
    if (r.Share(k) >= 0 || !HasOwnAmounts(r, k))
        return {};
    return "The amounts of this Schedule K-1 are typed by hand instead of figured from a percentage.";
}

Result BeneficiaryNumberMalformed(const ReturnReader& r, int k)
{
    const std::string number = Trim(r.Text(k1::itemFIdentifyingNumber, k));
    if (IsSocialSecurityNumber(number) || IsEmployerIdentificationNumber(number))
        return {};
    if (number.empty())
        return "The beneficiary's identifying number is missing.";
    return "The beneficiary's identifying number " + Quoted(number) +
           " is neither a social security number (123-45-6789) nor an employer identification number (12-3456789).";
}

Result BeneficiaryNameMissing(const ReturnReader& r, int k)
{
    if (!r.Blank(k1::itemGName, k))
        return {};
    return "The beneficiary's name is missing.";
}

Result BeneficiaryAddressMissing(const ReturnReader& r, int k)
{
    for (SlotRef line : kK1Address)
        if (!r.Blank(line, k))
            return {};
    return "The beneficiary's address is missing.";
}

double SumOverK1Pages(const ReturnReader& r, std::initializer_list<SlotRef> boxes)
{
    double total = 0;
    for (int k = 0; k < r.K1Pages(); ++k)
        for (SlotRef box : boxes)
            total += r.Amount(box, k);
    return total;
}

// The income the beneficiaries report is the income the return deducts on line 18: with the
// percentages adding up to 100% and distributions at least DNI, boxes 1, 2a, 3 and 4a of all
// K-1s add up to line 18. Boxes 5 to 8 hold the other classes of income a preparer enters.
Result K1IncomeApartFromDeduction(const ReturnReader& r, int)
{
    const int pages = r.K1Pages();
    if (pages == 0)
        return {};
    const double boxes = SumOverK1Pages(r, {k1::box1Interest, k1::box2aOrdinaryDividends, k1::box3ShortTermGain,
                                            k1::box4aLongTermGain, k1::box5, k1::box6, k1::box7, k1::box8});
    const double deduction = r.Amount(f1::line18Distribution);
    // Four computed boxes a page, each rounded to the dollar.
    if (std::fabs(boxes - deduction) <= 4 * kRoundingPerK1Box * pages)
        return {};
    return "The income boxes of the Schedules K-1 (1, 2a, 3, 4a and 5 to 8) add up to " + Dollars(boxes) +
           ", while the income distribution deduction on line 18 is " + Dollars(deduction) + ".";
}

// Box 2b is the qualified part of box 2a. While the dividends stay whole (the other income
// covers the deductions) the K-1s' boxes 2b add up to line 2b(1); once the dividends bear their
// part of the deductions, they add up to the qualified part of the boxes 2a instead (dividends
// of 20,000, 15,000 qualified, with boxes 2a of 16,667: boxes 2b 12,500, not 15,000).
Result K1QualifiedDividendsApartFromLine2b1(const ReturnReader& r, int)
{
    const int pages = r.K1Pages();
    if (pages == 0)
        return {};
    const double boxes = SumOverK1Pages(r, {k1::box2bQualifiedDividends});
    const double tolerance = 2 * kRoundingPerK1Box * pages;
    if (!DividendsBearDeductions(r.Store())) {
        const double line2b1 = r.Amount(f1::line2b1QualifiedToBeneficiaries);
        if (std::fabs(boxes - line2b1) <= tolerance)
            return {};
        return "Box 2b of the Schedules K-1 adds up to " + Dollars(boxes) +
               ", while line 2b(1) gives the beneficiaries " + Dollars(line2b1) + " of qualified dividends.";
    }
    const double ordinary = r.Amount(f1::line2aDividends);
    const double qualified = r.Amount(f1::line2b1QualifiedToBeneficiaries) + r.Amount(f1::line2b2QualifiedToEstate);
    const double ratio = ordinary > 0 ? std::clamp(qualified / ordinary, 0.0, 1.0) : 0.0;
    const double expected = SumOverK1Pages(r, {k1::box2aOrdinaryDividends}) * ratio;
    if (std::fabs(boxes - expected) <= tolerance)
        return {};
    return "Box 2b of the Schedules K-1 adds up to " + Dollars(boxes) +
           ", while the qualified part of their boxes 2a (the dividends bear part of the deductions) is " +
           Dollars(expected) + ".";
}

Result FinalReturnCarryoversWithoutK1(const ReturnReader& r, int)
{
    if (!r.Ticked(f1::itemFFinalReturn) || r.K1Pages() > 0)
        return {};
    const double shortTerm = r.Amount(cl::line9);
    const double longTerm = r.Amount(cl::line14);
    if (shortTerm <= 0 && longTerm <= 0)
        return {};
    return "This final return has capital loss carryovers (short-term " + Dollars(shortTerm) + ", long-term " +
           Dollars(longTerm) +
           ") but no Schedule K-1; on a final return they pass to the beneficiaries (Schedule K-1, box 11, "
           "codes B and C).";
}

// --- Allocation worksheet ----------------------------------------------------------------------

// The classes of distributable net income as the allocation worksheet figures them, read through
// the open return; `store` stands in for it while they are read, read only.
ClassAllocation ClassesOf(const TAnswer& store)
{
    const ScopedOpenReturn reading(const_cast<TAnswer&>(store));
    try {
        return FigureClassAllocation();
    } catch (const std::exception&) {
        return {};  // a store without the pages read: nothing to compare
    }
}

// The K-1s carry distributable net income class by class, while the return deducts from line 7;
// the two part when a line the worksheet does not charge lowers line 7 (a net operating loss
// deduction on line 15b) or when Schedule B line 2 or a deduction line is overridden. The classes
// are unrounded, the lines whole dollars: half a dollar a class is rounding.
Result ClassesApartFromLine7(const ReturnReader& r, int)
{
    const ClassAllocation a = ClassesOf(r.Store());
    if (!a.inUse)
        return {};
    double taxable = 0;
    for (int c = 0; c < kClassTaxExempt; ++c)
        taxable += a.afterCharity[static_cast<size_t>(c)];
    const double taxExempt = a.afterCharity[kClassTaxExempt];
    const double line7 = r.Amount(f2::scheduleBLine7Dni);
    if (std::fabs(taxable + taxExempt - line7) <= kClassCount * kRoundingPerClass)
        return {};
    return "The classes of distributable net income on the allocation worksheet add up to " +
           Dollars(taxable + taxExempt) + " (taxable classes " + Dollars(taxable) + ", tax-exempt interest " +
           Dollars(taxExempt) + "), while Schedule B, line 7 is " + Dollars(line7) +
           ": the Schedules K-1 hand out the classes, the return deducts from line 7.";
}

bool HoldsDistributionAmounts(const ReturnReader& r, int k)
{
    return !r.Blank(k1::incomeRequiredToBeDistributed, k) || !r.Blank(k1::otherAmountsDistributed, k);
}

// Once one K-1 holds distribution amounts the tier system shares distributable net income among
// the K-1s by their amounts: a K-1 with a percentage and no amounts carries nothing, which may be
// meant (a beneficiary paid nothing this year) or an amount not typed.
Result PercentageUnusedBesideTiers(const ReturnReader& r, int k)
{
    if (r.Share(k) <= 0 || HoldsDistributionAmounts(r, k))
        return {};
    for (int other = 0; other < r.K1Pages(); ++other)
        if (HoldsDistributionAmounts(r, other))
            return "Other Schedules K-1 hold distribution amounts and this one none: it carries no distributable net "
                   "income, and its percentage of " +
                   Percent(r.Share(k)) + " is not used. Type the amounts paid to this beneficiary, or 0.";
    return {};
}

// --- Capital gains and payments ---------------------------------------------------------------

Result Rate28WorksheetApartFromScheduleD(const ReturnReader& r, int)
{
    const double worksheet = r.Amount(r28::line7);
    const double scheduleD = r.Amount(d2::line18cTotal);
    if (worksheet == scheduleD)
        return {};
    return "Line 18c, column (3), is " + Dollars(scheduleD) + " while line 7 of the 28% Rate Gain Worksheet is " +
           Dollars(worksheet) + "; enter the worksheet's figure on line 18c, split between the beneficiaries "
           "(column (1)) and the estate or trust (column (2)).";
}

Result EstimatedTaxAllocationApartFrom1041T(const ReturnReader& r, int)
{
    const double line24b = r.Amount(f1::line24bToBeneficiaries);
    const double form1041T = r.Amount(f1041t::line4TotalAllocated);
    if (line24b == form1041T)
        return {};
    if (form1041T == 0)
        return "Line 24b allocates " + Dollars(line24b) +
               " of estimated tax to beneficiaries, but Form 1041-T allocates none; the allocation is made "
               "on Form 1041-T.";
    if (line24b == 0)
        return "Form 1041-T allocates " + Dollars(form1041T) +
               " of estimated tax to beneficiaries, but line 24b shows none.";
    return "Line 24b allocates " + Dollars(line24b) + " of estimated tax to beneficiaries, Form 1041-T " +
           Dollars(form1041T) + ".";
}

// --- Form 8960 ----------------------------------------------------------------------------------

// A bankruptcy estate owes the net investment income tax as a married individual filing
// separately (Form 8960, lines 13 to 17), which the program leaves to the preparer.
Result BankruptcyEstateNetInvestmentIncomeTax(const ReturnReader& r, int)
{
    const SlotRef line4 = f2::scheduleGLine4NetInvestment;
    const bool bankruptcyEstate = r.Ticked(f1::itemABankruptcyEstateCh7) || r.Ticked(f1::itemABankruptcyEstateCh11);
    const double netInvestmentIncome = r.Amount(f8960::line12NetInvestmentIncome);
    if (!bankruptcyEstate || netInvestmentIncome <= 0 || r.Store().OvRide(line4.formType, 0, line4.slot))
        return {};
    return "A bankruptcy estate with net investment income of " + Dollars(netInvestmentIncome) +
           " figures the net investment income tax as a married individual filing separately, on Form 8960, lines "
           "13 to 17, which the program does not figure; override line 4 and type the tax, or 0.";
}

// --- Form 2210 -----------------------------------------------------------------------------------

constexpr SlotRef kPaymentDates[] = {f2210::paymentDate1, f2210::paymentDate2, f2210::paymentDate3,
                                     f2210::paymentDate4, f2210::paymentDate5, f2210::paymentDate6,
                                     f2210::paymentDate7, f2210::paymentDate8};
constexpr SlotRef kPaymentAmounts[] = {f2210::paymentAmount1, f2210::paymentAmount2, f2210::paymentAmount3,
                                       f2210::paymentAmount4, f2210::paymentAmount5, f2210::paymentAmount6,
                                       f2210::paymentAmount7, f2210::paymentAmount8};

// Line 24a follows the payments table unless the preparer overrode it.
Result PaymentsTableApartFromLine24a(const ReturnReader& r, int)
{
    double total = 0;
    bool used = false;
    for (SlotRef amount : kPaymentAmounts) {
        used = used || !r.Blank(amount);
        total += std::max(0.0, r.Amount(amount));
    }
    const double line24a = r.Amount(f1::line24aEstimated);
    if (!used || std::fabs(total - line24a) < 0.5)
        return {};
    return "The Form 2210 payments table adds up to " + Dollars(total) + ", line 24a holds " + Dollars(line24a) +
           ": the penalty is figured from the table.";
}

// A payment of this year's estimated tax is made from the start of the tax year (a prior-year
// overpayment applied counts on the first due date) until the penalty stops, the 15th day of
// the 4th month after the year.
Result PaymentOutsideTheYear(const ReturnReader& r, int)
{
    penalty::Day start{2016, 1, 1};
    ReadAnyDate(r.Text(f1::taxYearBeginning), start.year, start.month, start.day);
    const penalty::Day end = penalty::ScheduleFor(start).end;
    for (size_t i = 0; i < std::size(kPaymentDates); ++i) {
        penalty::Day paid;
        if (!ReadAnyDate(r.Text(kPaymentDates[i]), paid.year, paid.month, paid.day))
            continue;
        const long day = penalty::DayNumber(paid);
        if (day < penalty::DayNumber(start) || day > penalty::DayNumber(end))
            return "Form 2210 payment " + std::to_string(i + 1) + " is dated " + Trim(r.Text(kPaymentDates[i])) +
                   ", outside the tax year and the months after it in which estimated tax is paid; date a prior-year "
                   "overpayment applied on the first due date.";
    }
    return {};
}

Result PenaltyWithWaiverOfAll(const ReturnReader& r, int)
{
    const double line26 = r.Amount(f1::line26Penalty);
    if (!r.Ticked(f2210::waiverBoxA) || line26 <= 0)
        return {};
    return "Form 2210 box A asks for a waiver of the whole penalty, yet line 26 holds " + Dollars(line26) +
           ": override line 26 with 0 if the waiver is asked for, or untick box A.";
}

// Annualized income (box C) and withholding as actually withheld (box D) are left to the preparer.
Result PenaltyLeftToPreparer(const ReturnReader& r, int)
{
    const bool boxC = r.Ticked(f2210::annualizedBoxC);
    if ((!boxC && !r.Ticked(f2210::withholdingBoxD)) ||
        r.Store().OvRide(f1::line26Penalty.formType, 0, f1::line26Penalty.slot))
        return {};
    return std::string("Form 2210 box ") + (boxC ? "C" : "D") +
           " is ticked: the program does not figure that penalty; override line 26 and type the penalty you "
           "figured, or 0.";
}

// Other Information questions 2 to 5, 9 and 10 take a Yes or a No on every return; a question
// left with neither box ticked is unanswered (both ticked is no answer either).
template <int question, int yesSlot, int noSlot>
Result OtherInformationUnanswered(const ReturnReader& r, int)
{
    if (r.Ticked(f2::kFormType, yesSlot) != r.Ticked(f2::kFormType, noSlot))
        return {};
    return "Other Information question " + std::to_string(question) + " needs a Yes or a No.";
}

}  // namespace

const std::vector<ReviewRule>& ReviewRules()
{
    using S = Severity;
    using P = Scope;
    // id | severity | pages | field | line | test
    static const std::vector<ReviewRule> rules = {
        {"f1041.name", S::Error, P::Return, f1::nameOfEstateOrTrust, "Name of estate or trust", EntityNameMissing},
        {"f1041.fiduciary", S::Error, P::Return, f1::nameAndTitleOfFiduciary, "Name and title of fiduciary",
         FiduciaryMissing},
        {"f1041.entity-type", S::Error, P::Return, f1::itemADecedentsEstate, "item A", EntityTypeMissing},
        {"f1041.entity-types", S::Error, P::Return, f1::itemADecedentsEstate, "item A", EntityTypesConflict},
        {"f1041.ein", S::Error, P::Return, f1::itemCEin, "item C", EinMalformed},
        {"year.begin-unreadable", S::Error, P::Return, f1::taxYearBeginning, "tax year beginning", BeginDateUnreadable},
        {"year.end-unreadable", S::Error, P::Return, f1::taxYearEnding, "tax year ending", EndDateUnreadable},
        {"year.begin-missing", S::Error, P::Return, f1::taxYearBeginning, "tax year beginning", BeginDateMissing},
        {"year.end-missing", S::Error, P::Return, f1::taxYearEnding, "tax year ending", EndDateMissing},
        {"year.order", S::Error, P::Return, f1::taxYearEnding, "tax year ending", EndBeforeBeginning},
        {"year.calendar", S::Error, P::Return, f1::taxYearBeginning, "tax year beginning", CalendarYearNot2016},
        {"year.fiscal", S::Error, P::Return, f1::taxYearBeginning, "tax year beginning", FiscalYearNotBeginningIn2016},
        {"year.length", S::Error, P::Return, f1::taxYearEnding, "tax year ending", LongerThanTwelveMonths},
        {"f1041.qualified-dividends", S::Error, P::Return, f1::line2b1QualifiedToBeneficiaries, "line 2b(1)",
         QualifiedAboveOrdinaryDividends},
        {"f1041.distribution-without-k1", S::Error, P::Return, f1::line18Distribution, "line 18",
         DistributionWithoutK1},
        {"k1.percentages", S::Error, P::Return, k1::box1Interest, "box 1", SharesAboveHundredPercent},
        {"k1.no-share", S::Error, P::EachK1Page, k1::box1Interest, "box 1", NoShareAndNoOwnAmounts},
        {"k1.identifying-number", S::Error, P::EachK1Page, k1::itemFIdentifyingNumber, "item F",
         BeneficiaryNumberMalformed},

        {"f1041.ein-applied-for", S::Warning, P::Return, f1::itemCEin, "item C", EinAppliedFor},
        {"f1041.address", S::Warning, P::Return, f1::fiduciaryStreet, "address", AddressMissing},
        {"year.trust-fiscal", S::Warning, P::Return, f1::taxYearBeginning, "tax year beginning", TrustWithFiscalYear},
        {"k1.income-total", S::Warning, P::Return, f1::line18Distribution, "line 18", K1IncomeApartFromDeduction},
        {"sched-b.classes-line-7", S::Warning, P::Return, f2::scheduleBLine7Dni, "Schedule B, line 7",
         ClassesApartFromLine7},
        {"k1.qualified-dividends-total", S::Warning, P::Return, f1::line2b1QualifiedToBeneficiaries, "line 2b(1)",
         K1QualifiedDividendsApartFromLine2b1},
        {"f1041.qualified-dividends-split", S::Warning, P::Return, f1::line2b1QualifiedToBeneficiaries, "line 2b(1)",
         QualifiedDividendSplit},
        {"sched-d.rate-28", S::Warning, P::Return, d2::line18cBeneficiaries, "line 18c",
         Rate28WorksheetApartFromScheduleD},
        {"f1041.estimated-tax-allocation", S::Warning, P::Return, f1::line24bToBeneficiaries, "line 24b",
         EstimatedTaxAllocationApartFrom1041T},
        {"k1.final-carryovers", S::Warning, P::Return, f1::itemFFinalReturn, "item F, Final return",
         FinalReturnCarryoversWithoutK1},
        {"f8960.bankruptcy-estate", S::Warning, P::Return, f2::scheduleGLine4NetInvestment, "Schedule G, line 4",
         BankruptcyEstateNetInvestmentIncomeTax},
        {"f2210.payments-line-24a", S::Warning, P::Return, f1::line24aEstimated, "line 24a",
         PaymentsTableApartFromLine24a},
        {"f2210.payment-date", S::Warning, P::Return, f2210::paymentDate1, "Form 2210 payments", PaymentOutsideTheYear},
        {"f2210.waiver-box-a", S::Warning, P::Return, f1::line26Penalty, "line 26", PenaltyWithWaiverOfAll},
        {"f2210.penalty-left", S::Warning, P::Return, f1::line26Penalty, "line 26", PenaltyLeftToPreparer},
        {"k1.percentage-beside-tiers", S::Warning, P::EachK1Page, k1::incomeRequiredToBeDistributed,
         "Income required to be distributed", PercentageUnusedBesideTiers},
        {"k1.beneficiary-name", S::Warning, P::EachK1Page, k1::itemGName, "item G", BeneficiaryNameMissing},
        {"k1.beneficiary-address", S::Warning, P::EachK1Page, kK1Address[0], "item G", BeneficiaryAddressMissing},

        {"f1041.other-info-2", S::Warning, P::Return, f2::otherInformationLine2Yes, "Other Information, question 2",
         OtherInformationUnanswered<2, f2::otherInformationLine2Yes.slot, f2::otherInformationLine2No.slot>},
        {"f1041.other-info-3", S::Warning, P::Return, f2::otherInformationLine3Yes, "Other Information, question 3",
         OtherInformationUnanswered<3, f2::otherInformationLine3Yes.slot, f2::otherInformationLine3No.slot>},
        {"f1041.other-info-4", S::Warning, P::Return, f2::otherInformationLine4Yes, "Other Information, question 4",
         OtherInformationUnanswered<4, f2::otherInformationLine4Yes.slot, f2::otherInformationLine4No.slot>},
        {"f1041.other-info-5", S::Warning, P::Return, f2::otherInformationLine5Yes, "Other Information, question 5",
         OtherInformationUnanswered<5, f2::otherInformationLine5Yes.slot, f2::otherInformationLine5No.slot>},
        {"f1041.other-info-9", S::Warning, P::Return, f2::otherInformationLine9Yes, "Other Information, question 9",
         OtherInformationUnanswered<9, f2::otherInformationLine9Yes.slot, f2::otherInformationLine9No.slot>},
        {"f1041.other-info-10", S::Warning, P::Return, f2::otherInformationLine10Yes, "Other Information, question 10",
         OtherInformationUnanswered<10, f2::otherInformationLine10Yes.slot, f2::otherInformationLine10No.slot>},
        {"k1.shares-scaled", S::Note, P::Return, f1::line18Distribution, "line 18", SharesCarriedBelowPercentages},
        {"k1.own-amounts", S::Note, P::EachK1Page, k1::box1Interest, "box 1", OwnAmounts},
    };
    return rules;
}

}  // namespace quorvan::review
