// Form 2210 of an estate or trust: whole returns settled through the driver and checked against
// penalties worked by hand from the 2016 form and its instructions (4% a year, days of 2016 over
// 366 and of 2017 over 365); entries that cannot be used; a stored return's typed lines kept.
// Most returns fix line 1 by override, so that the installments are round figures.

#include "calc/EstimatedTaxPenalty.h"
#include "files/ClientFile.h"
#include "print/FormSelect.h"
#include "review/Review.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/Form2210.h"
#include "store/Amounts.h"
#include "support/Engine2Returns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace quorvan {
namespace {

namespace f1 = quorvan::slot::form1041Page1;
namespace f2210 = quorvan::slot::form2210;

using test::ReturnFixture;
using test::engine2::Line;

constexpr SlotRef kDates[] = {f2210::paymentDate1, f2210::paymentDate2, f2210::paymentDate3, f2210::paymentDate4,
                              f2210::paymentDate5};
constexpr SlotRef kAmounts[] = {f2210::paymentAmount1, f2210::paymentAmount2, f2210::paymentAmount3,
                                f2210::paymentAmount4, f2210::paymentAmount5};

// A complex trust whose Form 2210 line 1 is `tax`; the 2015 tax `prior` (empty: none typed).
void Trust(ReturnFixture& r, const std::string& tax, const std::string& prior)
{
    r.Set(f1::taxYearBeginning, "01/01/2016");
    r.Set(f1::taxYearEnding, "12/31/2016");
    r.Set(f1::nameOfEstateOrTrust, "Elm Trust");
    r.Set(f1::itemCEin, "52-7654321");
    r.Set(f1::itemAComplexTrust, "X");
    test::engine2::AddContinuationPage(r, ftInterest, {"100,000"});
    r.Override(f2210::line1Tax, tax);
    r.Override(f2210::line2OtherTaxes, "0");
    if (!prior.empty())
        r.Set(f2210::priorYearTax, prior);
}

void Pay(ReturnFixture& r, std::initializer_list<std::pair<const char*, const char*>> payments)
{
    size_t i = 0;
    for (const auto& [date, amount] : payments) {
        r.Set(kDates[i], date);
        r.Set(kAmounts[i], amount);
        ++i;
    }
}

// Line 9 16,000 (90% of 20,000 is 18,000; the 2015 tax 16,000): installments of 4,000.
void SixteenThousandDue(ReturnFixture& r) { Trust(r, "20,000", "16,000"); }

// The instructions' example of applying payments: 4/30 2,000, 6/15 3,000, 9/15 4,000, 1/15 4,000.
//   April 18: 2,000 paid 12 days late, 2,000 58 days late: 4% x (24,000 + 116,000) / 366 = 15.30
//   June 15: 1,000 on time, 3,000 92 days late (9/15): 4% x 276,000 / 366 = 30.16
//   September 15: 1,000 on time, 3,000 paid 1/15: 4% x 3,000 x (107/366 + 15/365) = 40.01
//   January 17: 1,000 paid early, 3,000 unpaid until 4/18/17, 91 days: 4% x 273,000 / 365 = 29.92
//   Total 115.40. Section A, column (b): 19 5,000, 22 4,000, 23 1,000, 25 3,000.
void AppliesPaymentsToTheEarliest(ReturnFixture& r)
{
    SixteenThousandDue(r);
    Pay(r, {{"04/30/2016", "2,000"}, {"06/15/2016", "3,000"}, {"09/15/2016", "4,000"}, {"01/15/2017", "4,000"}});
}

// Tax 1,500 less withholding 600 is 900, under 1,000: line 7 stops the form.
void BelowAThousandAtLine7(ReturnFixture& r)
{
    Trust(r, "1,500", "1,000");
    r.Set(f1::line24eWithheld, "600");
}

// Line 9 is the 2015 tax, 8,000, paid in four timely 2,000s: the short method's line 14 is 0.
void PriorYearSafeHarbour(ReturnFixture& r)
{
    Trust(r, "20,000", "8,000");
    Pay(r, {{"04/18/2016", "2,000"}, {"06/15/2016", "2,000"}, {"09/15/2016", "2,000"}, {"01/17/2017", "2,000"}});
}

// 110% of a 2015 tax of 10,000 is 11,000 (under 18,000); four timely 2,500s leave 1,000 short:
// short method 1,000 x .02675 = 26.75.
void HundredTenPercent(ReturnFixture& r)
{
    Trust(r, "20,000", "10,000");
    r.Set(f2210::priorYearAgiAbove150000, "X");
    Pay(r, {{"04/18/2016", "2,500"}, {"06/15/2016", "2,500"}, {"09/15/2016", "2,500"}, {"01/17/2017", "2,500"}});
}

// Four equal timely 3,000s against 16,000: short method 4,000 x .02675 = 107.
void EqualTimelyPayments(ReturnFixture& r)
{
    SixteenThousandDue(r);
    Pay(r, {{"04/18/2016", "3,000"}, {"06/15/2016", "3,000"}, {"09/15/2016", "3,000"}, {"01/17/2017", "3,000"}});
}

// Four timely 4,000s, 4,000 of them allocated to beneficiaries on Form 1041-T: the trust's own
// January payment is gone, and 4,000 of the fourth installment is unpaid for 91 days:
// 4% x 364,000 / 365 = 39.89.
void AllocatedToBeneficiaries(ReturnFixture& r)
{
    SixteenThousandDue(r);
    Pay(r, {{"04/18/2016", "4,000"}, {"06/15/2016", "4,000"}, {"09/15/2016", "4,000"}, {"01/17/2017", "4,000"}});
    r.Override(f1::line24bToBeneficiaries, "4,000");
}

// A decedent's estate whose year ends before two years from the death (3/1/2015) owes nothing.
void EstateInItsSecondYear(ReturnFixture& r)
{
    SixteenThousandDue(r);
    r.Set(f1::itemAComplexTrust, "");
    r.Set(f1::itemADecedentsEstate, "X");
    r.Set(f1::itemDDateCreated, "03/01/2015");
}

// The same estate in its third year (death 6/30/2014), nothing paid: line 15 16,000 x .02675 =
// 428; filed and paid 4/15/17, three days early: line 16 16,000 x 3 x .00011 = 5.28; 423.
void EstateInItsThirdYear(ReturnFixture& r)
{
    EstateInItsSecondYear(r);
    r.Set(f1::itemDDateCreated, "06/30/2014");
    r.Set(f2210::dateFiled, "04/15/2017");
}

// A fiscal year from 7/1/2016 (death 1/1/2014): due 10/17/16 (the 15th a Saturday), 12/15/16,
// 3/15/17 and 7/17/17 (penalty until 10/16/17); the last 4,000 paid 8/16/17, 30 days late: 4% x 120,000 / 365 = 13.15.
void FiscalYearEstate(ReturnFixture& r)
{
    EstateInItsSecondYear(r);
    r.Set(f1::itemDDateCreated, "01/01/2014");
    r.Set(f1::taxYearBeginning, "07/01/2016");
    r.Set(f1::taxYearEnding, "06/30/2017");
    Pay(r, {{"10/17/2016", "4,000"}, {"12/15/2016", "4,000"}, {"03/15/2017", "4,000"}, {"08/16/2017", "4,000"}});
}

// The last 4,000 paid one day late: 4% x 4,000 / 365 = 0.44, under a dollar.
void PenaltyBelowADollar(ReturnFixture& r)
{
    SixteenThousandDue(r);
    Pay(r, {{"04/18/2016", "4,000"}, {"06/15/2016", "4,000"}, {"09/15/2016", "4,000"}, {"01/18/2017", "4,000"}});
}

struct WholeReturn {
    const char* name;
    void (*build)(ReturnFixture&);
    std::vector<Line> lines;
};

void PrintTo(const WholeReturn& w, std::ostream* os) { *os << w.name; }

const WholeReturn kWholeReturns[] = {
    {"AppliesPaymentsToTheEarliest",
     AppliesPaymentsToTheEarliest,
     {{f2210::line4CurrentYearTax, "20,000"},
      {f2210::line5NinetyPercent, "18,000"},
      {f2210::line8PriorYear, "16,000"},
      {f2210::line9Required, "16,000"},
      {f1::line24aEstimated, "13,000"},
      {f2210::line14, ""},
      {f2210::line18ColumnA, "4,000"},
      {f2210::line19ColumnA, "0"},
      {f2210::line25ColumnA, "4,000"},
      {f2210::line19ColumnB, "5,000"},
      {f2210::line22ColumnB, "4,000"},
      {f2210::line23ColumnB, "1,000"},
      {f2210::line25ColumnB, "3,000"},
      {f2210::line25ColumnC, "3,000"},
      {f2210::line25ColumnD, "3,000"},
      {f2210::worksheetPenaltyColumnA, "15"},
      {f2210::worksheetPenaltyColumnB, "30"},
      {f2210::worksheetPenaltyColumnC, "40"},
      {f2210::worksheetPenaltyColumnD, "30"},
      {f2210::line27Penalty, "115"},
      {f1::line26Penalty, "115"}}},
    {"BelowAThousandAtLine7",
     BelowAThousandAtLine7,
     {{f2210::line6Withholding, "600"},
      {f2210::line7, "900"},
      {f2210::line17Penalty, ""},
      {f2210::line27Penalty, ""},
      {f1::line26Penalty, ""}}},
    {"PriorYearSafeHarbour",
     PriorYearSafeHarbour,
     {{f2210::line9Required, "8,000"},
      {f2210::line12, "8,000"},
      {f2210::line14, "0"},
      {f2210::line15, ""},
      {f1::line26Penalty, ""}}},
    {"HundredTenPercent",
     HundredTenPercent,
     {{f2210::line8PriorYear, "11,000"},
      {f2210::line9Required, "11,000"},
      {f2210::line14, "1,000"},
      {f2210::line15, "27"},
      {f2210::line17Penalty, "27"},
      {f1::line26Penalty, "27"}}},
    {"EqualTimelyPayments",
     EqualTimelyPayments,
     {{f2210::line14, "4,000"},
      {f2210::line15, "107"},
      {f2210::line16, "0"},
      {f2210::line17Penalty, "107"},
      {f2210::line18ColumnA, ""},
      {f1::line26Penalty, "107"}}},
    {"AllocatedToBeneficiaries",
     AllocatedToBeneficiaries,
     {{f1::line24aEstimated, "16,000"},
      {f1::line24bToBeneficiaries, "4,000"},
      {f2210::line19ColumnD, "0"},
      {f2210::line25ColumnD, "4,000"},
      {f2210::line27Penalty, "40"},
      {f1::line26Penalty, "40"}}},
    {"EstateInItsSecondYear",
     EstateInItsSecondYear,
     {{f2210::line9Required, "16,000"}, {f2210::line27Penalty, ""}, {f1::line26Penalty, ""}}},
    {"EstateInItsThirdYear",
     EstateInItsThirdYear,
     {{f2210::line14, "16,000"}, {f2210::line15, "428"}, {f2210::line16, "5"}, {f1::line26Penalty, "423"}}},
    {"FiscalYearEstate",
     FiscalYearEstate,
     {{f2210::line19ColumnA, "4,000"},
      {f2210::line19ColumnD, "0"},
      {f2210::line25ColumnD, "4,000"},
      {f2210::worksheetPenaltyColumnD, "13"},
      {f2210::line27Penalty, "13"},
      {f1::line26Penalty, "13"}}},
    {"PenaltyBelowADollar", PenaltyBelowADollar, {{f2210::line27Penalty, "0"}, {f1::line26Penalty, ""}}},
};

class Form2210WholeReturn : public testing::TestWithParam<WholeReturn> {};

TEST_P(Form2210WholeReturn, SettlesToTheHandWorkedPenalty)
{
    ReturnFixture r;
    GetParam().build(r);
    ASSERT_TRUE(r.Settle());
    for (const Line& line : GetParam().lines)
        EXPECT_EQ(r.Get(line.formType, line.slot), line.text) << "form type " << line.formType << " slot " << line.slot;
    EXPECT_TRUE(r.Messages().Empty());
}

INSTANTIATE_TEST_SUITE_P(Returns2016, Form2210WholeReturn, testing::ValuesIn(kWholeReturns),
                         [](const auto& info) { return std::string(info.param.name); });

// Line 1 is Schedule G line 3 of the return itself, and line 27 of page 1 carries the penalty.
TEST(Form2210, LineOneIsTheReturnsTaxAndThePenaltyIsOwed)
{
    ReturnFixture r;
    AppliesPaymentsToTheEarliest(r);
    r.Override(f2210::line1Tax, "");
    r.Store().SetOvRide(f2210::line1Tax.formType, 0, f2210::line1Tax.slot, false);
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(f2210::line1Tax), r.Get(slot::form1041Page2::scheduleGLine3));
    const double owed = Str2Float_0(r.Get(f1::line23TotalTax)) + Str2Float_0(r.Get(f1::line26Penalty)) - 13000;
    EXPECT_EQ(r.Get(f1::line27TaxDue), Float2Dollar(owed));
}

// A preparer's line 26 stands; box C or D leaves line 26 to the preparer and the review asks.
TEST(Form2210, PreparersPenaltyStands)
{
    ReturnFixture r;
    AppliesPaymentsToTheEarliest(r);
    r.Override(f1::line26Penalty, "90");
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(f1::line26Penalty), "90");

    ReturnFixture boxC;
    AppliesPaymentsToTheEarliest(boxC);
    boxC.Set(f2210::annualizedBoxC, "X");
    ASSERT_TRUE(boxC.Settle());
    EXPECT_EQ(boxC.Get(f1::line26Penalty), "");
    const auto findings = review::ReviewReturn(boxC.Store());
    EXPECT_TRUE(std::any_of(findings.begin(), findings.end(),
                            [](const review::Finding& f) { return f.rule == "f2210.penalty-left"; }));
}

struct ReviewCase {
    const char* name;
    void (*change)(ReturnFixture&);
    const char* rule;
};

void PrintTo(const ReviewCase& c, std::ostream* os) { *os << c.name; }

// name | change to the example return | rule that speaks
const ReviewCase kReviewCases[] = {
    {"Line24aOverriddenApart", [](ReturnFixture& r) { r.Override(f1::line24aEstimated, "12,000"); },
     "f2210.payments-line-24a"},
    {"PaymentBeforeTheYear", [](ReturnFixture& r) { r.Set(f2210::paymentDate1, "12/15/2015"); }, "f2210.payment-date"},
    {"PaymentAfterThePenaltyStops", [](ReturnFixture& r) { r.Set(f2210::paymentDate4, "05/01/2017"); },
     "f2210.payment-date"},
    {"WaiverOfAllWithAPenalty", [](ReturnFixture& r) { r.Set(f2210::waiverBoxA, "X"); }, "f2210.waiver-box-a"},
};

class Form2210Review : public testing::TestWithParam<ReviewCase> {};

TEST_P(Form2210Review, NamesTheDisagreement)
{
    auto spoke = [](ReturnFixture& r, const char* rule) {
        const auto findings = review::ReviewReturn(r.Store());
        return std::any_of(findings.begin(), findings.end(),
                           [rule](const review::Finding& f) { return f.rule == rule; });
    };
    ReturnFixture plain;
    AppliesPaymentsToTheEarliest(plain);
    ASSERT_TRUE(plain.Settle());
    EXPECT_FALSE(spoke(plain, GetParam().rule));

    ReturnFixture r;
    AppliesPaymentsToTheEarliest(r);
    GetParam().change(r);
    ASSERT_TRUE(r.Settle());
    EXPECT_TRUE(spoke(r, GetParam().rule));
}

INSTANTIATE_TEST_SUITE_P(Rules, Form2210Review, testing::ValuesIn(kReviewCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Form 2210 is printed by default only when a box of Part II asks for it.
TEST(Form2210, PrintedWhenAPartIIBoxAsks)
{
    ReturnFixture r;
    AppliesPaymentsToTheEarliest(r);
    ASSERT_TRUE(r.Settle());
    EXPECT_FALSE(DefaultSelection(r.Store()).Ticked(ftForm2210));
    for (SlotRef box : {f2210::waiverBoxA, f2210::waiverBoxB, f2210::annualizedBoxC, f2210::withholdingBoxD}) {
        ReturnFixture ticked;
        AppliesPaymentsToTheEarliest(ticked);
        ticked.Set(box, "X");
        ASSERT_TRUE(ticked.Settle());
        EXPECT_TRUE(DefaultSelection(ticked.Store()).Ticked(ftForm2210)) << "slot " << box.slot;
    }
}

struct BadEntry {
    const char* name;
    SlotRef field;
    const char* text;
    const char* named;  // the field as the message names it
};

void PrintTo(const BadEntry& b, std::ostream* os) { *os << b.name; }

// name | field | text | named in the message
const BadEntry kBadEntries[] = {
    {"DateNotADate", f2210::paymentDate2, "06/31/2016", "paymentDate2"},
    {"DateIsWords", f2210::paymentDate3, "soon", "paymentDate3"},
    {"NegativePayment", f2210::paymentAmount1, "-2,000", "paymentAmount1"},
    {"PriorYearTaxBelowZero", f2210::priorYearTax, "-5", "priorYearTax"},
    {"DateFiledNotADate", f2210::dateFiled, "13/01/2017", "dateFiled"},
};

class Form2210BadEntry : public testing::TestWithParam<BadEntry> {};

TEST_P(Form2210BadEntry, IsNamedAndNothingIsFiguredFromIt)
{
    ReturnFixture r;
    AppliesPaymentsToTheEarliest(r);
    r.Set(GetParam().field, GetParam().text);
    r.Settle();
    const auto& shown = r.Messages().Messages();
    const std::string named = GetParam().named;
    EXPECT_TRUE(std::any_of(
        shown.begin(), shown.end(),
        [&named](const TMessage& m) { return m.code == 29700 && m.extra.find(named) != std::string::npos; }))
        << "message 2970 naming " << named;
    EXPECT_EQ(r.Get(f2210::line27Penalty), "");
    EXPECT_EQ(r.Get(f1::line26Penalty), "");
}

INSTANTIATE_TEST_SUITE_P(Entries, Form2210BadEntry, testing::ValuesIn(kBadEntries),
                         [](const auto& info) { return std::string(info.param.name); });

// A return saved before Form 2210 was figured keeps its typed lines 24a and 26: an unused page
// writes nothing.
TEST(Form2210, StoredReturnKeepsItsTypedLines)
{
    ReturnFixture r;
    SixteenThousandDue(r);
    r.Set(f2210::priorYearTax, "");
    TPage& page = r.Store().PageAt(f2210::kFormType, 0);
    std::fill(page.Strings.begin(), page.Strings.end(), std::string());
    std::for_each(page.Objects.begin(), page.Objects.end(), [](TAObj& flag) { flag.OvRide = false; });
    r.Set(f1::line24aEstimated, "5,000");
    r.Set(f1::line26Penalty, "75");

    std::stringstream file(std::ios::in | std::ios::out | std::ios::binary);
    ASSERT_TRUE(WriteClientFile(r.Store(), file));
    ReturnFixture reopened;
    ASSERT_TRUE(ReadClientFile(reopened.Store(), file, "trust.fq6"));
    ASSERT_TRUE(reopened.Settle());
    EXPECT_EQ(reopened.Get(f2210::line4CurrentYearTax), "");
    EXPECT_EQ(reopened.Get(f1::line24aEstimated), "5,000");
    EXPECT_EQ(reopened.Get(f1::line26Penalty), "75");
}

// Due dates put off past a weekend, and the day count of each calendar year.
TEST(EstimatedTaxPenalty, DueDatesAndDayCounts)
{
    const penalty::Schedule calendar = penalty::ScheduleFor({2016, 1, 1});
    EXPECT_EQ(penalty::DayNumber(calendar.due[0]), penalty::DayNumber({2016, 4, 18}));
    EXPECT_EQ(penalty::DayNumber(calendar.due[3]), penalty::DayNumber({2017, 1, 17}));
    EXPECT_EQ(penalty::DayNumber(calendar.end), penalty::DayNumber({2017, 4, 18}));
    const penalty::Schedule fiscal = penalty::ScheduleFor({2016, 4, 1});
    EXPECT_EQ(penalty::DayNumber(fiscal.due[0]), penalty::DayNumber({2016, 7, 15}));  // a Friday
    EXPECT_EQ(penalty::DayNumber(fiscal.due[2]), penalty::DayNumber({2016, 12, 15}));
    EXPECT_EQ(penalty::DayNumber(fiscal.due[3]), penalty::DayNumber({2017, 4, 17}));  // the 15th a Saturday
    // 1,000 from 12/31/2016 to 1/1/2017 is one day of 2017; from 12/30 two days, one in each year.
    EXPECT_NEAR(penalty::Interest(1000, {2016, 12, 31}, {2017, 1, 1}), 40.0 / 365, 1e-9);
    EXPECT_NEAR(penalty::Interest(1000, {2016, 12, 30}, {2017, 1, 1}), 40.0 / 366 + 40.0 / 365, 1e-9);
}

}  // namespace
}  // namespace quorvan
