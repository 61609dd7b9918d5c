#include "calc/EstimatedTaxPenalty.h"

#include "calc/TaxYear.h"

#include <algorithm>
#include <cmath>
#include <deque>

namespace quorvan::penalty {
namespace {

bool LeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Civil date to days since 1970-01-01 (proleptic Gregorian calendar).
long DaysFromCivil(int y, int m, int d)
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

Day AddMonths(const Day& date, int months)
{
    const int index = date.year * 12 + (date.month - 1) + months;
    return Day{index / 12, index % 12 + 1, date.day};
}

// Saturday and Sunday move a due date to the Monday after.
Day PastWeekend(Day date)
{
    const long number = DayNumber(date);
    const long weekday = ((number % 7) + 7 + 4) % 7;  // 1970-01-01 was a Thursday (4); Sunday 0
    const int extra = weekday == 6 ? 2 : weekday == 0 ? 1 : 0;
    date.day += extra;
    return date;  // the 15th plus two days stays within the month
}

bool Before(const Day& a, const Day& b) { return DayNumber(a) < DayNumber(b); }

struct Outstanding {
    int installment;
    double amount;
};

}  // namespace

long DayNumber(const Day& date) { return DaysFromCivil(date.year, date.month, date.day); }

Schedule ScheduleFor(const Day& yearStart)
{
    Schedule schedule;
    const Day first{yearStart.year, yearStart.month, 15};
    if (yearStart.year == 2016 && yearStart.month == 1) {
        schedule.due = {Day{2016, 4, 18}, Day{2016, 6, 15}, Day{2016, 9, 15}, Day{2017, 1, 17}};
        schedule.end = Day{2017, 4, 18};
        return schedule;
    }
    const int months[] = {3, 5, 8, 12};
    for (size_t i = 0; i < 4; ++i)
        schedule.due[i] = PastWeekend(AddMonths(first, months[i]));
    schedule.end = PastWeekend(AddMonths(first, 15));
    return schedule;
}

double Interest(double amount, const Day& from, const Day& to)
{
    if (amount <= 0 || !Before(from, to))
        return 0;
    double yearFractions = 0;
    for (int year = from.year; year <= to.year; ++year) {
        const long start = std::max(DayNumber(from), DaysFromCivil(year, 1, 1) - 1);
        const long stop = std::min(DayNumber(to), DaysFromCivil(year, 12, 31));
        if (stop > start)
            yearFractions += double(stop - start) / (LeapYear(year) ? 366 : 365);
    }
    return amount * taxyear::kUnderpaymentRate * yearFractions;
}

Result RegularMethod(const Schedule& schedule, double required, double withholding, std::vector<Payment> payments,
                     const Day& paidOn)
{
    Result result;
    const Day end = Before(paidOn, schedule.end) ? paidOn : schedule.end;
    std::stable_sort(payments.begin(), payments.end(),
                     [](const Payment& a, const Payment& b) { return Before(a.date, b.date); });

    // Section A: line 19 of a column holds what was paid after the previous due date up to its own.
    const double installment = required / 4;
    const double withheldPart = withholding / 4;
    Columns& c = result.columns;
    for (size_t i = 0; i < 4; ++i) {
        c.line18[i] = installment;
        c.line19[i] = withheldPart;
        for (const Payment& p : payments)
            if (!Before(schedule.due[i], p.date) && (i == 0 || Before(schedule.due[i - 1], p.date)))
                c.line19[i] += p.amount;
        if (i == 0) {
            c.line23[i] = c.line19[i];
        } else {
            c.line20[i] = c.line26[i - 1];
            c.line21[i] = c.line19[i] + c.line20[i];
            c.line22[i] = c.line24[i - 1] + c.line25[i - 1];
            c.line23[i] = std::max(0.0, c.line21[i] - c.line22[i]);
            c.line24[i] = c.line23[i] == 0 ? c.line22[i] - c.line21[i] : 0;
        }
        c.line25[i] = std::max(0.0, c.line18[i] - c.line23[i]);
        c.line26[i] = std::max(0.0, c.line23[i] - c.line18[i]);
    }

    // The worksheet: payments in date order, each to the earliest installment still unpaid.
    std::deque<Outstanding> unpaid;
    double credit = 0;
    size_t next = 0;
    auto pay = [&](double amount, const Day& date) {
        while (amount > 0 && !unpaid.empty()) {
            Outstanding& due = unpaid.front();
            const double applied = std::min(amount, due.amount);
            result.penalty[due.installment] += Interest(applied, schedule.due[due.installment], date);
            due.amount -= applied;
            amount -= applied;
            if (due.amount <= 0)
                unpaid.pop_front();
        }
        credit += amount;
    };
    auto fallDue = [&](size_t i) {
        pay(withheldPart, schedule.due[i]);
        const double covered = std::min(credit, installment);
        credit -= covered;
        if (installment - covered > 0)
            unpaid.push_back({static_cast<int>(i), installment - covered});
    };
    for (const Payment& p : payments) {
        if (Before(end, p.date))
            break;
        while (next < 4 && Before(schedule.due[next], p.date))
            fallDue(next++);
        pay(p.amount, p.date);
    }
    while (next < 4 && !Before(end, schedule.due[next]))
        fallDue(next++);
    for (const Outstanding& due : unpaid)
        result.penalty[due.installment] += Interest(due.amount, schedule.due[due.installment], end);
    for (double p : result.penalty)
        result.total += p;
    return result;
}

}  // namespace quorvan::penalty
