#pragma once
// Form 8960: the net investment income tax of an estate or trust (Parts I to III, lines 1 to 12
// and 18a to 21), figured from Form 1041 and Schedules A and B; Schedule G line 4 reads line 21.

namespace quorvan {

// Runs after the taxable income and the capital loss limitation of this run, before Schedule G.
// Errors: message 2916 and ErrFlag.
void CalcForm8960();

// The share of an amount that belongs to investment income: total investment income (line 8)
// over total income (Form 1041, line 9), a fraction from 0 to 1. Whole dollars in; 0 when there
// is no investment income, 1 when the other income is a net loss.
double InvestmentShare(double totalInvestmentIncome, double totalIncome);

}  // namespace quorvan
