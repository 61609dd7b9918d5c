#pragma once
// Form 1041-ES: next year's (2017) estimated tax worksheet, its maximum capital gains rates
// worksheet (which taxes expected gains and qualified dividends at their lower rates) and the
// four payment vouchers.

namespace quorvan {

// Worksheet lines 1 to 17; runs the maximum capital gains rates worksheet when it applies.
void CalcEstimatedTaxWorksheet();
// Lines 1 to 40 of the maximum capital gains rates worksheet (slot n holds line n).
void CalcMaxCapGainsRatesWorksheet();
// The four vouchers: installment amount and the identification of the estate or trust.
void CalcEstimatedTaxVouchers();

}  // namespace quorvan
