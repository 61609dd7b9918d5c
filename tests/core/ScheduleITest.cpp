// Schedule I calculators on their own: inputs set by slot, one calculator run, lines checked.

#include "calc/CapitalGainWorksheets.h"
#include "calc/ScheduleI.h"
#include "support/ReturnFixture.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/ScheduleDPage2.h"
#include "slot/ScheduleIPage1.h"
#include "slot/ScheduleIPage2.h"
#include "slot/ScheduleIPage3.h"

#include <gtest/gtest.h>

#include <map>

namespace quorvan {
namespace {

namespace d2 = quorvan::slot::scheduleDPage2;
namespace f1 = quorvan::slot::form1041Page1;
namespace f2 = quorvan::slot::form1041Page2;
namespace i1 = quorvan::slot::scheduleIPage1;
namespace i2 = quorvan::slot::scheduleIPage2;
namespace i3 = quorvan::slot::scheduleIPage3;

using test::ReturnFixture;

// The lines of Schedule I page 2 the tests below read, by number, and lines 70 to 85 of page 3.
const std::map<int, SlotRef> kPage2 = {
    {46, i2::line46}, {48, i2::line48}, {49, i2::line49}, {50, i2::line50}, {51, i2::line51}, {52, i2::line52},
    {54, i2::line54}, {55, i2::line55}, {56, i2::line56}, {57, i2::line57}, {58, i2::line58}, {60, i2::line60},
    {61, i2::line61}, {62, i2::line62}, {63, i2::line63}, {64, i2::line64}, {65, i2::line65}, {66, i2::line66},
    {67, i2::line67}, {68, i2::line68}, {69, i2::line69},
};
constexpr SlotRef kPage3[] = {i3::line70, i3::line71, i3::line72, i3::line73, i3::line74, i3::line75,
                              i3::line76, i3::line77, i3::line78, i3::line79, i3::line80, i3::line81,
                              i3::line82, i3::line83, i3::line84, i3::line85};

struct PartIIICase {
    const char* name;
    const char* line29;
    const char* line46;
    const char* line48;
    const char* line49;
    const char* line50;
    const char* line51;
    const char* line52;
    const char* line56;  // with a regular tax of 20,000 on Schedule G line 1a
};

// name | line 29 | 46 | 48 | 49 | 50 | 51 | 52 | 56
const PartIIICase kPartIIICases[] = {
    {"AtExemptionNoTax", "23,900", "", "", "", "", "", "", ""},
    {"BelowPhaseOut", "50,000", "50,000", "0", "0", "23,900", "26,100", "6,786", "0"},
    // 5,037.5 is written 5,038 and line 50 reads the written figure.
    {"InPhaseOut", "100,000", "100,000", "20,150", "5,038", "18,862", "81,138", "21,096", "1,096"},
    {"JustBelowBreakpoint", "186,299", "186,299", "106,449", "26,612", "0", "186,299", "48,438", "28,438"},
    {"AtBreakpointAt26Percent", "186,300", "", "", "", "", "186,300", "48,438", "28,438"},
    {"AboveBreakpointAt28Percent", "250,000", "", "", "", "", "250,000", "66,274", "46,274"},
};

class ScheduleIPartIII : public testing::TestWithParam<PartIIICase> {};

TEST_P(ScheduleIPartIII, TentativeMinimumTaxWithoutGains)
{
    const PartIIICase& c = GetParam();
    ReturnFixture f;
    CalcScheduleDPartV();  // no gains: no worksheet holds the tax
    f.Set(i1::line29, c.line29);
    f.Set(f2::scheduleGLine1aTax, "20,000");
    CalcScheduleIPartIII();
    CalcScheduleIPage3();
    EXPECT_EQ(f.Get(i2::line45), "23,900");
    EXPECT_EQ(f.Get(i2::line47), "79,850");
    EXPECT_EQ(f.Get(kPage2.at(46)), c.line46);
    EXPECT_EQ(f.Get(kPage2.at(48)), c.line48);
    EXPECT_EQ(f.Get(kPage2.at(49)), c.line49);
    EXPECT_EQ(f.Get(kPage2.at(50)), c.line50);
    EXPECT_EQ(f.Get(kPage2.at(51)), c.line51);
    EXPECT_EQ(f.Get(kPage2.at(52)), c.line52) << "page 3 must leave line 52 alone without Part IV";
    EXPECT_EQ(f.Get(kPage2.at(56)), c.line56);
    EXPECT_EQ(f.Get(f2::scheduleGLine1cAmt), c.line56);  // Schedule G line 1c
    EXPECT_EQ(f.Get(kPage2.at(64)), "2,550");
    EXPECT_EQ(f.Get(i3::line70), "");
    EXPECT_EQ(f.Get(i3::line85), "");
    EXPECT_FALSE(f.Store().ErrFlag);
}

INSTANTIATE_TEST_SUITE_P(Line29, ScheduleIPartIII, testing::ValuesIn(kPartIIICases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScheduleIPartIII, OverriddenLinesKeepThePreparersFigures)
{
    ReturnFixture f;
    CalcScheduleDPartV();
    f.Set(i1::line29, "100,000");
    f.Override(kPage2.at(52), "30,000");
    f.Override(kPage2.at(55), "1,000");
    f.Override(f2::scheduleGLine1cAmt, "7");
    CalcScheduleIPartIII();
    CalcScheduleIPage3();
    EXPECT_EQ(f.Get(kPage2.at(52)), "30,000");
    EXPECT_EQ(f.Get(kPage2.at(54)), "30,000");
    EXPECT_EQ(f.Get(kPage2.at(56)), "29,000");
    EXPECT_EQ(f.Get(f2::scheduleGLine1cAmt), "7");
}

// A trust with 90,000 of taxable income of which 30,000 is long-term gain it keeps (Schedule D
// line 26 of 30,000, line 27 of 60,000), minimum taxable income of 120,000:
//   51 = 120,000 - (23,900 - 25% x 40,150) = 106,138
//   57 106,138, 58 30,000, 60 30,000, 61 30,000, 62 76,138, 63 19,796 (26%), 64 2,550,
//   65 60,000, 66 0, 67 30,000, 68 0, 69 30,000;
//   70 12,400, 71 0, 72 60,000, 73 60,000, 74 0, 75 0, 76 0, 77 0, 78 30,000, 79 6,000 (20%),
//   80 to 82 empty (no section 1250 gain), 83 25,796, 84 27,596, 85 25,796 = line 52.
TEST(ScheduleIPartIV, GainKeptByTheTrustIsTaxedAtItsRate)
{
    ReturnFixture f;
    CalcScheduleDPartV();  // flags: neither worksheet in use
    f.Set(i1::line29, "120,000");
    f.Set(d2::line18aEstate, "30,000");
    f.Set(d2::line19Estate, "30,000");
    f.Set(d2::line26, "30,000");
    f.Set(d2::line27, "60,000");
    f.Set(f2::scheduleGLine1aTax, "20,000");
    CalcScheduleIPartIII();
    CalcScheduleIPage3();
    CalcScheduleIPartIII();  // line 52 follows line 85 of the run before
    CalcScheduleIPage3();

    const std::map<int, const char*> page2 = {
        {51, "106,138"}, {57, "106,138"}, {58, "30,000"}, {60, "30,000"}, {61, "30,000"},
        {62, "76,138"}, {63, "19,796"}, {64, "2,550"}, {65, "60,000"}, {66, "0"}, {67, "30,000"},
        {68, "0"}, {69, "30,000"}, {52, "25,796"}, {54, "25,796"}, {56, "5,796"},
    };
    for (const auto& [line, expected] : page2)
        EXPECT_EQ(f.Get(kPage2.at(line)), expected) << "line " << line;
    const char* const page3[] = {"12,400", "0", "60,000", "60,000", "0", "0", "0", "0",
                                 "30,000", "6,000", "", "", "", "25,796", "27,596", "25,796"};
    for (int line = 70; line <= 85; ++line)
        EXPECT_EQ(f.Get(kPage3[line - 70]), page3[line - 70]) << "line " << line;
    EXPECT_EQ(f.Get(f2::scheduleGLine1cAmt), "5,796");
}

// Runs Part III and page 3 twice, as two recalculations do: line 52 follows line 85.
void RunPartsIIIAndIV()
{
    for (int run = 0; run < 2; ++run) {
        CalcScheduleIPartIII();
        CalcScheduleIPage3();
    }
}

// Qualified dividends of 10,000 and no Schedule D: the Qualified Dividends Tax Worksheet holds
// the figures (line 4 10,000, line 5 50,000 of taxable income 60,000). Line 29 100,000 gives
// line 51 81,138: 71,138 at 26% = 18,496 and the dividends at 20% = 2,000; line 85 20,496.
TEST(ScheduleIPartIV, FiguresFromTheQualifiedDividendsTaxWorksheet)
{
    ReturnFixture f;
    f.Set(f1::line22Taxable, "60,000");
    f.Set(f1::line2b2QualifiedToEstate, "10,000");
    CalcScheduleDPartV();
    ASSERT_TRUE(QualifiedDividendsWorksheetInUse());
    f.Set(i1::line29, "100,000");
    RunPartsIIIAndIV();
    EXPECT_EQ(f.Get(kPage2.at(58)), "10,000");
    EXPECT_EQ(f.Get(kPage2.at(62)), "71,138");
    EXPECT_EQ(f.Get(kPage2.at(63)), "18,496");
    EXPECT_EQ(f.Get(kPage2.at(65)), "50,000");
    EXPECT_EQ(f.Get(i3::line72), "50,000");  // line 72
    EXPECT_EQ(f.Get(i3::line78), "10,000");  // line 78
    EXPECT_EQ(f.Get(i3::line79), "2,000");
    EXPECT_EQ(f.Get(i3::line83), "20,496");
    EXPECT_EQ(f.Get(i3::line84), "21,096");
    EXPECT_EQ(f.Get(kPage2.at(52)), "20,496");
}

// A gain of 30,000 kept by the trust, 10,000 of it unrecaptured section 1250 gain: the Schedule D
// Tax Worksheet holds the figures (line 10 30,000, line 13 20,000, line 14 80,000, line 18
// 70,000 of taxable income 100,000). Line 29 150,000 gives line 51 143,638: 113,638 at 26% =
// 29,546, 20,000 at 20% = 4,000 and the 10,000 of section 1250 gain at 25% = 2,500: 36,046.
TEST(ScheduleIPartIV, FiguresFromTheScheduleDTaxWorksheet)
{
    ReturnFixture f;
    f.Set(f1::line22Taxable, "100,000");
    f.Set(d2::line18aEstate, "30,000");
    f.Set(d2::line19Estate, "30,000");
    f.Set(d2::line18bEstate, "10,000");
    CalcScheduleDPartV();
    ASSERT_TRUE(ScheduleDTaxWorksheetInUse());
    f.Set(i1::line29, "150,000");
    RunPartsIIIAndIV();
    const std::map<int, const char*> page2 = {
        {51, "143,638"}, {57, "143,638"}, {58, "20,000"}, {60, "30,000"}, {61, "30,000"},
        {62, "113,638"}, {63, "29,546"}, {65, "80,000"}, {66, "0"}, {67, "20,000"}, {68, "0"},
        {69, "20,000"}, {52, "36,046"},
    };
    for (const auto& [line, expected] : page2)
        EXPECT_EQ(f.Get(kPage2.at(line)), expected) << "line " << line;
    const char* const page3[] = {"12,400", "0", "70,000", "70,000", "0", "0", "0", "0",
                                 "20,000", "4,000", "133,638", "10,000", "2,500", "36,046", "37,346", "36,046"};
    for (int line = 70; line <= 85; ++line)
        EXPECT_EQ(f.Get(kPage3[line - 70]), page3[line - 70]) << "line " << line;
}

TEST(ScheduleIPage1, NegativeNetOperatingLossIsReportedAndDropped)
{
    ReturnFixture f;
    f.Set(f1::line17Adjusted, "40,000");
    f.Set(f1::line11Taxes, "2,500");
    f.Set(f1::line15cTwoPercent, "1,000");
    f.Set(i1::line5, "300");  // line 5, refund of taxes, subtracted
    f.Set(i1::line7, "-500");
    f.Set(i1::line8, "700");  // line 8
    f.Set(i1::line24, "200");  // line 24, subtracted
    CalcScheduleIPage1();
    EXPECT_EQ(f.Messages().Codes(), std::vector<unsigned>{29587});
    EXPECT_EQ(f.Get(i1::line7), "");
    EXPECT_EQ(f.Get(i1::line1), "40,000");
    EXPECT_EQ(f.Get(i1::line3), "2,500");
    EXPECT_EQ(f.Get(i1::line4), "1,000");
    EXPECT_EQ(f.Get(i1::line25), "43,700");  // 40,000 + 2,500 + 1,000 - 300 + 700 - 200
    EXPECT_FALSE(f.Store().ErrFlag);
}

struct Line30Case {
    const char* name;
    const char* line25;
    const char* form1041Line4;
    const char* line30;
};

// name | line 25 | Form 1041 line 4 | line 30
const Line30Case kLine30Cases[] = {
    {"GainPassesThrough", "12,000", "3,000", "12,000"},
    {"LossLimitedByCapitalLoss", "-8,000", "-3,000", "-3,000"},
    {"SmallerLossKept", "-2,000", "-3,000", "-2,000"},
    {"LossWithoutCapitalLoss", "-8,000", "", "0.00"},
    {"LossWithCapitalGain", "-8,000", "1,000", "-8,000"},
};

class ScheduleIPartIILine30 : public testing::TestWithParam<Line30Case> {};

TEST_P(ScheduleIPartIILine30, FromLine25AndTheCapitalLoss)
{
    ReturnFixture f;
    f.Set(i1::line25, GetParam().line25);
    f.Set(f1::line4CapitalGain, GetParam().form1041Line4);
    CalcScheduleIPartII();
    EXPECT_EQ(f.Get(i1::line30), GetParam().line30);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScheduleIPartIILine30, testing::ValuesIn(kLine30Cases),
                         [](const auto& info) { return std::string(info.param.name); });

// Distributable net alternative minimum taxable income 49,000: line 25 50,000, tax-exempt
// interest 1,000, the beneficiaries' gain of 3,000 put back on line 32 and the whole gain of Form
// 1041 line 4, 5,000, taken out on line 35 (the 2,000 the trust keeps stays out); distributions
// 40,000 of which 1,000 tax-exempt: line 44 = smaller of 39,000 and 49,000 - 1,000.
TEST(ScheduleIPartII, IncomeDistributionDeductionOnMinimumTaxBasis)
{
    ReturnFixture f;
    f.Set(i1::line25, "50,000");
    f.Set(i1::line31, "1,000");   // line 31
    f.Set(d2::line19Beneficiaries, "3,000");   // Schedule D line 19 column (1)
    f.Set(f1::line4CapitalGain, "5,000");  // line 35 takes it
    f.Set(f2::scheduleBLine9Required, "30,000");  // Schedule B line 9
    f.Set(f2::scheduleBLine10Other, "10,000");  // Schedule B line 10
    f.Set(i1::line41, "1,000");   // line 41
    f.Set(f1::line19EstateTax, "500");
    CalcScheduleIPartII();
    CalcScheduleILines26To29();
    EXPECT_EQ(f.Get(i1::line32), "3,000");
    EXPECT_EQ(f.Get(i1::line35), "5,000");
    EXPECT_EQ(f.Get(i1::line37), "49,000");
    EXPECT_EQ(f.Get(i1::line40), "40,000");
    EXPECT_EQ(f.Get(i1::line42), "39,000");
    EXPECT_EQ(f.Get(i2::line43), "48,000");
    EXPECT_EQ(f.Get(i2::line44), "39,000");
    EXPECT_EQ(f.Get(i1::line26), "39,000");
    EXPECT_EQ(f.Get(i1::line27), "500");
    EXPECT_EQ(f.Get(i1::line28), "39,500");
    EXPECT_EQ(f.Get(i1::line29), "10,500");
}

}  // namespace
}  // namespace quorvan
