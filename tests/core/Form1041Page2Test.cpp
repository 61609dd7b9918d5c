// Form 1041 page 2: Schedule A, Schedule B, Schedule G and Other Information line 1, alone and
// through the driver where the tax depends on the other schedules.

#include "calc/Form1041Page2.h"
#include "support/Engine2Returns.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/QualifiedDividendsWorksheet.h"
#include "slot/ScheduleDPage1.h"
#include "slot/ScheduleDPage2.h"
#include "slot/ScheduleIPage2.h"

#include <gtest/gtest.h>

#include <ostream>

namespace quorvan {
namespace {

namespace d1 = quorvan::slot::scheduleDPage1;
namespace d2 = quorvan::slot::scheduleDPage2;
namespace f1 = quorvan::slot::form1041Page1;
namespace f2 = quorvan::slot::form1041Page2;
namespace i2 = quorvan::slot::scheduleIPage2;
namespace qd = quorvan::slot::qualifiedDividendsWorksheet;

using test::ReturnFixture;
using test::engine2::AddContinuationPage;
using test::engine2::HandWorkedReturnNamed;

TEST(ScheduleA, CharitableDeductionIsNeverNegative)
{
    ReturnFixture r;
    r.Set(f2::scheduleALine1Paid, "10,000");
    r.Set(f2::scheduleALine2TaxExempt, "1,000");
    r.Set(f2::scheduleALine4CapitalGains, "2,000");
    r.Set(f2::scheduleALine6Section1202, "500");
    CalcScheduleA();
    EXPECT_EQ(r.Get(f2::scheduleALine3), "9,000");
    EXPECT_EQ(r.Get(f2::scheduleALine5), "11,000");
    EXPECT_EQ(r.Get(f2::scheduleALine7Charitable), "10,500");

    r.Set(f2::scheduleALine1Paid, "1,000");
    r.Set(f2::scheduleALine2TaxExempt, "4,000");
    CalcScheduleA();
    EXPECT_EQ(r.Get(f2::scheduleALine3), "-3,000");
    EXPECT_EQ(r.Get(f2::scheduleALine5), "-1,000");
    EXPECT_EQ(r.Get(f2::scheduleALine7Charitable), "0");
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
    r.Set(f1::line4CapitalGain, GetParam().line4);
    r.Set(f1::line17Adjusted, GetParam().line17);
    CalcScheduleB();
    EXPECT_EQ(r.Get(f2::scheduleBLine1AdjustedTotal), GetParam().scheduleBLine1);
}

INSTANTIATE_TEST_SUITE_P(Lines, ScheduleBLine1, testing::ValuesIn(kAdjustedTotalCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScheduleB, DistributionDeductionIsTheSmallerOfDistributionsAndDni)
{
    ReturnFixture r;
    r.Set(f1::itemAComplexTrust, "X");
    r.Set(f1::line4CapitalGain, "-1,500");
    r.Set(f1::line17Adjusted, "20,000");
    r.Set(f2::scheduleALine4CapitalGains, "900");   // Schedule A line 4
    r.Set(f2::scheduleALine6Section1202, "100");   // Schedule A line 6
    r.Set(f2::scheduleBLine2TaxExemptInterest, "2,000");
    r.Set(d2::line19Beneficiaries, "-700");
    r.Set(f2::scheduleBLine9Required, "5,000");
    r.Set(f2::scheduleBLine10Other, "3,000");
    r.Set(f2::scheduleBLine12TaxExempt, "800");
    CalcScheduleB();
    EXPECT_EQ(r.Get(f2::scheduleBLine3NetGain), "0");        // a beneficiaries' loss counts 0
    EXPECT_EQ(r.Get(f2::scheduleBLine4ScheduleA), "800");
    EXPECT_EQ(r.Get(f2::scheduleBLine6LineFour), "1,500");
    EXPECT_EQ(r.Get(f2::scheduleBLine7Dni), "24,300");  // 20,000 + 2,000 + 800 + 1,500
    EXPECT_EQ(r.Get(f2::scheduleBLine8AccountingIncome), "22,000");  // complex trust: accounting income
    EXPECT_EQ(r.Get(f2::scheduleBLine11Total), "8,000");
    EXPECT_EQ(r.Get(f2::scheduleBLine13), "7,200");
    EXPECT_EQ(r.Get(f2::scheduleBLine14), "22,300");
    EXPECT_EQ(r.Get(f2::scheduleBLine15Deduction), "7,200");

    r.Set(f1::itemAComplexTrust, "");
    r.Set(f2::scheduleBLine9Required, "30,000");
    CalcScheduleB();
    EXPECT_EQ(r.Get(f2::scheduleBLine8AccountingIncome), "");
    EXPECT_EQ(r.Get(f2::scheduleBLine13), "32,200");
    EXPECT_EQ(r.Get(f2::scheduleBLine15Deduction), "22,300");
}

TEST(ScheduleB, SimpleTrustDeductsItsRequiredDistributionOnPageOne)
{
    ReturnFixture r;
    r.Set(f1::itemASimpleTrust, "X");
    AddContinuationPage(r, ftInterest, {"10,000"});
    r.Set(f1::line12FiduciaryFees, "1,000");
    r.Set(f2::scheduleBLine9Required, "9,000");
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(f2::scheduleBLine7Dni), "9,000");
    EXPECT_EQ(r.Get(f2::scheduleBLine15Deduction), "9,000");
    EXPECT_EQ(r.Get(f1::line18Distribution), "9,000");
    EXPECT_EQ(r.Get(f1::line20Exemption), "300");
    EXPECT_EQ(r.Get(f1::line22Taxable), "-300");
    EXPECT_EQ(r.Get(f2::scheduleGLine1aTax), "0");
}

struct RateScheduleCase {
    const char* name;
    SlotRef entityBox;
    const char* line1a;
    const char* line23;
};

void PrintTo(const RateScheduleCase& c, std::ostream* os) { *os << c.name; }

// Interest 20,000 and nothing else: taxable income 19,900. The trust also owes the net
// investment income tax, 3.8% x (19,900 - 12,400) = 285; a bankruptcy estate's is typed.
// name | entity box ticked | Schedule G line 1a | Form 1041 line 23
const RateScheduleCase kRateScheduleCases[] = {
    {"ComplexTrust", f1::itemAComplexTrust, "6,176", "6,461"},        // 3,206 + 39.6% x 7,500
    {"BankruptcyChapter7", f1::itemABankruptcyEstateCh7, "2,521", "2,521"},  // 927.50 + 15% x 10,625
    {"BankruptcyChapter11", f1::itemABankruptcyEstateCh11, "2,521", "2,521"},
};

class ScheduleGRateSchedule : public testing::TestWithParam<RateScheduleCase> {};

TEST_P(ScheduleGRateSchedule, TaxesOrdinaryIncomeByTheEntitysSchedule)
{
    ReturnFixture r;
    r.Set(GetParam().entityBox, "X");
    AddContinuationPage(r, ftInterest, {"20,000"});
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(f1::line22Taxable), "19,900");
    EXPECT_EQ(r.Get(f2::scheduleGLine1aTax), GetParam().line1a);
    EXPECT_EQ(r.Get(f1::line23TotalTax), GetParam().line23);
}

INSTANTIATE_TEST_SUITE_P(Entities, ScheduleGRateSchedule, testing::ValuesIn(kRateScheduleCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScheduleG, NoTaxableIncomeMeansNoTaxEvenWithGains)
{
    ReturnFixture r;
    r.Set(d1::line14Form4797, "5,000");  // long-term gain from Form 4797
    r.Set(f1::line12FiduciaryFees, "4,900");
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(d2::line19Total), "5,000");
    EXPECT_EQ(r.Get(f1::line22Taxable), "0");
    EXPECT_EQ(r.Get(f2::scheduleGLine1aTax), "0");
}

TEST(ScheduleG, OverriddenLine1aStaysWhileTheDividendsWorksheetIsInUse)
{
    ReturnFixture r;
    HandWorkedReturnNamed("QualifiedDividendsOnly").build(r);
    r.Override(f2::scheduleGLine1aTax, "2,000");
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(f2::scheduleGLine1aTax), "2,000");
    EXPECT_EQ(r.Get(qd::line23), "2,495");
    EXPECT_EQ(r.Get(f2::scheduleGLine1dTotal), "2,000");
    // Plus the net investment income tax: 3.8% x (13,900 - 12,400) = 57.
    EXPECT_EQ(r.Get(f1::line23TotalTax), "2,057");
    EXPECT_TRUE(r.Messages().Empty());
}

TEST(ScheduleG, AlternativeMinimumTaxCreditsAndTotalTax)
{
    ReturnFixture r;
    r.Override(f2::scheduleGLine1aTax, "1,000");
    r.Set(i2::line56, "1,234");
    r.Set(f2::scheduleGLine1bLumpSum, "66");
    r.Set(f2::scheduleGLine2aForeign, "300");
    r.Set(f2::scheduleGLine2bBusiness, "900");
    r.Set(f2::scheduleGLine2cPriorMinimum, "40");
    r.Set(f2::scheduleGLine2dBond, "60");
    r.Override(f2::scheduleGLine4NetInvestment, "250");
    r.Set(f2::scheduleGLine5Recapture, "100");
    r.Set(f2::scheduleGLine6Household, "50");
    CalcScheduleG();
    CalcOtherInformation();
    EXPECT_EQ(r.Get(f2::scheduleGLine1cAmt), "1,234");
    EXPECT_EQ(r.Get(f2::scheduleGLine1dTotal), "2,300");
    EXPECT_EQ(r.Get(f2::scheduleGLine2eCredits), "1,300");
    EXPECT_EQ(r.Get(f2::scheduleGLine3), "1,000");
    EXPECT_EQ(r.Get(f2::scheduleGLine7TotalTax), "1,400");

    r.Override(f2::scheduleGLine1cAmt, "0");
    r.Set(f2::scheduleGLine2bBusiness, "2,000");
    CalcScheduleG();
    CalcOtherInformation();
    EXPECT_EQ(r.Get(f2::scheduleGLine1cAmt), "0");
    EXPECT_EQ(r.Get(f2::scheduleGLine3), "0");  // credits above the tax
    EXPECT_EQ(r.Get(f2::scheduleGLine7TotalTax), "400");
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
    r.Set(f2::scheduleALine2TaxExempt, GetParam().scheduleALine2);
    r.Set(f2::scheduleBLine2TaxExemptInterest, GetParam().scheduleBLine2);
    CalcOtherInformation();
    EXPECT_EQ(r.Get(f2::otherInformationLine1Yes), GetParam().yes);
    EXPECT_EQ(r.Get(f2::otherInformationLine1No), GetParam().no);
    EXPECT_EQ(r.Get(f2::otherInformationLine1Amount), GetParam().scheduleBLine2);
}

INSTANTIATE_TEST_SUITE_P(Answers, OtherInformationLine1, testing::ValuesIn(kTaxExemptCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvan
