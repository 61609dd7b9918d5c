#include "calc/Form2210.h"

#include "calc/CalcSupport.h"
#include "calc/EstimatedTaxPenalty.h"
#include "calc/TaxYear.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/Form2210.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace quorvan {

using namespace calc;
using namespace slot::form2210;
namespace f1 = slot::form1041Page1;
namespace f2 = slot::form1041Page2;
using penalty::Day;
using penalty::Payment;

namespace {

constexpr SlotRef kPaymentDates[] = {paymentDate1, paymentDate2, paymentDate3, paymentDate4,
                                     paymentDate5, paymentDate6, paymentDate7, paymentDate8};
constexpr SlotRef kPaymentAmounts[] = {paymentAmount1, paymentAmount2, paymentAmount3, paymentAmount4,
                                       paymentAmount5, paymentAmount6, paymentAmount7, paymentAmount8};
constexpr SlotRef kPartIIBoxes[] = {waiverBoxA, waiverBoxB, annualizedBoxC, withholdingBoxD, jointReturnBoxE};
constexpr SlotRef kOtherEntries[] = {priorYearTax, priorYearAgiAbove150000, noFullPriorYear, dateFiled};

constexpr std::array<std::array<SlotRef, 4>, 9> kPartIV = {{
    {line18ColumnA, line18ColumnB, line18ColumnC, line18ColumnD},
    {line19ColumnA, line19ColumnB, line19ColumnC, line19ColumnD},
    {line20ColumnA, line20ColumnB, line20ColumnC, line20ColumnD},
    {line21ColumnA, line21ColumnB, line21ColumnC, line21ColumnD},
    {line22ColumnA, line22ColumnB, line22ColumnC, line22ColumnD},
    {line23ColumnA, line23ColumnB, line23ColumnC, line23ColumnD},
    {line24ColumnA, line24ColumnB, line24ColumnC, line24ColumnD},
    {line25ColumnA, line25ColumnB, line25ColumnC, line25ColumnD},
    {line26ColumnA, line26ColumnB, line26ColumnC, line26ColumnD},
}};
constexpr SlotRef kWorksheetPenalty[] = {worksheetPenaltyColumnA, worksheetPenaltyColumnB, worksheetPenaltyColumnC,
                                         worksheetPenaltyColumnD};
constexpr SlotRef kPartIII[] = {line10, line11, line12, line13, line14, line15, line16, line17Penalty};

bool Blank(SlotRef s) { return Text(s).find_first_not_of(' ') == std::string::npos; }

// The form figures only once the preparer has put something on it.
bool PageInUse()
{
    auto entered = [](SlotRef s) { return !Blank(s); };
    return std::any_of(std::begin(kPaymentDates), std::end(kPaymentDates), entered) ||
           std::any_of(std::begin(kPaymentAmounts), std::end(kPaymentAmounts), entered) ||
           std::any_of(std::begin(kPartIIBoxes), std::end(kPartIIBoxes), entered) ||
           std::any_of(std::begin(kOtherEntries), std::end(kOtherEntries), entered);
}

bool TableUsed()
{
    auto entered = [](SlotRef s) { return !Blank(s); };
    return std::any_of(std::begin(kPaymentAmounts), std::end(kPaymentAmounts), entered);
}

std::optional<Day> ReadDay(SlotRef s)
{
    Day d;
    if (!ReadAnyDate(Text(s), d.year, d.month, d.day))
        return std::nullopt;
    return d;
}

void Refuse(const std::string& what) { ShowMessageByCode(29700, what); }

std::string Quoted(SlotRef s) { return "\"" + Text(s) + "\""; }

// The payments of the table; false (after a message naming the field) when a row cannot be used.
bool ReadPayments(std::vector<Payment>& payments)
{
    bool usable = true;
    for (size_t i = 0; i < std::size(kPaymentDates); ++i) {
        const std::string row = std::to_string(i + 1);
        const bool dateBlank = Blank(kPaymentDates[i]);
        const bool amountBlank = Blank(kPaymentAmounts[i]);
        if (dateBlank && amountBlank)
            continue;
        const double amount = Amt(kPaymentAmounts[i]);
        const std::optional<Day> date = ReadDay(kPaymentDates[i]);
        if (amount < 0) {
            Refuse("payment amount " + row + " (paymentAmount" + row + ") " + Quoted(kPaymentAmounts[i]) +
                   " is below 0.");
            usable = false;
        } else if (!dateBlank && !date) {
            Refuse("payment date " + row + " (paymentDate" + row + ") " + Quoted(kPaymentDates[i]) + " is not a date.");
            usable = false;
        } else if (dateBlank) {
            Refuse("payment " + row + " has an amount but no date (paymentDate" + row + ").");
            usable = false;
        } else if (amount > 0) {
            payments.push_back({*date, amount});
        }
    }
    return usable;
}

// A 1041-T allocation (line 24b) is the beneficiaries' payment, treated as made on the last day
// of the year: it never was the estate's or trust's, so it comes off its latest payments.
void TakeOffAllocation(std::vector<Payment>& payments, double allocated)
{
    std::stable_sort(payments.begin(), payments.end(), [](const Payment& a, const Payment& b) {
        return penalty::DayNumber(a.date) < penalty::DayNumber(b.date);
    });
    for (auto it = payments.rbegin(); it != payments.rend() && allocated > 0; ++it) {
        const double taken = std::min(it->amount, allocated);
        it->amount -= taken;
        allocated -= taken;
    }
}

struct TaxYearDates {
    Day start{2016, 1, 1};
    Day end{2016, 12, 31};
    bool calendar = true;
};

TaxYearDates YearDates()
{
    TaxYearDates dates;
    if (std::optional<Day> start = ReadDay(f1::taxYearBeginning))
        dates.start = *start;
    if (std::optional<Day> end = ReadDay(f1::taxYearEnding))
        dates.end = *end;
    dates.calendar = dates.start.year == 2016 && dates.start.month == 1 && dates.start.day == 1;
    return dates;
}

// A decedent's estate (and a trust whose section 645 election makes it part of one) owes no
// penalty for a tax year that ends before the date two years after the death (item D).
bool EstateInFirstTwoYears(const TaxYearDates& dates)
{
    if (!Ticked(f1::itemADecedentsEstate) && !Ticked(f1::itemGSection645))
        return false;
    const std::optional<Day> death = ReadDay(f1::itemDDateCreated);
    if (!death)
        return false;
    const Day exemptUntil{death->year + taxyear::kEstateExemptYears, death->month, death->day};
    return penalty::DayNumber(dates.end) < penalty::DayNumber(exemptUntil);
}

// Part I; line 9, or nothing when the prior-year tax cannot be used.
std::optional<double> PartI(bool priorYearUsable)
{
    PutTextAlways(nameShownOnReturn, Text(f1::nameOfEstateOrTrust));
    PutTextAlways(identifyingNumber, Text(f1::itemCEin));
    PutGuarded(line1Tax, Amt(f2::scheduleGLine3));
    PutGuarded(line2OtherTaxes, Amt(f2::scheduleGLine4NetInvestment) + Amt(f2::scheduleGLine5Recapture) +
                                    Amt(f2::scheduleGLine6Household));
    PutGuarded(line3RefundableCredits, -Amt(f1::line24hTotal));
    PutAlways(line4CurrentYearTax, Amt(line1Tax) + Amt(line2OtherTaxes) + Amt(line3RefundableCredits));
    PutAlways(line5NinetyPercent, Amt(line4CurrentYearTax) * taxyear::kCurrentYearSafeHarbour);
    PutGuarded(line6Withholding, Amt(f1::line24eWithheld));
    PutAlways(line7, Amt(line4CurrentYearTax) - Amt(line6Withholding));
    if (!priorYearUsable) {
        PutTextAlways(line8PriorYear, std::string());
        PutTextAlways(line9Required, std::string());
        return std::nullopt;
    }
    if (Ticked(noFullPriorYear) || Blank(priorYearTax)) {
        PutTextAlways(line8PriorYear, std::string());
        PutAlways(line9Required, Amt(line5NinetyPercent));
    } else {
        const double share =
            Ticked(priorYearAgiAbove150000) ? taxyear::kPriorYearSafeHarbourHighIncome : taxyear::kPriorYearSafeHarbour;
        PutAlways(line8PriorYear, Amt(priorYearTax) * share);
        PutAlways(line9Required, Min(Amt(line5NinetyPercent), Amt(line8PriorYear)));
    }
    return Amt(line9Required);
}

void ClearPenaltyLines()
{
    for (SlotRef s : kPartIII)
        PutTextAlways(s, std::string());
    for (const auto& line : kPartIV)
        for (SlotRef s : line)
            PutTextAlways(s, std::string());
    for (SlotRef s : kWorksheetPenalty)
        PutTextAlways(s, std::string());
    PutTextAlways(line27Penalty, std::string());
}

// The short method serves a calendar year whose payments were none or four equal ones, each
// made by its due date and after the one before.
bool ShortMethodAllowed(const TaxYearDates& dates, const penalty::Schedule& schedule,
                        const std::vector<Payment>& payments)
{
    if (!dates.calendar || Ticked(annualizedBoxC) || Ticked(withholdingBoxD))
        return false;
    if (payments.empty())
        return true;
    if (payments.size() != 4)
        return false;
    for (size_t i = 0; i < 4; ++i) {
        const long paid = penalty::DayNumber(payments[i].date);
        if (payments[i].amount != payments[0].amount || paid > penalty::DayNumber(schedule.due[i]) ||
            (i > 0 && paid <= penalty::DayNumber(schedule.due[i - 1])))
            return false;
    }
    return true;
}

double ShortMethod(double required, double payments, const std::optional<Day>& filed)
{
    PutAlways(line10, required);
    PutAlways(line11, Amt(line6Withholding));
    PutAlways(line12, payments);
    PutAlways(line13, Amt(line11) + Amt(line12));
    PutAlways(line14, Amt(line10) - Amt(line13));
    if (Amt(line14) <= 0)
        return 0;
    PutAlways(line15, Amt(line14) * taxyear::kShortMethodFactor);
    const long deadline = penalty::DayNumber(Day{2017, 4, 18});
    const long early = filed ? std::max(0L, deadline - penalty::DayNumber(*filed)) : 0;
    PutAlways(line16, Amt(line14) * double(early) * taxyear::kShortMethodDailyRate);
    PutAlways(line17Penalty, std::max(0.0, Amt(line15) - Amt(line16)));
    return Amt(line17Penalty);
}

double RegularMethod(double required, const penalty::Schedule& schedule, const std::vector<Payment>& payments,
                     const std::optional<Day>& filed)
{
    const penalty::Result result =
        penalty::RegularMethod(schedule, required, Amt(line6Withholding), payments, filed ? *filed : schedule.end);
    const penalty::Columns& c = result.columns;
    const std::array<const std::array<double, 4>*, 9> lines = {&c.line18, &c.line19, &c.line20, &c.line21, &c.line22,
                                                               &c.line23, &c.line24, &c.line25, &c.line26};
    for (size_t line = 0; line < lines.size(); ++line)
        for (size_t column = 0; column < 4; ++column)
            PutAlways(kPartIV[line][column], (*lines[line])[column]);
    for (size_t column = 0; column < 4; ++column)
        PutTextAlways(kWorksheetPenalty[column], Float2Dollar(result.penalty[column]));
    PutAlways(line27Penalty, result.total);
    return Amt(line27Penalty);
}

// The penalty in whole dollars, or nothing when this version leaves it to the preparer.
std::optional<double> Penalty(double required, const std::vector<Payment>& payments, double paidTotal,
                              const std::optional<Day>& filed)
{
    const TaxYearDates dates = YearDates();
    if (Amt(line4CurrentYearTax) < taxyear::kPenaltyThreshold || Amt(line7) < taxyear::kPenaltyThreshold ||
        required <= Amt(line6Withholding) || EstateInFirstTwoYears(dates))
        return 0.0;
    // Annualized income (box C) and withholding as actually withheld (box D) are the preparer's.
    if (Ticked(annualizedBoxC) || Ticked(withholdingBoxD))
        return std::nullopt;
    const penalty::Schedule schedule = penalty::ScheduleFor(dates.start);
    if (!TableUsed() || ShortMethodAllowed(dates, schedule, payments))
        return ShortMethod(required, paidTotal, filed);
    return RegularMethod(required, schedule, payments, filed);
}

void Figure()
{
    std::vector<Payment> payments;
    bool usable = ReadPayments(payments);
    if (TableUsed()) {
        double total = 0;
        for (SlotRef amount : kPaymentAmounts)
            total += std::max(0.0, Amt(amount));
        PutGuarded(f1::line24aEstimated, total);
    }
    const bool priorYearUsable = Amt(priorYearTax) >= 0;
    if (!priorYearUsable)
        Refuse("2015 tax (priorYearTax) " + Quoted(priorYearTax) + " is below 0.");
    std::optional<Day> filed = ReadDay(dateFiled);
    if (!Blank(dateFiled) && !filed) {
        Refuse("date filed (dateFiled) " + Quoted(dateFiled) + " is not a date.");
        usable = false;
    }
    const std::optional<double> required = PartI(priorYearUsable);
    ClearPenaltyLines();
    if (!usable || !required)
        return;
    // The trust's own estimated payments: line 24c, the total less what went to beneficiaries.
    const double allocated = Amt(f1::line24bToBeneficiaries);
    TakeOffAllocation(payments, allocated);
    payments.erase(std::remove_if(payments.begin(), payments.end(), [](const Payment& p) { return p.amount <= 0; }),
                   payments.end());
    const double paidTotal = std::max(0.0, Amt(f1::line24aEstimated) - allocated);
    const std::optional<double> owed = Penalty(*required, payments, paidTotal, filed);
    if (owed)
        PutTextGuarded(f1::line26Penalty, *owed > 0 ? Float2Dollar(*owed) : std::string());
}

}  // namespace

void CalcForm2210()
{
    RunCalculator(29177, [] {
        // An unused page leaves lines 24a and 26 as they stand: as typed on a return of an
        // earlier version (kept as overrides once read) or by the preparer.
        if (PageInUse())
            Figure();
    });
}

}  // namespace quorvan
