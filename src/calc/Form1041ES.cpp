#include "calc/Form1041ES.h"

#include "calc/CalcSupport.h"
#include "calc/RateSchedules.h"
#include "calc/TaxYear.h"
#include "slot/EstimatedVouchers.h"
#include "slot/EstimatedWorksheet.h"
#include "slot/Form1041Page1.h"
#include "slot/MaxCapGainsWorksheet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quorvan {

using namespace calc;

namespace {

namespace f1 = slot::form1041Page1;
namespace es = slot::estimatedWorksheet;
namespace mw = slot::maxCapGainsWorksheet;
namespace vo = slot::estimatedVouchers;

// No installments are due when the tax less withholding is below this.
constexpr double kMinimumEstimatedTax = 1000;
constexpr double kRequiredPaymentRate = 0.9;
constexpr double kInstallmentShare = 0.25;

// The four vouchers, each filled alike.
struct Voucher {
    SlotRef amount, yearEnding, ein, name, fiduciary, address, city;
};
constexpr Voucher kVouchers[] = {
    {vo::voucher1Amount, vo::voucher1YearEnding, vo::voucher1Ein, vo::voucher1Name, vo::voucher1Fiduciary,
     vo::voucher1Address, vo::voucher1City},
    {vo::voucher2Amount, vo::voucher2YearEnding, vo::voucher2Ein, vo::voucher2Name, vo::voucher2Fiduciary,
     vo::voucher2Address, vo::voucher2City},
    {vo::voucher3Amount, vo::voucher3YearEnding, vo::voucher3Ein, vo::voucher3Name, vo::voucher3Fiduciary,
     vo::voucher3Address, vo::voucher3City},
    {vo::voucher4Amount, vo::voucher4YearEnding, vo::voucher4Ein, vo::voucher4Name, vo::voucher4Fiduciary,
     vo::voucher4Address, vo::voucher4City},
};

// Empties the lines from `first` to `last` of the maximum capital gains rates worksheet.
void ClearLines(SlotRef first, SlotRef last)
{
    for (int s = first.slot; s <= last.slot; ++s)
        PutTextAlways(first.formType, s, std::string());
}
double Floor0(double amount) { return amount < 0 ? 0 : amount; }

// The worksheet taxes at the lower rates when gains or qualified dividends are expected:
// its own line 2, or what the previous run left on lines 13 and 23, or this year's qualified
// dividends. Without taxable income it has nothing to do.
bool MaxCapGainsWorksheetApplies()
{
    const bool taxable = Amt(es::line6Taxable) > 0;
    const bool expectedGains = Amt(mw::line2) > 0;
    const bool lowerRatesLastRun = Amt(mw::line13) > 0 || Amt(f1::line2b2QualifiedToEstate) > 0;
    return (taxable && (lowerRatesLastRun || expectedGains)) || Amt(mw::line23) > 0;
}

void WorksheetBody()
{
    using namespace es;
    PutTextGuarded(line1AdjustedIncome, Text(f1::line17Adjusted));
    PutTextGuarded(line4Exemption, Text(f1::line20Exemption));
    PutAlways(line5Deductions, Amt(line2) + Amt(line3) + Amt(line4Exemption));
    PutAlways(line6Taxable, Amt(line1AdjustedIncome) - Amt(line5Deductions));

    // Line 7: the lower-rate tax when the capital gains worksheet has one, else the schedule.
    if (MaxCapGainsWorksheetApplies())
        CalcMaxCapGainsRatesWorksheet();
    else
        PutTextAlways(mw::line40, std::string());
    if (Amt(mw::line40) > 0)
        PutTextAlways(line7Tax, Text(mw::line40));
    else
        PutAlways(line7Tax, GetEstimatedTax(Float2Int(Amt(line6Taxable))));

    PutAlways(line9, Amt(line7Tax) + Amt(line8));
    PutAlways(line11, Floor0(Amt(line9) - Amt(line10Credits)));
    PutGuarded(line13Tentative, Amt(line11) + Amt(line12));
    PutGuarded(line14a, Amt(line13Tentative) * kRequiredPaymentRate);
    PutTextGuarded(line14bCurrentTax, Text(f1::line23TotalTax));
    PutAlways(line14cRequired, Min(Amt(line14a), Amt(line14bCurrentTax)));
    PutAlways(line16, Amt(line14cRequired) - Amt(line15Withheld));
    if (!Overridden(line17Installment)) {
        if (Amt(line13Tentative) - Amt(line15Withheld) >= kMinimumEstimatedTax)
            PutAlways(line17Installment, Amt(line16) * kInstallmentShare);
        else
            PutTextAlways(line17Installment, std::string());
    }
}

void MaxCapGainsBody()
{
    using namespace mw;
    using taxyear::kFifteenRateCeiling2017;
    using taxyear::kZeroRateCeiling2017;

    // Line 1 is the worksheet's taxable income; lines 2 to 5 are the preparer's expectations.
    PutTextAlways(line1, Text(es::line6Taxable));
    PutAlways(line6, Floor0(Amt(line2) - Amt(line5)));
    PutAlways(line7, Floor0(Amt(line1) - Amt(line6)));
    PutAlways(line8, Min(Amt(line1), kZeroRateCeiling2017));
    PutAlways(line9, Min(Amt(line7), Amt(line8)));
    PutAlways(line10, Floor0(Amt(line1) - Amt(line2)));
    PutAlways(line11, Max(Amt(line9), Amt(line10)));
    if (!Overridden(line12))
        PutAlways(line12, GetEstimatedTax(Str2Int(Text(line11))));

    // Lines 13 to 15: what is left of the 0% bracket above the ordinary income.
    if (Amt(line8) != Amt(line9)) {
        PutAlways(line13, Amt(line8));
        PutAlways(line14, Amt(line7));
        PutAlways(line15, Floor0(Amt(line13) - Amt(line14)));
    } else {
        ClearLines(line13, line15);
    }

    if (Amt(line1) == Amt(line8)) {
        ClearLines(line16, line37);
    } else {
        // Lines 16 to 27: the 15% and 20% layers.
        PutAlways(line16, Min(Amt(line1), Amt(line6)));
        PutAlways(line17, Amt(line15));
        PutAlways(line18, Amt(line16) - Amt(line17));
        PutAlways(line19, Min(Amt(line1), kFifteenRateCeiling2017));
        PutAlways(line20, Amt(line11) + Amt(line15));
        PutAlways(line21, Floor0(Amt(line19) - Amt(line20)));
        PutAlways(line22, Min(Amt(line18), Amt(line21)));
        PutAlways(line23, Amt(line22) * taxyear::kCapitalGainRate15);
        PutAlways(line24, Amt(line16));
        PutAlways(line25, Amt(line15) + Amt(line22));
        PutAlways(line26, Floor0(Amt(line24) - Amt(line25)));
        PutAlways(line27, Amt(line26) * taxyear::kCapitalGainRate20);

        // Lines 28 to 33: unrecaptured section 1250 gain at 25%.
        if (Amt(line5) == 0) {
            ClearLines(line28, line37);
        } else {
            PutAlways(line28, Min(Amt(line2), Amt(line4)));
            PutAlways(line29, Amt(line2) + Amt(line11));
            PutAlways(line30, Amt(line1));
            PutAlways(line31, Floor0(Amt(line29) - Amt(line30)));
            PutAlways(line32, Floor0(Amt(line28) - Amt(line31)));
            PutAlways(line33, Amt(line32) * taxyear::kUnrecaptured1250Rate);
            // Lines 34 to 37: 28% rate gain.
            if (Amt(line3) == 0) {
                ClearLines(line34, line37);
            } else {
                PutAlways(line34, Amt(line1));
                PutAlways(line35, Amt(line11) + Amt(line15) + Amt(line22) + Amt(line26) + Amt(line32));
                PutAlways(line36, Amt(line34) - Amt(line35));
                PutAlways(line37, Amt(line36) * taxyear::kRate28Gain);
            }
        }
    }

    PutAlways(line38, Amt(line12) + Amt(line23) + Amt(line27) + Amt(line33) + Amt(line37));
    PutAlways(line39, GetEstimatedTax(Str2Int(Text(line1))));
    PutAlways(line40, Min(Amt(line38), Amt(line39)));
}

bool Blank(const std::string& text)
{
    return text.find_first_not_of(" \t") == std::string::npos;
}

std::string ShortDate(int year, int month, int day)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", month, day, year);
    return text;
}

}  // namespace

std::string EstimatedTaxYearEnding(const std::string& beginning, const std::string& ending)
{
    int year = 0, month = 0, day = 0;
    if (!Blank(ending)) {
        if (!ReadAnyDate(ending, year, month, day))
            return std::string();
        // The same day a year later; February 29 becomes February 28.
        return ShortDate(year + 1, month, std::min(day, DaysInMonth(year + 1, month)));
    }
    if (!Blank(beginning)) {
        if (!ReadAnyDate(beginning, year, month, day))
            return std::string();
        // The return's year runs from the beginning date for twelve months; the next one ends
        // the day before the beginning date comes round the second time.
        year += 2;
        day = std::min(day, DaysInMonth(year, month));
        if (--day == 0) {
            if (--month == 0) {
                month = 12;
                --year;
            }
            day = DaysInMonth(year, month);
        }
        return ShortDate(year, month, day);
    }
    return ShortDate(taxyear::kEstimatedTaxYear, 12, 31);
}

void CalcEstimatedTaxWorksheet()
{
    RunCalculator(29127, WorksheetBody);
}

void CalcMaxCapGainsRatesWorksheet()
{
    RunCalculator(29127, MaxCapGainsBody);
}

void CalcEstimatedTaxVouchers()
{
    RunCalculator(29137, [] {
        const std::string address = Text(f1::fiduciaryStreet) + "  " + Text(f1::fiduciaryAddress2);
        const std::string yearEnding = EstimatedTaxYearEnding(Text(f1::taxYearBeginning), Text(f1::taxYearEnding));
        for (const Voucher& voucher : kVouchers) {
            PutTextGuarded(voucher.amount, Text(es::line17Installment));
            PutTextGuarded(voucher.yearEnding, yearEnding);
            PutTextGuarded(voucher.ein, Text(f1::itemCEin));
            PutTextGuarded(voucher.name, Text(f1::nameOfEstateOrTrust));
            PutTextGuarded(voucher.fiduciary, Text(f1::nameAndTitleOfFiduciary));
            PutTextGuarded(voucher.address, address);
            PutTextGuarded(voucher.city, Text(f1::fiduciaryCity));
        }
    });
}

}  // namespace quorvan
