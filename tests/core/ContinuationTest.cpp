// Continuation schedules of interest, dividends and deductions: each page's heading and total,
// and the running totals that reach Form 1041 page 1.

#include "calc/Continuation.h"
#include "support/Engine2Returns.h"
#include "slot/Form1041Page1.h"
#include "slot/Interest.h"
#include "slot/OtherDeductions.h"

#include <gtest/gtest.h>

#include <ostream>

namespace quorvan {
namespace {

namespace f1 = quorvan::slot::form1041Page1;
namespace interest = quorvan::slot::interest;
namespace otherDeductions = quorvan::slot::otherDeductions;

using test::ReturnFixture;
using test::engine2::AddContinuationPage;

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
    r.Set(interest::entries::Slot(0, interest::entries::description), "12,345");    // a description slot, not an amount
    r.Set(ftInterest, 0, 87, "99,999");  // slot-check: raw, beyond the last amount
    CalcInterestSchedule(0);
    EXPECT_EQ(r.Get(interest::total), GetParam().total);
    EXPECT_TRUE(r.Messages().Empty());
}

INSTANTIATE_TEST_SUITE_P(Amounts, ContinuationPageTotal, testing::ValuesIn(kPageTotalCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ContinuationSchedule, StampsNameNumberAndCountButKeepsOverridesExceptTheTotal)
{
    ReturnFixture r;
    r.Set(f1::nameOfEstateOrTrust, "Lindqvist Trust");
    r.Set(f1::itemCEin, "12-3456789");
    AddContinuationPage(r, ftOtherDeductions, {"100"});
    AddContinuationPage(r, ftOtherDeductions, {"200"});
    r.Override(otherDeductions::pageNumber, 1, "2a");
    r.Override(otherDeductions::total, 1, "5");
    CalcOtherDeductionsSchedule(1);
    EXPECT_EQ(r.Get(otherDeductions::nameOfEstateOrTrust, 1), "Lindqvist Trust");
    EXPECT_EQ(r.Get(otherDeductions::employerIdentificationNumber, 1), "12-3456789");
    EXPECT_EQ(r.Get(otherDeductions::pageNumber, 1), "2a");
    EXPECT_EQ(r.Get(otherDeductions::pageCount, 1), "2");
    EXPECT_EQ(r.Get(otherDeductions::total, 1), "200");
}

TEST(ContinuationSchedule, RunningTotalsReachPageOneAndFollowDeletedPages)
{
    ReturnFixture r;
    r.Set(f1::itemAComplexTrust, "X");
    AddContinuationPage(r, ftInterest, {"30,000", "10,000"});
    AddContinuationPage(r, ftInterest, {"5,000"});
    AddContinuationPage(r, ftDividend, {"7,000"});
    AddContinuationPage(r, ftOtherDeductions, {"600", "400"});
    AddContinuationPage(r, ftOther2, {"1,500"});
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(f1::line1Interest), "45,000");
    EXPECT_EQ(r.Get(f1::line2aDividends), "7,000");
    EXPECT_EQ(r.Get(f1::line15aOther), "1,000");
    // 2% floor: 1,500 - 2% of (52,000 - 1,000 - 100) = 1,500 - 1,018 = 482.
    EXPECT_EQ(r.Get(f1::line15cTwoPercent), "482");
    EXPECT_DOUBLE_EQ(r.Store().Other2Total, 1500);

    r.Store().NoOfInterest = 1;  // the preparer deleted the second interest page
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(f1::line1Interest), "40,000");
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
        EXPECT_EQ(r.Get(formType, 0, interest::total.slot), std::to_string(formType));
        EXPECT_EQ(r.Get(formType, 0, interest::pageCount.slot), "1");
    }
}

}  // namespace
}  // namespace quorvan
