#include "files/TypedAnswers.h"

#include "calc/Form1041QFTTV.h"
#include "store/Answers.h"

namespace quorvan {

void KeepTypedAnswers(TAnswer& store)
{
    for (const CarriedIdentification& carried : FuneralTrustIdentification(store)) {
        const SlotRef field = carried.field;
        const std::string& stored = store.Text(field.formType, 0, field.slot);
        if (!stored.empty() && stored != carried.text)
            store.SetOvRide(field.formType, 0, field.slot, true);
    }
}

}  // namespace quorvan
