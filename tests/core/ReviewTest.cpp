// The return review: every rule raised by a return planted with its problem, the edge cases
// that must pass, the notes on overridden answers with their computed figures, and the names of
// forms and lines the findings carry.

#include "cli/Dump.h"
#include "files/ClientFile.h"
#include "review/FieldLabels.h"
#include "review/OverrideFigures.h"
#include "review/ReturnReader.h"
#include "review/Review.h"
#include "review/ReviewRules.h"
#include "slot/AllocationWorksheet.h"
#include "store/ContinuationPages.h"
#include "support/ReturnFixture.h"
#include "slot/Dividend.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/Form1041T.h"
#include "slot/Form2210.h"
#include "slot/Interest.h"
#include "slot/Rate28Worksheet.h"
#include "slot/ScheduleDPage1.h"
#include "slot/ScheduleDPage2.h"
#include "slot/ScheduleK1.h"
#include "slot/EstimatedVouchers.h"
#include "slot/Form8949ShortTerm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

namespace quorvan {
namespace {

namespace aw = quorvan::slot::allocationWorksheet;
namespace d1 = quorvan::slot::scheduleDPage1;
namespace d2 = quorvan::slot::scheduleDPage2;
namespace dividend = quorvan::slot::dividend;
namespace f1 = quorvan::slot::form1041Page1;
namespace f2210 = quorvan::slot::form2210;
namespace f1041t = quorvan::slot::form1041T;
namespace f2 = quorvan::slot::form1041Page2;
namespace f8949a = quorvan::slot::form8949ShortTerm;
namespace interest = quorvan::slot::interest;
namespace k1 = quorvan::slot::scheduleK1;
namespace r28 = quorvan::slot::rate28Worksheet;
namespace vo = quorvan::slot::estimatedVouchers;

// Where a finding points: a named field on page `page` of its form type.
review::FieldAddress At(SlotRef field, int page = 0)
{
    return {field.formType, page, field.slot};
}

using review::Finding;
using review::Severity;
using test::ReturnFixture;

// The No boxes of Other Information questions 2 to 5, 9 and 10, which every return answers.
constexpr SlotRef kOtherInformationNo[] = {f2::otherInformationLine2No, f2::otherInformationLine3No,
                                           f2::otherInformationLine4No, f2::otherInformationLine5No,
                                           f2::otherInformationLine9No, f2::otherInformationLine10No};

// A complex trust that distributes all of its income to one beneficiary: interest 10,000 less
// fees 1,000, so DNI, line 18 and the beneficiary's box 1 are 9,000. The review finds nothing.
void FillCleanReturn(ReturnFixture& r)
{
    r.Set(f1::taxYearBeginning, "1/1/2016");
    r.Set(f1::taxYearEnding, "12/31/2016");
    r.Set(f1::itemAComplexTrust, "X");
    r.Set(f1::nameOfEstateOrTrust, "Willow Creek Trust");
    r.Set(f1::nameAndTitleOfFiduciary, "Ann Rivers, Trustee");
    r.Set(f1::fiduciaryStreet, "12 Mill Road");
    r.Set(f1::fiduciaryCity, "Bangor, ME 04401");
    r.Set(f1::itemCEin, "46-7654321");
    r.Set(f1::line12FiduciaryFees, "1,000");
    r.Store().NoOfInterest = 1;
    r.Set(interest::entries::Slot(0, interest::entries::description), "First Bank of Maine");
    r.Set(interest::entries::Slot(0, interest::entries::amount), "10,000");
    r.Set(f2::scheduleBLine9Required, "10,000");  // Schedule B line 9, income required to be distributed
    r.Store().NoOfSchedK = 1;
    r.Store().BeneficiaryInterest[0] = 1.0;
    r.Set(k1::itemFIdentifyingNumber, "401-23-4567");
    r.Set(k1::itemGName, "Paul Rivers");
    r.Set(k1::itemGAddress1, "3 Elm Street");
    r.Set(k1::itemGAddress2, "Bangor, ME 04401");
    for (SlotRef no : kOtherInformationNo)
        r.Set(no, "X");
}

// Dividends of 4,000, all of them qualified, distributed with the interest.
void AddDividends(ReturnFixture& r, const char* toBeneficiaries, const char* toEstate)
{
    r.Set(f2::scheduleBLine9Required, "14,000");
    r.Store().NoOfDividend = 1;
    r.Set(dividend::entries::Slot(0, dividend::entries::description), "Granite Fund");
    r.Set(dividend::entries::Slot(0, dividend::entries::amount), "4,000");
    r.Set(f1::line2b1QualifiedToBeneficiaries, toBeneficiaries);
    r.Set(f1::line2b2QualifiedToEstate, toEstate);
}

void AddSecondBeneficiary(ReturnFixture& r, double first, double second)
{
    r.Store().NoOfSchedK = 2;
    r.Store().BeneficiaryInterest[0] = first;
    r.Store().BeneficiaryInterest[1] = second;
    r.Set(k1::itemFIdentifyingNumber, 1, "402-34-5678");
    r.Set(k1::itemGName, 1, "Rose Rivers");
    r.Set(k1::itemGAddress1, 1, "9 Oak Lane");
    r.Set(k1::itemGAddress2, 1, "Orono, ME 04473");
}

// The allocation worksheet in use: 2,000 of tax-exempt interest beside the 10,000 of interest, the
// 1,000 of fees typed as paid. Tax-exempt part 1,000 x 2,000 / 12,000 = 167, line 12 833;
// classes: interest 9,167, tax-exempt 1,833, together 11,000 = line 17 9,167 + line 2 1,833.
void UseAllocationWorksheet(ReturnFixture& r)
{
    r.Set(aw::taxExemptInterestReceived, "2,000");
    r.Set(aw::line12Paid, "1,000");
    r.Set(f1::line12FiduciaryFees, "");
    r.Set(f2::scheduleBLine9Required, "11,000");
}

// Settles the return and reviews it; the review itself shows no message.
std::vector<Finding> Review(ReturnFixture& r)
{
    EXPECT_TRUE(r.Settle());
    r.Messages().Clear();
    std::vector<Finding> findings = review::ReviewReturn(r.Store());
    EXPECT_TRUE(r.Messages().Empty());
    return findings;
}

const Finding* FindRule(const std::vector<Finding>& findings, const std::string& rule)
{
    for (const Finding& finding : findings)
        if (finding.rule == rule)
            return &finding;
    return nullptr;
}

std::string Listed(const std::vector<Finding>& findings)
{
    std::string text;
    for (const Finding& finding : findings)
        text += review::FindingLine(finding) + "\n";
    return text;
}

TEST(Review, CleanReturnHasNoFinding)
{
    ReturnFixture r;
    FillCleanReturn(r);
    const std::vector<Finding> findings = Review(r);
    EXPECT_TRUE(findings.empty()) << Listed(findings);
}

struct RaisedCase {
    const char* name;
    const char* rule;
    Severity severity;
    review::FieldAddress field;
    std::function<void(ReturnFixture&)> plant;
    const char* inText;  // a part of the finding's text
};

// name | rule | severity | field | what is planted in the clean return | part of the text
const RaisedCase kRaisedCases[] = {
    {"NameBlank", "f1041.name", Severity::Error, At(f1::nameOfEstateOrTrust),
     [](ReturnFixture& r) { r.Set(f1::nameOfEstateOrTrust, "   "); },
     "name of the estate or trust"},
    {"FiduciaryMissing", "f1041.fiduciary", Severity::Error, At(f1::nameAndTitleOfFiduciary),
     [](ReturnFixture& r) { r.Set(f1::nameAndTitleOfFiduciary, ""); },
     "fiduciary"},
    {"NoEntityType", "f1041.entity-type", Severity::Error, At(f1::itemADecedentsEstate),
     [](ReturnFixture& r) { r.Set(f1::itemAComplexTrust, ""); },
     "No type of entity"},
    {"EstateAndTrust", "f1041.entity-types", Severity::Error, At(f1::itemADecedentsEstate),
     [](ReturnFixture& r) { r.Set(f1::itemADecedentsEstate, "X"); },
     "decedent's estate and complex trust"},
    {"DisabilityTrustBesideEstate", "f1041.entity-types", Severity::Error, At(f1::itemADecedentsEstate),
     [](ReturnFixture& r) {
         r.Set(f1::itemAComplexTrust, "");
         r.Set(f1::itemADecedentsEstate, "X");
         r.Set(f1::itemAQualifiedDisabilityTrust, "X");
     },
     "qualified disability trust beside decedent's estate"},
    {"EinWithoutHyphen", "f1041.ein", Severity::Error, At(f1::itemCEin),
     [](ReturnFixture& r) { r.Set(f1::itemCEin, "467654321"); },
     "\"467654321\" is not of the form 12-3456789"},
    {"EinMissing", "f1041.ein", Severity::Error, At(f1::itemCEin), [](ReturnFixture& r) { r.Set(f1::itemCEin, ""); },
     "Applied for"},
    {"BeginningNoDate", "year.begin-unreadable", Severity::Error, At(f1::taxYearBeginning),
     [](ReturnFixture& r) { r.Set(f1::taxYearBeginning, "13/45/2016"); }, "\"13/45/2016\""},
    {"EndingNoDate", "year.end-unreadable", Severity::Error, At(f1::taxYearEnding),
     [](ReturnFixture& r) { r.Set(f1::taxYearEnding, "12/32/2016"); },
     "ending date"},
    {"BeginningMissing", "year.begin-missing", Severity::Error, At(f1::taxYearBeginning),
     [](ReturnFixture& r) { r.Set(f1::taxYearBeginning, ""); },
     "no beginning date"},
    {"EndingMissing", "year.end-missing", Severity::Error, At(f1::taxYearEnding),
     [](ReturnFixture& r) { r.Set(f1::taxYearEnding, ""); },
     "no ending date"},
    {"EndsBeforeItBegins", "year.order", Severity::Error, At(f1::taxYearEnding),
     [](ReturnFixture& r) {
         r.Set(f1::taxYearBeginning, "4/1/2016");
         r.Set(f1::taxYearEnding, "3/31/2016");
     },
     "ends (3/31/2016) before it begins (4/1/2016)"},
    {"CalendarYear2015", "year.calendar", Severity::Error, At(f1::taxYearBeginning),
     [](ReturnFixture& r) {
         r.Set(f1::taxYearBeginning, "1/1/2015");
         r.Set(f1::taxYearEnding, "12/31/2015");
     },
     "calendar year 2015"},
    {"FiscalYearFrom2015", "year.fiscal", Severity::Error, At(f1::taxYearBeginning),
     [](ReturnFixture& r) {
         r.Set(f1::taxYearBeginning, "7/1/2015");
         r.Set(f1::taxYearEnding, "6/30/2016");
     },
     "begins 7/1/2015"},
    {"ThirteenMonths", "year.length", Severity::Error, At(f1::taxYearEnding),
     [](ReturnFixture& r) {
         r.Set(f1::itemADecedentsEstate, "X");
         r.Set(f1::itemAComplexTrust, "");
         r.Set(f1::taxYearBeginning, "2/1/2016");
         r.Set(f1::taxYearEnding, "2/1/2017");
     },
     "longer than twelve months"},
    {"QualifiedAboveOrdinary", "f1041.qualified-dividends", Severity::Error, At(f1::line2b1QualifiedToBeneficiaries),
     [](ReturnFixture& r) { AddDividends(r, "3,000", "2,000"); }, "together, 5,000) are more than the total ordinary dividends of line 2a (4,000)"},
    {"DistributionWithoutK1", "f1041.distribution-without-k1", Severity::Error, At(f1::line18Distribution),
     [](ReturnFixture& r) { r.Store().NoOfSchedK = 0; }, "deduction of 9,000"},
    {"SharesAbove100", "k1.percentages", Severity::Error, At(k1::box1Interest),
     [](ReturnFixture& r) { AddSecondBeneficiary(r, 0.6, 0.5); }, "110.00%"},
    {"NoShareAndNoAmounts", "k1.no-share", Severity::Error, At(k1::box1Interest, 1),
     [](ReturnFixture& r) { AddSecondBeneficiary(r, 1.0, -1.0); }, "neither a percentage nor amounts"},
    {"SsnOneDigitShort", "k1.identifying-number", Severity::Error, At(k1::itemFIdentifyingNumber),
     [](ReturnFixture& r) { r.Set(k1::itemFIdentifyingNumber, "401-23-456"); }, "\"401-23-456\" is neither"},
    {"SsnArea000", "k1.identifying-number", Severity::Error, At(k1::itemFIdentifyingNumber),
     [](ReturnFixture& r) { r.Set(k1::itemFIdentifyingNumber, "000-23-4567"); }, "neither a social security number"},
    {"BeneficiaryNumberMissing", "k1.identifying-number", Severity::Error, At(k1::itemFIdentifyingNumber),
     [](ReturnFixture& r) { r.Set(k1::itemFIdentifyingNumber, ""); }, "is missing"},

    {"EinAppliedFor", "f1041.ein-applied-for", Severity::Warning, At(f1::itemCEin),
     [](ReturnFixture& r) { r.Set(f1::itemCEin, "applied for"); }, "applied for"},
    {"AddressMissing", "f1041.address", Severity::Warning, At(f1::fiduciaryStreet),
     [](ReturnFixture& r) {
         r.Set(f1::fiduciaryStreet, "");
         r.Set(f1::fiduciaryCity, "");
     },
     "address is missing"},
    {"TrustOnFiscalYear", "year.trust-fiscal", Severity::Warning, At(f1::taxYearBeginning),
     [](ReturnFixture& r) {
         r.Set(f1::taxYearBeginning, "4/1/2016");
         r.Set(f1::taxYearEnding, "3/31/2017");
     },
     "calendar year"},
    {"HalfTheIncomeOnK1", "k1.income-total", Severity::Warning, At(f1::line18Distribution),
     [](ReturnFixture& r) { r.Store().BeneficiaryInterest[0] = 0.5; }, "add up to 4,500, while the income distribution deduction on line 18 is 9,000"},
    {"HalfTheQualifiedDividendsOnK1", "k1.qualified-dividends-total", Severity::Warning, At(f1::line2b1QualifiedToBeneficiaries),
     [](ReturnFixture& r) {
         AddDividends(r, "4,000", "");
         r.Store().BeneficiaryInterest[0] = 0.5;
     },
     "adds up to 2,000"},
    // Fees of 12,000 above the interest: the dividends bear 12,000 x 4/14, box 2a is 571 and its
    // qualified part 571, which a box 2b typed as line 2b(1)'s 4,000 passes.
    {"Box2bAboveTheQualifiedPartOfBox2a", "k1.qualified-dividends-total", Severity::Warning, At(f1::line2b1QualifiedToBeneficiaries),
     [](ReturnFixture& r) {
         AddDividends(r, "4,000", "");
         r.Set(f1::line12FiduciaryFees, "12,000");
         r.Override(k1::box2bQualifiedDividends, 0, "4,000");
     },
     "while the qualified part of their boxes 2a (the dividends bear part of the deductions) is 571"},
    // Line 2 typed as 500: line 7 is 9,167 + 500, the classes still 11,000.
    {"WorksheetClassesApartFromLine7", "sched-b.classes-line-7", Severity::Warning, At(f2::scheduleBLine7Dni),
     [](ReturnFixture& r) {
         UseAllocationWorksheet(r);
         r.Override(f2::scheduleBLine2TaxExemptInterest, "500");
     },
     "add up to 11,000 (taxable classes 9,167, tax-exempt interest 1,833), while Schedule B, line 7 is 9,667"},
    // A net operating loss deduction lowers line 7 and no class.
    {"NetOperatingLossOutsideTheClasses", "sched-b.classes-line-7", Severity::Warning, At(f2::scheduleBLine7Dni),
     [](ReturnFixture& r) {
         UseAllocationWorksheet(r);
         r.Set(f1::line15bNol, "3,000");
     },
     "while Schedule B, line 7 is 8,000"},
    {"QualifiedDividendsKeptByTheTrust", "f1041.qualified-dividends-split", Severity::Warning, At(f1::line2b1QualifiedToBeneficiaries),
     [](ReturnFixture& r) { AddDividends(r, "1,000", "3,000"); }, "is 4,000, which leaves 0 on line 2b(2)"},
    {"Rate28GainNotOnScheduleD", "sched-d.rate-28", Severity::Warning, At(d2::line18cBeneficiaries),
     [](ReturnFixture& r) { r.Set(r28::line1, "2,000"); }, "column (3), is 0 while line 7 of the 28% Rate Gain Worksheet is 2,000"},
    {"Line24bWithout1041T", "f1041.estimated-tax-allocation", Severity::Warning, At(f1::line24bToBeneficiaries),
     [](ReturnFixture& r) { r.Override(f1::line24bToBeneficiaries, "500"); }, "Form 1041-T allocates none"},
    {"Form1041TWithoutLine24b", "f1041.estimated-tax-allocation", Severity::Warning, At(f1::line24bToBeneficiaries),
     [](ReturnFixture& r) {
         r.Set(f1041t::beneficiaries::Slot(0, f1041t::beneficiaries::amount), "700");
         r.Override(f1::line24bToBeneficiaries, "");
     },
     "line 24b shows none"},
    {"FinalReturnCarryoverWithoutK1", "k1.final-carryovers", Severity::Warning, At(f1::itemFFinalReturn),
     [](ReturnFixture& r) {
         r.Set(f1::itemFFinalReturn, "X");
         r.Set(f2::scheduleBLine9Required, "");
         r.Store().NoOfSchedK = 0;
         r.Set(d1::line15Carryover, "10,000");  // line 15, long-term carryover from 2015
     },
     "long-term 7,000"},
    {"BankruptcyEstateWithInvestmentIncome", "f8960.bankruptcy-estate", Severity::Warning,
     At(f2::scheduleGLine4NetInvestment),
     [](ReturnFixture& r) {
         r.Set(f1::itemAComplexTrust, "");
         r.Set(f1::itemABankruptcyEstateCh7, "X");
     },
     "net investment income of 9,000 figures the net investment income tax as a married individual"},
    // The tiers share distributable net income by the K-1s' amounts: the second K-1's 50% is unused.
    {"PercentageBesideTiers", "k1.percentage-beside-tiers", Severity::Warning, At(k1::incomeRequiredToBeDistributed, 1),
     [](ReturnFixture& r) {
         AddSecondBeneficiary(r, 0.5, 0.5);
         r.Set(k1::incomeRequiredToBeDistributed, 0, "9,000");
     },
     "this one none: it carries no distributable net income, and its percentage of 50.00% is not used"},
    {"BeneficiaryWithoutName", "k1.beneficiary-name", Severity::Warning, At(k1::itemGName),
     [](ReturnFixture& r) { r.Set(k1::itemGName, " "); }, "name is missing"},
    {"BeneficiaryWithoutAddress", "k1.beneficiary-address", Severity::Warning, At(k1::itemGAddress1),
     [](ReturnFixture& r) {
         r.Set(k1::itemGAddress1, "");
         r.Set(k1::itemGAddress2, "");
     },
     "address is missing"},

    {"OtherInformation2Unanswered", "f1041.other-info-2", Severity::Warning, At(f2::otherInformationLine2Yes),
     [](ReturnFixture& r) { r.Set(f2::otherInformationLine2No, ""); }, "question 2 needs a Yes or a No"},
    {"OtherInformation3BothTicked", "f1041.other-info-3", Severity::Warning, At(f2::otherInformationLine3Yes),
     [](ReturnFixture& r) { r.Set(f2::otherInformationLine3Yes, "X"); }, "question 3 needs"},
    {"OtherInformation4Unanswered", "f1041.other-info-4", Severity::Warning, At(f2::otherInformationLine4Yes),
     [](ReturnFixture& r) { r.Set(f2::otherInformationLine4No, ""); }, "question 4 needs"},
    {"OtherInformation5Unanswered", "f1041.other-info-5", Severity::Warning, At(f2::otherInformationLine5Yes),
     [](ReturnFixture& r) { r.Set(f2::otherInformationLine5No, ""); }, "question 5 needs"},
    {"OtherInformation9Unanswered", "f1041.other-info-9", Severity::Warning, At(f2::otherInformationLine9Yes),
     [](ReturnFixture& r) { r.Set(f2::otherInformationLine9No, ""); }, "question 9 needs"},
    {"OtherInformation10Unanswered", "f1041.other-info-10", Severity::Warning, At(f2::otherInformationLine10Yes),
     [](ReturnFixture& r) { r.Set(f2::otherInformationLine10No, ""); }, "question 10 needs"},

    {"SharesCarriedAsLine18", "k1.shares-scaled", Severity::Note, At(f1::line18Distribution),
     [](ReturnFixture& r) { AddSecondBeneficiary(r, 0.6, 0.6); },
     "Together the shares hand out more than line 18; each K-1 carries its part of line 18 (83.33% of its "
     "percentage)."},
    {"AmountsTypedOnK1", "k1.own-amounts", Severity::Note, At(k1::box1Interest),
     [](ReturnFixture& r) {
         SetK1Allocation(r.Store(), 0, K1Allocation::OwnValues, 0);
         r.Set(k1::box1Interest, "9,000");
     },
     "typed by hand"},
    {"PaymentsTableApartFromLine24a", "f2210.payments-line-24a", Severity::Warning, At(f1::line24aEstimated),
     [](ReturnFixture& r) {
         r.Set(f2210::paymentDate1, "04/18/2016");
         r.Set(f2210::paymentAmount1, "1,000");
         r.Override(f1::line24aEstimated, "2,000");
     },
     "table adds up to 1,000, line 24a holds 2,000"},
    {"PaymentBeforeTheYear", "f2210.payment-date", Severity::Warning, At(f2210::paymentDate1),
     [](ReturnFixture& r) {
         r.Set(f2210::paymentDate1, "12/01/2015");
         r.Set(f2210::paymentAmount1, "1,000");
     },
     "payment 1 is dated 12/01/2015"},
    {"PenaltyWithWaiverOfAll", "f2210.waiver-box-a", Severity::Warning, At(f1::line26Penalty),
     [](ReturnFixture& r) {
         r.Set(f2210::waiverBoxA, "X");
         r.Override(f1::line26Penalty, "50");
     },
     "line 26 holds 50"},
    {"AnnualizedPenaltyLeftToPreparer", "f2210.penalty-left", Severity::Warning, At(f1::line26Penalty),
     [](ReturnFixture& r) { r.Set(f2210::annualizedBoxC, "X"); }, "box C is ticked"},
    {"ExemptionOverridden", review::kOverrideRule, Severity::Note, At(f1::line20Exemption),
     [](ReturnFixture& r) { r.Override(f1::line20Exemption, "300"); }, "Overridden: 300 typed."},
};

class RaisedRule : public ::testing::TestWithParam<RaisedCase> {};

TEST_P(RaisedRule, PlantedProblemIsFoundWhereItStands)
{
    const RaisedCase& c = GetParam();
    ReturnFixture r;
    FillCleanReturn(r);
    c.plant(r);
    const std::vector<Finding> findings = Review(r);
    const Finding* finding = FindRule(findings, c.rule);
    ASSERT_NE(finding, nullptr) << Listed(findings);
    EXPECT_EQ(finding->severity, c.severity);
    EXPECT_EQ(finding->field, c.field);
    EXPECT_NE(finding->text.find(c.inText), std::string::npos) << finding->text;
}

INSTANTIATE_TEST_SUITE_P(Rules, RaisedRule, ::testing::ValuesIn(kRaisedCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Review, EveryRuleOfTheTableHasACaseThatRaisesIt)
{
    std::set<std::string> raised;
    for (const RaisedCase& c : kRaisedCases)
        raised.insert(c.rule);
    for (const review::ReviewRule& rule : review::ReviewRules())
        EXPECT_EQ(raised.count(rule.id), 1u) << rule.id;
}

struct PassingCase {
    const char* name;
    const char* rule;
    std::function<void(ReturnFixture&)> plant;
};

// name | rule that must stay silent | what is planted in the clean return
const PassingCase kPassingCases[] = {
    {"EinAppliedForIsNoError", "f1041.ein", [](ReturnFixture& r) { r.Set(f1::itemCEin, " Applied for "); }},
    {"DisabilityTrustBesideComplexTrust", "f1041.entity-types",
     [](ReturnFixture& r) { r.Set(f1::itemAQualifiedDisabilityTrust, "X"); }},
    {"GrantorPortionOfAComplexTrust", "f1041.entity-types",
     [](ReturnFixture& r) { r.Set(f1::itemAGrantorTypeTrust, "X"); }},
    {"GrantorTypeTrustAlone", "f1041.entity-type",
     [](ReturnFixture& r) {
         r.Set(f1::itemAComplexTrust, "");
         r.Set(f1::itemAGrantorTypeTrust, "X");
     }},
    {"NoDatesIsCalendar2016", "year.begin-missing",
     [](ReturnFixture& r) {
         r.Set(f1::taxYearBeginning, "");
         r.Set(f1::taxYearEnding, "");
     }},
    {"LongDatesRead", "year.begin-unreadable",
     [](ReturnFixture& r) {
         r.Set(f1::taxYearBeginning, "Jan 1, 2016");
         r.Set(f1::taxYearEnding, "Dec 31, 2016");
     }},
    {"TwoDigitYear", "year.calendar",
     [](ReturnFixture& r) {
         r.Set(f1::taxYearBeginning, "1/1/16");
         r.Set(f1::taxYearEnding, "12/31/16");
     }},
    {"EstateYearOfTwelveMonths", "year.length",
     [](ReturnFixture& r) {
         r.Set(f1::itemAComplexTrust, "");
         r.Set(f1::itemADecedentsEstate, "X");
         r.Set(f1::taxYearBeginning, "2/1/2016");
         r.Set(f1::taxYearEnding, "1/31/2017");
     }},
    {"YearFromFebruary29", "year.length",
     [](ReturnFixture& r) {
         r.Set(f1::itemAComplexTrust, "");
         r.Set(f1::itemADecedentsEstate, "X");
         r.Set(f1::taxYearBeginning, "2/29/2016");
         r.Set(f1::taxYearEnding, "2/28/2017");
     }},
    {"EstateMayUseFiscalYear", "year.trust-fiscal",
     [](ReturnFixture& r) {
         r.Set(f1::itemAComplexTrust, "");
         r.Set(f1::itemADecedentsEstate, "X");
         r.Set(f1::taxYearBeginning, "4/1/2016");
         r.Set(f1::taxYearEnding, "3/31/2017");
     }},
    {"ShortFinalYear", "year.length", [](ReturnFixture& r) { r.Set(f1::taxYearEnding, "6/30/2016"); }},
    {"ItinIsAnIdentifyingNumber", "k1.identifying-number",
     [](ReturnFixture& r) { r.Set(k1::itemFIdentifyingNumber, "912-70-1234"); }},
    {"EinIsAnIdentifyingNumber", "k1.identifying-number",
     [](ReturnFixture& r) { r.Set(k1::itemFIdentifyingNumber, "46-1112223"); }},
    {"SharesOf100PercentInThirds", "k1.percentages",
     [](ReturnFixture& r) {
         AddSecondBeneficiary(r, 0.3333, 0.3333);
         r.Store().NoOfSchedK = 3;
         r.Store().BeneficiaryInterest[2] = 0.3334;
     }},
    {"ShareOfZeroIsAShare", "k1.no-share", [](ReturnFixture& r) { AddSecondBeneficiary(r, 1.0, 0.0); }},
    {"OwnAmountsInPlaceOfAShare", "k1.no-share",
     [](ReturnFixture& r) {
         SetK1Allocation(r.Store(), 0, K1Allocation::OwnValues, 0);
         r.Set(k1::box1Interest, "9,000");
     }},
    {"OwnAmountsInBox5", "k1.no-share",
     [](ReturnFixture& r) {
         r.Store().BeneficiaryInterest[0] = -1;
         r.Set(k1::box5, "9,000");
     }},
    // The same dividends bearing their part of 12,000 of fees: box 2b is 571, not line 2b(1).
    {"DividendsBearingFeesLeaveBox2bBelowLine2b1", "k1.qualified-dividends-total",
     [](ReturnFixture& r) {
         AddDividends(r, "4,000", "");
         r.Set(f1::line12FiduciaryFees, "12,000");
     }},
    {"WorksheetClassesAddUpToLine7", "sched-b.classes-line-7", UseAllocationWorksheet},
    // A 0 typed is an amount: the beneficiary was paid nothing this year.
    {"ZeroTypedBesideTiers", "k1.percentage-beside-tiers",
     [](ReturnFixture& r) {
         AddSecondBeneficiary(r, 0.5, 0.5);
         r.Set(k1::incomeRequiredToBeDistributed, 0, "9,000");
         r.Set(k1::otherAmountsDistributed, 1, "0");
     }},
    {"NoPercentageBesideTiers", "k1.percentage-beside-tiers",
     [](ReturnFixture& r) {
         AddSecondBeneficiary(r, 1.0, 0.0);
         r.Set(k1::incomeRequiredToBeDistributed, 0, "9,000");
     }},
    {"SplitWithinAFewDollars", "f1041.qualified-dividends-split",
     [](ReturnFixture& r) { AddDividends(r, "3,996", "4"); }},
    {"NoDistributionKeepsTheDividends", "f1041.qualified-dividends-split",
     [](ReturnFixture& r) {
         AddDividends(r, "", "4,000");
         r.Set(f2::scheduleBLine9Required, "");
         r.Store().NoOfSchedK = 0;
     }},
    {"Line24bFollowsForm1041T", "f1041.estimated-tax-allocation",
     [](ReturnFixture& r) { r.Set(f1041t::beneficiaries::Slot(0, f1041t::beneficiaries::amount), "700"); }},
    {"FinalReturnPassesCarryoversOnK1", "k1.final-carryovers",
     [](ReturnFixture& r) {
         r.Set(f1::itemFFinalReturn, "X");
         r.Set(d1::line15Carryover, "10,000");
     }},
    {"Rate28GainCarriedToScheduleD", "sched-d.rate-28",
     [](ReturnFixture& r) {
         r.Set(r28::line1, "2,000");
         r.Set(d2::line18cEstate, "2,000");
     }},
    {"BankruptcyEstateTypedItsTax", "f8960.bankruptcy-estate",
     [](ReturnFixture& r) {
         r.Set(f1::itemAComplexTrust, "");
         r.Set(f1::itemABankruptcyEstateCh11, "X");
         r.Override(f2::scheduleGLine4NetInvestment, "0");
     }},
};

class PassingRule : public ::testing::TestWithParam<PassingCase> {};

TEST_P(PassingRule, StaysSilent)
{
    const PassingCase& c = GetParam();
    ReturnFixture r;
    FillCleanReturn(r);
    c.plant(r);
    const std::vector<Finding> findings = Review(r);
    EXPECT_EQ(FindRule(findings, c.rule), nullptr) << Listed(findings);
}

INSTANTIATE_TEST_SUITE_P(Rules, PassingRule, ::testing::ValuesIn(kPassingCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Review, FindingsComeErrorsFirstThenWarningsThenNotes)
{
    ReturnFixture r;
    FillCleanReturn(r);
    r.Override(f1::line20Exemption, "300");
    r.Set(k1::itemGName, "");
    r.Set(f1::nameOfEstateOrTrust, "");
    const std::vector<Finding> findings = Review(r);
    ASSERT_EQ(findings.size(), 3u) << Listed(findings);
    EXPECT_EQ(findings[0].severity, Severity::Error);
    EXPECT_EQ(findings[1].severity, Severity::Warning);
    EXPECT_EQ(findings[2].severity, Severity::Note);
    const review::FindingCounts counts = review::CountFindings(findings);
    EXPECT_EQ(counts.errors, 1);
    EXPECT_EQ(counts.warnings, 1);
    EXPECT_EQ(counts.notes, 1);
}

TEST(Review, ReadsWithoutShowingMessages)
{
    ReturnFixture r;
    FillCleanReturn(r);
    r.Set(f1::line2b1QualifiedToBeneficiaries, "12abc");  // an entry that does not read counts as 0, as in the calculations
    r.Override(f1::line24bToBeneficiaries, "x7");
    r.Set(f1::taxYearBeginning, "Jan 45, 2016");
    Review(r);
}

TEST(Review, SampleReturnRaisesNoError)
{
    test::MessageRecorder messages;
    ScopedAnswerStore store;
    ASSERT_TRUE(ReadClientFileAt(*store, std::string(QUORVAN_SOURCE_DIR) + "/examples/sample-trust.fq6"));
    ASSERT_TRUE(SettleReturn(*store, 10));
    const std::vector<Finding> findings = review::ReviewReturn(*store);
    EXPECT_EQ(review::CountFindings(findings).errors, 0) << Listed(findings);
}

// --- Overridden answers ---------------------------------------------------------------------------

TEST(OverrideNotes, GiveTheTypedAndTheComputedFigureAndLeaveTheReturnAlone)
{
    ReturnFixture r;
    FillCleanReturn(r);
    r.Override(f1::line20Exemption, "300");         // line 20: 100 for a complex trust
    r.Override(f2::otherInformationLine1Yes, "X");           // Other Information line 1, Yes: not ticked when computed
    r.Override(k1::itemBName, "Willow Trust");  // item B copies the name of the trust
    std::vector<Finding> findings = Review(r);
    const std::string before = DumpReturn(r.Store());
    TAnswer* const open = Answers;

    review::OverrideFigures figures;
    figures.Figure(r.Store(), findings);

    EXPECT_EQ(Answers, open);
    EXPECT_EQ(DumpReturn(r.Store()), before);
    EXPECT_TRUE(r.Messages().Empty());
    std::vector<std::string> notes;
    for (const Finding& finding : findings)
        if (finding.rule == review::kOverrideRule)
            notes.push_back(finding.form + " | " + finding.line + " | " + finding.text);
    const std::vector<std::string> expected = {
        "Form 1041 | line 20 | Overridden: 300 typed, 100 computed.",
        "Form 1041 | Other Information, line 1, Yes | Overridden: ticked by hand, not ticked as computed.",
        "Schedule K-1, beneficiary 1 (Paul Rivers) | item B | Overridden: \"Willow Trust\" typed, \"Willow Creek Trust\" computed.",
    };
    EXPECT_EQ(notes, expected);
}

TEST(OverrideNotes, ComputedFigureFollowsTheOtherOverrides)
{
    ReturnFixture r;
    FillCleanReturn(r);
    r.Override(f1::line9TotalIncome, "20,000");  // line 9
    r.Override(f1::line20Exemption, "0");       // line 20
    std::vector<Finding> findings = Review(r);
    review::OverrideFigures().Figure(r.Store(), findings);
    const Finding* line9 = nullptr;
    for (const Finding& finding : findings)
        if (finding.field == At(f1::line9TotalIncome))
            line9 = &finding;
    ASSERT_NE(line9, nullptr) << Listed(findings);
    EXPECT_EQ(line9->text, "Overridden: 20,000 typed, 10,000 computed.");
}

TEST(OverrideNotes, AmountsTypedInPlaceOfAShareMakeOneNote)
{
    ReturnFixture r;
    FillCleanReturn(r);
    SetK1Allocation(r.Store(), 0, K1Allocation::OwnValues, 0);
    r.Set(k1::box1Interest, "9,000");
    const std::vector<Finding> findings = Review(r);
    const review::FindingCounts counts = review::CountFindings(findings);
    EXPECT_EQ(counts.notes, 1) << Listed(findings);
    EXPECT_NE(FindRule(findings, "k1.own-amounts"), nullptr);
}

TEST(OverrideNotes, FlagsOnEntriesAreNoOverride)
{
    ReturnFixture r;
    FillCleanReturn(r);
    r.Override(f1::line12FiduciaryFees, "1,000");  // line 12, an entry: no calculation writes it
    const std::vector<Finding> findings = Review(r);
    EXPECT_TRUE(findings.empty()) << Listed(findings);
}

// --- Names of forms and lines -----------------------------------------------------------------

TEST(FieldLabels, NameTheLinesAsTheFormsPrintThem)
{
    ScopedAnswerStore store;
    store->NoOfSchedK = 2;
    store->NoOfInterest = 1;
    store->SetText(ftScheduleK1, 1, k1::itemGName.slot, "Rose Rivers");
    store->SetText(ftScheduleK1, 1, k1::box11Code1.slot, "B");
    struct Case {
        SlotRef field;
        int page;
        const char* form;
        const char* line;
    };
    // field | page | form | line
    const Case cases[] = {
        {f1::line2b1QualifiedToBeneficiaries, 0, "Form 1041", "line 2b(1)"},
        {f1::line15cTwoPercent, 0, "Form 1041", "line 15c"},
        {f1::itemCEin, 0, "Form 1041", "item C"},
        {f1::itemFFinalReturn, 0, "Form 1041", "item F, Final return"},
        {f2::scheduleBLine7Dni, 0, "Form 1041", "Schedule B, line 7"},
        {f2::scheduleGLine1aTax, 0, "Form 1041", "Schedule G, line 1a"},
        {d2::line18cTotal, 0, "Schedule D", "line 18c, column (3)"},
        {k1::box1Interest, 1, "Schedule K-1, beneficiary 2 (Rose Rivers)", "box 1"},
        {k1::box11Amount1, 1, "Schedule K-1, beneficiary 2 (Rose Rivers)", "box 11, code B"},
        {k1::taxYearBeginning, 0, "Schedule K-1, beneficiary 1", "tax year beginning"},
        {f1041t::beneficiaries::Slot(3, f1041t::beneficiaries::amount), 0, "Form 1041-T",
         "line 2, row 4, column (d)"},
        {interest::entries::Slot(0, interest::entries::amount), 0, "Interest continuation schedule, page 1",
         "row 1, Amount"},
        {{ftForm8949B, f8949a::sales::Slot(0, f8949a::sales::gain)}, 0, "Form 8949, box B, page 1",
         "line 1, row 1, column (h)"},
        {vo::voucher2Amount, 0, "Form 1041-ES vouchers",
         "Voucher 2, Amount of estimated tax you are paying by check or money"},
        // A slot no page shows is named by its number.
        {{ftForm1041Page1, 99}, 0, "Form 1041", "field 99"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(review::FormName(*store, c.field.formType, c.page), c.form) << c.field.slot;
        EXPECT_EQ(review::LineName(*store, c.field.formType, c.page, c.field.slot), c.line) << c.field.slot;
    }
}

// A rule names its line in its own words; where it names a line, box or item, that is the field
// its row points at.
TEST(FieldLabels, RulesPointAtTheLineTheyName)
{
    for (const review::ReviewRule& rule : review::ReviewRules()) {
        const std::string line = rule.line;
        if (line.rfind("line ", 0) != 0 && line.rfind("box ", 0) != 0 && line.rfind("item ", 0) != 0)
            continue;
        const review::FieldLabel* label = review::FindFieldLabel(rule.field.formType, rule.field.slot);
        ASSERT_NE(label, nullptr) << rule.id;
        EXPECT_EQ(std::string(label->text).rfind(line, 0), 0u) << rule.id << ": " << label->text;
    }
}

// --- Reading dates and identifying numbers -------------------------------------------------------

TEST(ReturnReader, ReadsDatesAsTheProgramWritesThem)
{
    struct Case {
        const char* text;
        bool reads;
        review::Date date;
    };
    // text | reads | year, month, day
    const Case cases[] = {
        {"1/31/2016", true, {2016, 1, 31}}, {" 2/29/2016 ", true, {2016, 2, 29}}, {"Mar 5, 2016", true, {2016, 3, 5}},
        {"12/31/16", true, {2016, 12, 31}}, {"2/29/2017", false, {}},              {"2016-01-31", false, {}},
        {"", false, {}},                    {"January", false, {}},
    };
    for (const Case& c : cases) {
        review::Date date;
        EXPECT_EQ(review::ReadDate(c.text, date), c.reads) << c.text;
        if (c.reads) {
            EXPECT_EQ(date.year, c.date.year) << c.text;
            EXPECT_EQ(date.month, c.date.month) << c.text;
            EXPECT_EQ(date.day, c.date.day) << c.text;
        }
    }
}

TEST(ReturnReader, TellsIdentifyingNumbersByTheirForm)
{
    struct Case {
        const char* text;
        bool ein;
        bool ssn;
    };
    // text | employer identification number | social security number
    const Case cases[] = {
        {"12-3456789", true, false}, {"123456789", false, false},  {"12-345678", false, false},
        {"123-45-6789", false, true}, {"666-45-6789", false, false}, {"123-00-6789", false, false},
        {"123-45-0000", false, false}, {"9a3-45-6789", false, false}, {" 912-78-1234 ", false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(review::IsEmployerIdentificationNumber(c.text), c.ein) << c.text;
        EXPECT_EQ(review::IsSocialSecurityNumber(c.text), c.ssn) << c.text;
    }
}

}  // namespace
}  // namespace quorvan
