#include "calc/CapitalGainWorksheets.h"

#include "calc/CalcSupport.h"
#include "calc/RateSchedules.h"
#include "calc/TaxYear.h"
#include "slot/CapitalLossCarryover.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/QualifiedDividendsWorksheet.h"
#include "slot/Rate28Worksheet.h"
#include "slot/ScheduleDPage1.h"
#include "slot/ScheduleDPage2.h"
#include "slot/ScheduleDTaxWorksheet.h"
#include "slot/Unrecaptured1250.h"

#include <string>

namespace quorvan {

using namespace calc;

namespace {

namespace f1 = slot::form1041Page1;
namespace d1 = slot::scheduleDPage1;
namespace d2 = slot::scheduleDPage2;

// Which of the three tax computations holds Schedule G line 1a; see the header.
struct WorksheetsInUse {
    bool partV = false;
    bool scheduleDTaxWorksheet = false;
    bool qualifiedDividendsWorksheet = false;
};
WorksheetsInUse g_inUse;

double NotBelowZero(double amount)
{
    return amount < 0 ? 0 : amount;
}

bool BankruptcyEstate()
{
    return Ticked(f1::itemABankruptcyEstateCh7) || Ticked(f1::itemABankruptcyEstateCh11);
}

// Where the 0% and the 15% layers of qualified dividends and capital gains end. A bankruptcy
// estate is taxed as a married person filing separately, on those bands as on that schedule.
struct GainRateBands {
    double zeroRateCeiling;
    double fifteenRateCeiling;
};
GainRateBands BandsOfThisReturn()
{
    if (BankruptcyEstate())
        return {taxyear::kBankruptcyZeroRateCeiling2016, taxyear::kBankruptcyFifteenRateCeiling2016};
    return {taxyear::kZeroRateCeiling2016, taxyear::kFifteenRateCeiling2016};
}

// tax(x): the rate schedule on the whole-dollar text of answer x. An empty answer, such as
// taxable income before its first run, is 0 like every other empty amount.
double WorksheetTax(SlotRef line)
{
    const std::string& text = Text(line);
    const long long amount = text.empty() ? 0 : Str2Int(text);
    return BankruptcyEstate() ? GetBankruptcyTax(amount) : GetTax(amount);
}

// True when any entry or total of Schedule D page 1, lines 1a to 6 and 8a to 15, is not 0.
bool ScheduleDHasAmounts()
{
    for (int s = d1::line1aProceeds.slot; s <= d1::line6Carryover.slot; ++s)
        if (Amt(ftScheduleDPage1, s) != 0)
            return true;
    for (int s = d1::line8aProceeds.slot; s <= d1::line15Carryover.slot; ++s)
        if (Amt(ftScheduleDPage1, s) != 0)
            return true;
    return false;
}

// Empties the lines from `first` to `last` of one form.
void ClearLines(SlotRef first, SlotRef last)
{
    for (int s = first.slot; s <= last.slot; ++s)
        PutTextAlways(first.formType, s, std::string());
}

// Line 25 (Form 4952 line 4g) is the preparer's entry and stays.
void ClearPartV()
{
    for (int s = d2::line21.slot; s <= d2::line45.slot; ++s) {
        if (s != d2::line25.slot)
            PutTextAlways(ftScheduleDPage2, s, std::string());
    }
}

// Schedule D lines 21 to 45. Every line is written rounded and read back as written.
void FillPartV()
{
    using namespace slot::scheduleDPage2;
    const GainRateBands bands = BandsOfThisReturn();
    PutTextAlways(line21, Text(f1::line22Taxable));
    PutAlways(line22, NotBelowZero(Min(Amt(line18aEstate), Amt(line19Estate))));
    PutTextAlways(line23, Text(f1::line2b2QualifiedToEstate));
    PutAlways(line24, Amt(line22) + Amt(line23));
    PutAlways(line26, NotBelowZero(Amt(line24) - Amt(line25)));
    PutAlways(line27, NotBelowZero(Amt(line21) - Amt(line26)));
    PutAlways(line28, Min(Amt(line21), bands.zeroRateCeiling));
    PutAlways(line29, Min(Amt(line27), Amt(line28)));
    PutAlways(line30, NotBelowZero(Amt(line28) - Amt(line29)));  // taxed at 0%
    PutAlways(line31, Min(Amt(line21), Amt(line26)));
    PutAlways(line32, Amt(line26) - Amt(line30));
    PutAlways(line33, Min(Amt(line21), bands.fifteenRateCeiling));
    PutAlways(line34, Amt(line27) + Amt(line30));
    PutAlways(line35, NotBelowZero(Amt(line33) - Amt(line34)));
    PutAlways(line36, Min(Amt(line32), Amt(line35)));
    PutAlways(line37, Amt(line36) * taxyear::kCapitalGainRate15);
    PutTextAlways(line38, Text(line31));
    PutAlways(line39, Amt(line30) + Amt(line36));
    PutAlways(line40, NotBelowZero(Amt(line38) - Amt(line39)));
    PutAlways(line41, Amt(line40) * taxyear::kCapitalGainRate20);
    PutAlways(line42, WorksheetTax(line27));
    PutAlways(line43, Amt(line37) + Amt(line41) + Amt(line42));
    PutAlways(line44, WorksheetTax(line21));
    PutAlways(line45, Min(Amt(line43), Amt(line44)));
}

}  // namespace

bool PartVInUse() { return g_inUse.partV; }
bool ScheduleDTaxWorksheetInUse() { return g_inUse.scheduleDTaxWorksheet; }
bool QualifiedDividendsWorksheetInUse() { return g_inUse.qualifiedDividendsWorksheet; }

void Calc28RateGainWorksheet()
{
    using namespace slot::rate28Worksheet;
    RunCalculator(29277, [] {
        // Line 5: the long-term carryover, entered as a loss.
        const double carryover = Amt(d1::line15Carryover);
        PutGuarded(line5, carryover > 0 ? -carryover : carryover);
        const double netShortTerm = Amt(d1::line7NetShortTerm);
        PutTextAlways(line6, netShortTerm < 0 ? Text(d1::line7NetShortTerm) : std::string());
        PutAlways(line7, NotBelowZero(Amt(line1) + Amt(line2) + Amt(line3) + Amt(line4) +
                                       Amt(line5) + Amt(line6)));
    });
}

void CalcUnrecaptured1250Worksheet()
{
    using namespace slot::unrecaptured1250;
    RunCalculator(29217, [] {
        PutAlways(line3, Amt(line1) - Amt(line2));
        PutAlways(line6, Amt(line3) + Amt(line4) + Amt(line5));
        PutAlways(line9, NotBelowZero(Amt(line7) - Amt(line8)));
        PutAlways(line13, Amt(line9) + Amt(line10) + Amt(line11) + Amt(line12));
        namespace r28 = slot::rate28Worksheet;
        PutGuarded(line14, Amt(r28::line1) + Amt(r28::line2) + Amt(r28::line3) + Amt(r28::line4));
        const double netShortTerm = Amt(d1::line7NetShortTerm);
        PutAlways(line15, netShortTerm <= 0 ? netShortTerm : 0);
        // Line 16: the long-term carryover, entered as a loss so that line 17 absorbs it.
        PutGuarded(line16, -Amt(d1::line15Carryover));
        const double combined = Amt(line14) + Amt(line15) + Amt(line16);
        PutAlways(line17, combined < 0 ? -combined : 0);
        PutAlways(line18, NotBelowZero(Amt(line13) - Amt(line17)));
    });
}

void CalcScheduleDPartV()
{
    RunCalculator(29617, [] {
        g_inUse = WorksheetsInUse{};
        namespace qd = slot::qualifiedDividendsWorksheet;
        ClearLines(qd::line1, qd::line2);
        ClearLines(qd::line4, qd::line23);

        const double qualifiedDividends = Amt(f1::line2b2QualifiedToEstate);
        const bool gainsOfTheEstate = Amt(d2::line18aEstate) > 0 && Amt(d2::line19Estate) > 0;
        // Part V also taxes qualified dividends when Schedule D has any amount, even one whose
        // lines net to 0 (inherited stock sold at its stepped-up basis).
        const bool hasAmounts = ScheduleDHasAmounts();
        g_inUse.partV = gainsOfTheEstate || (hasAmounts && qualifiedDividends > 0);

        if (!g_inUse.partV) {
            ClearPartV();
            if (!hasAmounts && qualifiedDividends > 0) {
                CalcQualifiedDividendsWorksheet();
                g_inUse.qualifiedDividendsWorksheet = true;
            }
            return;
        }
        const bool ratedGains = Amt(d2::line18bEstate) > 0 || Amt(d2::line18cEstate) > 0;
        if (ratedGains && gainsOfTheEstate) {
            ClearPartV();
            CalcScheduleDTaxWorksheet();
            g_inUse.scheduleDTaxWorksheet = true;
            g_inUse.partV = false;
            return;
        }
        FillPartV();
    });
}

void CalcQualifiedDividendsWorksheet()
{
    using namespace slot::qualifiedDividendsWorksheet;
    const GainRateBands bands = BandsOfThisReturn();
    PutTextAlways(line1, Text(f1::line22Taxable));
    PutTextAlways(line2, Text(f1::line2b2QualifiedToEstate));
    PutAlways(line4, NotBelowZero(Amt(line2) - Amt(line3)));
    PutAlways(line5, NotBelowZero(Amt(line1) - Amt(line4)));
    PutAlways(line6, Min(bands.zeroRateCeiling, Amt(line1)));
    PutAlways(line7, Min(Amt(line6), Amt(line5)));
    PutAlways(line8, NotBelowZero(Amt(line6) - Amt(line7)));  // taxed at 0%
    PutAlways(line9, Min(Amt(line4), Amt(line1)));
    PutAlways(line10, Amt(line4) - Amt(line8));
    PutAlways(line11, Min(bands.fifteenRateCeiling, Amt(line1)));
    PutAlways(line12, Amt(line5) + Amt(line8));
    PutAlways(line13, NotBelowZero(Amt(line11) - Amt(line12)));
    PutAlways(line14, Min(Amt(line13), Amt(line10)));
    PutAlways(line15, Amt(line14) * taxyear::kCapitalGainRate15);
    PutTextAlways(line16, Text(line9));
    PutAlways(line17, Amt(line8) + Amt(line14));
    PutAlways(line18, NotBelowZero(Amt(line16) - Amt(line17)));
    PutAlways(line19, Amt(line18) * taxyear::kCapitalGainRate20);
    PutAlways(line20, WorksheetTax(line5));
    PutAlways(line21, Amt(line15) + Amt(line19) + Amt(line20));
    PutAlways(line22, WorksheetTax(line1));
    const double tax = Min(Amt(line22), Amt(line21));
    PutAlways(line23, tax);
    PutGuarded(slot::form1041Page2::scheduleGLine1aTax, tax);
}

void CalcScheduleDTaxWorksheet()
{
    using namespace slot::scheduleDTaxWorksheet;
    RunCalculator(29227, [] {
        const GainRateBands bands = BandsOfThisReturn();
        PutTextAlways(line1, Text(f1::line22Taxable));
        PutTextAlways(line2, Text(f1::line2b2QualifiedToEstate));
        PutAlways(line5, NotBelowZero(Amt(line3) - Amt(line4)));
        PutAlways(line6, NotBelowZero(Amt(line2) - Amt(line5)));
        PutAlways(line7, Min(Amt(d2::line18aEstate), Amt(d2::line19Estate)));
        PutAlways(line8, Min(Amt(line3), Amt(line4)));
        PutAlways(line9, NotBelowZero(Amt(line7) - Amt(line8)));
        PutAlways(line10, Amt(line6) + Amt(line9));
        PutAlways(line11, Amt(d2::line18bEstate) + Amt(d2::line18cEstate));
        PutAlways(line12, Min(Amt(line9), Amt(line11)));
        PutAlways(line13, Amt(line10) - Amt(line12));
        PutAlways(line14, NotBelowZero(Amt(line1) - Amt(line13)));
        PutAlways(line15, Min(Amt(line1), bands.zeroRateCeiling));
        PutAlways(line16, Min(Amt(line14), Amt(line15)));
        PutAlways(line17, NotBelowZero(Amt(line1) - Amt(line10)));
        PutAlways(line18, Max(Amt(line16), Amt(line17)));
        PutAlways(line19, Amt(line15) - Amt(line16));  // taxed at 0%

        if (Amt(line15) == Amt(line1)) {
            ClearLines(line20, line39);
        } else {
            PutAlways(line20, Min(Amt(line1), Amt(line13)));
            PutTextAlways(line21, Text(line19));
            PutAlways(line22, Amt(line20) - Amt(line21));
            PutAlways(line23, Min(Amt(line1), bands.fifteenRateCeiling));
            PutAlways(line24, Amt(line18) + Amt(line19));
            PutAlways(line25, NotBelowZero(Amt(line23) - Amt(line24)));
            PutAlways(line26, Min(Amt(line22), Amt(line25)));
            PutAlways(line27, Amt(line26) * taxyear::kCapitalGainRate15);
            PutAlways(line28, Amt(line19) + Amt(line26));
            if (Amt(line28) == Amt(line1)) {
                ClearLines(line29, line39);
            } else {
                PutAlways(line29, NotBelowZero(Amt(line20) - Amt(line28)));
                PutAlways(line30, Amt(line29) * taxyear::kCapitalGainRate20);
                PutAlways(line31, Min(Amt(line9), Amt(d2::line18bEstate)));
                PutAlways(line32, Amt(line10) + Amt(line18));
                PutTextAlways(line33, Text(line1));
                PutAlways(line34, NotBelowZero(Amt(line32) - Amt(line33)));
                PutAlways(line35, NotBelowZero(Amt(line31) - Amt(line34)));
                PutAlways(line36, Amt(line35) * taxyear::kUnrecaptured1250Rate);
                if (Amt(d2::line18cEstate) == 0) {
                    ClearLines(line37, line39);
                } else {
                    PutAlways(line37, Amt(line18) + Amt(line19) + Amt(line26) + Amt(line29) + Amt(line35));
                    PutAlways(line38, Amt(line1) - Amt(line37));
                    PutAlways(line39, Amt(line38) * taxyear::kRate28Gain);
                }
            }
        }
        PutAlways(line40, WorksheetTax(line18));
        PutAlways(line41, Amt(line27) + Amt(line30) + Amt(line36) + Amt(line39) + Amt(line40));
        PutAlways(line42, WorksheetTax(line1));
        const double tax = Min(Amt(line41), Amt(line42));
        PutAlways(line43, tax);

        const std::string taxText = Float2Dollar(tax);
        if (!Overridden(slot::form1041Page2::scheduleGLine1aTax))
            PutTextAlways(slot::form1041Page2::scheduleGLine1aTax, taxText);
        else if (Cents(slot::form1041Page2::scheduleGLine1aTax) != Str2Float_2(taxText))
            ShowMessageByCode(29630);  // a notice: the preparer's line 1a stands
    });
}

void CalcCapitalLossCarryoverWorksheet()
{
    using namespace slot::capitalLossCarryover;
    RunCalculator(29257, [] {
        const bool limitedLoss = Amt(d2::line20Limitation) < 0 &&
                                 (Amt(d2::line19Total) < taxyear::kCapitalLossLimit || Amt(f1::line22Taxable) < 0);
        if (!limitedLoss) {
            ClearLines(line1, line14);
            return;
        }
        PutTextAlways(line1, Text(f1::line22Taxable));
        PutAlways(line2, -Amt(d2::line20Limitation));
        PutTextAlways(line3, Text(f1::line20Exemption));
        PutAlways(line4, NotBelowZero(Amt(line1) + Amt(line2) + Amt(line3)));
        PutAlways(line5, Min(Amt(line2), Amt(line4)));

        const double netShortTerm = Amt(d1::line7NetShortTerm);
        const double netLongTerm = Amt(d1::line16NetLongTerm);
        if (netShortTerm >= 0) {
            ClearLines(line6, line9);
        } else {
            PutAlways(line6, -netShortTerm);
            PutTextAlways(line7, netLongTerm > 0 ? Text(d1::line16NetLongTerm) : std::string());
            PutAlways(line8, Amt(line5) + Amt(line7));
            PutAlways(line9, NotBelowZero(Amt(line6) - Amt(line8)));  // short-term carryover
            if (netLongTerm >= 0) {
                ClearLines(line10, line14);
                return;
            }
        }
        PutAlways(line10, -netLongTerm);
        PutTextAlways(line11, netShortTerm > 0 ? Text(d1::line7NetShortTerm) : std::string());
        PutAlways(line12, NotBelowZero(Amt(line5) - Amt(line6)));
        PutAlways(line13, Amt(line11) + Amt(line12));
        PutAlways(line14, NotBelowZero(Amt(line10) - Amt(line13)));  // long-term carryover
    });
}

}  // namespace quorvan
