#include "files/TypedAnswers.h"

#include "calc/Form1041QFTTV.h"
#include "slot/Form1041Page2.h"
#include "slot/Form8960.h"
#include "store/Answers.h"

#include <algorithm>
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
    const SlotRef line4 = slot::form1041Page2::scheduleGLine4NetInvestment;
    if (store.OvRide(line4.formType, 0, line4.slot) || !HoldsText(store.Text(line4.formType, 0, line4.slot)) ||
        !PageNeverFigured(store, slot::form8960::kFormType))
        return false;
    store.SetOvRide(line4.formType, 0, line4.slot, true);
    return true;
}

}  // namespace quorvan
