#include "calc/ScheduleI.h"

#include "calc/CalcSupport.h"
#include "calc/CapitalGainWorksheets.h"
#include "calc/TaxYear.h"

namespace quorvan {

using namespace calc;

namespace {

constexpr int F1 = ftForm1041Page1;
constexpr int F2 = ftForm1041Page2;
constexpr int I1 = ftScheduleIPage1;
constexpr int I2 = ftScheduleIPage2;
constexpr int I3 = ftScheduleIPage3;
constexpr int SD = ftScheduleDPage2;
constexpr int DTW = ftScheduleDTaxWorksheet;
constexpr int QDW = ftQualifiedDividendsWorksheet;

// Form 1041 page 1 and page 2 (Schedules A, B and G).
enum : int {
    estateName = 11, estateEin = 17, line2b2QualifiedToEstate = 33, line4CapitalGain = 35,
    line10Interest = 43, line11Taxes = 44, line15cTwoPercent = 49, line17Adjusted = 51,
    line19EstateTax = 53,
};
enum : int {
    scheduleALine4 = 3, scheduleBLine9 = 15, scheduleBLine10 = 16, scheduleGLine1a = 24,
    scheduleGLine1c = 26, scheduleGLine2a = 28,
};
// Schedule D page 2: lines 18a, 18b and 19 of column (2), line 19 of column (1), Part V lines
// 26 and 27.
enum : int {
    sdLine18aEstate = 4, sdLine18bEstate = 7, sdLine19Beneficiaries = 12, sdLine19Estate = 13,
    sdLine26 = 21, sdLine27 = 22,
};
// Page 2 name and identification number; slot 24 lies between lines 68 and 69.
constexpr int page2Name = 34;
constexpr int page2Ein = 35;
constexpr int page2Unused = 24;

// Lines 1 to 42 are on page 1 (slot = line + 1), 43 to 69 on page 2, 70 to 85 on page 3.
int Page2Slot(int line)
{
    switch (line) {
    case 43: return 32;
    case 44: return 33;
    case 69: return 25;
    default: return line - 45;
    }
}
struct Where {
    int formType;
    int slot;
};
Where LineAt(int line)
{
    if (line <= 42)
        return {I1, line + 1};
    if (line <= 69)
        return {I2, Page2Slot(line)};
    return {I3, line - 70};
}

double L(int line) { const Where w = LineAt(line); return Amt(w.formType, w.slot); }
const std::string& LineText(int line) { const Where w = LineAt(line); return Text(w.formType, w.slot); }
void Set(int line, double amount) { const Where w = LineAt(line); PutAlways(w.formType, w.slot, amount); }
void SetText(int line, std::string text) { const Where w = LineAt(line); PutTextAlways(w.formType, w.slot, std::move(text)); }
void SetGuarded(int line, double amount) { const Where w = LineAt(line); PutGuarded(w.formType, w.slot, amount); }
void SetTextGuarded(int line, std::string text) { const Where w = LineAt(line); PutTextGuarded(w.formType, w.slot, std::move(text)); }
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
    return (Amt(SD, sdLine18aEstate) > 0 && Amt(SD, sdLine19Estate) > 0) || Amt(F1, line2b2QualifiedToEstate) > 0;
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
    PutTextAlways(I2, page2Unused, std::string());
    for (int line : {58, 59, 60, 65})
        ClearGuarded(line);
    Set(64, taxyear::kZeroRateCeiling2016);
}

// Which capital gain computation holds the figures of lines 58, 65 and 72: Schedule D Part V,
// the Schedule D Tax Worksheet or the Qualified Dividends Tax Worksheet (the last in use wins).
std::string GainFigure(int partVSlot, int taxWorksheetSlot, int dividendsWorksheetSlot)
{
    std::string figure = Text(SD, partVSlot);
    if (ScheduleDTaxWorksheetInUse())
        figure = Text(DTW, taxWorksheetSlot);
    if (QualifiedDividendsWorksheetInUse())
        figure = Text(QDW, dividendsWorksheetSlot);
    return figure;
}

void Page1Body()
{
    PutTextAlways(I1, 0, Text(F1, estateName));
    PutTextAlways(I1, 1, Text(F1, estateEin));
    SetTextGuarded(1, Text(F1, line17Adjusted));
    SetTextGuarded(2, Text(F1, line10Interest));
    SetTextGuarded(3, Text(F1, line11Taxes));
    SetText(4, Text(F1, line15cTwoPercent));
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
    const double capitalGain = Amt(F1, line4CapitalGain);
    if (line25 < 0 && capitalGain < 0)
        Set(30, Max(line25, capitalGain));
    else if (line25 < 0 && capitalGain == 0)
        SetText(30, "0.00");
    else
        Set(30, line25);

    SetGuarded(32, Floor0(Amt(SD, sdLine19Beneficiaries)));
    SetTextGuarded(33, Text(F2, scheduleALine4));
    Set(37, Floor0(L(30) + L(31) + L(32) + L(33) + L(34) - L(35) + L(36)));
    SetTextGuarded(38, Text(F2, scheduleBLine9));
    SetTextGuarded(39, Text(F2, scheduleBLine10));
    Set(40, L(38) + L(39));
    Set(42, L(40) - L(41));
    Set(43, Floor0(L(37) - L(31)));
    Set(44, Min(L(42), L(43)));
}

void PartIIIBody()
{
    PutTextAlways(I2, page2Name, Text(F1, estateName));
    PutTextAlways(I2, page2Ein, Text(F1, estateEin));
    Set(45, taxyear::kAmtExemption);
    Set(47, taxyear::kAmtExemptionPhaseOutStart);
    for (int line : {46, 48, 49, 50, 54, 56})
        Clear(line);
    for (int line : {51, 52, 55})
        ClearGuarded(line);

    // Line 29 is that of the previous run (lines 26 to 29 are figured last).
    if (!MinimumTaxDue()) {
        PutTextGuarded(F2, scheduleGLine1c, std::string());
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
    SetGuarded(55, Amt(F2, scheduleGLine1a) - Amt(F2, scheduleGLine2a));
    Set(56, Floor0(L(54) - L(55)));
    PutTextGuarded(F2, scheduleGLine1c, LineText(56));
}

void PartIVBody()
{
    Set(57, L(51));
    // Line 58 is the gain and qualified dividends taxed at the lower rates: Schedule D line 26,
    // which holds the qualified dividends as the worksheets' lines do.
    SetTextGuarded(58, GainFigure(sdLine26, 13, 4));
    SetTextGuarded(59, Text(SD, sdLine18bEstate));
    if (ScheduleDTaxWorksheetInUse())
        SetGuarded(60, Min(L(58) + L(59), Amt(DTW, 10)));
    else
        SetTextGuarded(60, LineText(58));
    Set(61, Min(L(57), L(60)));
    Set(62, Floor0(L(57) - L(61)));
    Set(63, TentativeTax(L(62)));
    Set(64, taxyear::kZeroRateCeiling2016);
    SetTextGuarded(65, GainFigure(sdLine27, 14, 5));
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
    SetTextGuarded(72, GainFigure(sdLine27, 18, 5));
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
    SetText(27, Text(F1, line19EstateTax));
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
