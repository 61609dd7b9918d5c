// Form 1041 page 2: Schedule A, Schedule B, Schedule G and Other Information line 1, alone and
// through the driver where the tax depends on the other schedules.

#include "calc/Form1041Page2.h"
#include "support/Engine2Returns.h"

#include <gtest/gtest.h>

#include <ostream>

namespace quorvan {
namespace {

using test::ReturnFixture;
using test::engine2::AddContinuationPage;
using test::engine2::HandWorkedReturnNamed;

constexpr int F1 = ftForm1041Page1;
constexpr int F2 = ftForm1041Page2;

TEST(ScheduleA, CharitableDeductionIsNeverNegative)
{
    ReturnFixture r;
    r.Set(F2, 0, "10,000");
    r.Set(F2, 1, "1,000");
    r.Set(F2, 3, "2,000");
    r.Set(F2, 5, "500");
    CalcScheduleA();
    EXPECT_EQ(r.Get(F2, 2), "9,000");
    EXPECT_EQ(r.Get(F2, 4), "11,000");
    EXPECT_EQ(r.Get(F2, 6), "10,500");

    r.Set(F2, 0, "1,000");
    r.Set(F2, 1, "4,000");
    CalcScheduleA();
    EXPECT_EQ(r.Get(F2, 2), "-3,000");
    EXPECT_EQ(r.Get(F2, 4), "-1,000");
    EXPECT_EQ(r.Get(F2, 6), "0");
}

struct AdjustedTotalCase {
    const char* name;
    const char* line4;
    const char* line17;
    const char* scheduleBLine1;
};

void PrintTo(const AdjustedTotalCase& c, std::ostream* os) { *os << c.name; }

// name | page 1 line 4 | page 1 line 17 | Schedule B line 1
const AdjustedTotalCase kAdjustedTotalCases[] = {
    {"BothLossesTakeTheSmallerLoss", "-5,000", "-2,000", "-2,000"},
    {"LossOfLineFourIsTheSmaller", "-1,000", "-4,000", "-1,000"},
    {"LossNotFromLineFour", "1,000", "-2,000", ""},
    {"Income", "-3,000", "8,213", "8,213"},
    {"NoCapitalLine", "", "0", "0"},
};

class ScheduleBLine1 : public testing::TestWithParam<AdjustedTotalCase> {};

TEST_P(ScheduleBLine1, FollowsLineFourAndLineSeventeen)
{
    ReturnFixture r;
    r.Set(F1, 35, GetParam().line4);
    r.Set(F1, 51, GetParam().line17);
    CalcScheduleB();
    EXPECT_EQ(r.Get(F2, 7), GetParam().scheduleBLine1);
}

INSTANTIATE_TEST_SUITE_P(Lines, ScheduleBLine1, testing::ValuesIn(kAdjustedTotalCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScheduleB, DistributionDeductionIsTheSmallerOfDistributionsAndDni)
{
    ReturnFixture r;
    r.Set(F1, 4, "X");
    r.Set(F1, 35, "-1,500");
    r.Set(F1, 51, "20,000");
    r.Set(F2, 3, "900");   // Schedule A line 4
    r.Set(F2, 5, "100");   // Schedule A line 6
    r.Set(F2, 8, "2,000");
    r.Set(ftScheduleDPage2, 12, "-700");
    r.Set(F2, 15, "5,000");
    r.Set(F2, 16, "3,000");
    r.Set(F2, 18, "800");
    CalcScheduleB();
    EXPECT_EQ(r.Get(F2, 9), "0");        // a beneficiaries' loss counts 0
    EXPECT_EQ(r.Get(F2, 10), "800");
    EXPECT_EQ(r.Get(F2, 12), "1,500");
    EXPECT_EQ(r.Get(F2, 13), "24,300");  // 20,000 + 2,000 + 800 + 1,500
    EXPECT_EQ(r.Get(F2, 14), "22,000");  // complex trust: accounting income
    EXPECT_EQ(r.Get(F2, 17), "8,000");
    EXPECT_EQ(r.Get(F2, 19), "7,200");
    EXPECT_EQ(r.Get(F2, 20), "22,300");
    EXPECT_EQ(r.Get(F2, 21), "7,200");

    r.Set(F1, 4, "");
    r.Set(F2, 15, "30,000");
    CalcScheduleB();
    EXPECT_EQ(r.Get(F2, 14), "");
    EXPECT_EQ(r.Get(F2, 19), "32,200");
    EXPECT_EQ(r.Get(F2, 21), "22,300");
}

TEST(ScheduleB, SimpleTrustDeductsItsRequiredDistributionOnPageOne)
{
    ReturnFixture r;
    r.Set(F1, 3, "X");
    AddContinuationPage(r, ftInterest, {"10,000"});
    r.Set(F1, 45, "1,000");
    r.Set(F2, 15, "9,000");
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(F2, 13), "9,000");
    EXPECT_EQ(r.Get(F2, 21), "9,000");
    EXPECT_EQ(r.Get(F1, 52), "9,000");
    EXPECT_EQ(r.Get(F1, 54), "300");
    EXPECT_EQ(r.Get(F1, 56), "-300");
    EXPECT_EQ(r.Get(F2, 24), "0");
}

struct RateScheduleCase {
    const char* name;
    int entityBox;
    const char* line1a;
};

void PrintTo(const RateScheduleCase& c, std::ostream* os) { *os << c.name; }

// Interest 20,000 and nothing else: taxable income 19,900.
// name | entity box ticked | Schedule G line 1a
const RateScheduleCase kRateScheduleCases[] = {
    {"ComplexTrust", 4, "6,176"},             // 3,206 + 39.6% x 7,500
    {"BankruptcyChapter7", 8, "2,521"},       // 927.50 + 15% x 10,625
    {"BankruptcyChapter11", 9, "2,521"},
};

class ScheduleGRateSchedule : public testing::TestWithParam<RateScheduleCase> {};

TEST_P(ScheduleGRateSchedule, TaxesOrdinaryIncomeByTheEntitysSchedule)
{
    ReturnFixture r;
    r.Set(F1, GetParam().entityBox, "X");
    AddContinuationPage(r, ftInterest, {"20,000"});
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(F1, 56), "19,900");
    EXPECT_EQ(r.Get(F2, 24), GetParam().line1a);
    EXPECT_EQ(r.Get(F1, 57), GetParam().line1a);
}

INSTANTIATE_TEST_SUITE_P(Entities, ScheduleGRateSchedule, testing::ValuesIn(kRateScheduleCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScheduleG, NoTaxableIncomeMeansNoTaxEvenWithGains)
{
    ReturnFixture r;
    r.Set(ftScheduleDPage1, 39, "5,000");  // long-term gain from Form 4797
    r.Set(F1, 45, "4,900");
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(ftScheduleDPage2, 14), "5,000");
    EXPECT_EQ(r.Get(F1, 56), "0");
    EXPECT_EQ(r.Get(F2, 24), "0");
}

TEST(ScheduleG, OverriddenLine1aStaysWhileTheDividendsWorksheetIsInUse)
{
    ReturnFixture r;
    HandWorkedReturnNamed("QualifiedDividendsOnly").build(r);
    r.Override(F2, 0, 24, "2,000");
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(F2, 24), "2,000");
    EXPECT_EQ(r.Get(ftQualifiedDividendsWorksheet, 23), "2,495");
    EXPECT_EQ(r.Get(F2, 27), "2,000");
    EXPECT_EQ(r.Get(F1, 57), "2,000");
    EXPECT_TRUE(r.Messages().Empty());
}

TEST(ScheduleG, AlternativeMinimumTaxCreditsAndTotalTax)
{
    ReturnFixture r;
    r.Override(F2, 0, 24, "1,000");
    r.Set(ftScheduleIPage2, 11, "1,234");
    r.Set(F2, 25, "66");
    r.Set(F2, 28, "300");
    r.Set(F2, 31, "900");
    r.Set(F2, 35, "40");
    r.Set(F2, 36, "60");
    r.Set(F2, 61, "250");
    r.Set(F2, 41, "100");
    r.Set(F2, 42, "50");
    CalcScheduleG();
    CalcOtherInformation();
    EXPECT_EQ(r.Get(F2, 26), "1,234");
    EXPECT_EQ(r.Get(F2, 27), "2,300");
    EXPECT_EQ(r.Get(F2, 37), "1,300");
    EXPECT_EQ(r.Get(F2, 38), "1,000");
    EXPECT_EQ(r.Get(F2, 43), "1,400");

    r.Override(F2, 0, 26, "0");
    r.Set(F2, 31, "2,000");
    CalcScheduleG();
    CalcOtherInformation();
    EXPECT_EQ(r.Get(F2, 26), "0");
    EXPECT_EQ(r.Get(F2, 38), "0");  // credits above the tax
    EXPECT_EQ(r.Get(F2, 43), "400");
}

struct TaxExemptCase {
    const char* name;
    const char* scheduleALine2;
    const char* scheduleBLine2;
    const char* yes;
    const char* no;
};

void PrintTo(const TaxExemptCase& c, std::ostream* os) { *os << c.name; }

// name | Schedule A line 2 | Schedule B line 2 | Yes | No
const TaxExemptCase kTaxExemptCases[] = {
    {"None", "", "", "", "X"},
    {"AllocableToCharity", "500", "", "X", ""},
    {"TaxExemptInterest", "", "1,200", "X", ""},
};

class OtherInformationLine1 : public testing::TestWithParam<TaxExemptCase> {};

TEST_P(OtherInformationLine1, TicksYesOrNoAndCopiesTheInterest)
{
    ReturnFixture r;
    r.Set(F2, 1, GetParam().scheduleALine2);
    r.Set(F2, 8, GetParam().scheduleBLine2);
    CalcOtherInformation();
    EXPECT_EQ(r.Get(F2, 44), GetParam().yes);
    EXPECT_EQ(r.Get(F2, 45), GetParam().no);
    EXPECT_EQ(r.Get(F2, 46), GetParam().scheduleBLine2);
}

INSTANTIATE_TEST_SUITE_P(Answers, OtherInformationLine1, testing::ValuesIn(kTaxExemptCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvan
