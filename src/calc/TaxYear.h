#pragma once
// Every tax-year figure the calculators use: the rate schedules and the amounts of the 2016
// forms (and the 2017 figures that Form 1041-ES estimates with). Calculators name these;
// no threshold is written twice.

#include <array>

namespace quorvan::taxyear {

// One bracket of a rate schedule: the tax on an amount in (lower, upper] is
// (amount - lower) * rate + base.
struct Bracket {
    double lower;
    double upper;
    double base;
    double rate;
};

constexpr double kTopUpper = 999999999;

// The calendar year of the returns this program prepares.
constexpr int kReturnYear = 2016;

// The year Form 1041-ES estimates for: its vouchers' calendar year.
constexpr int kEstimatedTaxYear = 2017;

// 2016 tax rate schedule for estates and trusts.
constexpr std::array<Bracket, 5> kTrustSchedule2016 = {{
    {0, 2550, 0, 0.15},
    {2550, 5950, 382.50, 0.25},
    {5950, 9050, 1232.50, 0.28},
    {9050, 12400, 2100.50, 0.33},
    {12400, kTopUpper, 3206, 0.396},
}};

// 2017 tax rate schedule for estates and trusts (Form 1041-ES estimates next year's tax).
constexpr std::array<Bracket, 5> kTrustSchedule2017 = {{
    {0, 2550, 0, 0.15},
    {2550, 6000, 382.50, 0.25},
    {6000, 9150, 1245, 0.28},
    {9150, 12500, 2127, 0.33},
    {12500, kTopUpper, 3232.50, 0.396},
}};

// 2016 married filing separately schedule, which a bankruptcy estate uses.
constexpr std::array<Bracket, 7> kBankruptcySchedule2016 = {{
    {0, 9275, 0, 0.10},
    {9275, 37650, 927.50, 0.15},
    {37650, 75950, 5183.75, 0.25},
    {75950, 115725, 14758.75, 0.28},
    {115725, 206675, 25895.75, 0.33},
    {206675, 233475, 55909.25, 0.35},
    {233475, kTopUpper, 65289.25, 0.396},
}};

// Form 1041 line 20 exemptions.
constexpr double kExemptionDefault = 100;
constexpr double kExemptionDecedentsEstate = 600;
constexpr double kExemptionSimpleTrust = 300;
constexpr double kExemptionDisabilityTrust = 4050;
constexpr double kExemptionBankruptcyEstate = 100;
// The qualified disability trust's exemption loses 2% for each started 2,500 of modified
// adjusted total income above 259,400, and all of it above 122,500 of excess.
constexpr double kDisabilityPhaseOutStart = 259400;
constexpr double kDisabilityPhaseOutStep = 2500;
constexpr double kDisabilityPhaseOutRange = 122500;
constexpr double kDisabilityPhaseOutRatePerStep = 0.02;

// 2016 capital gain rate breakpoints for estates and trusts (0% up to, 15% up to).
constexpr double kZeroRateCeiling2016 = 2550;
constexpr double kFifteenRateCeiling2016 = 12400;
// A bankruptcy estate's 2016 breakpoints: those of a married person filing separately.
constexpr double kBankruptcyZeroRateCeiling2016 = 37650;
constexpr double kBankruptcyFifteenRateCeiling2016 = 233475;
// 2017 breakpoints for the Form 1041-ES maximum capital gains rates worksheet.
constexpr double kZeroRateCeiling2017 = 2550;
constexpr double kFifteenRateCeiling2017 = 12500;
// Rates of the capital gain layers above the 0% layer.
constexpr double kCapitalGainRate15 = 0.15;
constexpr double kCapitalGainRate20 = 0.20;
constexpr double kUnrecaptured1250Rate = 0.25;
constexpr double kRate28Gain = 0.28;

// Capital loss limitation (Schedule D line 20).
constexpr double kCapitalLossLimit = 3000;

// Schedule I (alternative minimum tax), 2016.
constexpr double kAmtExemption = 23900;
constexpr double kAmtExemptionPhaseOutStart = 79850;
constexpr double kAmtRateBreakpoint = 186300;
constexpr double kAmtExemptionPhaseOutRate = 0.25;
// Tentative minimum tax: 26% up to the breakpoint, above it 28% less 2% of the breakpoint.
constexpr double kAmtLowRate = 0.26;
constexpr double kAmtHighRate = 0.28;
constexpr double kAmtHighRateReduction = 3726;

// Form 1041 line 15c: miscellaneous itemized deductions above 2% of the base.
constexpr double kTwoPercentFloor = 0.02;

// Form 8960: an estate or trust pays 3.8% of the smaller of its undistributed net investment
// income and its adjusted gross income above the dollar amount at which the top bracket of the
// rate schedule begins (line 19b, 12,400 for 2016).
constexpr double kNetInvestmentIncomeTaxRate = 0.038;
constexpr double kTopBracketStart2016 = kTrustSchedule2016.back().lower;
static_assert(kTopBracketStart2016 == 12400, "the 2016 top bracket of estates and trusts begins at 12,400");

// Form 2210 (estimated tax penalty of an estate or trust). No penalty when the tax less
// withholding is under 1,000; the required annual payment is the smaller of 90% of this year's
// tax and 100% of last year's (110% when last year's adjusted gross income was above 150,000).
constexpr double kPenaltyThreshold = 1000;
constexpr double kCurrentYearSafeHarbour = 0.90;
constexpr double kPriorYearSafeHarbour = 1.00;
constexpr double kPriorYearSafeHarbourHighIncome = 1.10;
constexpr double kPriorYearHighIncomeAgi = 150000;
// The underpayment rate from April 2016 through March 2018: 4% a year, days of 2016 over 366
// and days of 2017 and 2018 over 365.
constexpr double kUnderpaymentRate = 0.04;
// Part III (short method): line 14 x .02675 is 4% on a quarter of it from each 2016 due date
// (April 18, June 15, September 15 and January 17, 2017) to April 18, 2017, the return's due
// date: (257 + 199 + 107) / 366 + (3 x 108 + 91) / 365 = 2.675 years of a quarter; line 16 takes
// .00011 a day back for what was paid earlier.
constexpr double kShortMethodFactor = 0.02675;
constexpr double kShortMethodDailyRate = 0.00011;
// A decedent's estate owes no penalty for a tax year ending before this many years after death.
constexpr int kEstateExemptYears = 2;

}  // namespace quorvan::taxyear
