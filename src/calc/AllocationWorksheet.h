#pragma once
// The allocation worksheet: the income of the estate or trust class by class (interest,
// dividends, business income, gains in distributable net income, rents, farm income, ordinary
// gain, other income and tax-exempt interest), each deduction charged to the classes it belongs
// to, the charitable deduction charged ratably, distributable net income and accounting income by
// class, and each beneficiary's share of every class by the tier system or by the K-1 percentage.
// While the worksheet and every K-1's distribution amounts are empty, nothing here is in use and
// the return figures as it always has.

#include <array>
#include <vector>

namespace quorvan {

class TAnswer;

// The classes, in the order of the Form 1041 income lines; TE is the tax-exempt interest.
enum IncomeClass : int {
    kClassInterest,
    kClassDividends,
    kClassBusiness,
    kClassGain,
    kClassRents,
    kClassFarm,
    kClassOrdinaryGain,
    kClassOther,
    kClassTaxExempt,
    kClassCount
};
using ClassAmounts = std::array<double, kClassCount>;

// What the worksheet and the K-1 pages yield for one run.
struct ClassAllocation {
    bool inUse = false;
    ClassAmounts beforeCharity{};  // distributable net income by class, before the charitable deduction
    ClassAmounts charity{};        // the charitable deduction by class
    ClassAmounts afterCharity{};   // distributable net income by class
    double accountingIncome = 0;
    bool tiers = false;                       // shares from the tier system (else from the K-1 percentages)
    double requiredTotal = 0;                 // Schedule B line 9
    double otherTotal = 0;                    // Schedule B line 10
    std::vector<ClassAmounts> beneficiaries;  // one per K-1 page in use, unrounded
};

// Whether the worksheet holds any entry or a K-1 page in use a distribution amount.
bool ClassAllocationInUse();

// Figures the whole allocation from the open return as it stands.
ClassAllocation FigureClassAllocation();

// The tax-exempt part of a deduction line the worksheet holds the amount paid of (0 otherwise).
// `line` is one of Form 1041 lines 10, 11, 12, 14, 15a, 15c.
double TaxExemptPartOf(int page1Slot);

// Line 15a or 15c from its continuation total: the amount paid typed on the worksheet less its
// tax-exempt part, or `scheduleTotal` while the worksheet holds no amount paid.
double DeductibleFromSchedule(int page1Slot, double scheduleTotal);

// Runs after Form 1041's income and Schedule D, before Schedules A and B: the deduction lines,
// Schedule A line 2, Schedule B lines 2, 9, 10 and 12 and the worksheet's results.
void CalcAllocationWorksheet();

}  // namespace quorvan
