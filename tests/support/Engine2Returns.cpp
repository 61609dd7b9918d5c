#include "support/Engine2Returns.h"
#include "slot/Form1041Page1.h"
#include "slot/Rate28Worksheet.h"
#include "slot/ScheduleDPage1.h"
#include "slot/ScheduleDPage2.h"
#include "slot/CapitalLossCarryover.h"
#include "slot/Dividend.h"
#include "slot/Form1041APage1.h"
#include "slot/Form1041Page2.h"
#include "slot/Form1041QFT.h"
#include "slot/Form8949LongTerm.h"
#include "slot/Form8949ShortTerm.h"
#include "slot/Form8960.h"
#include "slot/Interest.h"
#include "slot/QualifiedDividendsWorksheet.h"
#include "slot/ScheduleDTaxWorksheet.h"
#include "slot/Unrecaptured1250.h"

#include <stdexcept>

namespace quorvan::test::engine2 {

namespace {

namespace a1 = quorvan::slot::form1041APage1;
namespace cl = quorvan::slot::capitalLossCarryover;
namespace d1 = quorvan::slot::scheduleDPage1;
namespace d2 = quorvan::slot::scheduleDPage2;
namespace dividend = quorvan::slot::dividend;
namespace f1 = quorvan::slot::form1041Page1;
namespace f2 = quorvan::slot::form1041Page2;
namespace f8949a = quorvan::slot::form8949ShortTerm;
namespace f8949d = quorvan::slot::form8949LongTerm;
namespace f8960 = quorvan::slot::form8960;
namespace interest = quorvan::slot::interest;
namespace qd = quorvan::slot::qualifiedDividendsWorksheet;
namespace qft = quorvan::slot::form1041QFT;
namespace r28 = quorvan::slot::rate28Worksheet;
namespace tw = quorvan::slot::scheduleDTaxWorksheet;
namespace u1250 = quorvan::slot::unrecaptured1250;

void Heading(ReturnFixture& r, const std::string& name, const std::string& ein)
{
    r.Set(f1::taxYearBeginning, "01/01/2016");
    r.Set(f1::taxYearEnding, "12/31/2016");
    r.Set(f1::nameOfEstateOrTrust, name);
    r.Set(f1::nameAndTitleOfFiduciary, "Margaret Ellison, Trustee");
    r.Set(f1::itemCEin, ein);
}

// Harlow Family Trust, a complex trust that accumulates its income: interest 5,000, ordinary
// dividends 10,000 on two lines of which 8,000 qualified, fiduciary fees 1,000. Taxable income
// 15,000 - 1,000 - 100 = 13,900; Qualified Dividends Tax Worksheet:
// 0% on nothing (ordinary income 5,900 fills the 2,550), 15% on 6,500 (up to 12,400) = 975,
// 20% on 1,500 = 300, tax(5,900) = 382.50 + 25% x 3,350 = 1,220; 2,495 < tax(13,900) = 3,800.
// Net investment income 15,000 - 1,000 = 14,000 stays in the trust; adjusted gross income
// 15,000 - 1,000 - 100 = 13,900: tax 3.8% x (13,900 - 12,400) = 57, total tax 2,552.
void QualifiedDividendsOnly(ReturnFixture& r)
{
    Heading(r, "Harlow Family Trust", "47-1234567");
    r.Set(f1::itemAComplexTrust, "X");
    AddContinuationPage(r, ftInterest, {"5,000"});
    AddContinuationPage(r, ftDividend, {"6,000", "4,000"});
    r.Set(f1::line2b2QualifiedToEstate, "8,000");
    r.Set(f1::line12FiduciaryFees, "1,000");
}

// Estate of Walter Brenner: interest 3,000; a short-term loss of 600 (box A); long-term sales of
// 12,000 and -1,500 after a 500 adjustment (box D) and capital gain distributions 1,500, so
// line 16 is 12,000 and line 19 is 11,400; attorney fees 800, exemption 600. Taxable income
// 14,400 - 800 - 600 = 13,000; Part V: 0% on 950, 15% on 9,850 = 1,477.50, 20% on 600 = 120,
// tax(1,600) = 240; 1,838 < tax(13,000) = 3,206 + 39.6% x 600 = 3,444.
// Net investment income 14,400 - 800 = 13,600; adjusted gross income 14,400 - 800 - 600 = 13,000:
// tax 3.8% x 600 = 23, total tax 1,861.
void LongTermGainsWithoutDividends(ReturnFixture& r)
{
    Heading(r, "Estate of Walter Brenner", "81-7654321");
    r.Set(f1::itemADecedentsEstate, "X");
    AddContinuationPage(r, ftInterest, {"3,000"});
    AddForm8949Page(r, ftForm8949A, {{"100 sh Acme Tools", "03/01/2016", "09/15/2016", "2,000", "2,600", "", ""}});
    AddForm8949Page(r, ftForm8949D,
                    {{"500 sh Birch Corp", "06/12/2009", "10/03/2016", "30,000", "18,000", "", ""},
                     {"200 sh Cobalt Mining", "04/02/2011", "11/20/2016", "5,000", "7,000", "B", "500"}});
    r.Set(d1::line13Distributions, "1,500");
    r.Set(f1::line14ProfessionalFees, "800");
}

// Corwin Trust, a complex trust: interest 4,000, dividends 9,000 (6,000 qualified), stock gain
// 10,000 (box D) and a gain of 8,000 on gold coins (box E), a collectible taxed at 28%;
// fees 1,500 and taxes 500. Taxable income 31,000 - 2,000 - 100 = 28,900; Schedule D Tax
// Worksheet: tax(4,900) = 970 on the ordinary income, 15% on 7,500 = 1,125, 20% on 8,500 =
// 1,700, 28% on 8,000 = 2,240; 6,035 < tax(28,900) = 9,740.
// Net investment income 31,000 - 2,000 = 29,000; adjusted gross income 31,000 - 1,500 - 100 =
// 29,400 (taxes are no cost of administration): tax 3.8% x 17,000 = 646, total tax 6,681.
void Rate28GainWithDividends(ReturnFixture& r)
{
    Heading(r, "Corwin Trust", "36-2468101");
    r.Set(f1::itemAComplexTrust, "X");
    AddContinuationPage(r, ftInterest, {"4,000"});
    AddContinuationPage(r, ftDividend, {"9,000"});
    r.Set(f1::line2b2QualifiedToEstate, "6,000");
    AddForm8949Page(r, ftForm8949D, {{"1,000 sh Delta Inc", "02/14/2008", "05/09/2016", "40,000", "30,000", "", ""}});
    AddForm8949Page(r, ftForm8949E, {{"Gold coins (collectibles)", "08/30/2001", "07/21/2016", "20,000", "12,000", "", ""}});
    r.Set(r28::line1, "8,000");
    r.Set(d2::line18cEstate, "8,000");
    r.Set(f1::line11Taxes, "500");
    r.Set(f1::line12FiduciaryFees, "1,500");
}

// Dunmore Trust, a complex trust: interest 12,000; a short-term loss of 5,000 and a carryover
// typed as (1,000); a long-term gain of 2,000 less a carryover of 500. Line 19 is -4,500, so
// line 20 and line 4 are -3,000; fees 787. Taxable income 9,000 - 787 - 100 = 8,113, taxed at
// 1,232.50 + 28% x 2,163 = 1,838. Carryover to 2017: 6,000 short-term loss less the 3,000
// allowed and the 1,500 long-term gain = 1,500 short-term, nothing long-term.
void LossAboveTheLimit(ReturnFixture& r)
{
    Heading(r, "Dunmore Trust", "52-1357913");
    r.Set(f1::itemAComplexTrust, "X");
    AddContinuationPage(r, ftInterest, {"12,000"});
    AddForm8949Page(r, ftForm8949A, {{"300 sh Epsilon Labs", "01/11/2016", "08/01/2016", "4,000", "9,000", "", ""}});
    AddForm8949Page(r, ftForm8949D, {{"50 sh Falcon Rail", "09/09/2012", "12/01/2016", "10,000", "8,000", "", ""}});
    r.Set(d1::line6Carryover, "(1,000)");
    r.Set(d1::line15Carryover, "500");
    r.Set(f1::line12FiduciaryFees, "787");
}

// Ellery Trust, a complex trust: interest 2,000; a short-term gain of 4,200 and a long-term loss
// of 4,000 plus a 2,000 carryover, so line 19 is -1,800, all of it allowed on line 4. Fees 500:
// line 17 is -300 and taxable income -400, no tax. Carryover to 2017: of the 1,800 loss only
// 1,500 is absorbed (-400 + 1,800 + 100), so 300 carries over as long-term.
void LossBelowTheLimit(ReturnFixture& r)
{
    Heading(r, "Ellery Trust", "27-9753108");
    r.Set(f1::itemAComplexTrust, "X");
    AddContinuationPage(r, ftInterest, {"2,000"});
    AddForm8949Page(r, ftForm8949A, {{"Gamma Co", "02/01/2016", "06/30/2016", "8,000", "3,800", "", ""}});
    AddForm8949Page(r, ftForm8949D, {{"Helix Corp", "03/03/2010", "10/10/2016", "6,000", "10,000", "", ""}});
    r.Set(d1::line15Carryover, "2,000");
    r.Set(f1::line12FiduciaryFees, "500");
}

// Estate of Iris Fenwick sells the inherited stock at its stepped-up basis (gain 0) and has
// 12,000 of qualified dividends; attorney fees 1,377, exemption 600, taxable income 10,023.
// Schedule D has amounts, so Part V taxes the dividends: 0% on 2,550, 15% on 7,473 = 1,121,
// where the rate schedule would charge tax(10,023) = 2,422.
void SteppedUpBasisWithDividends(ReturnFixture& r)
{
    Heading(r, "Estate of Iris Fenwick", "61-2223334");
    r.Set(f1::itemADecedentsEstate, "X");
    AddContinuationPage(r, ftDividend, {"12,000"});
    r.Set(f1::line2b2QualifiedToEstate, "12,000");
    AddForm8949Page(r, ftForm8949D, {{"800 sh Ionic Corp", "INHERITED", "07/08/2016", "80,000", "80,000", "", ""}});
    r.Set(f1::line14ProfessionalFees, "1,377");
}

// Bankruptcy estate of Jon Keller (chapter 7): interest 5,000, qualified dividends 3,000, a
// long-term gain of 2,000, fees 900, exemption 100: taxable income 9,000. Part V with the
// married-filing-separately schedule and bands: the 5,000 of dividends and gain lie under the
// 37,650 ceiling of the 0% band, so line 45 is tax(4,000) = 400, below tax(9,000) = 900.
void BankruptcyEstateWithGains(ReturnFixture& r)
{
    Heading(r, "Jon Keller Bankruptcy Estate", "45-6667778");
    r.Set(f1::itemABankruptcyEstateCh7, "X");
    AddContinuationPage(r, ftInterest, {"5,000"});
    AddContinuationPage(r, ftDividend, {"3,000"});
    r.Set(f1::line2b2QualifiedToEstate, "3,000");
    AddForm8949Page(r, ftForm8949D, {{"Jasper Corp", "05/05/2013", "04/04/2016", "6,500", "4,500", "", ""}});
    r.Set(f1::line12FiduciaryFees, "900");
}

// Part V lines 21 to 45, side by side in the slots of page 2, "" where the line stays empty.
std::vector<Line> PartV(const std::vector<std::string>& lines21To45)
{
    std::vector<Line> out;
    for (size_t i = 0; i < lines21To45.size(); ++i)
        out.push_back({ftScheduleDPage2, d2::line21.slot + static_cast<int>(i), lines21To45[i]});
    return out;
}

std::vector<Line> Join(std::vector<Line> a, const std::vector<Line>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<HandWorkedReturn> MakeReturns()
{
    std::vector<HandWorkedReturn> returns;
    returns.push_back({"QualifiedDividendsOnly", QualifiedDividendsOnly, {
        {interest::nameOfEstateOrTrust, "Harlow Family Trust"}, {interest::employerIdentificationNumber, "47-1234567"},
        {interest::pageNumber, "1"},
        {interest::pageCount, "1"}, {interest::total, "5,000"}, {dividend::total, "10,000"},
        {f1::line1Interest, "5,000"}, {f1::line2aDividends, "10,000"}, {f1::line9TotalIncome, "15,000"},
        {f1::line16Total, "1,000"}, {f1::line17Adjusted, "14,000"},
        {f1::line18Distribution, "0"}, {f1::line20Exemption, "100"}, {f1::line22Taxable, "13,900"},
        // Schedule B: DNI 14,000, nothing distributed.
        {f2::scheduleBLine1AdjustedTotal, "14,000"}, {f2::scheduleBLine3NetGain, "0"},
        {f2::scheduleBLine6LineFour, "0"}, {f2::scheduleBLine7Dni, "14,000"},
        {f2::scheduleBLine8AccountingIncome, "14,000"},
        {f2::scheduleBLine11Total, "0"}, {f2::scheduleBLine13, "0"}, {f2::scheduleBLine14, "14,000"},
        {f2::scheduleBLine15Deduction, "0"},
        {qd::line1, "13,900"}, {qd::line2, "8,000"}, {qd::line4, "8,000"}, {qd::line5, "5,900"}, {qd::line6, "2,550"},
        {qd::line7, "2,550"}, {qd::line8, "0"}, {qd::line9, "8,000"}, {qd::line10, "8,000"}, {qd::line11, "12,400"},
        {qd::line12, "5,900"}, {qd::line13, "6,500"}, {qd::line14, "6,500"}, {qd::line15, "975"}, {qd::line16, "8,000"},
        {qd::line17, "6,500"}, {qd::line18, "1,500"}, {qd::line19, "300"}, {qd::line20, "1,220"}, {qd::line21, "2,495"},
        {qd::line22, "3,800"}, {qd::line23, "2,495"},
        {d2::line45, ""}, {tw::line43, ""},
        {f2::scheduleGLine1aTax, "2,495"}, {f2::scheduleGLine1dTotal, "2,495"}, {f2::scheduleGLine2eCredits, "0"},
        {f2::scheduleGLine3, "2,495"},
        {f8960::line12NetInvestmentIncome, "14,000"}, {f8960::line19aAdjustedGrossIncome, "13,900"},
        {f8960::line21NetInvestmentIncomeTax, "57"}, {f2::scheduleGLine4NetInvestment, "57"},
        {f2::scheduleGLine7TotalTax, "2,552"},
        {f2::otherInformationLine1Yes, ""}, {f2::otherInformationLine1No, "X"}, {f1::line23TotalTax, "2,552"},
        {f1::line27TaxDue, "2,552"},
    }});
    returns.push_back({"LongTermGainsWithoutDividends", LongTermGainsWithoutDividends, Join({
        {ftForm8949A, f8949a::boxMark1, "X"}, {ftForm8949A, f8949a::sales::Slot(0, f8949a::sales::gain), "-600"},
        {ftForm8949A, f8949a::line2Gain, "-600"},
        {ftForm8949D, f8949d::name, "Estate of Walter Brenner"}, {ftForm8949D, f8949d::boxMark1, "X"},
        {ftForm8949D, f8949d::boxMark2, ""},
        {ftForm8949D, f8949d::sales::Slot(0, f8949d::sales::gain), "12,000"},
        {ftForm8949D, f8949d::sales::Slot(1, f8949d::sales::gain), "-1,500"},
        {ftForm8949D, f8949d::sales::Slot(2, f8949d::sales::gain), "0"},
        {ftForm8949D, f8949d::line2Proceeds, "35,000"}, {ftForm8949D, f8949d::line2Cost, "25,000"},
        {ftForm8949D, f8949d::line2Adjustment, "500"},
        {ftForm8949D, f8949d::line2Gain, "10,500"},
        {d1::nameOfEstateOrTrust, "Estate of Walter Brenner"}, {d1::line1aGain, "0"}, {d1::line1bProceeds, "2,000"},
        {d1::line1bCost, "2,600"},
        {d1::line1bAdjustment, "0"}, {d1::line1bGain, "-600"}, {d1::line2Gain, "0"}, {d1::line7NetShortTerm, "-600"},
        {d1::line8aGain, "0"},
        {d1::line8bProceeds, "35,000"}, {d1::line8bCost, "25,000"}, {d1::line8bAdjustment, "500"},
        {d1::line8bGain, "10,500"}, {d1::line16NetLongTerm, "12,000"},
        {d2::line17Estate, "-600"}, {d2::line17Total, "-600"}, {d2::line18aEstate, "12,000"},
        {d2::line18aTotal, "12,000"}, {d2::line19Beneficiaries, "0"},
        {d2::line19Estate, "11,400"}, {d2::line19Total, "11,400"}, {d2::line20Limitation, ""},
        {r28::line5, "0"}, {r28::line6, "-600"}, {r28::line7, "0"},
        {u1250::line15, "-600"}, {u1250::line16, "0"}, {u1250::line17, "600"}, {u1250::line18, "0"},
        {cl::line1, ""}, {cl::line14, ""},
        {f1::line4CapitalGain, "11,400"}, {f1::line9TotalIncome, "14,400"}, {f1::line17Adjusted, "13,600"},
        {f1::line20Exemption, "600"}, {f1::line22Taxable, "13,000"},
        {f2::scheduleBLine1AdjustedTotal, "13,600"}, {f2::scheduleBLine6LineFour, "-11,400"},
        {f2::scheduleBLine7Dni, "2,200"}, {f2::scheduleBLine15Deduction, "0"},
        {f2::scheduleGLine1aTax, "1,838"}, {f8960::line12NetInvestmentIncome, "13,600"},
        {f8960::line19aAdjustedGrossIncome, "13,000"}, {f2::scheduleGLine4NetInvestment, "23"},
        {f2::scheduleGLine7TotalTax, "1,861"}, {f1::line23TotalTax, "1,861"},
        {a1::line4CapitalGain, "11,400"}, {qft::line3CapitalGain, "11,400"},
    }, PartV({"13,000", "11,400", "", "11,400", "", "11,400", "1,600", "2,550", "1,600", "950",
              "11,400", "10,450", "12,400", "2,550", "9,850", "9,850", "1,478", "11,400", "10,800",
              "600", "120", "240", "1,838", "3,444", "1,838"}))});
    returns.push_back({"Rate28GainWithDividends", Rate28GainWithDividends, {
        {ftForm8949E, f8949d::boxMark1, ""}, {ftForm8949E, f8949d::boxMark2, "X"},
        {ftForm8949E, f8949d::sales::Slot(0, f8949d::sales::gain), "8,000"},
        {d1::line8bGain, "10,000"}, {d1::line9Proceeds, "20,000"}, {d1::line9Cost, "12,000"}, {d1::line9Gain, "8,000"},
        {d1::line7NetShortTerm, "0"}, {d1::line16NetLongTerm, "18,000"},
        {d2::line18aEstate, "18,000"}, {d2::line18cTotal, "8,000"}, {d2::line19Estate, "18,000"},
        {d2::line19Total, "18,000"},
        {r28::line5, "0"}, {r28::line7, "8,000"}, {u1250::line14, "8,000"}, {u1250::line17, "0"}, {u1250::line18, "0"},
        {f1::line4CapitalGain, "18,000"}, {f1::line9TotalIncome, "31,000"}, {f1::line16Total, "2,000"},
        {f1::line17Adjusted, "29,000"}, {f1::line22Taxable, "28,900"},
        {f2::scheduleBLine7Dni, "11,000"},
        {tw::line1, "28,900"}, {tw::line2, "6,000"}, {tw::line5, "0"}, {tw::line6, "6,000"}, {tw::line7, "18,000"},
        {tw::line8, "0"}, {tw::line9, "18,000"}, {tw::line10, "24,000"}, {tw::line11, "8,000"}, {tw::line12, "8,000"},
        {tw::line13, "16,000"}, {tw::line14, "12,900"}, {tw::line15, "2,550"}, {tw::line16, "2,550"},
        {tw::line17, "4,900"},
        {tw::line18, "4,900"}, {tw::line19, "0"}, {tw::line20, "16,000"}, {tw::line21, "0"}, {tw::line22, "16,000"},
        {tw::line23, "12,400"}, {tw::line24, "4,900"}, {tw::line25, "7,500"}, {tw::line26, "7,500"},
        {tw::line27, "1,125"},
        {tw::spareBeforeLine28, ""}, {tw::line28, "7,500"}, {tw::line29, "8,500"}, {tw::line30, "1,700"},
        {tw::line31, "0"},
        {tw::line32, "28,900"}, {tw::line33, "28,900"}, {tw::line34, "0"}, {tw::line35, "0"}, {tw::line36, "0"},
        {tw::line37, "20,900"}, {tw::line38, "8,000"}, {tw::line39, "2,240"}, {tw::line40, "970"},
        {tw::line41, "6,035"},
        {tw::line42, "9,740"}, {tw::line43, "6,035"},
        {d2::line21, ""}, {d2::line45, ""}, {qd::line23, ""},
        {f2::scheduleGLine1aTax, "6,035"}, {f8960::line12NetInvestmentIncome, "29,000"},
        {f8960::line19aAdjustedGrossIncome, "29,400"}, {f8960::line20, "17,000"},
        {f2::scheduleGLine4NetInvestment, "646"}, {f1::line23TotalTax, "6,681"},
    }});
    returns.push_back({"LossAboveTheLimit", LossAboveTheLimit, {
        {d1::line1bGain, "-5,000"}, {d1::line6Carryover, "1,000"}, {d1::line7NetShortTerm, "-6,000"},
        {d1::line8bGain, "2,000"}, {d1::line15Carryover, "500"},
        {d1::line16NetLongTerm, "1,500"}, {d2::line19Total, "-4,500"}, {d2::line20Limitation, "-3,000"},
        {f1::line4CapitalGain, "-3,000"}, {a1::line4CapitalGain, "-3,000"}, {qft::line3CapitalGain, "-3,000"},
        {f1::line9TotalIncome, "9,000"}, {f1::line17Adjusted, "8,213"}, {f1::line22Taxable, "8,113"},
        {f2::scheduleBLine1AdjustedTotal, "8,213"}, {f2::scheduleBLine6LineFour, "3,000"},
        {f2::scheduleBLine7Dni, "11,213"}, {f2::scheduleBLine15Deduction, "0"},
        {cl::line1, "8,113"}, {cl::line2, "3,000"}, {cl::line3, "100"}, {cl::line4, "11,213"}, {cl::line5, "3,000"},
        {cl::line6, "6,000"}, {cl::line7, "1,500"}, {cl::line8, "4,500"}, {cl::line9, "1,500"}, {cl::line10, ""},
        {cl::line14, ""},
        {r28::line5, "-500"}, {r28::line6, "-6,000"}, {r28::line7, "0"},
        {u1250::line15, "-6,000"}, {u1250::line16, "-500"}, {u1250::line17, "6,500"}, {u1250::line18, "0"},
        {d2::line45, ""}, {qd::line23, ""}, {f2::scheduleGLine1aTax, "1,838"}, {f1::line23TotalTax, "1,838"},
    }});
    returns.push_back({"LossBelowTheLimit", LossBelowTheLimit, {
        {d1::line7NetShortTerm, "4,200"}, {d1::line16NetLongTerm, "-6,000"}, {d2::line19Total, "-1,800"},
        {d2::line20Limitation, "-1,800"},
        {f1::line4CapitalGain, "-1,800"}, {f1::line9TotalIncome, "200"}, {f1::line17Adjusted, "-300"},
        {f1::line20Exemption, "100"}, {f1::line22Taxable, "-400"},
        {f2::scheduleBLine1AdjustedTotal, "-300"}, {f2::scheduleBLine6LineFour, "1,800"},
        {f2::scheduleBLine7Dni, "1,500"}, {f2::scheduleBLine15Deduction, "0"},
        {cl::line1, "-400"}, {cl::line2, "1,800"}, {cl::line3, "100"}, {cl::line4, "1,500"}, {cl::line5, "1,500"},
        {cl::line6, ""}, {cl::line9, ""}, {cl::line10, "6,000"}, {cl::line11, "4,200"}, {cl::line12, "1,500"},
        {cl::line13, "5,700"}, {cl::line14, "300"},
        {r28::line5, "-2,000"}, {r28::line6, ""}, {r28::line7, "0"},
        {u1250::line15, "0"}, {u1250::line16, "-2,000"}, {u1250::line17, "2,000"}, {u1250::line18, "0"},
        {f2::scheduleGLine1aTax, "0"}, {f1::line23TotalTax, "0"},
    }});
    returns.push_back({"SteppedUpBasisWithDividends", SteppedUpBasisWithDividends, Join({
        {d1::line8bProceeds, "80,000"}, {d1::line8bCost, "80,000"}, {d1::line8bGain, "0"}, {d1::line16NetLongTerm, "0"},
        {d2::line19Total, "0"},
        {f1::line4CapitalGain, ""}, {f1::line9TotalIncome, "12,000"}, {f1::line17Adjusted, "10,623"},
        {f1::line20Exemption, "600"}, {f1::line22Taxable, "10,023"},
        {f2::scheduleBLine1AdjustedTotal, "10,623"}, {f2::scheduleBLine7Dni, "10,623"},
        {qd::line1, ""}, {qd::line23, ""},
        {f2::scheduleGLine1aTax, "1,121"}, {f1::line23TotalTax, "1,121"},
    }, PartV({"10,023", "0", "12,000", "12,000", "", "12,000", "0", "2,550", "0", "2,550",
              "10,023", "9,450", "10,023", "2,550", "7,473", "7,473", "1,121", "10,023", "10,023",
              "0", "0", "0", "1,121", "2,422", "1,121"}))});
    returns.push_back({"BankruptcyEstateWithGains", BankruptcyEstateWithGains, Join({
        {f1::line9TotalIncome, "10,000"}, {f1::line17Adjusted, "9,100"}, {f1::line20Exemption, "100"},
        {f1::line22Taxable, "9,000"},
        {d2::line19Estate, "2,000"}, {f2::scheduleBLine7Dni, "7,100"},
        {f2::scheduleGLine1aTax, "400"}, {f1::line23TotalTax, "400"},
    }, PartV({"9,000", "2,000", "3,000", "5,000", "", "5,000", "4,000", "9,000", "4,000", "5,000",
              "5,000", "0", "9,000", "9,000", "0", "0", "0", "5,000", "5,000",
              "0", "0", "400", "400", "900", "400"}))});
    return returns;
}

}  // namespace

void AddContinuationPage(ReturnFixture& r, int formType, const std::vector<std::string>& amounts)
{
    int& count = *r.Store().CountField(formType);
    for (size_t i = 0; i < amounts.size(); ++i)
        r.Set(formType, count, static_cast<int>(5 + 2 * i), amounts[i]);
    ++count;
}

void AddForm8949Page(ReturnFixture& r, int formType, const std::vector<Sale>& sales)
{
    int& count = *r.Store().CountField(formType);
    for (size_t i = 0; i < sales.size(); ++i) {
        const int row = static_cast<int>(5 + 8 * i);
        const Sale& sale = sales[i];
        const std::string columns[] = {sale.description, sale.acquired, sale.sold, sale.proceeds,
                                       sale.cost, sale.code, sale.adjustment};
        for (int c = 0; c < 7; ++c)
            r.Set(formType, count, row + c, columns[c]);
    }
    ++count;
}

const std::vector<HandWorkedReturn>& HandWorkedReturns()
{
    static const std::vector<HandWorkedReturn> returns = MakeReturns();
    return returns;
}

const HandWorkedReturn& HandWorkedReturnNamed(const std::string& name)
{
    for (const HandWorkedReturn& r : HandWorkedReturns())
        if (r.name == name)
            return r;
    throw std::invalid_argument("no hand-worked return named " + name);
}

}  // namespace quorvan::test::engine2
