// The three tax rate schedules, methods of the answer store.

#include "calc/TaxYear.h"
#include "store/Answers.h"

#include <cmath>

namespace quorvan {
namespace {

// Walks the brackets; an amount equal to a limit belongs to the lower bracket. The product is
// taken in extended precision with the table's double constants and rounded to the nearest
// dollar, an exact half to the even dollar: GetTax(2,556) = (6 x 0.25 + 382.50) = 384.
template <size_t N>
long long ApplySchedule(const std::array<taxyear::Bracket, N>& schedule, long long taxableEstate)
{
    if (taxableEstate < 0)
        return 0;
    const long double amount = taxableEstate;
    const taxyear::Bracket* bracket = &schedule[N - 1];
    for (size_t i = 0; i + 1 < N; ++i) {
        if (amount <= schedule[i].upper) {
            bracket = &schedule[i];
            break;
        }
    }
    const long double tax = (amount - static_cast<long double>(bracket->lower)) *
                                static_cast<long double>(bracket->rate) +
                            static_cast<long double>(bracket->base);
    return static_cast<long long>(std::nearbyintl(tax));
}

}  // namespace

long long TAnswer::GetTax(long long TaxableEstate)
{
    return ApplySchedule(taxyear::kTrustSchedule2016, TaxableEstate);
}

long long TAnswer::GetEstimatedTax(long long TaxableEstate)
{
    return ApplySchedule(taxyear::kTrustSchedule2017, TaxableEstate);
}

long long TAnswer::GetBankruptcyTax(long long TaxableEstate)
{
    return ApplySchedule(taxyear::kBankruptcySchedule2016, TaxableEstate);
}

}  // namespace quorvan
