#pragma once
// The continuation schedules of interest, dividends, other deductions and deductions
// subject to the 2% floor; each calculator fills one page k and its total (the dividend pages
// also the total of their qualified dividends).

namespace quorvan {

void CalcInterestSchedule(int k);
void CalcDividendSchedule(int k);
void CalcOtherDeductionsSchedule(int k);
void CalcOther2Schedule(int k);

}  // namespace quorvan
