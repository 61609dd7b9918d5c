// Whole returns that finish what a fileable return needs: K-1 box 2b net of the deductions the
// dividends bear, the line 2b split from the qualified dividends listed, excess deductions on a
// final return, a funeral trust's forms, the 2017 vouchers and a disability trust's exemption.
// Each is settled through the driver and checked against the figures worked by hand.

#include "print/FormSelect.h"
#include "review/Review.h"
#include "support/Engine2Returns.h"
#include "slot/Dividend.h"
#include "slot/EstimatedVouchers.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/Form1041QFT.h"
#include "slot/Form1041V.h"
#include "slot/ScheduleK1.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace quorvan {
namespace {

namespace dividend = quorvan::slot::dividend;
namespace f1 = quorvan::slot::form1041Page1;
namespace f1041v = quorvan::slot::form1041V;
namespace f2 = quorvan::slot::form1041Page2;
namespace k1 = quorvan::slot::scheduleK1;
namespace qft = quorvan::slot::form1041QFT;
namespace vo = quorvan::slot::estimatedVouchers;

using test::ReturnFixture;
using test::engine2::AddContinuationPage;
using test::engine2::Line;

void Heading(ReturnFixture& r, const std::string& name, const std::string& ein)
{
    r.Set(f1::taxYearBeginning, "01/01/2016");
    r.Set(f1::taxYearEnding, "12/31/2016");
    r.Set(f1::nameOfEstateOrTrust, name);
    r.Set(f1::nameAndTitleOfFiduciary, "Mira Holt, Trustee");
    r.Set(f1::fiduciaryStreet, "8 Quarry Lane");
    r.Set(f1::fiduciaryCity, "Barre, VT 05641");
    r.Set(f1::itemCEin, ein);
}

void AddBeneficiary(ReturnFixture& r, double share)
{
    r.Store().BeneficiaryInterest[static_cast<size_t>(r.Store().NoOfSchedK++)] = share;
}

// A dividend page with one payer and the qualified part of its dividends.
void AddDividendPayer(ReturnFixture& r, const std::string& ordinary, const std::string& qualified)
{
    AddContinuationPage(r, ftDividend, {ordinary});
    r.Set(dividend::entries::Slot(0, dividend::entries::qualified), qualified);
}

// Slate Trust, a complex trust living on dividends: interest 1,000, dividends 20,000 of which
// 15,000 qualified, taxes 500, fiduciary fees 3,000; 20,000 to be distributed to two
// beneficiaries at 50%.
//   Line 9 21,000, line 16 3,500, line 17 and DNI 17,500 = line 18; line 2b(1) 15,000 x 17,500 /
//   17,500 = 15,000. Exemption 100, taxable income -100, no tax.
//   The interest cannot carry the 3,500, so every item bears its part: the dividends
//   3,500 x 20/21 = 3,333.33, leaving 16,666.67; interest 1,000 - 166.67 = 833.33.
//   Each K-1: box 1 416.67 -> 417; box 2a 8,333.33 -> 8,333; box 2b 8,333.33 x 15,000 / 20,000 =
//   6,250 (not 7,500, line 2b(1)'s half capped at box 2a). Schedule I adds the 500 of taxes
//   back: box 12 250.
void DividendHeavyTrust(ReturnFixture& r)
{
    Heading(r, "Slate Trust", "03-1112223");
    r.Set(f1::itemAComplexTrust, "X");
    AddContinuationPage(r, ftInterest, {"1,000"});
    AddDividendPayer(r, "20,000", "15,000");
    r.Set(f1::line11Taxes, "500");
    r.Set(f1::line12FiduciaryFees, "3,000");
    r.Set(f2::scheduleBLine9Required, "20,000");
    AddBeneficiary(r, 0.5);
    AddBeneficiary(r, 0.5);
}

std::vector<Line> DividendHeavyTrustLines()
{
    std::vector<Line> lines = {
        {f1::line9TotalIncome, "21,000"}, {f1::line16Total, "3,500"}, {f1::line17Adjusted, "17,500"},
        {f2::scheduleBLine7Dni, "17,500"}, {f1::line18Distribution, "17,500"},
        {f1::line2b1QualifiedToBeneficiaries, "15,000"}, {f1::line2b2QualifiedToEstate, "0"},
        {dividend::qualifiedTotal, "15,000"}, {f1::line22Taxable, "-100"}, {f2::scheduleGLine1aTax, "0"},
    };
    for (int k = 0; k < 2; ++k) {
        lines.push_back({k1::box1Interest, "417", k});
        lines.push_back({k1::box2aOrdinaryDividends, "8,333", k});
        lines.push_back({k1::box2bQualifiedDividends, "6,250", k});
        lines.push_back({k1::box12Amount1, "250", k});
    }
    return lines;
}

// Fenwick Trust, a complex trust: interest 10,000, dividends 12,000 of which 8,000 qualified
// (two payers), fiduciary fees 2,000; it pays out 15,000 of its 20,000 of DNI to its one
// beneficiary.
//   Line 17 and DNI 20,000, line 18 15,000: line 2b(1) 8,000 x 15,000 / 20,000 = 6,000, line
//   2b(2) the other 2,000. Taxable income 20,000 - 15,000 - 100 = 4,900; the Qualified
//   Dividends Tax Worksheet taxes the 2,900 of ordinary income on the schedule (382.50 + 25% x
//   350 = 470) and the 2,000 at 15% (300): 770, below the 970 of the schedule.
//   The K-1 at 100% carries line 18: every box is brought down by 15,000 / 20,000. The interest
//   carries the fees, the dividends stay whole: box 1 8,000 x 0.75 = 6,000, box 2a 9,000, box
//   2b 9,000 x 8,000 / 12,000 = 6,000 = line 2b(1).
void QualifiedSplitPartOfDni(ReturnFixture& r)
{
    Heading(r, "Fenwick Trust", "03-4445556");
    r.Set(f1::itemAComplexTrust, "X");
    AddContinuationPage(r, ftInterest, {"10,000"});
    AddContinuationPage(r, ftDividend, {"7,000", "5,000"});
    r.Set(dividend::entries::Slot(0, dividend::entries::qualified), "6,000");
    r.Set(dividend::entries::Slot(1, dividend::entries::qualified), "2,000");
    r.Set(f1::line12FiduciaryFees, "2,000");
    r.Set(f2::scheduleBLine10Other, "15,000");
    AddBeneficiary(r, 1.0);
}

std::vector<Line> QualifiedSplitPartOfDniLines()
{
    return {
        {dividend::qualifiedTotal, "8,000"}, {f1::line17Adjusted, "20,000"}, {f2::scheduleBLine7Dni, "20,000"},
        {f1::line18Distribution, "15,000"}, {f1::line2b1QualifiedToBeneficiaries, "6,000"},
        {f1::line2b2QualifiedToEstate, "2,000"}, {f1::line22Taxable, "4,900"}, {f2::scheduleGLine1aTax, "770"},
        {k1::box1Interest, "6,000"}, {k1::box2aOrdinaryDividends, "9,000"}, {k1::box2bQualifiedDividends, "6,000"},
    };
}

// Estate of Iris Vane, final return: interest 4,000 against the last fiduciary fees of 3,000 and
// legal and accounting fees of 6,000; nothing left to distribute; beneficiaries at 60 and 40%.
//   Line 17 -5,000, no DNI, taxable income -5,600. The 9,000 of deductions exceed the 4,000 of
//   income by 5,000, which passes to the beneficiaries in box 11 code A: 3,000 and 2,000.
//   No income is left for boxes 1.
void FinalYearFeesAboveIncome(ReturnFixture& r)
{
    Heading(r, "Estate of Iris Vane", "03-7778889");
    r.Set(f1::itemADecedentsEstate, "X");
    r.Set(f1::itemFFinalReturn, "X");
    AddContinuationPage(r, ftInterest, {"4,000"});
    r.Set(f1::line12FiduciaryFees, "3,000");
    r.Set(f1::line14ProfessionalFees, "6,000");
    AddBeneficiary(r, 0.6);
    AddBeneficiary(r, 0.4);
}

std::vector<Line> FinalYearFeesAboveIncomeLines()
{
    return {
        {f1::line9TotalIncome, "4,000"}, {f1::line16Total, "9,000"}, {f1::line17Adjusted, "-5,000"},
        {f1::line18Distribution, "0"}, {f1::line22Taxable, "-5,600"},
        {k1::box11ExcessDeductionsCode, "A", 0}, {k1::box11ExcessDeductions, "3,000", 0},
        {k1::box11ExcessDeductionsCode, "A", 1}, {k1::box11ExcessDeductions, "2,000", 1},
        {k1::box11Code1, "", 0}, {k1::box1Interest, "0", 0}, {k1::itemEFinal, "X", 1},
    };
}

// Evergreen Funeral Trust files Form 1041-QFT: interest 3,000, dividends 800, taxes 100,
// trustee fees 600 for its 14 contracts; taxable 3,100, tax 382.50 + 25% x 550 = 520, nothing
// paid. Part I repeats Form 1041's identification; Form 1041-V carries the 520.
void FuneralTrust(ReturnFixture& r)
{
    Heading(r, "Evergreen Funeral Trust", "26-4445556");
    r.Set(f1::fiduciaryAddress2, "Suite 4");
    r.Set(qft::numberOfQfts, "14");
    r.Set(qft::line1a, "3,000");
    r.Set(qft::line2a, "800");
    r.Set(qft::line6, "100");
    r.Set(qft::line7, "600");
}

std::vector<Line> FuneralTrustLines()
{
    return {
        {qft::nameOfTrust, "Evergreen Funeral Trust"}, {qft::ein, "26-4445556"},
        {qft::trusteeName, "Mira Holt, Trustee"}, {qft::trusteeStreet, "8 Quarry Lane; Suite 4"},
        {qft::trusteeCity, "Barre, VT 05641"}, {qft::taxYearEnding, "12/31/2016"},
        {qft::line12Taxable, "3,100"}, {qft::line17TotalTax, "520"}, {qft::line19TaxDue, "520"},
        {f1::line27TaxDue, ""}, {f1041v::payment, "520"}, {f1041v::name, "Evergreen Funeral Trust"},
        {f1041v::address, "8 Quarry Lane; Suite 4"},
    };
}

// Estate of Owen Marsh on a fiscal year from 07/01/2016 to 06/30/2017: interest 61,000.
//   Taxable income 60,400. Form 1041-ES, 2017 schedule: 3,232.50 + 39.6% x 47,900 = 22,200.90,
//   22,201; 90% 19,981, below this year's 3,206 + 39.6% x 48,000 = 22,214; installments
//   19,981 / 4 = 4,995. The vouchers pay the fiscal year that ends 06/30/2018.
void FiscalYearVouchers(ReturnFixture& r)
{
    Heading(r, "Estate of Owen Marsh", "03-2223334");
    r.Set(f1::taxYearBeginning, "07/01/2016");
    r.Set(f1::taxYearEnding, "06/30/2017");
    r.Set(f1::itemADecedentsEstate, "X");
    AddContinuationPage(r, ftInterest, {"61,000"});
}

std::vector<Line> FiscalYearVouchersLines()
{
    return {
        {f1::line22Taxable, "60,400"}, {f2::scheduleGLine1aTax, "22,214"},
        {vo::voucher1Amount, "4,995"}, {vo::voucher1YearEnding, "06/30/2018"},
        {vo::voucher4Amount, "4,995"}, {vo::voucher4YearEnding, "06/30/2018"},
    };
}

// Ash Trust, a qualified disability trust: interest 269,000 and a net operating loss deduction
// of 10,000 carried from an earlier year.
//   Modified AGI leaves the NOL deduction out: 269,000 - 10,000 = 259,000, not above 259,400,
//   so the whole 4,050 exemption (with the NOL left in, 9,600 above: four steps, 3,726, and 128
//   more tax). Taxable income 259,000 - 4,050 = 254,950; tax 3,206 + 39.6% x 242,550 =
//   99,255.80.
void DisabilityTrustWithNol(ReturnFixture& r)
{
    Heading(r, "Ash Trust", "03-5556667");
    r.Set(f1::itemAQualifiedDisabilityTrust, "X");
    AddContinuationPage(r, ftInterest, {"269,000"});
    r.Set(f1::line15bNol, "10,000");
}

std::vector<Line> DisabilityTrustWithNolLines()
{
    return {
        {f1::line16Total, "10,000"}, {f1::line17Adjusted, "259,000"}, {f1::line20Exemption, "4,050"},
        {f1::line22Taxable, "254,950"}, {f2::scheduleGLine1aTax, "99,256"},
    };
}

struct FileableReturn {
    const char* name;
    void (*build)(ReturnFixture&);
    std::vector<Line> lines;
};

const std::vector<FileableReturn>& FileableReturns()
{
    static const std::vector<FileableReturn> returns = {
        {"DividendHeavyTrust", DividendHeavyTrust, DividendHeavyTrustLines()},
        {"QualifiedSplitPartOfDni", QualifiedSplitPartOfDni, QualifiedSplitPartOfDniLines()},
        {"FinalYearFeesAboveIncome", FinalYearFeesAboveIncome, FinalYearFeesAboveIncomeLines()},
        {"FuneralTrust", FuneralTrust, FuneralTrustLines()},
        {"FiscalYearVouchers", FiscalYearVouchers, FiscalYearVouchersLines()},
        {"DisabilityTrustWithNol", DisabilityTrustWithNol, DisabilityTrustWithNolLines()},
    };
    return returns;
}

class WholeReturnFileable : public testing::TestWithParam<FileableReturn> {};

TEST_P(WholeReturnFileable, SettlesToTheHandWorkedFigures)
{
    const FileableReturn& worked = GetParam();
    ReturnFixture r;
    worked.build(r);
    ASSERT_TRUE(r.Settle());
    for (const Line& line : worked.lines)
        EXPECT_EQ(r.Get(line.formType, line.page, line.slot), line.text)
            << line.formType << "/" << line.page << ":" << line.slot;
    EXPECT_TRUE(r.Messages().Empty());

    // Box 2b of the K-1s agrees with line 2b and the split with line 18: no warning of either.
    for (const review::Finding& finding : review::ReviewReturn(r.Store())) {
        EXPECT_NE(finding.rule, "k1.qualified-dividends-total") << finding.text;
        EXPECT_NE(finding.rule, "f1041.qualified-dividends-split") << finding.text;
    }
}

INSTANTIATE_TEST_SUITE_P(Returns2016, WholeReturnFileable, testing::ValuesIn(FileableReturns()),
                         [](const auto& info) { return std::string(info.param.name); });

// A funeral trust prints its Form 1041-QFT, not a Form 1041 of zeros, and the voucher for its
// tax due.
TEST(WholeReturnFileablePrinting, FuneralTrustPrintsItsQftAndVoucher)
{
    ReturnFixture r;
    FuneralTrust(r);
    ASSERT_TRUE(r.Settle());
    std::set<int> ticked;
    const PrintSelection selection = DefaultSelection(r.Store());
    for (const PrintBox& box : PrintBoxes())
        if (selection.Ticked(box.formType))
            ticked.insert(box.formType);
    EXPECT_EQ(ticked, (std::set<int>{ftForm1041QFT, ftForm1041V}));
}

}  // namespace
}  // namespace quorvan
