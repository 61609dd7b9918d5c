#include "calc/RateSchedules.h"

#include "calc/TaxYear.h"

#include <cmath>

namespace quorvan {
namespace {

// Walks the brackets; an amount equal to a limit belongs to the lower bracket. The tax is
// figured exactly in tenths of a cent (every rate of the tables is a whole number of tenths of
// a percent, every base a whole number of cents) and then rounded as the IRS rounds: amounts
// under 50 cents are dropped, 50 to 99 cents go up to the next dollar. GetTax(2,558) =
// 382.50 + 8 x 0.25 = 384.50, which is 385. No floating-point rounding mode enters the result.
template <size_t N>
long long ApplySchedule(const std::array<taxyear::Bracket, N>& schedule, long long taxableEstate)
{
    if (taxableEstate <= 0)
        return 0;
    const taxyear::Bracket* bracket = &schedule[N - 1];
    for (size_t i = 0; i + 1 < N; ++i) {
        if (taxableEstate <= schedule[i].upper) {
            bracket = &schedule[i];
            break;
        }
    }
    const long long lower = std::llround(bracket->lower);
    const long long baseCents = std::llround(bracket->base * 100);
    const long long ratePerMille = std::llround(bracket->rate * 1000);
    // 128 bits: the product stays exact for any amount a 64-bit answer can hold.
    const __int128 taxInMills = static_cast<__int128>(baseCents) * 10 +
                                static_cast<__int128>(taxableEstate - lower) * ratePerMille;
    return static_cast<long long>((taxInMills + 500) / 1000);
}

}  // namespace

long long GetTax(long long TaxableEstate)
{
    return ApplySchedule(taxyear::kTrustSchedule2016, TaxableEstate);
}

long long GetEstimatedTax(long long TaxableEstate)
{
    return ApplySchedule(taxyear::kTrustSchedule2017, TaxableEstate);
}

long long GetBankruptcyTax(long long TaxableEstate)
{
    return ApplySchedule(taxyear::kBankruptcySchedule2016, TaxableEstate);
}

}  // namespace quorvan
