#include "support/Engine3Returns.h"

#include "support/Engine2Returns.h"
#include "slot/EstimatedWorksheet.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/Form1041QFT.h"
#include "slot/Form1041T.h"
#include "slot/MaxCapGainsWorksheet.h"
#include "slot/ScheduleDPage2.h"
#include "slot/ScheduleIPage1.h"
#include "slot/CapitalLossCarryover.h"
#include "slot/EstimatedVouchers.h"
#include "slot/Form1041V.h"
#include "slot/Form8960.h"
#include "slot/ScheduleIPage2.h"
#include "slot/ScheduleIPage3.h"
#include "slot/ScheduleK1.h"

namespace quorvan::test::engine3 {

namespace {

namespace cl = quorvan::slot::capitalLossCarryover;
namespace d2 = quorvan::slot::scheduleDPage2;
namespace es = quorvan::slot::estimatedWorksheet;
namespace f1 = quorvan::slot::form1041Page1;
namespace f1041t = quorvan::slot::form1041T;
namespace f1041v = quorvan::slot::form1041V;
namespace f2 = quorvan::slot::form1041Page2;
namespace f8960 = quorvan::slot::form8960;
namespace i1 = quorvan::slot::scheduleIPage1;
namespace i2 = quorvan::slot::scheduleIPage2;
namespace i3 = quorvan::slot::scheduleIPage3;
namespace k1 = quorvan::slot::scheduleK1;
namespace mcg = quorvan::slot::maxCapGainsWorksheet;
namespace qft = quorvan::slot::form1041QFT;
namespace vo = quorvan::slot::estimatedVouchers;

using engine2::AddContinuationPage;
using engine2::AddForm8949Page;

// The K-1 answers "Not applicable, I'll enter my own K-1 values" hands to the preparer.
constexpr SlotRef kK1ComputedSlots[] = {
    k1::box1Interest,     k1::box2aOrdinaryDividends, k1::box2bQualifiedDividends, k1::box3ShortTermGain,
    k1::box4aLongTermGain, k1::box4b28RateGain,       k1::box4cUnrecaptured1250,   k1::box11Amount1,
    k1::box11Amount2,     k1::box12Amount1,           k1::box12Amount2,            k1::box11Code1,
    k1::box11Code2,       k1::box12Code1,             k1::box12Code2,              k1::box11ExcessDeductions,
    k1::box11ExcessDeductionsCode,
};

void Heading(ReturnFixture& r, const std::string& name, const std::string& fiduciary, const std::string& ein)
{
    r.Set(f1::taxYearBeginning, "01/01/2016");
    r.Set(f1::taxYearEnding, "12/31/2016");
    r.Set(f1::nameOfEstateOrTrust, name);
    r.Set(f1::nameAndTitleOfFiduciary, fiduciary);
    r.Set(f1::fiduciaryStreet, "12 Elm Street");
    r.Set(f1::fiduciaryCity, "Dayton, OH 45402");
    r.Set(f1::itemCEin, ein);
}

void AddBeneficiary(ReturnFixture& r, double share)
{
    r.Store().BeneficiaryInterest[static_cast<size_t>(r.Store().NoOfSchedK++)] = share;
}

// A beneficiary whose K-1 the preparer fills in: the share stays "Not applicable" (-1) and every
// computed amount and code is overridden with what was typed (empty where nothing was).
void AddTypedBeneficiary(ReturnFixture& r, const std::vector<std::pair<SlotRef, std::string>>& typed)
{
    const int k = r.Store().NoOfSchedK++;
    r.Store().BeneficiaryInterest[static_cast<size_t>(k)] = -1.0;
    for (SlotRef box : kK1ComputedSlots)
        r.Override(box, k, "");
    for (const auto& [box, text] : typed)
        r.Override(box, k, text);
}

// The K-1 boxes of one beneficiary: 1, 2a, 2b, 3, 4a and box 12 (code A with its amount, or no
// code and "0"; these returns have no part of it by class, so the second pair stays empty).
void AddK1Lines(std::vector<Line>& lines, int k, const std::string& interest, const std::string& ordinary,
                const std::string& qualified, const std::string& box12)
{
    lines.push_back({k1::box1Interest, interest, k});
    lines.push_back({k1::box2aOrdinaryDividends, ordinary, k});
    lines.push_back({k1::box2bQualifiedDividends, qualified, k});
    lines.push_back({k1::box3ShortTermGain, "0", k});
    lines.push_back({k1::box4aLongTermGain, "0", k});
    lines.push_back({k1::box4b28RateGain, "0", k});
    lines.push_back({k1::box4cUnrecaptured1250, "0", k});
    const bool adjustment = box12 != "0";
    lines.push_back({k1::box12Code1, adjustment ? "A" : "", k});
    lines.push_back({k1::box12Amount1, box12, k});
    lines.push_back({k1::box12Code2, "", k});
    lines.push_back({k1::box12Amount2, "0", k});
}

// Estate of Ada Brennan: interest 12,000, dividends 8,000 of which 5,000 qualified and passed to
// the beneficiaries, rents 10,000 and a long-term gain of 6,000 (box D) that the estate keeps;
// taxes 1,000, executor's fees 3,000, attorney fees 2,000; 24,000 required to be distributed.
//   Line 9 36,000, line 16 6,000, line 17 30,000; distributable net income 30,000 - 6,000 =
//   24,000 = line 18; exemption 600; taxable income 5,400. Schedule D Part V: 0% on 2,550 and
//   15% on 2,850 = 428 (the rate schedule would take 1,095).
//   Schedule I: taxes added back, line 25 31,000; line 35 the 6,000 gain of line 4, so DNAMTI
//   (line 37) 25,000; line 44 the smaller of the 24,000 distributed and 25,000: 24,000, as
//   Schedule B line 15; line 29 31,000 - 24,000 = 7,000, no tax.
//   K-1s at 50/30/20%: distributable base 36,000 - 6,000 - 6,000 (gain kept) = 24,000. The deductions are charged against the income in distributable
//   net income only, never against the gain the estate keeps: the other income there (interest
//   and rents, 22,000) covers them, so the dividends stay whole and interest bears
//   6,000 x 12/22 = 3,272.73, leaving 8,727.27: box 1 4,364 / 2,618 / 1,745; box 2a 4,000 /
//   2,400 / 1,600; box 2b 2,500 / 1,500 / 1,000; box 12 empty (line 44 = line 15). Interest,
//   dividends and the rents' 7,272.73 add up to line 18's 24,000. A fourth beneficiary (a
//   specific bequest) has typed figures.
//   Payments: 600 estimated, 300 of it allocated to beneficiaries on Form 1041-T: line 24c 300,
//   tax due 128, on Form 1041-V.
//   Form 1041-ES (2017 schedule): taxable 29,400, tax 3,232.50 + 39.6% x 16,900 = 9,925; the
//   required payment is this year's 428, installments 107.
void EstateWithFourBeneficiaries(ReturnFixture& r)
{
    Heading(r, "Estate of Ada Brennan", "Hal Brennan, Executor", "36-1234567");
    r.Set(f1::itemADecedentsEstate, "X");
    AddContinuationPage(r, ftInterest, {"12,000"});
    AddContinuationPage(r, ftDividend, {"8,000"});
    r.Set(f1::line2b1QualifiedToBeneficiaries, "5,000");
    r.Set(f1::line5Rents, "10,000");
    AddForm8949Page(r, ftForm8949D, {{"400 sh Juniper Co", "03/02/2014", "08/15/2016", "26,000", "20,000", "", ""}});
    r.Set(f1::line11Taxes, "1,000");
    r.Set(f1::line12FiduciaryFees, "3,000");
    r.Set(f1::line14ProfessionalFees, "2,000");
    r.Set(f2::scheduleBLine9Required, "24,000");
    r.Set(f1::line24aEstimated, "600");
    r.Set(f1041t::beneficiaries::Slot(0, f1041t::beneficiaries::amount), "200");
    r.Set(f1041t::beneficiaries::Slot(0, f1041t::beneficiaries::percentage), "50");
    r.Set(f1041t::beneficiaries::Slot(1, f1041t::beneficiaries::amount), "100");
    r.Set(f1041t::beneficiaries::Slot(1, f1041t::beneficiaries::percentage), "50");
    AddBeneficiary(r, 0.5);
    AddBeneficiary(r, 0.3);
    AddBeneficiary(r, 0.2);
    AddTypedBeneficiary(r, {{k1::box1Interest, "900"}, {k1::box2aOrdinaryDividends, "300"},
    {k1::box2bQualifiedDividends, "100"}});
}

std::vector<Line> EstateWithFourBeneficiariesLines()
{
    std::vector<Line> lines = {
        {f1::itemBSchedulesK1, "4"}, {f1::line4CapitalGain, "6,000"}, {f1::line9TotalIncome, "36,000"},
        {f1::line16Total, "6,000"}, {f1::line17Adjusted, "30,000"},
        {f1::line18Distribution, "24,000"}, {f1::line20Exemption, "600"}, {f1::line22Taxable, "5,400"},
        {f1::line23TotalTax, "428"}, {f1::line24bToBeneficiaries, "300"},
        {f1::line24c, "300"}, {f1::line25Payments, "300"}, {f1::line27TaxDue, "128"}, {f1::line28Overpayment, ""},
        {f2::scheduleBLine7Dni, "24,000"}, {f2::scheduleBLine15Deduction, "24,000"}, {f2::scheduleGLine1aTax, "428"},
        {f2::scheduleGLine1cAmt, ""}, {f2::scheduleGLine7TotalTax, "428"},
        {d2::line26, "6,000"}, {d2::line45, "428"},
        {i1::line1, "30,000"}, {i1::line3, "1,000"}, {i1::line25, "31,000"}, {i1::line37, "25,000"},
        {i1::line40, "24,000"},
        {i2::line43, "25,000"}, {i2::line44, "24,000"}, {i1::line26, "24,000"}, {i1::line29, "7,000"},
        {i2::line51, ""}, {i2::line52, ""}, {i2::line56, ""}, {i2::line64, "2,550"}, {i3::line85, ""},
        {k1::itemAEin, "36-1234567", 0}, {k1::itemBName, "Estate of Ada Brennan", 2},
        {k1::itemCLine3, "Dayton, OH 45402", 3},
        {k1::box1Interest, "900", 3}, {k1::box2aOrdinaryDividends, "300", 3}, {k1::box2bQualifiedDividends, "100", 3},
        {k1::box12Amount1, "", 3},
        {f1041t::line4TotalAllocated, "300"}, {f1041t::line1Allocated, "300"},
        {f1041v::ein, "36-1234567"}, {f1041v::payment, "128"}, {f1041v::address, "12 Elm Street"},
        {es::line1AdjustedIncome, "30,000"}, {es::line4Exemption, "600"}, {es::line6Taxable, "29,400"},
        {es::line7Tax, "9,925"}, {es::line13Tentative, "9,925"},
        {es::line14a, "8,933"}, {es::line14bCurrentTax, "428"}, {es::line14cRequired, "428"}, {es::line16, "428"},
        {es::line17Installment, "107"},
        {mcg::line40, ""}, {vo::voucher1Amount, "107"}, {vo::voucher4Amount, "107"},
    };
    AddK1Lines(lines, 0, "4,364", "4,000", "2,500", "0");
    AddK1Lines(lines, 1, "2,618", "2,400", "1,500", "0");
    AddK1Lines(lines, 2, "1,745", "1,600", "1,000", "0");
    return lines;
}

// Hollis Trust, a complex trust accumulating its income: interest 125,100 of which 30,000 is
// from private activity bonds, state taxes 90,000, trustee fees 5,000.
//   Line 17 30,100, taxable income 30,000: tax 3,206 + 39.6% x 17,600 = 10,176.
//   Schedule I: 30,100 + 90,000 taxes + 30,000 bond interest = line 25 and line 29 150,100.
//   Exemption 23,900 - 25% x 70,250 (17,563) = 6,337; line 51 143,763 x 26% = 37,378 (below
//   the 186,300 breakpoint); less the regular tax 10,176: alternative minimum tax 27,202.
//   Form 8960: the interest less the taxes and fees it bears, 30,100, is kept; adjusted gross
//   income 125,100 - 5,000 - 100 = 120,000 (taxes are no cost of administration), 107,600 above
//   12,400: tax 3.8% x 30,100 = 1,144.
//   Total tax 38,522 against 40,000 paid; the 1,478 overpaid goes to 2017's estimated tax.
//   Form 1041-ES without the capital gains worksheet: 2017 tax on 30,000 is 3,232.50 +
//   39.6% x 17,500 = 10,162.50 plus a hair (39.6% is not exact in binary), 10,163; with 27,000 of
//   expected minimum tax 37,163; 90% is 33,447, less than this year's 37,378; installments 8,362.
void TrustMinimumTaxBelowBreakpoint(ReturnFixture& r)
{
    Heading(r, "Hollis Trust", "Irene Hollis, Trustee", "45-2223334");
    r.Set(f1::itemAComplexTrust, "X");
    AddContinuationPage(r, ftInterest, {"95,100", "30,000"});
    r.Set(f1::line11Taxes, "90,000");
    r.Set(f1::line12FiduciaryFees, "5,000");
    r.Set(f2::scheduleBLine2TaxExemptInterest, "30,000");
    r.Set(i1::line8, "30,000");   // Schedule I line 8, private activity bond interest
    r.Set(i1::line31, "30,000");  // line 31, adjusted tax-exempt interest
    r.Set(f1::line24aEstimated, "40,000");
    r.Set(f1::line29aCredited, "1,478");
    r.Set(es::line8, "27,000");
}

std::vector<Line> TrustMinimumTaxBelowBreakpointLines()
{
    return {
        {f1::line9TotalIncome, "125,100"}, {f1::line16Total, "95,000"}, {f1::line17Adjusted, "30,100"},
        {f1::line18Distribution, "0"}, {f1::line20Exemption, "100"},
        {f1::line22Taxable, "30,000"}, {f1::line23TotalTax, "38,522"}, {f1::line25Payments, "40,000"},
        {f1::line28Overpayment, "1,478"}, {f1::line29bRefunded, "0"},
        {f2::scheduleBLine7Dni, "60,100"}, {f2::scheduleBLine15Deduction, "0"}, {f2::scheduleGLine1aTax, "10,176"},
        {f2::scheduleGLine1cAmt, "27,202"}, {f2::scheduleGLine1dTotal, "37,378"},
        {f8960::line12NetInvestmentIncome, "30,100"}, {f8960::line19aAdjustedGrossIncome, "120,000"},
        {f8960::line21NetInvestmentIncomeTax, "1,144"}, {f2::scheduleGLine4NetInvestment, "1,144"},
        {f2::scheduleGLine7TotalTax, "38,522"}, {f2::otherInformationLine1Yes, "X"},
        {f2::otherInformationLine1Amount, "30,000"},
        {i1::line1, "30,100"}, {i1::line3, "90,000"}, {i1::line8, "30,000"}, {i1::line25, "150,100"},
        {i1::line30, "150,100"},
        {i1::line37, "180,100"}, {i1::line40, "0"}, {i2::line43, "150,100"}, {i2::line44, "0"}, {i1::line26, "0"},
        {i1::line28, "0"}, {i1::line29, "150,100"},
        {i2::line45, "23,900"}, {i2::line46, "150,100"}, {i2::line47, "79,850"}, {i2::line48, "70,250"},
        {i2::line49, "17,563"},
        {i2::line50, "6,337"}, {i2::line51, "143,763"}, {i2::line52, "37,378"}, {i2::line54, "37,378"},
        {i2::line55, "10,176"},
        {i2::line56, "27,202"}, {i2::line57, ""}, {i2::line64, "2,550"}, {i3::line70, ""}, {i3::line85, ""},
        {es::line1AdjustedIncome, "30,100"}, {es::line4Exemption, "100"}, {es::line6Taxable, "30,000"},
        {es::line7Tax, "10,163"}, {es::line9, "37,163"},
        {es::line11, "37,163"}, {es::line13Tentative, "37,163"}, {es::line14a, "33,447"},
        {es::line14bCurrentTax, "38,522"}, {es::line14cRequired, "33,447"},
        {es::line16, "33,447"}, {es::line17Installment, "8,362"}, {mcg::line40, ""}, {vo::voucher3Amount, "8,362"},
        {f1041v::payment, ""},
    };
}

// Ravel Trust, a complex trust accumulating its income: interest 250,000 (40,000 from private
// activity bonds), dividends 30,000 of which 20,000 qualified, a long-term gain of 50,000
// (box D); state taxes 200,000, trustee fees 10,000.
//   Line 9 330,000, line 17 120,000, taxable income 119,900. Schedule D Part V: the 70,000 of
//   gain and qualified dividends lie above the 15% layer, 20% = 14,000, plus tax(49,900) =
//   18,056: 32,056 (the rate schedule would take 45,776).
//   Schedule I: line 25 and line 29 120,000 + 200,000 + 40,000 = 360,000, above 186,300: no
//   exemption, line 51 360,000. Part IV: line 58 is Schedule D line 26, 70,000 (gain and
//   dividends); 290,000 at 28% - 3,726 = 77,474 and 70,000 at 20% = 14,000: line 85 and line 52
//   91,474 (below 360,000 x 28% - 3,726 = 97,074); less 32,056: alternative minimum tax 59,418.
//   Form 8960: income 330,000 less the taxes and fees it bears, 120,000, is kept; adjusted gross
//   income 330,000 - 10,000 - 100 = 319,900: tax 3.8% x 120,000 = 4,560.
//   Total tax 96,034 against 100,000 paid; the 3,966 overpaid goes to 2017's estimated tax.
//   Form 1041-ES with the capital gains worksheet (70,000 expected again): tax(49,900) on the
//   2017 schedule 18,043 + 20% x 70,000 = 32,043, below tax(119,900) = 45,763; with 59,000 of
//   expected minimum tax 91,043; 90% 81,939 below this year's 96,034; installments 20,485.
void TrustMinimumTaxWithGainsAboveBreakpoint(ReturnFixture& r)
{
    Heading(r, "Ravel Trust", "Paul Ravel, Trustee", "45-6667778");
    r.Set(f1::itemAComplexTrust, "X");
    AddContinuationPage(r, ftInterest, {"210,000", "40,000"});
    AddContinuationPage(r, ftDividend, {"30,000"});
    r.Set(f1::line2b2QualifiedToEstate, "20,000");
    AddForm8949Page(r, ftForm8949D, {{"2,000 sh Kestrel Corp", "01/05/2010", "09/30/2016", "150,000", "100,000", "", ""}});
    r.Set(f1::line11Taxes, "200,000");
    r.Set(f1::line12FiduciaryFees, "10,000");
    r.Set(f2::scheduleBLine2TaxExemptInterest, "40,000");
    r.Set(i1::line8, "40,000");
    r.Set(i1::line31, "40,000");
    r.Set(f1::line24aEstimated, "100,000");
    r.Set(f1::line29aCredited, "3,966");
    r.Set(es::line8, "59,000");
    r.Set(mcg::line2, "70,000");
}

std::vector<Line> TrustMinimumTaxWithGainsAboveBreakpointLines()
{
    std::vector<Line> lines = {
        {f1::line4CapitalGain, "50,000"}, {f1::line9TotalIncome, "330,000"}, {f1::line16Total, "210,000"},
        {f1::line17Adjusted, "120,000"},
        {f1::line18Distribution, "0"}, {f1::line22Taxable, "119,900"}, {f1::line23TotalTax, "96,034"},
        {f1::line28Overpayment, "3,966"}, {f1::line29bRefunded, "0"},
        {f2::scheduleBLine7Dni, "110,000"}, {f2::scheduleGLine1aTax, "32,056"}, {f2::scheduleGLine1cAmt, "59,418"},
        {f8960::line12NetInvestmentIncome, "120,000"}, {f8960::line19aAdjustedGrossIncome, "319,900"},
        {f2::scheduleGLine4NetInvestment, "4,560"}, {f2::scheduleGLine7TotalTax, "96,034"},
        {d2::line26, "70,000"}, {d2::line27, "49,900"}, {d2::line45, "32,056"},
        {i1::line25, "360,000"}, {i1::line29, "360,000"}, {i1::line37, "350,000"}, {i2::line44, "0"},
        {i2::line46, ""}, {i2::line48, ""}, {i2::line50, ""}, {i2::line51, "360,000"}, {i2::line52, "91,474"},
        {i2::line54, "91,474"},
        {i2::line55, "32,056"}, {i2::line56, "59,418"},
        {es::line6Taxable, "119,900"}, {es::line7Tax, "32,043"}, {es::line9, "91,043"}, {es::line13Tentative, "91,043"},
        {es::line14a, "81,939"}, {es::line14bCurrentTax, "96,034"}, {es::line14cRequired, "81,939"},
        {es::line17Installment, "20,485"},
        {mcg::line1, "119,900"}, {mcg::line11, "49,900"}, {mcg::line12, "18,043"}, {mcg::line13, ""},
        {mcg::line26, "70,000"},
        {mcg::line27, "14,000"}, {mcg::line28, ""}, {mcg::line38, "32,043"}, {mcg::line39, "45,763"},
        {mcg::line40, "32,043"},
    };
    // Part IV, lines 57 to 68 (side by side in the slots of page 2), line 69, and page 3, lines 70
    // to 85.
    const char* const partIV[] = {"360,000", "70,000", "0", "70,000", "70,000", "290,000", "77,474",
                                  "2,550", "49,900", "0", "70,000", "0"};
    for (int i = 0; i < 12; ++i)
        lines.push_back({ftScheduleIPage2, i2::line57.slot + i, partIV[i]});
    lines.push_back({i2::line69, "70,000"});
    const char* const page3[] = {"12,400", "0", "49,900", "49,900", "0", "0", "0", "0",
                                 "70,000", "14,000", "", "", "", "91,474", "97,074", "91,474"};
    for (int i = 0; i < 16; ++i)
        lines.push_back({ftScheduleIPage3, i3::line70.slot + i, page3[i]});
    return lines;
}

// Estate of Nora Quill, final return: interest 4,000, a short-term loss of 8,000 (box A) and a
// long-term loss of 5,000 (box D), attorney fees 1,000; everything distributed (100,000).
//   Line 4 takes 3,000 of the 13,000 loss; line 9 1,000, line 17 0; distributable net income
//   adds the loss back: 3,000 = line 18; taxable income -3,600, no tax. None of the loss is
//   absorbed, so 8,000 short-term and 5,000 long-term carry over; the preparer shows them as the
//   beneficiaries' (Schedule D column (1)).
//   K-1s at 60/40%: the loss on line 4 stays out of the bases, interest bears the 1,000 of fees:
//   box 1 1,800 / 1,200; box 11 B -4,800 / -3,200 and C -3,000 / -2,000; no box 12.
void FinalReturnPassingCarryovers(ReturnFixture& r)
{
    Heading(r, "Estate of Nora Quill", "Owen Quill, Executor", "36-9998887");
    r.Set(f1::itemADecedentsEstate, "X");
    r.Set(f1::itemFFinalReturn, "X");
    AddContinuationPage(r, ftInterest, {"4,000"});
    AddForm8949Page(r, ftForm8949A, {{"300 sh Larch Inc", "02/10/2016", "07/01/2016", "2,000", "10,000", "", ""}});
    AddForm8949Page(r, ftForm8949D, {{"150 sh Maple Corp", "05/05/2012", "11/01/2016", "15,000", "20,000", "", ""}});
    r.Set(f1::line14ProfessionalFees, "1,000");
    r.Set(f2::scheduleBLine10Other, "100,000");
    r.Set(d2::line17Beneficiaries, "-8,000");
    r.Set(d2::line18aBeneficiaries, "-5,000");
    AddBeneficiary(r, 0.6);
    AddBeneficiary(r, 0.4);
}

std::vector<Line> FinalReturnPassingCarryoversLines()
{
    std::vector<Line> lines = {
        {d2::line19Total, "-13,000"}, {d2::line20Limitation, "-3,000"}, {f1::line4CapitalGain, "-3,000"},
        {f1::line9TotalIncome, "1,000"},
        {f1::line17Adjusted, "0"}, {f2::scheduleBLine7Dni, "3,000"}, {f2::scheduleBLine15Deduction, "3,000"},
        {f1::line18Distribution, "3,000"}, {f1::line22Taxable, "-3,600"},
        {f2::scheduleGLine1aTax, "0"}, {f1::line23TotalTax, "0"}, {cl::line9, "8,000"}, {cl::line14, "5,000"},
        {i1::line25, "0"}, {i1::line29, "0"}, {i2::line56, ""},
        {k1::itemEFinal, "X", 0}, {k1::itemEFinal, "X", 1},
        {k1::box11Code1, "B", 0}, {k1::box11Amount1, "-4,800", 0}, {k1::box11Code2, "C", 0},
        {k1::box11Amount2, "-3,000", 0},
        {k1::box11Code1, "B", 1}, {k1::box11Amount1, "-3,200", 1}, {k1::box11Code2, "C", 1},
        {k1::box11Amount2, "-2,000", 1},
    };
    AddK1Lines(lines, 0, "1,800", "0", "0", "0");
    AddK1Lines(lines, 1, "1,200", "0", "0", "0");
    return lines;
}

// Estate of Carl Dunmore, first year from June 10 to December 31, 2016 (204 days, seven started
// months): interest 20,000, state taxes 4,000, attorney fees 2,000, 14,000 distributed to the
// one beneficiary. Taxable income -600. Schedule I adds the taxes back: 18,000, less the
// 14,000 distributed, 4,000. The K-1 shows the year's actual figures, not annualised: box 1
// 14,000. Box 12 stays empty: the 14,000 distributed (line 42) caps the minimum tax distribution
// deduction, so line 44 is 14,000 as Schedule B line 15 is, and the 4,000 stays with the estate.
void ShortYearEstate(ReturnFixture& r)
{
    Heading(r, "Estate of Carl Dunmore", "Lena Dunmore, Executor", "36-5554443");
    r.Set(f1::taxYearBeginning, "06/10/2016");
    r.Set(f1::itemADecedentsEstate, "X");
    AddContinuationPage(r, ftInterest, {"20,000"});
    r.Set(f1::line11Taxes, "4,000");
    r.Set(f1::line14ProfessionalFees, "2,000");
    r.Set(f2::scheduleBLine10Other, "14,000");
    AddBeneficiary(r, 1.0);
}

std::vector<Line> ShortYearEstateLines()
{
    std::vector<Line> lines = {
        {f1::line17Adjusted, "14,000"}, {f2::scheduleBLine15Deduction, "14,000"}, {f1::line18Distribution, "14,000"},
        {f1::line20Exemption, "600"},
        {f1::line22Taxable, "-600"}, {f2::scheduleGLine1aTax, "0"}, {i1::line25, "18,000"}, {i2::line44, "14,000"},
        {i1::line29, "4,000"},
        {k1::taxYearBeginning, "06/10/2016", 0}, {k1::taxYearEnding, "12/31/2016", 0},
        {es::line6Taxable, "13,400"}, {es::line7Tax, "3,589"}, {es::line14cRequired, "0"}, {es::line17Installment, "0"},
    };
    AddK1Lines(lines, 0, "14,000", "0", "0", "0");
    return lines;
}

// Evergreen Funeral Trust files Form 1041-QFT: interest 3,000, dividends 800, taxes 100,
// trustee fees 600; taxable 3,100, tax 382.50 + 25% x 550 = 520, nothing paid, so Form 1041-V
// carries the 520. Part I repeats Form 1041's identification.
void FuneralTrust(ReturnFixture& r)
{
    r.Set(f1::nameOfEstateOrTrust, "Evergreen Funeral Trust");
    r.Set(f1::nameAndTitleOfFiduciary, "Lakeside Funeral Home, Trustee");
    r.Set(f1::itemCEin, "26-4445556");
    r.Set(f1::fiduciarySignatureDate, "Ruth Alder");
    r.Set(f1::preparerDate, "03/01/2017");
    r.Set(qft::line1a, "3,000");
    r.Set(qft::line2a, "800");
    r.Set(qft::line6, "100");
    r.Set(qft::line7, "600");
}

std::vector<Line> FuneralTrustLines()
{
    return {
        {qft::line5TotalIncome, "3,800"}, {qft::line11TotalDeductions, "700"}, {qft::line12Taxable, "3,100"},
        {qft::line13Tax, "520"}, {qft::line15, "520"},
        {qft::line19TaxDue, "520"}, {qft::line20Overpayment, ""}, {qft::line21bRefunded, ""},
        {qft::line17TotalTax, "520"}, {qft::trusteeDate, "Ruth Alder"},
        {qft::preparerDate, "03/01/2017"}, {f1::line23TotalTax, "0"}, {f1041v::payment, "520"},
        {f1041v::name, "Evergreen Funeral Trust"}, {qft::nameOfTrust, "Evergreen Funeral Trust"},
        {qft::trusteeName, "Lakeside Funeral Home, Trustee"}, {qft::ein, "26-4445556"},
        {es::line17Installment, ""},
    };
}

std::vector<HandWorkedReturn> MakeReturns()
{
    return {
        {"EstateWithFourBeneficiaries", "engine3-estate-four-beneficiaries", EstateWithFourBeneficiaries,
         EstateWithFourBeneficiariesLines()},
        {"TrustMinimumTaxBelowBreakpoint", "engine3-trust-amt-below-breakpoint", TrustMinimumTaxBelowBreakpoint,
         TrustMinimumTaxBelowBreakpointLines()},
        {"TrustMinimumTaxWithGainsAboveBreakpoint", "engine3-trust-amt-gains-above-breakpoint",
         TrustMinimumTaxWithGainsAboveBreakpoint, TrustMinimumTaxWithGainsAboveBreakpointLines()},
        {"FinalReturnPassingCarryovers", "engine3-final-return-carryovers", FinalReturnPassingCarryovers,
         FinalReturnPassingCarryoversLines()},
        {"ShortYearEstate", "engine3-short-year-estate", ShortYearEstate, ShortYearEstateLines()},
        {"FuneralTrust", "engine3-funeral-trust", FuneralTrust, FuneralTrustLines()},
    };
}

}  // namespace

const std::vector<HandWorkedReturn>& HandWorkedReturns()
{
    static const std::vector<HandWorkedReturn> returns = MakeReturns();
    return returns;
}

bool ComparedFormType(int formType)
{
    switch (formType) {
    case ftScheduleIPage1: case ftScheduleIPage2: case ftScheduleIPage3: case ftScheduleJPage1:
    case ftScheduleJPage2: case ftScheduleK1: case ftForm1041APage1: case ftForm1041APage2:
    case ftEstimatedWorksheet: case ftEstimatedVouchers: case ftMaxCapGainsWorksheet:
    case ftForm1041QFT: case ftForm1041T: case ftForm1041V:
        return true;
    default:
        return false;
    }
}

}  // namespace quorvan::test::engine3
