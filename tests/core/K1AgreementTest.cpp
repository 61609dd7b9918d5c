// Schedule K-1s against the return they belong to: whole returns settled through the driver,
// each K-1 checked against figures worked by hand, and every return checked for what a reviewer
// adds up: the K-1s together carry Form 1041 line 18 class by class (interest, dividends and the
// gains that go to the beneficiaries), they share line 2b(1), and no box 2b exceeds its box 2a.

#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/ScheduleDPage2.h"
#include "slot/ScheduleK1.h"
#include "store/Amounts.h"
#include "support/Engine2Returns.h"
#include "support/ReturnFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace quorvan {
namespace {

namespace d2 = quorvan::slot::scheduleDPage2;
namespace f1 = quorvan::slot::form1041Page1;
namespace f2 = quorvan::slot::form1041Page2;
namespace k1 = quorvan::slot::scheduleK1;

using test::ReturnFixture;
using test::engine2::AddContinuationPage;
using test::engine2::AddForm8949Page;

void AddBeneficiaries(ReturnFixture& r, const std::vector<double>& shares)
{
    for (double share : shares)
        r.Store().BeneficiaryInterest[static_cast<size_t>(r.Store().NoOfSchedK++)] = share;
}

// A simple trust keeps its long-term gain of 15,000 in corpus: interest 20,000, dividends 12,000
// (8,000 qualified), fiduciary fees 1,700. Distributable net income 47,000 - 1,700 - 15,000 =
// 30,300, all required to be distributed: line 18 30,300. The fees are charged against the
// income in distributable net income only, never the gain kept; the interest (20,000) covers
// them, so the dividends stay whole. One beneficiary: box 1 18,300, box 2a 12,000, box 2b 8,000.
void SimpleTrustGainToCorpus(ReturnFixture& r, double share)
{
    r.Set(f1::itemASimpleTrust, "X");
    AddContinuationPage(r, ftInterest, {"20,000"});
    AddContinuationPage(r, ftDividend, {"12,000"});
    r.Set(f1::line2b1QualifiedToBeneficiaries, "8,000");
    AddForm8949Page(r, ftForm8949D, {{"Alder Co", "01/05/2010", "06/01/2016", "40,000", "25,000", "", ""}});
    r.Set(f1::line12FiduciaryFees, "1,700");
    r.Set(f2::scheduleBLine9Required, "30,300");
    AddBeneficiaries(r, {share});
}

// A complex trust distributes 9,000 against a distributable net income of 7,300 (interest
// 5,000, dividends 3,300 with 2,000 qualified, fees 1,000) and keeps an 11,130 long-term gain
// in corpus. Line 18 is 7,300. Interest bears the fees (4,000 left), the dividends stay whole;
// at 60% and 40%: box 1 2,400 / 1,600, box 2a 1,980 / 1,320, box 2b 1,200 / 800.
void ComplexTrustDistributingMoreThanDni(ReturnFixture& r, double)
{
    r.Set(f1::itemAComplexTrust, "X");
    AddContinuationPage(r, ftInterest, {"5,000"});
    AddContinuationPage(r, ftDividend, {"3,300"});
    r.Set(f1::line2b1QualifiedToBeneficiaries, "2,000");
    AddForm8949Page(r, ftForm8949D, {{"Birch Inc", "02/02/2012", "07/07/2016", "31,130", "20,000", "", ""}});
    r.Set(f1::line12FiduciaryFees, "1,000");
    r.Set(f2::scheduleBLine10Other, "9,000");
    AddBeneficiaries(r, {0.6, 0.4});
}

// An estate distributes 2,000 out of a distributable net income of 12,422 (interest 11,800,
// dividends 1,250 with 752 qualified, fees 628) and keeps the rest. Line 18 2,000; the
// beneficiary's part of the qualified dividends is 752 x 2,000 / 12,422 = 121 (line 2b(1)).
// At 100% the K-1 would carry all 12,422; it carries line 18 instead: interest 11,172 x
// 2,000 / 12,422 = 1,798.74, dividends 1,250 x 2,000 / 12,422 = 201.26. At the beneficiary's
// 16.10% share of distributable net income (1,999.94, within line 18) the percentage stands:
// 1,798.69 and 201.25. Either way box 2b takes all of line 2b(1), 121.
void EstateKeepingPartOfDni(ReturnFixture& r, double share)
{
    r.Set(f1::itemADecedentsEstate, "X");
    AddContinuationPage(r, ftInterest, {"11,800"});
    AddContinuationPage(r, ftDividend, {"1,250"});
    r.Set(f1::line2b1QualifiedToBeneficiaries, "121");
    r.Set(f1::line2b2QualifiedToEstate, "631");
    r.Set(f1::line12FiduciaryFees, "628");
    r.Set(f2::scheduleBLine10Other, "2,000");
    AddBeneficiaries(r, {share});
}

// Unequal percentages and gains that go to the beneficiaries: interest 10,000, dividends 6,000
// (4,000 qualified), a short-term gain of 2,000 and a long-term gain of 8,000 both shown in
// Schedule D column (1), fees 2,600, 30,000 distributed. Distributable net income 26,000 -
// 2,600 = 23,400 = line 18. The 20,000 of other income covers the fees: interest bears 1,300
// (8,700), the short-term gain 260 (1,740), the long-term gain 1,040 (6,960).
// At 50/30/20%: box 1 4,350 / 2,610 / 1,740; box 2a 3,000 / 1,800 / 1,200; box 2b 2,000 /
// 1,200 / 800; box 3 870 / 522 / 348; box 4a 3,480 / 2,088 / 1,392.
void GainsToThreeBeneficiaries(ReturnFixture& r, double)
{
    r.Set(f1::itemAComplexTrust, "X");
    AddContinuationPage(r, ftInterest, {"10,000"});
    AddContinuationPage(r, ftDividend, {"6,000"});
    r.Set(f1::line2b1QualifiedToBeneficiaries, "4,000");
    AddForm8949Page(r, ftForm8949A, {{"Cedar Ltd", "01/10/2016", "09/10/2016", "5,000", "3,000", "", ""}});
    AddForm8949Page(r, ftForm8949D, {{"Dogwood plc", "03/03/2011", "10/10/2016", "18,000", "10,000", "", ""}});
    r.Set(d2::line17Beneficiaries, "2,000");
    r.Set(d2::line18aBeneficiaries, "8,000");
    r.Set(f1::line12FiduciaryFees, "2,600");
    r.Set(f2::scheduleBLine10Other, "30,000");
    AddBeneficiaries(r, {0.5, 0.3, 0.2});
}

// A capital loss of 5,000 (3,000 allowed on line 4) beside interest 9,000, dividends 1,000 (all
// qualified) and fees 1,000; 10,000 distributed. Distributable net income adds the line 4 loss
// back: 7,000 - 1,000 + 3,000 = 9,000 = line 18. The loss bears no fees: box 1 8,000, box 2a
// 1,000, box 2b 1,000.
void CapitalLossBesideIncome(ReturnFixture& r, double)
{
    r.Set(f1::itemAComplexTrust, "X");
    AddContinuationPage(r, ftInterest, {"9,000"});
    AddContinuationPage(r, ftDividend, {"1,000"});
    r.Set(f1::line2b1QualifiedToBeneficiaries, "1,000");
    AddForm8949Page(r, ftForm8949D, {{"Elm Corp", "04/04/2012", "08/08/2016", "5,000", "10,000", "", ""}});
    r.Set(f1::line12FiduciaryFees, "1,000");
    r.Set(f2::scheduleBLine10Other, "10,000");
    AddBeneficiaries(r, {1.0});
}

// The final year of an estate: interest 6,000, fees 1,500, a short-term loss of 2,000 and a
// long-term loss of 6,000, both the beneficiaries' (column (1)). Line 4 -3,000; distributable
// net income 3,000 - 1,500 + 3,000 = 4,500 = line 18. At 60/40%: box 1 2,700 / 1,800; box 11
// B -1,200 / -800 and C -3,600 / -2,400.
void FinalYearWithCarryovers(ReturnFixture& r, double)
{
    r.Set(f1::itemADecedentsEstate, "X");
    r.Set(f1::itemFFinalReturn, "X");
    AddContinuationPage(r, ftInterest, {"6,000"});
    AddForm8949Page(r, ftForm8949A, {{"Fir Inc", "02/02/2016", "05/05/2016", "1,000", "3,000", "", ""}});
    AddForm8949Page(r, ftForm8949D, {{"Ginkgo Co", "03/03/2010", "06/06/2016", "4,000", "10,000", "", ""}});
    r.Set(d2::line17Beneficiaries, "-2,000");
    r.Set(d2::line18aBeneficiaries, "-6,000");
    r.Set(f1::line12FiduciaryFees, "1,500");
    r.Set(f2::scheduleBLine10Other, "50,000");
    AddBeneficiaries(r, {0.6, 0.4});
}

// The help's tutorial: a complex trust with interest 2,000, fiduciary fees 500 and attorney fees
// 300 pays its beneficiary 1,000 of its 1,200 of distributable net income. The beneficiary is
// given 100%, yet the K-1 carries line 18, 1,000, not 1,200.
void HelpTutorialTrust(ReturnFixture& r, double)
{
    r.Set(f1::itemAComplexTrust, "X");
    AddContinuationPage(r, ftInterest, {"1,200", "800"});
    r.Set(f1::line12FiduciaryFees, "500");
    r.Set(f1::line14ProfessionalFees, "300");
    r.Set(f2::scheduleBLine10Other, "1,000");
    AddBeneficiaries(r, {1.0});
}

struct Box {
    int k;
    SlotRef box;
    const char* text;
};

struct K1Case {
    const char* name;
    void (*build)(ReturnFixture&, double);
    double share;  // for the returns of one beneficiary
    const char* line18;
    std::vector<Box> boxes;
};

// name | return | share | line 18 | K-1 boxes worked by hand (see each return above)
const K1Case kCases[] = {
    {"SimpleTrustGainToCorpus", SimpleTrustGainToCorpus, 1.0, "30,300",
     {{0, k1::box1Interest, "18,300"}, {0, k1::box2aOrdinaryDividends, "12,000"},
     {0, k1::box2bQualifiedDividends, "8,000"}, {0, k1::box4aLongTermGain, "0"}}},
    {"ComplexTrustDistributingMoreThanDni", ComplexTrustDistributingMoreThanDni, 0, "7,300",
     {{0, k1::box1Interest, "2,400"}, {0, k1::box2aOrdinaryDividends, "1,980"},
     {0, k1::box2bQualifiedDividends, "1,200"}, {0, k1::box4aLongTermGain, "0"},
      {1, k1::box1Interest, "1,600"}, {1, k1::box2aOrdinaryDividends, "1,320"}, {1, k1::box2bQualifiedDividends, "800"},
      {1, k1::box4aLongTermGain, "0"}}},
    {"EstateKeepingPartOfDniSoleBeneficiaryAtFullShare", EstateKeepingPartOfDni, 1.0, "2,000",
     {{0, k1::box1Interest, "1,799"}, {0, k1::box2aOrdinaryDividends, "201"}, {0, k1::box2bQualifiedDividends, "121"}}},
    {"EstateKeepingPartOfDniShareOfDni", EstateKeepingPartOfDni, 0.161, "2,000",
     {{0, k1::box1Interest, "1,799"}, {0, k1::box2aOrdinaryDividends, "201"}, {0, k1::box2bQualifiedDividends, "121"}}},
    {"GainsToThreeBeneficiaries", GainsToThreeBeneficiaries, 0, "23,400",
     {{0, k1::box1Interest, "4,350"}, {0, k1::box2aOrdinaryDividends, "3,000"},
     {0, k1::box2bQualifiedDividends, "2,000"}, {0, k1::box3ShortTermGain, "870"}, {0, k1::box4aLongTermGain, "3,480"},
      {1, k1::box1Interest, "2,610"}, {1, k1::box2aOrdinaryDividends, "1,800"},
      {1, k1::box2bQualifiedDividends, "1,200"}, {1, k1::box3ShortTermGain, "522"}, {1, k1::box4aLongTermGain, "2,088"},
      {2, k1::box1Interest, "1,740"}, {2, k1::box2aOrdinaryDividends, "1,200"}, {2, k1::box2bQualifiedDividends, "800"},
      {2, k1::box3ShortTermGain, "348"}, {2, k1::box4aLongTermGain, "1,392"}}},
    {"CapitalLossBesideIncome", CapitalLossBesideIncome, 0, "9,000",
     {{0, k1::box1Interest, "8,000"}, {0, k1::box2aOrdinaryDividends, "1,000"},
     {0, k1::box2bQualifiedDividends, "1,000"}}},
    {"FinalYearWithCarryovers", FinalYearWithCarryovers, 0, "4,500",
     {{0, k1::box1Interest, "2,700"}, {0, k1::box11Amount1, "-1,200"}, {0, k1::box11Amount2, "-3,600"},
      {1, k1::box1Interest, "1,800"}, {1, k1::box11Amount1, "-800"}, {1, k1::box11Amount2, "-2,400"}}},
    {"HelpTutorialTrust", HelpTutorialTrust, 0, "1,000", {{0, k1::box1Interest, "1,000"},
    {0, k1::box2aOrdinaryDividends, "0"}}},
};

double Amount(const ReturnFixture& r, SlotRef field, int k = 0)
{
    return Str2Float_0(r.Get(field, k));
}

class K1Agreement : public testing::TestWithParam<K1Case> {};

TEST_P(K1Agreement, BoxesAsWorkedByHand)
{
    const K1Case& c = GetParam();
    ReturnFixture r;
    c.build(r, c.share);
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(f1::line18Distribution), c.line18);
    for (const Box& box : c.boxes)
        EXPECT_EQ(r.Get(box.box, box.k), box.text) << "K-1 " << box.k << " slot " << box.box.slot;
}

// Boxes 1, 2a, 3 and 4a of all K-1s add up to line 18 (a dollar a box for rounding); boxes 2b
// add up to line 2b(1) and none exceeds its box 2a.
TEST_P(K1Agreement, K1sTogetherCarryLine18AndLine2b1)
{
    const K1Case& c = GetParam();
    ReturnFixture r;
    c.build(r, c.share);
    ASSERT_TRUE(r.Settle());
    const int count = r.Store().NoOfSchedK;
    double carried = 0;
    double qualified = 0;
    for (int k = 0; k < count; ++k) {
        for (SlotRef box : {k1::box1Interest, k1::box2aOrdinaryDividends, k1::box3ShortTermGain, k1::box4aLongTermGain})
            carried += Amount(r, box, k);
        qualified += Amount(r, k1::box2bQualifiedDividends, k);
        EXPECT_LE(Amount(r, k1::box2bQualifiedDividends, k), Amount(r, k1::box2aOrdinaryDividends, k)) << "K-1 " << k;
    }
    EXPECT_LE(std::fabs(carried - Amount(r, f1::line18Distribution)), 4.0 * count);
    EXPECT_LE(std::fabs(qualified - Amount(r, f1::line2b1QualifiedToBeneficiaries)), 1.0 * count);
}

INSTANTIATE_TEST_SUITE_P(Returns, K1Agreement, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Percentages that add up to more than 100% never hand out more than line 18: every K-1 is
// brought down in proportion (7,300 shared 75 : 50 by the trust above at 75% and 50%).
TEST(K1Agreement, PercentagesAboveTheWholeAreBroughtDownToLine18)
{
    ReturnFixture r;
    ComplexTrustDistributingMoreThanDni(r, 0);
    r.Store().BeneficiaryInterest[0] = 0.75;
    r.Store().BeneficiaryInterest[1] = 0.5;
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(k1::box1Interest), "2,400");   // 4,000 x 0.75 x 7,300 / 9,125
    EXPECT_EQ(r.Get(k1::box1Interest, 1), "1,600");
    EXPECT_EQ(r.Get(k1::box2aOrdinaryDividends), "1,980");
    EXPECT_EQ(r.Get(k1::box2bQualifiedDividends), "1,200");  // 2,000 x 0.75 / 1.25
}

}  // namespace
}  // namespace quorvan
