#include "files/TypedAnswers.h"

#include "calc/Form1041QFTTV.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/Form8960.h"
#include "slot/ScheduleIPage1.h"
#include "store/Amounts.h"
#include "store/Answers.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace quorvan {
namespace {

bool HoldsText(const std::string& text) { return text.find_first_not_of(' ') != std::string::npos; }

// A page that no calculation has written since the return was saved: every answer empty and no
// override set. This version writes Form 8960 at every recalculation (line 1 at least holds "0").
bool PageNeverFigured(const TAnswer& store, int formType)
{
    const TPage& page = store.PageAt(formType, 0);
    return std::none_of(page.Strings.begin(), page.Strings.end(), HoldsText) &&
           std::none_of(page.Objects.begin(), page.Objects.end(), [](const TAObj& flag) { return flag.OvRide; });
}

// Schedule G line 4 held the net investment income tax as typed while the Form 8960 page is
// empty: the return was saved before the form was figured.
bool KeepTypedNetInvestmentIncomeTax(TAnswer& store)
{
    const SlotRef line4 = slot::form1041Page2::scheduleGLine4NetInvestment;
    if (store.OvRide(line4.formType, 0, line4.slot) || !HoldsText(store.Text(line4.formType, 0, line4.slot)) ||
        !PageNeverFigured(store, slot::form8960::kFormType))
        return false;
    store.SetOvRide(line4.formType, 0, line4.slot, true);
    return true;
}

// Schedule I line 35 is figured as the gain of Form 1041 line 4 (none for a loss). A file saved
// since holds exactly that beside its line 4; any other text was typed and stands.
bool KeepTypedMinimumTaxGain(TAnswer& store)
{
    const SlotRef line35 = slot::scheduleIPage1::line35;
    const SlotRef line4 = slot::form1041Page1::line4CapitalGain;
    const std::string& typed = store.Text(line35.formType, 0, line35.slot);
    if (store.OvRide(line35.formType, 0, line35.slot) || !HoldsText(typed))
        return false;
    double amount = 0, gain = 0;
    const bool readable = ReadNumber(typed, amount);
    ReadNumber(store.Text(line4.formType, 0, line4.slot), gain);
    if (readable && std::llround(amount) == std::llround(std::max(0.0, gain)))
        return false;
    store.SetOvRide(line35.formType, 0, line35.slot, true);
    return true;
}

}  // namespace

void KeepTypedAnswers(TAnswer& store)
{
    for (const CarriedIdentification& carried : FuneralTrustIdentification(store)) {
        const SlotRef field = carried.field;
        const std::string& stored = store.Text(field.formType, 0, field.slot);
        if (!stored.empty() && stored != carried.text)
            store.SetOvRide(field.formType, 0, field.slot, true);
    }
}

bool KeepTypedLinesNowComputed(TAnswer& store)
{
    const bool line4Kept = KeepTypedNetInvestmentIncomeTax(store);
    const bool line35Kept = KeepTypedMinimumTaxGain(store);
    return line4Kept || line35Kept;
}

}  // namespace quorvan
