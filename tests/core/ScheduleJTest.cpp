// Schedule J on its own: Part I from Schedule B, the throwback-year columns of pages 1 and 2, and
// the beneficiary's allocation totals.

#include "calc/ScheduleJ.h"
#include "support/ReturnFixture.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/ScheduleJPage1.h"
#include "slot/ScheduleJPage2.h"

#include <gtest/gtest.h>

namespace quorvan {
namespace {

namespace f1 = quorvan::slot::form1041Page1;
namespace f2 = quorvan::slot::form1041Page2;
namespace j1 = quorvan::slot::scheduleJPage1;
namespace j2 = quorvan::slot::scheduleJPage2;

// Column c (0 for (a) to 4 for (e)) of a Schedule J line whose columns stand side by side.
SlotRef Column(SlotRef columnA, int c)
{
    return {columnA.formType, columnA.slot + c};
}

using test::ReturnFixture;

// Page 2 inputs by column: line 18 tax, 19 short-term, 20 long-term, 22 taxable income,
// 26 tax, 27 and 28 the second percent.
struct Page2Column {
    const char* line18;
    const char* line19;
    const char* line20;
    const char* line22;
    const char* line26;
    const char* line27;
    const char* line28;
};

// A complex trust throwing back to 2012 (a), 2013 (b) and 2014 (c); columns (d) and (e) have no
// year. (a) 3,000 of gains over 12,000 of taxable income: 25% of the 4,000 tax; (b) a short-term
// loss: no gain and no percent; (c) gains above taxable income: the percent stops at 1; (d) has
// figures but no year.
void SetTrust(ReturnFixture& f)
{
    f.Set(f1::nameOfEstateOrTrust, "Brennan Family Trust");
    f.Set(f1::itemCEin, "36-7654321");
    f.Set(f2::scheduleBLine7Dni, "30,000");  // Schedule B line 7
    f.Set(f2::scheduleBLine9Required, "10,000");  // line 9
    f.Set(f2::scheduleBLine10Other, "50,000");  // line 10
    const char* const years[] = {"2012", "2013", "2014", "", ""};
    const Page2Column columns[] = {
        {"4,000", "1,000", "2,000", "12,000", "2,000", "500", "1,000"},
        {"3,000", "-100", "500", "", "", "", ""},
        {"1,500", "2,000", "1,000", "2,000", "", "", ""},
        {"1,000", "1,000", "1,000", "4,000", "", "", ""},
        {"", "", "", "", "", "", ""},
    };
    for (int c = 0; c < 5; ++c) {
        f.Set(Column(j1::throwbackYearColumnA, c), years[c]);
        f.Set(Column(j2::line18ColumnA, c), columns[c].line18);
        f.Set(Column(j2::line19ColumnA, c), columns[c].line19);
        f.Set(Column(j2::line20ColumnA, c), columns[c].line20);
        f.Set(Column(j2::line22ColumnA, c), columns[c].line22);
        f.Set(Column(j2::line26ColumnA, c), columns[c].line26);
        f.Set(Column(j2::line27ColumnA, c), columns[c].line27);
        f.Set(Column(j2::line28ColumnA, c), columns[c].line28);
    }
    // Page 1 Part II, column (a): DNI 20,000, distributions 5,000, prior throwback 1,000,
    // allocation 5,500 of which 500 tax-exempt.
    f.Set(j1::line6ColumnA, "20,000");
    f.Set(j1::line7ColumnA, "5,000");
    f.Set(j1::line11ColumnA, "1,000");
    f.Set(j1::line13ColumnA, "5,500");
    f.Set(j1::line16ColumnA, "500");
    // Part IV rows (a) and (b) of the beneficiary.
    f.Set(j2::line32ColumnA, "1,000");
    f.Set(j2::line32ColumnB, "100");
    f.Set(j2::line33ColumnA, "500");
    f.Set(j2::line33ColumnC, "50");
}

void RunScheduleJ()
{
    CalcScheduleJPartI();
    CalcScheduleJPage2();
    CalcScheduleJPartII();
}

void ExpectColumns(ReturnFixture& f, SlotRef columnA, const std::vector<const char*>& expected, const char* line)
{
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(f.Get(Column(columnA, c)), expected[c]) << "line " << line << " column " << c;
}

TEST(ScheduleJ, PartIFromScheduleB)
{
    ReturnFixture f;
    SetTrust(f);
    RunScheduleJ();
    EXPECT_EQ(f.Get(j1::nameOfTrust), "Brennan Family Trust");
    EXPECT_EQ(f.Get(j1::employerIdentificationNumber), "36-7654321");
    EXPECT_EQ(f.Get(j1::line1OtherAmounts), "50,000");
    EXPECT_EQ(f.Get(j1::line2Dni), "30,000");
    EXPECT_EQ(f.Get(j1::line3RequiredIncome), "10,000");
    EXPECT_EQ(f.Get(j1::line4), "20,000");
    EXPECT_EQ(f.Get(j1::line5AccumulationDistribution), "30,000");

    f.Set(f2::scheduleBLine9Required, "40,000");  // line 9 above line 7: line 4 is 0 and line 5 is line 1
    RunScheduleJ();
    EXPECT_EQ(f.Get(j1::line4), "0");
    EXPECT_EQ(f.Get(j1::line5AccumulationDistribution), "50,000");
}

TEST(ScheduleJ, Page2TaxOnUndistributedIncome)
{
    ReturnFixture f;
    SetTrust(f);
    RunScheduleJ();
    ExpectColumns(f, j2::throwbackYearColumnA, {"2012", "2013", "2014", "", ""}, "years");
    ExpectColumns(f, j2::line21ColumnA, {"3,000", "0", "3,000", "", ""}, "21");
    // The percent does not ask whether the column is in use.
    ExpectColumns(f, j2::line23ColumnA, {"0.25", "", "1", "0", ""}, "23");
    ExpectColumns(f, j2::line24ColumnA, {"1,000", "0", "1,500", "", ""}, "24");
    ExpectColumns(f, j2::line25ColumnA, {"3,000", "3,000", "0", "", ""}, "25");
    ExpectColumns(f, j2::line29ColumnA, {"0.5", "", "", "", ""}, "29");
    ExpectColumns(f, j2::line30ColumnA, {"1,000", "0", "0", "", ""}, "30");
    ExpectColumns(f, j2::line31ColumnA, {"1,000", "0", "0", "", ""}, "31");
    EXPECT_EQ(f.Get(j2::line32), "2012");
    EXPECT_EQ(f.Get(j2::line33), "2013");
    EXPECT_EQ(f.Get(j2::line37ColumnA), "1,500");
    EXPECT_EQ(f.Get(j2::line37ColumnB), "100");
    EXPECT_EQ(f.Get(j2::line37ColumnC), "50");
}

TEST(ScheduleJ, PartIIFromThePage2Taxes)
{
    ReturnFixture f;
    SetTrust(f);
    RunScheduleJ();
    // (a): 20,000 - 5,000 = 15,000; line 9 = 3,000 + 1,000; line 14 = 5,500 / 11,000 x 4,000.
    ExpectColumns(f, j1::line8ColumnA, {"15,000", "0", "0", "", ""}, "8");
    ExpectColumns(f, j1::line9ColumnA, {"4,000", "3,000", "0", "", ""}, "9");
    ExpectColumns(f, j1::line10ColumnA, {"11,000", "-3,000", "0", "", ""}, "10");
    ExpectColumns(f, j1::line12ColumnA, {"10,000", "-3,000", "0", "", ""}, "12");
    ExpectColumns(f, j1::line14ColumnA, {"2,000", "0", "", "", ""}, "14");
    ExpectColumns(f, j1::line15ColumnA, {"7,500", "0", "0", "", ""}, "15");
    ExpectColumns(f, j1::line17ColumnA, {"7,000", "0", "0", "", ""}, "17");
}

TEST(ScheduleJ, OverriddenLine9IsWhatLine10Uses)
{
    ReturnFixture f;
    SetTrust(f);
    f.Override(j1::line9ColumnA, "6,000");
    RunScheduleJ();
    EXPECT_EQ(f.Get(j1::line9ColumnA), "6,000");
    EXPECT_EQ(f.Get(j1::line10ColumnA), "9,000");
}

}  // namespace
}  // namespace quorvan
