#pragma once
// Schedule K-1: one beneficiary's share of income, deductions and credits per page. Each income
// item of distributable net income is charged with its part of the page 1 deductions and then
// split by the beneficiary's allocation share, the K-1s together never carrying more than line
// 18; box 11 passes the excess deductions and the capital loss carryovers on a final return,
// box 12 the alternative minimum tax adjustment (code A) and its parts by class (codes B to F).

namespace quorvan {

class TAnswer;

// Fills K-1 page k (0-based) from Form 1041, Schedule D and Schedule I of the same run.
void CalcScheduleK1(int k);
// Fills K-1 pages first to end - 1, the class allocation figured once for them all.
void CalcScheduleK1Pages(int first, int end);

// Whether the dividends bear their part of the page 1 deductions on the K-1s: false when the
// beneficiaries have qualified dividends (line 2b(1)) and the other income of distributable net
// income covers every deduction (line 16), so the dividends stay whole. Only when they stay
// whole do the K-1s' boxes 2b add up to line 2b(1).
bool DividendsBearDeductions(const TAnswer& answers);

// The fraction every K-1 share is carried at so that the K-1s together carry no more than line
// 18: 1 when the shares fit, less when they hand out more (two beneficiaries at 60% of 1,000 of
// distributable net income, all of it distributed: 1,000 / 1,200). Read from `store` as its last
// recalculation left it.
double K1ShareScale(const TAnswer& store);

}  // namespace quorvan
