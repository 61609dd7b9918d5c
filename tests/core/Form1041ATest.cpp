// Form 1041-A on its own: page 1 totals and the page 2 balance sheet.

#include "calc/Form1041A.h"
#include "support/ReturnFixture.h"
#include "slot/Form1041APage1.h"
#include "slot/Form1041APage2.h"
#include "slot/Form1041Page1.h"

#include <gtest/gtest.h>

namespace quorvan {
namespace {

namespace a1 = quorvan::slot::form1041APage1;
namespace a2 = quorvan::slot::form1041APage2;
namespace f1 = quorvan::slot::form1041Page1;

using test::ReturnFixture;

TEST(Form1041A, EmptyPagesTotalZero)
{
    ReturnFixture f;
    CalcForm1041APage1();
    CalcForm1041APage2();
    for (SlotRef line : {a1::line9TotalIncome, a1::line18, a1::line19, a1::line21, a1::line24})
        EXPECT_EQ(f.Get(line), "0") << line.slot;
    for (SlotRef line : {a2::line27bColumnB, a2::line28bColumnB, a2::line34bColumnB, a2::line36bColumnB,
                         a2::line38TotalAssetsBegin, a2::line38TotalAssetsEnd, a2::line42LiabilitiesBegin,
                         a2::line42LiabilitiesEnd, a2::line45NetAssetsBegin, a2::line45NetAssetsEnd, a2::line46Begin,
                         a2::line46End})
        EXPECT_EQ(f.Get(line), "0") << line.slot;
    EXPECT_FALSE(f.Store().ErrFlag);
}

// A charitable lead trust: income 9,500 (interest 4,000, dividends 3,000, capital gain 2,000,
// other 500); deductions 6,000 of which the line 17 schedule takes 3,500 (2,000 + 1,500) and 250
// is added back; the line 23 schedule totals 4,200.
TEST(Form1041A, Page1Totals)
{
    ReturnFixture f;
    f.Set(f1::nameOfEstateOrTrust, "Lumen Charitable Trust");
    f.Set(f1::nameAndTitleOfFiduciary, "Ines Lumen, Trustee");
    f.Set(f1::fiduciaryStreet, "9 Mill Lane");
    f.Set(f1::fiduciaryCity, "Troy, NY 12180");
    f.Set(f1::itemCEin, "14-5556667");
    f.Set(a1::line1, "4,000");
    f.Set(a1::line2, "3,000");
    f.Set(a1::line4CapitalGain, "2,000");
    f.Set(a1::line8Type, "Royalty");
    f.Set(a1::line8, "500");
    f.Set(a1::line16Deductions, "6,000");
    f.Set(a1::line17a, "2,000");
    f.Set(a1::line17bPayee, "999");  // between the schedule's amounts, not added
    f.Set(a1::line17b, "1,500");
    f.Set(a1::line20, "250");
    f.Set(a1::line23a, "3,000");
    f.Set(a1::line23b, "1,200");
    CalcForm1041APage1();
    EXPECT_EQ(f.Get(a1::nameOfTrust), "Lumen Charitable Trust");
    EXPECT_EQ(f.Get(a1::numberStreetAndRoomOrSuiteNo), "9 Mill Lane  ");
    EXPECT_EQ(f.Get(a1::employerIdentificationNumber), "14-5556667");
    EXPECT_EQ(f.Get(a1::line9TotalIncome), "9,500");
    EXPECT_EQ(f.Get(a1::line18), "3,500");
    EXPECT_EQ(f.Get(a1::line19), "2,500");
    EXPECT_EQ(f.Get(a1::line21), "2,750");
    EXPECT_EQ(f.Get(a1::line24), "4,200");
}

// Beginning and end of year: cash 10,000 / 12,000, receivables 5,000 gross less 500 at the end,
// land 40,000 less 4,000 of depreciation (overridden at the end to 37,000), other assets 1,000;
// liabilities 2,000 / 3,000; net assets split 30,000 + 19,000 / 30,000 + 21,500.
TEST(Form1041A, Page2BalanceSheetWithOverriddenNetAmount)
{
    ReturnFixture f;
    f.Set(a2::line25ColumnA, "10,000");
    f.Set(a2::line25ColumnB, "12,000");
    f.Set(a2::line27a, "5,000");
    f.Set(a2::line27b, "500");
    f.Set(a2::line27bColumnA, "4,000");
    f.Set(a2::line36a, "40,000");
    f.Set(a2::line36b, "4,000");
    f.Set(a2::line36bColumnA, "36,000");
    f.Override(a2::line36bColumnB, "37,000");
    f.Set(a2::line37ColumnA, "1,000");
    f.Set(a2::line37ColumnB, "1,000");
    f.Set(a2::line39ColumnA, "2,000");
    f.Set(a2::line39ColumnB, "3,000");
    f.Set(a2::line43ColumnA, "30,000");
    f.Set(a2::line43ColumnB, "30,000");
    f.Set(a2::line44ColumnA, "19,000");
    f.Set(a2::line44ColumnB, "21,500");
    f.Set(f1::preparerName, "Ines Lumen");
    f.Set(f1::firmsEin, "Lumen & Co");
    CalcForm1041APage2();
    EXPECT_EQ(f.Get(a2::line27bColumnB), "4,500");
    EXPECT_EQ(f.Get(a2::line36bColumnB), "37,000");
    EXPECT_EQ(f.Get(a2::line38TotalAssetsBegin), "51,000");   // 10,000 + 4,000 + 36,000 + 1,000
    EXPECT_EQ(f.Get(a2::line38TotalAssetsEnd), "54,500");   // 12,000 + 4,500 + 37,000 + 1,000
    EXPECT_EQ(f.Get(a2::line42LiabilitiesBegin), "2,000");
    EXPECT_EQ(f.Get(a2::line42LiabilitiesEnd), "3,000");
    EXPECT_EQ(f.Get(a2::line45NetAssetsBegin), "49,000");
    EXPECT_EQ(f.Get(a2::line45NetAssetsEnd), "51,500");
    EXPECT_EQ(f.Get(a2::line46Begin), "51,000");
    EXPECT_EQ(f.Get(a2::line46End), "54,500");
    EXPECT_EQ(f.Get(a2::preparerName), "Ines Lumen");
    EXPECT_EQ(f.Get(a2::firmsEin), "Lumen & Co");
}

}  // namespace
}  // namespace quorvan
