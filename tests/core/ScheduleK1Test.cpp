// Schedule K-1 pages figured on their own: the estate's figures set by slot, CalcScheduleK1 run
// on each page, boxes checked against amounts worked by hand.

#include "calc/ScheduleK1.h"
#include "support/ReturnFixture.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/ScheduleDPage2.h"
#include "slot/ScheduleIPage1.h"
#include "slot/ScheduleIPage2.h"
#include "slot/ScheduleK1.h"

#include <gtest/gtest.h>

namespace quorvan {
namespace {

namespace d2 = quorvan::slot::scheduleDPage2;
namespace f1 = quorvan::slot::form1041Page1;
namespace f2 = quorvan::slot::form1041Page2;
namespace i1 = quorvan::slot::scheduleIPage1;
namespace i2 = quorvan::slot::scheduleIPage2;
namespace k1 = quorvan::slot::scheduleK1;

using test::ReturnFixture;

void SetIdentification(ReturnFixture& f)
{
    f.Set(f1::taxYearBeginning, "1/1/2016");
    f.Set(f1::taxYearEnding, "12/31/2016");
    f.Set(f1::nameOfEstateOrTrust, "Estate of Ada Brennan");
    f.Set(f1::nameAndTitleOfFiduciary, "Hal Brennan, Executor");
    f.Set(f1::fiduciaryStreet, "12 Elm Street");
    f.Set(f1::fiduciaryCity, "Dayton, OH 45402");
    f.Set(f1::itemCEin, "36-1234567");
}

// The estate: interest 12,000, ordinary dividends 8,000 (5,000 qualified, allocable to the
// beneficiaries), rents 10,000 and a long-term gain of 6,000 that the estate keeps; taxes 1,000,
// fiduciary fees 3,000 and attorney fees 2,000, everything distributed (line 18 24,000) to three
// beneficiaries at 50, 30 and 20%. Schedule I adds the taxes back (line 1 30,000, line 25 31,000)
// and its distribution deduction (line 44) is taken as 25,000 against Schedule B line 15's 24,000.
//   Distributable base 36,000 - 6,000 - 6,000 (gain kept) = 24,000.
//   The deductions are charged against the income in distributable net income only (interest,
//   dividends, rents: 30,000), never the gain kept. Interest and rents (22,000) cover the 6,000,
//   so the dividends stay uncharged and interest bears 6,000 x 12,000 / 22,000 = 3,272.73: net
//   interest 8,727.27.
void SetEstate(ReturnFixture& f)
{
    SetIdentification(f);
    f.Set(f1::line1Interest, "12,000");
    f.Set(f1::line2aDividends, "8,000");
    f.Set(f1::line2b1QualifiedToBeneficiaries, "5,000");
    f.Set(f1::line9TotalIncome, "36,000");
    f.Set(f1::line11Taxes, "1,000");
    f.Set(f1::line12FiduciaryFees, "3,000");
    f.Set(f1::line14ProfessionalFees, "2,000");
    f.Set(f1::line16Total, "6,000");
    f.Set(f1::line18Distribution, "24,000");
    f.Set(f1::line20Exemption, "600");
    f.Set(f2::scheduleBLine11Total, "24,000");
    f.Set(d2::line19Estate, "6,000");
    f.Set(i1::line1, "30,000");
    f.Set(i1::line25, "31,000");
    f.Set(f2::scheduleBLine15Deduction, "24,000");
    f.Set(i2::line44, "25,000");
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
    const char* box12A;
    const char* box12B;
};

// Box 12 code A is the share of 25,000 - 24,000 (the beneficiary's 12,000, 7,200 or 4,800 of
// line 15's 24,000); code B its part for box 2b against boxes 1 and 2a, the only taxable boxes
// this estate fills: 500 x 2,500 / 8,364 = 149.45, 300 x 1,500 / 5,018 = 89.68,
// 200 x 1,000 / 3,345 = 59.79.
// name | K-1 page | box 1 (8,727.27 x share) | 2a | 2b (5,000 x share) | 12 A | 12 B
const BeneficiaryCase kBeneficiaries[] = {
    {"Half", 0, "4,364", "4,000", "2,500", "500", "149"},
    {"ThirtyPercent", 1, "2,618", "2,400", "1,500", "300", "90"},
    {"TwentyPercent", 2, "1,745", "1,600", "1,000", "200", "60"},
};

class EstateBeneficiaries : public testing::TestWithParam<BeneficiaryCase> {};

TEST_P(EstateBeneficiaries, ShareOfEachIncomeItemAfterItsDeductions)
{
    const BeneficiaryCase& c = GetParam();
    ReturnFixture f;
    SetEstate(f);
    CalcScheduleK1(c.k);
    EXPECT_EQ(f.Get(k1::box1Interest, c.k), c.box1);
    EXPECT_EQ(f.Get(k1::box2aOrdinaryDividends, c.k), c.box2a);
    EXPECT_EQ(f.Get(k1::box2bQualifiedDividends, c.k), c.box2b);
    for (SlotRef box : {k1::box3ShortTermGain, k1::box4aLongTermGain, k1::box4b28RateGain, k1::box4cUnrecaptured1250})
        EXPECT_EQ(f.Get(box, c.k), "0") << box.slot;
    EXPECT_EQ(f.Get(k1::box12Code1, c.k), "A");
    EXPECT_EQ(f.Get(k1::box12Amount1, c.k), c.box12A);
    EXPECT_EQ(f.Get(k1::box12Code2, c.k), "B");
    EXPECT_EQ(f.Get(k1::box12Amount2, c.k), c.box12B);
    for (SlotRef slot : {k1::box11Code1, k1::box11Amount1, k1::box11Code2, k1::box11Amount2})
        EXPECT_EQ(f.Get(slot, c.k), "") << slot.slot;
    EXPECT_TRUE(f.Messages().Empty());
}

INSTANTIATE_TEST_SUITE_P(FiftyThirtyTwenty, EstateBeneficiaries, testing::ValuesIn(kBeneficiaries),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScheduleK1, IdentificationComesFromPage1)
{
    ReturnFixture f;
    SetIdentification(f);
    CalcScheduleK1(0);
    EXPECT_EQ(f.Get(k1::taxYearBeginning), "1/1/2016");
    EXPECT_EQ(f.Get(k1::taxYearEnding), "12/31/2016");
    EXPECT_EQ(f.Get(k1::itemAEin), "36-1234567");
    EXPECT_EQ(f.Get(k1::itemBName), "Estate of Ada Brennan");
    EXPECT_EQ(f.Get(k1::itemCLine1), "Hal Brennan, Executor");
    EXPECT_EQ(f.Get(k1::itemCLine2), "12 Elm Street");
    EXPECT_EQ(f.Get(k1::itemCLine3), "Dayton, OH 45402");
    EXPECT_EQ(f.Get(k1::itemCLine4), "");

    f.Set(f1::fiduciaryAddress2, "Suite 4");
    f.Set(f1::itemFFinalReturn, "X");
    CalcScheduleK1(0);
    EXPECT_EQ(f.Get(k1::itemCLine3), "Suite 4");
    EXPECT_EQ(f.Get(k1::itemCLine4), "Dayton, OH 45402");
    EXPECT_EQ(f.Get(k1::itemEFinal), "X");
}

// "Not applicable, I'll enter my own K-1 values": the share stays -1 and every amount and code
// slot is overridden; the preparer's figures survive, the identification is still copied.
TEST(ScheduleK1, NotApplicableKeepsTheTypedAmounts)
{
    ReturnFixture f;
    SetEstate(f);
    f.Set(f1::itemFFinalReturn, "X");
    f.Set(d2::line17Beneficiaries, "-2,000");
    const std::pair<SlotRef, const char*> typed[] = {
        {k1::box1Interest, "900"},
        {k1::box2aOrdinaryDividends, "300"},
        {k1::box2bQualifiedDividends, "100"},
        {k1::box3ShortTermGain, ""},
        {k1::box4aLongTermGain, ""},
        {k1::box4b28RateGain, ""},
        {k1::box4cUnrecaptured1250, ""},
        {k1::box11Code1, "B"},
        {k1::box11Amount1, "-150"},
        {k1::box11Code2, ""},
        {k1::box11Amount2, ""},
        {k1::box12Code1, ""},
        {k1::box12Amount1, ""},
        {k1::box12Code2, ""},
        {k1::box12Amount2, ""},
    };
    for (const auto& [slot, text] : typed)
        f.Override(slot, 3, text);
    CalcScheduleK1(3);
    for (const auto& [slot, text] : typed)
        EXPECT_EQ(f.Get(slot, 3), text) << slot.slot;
    EXPECT_EQ(f.Get(k1::itemBName, 3), "Estate of Ada Brennan");
}

TEST(ScheduleK1, ShareNeverSetHandsOutNothing)
{
    ReturnFixture f;
    SetEstate(f);
    f.Store().BeneficiaryInterest[0] = -1.0;
    f.Set(f1::itemFFinalReturn, "X");
    f.Set(d2::line17Beneficiaries, "-2,000");
    f.Set(d2::line18aBeneficiaries, "-5,000");
    CalcScheduleK1(0);
    for (SlotRef box :
         {k1::box1Interest, k1::box2aOrdinaryDividends, k1::box2bQualifiedDividends, k1::box3ShortTermGain,
          k1::box4aLongTermGain, k1::box4b28RateGain, k1::box4cUnrecaptured1250, k1::box12Amount1, k1::box12Amount2})
        EXPECT_EQ(f.Get(box, 0), "0") << box.slot;
    // A negative share must not turn the estate's losses into a beneficiary's gain.
    for (SlotRef slot :
         {k1::box11Code1, k1::box11Amount1, k1::box11Code2, k1::box11Amount2, k1::box12Code1, k1::box12Code2})
        EXPECT_EQ(f.Get(slot, 0), "") << slot.slot;
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
    // Dividends beyond what the interest can carry bear their part of the fees, and box 2b is
    // the qualified part of what is left: 3,500 x 20/21 = 3,333.33 charged, box 2a 16,666.67,
    // box 2b 16,666.67 x 15/20 = 12,500 (not line 2b(1)'s 15,000 capped at box 2a).
    {"DividendHeavyQualifiedPartOfBox2a", "1,000", "20,000", "15,000", "21,000", "3,500", "17,500", "833", "16,667", "12,500"},
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
    f.Set(f1::line1Interest, c.interest);
    f.Set(f1::line2aDividends, c.ordinaryDividends);
    f.Set(f1::line2b1QualifiedToBeneficiaries, c.qualifiedDividends);
    f.Set(f1::line9TotalIncome, c.totalIncome);
    f.Set(f1::line12FiduciaryFees, c.fiduciaryFees);
    f.Set(f1::line16Total, c.fiduciaryFees);
    f.Set(f1::line18Distribution, c.line18);
    f.Store().NoOfSchedK = 1;
    f.Store().BeneficiaryInterest[0] = 1.0;
    CalcScheduleK1(0);
    EXPECT_EQ(f.Get(k1::box1Interest), c.box1);
    EXPECT_EQ(f.Get(k1::box2aOrdinaryDividends), c.box2a);
    EXPECT_EQ(f.Get(k1::box2bQualifiedDividends), c.box2b);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScheduleK1Allocation, testing::ValuesIn(kAllocationCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A box 2a the preparer typed keeps its qualified part: 9,000 x 15,000 / 20,000.
TEST(ScheduleK1, Box2bFollowsAnOverriddenBox2a)
{
    ReturnFixture f;
    f.Set(f1::line2aDividends, "20,000");
    f.Set(f1::line2b1QualifiedToBeneficiaries, "10,000");
    f.Set(f1::line2b2QualifiedToEstate, "5,000");
    f.Set(f1::line9TotalIncome, "20,000");
    f.Set(f1::line18Distribution, "20,000");
    f.Store().NoOfSchedK = 1;
    f.Store().BeneficiaryInterest[0] = 1.0;
    f.Override(k1::box2aOrdinaryDividends, 0, "9,000");
    CalcScheduleK1(0);
    EXPECT_EQ(f.Get(k1::box2bQualifiedDividends), "6,750");
}

// Interest of 10,000 beside a business loss of 5,000 bears 6,000 x 10/5 = 12,000 of deductions;
// the 3,000 of tax-exempt interest keeps the distributable base positive (2,000), yet the box
// shows 0, never a negative amount.
TEST(ScheduleK1, ItemBelowItsDeductionsGivesZero)
{
    ReturnFixture f;
    f.Set(f1::line1Interest, "10,000");
    f.Set(f1::line3Business, "-5,000");
    f.Set(f1::line9TotalIncome, "5,000");
    f.Set(f1::line12FiduciaryFees, "6,000");
    f.Set(f1::line16Total, "6,000");
    f.Set(f2::otherInformationLine1Amount, "3,000");
    f.Store().BeneficiaryInterest[0] = 1.0;
    CalcScheduleK1(0);
    EXPECT_EQ(f.Get(k1::box1Interest), "0");
}

// A capital loss on Form 1041 line 4 (here -3,000 beside 4,000 of interest and 1,000 of fees)
// is left out of the bases: interest bears the 1,000 of fees, not 1,000 x 4,000 / 1,000.
TEST(ScheduleK1, CapitalLossOnLine4StaysOutOfTheBases)
{
    ReturnFixture f;
    f.Set(f1::line1Interest, "4,000");
    f.Set(f1::line4CapitalGain, "-3,000");
    f.Set(f1::line9TotalIncome, "1,000");
    f.Set(f1::line14ProfessionalFees, "1,000");
    f.Set(f1::line16Total, "1,000");
    f.Set(f1::line18Distribution, "3,000");
    f.Store().NoOfSchedK = 1;
    f.Store().BeneficiaryInterest[0] = 0.6;
    CalcScheduleK1(0);
    EXPECT_EQ(f.Get(k1::box1Interest), "1,800");
    EXPECT_EQ(f.Get(k1::box12Amount1), "0");
}

// The estate's final year: the beneficiaries' short-term loss of 2,000 and long-term loss of
// 5,000 (Schedule D column (1)) pass through at 25%.
TEST(ScheduleK1, FinalReturnPassesCapitalLossCarryovers)
{
    ReturnFixture f;
    f.Set(d2::line17Beneficiaries, "-2,000");
    f.Set(d2::line18aBeneficiaries, "-5,000");
    f.Store().BeneficiaryInterest[1] = 0.25;

    CalcScheduleK1(1);
    for (SlotRef slot : {k1::box11Code1, k1::box11Amount1, k1::box11Code2, k1::box11Amount2})
        EXPECT_EQ(f.Get(slot, 1), "") << "not final: " << slot.slot;

    f.Set(f1::itemFFinalReturn, "X");
    CalcScheduleK1(1);
    EXPECT_EQ(f.Get(k1::box11Code1, 1), "B");
    EXPECT_EQ(f.Get(k1::box11Amount1, 1), "-500");
    EXPECT_EQ(f.Get(k1::box11Code2, 1), "C");
    EXPECT_EQ(f.Get(k1::box11Amount2, 1), "-1,250");
    EXPECT_EQ(f.Get(k1::box3ShortTermGain, 1), "0");
    EXPECT_EQ(f.Get(k1::box4aLongTermGain, 1), "0");
}

// The estate's final year: interest 4,000 and a 3,000 capital loss on line 4 (line 9 1,000)
// against fiduciary fees 3,000 and attorney fees 6,000, beside a charitable deduction of 1,000
// and a net operating loss deduction of 2,000 that do not pass. The loss passes as codes B and C,
// so it stays out of the income: 9,000 - 4,000 = 5,000 of excess deductions, 1,250 at 25%.
TEST(ScheduleK1, FinalReturnPassesExcessDeductionsAsCodeA)
{
    ReturnFixture f;
    f.Set(f1::line1Interest, "4,000");
    f.Set(f1::line4CapitalGain, "-3,000");
    f.Set(f1::line9TotalIncome, "1,000");
    f.Set(f1::line12FiduciaryFees, "3,000");
    f.Set(f1::line13Charitable, "1,000");
    f.Set(f1::line14ProfessionalFees, "6,000");
    f.Set(f1::line15bNol, "2,000");
    f.Set(f1::line16Total, "12,000");
    f.Store().NoOfSchedK = 2;
    f.Store().BeneficiaryInterest[0] = 0.25;

    CalcScheduleK1(0);
    EXPECT_EQ(f.Get(k1::box11ExcessDeductionsCode), "") << "not final";
    EXPECT_EQ(f.Get(k1::box11ExcessDeductions), "");

    f.Set(f1::itemFFinalReturn, "X");
    CalcScheduleK1(0);
    EXPECT_EQ(f.Get(k1::box11ExcessDeductionsCode), "A");
    EXPECT_EQ(f.Get(k1::box11ExcessDeductions), "1,250");
    EXPECT_EQ(f.Get(k1::box1Interest), "0");

    // No percentage chosen: nothing passes.
    CalcScheduleK1(1);
    EXPECT_EQ(f.Get(k1::box11ExcessDeductionsCode, 1), "");
    EXPECT_EQ(f.Get(k1::box11ExcessDeductions, 1), "");
}

TEST(ScheduleK1, AdjustmentOnlyWhenTheMinimumTaxShareIsLarger)
{
    ReturnFixture f;
    SetEstate(f);
    f.Set(i2::line44, "23,000");  // below Schedule B line 15's 24,000
    CalcScheduleK1(0);
    EXPECT_EQ(f.Get(k1::box12Code1), "");
    EXPECT_EQ(f.Get(k1::box12Amount1), "0");
    EXPECT_EQ(f.Get(k1::box12Code2), "");
    EXPECT_EQ(f.Get(k1::box12Amount2), "0");
}

// A short year changes nothing: the beneficiary reports the year's actual share.
TEST(ScheduleK1, ShortTaxYearIsNotAnnualised)
{
    ReturnFixture f;
    SetEstate(f);
    f.Set(f1::taxYearBeginning, "3/1/2016");
    CalcScheduleK1(0);
    EXPECT_EQ(f.Get(k1::box1Interest), "4,364");
    EXPECT_EQ(f.Get(k1::box12Amount1), "500");
    EXPECT_EQ(f.Get(k1::taxYearBeginning), "3/1/2016");
    EXPECT_TRUE(f.Messages().Empty());
}

struct DateErrorCase {
    const char* name;
    SlotRef date;
    const char* text;
    unsigned code;
};

// name | date of page 1 | unreadable text | message after the conversion's own 21180
const DateErrorCase kDateErrors[] = {
    {"EndingDate", f1::taxYearEnding, "31.12.2016", 29500},
    {"BeginningDate", f1::taxYearBeginning, "2016-03-01", 29510},
};

class ScheduleK1DateErrors : public testing::TestWithParam<DateErrorCase> {};

TEST_P(ScheduleK1DateErrors, ReportedWithTheTextAndTheCalculationGoesOn)
{
    const DateErrorCase& c = GetParam();
    ReturnFixture f;
    SetEstate(f);
    f.Set(c.date, c.text);
    CalcScheduleK1(0);
    EXPECT_EQ(f.Messages().Codes(), (std::vector<unsigned>{21180, c.code}));
    EXPECT_EQ(f.Messages().Messages().back().extra, c.text);
    EXPECT_EQ(f.Get(k1::box1Interest), "4,364");
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
