// Schedule K-1 pages figured on their own: the estate's figures set by slot, CalcScheduleK1 run
// on each page, boxes checked against amounts worked by hand.

#include "calc/ScheduleK1.h"
#include "support/ReturnFixture.h"

#include <gtest/gtest.h>

namespace quorvan {
namespace {

using test::ReturnFixture;

constexpr int F1 = ftForm1041Page1;
constexpr int F2 = ftForm1041Page2;
constexpr int K1 = ftScheduleK1;
constexpr int SD = ftScheduleDPage2;
constexpr int I1 = ftScheduleIPage1;

enum : int {
    box1 = 29, box2a = 30, box2b = 31, box3 = 32, box4a = 33, box4b = 34, box4c = 35,
    box11Amount1 = 46, box11Amount2 = 47, box12Amount1 = 53, box12Amount2 = 54,
    box11Code1 = 92, box11Code2 = 93, box12Code1 = 99, box12Code2 = 100,
};

void SetIdentification(ReturnFixture& f)
{
    f.Set(F1, 0, "1/1/2016");
    f.Set(F1, 1, "12/31/2016");
    f.Set(F1, 11, "Estate of Ada Brennan");
    f.Set(F1, 12, "Hal Brennan, Executor");
    f.Set(F1, 13, "12 Elm Street");
    f.Set(F1, 15, "Dayton, OH 45402");
    f.Set(F1, 17, "36-1234567");
}

// The estate: interest 12,000, ordinary dividends 8,000 (5,000 qualified, allocable to the
// beneficiaries), rents 10,000 and a long-term gain of 6,000 that the estate keeps; taxes 1,000,
// fiduciary fees 3,000 and attorney fees 2,000, everything distributed (line 18 24,000) to three
// beneficiaries at 50, 30 and 20%. Schedule I adds the taxes back (line 1 30,000, line 25 31,000).
//   Distributable base 36,000 - 6,000 - 6,000 (gain kept) = 24,000; minimum tax base 25,000.
//   The deductions are charged against the income in distributable net income only (interest,
//   dividends, rents: 30,000), never the gain kept. Interest and rents (22,000) cover the 6,000,
//   so the dividends stay uncharged and interest bears 6,000 x 12,000 / 22,000 = 3,272.73: net
//   interest 8,727.27.
void SetEstate(ReturnFixture& f)
{
    SetIdentification(f);
    f.Set(F1, 30, "12,000");
    f.Set(F1, 31, "8,000");
    f.Set(F1, 32, "5,000");
    f.Set(F1, 41, "36,000");
    f.Set(F1, 44, "1,000");
    f.Set(F1, 45, "3,000");
    f.Set(F1, 47, "2,000");
    f.Set(F1, 50, "6,000");
    f.Set(F1, 52, "24,000");
    f.Set(F1, 54, "600");
    f.Set(F2, 17, "24,000");
    f.Set(SD, 13, "6,000");
    f.Set(I1, 2, "30,000");
    f.Set(I1, 26, "31,000");
    f.Store().NoOfSchedK = 3;
    f.Store().BeneficiaryInterest[0] = 0.5;
    f.Store().BeneficiaryInterest[1] = 0.3;
    f.Store().BeneficiaryInterest[2] = 0.2;
}

struct BeneficiaryCase {
    const char* name;
    int k;
    const char* box1;
    const char* box2a;
    const char* box2b;
    const char* box12;
};

// name | K-1 page | box 1 (8,727.27 x share) | 2a | 2b (5,000 x share) | 12 (1,000 x share)
const BeneficiaryCase kBeneficiaries[] = {
    {"Half", 0, "4,364", "4,000", "2,500", "500"},
    {"ThirtyPercent", 1, "2,618", "2,400", "1,500", "300"},
    {"TwentyPercent", 2, "1,745", "1,600", "1,000", "200"},
};

class EstateBeneficiaries : public testing::TestWithParam<BeneficiaryCase> {};

TEST_P(EstateBeneficiaries, ShareOfEachIncomeItemAfterItsDeductions)
{
    const BeneficiaryCase& c = GetParam();
    ReturnFixture f;
    SetEstate(f);
    CalcScheduleK1(c.k);
    EXPECT_EQ(f.Get(K1, c.k, box1), c.box1);
    EXPECT_EQ(f.Get(K1, c.k, box2a), c.box2a);
    EXPECT_EQ(f.Get(K1, c.k, box2b), c.box2b);
    for (int box : {box3, box4a, box4b, box4c})
        EXPECT_EQ(f.Get(K1, c.k, box), "0") << box;
    EXPECT_EQ(f.Get(K1, c.k, box12Code1), "A");
    EXPECT_EQ(f.Get(K1, c.k, box12Amount1), c.box12);
    EXPECT_EQ(f.Get(K1, c.k, box12Code2), "J");
    EXPECT_EQ(f.Get(K1, c.k, box12Amount2), c.box12);
    for (int slot : {box11Code1, box11Amount1, box11Code2, box11Amount2})
        EXPECT_EQ(f.Get(K1, c.k, slot), "") << slot;
    EXPECT_TRUE(f.Messages().Empty());
}

INSTANTIATE_TEST_SUITE_P(FiftyThirtyTwenty, EstateBeneficiaries, testing::ValuesIn(kBeneficiaries),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScheduleK1, IdentificationComesFromPage1)
{
    ReturnFixture f;
    SetIdentification(f);
    CalcScheduleK1(0);
    EXPECT_EQ(f.Get(K1, 0, 0), "1/1/2016");
    EXPECT_EQ(f.Get(K1, 0, 1), "12/31/2016");
    EXPECT_EQ(f.Get(K1, 0, 5), "36-1234567");
    EXPECT_EQ(f.Get(K1, 0, 6), "Estate of Ada Brennan");
    EXPECT_EQ(f.Get(K1, 0, 10), "Hal Brennan, Executor");
    EXPECT_EQ(f.Get(K1, 0, 11), "12 Elm Street");
    EXPECT_EQ(f.Get(K1, 0, 12), "Dayton, OH 45402");
    EXPECT_EQ(f.Get(K1, 0, 13), "");

    f.Set(F1, 14, "Suite 4");
    f.Set(F1, 24, "X");
    CalcScheduleK1(0);
    EXPECT_EQ(f.Get(K1, 0, 12), "Suite 4");
    EXPECT_EQ(f.Get(K1, 0, 13), "Dayton, OH 45402");
    EXPECT_EQ(f.Get(K1, 0, 19), "X");
}

// "Not applicable, I'll enter my own K-1 values": the share stays -1 and every amount and code
// slot is overridden; the preparer's figures survive, the identification is still copied.
TEST(ScheduleK1, NotApplicableKeepsTheTypedAmounts)
{
    ReturnFixture f;
    SetEstate(f);
    f.Set(F1, 24, "X");
    f.Set(SD, 0, "-2,000");
    const std::pair<int, const char*> typed[] = {
        {box1, "900"}, {box2a, "300"}, {box2b, "100"}, {box3, ""}, {box4a, ""}, {box4b, ""},
        {box4c, ""}, {box11Code1, "B"}, {box11Amount1, "-150"}, {box11Code2, ""},
        {box11Amount2, ""}, {box12Code1, ""}, {box12Amount1, ""}, {box12Code2, ""}, {box12Amount2, ""},
    };
    for (const auto& [slot, text] : typed)
        f.Override(K1, 3, slot, text);
    CalcScheduleK1(3);
    for (const auto& [slot, text] : typed)
        EXPECT_EQ(f.Get(K1, 3, slot), text) << slot;
    EXPECT_EQ(f.Get(K1, 3, 6), "Estate of Ada Brennan");
}

TEST(ScheduleK1, ShareNeverSetHandsOutNothing)
{
    ReturnFixture f;
    SetEstate(f);
    f.Store().BeneficiaryInterest[0] = -1.0;
    f.Set(F1, 24, "X");
    f.Set(SD, 0, "-2,000");
    f.Set(SD, 3, "-5,000");
    CalcScheduleK1(0);
    for (int box : {box1, box2a, box2b, box3, box4a, box4b, box4c, box12Amount1, box12Amount2})
        EXPECT_EQ(f.Get(K1, 0, box), "0") << box;
    // A negative share must not turn the estate's losses into a beneficiary's gain.
    for (int slot : {box11Code1, box11Amount1, box11Code2, box11Amount2, box12Code1, box12Code2})
        EXPECT_EQ(f.Get(K1, 0, slot), "") << slot;
}

struct AllocationCase {
    const char* name;
    const char* interest;
    const char* ordinaryDividends;
    const char* qualifiedDividends;
    const char* totalIncome;
    const char* fiduciaryFees;  // the only deduction
    const char* line18;         // everything distributed
    const char* box1;
    const char* box2a;
    const char* box2b;
};

// One beneficiary with the whole share. name | interest | ordinary dividends | qualified |
// total income | deductions | line 18 | box 1 | 2a | 2b
const AllocationCase kAllocationCases[] = {
    // 11,000 - 1,000 = 10,000 >= 10,000: the dividends stay whole, interest bears everything.
    {"OtherIncomeJustCoversDeductions", "10,000", "1,000", "1,000", "11,000", "10,000", "1,000", "0", "1,000", "1,000"},
    // One dollar more and every item bears its part: 10,001 x 10/11 and 10,001 x 1/11.
    {"OneDollarShortChargesTheDividends", "10,000", "1,000", "1,000", "11,000", "10,001", "999", "908", "91", "91"},
    // Non-qualified dividends leave the base with the qualified ones: the boxes add up to the
    // distributable 7,000 (interest 10,000 - 7,000, dividends 4,000).
    {"OrdinaryDividendsLeaveTheBase", "10,000", "4,000", "1,000", "14,000", "7,000", "7,000", "3,000", "4,000", "1,000"},
    // No qualified dividends: everything is charged, 7,000 x 10/14 and 7,000 x 4/14.
    {"WithoutQualifiedDividendsAllAreCharged", "10,000", "4,000", "", "14,000", "7,000", "7,000", "5,000", "2,000", "0"},
    // Deductions above income: nothing to distribute.
    {"NoDistributableIncome", "5,000", "", "", "5,000", "8,000", "0", "0", "0", "0"},
    // A small item bears its own part only: 1,000 - 12,000 x 1/20.
    {"SmallItemBearsItsPart", "1,000", "", "", "20,000", "12,000", "8,000", "400", "0", "0"},
};

class ScheduleK1Allocation : public testing::TestWithParam<AllocationCase> {};

TEST_P(ScheduleK1Allocation, DeductionsChargedAgainstTheItems)
{
    const AllocationCase& c = GetParam();
    ReturnFixture f;
    f.Set(F1, 30, c.interest);
    f.Set(F1, 31, c.ordinaryDividends);
    f.Set(F1, 32, c.qualifiedDividends);
    f.Set(F1, 41, c.totalIncome);
    f.Set(F1, 45, c.fiduciaryFees);
    f.Set(F1, 50, c.fiduciaryFees);
    f.Set(F1, 52, c.line18);
    f.Store().NoOfSchedK = 1;
    f.Store().BeneficiaryInterest[0] = 1.0;
    CalcScheduleK1(0);
    EXPECT_EQ(f.Get(K1, 0, box1), c.box1);
    EXPECT_EQ(f.Get(K1, 0, box2a), c.box2a);
    EXPECT_EQ(f.Get(K1, 0, box2b), c.box2b);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScheduleK1Allocation, testing::ValuesIn(kAllocationCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Interest of 10,000 beside a business loss of 5,000 bears 6,000 x 10/5 = 12,000 of deductions;
// the 3,000 of tax-exempt interest keeps the distributable base positive (2,000), yet the box
// shows 0, never a negative amount.
TEST(ScheduleK1, ItemBelowItsDeductionsGivesZero)
{
    ReturnFixture f;
    f.Set(F1, 30, "10,000");
    f.Set(F1, 34, "-5,000");
    f.Set(F1, 41, "5,000");
    f.Set(F1, 45, "6,000");
    f.Set(F1, 50, "6,000");
    f.Set(F2, 46, "3,000");
    f.Store().BeneficiaryInterest[0] = 1.0;
    CalcScheduleK1(0);
    EXPECT_EQ(f.Get(K1, 0, box1), "0");
}

// A capital loss on Form 1041 line 4 (here -3,000 beside 4,000 of interest and 1,000 of fees)
// is left out of the bases: interest bears the 1,000 of fees, not 1,000 x 4,000 / 1,000.
TEST(ScheduleK1, CapitalLossOnLine4StaysOutOfTheBases)
{
    ReturnFixture f;
    f.Set(F1, 30, "4,000");
    f.Set(F1, 35, "-3,000");
    f.Set(F1, 41, "1,000");
    f.Set(F1, 47, "1,000");
    f.Set(F1, 50, "1,000");
    f.Set(F1, 52, "3,000");
    f.Store().NoOfSchedK = 1;
    f.Store().BeneficiaryInterest[0] = 0.6;
    CalcScheduleK1(0);
    EXPECT_EQ(f.Get(K1, 0, box1), "1,800");
    EXPECT_EQ(f.Get(K1, 0, box12Amount1), "0");
}

// The estate's final year: the beneficiaries' short-term loss of 2,000 and long-term loss of
// 5,000 (Schedule D column (1)) pass through at 25%.
TEST(ScheduleK1, FinalReturnPassesCapitalLossCarryovers)
{
    ReturnFixture f;
    f.Set(SD, 0, "-2,000");
    f.Set(SD, 3, "-5,000");
    f.Store().BeneficiaryInterest[1] = 0.25;

    CalcScheduleK1(1);
    for (int slot : {box11Code1, box11Amount1, box11Code2, box11Amount2})
        EXPECT_EQ(f.Get(K1, 1, slot), "") << "not final: " << slot;

    f.Set(F1, 24, "X");
    CalcScheduleK1(1);
    EXPECT_EQ(f.Get(K1, 1, box11Code1), "B");
    EXPECT_EQ(f.Get(K1, 1, box11Amount1), "-500");
    EXPECT_EQ(f.Get(K1, 1, box11Code2), "C");
    EXPECT_EQ(f.Get(K1, 1, box11Amount2), "-1,250");
    EXPECT_EQ(f.Get(K1, 1, box3), "0");
    EXPECT_EQ(f.Get(K1, 1, box4a), "0");
}

TEST(ScheduleK1, AdjustmentOnlyWhenTheMinimumTaxShareIsLarger)
{
    ReturnFixture f;
    SetEstate(f);
    f.Set(I1, 26, "29,000");  // minimum tax base 23,000, below the distributable 24,000
    CalcScheduleK1(0);
    EXPECT_EQ(f.Get(K1, 0, box12Code1), "");
    EXPECT_EQ(f.Get(K1, 0, box12Amount1), "0");
    EXPECT_EQ(f.Get(K1, 0, box12Code2), "");
    EXPECT_EQ(f.Get(K1, 0, box12Amount2), "0");
}

// A short year changes nothing: the beneficiary reports the year's actual share.
TEST(ScheduleK1, ShortTaxYearIsNotAnnualised)
{
    ReturnFixture f;
    SetEstate(f);
    f.Set(F1, 0, "3/1/2016");
    CalcScheduleK1(0);
    EXPECT_EQ(f.Get(K1, 0, box1), "4,364");
    EXPECT_EQ(f.Get(K1, 0, box12Amount1), "500");
    EXPECT_EQ(f.Get(K1, 0, 0), "3/1/2016");
    EXPECT_TRUE(f.Messages().Empty());
}

struct DateErrorCase {
    const char* name;
    int slot;
    const char* text;
    unsigned code;
};

// name | page 1 slot | unreadable text | message after the conversion's own 21180
const DateErrorCase kDateErrors[] = {
    {"EndingDate", 1, "31.12.2016", 29500},
    {"BeginningDate", 0, "2016-03-01", 29510},
};

class ScheduleK1DateErrors : public testing::TestWithParam<DateErrorCase> {};

TEST_P(ScheduleK1DateErrors, ReportedWithTheTextAndTheCalculationGoesOn)
{
    const DateErrorCase& c = GetParam();
    ReturnFixture f;
    SetEstate(f);
    f.Set(F1, c.slot, c.text);
    CalcScheduleK1(0);
    EXPECT_EQ(f.Messages().Codes(), (std::vector<unsigned>{21180, c.code}));
    EXPECT_EQ(f.Messages().Messages().back().extra, c.text);
    EXPECT_EQ(f.Get(K1, 0, box1), "4,364");
    EXPECT_FALSE(f.Store().ErrFlag);
}

INSTANTIATE_TEST_SUITE_P(Dates, ScheduleK1DateErrors, testing::ValuesIn(kDateErrors),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScheduleK1, FailureIsReportedAndSetsTheErrorFlag)
{
    ReturnFixture f;
    CalcScheduleK1(kMaxPages);  // no such page
    EXPECT_EQ(f.Messages().Codes(), std::vector<unsigned>{29097});
    EXPECT_TRUE(f.Store().ErrFlag);
}

}  // namespace
}  // namespace quorvan
