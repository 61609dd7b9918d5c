// Schedule I's income distribution deduction on a minimum tax basis and K-1 box 12, settled
// through the recalculation driver: each return once with K-1 percentages (no allocation
// worksheet) and once with the K-1 pages' distribution amounts (the tier system). Figures worked
// by hand in the comments.

#include "files/ClientFile.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/ScheduleIPage1.h"
#include "slot/ScheduleIPage2.h"
#include "slot/ScheduleK1.h"
#include "store/Answers.h"
#include "support/Engine2Returns.h"
#include "support/ReturnFixture.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace quorvan {
namespace {

namespace f1 = quorvan::slot::form1041Page1;
namespace f2 = quorvan::slot::form1041Page2;
namespace i1 = quorvan::slot::scheduleIPage1;
namespace i2 = quorvan::slot::scheduleIPage2;
namespace k1 = quorvan::slot::scheduleK1;

using test::ReturnFixture;
using test::engine2::AddContinuationPage;
using test::engine2::AddForm8949Page;

// Two beneficiaries at 50% each. With `tiers` the K-1 pages carry the distributions (each half of
// `distributed`, required or not); without, Schedule B carries them and the percentages share.
void SetTrust(ReturnFixture& f, bool tiers, bool required, int distributed)
{
    f.Set(f1::taxYearBeginning, "01/01/2016");
    f.Set(f1::taxYearEnding, "12/31/2016");
    f.Set(f1::nameOfEstateOrTrust, "Halden Trust");
    f.Set(f1::itemAComplexTrust, "X");
    f.Store().NoOfSchedK = 2;
    f.Store().BeneficiaryInterest[0] = 0.5;
    f.Store().BeneficiaryInterest[1] = 0.5;
    const std::string half = std::to_string(distributed / 2);
    if (tiers) {
        for (int k = 0; k < 2; ++k)
            f.Set(required ? k1::incomeRequiredToBeDistributed : k1::otherAmountsDistributed, k, half);
    } else {
        f.Set(required ? f2::scheduleBLine9Required : f2::scheduleBLine10Other, std::to_string(distributed));
    }
}

// Interest 36,500, a long-term gain of 28,000 kept in principal, taxes 2,000; 30,000 of the
// 34,500 of distributable net income paid out, 15,000 to each beneficiary.
//   Schedule I: line 25 = line 17 62,500 + the taxes 2,000 = 64,500; line 35 the gain 28,000, so
//   DNAMTI (line 37) 36,500, not 64,500; line 44 the smaller of 30,000 and 36,500 = 30,000 =
//   Schedule B line 15. Box 12 stays empty (the program once gave each "A 870, J 870":
//   2,000 x 15,000 / 34,500).
void TrustKeepingAGain(ReturnFixture& f, bool tiers)
{
    SetTrust(f, tiers, false, 30000);
    AddContinuationPage(f, ftInterest, {"36,500"});
    AddForm8949Page(f, ftForm8949D, {{"500 sh Orrin Co", "02/03/2012", "07/01/2016", "40,000", "12,000", "", ""}});
    f.Set(f1::line11Taxes, "2,000");
}

class K1MinimumTax : public testing::TestWithParam<bool> {};

TEST_P(K1MinimumTax, TrustKeepingAGainHasNoBox12)
{
    ReturnFixture f;
    TrustKeepingAGain(f, GetParam());
    ASSERT_TRUE(f.Settle());
    EXPECT_EQ(f.Get(f1::line4CapitalGain), "28,000");
    EXPECT_EQ(f.Get(f2::scheduleBLine7Dni), "34,500");
    EXPECT_EQ(f.Get(f2::scheduleBLine15Deduction), "30,000");
    EXPECT_EQ(f.Get(i1::line25), "64,500");
    EXPECT_EQ(f.Get(i1::line35), "28,000");
    EXPECT_EQ(f.Get(i1::line37), "36,500");
    EXPECT_EQ(f.Get(i2::line43), "36,500");
    EXPECT_EQ(f.Get(i2::line44), "30,000");
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(f.Get(k1::box1Interest, k), "15,000") << k;
        for (SlotRef code : {k1::box12Code1, k1::box12Code2})
            EXPECT_EQ(f.Get(code, k), "") << k;
        EXPECT_EQ(f.Get(k1::box12Amount1, k), "0") << k;
    }
}

// Interest 20,000 and dividends 20,000 (10,000 qualified, to the beneficiaries), taxes 4,000;
// all 40,000 must be distributed, 20,000 to each.
//   Distributable net income and Schedule B line 15 36,000. Schedule I adds the taxes back: line
//   25 and DNAMTI 40,000, line 44 40,000: 4,000 above line 15, 2,000 to each beneficiary (half of
//   line 15 each): box 12 code A 2,000.
//   K-1 percentages: the interest bears the taxes and the dividends stay whole (the rule that
//   keeps qualified dividends at their rate): box 1 8,000, box 2a 10,000, box 2b 5,000; code B
//   2,000 x 5,000 / 18,000 = 555.56.
//   Tiers: the taxes are charged to interest and dividends by their receipts: box 1 9,000, box 2a
//   9,000, box 2b 4,500; code B 2,000 x 4,500 / 18,000 = 500.
void TrustDistributingAll(ReturnFixture& f, bool tiers)
{
    SetTrust(f, tiers, true, 40000);
    AddContinuationPage(f, ftInterest, {"20,000"});
    AddContinuationPage(f, ftDividend, {"20,000"});
    f.Set(f1::line2b1QualifiedToBeneficiaries, "10,000");
    f.Set(f1::line11Taxes, "4,000");
}

struct AboveRegularCase {
    const char* name;
    bool tiers;
    const char *box1, *box2a, *box2b, *codeB;
};

const AboveRegularCase kAboveRegular[] = {
    {"Percentages", false, "8,000", "10,000", "5,000", "556"},
    {"Tiers", true, "9,000", "9,000", "4,500", "500"},
};

class K1MinimumTaxAboveRegular : public testing::TestWithParam<AboveRegularCase> {};

TEST_P(K1MinimumTaxAboveRegular, Box12CarriesCodeAAndItsPartForQualifiedDividends)
{
    const AboveRegularCase& c = GetParam();
    ReturnFixture f;
    TrustDistributingAll(f, c.tiers);
    ASSERT_TRUE(f.Settle());
    EXPECT_EQ(f.Get(f2::scheduleBLine15Deduction), "36,000");
    EXPECT_EQ(f.Get(i1::line37), "40,000");
    EXPECT_EQ(f.Get(i2::line44), "40,000");
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(f.Get(k1::box1Interest, k), c.box1) << k;
        EXPECT_EQ(f.Get(k1::box2aOrdinaryDividends, k), c.box2a) << k;
        EXPECT_EQ(f.Get(k1::box2bQualifiedDividends, k), c.box2b) << k;
        EXPECT_EQ(f.Get(k1::box12Code1, k), "A") << k;
        EXPECT_EQ(f.Get(k1::box12Amount1, k), "2,000") << k;
        EXPECT_EQ(f.Get(k1::box12Code2, k), "B") << k;
        EXPECT_EQ(f.Get(k1::box12Amount2, k), c.codeB) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Allocation, K1MinimumTaxAboveRegular, testing::ValuesIn(kAboveRegular),
                         [](const auto& info) { return std::string(info.param.name); });

// A typed code and amount stand; the pair the program would have used next takes the next code.
TEST(K1MinimumTaxTyped, OverriddenPairStands)
{
    ReturnFixture f;
    TrustDistributingAll(f, true);
    f.Override(k1::box12Code1, 0, "A");
    f.Override(k1::box12Amount1, 0, "1,500");
    ASSERT_TRUE(f.Settle());
    EXPECT_EQ(f.Get(k1::box12Amount1, 0), "1,500");
    EXPECT_EQ(f.Get(k1::box12Code2, 0), "B");
    EXPECT_EQ(f.Get(k1::box12Amount2, 0), "500");
}

// A return stored while line 35 was left to the preparer: what it holds is kept (overridden)
// unless it is the gain of line 4 that this version figures there anyway.
//   Typed 20,000 (the gain on the minimum tax basis smaller than the regular one): DNAMTI
//   64,500 - 20,000 = 44,500.
struct StoredLine35Case {
    const char* name;
    const char* typed;
    bool overridden;
    const char* line37;
};

const StoredLine35Case kStoredLine35[] = {
    {"TypedFigureStands", "20,000", true, "44,500"},
    {"GainOfLine4IsFiguredAsBefore", "28,000", false, "36,500"},
};

class StoredLine35 : public testing::TestWithParam<StoredLine35Case> {};

TEST_P(StoredLine35, ReadBack)
{
    const StoredLine35Case& c = GetParam();
    std::stringstream file;
    {
        ReturnFixture stored;
        TrustKeepingAGain(stored, false);
        ASSERT_TRUE(stored.Settle());
        stored.Set(i1::line35, c.typed);
        ASSERT_TRUE(WriteClientFile(stored.Store(), file));
    }
    ReturnFixture f;
    ASSERT_TRUE(ReadClientFile(f.Store(), file));
    EXPECT_EQ(f.Store().OvRide(i1::line35.formType, 0, i1::line35.slot), c.overridden);
    ASSERT_TRUE(f.Settle());
    EXPECT_EQ(f.Get(i1::line35), c.typed);
    EXPECT_EQ(f.Get(i1::line37), c.line37);
}

INSTANTIATE_TEST_SUITE_P(Files, StoredLine35, testing::ValuesIn(kStoredLine35),
                         [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Allocation, K1MinimumTax, testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "Tiers" : "Percentages"); });

}  // namespace
}  // namespace quorvan
