#include "calc/Form1041QFTTV.h"

#include "calc/CalcSupport.h"
#include "calc/RateSchedules.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041QFT.h"
#include "slot/Form1041T.h"
#include "slot/Form1041V.h"
#include "slot/ScheduleDPage2.h"

#include <cmath>

namespace quorvan {

using namespace calc;

namespace {

namespace f1 = slot::form1041Page1;
namespace qft = slot::form1041QFT;
namespace f1041t = slot::form1041T;
namespace f1041v = slot::form1041V;

// Signature-area answers of page 1 that Form 1041-QFT repeats.
struct Copy {
    SlotRef from;
    SlotRef to;
};
constexpr Copy kSignatureCopies[] = {
    {f1::fiduciarySignatureDate, qft::trusteeDate}, {f1::preparerDate, qft::preparerDate},
    {f1::preparerName, qft::preparerName},           {f1::preparerPtin, qft::preparerPtin},
    {f1::firmsName, qft::firmsName},                 {f1::firmsAddress, qft::firmsAddress},
    {f1::phoneNo, qft::phoneNo},                     {f1::firmsEin, qft::firmsEin},
};

bool BankruptcyEstate()
{
    return Ticked(f1::itemABankruptcyEstateCh7) || Ticked(f1::itemABankruptcyEstateCh11);
}

// The amounts a preparer types on Form 1041-QFT.
constexpr SlotRef kFuneralTrustEntries[] = {
    qft::line1a, qft::line1b, qft::line2a, qft::line2b, qft::line4, qft::line6, qft::line7, qft::line8,
    qft::line9, qft::line10, qft::line14Credits, qft::line16, qft::line18Payments,
};

const std::string& Answer(const TAnswer& answers, SlotRef s)
{
    return answers.Text(s.formType, 0, s.slot);
}

// Form 1041-V paid with Form 1041-QFT: its tax due and Part I.
void FillVoucherFromFuneralTrust()
{
    PutTextAlways(f1041v::ein, Text(qft::ein));
    PutTextGuarded(f1041v::payment, Text(qft::line19TaxDue));
    PutTextAlways(f1041v::name, Text(qft::nameOfTrust));
    PutTextAlways(f1041v::fiduciary, Text(qft::trusteeName));
    PutTextAlways(f1041v::address, Text(qft::trusteeStreet));
    PutTextAlways(f1041v::city, Text(qft::trusteeCity));
}

}  // namespace

bool FuneralTrustReturn(const TAnswer& answers)
{
    for (SlotRef entry : kFuneralTrustEntries)
        if (Str2Float_0(Answer(answers, entry)) != 0)
            return true;
    return Str2Float_0(Answer(answers, qft::numberOfQfts)) > 0;
}

std::vector<CarriedIdentification> FuneralTrustIdentification(const TAnswer& answers)
{
    // Line 3b holds the whole street address: a second address line follows the first after "; ",
    // as on Form 1041-V.
    const std::string& second = Answer(answers, f1::fiduciaryAddress2);
    const std::string street =
        second.empty() ? Answer(answers, f1::fiduciaryStreet) : Answer(answers, f1::fiduciaryStreet) + "; " + second;
    return {
        {qft::nameOfTrust, Answer(answers, f1::nameOfEstateOrTrust)},
        {qft::taxYearBeginning, Answer(answers, f1::taxYearBeginning)},
        {qft::taxYearEnding, Answer(answers, f1::taxYearEnding)},
        {qft::trusteeName, Answer(answers, f1::nameAndTitleOfFiduciary)},
        {qft::trusteeStreet, street},
        {qft::trusteeCity, Answer(answers, f1::fiduciaryCity)},
        {qft::ein, Answer(answers, f1::itemCEin)},
    };
}

void CalcForm1041QFT()
{
    using namespace qft;
    RunCalculator(29147, [] {
        for (const CarriedIdentification& carried : FuneralTrustIdentification(Store()))
            PutTextGuarded(carried.field, carried.text);

        PutAlways(line5TotalIncome,
                  Amt(line1a) + Amt(line2a) + Amt(line3CapitalGain) + Amt(line4));
        double deductions = 0;
        for (int s = line6.slot; s <= line10.slot; ++s)
            deductions += Amt(kFormType, s);
        PutAlways(line11TotalDeductions, deductions);
        PutAlways(line12Taxable, Amt(line5TotalIncome) - Amt(line11TotalDeductions));

        if (Amt(slot::scheduleDPage2::line45) > 0) {
            PutTextAlways(line13Tax, Text(slot::scheduleDPage2::line45));
        } else {
            const long long taxable = Float2Int(Amt(line12Taxable));
            PutAlways(line13Tax,
                      BankruptcyEstate() ? GetBankruptcyTax(taxable) : GetTax(taxable));
        }

        PutAlways(line15, Amt(line13Tax) - Amt(line14Credits));
        PutAlways(line17TotalTax, Amt(line15) + Amt(line16));
        // The further tax is part of what the trust owes: tax due and overpayment follow the total.
        const double owed = Amt(line17TotalTax);
        const double paid = Amt(line18Payments);
        if (owed > paid) {
            PutAlways(line19TaxDue, owed - paid);
            PutTextAlways(line20Overpayment, std::string());
            PutTextAlways(line21bRefunded, std::string());
        } else {
            PutTextAlways(line19TaxDue, std::string());
            PutAlways(line20Overpayment, paid - owed);
            PutAlways(line21bRefunded, paid - owed);
        }

        for (const Copy& copy : kSignatureCopies)
            PutTextGuarded(copy.to, Text(copy.from));
    });
}

void CalcForm1041T()
{
    RunCalculator(29157, [] {
        PutTextGuarded(f1041t::taxYearBeginning, Text(f1::taxYearBeginning));
        PutTextGuarded(f1041t::taxYearEnding, Text(f1::taxYearEnding));
        PutTextGuarded(f1041t::nameOfTrust, Text(f1::nameOfEstateOrTrust));
        PutTextGuarded(f1041t::ein, Text(f1::itemCEin));
        PutTextGuarded(f1041t::fiduciaryName, Text(f1::nameAndTitleOfFiduciary));
        PutTextGuarded(f1041t::fiduciaryStreet, Text(f1::fiduciaryStreet) + "  " + Text(f1::fiduciaryAddress2));
        PutTextGuarded(f1041t::fiduciaryCity, Text(f1::fiduciaryCity));

        double total = Amt(f1041t::line3FurtherSheets);
        for (int r = 0; r < f1041t::beneficiaries::kRows; ++r)
            total += Amt(f1041t::beneficiaries::Slot(r, f1041t::beneficiaries::amount));
        PutAlways(f1041t::line4TotalAllocated, total);
        PutTextAlways(f1041t::line1Allocated, Text(f1041t::line4TotalAllocated));

        // A beneficiary's percentage above 100 is reported; the allocation stands as typed.
        for (int r = 0; r < f1041t::beneficiaries::kRows; ++r) {
            const std::string& percent = Text(f1041t::beneficiaries::Slot(r, f1041t::beneficiaries::percentage));
            if (Str2Float_P(percent) > 100)
                ShowMessageByCode(29257, percent);
        }
    });
}

void CalcForm1041V()
{
    RunCalculator(29437, [] {
        if (Amt(f1::line27TaxDue) <= 0) {
            // A funeral trust pays the tax due on Form 1041-QFT with the voucher.
            if (FuneralTrustReturn(Store()) && Amt(qft::line19TaxDue) > 0) {
                FillVoucherFromFuneralTrust();
                return;
            }
            for (int s = f1041v::ein.slot; s <= f1041v::city.slot; ++s)
                PutTextAlways(f1041v::kFormType, s, std::string());
            return;
        }
        PutTextAlways(f1041v::ein, Text(f1::itemCEin));
        PutTextGuarded(f1041v::payment, Text(f1::line27TaxDue));
        PutTextAlways(f1041v::name, Text(f1::nameOfEstateOrTrust));
        PutTextAlways(f1041v::fiduciary, Text(f1::nameAndTitleOfFiduciary));
        const std::string& second = Text(f1::fiduciaryAddress2);
        PutTextAlways(f1041v::address,
                      second.empty() ? Text(f1::fiduciaryStreet) : Text(f1::fiduciaryStreet) + "; " + second);
        PutTextAlways(f1041v::city, Text(f1::fiduciaryCity));
    });
}

}  // namespace quorvan
