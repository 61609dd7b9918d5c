// Form 8960 of an estate or trust: whole returns settled through the driver and checked against
// figures worked by hand from the 2016 instructions; the entities that owe no tax on it; and a
// return saved before the form was figured, whose typed Schedule G line 4 is kept as an override.

#include "calc/Form8960.h"
#include "files/ClientFile.h"
#include "review/OverrideFigures.h"
#include "review/Review.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/Form8960.h"
#include "slot/ScheduleDPage1.h"
#include "support/Engine2Returns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace quorvan {
namespace {

namespace d1 = quorvan::slot::scheduleDPage1;
namespace f1 = quorvan::slot::form1041Page1;
namespace f2 = quorvan::slot::form1041Page2;
namespace f8960 = quorvan::slot::form8960;

using test::ReturnFixture;
using test::engine2::AddContinuationPage;
using test::engine2::Line;

void ComplexTrust(ReturnFixture& r, const std::string& name)
{
    r.Set(f1::taxYearBeginning, "01/01/2016");
    r.Set(f1::taxYearEnding, "12/31/2016");
    r.Set(f1::nameOfEstateOrTrust, name);
    r.Set(f1::itemCEin, "52-1234567");
    r.Set(f1::itemAComplexTrust, "X");
}

// Interest 6,000, dividends 4,000, capital gain distributions 40,000 kept in corpus, fees 2,000;
// the trust pays out 8,000 of its income.
//   Form 1041: line 9 50,000, line 17 48,000; DNI 48,000 - 40,000 of gain = 8,000, all paid out:
//   line 18 8,000, exemption 100, line 22 39,900.
//   Form 8960: line 8 50,000, fees all investment expense (line 9c 2,000), line 12 48,000. The
//   distribution carries out 8,000 x 8,000 / 8,000 = 8,000 (DNI is investment income alone):
//   line 18c 40,000. Adjusted gross income 50,000 - 2,000 - 8,000 - 100 = 39,900, 27,500 above
//   12,400: the smaller, 27,500 x 3.8% = 1,045.
void KeepsItsGains(ReturnFixture& r)
{
    ComplexTrust(r, "Aldous Trust");
    AddContinuationPage(r, ftInterest, {"6,000"});
    AddContinuationPage(r, ftDividend, {"4,000"});
    r.Set(d1::line13Distributions, "40,000");
    r.Set(f1::line12FiduciaryFees, "2,000");
    r.Set(f2::scheduleBLine10Other, "8,000");
}

// Interest 12,000, fees 500: net investment income 11,500, all kept, but adjusted gross income
// 12,000 - 500 - 100 = 11,400 stays under 12,400: no tax.
void BelowTheThreshold(ReturnFixture& r)
{
    ComplexTrust(r, "Birch Trust");
    AddContinuationPage(r, ftInterest, {"12,000"});
    r.Set(f1::line12FiduciaryFees, "500");
}

// Interest 20,000, dividends 10,000, business income 10,000, fees 4,000, and 8,000 paid to
// charity from gross income.
//   Investment share of total income 30,000 / 40,000 = 75%: line 9c 3,000, line 12 27,000.
//   The charitable deduction of 8,000 takes 75% of it, 6,000: line 18b 6,000, line 18c 21,000.
//   Adjusted gross income 40,000 - 4,000 - 100 = 35,900 (no charitable deduction in it), 23,500
//   above 12,400: 21,000 x 3.8% = 798.
void GivesToCharity(ReturnFixture& r)
{
    ComplexTrust(r, "Cedar Charitable Lead Trust");
    AddContinuationPage(r, ftInterest, {"20,000"});
    AddContinuationPage(r, ftDividend, {"10,000"});
    r.Set(f1::line3Business, "10,000");
    r.Set(f1::line12FiduciaryFees, "4,000");
    r.Set(f2::scheduleALine1Paid, "8,000");
}

// Rents 30,000 from a business in which the trustee materially participates (line 4b takes them
// out), interest 15,000, fees 3,000; 21,000 paid out.
//   Line 4c 0, line 8 15,000; investment share 15,000 / 45,000: line 9c 1,000, line 12 14,000.
//   DNI 42,000, of it 14,000 investment income; the 21,000 distribution carries out
//   21,000 x 14,000 / 42,000 = 7,000: line 18c 7,000. Adjusted gross income
//   45,000 - 3,000 - 21,000 - 100 = 20,900, 8,500 above 12,400: 7,000 x 3.8% = 266.
void RunsANonSection1411Business(ReturnFixture& r)
{
    ComplexTrust(r, "Dunmore Farm Trust");
    AddContinuationPage(r, ftInterest, {"15,000"});
    r.Set(f1::line5Rents, "30,000");
    r.Set(f8960::line4bNonSection1411, "-30,000");
    r.Set(f1::line12FiduciaryFees, "3,000");
    r.Set(f2::scheduleBLine10Other, "21,000");
}

struct WholeReturn {
    const char* name;
    void (*build)(ReturnFixture&);
    std::vector<Line> lines;
};

void PrintTo(const WholeReturn& w, std::ostream* os) { *os << w.name; }

const WholeReturn kWholeReturns[] = {
    {"KeepsItsGains", KeepsItsGains,
     {{f1::line4CapitalGain, "40,000"}, {f1::line18Distribution, "8,000"}, {f1::line22Taxable, "39,900"},
      {f8960::nameShownOnReturn, "Aldous Trust"}, {f8960::identifyingNumber, "52-1234567"},
      {f8960::line1TaxableInterest, "6,000"}, {f8960::line2OrdinaryDividends, "4,000"},
      {f8960::line5aNetGain, "40,000"}, {f8960::line5d, "40,000"}, {f8960::line8TotalInvestmentIncome, "50,000"},
      {f8960::line9cMiscellaneous, "2,000"}, {f8960::line11TotalDeductions, "2,000"},
      {f8960::line12NetInvestmentIncome, "48,000"}, {f8960::line18aNetInvestmentIncome, "48,000"},
      {f8960::line18bDistributionsAndCharitable, "8,000"}, {f8960::line18cUndistributed, "40,000"},
      {f8960::line19aAdjustedGrossIncome, "39,900"}, {f8960::line19bHighestBracket, "12,400"},
      {f8960::line19c, "27,500"}, {f8960::line20, "27,500"}, {f8960::line21NetInvestmentIncomeTax, "1,045"},
      {f8960::line13ModifiedAgi, ""}, {f8960::line17IndividualTax, ""},
      {f2::scheduleGLine4NetInvestment, "1,045"}}},
    {"BelowTheThreshold", BelowTheThreshold,
     {{f8960::line12NetInvestmentIncome, "11,500"}, {f8960::line18cUndistributed, "11,500"},
      {f8960::line19aAdjustedGrossIncome, "11,400"}, {f8960::line19c, "0"}, {f8960::line20, "0"},
      {f8960::line21NetInvestmentIncomeTax, "0"}, {f2::scheduleGLine4NetInvestment, "0"},
      {f2::scheduleGLine7TotalTax, "2,876"}}},  // 2,100.50 + 33% x (11,400 - 9,050)
    {"GivesToCharity", GivesToCharity,
     {{f1::line13Charitable, "8,000"}, {f8960::line8TotalInvestmentIncome, "30,000"},
      {f8960::line9cMiscellaneous, "3,000"}, {f8960::line12NetInvestmentIncome, "27,000"},
      {f8960::line18bDistributionsAndCharitable, "6,000"}, {f8960::line18cUndistributed, "21,000"},
      {f8960::line19aAdjustedGrossIncome, "35,900"}, {f8960::line19c, "23,500"}, {f8960::line20, "21,000"},
      {f8960::line21NetInvestmentIncomeTax, "798"}, {f2::scheduleGLine4NetInvestment, "798"}}},
    {"RunsANonSection1411Business", RunsANonSection1411Business,
     {{f8960::line4aRentalRoyalties, "30,000"}, {f8960::line4c, "0"}, {f8960::line8TotalInvestmentIncome, "15,000"},
      {f8960::line9cMiscellaneous, "1,000"}, {f8960::line12NetInvestmentIncome, "14,000"},
      {f1::line18Distribution, "21,000"}, {f8960::line18bDistributionsAndCharitable, "7,000"},
      {f8960::line18cUndistributed, "7,000"}, {f8960::line19aAdjustedGrossIncome, "20,900"},
      {f8960::line19c, "8,500"}, {f8960::line20, "7,000"}, {f8960::line21NetInvestmentIncomeTax, "266"},
      {f2::scheduleGLine4NetInvestment, "266"}}},
};

class Form8960WholeReturn : public testing::TestWithParam<WholeReturn> {};

TEST_P(Form8960WholeReturn, SettlesToTheHandWorkedFigures)
{
    ReturnFixture r;
    GetParam().build(r);
    ASSERT_TRUE(r.Settle());
    for (const Line& line : GetParam().lines)
        EXPECT_EQ(r.Get(line.formType, line.slot), line.text) << "form type " << line.formType << " slot " << line.slot;
    EXPECT_TRUE(r.Messages().Empty());
}

INSTANTIATE_TEST_SUITE_P(Returns2016, Form8960WholeReturn, testing::ValuesIn(kWholeReturns),
                         [](const auto& info) { return std::string(info.param.name); });

// Overrides flow on: a typed line 18b (the beneficiaries' K-1s say 20,000 of investment income
// went out) and a typed Schedule G line 4 (a tax figured elsewhere) are kept.
TEST(Form8960, OverriddenLinesAreKeptAndFlowOn)
{
    ReturnFixture r;
    KeepsItsGains(r);
    r.Override(f8960::line18bDistributionsAndCharitable, "20,000");
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(f8960::line18cUndistributed), "28,000");
    EXPECT_EQ(r.Get(f8960::line20), "27,500");  // adjusted gross income still limits it

    r.Override(f8960::line18bDistributionsAndCharitable, "40,000");
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(f8960::line20), "8,000");
    EXPECT_EQ(r.Get(f2::scheduleGLine4NetInvestment), "304");

    r.Override(f2::scheduleGLine4NetInvestment, "500");
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(f2::scheduleGLine4NetInvestment), "500");
    EXPECT_EQ(r.Get(f8960::line21NetInvestmentIncomeTax), "304");
}

struct ExemptEntity {
    const char* name;
    SlotRef box;
};

void PrintTo(const ExemptEntity& e, std::ostream* os) { *os << e.name; }

// A grantor type trust (its grantor pays) and a section 4947(a)(1) trust owe no tax on Form 8960;
// a bankruptcy estate figures it as an individual, on lines the form keeps for individuals.
const ExemptEntity kExemptEntities[] = {
    {"GrantorTypeTrust", f1::itemAGrantorTypeTrust},
    {"CharitableTrust4947a1", f1::itemE4947a1},
    {"BankruptcyChapter7", f1::itemABankruptcyEstateCh7},
    {"BankruptcyChapter11", f1::itemABankruptcyEstateCh11},
};

class Form8960NotOwedAsTrust : public testing::TestWithParam<ExemptEntity> {};

TEST_P(Form8960NotOwedAsTrust, LeavesTheEstateAndTrustLinesEmpty)
{
    ReturnFixture r;
    KeepsItsGains(r);
    r.Set(f1::itemAComplexTrust, "");
    r.Set(GetParam().box, "X");
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(f8960::line12NetInvestmentIncome), "48,000");
    for (SlotRef line : {f8960::line18aNetInvestmentIncome, f8960::line18bDistributionsAndCharitable,
                         f8960::line19aAdjustedGrossIncome, f8960::line19bHighestBracket, f8960::line20,
                         f8960::line21NetInvestmentIncomeTax, f2::scheduleGLine4NetInvestment})
        EXPECT_EQ(r.Get(line), "") << "slot " << line.slot;
}

INSTANTIATE_TEST_SUITE_P(Entities, Form8960NotOwedAsTrust, testing::ValuesIn(kExemptEntities),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Form8960, InvestmentShareStaysBetweenNothingAndAll)
{
    EXPECT_EQ(InvestmentShare(30000, 40000), 0.75);
    EXPECT_EQ(InvestmentShare(0, 40000), 0);
    EXPECT_EQ(InvestmentShare(-3000, 40000), 0);   // a capital loss is no investment income to share
    EXPECT_EQ(InvestmentShare(30000, 20000), 1);   // the other income is a loss
    EXPECT_EQ(InvestmentShare(30000, -5000), 1);
}

// --- A return saved before Form 8960 was figured ------------------------------------------------

// Writes the return of `r` to a client file and reads it into `into`.
void SaveAndReopen(ReturnFixture& r, TAnswer& into)
{
    std::stringstream file(std::ios::in | std::ios::out | std::ios::binary);
    ASSERT_TRUE(WriteClientFile(r.Store(), file));
    ASSERT_TRUE(ReadClientFile(into, file, "trust.fq6"));
}

void EmptyForm8960Page(TAnswer& store)
{
    TPage& page = store.PageAt(f8960::kFormType, 0);
    std::fill(page.Strings.begin(), page.Strings.end(), std::string());
}

struct StoredLine4 {
    const char* name;
    const char* typed;   // Schedule G line 4 as saved
    bool savedBefore;    // the Form 8960 page is empty, as every earlier version saved it
    bool overridden;     // after reading
};

void PrintTo(const StoredLine4& s, std::ostream* os) { *os << s.name; }

// name | line 4 as saved | saved before Form 8960 | overridden once read
const StoredLine4 kStoredLine4[] = {
    {"TypedBeforeTheFormWasFigured", "1,500", true, true},
    {"TypedZeroIsKeptToo", "0", true, true},
    {"EmptyLineIsComputed", "", true, false},
    {"BlanksAreNoEntry", "  ", true, false},
    {"SavedByThisVersion", "1,045", false, false},
};

class StoredScheduleGLine4 : public testing::TestWithParam<StoredLine4> {};

TEST_P(StoredScheduleGLine4, IsMarkedOverriddenOnlyWhenTypedBeforeTheFormWasFigured)
{
    const StoredLine4& c = GetParam();
    ReturnFixture r;
    KeepsItsGains(r);
    ASSERT_TRUE(r.Settle());
    if (c.savedBefore)
        EmptyForm8960Page(r.Store());
    r.Set(f2::scheduleGLine4NetInvestment, c.typed);

    ScopedAnswerStore reopened;
    SaveAndReopen(r, *reopened);
    const SlotRef line4 = f2::scheduleGLine4NetInvestment;
    EXPECT_EQ(reopened->OvRide(line4.formType, 0, line4.slot), c.overridden);
    EXPECT_EQ(reopened->Text(line4.formType, 0, line4.slot), c.typed);
}

INSTANTIATE_TEST_SUITE_P(Reader, StoredScheduleGLine4, testing::ValuesIn(kStoredLine4),
                         [](const auto& info) { return std::string(info.param.name); });

// The typed tax stays through the recalculation, and the review's note shows the computed one
// beside it.
TEST(StoredScheduleGLine4, TypedTaxSurvivesTheRecalculationWithTheComputedFigureBesideIt)
{
    ReturnFixture r;
    KeepsItsGains(r);
    ASSERT_TRUE(r.Settle());
    EmptyForm8960Page(r.Store());
    r.Set(f2::scheduleGLine4NetInvestment, "1,500");

    ReturnFixture reopened;
    SaveAndReopen(r, reopened.Store());
    ASSERT_TRUE(reopened.Settle());
    EXPECT_EQ(reopened.Get(f2::scheduleGLine4NetInvestment), "1,500");
    EXPECT_EQ(reopened.Get(f8960::line21NetInvestmentIncomeTax), "1,045");

    std::vector<review::Finding> findings = review::ReviewReturn(reopened.Store());
    review::OverrideFigures().Figure(reopened.Store(), findings);
    const auto note = std::find_if(findings.begin(), findings.end(), [](const review::Finding& f) {
        return f.rule == review::kOverrideRule && f.field.formType == f2::scheduleGLine4NetInvestment.formType &&
               f.field.slot == f2::scheduleGLine4NetInvestment.slot;
    });
    ASSERT_NE(note, findings.end());
    EXPECT_EQ(note->text, "Overridden: 1,500 typed, 1,045 computed.");
}

}  // namespace
}  // namespace quorvan
