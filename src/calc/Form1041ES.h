#pragma once
// Form 1041-ES: next year's estimated tax worksheet, its maximum capital gains rates worksheet
// and the four vouchers.

namespace quorvan {

void CalcEstimatedTaxWorksheet();
void CalcMaxCapGainsRatesWorksheet();
void CalcEstimatedTaxVouchers();

}  // namespace quorvan
