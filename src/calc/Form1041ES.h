#pragma once
// Form 1041-ES: next year's (2017) estimated tax worksheet, its maximum capital gains rates
// worksheet (which taxes expected gains and qualified dividends at their lower rates) and the
// four payment vouchers.

#include <string>

namespace quorvan {

// Worksheet lines 1 to 17; runs the maximum capital gains rates worksheet when it applies.
void CalcEstimatedTaxWorksheet();
// Lines 1 to 40 of the maximum capital gains rates worksheet (slot n holds line n).
void CalcMaxCapGainsRatesWorksheet();
// The four vouchers: installment amount, the year they pay for and the identification of the
// estate or trust.
void CalcEstimatedTaxVouchers();

// The ending date of the tax year the vouchers pay for, as MM/DD/YYYY: the year after the
// return's. A calendar year (no dates) gives 12/31/2017; a fiscal year ending 06/30/2017 gives
// 06/30/2018; with the ending date empty, the year after the one that begins on the beginning
// date. Empty, without a message, when the date it needs does not read.
std::string EstimatedTaxYearEnding(const std::string& beginning, const std::string& ending);

}  // namespace quorvan
