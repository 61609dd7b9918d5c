// Form 1041 page 1 calculators, each run on its own inputs so that the page's rules are checked
// apart from the schedules that feed it.

#include "calc/Continuation.h"
#include "calc/Form1041Page1.h"
#include "support/ReturnFixture.h"
#include "slot/Dividend.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/Form1041T.h"

#include <gtest/gtest.h>

namespace quorvan {
namespace {

namespace dividend = quorvan::slot::dividend;
namespace f1 = quorvan::slot::form1041Page1;
namespace f1041t = quorvan::slot::form1041T;
namespace f2 = quorvan::slot::form1041Page2;

using test::ReturnFixture;

TEST(Form1041Page1, ItemBCountsTheSchedulesK1UnlessOverridden)
{
    ReturnFixture r;
    r.Store().NoOfSchedK = 3;
    CalcForm1041Identification();
    EXPECT_EQ(r.Get(f1::itemBSchedulesK1), "3");
    r.Override(f1::itemBSchedulesK1, "2");
    CalcForm1041Identification();
    EXPECT_EQ(r.Get(f1::itemBSchedulesK1), "2");
}

TEST(Form1041Page1, TotalIncomeAddsTheIncomeLinesButNotLine2b)
{
    ReturnFixture r;
    r.Store().InterestTotal = 1234.56;
    r.Store().DividendTotal = 2000.5;
    r.Set(f1::line2b1QualifiedToBeneficiaries, "500");    // 2b(1), part of 2a
    r.Set(f1::line2b2QualifiedToEstate, "700");    // 2b(2), part of 2a
    r.Set(f1::line3Business, "(100)");  // 3
    r.Set(f1::line4CapitalGain, "-3,000"); // 4
    r.Set(f1::line5Rents, "400");    // 5
    r.Set(f1::line6Farm, "50");     // 6
    r.Set(f1::line7OrdinaryGain, "25");     // 7
    r.Set(f1::line8Type, "9,999");  // not a line of the total
    r.Set(f1::line8Other, "10");     // 8
    CalcForm1041Income();
    EXPECT_EQ(r.Get(f1::line1Interest), "1,235");
    EXPECT_EQ(r.Get(f1::line2aDividends), "2,001");
    EXPECT_EQ(r.Get(f1::line9TotalIncome), "621");  // 1,235 + 2,001 - 100 - 3,000 + 400 + 50 + 25 + 10
    EXPECT_TRUE(r.Messages().Empty());
}

TEST(Form1041Page1, OverriddenInterestFeedsTheTotal)
{
    ReturnFixture r;
    r.Store().InterestTotal = 800;
    r.Override(f1::line1Interest, "1,000");
    CalcForm1041Income();
    EXPECT_EQ(r.Get(f1::line1Interest), "1,000");
    EXPECT_EQ(r.Get(f1::line9TotalIncome), "1,000");
}

struct DeductionCase {
    const char* name;
    double other2Total;
    const char* typed15c;
    bool overridden;
    const char* line15c;
    const char* line16;
    const char* line17;
};

// Income 50,000; fees 1,000 (12) and 500 (14); other deductions 300 (15a); 15b 200; lines 18
// and 20 of the previous run 10,000 and 100: the 2% base is 50,000 - 1,000 - 500 - 300 - 200 -
// 10,000 - 100 = 37,900, so 2% of it is 758.
// name | Other2Total | typed 15c | overridden | 15c | 16 | 17
const DeductionCase kDeductionCases[] = {
    {"FloorApplied", 2000, "", false, "1,242", "3,242", "46,758"},
    {"FloorExceedsDeductions", 500, "", false, "0", "2,000", "48,000"},
    {"NoFloorPagesKeepTypedLine", 0, "90", false, "90", "2,090", "47,910"},
    {"OverrideKept", 2000, "75", true, "75", "2,075", "47,925"},
};

class Form1041Deductions : public testing::TestWithParam<DeductionCase> {};

TEST_P(Form1041Deductions, Line15cAndTotals)
{
    const DeductionCase& c = GetParam();
    ReturnFixture r;
    r.Set(f1::line9TotalIncome, "50,000");
    r.Set(f1::line12FiduciaryFees, "1,000");
    r.Set(f1::line14ProfessionalFees, "500");
    r.Set(f1::line15bNol, "200");
    r.Set(f1::line18Distribution, "10,000");
    r.Set(f1::line20Exemption, "100");
    r.Store().OtherTotal = 300;
    r.Store().Other2Total = c.other2Total;
    if (c.overridden)
        r.Override(f1::line15cTwoPercent, c.typed15c);
    else
        r.Set(f1::line15cTwoPercent, c.typed15c);
    CalcForm1041Deductions();
    EXPECT_EQ(r.Get(f1::line15aOther), "300");
    EXPECT_EQ(r.Get(f1::line15cTwoPercent), c.line15c);
    EXPECT_EQ(r.Get(f1::line16Total), c.line16);
    EXPECT_EQ(r.Get(f1::line17Adjusted), c.line17);
}

INSTANTIATE_TEST_SUITE_P(Page1, Form1041Deductions, testing::ValuesIn(kDeductionCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Form1041Page1, CharitableDeductionComesFromScheduleA)
{
    ReturnFixture r;
    r.Set(f2::scheduleALine7Charitable, "4,321");
    CalcForm1041Deductions();
    EXPECT_EQ(r.Get(f1::line13Charitable), "4,321");
    EXPECT_EQ(r.Get(f1::line16Total), "4,321");
}

struct ExemptionCase {
    const char* name;
    std::vector<SlotRef> boxes;
    const char* income;  // line 9, with nothing subtracted
    const char* exemption;
};

// name | ticked boxes | line 9 | line 20
const ExemptionCase kExemptionCases[] = {
    {"NoBox", {}, "10,000", "100"},
    {"DecedentsEstate", {f1::itemADecedentsEstate}, "10,000", "600"},
    {"SimpleTrustWinsOverEstate", {f1::itemADecedentsEstate, f1::itemASimpleTrust}, "10,000", "300"},
    {"ComplexTrust", {f1::itemAComplexTrust}, "10,000", "100"},
    {"DisabilityTrustAtPhaseOutStart", {f1::itemAQualifiedDisabilityTrust}, "259,400", "4,050"},
    {"DisabilityTrustOneDollarOver", {f1::itemAQualifiedDisabilityTrust}, "259,401", "3,969"},
    {"DisabilityTrustOneStep", {f1::itemAQualifiedDisabilityTrust}, "261,900", "3,969"},
    {"DisabilityTrustTwoSteps", {f1::itemAQualifiedDisabilityTrust}, "261,901", "3,888"},
    {"DisabilityTrustLastStep", {f1::itemAQualifiedDisabilityTrust}, "381,900", "81"},
    {"DisabilityTrustPhasedOut", {f1::itemAQualifiedDisabilityTrust}, "381,901", "0"},
    {"BankruptcyChapter7", {f1::itemASimpleTrust, f1::itemABankruptcyEstateCh7}, "10,000", "100"},
    {"BankruptcyChapter11", {f1::itemADecedentsEstate, f1::itemABankruptcyEstateCh11}, "10,000", "100"},
};

class Form1041Exemption : public testing::TestWithParam<ExemptionCase> {};

TEST_P(Form1041Exemption, Line20ByEntityBox)
{
    const ExemptionCase& c = GetParam();
    ReturnFixture r;
    for (SlotRef box : c.boxes)
        r.Set(box, "X");
    r.Set(f1::line9TotalIncome, c.income);
    r.Set(f1::line17Adjusted, c.income);
    CalcForm1041TaxableIncome();
    EXPECT_EQ(r.Get(f1::line20Exemption), c.exemption);
}

INSTANTIATE_TEST_SUITE_P(Page1, Form1041Exemption, testing::ValuesIn(kExemptionCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Form1041Page1, DisabilityTrustExemptionSteps)
{
    EXPECT_DOUBLE_EQ(DisabilityTrustExemption(259401), 3969);
    EXPECT_DOUBLE_EQ(DisabilityTrustExemption(261900), 3969);
    EXPECT_DOUBLE_EQ(DisabilityTrustExemption(261900.5), 3969);  // whole part is a multiple
    EXPECT_DOUBLE_EQ(DisabilityTrustExemption(381900), 81);
    EXPECT_DOUBLE_EQ(DisabilityTrustExemption(381900.5), 0);
}

struct QualifiedSplitCase {
    const char* name;
    std::vector<const char*> qualified;  // the qualified column of one dividend page
    const char* typed2b1;                // line 2b(1) as stored, overridden when `overridden`
    bool overridden;
    const char* line18;
    const char* dni;  // Schedule B line 7
    const char* line2b1;
    const char* line2b2;
};

// name | qualified column | 2b(1) typed | overridden | line 18 | DNI | 2b(1) | 2b(2)
const QualifiedSplitCase kQualifiedSplitCases[] = {
    // A stored return that typed its split and lists no qualified amount keeps the split.
    {"NoneListedKeepsTheTypedSplit", {"", ""}, "3,000", false, "9,000", "12,000", "3,000", "1,000"},
    // 6,000 x 9,000 / 12,000 = 4,500 to the beneficiaries, the rest to the trust.
    {"PartOfDniDistributed", {"4,000", "2,000"}, "", false, "9,000", "12,000", "4,500", "1,500"},
    {"AllDistributed", {"6,000"}, "", false, "12,000", "12,000", "6,000", "0"},
    {"NothingDistributed", {"6,000"}, "3,000", false, "0", "12,000", "0", "6,000"},
    {"NoDistributableIncome", {"6,000"}, "", false, "0", "0", "0", "6,000"},
    {"ZeroListedIsAList", {"0"}, "3,000", false, "9,000", "12,000", "0", "0"},
    // The preparer's 2b(1) stands; 2b(2) takes the rest.
    {"Line2b1Overridden", {"6,000"}, "5,000", true, "9,000", "12,000", "5,000", "1,000"},
};

class QualifiedDividendSplit : public testing::TestWithParam<QualifiedSplitCase> {};

TEST_P(QualifiedDividendSplit, FollowsLine18OverDistributableNetIncome)
{
    const QualifiedSplitCase& c = GetParam();
    ReturnFixture r;
    r.Store().NoOfDividend = 1;
    for (size_t row = 0; row < c.qualified.size(); ++row)
        r.Set(dividend::entries::Slot(static_cast<int>(row), dividend::entries::qualified), c.qualified[row]);
    if (c.overridden)
        r.Override(f1::line2b1QualifiedToBeneficiaries, c.typed2b1);
    else
        r.Set(f1::line2b1QualifiedToBeneficiaries, c.typed2b1);
    r.Set(f1::line2b2QualifiedToEstate, "1,000");
    r.Set(f2::scheduleBLine15Deduction, c.line18);
    r.Set(f2::scheduleBLine7Dni, c.dni);
    CalcDividendSchedule(0);
    CalcForm1041TaxableIncome();
    EXPECT_EQ(r.Get(f1::line2b1QualifiedToBeneficiaries), c.line2b1);
    EXPECT_EQ(r.Get(f1::line2b2QualifiedToEstate), c.line2b2);
}

INSTANTIATE_TEST_SUITE_P(Page1, QualifiedDividendSplit, testing::ValuesIn(kQualifiedSplitCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Form1041Page1, NoIncomeAndNoDeductionsLeavesTheExemptionEmpty)
{
    ReturnFixture r;
    r.Set(f1::line20Exemption, "600");
    CalcForm1041TaxableIncome();
    EXPECT_EQ(r.Get(f1::line20Exemption), "");
    EXPECT_EQ(r.Get(f1::line21Total), "0");
    EXPECT_EQ(r.Get(f1::line22Taxable), "0");
}

TEST(Form1041Page1, TaxableIncomeAfterDistributionAndExemption)
{
    ReturnFixture r;
    r.Set(f1::itemADecedentsEstate, "X");
    r.Set(f1::line9TotalIncome, "30,000");
    r.Set(f1::line12FiduciaryFees, "1,500");
    r.Set(f1::line16Total, "2,000");
    r.Set(f1::line17Adjusted, "28,000");
    r.Set(f1::line19EstateTax, "250");
    r.Set(f2::scheduleBLine15Deduction, "12,000");
    CalcForm1041TaxableIncome();
    EXPECT_EQ(r.Get(f1::line18Distribution), "12,000");
    EXPECT_EQ(r.Get(f1::line20Exemption), "600");
    EXPECT_EQ(r.Get(f1::line21Total), "12,850");
    EXPECT_EQ(r.Get(f1::line22Taxable), "15,150");
}

TEST(Form1041Page1, OverriddenTaxableIncomeStaysWhileLinesAroundItMove)
{
    ReturnFixture r;
    r.Set(f1::line9TotalIncome, "30,000");
    r.Set(f1::line17Adjusted, "30,000");
    r.Override(f1::line22Taxable, "1,000");
    CalcForm1041TaxableIncome();
    EXPECT_EQ(r.Get(f1::line21Total), "100");
    EXPECT_EQ(r.Get(f1::line22Taxable), "1,000");
}

struct PaymentCase {
    const char* name;
    const char* tax;       // Schedule G line 7
    const char* penalty;   // line 26
    const char* estimated; // line 24a
    const char* credited;  // line 29a
    const char* taxDue;    // line 27
    const char* overpaid;  // line 28
    const char* refunded;  // line 29b
};

// Payments besides 24a: 7004 300, withholding 200, 2439 50, 4136 25 (24h 75), Form 1041-T 1,000.
// name | tax | penalty | 24a | 29a | 27 | 28 | 29b
const PaymentCase kPaymentCases[] = {
    {"TaxDue", "5,000", "40", "3,000", "", "2,465", "", ""},  // 5,040 - 2,575
    {"Overpaid", "1,000", "", "3,000", "200", "", "1,575", "1,375"},
    {"PaidExactly", "2,535", "40", "3,000", "100", "", "0", "-100"},
};

class Form1041Payments : public testing::TestWithParam<PaymentCase> {};

TEST_P(Form1041Payments, Lines23To29)
{
    const PaymentCase& c = GetParam();
    ReturnFixture r;
    r.Set(f2::scheduleGLine7TotalTax, c.tax);
    r.Set(f1041t::line1Allocated, "1,000");
    r.Set(f1::line24aEstimated, c.estimated);
    r.Set(f1::line24dForm7004, "300");
    r.Set(f1::line24eWithheld, "200");
    r.Set(f1::line24fForm2439, "50");
    r.Set(f1::line24gForm4136, "25");
    r.Set(f1::line26Penalty, c.penalty);
    r.Set(f1::line29aCredited, c.credited);
    r.Set(f1::line27TaxDue, "stale");
    r.Set(f1::line28Overpayment, "stale");
    CalcForm1041TaxAndPayments();
    EXPECT_EQ(r.Get(f1::line23TotalTax), c.tax);
    EXPECT_EQ(r.Get(f1::line24bToBeneficiaries), "1,000");
    EXPECT_EQ(r.Get(f1::line24c), "2,000");
    EXPECT_EQ(r.Get(f1::line24hTotal), "75");
    EXPECT_EQ(r.Get(f1::line25Payments), "2,575");
    EXPECT_EQ(r.Get(f1::line27TaxDue), c.taxDue);
    EXPECT_EQ(r.Get(f1::line28Overpayment), c.overpaid);
    EXPECT_EQ(r.Get(f1::line29bRefunded), c.refunded);
}

INSTANTIATE_TEST_SUITE_P(Page1, Form1041Payments, testing::ValuesIn(kPaymentCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Form1041Page1, UnreadableEntryCountsAsZeroWithItsMessage)
{
    ReturnFixture r;
    r.Set(f1::line3Business, "12a");
    r.Set(f1::line5Rents, "500");
    CalcForm1041Income();
    EXPECT_EQ(r.Get(f1::line9TotalIncome), "500");
    EXPECT_EQ(r.Messages().Codes(), std::vector<unsigned>{21192});
    EXPECT_FALSE(r.Store().ErrFlag);
}

}  // namespace
}  // namespace quorvan
