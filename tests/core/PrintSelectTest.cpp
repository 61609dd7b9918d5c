// The print selection: ticks preset from the return, Select All / Clear All, and page order.

#include "print/FormSelect.h"

#include "slot/AllocationWorksheet.h"
#include "slot/Form8960.h"
#include "support/ReturnFixture.h"
#include "slot/Form1041APage1.h"
#include "slot/Form1041APage2.h"
#include "slot/Form1041QFT.h"
#include "slot/Form1041T.h"
#include "slot/ScheduleJPage1.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace quorvan {
namespace {

namespace a1 = quorvan::slot::form1041APage1;
namespace aw = quorvan::slot::allocationWorksheet;
namespace a2 = quorvan::slot::form1041APage2;
namespace f1041t = quorvan::slot::form1041T;
namespace qft = quorvan::slot::form1041QFT;

using test::ReturnFixture;

std::vector<int> TickedTypes(const PrintSelection& selection)
{
    std::vector<int> ticked;
    for (const PrintBox& box : PrintBoxes())
        if (selection.Ticked(box.formType))
            ticked.push_back(box.formType);
    return ticked;
}

TEST(PrintSelect, EmptyReturnTicksTheTwoForm1041PagesOnly)
{
    ReturnFixture fixture;
    EXPECT_EQ(TickedTypes(DefaultSelection(fixture.Store())), (std::vector<int>{1, 2}));
    EXPECT_TRUE(fixture.Messages().Empty());
}

struct DefaultCase {
    const char* name;
    int formType;      // the answer set
    int slot;
    const char* answer;
    std::vector<int> ticked;  // besides form types 1 and 2
};

class PrintDefaults : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(PrintDefaults, FollowTheReturn)
{
    const DefaultCase& c = GetParam();
    ReturnFixture fixture;
    fixture.Set(c.formType, c.slot, c.answer);
    std::vector<int> expected = {1, 2};
    expected.insert(expected.end(), c.ticked.begin(), c.ticked.end());
    const std::vector<int> ticked = TickedTypes(DefaultSelection(fixture.Store()));
    EXPECT_EQ(std::set<int>(ticked.begin(), ticked.end()), std::set<int>(expected.begin(), expected.end()));
}

// name, form type, slot, answer, ticked besides 1 and 2
const DefaultCase kDefaultCases[] = {
    {"InterestBelowHalfADollarIsZero", 1, 30, "0.4", {}},
    {"InterestOfHalfADollarTicks", 1, 30, "0.5", {18}},
    {"Dividends", 1, 31, "12", {19}},
    {"OtherDeductions", 1, 48, "12", {20}},
    {"OtherDeductionsSubjectToFloor", 1, 49, "12", {26}},
    {"ScheduleDFromLine41", 5, 41, "-300", {5, 6}},
    {"ScheduleDFromLine83", 5, 83, "300", {5, 6}},
    {"ScheduleDFromPage2", 6, 98, "1", {5, 6}},
    {"ScheduleIFromPage2Line26", 2, 26, "10", {3, 4, 28}},
    // Schedule I is completed when its line 29 exceeds the 23,900 exemption, or with a general
    // business credit or the credit for prior year minimum tax.
    {"ScheduleIWhenLine29ExceedsTheExemption", 3, 30, "23,901", {3, 4, 28}},
    {"ScheduleIClearWithLine29AtTheExemption", 3, 30, "23,900", {}},
    {"ScheduleIWithAGeneralBusinessCredit", 2, 31, "150", {3, 4, 28}},
    {"ScheduleIWithThePriorYearMinimumTaxCredit", 2, 35, "80", {3, 4, 28}},
    {"ScheduleJ", 7, 6, "10", {7, 8}},
    {"NegativeAccumulationDistributionPrintsNoScheduleJ", 7, 6, "-110,000", {}},
    {"EstimatedWorksheetAt250StaysClear", 12, 18, "250", {}},
    {"EstimatedWorksheetAbove250", 12, 18, "251", {12}},
    {"MaxCapGainsWorksheet", 16, 40, "1", {16}},
    {"NegativeMaxCapGainsStaysClear", 16, 40, "-5", {}},
    {"Vouchers", 13, 0, "1,000", {13}},
    {"ScheduleDTaxWorksheet", 22, 44, "1", {22}},
    {"QualifiedDividendWorksheet", 23, 17, "1", {23}},
    {"Rate28WorksheetByItsLine7", 27, 7, "1", {27}},
    {"TwoPercentDeductionsLeaveRate28WorksheetClear", 26, 86, "1", {}},
    {"PaymentVoucher", 1, 69, "1", {24}},
    {"Form8949BoxEByDescriptionOnly", 33, 5, "100 sh XYZ", {33}},
    {"Form8949BoxAByAmount", 29, 136, "5", {29}},
};

INSTANTIATE_TEST_SUITE_P(Print, PrintDefaults, ::testing::ValuesIn(kDefaultCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct UsedFormCase {
    const char* name;
    std::vector<std::pair<SlotRef, const char*>> answers;
    std::set<int> ticked;  // every ticked form type
};

// name | answers | ticked
const UsedFormCase kUsedFormCases[] = {
    {"Form1041AByAnIncomeLine", {{a1::line1, "500"}}, {1, 2, 10, 11}},
    {"Form1041AByItsBalanceSheet", {{a2::line38TotalAssetsEnd, "1"}}, {1, 2, 10, 11}},
    // Every return with a capital gain has one on Form 1041-A line 4, carried from Schedule D.
    {"Form1041ACapitalGainAloneIsNoUse", {{a1::line4CapitalGain, "6,000"}}, {1, 2}},
    {"Form1041T", {{f1041t::line4TotalAllocated, "300"}}, {1, 2, 15}},
    {"FuneralTrustInPlaceOfForm1041", {{qft::line1a, "3,000"}}, {14}},
    {"FuneralTrustByItsNumberOfQfts", {{qft::numberOfQfts, "12"}}, {14}},
    {"FuneralTrustWithTaxDue", {{qft::line1a, "3,000"}, {qft::line19TaxDue, "520"}}, {14, 24}},
    // Schedule D fills Form 1041-QFT's capital gain line, and its tax, on every return: neither
    // makes a funeral trust.
    {"QftCapitalGainAloneIsNoFuneralTrust", {{qft::line3CapitalGain, "1,200"}, {qft::line19TaxDue, "180"}}, {1, 2}},
    // The statement for Other Information question 1 goes with a deduction whose amount paid the
    // worksheet holds and that bears a tax-exempt part; a part left from a run before the amount
    // paid was cleared is none.
    {"TaxExemptStatement", {{aw::line12Paid, "3,000"}, {aw::line12TaxExemptPart, "1,000"}}, {1, 2, 37}},
    {"TaxExemptStatementWithoutATaxExemptPart", {{aw::line12Paid, "3,000"}, {aw::line12TaxExemptPart, "0"}}, {1, 2}},
    {"TaxExemptPartWithoutAmountPaid", {{aw::line14TaxExemptPart, "400"}}, {1, 2}},
};

class PrintDefaultsOfUsedForms : public ::testing::TestWithParam<UsedFormCase> {};

TEST_P(PrintDefaultsOfUsedForms, FollowTheReturn)
{
    const UsedFormCase& c = GetParam();
    ReturnFixture fixture;
    for (const auto& [field, answer] : c.answers)
        fixture.Set(field, answer);
    const std::vector<int> ticked = TickedTypes(DefaultSelection(fixture.Store()));
    EXPECT_EQ(std::set<int>(ticked.begin(), ticked.end()), c.ticked);
}

INSTANTIATE_TEST_SUITE_P(Print, PrintDefaultsOfUsedForms, ::testing::ValuesIn(kUsedFormCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PrintSelect, ScheduleK1FollowsTheBeneficiaryCount)
{
    ReturnFixture fixture;
    EXPECT_FALSE(DefaultSelection(fixture.Store()).Ticked(ftScheduleK1));
    fixture.Store().NoOfSchedK = 1;
    EXPECT_TRUE(DefaultSelection(fixture.Store()).Ticked(ftScheduleK1));
}

TEST(PrintSelect, SelectAllTicksEveryBoxOnEveryTabAndClearAllClearsThem)
{
    PrintSelection selection;
    selection.SelectAll();
    EXPECT_EQ(TickedTypes(selection).size(), PrintBoxes().size());
    EXPECT_FALSE(selection.Ticked(17));  // no box prints form type 17
    selection.ClearAll();
    EXPECT_TRUE(selection.Empty());
}

TEST(PrintSelect, EveryBoxPrintsItsOwnFormTypeAndAppearsInTheOrder)
{
    std::set<int> types;
    for (const PrintBox& box : PrintBoxes())
        types.insert(box.formType);
    EXPECT_EQ(types.size(), PrintBoxes().size());
    EXPECT_EQ(std::set<int>(PrintOrder().begin(), PrintOrder().end()), types);
    EXPECT_EQ(PrintOrder().size(), types.size());
}

TEST(PrintSelect, PagesFollowTheDocumentOrderWithEveryContinuationPageInUse)
{
    ReturnFixture fixture;
    fixture.Store().NoOfSchedK = 3;
    fixture.Store().NoOfInterest = 2;
    fixture.Store().NoOf8949_B = 0;
    fixture.Set(a1::line1, "500");  // Form 1041-A in use
    PrintSelection selection;
    for (int t : {ftForm1041V, ftScheduleK1, ftEstimatedVouchers, ftForm8949B, ftInterest, ftForm1041Page1,
                  ftEstimatedWorksheet, ftScheduleDPage2, ftScheduleIPage3, ftForm1041APage1})
        selection.SetTicked(t, true);

    const std::vector<PrintPage> expected = {
        {1, 0}, {18, 0}, {18, 1}, {6, 0}, {30, 0}, {28, 0}, {9, 0}, {9, 1}, {9, 2}, {10, 0}, {12, 0}, {13, 0}, {24, 0}};
    EXPECT_EQ(PagesToPrint(selection, fixture.Store()), expected);
}

// Form 8960 is attached when the estate or trust owes its tax (line 21 above 0 in whole
// dollars), and prints after Schedule J, before the Schedules K-1.
TEST(PrintSelect, Form8960WhenItsTaxIsAboveZeroAfterScheduleJ)
{
    const struct {
        const char* line21;
        bool ticked;
    } cases[] = {{"", false}, {"0", false}, {"0.4", false}, {"-5", false}, {"0.5", true}, {"1,045", true}};
    for (const auto& c : cases) {
        ReturnFixture fixture;
        fixture.Set(slot::form8960::line21NetInvestmentIncomeTax, c.line21);
        EXPECT_EQ(DefaultSelection(fixture.Store()).Ticked(ftForm8960), c.ticked) << "line 21 " << c.line21;
    }

    ReturnFixture fixture;
    fixture.Store().NoOfSchedK = 1;
    fixture.Set(slot::scheduleJPage1::line5AccumulationDistribution, "4,500");
    PrintSelection selection;
    for (int t : {ftScheduleK1, ftForm8960, ftScheduleJPage2, ftForm1041Page2})
        selection.SetTicked(t, true);
    const std::vector<PrintPage> expected = {{ftForm1041Page2, 0}, {ftScheduleJPage2, 0}, {ftForm8960, 0},
                                             {ftScheduleK1, 0}};
    EXPECT_EQ(PagesToPrint(selection, fixture.Store()), expected);
}

// Every form chosen on a trust that is no funeral trust, uses no Form 1041-A and made no
// accumulation distribution: the figures those forms carry from elsewhere (the capital gain, a
// negative Schedule J line 5) print nowhere, and the forms left out are named.
TEST(PrintSelect, FormsThatDoNotApplyAreLeftOutWhenChosen)
{
    ReturnFixture fixture;
    fixture.Set(qft::line3CapitalGain, "28,000");
    fixture.Set(qft::line19TaxDue, "4,200");
    fixture.Set(a1::line4CapitalGain, "28,000");
    fixture.Set(slot::scheduleJPage1::line5AccumulationDistribution, "-4,500");
    PrintSelection selection;
    selection.SelectAll();

    const std::vector<int> leftOut = {ftScheduleJPage1, ftScheduleJPage2, ftForm1041APage1, ftForm1041APage2,
                                      ftForm1041QFT};
    std::vector<int> expectedOut = leftOut;
    std::sort(expectedOut.begin(), expectedOut.end());
    std::vector<int> named = TickedFormsThatDoNotApply(selection, fixture.Store());
    std::sort(named.begin(), named.end());
    EXPECT_EQ(named, expectedOut);
    for (const PrintPage& page : PagesToPrint(selection, fixture.Store()))
        EXPECT_EQ(std::count(leftOut.begin(), leftOut.end(), page.formType), 0) << "form type " << page.formType;

    // The same forms print once the return uses them.
    fixture.Set(qft::line1a, "3,000");
    fixture.Set(a1::line1, "500");
    fixture.Set(slot::scheduleJPage1::line5AccumulationDistribution, "4,500");
    EXPECT_TRUE(TickedFormsThatDoNotApply(selection, fixture.Store()).empty());
}

TEST(PrintSelect, VouchersAloneMakeTheFirstPage)
{
    ReturnFixture fixture;
    PrintSelection selection;
    selection.SetTicked(ftEstimatedVouchers, true);
    EXPECT_EQ(PagesToPrint(selection, fixture.Store()), (std::vector<PrintPage>{{13, 0}}));
}

}  // namespace
}  // namespace quorvan
