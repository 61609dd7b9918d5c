// The allocation worksheet and the tier system, settled through the recalculation driver: whole
// returns typed as a trustee's statement gives them, figures worked by hand in the comments.

#include "slot/AllocationWorksheet.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/ScheduleK1.h"
#include "support/ReturnFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvan {
namespace {

namespace aw = quorvan::slot::allocationWorksheet;
namespace f1 = quorvan::slot::form1041Page1;
namespace f2 = quorvan::slot::form1041Page2;
namespace k1 = quorvan::slot::scheduleK1;

using test::ReturnFixture;

// Lines 1 and 2a are the continuation pages' totals: typed here as overrides.
void SetTrust(ReturnFixture& f, bool simple, int beneficiaries)
{
    f.Set(f1::taxYearBeginning, "01/01/2016");
    f.Set(f1::taxYearEnding, "12/31/2016");
    f.Set(f1::nameOfEstateOrTrust, "Corwin Trust");
    f.Set(simple ? f1::itemASimpleTrust : f1::itemAComplexTrust, "X");
    f.Store().NoOfSchedK = beneficiaries;
}

void Distribute(ReturnFixture& f, int k, const std::string& required, const std::string& other)
{
    f.Set(k1::incomeRequiredToBeDistributed, k, required);
    f.Set(k1::otherAmountsDistributed, k, other);
}

// Distributions above distributable net income (interest 20,000, nothing deducted): A must
// receive 10,000 and is paid 5,000 more, B, C and D are paid 3,000 each.
//   First tier: A 10,000 of 20,000. Left 10,000 for 14,000 of other amounts: A 5/14 = 3,571.43,
//   B, C, D 3/14 each = 2,142.86. A 13,571; the K-1s add up to 20,000 = line 18.
TEST(AllocationWorksheet, TiersShareDistributableNetIncomeAboveIt)
{
    ReturnFixture f;
    SetTrust(f, false, 4);
    f.Override(f1::line1Interest, "20,000");
    Distribute(f, 0, "10,000", "5,000");
    for (int k = 1; k < 4; ++k)
        Distribute(f, k, "", "3,000");
    ASSERT_TRUE(f.Settle());
    EXPECT_EQ(f.Get(k1::box1Interest, 0), "13,571");
    for (int k = 1; k < 4; ++k)
        EXPECT_EQ(f.Get(k1::box1Interest, k), "2,143") << k;
    EXPECT_EQ(f.Get(f2::scheduleBLine9Required), "10,000");
    EXPECT_EQ(f.Get(f2::scheduleBLine10Other), "14,000");
    EXPECT_EQ(f.Get(f2::scheduleBLine12TaxExempt), "0");
    EXPECT_EQ(f.Get(f1::line18Distribution), "20,000");
    EXPECT_TRUE(f.Messages().Empty());
}

// Rents 25,000, taxable interest 25,000, tax-exempt interest 25,000; a 3,000 trustee's
// commission charged to income and, by the trustee's election, to the rents. Everything is
// income required to be distributed to one beneficiary.
//   Tax-exempt part 3,000 x 25,000 / 75,000 = 1,000; line 12 = 2,000, all of it against rents.
//   Classes: rents 23,000, interest 25,000, tax-exempt 24,000: DNI 72,000 = accounting income
//   75,000 - 3,000. Schedule B line 2 and line 12 24,000; line 15 = 72,000 - 24,000 = 48,000.
TEST(AllocationWorksheet, ElectedCommissionGoesToRentsAndTaxExemptPartIsNotDeducted)
{
    ReturnFixture f;
    SetTrust(f, false, 1);
    f.Override(f1::line1Interest, "25,000");
    f.Set(f1::line5Rents, "25,000");
    f.Set(aw::taxExemptInterestReceived, "25,000");
    f.Set(aw::line12Paid, "3,000");
    f.Set(aw::line12ElectedClass, "5");
    f.Set(aw::line12ElectedAmount, "2,000");
    Distribute(f, 0, "72,000", "");
    ASSERT_TRUE(f.Settle());
    EXPECT_EQ(f.Get(aw::line12TaxExemptPart), "1,000");
    EXPECT_EQ(f.Get(f1::line12FiduciaryFees), "2,000");
    EXPECT_EQ(f.Get(k1::box1Interest), "25,000");
    EXPECT_EQ(f.Get(k1::box7), "23,000");
    EXPECT_EQ(f.Get(k1::box5), "0");
    EXPECT_EQ(f.Get(k1::box14Code1), "A");
    EXPECT_EQ(f.Get(k1::box14Amount1), "24,000");
    EXPECT_EQ(f.Get(f2::scheduleBLine2TaxExemptInterest), "24,000");
    EXPECT_EQ(f.Get(f2::scheduleBLine8AccountingIncome), "72,000");
    EXPECT_EQ(f.Get(f2::scheduleBLine12TaxExempt), "24,000");
    EXPECT_EQ(f.Get(f1::line18Distribution), "48,000");
    EXPECT_EQ(f.Get(f2::otherInformationLine1Amount), "25,000");
    EXPECT_EQ(f.Get(f2::otherInformationLine1Yes), "X");
    EXPECT_TRUE(f.Messages().Empty());
}

// The commission example, then its entries cleared step by step. Without the interest received,
// no class holds tax-exempt interest and Schedule B line 2 goes with it: DNI 48,000 is line 7.
// With every entry and the K-1 amount cleared, the worksheet leaves use and takes what it figured
// with it; a line overridden meanwhile stands.
TEST(AllocationWorksheet, ClearedEntriesTakeTheirFiguresWithThem)
{
    ReturnFixture f;
    SetTrust(f, false, 1);
    f.Override(f1::line1Interest, "25,000");
    f.Set(f1::line5Rents, "25,000");
    f.Set(aw::taxExemptInterestReceived, "25,000");
    f.Set(aw::line12Paid, "3,000");
    Distribute(f, 0, "72,000", "");
    ASSERT_TRUE(f.Settle());
    ASSERT_EQ(f.Get(f2::scheduleBLine2TaxExemptInterest), "24,000");

    f.Set(aw::taxExemptInterestReceived, "");
    Distribute(f, 0, "47,000", "");
    ASSERT_TRUE(f.Settle());
    EXPECT_EQ(f.Get(f2::scheduleBLine2TaxExemptInterest), "");
    EXPECT_EQ(f.Get(f2::scheduleBLine7Dni), "47,000");  // 50,000 - 3,000 of commission, all taxable
    EXPECT_EQ(f.Get(aw::distributableNetIncome), "47,000");

    f.Override(f2::scheduleBLine10Other, "1,000");
    f.Set(aw::line12Paid, "");
    Distribute(f, 0, "", "");
    ASSERT_TRUE(f.Settle());
    for (SlotRef s : {aw::accountingIncome, aw::line12TaxExemptPart, f2::scheduleBLine9Required,
                      f2::scheduleBLine12TaxExempt, k1::box7, k1::box14Amount1})
        EXPECT_EQ(f.Get(s), "") << s.formType << "/" << s.slot;
    EXPECT_EQ(f.Get(f2::scheduleBLine10Other), "1,000");
    EXPECT_TRUE(f.Messages().Empty());
}

// Interest 30,000 and tax-exempt interest 10,000; 8,000 given to charity out of income. A must
// receive 20,000 (first tier), B is paid 20,000 (second tier).
//   The gift is charged ratably: tax-exempt 8,000 x 10/40 = 2,000 (Schedule A line 2), interest
//   6,000. First tier, before the gift: A takes 20,000 of 40,000: interest 15,000, tax-exempt
//   5,000. Left after the gift: interest 24,000 - 15,000 = 9,000, tax-exempt 8,000 - 5,000 =
//   3,000, all to B. Line 12 = 5,000 + 3,000 = 8,000; line 15 = min(40,000 - 8,000, 32,000 -
//   8,000) = 24,000 = boxes 1 together.
TEST(AllocationWorksheet, CharitableGiftOutOfIncomeIsChargedRatablyAndSkipsTheFirstTier)
{
    ReturnFixture f;
    SetTrust(f, false, 2);
    f.Override(f1::line1Interest, "30,000");
    f.Set(aw::taxExemptInterestReceived, "10,000");
    f.Set(f2::scheduleALine1Paid, "8,000");
    Distribute(f, 0, "20,000", "");
    Distribute(f, 1, "", "20,000");
    ASSERT_TRUE(f.Settle());
    EXPECT_EQ(f.Get(f2::scheduleALine2TaxExempt), "2,000");
    EXPECT_EQ(f.Get(f1::line13Charitable), "6,000");
    EXPECT_EQ(f.Get(f2::scheduleBLine2TaxExemptInterest), "8,000");
    EXPECT_EQ(f.Get(k1::box1Interest, 0), "15,000");
    EXPECT_EQ(f.Get(k1::box14Amount1, 0), "5,000");
    EXPECT_EQ(f.Get(k1::box1Interest, 1), "9,000");
    EXPECT_EQ(f.Get(k1::box14Amount1, 1), "3,000");
    EXPECT_EQ(f.Get(f2::scheduleBLine12TaxExempt), "8,000");
    EXPECT_EQ(f.Get(f1::line18Distribution), "24,000");
}

// A simple trust: interest 6,000 and dividends 10,000, 4,000 of them extraordinary and allocated
// to principal; its only beneficiary at 100%. Accounting income and distributable net income are
// 12,000: the extraordinary dividends stay in principal and out of both.
TEST(AllocationWorksheet, SimpleTrustLeavesExtraordinaryDividendsInPrincipal)
{
    ReturnFixture f;
    SetTrust(f, true, 1);
    f.Store().BeneficiaryInterest[0] = 1;
    f.Override(f1::line1Interest, "6,000");
    f.Override(f1::line2aDividends, "10,000");
    f.Set(aw::extraordinaryDividendsToPrincipal, "4,000");
    ASSERT_TRUE(f.Settle());
    EXPECT_EQ(f.Get(aw::accountingIncome), "12,000");
    EXPECT_EQ(f.Get(f2::scheduleBLine9Required), "12,000");
    EXPECT_EQ(f.Get(k1::box1Interest), "6,000");
    EXPECT_EQ(f.Get(k1::box2aOrdinaryDividends), "6,000");
    EXPECT_EQ(f.Get(f1::line18Distribution), "12,000");
}

// The simple trust of 26 CFR 1.652(c)-4, income to A and B in equal shares, gains to principal:
// rents 25,000 less 5,000 of expenses charged to them (line 5 typed net, 20,000), dividends
// 50,000, tax-exempt interest 25,000; trustee's commissions 3,900, 2,600 of them charged to income.
// (The gain in principal and the depreciation, apportioned to the beneficiaries, touch none of
// these figures.) The regulation's figures:
//   accounting income 100,000 - 5,000 - 2,600 = 92,400, 46,200 to each;
//   commissions on tax-exempt interest 25,000 / 100,000 x 3,900 = 975, deductible 2,925;
//   DNI 91,100, its tax-exempt part 24,025; the distribution deduction 91,100 - 24,025 = 67,075
//   (the regulation's 67,025 also takes out a 50 dividend exclusion that 2016 no longer has).
//   By class (the 2,925 charged to rents and dividends by receipts, 975 and 1,950): rents
//   19,025, dividends 48,050; each K-1 half: box 7 9,512.50, box 2a 24,025, box 14 12,012.50.
TEST(AllocationWorksheet, SimpleTrustOfTheRegulationsExample)
{
    ReturnFixture f;
    SetTrust(f, true, 2);
    f.Store().BeneficiaryInterest[0] = 0.5;
    f.Store().BeneficiaryInterest[1] = 0.5;
    f.Override(f1::line2aDividends, "50,000");
    f.Set(f1::line5Rents, "20,000");
    f.Set(aw::rentsGrossReceipts, "25,000");
    f.Set(aw::rentsDirectExpensesChargedToIncome, "5,000");
    f.Set(aw::taxExemptInterestReceived, "25,000");
    f.Set(aw::line12Paid, "3,900");
    f.Set(aw::line12ChargedToIncome, "2,600");
    ASSERT_TRUE(f.Settle());
    EXPECT_EQ(f.Get(aw::accountingIncome), "92,400");
    EXPECT_EQ(f.Get(aw::line12TaxExemptPart), "975");
    EXPECT_EQ(f.Get(f1::line12FiduciaryFees), "2,925");
    EXPECT_EQ(f.Get(f2::scheduleBLine7Dni), "91,100");
    EXPECT_EQ(f.Get(f2::scheduleBLine2TaxExemptInterest), "24,025");
    EXPECT_EQ(f.Get(f2::scheduleBLine9Required), "92,400");
    EXPECT_EQ(f.Get(f2::scheduleBLine15Deduction), "67,075");
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(f.Get(k1::box7, k), "9,513") << k;
        EXPECT_EQ(f.Get(k1::box2aOrdinaryDividends, k), "24,025") << k;
        EXPECT_EQ(f.Get(k1::box14Amount1, k), "12,013") << k;
    }
    EXPECT_TRUE(f.Messages().Empty());
}

// The complex trust of 26 CFR 1.661(c)-2: dividends 10,000, interest 10,000 (partially exempt in
// the regulation, fully taxable in 2016), tax-exempt interest 10,000, rents 20,000 less 2,000 of
// expenses and 3,000 of depreciation (line 5 typed net, 15,000); trustee's commissions 5,000, their
// taxable part charged to rents by the trustee; 10,000 given to charity out of income; 15,000
// paid to the beneficiary. The regulation's figures:
//   accounting income 50,000 - 2,000 - 3,000 - 5,000 = 40,000; commissions on tax-exempt interest
//   10,000 / 50,000 x 5,000 = 1,000, deductible 4,000 (all to rents); the gift's tax-exempt part
//   2,000, deductible 8,000 (rents 4,000, dividends and interest 2,000 each);
//   DNI 30,000: rents 7,000, dividends 8,000, interest 8,000, tax-exempt 7,000;
//   the beneficiary half of each: 3,500, 4,000, 4,000, 3,500 (the regulation splits the
//   dividends 3,975 and 25 excluded, an exclusion 2016 no longer has).
TEST(AllocationWorksheet, ComplexTrustOfTheRegulationsExample)
{
    ReturnFixture f;
    SetTrust(f, false, 1);
    f.Override(f1::line1Interest, "10,000");
    f.Override(f1::line2aDividends, "10,000");
    f.Set(f1::line5Rents, "15,000");
    f.Set(aw::rentsGrossReceipts, "20,000");
    f.Set(aw::taxExemptInterestReceived, "10,000");
    f.Set(aw::line12Paid, "5,000");
    f.Set(aw::line12ElectedClass, "5");
    f.Set(f2::scheduleALine1Paid, "10,000");
    Distribute(f, 0, "", "15,000");
    ASSERT_TRUE(f.Settle());
    EXPECT_EQ(f.Get(f2::scheduleBLine8AccountingIncome), "40,000");
    EXPECT_EQ(f.Get(aw::line12TaxExemptPart), "1,000");
    EXPECT_EQ(f.Get(f1::line12FiduciaryFees), "4,000");
    EXPECT_EQ(f.Get(f2::scheduleALine2TaxExempt), "2,000");
    EXPECT_EQ(f.Get(f1::line13Charitable), "8,000");
    EXPECT_EQ(f.Get(f2::scheduleBLine7Dni), "30,000");
    EXPECT_EQ(f.Get(f2::scheduleBLine2TaxExemptInterest), "7,000");
    EXPECT_EQ(f.Get(k1::box7), "3,500");
    EXPECT_EQ(f.Get(k1::box2aOrdinaryDividends), "4,000");
    EXPECT_EQ(f.Get(k1::box1Interest), "4,000");
    EXPECT_EQ(f.Get(k1::box14Amount1), "3,500");
    EXPECT_EQ(f.Get(f1::line18Distribution), "11,500");
    EXPECT_TRUE(f.Messages().Empty());
}

// Royalties 8,000 (line 5), business income 12,000 (line 3) and other income 1,000 (line 8), all
// paid out: box 5 holds the royalties and the other income, box 6 the business income.
TEST(AllocationWorksheet, RoyaltiesAndBusinessIncomeReachTheirBoxes)
{
    ReturnFixture f;
    SetTrust(f, false, 1);
    f.Set(f1::line3Business, "12,000");
    f.Set(f1::line5Rents, "8,000");
    f.Set(f1::line8Other, "1,000");
    f.Set(aw::line5Royalties, "X");
    Distribute(f, 0, "", "21,000");
    ASSERT_TRUE(f.Settle());
    EXPECT_EQ(f.Get(k1::box5), "9,000");
    EXPECT_EQ(f.Get(k1::box6), "12,000");
    EXPECT_EQ(f.Get(k1::box7), "0");
    EXPECT_EQ(f.Get(k1::box8), "0");
    EXPECT_EQ(f.Get(f1::line18Distribution), "21,000");
}

// A return stored before the worksheet: Schedule B lines 2 and 12 typed, no override. Once the
// worksheet is used, they are kept as typed and read as overridden.
TEST(AllocationWorksheet, LinesTypedBeforeTheWorksheetAreKeptOverridden)
{
    ReturnFixture f;
    SetTrust(f, false, 1);
    f.Override(f1::line1Interest, "10,000");
    f.Set(f2::scheduleBLine2TaxExemptInterest, "1,500");
    f.Set(f2::scheduleBLine12TaxExempt, "700");
    ASSERT_TRUE(f.Settle());
    EXPECT_FALSE(
        f.Store().OvRide(f2::scheduleBLine2TaxExemptInterest.formType, 0, f2::scheduleBLine2TaxExemptInterest.slot));
    f.Set(aw::taxExemptInterestReceived, "2,000");
    ASSERT_TRUE(f.Settle());
    for (SlotRef line : {f2::scheduleBLine2TaxExemptInterest, f2::scheduleBLine12TaxExempt})
        EXPECT_TRUE(f.Store().OvRide(line.formType, 0, line.slot)) << line.slot;
    EXPECT_EQ(f.Get(f2::scheduleBLine2TaxExemptInterest), "1,500");
    EXPECT_EQ(f.Get(f2::scheduleBLine12TaxExempt), "700");
}

struct BadInput {
    const char* name;
    SlotRef field;
    const char* text;
    const char* named;  // what the message names
};

// Interest 10,000, a 1,000 fee typed as paid; one bad entry at a time.
const BadInput kBadInputs[] = {
    {"NegativePaid", aw::line14Paid, "-500", "line 14, amount paid"},
    {"ChargedAbovePaid", aw::line12ChargedToIncome, "1,500", "line 12, charged to income"},
    {"UnknownClass", aw::line12ElectedClass, "9", "line 12, elected class"},
    {"ElectionAboveDeduction", aw::line12ElectedAmount, "5,000", "line 12, elected amount"},
};

class AllocationWorksheetBadInput : public testing::TestWithParam<BadInput> {};

TEST_P(AllocationWorksheetBadInput, IsNamed)
{
    const BadInput& bad = GetParam();
    ReturnFixture f;
    SetTrust(f, false, 1);
    f.Override(f1::line1Interest, "10,000");
    f.Set(aw::line12Paid, "1,000");
    if (bad.field.slot != aw::line12ElectedAmount.slot)
        f.Set(aw::line12ElectedClass, "1");
    f.Set(bad.field, bad.text);
    ASSERT_TRUE(f.Settle());
    bool named = false;
    for (const TMessage& m : f.Messages().Messages())
        named = named || (m.number == 2964 && m.firstLine.find(bad.named) != std::string::npos);
    EXPECT_TRUE(named);
}

INSTANTIATE_TEST_SUITE_P(Fields, AllocationWorksheetBadInput, testing::ValuesIn(kBadInputs),
                         [](const auto& info) { return std::string(info.param.name); });

// Required amounts above accounting income are named too: 15,000 required of 10,000 of income.
TEST(AllocationWorksheet, RequiredAboveAccountingIncomeIsNamed)
{
    ReturnFixture f;
    SetTrust(f, false, 1);
    f.Override(f1::line1Interest, "10,000");
    f.Set(aw::line12Paid, "0");
    Distribute(f, 0, "15,000", "");
    ASSERT_TRUE(f.Settle());
    bool named = false;
    for (const TMessage& m : f.Messages().Messages())
        named = named || (m.number == 2964 && m.firstLine.find("above accounting income") != std::string::npos);
    EXPECT_TRUE(named);
    EXPECT_EQ(f.Get(k1::box1Interest), "10,000");
}

}  // namespace
}  // namespace quorvan
