// The largest amount through a whole return: an amount beyond it counts as 0 with a message that
// names it, however it is written and wherever it stands, also where a total passes it; a total
// up to it is exact.

#include "slot/Form1041Page1.h"
#include "store/Amounts.h"
#include "support/ReturnFixture.h"

#include <gtest/gtest.h>

namespace quorvan {
namespace {

namespace f1 = quorvan::slot::form1041Page1;

using test::ReturnFixture;

struct LimitCase {
    const char* name;
    const char* line3;
    const char* line5;
    const char* line9;
    const char* named;  // the text every message names; empty: no message
};

// name | line 3 | line 5 | line 9 | named in the messages
const LimitCase kLimitCases[] = {
    {"BothAtTheLimit", "999,999,999,999", "(999,999,999,999)", "0", ""},
    {"TotalAtTheLimit", "999,999,999,998", "1", "999,999,999,999", ""},
    {"HugeExponents", "1e308", "1e308", "0", "1e308"},
    {"BeyondLongDouble", "1e5000", "", "0", "1e5000"},
    {"ManyDigits", "99,999,999,999,999", "", "0", "99,999,999,999,999"},
    // Each entry fits; their total does not, and the lines that read it say so.
    {"TotalBeyondTheLimit", "999,999,999,999", "1", "1,000,000,000,000", "1,000,000,000,000"},
};

class AmountLimit : public testing::TestWithParam<LimitCase> {};

TEST_P(AmountLimit, BeyondItCountsAsZeroAndIsNamed)
{
    const LimitCase& c = GetParam();
    ReturnFixture r;
    r.Set(f1::itemAComplexTrust, "X");
    r.Set(f1::line3Business, c.line3);
    r.Set(f1::line5Rents, c.line5);
    r.Settle();
    EXPECT_EQ(r.Get(f1::line9TotalIncome), c.line9);
    const auto& messages = r.Messages().Messages();
    if (*c.named == '\0') {
        EXPECT_TRUE(messages.empty());
        return;
    }
    ASSERT_FALSE(messages.empty());
    for (const TMessage& message : messages) {
        EXPECT_EQ(message.code, 21192u);
        EXPECT_EQ(message.extra, "\"" + std::string(c.named) +
                                     "\" is beyond the largest amount a return can hold, 999,999,999,999, and "
                                     "counts as 0. ");
    }
    // Nothing beyond the limit reaches the tax.
    EXPECT_EQ(r.Get(f1::line23TotalTax), "0");
}

INSTANTIATE_TEST_SUITE_P(Return, AmountLimit, testing::ValuesIn(kLimitCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvan
