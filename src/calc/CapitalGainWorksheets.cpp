#include "calc/CapitalGainWorksheets.h"

#include "calc/CalcSupport.h"
#include "calc/RateSchedules.h"
#include "calc/TaxYear.h"

#include <string>

namespace quorvan {

using namespace calc;

namespace {

constexpr int F1 = ftForm1041Page1;
constexpr int F2 = ftForm1041Page2;
constexpr int D1 = ftScheduleDPage1;
constexpr int D2 = ftScheduleDPage2;
constexpr int QD = ftQualifiedDividendsWorksheet;
constexpr int TW = ftScheduleDTaxWorksheet;
constexpr int R28 = ftRate28Worksheet;
constexpr int U1250 = ftUnrecaptured1250;
constexpr int CL = ftCapitalLossCarryover;

// Page 1 and Schedule G slots read or written here.
enum : int {
    boxBankruptcyCh7 = 8, boxBankruptcyCh11 = 9, line2bQualifiedDividends = 33,
    line20Exemption = 54, line22Taxable = 56, scheduleGLine1a = 24,
};

// Schedule D page 1: the entry and total lines of Parts I and II, their nets, the long-term
// carryover.
enum : int {
    dFirstShortTerm = 2, dLastShortTerm = 19, dLine7NetShortTerm = 20,
    dFirstLongTerm = 21, dLastLongTerm = 40, dLine15Carryover = 40, dLine16NetLongTerm = 41,
};

// Schedule D page 2, lines 18a to 20; Part V line n is slot n - 5.
enum : int {
    line18aEstate = 4, line18bEstate = 7, line18cEstate = 10, line19Estate = 13, line19Total = 14,
    line20Limitation = 15, partVForm4952 = 20,
};
constexpr int PartV(int line) { return line - 5; }

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
    return Ticked(F1, boxBankruptcyCh7) || Ticked(F1, boxBankruptcyCh11);
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
double WorksheetTax(int t, int s)
{
    const std::string& text = Text(t, s);
    const long long amount = text.empty() ? 0 : Str2Int(text);
    return BankruptcyEstate() ? GetBankruptcyTax(amount) : GetTax(amount);
}

// True when any entry or total of Schedule D page 1, lines 1a to 6 and 8a to 15, is not 0.
bool ScheduleDHasAmounts()
{
    for (int s = dFirstShortTerm; s <= dLastShortTerm; ++s)
        if (Amt(D1, s) != 0)
            return true;
    for (int s = dFirstLongTerm; s <= dLastLongTerm; ++s)
        if (Amt(D1, s) != 0)
            return true;
    return false;
}

void ClearSlots(int t, int first, int last)
{
    for (int s = first; s <= last; ++s)
        PutTextAlways(t, s, std::string());
}

// Line 25 (Form 4952 line 4g) is the preparer's entry and stays.
void ClearPartV()
{
    for (int s = PartV(21); s <= PartV(45); ++s) {
        if (s != partVForm4952)
            PutTextAlways(D2, s, std::string());
    }
}

// Schedule D lines 21 to 45. Every line is written rounded and read back as written.
void FillPartV()
{
    auto line = [](int n) { return Amt(D2, PartV(n)); };
    auto put = [](int n, double amount) { PutAlways(D2, PartV(n), amount); };
    const GainRateBands bands = BandsOfThisReturn();
    PutTextAlways(D2, PartV(21), Text(F1, line22Taxable));
    put(22, NotBelowZero(Min(Amt(D2, line18aEstate), Amt(D2, line19Estate))));
    PutTextAlways(D2, PartV(23), Text(F1, line2bQualifiedDividends));
    put(24, line(22) + line(23));
    put(26, NotBelowZero(line(24) - line(25)));
    put(27, NotBelowZero(line(21) - line(26)));
    put(28, Min(line(21), bands.zeroRateCeiling));
    put(29, Min(line(27), line(28)));
    put(30, NotBelowZero(line(28) - line(29)));  // taxed at 0%
    put(31, Min(line(21), line(26)));
    put(32, line(26) - line(30));
    put(33, Min(line(21), bands.fifteenRateCeiling));
    put(34, line(27) + line(30));
    put(35, NotBelowZero(line(33) - line(34)));
    put(36, Min(line(32), line(35)));
    put(37, line(36) * taxyear::kCapitalGainRate15);
    PutTextAlways(D2, PartV(38), Text(D2, PartV(31)));
    put(39, line(30) + line(36));
    put(40, NotBelowZero(line(38) - line(39)));
    put(41, line(40) * taxyear::kCapitalGainRate20);
    put(42, WorksheetTax(D2, PartV(27)));
    put(43, line(37) + line(41) + line(42));
    put(44, WorksheetTax(D2, PartV(21)));
    put(45, Min(line(43), line(44)));
}

}  // namespace

bool PartVInUse() { return g_inUse.partV; }
bool ScheduleDTaxWorksheetInUse() { return g_inUse.scheduleDTaxWorksheet; }
bool QualifiedDividendsWorksheetInUse() { return g_inUse.qualifiedDividendsWorksheet; }

void Calc28RateGainWorksheet()
{
    RunCalculator(29277, [] {
        // Line 5: the long-term carryover, entered as a loss.
        const double carryover = Amt(D1, dLine15Carryover);
        PutGuarded(R28, 5, carryover > 0 ? -carryover : carryover);
        const double netShortTerm = Amt(D1, dLine7NetShortTerm);
        PutTextAlways(R28, 6, netShortTerm < 0 ? Text(D1, dLine7NetShortTerm) : std::string());
        PutAlways(R28, 7, NotBelowZero(Amt(R28, 1) + Amt(R28, 2) + Amt(R28, 3) + Amt(R28, 4) +
                                       Amt(R28, 5) + Amt(R28, 6)));
    });
}

void CalcUnrecaptured1250Worksheet()
{
    RunCalculator(29217, [] {
        auto line = [](int n) { return Amt(U1250, n); };
        PutAlways(U1250, 3, line(1) - line(2));
        PutAlways(U1250, 6, line(3) + line(4) + line(5));
        PutAlways(U1250, 9, NotBelowZero(line(7) - line(8)));
        PutAlways(U1250, 13, line(9) + line(10) + line(11) + line(12));
        PutGuarded(U1250, 14, Amt(R28, 1) + Amt(R28, 2) + Amt(R28, 3) + Amt(R28, 4));
        const double netShortTerm = Amt(D1, dLine7NetShortTerm);
        PutAlways(U1250, 15, netShortTerm <= 0 ? netShortTerm : 0);
        // Line 16: the long-term carryover, entered as a loss so that line 17 absorbs it.
        PutGuarded(U1250, 16, -Amt(D1, dLine15Carryover));
        const double combined = line(14) + line(15) + line(16);
        PutAlways(U1250, 17, combined < 0 ? -combined : 0);
        PutAlways(U1250, 18, NotBelowZero(line(13) - line(17)));
    });
}

void CalcScheduleDPartV()
{
    RunCalculator(29617, [] {
        g_inUse = WorksheetsInUse{};
        ClearSlots(QD, 1, 2);
        ClearSlots(QD, 4, 23);

        const double qualifiedDividends = Amt(F1, line2bQualifiedDividends);
        const bool gainsOfTheEstate = Amt(D2, line18aEstate) > 0 && Amt(D2, line19Estate) > 0;
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
        const bool ratedGains = Amt(D2, line18bEstate) > 0 || Amt(D2, line18cEstate) > 0;
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
    auto line = [](int n) { return Amt(QD, n); };
    auto put = [](int n, double amount) { PutAlways(QD, n, amount); };
    const GainRateBands bands = BandsOfThisReturn();
    PutTextAlways(QD, 1, Text(F1, line22Taxable));
    PutTextAlways(QD, 2, Text(F1, line2bQualifiedDividends));
    put(4, NotBelowZero(line(2) - line(3)));
    put(5, NotBelowZero(line(1) - line(4)));
    put(6, Min(bands.zeroRateCeiling, line(1)));
    put(7, Min(line(6), line(5)));
    put(8, NotBelowZero(line(6) - line(7)));  // taxed at 0%
    put(9, Min(line(4), line(1)));
    put(10, line(4) - line(8));
    put(11, Min(bands.fifteenRateCeiling, line(1)));
    put(12, line(5) + line(8));
    put(13, NotBelowZero(line(11) - line(12)));
    put(14, Min(line(13), line(10)));
    put(15, line(14) * taxyear::kCapitalGainRate15);
    PutTextAlways(QD, 16, Text(QD, 9));
    put(17, line(8) + line(14));
    put(18, NotBelowZero(line(16) - line(17)));
    put(19, line(18) * taxyear::kCapitalGainRate20);
    put(20, WorksheetTax(QD, 5));
    put(21, line(15) + line(19) + line(20));
    put(22, WorksheetTax(QD, 1));
    const double tax = Min(line(22), line(21));
    put(23, tax);
    PutGuarded(F2, scheduleGLine1a, tax);
}

void CalcScheduleDTaxWorksheet()
{
    RunCalculator(29227, [] {
        auto line = [](int n) { return Amt(TW, n); };
        auto put = [](int n, double amount) { PutAlways(TW, n, amount); };
        const GainRateBands bands = BandsOfThisReturn();
        PutTextAlways(TW, 1, Text(F1, line22Taxable));
        PutTextAlways(TW, 2, Text(F1, line2bQualifiedDividends));
        put(5, NotBelowZero(line(3) - line(4)));
        put(6, NotBelowZero(line(2) - line(5)));
        put(7, Min(Amt(D2, line18aEstate), Amt(D2, line19Estate)));
        put(8, Min(line(3), line(4)));
        put(9, NotBelowZero(line(7) - line(8)));
        put(10, line(6) + line(9));
        put(11, Amt(D2, line18bEstate) + Amt(D2, line18cEstate));
        put(12, Min(line(9), line(11)));
        put(13, line(10) - line(12));
        put(14, NotBelowZero(line(1) - line(13)));
        put(15, Min(line(1), bands.zeroRateCeiling));
        put(16, Min(line(14), line(15)));
        put(17, NotBelowZero(line(1) - line(10)));
        put(18, Max(line(16), line(17)));
        put(19, line(15) - line(16));  // taxed at 0%

        // Slot 28 is not a line of the worksheet: slots 29 to 44 hold lines 28 to 43.
        if (line(15) == line(1)) {
            ClearSlots(TW, 20, 40);
        } else {
            put(20, Min(line(1), line(13)));
            PutTextAlways(TW, 21, Text(TW, 19));
            put(22, line(20) - line(21));
            put(23, Min(line(1), bands.fifteenRateCeiling));
            put(24, line(18) + line(19));
            put(25, NotBelowZero(line(23) - line(24)));
            put(26, Min(line(22), line(25)));
            put(27, line(26) * taxyear::kCapitalGainRate15);
            put(29, line(19) + line(26));
            if (line(29) == line(1)) {
                ClearSlots(TW, 30, 40);
            } else {
                put(30, NotBelowZero(line(20) - line(29)));
                put(31, line(30) * taxyear::kCapitalGainRate20);
                put(32, Min(line(9), Amt(D2, line18bEstate)));
                put(33, line(10) + line(18));
                PutTextAlways(TW, 34, Text(TW, 1));
                put(35, NotBelowZero(line(33) - line(34)));
                put(36, NotBelowZero(line(32) - line(35)));
                put(37, line(36) * taxyear::kUnrecaptured1250Rate);
                if (Amt(D2, line18cEstate) == 0) {
                    ClearSlots(TW, 38, 40);
                } else {
                    put(38, line(18) + line(19) + line(26) + line(30) + line(36));
                    put(39, line(1) - line(38));
                    put(40, line(39) * taxyear::kRate28Gain);
                }
            }
        }
        put(41, WorksheetTax(TW, 18));
        put(42, line(27) + line(31) + line(37) + line(40) + line(41));
        put(43, WorksheetTax(TW, 1));
        const double tax = Min(line(42), line(43));
        put(44, tax);

        const std::string taxText = Float2Dollar(tax);
        if (!Overridden(F2, scheduleGLine1a))
            PutTextAlways(F2, scheduleGLine1a, taxText);
        else if (Cents(F2, scheduleGLine1a) != Str2Float_2(taxText))
            ShowMessageByCode(29630);  // a notice: the preparer's line 1a stands
    });
}

void CalcCapitalLossCarryoverWorksheet()
{
    RunCalculator(29257, [] {
        auto line = [](int n) { return Amt(CL, n); };
        auto put = [](int n, double amount) { PutAlways(CL, n, amount); };
        const bool limitedLoss = Amt(D2, line20Limitation) < 0 &&
                                 (Amt(D2, line19Total) < taxyear::kCapitalLossLimit || Amt(F1, line22Taxable) < 0);
        if (!limitedLoss) {
            ClearSlots(CL, 1, 14);
            return;
        }
        PutTextAlways(CL, 1, Text(F1, line22Taxable));
        put(2, -Amt(D2, line20Limitation));
        PutTextAlways(CL, 3, Text(F1, line20Exemption));
        put(4, NotBelowZero(line(1) + line(2) + line(3)));
        put(5, Min(line(2), line(4)));

        const double netShortTerm = Amt(D1, dLine7NetShortTerm);
        const double netLongTerm = Amt(D1, dLine16NetLongTerm);
        if (netShortTerm >= 0) {
            ClearSlots(CL, 6, 9);
        } else {
            put(6, -netShortTerm);
            PutTextAlways(CL, 7, netLongTerm > 0 ? Text(D1, dLine16NetLongTerm) : std::string());
            put(8, line(5) + line(7));
            put(9, NotBelowZero(line(6) - line(8)));  // short-term carryover
            if (netLongTerm >= 0) {
                ClearSlots(CL, 10, 14);
                return;
            }
        }
        put(10, -netLongTerm);
        PutTextAlways(CL, 11, netShortTerm > 0 ? Text(D1, dLine7NetShortTerm) : std::string());
        put(12, NotBelowZero(line(5) - line(6)));
        put(13, line(11) + line(12));
        put(14, NotBelowZero(line(10) - line(13)));  // long-term carryover
    });
}

}  // namespace quorvan
