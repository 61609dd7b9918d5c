#include "calc/ScheduleJ.h"

#include "calc/CalcSupport.h"

#include <cstdio>

namespace quorvan {

using namespace calc;

namespace {

constexpr int F1 = ftForm1041Page1;
constexpr int F2 = ftForm1041Page2;
constexpr int J1 = ftScheduleJPage1;
constexpr int J2 = ftScheduleJPage2;
constexpr int kColumns = 5;  // throwback years (a) to (e)
constexpr int form1041Name = 11;
constexpr int form1041Ein = 17;

// Page 1: identification and Part I, then the first slot of each Part II line (column (a)).
enum : int {
    trustName = 0, trustEin = 1, line1OtherAmounts = 2, line2Dni = 3, line3RequiredIncome = 4,
    line4 = 5, line5AccumulationDistribution = 6,
    throwbackYear = 7, line6Dni = 12, line7Distributions = 17, line8 = 22, line9FromPage2 = 27,
    line10Undistributed = 32, line11PriorThrownBack = 37, line12 = 42, line13Allocation = 47,
    line14 = 52, line15 = 57, line16TaxExempt = 62, line17 = 67,
};
// Page 2: Part III (column (a) of each line) and Part IV.
enum : int {
    yearCopy = 0, line18Tax = 5, line19ShortTerm = 10, line20LongTerm = 15, line21 = 20,
    line22TaxableIncome = 25, line23Percent = 30, line24 = 35, line25 = 40, line26Tax = 45,
    line27Numerator = 50, line28Denominator = 55, line29Percent = 60, line30 = 65, line31 = 70,
    firstAllocationRow = 79, allocationRowWidth = 4, line37Totals = 99,
};
// Schedule B lines 7, 9 and 10 on Form 1041 page 2.
constexpr int scheduleBLine7 = 13;
constexpr int scheduleBLine9 = 15;
constexpr int scheduleBLine10 = 16;

// A percent line holds its fraction as plain number text, at most 1: 0.25, 1.
std::string FractionText(double fraction)
{
    if (fraction > 1)
        fraction = 1;
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", fraction);
    return text;
}

bool Page1ColumnInUse(int c) { return !Text(J1, throwbackYear + c).empty(); }
bool Page2ColumnInUse(int c) { return !Text(J2, yearCopy + c).empty(); }

// Writes the amount when the column is in use, the empty text otherwise.
void PutInColumn(int t, int slot, bool inUse, double amount)
{
    PutTextAlways(t, slot, inUse ? Float2Dollar(amount) : std::string());
}

// Line 23 or 29: the ratio of two lines, none when the divisor is 0.
void PutPercent(int slot, double numerator, double denominator)
{
    PutTextAlways(J2, slot, denominator == 0 ? std::string() : FractionText(numerator / denominator));
}

}  // namespace

void CalcScheduleJPartI()
{
    RunCalculator(29077, [] {
        PutTextGuarded(J1, trustName, Text(F1, form1041Name));
        PutTextGuarded(J1, trustEin, Text(F1, form1041Ein));
        PutTextGuarded(J1, line1OtherAmounts, Text(F2, scheduleBLine10));
        PutTextGuarded(J1, line2Dni, Text(F2, scheduleBLine7));
        PutTextGuarded(J1, line3RequiredIncome, Text(F2, scheduleBLine9));
        PutAlways(J1, line4, Max(0, Amt(J1, line2Dni) - Amt(J1, line3RequiredIncome)));
        PutAlways(J1, line5AccumulationDistribution, Amt(J1, line1OtherAmounts) - Amt(J1, line4));
    });
}

void CalcScheduleJPage2()
{
    RunCalculator(29087, [] {
        for (int c = 0; c < kColumns; ++c)
            PutTextGuarded(J2, yearCopy + c, Text(J1, throwbackYear + c));

        // Line 21: a loss on either line leaves nothing to add.
        for (int c = 0; c < kColumns; ++c) {
            const double shortTerm = Amt(J2, line19ShortTerm + c);
            const double longTerm = Amt(J2, line20LongTerm + c);
            const double sum = (shortTerm < 0 || longTerm < 0) ? 0 : shortTerm + longTerm;
            PutInColumn(J2, line21 + c, Page2ColumnInUse(c), sum);
        }
        for (int c = 0; c < kColumns; ++c)
            PutPercent(line23Percent + c, Amt(J2, line21 + c), Amt(J2, line22TaxableIncome + c));
        for (int c = 0; c < kColumns; ++c)
            PutInColumn(J2, line24 + c, Page2ColumnInUse(c), Unrounded(J2, line23Percent + c) * Amt(J2, line18Tax + c));
        for (int c = 0; c < kColumns; ++c)
            PutInColumn(J2, line25 + c, Page2ColumnInUse(c), Amt(J2, line18Tax + c) - Amt(J2, line24 + c));

        for (int c = 0; c < kColumns; ++c)
            PutPercent(line29Percent + c, Amt(J2, line27Numerator + c), Amt(J2, line28Denominator + c));
        for (int c = 0; c < kColumns; ++c)
            PutInColumn(J2, line30 + c, Page2ColumnInUse(c), Unrounded(J2, line29Percent + c) * Amt(J2, line26Tax + c));
        for (int c = 0; c < kColumns; ++c)
            PutInColumn(J2, line31 + c, Page2ColumnInUse(c), Amt(J2, line26Tax + c) - Amt(J2, line30 + c));

        // Part IV: one allocation row per throwback year, columns (a) to (c) totalled on line 37.
        for (int row = 0; row < kColumns; ++row)
            PutTextGuarded(J2, firstAllocationRow + allocationRowWidth * row, Text(J1, throwbackYear + row));
        for (int column = 0; column < 3; ++column) {
            double total = 0;
            for (int row = 0; row < kColumns; ++row)
                total += Amt(J2, firstAllocationRow + allocationRowWidth * row + 1 + column);
            PutAlways(J2, line37Totals + column, total);
        }
    });
}

void CalcScheduleJPartII()
{
    RunCalculator(29627, [] {
        for (int c = 0; c < kColumns; ++c)
            PutInColumn(J1, line8 + c, Page1ColumnInUse(c), Amt(J1, line6Dni + c) - Amt(J1, line7Distributions + c));
        for (int c = 0; c < kColumns; ++c) {
            if (!Overridden(J1, line9FromPage2 + c))
                PutInColumn(J1, line9FromPage2 + c, Page1ColumnInUse(c), Amt(J2, line25 + c) + Amt(J2, line31 + c));
        }
        for (int c = 0; c < kColumns; ++c)
            PutInColumn(J1, line10Undistributed + c, Page1ColumnInUse(c), Amt(J1, line8 + c) - Amt(J1, line9FromPage2 + c));
        for (int c = 0; c < kColumns; ++c)
            PutInColumn(J1, line12 + c, Page1ColumnInUse(c), Amt(J1, line10Undistributed + c) - Amt(J1, line11PriorThrownBack + c));
        // Line 14 shows whenever line 10 has an amount, in use or not.
        for (int c = 0; c < kColumns; ++c) {
            const double undistributed = Amt(J1, line10Undistributed + c);
            if (undistributed == 0)
                PutTextAlways(J1, line14 + c, std::string());
            else
                PutAlways(J1, line14 + c, (Amt(J1, line13Allocation + c) / undistributed) * Amt(J1, line9FromPage2 + c));
        }
        for (int c = 0; c < kColumns; ++c)
            PutInColumn(J1, line15 + c, Page1ColumnInUse(c), Amt(J1, line13Allocation + c) + Amt(J1, line14 + c));
        for (int c = 0; c < kColumns; ++c)
            PutInColumn(J1, line17 + c, Page1ColumnInUse(c), Amt(J1, line15 + c) - Amt(J1, line16TaxExempt + c));
    });
}

}  // namespace quorvan
