#include "calc/ScheduleI.h"

#include "calc/CalcSupport.h"
#include "calc/CapitalGainWorksheets.h"
#include "calc/TaxYear.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/QualifiedDividendsWorksheet.h"
#include "slot/ScheduleDPage2.h"
#include "slot/ScheduleDTaxWorksheet.h"
#include "slot/ScheduleIPage1.h"
#include "slot/ScheduleIPage2.h"
#include "slot/ScheduleIPage3.h"

namespace quorvan {

using namespace calc;

namespace {

namespace f1 = slot::form1041Page1;
namespace f2 = slot::form1041Page2;
namespace i1 = slot::scheduleIPage1;
namespace i2 = slot::scheduleIPage2;
namespace i3 = slot::scheduleIPage3;
namespace d2 = slot::scheduleDPage2;
namespace tw = slot::scheduleDTaxWorksheet;
namespace qd = slot::qualifiedDividendsWorksheet;

// Every line of Schedule I by its number: lines 1 to 42 are on page 1, 43 to 69 on page 2, 70 to
// 85 on page 3.
constexpr SlotRef kLines[] = {
    i1::line1, i1::line2, i1::line3, i1::line4, i1::line5, i1::line6, i1::line7, i1::line8, i1::line9,
    i1::line10, i1::line11, i1::line12, i1::line13, i1::line14, i1::line15, i1::line16, i1::line17, i1::line18,
    i1::line19, i1::line20, i1::line21, i1::line22, i1::line23, i1::line24, i1::line25, i1::line26, i1::line27,
    i1::line28, i1::line29, i1::line30, i1::line31, i1::line32, i1::line33, i1::line34, i1::line35, i1::line36,
    i1::line37, i1::line38, i1::line39, i1::line40, i1::line41, i1::line42, i2::line43, i2::line44, i2::line45,
    i2::line46, i2::line47, i2::line48, i2::line49, i2::line50, i2::line51, i2::line52, i2::line53, i2::line54,
    i2::line55, i2::line56, i2::line57, i2::line58, i2::line59, i2::line60, i2::line61, i2::line62, i2::line63,
    i2::line64, i2::line65, i2::line66, i2::line67, i2::line68, i2::line69, i3::line70, i3::line71, i3::line72,
    i3::line73, i3::line74, i3::line75, i3::line76, i3::line77, i3::line78, i3::line79, i3::line80, i3::line81,
    i3::line82, i3::line83, i3::line84, i3::line85,
};
constexpr int kLineCount = static_cast<int>(sizeof kLines / sizeof kLines[0]);
static_assert(kLineCount == 85, "Schedule I has lines 1 to 85");

SlotRef LineAt(int line)
{
    return kLines[line - 1];
}

double L(int line) { return Amt(LineAt(line)); }
const std::string& LineText(int line) { return Text(LineAt(line)); }
void Set(int line, double amount) { PutAlways(LineAt(line), amount); }
void SetText(int line, std::string text) { PutTextAlways(LineAt(line), std::move(text)); }
void SetGuarded(int line, double amount) { PutGuarded(LineAt(line), amount); }
void SetTextGuarded(int line, std::string text) { PutTextGuarded(LineAt(line), std::move(text)); }
void Clear(int line) { SetText(line, std::string()); }
void ClearGuarded(int line) { SetTextGuarded(line, std::string()); }
double Floor0(double amount) { return amount < 0 ? 0 : amount; }

// Lines 52, 63 and 84: 26% up to the breakpoint, 28% less the difference above it.
double TentativeTax(double amount)
{
    if (amount > taxyear::kAmtRateBreakpoint)
        return amount * taxyear::kAmtHighRate - taxyear::kAmtHighRateReduction;
    return amount * taxyear::kAmtLowRate;
}

// Part IV figures line 52 when the estate or trust keeps long-term gains or has qualified
// dividends of its own.
bool PartIVApplies()
{
    return (Amt(d2::line18aEstate) > 0 && Amt(d2::line19Estate) > 0) || Amt(f1::line2b2QualifiedToEstate) > 0;
}

// Only a minimum taxable income above the exemption has a tax to figure.
bool MinimumTaxDue()
{
    return L(29) > taxyear::kAmtExemption;
}

// Lines 57 to 69 when Part IV does not apply; line 64 keeps the 0% ceiling.
void ClearPartIVPage2()
{
    for (int line : {57, 61, 62, 63, 66, 67, 68, 69})
        Clear(line);
    PutTextAlways(i2::spareBeforeLine69, std::string());
    for (int line : {58, 59, 60, 65})
        ClearGuarded(line);
    Set(64, taxyear::kZeroRateCeiling2016);
}

// Which capital gain computation holds the figures of lines 58, 65 and 72: Schedule D Part V,
// the Schedule D Tax Worksheet or the Qualified Dividends Tax Worksheet (the last in use wins).
std::string GainFigure(SlotRef partVLine, SlotRef taxWorksheetLine, SlotRef dividendsWorksheetLine)
{
    std::string figure = Text(partVLine);
    if (ScheduleDTaxWorksheetInUse())
        figure = Text(taxWorksheetLine);
    if (QualifiedDividendsWorksheetInUse())
        figure = Text(dividendsWorksheetLine);
    return figure;
}

void Page1Body()
{
    PutTextAlways(i1::nameOfEstateOrTrust, Text(f1::nameOfEstateOrTrust));
    PutTextAlways(i1::employerIdentificationNumber, Text(f1::itemCEin));
    SetTextGuarded(1, Text(f1::line17Adjusted));
    SetTextGuarded(2, Text(f1::line10Interest));
    SetTextGuarded(3, Text(f1::line11Taxes));
    SetText(4, Text(f1::line15cTwoPercent));
    if (L(7) < 0) {
        ShowMessageByCode(29587);
        Clear(7);
    }
    double line25 = L(1) + L(2) + L(3) + L(4) - L(5);
    for (int line = 6; line <= 20; ++line)
        line25 += L(line);
    line25 += -L(21) + L(22) + L(23) - L(24);
    Set(25, line25);
}

void PartIIBody()
{
    // Line 30: a loss on line 25 is limited by a capital loss on Form 1041 line 4, and comes to
    // nothing when line 4 is 0.
    const double line25 = L(25);
    const double capitalGain = Amt(f1::line4CapitalGain);
    if (line25 < 0 && capitalGain < 0)
        Set(30, Max(line25, capitalGain));
    else if (line25 < 0 && capitalGain == 0)
        SetText(30, "0.00");
    else
        Set(30, line25);

    SetGuarded(32, Floor0(Amt(d2::line19Beneficiaries)));
    SetTextGuarded(33, Text(f2::scheduleALine4CapitalGains));
    // Line 35 takes out every gain line 25 holds, as Schedule B line 6 takes out line 4; line 32
    // puts back the part the beneficiaries receive, so what the trust keeps in principal stays out
    // of DNAMTI. Line 4 is this run's, the capital loss limitation having run. Without a gain the
    // line stays blank; a loss is line 36's, which stays the preparer's.
    const double gain = Amt(f1::line4CapitalGain);
    if (gain > 0)
        SetGuarded(35, gain);
    else
        ClearGuarded(35);
    Set(37, Floor0(L(30) + L(31) + L(32) + L(33) + L(34) - L(35) + L(36)));
    SetTextGuarded(38, Text(f2::scheduleBLine9Required));
    SetTextGuarded(39, Text(f2::scheduleBLine10Other));
    Set(40, L(38) + L(39));
    Set(42, L(40) - L(41));
    Set(43, Floor0(L(37) - L(31)));
    Set(44, Min(L(42), L(43)));
}

void PartIIIBody()
{
    PutTextAlways(i2::nameOfEstateOrTrust, Text(f1::nameOfEstateOrTrust));
    PutTextAlways(i2::employerIdentificationNumber, Text(f1::itemCEin));
    Set(45, taxyear::kAmtExemption);
    Set(47, taxyear::kAmtExemptionPhaseOutStart);
    for (int line : {46, 48, 49, 50, 54, 56})
        Clear(line);
    for (int line : {51, 52, 55})
        ClearGuarded(line);

    // Line 29 is that of the previous run (lines 26 to 29 are figured last).
    if (!MinimumTaxDue()) {
        PutTextGuarded(f2::scheduleGLine1cAmt, std::string());
        ClearPartIVPage2();
        return;
    }

    // From the breakpoint up the exemption is fully phased out.
    const double line29 = L(29);
    if (line29 >= taxyear::kAmtRateBreakpoint) {
        SetGuarded(51, line29);
    } else {
        Set(46, line29);
        Set(48, Floor0(L(46) - L(47)));
        Set(49, L(48) * taxyear::kAmtExemptionPhaseOutRate);
        Set(50, Floor0(L(45) - L(49)));
        SetGuarded(51, L(46) - L(50));
    }

    if (PartIVApplies()) {
        CalcScheduleIPartIV();
        SetTextGuarded(52, LineText(85));  // line 85 of the previous run; page 3 updates it
    } else {
        ClearPartIVPage2();
        for (int line = 70; line <= 81; ++line)
            Clear(line);
        SetGuarded(52, TentativeTax(L(51)));
    }

    Set(54, L(52) - L(53));
    SetGuarded(55, Amt(f2::scheduleGLine1aTax) - Amt(f2::scheduleGLine2aForeign));
    Set(56, Floor0(L(54) - L(55)));
    PutTextGuarded(f2::scheduleGLine1cAmt, LineText(56));
}

void PartIVBody()
{
    Set(57, L(51));
    // Line 58 is the gain and qualified dividends taxed at the lower rates: Schedule D line 26,
    // which holds the qualified dividends as the worksheets' lines do.
    SetTextGuarded(58, GainFigure(d2::line26, tw::line13, qd::line4));
    SetTextGuarded(59, Text(d2::line18bEstate));
    if (ScheduleDTaxWorksheetInUse())
        SetGuarded(60, Min(L(58) + L(59), Amt(tw::line10)));
    else
        SetTextGuarded(60, LineText(58));
    Set(61, Min(L(57), L(60)));
    Set(62, Floor0(L(57) - L(61)));
    Set(63, TentativeTax(L(62)));
    Set(64, taxyear::kZeroRateCeiling2016);
    SetTextGuarded(65, GainFigure(d2::line27, tw::line14, qd::line5));
    Set(66, Floor0(L(64) - L(65)));
    Set(67, Floor0(Min(L(57), L(58))));
    Set(68, Min(L(66), L(67)));
    Set(69, L(67) - L(68));
}

void Page3Body()
{
    // Page 3 continues Part IV only; otherwise it holds nothing, and line 52 stays as Part III
    // figured it from line 51.
    if (!MinimumTaxDue() || !PartIVApplies()) {
        for (int line = 70; line <= 85; ++line) {
            if (line == 72)
                ClearGuarded(line);
            else
                Clear(line);
        }
        return;
    }

    Set(70, taxyear::kFifteenRateCeiling2016);
    Set(71, L(66));
    SetTextGuarded(72, GainFigure(d2::line27, tw::line18, qd::line5));
    Set(73, L(71) + L(72));
    Set(74, Floor0(L(70) - L(73)));
    Set(75, Min(L(69), L(74)));
    Set(76, L(75) * taxyear::kCapitalGainRate15);
    Set(77, L(68) + L(75));
    if (L(77) == L(57)) {
        for (int line = 78; line <= 82; ++line)
            Clear(line);
    } else {
        Set(78, Floor0(L(67) - L(77)));
        Set(79, L(78) * taxyear::kCapitalGainRate20);
        if (L(59) == 0) {
            for (int line = 80; line <= 82; ++line)
                Clear(line);
        } else {
            Set(80, L(62) + L(77) + L(78));
            Set(81, Floor0(L(57) - L(80)));
            Set(82, L(81) * taxyear::kUnrecaptured1250Rate);
        }
    }
    Set(83, L(63) + L(76) + L(79) + L(82));
    Set(84, TentativeTax(L(57)));
    Set(85, Min(L(83), L(84)));
    SetTextGuarded(52, LineText(85));
}

void Lines26To29Body()
{
    SetText(26, LineText(44));
    SetText(27, Text(f1::line19EstateTax));
    Set(28, L(26) + L(27));
    Set(29, L(25) - L(28));
}

}  // namespace

void CalcScheduleIPage1()
{
    RunCalculator(29037, Page1Body);
}

void CalcScheduleIPartII()
{
    RunCalculator(29047, PartIIBody);
}

void CalcScheduleIPartIII()
{
    RunCalculator(29607, PartIIIBody);
}

void CalcScheduleIPartIV()
{
    RunCalculator(29247, PartIVBody);
}

void CalcScheduleIPage3()
{
    RunCalculator(29247, Page3Body);
}

void CalcScheduleILines26To29()
{
    RunCalculator(29597, Lines26To29Body);
}

}  // namespace quorvan
