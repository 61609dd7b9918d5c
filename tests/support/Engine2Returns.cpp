#include "support/Engine2Returns.h"
#include "slot/Form1041Page1.h"
#include "slot/Rate28Worksheet.h"
#include "slot/ScheduleDPage1.h"
#include "slot/ScheduleDPage2.h"

#include <stdexcept>

namespace quorvan::test::engine2 {

namespace {

namespace d1 = quorvan::slot::scheduleDPage1;
namespace d2 = quorvan::slot::scheduleDPage2;
namespace f1 = quorvan::slot::form1041Page1;
namespace r28 = quorvan::slot::rate28Worksheet;

constexpr int F1 = ftForm1041Page1;
constexpr int F2 = ftForm1041Page2;
constexpr int D1 = ftScheduleDPage1;
constexpr int D2 = ftScheduleDPage2;
constexpr int QD = ftQualifiedDividendsWorksheet;
constexpr int TW = ftScheduleDTaxWorksheet;
constexpr int R28 = ftRate28Worksheet;
constexpr int U1250 = ftUnrecaptured1250;
constexpr int CL = ftCapitalLossCarryover;

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

// Part V lines 21 to 45 (slots 16 to 40), "" where the line stays empty.
std::vector<Line> PartV(const std::vector<std::string>& lines21To45)
{
    std::vector<Line> out;
    for (size_t i = 0; i < lines21To45.size(); ++i)
        out.push_back({D2, static_cast<int>(16 + i), lines21To45[i]});
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
        {ftInterest, 0, "Harlow Family Trust"}, {ftInterest, 1, "47-1234567"}, {ftInterest, 2, "1"},
        {ftInterest, 3, "1"}, {ftInterest, 86, "5,000"}, {ftDividend, 86, "10,000"},
        {F1, 30, "5,000"}, {F1, 31, "10,000"}, {F1, 41, "15,000"}, {F1, 50, "1,000"}, {F1, 51, "14,000"},
        {F1, 52, "0"}, {F1, 54, "100"}, {F1, 56, "13,900"},
        // Schedule B: DNI 14,000, nothing distributed.
        {F2, 7, "14,000"}, {F2, 9, "0"}, {F2, 12, "0"}, {F2, 13, "14,000"}, {F2, 14, "14,000"},
        {F2, 17, "0"}, {F2, 19, "0"}, {F2, 20, "14,000"}, {F2, 21, "0"},
        {QD, 1, "13,900"}, {QD, 2, "8,000"}, {QD, 4, "8,000"}, {QD, 5, "5,900"}, {QD, 6, "2,550"},
        {QD, 7, "2,550"}, {QD, 8, "0"}, {QD, 9, "8,000"}, {QD, 10, "8,000"}, {QD, 11, "12,400"},
        {QD, 12, "5,900"}, {QD, 13, "6,500"}, {QD, 14, "6,500"}, {QD, 15, "975"}, {QD, 16, "8,000"},
        {QD, 17, "6,500"}, {QD, 18, "1,500"}, {QD, 19, "300"}, {QD, 20, "1,220"}, {QD, 21, "2,495"},
        {QD, 22, "3,800"}, {QD, 23, "2,495"},
        {D2, 40, ""}, {TW, 44, ""},
        {F2, 24, "2,495"}, {F2, 27, "2,495"}, {F2, 37, "0"}, {F2, 38, "2,495"}, {F2, 43, "2,495"},
        {F2, 44, ""}, {F2, 45, "X"}, {F1, 57, "2,495"}, {F1, 69, "2,495"},
    }});
    returns.push_back({"LongTermGainsWithoutDividends", LongTermGainsWithoutDividends, Join({
        {ftForm8949A, 2, "X"}, {ftForm8949A, 12, "-600"}, {ftForm8949A, 136, "-600"},
        {ftForm8949D, 0, "Estate of Walter Brenner"}, {ftForm8949D, 2, "X"}, {ftForm8949D, 3, ""},
        {ftForm8949D, 12, "12,000"}, {ftForm8949D, 20, "-1,500"}, {ftForm8949D, 28, "0"},
        {ftForm8949D, 133, "35,000"}, {ftForm8949D, 134, "25,000"}, {ftForm8949D, 135, "500"},
        {ftForm8949D, 136, "10,500"},
        {D1, 0, "Estate of Walter Brenner"}, {D1, 4, "0"}, {D1, 5, "2,000"}, {D1, 6, "2,600"},
        {D1, 7, "0"}, {D1, 8, "-600"}, {D1, 12, "0"}, {D1, 20, "-600"}, {D1, 23, "0"},
        {D1, 24, "35,000"}, {D1, 25, "25,000"}, {D1, 26, "500"}, {D1, 27, "10,500"}, {D1, 41, "12,000"},
        {D2, 1, "-600"}, {D2, 2, "-600"}, {D2, 4, "12,000"}, {D2, 5, "12,000"}, {D2, 12, "0"},
        {D2, 13, "11,400"}, {D2, 14, "11,400"}, {D2, 15, ""},
        {R28, 5, "0"}, {R28, 6, "-600"}, {R28, 7, "0"},
        {U1250, 15, "-600"}, {U1250, 16, "0"}, {U1250, 17, "600"}, {U1250, 18, "0"},
        {CL, 1, ""}, {CL, 14, ""},
        {F1, 35, "11,400"}, {F1, 41, "14,400"}, {F1, 51, "13,600"}, {F1, 54, "600"}, {F1, 56, "13,000"},
        {F2, 7, "13,600"}, {F2, 12, "-11,400"}, {F2, 13, "2,200"}, {F2, 21, "0"},
        {F2, 24, "1,838"}, {F2, 43, "1,838"}, {F1, 57, "1,838"},
        {ftForm1041APage1, 9, "11,400"}, {ftForm1041QFT, 16, "11,400"},
    }, PartV({"13,000", "11,400", "", "11,400", "", "11,400", "1,600", "2,550", "1,600", "950",
              "11,400", "10,450", "12,400", "2,550", "9,850", "9,850", "1,478", "11,400", "10,800",
              "600", "120", "240", "1,838", "3,444", "1,838"}))});
    returns.push_back({"Rate28GainWithDividends", Rate28GainWithDividends, {
        {ftForm8949E, 2, ""}, {ftForm8949E, 3, "X"}, {ftForm8949E, 12, "8,000"},
        {D1, 27, "10,000"}, {D1, 28, "20,000"}, {D1, 29, "12,000"}, {D1, 31, "8,000"},
        {D1, 20, "0"}, {D1, 41, "18,000"},
        {D2, 4, "18,000"}, {D2, 11, "8,000"}, {D2, 13, "18,000"}, {D2, 14, "18,000"},
        {R28, 5, "0"}, {R28, 7, "8,000"}, {U1250, 14, "8,000"}, {U1250, 17, "0"}, {U1250, 18, "0"},
        {F1, 35, "18,000"}, {F1, 41, "31,000"}, {F1, 50, "2,000"}, {F1, 51, "29,000"}, {F1, 56, "28,900"},
        {F2, 13, "11,000"},
        {TW, 1, "28,900"}, {TW, 2, "6,000"}, {TW, 5, "0"}, {TW, 6, "6,000"}, {TW, 7, "18,000"},
        {TW, 8, "0"}, {TW, 9, "18,000"}, {TW, 10, "24,000"}, {TW, 11, "8,000"}, {TW, 12, "8,000"},
        {TW, 13, "16,000"}, {TW, 14, "12,900"}, {TW, 15, "2,550"}, {TW, 16, "2,550"}, {TW, 17, "4,900"},
        {TW, 18, "4,900"}, {TW, 19, "0"}, {TW, 20, "16,000"}, {TW, 21, "0"}, {TW, 22, "16,000"},
        {TW, 23, "12,400"}, {TW, 24, "4,900"}, {TW, 25, "7,500"}, {TW, 26, "7,500"}, {TW, 27, "1,125"},
        {TW, 28, ""}, {TW, 29, "7,500"}, {TW, 30, "8,500"}, {TW, 31, "1,700"}, {TW, 32, "0"},
        {TW, 33, "28,900"}, {TW, 34, "28,900"}, {TW, 35, "0"}, {TW, 36, "0"}, {TW, 37, "0"},
        {TW, 38, "20,900"}, {TW, 39, "8,000"}, {TW, 40, "2,240"}, {TW, 41, "970"}, {TW, 42, "6,035"},
        {TW, 43, "9,740"}, {TW, 44, "6,035"},
        {D2, 16, ""}, {D2, 40, ""}, {QD, 23, ""},
        {F2, 24, "6,035"}, {F1, 57, "6,035"},
    }});
    returns.push_back({"LossAboveTheLimit", LossAboveTheLimit, {
        {D1, 8, "-5,000"}, {D1, 19, "1,000"}, {D1, 20, "-6,000"}, {D1, 27, "2,000"}, {D1, 40, "500"},
        {D1, 41, "1,500"}, {D2, 14, "-4,500"}, {D2, 15, "-3,000"},
        {F1, 35, "-3,000"}, {ftForm1041APage1, 9, "-3,000"}, {ftForm1041QFT, 16, "-3,000"},
        {F1, 41, "9,000"}, {F1, 51, "8,213"}, {F1, 56, "8,113"},
        {F2, 7, "8,213"}, {F2, 12, "3,000"}, {F2, 13, "11,213"}, {F2, 21, "0"},
        {CL, 1, "8,113"}, {CL, 2, "3,000"}, {CL, 3, "100"}, {CL, 4, "11,213"}, {CL, 5, "3,000"},
        {CL, 6, "6,000"}, {CL, 7, "1,500"}, {CL, 8, "4,500"}, {CL, 9, "1,500"}, {CL, 10, ""},
        {CL, 14, ""},
        {R28, 5, "-500"}, {R28, 6, "-6,000"}, {R28, 7, "0"},
        {U1250, 15, "-6,000"}, {U1250, 16, "-500"}, {U1250, 17, "6,500"}, {U1250, 18, "0"},
        {D2, 40, ""}, {QD, 23, ""}, {F2, 24, "1,838"}, {F1, 57, "1,838"},
    }});
    returns.push_back({"LossBelowTheLimit", LossBelowTheLimit, {
        {D1, 20, "4,200"}, {D1, 41, "-6,000"}, {D2, 14, "-1,800"}, {D2, 15, "-1,800"},
        {F1, 35, "-1,800"}, {F1, 41, "200"}, {F1, 51, "-300"}, {F1, 54, "100"}, {F1, 56, "-400"},
        {F2, 7, "-300"}, {F2, 12, "1,800"}, {F2, 13, "1,500"}, {F2, 21, "0"},
        {CL, 1, "-400"}, {CL, 2, "1,800"}, {CL, 3, "100"}, {CL, 4, "1,500"}, {CL, 5, "1,500"},
        {CL, 6, ""}, {CL, 9, ""}, {CL, 10, "6,000"}, {CL, 11, "4,200"}, {CL, 12, "1,500"},
        {CL, 13, "5,700"}, {CL, 14, "300"},
        {R28, 5, "-2,000"}, {R28, 6, ""}, {R28, 7, "0"},
        {U1250, 15, "0"}, {U1250, 16, "-2,000"}, {U1250, 17, "2,000"}, {U1250, 18, "0"},
        {F2, 24, "0"}, {F1, 57, "0"},
    }});
    returns.push_back({"SteppedUpBasisWithDividends", SteppedUpBasisWithDividends, Join({
        {D1, 24, "80,000"}, {D1, 25, "80,000"}, {D1, 27, "0"}, {D1, 41, "0"}, {D2, 14, "0"},
        {F1, 35, ""}, {F1, 41, "12,000"}, {F1, 51, "10,623"}, {F1, 54, "600"}, {F1, 56, "10,023"},
        {F2, 7, "10,623"}, {F2, 13, "10,623"},
        {QD, 1, ""}, {QD, 23, ""},
        {F2, 24, "1,121"}, {F1, 57, "1,121"},
    }, PartV({"10,023", "0", "12,000", "12,000", "", "12,000", "0", "2,550", "0", "2,550",
              "10,023", "9,450", "10,023", "2,550", "7,473", "7,473", "1,121", "10,023", "10,023",
              "0", "0", "0", "1,121", "2,422", "1,121"}))});
    returns.push_back({"BankruptcyEstateWithGains", BankruptcyEstateWithGains, Join({
        {F1, 41, "10,000"}, {F1, 51, "9,100"}, {F1, 54, "100"}, {F1, 56, "9,000"},
        {D2, 13, "2,000"}, {F2, 13, "7,100"},
        {F2, 24, "400"}, {F1, 57, "400"},
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
