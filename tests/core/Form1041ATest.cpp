// Form 1041-A on its own: page 1 totals and the page 2 balance sheet.

#include "calc/Form1041A.h"
#include "support/ReturnFixture.h"

#include <gtest/gtest.h>

namespace quorvan {
namespace {

using test::ReturnFixture;

constexpr int F1 = ftForm1041Page1;
constexpr int A1 = ftForm1041APage1;
constexpr int A2 = ftForm1041APage2;

TEST(Form1041A, EmptyPagesTotalZero)
{
    ReturnFixture f;
    CalcForm1041APage1();
    CalcForm1041APage2();
    for (int slot : {15, 33, 34, 36, 48})
        EXPECT_EQ(f.Get(A1, slot), "0") << slot;
    for (int slot : {7, 11, 25, 31, 35, 36, 44, 45, 50, 51, 52, 53})
        EXPECT_EQ(f.Get(A2, slot), "0") << slot;
    EXPECT_FALSE(f.Store().ErrFlag);
}

// A charitable lead trust: income 9,500 (interest 4,000, dividends 3,000, capital gain 2,000,
// other 500); deductions 6,000 of which the line 17 schedule takes 3,500 (2,000 + 1,500) and 250
// is added back; the line 23 schedule totals 4,200.
TEST(Form1041A, Page1Totals)
{
    ReturnFixture f;
    f.Set(F1, 11, "Lumen Charitable Trust");
    f.Set(F1, 12, "Ines Lumen, Trustee");
    f.Set(F1, 13, "9 Mill Lane");
    f.Set(F1, 15, "Troy, NY 12180");
    f.Set(F1, 17, "14-5556667");
    f.Set(A1, 6, "4,000");
    f.Set(A1, 7, "3,000");
    f.Set(A1, 9, "2,000");
    f.Set(A1, 13, "Royalty");
    f.Set(A1, 14, "500");
    f.Set(A1, 22, "6,000");
    f.Set(A1, 24, "2,000");
    f.Set(A1, 25, "999");  // between the schedule's amounts, not added
    f.Set(A1, 26, "1,500");
    f.Set(A1, 35, "250");
    f.Set(A1, 39, "3,000");
    f.Set(A1, 41, "1,200");
    CalcForm1041APage1();
    EXPECT_EQ(f.Get(A1, 1), "Lumen Charitable Trust");
    EXPECT_EQ(f.Get(A1, 3), "9 Mill Lane  ");
    EXPECT_EQ(f.Get(A1, 5), "14-5556667");
    EXPECT_EQ(f.Get(A1, 15), "9,500");
    EXPECT_EQ(f.Get(A1, 33), "3,500");
    EXPECT_EQ(f.Get(A1, 34), "2,500");
    EXPECT_EQ(f.Get(A1, 36), "2,750");
    EXPECT_EQ(f.Get(A1, 48), "4,200");
}

// Beginning and end of year: cash 10,000 / 12,000, receivables 5,000 gross less 500 at the end,
// land 40,000 less 4,000 of depreciation (overridden at the end to 37,000), other assets 1,000;
// liabilities 2,000 / 3,000; net assets split 30,000 + 19,000 / 30,000 + 21,500.
TEST(Form1041A, Page2BalanceSheetWithOverriddenNetAmount)
{
    ReturnFixture f;
    f.Set(A2, 0, "10,000");
    f.Set(A2, 1, "12,000");
    f.Set(A2, 4, "5,000");
    f.Set(A2, 5, "500");
    f.Set(A2, 6, "4,000");
    f.Set(A2, 28, "40,000");
    f.Set(A2, 29, "4,000");
    f.Set(A2, 30, "36,000");
    f.Override(A2, 0, 31, "37,000");
    f.Set(A2, 33, "1,000");
    f.Set(A2, 34, "1,000");
    f.Set(A2, 37, "2,000");
    f.Set(A2, 38, "3,000");
    f.Set(A2, 46, "30,000");
    f.Set(A2, 47, "30,000");
    f.Set(A2, 48, "19,000");
    f.Set(A2, 49, "21,500");
    f.Set(F1, 78, "Ines Lumen");
    f.Set(F1, 83, "Lumen & Co");
    CalcForm1041APage2();
    EXPECT_EQ(f.Get(A2, 7), "4,500");
    EXPECT_EQ(f.Get(A2, 31), "37,000");
    EXPECT_EQ(f.Get(A2, 35), "51,000");   // 10,000 + 4,000 + 36,000 + 1,000
    EXPECT_EQ(f.Get(A2, 36), "54,500");   // 12,000 + 4,500 + 37,000 + 1,000
    EXPECT_EQ(f.Get(A2, 44), "2,000");
    EXPECT_EQ(f.Get(A2, 45), "3,000");
    EXPECT_EQ(f.Get(A2, 50), "49,000");
    EXPECT_EQ(f.Get(A2, 51), "51,500");
    EXPECT_EQ(f.Get(A2, 52), "51,000");
    EXPECT_EQ(f.Get(A2, 53), "54,500");
    EXPECT_EQ(f.Get(A2, 54), "Ines Lumen");
    EXPECT_EQ(f.Get(A2, 57), "Lumen & Co");
}

}  // namespace
}  // namespace quorvan
