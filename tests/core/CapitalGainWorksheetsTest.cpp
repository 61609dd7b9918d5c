// The capital gain worksheets through the driver: which of Schedule D Part V, the Schedule D Tax
// Worksheet and the Qualified Dividends Tax Worksheet holds the tax, the worksheets' own edge
// cases, and the carryover worksheets.

#include "calc/CapitalGainWorksheets.h"
#include "calc/RateSchedules.h"
#include "slot/CapitalLossCarryover.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/QualifiedDividendsWorksheet.h"
#include "slot/Rate28Worksheet.h"
#include "slot/ScheduleDPage1.h"
#include "slot/ScheduleDPage2.h"
#include "slot/ScheduleDTaxWorksheet.h"
#include "slot/Unrecaptured1250.h"
#include "store/Amounts.h"
#include "support/Engine2Returns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>

namespace quorvan {
namespace {

namespace cl = quorvan::slot::capitalLossCarryover;
namespace d1 = quorvan::slot::scheduleDPage1;
namespace d2 = quorvan::slot::scheduleDPage2;
namespace f1 = quorvan::slot::form1041Page1;
namespace f2 = quorvan::slot::form1041Page2;
namespace qd = quorvan::slot::qualifiedDividendsWorksheet;
namespace r28 = quorvan::slot::rate28Worksheet;
namespace tw = quorvan::slot::scheduleDTaxWorksheet;
namespace u1250 = quorvan::slot::unrecaptured1250;

using test::ReturnFixture;
using test::engine2::AddContinuationPage;
using test::engine2::AddForm8949Page;
using test::engine2::HandWorkedReturnNamed;

enum class TaxFrom { RateSchedule, PartV, TaxWorksheet, DividendsWorksheet };

struct SelectionCase {
    const char* name;
    std::function<void(ReturnFixture&)> entries;
    TaxFrom taxFrom;
};

void PrintTo(const SelectionCase& c, std::ostream* os) { *os << c.name; }

void QualifiedDividends(ReturnFixture& r)
{
    AddContinuationPage(r, ftDividend, {"5,000"});
    r.Set(f1::line2b2QualifiedToEstate, "5,000");
}

void LongTermGain(ReturnFixture& r)
{
    r.Set(d1::line14Form4797, "5,000");
}

// A complex trust with 20,000 of interest and, per row, these entries.
// name | entries | where Schedule G line 1a comes from
const SelectionCase kSelectionCases[] = {
    {"NothingCapital", [](ReturnFixture&) {}, TaxFrom::RateSchedule},
    {"QualifiedDividendsOnly", QualifiedDividends, TaxFrom::DividendsWorksheet},
    {"EntriesNettingToZeroWithDividends",
     [](ReturnFixture& r) {
         QualifiedDividends(r);
         AddForm8949Page(r, ftForm8949D, {{"Inherited shares", "INHERITED", "03/03/2016", "10,000", "10,000", "", ""}});
     },
     TaxFrom::PartV},
    {"NetLossWithDividends",
     [](ReturnFixture& r) {
         QualifiedDividends(r);
         r.Set(d1::line4OtherForms, "-2,000");
     },
     TaxFrom::PartV},
    {"ShortTermGainWithoutDividends", [](ReturnFixture& r) { r.Set(d1::line4OtherForms, "3,000"); },
     TaxFrom::RateSchedule},
    {"LongTermGain", LongTermGain, TaxFrom::PartV},
    {"LongTermGainAllocatedToBeneficiaries",
     [](ReturnFixture& r) {
         LongTermGain(r);
         r.Set(d2::line18aBeneficiaries, "5,000");
     },
     TaxFrom::RateSchedule},
    {"LongTermGainWithRate28Gain",
     [](ReturnFixture& r) {
         LongTermGain(r);
         r.Set(d2::line18cEstate, "1,000");
     },
     TaxFrom::TaxWorksheet},
    {"LongTermGainWithUnrecaptured1250Gain",
     [](ReturnFixture& r) {
         LongTermGain(r);
         r.Set(u1250::line11, "1,000");
     },
     TaxFrom::TaxWorksheet},
};

class TaxComputation : public testing::TestWithParam<SelectionCase> {};

TEST_P(TaxComputation, OneComputationHoldsTheTaxAndTheOthersAreEmpty)
{
    ReturnFixture r;
    r.Set(f1::itemAComplexTrust, "X");
    AddContinuationPage(r, ftInterest, {"20,000"});
    GetParam().entries(r);
    ASSERT_TRUE(r.Settle());

    const TaxFrom taxFrom = GetParam().taxFrom;
    EXPECT_EQ(PartVInUse(), taxFrom == TaxFrom::PartV);
    EXPECT_EQ(ScheduleDTaxWorksheetInUse(), taxFrom == TaxFrom::TaxWorksheet);
    EXPECT_EQ(QualifiedDividendsWorksheetInUse(), taxFrom == TaxFrom::DividendsWorksheet);
    EXPECT_EQ(r.Get(d2::line45).empty(), taxFrom != TaxFrom::PartV);
    EXPECT_EQ(r.Get(qd::line23).empty(), taxFrom != TaxFrom::DividendsWorksheet);

    const std::string line1a = r.Get(f2::scheduleGLine1aTax);
    switch (taxFrom) {
    case TaxFrom::PartV: EXPECT_EQ(line1a, r.Get(d2::line45)); break;
    case TaxFrom::TaxWorksheet: EXPECT_EQ(line1a, r.Get(tw::line43)); break;
    case TaxFrom::DividendsWorksheet: EXPECT_EQ(line1a, r.Get(qd::line23)); break;
    case TaxFrom::RateSchedule:
        EXPECT_EQ(line1a, Float2Dollar(GetTax(static_cast<int>(Str2Float_0(r.Get(f1::line22Taxable))))));
        break;
    }
    EXPECT_TRUE(r.Messages().Empty());
}

INSTANTIATE_TEST_SUITE_P(Returns, TaxComputation, testing::ValuesIn(kSelectionCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct BankruptcyCase {
    const char* name;
    SlotRef chapterBox;  // Form 1041 item A: chapter 7 or chapter 11
    const char* interest;
    void (*entries)(ReturnFixture&);
    const char* taxable;
    const char* line1a;
};

// A bankruptcy estate is taxed as a married person filing separately: the 0% band of qualified
// dividends and gains runs to 37,650 and the 15% band to 233,475, on the same schedule.
// name | chapter | interest | entries | taxable income | Schedule G line 1a
const BankruptcyCase kBankruptcyCases[] = {
    // Qualified Dividends Tax Worksheet: all 5,000 of dividends at 0%, tax(25,000) = 927.50 +
    // 15% x 15,725 = 3,286.25; the schedule on 30,000 would take 4,036.
    {"Chapter11DividendsInTheZeroBand", f1::itemABankruptcyEstateCh11, "25,100", QualifiedDividends, "30,000", "3,286"},
    // Part V: taxable 45,000 with a 5,000 long-term gain and 5,000 of dividends. 37,650 - 35,000
    // = 2,650 at 0%, 7,350 at 15% (1,102.50), and tax(35,000) = 927.50 + 15% x 25,725 =
    // 4,786.25: 5,889 against tax(45,000) = 7,021.
    {"Chapter7GainsAcrossTheZeroBand", f1::itemABankruptcyEstateCh7, "35,100",
     [](ReturnFixture& r) {
         QualifiedDividends(r);
         LongTermGain(r);
     },
     "45,000", "5,889"},
};

class BankruptcyEstateBands : public testing::TestWithParam<BankruptcyCase> {};

TEST_P(BankruptcyEstateBands, MarriedFilingSeparatelyBands)
{
    const BankruptcyCase& c = GetParam();
    ReturnFixture r;
    r.Set(c.chapterBox, "X");
    AddContinuationPage(r, ftInterest, {c.interest});
    c.entries(r);
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(f1::line22Taxable), c.taxable);
    EXPECT_EQ(r.Get(f2::scheduleGLine1aTax), c.line1a);
}

INSTANTIATE_TEST_SUITE_P(Returns, BankruptcyEstateBands, testing::ValuesIn(kBankruptcyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScheduleDTaxWorksheet, IncomeWithinTheZeroBracketSkipsTheRateLayers)
{
    ReturnFixture r;
    r.Set(f1::itemAComplexTrust, "X");
    r.Set(d1::line14Form4797, "3,000");
    r.Set(d2::line18cEstate, "3,000");
    r.Set(f1::line12FiduciaryFees, "900");
    ASSERT_TRUE(r.Settle());
    ASSERT_TRUE(ScheduleDTaxWorksheetInUse());
    EXPECT_EQ(r.Get(tw::line1), "2,000");
    EXPECT_EQ(r.Get(tw::line15), "2,000");
    EXPECT_EQ(r.Get(tw::line18), "2,000");
    for (int slot = tw::line20.slot; slot <= tw::line39.slot; ++slot)
        EXPECT_EQ(r.Get(ftScheduleDTaxWorksheet, slot), "") << slot;
    EXPECT_EQ(r.Get(tw::line40), "300");
    EXPECT_EQ(r.Get(tw::line42), "300");
    EXPECT_EQ(r.Get(tw::line43), "300");
    EXPECT_EQ(r.Get(f2::scheduleGLine1aTax), "300");
}

TEST(ScheduleDTaxWorksheet, OverriddenLine1aDifferentFromTheResultIsANoticeNotAnError)
{
    ReturnFixture r;
    HandWorkedReturnNamed("Rate28GainWithDividends").build(r);
    r.Override(f2::scheduleGLine1aTax, "5,000");
    ASSERT_TRUE(r.Settle());
    EXPECT_FALSE(r.Store().ErrFlag);
    EXPECT_EQ(r.Get(f2::scheduleGLine1aTax), "5,000");
    EXPECT_EQ(r.Get(tw::line43), "6,035");
    const auto codes = r.Messages().Codes();
    ASSERT_FALSE(codes.empty());
    EXPECT_TRUE(std::all_of(codes.begin(), codes.end(), [](unsigned code) { return code == 29630; }));

    r.Messages().Clear();
    r.Override(f2::scheduleGLine1aTax, "6,035");
    ASSERT_TRUE(r.Settle());
    EXPECT_TRUE(r.Messages().Empty());
}

TEST(ScheduleDPartV, InvestmentInterestEntryIsUsedAndSurvivesWhenPartVIsNotInUse)
{
    ReturnFixture r;
    HandWorkedReturnNamed("LongTermGainsWithoutDividends").build(r);
    r.Set(d2::line25, "1,000");
    ASSERT_TRUE(r.Settle());
    // 11,400 of gain less 1,000 taxed as ordinary income: 0% on 0, 15% on 9,800 = 1,470,
    // 20% on 600 = 120, tax(2,600) = 395.
    EXPECT_EQ(r.Get(d2::line26), "10,400");
    EXPECT_EQ(r.Get(d2::line45), "1,985");
    EXPECT_EQ(r.Get(f2::scheduleGLine1aTax), "1,985");

    r.Store().NoOf8949_D = 0;
    r.Set(d1::line13Distributions, "");
    ASSERT_TRUE(r.Settle());
    EXPECT_FALSE(PartVInUse());
    EXPECT_EQ(r.Get(d2::line45), "");
    EXPECT_EQ(r.Get(d2::line25), "1,000");
}

TEST(GainWorksheets, LongTermCarryoverAbsorbsCollectiblesAndUnrecapturedGain)
{
    ReturnFixture r;
    r.Set(f1::itemAComplexTrust, "X");
    AddContinuationPage(r, ftInterest, {"10,000"});
    r.Set(d1::line12Partnerships, "10,000");  // long-term gain from a partnership
    r.Set(d1::line15Carryover, "-4,000");  // long-term carryover, typed as a loss
    r.Set(u1250::line11, "5,000");
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(r28::line5), "-4,000");
    EXPECT_EQ(r.Get(u1250::line13), "5,000");
    EXPECT_EQ(r.Get(u1250::line16), "-4,000");
    EXPECT_EQ(r.Get(u1250::line17), "4,000");
    EXPECT_EQ(r.Get(u1250::line18), "1,000");
    EXPECT_EQ(r.Get(d2::line18bTotal), "1,000");
    EXPECT_TRUE(ScheduleDTaxWorksheetInUse());

    r.Set(r28::line1, "6,000");
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(r28::line7), "2,000");
    EXPECT_EQ(r.Get(u1250::line14), "6,000");
    EXPECT_EQ(r.Get(u1250::line17), "0");
    EXPECT_EQ(r.Get(u1250::line18), "5,000");
}

// Lines 1 to 14 of the Capital Loss Carryover Worksheet.
constexpr SlotRef kCarryoverLines[] = {cl::line1,  cl::line2,  cl::line3,  cl::line4, cl::line5,
                                       cl::line6,  cl::line7,  cl::line8,  cl::line9, cl::line10,
                                       cl::line11, cl::line12, cl::line13, cl::line14};

TEST(CapitalLossCarryoverWorksheet, SplitsTheCarryoverAndClearsWhenTheLossIsGone)
{
    ReturnFixture r;
    r.Set(f1::itemAComplexTrust, "X");
    AddContinuationPage(r, ftInterest, {"20,000"});
    r.Set(d1::line4OtherForms, "-5,000");
    r.Set(d1::line11OtherForms, "-4,000");
    ASSERT_TRUE(r.Settle());
    // line:        1         2        3      4         5        6        7   8        9        10       11  12   13   14
    const char* expected[] = {"16,900", "3,000", "100", "20,000", "3,000", "5,000", "", "3,000", "2,000",
                              "4,000", "", "0", "0", "4,000"};
    for (int line = 1; line <= 14; ++line)
        EXPECT_EQ(r.Get(kCarryoverLines[line - 1]), expected[line - 1]) << "line " << line;

    r.Set(d1::line11OtherForms, "9,000");
    ASSERT_TRUE(r.Settle());
    for (int line = 1; line <= 14; ++line)
        EXPECT_EQ(r.Get(kCarryoverLines[line - 1]), "") << "line " << line;
}

}  // namespace
}  // namespace quorvan
