// Continuation schedules of interest, dividends and deductions: each page's heading and total,
// and the running totals that reach Form 1041 page 1.

#include "calc/Continuation.h"
#include "support/Engine2Returns.h"

#include <gtest/gtest.h>

#include <ostream>

namespace quorvan {
namespace {

using test::ReturnFixture;
using test::engine2::AddContinuationPage;

constexpr int F1 = ftForm1041Page1;

struct PageTotalCase {
    const char* name;
    std::vector<std::string> amounts;
    const char* total;
};

void PrintTo(const PageTotalCase& c, std::ostream* os) { *os << c.name; }

// name | amounts in slots 5, 7, 9, ... | page total
const PageTotalCase kPageTotalCases[] = {
    {"EmptyPage", {}, "0"},
    {"HalvesRoundBeforeAdding", {"0.50", "0.50"}, "2"},
    {"SignsAndSeparators", {"(100)", "1,000", "250-", "$49.49"}, "699"},
    {"AllFortyOneAmounts", std::vector<std::string>(41, "1,000"), "41,000"},
};

class ContinuationPageTotal : public testing::TestWithParam<PageTotalCase> {};

TEST_P(ContinuationPageTotal, EachAmountIsRoundedToDollarsThenAdded)
{
    ReturnFixture r;
    AddContinuationPage(r, ftInterest, GetParam().amounts);
    r.Set(ftInterest, 0, 4, "12,345");    // a description slot, not an amount
    r.Set(ftInterest, 0, 87, "99,999");   // beyond the last amount
    CalcInterestSchedule(0);
    EXPECT_EQ(r.Get(ftInterest, 0, 86), GetParam().total);
    EXPECT_TRUE(r.Messages().Empty());
}

INSTANTIATE_TEST_SUITE_P(Amounts, ContinuationPageTotal, testing::ValuesIn(kPageTotalCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ContinuationSchedule, StampsNameNumberAndCountButKeepsOverridesExceptTheTotal)
{
    ReturnFixture r;
    r.Set(F1, 11, "Lindqvist Trust");
    r.Set(F1, 17, "12-3456789");
    AddContinuationPage(r, ftOtherDeductions, {"100"});
    AddContinuationPage(r, ftOtherDeductions, {"200"});
    r.Override(ftOtherDeductions, 1, 2, "2a");
    r.Override(ftOtherDeductions, 1, 86, "5");
    CalcOtherDeductionsSchedule(1);
    EXPECT_EQ(r.Get(ftOtherDeductions, 1, 0), "Lindqvist Trust");
    EXPECT_EQ(r.Get(ftOtherDeductions, 1, 1), "12-3456789");
    EXPECT_EQ(r.Get(ftOtherDeductions, 1, 2), "2a");
    EXPECT_EQ(r.Get(ftOtherDeductions, 1, 3), "2");
    EXPECT_EQ(r.Get(ftOtherDeductions, 1, 86), "200");
}

TEST(ContinuationSchedule, RunningTotalsReachPageOneAndFollowDeletedPages)
{
    ReturnFixture r;
    r.Set(F1, 4, "X");
    AddContinuationPage(r, ftInterest, {"30,000", "10,000"});
    AddContinuationPage(r, ftInterest, {"5,000"});
    AddContinuationPage(r, ftDividend, {"7,000"});
    AddContinuationPage(r, ftOtherDeductions, {"600", "400"});
    AddContinuationPage(r, ftOther2, {"1,500"});
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(F1, 30), "45,000");
    EXPECT_EQ(r.Get(F1, 31), "7,000");
    EXPECT_EQ(r.Get(F1, 48), "1,000");
    // 2% floor: 1,500 - 2% of (52,000 - 1,000 - 100) = 1,500 - 1,018 = 482.
    EXPECT_EQ(r.Get(F1, 49), "482");
    EXPECT_DOUBLE_EQ(r.Store().Other2Total, 1500);

    r.Store().NoOfInterest = 1;  // the preparer deleted the second interest page
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(F1, 30), "40,000");
    EXPECT_DOUBLE_EQ(r.Store().InterestTotal, 40000);
}

TEST(ContinuationSchedule, EveryKindWritesItsOwnFormType)
{
    ReturnFixture r;
    const std::pair<int, void (*)(int)> kinds[] = {
        {ftInterest, CalcInterestSchedule}, {ftDividend, CalcDividendSchedule},
        {ftOtherDeductions, CalcOtherDeductionsSchedule}, {ftOther2, CalcOther2Schedule},
    };
    for (const auto& [formType, calculate] : kinds) {
        AddContinuationPage(r, formType, {std::to_string(formType)});
        calculate(0);
        EXPECT_EQ(r.Get(formType, 0, 86), std::to_string(formType));
        EXPECT_EQ(r.Get(formType, 0, 3), "1");
    }
}

}  // namespace
}  // namespace quorvan
