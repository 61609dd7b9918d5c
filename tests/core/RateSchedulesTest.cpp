#include "calc/RateSchedules.h"

#include <gtest/gtest.h>

#include <cfenv>

namespace quorvan {
namespace {

struct TaxCase {
    const char* name;
    long long (*schedule)(long long);
    long long amount;
    long long tax;
};

// name | schedule | taxable amount | tax. The tax is figured to the cent and rounded as the IRS
// rounds: under 50 cents down, 50 cents and more up to the next dollar.
const TaxCase kTaxCases[] = {
    {"TrustNegative", GetTax, -1, 0},
    {"TrustZero", GetTax, 0, 0},
    {"TrustFirstBracket", GetTax, 1000, 150},
    {"TrustFirstLimitBelongsBelow", GetTax, 2550, 383},  // 382.50 up
    {"TrustFortyNineCentsDown", GetTax, 2549, 382},      // 382.35
    {"TrustFiftyCentsUp", GetTax, 2558, 385},            // 382.50 + 8 x 0.25 = 384.50
    {"TrustSecondLimit", GetTax, 5950, 1233},            // 1,232.50
    {"TrustThirdLimit", GetTax, 9050, 2101},             // 2,100.50
    {"TrustFourthLimit", GetTax, 12400, 3206},
    {"TrustTop", GetTax, 20000, 6216},                   // 6,215.60
    {"TrustTopOfAnyReturn", GetTax, 4294977296LL, 1700809305},  // 3,206 + 4,294,964,896 x 0.396
    {"Estimated2017Top", GetEstimatedTax, 20000, 6203},  // 3,232.50 + 7,500 x 0.396
    {"Estimated2017SecondLimit", GetEstimatedTax, 6000, 1245},
    {"Estimated2017ThirdBracket", GetEstimatedTax, 9150, 2127},
    {"BankruptcyFirstLimit", GetBankruptcyTax, 9275, 928},  // 927.50
    {"BankruptcySecondBracketHalf", GetBankruptcyTax, 37653, 5185},  // 5,183.75 + 0.75
    {"BankruptcyTopLimit", GetBankruptcyTax, 233475, 65289},
    {"BankruptcyTop", GetBankruptcyTax, 300000, 91633},   // 65,289.25 + 66,525 x 0.396
    {"BankruptcyMiddle", GetBankruptcyTax, 50000, 8271},  // 5,183.75 + 12,350 x 0.25 = 8,271.25
    {"BankruptcyNegative", GetBankruptcyTax, -5, 0},
    {"TrustBeyondThirtyTwoBits", GetTax, 4294977296LL, 1700809305LL},  // 3,206 + 4,294,964,896 x 0.396
};

class RateSchedules : public testing::TestWithParam<TaxCase> {};

TEST_P(RateSchedules, TaxOnAmount)
{
    EXPECT_EQ(GetParam().schedule(GetParam().amount), GetParam().tax);
}

INSTANTIATE_TEST_SUITE_P(Tax, RateSchedules, testing::ValuesIn(kTaxCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Restores the floating-point rounding mode it found.
class RoundingModeGuard {
public:
    RoundingModeGuard() : mode_(std::fegetround()) {}
    ~RoundingModeGuard() { std::fesetround(mode_); }

private:
    int mode_;
};

// A library or plug-in that leaves another rounding mode behind changes no tax: figured in
// doubles, GetTax(2,550) would be 382 rounding downward, since 0.15 is a hair below 15 cents.
TEST(RateSchedulesRounding, SameTaxesInEveryRoundingMode)
{
    RoundingModeGuard guard;
    for (const int mode : {FE_DOWNWARD, FE_UPWARD, FE_TOWARDZERO, FE_TONEAREST}) {
        ASSERT_EQ(std::fesetround(mode), 0) << mode;
        for (const TaxCase& c : kTaxCases)
            EXPECT_EQ(c.schedule(c.amount), c.tax) << c.name << " in rounding mode " << mode;
    }
}

}  // namespace
}  // namespace quorvan
