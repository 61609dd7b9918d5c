#include "calc/ScheduleD.h"

#include "calc/CalcSupport.h"
#include "calc/TaxYear.h"

#include <algorithm>
#include <string>

namespace quorvan {

using namespace calc;

namespace {

constexpr int F1 = ftForm1041Page1;
constexpr int D1 = ftScheduleDPage1;
constexpr int D2 = ftScheduleDPage2;

constexpr int nameOfTrust = 11;
constexpr int employerIdentification = 17;

// Slots of a Form 8949 page: the heading, the box marks, sixteen rows of eight columns and the
// four column totals.
enum : int {
    f8949Name = 0, f8949Identification = 1, f8949FirstBoxMark = 2,
    f8949Rows = 16, f8949FirstRow = 5, f8949RowWidth = 8,
    colProceeds = 3, colCost = 4, colAdjustment = 6, colGain = 7,  // offsets from the row's first slot
    totalProceeds = 133, totalCost = 134, totalAdjustment = 135, totalGain = 136,
};

// Slots of Schedule D page 1.
enum : int {
    dName = 0, dIdentification = 1, line1aProceeds = 2, line1aCost = 3, line1aGain = 4,
    line1bBoxA = 5, line2BoxB = 9, line3BoxC = 13, line4OtherForms = 17, line5Partnerships = 18,
    line6Carryover = 19, line7NetShortTerm = 20, line8aProceeds = 21, line8aCost = 22,
    line8aGain = 23, line8bBoxD = 24, line9BoxE = 28, line10BoxF = 32, line11OtherForms = 36,
    line12Partnerships = 37, line13Distributions = 38, line14Form4797 = 39, line15Carryover = 40,
    line16NetLongTerm = 41,
    // Each box line holds four columns: (d), (e), (g), (h).
    colD = 0, colE = 1, colG = 2, colH = 3,
};

// Slots of Schedule D page 2, lines 17 to 20.
enum : int {
    line17Beneficiaries = 0, line17Estate = 1, line17Total = 2,
    line18aBeneficiaries = 3, line18aEstate = 4, line18aTotal = 5,
    line18bBeneficiaries = 6, line18bEstate = 7, line18bTotal = 8,
    line18cBeneficiaries = 9, line18cEstate = 10, line18cTotal = 11,
    line19Beneficiaries = 12, line19Estate = 13, line19Total = 14, line20Limitation = 15,
    partVFirst = 16, partVForm4952 = 20, partVLast = 40,
};

// Lines that receive the capital gain or limited loss: Form 1041 line 4, Form 1041-A line 9 and
// Form 1041-QFT line 16.
struct Destination {
    int formType;
    int slot;
};
constexpr Destination kCapitalGainLines[] = {
    {F1, 35}, {ftForm1041APage1, 9}, {ftForm1041QFT, 16},
};

constexpr int unrecaptured1250Result = 18;

struct Box {
    int formType;
    unsigned messageCode;
    int scheduleDLine;  // first of the four Schedule D slots the box's totals go to
    int TAnswer::*count;
};

constexpr Box kBoxes[] = {
    {ftForm8949A, 29447, line1bBoxA, &TAnswer::NoOf8949_A},
    {ftForm8949B, 29457, line2BoxB, &TAnswer::NoOf8949_B},
    {ftForm8949C, 29467, line3BoxC, &TAnswer::NoOf8949_C},
    {ftForm8949D, 29477, line8bBoxD, &TAnswer::NoOf8949_D},
    {ftForm8949E, 29487, line9BoxE, &TAnswer::NoOf8949_E},
    {ftForm8949F, 29497, line10BoxF, &TAnswer::NoOf8949_F},
};

int PagesInUse(const Box& box)
{
    return std::clamp(Store().*box.count, 0, kMaxPages);
}

// One Form 8949 page: heading, box mark (boxes A and D mark slot 2, B and E slot 3, C and F
// slot 4), each row's gain or (loss) and the column totals.
void CalcForm8949Page(int boxIndex, int k)
{
    const Box& box = kBoxes[boxIndex];
    RunCalculator(box.messageCode, [&box, boxIndex, k] {
        const int t = box.formType;
        PutTextAlways(t, k, f8949Name, Text(F1, nameOfTrust));
        PutTextAlways(t, k, f8949Identification, Text(F1, employerIdentification));
        for (int mark = 0; mark < 3; ++mark)
            PutTextAlways(t, k, f8949FirstBoxMark + mark, mark == boxIndex % 3 ? "X" : "");
        double proceeds = 0, cost = 0, adjustment = 0, gain = 0;
        for (int r = 0; r < f8949Rows; ++r) {
            const int row = f8949FirstRow + f8949RowWidth * r;
            PutAlways(t, k, row + colGain,
                      Amt(t, k, row + colProceeds) - Amt(t, k, row + colCost) + Amt(t, k, row + colAdjustment));
            proceeds += Amt(t, k, row + colProceeds);
            cost += Amt(t, k, row + colCost);
            adjustment += Amt(t, k, row + colAdjustment);
            gain += Amt(t, k, row + colGain);
        }
        PutAlways(t, k, totalProceeds, proceeds);
        PutAlways(t, k, totalCost, cost);
        PutAlways(t, k, totalAdjustment, adjustment);
        PutAlways(t, k, totalGain, gain);
    });
}

// A box's totals over its pages in use, into its line of Schedule D in column order.
void CarryBoxTotals(const Box& box)
{
    constexpr int totals[] = {totalProceeds, totalCost, totalAdjustment, totalGain};
    for (int column = colD; column <= colH; ++column) {
        double sum = 0;
        for (int k = 0; k < PagesInUse(box); ++k)
            sum += Amt(box.formType, k, totals[column]);
        PutAlways(D1, box.scheduleDLine + column, sum);
    }
}

// A carryover belongs on its line as a positive amount that is subtracted.
void KeepPositive(int slot)
{
    if (Amt(D1, slot) < 0)
        PutAlways(D1, slot, -Amt(D1, slot));
}

void PutCapitalGainLines(const std::string& text)
{
    for (const Destination& line : kCapitalGainLines)
        PutTextGuarded(line.formType, line.slot, text);
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
        PutTextAlways(D1, dName, Text(F1, nameOfTrust));
        PutTextAlways(D1, dIdentification, Text(F1, employerIdentification));

        // Part I, short term.
        PutAlways(D1, line1aGain, Amt(D1, line1aProceeds) - Amt(D1, line1aCost));
        for (int b = 0; b < 3; ++b)
            CarryBoxTotals(kBoxes[b]);
        KeepPositive(line6Carryover);
        PutAlways(D1, line7NetShortTerm,
                  Amt(D1, line1aGain) + Amt(D1, line1bBoxA + colH) + Amt(D1, line2BoxB + colH) +
                      Amt(D1, line3BoxC + colH) + Amt(D1, line4OtherForms) + Amt(D1, line5Partnerships) -
                      Amt(D1, line6Carryover));

        // Part II, long term.
        PutAlways(D1, line8aGain, Amt(D1, line8aProceeds) - Amt(D1, line8aCost));
        for (int b = 3; b < 6; ++b)
            CarryBoxTotals(kBoxes[b]);
        KeepPositive(line15Carryover);
        PutAlways(D1, line16NetLongTerm,
                  Amt(D1, line8aGain) + Amt(D1, line8bBoxD + colH) + Amt(D1, line9BoxE + colH) +
                      Amt(D1, line10BoxF + colH) + Amt(D1, line11OtherForms) + Amt(D1, line12Partnerships) +
                      Amt(D1, line13Distributions) + Amt(D1, line14Form4797) - Amt(D1, line15Carryover));
    });
}

void CalcCapitalLossLimitation()
{
    RunCalculator(29067, [] {
        PutTextGuarded(D2, line20Limitation, std::string());
        // Part V is filled again by the second run of its calculator in this recalculation.
        for (int s = partVFirst; s <= partVLast; ++s) {
            if (s != partVForm4952)
                PutTextAlways(D2, s, std::string());
        }
        PutCapitalGainLines(std::string());
        // Line 19 here is that of the previous run; Part III runs next.
        const double netGain = Amt(D2, line19Total);
        if (netGain > 0) {
            PutCapitalGainLines(Text(D2, line19Total));
        } else if (netGain < 0) {
            PutGuarded(D2, line20Limitation, Max(-taxyear::kCapitalLossLimit, netGain));
            PutCapitalGainLines(Text(D2, line20Limitation));
        }
    });
}

void CalcScheduleDPartIII()
{
    RunCalculator(29067, [] {
        PutTextAlways(D2, line17Total, Text(D1, line7NetShortTerm));
        PutAlways(D2, line17Estate, Amt(D1, line7NetShortTerm) - Amt(D2, line17Beneficiaries));
        PutTextAlways(D2, line18aTotal, Text(D1, line16NetLongTerm));
        PutAlways(D2, line18aEstate, Amt(D2, line18aTotal) - Amt(D2, line18aBeneficiaries));
        PutTextAlways(D2, line18bTotal, Text(ftUnrecaptured1250, unrecaptured1250Result));
        PutAlways(D2, line18bEstate, Amt(D2, line18bTotal) - Amt(D2, line18bBeneficiaries));
        PutAlways(D2, line18cTotal, Amt(D2, line18cBeneficiaries) + Amt(D2, line18cEstate));
        PutAlways(D2, line19Beneficiaries, Amt(D2, line17Beneficiaries) + Amt(D2, line18aBeneficiaries));
        PutAlways(D2, line19Estate, Amt(D2, line17Estate) + Amt(D2, line18aEstate));
        PutAlways(D2, line19Total, Amt(D2, line17Total) + Amt(D2, line18aTotal));
    });
}

}  // namespace quorvan
