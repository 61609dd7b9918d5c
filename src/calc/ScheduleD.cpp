#include "calc/ScheduleD.h"

#include "calc/CalcSupport.h"
#include "calc/TaxYear.h"
#include "slot/Form1041APage1.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041QFT.h"
#include "slot/Form8949LongTerm.h"
#include "slot/Form8949ShortTerm.h"
#include "slot/ScheduleDPage1.h"
#include "slot/ScheduleDPage2.h"
#include "slot/Unrecaptured1250.h"

#include <algorithm>
#include <string>

namespace quorvan {

using namespace calc;

namespace {

namespace f1 = slot::form1041Page1;
namespace d1 = slot::scheduleDPage1;
namespace d2 = slot::scheduleDPage2;
// Boxes A to C and D to F share the slots of their layouts.
namespace f8949 = slot::form8949ShortTerm;
static_assert(f8949::sales::kFirst == slot::form8949LongTerm::sales::kFirst &&
                  f8949::line2Gain == slot::form8949LongTerm::line2Gain,
              "the short-term and long-term Form 8949 pages keep the same slots");

// Lines that receive the capital gain or limited loss: Form 1041 line 4, Form 1041-A line 4 and
// Form 1041-QFT line 3.
constexpr SlotRef kCapitalGainLines[] = {
    f1::line4CapitalGain, slot::form1041APage1::line4CapitalGain, slot::form1041QFT::line3CapitalGain,
};

// The four columns (d), (e), (g) and (h) of a Schedule D line that holds a box's totals.
struct BoxLine {
    SlotRef proceeds, cost, adjustment, gain;
};

struct Box {
    int formType;
    unsigned messageCode;
    BoxLine scheduleDLine;  // where the box's totals go
    int TAnswer::*count;
};

constexpr Box kBoxes[] = {
    {ftForm8949A,
     29447,
     {d1::line1bProceeds, d1::line1bCost, d1::line1bAdjustment, d1::line1bGain},
     &TAnswer::NoOf8949_A},
    {ftForm8949B, 29457, {d1::line2Proceeds, d1::line2Cost, d1::line2Adjustment, d1::line2Gain}, &TAnswer::NoOf8949_B},
    {ftForm8949C, 29467, {d1::line3Proceeds, d1::line3Cost, d1::line3Adjustment, d1::line3Gain}, &TAnswer::NoOf8949_C},
    {ftForm8949D,
     29477,
     {d1::line8bProceeds, d1::line8bCost, d1::line8bAdjustment, d1::line8bGain},
     &TAnswer::NoOf8949_D},
    {ftForm8949E, 29487, {d1::line9Proceeds, d1::line9Cost, d1::line9Adjustment, d1::line9Gain}, &TAnswer::NoOf8949_E},
    {ftForm8949F,
     29497,
     {d1::line10Proceeds, d1::line10Cost, d1::line10Adjustment, d1::line10Gain},
     &TAnswer::NoOf8949_F},
};

int PagesInUse(const Box& box)
{
    return std::clamp(Store().*box.count, 0, kMaxPages);
}

// One Form 8949 page: heading, box mark (boxes A and D mark the first box, B and E the second,
// C and F the third), each row's gain or (loss) and the column totals.
void CalcForm8949Page(int boxIndex, int k)
{
    const Box& box = kBoxes[boxIndex];
    RunCalculator(box.messageCode, [&box, boxIndex, k] {
        using namespace f8949::sales;
        const int t = box.formType;
        PutTextAlways(t, k, f8949::name, Text(f1::nameOfEstateOrTrust));
        PutTextAlways(t, k, f8949::identification, Text(f1::itemCEin));
        constexpr int marks[] = {f8949::boxMark1, f8949::boxMark2, f8949::boxMark3};
        for (int mark = 0; mark < 3; ++mark)
            PutTextAlways(t, k, marks[mark], mark == boxIndex % 3 ? "X" : "");
        double proceedsTotal = 0, costTotal = 0, adjustmentTotal = 0, gainTotal = 0;
        // Each amount is read once: the whole-dollar gain written is the gain added up.
        for (int r = 0; r < kRows; ++r) {
            const double rowProceeds = Amt(t, k, Slot(r, proceeds));
            const double rowCost = Amt(t, k, Slot(r, cost));
            const double rowAdjustment = Amt(t, k, Slot(r, adjustment));
            const double rowGain = rowProceeds - rowCost + rowAdjustment;
            PutAlways(t, k, Slot(r, gain), rowGain);
            proceedsTotal += rowProceeds;
            costTotal += rowCost;
            adjustmentTotal += rowAdjustment;
            gainTotal += rowGain;
        }
        PutAlways(t, k, f8949::line2Proceeds, proceedsTotal);
        PutAlways(t, k, f8949::line2Cost, costTotal);
        PutAlways(t, k, f8949::line2Adjustment, adjustmentTotal);
        PutAlways(t, k, f8949::line2Gain, gainTotal);
    });
}

// A box's totals over its pages in use, into its line of Schedule D in column order.
void CarryBoxTotals(const Box& box)
{
    const struct {
        int total;
        SlotRef line;
    } columns[] = {
        {f8949::line2Proceeds, box.scheduleDLine.proceeds},
        {f8949::line2Cost, box.scheduleDLine.cost},
        {f8949::line2Adjustment, box.scheduleDLine.adjustment},
        {f8949::line2Gain, box.scheduleDLine.gain},
    };
    for (const auto& column : columns) {
        double sum = 0;
        for (int k = 0; k < PagesInUse(box); ++k)
            sum += Amt(box.formType, k, column.total);
        PutAlways(column.line, sum);
    }
}

// A carryover belongs on its line as a positive amount that is subtracted.
void KeepPositive(SlotRef line)
{
    if (Amt(line) < 0)
        PutAlways(line, -Amt(line));
}

void PutCapitalGainLines(const std::string& text)
{
    for (const SlotRef line : kCapitalGainLines)
        PutTextGuarded(line, text);
}

}  // namespace

void CalcForm8949BoxA(int k) { CalcForm8949Page(0, k); }
void CalcForm8949BoxB(int k) { CalcForm8949Page(1, k); }
void CalcForm8949BoxC(int k) { CalcForm8949Page(2, k); }
void CalcForm8949BoxD(int k) { CalcForm8949Page(3, k); }
void CalcForm8949BoxE(int k) { CalcForm8949Page(4, k); }
void CalcForm8949BoxF(int k) { CalcForm8949Page(5, k); }

void CalcScheduleDPage1()
{
    RunCalculator(29057, [] {
        PutTextAlways(d1::nameOfEstateOrTrust, Text(f1::nameOfEstateOrTrust));
        PutTextAlways(d1::employerIdentificationNumber, Text(f1::itemCEin));

        // Part I, short term.
        PutAlways(d1::line1aGain, Amt(d1::line1aProceeds) - Amt(d1::line1aCost));
        for (int b = 0; b < 3; ++b)
            CarryBoxTotals(kBoxes[b]);
        KeepPositive(d1::line6Carryover);
        PutAlways(d1::line7NetShortTerm,
                  Amt(d1::line1aGain) + Amt(d1::line1bGain) + Amt(d1::line2Gain) + Amt(d1::line3Gain) +
                      Amt(d1::line4OtherForms) + Amt(d1::line5Partnerships) - Amt(d1::line6Carryover));

        // Part II, long term.
        PutAlways(d1::line8aGain, Amt(d1::line8aProceeds) - Amt(d1::line8aCost));
        for (int b = 3; b < 6; ++b)
            CarryBoxTotals(kBoxes[b]);
        KeepPositive(d1::line15Carryover);
        PutAlways(d1::line16NetLongTerm,
                  Amt(d1::line8aGain) + Amt(d1::line8bGain) + Amt(d1::line9Gain) + Amt(d1::line10Gain) +
                      Amt(d1::line11OtherForms) + Amt(d1::line12Partnerships) + Amt(d1::line13Distributions) +
                      Amt(d1::line14Form4797) - Amt(d1::line15Carryover));
    });
}

void CalcCapitalLossLimitation()
{
    RunCalculator(29067, [] {
        PutTextGuarded(d2::line20Limitation, std::string());
        // Part V is filled again by the second run of its calculator in this recalculation.
        for (int s = d2::line21.slot; s <= d2::line45.slot; ++s) {
            if (s != d2::line25.slot)
                PutTextAlways(ftScheduleDPage2, s, std::string());
        }
        PutCapitalGainLines(std::string());
        // Line 19 here is that of the previous run; Part III runs next.
        const double netGain = Amt(d2::line19Total);
        if (netGain > 0) {
            PutCapitalGainLines(Text(d2::line19Total));
        } else if (netGain < 0) {
            PutGuarded(d2::line20Limitation, Max(-taxyear::kCapitalLossLimit, netGain));
            PutCapitalGainLines(Text(d2::line20Limitation));
        }
    });
}

void CalcScheduleDPartIII()
{
    RunCalculator(29067, [] {
        PutTextAlways(d2::line17Total, Text(d1::line7NetShortTerm));
        PutAlways(d2::line17Estate, Amt(d1::line7NetShortTerm) - Amt(d2::line17Beneficiaries));
        PutTextAlways(d2::line18aTotal, Text(d1::line16NetLongTerm));
        PutAlways(d2::line18aEstate, Amt(d2::line18aTotal) - Amt(d2::line18aBeneficiaries));
        PutTextAlways(d2::line18bTotal, Text(slot::unrecaptured1250::line18));
        PutAlways(d2::line18bEstate, Amt(d2::line18bTotal) - Amt(d2::line18bBeneficiaries));
        PutAlways(d2::line18cTotal, Amt(d2::line18cBeneficiaries) + Amt(d2::line18cEstate));
        PutAlways(d2::line19Beneficiaries, Amt(d2::line17Beneficiaries) + Amt(d2::line18aBeneficiaries));
        PutAlways(d2::line19Estate, Amt(d2::line17Estate) + Amt(d2::line18aEstate));
        PutAlways(d2::line19Total, Amt(d2::line17Total) + Amt(d2::line18aTotal));
    });
}

}  // namespace quorvan
