#pragma once
// The estimated tax penalty of an estate or trust as Form 2210 figures it: the due dates of the
// four installments of a calendar or fiscal year, the columns of Part IV Section A, and the
// penalty worksheet that charges each underpayment from its due date until it is paid.

#include <array>
#include <vector>

namespace quorvan::penalty {

// A calendar date as a count of days (any fixed origin): differences are days.
struct Day {
    int year = 0;
    int month = 0;
    int day = 0;
};
long DayNumber(const Day& date);

// The four due dates and the day the penalty stops for a tax year that begins on `yearStart`:
// the 15th of its 4th, 6th and 9th months and of the month after it ends, put off past a
// Saturday or Sunday; the 2016 calendar year has April 18 (Emancipation Day) and January 17,
// 2017 (Martin Luther King Jr. Day). The penalty stops on the return's due date, the 15th of the
// 4th month after the year put off the same way (April 18, 2017: the 15th a Saturday, the 17th
// Emancipation Day).
struct Schedule {
    std::array<Day, 4> due;
    Day end;
};
Schedule ScheduleFor(const Day& yearStart);

struct Payment {
    Day date;
    double amount = 0;  // dollars
};

// Part IV Section A, lines 18 to 26, one entry per column (whole dollars in, whole dollars out).
struct Columns {
    std::array<double, 4> line18{}, line19{}, line20{}, line21{}, line22{}, line23{}, line24{}, line25{}, line26{};
};

struct Result {
    Columns columns;
    std::array<double, 4> penalty{};  // the worksheet's penalty on each installment, dollars and cents
    double total = 0;                 // dollars and cents
};

// `required` is line 9; `withholding` (line 6) counts as paid in four equal parts on the due
// dates; `payments` are the estimated tax payments of the estate or trust in any order (a
// payment before the first due date counts on it). Each payment goes to the earliest installment
// still unpaid, and what is left of an installment is charged at the underpayment rate from its
// due date to the day paid, at the latest `paidOn` or the schedule's end: days in 2016 over 366,
// other days over 365.
// Example: installments of 4,000 and payments 4/30 2,000, 6/15 3,000, 9/15 4,000, 1/15 4,000:
// 2,000 of the first is 12 days late and 2,000 is 58; 3,000 of the second is 92 days late,
// 3,000 of the third 122 (107 in 2016, 15 in 2017), and 3,000 of the fourth is unpaid until April 18, 2017.
Result RegularMethod(const Schedule& schedule, double required, double withholding, std::vector<Payment> payments,
                     const Day& paidOn);

// Interest at the underpayment rate on `amount` from the day after `from` through `to`.
double Interest(double amount, const Day& from, const Day& to);

}  // namespace quorvan::penalty
