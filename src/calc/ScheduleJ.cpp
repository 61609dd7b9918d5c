#include "calc/ScheduleJ.h"

#include "calc/CalcSupport.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/ScheduleJPage1.h"
#include "slot/ScheduleJPage2.h"

#include <cstdio>

namespace quorvan {

using namespace calc;

namespace {

namespace f1 = slot::form1041Page1;
namespace f2 = slot::form1041Page2;
namespace j1 = slot::scheduleJPage1;
namespace j2 = slot::scheduleJPage2;

constexpr int kColumns = 5;  // throwback years (a) to (e)

// Column c (0 for (a) to 4 for (e)) of a line whose columns stand side by side.
constexpr SlotRef Column(SlotRef columnA, int c)
{
    return {columnA.formType, columnA.slot + c};
}
static_assert(Column(j1::line17ColumnA, 4).slot == j1::line17ColumnE.slot &&
                  Column(j2::line31ColumnA, 4).slot == j2::line31ColumnE.slot &&
                  Column(j2::line37ColumnA, 2).slot == j2::line37ColumnC.slot,
              "the columns of a Schedule J line stand side by side");

// Part IV: the allocation rows of lines 32 to 36, each a throwback year and its columns (a) to (c).
struct AllocationRow {
    SlotRef year;
    SlotRef columnA;
};
constexpr AllocationRow kAllocationRows[kColumns] = {
    {j2::line32, j2::line32ColumnA}, {j2::line33, j2::line33ColumnA}, {j2::line34, j2::line34ColumnA},
    {j2::line35, j2::line35ColumnA}, {j2::line36, j2::line36ColumnA},
};

// A percent line holds its fraction as plain number text, at most 1: 0.25, 1.
std::string FractionText(double fraction)
{
    if (fraction > 1)
        fraction = 1;
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", fraction);
    return text;
}

bool Page1ColumnInUse(int c) { return !Text(Column(j1::throwbackYearColumnA, c)).empty(); }
bool Page2ColumnInUse(int c) { return !Text(Column(j2::throwbackYearColumnA, c)).empty(); }

// Writes the amount when the column is in use, the empty text otherwise.
void PutInColumn(SlotRef line, bool inUse, double amount)
{
    PutTextAlways(line, inUse ? Float2Dollar(amount) : std::string());
}

// Line 23 or 29: the ratio of two lines, none when the divisor is 0.
void PutPercent(SlotRef line, double numerator, double denominator)
{
    PutTextAlways(line, denominator == 0 ? std::string() : FractionText(numerator / denominator));
}

}  // namespace

void CalcScheduleJPartI()
{
    using namespace j1;
    RunCalculator(29077, [] {
        PutTextGuarded(nameOfTrust, Text(f1::nameOfEstateOrTrust));
        PutTextGuarded(employerIdentificationNumber, Text(f1::itemCEin));
        PutTextGuarded(line1OtherAmounts, Text(f2::scheduleBLine10Other));
        PutTextGuarded(line2Dni, Text(f2::scheduleBLine7Dni));
        PutTextGuarded(line3RequiredIncome, Text(f2::scheduleBLine9Required));
        PutAlways(line4, Max(0, Amt(line2Dni) - Amt(line3RequiredIncome)));
        PutAlways(line5AccumulationDistribution, Amt(line1OtherAmounts) - Amt(line4));
    });
}

void CalcScheduleJPage2()
{
    RunCalculator(29087, [] {
        for (int c = 0; c < kColumns; ++c)
            PutTextGuarded(Column(j2::throwbackYearColumnA, c), Text(Column(j1::throwbackYearColumnA, c)));

        // Line 21: a loss on either line leaves nothing to add.
        for (int c = 0; c < kColumns; ++c) {
            const double shortTerm = Amt(Column(j2::line19ColumnA, c));
            const double longTerm = Amt(Column(j2::line20ColumnA, c));
            const double sum = (shortTerm < 0 || longTerm < 0) ? 0 : shortTerm + longTerm;
            PutInColumn(Column(j2::line21ColumnA, c), Page2ColumnInUse(c), sum);
        }
        for (int c = 0; c < kColumns; ++c)
            PutPercent(Column(j2::line23ColumnA, c), Amt(Column(j2::line21ColumnA, c)),
                       Amt(Column(j2::line22ColumnA, c)));
        for (int c = 0; c < kColumns; ++c)
            PutInColumn(Column(j2::line24ColumnA, c), Page2ColumnInUse(c),
                        Unrounded(Column(j2::line23ColumnA, c)) * Amt(Column(j2::line18ColumnA, c)));
        for (int c = 0; c < kColumns; ++c)
            PutInColumn(Column(j2::line25ColumnA, c), Page2ColumnInUse(c),
                        Amt(Column(j2::line18ColumnA, c)) - Amt(Column(j2::line24ColumnA, c)));

        for (int c = 0; c < kColumns; ++c)
            PutPercent(Column(j2::line29ColumnA, c), Amt(Column(j2::line27ColumnA, c)),
                       Amt(Column(j2::line28ColumnA, c)));
        for (int c = 0; c < kColumns; ++c)
            PutInColumn(Column(j2::line30ColumnA, c), Page2ColumnInUse(c),
                        Unrounded(Column(j2::line29ColumnA, c)) * Amt(Column(j2::line26ColumnA, c)));
        for (int c = 0; c < kColumns; ++c)
            PutInColumn(Column(j2::line31ColumnA, c), Page2ColumnInUse(c),
                        Amt(Column(j2::line26ColumnA, c)) - Amt(Column(j2::line30ColumnA, c)));

        // Part IV: one allocation row per throwback year, columns (a) to (c) totalled on line 37.
        for (int row = 0; row < kColumns; ++row)
            PutTextGuarded(kAllocationRows[row].year, Text(Column(j1::throwbackYearColumnA, row)));
        for (int column = 0; column < 3; ++column) {
            double total = 0;
            for (const AllocationRow& row : kAllocationRows)
                total += Amt(Column(row.columnA, column));
            PutAlways(Column(j2::line37ColumnA, column), total);
        }
    });
}

void CalcScheduleJPartII()
{
    RunCalculator(29627, [] {
        for (int c = 0; c < kColumns; ++c)
            PutInColumn(Column(j1::line8ColumnA, c), Page1ColumnInUse(c),
                        Amt(Column(j1::line6ColumnA, c)) - Amt(Column(j1::line7ColumnA, c)));
        for (int c = 0; c < kColumns; ++c) {
            if (!Overridden(Column(j1::line9ColumnA, c)))
                PutInColumn(Column(j1::line9ColumnA, c), Page1ColumnInUse(c),
                            Amt(Column(j2::line25ColumnA, c)) + Amt(Column(j2::line31ColumnA, c)));
        }
        for (int c = 0; c < kColumns; ++c)
            PutInColumn(Column(j1::line10ColumnA, c), Page1ColumnInUse(c),
                        Amt(Column(j1::line8ColumnA, c)) - Amt(Column(j1::line9ColumnA, c)));
        for (int c = 0; c < kColumns; ++c)
            PutInColumn(Column(j1::line12ColumnA, c), Page1ColumnInUse(c),
                        Amt(Column(j1::line10ColumnA, c)) - Amt(Column(j1::line11ColumnA, c)));
        // Line 14 shows whenever line 10 has an amount, in use or not.
        for (int c = 0; c < kColumns; ++c) {
            const double undistributed = Amt(Column(j1::line10ColumnA, c));
            if (undistributed == 0)
                PutTextAlways(Column(j1::line14ColumnA, c), std::string());
            else
                PutAlways(Column(j1::line14ColumnA, c),
                          (Amt(Column(j1::line13ColumnA, c)) / undistributed) * Amt(Column(j1::line9ColumnA, c)));
        }
        for (int c = 0; c < kColumns; ++c)
            PutInColumn(Column(j1::line15ColumnA, c), Page1ColumnInUse(c),
                        Amt(Column(j1::line13ColumnA, c)) + Amt(Column(j1::line14ColumnA, c)));
        for (int c = 0; c < kColumns; ++c)
            PutInColumn(Column(j1::line17ColumnA, c), Page1ColumnInUse(c),
                        Amt(Column(j1::line15ColumnA, c)) - Amt(Column(j1::line16ColumnA, c)));
    });
}

}  // namespace quorvan
