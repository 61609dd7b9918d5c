#include "calc/Form1041A.h"

#include "calc/CalcSupport.h"
#include "slot/Form1041APage1.h"
#include "slot/Form1041APage2.h"
#include "slot/Form1041Page1.h"

#include <cstddef>

namespace quorvan {

using namespace calc;

namespace {

namespace f1 = slot::form1041Page1;
namespace a1 = slot::form1041APage1;
namespace a2 = slot::form1041APage2;

// Page 1: the income lines of line 9 and the amounts of the line 17 and line 23 schedules.
constexpr SlotRef kIncomeLines[] = {a1::line1, a1::line2, a1::line3, a1::line4CapitalGain,
                                    a1::line5, a1::line6, a1::line7, a1::line8};
constexpr SlotRef kLine17Schedule[] = {a1::line17a, a1::line17b, a1::line17c, a1::line17d, a1::line17e};
constexpr SlotRef kLine23Schedule[] = {a1::line23a, a1::line23b, a1::line23c, a1::line23d, a1::line23e};

// Page 2, Part IV balance sheet: column (a) beginning of year, (b) end of year.
constexpr SlotRef kAssetsBegin[] = {a2::line25ColumnA,  a2::line26ColumnA,  a2::line27bColumnA, a2::line28bColumnA,
                                    a2::line29ColumnA,  a2::line30ColumnA,  a2::line31ColumnA,  a2::line32ColumnA,
                                    a2::line33ColumnA,  a2::line34bColumnA, a2::line35ColumnA,  a2::line36bColumnA,
                                    a2::line37ColumnA};
constexpr SlotRef kAssetsEnd[] = {a2::line25ColumnB,  a2::line26ColumnB,  a2::line27bColumnB, a2::line28bColumnB,
                                  a2::line29ColumnB,  a2::line30ColumnB,  a2::line31ColumnB,  a2::line32ColumnB,
                                  a2::line33ColumnB,  a2::line34bColumnB, a2::line35ColumnB,  a2::line36bColumnB,
                                  a2::line37ColumnB};
constexpr SlotRef kLiabilitiesBegin[] = {a2::line39ColumnA, a2::line40ColumnA, a2::line41ColumnA};
constexpr SlotRef kLiabilitiesEnd[] = {a2::line39ColumnB, a2::line40ColumnB, a2::line41ColumnB};
constexpr SlotRef kNetAssetsBegin[] = {a2::line43ColumnA, a2::line44ColumnA};
constexpr SlotRef kNetAssetsEnd[] = {a2::line43ColumnB, a2::line44ColumnB};

// Signature-area answers of Form 1041 page 1 repeated on page 2.
struct Copy {
    SlotRef from;
    SlotRef to;
};
constexpr Copy kSignatureCopies[] = {
    {f1::preparerName, a2::preparerName},
    {f1::firmsName, a2::firmsName},
    {f1::firmsAddress, a2::firmsAddress},
    {f1::firmsEin, a2::firmsEin},
};

template <size_t N>
double Sum(const SlotRef (&lines)[N])
{
    double total = 0;
    for (SlotRef line : lines)
        total += Amt(line);
    return total;
}

}  // namespace

void CalcForm1041APage1()
{
    using namespace a1;
    RunCalculator(29107, [] {
        PutTextGuarded(nameOfTrust, Text(f1::nameOfEstateOrTrust));
        PutTextGuarded(nameOfTrustee, Text(f1::nameAndTitleOfFiduciary));
        PutTextGuarded(numberStreetAndRoomOrSuiteNo,
                       Text(f1::fiduciaryStreet) + "  " + Text(f1::fiduciaryAddress2));
        PutTextGuarded(cityOrTownStateAndZIPCode, Text(f1::fiduciaryCity));
        PutTextGuarded(employerIdentificationNumber, Text(f1::itemCEin));
        PutAlways(line9TotalIncome, Sum(kIncomeLines));
        PutAlways(line18, Sum(kLine17Schedule));
        PutAlways(line19, Amt(line16Deductions) - Amt(line18));
        PutAlways(line21, Amt(line19) + Amt(line20));
        PutAlways(line24, Sum(kLine23Schedule));
    });
}

void CalcForm1041APage2()
{
    using namespace a2;
    RunCalculator(29117, [] {
        PutGuarded(line27bColumnB, Amt(line27a) - Amt(line27b));
        PutGuarded(line28bColumnB, Amt(line28a) - Amt(line28b));
        PutGuarded(line34bColumnB, Amt(line34a) - Amt(line34b));
        PutGuarded(line36bColumnB, Amt(line36a) - Amt(line36b));
        PutAlways(line38TotalAssetsBegin, Sum(kAssetsBegin));
        PutAlways(line38TotalAssetsEnd, Sum(kAssetsEnd));
        PutAlways(line42LiabilitiesBegin, Sum(kLiabilitiesBegin));
        PutAlways(line42LiabilitiesEnd, Sum(kLiabilitiesEnd));
        PutAlways(line45NetAssetsBegin, Sum(kNetAssetsBegin));
        PutAlways(line45NetAssetsEnd, Sum(kNetAssetsEnd));
        PutAlways(line46Begin, Amt(line42LiabilitiesBegin) + Amt(line45NetAssetsBegin));
        PutAlways(line46End, Amt(line42LiabilitiesEnd) + Amt(line45NetAssetsEnd));
        for (const Copy& copy : kSignatureCopies)
            PutTextGuarded(copy.to, Text(copy.from));
    });
}

}  // namespace quorvan
