// Form 8949 pages and Schedule D: row gains, page and box totals, carryovers, Part III and the
// capital loss limitation carried to Form 1041 line 4 and Forms 1041-A and 1041-QFT.

#include "calc/Calculate.h"
#include "calc/ScheduleD.h"
#include "support/Engine2Returns.h"
#include "slot/Form1041APage1.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041QFT.h"
#include "slot/Form8949LongTerm.h"
#include "slot/Form8949ShortTerm.h"
#include "slot/ScheduleDPage1.h"
#include "slot/ScheduleDPage2.h"
#include "slot/Unrecaptured1250.h"

#include <gtest/gtest.h>

#include <ostream>

namespace quorvan {
namespace {

namespace a1 = quorvan::slot::form1041APage1;
namespace d1 = quorvan::slot::scheduleDPage1;
namespace d2 = quorvan::slot::scheduleDPage2;
namespace f1 = quorvan::slot::form1041Page1;
namespace f8949a = quorvan::slot::form8949ShortTerm;
namespace f8949d = quorvan::slot::form8949LongTerm;
namespace qft = quorvan::slot::form1041QFT;
namespace u1250 = quorvan::slot::unrecaptured1250;

using test::ReturnFixture;
using test::engine2::AddForm8949Page;
using test::engine2::Sale;

struct RowCase {
    const char* name;
    Sale sale;
    const char* gain;
};

void PrintTo(const RowCase& c, std::ostream* os) { *os << c.name; }

// name | row as typed | column (h)
const RowCase kRowCases[] = {
    {"LossAfterAdjustment", {"Kestrel Inc", "", "", "1,000", "1,500", "B", "200"}, "-300"},
    {"DescriptionOnly", {"Worthless shares", "", "", "", "", "", ""}, "0"},
    {"NegativeAdjustment", {"Lark Co", "", "", "5,000", "2,000", "W", "(750)"}, "2,250"},
    {"CentsRoundPerColumn", {"Merlin", "", "", "1,000.50", "400.49", "", ""}, "601"},
};

class Form8949Row : public testing::TestWithParam<RowCase> {};

TEST_P(Form8949Row, GainIsProceedsLessCostPlusAdjustment)
{
    ReturnFixture r;
    AddForm8949Page(r, ftForm8949C, {{}, GetParam().sale});  // second row of the page
    CalcForm8949BoxC(0);
    EXPECT_EQ(r.Get(ftForm8949C, 0, f8949a::sales::Slot(1, f8949a::sales::gain)), GetParam().gain);
    EXPECT_EQ(r.Get(ftForm8949C, 0, f8949a::sales::Slot(0, f8949a::sales::gain)), "0");
    EXPECT_EQ(r.Get(ftForm8949C, 0, f8949a::line2Gain), GetParam().gain);
}

INSTANTIATE_TEST_SUITE_P(Rows, Form8949Row, testing::ValuesIn(kRowCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct BoxCase {
    const char* name;
    int formType;
    int markedBox;  // the box marked "X" (the long-term page keeps the short-term page's slots)
    SlotRef proceeds, cost, adjustment, gain;  // the box's line of Schedule D, columns (d), (e), (g), (h)
};

void PrintTo(const BoxCase& c, std::ostream* os) { *os << c.name; }

// name | form type | box marked "X" | Schedule D columns (d), (e), (g), (h)
const BoxCase kBoxCases[] = {
    {"BoxA", ftForm8949A, f8949a::boxMark1, d1::line1bProceeds, d1::line1bCost, d1::line1bAdjustment, d1::line1bGain},
    {"BoxB", ftForm8949B, f8949a::boxMark2, d1::line2Proceeds, d1::line2Cost, d1::line2Adjustment, d1::line2Gain},
    {"BoxC", ftForm8949C, f8949a::boxMark3, d1::line3Proceeds, d1::line3Cost, d1::line3Adjustment, d1::line3Gain},
    {"BoxD", ftForm8949D, f8949a::boxMark1, d1::line8bProceeds, d1::line8bCost, d1::line8bAdjustment, d1::line8bGain},
    {"BoxE", ftForm8949E, f8949a::boxMark2, d1::line9Proceeds, d1::line9Cost, d1::line9Adjustment, d1::line9Gain},
    {"BoxF", ftForm8949F, f8949a::boxMark3, d1::line10Proceeds, d1::line10Cost, d1::line10Adjustment, d1::line10Gain},
};

class Form8949Box : public testing::TestWithParam<BoxCase> {};

TEST_P(Form8949Box, PagesInUseAreMarkedTotalledAndCarriedToTheirScheduleDLine)
{
    const BoxCase& box = GetParam();
    ReturnFixture r;
    r.Set(f1::nameOfEstateOrTrust, "Nightingale Trust");
    AddForm8949Page(r, box.formType, {{"Osprey", "", "", "1,000", "400", "", ""}});
    AddForm8949Page(r, box.formType, {{"Pelican", "", "", "300", "100", "B", "(50)"}});
    // A page beyond those in use keeps its entries out of the totals.
    r.Set(box.formType, 2, f8949a::sales::Slot(0, f8949a::sales::proceeds), "99,999");
    ASSERT_TRUE(r.Settle());

    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(r.Get(box.formType, k, f8949a::name), "Nightingale Trust");
        for (int mark : {f8949a::boxMark1, f8949a::boxMark2, f8949a::boxMark3})
            EXPECT_EQ(r.Get(box.formType, k, mark), mark == box.markedBox ? "X" : "") << mark;
    }
    EXPECT_EQ(r.Get(box.formType, 1, f8949a::line2Proceeds), "300");
    EXPECT_EQ(r.Get(box.formType, 1, f8949a::line2Adjustment), "-50");
    EXPECT_EQ(r.Get(box.proceeds), "1,300");
    EXPECT_EQ(r.Get(box.cost), "500");
    EXPECT_EQ(r.Get(box.adjustment), "-50");
    EXPECT_EQ(r.Get(box.gain), "750");
    const bool shortTerm = box.formType <= ftForm8949C;
    EXPECT_EQ(r.Get(d1::line7NetShortTerm), shortTerm ? "750" : "0");
    EXPECT_EQ(r.Get(d1::line16NetLongTerm), shortTerm ? "0" : "750");
    EXPECT_EQ(r.Get(f1::line4CapitalGain), "750");
}

INSTANTIATE_TEST_SUITE_P(Boxes, Form8949Box, testing::ValuesIn(kBoxCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScheduleD, CountAboveTwentyReadsTheTwentyPagesOnly)
{
    ReturnFixture r;
    r.Store().NoOf8949_D = 25;
    r.Set(ftForm8949D, 0, f8949d::sales::Slot(0, f8949d::sales::proceeds), "1,000");
    r.Set(ftForm8949D, 19, f8949d::sales::Slot(0, f8949d::sales::proceeds), "2,000");
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(d1::line8bGain), "3,000");
    EXPECT_TRUE(r.Messages().Empty());
}

TEST(ScheduleD, NoEntriesGiveZeroTotalsAndNoCapitalGainLine)
{
    ReturnFixture r;
    ASSERT_TRUE(r.Settle());
    for (SlotRef line : {d1::line1aGain, d1::line1bProceeds, d1::line1bGain, d1::line2Gain, d1::line3Gain,
                         d1::line7NetShortTerm, d1::line8aGain, d1::line8bProceeds, d1::line8bGain, d1::line9Gain,
                         d1::line10Gain, d1::line16NetLongTerm})
        EXPECT_EQ(r.Get(line), "0") << line.slot;
    EXPECT_EQ(r.Get(d2::line19Total), "0");
    EXPECT_EQ(r.Get(d2::line20Limitation), "");
    EXPECT_EQ(r.Get(f1::line4CapitalGain), "");
}

TEST(ScheduleD, CarryoversTypedAsLossesAreKeptPositiveAndSubtracted)
{
    ReturnFixture r;
    r.Set(d1::line1aProceeds, "8,000");
    r.Set(d1::line1aCost, "5,000");    // line 1a: 3,000
    r.Set(d1::line6Carryover, "-2,500");  // line 6
    r.Set(d1::line13Distributions, "4,000");   // line 13
    r.Set(d1::line15Carryover, "(2,500)"); // line 15
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(d1::line1aGain), "3,000");
    EXPECT_EQ(r.Get(d1::line6Carryover), "2,500");
    EXPECT_EQ(r.Get(d1::line7NetShortTerm), "500");
    EXPECT_EQ(r.Get(d1::line15Carryover), "2,500");
    EXPECT_EQ(r.Get(d1::line16NetLongTerm), "1,500");
}

TEST(ScheduleD, PartIIISplitsBetweenBeneficiariesAndTheTrust)
{
    ReturnFixture r;
    r.Set(d1::line4OtherForms, "4,000");   // line 4, short-term
    r.Set(d1::line14Form4797, "10,000");  // line 14, long-term
    r.Set(d2::line17Beneficiaries, "1,000");
    r.Set(d2::line18aBeneficiaries, "6,000");
    r.Set(u1250::line11, "2,500");
    r.Set(d2::line18bBeneficiaries, "500");
    r.Set(d2::line18cBeneficiaries, "300");
    r.Set(d2::line18cEstate, "700");
    ASSERT_TRUE(r.Settle());
    // line, column:          17(2)   17(3)    18a(2)   18a(3)    18b(2)   18b(3)   18c(3)   19(1)    19(2)    19(3)
    const SlotRef lines[] = {d2::line17Estate,  d2::line17Total,       d2::line18aEstate, d2::line18aTotal,
                             d2::line18bEstate, d2::line18bTotal,      d2::line18cTotal,  d2::line19Beneficiaries,
                             d2::line19Estate,  d2::line19Total};
    const char* expected[] = {"3,000", "4,000", "4,000", "10,000", "2,000", "2,500", "1,000", "7,000", "7,000", "14,000"};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(r.Get(lines[i]), expected[i]) << lines[i].slot;
}

struct LimitationCase {
    const char* name;
    const char* shortTermLoss;  // Schedule D line 4
    const char* line20;
    const char* line4;
};

void PrintTo(const LimitationCase& c, std::ostream* os) { *os << c.name; }

// name | net short-term result, the only Schedule D entry | line 20 | Form 1041 line 4
const LimitationCase kLimitationCases[] = {
    {"LossAboveTheLimit", "-10,000", "-3,000", "-3,000"},
    {"LossBelowTheLimit", "-1,200", "-1,200", "-1,200"},
    {"LossAtTheLimit", "-3,000", "-3,000", "-3,000"},
    {"Nothing", "0", "", ""},
    {"Gain", "5,000", "", "5,000"},
};

class CapitalLossLimitation : public testing::TestWithParam<LimitationCase> {};

TEST_P(CapitalLossLimitation, LineTwentyAndFormsThatTakeIt)
{
    ReturnFixture r;
    r.Set(d1::line4OtherForms, GetParam().shortTermLoss);
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(d2::line20Limitation), GetParam().line20);
    EXPECT_EQ(r.Get(f1::line4CapitalGain), GetParam().line4);
    EXPECT_EQ(r.Get(a1::line4CapitalGain), GetParam().line4);
    EXPECT_EQ(r.Get(qft::line3CapitalGain), GetParam().line4);
}

INSTANTIATE_TEST_SUITE_P(Losses, CapitalLossLimitation, testing::ValuesIn(kLimitationCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScheduleD, OverriddenLineTwentyIsWhatLineFourReceives)
{
    ReturnFixture r;
    r.Set(d1::line4OtherForms, "-10,000");
    r.Override(d2::line20Limitation, "-2,000");
    r.Override(qft::line3CapitalGain, "-500");
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(d2::line20Limitation), "-2,000");
    EXPECT_EQ(r.Get(f1::line4CapitalGain), "-2,000");
    EXPECT_EQ(r.Get(a1::line4CapitalGain), "-2,000");
    EXPECT_EQ(r.Get(qft::line3CapitalGain), "-500");
}

TEST(ScheduleD, LineFourFollowsAChangedLossAtTheNextRecalculation)
{
    ReturnFixture r;
    r.Set(d1::line4OtherForms, "-1,000");
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(f1::line4CapitalGain), "-1,000");
    r.Set(d1::line4OtherForms, "2,000");
    ASSERT_TRUE(Calculate(r.Store(), false));
    EXPECT_EQ(r.Get(d2::line19Total), "2,000");
    EXPECT_EQ(r.Get(f1::line4CapitalGain), "-1,000");  // line 19 of the previous run
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(f1::line4CapitalGain), "2,000");
}

}  // namespace
}  // namespace quorvan
