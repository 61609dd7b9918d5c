#pragma once
// The three tax rate schedules of the return: estates and trusts, the next year's schedule for
// estimated tax, and the bankruptcy estate's. The brackets are those of calc/TaxYear.h.

namespace quorvan {

// Tax in whole dollars on a whole-dollar amount; 0 for an amount of 0 or less.
// Rounding: the exact tax in cents, 50 cents and more up to the next dollar as the IRS rounds,
// whatever the floating-point rounding mode.
long long GetTax(long long TaxableEstate);
long long GetEstimatedTax(long long TaxableEstate);
long long GetBankruptcyTax(long long TaxableEstate);

}  // namespace quorvan
